// The manager's scale modes: the current scale index, scaling of metrics,
// scroll-bar widths, and the change from one mode or density to another with
// the reload and the rescaling of the forms.
#include "framework/Application.h"
#include "framework/Form.h"
#include "framework/Screen.h"
#include "skin/core/SkinCommand.h"
#include "skin/core/SkinConstants.h"
#include "skin/core/SkinUtils.h"
#include "skin/manager/FormFreezing.h"
#include "skin/manager/SkinManager.h"

using GetDpiForWindowProc = UINT(WINAPI*)(HWND);

// Only systems that know densities per window answer; others are 96. A
// control without a window yet is at the system's density.
int WindowDPI(HWND wnd) {
  static const auto getDpiForWindow = reinterpret_cast<GetDpiForWindowProc>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
  if (!getDpiForWindow) return 96;
  if (!wnd) return Screen->PixelsPerInch();
  const UINT dpi = getDpiForWindow(wnd);
  return dpi ? int(dpi) : 96;
}

namespace {

TForm* MainOrFirstForm() {
  if (Application && Application->MainForm()) return Application->MainForm();
  return Screen->FormCount() > 0 ? Screen->Forms(0) : nullptr;
}

bool IsFixedScaleMode(TacScaleMode mode) { return mode <= TacScaleMode::sm200; }

// Child bounds and font heights follow the form; the framework has no
// scaling of its own.
void ScaleChildren(TWinControl* parent, int from, int to) {
  for (int i = 0; i < parent->ControlCount(); ++i) {
    TControl* c = parent->Controls(i);
    c->SetBounds(MulDiv(c->Left(), to, from), MulDiv(c->Top(), to, from), MulDiv(c->Width(), to, from),
                 MulDiv(c->Height(), to, from));
    if (!c->ParentFont()) c->Font().SetHeight(MulDiv(c->Font().Height(), to, from));
    if (auto* w = dynamic_cast<TWinControl*>(c)) ScaleChildren(w, from, to);
  }
}

// The density a form says it is drawn at; 0 when it does not tell.
int AskedPPI(TForm* form) {
  if (!form->HandleAllocated()) return 0;
  return int(SendMessageW(form->Handle(), WM_SKINCOMMAND, SkinCommandWParam(AC_GETPPI, 0), 0));
}

}  // namespace

int MainFormDPI() {
  TForm* form = MainOrFirstForm();
  return WindowDPI(form ? form->HandleIfAllocated() : nullptr);
}

int GetPPIForControl(TsSkinManager* Manager, TControl* Control, bool OnlyWhenSkinLoaded) {
  if (!Manager) Manager = TsSkinManager::DefaultManager();
  if (Manager && (!OnlyWhenSkinLoaded || Manager->IsSkinLoaded())) {
    if (Manager->Options().ScaleMode() == TacScaleMode::smCustomPPI) return Manager->Options().PixelsPerInch();
    return acScalePPI[std::clamp(Manager->GetScaleIndex(), 0, 3)];
  }
  if (!Control) return MainFormDPI();
  auto* windowed = dynamic_cast<TWinControl*>(Control);
  if (!windowed) windowed = Control->Parent();
  return windowed ? WindowDPI(windowed->HandleIfAllocated()) : MainFormDPI();
}

int TsSkinManager::GetScaleIndex() const {
  switch (Options().ScaleMode()) {
    case TacScaleMode::smAuto:
      return FDetectedScaleIndex;
    case TacScaleMode::sm100:
    case TacScaleMode::sm125:
    case TacScaleMode::sm150:
    case TacScaleMode::sm200:
      return int(Options().ScaleMode());
    case TacScaleMode::smCustomPPI:
      return 7;
    default:
      return 0;
  }
}

int TsSkinManager::ScaleInt(int value, int scaleIndex) const {
  const TacScaleMode mode = Options().ScaleMode();
  if (mode == TacScaleMode::smCustomPPI) return MulDiv(value, Options().PixelsPerInch(), 96);
  if (mode == TacScaleMode::smOldMode)
    scaleIndex = 0;
  else if (scaleIndex == -1)
    scaleIndex = GetScaleIndex();
  return ScaleByIndex(value, scaleIndex);
}

int TsSkinManager::GetScrollWidth(int ppi) const {
  if (ScrollsOptions().ScrollSize() >= 0) return MulDiv(ScrollsOptions().ScrollSize(), ppi, 96);
  if (const TacSkinData* data = SkinData(); data && data->ScrollsWidth >= 0) return data->ScrollsWidth;
  return GetSysScrollWidth(ppi);
}

int TsSkinManager::GetSysScrollWidth(int) const {
  const int width = GetSystemMetrics(SM_CXVSCROLL);
  const TacScaleMode mode = Options().ScaleMode();
  if (mode == TacScaleMode::smCustomPPI)
    return MulDiv(width, Options().PixelsPerInch(), acScalePPI[FDetectedScaleIndex]);
  if (IsFixedScaleMode(mode)) return MulDiv(width, acScalePercents[int(mode)], acScalePercents[FDetectedScaleIndex]);
  return width;
}

