#include "skin/controls/ItemsPopupForm.h"

#include <algorithm>

#include "framework/Bitmap.h"
#include "framework/GdiHandles.h"
#include "framework/Messages.h"
#include "skin/controls/CustomCombo.h"
#include "skin/controls/ItemsPopupLayout.h"
#include "skin/effects/PopupController.h"
#include "skin/imagelists/ImageSizes.h"

namespace {

// tmHeight less the leadings: the height the glyphs of the font take.
int BareLineHeight(const TFont& Font) {
  TWindowDC dc(nullptr);
  HGDIOBJ old = SelectObject(dc.get(), Font.Handle());
  TEXTMETRICW tm{};
  GetTextMetricsW(dc.get(), &tm);
  SelectObject(dc.get(), old);
  return tm.tmHeight - tm.tmInternalLeading - tm.tmExternalLeading;
}

}  // namespace

// ---- rows ----------------------------------------------------------------

TacPopupBtn::TacPopupBtn(TacItemsPopupForm* Form) : TGraphicControl(Form), FForm(Form) {
  SetControlStyle(ControlStyle() | csOpaque);
}

bool TacPopupBtn::Hot() const { return FForm->HotRow() == this; }

void TacPopupBtn::Paint(TCanvas& Canvas) {
  TacCustomCombo* combo = FForm->Combo();
  if (!combo || Width() <= 0 || Height() <= 0) return;
  TBitmap bmp;
  bmp.SetPixelFormat(pf32bit);
  bmp.SetSize(Width(), Height());
  const bool selected = int(Tag()) == FForm->SelectedIndex() || Hot() || FPressedInside;
  combo->PaintItem(bmp, int(Tag()), selected ? acItemSelected : 0, RECT{0, 0, Width(), Height()});
  BitBlt(Canvas.Handle(), 0, 0, Width(), Height(), bmp.DC(), 0, 0, SRCCOPY);
}

void TacPopupBtn::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_LBUTTONDOWN:
      FPressedInside = true;
      Invalidate();
      break;
    case WM_MOUSEMOVE:
      if (!Hot()) FForm->SetHotRow(this);
      break;
    case WM_LBUTTONUP: {
      const POINT p{LParamX(Message.LParam), LParamY(Message.LParam)};
      const bool inside = p.x >= 0 && p.y >= 0 && p.x < Width() && p.y < Height();
      if (FPressedInside && inside) {
        FPressedInside = false;
        Message.Result = -1;
        Pick();
        return;
      }
      FPressedInside = false;
      break;
    }
  }
  TGraphicControl::WndProc(Message);
}

void TacPopupBtn::Pick() {
  TacCustomCombo* combo = FForm->Combo();
  if (!combo) return;
  TacItemsPopupForm* form = FForm;
  // The list leaves the screen before the selection's events run, so that
  // a dialog opened by OnChange is not covered by it.
  PopupController()->SetClosingLock(form, true);
  form->Picking = true;
  if (form->HandleAllocated()) ShowWindow(form->Handle(), SW_HIDE);
  combo->PickItem(int(Tag()));
  if (!form->Destroying() && form->HandleAllocated()) PostMessageW(form->Handle(), CM_RELEASE, 0, 0);
  PopupController()->SetClosingLock(form, false);
}

// ---- scroll box ----------------------------------------------------------

TacPopupScrollBox::TacPopupScrollBox(TComponent* Owner, TacItemsPopupForm* Form) : TCustomControl(Owner), FForm(Form) {
  FTabStop = false;
}

void TacPopupScrollBox::CreateParams(TCreateParams& Params) {
  TCustomControl::CreateParams(Params);
  Params.Style |= WS_VSCROLL;
}

void TacPopupScrollBox::SetRange(int Value) {
  FRange = std::max(0, Value);
  SetPosition(FPosition);
  UpdateScrollBar();
}

void TacPopupScrollBox::SetPosition(int Value) {
  const int limit = std::max(0, FRange - ClientHeight());
  Value = std::clamp(Value, 0, limit);
  if (Value == FPosition) return;
  FPosition = Value;
  FForm->PlaceRows();
  UpdateScrollBar();
  Invalidate();
}

void TacPopupScrollBox::UpdateScrollBar() {
  if (!HandleAllocated()) return;
  SCROLLINFO si{sizeof(si), SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL};
  si.nMin = 0;
  si.nMax = std::max(0, FRange - 1);
  si.nPage = UINT(std::max(0, ClientHeight()));
  si.nPos = FPosition;
  SetScrollInfo(FHandle, SB_VERT, &si, TRUE);
  ShowScrollBar(FHandle, SB_VERT, FRange > ClientHeight());
}

