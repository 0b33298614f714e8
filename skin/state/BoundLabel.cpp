#include "skin/state/BoundLabel.h"

#include "framework/GdiHandles.h"
#include "framework/WinControl.h"
#include "skin/core/SkinCommand.h"
#include "skin/manager/SkinManager.h"
#include "skin/state/CommonData.h"

#include <utility>

namespace {

// The DrawText alignment flag of each layout's text: a label left of its
// control is right-aligned toward it, and so on.
constexpr TAlignment kLayoutAlignment[] = {
    TAlignment::taRightJustify,  // sclLeft
    TAlignment::taLeftJustify,   // sclTopLeft
    TAlignment::taCenter,        // sclTopCenter
    TAlignment::taRightJustify,  // sclTopRight
    TAlignment::taLeftJustify,   // sclLeftTop
    TAlignment::taLeftJustify,   // sclBottomLeft
    TAlignment::taCenter,        // sclBottomCenter
    TAlignment::taRightJustify,  // sclBottomRight
    TAlignment::taLeftJustify,   // sclRight
    TAlignment::taLeftJustify,   // sclRightTop
    TAlignment::taLeftJustify,   // sclLeftLeft
    TAlignment::taRightJustify,  // sclRightRight
};

TsCaptionLayout Mirrored(TsCaptionLayout Layout) {
  using L = TsCaptionLayout;
  switch (Layout) {
    case L::sclLeft:
      return L::sclRight;
    case L::sclRight:
      return L::sclLeft;
    case L::sclTopLeft:
      return L::sclTopRight;
    case L::sclTopRight:
      return L::sclTopLeft;
    case L::sclLeftTop:
      return L::sclRightTop;
    case L::sclRightTop:
      return L::sclLeftTop;
    case L::sclBottomLeft:
      return L::sclBottomRight;
    case L::sclBottomRight:
      return L::sclBottomLeft;
    // A label hugging the left edge goes to the right edge; the way back is
    // not mirrored.
    case L::sclLeftLeft:
      return L::sclRightRight;
    default:
      return Layout;
  }
}

bool PlainScaleMode(TsSkinManager* Manager) {
  if (!Manager) return true;
  const TacScaleMode Mode = Manager->Options().ScaleMode();
  return Mode == TacScaleMode::smOldMode || Mode == TacScaleMode::smFramework;
}

// The framework scales the forms itself in this mode at the densities it
// knows, so a label width must not be scaled a second time.
bool FrameworkScales(TsSkinManager* Manager) {
  if (!Manager || Manager->Options().ScaleMode() != TacScaleMode::smFramework) return false;
  const int Dpi = MainFormDPI();
  return Dpi == 96 || Dpi == 120 || Dpi == 144 || Dpi == 192;
}

SIZE FontTextSize(const TFont& Font, const String& Text, bool LineHeight) {
  TWindowDC Screen;
  TCanvas Canvas(Screen.get());
  Canvas.Font().Assign(Font);
  if (!LineHeight) return Canvas.TextExtent(Text);
  TEXTMETRICW Metrics{};
  HGDIOBJ Old = SelectObject(Screen.get(), Font.Handle());
  GetTextMetricsW(Screen.get(), &Metrics);
  SelectObject(Screen.get(), Old);
  return SIZE{0, Metrics.tmHeight};
}

}  // namespace

TsBoundLabel::TsBoundLabel(TControl* Control, TsCommonData* SkinState) : FOwnerCtrl(Control), FSkinState(SkinState) {
  FFont.OnChange = [this](TObject*) { FontChanged(); };
}

TsBoundLabel::~TsBoundLabel() {
  FFont.OnChange = nullptr;
  if (FLabelControl && !FLabelControl->Destroying()) delete std::exchange(FLabelControl, nullptr);
}

void TsBoundLabel::LabelGone(TsEditLabel* Label) {
  if (Label != FLabelControl) return;
  FLabelControl = nullptr;
  FActive = false;
}

