#include "skin/controls/SkinnedPanel.h"

#include <algorithm>

#include "framework/SavedDC.h"
#include "skin/forms/CaptionText.h"
#include "skin/forms/ChildMessages.h"
#include "skin/forms/GraphicChildren.h"
#include "skin/graphics/Bitmap32.h"
#include "skin/graphics/Blend32.h"
#include "skin/graphics/FrameDrawing.h"
#include "skin/graphics/PixelRoutines.h"
#include "skin/manager/SkinManager.h"
#include "skin/painting/ChildClip.h"
#include "skin/controls/SectionBorderPainter.h"
#include "skin/controls/SkinnedContainer.h"
#include "skin/state/CacheCopies.h"
#include "skin/state/ControlSkinPainting.h"
#include "skin/state/ControlText.h"
#include "skin/state/SectionLookup.h"
#include "skin/state/StateQueries.h"
#include "skin/state/StateServices.h"
#include "skin/state/ThreadedTimer.h"

namespace {

// Form skinning decides how a control's captions meet a see-through
// background; until it exists every caption is drawn plainly.
int SkinTransparencyMode(TsCommonData&) { return 0; }

constexpr uint32_t kPrivateAntiAliased = 0x40000000;

// Black, opaque at the panel's edge and fading linearly to clear over the
// bitmap's depth; the blend is applied as the opacity of the copy. (The
// shared fade painter leaves the alpha of a 32-bit bitmap untouched where
// the system draws its gradients.)
void FillShadowFade(TBitmap& Bmp, TacSide Side) {
  const bool Horizontal = Side == TacSide::asLeft || Side == TacSide::asRight;
  const int Depth = Horizontal ? Bmp.Width() : Bmp.Height();
  for (int I = 0; I < Depth; ++I) {
    // I counts from the panel's edge inward.
    const int Pos = (Side == TacSide::asLeft || Side == TacSide::asTop) ? I : Depth - 1 - I;
    const uint8_t Alpha = uint8_t(255 * (Depth - I) / Depth);
    const RECT Line = Horizontal ? RECT{Pos, 0, Pos + 1, Bmp.Height()} : RECT{0, Pos, Bmp.Width(), Pos + 1};
    FillRect32(Bmp, Line, 0, Alpha);
  }
}

}  // namespace

TsCustomPanel::TsCustomPanel(TComponent* Owner)
    : TacSkinnedControl<TPanel>(Owner, 51, ssPanel),
      FSideShadow(std::make_unique<TacSideShadow>([this] { SideShadowChanged(); })) {
  AfterConstruction();
}

TsCustomPanel::~TsCustomPanel() { Destroying_(); }

void TsCustomPanel::Loaded() {
  TacSkinnedControl<TPanel>::Loaded();
  FLastBevelOuter = BevelOuter();
  // What shows before the first skinned paint is the system face, not white.
  if (HWND Wnd = HandleIfAllocated())
    SetClassLongPtrW(Wnd, GCLP_HBRBACKGROUND, reinterpret_cast<LONG_PTR>(GetSysColorBrush(COLOR_BTNFACE)));
}

void TsCustomPanel::CreateWnd() {
  TacSkinnedControl<TPanel>::CreateWnd();
  if (!SkinData()->OpaqueBusy && StateServices.PropagateOpaqueState) StateServices.PropagateOpaqueState(this, true);
}

void TsCustomPanel::Paint(TCanvas& Canvas) {
  TPanel::Paint(Canvas);
  if (OnPaint && Showing()) OnPaint(this, Canvas);
}

void TsCustomPanel::PaintWindow(HDC DC) {
  if (!Visible() || Destroying()) return;
  if (!(SkinData()->IsSkinned() && (ControlState() & csPaintCopy))) TPanel::PaintWindow(DC);
  PaintPanel(DC, true);
}

int TsCustomPanel::DefaultIndex() {
  TsSkinManager* Manager = SkinData()->GetSkinManager();
  if (!Manager) return 0;
  int Number = ssPanel;
  switch (BevelOuter()) {
    case TBevelCut::bvNone:
      Number = ssTransparent;
      break;
    case TBevelCut::bvLowered:
      Number = ssPanelLow;
      break;
    case TBevelCut::bvRaised:
      Number = ssPanel;
      break;
    case TBevelCut::bvSpace:
      Number = ssGroupBox;
      break;
  }
  // A skin without the section answers 0: the panel stays unskinned.
  return Manager->GetSectionIndex(DefaultSectionName(Number)) + 1;
}

