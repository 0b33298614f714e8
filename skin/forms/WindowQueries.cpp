#include "skin/forms/WindowQueries.h"

#include "framework/Form.h"
#include "framework/GdiHandles.h"
#include "skin/core/SkinCommand.h"
#include "skin/core/SkinUtils.h"
#include "skin/manager/SkinManager.h"

namespace {

constexpr COLORREF kNoColor = 0xFF00FF;

// The DC of the whole window, frame included (GetWindowDC).
class TFrameDC {
 public:
  explicit TFrameDC(HWND Wnd) : FWnd(Wnd), FDC(GetWindowDC(Wnd)) {}
  ~TFrameDC() {
    if (FDC) ReleaseDC(FWnd, FDC);
  }
  TFrameDC(const TFrameDC&) = delete;
  TFrameDC& operator=(const TFrameDC&) = delete;
  HDC get() const { return FDC; }

 private:
  HWND FWnd;
  HDC FDC;
};

POINT CursorOnScreen() {
  POINT p{};
  if (!GetCursorPos(&p)) p = POINT{0, 0};
  return p;
}

RECT WindowRectOf(HWND Wnd) {
  RECT r{};
  GetWindowRect(Wnd, &r);
  return r;
}

// The windowed control under a screen point: the window there, or its
// nearest ancestor that belongs to a control.
TWinControl* WindowedControlAt(POINT P) {
  for (HWND wnd = WindowFromPoint(P); wnd; wnd = GetParent(wnd))
    if (TWinControl* control = TWinControl::FindControl(wnd)) return control;
  return nullptr;
}

bool IsControlSkinnedByCommand(TControl* Control) {
  if (auto* windowed = dynamic_cast<TWinControl*>(Control))
    if (HWND wnd = windowed->HandleIfAllocated()) return IsWindowSkinned(wnd);
  return QueryCtrlCommand(Control, AC_ISSKINNED) == 1;
}

}  // namespace

TForm* ParentFormOf(TControl* Control) {
  if (!Control) return nullptr;
  TControl* top = Control;
  while (top->Parent()) top = top->Parent();
  return dynamic_cast<TForm*>(top);
}

TForm* OwnerFormOf(TComponent* Component) {
  for (TComponent* c = Component; c; c = c->Owner())
    if (auto* form = dynamic_cast<TForm*>(c)) return form;
  return nullptr;
}

bool IsWndCovered(HWND Wnd, const RECT& R) {
  for (HWND above = GetWindow(Wnd, GW_HWNDPREV); above; above = GetWindow(above, GW_HWNDPREV)) {
    if (!IsWindowVisible(above)) continue;
    if (GetWindowLongPtrW(above, GWL_EXSTYLE) & (WS_EX_LAYERED | WS_EX_TRANSPARENT)) continue;
    if (RectWithin(WindowRectOf(above), R, true)) return true;
  }
  return false;
}

bool IsControlCovered(TControl* Control) {
  if (!Control) return false;
  RECT r;
  GetControlScreenRect(Control, r);
  TForm* form = ParentFormOf(Control);
  HWND wnd = form ? form->HandleIfAllocated() : nullptr;
  return wnd && IsWndCovered(wnd, r);
}

bool HasVisibleRegion(TControl* Control) {
  if (!Control) return false;
  auto* windowed = dynamic_cast<TWinControl*>(Control);
  if (!windowed) windowed = Control->Parent();
  HWND wnd = windowed ? windowed->HandleIfAllocated() : nullptr;
  if (!wnd) return false;
  const TFrameDC dc(wnd);
  RECT box;
  return dc.get() && GetClipBox(dc.get(), &box) > NULLREGION;
}

void GetCursorPoint(TControl* Control, POINT& P) {
  P = CursorOnScreen();
  if (!Control) return;
  RECT r;
  GetControlScreenRect(Control, r);
  P.x -= r.left;
  P.y -= r.top;
}

void CursorPosInWnd(HWND Wnd, POINT& P) {
  const POINT cursor = CursorOnScreen();
  ScreenToWndPoint(Wnd, cursor.x, cursor.y, P);
}

void ScreenToWndPoint(HWND Wnd, int X, int Y, POINT& P) {
  const RECT r = WindowRectOf(Wnd);
  P = POINT{X - r.left, Y - r.top};
}

void ClientRectInWnd(HWND Wnd, RECT& R) {
  R = RECT{};
  GetClientRect(Wnd, &R);
  POINT origin{0, 0};
  ClientToScreen(Wnd, &origin);
  const RECT w = WindowRectOf(Wnd);
  OffsetRect(&R, origin.x - w.left, origin.y - w.top);
}

void ClientOriginInWnd(HWND Wnd, POINT& P) {
  const RECT w = WindowRectOf(Wnd);
  P = POINT{w.left, w.top};
  ScreenToClient(Wnd, &P);
  P = POINT{-P.x, -P.y};
}

