#include "skin/controls/CustomCombo.h"

#include <algorithm>

#include "framework/Bitmap.h"
#include "framework/GdiHandles.h"
#include "framework/Messages.h"
#include "framework/SavedDC.h"
#include "skin/controls/ComboKeys.h"
#include "skin/controls/ComboSimpleBox.h"
#include "skin/controls/ItemsPopupForm.h"
#include "skin/controls/ItemsPopupLayout.h"
#include "skin/effects/PopupController.h"
#include "skin/manager/SkinData.h"
#include "skin/manager/SkinGlobals.h"
#include "skin/manager/SkinManager.h"
#include "skin/painting/SectionPainting.h"

namespace {

constexpr uint8_t kComboKind = 13;

const TsGeneralData* SectionAt(const TacSkinData* Data, int Index) {
  if (!Data || Index < 0 || Index >= int(Data->GeneralDataArray.size())) return nullptr;
  return &Data->GeneralDataArray[Index];
}

void FillColor(HDC DC, const RECT& R, COLORREF Color) {
  TOwnedBrush brush(CreateSolidBrush(Color));
  FillRect(DC, &R, brush.get());
}

}  // namespace

// ---- TacCustomCombo --------------------------------------------------------

TacCustomCombo::TacCustomCombo(TComponent* Owner) : TsCustomComboEdit(Owner) {
  SkinData()->CtrlKind = kComboKind;
  SetDefaultGlyphIndex(-1);
  FImagesLink.OnChange = [this](TObject*) { ImagesChanged(); };
}

TacCustomCombo::~TacCustomCombo() {
  Destroying_();
  FreeSimpleBox();
  if (TacItemsPopupForm* form = FPopupForm) {
    FPopupForm = nullptr;
    delete form;
  }
}

bool TacCustomCombo::PlainListFace() const {
  return IsListStyle() && (SkinData()->SkinSection().empty() || !SkinData()->IsSkinned());
}

uint16_t TacCustomCombo::FaceState() const {
  uint16_t state = acItemFace;
  if (Focused()) {
    state |= acItemFocused;
    if (IsListStyle() && !SkinData()->SkinSection().empty()) state |= acItemSelected;
  }
  return state;
}

bool TacCustomCombo::IsTextEmpty() {
  if (IsListStyle()) return FItemIndex < 0;
  return Text().empty() && FItemIndex < 0;
}

int TacCustomCombo::IndexOfText(const String& S) const {
  for (int i = 0; i < GetItemCount(); ++i)
    if (CompareText(ItemText(i), S) == 0) return i;
  return -1;
}

void TacCustomCombo::CloseAllPopups() { PopupController()->ClosePopups(this); }

void TacCustomCombo::ClosePopupForm() {
  if (FPopupForm) FPopupForm->Close();
}

void TacCustomCombo::CloseUp() { ClosePopupForm(); }

// ---- selection and events --------------------------------------------------

void TacCustomCombo::CreateParams(TCreateParams& Params) {
  TsCustomComboEdit::CreateParams(Params);
  // An edit underneath, but a combo box to other programs (and the tests).
  Params.WinClassName = L"KelvraComboBox";
}

void TacCustomCombo::DoSetItemIndex(int Index) {
  // No item chosen shows no text, also over a text that was set by hand.
  if (Index == FItemIndex && (Index >= 0 || Text().empty())) return;
  FItemIndex = Index;
  if (Loading()) return;
  UpdateText();
  SkinData()->Invalidate(true);
  if (FSimpleBox) FSimpleBox->SetItemIndex(FItemIndex);
}

void TacCustomCombo::UpdateText() {
  FInSelect = true;
  const int index = FItemIndex;
  if (IsValidItem(index)) {
    SetText(ItemText(index));
    FItemIndex = index;
    if (Focused()) SelectAll();
  } else {
    SetText(L"");
  }
  FInSelect = false;
}

void TacCustomCombo::SelectItem(int Index) {
  Index = ClampComboIndex(Index, GetItemCount());
  if (Index == FItemIndex) return;
  DoSetItemIndex(Index);
  if (PopupActive() && FPopupForm) FPopupForm->SetSelected(FItemIndex);
  SelectAllText();
  Select();
}

