#include "skin/controls/SkinnedControl.h"

#include "framework/GdiHandles.h"
#include "skin/core/SkinUtils.h"
#include "skin/forms/SkinColors.h"
#include "skin/forms/WindowQueries.h"
#include "skin/manager/SkinManager.h"
#include "skin/painting/ParentBackground.h"
#include "skin/state/CacheCorners.h"
#include "skin/state/ControlKinds.h"
#include "skin/state/ControlSkinPainting.h"
#include "skin/state/StateServices.h"
#include "skin/state/ThreadedTimer.h"
#include "skin/graphics/FrameDrawing.h"

String DefaultSectionName(int Number) {
  if (Number < 1 || Number > int(DefaultSectionNames.size())) return String();
  return DefaultSectionNames[Number - 1];
}

void RecalcFrame(TWinControl& Control, bool NoRedraw) {
  const HWND Wnd = Control.HandleIfAllocated();
  if (!Wnd) return;
  const UINT Flags = SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED | SWP_NOCOPYBITS |
                     SWP_NOOWNERZORDER | SWP_NOSENDCHANGING | (NoRedraw ? SWP_NOREDRAW : 0);
  SetWindowPos(Wnd, nullptr, 0, 0, 0, 0, Flags);
}

bool WindowAnimationRunning() { return StateServices.FormAnimationRunning && StateServices.FormAnimationRunning(); }

bool CanUpdateSkinnedControl(TControl* Control) { return CanUpdateControl(Control); }

namespace {

void RedrawWhole(TWinControl& Control) {
  const HWND Wnd = Control.HandleIfAllocated();
  if (Wnd && IsWindowVisible(Wnd) && !WindowAnimationRunning())
    RedrawWindow(Wnd, nullptr, nullptr, RDW_FRAME | RDW_ERASE | RDW_INVALIDATE);
}

}  // namespace

bool HandleSkinnedStage1(TWinControl& Control, TsCommonData& Data, TMessage& Message, const TacStage1Info& Info) {
  if (Message.Msg != WM_SKINCOMMAND) return false;
  const auto OwnManager = [&] { return reinterpret_cast<LPARAM>(Data.GetSkinManager()) == Message.LParam; };
  switch (SkinCommandCode(Message.WParam)) {
    case AC_SKINLOADED:
      if (!OwnManager()) return false;
      HandleSkinCommand(Message, &Data);
      return true;
    case AC_SKINREMOVED:
      if (!OwnManager()) return false;
      HandleSkinCommand(Message, &Data);
      if (Info.SkinRemoved)
        Info.SkinRemoved();
      else
        RecalcFrame(Control);
      return true;
    case AC_SKINREFRESH:
      if (!IsRefreshForMe(&Data, Message)) return false;
      HandleSkinCommand(Message, &Data);
      if (Info.Refreshed)
        Info.Refreshed();
      else
        RedrawWhole(Control);
      return true;
    case AC_ISSKINNED:
      if (!Info.AnswerIsSkinned) break;
      Message.Result = 1;
      return true;
    case AC_GETDEFSECTION:
      Message.Result = Info.DefSection;
      return true;
    case AC_GETDEFINDEX:
      if (TsSkinManager* Manager = Data.GetSkinManager())
        Message.Result = Manager->GetSectionIndex(DefaultSectionName(Info.DefSection)) + 1;
      return true;
    case AC_GETBGCOLOR:
      if (Data.IsSkinned()) break;
      Message.Result = LRESULT(SkinColorToRGB(Control.Color(), Data.GetSkinManager()));
      return true;
    case AC_BUILDCACHE:
      if (Info.BuildCache) Info.BuildCache();
      return true;
    case AC_SETPPI:
      Data.StateBits |= acsRecalcFrame;
      HandleSkinCommand(Message, &Data);
      RecalcFrame(Control);
      if (Info.BoundLabel) Info.BoundLabel->SetLabelPPI(int(Message.LParam));
      return true;
  }
  return HandleSkinCommand(Message, &Data);
}