void TsCustomPanel::CopyCacheTo(HDC DC) {
  const RECT R{0, 0, Width(), Height()};
  CopyCacheExcludingChildren(this, SkinData(), POINT{0, 0}, POINT{0, 0}, false, DC, R);
}

bool TsCustomPanel::HasAlNoneChild() const {
  for (int I = 0; I < ControlCount(); ++I)
    if (Controls(I)->Align() == TAlign::alNone) return true;
  return false;
}

void TsCustomPanel::PaintPanel(HDC DC, bool NotifyChildren) {
  TsCtrlSkinData& Data = *SkinData();
  if (!(Showing() || Data.PrintDC) || !Data.IsSkinned()) return;
  const HDC Target = DC ? DC : Canvas().Handle();
  const bool Copy = (ControlState() & csPaintCopy) != 0;
  // OnPaint draws into the cache (PrepareCache), so it keeps the cache path.
  if ((!Data.CustomColor() || OnPaint) && !WindowAnimationRunning()) {
    RECT Clip{};
    const int ClipKind = GetClipBox(Target, &Clip);
    if (ClipKind == ERROR) return;
    const RECT Whole{0, 0, Width(), Height()};
    if (ClipKind == NULLREGION && HasAlNoneChild() && RectVisible(Target, &Whole)) {
      Data.Updating = true;
      return;
    }
    if (!(Data.CheckUpdating(false) && !Copy)) {
      bool Repainted = false;
      if (Data.PulseTimer && Data.PulseTimer->Enabled() && Data.PulseTimer->FrameImage) {
        BitBlt(Target, 0, 0, Width(), Height(), Data.PulseTimer->FrameImage->DC(), 0, 0, SRCCOPY);
        Repainted = true;
      } else {
        const bool Need = Data.ChildBgChanged || Data.BGChanged || !Data.CacheBmp || Data.CacheBmp->Empty();
        const bool PartClip = Clip.right - Clip.left != Width() || Clip.bottom - Clip.top != Height();
        Data.ChildBgChanged = Data.DependsOnParentBg() && !Copy && PartClip;
        if (Need) {
          Repainted = true;
          if (!PrepareCache() && Data.BGChanged) return;
        }
        CopyCacheTo(Target);
      }
      (void)Repainted;  // graphic children rebuild their own backgrounds when asked
      PaintGraphicChildren(Target, this, POINT{0, 0}, Data.PrintDC == nullptr);
    }
  } else if (Data.CustomColor() && !OnPaint && !WindowAnimationRunning()) {
    CustomColorPaint(Target);
  }
  if (NotifyChildren && !Copy) NotifyChildrenUpdated(this);
}

void TsCustomPanel::CustomColorPaint(HDC Target) {
  TsCtrlSkinData& Data = *SkinData();
  const RECT R{0, 0, Width(), Height()};
  Data.Updating = false;
  const int M = Data.GetMaskBorderWidth();
  TSavedDC Saved(Target);
  ExcludeChildrenFromClip(Target, *this, 0, 0);
  const uint32_t Color = ColorToRGB(this->Color());
  if (M == 0) {
    FillRectOnDC(Target, R, Color, 0);
  } else {
    Data.InitCacheBmp();
    TacSkinData* Skin = Data.GetScaledSkinData();
    const TsGeneralData* Section = SectionAt(Skin, Data.SkinIndex);
    const TsMaskData* Mask = Section ? BorderMaskOf(Skin, *Section) : nullptr;
    RECT Inner = R;
    if ((Section && Section->Props[0].Transparency != 100) || (Mask && (Mask->DrawMode & 4) == 0)) {
      PaintSectionBorder(Data.CacheBmp->DC(), R, M, Data, 0, Inner);
      FillRectOnDC(Target, Inner, Color, 0);
      BlitFrameStrips(Target, 0, 0, Width(), Height(), Data.CacheBmp->DC(), 0, 0, M, M, M, M);
    } else {
      PaintSectionBorder(Data.CacheBmp->DC(), R, 0, Data, 0, Inner);
      BitBlt(Target, 0, 0, Width(), Height(), Data.CacheBmp->DC(), 0, 0, SRCCOPY);
    }
  }
  TCanvas TextCanvas(Target);
  TextCanvas.Font().Assign(Font());
  SetBkMode(Target, TRANSPARENT);
  WriteText(CaptionRect(), &TextCanvas, Target);
  PaintGraphicChildren(Target, this, POINT{0, 0}, Data.PrintDC == nullptr);
}