void TacCustomCombo::Select() {
  FInSelect = true;
  Click();
  if (!Loading()) {
    if (OnSelect)
      OnSelect(this);
    else
      Change();
  }
  FInSelect = false;
}

void TacCustomCombo::Change() {
  Changed();
  if (OnChange && !Loading() && !(SkinData()->StateBits & acsNoChange)) OnChange(this);
  if (GetItemCount() == 0 && FItemIndex >= 0) FItemIndex = -1;
  if (FSimpleBox) FSimpleBox->SetItemIndex(FItemIndex);
}

void TacCustomCombo::EditTextChanged() {
  if (!Loading() && FItemIndex >= 0 && Text() != ItemText(FItemIndex)) FItemIndex = -1;
  if (FInSelect) return;
  Change();
}

void TacCustomCombo::TextChanged() {
  // With a window the edit's EN_CHANGE tells of the text.
  if (!HandleAllocated()) EditTextChanged();
}

void TacCustomCombo::ItemsChanged() {
  if (FSimpleBox) AssignSimpleBoxItems();
  if (FPopupForm) {
    FPopupForm->Layout();
    FPopupForm->UpdateWidth();
  }
}

void TacCustomCombo::PickItem(int Index) {
  SkinData()->StopFading();
  SkinData()->StateBits |= acsNoChange;
  DoSetItemIndex(Index);
  SkinData()->StateBits &= ~acsNoChange;
  Select();
}

// ---- keys and type-ahead ---------------------------------------------------

bool TacCustomCombo::HandleKeyDown(WORD& Key) {
  TacComboKeyState state;
  state.ItemIndex = FItemIndex;
  state.Count = GetItemCount();
  state.DropDownCount = FDropDownCount;
  state.ListStyle = IsListStyle();
  state.ListShown = FPopupForm != nullptr || FSimpleBox != nullptr;
  state.SimpleList = FPopupForm == nullptr;
  state.AutoCloseUp = TabClosesList();
  const TacComboKeyAction action = ComboKeyDown(Key, state);
  if (action.Selects) SelectItem(action.Target);
  if (action.CloseList) ClosePopupForm();
  if (action.ClearKey) Key = 0;
  return action.Swallow;
}

bool TacCustomCombo::HandleCharKey(wchar_t& Key) {
  if (Key == VK_ESCAPE && FPopupForm) {
    Key = 0;
    ClosePopupForm();
    return true;
  }
  if (Key == VK_TAB && FPopupForm && !TabClosesList()) {
    Key = 0;
    return true;
  }
  return false;
}

bool TacCustomCombo::AutoCompleteSearch() {
  TsCommonData& data = *SkinData();
  if (data.StateBits & acsSearching) return false;
  const String& search = FTypeAhead.SearchText();
  const int found = FindItemByPrefix(
      GetItemCount(), [this](int i) { return ItemText(i); }, search, CaseSensitiveSearch());
  if (found >= 0) {
    const int before = FItemIndex;
    data.StateBits |= acsSearching;
    DoSetItemIndex(found);
    if (!PlainListFace() && HandleAllocated()) SendMessageW(FHandle, EM_SETSEL, search.size(), -1);
    data.StateBits &= ~acsSearching;
    // A list's item chosen by typing is the user's choice like one chosen by
    // the arrow keys: the program is told.
    if (IsListStyle() && FItemIndex != before) {
      if (PopupActive() && FPopupForm) FPopupForm->SetSelected(FItemIndex);
      Select();
    }
  }
  return true;
}

// ---- drop-down -------------------------------------------------------------

void TacCustomCombo::DoDropDown() {
  if (!Focused() && CanFocus()) SetFocus();
  if (OnDropDown) OnDropDown(this);
}

void TacCustomCombo::ResetDropDownState() {
  SetPopupActive(false);
  ResetArrowAngle();
}

void TacCustomCombo::ArrowRotationStep(TacPopupStep& Step) {
  if (auto* combo = dynamic_cast<TacCustomCombo*>(Step.Control)) combo->ArrowStep(Step.Index, Step.Steps);
}

