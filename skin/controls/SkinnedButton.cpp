#include "skin/controls/SkinnedButton.h"

#include "framework/GdiHandles.h"
#include "skin/controls/ButtonPress.h"
#include "skin/controls/ComponentWatch.h"
#include "skin/effects/ClickCircle.h"
#include "skin/effects/ClickWave.h"
#include "skin/effects/MouseLight.h"
#include "skin/effects/StateAnimation.h"
#include "skin/forms/SkinColors.h"
#include "skin/forms/WindowQueries.h"
#include "skin/graphics/FrameDrawing.h"
#include "skin/graphics/PixelRoutines.h"
#include "skin/graphics/ThemeServices.h"
#include "skin/graphics/TriangleArrows.h"
#include "skin/imagelists/ImageSizes.h"
#include "skin/manager/ManagerOptions.h"
#include "skin/manager/SkinManager.h"
#include "skin/painting/ParentBackground.h"
#include "skin/painting/SectionText.h"
#include "skin/state/ControlSkinPainting.h"
#include "skin/state/ControlText.h"
#include "skin/state/GlowEffects.h"
#include "skin/state/SectionLookup.h"
#include "skin/state/StateQueries.h"
#include "skin/state/ThreadedTimer.h"

#include <uxtheme.h>
#include <vssym32.h>

#include <algorithm>
#include <memory>

void TImageMargins::Set(int& Field, int v) {
  if (Field == v) return;
  Field = v;
  if (OnChange) OnChange();
}

void TImageMargins::Assign(const TImageMargins& Source) {
  FLeft = Source.FLeft;
  FTop = Source.FTop;
  FRight = Source.FRight;
  FBottom = Source.FBottom;
  if (OnChange) OnChange();
}

TsButton::TsButton(TComponent* Owner) : TacSkinnedButtonBase(Owner, 93) {
  FControlStyle &= ~(csOpaque | csDoubleClicks);
  FImageMargins.OnChange = [this] {
    if (FImages) Repaint_();
  };
  SkinData()->OnPaintState = [this](TControl*, TacPaintStateInfo& Info) { UpdateLight(Info); };
  FCommandLinkFont.OnChange = [this](TObject*) { Repaint_(); };
  AfterConstruction();
}

bool TsButton::CommandLinkFontStored() const { return !FCommandLinkFont.SameAs(TFont()); }

void TsButton::SetDropDownMenu(TPopupMenu* v) {
  if (FDropDownMenu == v) return;
  if (FDropDownMenu) FDropDownMenu->RemoveFreeNotification(this);
  FDropDownMenu = v;
  if (FDropDownMenu) FDropDownMenu->FreeNotification(this);
}

void TsButton::Notification(TComponent* Component, TOperation Operation) {
  TacSkinnedButtonBase::Notification(Component, Operation);
  if (Operation == TOperation::opRemove && Component == FDropDownMenu) FDropDownMenu = nullptr;
}

void TsButton::Loaded() { TacSkinnedControl::Loaded(); }

// ---- state and measures ----

int TsButton::CurrentState() {
  if (PushedButtonState(*this, *SkinData()) == 2 || FDown || FDropDownShown) return 2;
  if (SkinData()->GetCtrlState() == 0) return Default() ? 3 : 0;
  return 1;
}

int TsButton::CurrentImageIndex() {
  int Index;
  const int State = CurrentState();
  if (!Enabled())
    Index = FDisabledImageIndex;
  else if (State == 2)
    Index = FPressedImageIndex;
  else if (Focused())
    Index = FSelectedImageIndex;
  else
    Index = State == 1 ? FHotImageIndex : State == 3 ? FSelectedImageIndex : FImageIndex;
  TCustomImageList* List = GetImages();
  if (List && Index >= 0 && Index < List->Count()) return Index;
  return FImageIndex;
}

bool TsButton::HasImage() {
  TCustomImageList* List = GetImages();
  if (!List) return false;
  const int Index = CurrentImageIndex();
  return Index >= 0 && Index < List->Count();
}

