#include "skin/controls/SkinnedSpeedButton.h"

#include "framework/Application.h"
#include "framework/GdiHandles.h"
#include "framework/ImageList.h"
#include "framework/WinControl.h"
#include "skin/controls/SkinnedControl.h"
#include "skin/core/SkinCommand.h"
#include "skin/core/SkinUtils.h"
#include "skin/effects/ClickCircle.h"
#include "skin/effects/ClickWave.h"
#include "skin/effects/MouseLight.h"
#include "skin/effects/Pulse.h"
#include "skin/effects/StateAnimation.h"
#include "skin/forms/CaptionText.h"
#include "skin/forms/SkinColors.h"
#include "skin/forms/WindowQueries.h"
#include "skin/graphics/ArrowGlyph.h"
#include "skin/manager/ManagerOptions.h"
#include "skin/manager/SkinData.h"
#include "skin/manager/SkinManager.h"
#include "skin/painting/ParentBackground.h"
#include "skin/painting/SkinRect.h"
#include "skin/state/CacheCorners.h"
#include "skin/state/ControlSkinPainting.h"
#include "skin/state/ControlText.h"
#include "skin/state/GlowEffects.h"
#include "skin/state/SkinStateMessages.h"
#include "skin/state/StateQueries.h"
#include "skin/state/ThreadedTimer.h"

#include <algorithm>

TsSpeedButton* DropDownSpeedButton = nullptr;

namespace {

constexpr uint8_t kSpeedButtonKind = 92;
constexpr UINT kEllipsisFlags = 0x4C000;
// Hints stay off from a press to its release, as a menu or a drag would
// cover them.
bool gHintsSuppressed = false;
bool gSavedShowHint = true;

bool IsEmptyRect(const RECT& R) { return R.right <= R.left || R.bottom <= R.top; }

RECT Mirrored(const RECT& R, int Width) { return RECT{Width - R.right, R.top, Width - R.left, R.bottom}; }

bool IsButtonStyle(TToolButtonStyle Style) {
  return Style != TToolButtonStyle::tbsSeparator && Style != TToolButtonStyle::tbsDivider;
}

void SuppressHints() {
  if (gHintsSuppressed || !Application) return;
  gSavedShowHint = Application->ShowHint();
  Application->SetShowHint(false);
  gHintsSuppressed = true;
}

void RestoreHints() {
  if (!gHintsSuppressed || !Application) return;
  Application->SetShowHint(gSavedShowHint);
  gHintsSuppressed = false;
}

}  // namespace

TsSpeedButton::TsSpeedButton(TComponent* AOwner)
    : TSpeedButton(AOwner), FSkinData(std::make_unique<TsCtrlSkinData>(this, true)) {
  FSkinData->CtrlKind = kSpeedButtonKind;
  FSkinData->OnPaintState = [this](TControl*, TacPaintStateInfo& Light) { UpdateLight(Light); };
  FImageChangeLink = std::make_unique<TChangeLink>();
  FImageChangeLink->OnChange = [this](TObject*) { ImagesChanged(); };
  SetMargin(-1);
  if (!Loading()) FSkinData->Loaded(true);
}

TsSpeedButton::~TsSpeedButton() {
  Destroying_();
  if (TsSkinManager* Manager = FSkinData->GetSkinManager(); Manager && Manager->HotSpeedButton() == this) {
    FSkinData->MouseAbove = false;
    Manager->SetHotSpeedButton(nullptr);
  }
  if (DropDownSpeedButton == this) DropDownSpeedButton = nullptr;
  if (FImages) FImages->UnRegisterChanges(FImageChangeLink.get());
  FSkinData.reset();
}

void TsSpeedButton::Loaded() {
  TSpeedButton::Loaded();
  FSkinData->Loaded(true);
  if (HasImage() && !Glyph().Empty()) Glyph().SetSize(0, 0);
  if (Skinned()) SetControlStyle(ControlStyle() | csOpaque);
}

bool TsSpeedButton::Skinned() const {
  return CanUpdateControl(const_cast<TsSpeedButton*>(this)) && FSkinData->IsSkinned();
}

void TsSpeedButton::StopFade() { FSkinData->StopFading(); }

// ---- properties ----

void TsSpeedButton::SetIndex(int& Field, int Value) {
  if (Field == Value) return;
  Field = Value;
  RepaintButton();
}

void TsSpeedButton::SetFlag(bool& Field, bool Value) {
  if (Field == Value) return;
  Field = Value;
  StopFade();
  RepaintButton();
}

void TsSpeedButton::SetButtonStyle(TToolButtonStyle Value) {
  if (FButtonStyle == Value) return;
  FButtonStyle = Value;
  RepaintButton();
}

void TsSpeedButton::SetDropdownMenu(TPopupMenu* Value) {
  if (FDropdownMenu == Value) return;
  if (FDropdownMenu) FDropdownMenu->RemoveFreeNotification(this);
  FDropdownMenu = Value;
  if (Value) Value->FreeNotification(this);
}

void TsSpeedButton::SetImages(TCustomImageList* Value) {
  if (FImages == Value) return;
  if (FImages) {
    FImages->UnRegisterChanges(FImageChangeLink.get());
    FImages->RemoveFreeNotification(this);
  }
  FImages = Value;
  if (Value) {
    Value->RegisterChanges(FImageChangeLink.get());
    Value->FreeNotification(this);
  }
  RepaintButton();
}

void TsSpeedButton::ImagesChanged() { RepaintButton(); }

void TsSpeedButton::SetBlend(int Value) {
  Value = std::clamp(Value, 0, 100);
  if (FBlend == Value) return;
  FBlend = Value;
  RepaintButton();
}

void TsSpeedButton::SetTextOffset(int Value) {
  if (FTextOffset == Value) return;
  FTextOffset = Value;
  RepaintButton();
}

void TsSpeedButton::SetAlignment(TAlignment Value) {
  if (FAlignment == Value) return;
  FAlignment = Value;
  RepaintButton();
}

void TsSpeedButton::SetTextAlignment(TAlignment Value) {
  if (FTextAlignment == Value) return;
  FTextAlignment = Value;
  RepaintButton();
}

void TsSpeedButton::SetGlyphColorTone(TColor Value) {
  if (FGlyphColorTone == Value) return;
  FGlyphColorTone = Value;
  FSkinData->BGChanged = true;
  RefreshButton();
}

