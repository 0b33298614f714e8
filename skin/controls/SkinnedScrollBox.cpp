#include "skin/controls/SkinnedScrollBox.h"

#include <algorithm>

#include "framework/Form.h"
#include "framework/SavedDC.h"
#include "skin/controls/SectionBorderPainter.h"
#include "skin/controls/SkinnedContainer.h"
#include "skin/forms/ChildMessages.h"
#include "skin/forms/GraphicChildren.h"
#include "skin/forms/WindowQueries.h"
#include "skin/graphics/FrameDrawing.h"
#include "skin/graphics/PixelRoutines.h"
#include "skin/manager/SkinManager.h"
#include "skin/painting/ChildClip.h"
#include "skin/state/CacheCopies.h"
#include "skin/state/CacheCorners.h"
#include "skin/state/ControlSkinPainting.h"

namespace {

// Guards the wheel handed to the focused control against coming back here.
bool gInWheel = false;

WPARAM ShiftToKeys(TShiftState Shift) {
  WPARAM Keys = 0;
  if (Shift & ssShift) Keys |= MK_SHIFT;
  if (Shift & ssCtrl) Keys |= MK_CONTROL;
  if (Shift & ssLeft) Keys |= MK_LBUTTON;
  if (Shift & ssRight) Keys |= MK_RBUTTON;
  if (Shift & ssMiddle) Keys |= MK_MBUTTON;
  return Keys;
}

}  // namespace

TsScrollBox::TsScrollBox(TComponent* Owner) : TacSkinnedControl<TScrollBox, TsScrollWndData>(Owner, 58, ssPanelLow) {
  AfterConstruction();
  AttachScrollWrapper();
}

TsScrollBox::~TsScrollBox() { Destroying_(); }

void TsScrollBox::Loaded() {
  AttachScrollWrapper();
  TacSkinnedControl<TScrollBox, TsScrollWndData>::Loaded();
}

void TsScrollBox::SetParent(TWinControl* AParent) {
  TacSkinnedControl<TScrollBox, TsScrollWndData>::SetParent(AParent);
  if (AParent) SkinData()->Loaded(true);
}

void TsScrollBox::SetAutoMouseWheel(bool Value) {
  FAutoMouseWheel = Value;
  if (Value) {
    HorzScrollBar().SetTracking(true);
    VertScrollBar().SetTracking(true);
  }
}

int TsScrollBox::EdgeWidth() const { return 2; }  // the system's sunken edge; the wrapper's own with the hooks

int TsScrollBox::BorderSize() const { return BorderStyle() == TBorderStyle::bsSingle ? EdgeWidth() : 0; }

bool TsScrollBox::PrepareCache() {
  TsScrollWndData& Data = *SkinData();
  if (!PaintContainerFace(*this, Data)) return false;
  Data.BGChanged = false;
  const int B = BorderSize();
  Data.PaintChildrenOuterEffects(this, POINT{B, B});
  if (OnPaint) {
    TCanvas& C = Canvas();
    C.Lock();
    OnPaint(Data.CacheBmp.get());
    C.Unlock();
  }
  // Children and painters read the cache's bits directly.
  GdiFlush();
  return true;
}

bool TsScrollBox::CacheStale() const {
  const TsScrollWndData& Data = *SkinData();
  return Data.BGChanged || !Data.CacheBmp || Data.CacheBmp->Empty();
}