bool TsBoundLabel::ControlShown() const { return FOwnerCtrl && FOwnerCtrl->Visible() && !KeepHidden; }

bool TsBoundLabel::LabelEnabled() const { return FEnabledAlways || (FOwnerCtrl && FOwnerCtrl->Enabled()); }

int TsBoundLabel::SkinPPI() const {
  TacSkinData* Data = FSkinState ? FSkinState->GetScaledSkinData() : nullptr;
  return Data ? Data->PPI : 0;
}

bool TsBoundLabel::ManagerRescaling() const {
  TsSkinManager* Manager = FSkinState ? FSkinState->GetSkinManager() : nullptr;
  return Manager && Manager->Scaling();
}

void TsBoundLabel::SetActive(bool Value) {
  if (Value == FActive) return;
  FActive = Value;
  UpdateLabelControl();
}

void TsBoundLabel::SetCaption(const String& Value) {
  if (Value == FCaption) return;
  FCaption = Value;
  if (FActive && FLabelControl) {
    FLabelControl->SetCaption(FCaption);
    UpdateLayout();
  }
}

void TsBoundLabel::SetLayout(TsCaptionLayout Value) {
  if (Value == FLayout) return;
  FLayout = Value;
  ApplyAlignment();
  if (FActive) UpdateLayout();
}

void TsBoundLabel::SetIndent(int Value) {
  if (Value == FIndent) return;
  FIndent = Value;
  if (FActive) UpdateLayout();
}

void TsBoundLabel::SetOffset(int Value) {
  if (Value == FOffset) return;
  FOffset = Value;
  if (FActive) UpdateLayout();
}

void TsBoundLabel::SetMaxWidth(int Value) {
  if (Value == FMaxWidth) return;
  FMaxWidth = Value;
  if (FActive) UpdateLayout();
}

void TsBoundLabel::SetUseHTML(bool Value) {
  if (Value == FUseHTML) return;
  FUseHTML = Value;
  UpdateLayout();
}

void TsBoundLabel::SetUseSkinColor(bool Value) {
  if (Value == FUseSkinColor) return;
  FUseSkinColor = Value;
  if (!FLabelControl) return;
  FLabelControl->SetUseSkinColor(Value);
  if (!Value) FLabelControl->Font().SetColor(FFont.Color());
}

void TsBoundLabel::SetParentFont(bool Value) {
  FParentFont = Value;
  if (!FLabelControl) return;
  FLabelControl->SetParentFont(Value);
  if (Value) {
    // Our own font changing would otherwise switch ParentFont off again.
    FFontCopying = true;
    FFont.Assign(FLabelControl->Font());
    FFontCopying = false;
  } else {
    FLabelControl->Font().Assign(FFont);
  }
}

void TsBoundLabel::SetEnabledAlways(bool Value) {
  if (Value == FEnabledAlways) return;
  FEnabledAlways = Value;
  if (FActive) UpdateLayout();
}

void TsBoundLabel::SetFont(const TFont& Value) {
  FFont.Assign(Value);
  if (!FLabelControl) return;
  FLabelControl->Font().Assign(FFont);
  if (FOwnerCtrl) FLabelControl->SetParent(FOwnerCtrl->Parent());
  UpdateLayout();
}

bool TsBoundLabel::IsFontStored() const {
  if (FParentFont) return false;
  const TFont& Font = FLabelControl ? FLabelControl->Font() : FFont;
  const TFont Fresh;
  return !(Font.Color() == Fresh.Color() && Font.Size() == Fresh.Size() && Font.Style() == Fresh.Style() &&
           Font.Name() == Fresh.Name());
}

void TsBoundLabel::FontChanged() {
  if ((FOwnerCtrl && FOwnerCtrl->Loading()) || FFontCopying) return;
  SetParentFont(false);
}

void TsBoundLabel::CopyParentFont() {
  if (!FOwnerCtrl || !FOwnerCtrl->Parent()) return;
  FFontCopying = true;
  FFont.Assign(FOwnerCtrl->Parent()->Font());
  FFontCopying = false;
}

