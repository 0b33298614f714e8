#pragma once
// Edits of a file path with a browse button: TsFileDirEdit carries the dialog
// events, the files dropped from the shell and the file-list protocol;
// TsFilenameEdit owns the file dialog, presets it from the text and refuses
// impossible path text.
#include "skin/controls/CustomComboEdit.h"
#include "skin/controls/SkinnedFileDialogs.h"

#include <shellapi.h>

#include <functional>
#include <memory>

using TExecOpenDialogEvent = std::function<void(TObject* Sender, String& Name, bool& Action)>;

class TsFileDirEdit : public TsCustomComboEdit {
 public:
  explicit TsFileDirEdit(TComponent* Owner);

  TExecOpenDialogEvent OnBeforeDialog;
  TExecOpenDialogEvent OnAfterDialog;
  TNotifyEvent OnDropFiles;

  // The window takes files dropped from the shell.
  bool AcceptFiles() const { return FAcceptFiles; }
  void SetAcceptFiles(bool Value);
  // Whether the dialog lets several files be chosen.
  bool MultipleFiles() const { return FMultipleFiles; }

  virtual void GetLongName(String& Name) = 0;
  virtual void GetShortName(String& Name) = 0;
  // One dropped (or chosen) file.
  virtual void ReceptFileDir(const String& Name) = 0;
  virtual void ClearFileList() {}

 protected:
  void InitializeWnd() override;
  void DestroyWnd() override;
  void WndProc(TMessage& Message) override;
  void DropFiles(HDROP Drop);

  bool FMultipleFiles = false;

 private:
  bool FAcceptFiles = false;
};

enum class TFileDialogKind { dkOpen, dkSave, dkOpenPicture, dkSavePicture };

class TsFilenameEdit : public TsFileDirEdit {
 public:
  explicit TsFilenameEdit(TComponent* Owner);

  TOpenDialog& Dialog() const { return *FDialog; }
  TFileDialogKind DialogKind() const { return FDialogKind; }
  void SetDialogKind(TFileDialogKind Value);

  // The text; writing a non-empty impossible path raises "Invalid file name".
  String FileName() const { return Text(); }
  void SetFileName(const String& Value);

  const String& Filter() const { return FDialog->Filter(); }
  void SetFilter(const String& Value) { FDialog->SetFilter(Value); }
  int FilterIndex() const { return FDialog->FilterIndex(); }
  void SetFilterIndex(int Value) { FDialog->SetFilterIndex(Value); }
  const String& DefaultExt() const { return FDialog->DefaultExt(); }
  void SetDefaultExt(const String& Value) { FDialog->SetDefaultExt(Value); }
  const String& InitialDir() const { return FDialog->InitialDir(); }
  void SetInitialDir(const String& Value) { FDialog->SetInitialDir(Value); }
  TStrings& HistoryList() const { return FDialog->HistoryList(); }
  TOpenOptions DialogOptions() const { return FDialog->Options(); }
  void SetDialogOptions(TOpenOptions Value);

  void ButtonClick() override;
  void GetLongName(String& Name) override { Name = FileName(); }
  void GetShortName(String& Name) override { Name = FileName(); }
  void ReceptFileDir(const String& Name) override;
  void ClearFileList() override { FDialog->Files().Clear(); }

 private:
  void CreateEditDialog();

  TFileDialogKind FDialogKind = TFileDialogKind::dkOpen;
  std::unique_ptr<TOpenDialog> FDialog;
};

// The filter a new file-name edit starts with.
extern const wchar_t* const kDefaultFileFilter;
