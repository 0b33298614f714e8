#include "skin/controls/ListBox.h"

#include "framework/GdiHandles.h"
#include "framework/SavedDC.h"
#include "skin/graphics/Bitmap32.h"
#include "skin/graphics/ColorAdjust.h"
#include "skin/graphics/PixelRoutines.h"
#include "skin/graphics/TextDrawing.h"
#include "skin/manager/SkinGlobals.h"
#include "skin/manager/SkinManager.h"
#include "skin/painting/ParentBackground.h"
#include "skin/painting/SectionPainting.h"
#include "skin/painting/SectionText.h"
#include "skin/state/StateQueries.h"

namespace {

constexpr uint8_t kListBoxKind = 8;
constexpr uint8_t kDisabledTextWeight = 153;

TsSkinManager* ActiveManager(TsCommonData* Data) {
  TsSkinManager* Manager = Data->GetSkinManager();
  return Manager && Manager->IsSkinLoaded() ? Manager : nullptr;
}

TColor HighLightColor(TsSkinManager* Manager, bool Focused) {
  if (!Manager) return clSystemColor | COLOR_HIGHLIGHT;
  return TColor(Manager->Palette()[Focused ? pcSelectionBG_Focused : pcSelectionBG]);
}

TColor HighLightFontColor(TsSkinManager* Manager, bool Focused) {
  if (!Manager) return clSystemColor | COLOR_HIGHLIGHTTEXT;
  return TColor(Manager->Palette()[Focused ? pcSelectionText_Focused : pcSelectionText]);
}

// The whole window's DC, frame included.
class TNonClientDC {
 public:
  explicit TNonClientDC(HWND Wnd) : FWnd(Wnd), FDC(GetWindowDC(Wnd)) {}
  ~TNonClientDC() {
    if (FDC) ReleaseDC(FWnd, FDC);
  }
  TNonClientDC(const TNonClientDC&) = delete;
  TNonClientDC& operator=(const TNonClientDC&) = delete;
  HDC get() const { return FDC; }

 private:
  HWND FWnd;
  HDC FDC;
};

void FillDC(HDC DC, const RECT& R, TColor Color) {
  TOwnedBrush Brush(CreateSolidBrush(ColorToRGB(Color)));
  FillRect(DC, &R, Brush.get());
}

}  // namespace

TsCustomListBox::TsCustomListBox(TComponent* Owner) : TacSkinnedControl(Owner, kListBoxKind, ssEdit) {
  // The list box does not cover its rectangle: its face shows the parent.
  SetControlStyle(ControlStyle() & ~csOpaque);
  SetDoubleBuffered(false);
  MakeBoundLabel();
  AfterConstruction();
}

TsCustomListBox::~TsCustomListBox() = default;

void TsCustomListBox::CreateParams(TCreateParams& Params) {
  TacSkinnedControl::CreateParams(Params);
  // Plain string lists are drawn by the list box too, so the skin colours them.
  if (Style() == TListBoxStyle::lbStandard) Params.Style |= LBS_OWNERDRAWFIXED | LBS_HASSTRINGS;
  if (!FAutoHideScroll) Params.Style |= LBS_DISABLENOSCROLL;
}

int TsCustomListBox::FontItemHeight() {
  TWindowDC Screen;
  TSelectObject Font(Screen.get(), this->Font().Handle());
  TEXTMETRICW Tm{};
  GetTextMetricsW(Screen.get(), &Tm);
  return Tm.tmHeight;
}

void TsCustomListBox::InitializeWnd() {
  if (Style() == TListBoxStyle::lbStandard) SendMessageW(FHandle, LB_SETITEMHEIGHT, 0, FontItemHeight());
  TacSkinnedControl::InitializeWnd();
  FLastCount = Count();
  SkinData()->Loaded(false);
  // Here the control hooks attach their edit wrapper (skinned frame and scroll bars).
}

void TsCustomListBox::Loaded() {
  TacSkinnedControl::Loaded();
  if (FLeftPadding) RecalcFrame(*this);
}

