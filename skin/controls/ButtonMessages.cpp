#include "skin/controls/ButtonMessages.h"

#include "skin/controls/ButtonPress.h"
#include "skin/effects/ClickCircle.h"
#include "skin/effects/ClickWave.h"
#include "skin/effects/StateAnimation.h"
#include "skin/forms/WindowQueries.h"
#include "skin/manager/ManagerOptions.h"
#include "skin/manager/SkinManager.h"
#include "skin/state/GlowEffects.h"
#include "skin/state/StateQueries.h"
#include "skin/state/ThreadedTimer.h"

namespace {

// The window is redrawn once, after the framework's handling, instead of
// once per change the system makes to it.
void RedrawOff(TacButtonHost& H, TMessage& Message) {
  const HWND Wnd = H.HostControl().HandleIfAllocated();
  if (Wnd) SendMessageW(Wnd, WM_SETREDRAW, FALSE, 0);
  H.HostInherited(Message);
  if (Wnd) SendMessageW(Wnd, WM_SETREDRAW, TRUE, 0);
}

}  // namespace

int PushedButtonState(TWinControl& Control, TsCommonData& Data) {
  const HWND Wnd = Control.HandleIfAllocated();
  TsSkinManager* Manager = Data.GetSkinManager();
  const bool Pushed = (Wnd && (SendMessageW(Wnd, BM_GETSTATE, 0, 0) & BST_PUSHED)) || ForcePressedPaint;
  if (!Pushed) return -1;
  const bool KeyboardPress = !(GetCapture() == Wnd && GetKeyState(VK_LBUTTON) < 0);
  if (Data.MouseAbove || KeyboardPress || (Manager && Manager->Options().NoMouseHover())) return 2;
  return -1;
}

void StartButtonClickWave(TsCommonData& Data, TacAnimatEvents Events) {
  TsSkinManager* Manager = Data.GetSkinManager();
  if (Manager && Data.IsSkinned() && AnimationAllowed(aeClick, Events, Manager) &&
      Manager->AnimEffects().Buttons.ClickEffect() == TacClickEffect::ceWaveOut)
    StartClickEffect(&Data, 0);
}

bool ButtonCircleEffects(TsCommonData& Data) {
  TsSkinManager* Manager = Data.GetSkinManager();
  if (!Manager || !Manager->Effects().AllowAnimation()) return false;
  const TacBtnEffects& Buttons = Manager->AnimEffects().Buttons;
  return (Buttons.Events() & beClick) && (Buttons.ClickEffect() == TacClickEffect::ceCircle ||
                                          Buttons.ClickEffect() == TacClickEffect::ceCircleAndWave);
}

void ButtonMouseDown(TacButtonHost& H, TMessage& Message) {
  TWinControl& C = H.HostControl();
  TsCtrlSkinData& Data = H.HostData();
  const bool Left = Message.Msg == WM_LBUTTONDOWN || Message.Msg == WM_LBUTTONDBLCLK;
  if (C.Enabled()) {
    Data.Updating = false;
    if (Left) SuppressHintsForPress();
    H.PressedByMouse = true;
    if (Left && !H.ButtonDown()) {
      Data.Updating = Data.IsUpdating();
      Data.BGChanged = false;
      if (ButtonCircleEffects(Data))
        AnimateStateChange(&Data, 2, ClickCircleStep, true, false);
      else
        AnimateStateChange(&Data, 2, FadeStepWindow,
                           AnimationAllowed(aeMouseDown, H.ButtonAnimatEvents(), Data.GetSkinManager()), false);
    }
    if (Left) RestoreHintsAfterPress();
  }
  H.HostInherited(Message);
  if (Data.PulseTimer && Data.PulseTimer->Enabled()) Data.PulseTimer->PrepareImage();
}