void TacCustomCombo::LabelFromHintAfterPick(bool WasEmpty) {
  if (!WasEmpty || !LabelFromTextHint()) return;
  ResetArrowAngle();
  AnimateLabelFromHint(SkinData(), BoundLabel(), TextHint());
}

void TacCustomCombo::DropDown() {
  if (!CanDropDown()) return;
  SkinData()->BGChanged = true;
  auto redraw = [this] {
    if (HandleAllocated())
      RedrawWindow(FHandle, nullptr, nullptr, RDW_FRAME | RDW_ERASE | RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  };
  if (FPopupForm) {
    SetButtonState(0);
    FClosing = true;
    redraw();
    ClosePopupForm();
    FPopupForm = nullptr;
    FClosing = false;
    return;
  }
  DoDropDown();
  SetPopupActive(true);
  SetButtonState(2);
  redraw();

  auto* form = new TacItemsPopupForm(this);
  FPopupForm = form;
  SetPopupControl(form);
  form->LayoutFlags = 4 | 2;
  form->Layout();
  form->UpdateWidth();
  form->SetSelected(FItemIndex >= 0 ? FItemIndex : IndexOfText(Text()));
  form->LayoutFlags &= ~4;

  RECT r{};
  if (HandleAllocated()) GetWindowRect(FHandle, &r);
  if (FDropInplace) {
    if (IsValidItem(FItemIndex) && FItemIndex < form->RowCount()) {
      TacPopupScrollBox* box = form->ScrollBox();
      const TacInplaceDrop d = CentreSelectedRow(FItemIndex * form->ItemHeight(), form->ItemHeight(),
                                                 box->ClientHeight(), box->Range());
      OffsetRect(&r, 0, d.Shift);
      box->SetPosition(box->Position() + d.Scroll);
    }
    const int y = r.top - (form->Height() - (r.bottom - r.top)) / 2;
    ShowPopupForm(form, this, r.left, y, true, ArrowRotationStep, true);
  } else {
    form->ScrollSelectedIntoView();
    ShowPopupForm(form, this, -1, -1, true, ArrowRotationStep, false);
  }
}

void TacCustomCombo::PopupFormClosing(TacItemsPopupForm* Form) {
  if (FPopupForm != Form && FPopupForm) return;
  FPopupForm = nullptr;
  SetPopupControl(nullptr);
  SetPopupActive(false);
  SetButtonState(MouseOverButton() ? 1 : 0);
  ResetDropDownState();
  if (OnCloseUp) OnCloseUp(this);
}

void TacCustomCombo::PopupFormGone(TacItemsPopupForm* Form) {
  if (FPopupForm != Form) return;
  FPopupForm = nullptr;
  SetPopupControl(nullptr);
  SetPopupActive(false);
}

bool TacCustomCombo::HandleMouseDown() {
  if (ReadOnly()) {
    if (CanFocus()) SetFocus();
    return true;
  }
  if (FIgnoreNextPress) {
    FIgnoreNextPress = false;
    return true;
  }
  if (!AllowTyping()) {
    CloseAllPopups();
    DropDown();
    return true;
  }
  if (IsListStyle()) {
    SetButtonState(2);
    CloseAllPopups();
    ButtonClick();
    return true;
  }
  return false;
}

// ---- window procedure ------------------------------------------------------

void TacCustomCombo::InitializeWnd() {
  TsCustomComboEdit::InitializeWnd();
  SetButtonMode(IsListStyle());
  CreateSimpleBox();
}

void TacCustomCombo::Loaded() {
  TsCustomComboEdit::Loaded();
  SetButtonMode(IsListStyle());
  // A list made while the form was read waited for the combo's bounds.
  if (FSimpleBox)
    FSimpleBox->UpdateBounds();
  else
    CreateSimpleBox();
}

void TacCustomCombo::CreateSimpleBox() {
  if (FSimpleBox || !IsSimpleStyle() || Destroying()) return;
  FSimpleBox = new TacSimpleBox(this);
  if (!Name().empty()) FSimpleBox->SetName(Name() + L"_sb");
  FSimpleBox->UpdateBounds();
  AssignSimpleBoxItems();
}

void TacCustomCombo::FreeSimpleBox() {
  TacSimpleBox* box = FSimpleBox;
  FSimpleBox = nullptr;
  delete box;
}

void TacCustomCombo::AssignSimpleBoxItems() {
  TStrings& items = FSimpleBox->Items();
  items.Clear();
  for (int i = 0; i < GetItemCount(); ++i) items.Add(ItemText(i));
  FSimpleBox->SetItemIndex(FItemIndex);
}

bool TacCustomCombo::SkinStage1(TMessage& Message) {
  if (Message.Msg == WM_SKINCOMMAND) {
    TsSkinManager* manager = SkinData()->GetSkinManager();
    switch (HIWORD(Message.WParam)) {
      case AC_GETDEFINDEX:
        if (manager) {
          int index = -1;
          if (PlainListFace()) {
            index = manager->GetSectionIndex(L"COMBONOEDIT");
            if (index < 0) index = manager->GetSectionIndex(L"BUTTON");
          } else {
            index = manager->GetSectionIndex(L"COMBOBOX");
          }
          Message.Result = index + 1;
        }
        return true;
      case AC_GETDEFSECTION:
        if (IsListStyle() && manager)
          Message.Result = manager->GetSectionIndex(L"COMBONOEDIT") >= 0 ? ssComboNoEdit : ssButton;
        else
          Message.Result = ssComboBox;
        return true;
      case AC_CODE91:
        // The press that closed the list must not open it again.
        FIgnoreNextPress = true;
        break;
    }
  }
  return TsCustomComboEdit::SkinStage1(Message);
}

void TacCustomCombo::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_SYSCHAR:
    case CN_KEYDOWN:
    case CN_SYSKEYDOWN:
    case CN_SYSCHAR: {
      WORD key = WORD(Message.WParam);
      if (ReadOnly() && ReadOnlyComboSwallows(key)) {
        Message.Result = 0;
        return;
      }
      if (Message.Msg == WM_KEYDOWN) {
        if (HandleKeyDown(key) || key == 0) {
          Message.Result = 0;
          return;
        }
        Message.WParam = key;
      }
      break;
    }
    case WM_CHAR: {
      wchar_t key = wchar_t(Message.WParam);
      if (ReadOnly() || !AllowTyping() || HandleCharKey(key)) {
        Message.Result = 0;
        return;
      }
      // A list takes no typing: its characters only search.
      if (!IsListStyle()) TsCustomComboEdit::WndProc(Message);
      if (key == 0 || key == VK_BACK || key == VK_RETURN || key == VK_ESCAPE) return;
      if (IsListStyle())
        FTypeAhead.AddChar(key);
      else
        FTypeAhead.SetFromEdit(Text());
      AutoCompleteSearch();
      return;
    }
    case WM_MOUSEWHEEL:
      if (FAllowMouseWheel) {
        SelectItem(FItemIndex - short(HIWORD(Message.WParam)) / WHEEL_DELTA);
        Message.Result = 0;
        return;
      }
      break;
    case CB_GETDROPPEDSTATE:
      Message.Result = PopupActive();
      return;
    case CB_SHOWDROPDOWN:
      if (Message.WParam) {
        CloseAllPopups();
        DropDown();
      } else if (TacItemsPopupForm* form = FPopupForm) {
        delete form;
      }
      Message.Result = 1;
      return;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      if (HandleMouseDown()) {
        Message.Result = 0;
        return;
      }
      break;
    case CN_COMMAND:
      if (HIWORD(Message.WParam) == EN_CHANGE) {
        EditTextChanged();
        return;
      }
      break;
    case WM_NCCALCSIZE:
      TsCustomComboEdit::WndProc(Message);
      // The item's image stands in a column of the frame, outside the edit.
      if (HasItemImages() && Message.LParam) {
        auto* client = reinterpret_cast<RECT*>(Message.LParam);
        const int column = ItemImageColumnWidth(FImages, SkinData()->GetPPI(), ItemSpacing());
        if (UseRightToLeftAlignment())
          client->right = std::max(client->left, client->right - column);
        else
          client->left = std::min(client->right, client->left + column);
      }
      return;
  }
  TsCustomComboEdit::WndProc(Message);
  if (FSimpleBox) FSimpleBox->ComboMessage(Message);
}