bool TsCustomPanel::PrepareCache() {
  TsCtrlSkinData& Data = *SkinData();
  if (!PaintContainerFace(*this, Data)) return false;
  ApplyColorEffects(Data.CacheBmp.get(), &Data, TColor(Data.ColorTone), 0);
  Data.PaintChildrenOuterEffects(this, POINT{0, 0});
  {
    TCanvas CacheCanvas(Data.CacheBmp->DC());
    CacheCanvas.Font().Assign(Font());
    SetBkMode(Data.CacheBmp->DC(), TRANSPARENT);
    WriteText(CaptionRect(), &CacheCanvas, nullptr);
    if (OnPaint) OnPaint(this, CacheCanvas);
  }
  // Dock grabbers come with docking, which the framework does not have.
  Data.BGChanged = false;
  PaintSideShadow();
  // Children and painters read the cache's bits directly.
  GdiFlush();
  return true;
}

void TsCustomPanel::WriteText(RECT R, TCanvas* Canvas, HDC DC) {
  const String Text = Caption();
  if (Text.empty() || !ShowCaption() || (!Canvas && !DC)) return;
  std::unique_ptr<TCanvas> Own;
  if (!Canvas) {
    Own = std::make_unique<TCanvas>(DC);
    Own->Font().Assign(Font());
    SetBkMode(DC, TRANSPARENT);
    Canvas = Own.get();
  }
  const int Mode = SkinTransparencyMode(*SkinData());
  UINT Flags = AlignToDrawTextFlags(Alignment()) | DT_WORDBREAK;
  if (Mode == 2) Flags |= kPrivateAntiAliased;
  RECT Measured = R;
  DrawTextCapped(Canvas->Handle(), Text, Measured, (Flags & ~kPrivateAntiAliased) | DT_CALCRECT);
  const int TextHeight = Measured.bottom - Measured.top;
  R.top = R.top + (R.bottom - R.top - TextHeight) / 2 + BorderWidth();
  R.bottom = R.top + TextHeight;
  DrawTextWithEffects(*Canvas, Text.c_str(), Enabled(), R, Flags, *SkinData(), 0, true);
  if (Mode == 1 && SkinData()->CacheBmp) SetAlphaRect(*SkinData()->CacheBmp, R, 255);
}

void TsCustomPanel::PaintSideShadow() {
  TsCtrlSkinData& Data = *SkinData();
  if (FSideShadow->Mode() != TacSideShadowMode::ssmInternal || !Data.CacheBmp) return;
  const int S = ScaleToPPI(FSideShadow->ShadowSize(), &Data);
  const int W = Width(), H = Height();
  RECT R{};
  switch (FSideShadow->Side()) {
    case TacSide::asLeft:
      R = RECT{0, 0, S, H};
      break;
    case TacSide::asTop:
      R = RECT{0, 0, W, S};
      break;
    case TacSide::asRight:
      R = RECT{W - S, 0, W, H};
      break;
    case TacSide::asBottom:
      R = RECT{0, H - S, W, H};
      break;
  }
  const int SW = R.right - R.left, SH = R.bottom - R.top;
  if (SW <= 0 || SH <= 0) return;
  if (!FShadowBmp || FShadowBmp->Width() != SW || FShadowBmp->Height() != SH) {
    FShadowBmp = NewBitmap32(SW, SH);
    FillShadowFade(*FShadowBmp, FSideShadow->Side());
  }
  const uint8_t Blend = uint8_t(std::clamp(FSideShadow->Blend(), 0, 255));
  DrawBitmapAlpha(*Data.CacheBmp, *FShadowBmp, RECT{0, 0, SW - 1, SH - 1}, POINT{R.left, R.top}, Blend);
}