bool PrepareSkinnedCache(TWinControl& Control, TsCommonData& Data, TacBackgroundInfo& Bg) {
  Bg = TacBackgroundInfo{};
  Bg.R = Control.BoundsRect();
  QueryControlBackground(Bg, Control.Parent(), false);
  if (Bg.BgKind == bgkNotReady) return false;
  Data.InitCacheBmp();
  return true;
}

void PaintSkinnedFace(TWinControl& Control, TsCommonData& Data, const TacBackgroundInfo& Bg, bool WithBorder) {
  TacBackgroundSource Source;
  BackgroundInfoToSource(Bg, Source);
  const RECT R{0, 0, Control.Width(), Control.Height()};
  const POINT Offset{Control.Left(), Control.Top()};
  if (WithBorder)
    PaintControlSkin(Data, Source, Data.GetCtrlState(), R, Offset, Data.CacheBmp.get(), true);
  else
    FillControlBackground(Data, Source, Data.GetCtrlState(), R, Offset, Data.CacheBmp.get());
}

void FinishSkinnedCache(TWinControl& Control, TsCommonData& Data, const TacBackgroundInfo& Bg, uint8_t DisabledKind) {
  if (!Control.Enabled() && Data.CacheBmp) {
    TacBackgroundSource Source;
    BackgroundInfoToSource(Bg, Source);
    ApplyDisabledKind(*Data.CacheBmp, DisabledKind, Source, POINT{Control.Left(), Control.Top()}, Data.GetBgColor());
  }
  Data.BGChanged = false;
}

bool SkinnedCacheStale(TWinControl& Control, TsCommonData& Data, bool& OutsideParent) {
  bool Stale = Data.BGChanged || OutsideParent;
  if (!Stale && Control.Parent()) Stale = QueryCtrlCommand(Control.Parent(), AC_GETCHILDBGFLAG) != 0;
  Data.BGChanged = Stale;
  if (TWinControl* Parent = Control.Parent()) {
    const RECT Bounds{Control.Left(), Control.Top(), Control.Left() + Control.Width(),
                      Control.Top() + Control.Height()};
    OutsideParent = !RectWithin(Parent->ClientRect(), Bounds, true);
  }
  return Stale;
}

void PaintSkinnedWindow(TWinControl& Control, TsCommonData& Data, HDC DC, bool& OutsideParent,
                        const std::function<bool()>& BuildCache) {
  const HWND Wnd = Control.HandleIfAllocated();
  PAINTSTRUCT Ps{};
  // A paint into a given DC (a copy, a print pass) leaves the window's
  // update region alone; while an animation captures, the window is only
  // validated.
  const bool Began = Wnd && !DC && !WindowAnimationRunning();
  if (Began) BeginPaint(Wnd, &Ps);
  if (!Data.CheckUpdating(false)) {
    HDC Target = DC;
    HDC WindowDC = nullptr;
    int Saved = 0;
    if (!Target && Wnd) {
      WindowDC = GetWindowDC(Wnd);
      Saved = SaveDC(WindowDC);
      Target = WindowDC;
    }
    if (Target) {
      const int W = Control.Width(), H = Control.Height();
      if (Data.PulseTimer && Data.PulseTimer->Enabled() && Data.PulseTimer->FrameImage) {
        BitBlt(Target, 0, 0, W, H, Data.PulseTimer->FrameImage->DC(), 0, 0, SRCCOPY);
      } else {
        bool Ready = true;
        if (SkinnedCacheStale(Control, Data, OutsideParent)) Ready = BuildCache();
        if (!Ready) {
          Data.Updating = true;
        } else if (Data.CacheBmp) {
          FillCacheCorners(&Data, 0, 15);
          BitBlt(Target, 0, 0, W, H, Data.CacheBmp->DC(), 0, 0, SRCCOPY);
        }
      }
    }
    if (WindowDC) {
      RestoreDC(WindowDC, Saved);
      ReleaseDC(Wnd, WindowDC);
    }
  }
  if (Began)
    EndPaint(Wnd, &Ps);
  else if (Wnd && !DC)
    ValidateRect(Wnd, nullptr);
}