void TsSpeedButton::SetDisabledGlyphKind(TsDisabledGlyphKind Value) {
  if (FDisabledGlyphKind == Value) return;
  FDisabledGlyphKind = Value;
  RepaintButton();
}

void TsSpeedButton::SetDisabledKind(uint8_t Value) {
  if (FDisabledKind == Value) return;
  FDisabledKind = Value;
  RepaintButton();
}

void TsSpeedButton::SetSplitterStyle(TacSplitterStyle Value) {
  if (FSplitterStyle == Value) return;
  FSplitterStyle = Value;
  FSkinData->Invalidate();
}

void TsSpeedButton::Notification(TComponent* AComponent, TOperation Operation) {
  TSpeedButton::Notification(AComponent, Operation);
  if (Operation != TOperation::opRemove) return;
  if (AComponent == FImages) {
    FImages = nullptr;
    RepaintButton();
  }
  if (AComponent == FDropdownMenu) FDropdownMenu = nullptr;
}

void TsSpeedButton::GlyphChanged() {
  TSpeedButton::GlyphChanged();
  FSkinData->BGChanged = true;
}

void TsSpeedButton::RepaintButton() {
  if ((!Visible() && !Loading()) || (FSkinData->StateBits & acsInUpdate) || Loading() || Destroying()) return;
  FSkinData->BGChanged = true;
  RefreshButton();
}

// ---- state and layout ----

int TsSpeedButton::CurrentState() {
  if (FState == TButtonState::bsDown || FState == TButtonState::bsExclusive || FMenuOpening || FDropDownShown) return 2;
  if (FSkinData->GetCtrlState() == 1 || FHotWithoutSkin) return 1;
  return 0;
}

int TsSpeedButton::CurrentImageIndex() {
  int Index = -1;
  if (!Enabled())
    Index = FImageIndexDisabled;
  else if (FState == TButtonState::bsDown || FState == TButtonState::bsExclusive || FMenuOpening)
    Index = FState == TButtonState::bsExclusive ? FImageIndexSelected : FImageIndexPressed;
  else if (FSkinData->MouseAbove)
    Index = FImageIndexHot;
  return Index < 0 ? FImageIndex : Index;
}

bool TsSpeedButton::HasImage() {
  TCustomImageList* List = GetImages();
  const int Index = CurrentImageIndex();
  return List && Index >= 0 && Index < List->Count();
}

int TsSpeedButton::GlyphWidth(bool Nominal) {
  if (Glyph().Width() > 0) return Glyph().Width() / std::max(1, NumGlyphs());
  // Every image of our lists has the list's width: the nominal and the
  // current width agree.
  if (HasImage()) return ScaleToPPI(GetImages()->Width(), FSkinData.get()) / std::max(1, NumGlyphs());
  return 0;
}

int TsSpeedButton::GlyphHeight() {
  if (Glyph().Height() > 0) return Glyph().Height();
  if (HasImage()) return ScaleToPPI(GetImages()->Height(), FSkinData.get());
  return 0;
}

bool TsSpeedButton::ContentShifted() {
  if (CurrentState() != 2) return false;
  TacSkinData* Data = FSkinData->GetScaledSkinData();
  if (!ShiftsContentOnClick(FSkinData->SkinIndex, Data)) return false;
  if (Skinned() && Data && IsValidSectionIndex(Data->GeneralDataArray, FSkinData->SkinIndex) &&
      Data->GeneralDataArray[FSkinData->SkinIndex].BorderIndex < 0)
    return FDragging;
  return true;
}

bool TsSpeedButton::HasSplitPart() const {
  return FButtonStyle == TToolButtonStyle::tbsDropDown && OnClick && FDropdownMenu;
}

void TsSpeedButton::UpdateMetrics() {
  TsCommonData* D = FSkinData.get();
  TacSpeedButtonMetrics& K = FMetrics;
  K.M = Margin() == -1 ? -1 : ScaleToPPI(Margin() + 3, D);
  K.GW = GlyphWidth(FAlignment != TAlignment::taCenter);
  K.GH = GlyphHeight();
  const String Text = Caption();
  K.Sp = (FShowCaption && K.GW > 0 && !Text.empty()) ? ScaleToPPI(Spacing(), D) : 0;
  K.TO = ScaleToPPI(FTextOffset, D);
  K.SW = K.AW = K.G = 0;
  if (FButtonStyle == TToolButtonStyle::tbsDropDown) {
    if (HasSplitPart()) {
      K.SW = ScaleToPPI(16, D);
    } else {
      K.AW = ScaleToPPI(16, D);
      K.G = 4 * D->GetPPI() / 96;
    }
  }
  K.TW = K.TH = 0;
  if (!FShowCaption || Text.empty()) return;
  int Room = Width() - 2 * std::max(0, K.M) - K.AW - K.SW;
  if ((Layout() == TButtonLayout::blGlyphLeft || Layout() == TButtonLayout::blGlyphRight) && K.GW > 0)
    Room -= K.Sp + K.GW + FTextOffset;
  RECT R{0, 0, std::max(0, Room), 0};
  UINT Flags = DT_CALCRECT | DT_EXPANDTABS | (FWordWrap ? DT_WORDBREAK : DT_SINGLELINE);
  if (FUseEllipsis) Flags |= kEllipsisFlags;
  TMemoryDC Mem = TMemoryDC::ForScreen();
  TSelectObject UseFont(Mem.get(), Font().Handle());
  DrawTextW(Mem.get(), Text.c_str(), int(Text.size()), &R, Flags);
  K.TW = R.right - R.left;
  K.TH = R.bottom - R.top;
}