void TsCustomListBox::SetAutoHideScroll(bool Value) {
  if (FAutoHideScroll == Value) return;
  FAutoHideScroll = Value;
  if (!Loading()) RecreateWnd();
}

void TsCustomListBox::SetLeftPadding(uint8_t Value) {
  if (FLeftPadding == Value) return;
  FLeftPadding = Value;
  if (!Loading()) RecalcFrame(*this);
}

void TsCustomListBox::SetShowLines(bool Value) {
  if (FShowLines == Value) return;
  FShowLines = Value;
  SkinData()->Invalidate();
}

String TsCustomListBox::GetItemText(int Index) const { return Items().Get(Index); }

void TsCustomListBox::SetItemIndex(int Index) {
  TacSkinnedControl::SetItemIndex(Index);
  CheckItemIndex();
}

void TsCustomListBox::ItemIndexChanged() {
  if (OnItemIndexChanged) OnItemIndexChanged(this);
}

void TsCustomListBox::CheckItemIndex() {
  const int Index = ItemIndex();
  if (Index == FLastItemIndex) return;
  FLastItemIndex = Index;
  ItemIndexChanged();
}

void TsCustomListBox::CheckItemCount(int OldCount) {
  FLastCount = Count();
  if (FLastCount != OldCount && OnItemCountChanged) OnItemCountChanged(this);
}

POINT TsCustomListBox::ClientEdge() const {
  const HWND Wnd = HandleIfAllocated();
  if (!Wnd) return POINT{};
  RECT W{};
  GetWindowRect(Wnd, &W);
  POINT P{0, 0};
  ::ClientToScreen(Wnd, &P);
  return POINT{P.x - W.left, P.y - W.top};
}

void TsCustomListBox::DrawLines(HDC DC, const RECT& Rect) {
  if (!FShowLines) return;
  TsSkinManager* Manager = ActiveManager(SkinData());
  const TColor Color = Manager ? TColor(Manager->Palette()[pcGrid]) : (clSystemColor | COLOR_BTNFACE);
  TOwnedPen Pen(CreatePen(PS_SOLID, 1, ColorToRGB(Color)));
  TSelectObject Selected(DC, Pen.get());
  DrawLineOnDC(DC, Rect.left, Rect.bottom - 1, Rect.left + Width(), Rect.bottom - 1);
}

void TsCustomListBox::DrawItem(int Index, const RECT& Rect, UINT State) {
  if (Index < 0) return;
  if (Skinned())
    DrawSkinnedItem(Index, Rect, State);
  else
    DrawPlainItem(Index, Rect, State);
}

void TsCustomListBox::DrawPlainItem(int Index, const RECT& Rect, UINT State) {
  TCanvas& C = Canvas();
  const HDC DC = C.Handle();
  const bool Selected = State & ODS_SELECTED;
  const TColor Bg = Selected ? (clSystemColor | COLOR_HIGHLIGHT) : Color();
  TColor Fg = Selected ? (clSystemColor | COLOR_HIGHLIGHTTEXT) : Font().Color();
  FillDC(DC, Rect, Bg);
  if (State & ODS_DISABLED) Fg = TColor(MixColors(ColorToRGB(Fg), ColorToRGB(Bg), kDisabledTextWeight));
  RECT R = Rect;
  std::unique_ptr<TSavedDC> Saved;
  if (OnBeforeItemDraw) {
    Saved = std::make_unique<TSavedDC>(DC);
    OnBeforeItemDraw(DC, Index, R);
  }
  if (OnDrawItem) {
    OnDrawItem(this, Index, R, State);
  } else {
    InflateRect(&R, -1, -1);
    C.Font().Assign(Font());
    C.Font().SetColor(Fg);
    C.SetBrushStyle(TBrushStyle::bsClear);
    UINT Flags = DT_SINGLELINE | DT_VCENTER | DT_EXPANDTABS | DT_NOCLIP | DT_NOPREFIX;
    if (UseRightToLeftAlignment()) Flags |= DT_RTLREADING | DT_RIGHT;
    if (Index < Count()) DrawTextPChar(C, GetItemText(Index), R, Flags);
    InflateRect(&R, 1, 1);
  }
  if (State & ODS_FOCUS) {
    RECT F = R;
    InflateRect(&F, -1, -1);
    DrawFocusRect(DC, &F);
  }
  DrawLines(DC, Rect);
}

