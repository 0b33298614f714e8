// Painting of controls into a DC: windowed controls paint themselves and
// then their graphic children, each child through its own WindowProc with
// the DC moved and clipped to it; PaintTo does the same for a whole tree
// into any DC.
#include "framework/SavedDC.h"
#include "framework/WinControl.h"

namespace {

// Sets a control-state bit for a scope unless it was already set.
class TStateBit {
 public:
  TStateBit(TControlState& state, TControlStateBit bit, bool on)
      : FState(state), FBit(on && !(state & bit) ? static_cast<unsigned>(bit) : 0u) {
    FState |= FBit;
  }
  ~TStateBit() { FState &= ~FBit; }
  TStateBit(const TStateBit&) = delete;
  TStateBit& operator=(const TStateBit&) = delete;

 private:
  TControlState& FState;
  unsigned FBit;
};

}  // namespace

TControlCanvas& TControl::ControlCanvas() {
  if (!FCanvas) FCanvas = std::make_unique<TControlCanvas>(this);
  return *FCanvas;
}

void TControl::PaintWithCanvas(HDC dc, const std::function<void(TCanvas&)>& paint) {
  TControlCanvas& canvas = ControlCanvas();
  canvas.Lock();
  canvas.SetHandle(dc);
  try {
    canvas.Font().Assign(FFont);
    paint(canvas);
  } catch (...) {
    canvas.SetHandle(nullptr);
    canvas.Unlock();
    throw;
  }
  canvas.SetHandle(nullptr);
  canvas.Unlock();
}

void TWinControl::ExcludeOpaqueChildren(HDC dc) {
  for (TControl* c : FControls) {
    if (!dynamic_cast<TGraphicControl*>(c) || !c->Visible() || !(c->FControlStyle & csOpaque)) continue;
    ExcludeClipRect(dc, c->Left(), c->Top(), c->Left() + c->Width(), c->Top() + c->Height());
  }
}

void TWinControl::EraseBackground(HDC dc) {
  RECT r;
  GetClientRect(FHandle, &r);
  TSavedDC saved(dc);
  ExcludeOpaqueChildren(dc);
  FillRect(dc, &r, BackgroundBrush());
}

void TWinControl::PaintWindow(HDC dc) {
  {
    TSavedDC saved(dc);
    ExcludeOpaqueChildren(dc);
    PaintWithCanvas(dc, [this](TCanvas& canvas) {
      canvas.SetBrushColor(FColor);
      Paint(canvas);
    });
  }
  PaintControls(dc);
}

void TWinControl::PaintControls(HDC dc) {
  const bool copy = (FControlState & csPaintCopy) != 0;
  for (TControl* c : FControls) {
    if (!dynamic_cast<TGraphicControl*>(c) || !c->Visible()) continue;
    RECT r = c->BoundsRect();
    if (!RectVisible(dc, &r)) continue;
    TSavedDC saved(dc);
    // Moved, not set: the DC may already be moved to this control (PaintTo).
    OffsetViewportOrgEx(dc, r.left, r.top, nullptr);
    IntersectClipRect(dc, 0, 0, r.right - r.left, r.bottom - r.top);
    TStateBit state(c->FControlState, csPaintCopy, copy);
    c->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
  }
}

void TWinControl::ReleaseCanvases() {
  FreeCanvasHandle();
  for (TControl* c : FControls) {
    if (auto* w = dynamic_cast<TWinControl*>(c))
      w->ReleaseCanvases();
    else
      c->FreeCanvasHandle();
  }
}

void TWinControl::PaintTo(HDC dc, int x, int y) {
  HWND wnd = Handle();
  TSavedDC saved(dc);
  TStateBit state(FControlState, csPaintCopy, true);
  OffsetViewportOrgEx(dc, x, y, nullptr);
  RECT client;
  GetClientRect(wnd, &client);
  if (GetWindowLongW(wnd, GWL_STYLE) & WS_CHILD) {
    // A child's frame is part of its image; a form's frame is the system's
    // and stays out, its client area goes to (x, y).
    RECT window;
    GetWindowRect(wnd, &window);
    POINT origin{0, 0};
    ::ClientToScreen(wnd, &origin);
    RECT frame{0, 0, window.right - window.left, window.bottom - window.top};
    IntersectClipRect(dc, 0, 0, frame.right, frame.bottom);
    const LONG style = GetWindowLongW(wnd, GWL_STYLE);
    if (GetWindowLongW(wnd, GWL_EXSTYLE) & WS_EX_CLIENTEDGE)
      DrawEdge(dc, &frame, EDGE_SUNKEN, BF_RECT);
    else if ((style & WS_CAPTION) == WS_BORDER)
      DrawEdge(dc, &frame, BDR_OUTER, BF_RECT | BF_MONO);
    OffsetViewportOrgEx(dc, origin.x - window.left, origin.y - window.top, nullptr);
  }
  IntersectClipRect(dc, 0, 0, client.right, client.bottom);
  Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
  Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
  for (TControl* c : FControls)
    if (auto* w = dynamic_cast<TWinControl*>(c); w && w->Visible()) w->PaintTo(dc, w->Left(), w->Top());
}