SIZE TsButton::ImageSize() {
  if (!HasImage()) return SIZE{0, 0};
  const int Index = CurrentImageIndex();
  const int Ppi = SkinData()->PPI;
  return SIZE{ScaledImageWidth(GetImages(), Index, Ppi), ScaledImageHeight(GetImages(), Index, Ppi)};
}

int TsButton::ImageSpacing() {
  TsSkinManager* Manager = SkinData()->GetSkinManager();
  return Manager ? Manager->ScaleInt(6) : 6;
}

int TsButton::SplitWidth() { return SkinData()->PPI * 16 / 96; }

SIZE TsButton::CaptionSize() {
  const String Text = Caption();
  if (Text.empty()) return SIZE{0, 0};
  SkinData()->InitCacheBmp();
  TCanvas Canvas(SkinData()->CacheBmp->DC());
  Canvas.Font().Assign(Font());
  if (FStyle == TButtonStyle::bsCommandLink) {
    Canvas.Font().SetStyle(Canvas.Font().Style() | fsBold);
    Canvas.Font().SetSize(Canvas.Font().Size() + 2);
  }
  UINT Flags = DT_CALCRECT | DT_EXPANDTABS | (FWordWrap ? DT_WORDBREAK : DT_SINGLELINE);
  const int W = Width(), Cm = FContentMargin;
  RECT R;
  if (HasImage()) {
    const SIZE Img = ImageSize();
    const int Sides = FImageMargins.Left() + FImageMargins.Right();
    R = RECT{0, 0, W - 2 * Cm - (Img.cx + Sides) - ImageSpacing() - Sides, 0};
  } else {
    R = RECT{2 * Cm, 0, W - 2 * Cm, 0};
  }
  DrawTextW(Canvas.Handle(), Text.c_str(), int(Text.size()), &R, Flags);
  Canvas.Font().Assign(Font());
  return SIZE{std::max(0, int(R.right - R.left)), std::max(0, int(R.bottom - R.top))};
}

RECT TsButton::CaptionRect() {
  const int W = Width() - (FStyle == TButtonStyle::bsSplitButton ? SplitWidth() : 0), H = Height();
  const int Cm = FContentMargin, G = ImageSpacing();
  const SIZE T = CaptionSize();
  const SIZE I = ImageSize();
  const TImageMargins& M = FImageMargins;
  RECT R{};
  if (FStyle == TButtonStyle::bsCommandLink) {
    R = RECT{G + I.cx + M.Left() + Cm + M.Right(), Cm, W - Cm, Cm + T.cy};
  } else if (!HasImage() || FImageAlignment == TImageAlignment::iaCenter) {
    R.left = (W - T.cx) / 2;
    R.right = R.left + T.cx;
    R.top = (H - T.cy) / 2;
    R.bottom = R.top + T.cy;
  } else {
    switch (FImageAlignment) {
      case TImageAlignment::iaLeft:
        R = RECT{G + I.cx + M.Left() + Cm + M.Right(), (H - T.cy) / 2, W - Cm, 0};
        R.bottom = H - R.top;
        break;
      case TImageAlignment::iaRight:
        R = RECT{Cm, (H - T.cy) / 2, W - (I.cx + M.Right() + Cm + M.Left()), 0};
        R.bottom = H - R.top;
        break;
      case TImageAlignment::iaTop:
        R.top = M.Top() + 2 * Cm + I.cy;
        R.top += ((H - Cm) - R.top - T.cy) / 2;
        R.bottom = R.top + T.cy;
        R.left = Cm;
        R.right = W - Cm;
        break;
      case TImageAlignment::iaBottom: {
        const int B = H - (M.Bottom() + Cm + I.cy + M.Top());
        R.top = (B - M.Top() - T.cy) / 2 + M.Top();
        R.bottom = R.top + T.cy;
        R.left = Cm;
        R.right = W - Cm;
        break;
      }
      default:
        break;
    }
  }
  if (CurrentState() == 2 && ShiftsContentOnClick(SkinData()->SkinIndex, SkinData()->GetScaledSkinData()))
    OffsetRect(&R, 1, 1);
  return R;
}