RECT TsSpeedButton::CaptionRect(bool Final) {
  const TacSpeedButtonMetrics& K = FMetrics;
  const int W = Width(), H = Height();
  const int M = K.M, GW = K.GW, GH = K.GH, Sp = K.Sp, SW = K.SW, AW = K.AW, TW = K.TW, TH = K.TH;
  RECT R{};
  switch (Layout()) {
    case TButtonLayout::blGlyphLeft: {
      R.top = (H - TH) / 2;
      R.bottom = R.top + TH;
      const int Rest = W - (SW + AW + TW + GW + Sp + 2 * M);
      if (FAlignment == TAlignment::taLeftJustify) {
        switch (FTextAlignment) {
          case TAlignment::taLeftJustify:
            R.left = M + GW + Sp;
            break;
          case TAlignment::taRightJustify:
            R.left = GW > 0 ? W - M - TW - SW - AW : M;
            break;
          case TAlignment::taCenter:
            R.left = GW > 0 ? Rest / 2 + GW + M : M;
            break;
        }
        R.right = R.left + TW;
      } else if (FAlignment == TAlignment::taRightJustify) {
        R.right = W - SW - AW - M;
        R.left = R.right - TW;
      } else {
        R.left = Rest / 2 + M + GW + Sp;
        R.right = R.left + TW;
      }
      break;
    }
    case TButtonLayout::blGlyphRight: {
      R.top = (H - TH) / 2;
      R.bottom = R.top + TH;
      if (FAlignment == TAlignment::taLeftJustify) {
        R.left = M;
        R.right = M + TW;
      } else if (FAlignment == TAlignment::taRightJustify) {
        const int Rest = W - (SW + AW + GW + Sp + 2 * M);
        switch (FTextAlignment) {
          case TAlignment::taLeftJustify:
            R.left = GW > 0 ? M : W - M - TW - SW - AW;
            R.right = Rest + M;
            break;
          case TAlignment::taRightJustify:
            R.right = Rest + M;
            R.left = W - M - GW - Sp - TW - SW - AW;
            break;
          case TAlignment::taCenter:
            R.left = GW > 0 ? (W - (M + GW + TW + SW + AW)) / 2 : W - M - TW - SW - AW;
            R.right = R.left + TW;
            break;
        }
      } else {
        R.left = (W - SW - AW - GW - Sp - TW) / 2;
        R.right = R.left + TW;
      }
      break;
    }
    case TButtonLayout::blGlyphTop:
    case TButtonLayout::blGlyphBottom: {
      const int T = (GH > 0 && !Caption().empty()) ? Sp : 0;
      if (Layout() == TButtonLayout::blGlyphTop) {
        if (M == -1) {
          const int D = (H - GH - T - TH) / 2 + 1;
          R.top = T + D + GH;
          R.bottom = H - D;
        } else {
          R.top = T + M + GH;
          R.bottom = R.top + TH;
        }
      } else {
        const int D = (H - GH - T - TH) / 2 - M;
        R.top = M + D;
        R.bottom = H - D - M - GH - T;
      }
      R.left = (W - TW - SW - AW) / 2;
      R.right = W - R.left - SW - AW;
      break;
    }
  }
  if (Layout() == TButtonLayout::blGlyphLeft || Layout() == TButtonLayout::blGlyphRight)
    OffsetRect(&R, K.TO, 0);
  else
    OffsetRect(&R, 0, K.TO);
  if (Final && !(FButtonStyle == TToolButtonStyle::tbsDropDown && FDropDownShown && OnClick)) {
    if (UseRightToLeftAlignment()) R = Mirrored(R, W);
    if (ContentShifted()) OffsetRect(&R, 1, 1);
  }
  return R;
}

RECT SpeedButtonGlyphRect(TsSpeedButton* Button, bool Final) {
  const TacSpeedButtonMetrics& K = Button->Metrics();
  const int W = Button->Width(), H = Button->Height();
  const int GW = Button->GlyphWidth(false), GH = K.GH;
  const int M = K.M, Sp = K.Sp, SW = K.SW, AW = K.AW, TW = K.TW, TH = K.TH;
  POINT P{};
  switch (Button->Layout()) {
    case TButtonLayout::blGlyphLeft: {
      const int Rest = W - (SW + K.G + AW + GW + Sp + TW);
      if (Button->Alignment() == TAlignment::taLeftJustify)
        P.x = M;
      else if (Button->Alignment() == TAlignment::taCenter)
        P.x = Rest / 2;
      else
        P.x = 2 * (Rest / 2 - M) + M;
      P.y = (H - GH) / 2;
      break;
    }
    case TButtonLayout::blGlyphRight:
      if (Button->Alignment() == TAlignment::taLeftJustify)
        P.x = Button->CaptionRect(true).right + Sp - (Button->CurrentState() == 2 ? 1 : 0);
      else if (Button->Alignment() == TAlignment::taCenter)
        P.x = (W + Sp + TW - SW - AW - GW) / 2;
      else
        P.x = W - SW - AW - GW - M;
      P.y = (H - GH) / 2;
      break;
    case TButtonLayout::blGlyphTop:
      P.x = (W - SW - AW - GW) / 2 + 1;
      P.y = M == -1 ? (H - GH - Sp - TH) / 2 : M;
      break;
    case TButtonLayout::blGlyphBottom:
      P.x = (W - SW - AW - GW) / 2 + 1;
      P.y = H - (H - GH - Sp - TH) / 2 - GH;
      break;
  }
  RECT R{P.x, P.y, P.x + GW, P.y + GH};
  if (Final &&
      !(Button->ButtonStyle() == TToolButtonStyle::tbsDropDown && Button->DropDownShown() && Button->OnClick)) {
    if (Button->UseRightToLeftAlignment()) R = Mirrored(R, W);
    if (Button->ContentShifted()) OffsetRect(&R, 1, 1);
  }
  if (Button->Reflected()) OffsetRect(&R, 0, -(GH / 6));
  return R;
}

RECT TsSpeedButton::ArrowRect() {
  if (FButtonStyle != TToolButtonStyle::tbsDropDown) return RECT{};
  const TacSpeedButtonMetrics& K = FMetrics;
  const bool Split = HasSplitPart();
  int Left;
  if (Split) {
    Left = Width() - K.SW;
  } else {
    const RECT Text = CaptionRect(false), Img = SpeedButtonGlyphRect(this, false);
    const int Gap = (IsEmptyRect(Text) && IsEmptyRect(Img)) ? 0 : K.G;
    int Edge;
    switch (Layout()) {
      case TButtonLayout::blGlyphLeft:
        Edge = Text.right;
        break;
      case TButtonLayout::blGlyphRight:
        Edge = Img.right;
        break;
      default:
        Edge = std::max(Text.right, Img.right);
        break;
    }
    Left = Gap + Edge;
  }
  RECT R{Left, 1, Left + K.SW + K.AW, Height() - 1};
  if (UseRightToLeftAlignment()) R = Mirrored(R, Width());
  if (ContentShifted() && (!Split || FDropDownShown)) OffsetRect(&R, 1, 1);
  return R;
}

// ---- painting ----