void TsCustomListBox::DrawSkinnedItem(int Index, const RECT& Rect, UINT State) {
  const int W = Rect.right - Rect.left, H = Rect.bottom - Rect.top;
  if (W <= 0 || H <= 0) return;
  TsScrollWndData* Data = SkinData();
  if (!Data->CacheBmp || Data->CacheBmp->Empty() || Data->BGChanged) BuildCache();
  if (!Data->CacheBmp || Data->CacheBmp->Empty()) return;
  TsSkinManager* Manager = ActiveManager(Data);
  const TacSkinData* SkinData = Data->GetScaledSkinData();
  TCanvas& C = Canvas();
  const HDC DC = C.Handle();

  // No scroll wrapper yet: the item never lies shifted by a horizontal scroll position.
  const POINT Edge = ClientEdge();
  const POINT Origin{Rect.left + Edge.x, Rect.top + Edge.y};
  auto Item = NewBitmap32(W, H);
  BitBlt(Item->DC(), 0, 0, W, H, Data->CacheBmp->DC(), Origin.x, Origin.y, SRCCOPY);
  TacBackgroundSource CacheSource;
  CacheSource.Bmp = Data->CacheBmp.get();
  CacheSource.Ready = true;

  const bool Selected = State & ODS_SELECTED;
  const bool Disabled = State & ODS_DISABLED;
  const bool Focused = (State & ODS_FOCUS) || this->Focused();
  const int SelState = Focused ? 1 : 0;
  const RECT Full{0, 0, W, H};

  if (OnDrawItem) {
    BitBlt(DC, Rect.left, Rect.top, W, H, Item->DC(), 0, 0, SRCCOPY);
    C.SetBrushColor(Selected ? HighLightColor(Manager, Focused) : Color());
    C.Font().SetColor(Selected ? HighLightFontColor(Manager, Focused) : Font().Color());
    const auto SavedStyle = C.Font().Style();
    RECT R = Rect;
    if (OnBeforeItemDraw) OnBeforeItemDraw(DC, Index, R);
    OnDrawItem(this, Index, R, State);
    DrawLines(DC, Rect);
    C.Font().SetStyle(SavedStyle);
    return;
  }

  DrawLines(Item->DC(), RECT{0, 0, W, H});
  const int SelSection = Manager && Selected ? Manager->GetSectionIndex(L"SELECTION", SkinData) : -1;
  if (Selected) {
    if (SelSection >= 0)
      PaintSkinSection(SelSection, CacheSource, SelState, Full, Origin, Item.get(), SkinData);
    else
      FillDC(Item->DC(), Full, HighLightColor(Manager, Focused));
  }
  RECT TextR = Full;
  if (Index < Count()) {
    InflateRect(&TextR, -1, -1);
    UINT Flags = DT_SINGLELINE | DT_VCENTER | DT_EXPANDTABS | DT_NOCLIP | DT_NOPREFIX;
    if (Data->OpaqueState == 2) Flags |= acDT_Antialiased;
    if (UseRightToLeftAlignment()) Flags |= DT_RTLREADING | DT_RIGHT;
    TCanvas ItemCanvas(Item->DC());
    ItemCanvas.Font().Assign(Font());
    ItemCanvas.SetBrushStyle(TBrushStyle::bsClear);
    const String Text = GetItemText(Index);
    RECT R = TextR;
    if (SelSection < 0) {
      TColor Fg;
      if (Selected)
        Fg = HighLightFontColor(Manager, Focused);
      else if (Data->CustomFont())
        Fg = Font().Color();
      else
        Fg = GetStateFontColor(this, Data->SkinIndex, Manager, Data, Data->GetCtrlState());
      if (Disabled && Enabled()) Fg = TColor(MixColors(ColorToRGB(Fg), ColorToRGB(Color()), kDisabledTextWeight));
      ItemCanvas.Font().SetColor(Fg);
      if (OnBeforeItemDraw) OnBeforeItemDraw(Item->DC(), Index, R);
      DrawTextPChar(ItemCanvas, Text, R, Flags);
    } else {
      ItemCanvas.Font().SetColor(GetStateFontColor(this, SelSection, Manager, Data, SelState));
      if (OnBeforeItemDraw) OnBeforeItemDraw(Item->DC(), Index, R);
      DrawSectionText(ItemCanvas, Text, !Disabled, R, Flags, SelSection, SelState, Manager);
    }
    if (Data->OpaqueState == 1) SetAlphaRect(*Item, TextR, 255);
  }
  if (Focused && Selected && SelSection < 0 && (State & ODS_FOCUS)) DrawFocusRect(Item->DC(), &Full);
  if (!Enabled()) {
    TacBackgroundInfo Bg;
    Bg.R = BoundsRect();
    QueryControlBackground(Bg, Parent(), false);
    TacBackgroundSource Source;
    BackgroundInfoToSource(Bg, Source);
    ApplyDisabledKind(*Item, DisabledKind(), Source, POINT{Left() + Origin.x, Top() + Origin.y}, Data->GetBgColor());
  }
  BitBlt(DC, Rect.left, Rect.top, W, H, Item->DC(), 0, 0, SRCCOPY);
}

