#include "skin/controls/SkinnedBitBtn.h"

#include "framework/GdiHandles.h"
#include "skin/core/GlyphLayout.h"
#include "skin/effects/MouseLight.h"
#include "skin/forms/SkinColors.h"
#include "skin/graphics/Bitmap32.h"
#include "skin/graphics/FrameDrawing.h"
#include "skin/graphics/PixelRoutines.h"
#include "skin/graphics/SystemButtonFace.h"
#include "skin/graphics/ThemeServices.h"
#include "skin/imagelists/ImageSizes.h"
#include "skin/manager/ManagerOptions.h"
#include "skin/manager/SkinManager.h"
#include "skin/painting/ParentBackground.h"
#include "skin/painting/SkinRect.h"
#include "skin/state/ControlSkinPainting.h"
#include "skin/state/ControlText.h"
#include "skin/state/SectionLookup.h"
#include "skin/state/GlowEffects.h"
#include "skin/state/StateQueries.h"
#include "skin/state/ThreadedTimer.h"

#include <algorithm>

namespace {

UINT AlignmentFlags(TAlignment Alignment) {
  switch (Alignment) {
    case TAlignment::taLeftJustify:
      return DT_LEFT;
    case TAlignment::taRightJustify:
      return DT_RIGHT;
    default:
      return DT_CENTER;
  }
}

uint8_t LayoutAlignment(TAlignment Alignment) {
  return Alignment == TAlignment::taLeftJustify ? 0 : Alignment == TAlignment::taRightJustify ? 1 : 2;
}

}  // namespace

TsBitBtn::TsBitBtn(TComponent* Owner) : TacSkinnedButtonBase(Owner, 94) {
  FControlStyle &= ~csOpaque;
  SetMargin(-1);
  AfterConstruction();
}

void TsBitBtn::SetAcceptsControls(bool v) {
  if (v)
    FControlStyle |= csAcceptsControls;
  else
    FControlStyle &= ~csAcceptsControls;
}

bool TsBitBtn::Grayed() const {
  if (FGrayed) return true;
  TsSkinManager* Manager = SkinData()->GetSkinManager();
  return Manager && SkinData()->IsSkinned() && Manager->Effects().DiscoloredGlyphs();
}

void TsBitBtn::SetBlend(int v) { SetAndRepaint(FBlend, std::clamp(v, 0, 100)); }

void TsBitBtn::Loaded() {
  TacSkinnedControl::Loaded();
  if (GetImages() && FImageIndex >= 0 && FImageIndex < GetImages()->Count()) Glyph().Clear();
}

// ---- state and layout ----

int TsBitBtn::CurrentState() {
  if (PushedButtonState(*this, *SkinData()) == 2 || FDown) return 2;
  if (SkinData()->GetCtrlState() != 0) return 1;
  if (!Default()) return 0;
  // An owner-drawn button with the focus shows the default look itself.
  const HWND Focus = GetFocus();
  if (Focus && (GetWindowLongW(Focus, GWL_STYLE) & 0x8)) return 0;
  return 3;
}

TBitmap* TsBitBtn::GlyphBitmap() {
  TPicture& Picture = Glyph();
  if (Picture.Empty()) {
    FGlyphBmp.reset();
    FGlyphSource = nullptr;
    return nullptr;
  }
  if (FGlyphBmp && FGlyphSource == Picture.Bitmap()) return FGlyphBmp.get();
  FGlyphBmp = NewBitmap32(Picture.Width(), Picture.Height());
  const TMemoryDC Source = TMemoryDC::ForScreen();
  {
    TSelectObject Select(Source.get(), Picture.Bitmap());
    BitBlt(FGlyphBmp->DC(), 0, 0, Picture.Width(), Picture.Height(), Source.get(), 0, 0, SRCCOPY);
  }
  FGlyphSource = Picture.Bitmap();
  return FGlyphBmp.get();
}

SIZE TsBitBtn::GlyphSize() {
  TCustomImageList* List = GetImages();
  const int Index = CurrentImageIndex();
  const int Frames = std::max(1, NumGlyphs());
  if (List && Index >= 0 && Index < List->Count()) {
    const int Ppi = SkinData()->PPI;
    return SIZE{ScaledImageWidth(List, Index, Ppi) / Frames, ScaledImageHeight(List, Index, Ppi)};
  }
  TPicture& Picture = Glyph();
  if (Picture.Empty() || Picture.Width() <= 0 || Picture.Height() <= 0) return SIZE{0, 0};
  return SIZE{Picture.Width() / Frames, Picture.Height()};
}

