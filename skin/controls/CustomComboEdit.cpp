#include "skin/controls/CustomComboEdit.h"

#include "framework/Application.h"
#include "framework/Form.h"
#include "framework/HintWindow.h"
#include "framework/Screen.h"
#include "skin/core/SkinUtils.h"
#include "skin/effects/MouseLight.h"
#include "skin/effects/PopupController.h"
#include "skin/forms/WindowQueries.h"
#include "skin/graphics/ArrowGlyph.h"
#include "skin/graphics/FrameDrawing.h"
#include "skin/imagelists/DefaultGlyphLists.h"
#include "skin/imagelists/GlyphDrawing.h"
#include "skin/imagelists/ImageSizes.h"
#include "skin/manager/ManagerOptions.h"
#include "skin/manager/SkinManager.h"
#include "skin/painting/SectionPainting.h"
#include "skin/painting/SectionText.h"
#include "skin/painting/SkinGlyph.h"
#include "skin/state/CacheCorners.h"
#include "skin/state/GlowEffects.h"
#include "skin/state/StateQueries.h"

#include <windowsx.h>

#include <algorithm>

// Shows the button's hint once the mouse rested on the button for the
// application's hint pause.
class TacHintTimer : public TTimer {
 public:
  explicit TacHintTimer(TsCustomComboEdit* Edit) : TTimer(nullptr), FEdit(Edit) {
    SetInterval(Application ? Application->HintPause() : 500);
  }

 protected:
  void Timer() override {
    SetEnabled(false);
    FEdit->ShowButtonHint();
  }

 private:
  TsCustomComboEdit* FEdit;
};

namespace {

constexpr uint8_t kComboEditKind = 138;
constexpr TShortCut kSelectAllKey = scCtrl | 'A';

// A button without an image of its own (the default glyph) or with a width
// of its own is as wide as that width, the system's scroll-bar width for 0;
// one with its own image is as wide as one frame of it.
bool ComboButtonWidthOf(TWinControl* Owner, int& Width) {
  auto* Edit = dynamic_cast<TsCustomComboEdit*>(Owner);
  if (!Edit) return false;
  Width = Edit->ButtonWidth();
  return !Edit->HasOwnGlyph() || Width != 0;
}

TacSkinData* ScaledData(TsCommonData* Data) { return Data->GetScaledSkinData(); }

bool ValidSection(const TacSkinData* SkinData, int Index) {
  return SkinData && Index >= 0 && Index < int(SkinData->GeneralDataArray.size());
}

int SectionOf(TsSkinManager* Manager, const TacSkinData* SkinData, const String& Name) {
  return Manager ? Manager->GetSectionIndex(Name, SkinData) : -1;
}

}  // namespace

TsCustomComboEdit::TsCustomComboEdit(TComponent* Owner) : TacComboEditBase(Owner) {
  ComboGlyphButtonWidth = ComboButtonWidthOf;
  SkinData()->CtrlKind = kComboEditKind;
  SkinData()->OnPaintState = [this](TControl*, TacPaintStateInfo& Info) { UpdateLight(Info); };
  FGlyphMode = std::make_unique<TsGlyphMode>(this, SkinData());
  SetBounds(Left(), Top(), Width(), 21);
  AfterConstruction();
}

TsCustomComboEdit::~TsCustomComboEdit() {
  OnKeyDown = nullptr;
  SkinData()->OnPaintState = nullptr;
  FHintTimer.reset();
  FHintWnd.reset();
  FGlyphMode.reset();
}

void TsCustomComboEdit::CreateParams(TCreateParams& Params) {
  TacComboEditBase::CreateParams(Params);
  static const DWORD Aligns[] = {ES_LEFT, ES_RIGHT, ES_CENTER};
  Params.Style |= Aligns[static_cast<int>(FAlignment)] | WS_CLIPCHILDREN;
}

void TsCustomComboEdit::Loaded() {
  TacComboEditBase::Loaded();
  SkinData()->Loaded(true);
}

void TsCustomComboEdit::SetButtonSkinSection(const String& Value) {
  if (FButtonSkinSection == Value) return;
  FButtonSkinSection = Value;
  SkinData()->Invalidate();
}

void TsCustomComboEdit::SetButtonWidth(int Value) {
  if (FButtonWidth == Value) return;
  FButtonWidth = Value;
  if (Loading()) return;
  SkinData()->StateBits |= acsRecalcFrame;
  FButtonRect.left = -1;
  RecalcFrame(*this);
  SkinData()->Invalidate(true);
}

void TsCustomComboEdit::SetShowButton(bool Value) {
  if (FShowButton == Value) return;
  FShowButton = Value;
  FButtonRect.left = -1;
  SkinData()->Invalidate();
  if (!Loading()) RecalcFrame(*this);
}

