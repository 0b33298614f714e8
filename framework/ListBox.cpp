#include "framework/ListBox.h"

namespace {

String ReadItemText(HWND wnd, int i) {
  LRESULT len = SendMessageW(wnd, LB_GETTEXTLEN, i, 0);
  if (len == LB_ERR) throw EStringListError(L"List index out of bounds (" + std::to_wstring(i) + L")");
  String s(static_cast<size_t>(len), L'\0');
  if (len > 0) {
    std::vector<wchar_t> buffer(static_cast<size_t>(len) + 1);
    len = SendMessageW(wnd, LB_GETTEXT, i, reinterpret_cast<LPARAM>(buffer.data()));
    s.assign(buffer.data(), len > 0 ? static_cast<size_t>(len) : 0);
  }
  return s;
}

}  // namespace

HWND TListBoxStrings::Wnd() const { return FListBox.HandleIfAllocated(); }

int TListBoxStrings::Count() const {
  if (HWND w = Wnd()) return static_cast<int>(SendMessageW(w, LB_GETCOUNT, 0, 0));
  return static_cast<int>(FItems.size());
}

String TListBoxStrings::Get(int i) const {
  if (HWND w = Wnd()) return ReadItemText(w, i);
  if (i < 0 || i >= Count()) throw EStringListError(L"List index out of bounds (" + std::to_wstring(i) + L")");
  return FItems[i].Text;
}

TObject* TListBoxStrings::GetObject(int i) const {
  if (HWND w = Wnd()) {
    LRESULT data = SendMessageW(w, LB_GETITEMDATA, i, 0);
    return data == LB_ERR ? nullptr : reinterpret_cast<TObject*>(data);
  }
  if (i < 0 || i >= Count()) return nullptr;
  return FItems[i].Object;
}

void TListBoxStrings::PutObject(int i, TObject* object) {
  if (HWND w = Wnd()) {
    SendMessageW(w, LB_SETITEMDATA, i, reinterpret_cast<LPARAM>(object));
  } else if (i >= 0 && i < Count()) {
    FItems[i].Object = object;
  }
}

void TListBoxStrings::Put(int i, const String& s) {
  const int index = FListBox.ItemIndex();
  TObject* object = GetObject(i);
  Delete(i);
  Insert(i, s);
  PutObject(i, object);
  if (index == i) FListBox.SetItemIndex(i);
}

int TListBoxStrings::Add(const String& s) {
  if (HWND w = Wnd()) {
    LRESULT i = SendMessageW(w, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s.c_str()));
    if (i < 0) throw EOutOfResources(L"The list box refused a line");
    return static_cast<int>(i);
  }
  FItems.push_back({s, nullptr});
  return Count() - 1;
}

void TListBoxStrings::Insert(int i, const String& s) {
  if (i < 0 || i > Count()) throw EStringListError(L"List index out of bounds (" + std::to_wstring(i) + L")");
  if (HWND w = Wnd()) {
    if (SendMessageW(w, LB_INSERTSTRING, i, reinterpret_cast<LPARAM>(s.c_str())) < 0)
      throw EOutOfResources(L"The list box refused a line");
    return;
  }
  FItems.insert(FItems.begin() + i, TItem{s, nullptr});
}

void TListBoxStrings::Delete(int i) {
  if (HWND w = Wnd()) {
    SendMessageW(w, LB_DELETESTRING, i, 0);
    return;
  }
  if (i < 0 || i >= Count()) throw EStringListError(L"List index out of bounds (" + std::to_wstring(i) + L")");
  FItems.erase(FItems.begin() + i);
  if (FListBox.FItemIndex >= Count()) FListBox.FItemIndex = -1;
}

void TListBoxStrings::Clear() {
  if (HWND w = Wnd()) {
    SendMessageW(w, LB_RESETCONTENT, 0, 0);
    return;
  }
  FItems.clear();
  FListBox.FItemIndex = -1;
  FListBox.FSelection.clear();
}

TCustomListBox::TCustomListBox(TComponent* owner) : TWinControl(owner), FItems(*this) {
  StoreBounds(0, 0, 121, 97);
  FTabStop = true;
  FParentColor = false;
  FColor = clWindow;
}