SIZE TsBitBtn::CaptionSize() {
  const String Text = Caption();
  int Limit = 0;
  if (FShowCaption && !Text.empty()) {
    Limit = Width() - 2 * std::max(0, Margin());
    const SIZE G = GlyphSize();
    const bool Beside = Layout() == TButtonLayout::blGlyphLeft || Layout() == TButtonLayout::blGlyphRight;
    if (Beside && G.cx != 0) Limit -= G.cx + std::max(0, Spacing());
  }
  if (Limit <= 0) return SIZE{0, 0};
  SkinData()->InitCacheBmp();
  TCanvas Canvas(SkinData()->CacheBmp->DC());
  Canvas.Font().Assign(Font());
  RECT R{0, 0, Limit, 0};
  const UINT Flags = AlignmentFlags(FTextAlignment) | DT_CALCRECT | DT_EXPANDTABS | (FWordWrap ? DT_WORDBREAK : 0);
  DrawTextW(Canvas.Handle(), Text.c_str(), int(Text.size()), &R, Flags);
  return SIZE{std::max(0, int(R.right - R.left)), std::max(0, int(R.bottom - R.top))};
}

void TsBitBtn::LayoutContent() {
  const SIZE G = GlyphSize();
  const SIZE T = CaptionSize();
  const RECT Client{0, 0, Width(), Height()};
  uint8_t Flags = UseRightToLeftAlignment() ? acLayoutRightToLeft : 0;
  FGlyphPos = POINT{};
  FCaptionRect = RECT{};
  LayoutGlyphAndCaption(Client, POINT{G.cx, G.cy}, POINT{T.cx, T.cy}, uint8_t(Layout()), LayoutAlignment(FAlignment),
                        Margin(), Spacing(), FGlyphPos, FCaptionRect, Flags, FVerticalAlignment);
  if (FTextOffset != 0) {
    const bool Beside = Layout() == TButtonLayout::blGlyphLeft || Layout() == TButtonLayout::blGlyphRight;
    OffsetRect(&FCaptionRect, Beside ? FTextOffset : 0, Beside ? 0 : FTextOffset);
  }
}

RECT TsBitBtn::BitBtnGlyphRect() {
  const SIZE G = GlyphSize();
  RECT R{FGlyphPos.x, FGlyphPos.y, FGlyphPos.x + G.cx, FGlyphPos.y + G.cy};
  if (CurrentState() == 2 && ShiftsContentOnClick(SkinData()->SkinIndex, SkinData()->GetScaledSkinData()))
    OffsetRect(&R, 1, 1);
  if (FReflected) OffsetRect(&R, 0, -(G.cx / 6));
  return R;
}

bool TsBitBtn::OwnColoring(TacColoring& Coloring) {
  if (FFocusedColor == TColor(0x1FFFFFFF) || FFocusedColor == clBtnFace || !Focused()) return false;
  Coloring.ColorBg = uint32_t(FFocusedColor);
  return true;
}

void TsBitBtn::GetGlyphInputs(TacButtonGlyphInputs& Inputs) {
  Inputs.Images = GetImages();
  Inputs.ImageIndex = CurrentImageIndex();
  Inputs.Glyph = GlyphBitmap();
  Inputs.NumGlyphs = NumGlyphs();
  Inputs.State = CurrentState();
  Inputs.GlyphRect = BitBtnGlyphRect();
  Inputs.Blend = FBlend;
  Inputs.Down = FDown;
  Inputs.Grayed = Grayed();
  Inputs.Reflected = FReflected;
  Inputs.DisabledGlyphKind = FDisabledGlyphKind;
  Inputs.PPI = SkinData()->PPI;
}

// ---- painting ----

void TsBitBtn::PaintBorder(const TacBackgroundSource& Source, int State, bool Over) {
  TsCtrlSkinData& Data = *SkinData();
  TacSkinData* SkinTables = Data.GetScaledSkinData();
  const TsGeneralData* Section = SectionAt(SkinTables, Data.SkinIndex);
  if (!Section) return;
  const RECT R{0, 0, Width(), Height()};
  if (const TsMaskData* Mask = BorderMaskOf(SkinTables, *Section)) {
    if (Over)
      DrawSkinRectOver(*Data.CacheBmp, R, Source, *Mask, State);
    else
      DrawSkinRect(*Data.CacheBmp, R, Source, *Mask, State, true);
    return;
  }
  DrawControlBorder(Data.CacheBmp.get(), R, Data, Source, State);
}