void TsScrollBox::PaintScrollBox(HDC DC) {
  TsScrollWndData& Data = *SkinData();
  std::unique_ptr<TWindowDC> Fetched;
  if (!DC) {
    Fetched = std::make_unique<TWindowDC>(Handle());
    DC = Fetched->get();
  }
  const int B = BorderSize();
  const int W = Width(), H = Height();
  if (Data.CustomColor() && !OnPaint) {
    TSavedDC Saved(DC);
    ExcludeChildrenFromClip(DC, *this, 0, 0);
    MoveDCOrigin(DC, -B, -B);
    RECT Inner{0, 0, W, H};
    PaintSectionBorder(DC, RECT{0, 0, W, H}, Data.GetMaskBorderWidth(), Data, 0, Inner);
    FillRectOnDC(DC, Inner, ColorToRGB(Color()), 0);
    MoveDCOrigin(DC, B, B);
    PaintGraphicChildren(DC, this, POINT{0, 0}, Data.PrintDC == nullptr);
    Data.CacheBmp.reset();
  } else if (!Data.IsUpdating()) {
    RECT Clip{};
    GetClipBox(DC, &Clip);
    const bool Need = Data.ChildBgChanged || Data.BGChanged;
    Data.ChildBgChanged = Data.DependsOnParentBg() && (Clip.right - Clip.left != W || Clip.bottom - Clip.top != H);
    if ((Need || !Data.CacheBmp || Data.CacheBmp->Empty()) && !PrepareCache()) return;
    CopyCacheExcludingChildren(this, &Data, POINT{B, B}, POINT{0, 0}, false, DC,
                               RECT{0, 0, std::max(0, W - 2 * B), std::max(0, H - 2 * B)});
    PaintGraphicChildren(DC, this, POINT{0, 0}, Data.PrintDC == nullptr);
  }
  NotifyChildrenUpdated(this);
}

void TsScrollBox::PaintFrameStrips(HDC WindowDC) {
  TsScrollWndData& Data = *SkinData();
  if (!Data.CacheBmp || Data.CacheBmp->Empty()) return;
  const int B = BorderSize();
  if (B > 0) BlitFrameStrips(WindowDC, 0, 0, Width(), Height(), Data.CacheBmp->DC(), 0, 0, B, B, B, B);
}

void TsScrollBox::NcPaint(TMessage& Message) {
  TsScrollWndData& Data = *SkinData();
  // The system's scroll bars stay until the control hooks paint them: the
  // default frame and bars first, the skin's frame over the edge.
  TScrollBox::WndProc(Message);
  if (WindowAnimationRunning() || !CanUpdateControl(this) || Data.IsUpdating()) return;
  if (CacheStale() && !PrepareCache()) return;
  FillCacheCorners(&Data, 0, 15);
  const HDC DC = GetWindowDC(Handle());
  if (!DC) return;
  PaintFrameStrips(DC);
  ReleaseDC(Handle(), DC);
}

void TsScrollBox::PrintBox(TMessage& Message) {
  TsScrollWndData& Data = *SkinData();
  Data.Updating = false;
  const HDC DC = reinterpret_cast<HDC>(Message.WParam);
  if (!DC || !CanUpdateControl(this) || !PrepareCache()) return;
  PaintFrameStrips(DC);
  const int B = BorderSize();
  TSavedDC Saved(DC);
  MoveDCOrigin(DC, B, B);
  RECT Client = ClientRect();
  IntersectClipRect(DC, Client.left, Client.top, Client.right, Client.bottom);
  Data.ChildBgChanged = 0;
  const HDC SavedPrint = Data.PrintDC;
  Data.PrintDC = DC;
  PaintScrollBox(DC);
  Data.PrintDC = SavedPrint;
}

bool TsScrollBox::DoMouseWheel(TShiftState Shift, int Delta, POINT MousePos) {
  if (!FAutoMouseWheel) return TScrollBox::DoMouseWheel(Shift, Delta, MousePos);
  if (gInWheel) return false;
  TForm* Form = ParentFormOf(this);
  if (!Form) return true;
  const int D = Delta * FWheelDelta / 120;
  if (TWinControl* Active = Form->ActiveControl(); Active && Active != this) {
    gInWheel = true;
    LRESULT Answer = 0;
    try {
      Answer = SendMessageW(Active->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(ShiftToKeys(Shift), short(D)),
                            MAKELPARAM(MousePos.x, MousePos.y));
    } catch (...) {
      gInWheel = false;
      throw;
    }
    gInWheel = false;
    RefreshScrollBars();
    if (Answer != 0) return true;
  }
  TControlScrollBar& Bar = VertScrollBar();
  // Clamped to the positions the bar can take, so that a turn at either end
  // fires no scroll events.
  const int NewPos = std::clamp(Bar.Position() - D * Bar.Increment() / 120, 0, Bar.MaxPosition());
  if (NewPos == Bar.Position()) return true;
  if (OnBeforeScroll) OnBeforeScroll(this);
  Perform(WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, NewPos), 0);
  if (OnAfterScroll) OnAfterScroll(this);
  if (!SkinData()->IsSkinned() && HandleAllocated()) SendMessageW(Handle(), WM_NCPAINT, 1, 0);
  return true;
}