void TsBoundLabel::ApplyAlignment() {
  if (FLabelControl) FLabelControl->SetAlignment(kLayoutAlignment[int(FLayout)]);
}

void TsBoundLabel::ApplyFont() {
  if (!FLabelControl) return;
  TsEditLabel& Label = *FLabelControl;
  Label.SetUseSkinColor(FUseSkinColor);
  if (FParentFont) {
    Label.SetParentFont(true);
    CopyParentFont();
    return;
  }
  Label.Font().Assign(FFont);
  if (FSkinState) {
    TsSkinManager* Manager = FSkinState->GetSkinManager();
    TacSkinData* Data = FSkinState->GetScaledSkinData();
    // The other modes scale fonts with the form, unless the state paints at
    // a density of its own.
    if (PlainScaleMode(Manager) || (Data && Data->PPI == FSkinState->PPI))
      Label.Font().SetHeight(ScaleToPPI(FFont.Height(), FSkinState, true));
    if (Data) FLabelPPI = Data->PPI;
  } else if (PlainScaleMode(TsSkinManager::DefaultManager())) {
    FLabelPPI = MainFormDPI();
    Label.Font().SetHeight(MulDiv(FFont.Height(), MainFormDPI(), 96));
  }
  if (!FUseSkinColor) Label.Font().SetColor(FFont.Color());
}

void TsBoundLabel::UpdateLabelControl() {
  if (!FOwnerCtrl || (FOwnerCtrl->ComponentState() & (csLoading | csReading))) return;
  if (!FActive) {
    delete std::exchange(FLabelControl, nullptr);
    return;
  }
  if (!FLabelControl) {
    FLabelControl = new TsEditLabel(this);
    ApplyFont();
  }
  TsEditLabel& Label = *FLabelControl;
  Label.SetVisible(false);
  Label.SetFocusControl(FOwnerCtrl);
  Label.SetUseHTML(FUseHTML);
  Label.SetName(FOwnerCtrl->Name() + L"Label");
  if (FCaption.empty()) FCaption = FOwnerCtrl->Name();
  Label.SetCaption(FCaption);
  Label.SetParent(FOwnerCtrl->Parent());
  ApplyAlignment();
  Label.SetVisible(ControlShown());
  Label.SetEnabled(LabelEnabled());
  Label.SetAutoSize(true);
  UpdateLayout();
}

void TsBoundLabel::MeasureCaption(RECT& R) const {
  if (!FLabelControl) {
    R = RECT{};
    return;
  }
  R = RECT{0, 0, FLabelControl->Width(), FLabelControl->Height()};
  TWindowDC Screen;
  TCanvas Canvas(Screen.get());
  Canvas.Font().Assign(FLabelControl->Font());
  Canvas.DrawText(FLabelControl->Caption(), R, FLabelControl->TextFlags() | DT_CALCRECT);
}

void TsBoundLabel::SetLabelPPI(int PPI) {
  if (PPI == FLabelPPI || !FActive || !FLabelControl) return;
  UpdateLayout();
  FLabelPPI = PPI;
}

