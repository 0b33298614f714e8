#include "skin/controls/FilenameEdit.h"

#include "skin/controls/SkinnedMessageDlg.h"
#include "skin/core/SkinUtils.h"

#include <shellapi.h>

#include <vector>

const wchar_t* const kDefaultFileFilter = L"All files (*.*)|*.*";

namespace {
constexpr uint8_t kFileDirEditKind = 132;
constexpr uint8_t kFilenameEditKind = 133;
}  // namespace

TsFileDirEdit::TsFileDirEdit(TComponent* Owner) : TsCustomComboEdit(Owner) {
  SkinData()->CtrlKind = kFileDirEditKind;
  SetMaxLength(255);
}

void TsFileDirEdit::SetAcceptFiles(bool Value) {
  if (FAcceptFiles == Value) return;
  FAcceptFiles = Value;
  DragAcceptFiles(Handle(), Value);
}

void TsFileDirEdit::InitializeWnd() {
  TsCustomComboEdit::InitializeWnd();
  if (FAcceptFiles) DragAcceptFiles(Handle(), TRUE);
}

void TsFileDirEdit::DestroyWnd() {
  if (FAcceptFiles && HandleAllocated()) DragAcceptFiles(Handle(), FALSE);
  TsCustomComboEdit::DestroyWnd();
}

void TsFileDirEdit::WndProc(TMessage& Message) {
  if (Message.Msg == WM_DROPFILES) {
    Message.Result = 0;
    DropFiles(reinterpret_cast<HDROP>(Message.WParam));
    return;
  }
  TsCustomComboEdit::WndProc(Message);
}

void TsFileDirEdit::DropFiles(HDROP Drop) {
  // Finished on every path, also when a handler raises.
  struct TDropFinish {
    HDROP Drop;
    ~TDropFinish() { DragFinish(Drop); }
  } Finish{Drop};
  const UINT Count = DragQueryFileW(Drop, 0xFFFFFFFF, nullptr, 0);
  if (Count == 0) return;
  ClearFileList();
  const UINT Taken = FMultipleFiles ? Count : 1;
  for (UINT I = 0; I < Taken; ++I) {
    // The length first: a name cut to a buffer would be taken for another file.
    const UINT Length = DragQueryFileW(Drop, I, nullptr, 0);
    std::vector<wchar_t> Buffer(Length + 1, L'\0');
    DragQueryFileW(Drop, I, Buffer.data(), Length + 1);
    String Name(Buffer.data(), Length);
    if (MaxLength() > 0 && int(Length) > MaxLength()) {
      SkinnedMessageDlg(L"The file name is too long for this field:\r\n" + Name, TsMsgDlgType::mtWarning, mbsOK);
      continue;
    }
    ReceptFileDir(Name);
  }
  if (OnDropFiles) OnDropFiles(this);
}

TsFilenameEdit::TsFilenameEdit(TComponent* Owner) : TsFileDirEdit(Owner) {
  SkinData()->CtrlKind = kFilenameEditKind;
  SetDefaultGlyphIndex(0);
  CreateEditDialog();
}

void TsFilenameEdit::CreateEditDialog() {
  std::unique_ptr<TOpenDialog> Made;
  switch (FDialogKind) {
    case TFileDialogKind::dkOpen: {
      auto Open = std::make_unique<TsOpenDialog>(nullptr);
      Open->SetZipShowing(TsZipShowing::zsAsFile);
      Made = std::move(Open);
      break;
    }
    case TFileDialogKind::dkSave:
      Made = std::make_unique<TsSaveDialog>(nullptr);
      break;
    case TFileDialogKind::dkOpenPicture:
      Made = std::make_unique<TOpenPictureDialog>(nullptr);
      break;
    case TFileDialogKind::dkSavePicture:
      Made = std::make_unique<TSavePictureDialog>(nullptr);
      break;
  }
  if (FDialog) {
    Made->AssignSettings(*FDialog);
  } else {
    Made->SetFilter(kDefaultFileFilter);
    Made->SetOptions(ofHideReadOnly | ofEnableSizing);
  }
  FDialog = std::move(Made);
}

void TsFilenameEdit::SetDialogKind(TFileDialogKind Value) {
  if (FDialogKind == Value) return;
  FDialogKind = Value;
  CreateEditDialog();
}

void TsFilenameEdit::SetFileName(const String& Value) {
  if (!Value.empty() && !IsValidPathName(Value)) throw Exception(L"Invalid file name");
  SetText(Value);
  ClearFileList();
}

void TsFilenameEdit::SetDialogOptions(TOpenOptions Value) {
  if (FDialog->Options() == Value) return;
  FMultipleFiles = (Value & ofAllowMultiSelect) != 0;
  FDialog->SetOptions(Value);
  if (!FMultipleFiles) ClearFileList();
}

void TsFilenameEdit::ReceptFileDir(const String& Name) {
  if (!FMultipleFiles) {
    SetFileName(Name);
    return;
  }
  if (FDialog->Files().Count() == 0) SetFileName(Name);
  FDialog->Files().Add(Name);
}

void TsFilenameEdit::ButtonClick() {
  TsFileDirEdit::ButtonClick();
  String Name = Text();
  bool Action = true;
  if (OnBeforeDialog) OnBeforeDialog(this, Name, Action);
  if (!Action) return;
  if (IsValidPathName(Name)) {
    const String Dir = ExtractFilePath(Name);
    if (!Dir.empty() && DirectoryExistsQuiet(Dir)) FDialog->SetInitialDir(Dir);
    const String File = ExtractFileName(Name);
    if (File.empty() || !IsValidPathName(File)) Name.clear();
    FDialog->SetFileName(Name);
  } else {
    FDialog->SetFileName(String());
  }
  FDialog->SetHelpContext(0);
  Action = FDialog->Execute();
  String Result;
  if (Action) Result = (FDialog->Options() & ofOldStyleDialog) ? FDialog->Files().Get(0) : FDialog->FileName();
  Name = Result;
  if (CanFocus()) SetFocus();
  if (OnAfterDialog) OnAfterDialog(this, Name, Action);
  if (Action) {
    SetText(Name);
    FDialog->SetInitialDir(ExtractFilePath(Result));
  }
}
