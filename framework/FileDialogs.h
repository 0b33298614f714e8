#pragma once
// The system's open and save file dialogs.
#include "framework/Component.h"
#include "framework/StringList.h"

#include <cstdint>

// The dialog options, one bit each; each maps to its OFN_ flag.
using TOpenOptions = uint32_t;
constexpr TOpenOptions ofReadOnly = 1u << 0, ofOverwritePrompt = 1u << 1, ofHideReadOnly = 1u << 2,
                       ofNoChangeDir = 1u << 3, ofShowHelp = 1u << 4, ofNoValidate = 1u << 5,
                       ofAllowMultiSelect = 1u << 6, ofExtensionDifferent = 1u << 7, ofPathMustExist = 1u << 8,
                       ofFileMustExist = 1u << 9, ofCreatePrompt = 1u << 10, ofShareAware = 1u << 11,
                       ofNoReadOnlyReturn = 1u << 12, ofNoTestFileCreate = 1u << 13, ofNoNetworkButton = 1u << 14,
                       ofNoLongNames = 1u << 15, ofOldStyleDialog = 1u << 16, ofNoDereferenceLinks = 1u << 17,
                       ofEnableIncludeNotify = 1u << 18, ofEnableSizing = 1u << 19, ofDontAddToRecent = 1u << 20,
                       ofForceShowHidden = 1u << 21;

enum class TFileEditStyle { fsEdit, fsComboBox };

class TOpenDialog : public TComponent {
 public:
  explicit TOpenDialog(TComponent* owner);

  const String& FileName() const { return FFileName; }
  void SetFileName(const String& v) { FFileName = v; }
  // Every file chosen; with ofAllowMultiSelect possibly several.
  TStrings& Files() { return FFiles; }
  const TStrings& Files() const { return FFiles; }
  // "Text|pattern|Text|pattern".
  const String& Filter() const { return FFilter; }
  void SetFilter(const String& v) { FFilter = v; }
  int FilterIndex() const { return FFilterIndex; }
  void SetFilterIndex(int v) { FFilterIndex = v; }
  const String& DefaultExt() const { return FDefaultExt; }
  void SetDefaultExt(const String& v) { FDefaultExt = v; }
  const String& InitialDir() const { return FInitialDir; }
  void SetInitialDir(const String& v) { FInitialDir = v; }
  const String& Title() const { return FTitle; }
  void SetTitle(const String& v) { FTitle = v; }
  TOpenOptions Options() const { return FOptions; }
  void SetOptions(TOpenOptions v) { FOptions = v; }
  TFileEditStyle FileEditStyle() const { return FFileEditStyle; }
  void SetFileEditStyle(TFileEditStyle v) { FFileEditStyle = v; }
  TStrings& HistoryList() { return FHistoryList; }
  const TStrings& HistoryList() const { return FHistoryList; }
  int HelpContext() const { return FHelpContext; }
  void SetHelpContext(int v) { FHelpContext = v; }

  // Shows the dialog owned by the active window; true when the user chose.
  virtual bool Execute();
  // Takes every setting and the chosen files of another dialog.
  void AssignSettings(const TOpenDialog& other);

 protected:
  // The save dialog asks GetSaveFileName.
  virtual bool RunDialog(void* ofn);

 private:
  String FFileName;
  TStringList FFiles;
  String FFilter;
  int FFilterIndex = 1;
  String FDefaultExt;
  String FInitialDir;
  String FTitle;
  TOpenOptions FOptions = ofHideReadOnly | ofEnableSizing;
  TFileEditStyle FFileEditStyle = TFileEditStyle::fsEdit;
  TStringList FHistoryList;
  int FHelpContext = 0;
};

class TSaveDialog : public TOpenDialog {
 public:
  explicit TSaveDialog(TComponent* owner) : TOpenDialog(owner) {}

 protected:
  bool RunDialog(void* ofn) override;
};

// The picture dialogs start with a filter of the picture formats.
class TOpenPictureDialog : public TOpenDialog {
 public:
  explicit TOpenPictureDialog(TComponent* owner);
};

class TSavePictureDialog : public TSaveDialog {
 public:
  explicit TSavePictureDialog(TComponent* owner);
};

// The filter of the picture formats the framework loads.
extern const wchar_t* const kPictureFilter;