// ---- images ----------------------------------------------------------------

void TacCustomCombo::SetImages(TCustomImageList* Value) {
  if (Value == FImages) return;
  if (FImages) {
    FImages->UnRegisterChanges(&FImagesLink);
    RemoveFreeNotification(FImages);
  }
  FImages = Value;
  if (FImages) {
    FImages->RegisterChanges(&FImagesLink);
    FreeNotification(FImages);
  }
  ImagesChanged();
}

void TacCustomCombo::ImagesChanged() {
  if (Loading() || Destroying()) return;
  // The image column lies in the frame: its width is asked of the window again.
  if (HandleAllocated()) RecalcFrame(*this, true);
  SkinData()->Invalidate(true);
}

void TacCustomCombo::Notification(TComponent* Component, TOperation Operation) {
  TsCustomComboEdit::Notification(Component, Operation);
  if (Operation == TOperation::opRemove && Component == FImages) {
    FImages = nullptr;
    ImagesChanged();
  }
}

void TacCustomCombo::ArrowRect(RECT& Rect) {
  int width = ButtonGlyphWidth();
  int margin = FrameMargin();
  if (TacSkinData* skin = SkinData()->IsSkinned() ? SkinData()->GetScaledSkinData() : nullptr) {
    const int arrow = skin->ComboButton.GlyphIndex;
    if (arrow >= 0 && arrow < int(skin->MaskArray.size())) width = skin->MaskArray[arrow].FrameWidth;
  }
  width = std::max(0, width - 1);
  Rect.top = margin;
  Rect.bottom = Height() - margin;
  Rect.left = UseRightToLeftAlignment() ? 0 : Width() - width;
  Rect.right = Rect.left + width;
}