void TsBoundLabel::UpdateLayout() {
  TsEditLabel* Label = FLabelControl;
  if (!Label || !FOwnerCtrl) return;
  TWinControl* Parent = Label->Parent();
  if (!Parent || FOwnerCtrl->Loading() || (!Label->Visible() && !KeepHidden)) return;
  // A control or parent on its way out: its windows go and tell of it, but
  // there is no place left to put the label.
  TWinControl* CtrlParent = FOwnerCtrl->Parent();
  if (FOwnerCtrl->Destroying() || Parent->Destroying() || (CtrlParent && CtrlParent->Destroying())) return;

  Parent->DisableAlign();
  int Limit = FMaxWidth;
  if (FSkinState && FLabelPPI != 0 && !FrameworkScales(FSkinState->GetSkinManager()))
    Limit = ScaleToPPI(FMaxWidth, FSkinState, true);
  Label->SetMaxWidthConstraint(Limit);
  Label->SetBounds(Label->Left(), Label->Top(), Limit != 0 ? Limit : 9999, 0);
  Label->SetUseHTML(FUseHTML);
  Label->SetFitToWidth(true);
  const bool AutoSize = !(FLayout == TsCaptionLayout::sclLeftLeft && FMaxWidth != 0);
  Label->SetAutoSize(AutoSize);
  Label->SetWordWrap(AutoSize);
  Label->AdjustSize();

  Label->SetEnabled(LabelEnabled());
  Label->SetAlign(TAlign::alNone);
  Label->SetLayout(TTextLayout::tlTop);

  const TsCaptionLayout Layout = FOwnerCtrl->UseRightToLeftAlignment() ? Mirrored(FLayout) : FLayout;
  const int L = FOwnerCtrl->Left(), T = FOwnerCtrl->Top(), W = FOwnerCtrl->Width(), H = FOwnerCtrl->Height();
  const int Lw = Label->Width();
  int Lh = Label->Height();
  const int Ppi = SkinPPI();
  const int G = 4 * (Ppi ? Ppi : 96) / 96;
  const int TopLeft = L + FOffset, TopCenter = L + (W - Lw) / 2 + FOffset, TopRight = L + W + FOffset - Lw;
  int X = Label->Left(), Y = Label->Top();
  using LT = TsCaptionLayout;
  switch (Layout) {
    case LT::sclLeft:
      if (FOwnerCtrl->Align() == TAlign::alLeft) {
        Label->SetAlign(TAlign::alLeft);
        Label->SetLayout(TTextLayout::tlCenter);
        X = L - Lw;
      } else {
        X = L - Lw - G - FIndent;
      }
      // A framed control's text sits a pixel higher than its middle.
      Y = T + (H - Lh) / 2 + FOffset - (FOwnerCtrl->ClientHeight() != H ? 1 : 0);
      break;
    case LT::sclTopLeft:
    case LT::sclTopCenter:
    case LT::sclTopRight:
    case LT::sclBottomLeft:
    case LT::sclBottomCenter:
    case LT::sclBottomRight: {
      const bool Top = Layout == LT::sclTopLeft || Layout == LT::sclTopCenter || Layout == LT::sclTopRight;
      const bool Center = Layout == LT::sclTopCenter || Layout == LT::sclBottomCenter;
      const bool Left = Layout == LT::sclTopLeft || Layout == LT::sclBottomLeft;
      X = Left ? TopLeft : Center ? TopCenter : TopRight;
      Y = Top ? T - Lh - FIndent : T + H + FIndent;
      break;
    }
    case LT::sclLeftTop:
      X = L - Lw - G - FIndent;
      Y = T + FOffset + 3;
      break;
    case LT::sclRight:
      X = G + L + W + FIndent;
      Y = T + (H - Lh) / 2 - 1 + FOffset;
      break;
    case LT::sclRightTop:
      X = G + L + W + FIndent;
      Y = T + FOffset + 3;
      break;
    case LT::sclLeftLeft:
      X = L + FIndent - Lw - G;
      if (FOwnerCtrl->Align() == TAlign::alLeft) {
        Label->SetAlign(TAlign::alLeft);
        Label->SetAlignment(TAlignment::taLeftJustify);
      }
      Lh = FontTextSize(Label->Font(), FCaption, true).cy;
      Label->SetLayout(TTextLayout::tlCenter);
      Y = T + (H - Lh) / 2 - 1 + FOffset;
      break;
    case LT::sclRightRight:
      X = G + L + W - FIndent;
      if (FOwnerCtrl->Align() == TAlign::alRight) {
        Label->SetAlign(TAlign::alRight);
        Label->SetAlignment(TAlignment::taRightJustify);
      }
      Lh = FontTextSize(Label->Font(), Label->Caption(), false).cy;
      Y = T + (H - Lh) / 2 - 1 + FOffset;
      break;
  }
  Label->SetBounds(X, Y, Lw, Lh);
  Label->SetParent(CtrlParent);
  Parent->EnableAlign();
}