RECT TsButton::ButtonImageRect() {
  if (!HasImage()) return RECT{};
  const int W = Width() - (FStyle == TButtonStyle::bsSplitButton ? SplitWidth() : 0), H = Height();
  const int Cm = FContentMargin;
  const SIZE I = ImageSize();
  const TImageMargins& M = FImageMargins;
  POINT P{};
  if (FStyle == TButtonStyle::bsCommandLink) {
    P = POINT{M.Left() + Cm, Cm};
  } else {
    switch (FImageAlignment) {
      case TImageAlignment::iaLeft:
        P = POINT{M.Left() + Cm, (H - I.cy) / 2};
        break;
      case TImageAlignment::iaRight:
        P = POINT{W - M.Right() - Cm - I.cx, (H - I.cy) / 2};
        break;
      case TImageAlignment::iaTop:
        P = POINT{(W - I.cx) / 2, M.Top() + Cm};
        break;
      case TImageAlignment::iaBottom:
        P = POINT{(W - I.cx) / 2, H - M.Bottom() - Cm - I.cy};
        break;
      case TImageAlignment::iaCenter:
        P = POINT{(W - I.cx) / 2, (H - I.cy) / 2};
        break;
    }
  }
  RECT R{P.x, P.y, P.x + I.cx, P.y + I.cy};
  if (CurrentState() == 2 && ShiftsContentOnClick(SkinData()->SkinIndex, SkinData()->GetScaledSkinData()))
    OffsetRect(&R, 1, 1);
  return R;
}

void TsButton::GetGlyphInputs(TacButtonGlyphInputs& Inputs) {
  Inputs.Images = GetImages();
  Inputs.ImageIndex = CurrentImageIndex();
  Inputs.State = CurrentState();
  Inputs.GlyphRect = ButtonImageRect();
  Inputs.Reflected = FReflected;
  Inputs.PPI = SkinData()->PPI;
}

// ---- painting ----

bool TsButton::BuildCache() {
  TsCtrlSkinData& Data = *SkinData();
  TacBackgroundInfo Bg;
  TacBackgroundSource Source;
  if (!StartButtonCache(Bg, Source)) return false;
  TBitmap* Cache = Data.CacheBmp.get();
  const int State = CurrentState();
  const int Painted = SectionState(State);
  PaintControlSkin(Data, Source, Painted, RECT{0, 0, Width(), Height()}, POINT{Left(), Top()}, Cache, true);
  DrawMouseLight(&Data, Painted, Cache);
  const TacColoring Coloring = GetColoring();
  ApplyColorEffects(Cache, &Data, TColor(Coloring.ColorBg), Painted);
  PaintCaption(Coloring.ColorText, nullptr);
  DrawButtonGlyph(this, Cache, acColorUnset);
  if (FStyle == TButtonStyle::bsSplitButton) {
    TsSkinManager* Manager = Data.GetSkinManager();
    const COLORREF Line = ColorToRGB(GetStateFontColor(this, Data.SkinIndex, Manager, &Data, Painted == 0 ? 0 : 1));
    const int X = Width() - SplitWidth() + 1;
    FillRect32(*Cache, RECT{X, 4, X + 1, Height() - 4}, Line, 255);
    DrawTriangleArrowOnBitmap(*Cache, Line, RECT{Width() - SplitWidth(), 0, Width(), Height()}, 3, Data.PPI);
  }
  FinishSkinnedCache(*this, Data, Bg, DisabledKind());
  return true;
}

