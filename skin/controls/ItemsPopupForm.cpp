#include "skin/controls/ItemsPopupForm.h"

#include <algorithm>

#include "framework/Bitmap.h"
#include "framework/GdiHandles.h"
#include "framework/Messages.h"
#include "skin/controls/CustomCombo.h"
#include "skin/controls/ItemsPopupLayout.h"
#include "skin/effects/PopupController.h"
#include "skin/imagelists/ImageSizes.h"
#include "skin/forms/SkinColors.h"
#include "skin/manager/SkinManager.h"

namespace {

constexpr TColor kWindowFrame = clSystemColor | COLOR_WINDOWFRAME;

// tmHeight less the leadings: the height the glyphs of the font take.
int BareLineHeight(const TFont& Font) {
  TWindowDC dc(nullptr);
  TSelectObject useFont(dc.get(), Font.Handle());
  TEXTMETRICW tm{};
  GetTextMetricsW(dc.get(), &tm);
  return tm.tmHeight - tm.tmInternalLeading - tm.tmExternalLeading;
}

}  // namespace

// ---- rows ----------------------------------------------------------------

TacPopupBtn::TacPopupBtn(TacItemsPopupForm* Form) : TsSpeedButton(Form), FForm(Form) {
  SetTransparent(false);
  SetAnimatEvents(0);
  SetFlat(true);
  SetAlignment(TAlignment::taLeftJustify);
  SetAlign(TAlign::alTop);
}

bool TacPopupBtn::Hot() const {
  return MouseInControl() || SkinData()->MouseAbove || FPressedInside || State() == TButtonState::bsDown;
}

void TacPopupBtn::Invalidate() {
  if (SkinData()) SkinData()->BGChanged = true;
  TsSpeedButton::Invalidate();
}

void TacPopupBtn::TakeHighlight() {
  if (Hot() && FForm->SelectedIndex() >= 0) FForm->SetSelected(-1);
}

void TacPopupBtn::UseSection(const wchar_t* Name) {
  TsCtrlSkinData& data = *SkinData();
  TsSkinManager* manager = data.GetSkinManager();
  if (!manager || data.SkinIndex == manager->GetSectionIndex(Name)) return;
  // The switch happens inside a paint: the refresh it would send is that
  // paint itself.
  const bool updating = data.Updating;
  data.Updating = true;
  data.SetSkinSection(Name);
  data.Updating = updating;
}

bool TacPopupBtn::BuildCache() {
  TakeHighlight();
  if (Skinned())
    UseSection(Hot() ? L"SELECTION" : L"TRANSPARENT");
  else
    SkinData()->SkinIndex = -1;
  return TsSpeedButton::BuildCache();
}

void TacPopupBtn::DrawCaption() {
  TacCustomCombo* combo = FForm->Combo();
  TBitmap* bmp = SkinData()->CacheBmp.get();
  if (!combo || !bmp || Width() <= 0 || Height() <= 0) return;
  const bool selected = int(Tag()) == FForm->SelectedIndex() || Hot();
  combo->PaintItem(*bmp, int(Tag()), selected ? acItemSelected : 0, RECT{0, 0, Width(), Height()});
}

void TacPopupBtn::PaintUnskinned(bool) {
  TakeHighlight();
  TBitmap* bmp = SkinData()->CacheBmp.get();
  if (!bmp || Width() <= 0 || Height() <= 0) return;
  if (bmp->Width() != Width() || bmp->Height() != Height()) {
    bmp->SetPixelFormat(pf32bit);
    bmp->SetSize(Width(), Height());
  }
  const RECT r{0, 0, Width(), Height()};
  TOwnedBrush back(CreateSolidBrush(GetSysColor(Hot() ? COLOR_HIGHLIGHT : COLOR_WINDOW)));
  FillRect(bmp->DC(), &r, back.get());
  DrawCaption();
  DrawGlyph();
  CopyToCanvas(bmp->DC());
}