void TacCustomCombo::DoGetItemDrawData(TacItemDrawData& Data) {
  if (OnGetItemDrawData) OnGetItemDrawData(this, Data);
}

// ---- painting --------------------------------------------------------------

void TacCustomCombo::DrawEditText() {
  TBitmap* cache = SkinData()->CacheBmp.get();
  if (!cache) return;
  RECT r = GetTextRect();
  // The simple style's window reaches down under its list: the face is the
  // edit strip above it.
  if (FSimpleBox) r.bottom = std::min<LONG>(r.bottom, ComboEditHeight(Font()) - r.top);
  if (r.right <= r.left || r.bottom <= r.top) return;
  PaintItem(*cache, FItemIndex, FaceState(), r);
}

void TacCustomCombo::PaintItem(TBitmap& Bmp, int Index, uint16_t Flags, const RECT& R) {
  if (Bmp.Width() <= 0 || Bmp.Height() <= 0) return;
  const bool face = (Flags & acItemFace) != 0;
  const bool plain = PlainListFace() && face;
  const bool selected = (Flags & acItemSelected) && !plain;
  TsCommonData& data = *SkinData();
  const bool skinned = data.IsSkinned();
  HDC dc = Bmp.DC();

  int state = 0;
  if (face && !IsListStyle())
    state = data.GetCtrlState() == 1 || Focused() ? 1 : 0;
  else if (face)
    state = PopupActive() ? 2 : (data.GetCtrlState() == 1 || Focused()) ? 1 : data.MouseAbove ? 1 : 0;

  COLORREF back = ColorToRGB(Color());
  COLORREF text = ColorToRGB(Font().Color());
  bool selectionPainted = false;
  int textSection = -1;
  if (skinned) {
    TsSkinManager* manager = data.GetSkinManager();
    TacSkinData* skin = data.GetScaledSkinData();
    const auto& palette = manager->Palette();
    if (selected) {
      const int sel = skin ? skin->SectionIndex(L"SELECTION") : -1;
      if (const TsGeneralData* section = SectionAt(skin, sel)) {
        const RECT sr = face ? RECT{std::max<LONG>(3, R.left - 2), 3, R.right + 2, Bmp.Height() - 3} : R;
        TacBackgroundSource bg;
        bg.Bmp = &Bmp;
        bg.Ready = true;
        PaintSkinSection(sel, bg, 1, sr, POINT{sr.left, sr.top}, &Bmp, skin);
        const int st = LimitSectionState(*section, 1);
        back = section->Props[st].Color;
        text = section->Props[st].FontColor;
        selectionPainted = true;
        textSection = sel;
      } else {
        back = palette[pcSelectionBG_Focused];
        text = palette[pcSelectionText_Focused];
      }
    } else {
      const TsGeneralData* own = SectionAt(skin, data.SkinIndex);
      const int st = own ? LimitSectionState(*own, state) : 0;
      if (data.CustomColor())
        back = ColorToRGB(Color());
      else if (!face)
        back = palette[pcEditBG];
      else if (own)
        back = own->Props[st].Color;
      if (data.CustomFont())
        text = ColorToRGB(Font().Color());
      else if (face && own)
        text = own->Props[st].FontColor;
      else if (!face)
        text = palette[pcEditText];
    }
  } else if (selected && !face) {
    back = GetSysColor(COLOR_HIGHLIGHT);
    text = GetSysColor(COLOR_HIGHLIGHTTEXT);
  }
  if (!face && !selectionPainted) FillColor(dc, R, back);

  if (IsValidItem(Index) && IsOwnerDraw() && OnDrawItem) {
    OwnerDrawItem(Bmp, Index, Flags, R, back, text);
    return;
  }
  if (IsValidItem(Index) && OnGetItemDrawData && (!face || IsListStyle())) {
    DrawItemData(Bmp, Index, Flags, R, text, textSection);
    return;
  }
  String caption;
  COLORREF color = text;
  if (IsValidItem(Index)) {
    caption = face ? GetDisplayText(Index) : ItemText(Index);
  } else if (face) {
    if (IsTextEmpty() && !TextHint().empty() && !(Focused() && !IsListStyle())) {
      caption = TextHint();
      color = RGB((GetRValue(text) + GetRValue(back)) / 2, (GetGValue(text) + GetGValue(back)) / 2,
                  (GetBValue(text) + GetBValue(back)) / 2);
    } else if (!IsListStyle()) {
      caption = Text();
    }
  }
  if (caption.empty()) return;
  UINT flags = DT_SINGLELINE | DT_EXPANDTABS | DT_NOPREFIX | DT_VCENTER;
  if (UseRightToLeftAlignment()) flags |= DT_RIGHT | DT_RTLREADING;
  RECT tr = R;
  if (!face) InflateRect(&tr, -2, -1);
  const int saved = SaveDC(dc);
  SelectObject(dc, Font().Handle());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, color);
  DrawTextW(dc, caption.c_str(), int(caption.size()), &tr, flags);
  RestoreDC(dc, saved);
}