void TsCustomComboEdit::UpdateReadOnly() { TCustomEdit::SetReadOnly(FOwnReadOnly || !FDirectInput || FButtonMode); }

void TsCustomComboEdit::SetDirectInput(bool Value) {
  FDirectInput = Value;
  UpdateReadOnly();
}

void TsCustomComboEdit::SetReadOnly(bool Value) {
  FOwnReadOnly = Value;
  UpdateReadOnly();
}

void TsCustomComboEdit::SetButtonMode(bool Value) {
  const bool Changed = FButtonMode != Value;
  FButtonMode = Value;
  UpdateReadOnly();
  if (!Changed) return;
  if (HandleAllocated() && GetFocus() == Handle()) {
    if (FButtonMode)
      HideCaret(Handle());
    else
      ShowCaret(Handle());
  }
  SkinData()->UpdateIndexes(true);
  SkinData()->Invalidate();
}

void TsCustomComboEdit::SetAlignment(TAlignment Value) {
  if (FAlignment == Value) return;
  FAlignment = Value;
  if (HandleAllocated()) RecreateWnd();
}

void TsCustomComboEdit::SetDefaultGlyphIndex(int Value) {
  if (FDefaultGlyphIndex == Value) return;
  FDefaultGlyphIndex = Value;
  FButtonRect.left = -1;
  if (!Loading() && HandleAllocated()) RecalcFrame(*this);
  SkinData()->Invalidate();
}

// Geometry.

bool TsCustomComboEdit::HasOwnGlyph() const {
  TCustomImageList* Images = FGlyphMode->Images();
  return Images && FGlyphMode->ImageIndex() >= 0 && FGlyphMode->ImageIndex() < Images->Count();
}

bool TsCustomComboEdit::ComboButtonUsesDefaultGlyph() const { return FDefaultGlyphIndex == -1 && !HasOwnGlyph(); }

int TsCustomComboEdit::FrameMargin() const {
  const bool GlyphButton = !ComboButtonUsesDefaultGlyph();
  if (TacButtonsSupport::OldGlyphsMode() && GlyphButton) return EditBorderWidth();
  if (!SkinData()->IsSkinned()) return 0;
  TacSkinData* Data = ScaledData(SkinData());
  int Margin = Data ? Data->ComboMargin : 2;
  if (Margin == 1 && Data && Data->PPI >= 144) Margin = 2;
  return Margin;
}

int TsCustomComboEdit::ButtonGlyphWidth() const {
  if (!ComboButtonUsesDefaultGlyph()) return FGlyphMode->GlyphWidth();
  if (FButtonWidth != 0) return ScaleToPPI(FButtonWidth, SkinData(), true);
  TsSkinManager* Manager = SkinData()->GetSkinManager();
  return Manager ? Manager->GetSysScrollWidth(SkinData()->GetPPI()) : GetSystemMetrics(SM_CXVSCROLL);
}

int TsCustomComboEdit::ButtonAreaWidth(bool Full) const {
  if (!ShowButton()) return 0;
  if (ComboButtonUsesDefaultGlyph()) return ButtonGlyphWidth();
  const int Spacing = GlyphSpacing();
  return ButtonGlyphWidth() + (Full ? Spacing : Spacing / 2);
}

int TsCustomComboEdit::ButtonGlyphHeight() const {
  if (!ComboButtonUsesDefaultGlyph()) return FGlyphMode->GlyphHeight();
  return SkinData()->IsSkinned() ? Height() - 2 * FrameMargin() : Height();
}

RECT TsCustomComboEdit::CalcButtonRect(bool Full) {
  const int Margin = FrameMargin();
  const int Area = ButtonAreaWidth(Full);
  RECT R;
  if (UseRightToLeftAlignment())
    R.left = Margin;
  else
    R.left = Width() - Margin - Area - (SkinData()->IsSkinned() ? TextMargins().right : 0);
  R.right = R.left + Area;
  R.top = Margin;
  R.bottom = Height() - Margin;
  if (!Full) FButtonRect = R;
  return R;
}

RECT TsCustomComboEdit::GetTextRect() {
  RECT R = TacComboEditBase::GetTextRect();
  if (UseRightToLeftAlignment())
    R.left = ButtonAreaWidth(true) + FrameMargin() + 1;
  else
    R.right -= FrameMargin() + ButtonAreaWidth(true) + 1;
  return R;
}

bool TsCustomComboEdit::ButtonEnabled() const { return Enabled() && !ReadOnly() && FGlyphMode->Enabled(); }