void GetControlScreenRect(TControl* Control, RECT& R) {
  R = RECT{};
  if (!Control) return;
  if (auto* windowed = dynamic_cast<TWinControl*>(Control)) {
    if (HWND wnd = windowed->HandleIfAllocated()) R = WindowRectOf(wnd);
    return;
  }
  R = RECT{0, 0, Control->Width(), Control->Height()};
  POINT origin{0, 0};
  if (TWinControl* parent = Control->Parent()) origin = parent->ClientOrigin();
  OffsetRect(&R, origin.x + Control->Left(), origin.y + Control->Top());
}

HWND TopParentWnd(HWND Wnd) {
  HWND top = Wnd;
  while (HWND parent = GetParent(top)) top = parent;
  return top;
}

bool IsMouseOverWnd(HWND Wnd) {
  if (!IsWindowVisible(Wnd)) return false;
  const TFrameDC dc(Wnd);
  RECT box;
  if (!dc.get() || GetClipBox(dc.get(), &box) != SIMPLEREGION) return false;
  const RECT w = WindowRectOf(Wnd);
  OffsetRect(&box, w.left, w.top);
  return PtInRect(&box, CursorOnScreen());
}

bool IsMouseOverControl(TControl* Control) {
  if (!Control || !Control->Visible()) return false;
  const POINT cursor = CursorOnScreen();
  auto* windowed = dynamic_cast<TWinControl*>(Control);
  if (windowed) {
    HWND wnd = windowed->HandleIfAllocated();
    if (!wnd) return false;
    const RECT r = WindowRectOf(wnd);
    if (!PtInRect(&r, cursor)) return false;
    return IsWndOrDescendant(WindowFromPoint(cursor), wnd);
  }
  TWinControl* parent = Control->Parent();
  HWND parentWnd = parent ? parent->HandleIfAllocated() : nullptr;
  if (!parentWnd) return false;
  TForm* form = ParentFormOf(Control);
  HWND formWnd = form ? form->HandleIfAllocated() : nullptr;
  if (!IsWindowEnabled(formWnd ? formWnd : TopParentWnd(parentWnd))) return false;
  const POINT p = Control->ScreenToClient(cursor);
  if (p.x < 0 || p.y < 0 || p.x >= Control->Width() || p.y >= Control->Height()) return false;
  // Parts of the parent that are scrolled away or covered do not count.
  const TWindowDC dc(parentWnd);
  RECT clip;
  if (!dc.get() || GetClipBox(dc.get(), &clip) == ERROR) return false;
  const int left = Control->Left(), top = Control->Top();
  return p.x >= clip.left - left && p.y >= clip.top - top && p.x <= clip.right - left && p.y <= clip.bottom - top;
}

TControl* ControlUnderMouse() {
  if (TsSkinManager* manager = TsSkinManager::DefaultManager())
    if (HWND hot = manager->HotWindow())
      if (TWinControl* control = TWinControl::FindControl(hot)) return control;
  const POINT cursor = CursorOnScreen();
  TWinControl* found = WindowedControlAt(cursor);
  if (!found) return nullptr;
  const POINT p = found->ScreenToClient(cursor);
  for (int i = found->ControlCount() - 1; i >= 0; --i) {
    TControl* child = found->Controls(i);
    const RECT bounds = child->BoundsRect();
    if (child->Visible() && PtInRect(&bounds, p)) return child;
  }
  return found;
}

String GetWndClassName(HWND Wnd) {
  wchar_t name[128];
  const int length = GetClassNameW(Wnd, name, 128);
  return String(name, length > 0 ? size_t(length) : 0);
}

String WindowTextW(HWND Wnd) {
  const int length = GetWindowTextLengthW(Wnd);
  if (length <= 0) return String();
  String text(size_t(length) + 1, L'\0');
  const int copied = GetWindowTextW(Wnd, text.data(), length + 1);
  text.resize(copied > 0 ? size_t(copied) : 0);
  return text;
}

bool CanUpdateControl(TControl* Control) {
  if (!Control || !Control->Parent()) return false;
  if (auto* windowed = dynamic_cast<TWinControl*>(Control); windowed && !windowed->HandleAllocated()) return false;
  return (Control->ComponentState() & (csLoading | csDestroying)) == 0;
}

COLORREF WndBgColor(HWND Wnd) {
  if (!Wnd) return kNoColor;
  return ColorToRGB(TColor(SendWndCommand(Wnd, AC_GETBGCOLOR, kNoColor)));
}

COLORREF ControlBgColor(TControl* Control) {
  if (!Control) return kNoColor;
  if (IsControlSkinnedByCommand(Control))
    return ColorToRGB(TColor(Control->Perform(WM_SKINCOMMAND, SkinCommandWParam(AC_GETBGCOLOR), kNoColor)));
  return ColorToRGB(Control->Color());
}
