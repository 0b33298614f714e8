#include "framework/Control.h"

#include "framework/Application.h"
#include "framework/WinControl.h"

TShiftState KeysToShiftState(WPARAM keys) {
  TShiftState s = 0;
  if (keys & MK_SHIFT) s |= ssShift;
  if (keys & MK_CONTROL) s |= ssCtrl;
  if (keys & MK_LBUTTON) s |= ssLeft;
  if (keys & MK_RBUTTON) s |= ssRight;
  if (keys & MK_MBUTTON) s |= ssMiddle;
  if (GetKeyState(VK_MENU) < 0) s |= ssAlt;
  return s;
}

TShiftState KeyboardStateToShiftState() {
  TShiftState s = 0;
  if (GetKeyState(VK_SHIFT) < 0) s |= ssShift;
  if (GetKeyState(VK_CONTROL) < 0) s |= ssCtrl;
  if (GetKeyState(VK_MENU) < 0) s |= ssAlt;
  return s;
}

TControl::TControl(TComponent* owner) : TComponent(owner) {
  WindowProc = [this](TMessage& m) { WndProc(m); };
  FFont.OnChange = [this](TObject*) { FontChanged(); };
}

TControl::~TControl() {
  FFont.OnChange = nullptr;
  if (Application) Application->ForgetControl(this);
  FreeCanvasHandle();
  if (FParent) FParent->RemoveControl(this);
}

LRESULT TControl::Perform(UINT msg, WPARAM wParam, LPARAM lParam) {
  TMessage m{msg, wParam, lParam, 0};
  WindowProc(m);
  return m.Result;
}

void TControl::SetParent(TWinControl* parent) {
  if (parent == FParent) return;
  if (FParent) FParent->RemoveControl(this);
  if (parent) parent->InsertControl(this);
}

void TControl::StoreBounds(int left, int top, int width, int height) {
  FLeft = left;
  FTop = top;
  FWidth = width;
  FHeight = height;
}

void TControl::SetBounds(int left, int top, int width, int height) {
  if (left == FLeft && top == FTop && width == FWidth && height == FHeight) return;
  if (FParent) FParent->Invalidate();
  bool resized = width != FWidth || height != FHeight;
  StoreBounds(left, top, width, height);
  BoundsChanged();
  if (FParent) FParent->Invalidate();
  if (resized) Resize();
  if (FParent && FAlign != TAlign::alNone) RequestAlign();
}

POINT TControl::ClientOrigin() const {
  POINT p{FLeft, FTop};
  if (FParent) {
    POINT o = FParent->ClientOrigin();
    p.x += o.x;
    p.y += o.y;
  }
  return p;
}

POINT TControl::ClientToScreen(POINT p) const {
  POINT o = ClientOrigin();
  return POINT{p.x + o.x, p.y + o.y};
}

POINT TControl::ScreenToClient(POINT p) const {
  POINT o = ClientOrigin();
  return POINT{p.x - o.x, p.y - o.y};
}

void TControl::SetAlign(TAlign align) {
  if (align == FAlign) return;
  FAlign = align;
  RequestAlign();
}

void TControl::RequestAlign() {
  if (FParent) FParent->Realign();
}

void TControl::SetVisible(bool visible) {
  if (visible == FVisible) return;
  FVisible = visible;
  // The default handling of the notification shows or hides: a hook sees it
  // before anything appears.
  Perform(CM_VISIBLECHANGED, visible);
  if (FAlign != TAlign::alNone) RequestAlign();
}

void TControl::VisibleChanged() {
  if (FParent) FParent->Invalidate();
}

bool TControl::Showing() const { return FVisible && FParent && FParent->Showing(); }

void TControl::SetEnabled(bool enabled) {
  if (enabled == FEnabled) return;
  FEnabled = enabled;
  Perform(CM_ENABLEDCHANGED);
  Invalidate();
}

void TControl::SetBiDiMode(TBiDiMode mode) {
  if (mode == FBiDiMode) return;
  FBiDiMode = mode;
  Perform(CM_BIDIMODECHANGED);
  Invalidate();
}

void TControl::SetText(const String& s) {
  if (s == GetText()) return;
  StoreText(s);
  Perform(CM_TEXTCHANGED);
  TextChanged();
  Invalidate();
}

void TControl::SetParentFont(bool v) {
  FParentFont = v;
  if (v && FParent) {
    FFontInherit = true;
    FFont.Assign(FParent->Font());
    FFontInherit = false;
  }
}

void TControl::FontChanged() {
  if (!FFontInherit) FParentFont = false;
  Perform(CM_FONTCHANGED);
  Invalidate();
}

void TControl::SetColor(TColor color) {
  if (color == FColor) return;
  FColor = color;
  Perform(CM_COLORCHANGED);
  Invalidate();
}

void TControl::SetCursor(TCursor cursor) {
  if (cursor == FCursor) return;
  FCursor = cursor;
  Perform(CM_CURSORCHANGED);
}

