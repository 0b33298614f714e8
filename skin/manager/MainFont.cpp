// The skin's main font: the manager announces a new one to every form, and
// each control takes it when it still shows the base or the last main font.
#include "framework/Application.h"
#include "framework/Form.h"
#include "skin/core/SkinCommand.h"
#include "skin/manager/SkinManager.h"

void TsSkinManager::EnsureBaseFontName() {
  if (!FBaseFontName.empty()) return;
  TForm* mainForm = Application ? Application->MainForm() : nullptr;
  FBaseFontName = mainForm ? mainForm->Font().Name() : String(L"Tahoma");
}

void TsSkinManager::ChangeMainFont(const String& name, bool) {
  if (name == FLastFontName) return;
  FFontChanging = true;
  FSkinMainFontName = name;
  FMenuSupport->SetCustomFont(FMenuSupport->CustomFont());
  EnsureBaseFontName();
  Broadcast(AC_FONTSCHANGED);
  const String previous = FLastFontName;
  FLastFontName = name;
  if (OnFontChanged) OnFontChanged(this, previous, name);
  FFontChanging = false;
}

bool TsSkinManager::ApplyMainFont(TControl* control) {
  if (!control || FSkinMainFontName.empty()) return false;
  // A control that inherits its font gets it from its parent.
  if (control->ParentFont() && control->Parent()) return false;
  const String current = control->Font().Name();
  if (current == FSkinMainFontName) return false;
  if (current != FBaseFontName && current != FLastFontName) return false;
  control->Font().SetName(FSkinMainFontName);
  return true;
}

void TsSkinManager::ApplyFontMode(TacFontMode mode) {
  switch (mode) {
    case TacFontMode::fmDefault:
      if (!FBaseFontName.empty()) ChangeMainFont(FBaseFontName);
      break;
    case TacFontMode::fmFromSkin:
      EnsureBaseFontName();
      ChangeMainFont(FGlobals.MainFont.empty() ? FBaseFontName : FGlobals.MainFont);
      break;
    case TacFontMode::fmCustom:
      EnsureBaseFontName();
      ChangeMainFont(FFonts->MainFont().empty() ? FBaseFontName : FFonts->MainFont());
      break;
  }
}
