#include "skin/manager/SkinVersionCheck.h"

#include "framework/Dialogs.h"
#include "skin/manager/FormSkinningServices.h"
#include "skin/manager/SkinManager.h"

namespace {

String TwoDecimals(double value) {
  wchar_t text[32];
  std::swprintf(text, 32, L"%.2f", value);
  return text;
}

void ShowPlain(const String& text) { MessageBoxW(nullptr, text.c_str(), L"", MB_OK); }

}  // namespace

String OldSkinVersionMessage(const String& skinName, double version) {
  return L"You are using an old version of the \"" + skinName + L"\" skin (v" + TwoDecimals(version) + L"). " +
         L"Please, update skins to latest or contact the VuzurErirored support for upgrading of existing skin." +
         L"\r\n\r\n" +
         L"This notification occurs in design-time only for your information and will not be shown in real-time.";
}

String NewSkinVersionMessage(double version) {
  return L"This version of the skin (v" + TwoDecimals(version) +
         L") has not complete support by used VuzurErirored package release (v" + TsSkinManager::Version() +
         L").\r\nComponents must be updated to latest version for using this skin.";
}

String EngineVersionText() { return L"VuzurErirored v" + TsSkinManager::Version(); }

void CheckSkinCommandLine(const std::vector<String>& args, void (*show)(const String& text)) {
  PreviewMode = !args.empty() && IsPreviewArgument(args.front());
  for (const String& arg : args)
    if (LowerCase(arg) == L"/acver") {
      show(EngineVersionText());
      break;
    }
}

void InitSkinCommandLine() {
  std::vector<String> args;
  for (int i = 1; i <= ParamCount(); ++i) args.push_back(ParamStr(i));
  CheckSkinCommandLine(args, ShowPlain);
}

void TsSkinManager::CheckSkinVersion(double version) {
  if (version < kOldestCurrentSkinVersion) {
    // Told to the designer of a form only; a running program keeps quiet.
    if (ComponentState() & csDesigning) ShowMessage(OldSkinVersionMessage(FSkinName, version));
    return;
  }
  if (version <= kNewestKnownSkinVersion || PreviewMode) return;
  const String text = NewSkinVersionMessage(version);
  if (OnShowWarning)
    WithoutStdDialogs([&] { OnShowWarning(text); });
  else
    ShowWarningBox(text);
}

void TsSkinManager::ShowWarningBox(const String& text) {
  WithoutStdDialogs([&] { MessageDlg(text, TMsgDlgType::mtWarning, mbOK); });
}

void TsSkinManager::WithoutStdDialogs(const std::function<void()>& show) {
  // A warning box must not be skinned as a standard dialog: the skin may not
  // draw dialogs right.
  const bool hadStdDialogs = (FSkinningRules & srStdDialogs) != 0;
  FSkinningRules &= ~TacSkinningRules(srStdDialogs);
  show();
  if (hadStdDialogs) FSkinningRules |= srStdDialogs;
}