void TsSpeedButton::DrawArrow(const RECT& R, int State) {
  TBitmap* Bmp = FSkinData->CacheBmp.get();
  if (!Bmp) return;
  TsSkinManager* Manager = FSkinData->GetSkinManager();
  uint32_t Color = ColorToRGB(Font().Color());
  uint8_t Style = 0;
  const bool IsSkinned = Skinned();
  if (IsSkinned && Manager) {
    const int Index = GetParentSkinIndex(this, FSkinData->SkinIndex, Manager, std::min(State, 2));
    TacSkinData* Data = FSkinData->GetScaledSkinData();
    if (Data && IsValidSectionIndex(Data->GeneralDataArray, Index))
      Color = Data->GeneralDataArray[Index].Props[std::min(State, 2)].FontColor;
    Style = uint8_t(Manager->Options().GetActualArrowsStyle());
  }
  DrawArrowGlyph(*Bmp, Color, 0x1FFFFFFF, R, 1 /* down */, 0, 0, 0, Style, FSkinData->GetPPI());
  if (!HasSplitPart()) return;
  bool Line = State > 0;
  if (!Line && FSplitterStyle == TacSplitterStyle::dsBorder) {
    TacSkinData* Data = FSkinData->GetScaledSkinData();
    const bool Valid = Data && IsValidSectionIndex(Data->GeneralDataArray, FSkinData->SkinIndex);
    Line = !Valid || Data->GeneralDataArray[FSkinData->SkinIndex].BorderIndex >= 0;
  }
  if (!Line) return;
  // A faint line: the arrow colour at alpha 0x50 over what lies beneath.
  const int X = Width() - FMetrics.SW;
  for (int Y = 4; Y < Height() - 4; ++Y) {
    if (X < 0 || X >= Bmp->Width()) break;
    auto* Px = static_cast<uint8_t*>(Bmp->ScanLine(Y)) + X * 4;
    const uint8_t Src[3]{uint8_t(Color >> 16), uint8_t(Color >> 8), uint8_t(Color)};
    for (int C = 0; C < 3; ++C) Px[C] = uint8_t((Src[C] * 0x50 + Px[C] * (255 - 0x50)) / 255);
  }
}

void TsSpeedButton::DrawCaption() {
  if (!FShowCaption) return;
  TBitmap* Bmp = FSkinData->CacheBmp.get();
  const String Text = Caption();
  if (Bmp && !Text.empty()) {
    TCanvas Canvas(Bmp->DC());
    Canvas.Font().Assign(Font());
    Canvas.SetBrushStyle(TBrushStyle::bsClear);
    RECT R = CaptionRect(true);
    UINT Flags = AlignToDrawTextFlags(FTextAlignment) | (FWordWrap ? DT_WORDBREAK : DT_SINGLELINE) | DT_NOCLIP |
                 DT_EXPANDTABS;
    if (FUseEllipsis) Flags |= kEllipsisFlags;
    if (Skinned()) {
      DrawTextWithEffects(Canvas, Text.c_str(), Enabled(), R, Flags, *FSkinData, CurrentState(), true);
    } else {
      const HDC DC = Canvas.Handle();
      SetBkMode(DC, TRANSPARENT);
      TSelectObject UseFont(DC, Font().Handle());
      if (!Enabled() && FDisabledKind != 0) {
        RECT Moved = R;
        OffsetRect(&Moved, 1, 1);
        SetTextColor(DC, GetSysColor(COLOR_BTNHIGHLIGHT));
        DrawTextW(DC, Text.c_str(), -1, &Moved, Flags);
        SetTextColor(DC, GetSysColor(COLOR_BTNSHADOW));
      } else {
        SetTextColor(DC, ColorToRGB(Font().Color()));
      }
      DrawTextW(DC, Text.c_str(), -1, &R, Flags);
    }
  }
  if (Skinned() && FButtonStyle == TToolButtonStyle::tbsDropDown) DrawArrow(ArrowRect(), CurrentState());
}

void TsSpeedButton::GetGlyphInputs(TacButtonGlyphInputs& Inputs) {
  if (HasImage()) {
    Inputs.Images = GetImages();
    Inputs.ImageIndex = CurrentImageIndex();
  } else {
    Inputs.Glyph = &Glyph();
  }
  Inputs.NumGlyphs = NumGlyphs();
  Inputs.State = CurrentState();
  Inputs.GlyphRect = SpeedButtonGlyphRect(this, true);
  Inputs.Blend = FBlend;
  Inputs.Down = Down();
  Inputs.Grayed = FGrayed && (FGrayedMode == TacGrayedMode::gmAlways || Inputs.State == 0);
  Inputs.Reflected = FReflected;
  Inputs.DisabledGlyphKind = FDisabledGlyphKind;
  Inputs.PPI = FSkinData->GetPPI();
}

void TsSpeedButton::DrawGlyph() {
  if (Glyph().Empty() && !HasImage()) return;
  // The painter takes the tone through the skin's palette; "none" is acColorUnset.
  DrawButtonGlyph(this, FSkinData->CacheBmp.get(), uint32_t(FGlyphColorTone));
}

bool TsSpeedButton::QueryBackground(TacBackgroundInfo& Bg) {
  Bg = TacBackgroundInfo{};
  if (!Parent()) return false;
  SendCtrlCommand(Parent(), AC_GETBG, reinterpret_cast<LPARAM>(&Bg));
  if (Bg.BgKind == bgkNotReady) return false;
  if (Bg.BgKind == bgkUnanswered) {
    // A parent that does not answer cannot tell us when its background
    // changes: rebuild at every paint from now on.
    FParentWithoutBg = true;
    SetControlStyle(ControlStyle() | csOpaque);
    Bg.BgKind = bgkColor;
    Bg.Color = ColorToRGB(Parent() ? Parent()->Color() : Color());
  }
  return true;
}