void TsCustomListBox::PaintItems(TBitmap& Bmp) {
  const HWND Wnd = HandleIfAllocated();
  if (!Wnd) return;
  const POINT Edge = ClientEdge();
  RECT Client{};
  GetClientRect(Wnd, &Client);
  const HDC DC = Bmp.DC();
  TSavedDC Saved(DC);
  SetViewportOrgEx(DC, Edge.x, Edge.y, nullptr);
  IntersectClipRect(DC, 0, 0, Client.right, Client.bottom);
  FPaintingItems = true;
  const int N = Count();
  const int Caret = static_cast<int>(SendMessageW(Wnd, LB_GETCARETINDEX, 0, 0));
  const bool HasFocus = Focused();
  int Bottom = 0;
  RECT Last{};
  for (int I = TopIndex(); I >= 0 && I < N; ++I) {
    RECT R = ItemRect(I);
    RECT Visible{};
    if (!IntersectRect(&Visible, &R, &Client)) break;
    DRAWITEMSTRUCT Dis{};
    Dis.CtlType = ODT_LISTBOX;
    Dis.itemID = I;
    Dis.itemAction = ODA_DRAWENTIRE;
    Dis.hwndItem = Wnd;
    Dis.hDC = DC;
    Dis.rcItem = R;
    Dis.itemData = static_cast<ULONG_PTR>(SendMessageW(Wnd, LB_GETITEMDATA, I, 0));
    if (MultiSelect()) {
      if (Selected(I)) Dis.itemState |= ODS_SELECTED;
      if (HasFocus && I == Caret) Dis.itemState |= ODS_FOCUS;
    } else if (I == ItemIndex()) {
      Dis.itemState |= ODS_SELECTED;
      if (HasFocus) Dis.itemState |= ODS_FOCUS;
    }
    if (!Enabled()) Dis.itemState |= ODS_DISABLED;
    Perform(CN_DRAWITEM, 0, reinterpret_cast<LPARAM>(&Dis));
    Bottom = std::max<int>(Bottom, R.bottom);
    Last = R;
  }
  FPaintingItems = false;
  // The strips below and beside the items show the face.
  TBitmap* Cache = SkinData()->CacheBmp.get();
  if (!Cache) return;
  if (Bottom < Client.bottom)
    BitBlt(DC, 0, Bottom, Client.right, Client.bottom - Bottom, Cache->DC(), Edge.x, Edge.y + Bottom, SRCCOPY);
  if (Last.right < Client.right && Columns() == 0)
    BitBlt(DC, Last.right, 0, Client.right - Last.right, Bottom, Cache->DC(), Edge.x + Last.right, Edge.y, SRCCOPY);
}