void TacCustomCombo::OwnerDrawItem(TBitmap& Bmp, int Index, uint16_t Flags, const RECT& R, COLORREF Back,
                                   COLORREF Text) {
  // The canvas draws on the bitmap only for the handler: it leaves it (and
  // makes a DC of its own again when drawn on outside a paint) on every way out.
  struct TCanvasOnBitmap {
    TCanvas& Canvas;
    TCanvasOnBitmap(TCanvas& C, HDC DC) : Canvas(C) {
      Canvas.Lock();
      Canvas.SetHandle(DC);
    }
    ~TCanvasOnBitmap() {
      Canvas.SetHandle(nullptr);
      Canvas.Unlock();
    }
  };
  HDC dc = Bmp.DC();
  TCanvasOnBitmap onBitmap(FItemCanvas, dc);
  TSavedDC saved(dc);
  FItemCanvas.Font().Assign(Font());
  FItemCanvas.Font().SetColor(TColor(Text));
  FItemCanvas.SetBrushColor(TColor(Back));
  RECT at = R;
  // A row's handler draws from its own corner, wherever the row lies.
  if (!(Flags & acItemFace)) {
    SetWindowOrgEx(dc, -R.left, -R.top, nullptr);
    OffsetRect(&at, -R.left, -R.top);
  }
  OnDrawItem(this, Index, at, Flags);
}