void TsSpeedButton::PaintFace(const TacBackgroundInfo& Bg, int S, int A) {
  TBitmap* Bmp = FSkinData->CacheBmp.get();
  TacBackgroundSource Source;
  BackgroundInfoToSource(Bg, Source);
  const int W = Width(), H = Height();
  const POINT Offset{Left(), Top()};
  const bool Parts = HasSplitPart() && FSplitterStyle != TacSplitterStyle::dsLine;
  const bool Rtl = UseRightToLeftAlignment();
  const int SW = FMetrics.SW;
  const RECT Main = Rtl ? RECT{SW, 0, W, H} : RECT{0, 0, W - SW, H};
  const RECT Drop = Rtl ? RECT{0, 0, SW, H} : RECT{W - SW, 0, W, H};
  const auto PaintPart = [&](const RECT& R, int State) {
    // Each part is painted whole at its own place: its borders close it.
    auto Part = std::make_unique<TBitmap>();
    Part->SetPixelFormat(pf32bit);
    Part->SetSize(R.right - R.left, R.bottom - R.top);
    PaintControlSkin(*FSkinData, Source, State, RECT{0, 0, Part->Width(), Part->Height()},
                     POINT{Offset.x + R.left, Offset.y + R.top}, Part.get(), true);
    BitBlt(Bmp->DC(), R.left, R.top, Part->Width(), Part->Height(), Part->DC(), 0, 0, SRCCOPY);
  };
  const auto Content = [&] {
    DrawCaption();
    DrawGlyph();
    if (OnPaint) OnPaint(this, Bmp);
  };
  if (FDrawOverBorder) {
    if (Parts) {
      PaintPart(Main, S);
      PaintPart(Drop, A);
    } else {
      PaintControlSkin(*FSkinData, Source, S, RECT{0, 0, W, H}, Offset, Bmp, true);
    }
    DrawMouseLight(FSkinData.get(), S, Bmp);
    Content();
    return;
  }
  FillControlBackground(*FSkinData, Source, S, RECT{0, 0, W, H}, Offset, Bmp);
  Content();
  TacSkinData* Data = FSkinData->GetScaledSkinData();
  if (Data && IsValidSectionIndex(Data->GeneralDataArray, FSkinData->SkinIndex)) {
    const int Border = Data->GeneralDataArray[FSkinData->SkinIndex].BorderIndex;
    if (Border >= 0 && Border < int(Data->MaskArray.size())) {
      if (Parts) {
        DrawSkinRect(*Bmp, Main, Source, Data->MaskArray[Border], S, true);
        DrawSkinRect(*Bmp, Drop, Source, Data->MaskArray[Border], A, true);
      } else {
        DrawSkinRect(*Bmp, RECT{0, 0, W, H}, Source, Data->MaskArray[Border], S, true);
      }
    }
  }
  DrawMouseLight(FSkinData.get(), S, Bmp);
}

bool TsSpeedButton::BuildCache() {
  TacBackgroundInfo Bg;
  if (!QueryBackground(Bg)) {
    FSkinData->Updating = true;
    return false;
  }
  FSkinData->InitCacheBmp();
  TBitmap* Bmp = FSkinData->CacheBmp.get();
  if (!Bmp) return false;
  if (Bg.BgKind == bgkBitmap && (!Bg.Bmp || Bg.Bmp->Empty())) {
    FSkinData->BGChanged = false;
    return true;
  }
  TacBackgroundSource Source;
  BackgroundInfoToSource(Bg, Source);
  const int W = Width(), H = Height();
  if (!IsButtonStyle(FButtonStyle)) {
    FillControlBackground(*FSkinData, Source, 0, RECT{0, 0, W, H}, POINT{Left(), Top()}, Bmp);
    if (Bg.BgKind == bgkBitmap && Bg.Bmp)
      BitBlt(Bmp->DC(), 0, 0, W, H, Bg.Bmp->DC(), Left() + Bg.OffsetX, Top() + Bg.OffsetY, SRCCOPY);
    else
      FillRect32(*Bmp, RECT{0, 0, W, H}, ColorToRGB(TColor(Bg.Color)), 255);
    if (FButtonStyle == TToolButtonStyle::tbsDivider) {
      TsSkinManager* Manager = FSkinData->GetSkinManager();
      TacSkinData* Data = FSkinData->GetScaledSkinData();
      const int Section = Manager ? Manager->GetSectionIndex(L"DIVIDER", Data) : -1;
      const int Mask = Section >= 0 ? Manager->GetSectionMaskIndex(Section, L"BORDERSMASK", Data) : -1;
      if (Data && Mask >= 0 && Mask < int(Data->MaskArray.size()))
        DrawSkinRect(*Bmp, RECT{W / 2 - 1, 0, W / 2 + 1, H}, Source, Data->MaskArray[Mask], 0, true);
    }
    FSkinData->BGChanged = false;
    return true;
  }
  UpdateMetrics();
  int S, A;
  if (FButtonStyle != TToolButtonStyle::tbsDropDown) {
    S = A = CurrentState();
  } else if (FDropdownMenu && FDropDownShown) {
    S = OnClick ? 1 : 2;
    A = 2;
  } else if (Down() || FState == TButtonState::bsDown || FState == TButtonState::bsExclusive) {
    S = 2;
    A = 1;
  } else {
    S = A = FSkinData->GetCtrlState();
  }
  PaintFace(Bg, S, A);
  if (!Enabled()) ApplyDisabledKind(*Bmp, FDisabledKind, Source, POINT{Left(), Top()}, FSkinData->GetBgColor());
  if (FSkinData->UsesMouseLight(false)) FillCacheCorners(FSkinData.get(), S, 15);
  FSkinData->BGChanged = false;
  return true;
}

void TsSpeedButton::CopyToCanvas(HDC DC) {
  const HDC Target = CanvasDC();
  if (Target && DC) BitBlt(Target, 0, 0, Width(), Height(), DC, 0, 0, SRCCOPY);
}

HDC TsSpeedButton::CanvasDC() { return Canvas().Handle(); }

void TsSpeedButton::Paint(TCanvas& Canvas) {
  if ((!Visible() && !Loading()) || !Parent()) return;
  TsSkinManager* Manager = FSkinData->GetSkinManager();
  if (Manager && Manager->IsSkinLoaded() && FSkinData->SkinIndex < 1) FSkinData->UpdateIndexes();
  if (!Skinned()) {
    PaintUnskinned(true);
    return;
  }
  if (Width() <= 0 || Height() <= 0) return;
  const HDC DC = Canvas.Handle();
  TacThreadedTimer* Fade = FSkinData->FadeTimer;
  if (FSkinData->IsAnimating()) {
    if (Fade && Fade->FrameImage && Fade->FrameImage->Width() == Width())
      BitBlt(DC, 0, 0, Width(), Height(), Fade->FrameImage->DC(), 0, 0, SRCCOPY);
    return;
  }
  if (Fade && Fade->Enabled() && FDropDownShown) return;
  if (Down() != FLastDown || FOutside) FSkinData->BGChanged = true;
  FLastDown = Down();
  RECT Clip{};
  const HWND ParentWnd = Parent()->HandleIfAllocated();
  RECT Bounds = BoundsRect();
  bool Outside = Left() < 0 || Top() < 0;
  if (ParentWnd) {
    RECT Inside{};
    if (GetClipBox(DC, &Clip) == NULLREGION) Outside = true;
    GetClientRect(ParentWnd, &Inside);
    if (!RectWithin(Inside, Bounds, true)) Outside = true;
  }
  FOutside = Outside;
  if (NumGlyphs() != FLastNumGlyphs || Spacing() != FLastSpacing) FSkinData->BGChanged = true;
  FLastNumGlyphs = NumGlyphs();
  FLastSpacing = Spacing();
  if ((FSkinData->BGChanged || FParentWithoutBg) && !BuildCache()) return;
  if (FSkinData->CacheBmp) BitBlt(DC, 0, 0, Width(), Height(), FSkinData->CacheBmp->DC(), 0, 0, SRCCOPY);
}