bool TsScrollBox::ScrollBoxSkinCommand(TMessage& Message) {
  TsScrollWndData& Data = *SkinData();
  const HWND Wnd = HandleIfAllocated();
  const auto Removed = [this, Wnd] {
    if (Wnd && !Destroying()) {
      RecreateWnd();
      Invalidate();
    }
  };
  const auto Refreshed = [this, &Data, Wnd] {
    RecalcFrame(*this);
    if (Wnd) {
      UINT Flags = RDW_INVALIDATE | RDW_ERASE | RDW_NOCHILDREN | RDW_FRAME;
      if (!Data.IsUpdating() && !WindowAnimationRunning()) Flags |= RDW_UPDATENOW;
      RedrawWindow(Wnd, nullptr, nullptr, Flags);
    }
    AttachScrollWrapper();
  };
  if (PassSkinChangeOn(*this, Data, Message, Removed, Refreshed)) return true;
  switch (SkinCommandCode(Message.WParam)) {
    case AC_UPDATEDONE:
      if (Data.Updating && !Data.CheckUpdating(true) && Wnd)
        RedrawWindow(Wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_NOCHILDREN | RDW_UPDATENOW | RDW_FRAME);
      NotifyChildrenUpdated(this);
      return true;
    case AC_ISSKINNED:
      Message.Result = 1;
      return true;
    case AC_GETDEFINDEX:
      if (TsSkinManager* Manager = Data.GetSkinManager())
        Message.Result = Manager->GetSectionIndex(BorderStyle() == TBorderStyle::bsNone ? L"TRANSPARENT"
                                                                                        : L"PANEL_LOW") +
                         1;
      return true;
    case AC_REDRAW:
      if (Wnd) RedrawWindow(Wnd, nullptr, nullptr, RDW_FRAME | RDW_ALLCHILDREN | RDW_ERASE | RDW_INVALIDATE);
      return HandleSkinCommand(Message, &Data);
    case AC_BUILDCACHE:
      if (Data.IsSkinned() && !Data.IsUpdating()) PrepareCache();
      return true;
    case AC_GETBG:
      if (auto* Info = reinterpret_cast<TacBackgroundInfo*>(Message.LParam)) {
        Data.GetBgInfo(*Info, Data.Focused || Data.MouseAbove ? 1 : 0);
        // Children sit in the client area, the cache covers the whole window.
        const int Edge = BorderSize();
        Info->OffsetX += Edge;
        Info->OffsetY += Edge;
      }
      return true;
    case AC_BEFORESCROLL: {
      if (OnBeforeScroll) OnBeforeScroll(this);
      const bool Horz = HIWORD(Message.LParam) == WM_HSCROLL;
      TControlScrollBar& Bar = Horz ? HorzScrollBar() : VertScrollBar();
      FScrollStartPos = Bar.Position();
      if (Bar.Tracking() && Wnd) SendMessageW(Wnd, WM_SETREDRAW, 0, 0);
      return true;
    }
    case AC_AFTERSCROLL: {
      const bool Horz = HIWORD(Message.LParam) == WM_HSCROLL;
      TControlScrollBar& Bar = Horz ? HorzScrollBar() : VertScrollBar();
      if (Wnd) {
        if (Bar.Tracking()) {
          SendMessageW(Wnd, WM_SETREDRAW, 1, 0);
          for (int I = 0; I < ControlCount(); ++I)
            SendCtrlMessage(Controls(I), WM_SKINCOMMAND, SkinCommandWParam(AC_PARENTBGCHANGED, 1), 0);
        }
        RedrawWindow(Wnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_ERASE | RDW_INVALIDATE);
      }
      if (OnAfterScroll) OnAfterScroll(this);
      return true;
    }
    case AC_GETDEFSECTION:
      Message.Result = ssPanelLow;
      return true;
  }
  return HandleSkinCommand(Message, &Data);
}