bool TsBitBtn::BuildCache() {
  TsCtrlSkinData& Data = *SkinData();
  TacBackgroundInfo Bg;
  TacBackgroundSource Source;
  if (!StartButtonCache(Bg, Source)) return false;
  TBitmap* Cache = Data.CacheBmp.get();
  const int State = CurrentState();
  const int Painted = SectionState(State);
  const RECT R{0, 0, Width(), Height()};
  const POINT Offset{Left(), Top()};
  FillControlBackground(Data, Source, Painted, R, Offset, Cache);
  if (FDrawOverBorder) PaintBorder(Source, Painted, false);
  DrawMouseLight(&Data, Painted, Cache);
  const TacColoring Coloring = GetColoring();
  ApplyColorEffects(Cache, &Data, TColor(Coloring.ColorBg), Painted);
  LayoutContent();
  PaintCaption(State);
  uint32_t Tone = Coloring.ColorGlyph;
  TsSkinManager* Manager = Data.GetSkinManager();
  if (Tone == acColorUnset && (!Manager || !Grayed() || State != 0)) Tone = uint32_t(GetGlyphColorTone());
  DrawButtonGlyph(this, Cache, Tone);
  if (OnPaint) OnPaint(this, Cache);
  if (!FDrawOverBorder) PaintBorder(Source, Painted, true);
  FinishSkinnedCache(*this, Data, Bg, DisabledKind());
  ShiftChildren(State == 2 && ShiftsContentOnClick(Data.SkinIndex, Data.GetScaledSkinData()));
  return true;
}

void TsBitBtn::ShiftChildren(bool Pressed) {
  if (Pressed == FChildrenShifted) return;
  FChildrenShifted = Pressed;
  const int D = Pressed ? 1 : -1;
  for (int I = 0; I < ControlCount(); ++I) {
    TControl* Child = Controls(I);
    Child->SetBounds(Child->Left() + D, Child->Top() + D, Child->Width(), Child->Height());
  }
}

void TsBitBtn::PaintCaption(int State) {
  if (!FShowCaption) return;
  TsCtrlSkinData& Data = *SkinData();
  TCanvas Canvas(Data.CacheBmp->DC());
  Canvas.Font().Assign(Font());
  Canvas.Brush().SetStyle(TBrushStyle::bsClear);
  RECT R = FCaptionRect;
  if (State == 2 && ShiftsContentOnClick(Data.SkinIndex, Data.GetScaledSkinData())) OffsetRect(&R, 1, 1);
  UINT Flags = AlignmentFlags(FTextAlignment) | DT_END_ELLIPSIS | DT_EXPANDTABS | (FWordWrap ? DT_WORDBREAK : 0);
  if (UseRightToLeftAlignment()) Flags |= DT_RTLREADING;
  const String Text = Caption();
  const TacColoring Coloring = GetColoring();
  if (Coloring.ColorText == acColorUnset) {
    DrawTextWithEffects(Canvas, Text.c_str(), true, R, Flags, Data, std::min(State, 2),
                        Coloring.ColorBg == acColorUnset);
  } else {
    Canvas.Font().SetColor(TColor(SkinColorToRGB(TColor(Coloring.ColorText), Data.GetSkinManager())));
    DrawTextCapped(Canvas.Handle(), Text, R, Flags, Data.CacheBmp.get());
  }
  TsSkinManager* Manager = Data.GetSkinManager();
  if (Enabled() && Manager && Manager->ButtonsOptions().ShowFocusRect() && Focused() && !Text.empty() && FShowFocus) {
    RECT F = R;
    InflateRect(&F, FFocusMargin + 1, FFocusMargin);
    DrawButtonFocusFrame(this, Data, Canvas, F);
  }
}

void TsBitBtn::PaintToDC(HDC DC) {
  TsCtrlSkinData& Data = *SkinData();
  const HWND Wnd = HandleIfAllocated();
  if (!Wnd) return;
  PAINTSTRUCT Ps{};
  const bool Began = !DC;
  HDC Target = DC;
  if (Began) Target = BeginPaint(Wnd, &Ps);
  if (!Data.CheckUpdating(false) && Target) {
    const int W = Width(), H = Height();
    if (Spacing() != FLastSpacing) {
      FLastSpacing = Spacing();
      Data.BGChanged = true;
    }
    TacThreadedTimer* Anim = nullptr;
    if (Data.IsAnimating()) {
      if (Data.PulseTimer && Data.PulseTimer->Enabled() && Data.PulseTimer->SourceImage)
        Anim = Data.PulseTimer;
      else if (Data.FadeTimer && Data.FadeTimer->FrameImage)
        Anim = Data.FadeTimer;
    }
    if (Anim && Anim->FrameImage) {
      BitBlt(Target, 0, 0, W, H, Anim->FrameImage->DC(), 0, 0, SRCCOPY);
    } else {
      bool Ready = true;
      if (SkinnedCacheStale(*this, Data, FOutsideParent)) Ready = BuildCache();
      if (Ready && Data.CacheBmp) BitBlt(Target, 0, 0, W, H, Data.CacheBmp->DC(), 0, 0, SRCCOPY);
      // Graphic children are painted by PaintGraphicChildren of form
      // skinning, which is not built: a bit button holds windowed ones.
    }
  }
  if (Began) EndPaint(Wnd, &Ps);
}