void TsButton::PaintCaption(uint32_t TextColor, TCanvas* Target) {
  TsCtrlSkinData& Data = *SkinData();
  std::unique_ptr<TCanvas> Own;
  if (!Target) Own = std::make_unique<TCanvas>(Data.CacheBmp->DC());
  TCanvas& Canvas = Target ? *Target : *Own;
  Canvas.Font().Assign(Font());
  Canvas.Brush().SetStyle(TBrushStyle::bsClear);
  RECT R = CaptionRect();
  const String Text = Caption();
  const int State = CurrentState();
  UINT Flags;
  if (FStyle == TButtonStyle::bsCommandLink) {
    Flags = DT_EXPANDTABS | DT_WORDBREAK | DT_LEFT;
    Canvas.Font().SetStyle(Canvas.Font().Style() | fsBold);
    Canvas.Font().SetSize(Canvas.Font().Size() + 2);
  } else {
    Flags = DT_NOCLIP | DT_EXPANDTABS | DT_VCENTER | (FWordWrap ? DT_WORDBREAK : DT_SINGLELINE);
    const LONG_PTR WndStyle = HandleAllocated() ? GetWindowLongPtrW(Handle(), GWL_STYLE) : 0;
    const LONG_PTR Horz = WndStyle & (BS_LEFT | BS_RIGHT | BS_CENTER);
    Flags |= Horz == BS_LEFT ? DT_LEFT : Horz == BS_RIGHT ? DT_RIGHT : DT_CENTER;
  }
  if (UseRightToLeftAlignment()) Flags |= DT_RTLREADING;
  const bool Skinned = Data.IsSkinned();
  const auto DrawPart = [&](const String& Part, RECT Where, UINT PartFlags) {
    if (TextColor == acColorUnset) {
      DrawTextWithEffects(Canvas, Part.c_str(), Enabled() || Skinned, Where, PartFlags, Data, std::min(State, 2),
                          Skinned);
    } else {
      // A caption in a colour of its own is left aligned in its rectangle.
      Canvas.Font().SetColor(TColor(SkinColorToRGB(TColor(TextColor), Data.GetSkinManager())));
      DrawTextCapped(Canvas.Handle(), Part, Where, PartFlags & ~(DT_CENTER | DT_RIGHT),
                     Target ? nullptr : Data.CacheBmp.get());
    }
  };
  DrawPart(Text, R, Flags);
  if (FStyle == TButtonStyle::bsCommandLink && !FCommandLinkHint.empty()) {
    Canvas.Font().Assign(Font());
    const RECT HintR{R.left, R.bottom + ImageSpacing(), R.right, Height() - FContentMargin};
    if (FCustomCommandLinkFont) {
      // A font of the button's own keeps its own colour: no section's
      // colours are laid over it.
      Canvas.Font().Assign(FCommandLinkFont);
      DrawSectionText(Canvas, FCommandLinkHint, Enabled(), HintR, Flags, -1, std::min(State, 2), Data.GetSkinManager());
    } else {
      DrawPart(FCommandLinkHint, HintR, Flags);
    }
  }
  if (!Focused() || !Enabled() || Text.empty() || !FShowFocus || !Skinned) return;
  TsSkinManager* Manager = Data.GetSkinManager();
  if (Manager && !Manager->ButtonsOptions().ShowFocusRect() && ThemesActive()) return;
  RECT F = R;
  InflateRect(&F, FFocusMargin + 1, FFocusMargin);
  F.top = std::max<LONG>(F.top, 3);
  F.bottom = std::min<LONG>(F.bottom, Height() - 3);
  DrawButtonFocusFrame(this, Data, Canvas, F);
}