void TCustomListBox::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.SysClassName = L"LISTBOX";
  p.WinClassName = L"KelvraListBox";
  p.Caption.clear();
  p.Style |= WS_VSCROLL | WS_HSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
  if (FMultiSelect) p.Style |= LBS_EXTENDEDSEL;
  if (FColumns > 0) p.Style |= LBS_MULTICOLUMN;
  if (FStyle == TListBoxStyle::lbOwnerDrawFixed) p.Style |= LBS_OWNERDRAWFIXED | LBS_HASSTRINGS;
  if (FStyle == TListBoxStyle::lbOwnerDrawVariable) p.Style |= LBS_OWNERDRAWVARIABLE | LBS_HASSTRINGS;
  if (FBorderStyle == TBorderStyle::bsSingle) p.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomListBox::InitializeWnd() {
  if (FStyle == TListBoxStyle::lbOwnerDrawFixed) SendMessageW(FHandle, LB_SETITEMHEIGHT, 0, FItemHeight);
  if (FColumns > 0) SendMessageW(FHandle, LB_SETCOLUMNWIDTH, FWidth / FColumns, 0);
  std::vector<TListBoxStrings::TItem> items;
  items.swap(FItems.FItems);
  for (const auto& item : items) {
    int i = FItems.Add(item.Text);
    if (item.Object) FItems.PutObject(i, item.Object);
  }
  if (FMultiSelect) {
    for (int i : FSelection) SendMessageW(FHandle, LB_SETSEL, TRUE, i);
    FSelection.clear();
  }
  SendMessageW(FHandle, FMultiSelect ? LB_SETCARETINDEX : LB_SETCURSEL, FItemIndex, 0);
  SendMessageW(FHandle, LB_SETTOPINDEX, FTopIndex, 0);
}

void TCustomListBox::SaveWndState() {
  TWinControl::SaveWndState();
  FItemIndex = ItemIndex();
  FTopIndex = TopIndex();
  FItemHeight = ItemHeight();
  std::vector<TListBoxStrings::TItem> items;
  FSelection.clear();
  const int n = FItems.Count();
  for (int i = 0; i < n; ++i) {
    items.push_back({FItems.Get(i), FItems.GetObject(i)});
    if (FMultiSelect && Selected(i)) FSelection.push_back(i);
  }
  FItems.FItems.swap(items);
}

int TCustomListBox::ItemIndex() const {
  if (FHandle) return static_cast<int>(SendMessageW(FHandle, FMultiSelect ? LB_GETCARETINDEX : LB_GETCURSEL, 0, 0));
  return FItemIndex;
}

void TCustomListBox::SetItemIndex(int index) {
  if (index < -1 || index >= Count()) index = -1;
  FItemIndex = index;
  if (!FHandle) return;
  if (FMultiSelect)
    SendMessageW(FHandle, LB_SETCARETINDEX, index, 0);
  else
    SendMessageW(FHandle, LB_SETCURSEL, index, 0);
}

void TCustomListBox::SetMultiSelect(bool v) {
  if (FMultiSelect == v) return;
  FMultiSelect = v;
  RecreateWnd();
}

bool TCustomListBox::Selected(int index) const {
  if (FHandle) {
    if (!FMultiSelect) return index >= 0 && index == ItemIndex();
    return SendMessageW(FHandle, LB_GETSEL, index, 0) > 0;
  }
  if (!FMultiSelect) return index >= 0 && index == FItemIndex;
  for (int i : FSelection)
    if (i == index) return true;
  return false;
}

void TCustomListBox::SetSelected(int index, bool v) {
  if (FHandle) {
    if (FMultiSelect)
      SendMessageW(FHandle, LB_SETSEL, v, index);
    else
      SetItemIndex(v ? index : -1);
    return;
  }
  if (!FMultiSelect) {
    FItemIndex = v ? index : -1;
    return;
  }
  std::erase(FSelection, index);
  if (v) FSelection.push_back(index);
}

int TCustomListBox::TopIndex() const {
  if (FHandle) return static_cast<int>(SendMessageW(FHandle, LB_GETTOPINDEX, 0, 0));
  return FTopIndex;
}

void TCustomListBox::SetTopIndex(int index) {
  FTopIndex = index;
  if (FHandle) SendMessageW(FHandle, LB_SETTOPINDEX, index, 0);
}

void TCustomListBox::SetStyle(TListBoxStyle v) {
  if (FStyle == v) return;
  FStyle = v;
  RecreateWnd();
}