void TacPopupBtn::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_LBUTTONDOWN:
      FPressedInside = true;
      break;
    case WM_MOUSEMOVE:
      // The hover follows the pointer at once, not at the next idle.
      if (!MouseInControl()) Perform(CM_MOUSEENTER, 0, reinterpret_cast<LPARAM>(this));
      break;
    case CM_MOUSEENTER:
      TsSpeedButton::WndProc(Message);
      TakeHighlight();
      Invalidate();
      return;
    case CM_MOUSELEAVE:
      TsSpeedButton::WndProc(Message);
      Invalidate();
      return;
    case WM_LBUTTONUP: {
      const POINT p{LParamX(Message.LParam), LParamY(Message.LParam)};
      const bool inside = p.x >= 0 && p.y >= 0 && p.x < Width() && p.y < Height();
      if (FPressedInside && inside) {
        FPressedInside = false;
        // The speed button ends its press first: it gives the hints back
        // that the press took away.
        TsSpeedButton::WndProc(Message);
        Message.Result = -1;
        // The parent that routed the release here frees its capture after
        // this returns.
        Pick();
        return;
      }
      FPressedInside = false;
      break;
    }
  }
  TsSpeedButton::WndProc(Message);
}

void TacPopupBtn::Pick() {
  TacCustomCombo* combo = FForm->Combo();
  if (!combo) return;
  TacItemsPopupForm* form = FForm;
  const bool wasEmpty = combo->ShowsNoItem();
  // The list leaves the screen before the selection's events run, so that
  // a dialog opened by OnChange is not covered by it.
  PopupController()->SetClosingLock(form, true);
  if (form->HandleAllocated()) ShowWindow(form->Handle(), SW_HIDE);
  combo->PickItem(int(Tag()));
  if (!form->Destroying() && form->HandleAllocated()) PostMessageW(form->Handle(), CM_RELEASE, 0, 0);
  PopupController()->SetClosingLock(form, false);
  combo->LabelFromHintAfterPick(wasEmpty);
}

// ---- scroll box ----------------------------------------------------------

TacPopupScrollBox::TacPopupScrollBox(TComponent* Owner, TacItemsPopupForm* Form) : TsScrollBox(Owner), FForm(Form) {}

// ---- panel ---------------------------------------------------------------

TacPopupPanel::TacPopupPanel(TComponent* Owner) : TsPanel(Owner) {
  SetBevelOuter(TBevelCut::bvNone);
  SetShowCaption(false);
}

void TacPopupPanel::DrawFrame(HDC DC) {
  if (!DC) return;
  TOwnedBrush frame(CreateSolidBrush(SkinColorToRGB(kWindowFrame, SkinData()->GetSkinManager())));
  const RECT r{0, 0, Width(), Height()};
  FrameRect(DC, &r, frame.get());
}

bool TacPopupPanel::PrepareCache() {
  if (!TsPanel::PrepareCache()) return false;
  if (TBitmap* cache = SkinData()->CacheBmp.get()) DrawFrame(cache->DC());
  return true;
}

void TacPopupPanel::Paint(TCanvas& Canvas) {
  TsPanel::Paint(Canvas);
  DrawFrame(Canvas.Handle());
}

void TacPopupPanel::WndProc(TMessage& Message) {
  TsPanel::WndProc(Message);
  if (Message.Msg == WM_NCPAINT && HandleAllocated()) {
    // The panel has no non-client area: its client DC covers all of it.
    TWindowDC dc(Handle());
    DrawFrame(dc.get());
  }
}

// ---- form ----------------------------------------------------------------

TacItemsPopupForm::TacItemsPopupForm(TacCustomCombo* Combo) : TForm(Combo, CreateNew), FCombo(Combo) {
  // The form skinning's own provider of the form comes with subsystem 8;
  // until then the form is plain and only its children are skinned.
  SetPosition(TPosition::poDesigned);
  SetBiDiMode(Combo->BiDiMode());
  SetBorderStyle(TFormBorderStyle::bsNone);
  SetScaled(false);
  FPanel = new TacPopupPanel(this);
  FPanel->SetBounds(0, 0, Width(), Height());
  FPanel->SetBorderWidth(1);
  FPanel->SkinData()->SetSkinSection(L"EDIT");
  FScrollBox = new TacPopupScrollBox(this, this);
  FScrollBox->SetColor(TColor(ColorToRGB(clWindow)));
  FScrollBox->SetBorderStyle(TBorderStyle::bsNone);
  FScrollBox->SetAutoScroll(false);
  FScrollBox->SetAutoMouseWheel(true);
  FScrollBox->SetAlign(TAlign::alClient);
  FScrollBox->VertScrollBar().SetTracking(true);
  FScrollBox->SkinData()->SetSkinSection(L"TRANSPARENT");
  FScrollBox->SetParent(FPanel);
  FPanel->SetParent(this);
  OnClose = [this](TObject* Sender, TCloseAction& Action) { Closing(Sender, Action); };
}

