#pragma once
// An edit for a file name with a browse button that opens the file dialog.
#include "framework/Edit.h"

using TBeforeDialogEvent = std::function<void(TObject* Sender, String& Name, bool& Action)>;
using TAfterDialogEvent = std::function<void(TObject* Sender, String& Name, bool& Action)>;

class TFileNameEdit : public TCustomEdit {
 public:
  explicit TFileNameEdit(TComponent* owner);

  String FileName() const { return GetText(); }
  void SetFileName(const String& name) { SetText(name); }
  const String& Filter() const { return FFilter; }
  void SetFilter(const String& v) { FFilter = v; }
  const String& InitialDir() const { return FInitialDir; }
  void SetInitialDir(const String& v) { FInitialDir = v; }
  const String& DialogTitle() const { return FDialogTitle; }
  void SetDialogTitle(const String& v) { FDialogTitle = v; }
  bool CheckOnExit() const { return FCheckOnExit; }
  void SetCheckOnExit(bool v) { FCheckOnExit = v; }

  // Runs the before-dialog event, the file dialog and the after-dialog
  // event, as the browse button does.
  void DoBrowse();

  TBeforeDialogEvent OnBeforeDialog;
  TAfterDialogEvent OnAfterDialog;

 protected:
  void InitializeWnd() override;
  void WndProc(TMessage& message) override;

 private:
  void PlaceButton();
  String FFilter = L"All files (*.*)|*.*";
  String FInitialDir;
  String FDialogTitle;
  bool FCheckOnExit = false;
  HWND FButton = nullptr;
};