void TacCustomCombo::DrawItemData(TBitmap& Bmp, int Index, uint16_t Flags, const RECT& R, COLORREF Text,
                                  int TextSection) {
  const bool face = (Flags & acItemFace) != 0;
  TFont font;
  font.Assign(Font());
  font.SetColor(TColor(Text));
  TacItemDrawData data;
  data.Font = &font;
  data.Index = Index;
  data.ImageIndex = Index;
  data.State = Flags;
  data.Text = face ? GetDisplayText(Index) : ItemText(Index);
  DoGetItemDrawData(data);

  TacItemSlot slot;
  slot.Bmp = &Bmp;
  slot.Rect = R;
  slot.Face = face;
  slot.Height = face ? Height() : FPopupForm ? FPopupForm->ItemHeight() : ItemHeight();
  if (slot.Height <= 0) slot.Height = R.bottom - R.top;
  slot.Width = Width();
  slot.Images = FImages;
  slot.PPI = SkinData()->GetPPI();
  slot.Spacing = ItemSpacing();
  slot.Alignment = VerticalAlignment();
  slot.Selected = (Flags & acItemSelected) != 0;
  slot.TextSection = TextSection;
  slot.Manager = SkinData()->GetSkinManager();
  DrawComboItemData(slot, data);
}

// ---- TacComboBoxStrings ----------------------------------------------------

namespace {
String CutAtNul(const String& S) {
  const size_t nul = S.find(L'\0');
  return nul == String::npos ? S : S.substr(0, nul);
}
}  // namespace

int TacComboBoxStrings::Add(const String& S) { return TStringList::Add(CutAtNul(S)); }
int TacComboBoxStrings::AddObject(const String& S, TObject* Object) {
  return TStringList::AddObject(CutAtNul(S), Object);
}
void TacComboBoxStrings::Clear() {
  TStringList::Clear();
  if (Count() == 0) FCombo.ItemsEmptied();
}
void TacComboBoxStrings::Changed() {
  TStringList::Changed();
  FCombo.ItemsChanged();
}

// ---- TsCustomComboBox ------------------------------------------------------

TsCustomComboBox::TsCustomComboBox(TComponent* Owner) : TacCustomCombo(Owner), FItems(*this) {}

TsCustomComboBox::~TsCustomComboBox() {
  Destroying_();
  if (TacItemsPopupForm* form = FPopupForm) {
    FPopupForm = nullptr;
    delete form;
  }
}

String TsCustomComboBox::GetDisplayText(int Index) const { return IsValidItem(Index) ? FItems.Get(Index) : Text(); }

String TsCustomComboBox::ItemText(int Index) const { return IsValidItem(Index) ? FItems.Get(Index) : String(); }

void TsCustomComboBox::ItemsEmptied() {
  if (!Loading()) DoSetItemIndex(-1);
}

void TsCustomComboBox::SetStyle(TComboBoxStyle Value) {
  if (Value == FStyle) return;
  FStyle = Value;
  if (FStyle == TComboBoxStyle::csSimple)
    CreateSimpleBox();
  else
    FreeSimpleBox();
  SetButtonMode(IsListStyle());
  if (HandleAllocated()) RecalcFrame(*this);
  SkinData()->Invalidate();
}

void TsCustomComboBox::Clear() {
  SkinData()->StateBits |= acsNoChange;
  SetText(L"");
  DoSetItemIndex(-1);
  FItems.Clear();
  SkinData()->StateBits &= ~acsNoChange;
}

bool TsCustomComboBox::AutoCompleteSearch() {
  if (!FAutoComplete) return false;
  const bool searched = TacCustomCombo::AutoCompleteSearch();
  if (searched && FAutoDropDown) {
    if (FPopupForm) {
      FPopupForm->SetSelected(IndexOfText(Text()));
    } else {
      CloseAllPopups();
      DropDown();
    }
  }
  return searched;
}