void TsCustomListBox::PaintAll(HDC DC) {
  TsScrollWndData* Data = SkinData();
  if (Data->IsUpdating()) return;
  if (!Data->CacheBmp || Data->CacheBmp->Empty() || Data->BGChanged) BuildCache();
  if (!Data->CacheBmp || Data->CacheBmp->Empty()) return;
  auto Bmp = NewBitmap32(Width(), Height());
  BitBlt(Bmp->DC(), 0, 0, Width(), Height(), Data->CacheBmp->DC(), 0, 0, SRCCOPY);
  const HDC Prev = Canvas().HandleAllocated() ? Canvas().Handle() : nullptr;
  PaintItems(*Bmp);
  if (Prev && Canvas().HandleAllocated() && Canvas().Handle() != Prev) Canvas().SetHandle(Prev);
  BitBlt(DC, 0, 0, Width(), Height(), Bmp->DC(), 0, 0, SRCCOPY);
  // Here the edit wrapper paints its skinned scroll bars onto DC.
}

void TsCustomListBox::EraseSkinned(HDC DC) {
  TsScrollWndData* Data = SkinData();
  if (Data->IsUpdating()) return;
  bool Outside = FOutsideParent;
  if (SkinnedCacheStale(*this, *Data, Outside) || !Data->CacheBmp || Data->CacheBmp->Empty()) {
    if (!BuildCache()) {
      Data->Updating = true;
      return;
    }
  }
  FOutsideParent = Outside;
  const HWND Wnd = HandleIfAllocated();
  RECT Client{};
  GetClientRect(Wnd, &Client);
  TSavedDC Saved(DC);
  const int N = Count();
  for (int I = TopIndex(); I >= 0 && I < N; ++I) {
    RECT R = ItemRect(I);
    RECT Visible{};
    if (!IntersectRect(&Visible, &R, &Client)) break;
    ExcludeClipRect(DC, R.left, R.top, R.right, R.bottom);
  }
  const POINT Edge = ClientEdge();
  BitBlt(DC, 0, 0, Client.right, Client.bottom, Data->CacheBmp->DC(), Edge.x, Edge.y, SRCCOPY);
}

bool TsCustomListBox::SkinStage1(TMessage& Message) {
  if (Message.Msg == WM_SKINCOMMAND) {
    switch (SkinCommandCode(Message.WParam)) {
      case AC_ENDUPDATE:
        Invalidate();
        return true;
      case AC_SETPPI:
        HandleSkinCommand(Message, SkinData());
        RecalcFrame(*this);
        return true;
    }
  }
  return TacSkinnedControl::SkinStage1(Message);
}