void ButtonMouseUp(TacButtonHost& H, TMessage& Message) {
  TWinControl& C = H.HostControl();
  TsCtrlSkinData& Data = H.HostData();
  if (C.Destroying()) return;
  const bool Left = Message.Msg == WM_LBUTTONUP;
  if (C.Enabled()) {
    if (Left) RestoreHintsAfterPress();
    if (!H.PressedByMouse) {
      // Not pressed here: the system button still ends its own press, but
      // no OnMouseUp is raised.
      H.HostDefault(Message);
      return;
    }
    H.PressedByMouse = false;
    if (Left) {
      TacThreadedTimer* Fade = Data.FadeTimer;
      if (ButtonCircleEffects(Data) && Fade) {
        if (Fade->Enabled()) {
          Fade->State = 1;
          Data.BGChanged = true;
          Fade->TimeHandler();
        } else if (Fade->IntState == 2 &&
                   Data.GetSkinManager()->AnimEffects().Buttons.ClickEffect() == TacClickEffect::ceCircleAndWave) {
          Fade->IntState = 0;
          if (IsMouseOverControl(&C)) StartClickEffect(&Data, 0);
        }
        Data.Invalidate();
      } else {
        if (Data.IsAnimating()) Data.StopFading();
        Data.BGChanged = true;
        ForcePressedPaint = true;
        if (C.HandleAllocated()) RedrawWindow(C.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        ForcePressedPaint = false;
        // The pressed face stays a moment, so that a quick click is seen.
        Sleep(30);
        Data.Updating = false;
        Data.BGChanged = false;
        if (IsMouseOverControl(&C))
          AnimateStateChange(&Data, 1, FadeStepWindow,
                             AnimationAllowed(aeMouseUp, H.ButtonAnimatEvents(), Data.GetSkinManager()), true);
        else
          Data.BGChanged = true;
      }
    }
  }
  H.HostInherited(Message);
  if (Data.PulseTimer && Data.PulseTimer->Enabled()) Data.PulseTimer->PrepareImage();
}

bool HandleSkinnedButtonMessage(TacButtonHost& H, TMessage& Message) {
  TWinControl& C = H.HostControl();
  TsCtrlSkinData& Data = H.HostData();
  const HWND Wnd = C.HandleIfAllocated();
  const bool Usable = C.Enabled() && !C.Destroying();
  switch (Message.Msg) {
    case WM_MOVE:
      if (SectionShowsParent(Data.GetSkinManager(), Data.SkinIndex, 0, &C) ||
          (Data.GetCtrlState() == 1 && SectionShowsParent(Data.GetSkinManager(), Data.SkinIndex, 1, &C))) {
        Data.BGChanged = true;
        Data.Invalidate();
      }
      return false;
    case WM_SIZE:
      HideLayeredEffect(Data.GlowId, false);
      return false;
    case WM_SETFOCUS:
    case CM_ENTER:
      if (!C.Visible() || !Usable || H.InFocusChange) return false;
      H.InFocusChange = true;
      RedrawOff(H, Message);
      H.InFocusChange = false;
      if (Data.FadeTimer && Data.FadeTimer->Enabled()) {
        Data.BGChanged = true;
        Data.FadeTimer->TimeHandler();
      } else {
        Data.Invalidate();
      }
      return true;
    case WM_KILLFOCUS:
    case CM_EXIT:
      if (!C.Visible() || !Usable) return false;
      Data.StopFading();
      RedrawOff(H, Message);
      Data.Focused = false;
      Data.Invalidate();
      HideLayeredEffect(Data.GlowId, true);
      return true;
    case WM_ENABLE:
      return true;
    case WM_SETTEXT:
      RedrawOff(H, Message);
      Data.BGChanged = true;
      Data.Invalidate(true);
      return true;
    case WM_PAINT:
      if (!C.Visible() || !C.Parent()) return false;
      if (Data.Updating) {
        PAINTSTRUCT Ps;
        BeginPaint(Wnd, &Ps);
        EndPaint(Wnd, &Ps);
      } else {
        H.HostPaint(reinterpret_cast<HDC>(Message.WParam));
      }
      return true;
    case WM_ERASEBKGND:
      if (!C.Visible()) return false;
      if (const HDC DC = reinterpret_cast<HDC>(Message.WParam); DC && Data.CacheBmp && !Data.Updating) {
        if (Data.BGChanged) H.HostBuildCache();
        if (!Data.BGChanged && !Data.IsAnimating())
          BitBlt(DC, 0, 0, C.Width(), C.Height(), Data.CacheBmp->DC(), 0, 0, SRCCOPY);
      }
      Message.Result = 0;
      return true;
    case WM_WINDOWPOSCHANGED:
      Data.BGChanged = true;
      return false;
    case BM_SETSTATE:
      RedrawOff(H, Message);
      return true;
    case WM_UPDATEUISTATE:
      if (!C.Visible()) return false;
      Message.Result = 1;
      return true;
    case WM_PRINT:
      Data.Updating = false;
      H.HostPaint(reinterpret_cast<HDC>(Message.WParam));
      return true;
    case CM_FOCUSCHANGED:
      if (!C.Visible() || H.InFocusChange || !C.Focused()) return false;
      RedrawOff(H, Message);
      Data.Invalidate();
      return true;
    case CM_TEXTCHANGED:
      Data.StopFading();
      Data.Invalidate();
      return false;
    case CM_MOUSEENTER: {
      TsSkinManager* Manager = Data.GetSkinManager();
      if (!Usable || Data.MouseAbove || (Manager && Manager->Options().NoMouseHover())) return false;
      Data.LightData.reset();
      H.HostMouseEnter();
      Data.BGChanged = false;
      Data.MouseAbove = true;
      AnimateStateChange(&Data, 1, FadeStepWindow, AnimationAllowed(aeMouseEnter, H.ButtonAnimatEvents(), Manager),
                         true);
      return true;
    }
    case CM_MOUSELEAVE: {
      if (!Usable) return false;
      TsSkinManager* Manager = Data.GetSkinManager();
      Data.LightData.reset();
      H.HostMouseLeave();
      Data.FreeLightBitmaps(false);
      Data.BGChanged = false;
      Data.MouseAbove = false;
      const bool Held = Data.FadeTimer && Data.FadeTimer->IntState == 2;
      if (Held) Data.FadeTimer->IntState = 0;
      AnimateStateChange(&Data, 0, FadeStepWindow, AnimationAllowed(aeMouseLeave, H.ButtonAnimatEvents(), Manager),
                         false);
      if (Held && Manager && Manager->AnimEffects().Buttons.ClickEffect() == TacClickEffect::ceCircleAndWave)
        StartClickEffect(&Data, 0);
      return true;
    }
    case CN_DRAWITEM:
      Message.Result = 1;
      return true;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      ButtonMouseDown(H, Message);
      return true;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
      ButtonMouseUp(H, Message);
      return true;
    case WM_KEYUP:
      H.HostInherited(Message);
      if (Message.WParam == VK_SPACE) {
        Data.BGChanged = true;
        Data.Invalidate();
      }
      return true;
    case WM_SETFONT:
      H.HostInherited(Message);
      if (C.Visible()) {
        Data.Updating = false;
        Data.StopFading();
        Data.Invalidate();
      }
      return true;
    case CM_CANCELMODE:
      H.HostInherited(Message);
      HideLayeredEffect(Data.GlowId, false);
      return true;
    case CM_VISIBLECHANGED:
      H.HostInherited(Message);
      Data.BGChanged = true;
      Data.Updating = false;
      if (C.Visible()) {
        H.HostReapplyStyle();
        Data.Invalidate();
      }
      return true;
  }
  return false;
}