void TsSpeedButton::RefreshButton() {
  if (Loading() || Destroying() || (ControlState() & csCreating) || WindowAnimationRunning()) return;
  if ((!Visible()) || !Parent()) return;
  const HWND ParentWnd = Parent()->HandleIfAllocated();
  if (!ParentWnd || !IsWindowVisible(ParentWnd)) return;
  if (!Skinned()) {
    Repaint();
    return;
  }
  if (FSkinData->IsUpdating()) return;
  const HDC DC = CanvasDC();
  RECT Clip{};
  if (!DC || GetClipBox(DC, &Clip) == NULLREGION || GetClipBox(DC, &Clip) == ERROR) return;
  if (FSkinData->BGChanged && !BuildCache()) return;
  TacThreadedTimer* Fade = FSkinData->FadeTimer;
  if (FSkinData->IsAnimating() && Fade && Fade->FrameImage && Fade->FrameImage->Width() == Width())
    CopyToCanvas(Fade->FrameImage->DC());
  else if (FSkinData->CacheBmp)
    CopyToCanvas(FSkinData->CacheBmp->DC());
}

void TsSpeedButton::Invalidate() {
  if (Layout() != FLastLayout || Margin() != FLastMargin || Flat() != FLastFlat) {
    FLastLayout = Layout();
    FLastMargin = Margin();
    FLastFlat = Flat();
    if (FSkinData) {
      FSkinData->BGChanged = true;
      FSkinData->UpdateIndexes();
    }
  }
  // The pressed look of a skinned button comes from its state fade.
  if (FSkinData && Skinned() && (FState == TButtonState::bsDown)) return;
  TSpeedButton::Invalidate();
}

void TsSpeedButton::PaintUnskinned(bool DrawFace) {
  TBitmap* Bmp = FSkinData->CacheBmp.get();
  if (!Bmp || Width() <= 0 || Height() <= 0) return;
  if (Bmp->Width() != Width() || Bmp->Height() != Height()) {
    Bmp->SetPixelFormat(pf32bit);
    Bmp->SetSize(Width(), Height());
  }
  UpdateMetrics();
  const HDC DC = Bmp->DC();
  RECT Client{0, 0, Width(), Height()};
  // What lies under the button: the parent's colour.
  TOwnedBrush Under(CreateSolidBrush(ColorToRGB(Parent() ? Parent()->Color() : Color())));
  FillRect(DC, &Client, Under.get());
  if (!Enabled())
    FState = TButtonState::bsDisabled;
  else if (FState == TButtonState::bsDisabled)
    FState = Down() && GroupIndex() ? TButtonState::bsExclusive : TButtonState::bsUp;
  if (FButtonStyle == TToolButtonStyle::tbsSeparator) {
    CopyToCanvas(DC);
    return;
  }
  if (FButtonStyle == TToolButtonStyle::tbsDivider) {
    RECT Line{Width() / 2 - 1, 0, Width() / 2 + 1, Height()};
    DrawEdge(DC, &Line, BDR_SUNKENOUTER, BF_RECT);
    CopyToCanvas(DC);
    return;
  }
  if (DrawFace) {
    const bool Split = HasSplitPart();
    RECT Face = Client;
    if (Split) Face.right -= FMetrics.SW;
    const bool Pressed = FState == TButtonState::bsDown || FState == TButtonState::bsExclusive;
    const bool Hot = MouseInControl() || FHotWithoutSkin;
    const auto DrawPart = [&](RECT R, bool Down) {
      if (Flat()) {
        if (Down)
          DrawEdge(DC, &R, BDR_SUNKENOUTER, BF_RECT);
        else if (Hot)
          DrawEdge(DC, &R, BDR_RAISEDINNER, BF_RECT);
      } else {
        DrawFrameControl(DC, &R, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_ADJUSTRECT | (Down ? DFCS_PUSHED : 0));
      }
    };
    DrawPart(Face, Pressed);
    if (FButtonStyle == TToolButtonStyle::tbsDropDown) {
      const bool DropDown = FDropDownShown || Down() || Pressed;
      if (Split) DrawPart(RECT{Width() - FMetrics.SW, 0, Width(), Height()}, DropDown);
      const int X = Width() - 12 + (DropDown ? 1 : 0);
      const int Y = (Height() - 5) / 2 + (DropDown ? 1 : 0);
      const POINT Tri[3]{{X, Y}, {X + 5, Y}, {X + 2, Y + 5}};
      TOwnedBrush Text(CreateSolidBrush(GetSysColor(COLOR_BTNTEXT)));
      TOwnedPen Edge(CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNTEXT)));
      TSelectObject UseBrush(DC, Text.get());
      TSelectObject UsePen(DC, Edge.get());
      Polygon(DC, Tri, 3);
    }
  }
  DrawCaption();
  DrawGlyph();
  CopyToCanvas(DC);
}

void TsSpeedButton::UpdateLight(TacPaintStateInfo& Light) {
  const HWND ParentWnd = Parent() ? Parent()->HandleIfAllocated() : nullptr;
  if (ParentWnd && IsWindowVisible(ParentWnd) &&
      AnimationAllowed(aeLighting, FAnimatEvents, FSkinData->GetSkinManager()) && IsButtonStyle(FButtonStyle))
    UpdateMouseLight(FSkinData.get(), Light.State != 0);
  else
    FSkinData->LightActive = false;
  FSkinData->FreeLightBitmaps(true);
  Light.Reserved = FSkinData->UsesMouseLight(false) ? 1 : 0;
}

// ---- mouse ----