bool TsCustomListBox::SkinnedMessage(TMessage& Message) {
  TsScrollWndData* Data = SkinData();
  const HWND Wnd = HandleIfAllocated();
  switch (Message.Msg) {
    case WM_ERASEBKGND: {
      if (!Wnd) return true;
      if (Message.WParam) {
        EraseSkinned(reinterpret_cast<HDC>(Message.WParam));
      } else {
        TWindowDC DC(Wnd);
        EraseSkinned(DC.get());
      }
      Message.Result = 1;
      return true;
    }
    case WM_PAINT:
      if (Data->IsUpdating()) {
        PAINTSTRUCT Ps;
        BeginPaint(Wnd, &Ps);
        EndPaint(Wnd, &Ps);
        return true;
      }
      if (Data->StateBits & acsPrinting) {
        // A print pass paints the items itself; the window only validates.
        PAINTSTRUCT Ps;
        BeginPaint(Wnd, &Ps);
        EndPaint(Wnd, &Ps);
        return true;
      }
      TacSkinnedControl::Inherited::WndProc(Message);
      if (Count() == 0) Perform(WM_ERASEBKGND, 0, 0);
      return true;
    case WM_PRINT:
      if (Message.WParam) PaintAll(reinterpret_cast<HDC>(Message.WParam));
      return true;
    case WM_HSCROLL:
    case WM_VSCROLL:
      SendMessageW(Wnd, WM_SETREDRAW, FALSE, 0);
      Data->Updating = true;
      TacSkinnedControl::Inherited::WndProc(Message);
      Data->Updating = false;
      SendMessageW(Wnd, WM_SETREDRAW, TRUE, 0);
      RedrawWindow(Wnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ERASE | RDW_INVALIDATE);
      return true;
    case WM_MOUSEWHEEL:
      SendMessageW(Wnd, WM_SETREDRAW, FALSE, 0);
      TacSkinnedControl::Inherited::WndProc(Message);
      SendMessageW(Wnd, WM_SETREDRAW, TRUE, 0);
      InvalidateRect(Wnd, nullptr, TRUE);
      return true;
    case WM_SIZE:
      TacSkinnedControl::Inherited::WndProc(Message);
      Data->BGChanged = true;
      if (Visible() && !Loading() && Wnd) {
        Perform(WM_NCPAINT, 1, 0);
        Perform(WM_ERASEBKGND, 0, 0);
      }
      return true;
    case WM_ENABLE:
      TacSkinnedControl::Inherited::WndProc(Message);
      Data->BGChanged = true;
      RedrawWindow(Wnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ERASE | RDW_INVALIDATE);
      return true;
    case WM_NCPAINT:
      // The system frame stays until the edit wrapper paints the skinned one.
      TacSkinnedControl::Inherited::WndProc(Message);
      return true;
  }
  return false;
}

void TsCustomListBox::UnskinnedWndProc(TMessage& Message) {
  TacSkinnedControl::UnskinnedWndProc(Message);
  if (Message.Msg == WM_NCPAINT && FLeftPadding) {
    const HWND Wnd = HandleIfAllocated();
    if (!Wnd) return;
    TNonClientDC DC(Wnd);
    const POINT Edge = ClientEdge();
    RECT Client{};
    GetClientRect(Wnd, &Client);
    FillDC(DC.get(), RECT{Edge.x - FLeftPadding, Edge.y, Edge.x, Edge.y + Client.bottom}, Color());
  }
}

void TsCustomListBox::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case LB_ADDSTRING:
    case LB_INSERTSTRING:
    case LB_DELETESTRING:
    case LB_RESETCONTENT: {
      const int Old = HandleAllocated() ? static_cast<int>(SendMessageW(FHandle, LB_GETCOUNT, 0, 0)) : FLastCount;
      TacSkinnedControl::WndProc(Message);
      if (Message.Msg == LB_RESETCONTENT || Message.Result >= 0) CheckItemCount(Old);
      if (Message.Msg == LB_DELETESTRING || Message.Msg == LB_RESETCONTENT) CheckItemIndex();
      return;
    }
    case CN_COMMAND:
      TacSkinnedControl::WndProc(Message);
      if (HIWORD(Message.WParam) == LBN_SELCHANGE) CheckItemIndex();
      return;
    case WM_NCCALCSIZE: {
      TacSkinnedControl::WndProc(Message);
      RECT* R = Message.WParam ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(Message.LParam)->rgrc[0]
                               : reinterpret_cast<RECT*>(Message.LParam);
      R->left = std::min<LONG>(R->left + FLeftPadding, R->right);
      return;
    }
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE: {
      const bool Enter = Message.Msg == CM_MOUSEENTER;
      SkinData()->MouseAbove = Enter;
      TacSkinnedControl::WndProc(Message);
      if (Enabled() && Enter && OnMouseEnter) OnMouseEnter(this);
      if (Enabled() && !Enter && OnMouseLeave) OnMouseLeave(this);
      return;
    }
  }
  TacSkinnedControl::WndProc(Message);
}