bool TsCustomComboEdit::MouseOverButton() {
  if (ButtonMode()) return IsMouseOverControl(this);
  if (!ShowButton() || !HandleAllocated()) return false;
  POINT P;
  CursorPosInWnd(Handle(), P);
  if (P.y < 0 || P.y >= Height()) return false;
  const RECT R = CalcButtonRect(false);
  return UseRightToLeftAlignment() ? (P.x >= 0 && P.x < R.right) : (P.x >= R.left && P.x < Width());
}

int TsCustomComboEdit::ButtonPaintState() {
  if (!ComboButtonUsesDefaultGlyph()) return FButtonState;
  if (FPopupActive) return 2;
  if (!ButtonMode()) return FButtonState;
  return IsMouseOverControl(this) ? 1 : SkinData()->GetCtrlState();
}

int TsCustomComboEdit::GetSkinState() {
  if (ButtonMode() || !SkinData()->SkinSection().empty()) {
    if (FPopupActive || FButtonState == 2) return 2;
    if (SkinData()->MouseAbove) return 1;
  }
  return SkinData()->GetCtrlState();
}

// Painting.

void TsCustomComboEdit::DrawEditText() {
  TacComboEditBase::DrawEditText();
  TBitmap* Cache = SkinData()->CacheBmp.get();
  if (!Cache || !ButtonMode() || !FShowFocus || !Focused() || !SkinData()->FocusRectVisible()) return;
  RECT F = GetTextRect();
  InflateRect(&F, 1, 0);
  TCanvas Canvas(Cache->DC());
  DrawFocusFrame(Canvas, F);
}

void TsCustomComboEdit::PaintButton() {
  if (!ShowButton()) return;
  TBitmap* Cache = SkinData()->CacheBmp.get();
  if (!Cache) return;
  const RECT R = CalcButtonRect(false);
  const int State = std::min(ButtonPaintState(), 2);
  TsSkinManager* Manager = SkinData()->GetSkinManager();
  TacSkinData* Data = SkinData()->IsSkinned() ? ScaledData(SkinData()) : nullptr;

  if (ComboButtonUsesDefaultGlyph()) {
    if (Data) {
      int Button = ButtonMode()
                       ? SectionOf(Manager, Data, L"COMBOBTN")
                       : SectionOf(Manager, Data, FButtonSkinSection.empty() ? L"COMBOBTN" : FButtonSkinSection);
      if (ValidSection(Data, Button))
        PaintSkinSection(Button, BitmapBackgroundSource(Cache, R.left, R.top), State, R, POINT{R.left, R.top}, Cache,
                         Data);
      const int Arrow = Data->ComboButton.GlyphIndex;
      if (Arrow >= 0 && Arrow < int(Data->MaskArray.size())) {
        const TsMaskData& Mask = Data->MaskArray[Arrow];
        const int W = Mask.FrameWidth, H = Mask.FrameHeight;
        DrawSkinGlyph(*Cache, POINT{R.left + (R.right - R.left - W) / 2, R.top + (R.bottom - R.top - H) / 2}, State, 1,
                      Mask, BitmapBackgroundSource(Cache, 0, 0));
        return;
      }
      uint32_t Color;
      if (!ValidSection(Data, Button) || ButtonMode())
        Color = ValidSection(Data, SkinData()->SkinIndex)
                    ? Data->GeneralDataArray[SkinData()->SkinIndex].Props[State].FontColor
                    : 0;
      else if (Button == SectionOf(Manager, Data, L"TRANSPARENT"))
        Color = GetStateFontColor(this, SkinData()->SkinIndex, Manager, SkinData(), State);
      else
        Color = Data->GeneralDataArray[Button].Props[State].FontColor;
      DrawArrowGlyph(*Cache, Color | 0xFF000000, 0x1FFFFFFF, R, 0, 0, FArrowAngle, 0,
                     uint8_t(Manager ? Manager->Globals().ArrowStyle : 0), SkinData()->GetPPI());
    } else {
      RECT B = R;
      HBRUSH Brush = CreateSolidBrush(ColorToRGB(Color()));
      FillRect(Cache->DC(), &B, Brush);
      DeleteObject(Brush);
      DrawArrowGlyph(*Cache, ColorToRGB(Font().Color()) | 0xFF000000, 0x1FFFFFFF, B, 0, 0, 0, 0, 0,
                     SkinData()->GetPPI());
    }
    return;
  }

  // A glyph button.
  if (State > 0 && !TacButtonsSupport::OldGlyphsMode() && !ButtonMode() && Data) {
    for (const wchar_t* Name : {L"COMBOBTN", L"UPDOWNBTN", L"SPEEDBUTTON_SMALL"}) {
      const int Face = SectionOf(Manager, Data, Name);
      if (!ValidSection(Data, Face)) continue;
      PaintSkinSection(Face, BitmapBackgroundSource(Cache, R.left, R.top), State, R, POINT{R.left, R.top}, Cache, Data);
      break;
    }
  }
  TacGlyphDrawData Glyph;
  TCustomImageList* Images = FGlyphMode->Images();
  int Index = FGlyphMode->ImageIndex();
  auto Valid = [&](int I) { return Images && I >= 0 && I < Images->Count(); };
  int Frames = 1;
  if (Valid(Index)) {
    if (State == 1 && Valid(FGlyphMode->ImageIndexHot())) Index = FGlyphMode->ImageIndexHot();
    if (State == 2 && Valid(FGlyphMode->ImageIndexPressed())) Index = FGlyphMode->ImageIndexPressed();
  } else {
    Images = DefaultGlyphList();
    Index = FDefaultGlyphIndex;
    if (Images && Images->Height() > 0) Frames = std::max(1, Images->Width() / Images->Height());
  }
  if (!Images) return;
  const int PPI = SkinData()->GetPPI();
  const int W = ScaledImageWidth(Images, Index, PPI) / Frames, H = ScaledImageHeight(Images, Index, PPI);
  Glyph.Images = Images;
  Glyph.ImageIndex = Index;
  Glyph.NumGlyphs = Frames;
  Glyph.CurrentState = Frames > 1 ? State : 0;
  Glyph.Enabled = ButtonEnabled();
  Glyph.Grayed = FGlyphMode->Grayed();
  Glyph.ToneColor = FGlyphMode->ColorTone();
  Glyph.Blend = ButtonEnabled() ? FGlyphMode->Blend() : FGlyphMode->Blend() + (100 - FGlyphMode->Blend()) / 2;
  Glyph.PPI = PPI;
  Glyph.DstBmp = Cache;
  const int X = R.left + (R.right - R.left - W) / 2 + 1, Y = R.top + (R.bottom - R.top - H) / 2;
  Glyph.ImgRect = RECT{X, Y, X + W, Y + H};
  DrawImageListGlyph(Glyph);
}