void PaintSkinnedFrame(TWinControl& Control, TsCommonData& Data, const RECT& FrameWidth) {
  const HWND Wnd = Control.HandleIfAllocated();
  if (!Wnd || !Data.CacheBmp || Data.CacheBmp->Width() == 0) return;
  if (FrameWidth.left == 0 && FrameWidth.top == 0 && FrameWidth.right == 0 && FrameWidth.bottom == 0) return;
  const HDC DC = GetWindowDC(Wnd);
  if (!DC) return;
  const int Saved = SaveDC(DC);
  BlitFrameStrips(DC, 0, 0, Control.Width(), Control.Height(), Data.CacheBmp->DC(), 0, 0, FrameWidth.left,
                  FrameWidth.top, FrameWidth.right, FrameWidth.bottom);
  RestoreDC(DC, Saved);
  ReleaseDC(Wnd, DC);
}

void PrintSkinnedControl(TWinControl& Control, TsCommonData& Data, TMessage& Message, const RECT& FrameWidth,
                         bool Rebuild, bool& OutsideParent, const std::function<bool()>& BuildCache) {
  const HDC DC = reinterpret_cast<HDC>(Message.WParam);
  if (!DC) return;
  if (Data.StateBits & acsRecalcFrame) {
    Data.StateBits &= ~acsRecalcFrame;
    RecalcFrame(Control, true);
  }
  Data.Updating = false;
  if ((Rebuild || SkinnedCacheStale(Control, Data, OutsideParent)) && !BuildCache()) return;
  if (!Data.CacheBmp) return;
  FillCacheCorners(&Data, 0, 15);
  const int Saved = SaveDC(DC);
  if (Message.LParam & PRF_CLIENT) {
    // The client part alone: the DC's origin is the client's.
    POINT Origin;
    GetViewportOrgEx(DC, &Origin);
    SetViewportOrgEx(DC, Origin.x - FrameWidth.left, Origin.y - FrameWidth.top, nullptr);
    IntersectClipRect(DC, FrameWidth.left, FrameWidth.top, Control.Width() - FrameWidth.right,
                      Control.Height() - FrameWidth.bottom);
  } else {
    BlitFrameStrips(DC, 0, 0, Control.Width(), Control.Height(), Data.CacheBmp->DC(), 0, 0, FrameWidth.left,
                    FrameWidth.top, FrameWidth.right, FrameWidth.bottom);
  }
  const HDC SavedPrintDC = Data.PrintDC;
  Data.PrintDC = DC;
  BitBlt(DC, 0, 0, Control.Width(), Control.Height(), Data.CacheBmp->DC(), 0, 0, SRCCOPY);
  Data.PrintDC = SavedPrintDC;
  RestoreDC(DC, Saved);
}

void AfterSkinnedMessage(TWinControl& Control, TsCommonData& Data, const TMessage& Message) {
  switch (Message.Msg) {
    case WM_SETTEXT:
    case CM_VISIBLECHANGED:
    case CM_ENABLEDCHANGED:
    case CM_TEXTCHANGED:
      Data.BGChanged = true;
      if (Control.Loading() || WindowAnimationRunning()) break;
      Control.Invalidate();
      Control.Update();
      if (const HWND Wnd = Control.HandleIfAllocated()) SendMessageW(Wnd, WM_NCPAINT, 0, 0);
      break;
    case WM_SETFONT:
      Data.Invalidate();
      break;
    case WM_SKINCOMMAND:
      if (SkinCommandCode(Message.WParam) == AC_UPDATEDONE && Data.Updating && !Data.CheckUpdating(true)) {
        Data.BGChanged = true;
        RedrawWhole(Control);
      }
      break;
  }
}