void TsButton::PaintToDC(HDC DC) {
  TsCtrlSkinData& Data = *SkinData();
  const HWND Wnd = HandleIfAllocated();
  if (!Wnd) return;
  if (WindowAnimationRunning() && (!DC || DC != Data.PrintDC)) {
    ValidateRect(Wnd, nullptr);
    return;
  }
  PAINTSTRUCT Ps{};
  const bool Began = !DC && !WindowAnimationRunning();
  HDC Target = DC;
  if (Began) Target = BeginPaint(Wnd, &Ps);
  if (!Data.CheckUpdating(false) && Target) {
    const int W = Width(), H = Height();
    TacThreadedTimer* Anim = nullptr;
    if (Data.IsAnimating()) {
      if (Data.PulseTimer && Data.PulseTimer->Enabled() && Data.PulseTimer->FrameImage)
        Anim = Data.PulseTimer;
      else if (Data.FadeTimer && Data.FadeTimer->FrameImage)
        Anim = Data.FadeTimer;
    }
    if (Anim) {
      BitBlt(Target, 0, 0, W, H, Anim->FrameImage->DC(), 0, 0, SRCCOPY);
    } else {
      RECT Clip{};
      const int Kind = GetClipBox(Target, &Clip);
      if (Kind != NULLREGION && !IsRectEmpty(&Clip)) {
        // A paint of part of the button leaves the rest of the cache
        // unchecked: the next paint rebuilds it.
        const bool Partial = Clip.left > 0 || Clip.top > 0 || Clip.right < W || Clip.bottom < H;
        bool Ready = true;
        if (SkinnedCacheStale(*this, Data, FOutsideParent)) Ready = BuildCache();
        if (Partial) Data.BGChanged = true;
        if (Ready && Data.CacheBmp) BitBlt(Target, 0, 0, W, H, Data.CacheBmp->DC(), 0, 0, SRCCOPY);
      }
    }
  }
  if (Began) EndPaint(Wnd, &Ps);
}

void TsButton::PaintUnskinned(const DRAWITEMSTRUCT& Item) {
  const HDC DC = Item.hDC;
  RECT R = Item.rcItem;
  const bool Pressed = (Item.itemState & ODS_SELECTED) != 0;
  const bool HasFocus = (Item.itemState & ODS_FOCUS) != 0;
  const int SplitRight = FStyle == TButtonStyle::bsSplitButton ? SplitWidth() - 2 : 0;
  TCanvas Canvas(DC);
  Canvas.Font().Assign(Font());
  if (ThemesActive()) {
    const int State = !Enabled()                     ? PBS_DISABLED
                      : Pressed                      ? PBS_PRESSED
                      : SkinData()->MouseAbove       ? PBS_HOT
                      : (FActiveDefault || HasFocus) ? PBS_DEFAULTED
                                                     : PBS_NORMAL;
    DrawThemedElement(DC, L"BUTTON", BP_PUSHBUTTON, State, R, nullptr);
  } else {
    if (FActiveDefault || HasFocus) {
      TOwnedBrush Frame(CreateSolidBrush(GetSysColor(COLOR_WINDOWFRAME)));
      FrameRect(DC, &R, Frame.get());
      InflateRect(&R, -1, -1);
    }
    if (Pressed) {
      TOwnedBrush Shadow(CreateSolidBrush(GetSysColor(COLOR_BTNSHADOW)));
      FillRect(DC, &R, GetSysColorBrush(COLOR_BTNFACE));
      FrameRect(DC, &R, Shadow.get());
    } else {
      DrawFrameControl(DC, &R, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_ADJUSTRECT | (Enabled() ? 0 : DFCS_INACTIVE));
    }
  }
  const TacColoring Coloring = GetColoring();
  const int SavedDC = SaveDC(DC);
  if (Pressed) SetViewportOrgEx(DC, 1, 1, nullptr);
  PaintCaption(Coloring.ColorText, &Canvas);
  RestoreDC(DC, SavedDC);
  if (HasFocus && FActiveDefault && FShowFocus) {
    RECT F = Item.rcItem;
    InflateRect(&F, -4, -4);
    F.right -= SplitRight;
    DrawFocusRect(DC, &F);
  }
  if (FStyle == TButtonStyle::bsSplitButton) {
    const int X = Width() - SplitWidth() + 1;
    TOwnedPen Pen(CreatePen(PS_SOLID, 1, GetSysColor(COLOR_WINDOWFRAME)));
    TSelectObject Select(DC, Pen.get());
    MoveToEx(DC, X, 4, nullptr);
    LineTo(DC, X, Height() - 4);
    DrawTriangleArrowOnCanvas(Canvas, Font().Color(), RECT{Width() - SplitWidth(), 0, Width(), Height()}, 3,
                              SkinData()->PPI);
  }
}