void TsCustomComboEdit::PaintToDC(HDC DC) {
  if (!SkinData()->IsSkinned()) {
    PAINTSTRUCT PS;
    const bool Own = !WindowAnimationRunning() && !DC;
    if (Own) BeginPaint(Handle(), &PS);
    HDC Target = DC ? DC : GetWindowDC(Handle());
    const int Saved = SaveDC(Target);
    BuildCache();
    BitBlt(Target, 3, 3, Width() - 6, Height() - 6, SkinData()->CacheBmp->DC(), 3, 3, SRCCOPY);
    RestoreDC(Target, Saved);
    if (!DC) ReleaseDC(Handle(), Target);
    if (Own) EndPaint(Handle(), &PS);
    return;
  }
  if (FadeRunning()) {
    // The fade's next frame covers what this paint would show.
    if (!DC) ValidateRect(Handle(), nullptr);
    return;
  }
  TacComboEditBase::PaintToDC(DC);
}

void TsCustomComboEdit::PaintFrame(HDC) {
  if (!Parent() || !Parent()->Visible() || !Visible() || !HandleAllocated() || SkinData()->CheckUpdating(false) ||
      ButtonMode() || FadeRunning())
    return;
  if (SkinData()->BGChanged) {
    if (!BuildCache()) return;
    FillCacheCorners(SkinData(), SkinData()->GetCtrlState(), 15);
  }
  TacComboEditBase::PaintFrame(nullptr);
  if (!ShowButton()) return;
  // The button area, part of the non-client frame.
  const int Spacing = GlyphSpacing();
  RECT B = CalcButtonRect(true);
  if (!UseRightToLeftAlignment()) B.left -= Spacing / 2;
  B.top = 0;
  B.bottom = Height();
  CopyCacheRect(B);
}

void TsCustomComboEdit::CopyCacheRect(const RECT& R) {
  TBitmap* Cache = SkinData()->CacheBmp.get();
  if (!Cache || !HandleAllocated()) return;
  HDC DC = GetWindowDC(Handle());
  const int Saved = SaveDC(DC);
  if (!SkinData()->IsSkinned()) {
    const RECT F = FrameWidth();
    ExcludeClipRect(DC, 0, 0, Width(), F.top);
    ExcludeClipRect(DC, 0, Height() - F.bottom, Width(), Height());
    ExcludeClipRect(DC, 0, 0, F.left, Height());
    ExcludeClipRect(DC, Width() - F.right, 0, Width(), Height());
  }
  BitBlt(DC, R.left, R.top, R.right - R.left, R.bottom - R.top, Cache->DC(), R.left, R.top, SRCCOPY);
  RestoreDC(DC, Saved);
  ReleaseDC(Handle(), DC);
}

// Button and pop-up.