// The system asks for a cursor only when the mouse moves: a control under a
// resting mouse asks its window again so the change shows at once.
void TControl::CursorChanged() {
  POINT p{};
  if (GetCapture() || !GetCursorPos(&p) || ControlAtPos(p) != this) return;
  auto* window = dynamic_cast<TWinControl*>(this);
  if (!window) window = FParent;
  HWND h = window ? window->HandleIfAllocated() : nullptr;
  if (!h) return;
  const LRESULT hit = SendMessageW(h, WM_NCHITTEST, 0, MAKELPARAM(p.x, p.y));
  SendMessageW(h, WM_SETCURSOR, reinterpret_cast<WPARAM>(h), MAKELPARAM(LOWORD(hit), WM_MOUSEMOVE));
}

void TControl::Invalidate() {
  if (FParent && FVisible) {
    if (HWND h = FParent->HandleIfAllocated()) {
      RECT r = BoundsRect();
      InvalidateRect(h, &r, TRUE);
    }
  }
}

void TControl::BringToFront() {
  if (auto* w = dynamic_cast<TWinControl*>(this); w && w->HandleAllocated())
    SetWindowPos(w->Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

void TControl::Changed() { Perform(CM_CHANGED, 0, reinterpret_cast<LPARAM>(this)); }

void TControl::Click() {
  if (OnClick) OnClick(this);
}

void TControl::DblClick() {
  if (OnDblClick) OnDblClick(this);
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (OnMouseDown) OnMouseDown(this, button, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (OnMouseUp) OnMouseUp(this, button, shift, x, y);
}

void TControl::MouseMove(TShiftState shift, int x, int y) {
  if (OnMouseMove) OnMouseMove(this, shift, x, y);
}

static TMouseButton ButtonOf(UINT msg) {
  switch (msg) {
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
      return TMouseButton::mbRight;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK:
      return TMouseButton::mbMiddle;
    default:
      return TMouseButton::mbLeft;
  }
}

void TControl::WndProc(TMessage& m) {
  const int x = LParamX(m.LParam), y = LParamY(m.LParam);
  switch (m.Msg) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      MouseDown(ButtonOf(m.Msg), KeysToShiftState(m.WParam), x, y);
      break;
    case WM_LBUTTONDBLCLK:
      DblClick();
      MouseDown(TMouseButton::mbLeft, KeysToShiftState(m.WParam) | ssDouble, x, y);
      break;
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK:
      MouseDown(ButtonOf(m.Msg), KeysToShiftState(m.WParam) | ssDouble, x, y);
      break;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
      MouseUp(ButtonOf(m.Msg), KeysToShiftState(m.WParam), x, y);
      break;
    case WM_MOUSEMOVE:
      MouseMove(KeysToShiftState(m.WParam), x, y);
      break;
    case CM_PARENTFONTCHANGED:
      if (FParentFont && FParent) {
        FFontInherit = true;
        FFont.Assign(FParent->Font());
        FFontInherit = false;
      }
      return;
    case CM_PARENTCOLORCHANGED:
      if (auto* w = dynamic_cast<TWinControl*>(this); w && w->ParentColor() && FParent) SetColor(FParent->Color());
      return;
    case CM_VISIBLECHANGED:
      VisibleChanged();
      break;
    case CM_CURSORCHANGED:
      CursorChanged();
      break;
    case CM_HITTEST:
      // Anywhere in its rectangle; a control that lets the mouse through answers 0.
      m.Result = HTCLIENT;
      return;
    case CM_MOUSEWHEEL:
      if (DoMouseWheel(KeysToShiftState(LOWORD(m.WParam)), static_cast<short>(HIWORD(m.WParam)), POINT{x, y}))
        m.Result = 1;
      else
        m.Result = FParent ? FParent->Perform(CM_MOUSEWHEEL, m.WParam, m.LParam) : 0;
      return;
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE:
      // Containers learn which child the mouse entered or left (LParam).
      if (FParent) FParent->Perform(m.Msg, m.WParam, m.LParam);
      break;
  }
  DefaultHandler(m);
}

void TControl::DefaultHandler(TMessage& m) { m.Result = 0; }

bool TControl::DoMouseWheel(TShiftState shift, int wheelDelta, POINT mousePos) {
  bool handled = false;
  if (OnMouseWheel) OnMouseWheel(this, shift, wheelDelta, mousePos, handled);
  return handled;
}

void TGraphicControl::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_PAINT:
      // Only the parent's paint DC: there is no window to begin painting on.
      if (m.WParam && !Destroying()) PaintWithCanvas(reinterpret_cast<HDC>(m.WParam), [this](TCanvas& c) { Paint(c); });
      m.Result = 0;
      return;
    case WM_LBUTTONDOWN:
      FMouseDownInside = true;
      break;
    case WM_LBUTTONUP: {
      bool inside = FMouseDownInside;
      FMouseDownInside = false;
      TControl::WndProc(m);
      POINT p{LParamX(m.LParam), LParamY(m.LParam)};
      if (inside && p.x >= 0 && p.y >= 0 && p.x < FWidth && p.y < FHeight) Click();
      return;
    }
  }
  TControl::WndProc(m);
}