void TsSpeedButton::DoMouseEnter() {
  if ((ComponentState() & csDesigning)) return;
  if (OnMouseEnter) OnMouseEnter(this);
  TsSkinManager* Manager = FSkinData->GetSkinManager();
  if (FSkinData->MouseAbove || !IsButtonStyle(FButtonStyle) || (Manager && Manager->Options().NoMouseHover())) return;
  FSkinData->MouseAbove = true;
  if (Manager) Manager->SetHotSpeedButton(this);
  AnimateStateChange(FSkinData.get(), 1, FadeStepGraphic,
                     AnimationAllowed(aeMouseEnter, FAnimatEvents, FSkinData->GetSkinManager()), true);
}

void TsSpeedButton::DoMouseLeave() {
  if (!FSkinData->MouseAbove || Destroying() || (ComponentState() & csDesigning)) return;
  if (IsMouseOverControl(this)) return;
  if (OnMouseLeave) OnMouseLeave(this);
  FSkinData->FreeLightBitmaps(false);
  FSkinData->MouseAbove = false;
  TsSkinManager* Manager = FSkinData->GetSkinManager();
  if (Manager && Manager->HotSpeedButton() == this) Manager->SetHotSpeedButton(nullptr);
  SetMouseInControl(false);
  if (FState == TButtonState::bsDown) FState = TButtonState::bsUp;
  if (!Visible()) {
    FSkinData->BGChanged = true;
    return;
  }
  if (FDropDownShown) return;
  if (FSkinData->BGChanged) BuildCache();
  AnimateStateChange(FSkinData.get(), 0, FadeStepGraphic,
                     AnimationAllowed(aeMouseLeave, FAnimatEvents, FSkinData->GetSkinManager()), false);
}

void TsSpeedButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if ((ComponentState() & csDesigning)) {
    TSpeedButton::MouseDown(Button, Shift, X, Y);
    return;
  }
  SuppressHints();
  const bool OnDropPart = !HasSplitPart() || X > Width() - ScaleToPPI(16, FSkinData.get());
  const bool DropPress = Button == TMouseButton::mbLeft && Enabled() && FButtonStyle == TToolButtonStyle::tbsDropDown &&
                         FDropdownMenu && OnDropPart;
  if (!DropPress) {
    TSpeedButton::MouseDown(Button, Shift, X, Y);
    RedrawPulseFrame(FSkinData.get());
    return;
  }
  DropDownPress();
}

void TsSpeedButton::DropDownPress() {
  DropDownSpeedButton = this;
  StopFade();
  if (FMenuOpening || FMenuWasShown) {
    // This press closed the open menu.
    FMenuWasShown = false;
    return;
  }
  // Form skinning hooks the menu here to skin it (subsystem 8, not built).
  const bool Split = HasSplitPart();
  FMenuOpening = FDropDownShown = FMenuWasShown = true;
  if (!Split) FState = TButtonState::bsDown;
  FSkinData->Updating = FSkinData->IsUpdating();
  FSkinData->BGChanged = true;
  RefreshButton();
  HideLayeredEffect(FSkinData->GlowId, false);
  FDropdownMenu->SetPopupComponent(this);
  const POINT Corner = ClientToScreen(POINT{UseRightToLeftAlignment() ? Width() : 0, Height()});
  TacSkinData* KeepAlive = FSkinData->CachedSkinData();
  (void)KeepAlive;
  FDropdownMenu->Popup(Corner.x, Corner.y);
  SetControlState(ControlState() & ~csLButtonDown);
  FDropDownShown = FMenuOpening = false;
  DropDownSpeedButton = nullptr;
  FDragging = false;
  POINT Cursor{};
  GetCursorPos(&Cursor);
  const POINT TopLeft = ClientToScreen(POINT{0, 0});
  const RECT Screen{TopLeft.x, TopLeft.y, TopLeft.x + Width(), TopLeft.y + Height()};
  const bool Over = PtInRect(&Screen, Cursor) != FALSE;
  if (!Over) Perform(CM_MOUSELEAVE, 0, reinterpret_cast<LPARAM>(this));
  StopFade();
  if (!Split) FState = TButtonState::bsUp;
  FSkinData->BGChanged = true;
  if (Skinned())
    RefreshButton();
  else
    Repaint();
  RestoreHints();
  if (!Over) FMenuWasShown = false;
}

void TsSpeedButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if ((ComponentState() & csDesigning) || Destroying()) return;
  RestoreHints();
  if (Button == TMouseButton::mbLeft && Enabled() && FButtonStyle == TToolButtonStyle::tbsDropDown) {
    FDropDownShown = false;
    DropDownSpeedButton = nullptr;
  }
  TSpeedButton::MouseUp(Button, Shift, X, Y);
  RedrawPulseFrame(FSkinData.get());
}

void TsSpeedButton::Click() {
  TsSkinManager* Manager = FSkinData->GetSkinManager();
  if (Manager && AnimationAllowed(aeClick, FAnimatEvents, Manager) &&
      Manager->AnimEffects().Buttons.ClickEffect() == TacClickEffect::ceWaveOut)
    StartClickEffect(FSkinData.get(), 0);
  TSpeedButton::Click();
}

// ---- messages ----

void TsSpeedButton::WndProc(TMessage& Message) {
  if (!FSkinData) {
    FrameworkMessage(Message);
    return;
  }
  if (Message.Msg == WM_SKINCOMMAND) {
    TsSkinManager* Manager = FSkinData->GetSkinManager();
    const bool Own = reinterpret_cast<LPARAM>(Manager) == Message.LParam;
    switch (SkinCommandCode(Message.WParam)) {
      case AC_SKINLOADED:
        if (!Own) break;
        HandleSkinCommand(Message, FSkinData.get());
        if (FSkinData->IsSkinned()) SetControlStyle(ControlStyle() | csOpaque);
        return;
      case AC_SKINREMOVED:
        if (!Own || Destroying()) break;
        HandleSkinCommand(Message, FSkinData.get());
        SetControlStyle(ControlStyle() & ~csOpaque);
        if (Visible() || (ComponentState() & csDesigning)) Repaint();
        break;
      case AC_SKINREFRESH:
        if (!IsRefreshForMe(FSkinData.get(), Message)) break;
        HandleSkinCommand(Message, FSkinData.get());
        if (Visible() || (ComponentState() & csDesigning)) Repaint();
        return;
      case AC_UPDATEDONE:
        if (!FSkinData->CheckUpdating(true) && FSkinData->IsSkinned()) RefreshButton();
        return;
      case AC_ISSKINNED:
        Message.Result = 1;
        return;
      case AC_GETDEFINDEX:
        if (Manager) Message.Result = Manager->GetSectionIndex(Flat() ? L"TOOLBUTTON" : L"SPEEDBUTTON") + 1;
        return;
      case AC_REDRAW:
        FSkinData->Updating = false;
        RefreshButton();
        return;
      case AC_MOUSELEAVE:
        DoMouseLeave();
        if (Parent()) Parent()->Perform(CM_MOUSELEAVE, 0, reinterpret_cast<LPARAM>(this));
        return;
      case AC_SETOPAQUE:
        HandleSkinCommand(Message, FSkinData.get());
        return;
      case AC_GETDEFSECTION:
        Message.Result = ssSpeedButton;
        return;
    }
  }
  if (!Skinned()) {
    UnskinnedMessage(Message);
    return;
  }
  if (SkinnedMessage(Message)) return;
  if (HandleCtrlSkinMessage(Message, FSkinData.get())) return;
  FrameworkMessage(Message);
  AfterSkinnedMessage(Message);
}