void TsCustomComboEdit::SetButtonState(int Value) {
  if (FButtonState == Value) return;
  if (FButtonState == 2 && FPopupActive) return;
  FButtonState = Value;
  if (Loading() || !HandleAllocated()) return;
  if (SkinData()->IsSkinned()) {
    SkinData()->BGChanged = true;
    BuildCache();
  }
  if (ButtonMode())
    RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
  else
    SendMessageW(Handle(), WM_NCPAINT, 0, 0);
}

void TsCustomComboEdit::ButtonClick() {
  if (OnButtonClick) OnButtonClick(this);
  if (FPopupActive)
    CloseUp();
  else
    DropDown();
}

void TsCustomComboEdit::ArrowStep(int Step, int Count) {
  TsSkinManager* Manager = SkinData()->GetSkinManager();
  if (!Manager || !Manager->Options().RotateArrows() || Count <= 0) return;
  if (Step == 0) Count *= 2;
  FArrowAngle = Step * 180 / Count;
  SkinData()->BGChanged = true;
  if (BuildCache()) CopyCacheRect(RECT{0, 0, Width(), Height()});
}

void TsCustomComboEdit::DropDown() {
  if (!FPopupControl || ReadOnly() || FPopupActive) return;
  FPopupControl->SetVisible(false);
  FPopupControl->SetBounds(FPopupControl->Left(), FPopupControl->Top(), FPopupWidth, FPopupHeight);
  RECT Screen;
  GetWindowRect(Handle(), &Screen);
  const int DesktopW = GetSystemMetrics(SM_CXSCREEN), DesktopH = GetSystemMetrics(SM_CYSCREEN);
  int Y = Screen.bottom;
  if (DesktopH < Y + FPopupHeight) Y = Screen.top - FPopupHeight;
  int Align = FPopupAlignment;
  if (BiDiMode() == TBiDiMode::bdRightToLeft) Align = 1 - Align;
  int X;
  if (Align == 0) {
    X = Screen.left + Width() - FPopupWidth;
    if (X < 0) X = Screen.left;
  } else {
    X = Screen.left;
    if (X + FPopupWidth > DesktopW) X = Screen.left + Width() - FPopupWidth;
  }
  X = std::max(0, std::min(X, DesktopW - FPopupWidth));
  if (CanFocus()) {
    SetFocus();
    ValidateRect(Handle(), nullptr);
  }
  FPopupActive = true;
  auto* Form = dynamic_cast<TForm*>(FPopupControl);
  if (TForm* Owner = ParentFormOf(this)) {
    if (Form && Owner->FormStyle() == TFormStyle::fsStayOnTop) Form->SetFormStyle(TFormStyle::fsStayOnTop);
    if (auto* Popup = dynamic_cast<TWinControl*>(FPopupControl))
      SetWindowPos(Popup->Handle(), HWND_TOPMOST, X, Y, 0, 0, 0x61B);
  }
  FPopupControl->SetBounds(X, Y, FPopupWidth, FPopupHeight);
  if (Form)
    ShowPopupForm(
        Form, this, X, Y, true,
        [](TacPopupStep& Step) {
          if (auto* Edit = dynamic_cast<TsCustomComboEdit*>(Step.Control)) Edit->ArrowStep(Step.Index, Step.Steps);
        },
        false);
  else
    FPopupControl->SetVisible(true);
}

void TsCustomComboEdit::CloseUp() {
  auto* Form = dynamic_cast<TForm*>(FPopupControl);
  if (Form && Form->Visible()) Form->Close();
}

void TsCustomComboEdit::PopupClosed() {
  FPopupControl = nullptr;
  FPopupActive = false;
  FArrowAngle = 0;
  SetButtonState(MouseOverButton() ? 1 : 0);
  SkinData()->StopFading();
  SkinData()->Invalidate(true);
}

void TsCustomComboEdit::SelectAllText() {
  if (!ReadOnly() && !GetText().empty() && !ButtonMode() && HandleAllocated()) SendMessageW(Handle(), EM_SETSEL, 0, -1);
}

// Hints.

void TsCustomComboEdit::StartHintTimer() {
  if (!FHintTimer) FHintTimer = std::make_unique<TacHintTimer>(this);
  if (FHintWnd) return;
  FHintTimer->SetEnabled(false);
  FHintTimer->SetInterval(Application ? Application->HintPause() : 500);
  FHintTimer->SetEnabled(true);
}

void TsCustomComboEdit::FreeHintWnd() {
  if (FHintTimer) FHintTimer->SetEnabled(false);
  FHintWnd.reset();
}