int TCustomListBox::ItemHeight() const {
  if (FHandle && FStyle != TListBoxStyle::lbOwnerDrawVariable)
    return static_cast<int>(SendMessageW(FHandle, LB_GETITEMHEIGHT, 0, 0));
  return FItemHeight;
}

void TCustomListBox::SetItemHeight(int v) {
  if (v <= 0) return;
  FItemHeight = v;
  if (FHandle && FStyle == TListBoxStyle::lbOwnerDrawFixed) {
    SendMessageW(FHandle, LB_SETITEMHEIGHT, 0, v);
    Invalidate();
  }
}

void TCustomListBox::SetColumns(int v) {
  if (v < 0 || FColumns == v) return;
  const bool recreate = (FColumns == 0) != (v == 0);
  FColumns = v;
  if (recreate)
    RecreateWnd();
  else if (FHandle)
    SendMessageW(FHandle, LB_SETCOLUMNWIDTH, FWidth / v, 0);
}

void TCustomListBox::SetBorderStyle(TBorderStyle v) {
  if (FBorderStyle == v) return;
  FBorderStyle = v;
  RecreateWnd();
}

RECT TCustomListBox::ItemRect(int index) const {
  RECT r{};
  if (!FHandle || index < 0 || index >= Count()) return r;
  SendMessageW(FHandle, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&r));
  return r;
}

int TCustomListBox::ItemAtPos(POINT p, bool existing) const {
  if (!FHandle) return -1;
  LRESULT r = SendMessageW(FHandle, LB_ITEMFROMPOINT, 0, MAKELPARAM(p.x, p.y));
  const int index = LOWORD(r);
  if (HIWORD(r) == 0) return index;  // inside the item's client area
  return existing ? -1 : Count();
}

void TCustomListBox::DrawItem(int index, const RECT& rect, UINT state) {
  if (OnDrawItem) {
    OnDrawItem(this, index, rect, state);
    return;
  }
  TCanvas& canvas = Canvas();
  const bool selected = state & ODS_SELECTED;
  canvas.SetBrushColor(selected ? (clSystemColor | COLOR_HIGHLIGHT) : FColor);
  canvas.FillRect(rect);
  if (index < 0 || index >= Count()) return;
  canvas.Font().SetColor(selected ? (clSystemColor | COLOR_HIGHLIGHTTEXT) : FFont.Color());
  RECT r = rect;
  r.left += 2;
  canvas.SetBrushStyle(TBrushStyle::bsClear);
  canvas.DrawText(FItems.Get(index), r, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_EXPANDTABS);
  if (state & ODS_FOCUS) DrawFocusRect(canvas.Handle(), &rect);
}

void TCustomListBox::MeasureItem(int index, int& height) {
  if (OnMeasureItem) OnMeasureItem(this, index, height);
}

void TCustomListBox::WndProc(TMessage& m) {
  switch (m.Msg) {
    case CN_DRAWITEM: {
      auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(m.LParam);
      const int index = static_cast<int>(static_cast<int32_t>(dis->itemID));
      // The system draws the focus rectangle on its own for ODA_FOCUS; an
      // item drawn whole draws it itself.
      if (dis->itemAction == ODA_FOCUS && index < 0) {
        DrawFocusRect(dis->hDC, &dis->rcItem);
      } else {
        PaintWithCanvas(dis->hDC, [&](TCanvas& canvas) {
          canvas.Font().Assign(FFont);
          canvas.SetBrushColor(FColor);
          DrawItem(index, dis->rcItem, dis->itemState);
        });
      }
      m.Result = 1;
      return;
    }
    case CN_COMMAND:
      switch (HIWORD(m.WParam)) {
        case LBN_SELCHANGE:
          FItemIndex = ItemIndex();
          Changed();
          Click();
          return;
        case LBN_DBLCLK:
          DblClick();
          return;
      }
      break;
    case LB_ADDSTRING:
    case LB_INSERTSTRING:
      TWinControl::WndProc(m);
      if (FStyle == TListBoxStyle::lbOwnerDrawVariable && m.Result >= 0) {
        int height = FItemHeight;
        MeasureItem(static_cast<int>(m.Result), height);
        SendMessageW(FHandle, LB_SETITEMHEIGHT, m.Result, height);
      }
      return;
    case WM_SIZE:
      TWinControl::WndProc(m);
      if (FColumns > 0) SendMessageW(FHandle, LB_SETCOLUMNWIDTH, FWidth / FColumns, 0);
      return;
  }
  TWinControl::WndProc(m);
}