void TsBoundLabel::HandleOwnerMessage(TMessage& Message, TControl* Control) {
  if (!Control) Control = FOwnerCtrl;
  if (!Control) return;
  const auto* Pos = reinterpret_cast<const WINDOWPOS*>(Message.LParam);
  if (!FLabelControl) {
    switch (Message.Msg) {
      case WM_WINDOWPOSCHANGED:
        if (Pos && (Pos->flags & SWP_SHOWWINDOW) && FSkinState && !ManagerRescaling()) UpdateLabelControl();
        break;
      case CM_VISIBLECHANGED:
      case CM_SHOWINGCHANGED:
        UpdateLabelControl();
        break;
      case CM_PARENTFONTCHANGED:
        if (FParentFont && !Control->Loading()) CopyParentFont();
        break;
    }
    return;
  }
  switch (Message.Msg) {
    case WM_SIZE:
    case WM_WINDOWPOSCHANGED: {
      if (!FSkinState || ManagerRescaling()) {
        UpdateLayout();
        break;
      }
      if (Message.Msg == WM_WINDOWPOSCHANGED && Pos && (Pos->flags & SWP_NOSIZE) && (Pos->flags & SWP_NOMOVE)) break;
      const int Ppi = SkinPPI();
      if (Ppi && Ppi != FLabelPPI)
        SetLabelPPI(Ppi);
      else
        UpdateLayout();
      break;
    }
    case WM_SKINCOMMAND:
      if (SkinCommandCode(Message.WParam) == AC_SETPPI) SetLabelPPI(int(Message.LParam));
      break;
    case CM_PARENTFONTCHANGED:
      if (FParentFont) CopyParentFont();
      // The parent tells its children one by one; the label may come after
      // us and must have the new font before it is measured.
      if (FLabelControl->ParentFont()) FLabelControl->Perform(CM_PARENTFONTCHANGED);
      FLabelControl->SetVisible(ControlShown());
      UpdateLayout();
      break;
    case CM_VISIBLECHANGED:
    case CM_SHOWINGCHANGED:
      UpdateLabelControl();
      // Switching off while the control loaded may free the label now.
      if (!FLabelControl) break;
      FLabelControl->SetVisible(ControlShown());
      UpdateLayout();
      break;
    case CM_ENABLEDCHANGED:
      FLabelControl->SetEnabled(LabelEnabled());
      UpdateLayout();
      break;
    case CM_BIDIMODECHANGED:
      FLabelControl->SetBiDiMode(Control->BiDiMode());
      UpdateLayout();
      break;
  }
}

void TsBoundLabel::ClickOwnerControl() {
  if (FOwnerCtrl) FOwnerCtrl->Click();
}

void TsBoundLabel::HideAndRedraw() {
  if (!FActive || !FLabelControl || !FLabelControl->Visible()) return;
  if (FSkinState) FSkinState->StateBits &= ~acsLabelAnimating;
  TWinControl* Parent = FLabelControl->Parent();
  const RECT Former = FLabelControl->BoundsRect();
  SetActive(false);
  if (Parent && Parent->HandleAllocated())
    RedrawWindow(Parent->HandleIfAllocated(), &Former, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  if (FSkinState) FSkinState->Invalidate();
}

TacLabelFlightProc LabelFlightHook = nullptr;

void AnimateLabelFromHint(TsCommonData* SkinData, TsBoundLabel* Label, const String& Text) {
  if (!Label || Text.empty() || Label->Active()) return;
  if (LabelFlightHook) {
    LabelFlightHook(SkinData, Label, Text);
    return;
  }
  Label->KeepHidden = false;
  Label->SetActive(true);
}