void TsCustomComboEdit::ShowButtonHint() {
  if (!Application || !Application->ShowHint() || !ShowHint() || FGlyphMode->Hint().empty() || FHintWnd) return;
  if (!MouseOverButton()) return;
  POINT P;
  GetCursorPos(&P);
  FHintWnd = std::make_unique<THintWindow>(nullptr);
  RECT R = FHintWnd->CalcHintRect(300, FGlyphMode->Hint(), nullptr);
  // Below the cursor, clear of its shape.
  OffsetRect(&R, P.x, P.y + 16);
  FHintWnd->ActivateHint(R, FGlyphMode->Hint());
}

// Hover.

void TsCustomComboEdit::MouseEnter() {
  if (FPopupActive) return;
  if (!SkinData()->MouseAbove) {
    SkinData()->FreeLightBitmaps(false);
    SkinData()->MouseAbove = true;
    if (TsSkinManager* Manager = SkinData()->GetSkinManager()) Manager->SetHotWindow(Handle());
  }
  if (ButtonMode()) {
    SetButtonState(1);
    RepaintKind(1);
  } else {
    const bool Over = MouseOverButton() && ButtonEnabled();
    SetButtonState(Over ? 1 : 0);
    RepaintKind(2 * Over + 1);
  }
}

void TsCustomComboEdit::MouseLeave() {
  if (SkinData()->MouseAbove) SkinData()->FreeLightBitmaps(false);
  FreeHintWnd();
  if (FPopupActive) return;
  if (IsMouseOverControl(this)) return;
  SkinData()->MouseAbove = false;
  SetButtonState(0);
  RepaintKind(0);
}

void TsCustomComboEdit::RepaintKind(int Kind) {
  SkinData()->BGChanged = false;
  SkinData()->MouseAbove = Kind != 0;
  if (!HandleAllocated()) return;
  if (!SkinData()->IsSkinned()) {
    RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_NOFRAME);
    return;
  }
  if ((Kind & 1) && ButtonMode()) SkinData()->UpdateGlow(Kind > 1);
  if (Kind == 1 && !ButtonMode()) {
    // The text area, given in window coordinates, as the client area sees it.
    RECT Text{2, 2, CalcButtonRect(false).left - 2, Height() - 2};
    const RECT Client = FadeClientRect();
    OffsetRect(&Text, -Client.left, -Client.top);
    RedrawWindow(Handle(), &Text, nullptr, RDW_INVALIDATE);
  }
  // Without the effects nothing fades: the new state shows at once.
  if (!EffectHooks.AnimateStateChange) {
    SkinData()->Invalidate(true);
    return;
  }
  AnimateStateChange(SkinData(), Kind, FadeStepComboEdit, true, false);
}

bool TsCustomComboEdit::FadeRunning() const {
  const TacThreadedTimer* Fade = SkinData()->FadeTimer;
  return Fade && Fade->Enabled() && Fade->StepProc == FadeStepComboEdit;
}

bool TsCustomComboEdit::PaintsOwnFrame() const { return ButtonMode() || !SystemPaintsFace(); }

RECT TsCustomComboEdit::FadeClientRect() const {
  const HWND Wnd = HandleIfAllocated();
  if (!Wnd) return RECT{};
  RECT Window, Client;
  GetWindowRect(Wnd, &Window);
  GetClientRect(Wnd, &Client);
  POINT Origin{0, 0};
  ::ClientToScreen(Wnd, &Origin);
  OffsetRect(&Client, Origin.x - Window.left, Origin.y - Window.top);
  return Client;
}

RECT TsCustomComboEdit::FadeButtonRect() const { return const_cast<TsCustomComboEdit*>(this)->CalcButtonRect(true); }

void TsCustomComboEdit::UpdateLight(TacPaintStateInfo& Info) {
  if (!ButtonMode()) return;
  TsCtrlSkinData& Data = *SkinData();
  TsSkinManager* Manager = Data.GetSkinManager();
  const HWND Wnd = HandleIfAllocated();
  if (Wnd && IsWindowVisible(Wnd) && Enabled() && !FPopupActive && Manager &&
      (Manager->AnimEffects().Buttons.Events() & beLighting))
    UpdateMouseLight(&Data, true);
  else
    Data.LightActive = false;
  Data.FreeLightBitmaps(true);
  Info.Reserved = Data.UsesMouseLight(true) ? 1 : 0;
}

// Messages.