void TacPopupScrollBox::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_VSCROLL: {
      const int row = std::max(1, FForm->ItemHeight());
      switch (LOWORD(Message.WParam)) {
        case SB_LINEUP:
          SetPosition(FPosition - row);
          break;
        case SB_LINEDOWN:
          SetPosition(FPosition + row);
          break;
        case SB_PAGEUP:
          SetPosition(FPosition - ClientHeight());
          break;
        case SB_PAGEDOWN:
          SetPosition(FPosition + ClientHeight());
          break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: {
          SCROLLINFO si{sizeof(si), SIF_TRACKPOS};
          GetScrollInfo(FHandle, SB_VERT, &si);
          SetPosition(si.nTrackPos);
          break;
        }
      }
      Message.Result = 0;
      return;
    }
    case WM_MOUSEWHEEL: {
      FWheelRest += short(HIWORD(Message.WParam));
      const int notches = FWheelRest / WHEEL_DELTA;
      FWheelRest -= notches * WHEEL_DELTA;
      SetPosition(FPosition - notches * FWheelStep / WHEEL_DELTA);
      Message.Result = 0;
      return;
    }
    case WM_MOUSEACTIVATE:
      Message.Result = MA_NOACTIVATE;
      return;
    case CM_MOUSELEAVE:
      FForm->SetHotRow(nullptr);
      break;
    case WM_SIZE:
      TCustomControl::WndProc(Message);
      UpdateScrollBar();
      return;
  }
  TCustomControl::WndProc(Message);
}

// ---- panel ---------------------------------------------------------------

TacPopupPanel::TacPopupPanel(TComponent* Owner) : TPanel(Owner) {
  SetBevelOuter(TBevelCut::bvNone);
  SetShowCaption(false);
}

void TacPopupPanel::Paint(TCanvas& Canvas) {
  TPanel::Paint(Canvas);
  TOwnedBrush frame(CreateSolidBrush(GetSysColor(COLOR_WINDOWFRAME)));
  RECT r{0, 0, Width(), Height()};
  FrameRect(Canvas.Handle(), &r, frame.get());
}

// ---- form ----------------------------------------------------------------

TacItemsPopupForm::TacItemsPopupForm(TacCustomCombo* Combo) : TForm(Combo, CreateNew), FCombo(Combo) {
  SetPosition(TPosition::poDesigned);
  SetBiDiMode(Combo->BiDiMode());
  SetBorderStyle(TFormBorderStyle::bsNone);
  SetScaled(false);
  FPanel = new TacPopupPanel(this);
  FPanel->SetBounds(0, 0, Width(), Height());
  FScrollBox = new TacPopupScrollBox(this, this);
  FScrollBox->SetColor(clWindow);
  FScrollBox->SetAlign(TAlign::alClient);
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
  FScrollBox->SetWheelStep(FItemHeight * 120 / 2);
  SetHeight(PopupListHeight(FCombo->DropDownCount(), FItemCount, FItemHeight));
  LayoutFlags &= ~(2 | 8);

  FHotRow = nullptr;
  for (TacPopupBtn* row : FRows) delete row;
  FRows.clear();
  for (int i = 0; i < FItemCount; ++i) {
    auto* row = new TacPopupBtn(this);
    row->SetTag(i);
    row->SetCaption(FCombo->GetDisplayText(i));
    row->SetParent(FScrollBox);
    FRows.push_back(row);
  }
  FScrollBox->SetRange(FItemCount * FItemHeight);
  PlaceRows();
}

void TacItemsPopupForm::UpdateWidth() {
  if (FMinWidth > 0)
    SetWidth(std::max(Width(), ScaleToPPI(FMinWidth, FCombo->SkinData())));
  else
    SetWidth(FCombo->Width());
  FPanel->SetBounds(0, 0, Width(), Height());
  PlaceRows();
}

void TacItemsPopupForm::PlaceRows() {
  const int width = FScrollBox->ClientWidth();
  const int pos = FScrollBox->Position();
  for (int i = 0; i < int(FRows.size()); ++i) FRows[i]->SetBounds(0, i * FItemHeight - pos, width, FItemHeight);
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

void TacItemsPopupForm::SetHotRow(TacPopupBtn* Row) {
  if (Row == FHotRow) return;
  TacPopupBtn* old = FHotRow;
  FHotRow = Row;
  // Pointer and keyboard never show two rows.
  if (Row && FSelectedIndex >= 0) SetSelected(-1);
  if (old) old->Invalidate();
  if (Row) Row->Invalidate();
}