TacItemsPopupForm::~TacItemsPopupForm() {
  Destroying_();
  if (FCombo && !FCombo->Destroying()) FCombo->PopupFormGone(this);
}

void TacItemsPopupForm::CreateParams(TCreateParams& Params) {
  TForm::CreateParams(Params);
  Params.ExStyle |= WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE;
}

void TacItemsPopupForm::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_MOUSEACTIVATE:
      Message.Result = MA_NOACTIVATE;
      return;
    case CM_RELEASE:
      // The pick asks for the close here, after its events; the close then
      // releases the form.
      if (!FClosed) {
        Close();
        return;
      }
      break;
  }
  TForm::WndProc(Message);
}

void TacItemsPopupForm::Closing(TObject*, TCloseAction& Action) {
  Action = TCloseAction::caFree;
  if (FClosed) return;
  FClosed = true;
  if (FCombo) FCombo->PopupFormClosing(this);
}

int TacItemsPopupForm::Spacing() const { return ScaleToPPI(4, FCombo->SkinData()); }

void TacItemsPopupForm::Layout() {
  LayoutFlags |= 8;
  Font().Assign(FCombo->Font());
  FMinWidth = FCombo->MinPopupWidth();
  int explicitHeight = FCombo->ItemHeight();
  if (explicitHeight > 0 && (LayoutFlags & 2)) explicitHeight = ScaleToPPI(explicitHeight, FCombo->SkinData());
  TCustomImageList* images = FCombo->Images();
  const int ppi = FCombo->SkinData()->GetPPI();
  FItemHeight = PopupRowHeight(explicitHeight, BareLineHeight(FCombo->Font()), ScaleToPPI(5, FCombo->SkinData()),
                               ScaledImageHeight(images, 0, ppi), images ? FCombo->ItemSpacing() : 0);
  FItemCount = FCombo->GetItemCount();
  FScrollBox->SetWheelDelta(FItemHeight * 120 / 2);
  SetHeight(PopupListHeight(FCombo->DropDownCount(), FItemCount, FItemHeight));
  LayoutFlags &= ~(2 | 8);

  for (TacPopupBtn* row : FRows) delete row;
  FRows.clear();
  // The rows stack from the top of the scrolled area.
  FScrollBox->SetPosition(0);
  const int spacing = Spacing();
  for (int i = 0; i < FItemCount; ++i) {
    auto* row = new TacPopupBtn(this);
    row->SetCaption(FCombo->GetDisplayText(i));
    row->SetBounds(0, i * FItemHeight, FScrollBox->Width(), FItemHeight);
    row->SetTag(i);
    row->SkinData()->SetSkinSection(L"TRANSPARENT");
    row->SetTextOffset(spacing);
    row->SetParent(FScrollBox);
    FRows.push_back(row);
  }
  FScrollBox->SetRange(FItemCount * FItemHeight);
}

void TacItemsPopupForm::UpdateWidth() {
  if (FMinWidth > 0)
    SetWidth(std::max(Width(), ScaleToPPI(FMinWidth, FCombo->SkinData())));
  else
    SetWidth(FCombo->Width());
  FPanel->SetBounds(0, 0, Width(), Height());
  FScrollBox->SetWidth(FPanel->ClientWidth());
}

void TacItemsPopupForm::SetSelected(int Index) {
  if (Index == FSelectedIndex) return;
  const int old = FSelectedIndex;
  FSelectedIndex = Index;
  if (old >= 0 && old < int(FRows.size())) FRows[old]->Invalidate();
  ScrollSelectedIntoView();
}

void TacItemsPopupForm::ScrollSelectedIntoView() {
  if (FSelectedIndex < 0 || FSelectedIndex >= int(FRows.size())) return;
  TacPopupBtn* row = FRows[FSelectedIndex];
  row->Invalidate();
  const int by = ScrollRowIntoView(row->Top(), row->Height(), FScrollBox->Height());
  // The skinned scroll bars follow through the window hooks once they exist.
  if (by != 0) FScrollBox->SetPosition(FScrollBox->Position() + by);
}