bool TsCustomComboEdit::SkinStage1(TMessage& Message) {
  switch (Message.Msg) {
    case WM_SIZE:
    case WM_WINDOWPOSCHANGED:
      FButtonRect.left = -1;
      break;
    case WM_SKINCOMMAND: {
      TsSkinManager* Manager = SkinData()->GetSkinManager();
      TacSkinData* Data = Manager ? ScaledData(SkinData()) : nullptr;
      switch (SkinCommandCode(Message.WParam)) {
        case AC_GETDEFINDEX:
          if (Manager) {
            int Index = ButtonMode() ? SectionOf(Manager, Data, L"COMBONOEDIT") : SectionOf(Manager, Data, L"EDIT");
            if (ButtonMode() && Index < 0) Index = SectionOf(Manager, Data, L"BUTTON");
            Message.Result = Index + 1;
          }
          return true;
        case AC_GETDEFSECTION:
          if (!ButtonMode() || !Manager)
            Message.Result = ssEdit;
          else
            Message.Result = SectionOf(Manager, Data, L"COMBONOEDIT") >= 0 ? ssComboNoEdit : ssButton;
          return true;
        case AC_BUILDCACHE:
          if (BuildCache()) FillCacheCorners(SkinData(), SkinData()->GetCtrlState(), 15);
          return true;
        case AC_POPUPCLOSED:
          PopupClosed();
          return true;
        case AC_GETEFFECTRECT: {
          RECT R = CalcButtonRect(false);
          MapWindowPoints(Handle(), nullptr, reinterpret_cast<POINT*>(&R), 2);
          // The window's own coordinates start at its frame's corner.
          RECT W;
          GetWindowRect(Handle(), &W);
          POINT Client{0, 0};
          ::ClientToScreen(Handle(), &Client);
          OffsetRect(&R, W.left - Client.x, W.top - Client.y);
          if (Message.LParam) *reinterpret_cast<RECT*>(Message.LParam) = R;
          Message.Result = 1;
          return true;
        }
        case AC_GETEDITRECT:
          if (Message.LParam) *reinterpret_cast<RECT*>(Message.LParam) = GetTextRect();
          Message.Result = 1;
          return true;
        case AC_CODE91:
          FMouseOverButton = MouseOverButton();
          return true;
        case AC_SKINREFRESH:
          FButtonRect.left = -1;
          SkinData()->StateBits |= acsRecalcFrame;
          break;
      }
      const bool Handled = TacComboEditBase::SkinStage1(Message);
      if (SkinCommandCode(Message.WParam) == AC_ISUPDATING) Message.Result = 0;
      return Handled;
    }
  }
  return TacComboEditBase::SkinStage1(Message);
}

bool TsCustomComboEdit::SkinnedMessage(TMessage& Message) {
  switch (Message.Msg) {
    case WM_PAINT:
      // In button mode the system edit never paints: no caret, no selection.
      if (ButtonMode()) {
        if (SkinData()->StateBits & acsRecalcFrame) {
          SkinData()->BGChanged = true;
          BuildCache();
        }
        PaintToDC(reinterpret_cast<HDC>(Message.WParam));
        return true;
      }
      break;
    case WM_ERASEBKGND:
      if (Visible()) {
        Message.Result = 1;
        return true;
      }
      break;
  }
  return TacComboEditBase::SkinnedMessage(Message);
}

void TsCustomComboEdit::UnskinnedWndProc(TMessage& Message) {
  if (Message.Msg == WM_ERASEBKGND && ButtonMode()) {
    Message.Result = 1;
    return;
  }
  TacComboEditBase::UnskinnedWndProc(Message);
  // The button sits in the frame the system does not paint.
  if (Message.Msg == WM_NCPAINT && !ButtonMode() && ShowButton() && BuildCache()) {
    RECT B = CalcButtonRect(true);
    const RECT F = FrameWidth();
    B.left -= F.left;
    B.right += F.right;
    CopyCacheRect(B);
  }
}