void TsSpeedButton::UnskinnedMessage(TMessage& Message) {
  switch (Message.Msg) {
    case CM_MOUSEENTER:
      if (Enabled() && !Destroying() && !(ComponentState() & csDesigning)) {
        FSkinData->MouseAbove = true;
        SetMouseInControl(true);
        if (OnMouseEnter) OnMouseEnter(this);
        if (!Flat()) {
          FHotWithoutSkin = true;
          Repaint();
          return;
        }
      }
      break;
    case CM_MOUSELEAVE:
      if (Enabled() && !Destroying() && !(ComponentState() & csDesigning)) {
        FSkinData->MouseAbove = false;
        SetMouseInControl(false);
        const bool WasHot = FHotWithoutSkin;
        FHotWithoutSkin = false;
        if (OnMouseLeave) OnMouseLeave(this);
        if (FState == TButtonState::bsDown && !FDragging) FState = TButtonState::bsUp;
        if (WasHot && !Flat()) {
          Repaint();
          return;
        }
      }
      break;
  }
  FrameworkMessage(Message);
}

bool TsSpeedButton::SkinnedMessage(TMessage& Message) {
  const bool Shown = Visible() || (ComponentState() & csDesigning);
  switch (Message.Msg) {
    case WM_SIZE:
    case WM_WINDOWPOSCHANGED:
    case CM_PARENTCOLORCHANGED:
      if (Shown) FSkinData->BGChanged = true;
      return false;
    case WM_ERASEBKGND:
    case WM_NCPAINT:
      Message.Result = 1;
      return true;
    case WM_MOUSELEAVE:
    case CM_MOUSELEAVE:
      if (!Enabled() || WindowAnimationRunning()) return false;
      FSkinData->BGChanged = false;
      DoMouseLeave();
      FrameworkMessage(Message);
      RedrawPulseFrame(FSkinData.get());
      return true;
    case CM_TEXTCHANGED:
      if (!FShowCaption) return false;
      FSkinData->BGChanged = true;
      StopFade();
      RefreshButton();
      return true;
    case CM_MOUSEENTER:
      if (!Enabled() || MouseInControl() || (ComponentState() & csDesigning)) return false;
      FSkinData->FreeLightBitmaps(false);
      DoMouseEnter();
      SetMouseInControl(true);
      FrameworkMessage(Message);
      RedrawPulseFrame(FSkinData.get());
      return true;
    case WM_SKINCOMMAND:
      switch (SkinCommandCode(Message.WParam)) {
        case AC_ISUPDATING:
          Message.Result = FSkinData->Updating ? 1 : 0;
          return true;
        case AC_REPAINTIFSECTION:
          RefreshButton();
          return true;
        case AC_BUILDCACHE:
          BuildCache();
          return true;
      }
      return false;
  }
  return false;
}

void TsSpeedButton::AfterSkinnedMessage(TMessage& Message) {
  switch (Message.Msg) {
    case WM_MOUSEMOVE: {
      TsSkinManager* Manager = FSkinData->GetSkinManager();
      if (FSkinData->MouseAbove && Manager && Manager->HotSpeedButton() != this) {
        FSkinData->MouseAbove = false;
        DoMouseEnter();
      }
      break;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      if (Destroying() || (ComponentState() & csDesigning)) break;
      FSkinData->Updating = FSkinData->IsUpdating();
      FSkinData->BGChanged = false;
      TsSkinManager* Manager = FSkinData->GetSkinManager();
      const bool Circle = Manager && Manager->Effects().AllowAnimation() &&
                          (Manager->AnimEffects().Buttons.Events() & beClick) &&
                          Manager->AnimEffects().Buttons.ClickEffect() != TacClickEffect::ceWaveOut &&
                          IsButtonStyle(FButtonStyle);
      if (Circle)
        AnimateStateChange(FSkinData.get(), 2, ClickCircleStep, true, false);
      else
        AnimateStateChange(FSkinData.get(), 2, FadeStepGraphic,
                           AnimationAllowed(aeMouseDown, FAnimatEvents, FSkinData->GetSkinManager()), false);
      break;
    }
    case WM_LBUTTONUP:
      if (!Visible() || Destroying() || (ComponentState() & csDesigning)) {
        Message.Result = -1;
        break;
      }
      AnimateStateChange(FSkinData.get(), FSkinData->MouseAbove ? 1 : 0, FadeStepGraphic,
                         AnimationAllowed(aeMouseUp, FAnimatEvents, FSkinData->GetSkinManager()), true);
      break;
    case CM_PARENTFONTCHANGED:
      if (!ParentFont() || FSkinData->CustomFont()) break;
      StopFade();
      if (WindowAnimationRunning()) break;
      FSkinData->BGChanged = true;
      RefreshButton();
      break;
    case CM_VISIBLECHANGED:
      FSkinData->MouseAbove = false;
      FSkinData->BGChanged = true;
      break;
    case CM_ENABLEDCHANGED:
      if (!Visible() && !(ComponentState() & csDesigning)) break;
      if (!Enabled()) StopFade();
      FSkinData->BGChanged = true;
      if (!Loading()) RefreshButton();
      break;
    case CM_FONTCHANGED:
      StopFade();
      FSkinData->BGChanged = true;
      RefreshButton();
      break;
    case CM_BUTTONPRESSED:
      StopFade();
      FSkinData->BGChanged = true;
      RefreshButton();
      break;
  }
}