void TsCustomPanel::SideShadowChanged() {
  if (Loading() || SkinData()->Loading) return;
  FShadowBmp.reset();
  SkinData()->BGChanged = true;
  for (int I = 0; I < ControlCount(); ++I) {
    TControl* Child = Controls(I);
    if (!Child->Destroying()) SendCtrlCommand(Child, AC_PARENTBGCHANGED, 0);
  }
  if (HWND Wnd = HandleIfAllocated())
    RedrawWindow(Wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void TsCustomPanel::AnswerBackground(TacBackgroundInfo& Info) {
  TsCtrlSkinData& Data = *SkinData();
  Data.GetBgInfo(Info, 0);
  if (Info.BgKind == bgkColor || Info.BgKind == bgkNotReady) return;
  const bool WrongSize = !Data.CacheBmp || Data.CacheBmp->Width() != Width() || Data.CacheBmp->Height() != Height();
  TWinControl* P = Parent();
  const bool ParentDecides = !P || !P->HandleAllocated() || IsControlSkinned(P);
  if (Data.BGChanged && WrongSize && !Data.IsUpdating() && ParentDecides) {
    Info.BgKind = bgkNotReady;
    Info.Bmp = nullptr;
  } else if (ClientWidth() != Width() && Info.BgKind == bgkBitmap && !Info.PleaseDraw) {
    Info.OffsetX += BorderWidth();
    Info.OffsetY += BorderWidth();
  }
}

bool TsCustomPanel::PanelSkinCommand(TMessage& Message) {
  TsCtrlSkinData& Data = *SkinData();
  const auto Refreshed = [this] {
    if (HWND Wnd = HandleIfAllocated()) {
      SetClassLongPtrW(Wnd, GCLP_HBRBACKGROUND, reinterpret_cast<LONG_PTR>(GetSysColorBrush(COLOR_BTNFACE)));
      if (!Loading() && IsWindowVisible(Wnd)) {
        InvalidateRect(Wnd, nullptr, TRUE);
        RedrawWindow(Wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_NOCHILDREN | RDW_UPDATENOW | RDW_FRAME);
      }
    }
  };
  const auto Removed = [this] { Invalidate(); };
  if (PassSkinChangeOn(*this, Data, Message, Removed, Refreshed)) return true;
  switch (SkinCommandCode(Message.WParam)) {
    case AC_ISSKINNED:
      Message.Result = 1;
      return true;
    case AC_GETDEFINDEX:
      Message.Result = DefaultIndex();
      return true;
    case AC_GETBG:
      if (!Data.GetSkinManager() || Data.SkinIndex < 0) return HandleSkinCommand(Message, &Data);
      if (auto* Info = reinterpret_cast<TacBackgroundInfo*>(Message.LParam)) AnswerBackground(*Info);
      return true;
    case AC_SETPPI:
      HandleSkinCommand(Message, &Data);
      return true;
    case AC_GETDEFSECTION:
      Message.Result = ssPanel;
      return true;
  }
  if (Skinned()) {
    switch (SkinCommandCode(Message.WParam)) {
      case AC_UPDATEDONE:
        if (Data.Updating && !Data.CheckUpdating(true)) {
          if (HWND Wnd = HandleIfAllocated())
            RedrawWindow(Wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_NOINTERNALPAINT | RDW_NOERASE | RDW_ALLCHILDREN);
          const bool SizeChanged = Data.CacheBmp &&
                                   (Data.CacheBmp->Width() != Width() || Data.CacheBmp->Height() != Height());
          if (SizeChanged && OnResize) OnResize(this);
        }
        NotifyChildrenUpdated(this);
        return true;
      case AC_BUILDCACHE:
        if (!Data.Updating && (Data.BGChanged || !Data.CacheBmp || Data.CacheBmp->Empty()) && !PrepareCache())
          Data.Updating = true;
        return true;
    }
  }
  return HandleSkinCommand(Message, &Data);
}

void TsCustomPanel::DefaultMessage(TMessage& Message) {
  if (!HandleCtrlSkinMessage(Message, SkinData())) TPanel::WndProc(Message);
}

void TsCustomPanel::PaintMessage(TMessage& Message) {
  const HWND Wnd = HandleIfAllocated();
  PAINTSTRUCT Ps{};
  const HDC PaintDC = BeginPaint(Wnd, &Ps);
  if (!SkinData()->CheckUpdating(false)) {
    // The paint DC is clipped to the update region already.
    const HDC DC = Message.WParam ? reinterpret_cast<HDC>(Message.WParam) : PaintDC;
    TSavedDC Saved(DC);
    SetControlState(ControlState() | csCustomPaint);
    PaintPanel(DC, true);
    SetControlState(ControlState() & ~csCustomPaint);
  }
  EndPaint(Wnd, &Ps);
  Message.Result = 0;
}

void TsCustomPanel::SkinnedPanelMessage(TMessage& Message) {
  TsCtrlSkinData& Data = *SkinData();
  switch (Message.Msg) {
    case WM_SIZE:
      Data.BGChanged = true;
      if (HandleAllocated() && IsWindowVisible(HandleIfAllocated())) {
        if (HandleCtrlSkinMessage(Message, &Data)) return;
        if (!Data.IsUpdating()) {
          Data.Updating = true;
          TPanel::WndProc(Message);
          Data.Updating = false;
          NotifyChildrenUpdated(this);
          return;
        }
      }
      TPanel::WndProc(Message);
      return;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      TPanel::WndProc(Message);
      return;
    case WM_PAINT:
      if (Visible()) {
        PaintMessage(Message);
        return;
      }
      break;
    case WM_ERASEBKGND: {
      const bool Copy = (ControlState() & csPaintCopy) != 0;
      if (Message.WParam != WPARAM(Message.LParam) && !Copy) {
        Message.Result = 1;
        return;
      }
      if (HDC DC = reinterpret_cast<HDC>(Message.WParam)) {
        if (Data.BGChanged || !Data.CacheBmp || Data.CacheBmp->Empty()) PrepareCache();
        if (Data.CacheBmp) BitBlt(DC, 0, 0, Width(), Height(), Data.CacheBmp->DC(), 0, 0, SRCCOPY);
      }
      Message.Result = 1;
      return;
    }
    case WM_PRINT: {
      Data.Updating = false;
      Data.ChildBgChanged = 0;
      if (Data.CustomColor() || Data.BGChanged) PrepareCache();
      const HDC Saved = Data.PrintDC;
      Data.PrintDC = reinterpret_cast<HDC>(Message.WParam);
      PaintPanel(reinterpret_cast<HDC>(Message.WParam), false);
      Data.PrintDC = Saved;
      return;
    }
    case WM_SETFONT:
      if (!Caption().empty()) {
        Data.BGChanged = true;
        DefaultMessage(Message);
        Repaint();
        return;
      }
      break;
    case WM_WINDOWPOSCHANGING: {
      // A see-through panel that moves shows another part of its parent.
      const auto* Pos = reinterpret_cast<const WINDOWPOS*>(Message.LParam);
      const TsGeneralData* Section = SectionAt(Data.GetScaledSkinData(), Data.SkinIndex);
      if (Pos && (Pos->flags & SWP_NOMOVE) == 0 && Section && Section->Props[0].Transparency != 0)
        Data.BGChanged = true;
      break;
    }
    case CM_COLORCHANGED:
      if (Data.CustomColor()) Data.BGChanged = true;
      break;
    case CM_VISIBLECHANGED:
      Data.BGChanged = true;
      Data.Updating = false;
      if (Visible()) {
        PrepareCache();
        TPanel::WndProc(Message);
        NotifyChildrenUpdated(this);
      } else {
        TPanel::WndProc(Message);
      }
      HandleCtrlSkinMessage(Message, &Data);
      return;
    case CM_TEXTCHANGED:
      if (Parent()) {
        Data.Invalidate(false);
        return;
      }
      break;
    case CM_SHOWINGCHANGED:
      if (Visible()) Data.Updating = false;
      break;
    case CM_ENABLEDCHANGED:
      TPanel::WndProc(Message);
      Data.Invalidate(false);
      return;
    case CM_INVALIDATE:
      if (BevelOuter() != FLastBevelOuter) {
        FLastBevelOuter = BevelOuter();
        Data.UpdateIndexes(true);
      }
      break;
  }
  DefaultMessage(Message);
}

void TsCustomPanel::UnskinnedPanelMessage(TMessage& Message) {
  switch (Message.Msg) {
    case WM_ERASEBKGND:
      if (OnPaint) {
        Message.Result = 1;
        return;
      }
      break;
    case WM_PRINT:
      Message.Result = Perform(WM_PAINT, Message.WParam, 0);
      return;
    case CM_INVALIDATE:
      // The section follows the bevel also while no skin paints the panel.
      if (BevelOuter() != FLastBevelOuter) {
        FLastBevelOuter = BevelOuter();
        SkinData()->UpdateIndexes(true);
      }
      break;
  }
  TPanel::WndProc(Message);
}

void TsCustomPanel::WndProc(TMessage& Message) {
  if (Message.Msg == WM_SKINCOMMAND && PanelSkinCommand(Message)) return;
  if (Message.Msg == WM_NCHITTEST && FTransparentForMouse) {
    Message.Result = HTTRANSPARENT;
    return;
  }
  if (Skinned())
    SkinnedPanelMessage(Message);
  else
    UnskinnedPanelMessage(Message);
  FireOwnMouseEvents(*this, Message, OnMouseEnter, OnMouseLeave);
}

TsPanel::TsPanel(TComponent* Owner) : TsCustomPanel(Owner) {}