void TsBitBtn::PaintUnskinned(const DRAWITEMSTRUCT& Item) {
  LayoutContent();
  const bool Pressed = (Item.itemState & ODS_SELECTED) != 0;
  FActiveDefault = (Item.itemState & ODS_FOCUS) != 0;
  const int State = Pressed ? 2 : SkinData()->MouseAbove ? 1 : (FActiveDefault || Default()) ? 3 : 0;
  TsCtrlSkinData& Data = *SkinData();
  Data.InitCacheBmp();
  TBitmap* Cache = Data.CacheBmp.get();
  {
    TCanvas Canvas(Cache->DC());
    RECT R{0, 0, Width(), Height()};
    DrawSystemButtonFace(Canvas, R, Enabled(), FActiveDefault && FShowFocus, State);
    Canvas.Font().Assign(Font());
    Canvas.Brush().SetStyle(TBrushStyle::bsClear);
    if (FShowCaption) {
      RECT T = FCaptionRect;
      const String Text = Caption();
      const UINT Flags = AlignmentFlags(FTextAlignment) | DT_END_ELLIPSIS | DT_EXPANDTABS |
                         (FWordWrap ? DT_WORDBREAK : 0);
      if (!Enabled()) {
        RECT Shadow = T;
        OffsetRect(&Shadow, 1, 1);
        SetTextColor(Canvas.Handle(), GetSysColor(COLOR_BTNHIGHLIGHT));
        SetBkMode(Canvas.Handle(), TRANSPARENT);
        DrawTextW(Canvas.Handle(), Text.c_str(), int(Text.size()), &Shadow, Flags);
        SetTextColor(Canvas.Handle(), GetSysColor(COLOR_BTNSHADOW));
      } else {
        SetTextColor(Canvas.Handle(), ColorToRGB(Font().Color()));
        SetBkMode(Canvas.Handle(), TRANSPARENT);
      }
      DrawTextW(Canvas.Handle(), Text.c_str(), int(Text.size()), &T, Flags);
    }
  }
  uint32_t Tone = GetColoring().ColorGlyph;
  TsSkinManager* Manager = Data.GetSkinManager();
  if (Tone == acColorUnset && !(Manager && Manager->Effects().DiscoloredGlyphs() && State == 0))
    Tone = uint32_t(GetGlyphColorTone());
  DrawButtonGlyph(this, Cache, Tone);
  if (OnPaint) OnPaint(this, Cache);
  BitBlt(Item.hDC, 0, 0, Width(), Height(), Cache->DC(), 0, 0, SRCCOPY);
}

// ---- window procedure ----

bool TsBitBtn::SkinStage1(TMessage& Message) {
  const uint16_t Code = Message.Msg == WM_SKINCOMMAND ? SkinCommandCode(Message.WParam) : 0;
  if (Code == AC_SKINLOADED || Code == AC_SKINREMOVED || Code == AC_SKINREFRESH) {
    // The children hear of the skin as well.
    for (int I = 0; I < ControlCount(); ++I) Controls(I)->Perform(Message.Msg, Message.WParam, Message.LParam);
  }
  const bool Done = ButtonStage1(Message, false);
  if (Code == AC_BUILDCACHE) Message.Result = SkinData()->BGChanged ? 1 : 0;
  return Done;
}

bool TsBitBtn::SkinnedMessage(TMessage& Message) {
  TsCtrlSkinData& Data = *SkinData();
  switch (Message.Msg) {
    case WM_KILLFOCUS:
      if (Destroying()) return false;
      HostInherited(Message);
      Data.Focused = false;
      HideLayeredEffect(Data.GlowId, false);
      Data.Invalidate(true);
      return true;
    case WM_UPDATEUISTATE:
      Message.Result = 0;
      return true;
    case CM_VISIBLECHANGED:
      HostInherited(Message);
      if (Visible() && !Destroying()) {
        Data.BGChanged = true;
        Repaint_();
      }
      return true;
  }
  return HandleSkinnedButtonMessage(*this, Message);
}

void TsBitBtn::UnskinnedWndProc(TMessage& Message) {
  switch (Message.Msg) {
    case CN_DRAWITEM:
      if (!Destroying()) {
        PaintUnskinned(*reinterpret_cast<DRAWITEMSTRUCT*>(Message.LParam));
        Message.Result = 1;
        return;
      }
      break;
    case WM_PRINT:
      Message.Msg = WM_PAINT;
      break;
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE:
      TacSkinnedControl::UnskinnedWndProc(Message);
      if (!Enabled() || Destroying()) return;
      SkinData()->MouseAbove = Message.Msg == CM_MOUSEENTER;
      if (Message.Msg == CM_MOUSEENTER) HostMouseEnter();
      if (Message.Msg == CM_MOUSELEAVE) HostMouseLeave();
      return;
  }
  TacSkinnedControl::UnskinnedWndProc(Message);
}
