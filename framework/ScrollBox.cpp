#include "framework/ScrollBox.h"

#include <algorithm>

namespace {
int BarCode(TScrollBarKind kind) { return kind == TScrollBarKind::sbHorizontal ? SB_HORZ : SB_VERT; }
}  // namespace

int TControlScrollBar::ClientExtent() const {
  RECT r = FControl.ClientRect();
  return FKind == TScrollBarKind::sbHorizontal ? r.right - r.left : r.bottom - r.top;
}

int TControlScrollBar::MaxPosition() const { return std::max(0, FRange - ClientExtent()); }

bool TControlScrollBar::IsScrollBarVisible() const { return FVisible && FRange > ClientExtent(); }

void TControlScrollBar::SetPosition(int v) {
  v = std::clamp(v, 0, MaxPosition());
  if (v == FPosition) return;
  int delta = FPosition - v;
  FPosition = v;
  if (FKind == TScrollBarKind::sbHorizontal)
    FControl.ScrollBy(delta, 0);
  else
    FControl.ScrollBy(0, delta);
  FControl.UpdateScrollBars();
}

void TControlScrollBar::SetRange(int v) {
  v = std::max(0, v);
  if (v == FRange) return;
  FRange = v;
  FControl.UpdateScrollBars();
}

void TControlScrollBar::SetVisible(bool v) {
  if (v == FVisible) return;
  FVisible = v;
  FControl.UpdateScrollBars();
}

void TControlScrollBar::ScrollMessage(TMessage& m) {
  int pos = FPosition;
  switch (LOWORD(m.WParam)) {
    case SB_LINEUP:
      pos -= FIncrement;
      break;
    case SB_LINEDOWN:
      pos += FIncrement;
      break;
    case SB_PAGEUP:
      pos -= ClientExtent();
      break;
    case SB_PAGEDOWN:
      pos += ClientExtent();
      break;
    case SB_TOP:
      pos = 0;
      break;
    case SB_BOTTOM:
      pos = MaxPosition();
      break;
    case SB_THUMBTRACK:
      if (!FTracking) return;
      pos = HIWORD(m.WParam);
      break;
    case SB_THUMBPOSITION:
      pos = HIWORD(m.WParam);
      break;
    default:
      return;
  }
  SetPosition(pos);
}

TScrollingWinControl::TScrollingWinControl(TComponent* owner) : TWinControl(owner) {}

void TScrollingWinControl::SetAutoScroll(bool v) {
  if (v == FAutoScroll) return;
  FAutoScroll = v;
  if (v)
    CalcAutoRange();
  else {
    FHorz.SetRange(0);
    FVert.SetRange(0);
  }
}

void TScrollingWinControl::ScrollBy(int dx, int dy) {
  if (dx == 0 && dy == 0) return;
  for (TControl* c : FControls) c->SetBounds(c->Left() + dx, c->Top() + dy, c->Width(), c->Height());
  Invalidate();
}

void TScrollingWinControl::UpdateScrollBars() {
  if (FUpdatingBars) return;
  FUpdatingBars = true;
  for (TControlScrollBar* bar : {&FHorz, &FVert}) {
    // A range that shrank below the position scrolls back.
    if (bar->FPosition > bar->MaxPosition()) {
      int old = bar->FPosition;
      bar->FPosition = bar->MaxPosition();
      int delta = old - bar->FPosition;
      if (bar->FKind == TScrollBarKind::sbHorizontal)
        ScrollBy(delta, 0);
      else
        ScrollBy(0, delta);
    }
    if (!FHandle) continue;
    SCROLLINFO si{sizeof(si)};
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    si.nMin = 0;
    // The system hides a bar whose page covers its range.
    si.nMax = bar->FVisible ? std::max(0, bar->FRange - 1) : 0;
    si.nPage = bar->FVisible ? static_cast<UINT>(std::max(0, bar->ClientExtent())) : 1;
    si.nPos = bar->FPosition;
    SetScrollInfo(FHandle, BarCode(bar->FKind), &si, TRUE);
  }
  FUpdatingBars = false;
}

void TScrollingWinControl::CalcAutoRange() {
  if (!FAutoScroll) return;
  int right = 0, bottom = 0;
  for (TControl* c : FControls) {
    if (!c->Visible()) continue;
    right = std::max(right, c->Left() + c->Width() + FHorz.FPosition);
    bottom = std::max(bottom, c->Top() + c->Height() + FVert.FPosition);
  }
  FHorz.FRange = right;
  FVert.FRange = bottom;
  UpdateScrollBars();
}

void TScrollingWinControl::AlignControls(RECT& rect) {
  // Aligned children take the whole scrolled area, not only the part in view.
  rect.right = rect.left + std::max<int>(rect.right - rect.left, FHorz.FRange);
  rect.bottom = rect.top + std::max<int>(rect.bottom - rect.top, FVert.FRange);
  OffsetRect(&rect, -FHorz.FPosition, -FVert.FPosition);
  TWinControl::AlignControls(rect);
  CalcAutoRange();
}

void TScrollingWinControl::InitializeWnd() {
  TWinControl::InitializeWnd();
  CalcAutoRange();
  UpdateScrollBars();
}

void TScrollingWinControl::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_HSCROLL:
    case WM_VSCROLL:
      // Only the window's own bars: a scroll bar child reports here too.
      if (m.LParam == 0) {
        (m.Msg == WM_HSCROLL ? FHorz : FVert).ScrollMessage(m);
        m.Result = 0;
        return;
      }
      break;
    case WM_SIZE:
      TWinControl::WndProc(m);
      UpdateScrollBars();
      return;
  }
  TWinControl::WndProc(m);
}

TScrollBox::TScrollBox(TComponent* owner) : TScrollingWinControl(owner) {
  FControlStyle |= csAcceptsControls;
  StoreBounds(0, 0, 185, 41);
}

void TScrollBox::SetBorderStyle(TBorderStyle v) {
  if (v == FBorderStyle) return;
  FBorderStyle = v;
  if (HandleAllocated()) RecreateWnd();
}

void TScrollBox::CreateParams(TCreateParams& p) {
  TScrollingWinControl::CreateParams(p);
  p.WinClassName = L"KelvraScrollBox";
  p.Style |= WS_CLIPCHILDREN;
  p.ExStyle |= WS_EX_CONTROLPARENT;
  if (FBorderStyle == TBorderStyle::bsSingle) p.ExStyle |= WS_EX_CLIENTEDGE;
}