void TsScrollBox::SkinnedBoxMessage(TMessage& Message) {
  TsScrollWndData& Data = *SkinData();
  switch (Message.Msg) {
    case WM_PAINT: {
      PAINTSTRUCT Ps{};
      const HDC PaintDC = BeginPaint(Handle(), &Ps);
      PaintScrollBox(Message.WParam ? reinterpret_cast<HDC>(Message.WParam) : PaintDC);
      EndPaint(Handle(), &Ps);
      Message.Result = 0;
      return;
    }
    case WM_NCPAINT:
      if (BorderStyle() == TBorderStyle::bsNone || !IsWindowVisible(Handle())) break;
      NcPaint(Message);
      return;
    case WM_ERASEBKGND:
      if (Data.IsUpdating()) {
        Message.Result = 1;
        return;
      }
      if ((ControlState() & csPaintCopy) || Message.WParam == WPARAM(Message.LParam)) {
        if (HDC DC = reinterpret_cast<HDC>(Message.WParam); DC && !Data.CustomColor()) {
          if (CacheStale()) PrepareCache();
          if (Data.CacheBmp) BitBlt(DC, 0, 0, Width(), Height(), Data.CacheBmp->DC(), 0, 0, SRCCOPY);
        }
      } else if (!WindowAnimationRunning() || Data.PrintDC) {
        PaintScrollBox(reinterpret_cast<HDC>(Message.WParam));
      }
      Message.Result = 1;
      return;
    case WM_PRINT:
      PrintBox(Message);
      return;
    case WM_SKINCOMMAND:
      if (SkinCommandCode(Message.WParam) == AC_ISUPDATING) {
        Message.Result = Data.Updating;
        return;
      }
      break;
    case CM_VISIBLECHANGED:
      Data.BGChanged = true;
      Data.Updating = false;
      if (Visible()) PrepareCache();
      TScrollBox::WndProc(Message);
      if (Visible()) NotifyChildrenUpdated(this);
      return;
    case CM_ENTER:
    case CM_EXIT:
      Data.BeginUpdate();
      TScrollBox::WndProc(Message);
      Data.EndUpdate(false);
      return;
  }
  TScrollBox::WndProc(Message);
  if (Message.Result < 0) return;
  switch (Message.Msg) {
    case WM_SIZE:
      if (!Data.IsUpdating())
        RedrawWindow(Handle(), nullptr, nullptr, RDW_FRAME | RDW_ALLCHILDREN | RDW_ERASE | RDW_INVALIDATE);
      break;
    case WM_WINDOWPOSCHANGING:
    case WM_MOUSEWHEEL:
    case CM_CONTROLLISTCHANGE:
    case CM_CONTROLCHANGE:
      if (AutoScroll() && !Data.IsUpdating()) RefreshScrollBars();
      break;
    case WM_LBUTTONDOWN:
      if (FAutoMouseWheel && CanFocus() && Parent() && Parent()->Visible()) SetFocus();
      break;
    case WM_PARENTNOTIFY:
      if ((LOWORD(Message.WParam) == WM_CREATE || LOWORD(Message.WParam) == WM_DESTROY) && AutoScroll())
        RefreshScrollBars();
      break;
    case CM_FOCUSCHANGED:
      if (Data.Focused) RefreshScrollBars();
      break;
    case CM_SHOWINGCHANGED:
      AttachScrollWrapper();
      break;
  }
}

void TsScrollBox::PaintWindow(HDC DC) {
  if (!Skinned()) TScrollBox::PaintWindow(DC);
}

void TsScrollBox::WndProc(TMessage& Message) {
  if (Message.Msg == WM_SKINCOMMAND && SkinCommandCode(Message.WParam) != AC_ISUPDATING &&
      ScrollBoxSkinCommand(Message)) {
  } else if (Message.Msg == WM_NCHITTEST) {
    Message.Result = DefWindowProcW(Handle(), Message.Msg, Message.WParam, Message.LParam);
  } else if (!CanUpdateControl(this)) {
    TScrollBox::WndProc(Message);
  } else if (Skinned()) {
    SkinnedBoxMessage(Message);
  } else {
    TScrollBox::WndProc(Message);
  }
  FireOwnMouseEvents(*this, Message, OnMouseEnter, OnMouseLeave);
}