bool TsCustomComboEdit::HandleMouse(TMessage& Message) {
  switch (Message.Msg) {
    case WM_MOUSEMOVE: {
      const bool Over = MouseOverButton();
      if (Over && FButtonState == 0) {
        if (ButtonEnabled()) SetButtonState(1);
        StartHintTimer();
      } else if (!Over && !ButtonMode()) {
        SetButtonState(0);
        FreeHintWnd();
      }
      return false;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      if (Message.Msg == WM_LBUTTONDBLCLK && !MouseOverButton()) return false;
      SkinData()->BGChanged = true;
      if (FIgnoreNextPress) {
        FIgnoreNextPress = false;
        return true;
      }
      if (ButtonMode()) {
        if (CanFocus()) SetFocus();
        SetButtonState(2);
        if (!SkinData()->IsSkinned() && BuildCache()) CopyCacheRect(RECT{0, 0, Width(), Height()});
        if (ComboButtonUsesDefaultGlyph()) ButtonClick();
        return true;
      }
      const POINT P{GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)};
      if (ButtonEnabled() && MouseOverButton()) {
        (void)P;
        // The release comes here even when it happens off the window.
        if (!ComboButtonUsesDefaultGlyph()) SetCapture(Handle());
        SetButtonState(2);
        if (!SkinData()->IsSkinned() && BuildCache()) CopyCacheRect(CalcButtonRect(true));
        if (ComboButtonUsesDefaultGlyph()) ButtonClick();
        return true;
      }
      if (FPopupActive) CloseUp();
      return false;
    }
    case WM_LBUTTONUP: {
      ReleaseCapture();
      if (FButtonState != 2 || ComboButtonUsesDefaultGlyph()) {
        if (FButtonState == 2 && !FPopupActive) SetButtonState(MouseOverButton() ? 1 : 0);
        return false;
      }
      const bool Over = MouseOverButton();
      const bool Clicks = ButtonMode() ? Over : Over && ButtonEnabled();
      SetButtonState(Over ? 1 : 0);
      SkinData()->Invalidate(true);
      if (Clicks) {
        if (!SkinData()->IsSkinned() && BuildCache()) CopyCacheRect(CalcButtonRect(true));
        ButtonClick();
      }
      return ButtonMode();
    }
    case WM_SETCURSOR:
      if (MouseOverButton()) {
        TCursor Shown = FGlyphMode->Cursor();
        if (Shown == crDefault) Shown = Cursor();
        ::SetCursor(Screen->Cursors(Shown == crDefault ? crArrow : Shown));
        Message.Result = 1;
        return true;
      }
      return false;
  }
  return false;
}

void TsCustomComboEdit::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_LBUTTONUP:
    case WM_SETCURSOR:
      if (HandleMouse(Message)) return;
      break;
    case CM_MOUSEENTER:
      TacComboEditBase::WndProc(Message);
      MouseEnter();
      return;
    case CM_MOUSELEAVE:
      TacComboEditBase::WndProc(Message);
      MouseLeave();
      return;
    case WM_CUT:
    case WM_PASTE:
      if (!FDirectInput || ReadOnly() || ButtonMode()) return;
      break;
    case WM_CHAR:
      if (ButtonMode()) return;
      break;
    case CM_WANTSPECIALKEY:
      if (Message.WParam == VK_RETURN && FPopupActive) {
        Message.Result = 1;
        return;
      }
      break;
    case CM_CANCELMODE: {
      auto* Cause = reinterpret_cast<TControl*>(Message.LParam);
      auto* Popup = dynamic_cast<TWinControl*>(FPopupControl);
      auto Inside = [&](TControl* C) {
        for (; C; C = C->Parent())
          if (C == Popup) return true;
        return false;
      };
      if (Cause != this && Cause != FPopupControl && Popup && Popup->Visible() && !Inside(Cause)) CloseUp();
      break;
    }
    case CM_FOCUSCHANGED:
      if (FPopupActive && reinterpret_cast<TControl*>(Message.LParam) != this) CloseUp();
      break;
    case WM_NCCALCSIZE: {
      TacComboEditBase::WndProc(Message);
      FButtonRect.left = -1;
      if (ShowButton()) {
        auto* R = reinterpret_cast<RECT*>(Message.LParam);
        if (UseRightToLeftAlignment())
          R->left += ButtonAreaWidth(true);
        else
          R->right -= ButtonAreaWidth(true) + FrameMargin();
      }
      return;
    }
    case WM_SETFOCUS:
      TacComboEditBase::WndProc(Message);
      if (ButtonMode()) HideCaret(Handle());
      return;
    case CM_EXIT:
      TacComboEditBase::WndProc(Message);
      SkinData()->Invalidate();
      return;
  }
  TacComboEditBase::WndProc(Message);
}

bool TsCustomComboEdit::DoKeyDown(WORD& Key, TShiftState Shift) {
  if (TacComboEditBase::DoKeyDown(Key, Shift)) return true;
  const TShortCut Pressed = ShortCut(Key, Shift);
  if (Pressed == FClickKey && ButtonGlyphWidth() > 0 && ShowButton()) {
    if (ButtonEnabled()) ButtonClick();
    Key = 0;
    return true;
  }
  if (Pressed == kSelectAllKey) {
    SelectAllText();
    Key = 0;
    MSG Pending;
    PeekMessageW(&Pending, Handle(), WM_CHAR, WM_CHAR, PM_REMOVE);
    return true;
  }
  return false;
}

bool TsCustomComboEdit::DoKeyPress(wchar_t& Key) {
  if (Key == VK_RETURN || Key == VK_ESCAPE) {
    TForm* Form = ParentFormOf(this);
    if (Form && Form->KeyPreview()) SendMessageW(Form->Handle(), CM_DIALOGKEY, Key, 0);
  }
  if (Key == VK_RETURN) {
    TacComboEditBase::DoKeyPress(Key);
    Key = 0;
    return true;
  }
  return TacComboEditBase::DoKeyPress(Key);
}
