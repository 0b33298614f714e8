#include "skin/hints/HintAtPoint.h"

#include "framework/Application.h"
#include "skin/core/SkinCommand.h"
#include "skin/forms/MonitorWorkArea.h"
#include "skin/hints/AlphaHints.h"
#include "skin/hints/HintWindows.h"

namespace {
constexpr int kPlainHintMaxWidth = 800;
constexpr size_t kAnimatedTextLimit = 100;
constexpr DWORD kBlendTime = 200;

bool TooltipFadeOn() {
  BOOL animation = FALSE, fade = FALSE;
  SystemParametersInfoW(SPI_GETTOOLTIPANIMATION, 0, &animation, 0);
  SystemParametersInfoW(SPI_GETTOOLTIPFADE, 0, &fade, 0);
  return animation && fade;
}
}  // namespace

THintWindow* ShowHintAt(const String& Text, POINT P) {
  if (ActiveHints && ActiveHints->Active()) {
    ActiveHints->ShowHintAt(P, Text, int(Application ? Application->HintHidePause() : 2500));
    return ActiveHints->OwnWindow;
  }
  if (Text.empty()) return nullptr;
  THintWindow* hint = HintWindowClass(nullptr);
  hint->SetColor(clInfoBk);
  RECT r = hint->CalcHintRect(kPlainHintMaxWidth, Text, nullptr);
  RECT area{};
  MonitorWorkAreaAt(P, area);
  r = PlaceBesidePoint(SIZE{r.right - r.left, r.bottom - r.top}, P, area);
  if (AskWndCommand(hint->Handle(), AC_ISSKINNED)) {
    hint->ActivateHint(r, Text);
    return hint;
  }
  hint->SetCaption(Text);
  r.bottom += 4;
  hint->SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
  HWND wnd = hint->Handle();
  SetWindowPos(wnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOOWNERZORDER | SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE);
  if (Text.size() < kAnimatedTextLimit && TooltipFadeOn()) AnimateWindow(wnd, kBlendTime, AW_BLEND);
  ShowWindow(wnd, SW_SHOWNOACTIVATE);
  hint->Invalidate();
  return hint;
}

void FreeHintWnd(THintWindow*& HintWnd) {
  if (ActiveHints && ActiveHints->Active() && ActiveHints->OwnWindow) {
    TacPngHintWindow* own = ActiveHints->OwnWindow;
    // A window of the plain class given out before the hints became active
    // is freed as well, not lost.
    if (HintWnd != own) delete HintWnd;
    delete own;
    HintWnd = nullptr;
    return;
  }
  delete HintWnd;
  HintWnd = nullptr;
}