void TsButton::UpdateLight(TacPaintStateInfo& Info) {
  TsCtrlSkinData& Data = *SkinData();
  const HWND Wnd = HandleIfAllocated();
  if (Wnd && IsWindowVisible(Wnd) && Enabled() && AnimationAllowed(aeLighting, FAnimatEvents, Data.GetSkinManager()))
    UpdateMouseLight(&Data, true);
  else
    Data.LightActive = false;
  Data.FreeLightBitmaps(true);
  Info.Reserved = Data.UsesMouseLight(true) ? 1 : 0;
}

// ---- click and window procedure ----

bool TsButton::OnDropDownPart(int X) {
  return FStyle == TButtonStyle::bsSplitButton && FDropDownMenu && X >= Width() - SplitWidth() && X < Width();
}

void TsButton::DropDown() {
  FDropDownShown = true;
  Repaint_();
  // Form skinning lets the manager's skinned menus take the menu here; it
  // is not built, so the menu shows as the system draws it.
  FDropDownMenu->SetPopupComponent(this);
  const POINT Corner = ClientToScreen(POINT{0, Height()});
  // An item's OnClick may free the button (closing its form): only a
  // button still there takes its look back.
  TComponentWatch Watch(this);
  FDropDownMenu->Popup(Corner.x, Corner.y);
  if (!Watch.Alive()) return;
  FDropDownShown = false;
  Repaint_();
}

bool TsButton::SkinStage1(TMessage& Message) {
  switch (Message.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      // The drop-down part opens the menu instead of pressing the button:
      // neither the system button nor OnMouseDown hears of the press.
      if (!OnDropDownPart(LParamX(Message.LParam))) break;
      DropDown();
      Message.Result = 0;
      return true;
  }
  if (Message.Msg == WM_SKINCOMMAND && SkinCommandCode(Message.WParam) == AC_SETOPAQUE) {
    HandleSkinCommand(Message, SkinData());
    return true;
  }
  return ButtonStage1(Message, true);
}

bool TsButton::SkinnedMessage(TMessage& Message) { return HandleSkinnedButtonMessage(*this, Message); }

void TsButton::UnskinnedWndProc(TMessage& Message) {
  switch (Message.Msg) {
    case CN_DRAWITEM:
      PaintUnskinned(*reinterpret_cast<DRAWITEMSTRUCT*>(Message.LParam));
      Message.Result = 1;
      return;
    case WM_PRINT:
      // The owner-drawn face paints itself into the given DC.
      if (const HDC DC = reinterpret_cast<HDC>(Message.WParam); DC && HandleAllocated()) {
        DRAWITEMSTRUCT Item{};
        Item.CtlType = ODT_BUTTON;
        Item.hwndItem = Handle();
        Item.hDC = DC;
        Item.rcItem = RECT{0, 0, Width(), Height()};
        if (Focused()) Item.itemState |= ODS_FOCUS;
        if (SendMessageW(Handle(), BM_GETSTATE, 0, 0) & BST_PUSHED) Item.itemState |= ODS_SELECTED;
        PaintUnskinned(Item);
        return;
      }
      break;
  }
  TacSkinnedControl::UnskinnedWndProc(Message);
  if (Destroying()) return;
  switch (Message.Msg) {
    case CM_VISIBLECHANGED:
      SetButtonStyle(ActiveDefault());
      break;
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE:
      if (!Enabled()) break;
      SkinData()->MouseAbove = Message.Msg == CM_MOUSEENTER;
      if (Message.Msg == CM_MOUSEENTER && OnMouseEnter) OnMouseEnter(this);
      if (Message.Msg == CM_MOUSELEAVE && OnMouseLeave) OnMouseLeave(this);
      if (HandleAllocated()) RedrawWindow(Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_NOERASE | RDW_INVALIDATE);
      break;
  }
}