void TsSkinManager::ChangeScale(TacScaleMode oldMode, TacScaleMode newMode, int newPPI, int oldPPI) {
  TacOptions& options = *FManagerOptions;
  const TacScaleMode storedMode = newMode;
  if (newMode == TacScaleMode::smFramework) newMode = TacScaleMode::smAuto;
  const int currentIndex = std::clamp(GetScaleIndex(), 0, 3);
  int oldPercent, newPercent;
  if (newMode == TacScaleMode::smCustomPPI) {
    if (oldMode == TacScaleMode::smCustomPPI) {
      oldPPI = options.FPixelsPerInch;
      if (newPPI != 0)
        options.FPixelsPerInch = newPPI;
      else
        newPPI = oldPPI;
      oldPercent = oldPPI * 100 / 96;
    } else {
      oldPercent = acScalePercents[currentIndex];
      oldPPI = 96 * oldPercent / 100;
      newPPI = options.FPixelsPerInch;
    }
    newPercent = newPPI * 100 / 96;
  } else {
    if (oldMode == TacScaleMode::smCustomPPI) {
      oldPPI = options.FPixelsPerInch;
      oldPercent = oldPPI * 100 / 96;
    } else {
      oldPercent = acScalePercents[currentIndex];
      oldPPI = acScalePPI[currentIndex];
    }
    int index = 0;
    if (newMode == TacScaleMode::smAuto)
      index = std::min(FDetectedScaleIndex, 3);
    else if (IsFixedScaleMode(newMode))
      index = int(newMode);
    newPercent = acScalePercents[index];
    newPPI = acScalePPI[index];
  }

  FScaling = true;
  if (OnScaleModeChange) OnScaleModeChange(this, {oldMode, newMode, oldPercent, newPercent, oldPPI, newPPI});
  options.FPixelsPerInch = newPPI;
  if (Loading()) {
    options.FScaleMode = storedMode;
    FScaling = false;
    return;
  }

  const bool wasDeferred = FUpdating;
  FUpdating = true;
  for (int i = 0; i < Screen->FormCount(); ++i) FreezeSkinnedForm(Screen->Forms(i));
  options.FScaleMode = storedMode;
  FPPI = newPPI;
  // Without a skin there is nothing to rebuild, and a reload would pick one
  // (or give up and switch the manager off).
  if (FSkinLoaded) RefreshSkin();
  RescaleForms(oldPPI);
  for (int i = 0; i < Screen->FormCount(); ++i) UnfreezeSkinnedForm(Screen->Forms(i));
  if (!wasDeferred) EndUpdate(true, false);
  if (OnScaleChanged) OnScaleChanged(&options);
  FScaling = false;
}

void TsSkinManager::RescaleForms(int fromPPI) {
  const int to = GetPPIForControl(this);
  for (int i = Screen->FormCount() - 1; i >= 0; --i) {
    if (i >= Screen->FormCount()) continue;
    TForm* form = Screen->Forms(i);
    if (form->Loading() || form->Destroying()) continue;
    // A form that knows its density answers; the others are as they were
    // before this change.
    const int asked = AskedPPI(form);
    ScaleForm(form, asked ? asked : fromPPI, to);
  }
}

void TsSkinManager::ScaleForm(TForm* form, int currentPPI, int newPPI) {
  if (currentPPI == 0) {
    const int asked = AskedPPI(form);
    currentPPI = asked ? asked : 96;
  }
  if (newPPI == 0)
    newPPI = Options().ScaleMode() == TacScaleMode::smCustomPPI ? Options().PixelsPerInch()
                                                                : acScalePPI[std::clamp(GetScaleIndex(), 0, 3)];
  if (currentPPI == newPPI) return;
  const bool wasShown = form->HandleAllocated() && IsWindowVisible(form->Handle());
  if (wasShown) ShowWindow(form->Handle(), SW_HIDE);
  form->DisableAlign();
  const int left = form->Left(), top = form->Top();
  form->SetClientSize(MulDiv(form->ClientWidth(), newPPI, currentPPI),
                      MulDiv(form->ClientHeight(), newPPI, currentPPI));
  if (!form->ParentFont()) form->Font().SetHeight(MulDiv(form->Font().Height(), newPPI, currentPPI));
  ScaleChildren(form, currentPPI, newPPI);
  form->SetBounds(left, top, form->Width(), form->Height());
  if (form->HandleAllocated()) SendMessageW(form->Handle(), WM_SKINCOMMAND, SkinCommandWParam(AC_SETPPI, 0), newPPI);
  form->EnableAlign();
  if (wasShown) ShowWindow(form->Handle(), SW_SHOWNOACTIVATE);
  if (newPPI < currentPPI) InvalidateRect(nullptr, nullptr, TRUE);
}
