#include "framework/WinControl.h"

#include "framework/Application.h"
#include "framework/Form.h"
#include "framework/Screen.h"

#include <algorithm>
#include <map>

namespace {

// The control whose window is being made on this thread; its first message
// binds the window to it.
thread_local TWinControl* t_creating = nullptr;

// How often one control is realigned in one realign run before it counts as
// caught in an endless resize loop.
constexpr int kMaxRealignsPerRun = 30;

struct TClassInfo {
  String Name;
  WNDPROC SysProc;
};

}  // namespace

// One realign run of this thread: the controls whose size changed while
// their parents were aligning wait here instead of realigning from inside
// the alignment, so controls that resize each other cannot recurse.
struct TRealignRun {
  std::vector<TWinControl*> Queued;     // the next pass
  std::vector<TWinControl*> Pass;       // the pass being run
  std::vector<TWinControl*> Realigned;  // in the order of their first realign
  std::map<TWinControl*, int> Counts;
  std::vector<TWinControl*> Resized;

  static void Add(std::vector<TWinControl*>& list, TWinControl* c) {
    if (std::find(list.begin(), list.end(), c) == list.end()) list.push_back(c);
  }
  void Forget(TWinControl* c) {
    for (auto* list : {&Queued, &Pass, &Realigned, &Resized})
      std::replace(list->begin(), list->end(), c, static_cast<TWinControl*>(nullptr));
    Counts.erase(c);
  }
};

namespace {
thread_local TRealignRun* t_realignRun = nullptr;
}

LRESULT CALLBACK ControlWndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);
// Marks the windows of this framework's controls; its value is the control.
constexpr wchar_t kControlProp[] = L"KelvraControl";

LRESULT CALLBACK InitWndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  TWinControl* control = t_creating;
  t_creating = nullptr;
  if (!control) return DefWindowProcW(wnd, msg, wParam, lParam);
  control->FHandle = wnd;
  SetWindowLongPtrW(wnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(control));
  SetPropW(wnd, kControlProp, control);
  SetWindowLongPtrW(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ControlWndProc));
  return ControlWndProc(wnd, msg, wParam, lParam);
}

LRESULT CALLBACK ControlWndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* control = reinterpret_cast<TWinControl*>(GetWindowLongPtrW(wnd, GWLP_USERDATA));
  if (!control || control->FHandle != wnd) return DefWindowProcW(wnd, msg, wParam, lParam);
  TMessage m{msg, wParam, lParam, 0};
  if (control->Destroying())
    control->DefaultHandler(m);  // derived parts are gone; only the class procedure is left
  else
    control->MainWndProc(m);
  if (msg == WM_NCDESTROY) {
    RemovePropW(wnd, kControlProp);
    SetWindowLongPtrW(wnd, GWLP_USERDATA, 0);
    control->FHandle = nullptr;
  }
  return m.Result;
}

namespace {

// Registers our class for a control: our own window class, or a superclass of
// a system class whose procedure becomes the control's default handler.
const TClassInfo& RegisterControlClass(const TCreateParams& p) {
  static std::map<String, TClassInfo> classes;
  auto it = classes.find(p.WinClassName);
  if (it != classes.end()) return it->second;

  HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW wc{sizeof(wc)};
  WNDPROC sysProc = &DefWindowProcW;
  if (!p.SysClassName.empty()) {
    if (!GetClassInfoExW(nullptr, p.SysClassName.c_str(), &wc))
      throw EOutOfResources(L"Cannot find window class " + p.SysClassName);
    wc.cbSize = sizeof(wc);
    sysProc = wc.lpfnWndProc;
  } else {
    wc.style = p.ClassStyle;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
    if (!wc.hIcon) wc.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
  }
  wc.hInstance = instance;
  wc.lpfnWndProc = &InitWndProc;
  wc.lpszClassName = p.WinClassName.c_str();
  if (!RegisterClassExW(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
    throw EOutOfResources(L"Cannot register window class " + p.WinClassName);
  return classes.emplace(p.WinClassName, TClassInfo{p.WinClassName, sysProc}).first->second;
}

TForm* ParentFormOf(TControl* control) {
  while (control->Parent()) control = control->Parent();
  return dynamic_cast<TForm*>(control);
}

bool IsMouseMessage(UINT msg) { return msg >= WM_MOUSEFIRST && msg <= WM_MOUSELAST && msg != WM_MOUSEWHEEL; }

}  // namespace

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {}

TWinControl::~TWinControl() {
  Destroying_();
  if (t_realignRun) t_realignRun->Forget(this);
  if (TForm* form = ParentFormOf(this); form && form != this) form->ForgetFocusedControl(this);
  // Children go with us; owned ones are freed by their owner, the rest are
  // only unlinked.
  while (!FControls.empty()) RemoveControl(FControls.back());
  DestroyHandle();
}

TWinControl* TWinControl::FindControl(HWND wnd) {
  if (!wnd) return nullptr;
  // A window property, not the window procedure, says "ours": the tool tips
  // of hints subclass their tools, and those must still get their commands.
  auto* c = static_cast<TWinControl*>(GetPropW(wnd, kControlProp));
  return c && c->FHandle == wnd ? c : nullptr;
}

HWND TWinControl::Handle() {
  HandleNeeded();
  return FHandle;
}

void TWinControl::HandleNeeded() {
  if (!FHandle) CreateHandle();
}

void TWinControl::CreateHandle() {
  if (FParent) FParent->HandleNeeded();
  // Making the parent's window made this one with it.
  if (FHandle) return;
  CreateWnd();
  SendMessageW(FHandle, WM_SETFONT, reinterpret_cast<WPARAM>(FFont.Handle()), FALSE);
  InitializeWnd();
  for (TControl* c : FControls)
    if (auto* w = dynamic_cast<TWinControl*>(c)) w->HandleNeeded();
  Realign();
}

void TWinControl::CreateParams(TCreateParams& p) {
  p.Caption = FText;
  p.Style = WS_CHILD | WS_CLIPSIBLINGS;
  if (FVisible) p.Style |= WS_VISIBLE;
  if (!FEnabled) p.Style |= WS_DISABLED;
  if (FTabStop) p.Style |= WS_TABSTOP;
  p.X = FLeft;
  p.Y = FTop;
  p.Width = FWidth;
  p.Height = FHeight;
  if (FParent) p.WndParent = FParent->FHandle;
  p.WinClassName = L"KelvraControl";
}

void TWinControl::CreateWnd() {
  TCreateParams p;
  CreateParams(p);
  const TClassInfo& info = RegisterControlClass(p);
  FDefWndProc = info.SysProc;
  FOwnClass = p.SysClassName.empty();
  t_creating = this;
  HWND wnd = CreateWindowExW(p.ExStyle, p.WinClassName.c_str(), p.Caption.c_str(), p.Style, p.X, p.Y, p.Width, p.Height,
                             p.WndParent, nullptr, GetModuleHandleW(nullptr), nullptr);
  t_creating = nullptr;
  if (!wnd) {
    FHandle = nullptr;
    throw EOutOfResources(L"Cannot create window " + Name() + L": " + SysErrorMessage(GetLastError()));
  }
  FHandle = wnd;
  FTrackingLeave = false;
}

void TWinControl::DestroyHandle() {
  if (!FHandle) return;
  // Every window below goes too: all of them keep their state.
  SaveSubtreeState();
  DestroyWnd();
}

void TWinControl::SaveSubtreeState() {
  if (!FHandle) return;
  SaveWndState();
  for (TControl* c : FControls)
    if (auto* w = dynamic_cast<TWinControl*>(c)) w->SaveSubtreeState();
}

void TWinControl::SaveWndState() {
  // What the user typed lives only in the window.
  FText = TWinControl::GetText();
}

void TWinControl::DestroyWnd() {
  ReleaseCanvases();
  HWND wnd = FHandle;
  DestroyWindow(wnd);
  if (FHandle == wnd) {
    // Windows of another thread cannot be destroyed here; unbind at least.
    SetWindowLongPtrW(wnd, GWLP_USERDATA, 0);
    FHandle = nullptr;
  }
  for (TControl* c : FControls)
    if (auto* w = dynamic_cast<TWinControl*>(c)) w->FHandle = nullptr;
}

void TWinControl::RecreateWnd() {
  // The default handling of the notification re-creates: a hook sees it first.
  if (FHandle) Perform(CM_RECREATEWND);
}

void TWinControl::InsertControl(TControl* control) {
  if (std::find(FControls.begin(), FControls.end(), control) != FControls.end()) return;
  Perform(CM_CONTROLLISTCHANGE, reinterpret_cast<WPARAM>(control), TRUE);
  FControls.push_back(control);
  control->FParent = this;
  if (control->ParentFont()) control->Perform(CM_PARENTFONTCHANGED);
  control->Perform(CM_PARENTCOLORCHANGED);
  if (FHandle)
    if (auto* w = dynamic_cast<TWinControl*>(control)) {
      w->HandleNeeded();
      w->UpdateControlState();
    }
  if (control->Align() != TAlign::alNone) Realign();
  Invalidate();
}

void TWinControl::RemoveControl(TControl* control) {
  auto it = std::find(FControls.begin(), FControls.end(), control);
  if (it == FControls.end()) return;
  if (!Destroying()) Perform(CM_CONTROLLISTCHANGE, reinterpret_cast<WPARAM>(control), FALSE);
  if (TForm* form = ParentFormOf(this)) form->ForgetFocusedControl(control);
  it = std::find(FControls.begin(), FControls.end(), control);
  if (it == FControls.end()) return;
  if (FMouseControl == control) FMouseControl = nullptr;
  if (auto* w = dynamic_cast<TWinControl*>(control)) {
    w->DestroyHandle();
    w->FShowing = false;
  }
  FControls.erase(it);
  control->FParent = nullptr;
  if (!Destroying()) {
    Realign();
    Invalidate();
  }
}

void TWinControl::Broadcast(TMessage& message) {
  for (TControl* c : FControls) {
    c->WindowProc(message);
    if (message.Result != 0) return;
  }
}

void TWinControl::SetBounds(int left, int top, int width, int height) {
  if (left == FLeft && top == FTop && width == FWidth && height == FHeight) return;
  bool resized = width != FWidth || height != FHeight;
  if (FHandle) {
    // The window reports the new bounds back through WM_MOVE and WM_SIZE;
    // realign and Resize from there, where the change is still seen.
    SetWindowPos(FHandle, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
  } else {
    StoreBounds(left, top, width, height);
    if (resized) AlignAfterSize(true);
  }
  BoundsChanged();
  if (FParent && FAlign != TAlign::alNone) RequestAlign();
}

void TWinControl::UpdateBoundsFromWindow() {
  RECT r;
  GetWindowRect(FHandle, &r);
  if (HWND parent = GetParent(FHandle); parent && (GetWindowLongW(FHandle, GWL_STYLE) & WS_CHILD))
    MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&r), 2);
  StoreBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

RECT TWinControl::ClientRect() const {
  if (FHandle) {
    RECT r;
    GetClientRect(FHandle, &r);
    return r;
  }
  return TControl::ClientRect();
}

POINT TWinControl::ClientOrigin() const {
  if (FHandle) {
    POINT p{0, 0};
    ::ClientToScreen(FHandle, &p);
    return p;
  }
  return TControl::ClientOrigin();
}

bool TWinControl::Showing() const {
  if (FHandle) return IsWindowVisible(FHandle) != FALSE;
  return TControl::Showing();
}

void TWinControl::Invalidate() { Perform(CM_INVALIDATE); }

void TWinControl::Update() {
  if (FHandle) UpdateWindow(FHandle);
}

bool TWinControl::Focused() const { return FHandle && GetFocus() == FHandle; }

bool TWinControl::CanFocus() const {
  for (const TControl* c = this; c; c = c->Parent())
    if (!c->Visible() || !c->Enabled()) return false;
  return true;
}

void TWinControl::SetFocus() { ::SetFocus(Handle()); }

void TWinControl::SetParentColor(bool v) {
  FParentColor = v;
  if (v && FParent) SetColor(FParent->Color());
}

void TWinControl::EnableAlign() {
  if (FAlignLevel > 0 && --FAlignLevel == 0) Realign();
}

bool TWinControl::HasAlignedChild() const {
  return std::any_of(FControls.begin(), FControls.end(), [](TControl* c) { return c->Align() != TAlign::alNone; });
}

void TWinControl::AlignOnce() {
  FAligning = true;
  try {
    RECT r = ClientRect();
    AlignControls(r);
  } catch (...) {
    FAligning = false;
    throw;
  }
  FAligning = false;
}

void TWinControl::Realign() {
  // Asked again from inside its own alignment: that alignment covers it.
  if (FAlignLevel > 0 || FAligning) return;
  if (t_realignRun || !HasAlignedChild()) {
    AlignOnce();
    return;
  }
  TRealignRun run;
  struct TRunScope {
    TRealignRun* Saved;
    explicit TRunScope(TRealignRun* run) : Saved(t_realignRun) { t_realignRun = run; }
    ~TRunScope() { t_realignRun = Saved; }
  } scope(&run);
  AlignOnce();
  while (!run.Queued.empty()) {
    run.Pass = std::move(run.Queued);
    run.Queued.clear();
    for (auto it = run.Pass.rbegin(); it != run.Pass.rend(); ++it) {
      TWinControl* c = *it;
      if (!c) continue;
      int& count = run.Counts[c];
      if (count >= kMaxRealignsPerRun) {
        if (IsDebuggerPresent()) {
          String line = L"The component \"" + c->Name() + L"\" of class " + c->ClassName() +
                        L" has an endless resize loop";
          OutputDebugStringW(line.c_str());
        }
        continue;
      }
      ++count;
      TRealignRun::Add(run.Realigned, c);
      c->AlignOnce();
    }
  }
  run.Pass.clear();
  for (auto it = run.Realigned.rbegin(); it != run.Realigned.rend(); ++it)
    if (TWinControl* c = *it; c && std::find(run.Resized.begin(), run.Resized.end(), c) != run.Resized.end())
      c->Resize();
}

void TWinControl::AlignAfterSize(bool resized) {
  if (t_realignRun) {
    TRealignRun::Add(t_realignRun->Queued, this);
    if (resized) TRealignRun::Add(t_realignRun->Resized, this);
    return;
  }
  Realign();
  if (resized) Resize();
}

void TWinControl::AlignControls(RECT& rect) {
  // Edges first in the order top, bottom, left, right; what is left goes to
  // the client-aligned controls.
  static constexpr TAlign order[] = {TAlign::alTop, TAlign::alBottom, TAlign::alLeft, TAlign::alRight,
                                     TAlign::alClient};
  for (TAlign a : order) {
    for (TControl* c : FControls) {
      if (c->Align() != a || !c->Visible()) continue;
      int w = c->Width(), h = c->Height();
      switch (a) {
        case TAlign::alTop:
          c->SetBounds(rect.left, rect.top, rect.right - rect.left, h);
          rect.top += h;
          break;
        case TAlign::alBottom:
          rect.bottom -= h;
          c->SetBounds(rect.left, rect.bottom, rect.right - rect.left, h);
          break;
        case TAlign::alLeft:
          c->SetBounds(rect.left, rect.top, w, rect.bottom - rect.top);
          rect.left += w;
          break;
        case TAlign::alRight:
          rect.right -= w;
          c->SetBounds(rect.right, rect.top, w, rect.bottom - rect.top);
          break;
        default:
          c->SetBounds(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
          break;
      }
    }
  }
}

String TWinControl::GetText() const {
  if (!FHandle) return FText;
  int len = GetWindowTextLengthW(FHandle);
  String s(static_cast<size_t>(len) + 1, L'\0');
  len = GetWindowTextW(FHandle, s.data(), len + 1);
  s.resize(static_cast<size_t>(len));
  return s;
}

void TWinControl::StoreText(const String& s) {
  FText = s;
  if (FHandle) SetWindowTextW(FHandle, s.c_str());
}

void TWinControl::UpdateWindowFont() {
  SendMessageW(FHandle, WM_SETFONT, reinterpret_cast<WPARAM>(FFont.Handle()), TRUE);
}

void TWinControl::FontChanged() {
  if (FHandle) UpdateWindowFont();
  TControl::FontChanged();
  for (TControl* c : FControls) c->Perform(CM_PARENTFONTCHANGED);
}

void TWinControl::VisibleChanged() { UpdateControlState(); }

void TWinControl::UpdateControlState() {
  if (!FParent) return;  // a window without a parent control shows on its own terms (a form)
  for (TWinControl* p = FParent; p; p = p->FParent) {
    if (!p->FShowing) {
      // Not on screen either way, so showing does not change; the window
      // only follows Visible.
      if (FHandle) ShowWindow(FHandle, FVisible ? SW_SHOWNA : SW_HIDE);
      return;
    }
  }
  UpdateShowing();
}

void TWinControl::UpdateShowing() {
  const bool show = FVisible;
  if (show) {
    HandleNeeded();
    const std::vector<TControl*> children = FControls;  // handlers may add or remove controls
    for (TControl* c : children)
      if (auto* w = dynamic_cast<TWinControl*>(c);
          w && std::find(FControls.begin(), FControls.end(), c) != FControls.end())
        w->UpdateShowing();
  }
  if (FHandle && FShowing != show) {
    FShowing = show;
    Perform(CM_SHOWINGCHANGED);
  }
}

HBRUSH TWinControl::BackgroundBrush() {
  if (!FBrush || FBrushColor != FColor) {
    FBrush.Reset(CreateSolidBrush(ColorToRGB(FColor)));
    FBrushColor = FColor;
  }
  return FBrush.get();
}

bool TWinControl::DoKeyPress(wchar_t& key) {
  if (OnKeyPress) OnKeyPress(this, key);
  return key == 0;
}

bool TWinControl::DoKeyDown(WORD& key, TShiftState shift) {
  if (OnKeyDown) OnKeyDown(this, key, shift);
  return key == 0;
}

void TWinControl::MainWndProc(TMessage& m) {
  try {
    WindowProc(m);
  } catch (...) {
    if (Application) Application->HandleException(this);
  }
}

bool TWinControl::ReflectToChild(TMessage& m, HWND child, UINT reflected) {
  TWinControl* c = FindControl(child);
  if (!c || c == this) return false;
  m.Result = c->Perform(reflected, m.WParam, m.LParam);
  return true;
}

TControl* TWinControl::GraphicControlAt(POINT p, bool allowDisabled) {
  for (auto it = FControls.rbegin(); it != FControls.rend(); ++it) {
    TControl* c = *it;
    if (dynamic_cast<TWinControl*>(c) || !c->Visible() || (!allowDisabled && !c->Enabled())) continue;
    const RECT r = c->BoundsRect();
    if (PtInRect(&r, p) && c->Perform(CM_HITTEST, 0, MAKELPARAM(p.x - c->Left(), p.y - c->Top()))) return c;
  }
  return nullptr;
}

bool TWinControl::SetCursorOverClient() {
  POINT p{};
  if (!GetCursorPos(&p)) return false;
  TControl* child = GraphicControlAt(ScreenToClient(p), false);
  TCursor cursor = child ? child->Cursor() : crDefault;
  if (cursor == crDefault) cursor = FCursor;
  if (cursor == crDefault) return false;
  ::SetCursor(Screen->Cursors(cursor));
  return true;
}

bool TWinControl::RouteMouseToGraphic(TMessage& m) {
  POINT p{LParamX(m.LParam), LParamY(m.LParam)};
  TControl* target = nullptr;
  if (FMouseControl && GetCapture() == FHandle) {
    target = FMouseControl;
  } else {
    target = GraphicControlAt(p, false);
  }
  if (!target) return false;
  const bool down = m.Msg == WM_LBUTTONDOWN || m.Msg == WM_RBUTTONDOWN || m.Msg == WM_MBUTTONDOWN ||
                    m.Msg == WM_LBUTTONDBLCLK;
  const bool up = m.Msg == WM_LBUTTONUP || m.Msg == WM_RBUTTONUP || m.Msg == WM_MBUTTONUP;
  if (down) {
    FMouseControl = target;
    SetCapture(FHandle);
  }
  target->Perform(m.Msg, m.WParam, MAKELPARAM(p.x - target->Left(), p.y - target->Top()));
  if (up && FMouseControl == target) {
    FMouseControl = nullptr;
    if (GetCapture() == FHandle) ReleaseCapture();
  }
  return true;
}

void TWinControl::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_COMMAND:
      if (m.LParam && ReflectToChild(m, reinterpret_cast<HWND>(m.LParam), CN_COMMAND)) return;
      break;
    case WM_NOTIFY:
      if (ReflectToChild(m, reinterpret_cast<NMHDR*>(m.LParam)->hwndFrom, CN_NOTIFY)) return;
      break;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX:
      if (ReflectToChild(m, reinterpret_cast<HWND>(m.LParam), CN_BASE + m.Msg) && m.Result) return;
      break;
    case CN_CTLCOLOREDIT:
    case CN_CTLCOLORSTATIC:
    case CN_CTLCOLORBTN:
    case CN_CTLCOLORLISTBOX: {
      HDC dc = reinterpret_cast<HDC>(m.WParam);
      SetTextColor(dc, ColorToRGB(FFont.Color()));
      SetBkColor(dc, ColorToRGB(FColor));
      m.Result = reinterpret_cast<LRESULT>(BackgroundBrush());
      return;
    }
    case WM_DRAWITEM:
      if (ReflectToChild(m, reinterpret_cast<DRAWITEMSTRUCT*>(m.LParam)->hwndItem, CN_DRAWITEM)) return;
      break;
    case WM_PAINT:
      if (FOwnClass) {
        PAINTSTRUCT ps;
        HDC dc = m.WParam ? reinterpret_cast<HDC>(m.WParam) : BeginPaint(FHandle, &ps);
        PaintWindow(dc);
        if (!m.WParam) EndPaint(FHandle, &ps);
        m.Result = 0;
        return;
      }
      break;
    case WM_ERASEBKGND:
      if (FOwnClass) {
        EraseBackground(reinterpret_cast<HDC>(m.WParam));
        m.Result = 1;
        return;
      }
      break;
    case WM_PRINTCLIENT:
      if (FOwnClass) {
        PaintWindow(reinterpret_cast<HDC>(m.WParam));
        return;
      }
      break;
    case WM_MOUSEWHEEL: {
      // The form's focused control has the first say, then its parents; then
      // the control the system gave the wheel to (the one under the mouse),
      // when the focused one does not lie inside it. An unused wheel gets the
      // window's default handling (a system list or edit scrolls itself).
      TForm* form = ParentFormOf(this);
      TWinControl* target = form ? form->ActiveControl() : nullptr;
      bool inside = false;
      for (TControl* c = target; c && !inside; c = c->Parent()) inside = c == this;
      m.Result = target ? target->Perform(CM_MOUSEWHEEL, m.WParam, m.LParam) : 0;
      if (!m.Result && !inside) m.Result = Perform(CM_MOUSEWHEEL, m.WParam, m.LParam);
      if (m.Result) return;
      break;
    }
    case WM_SIZE:
    case WM_MOVE: {
      int oldW = FWidth, oldH = FHeight;
      UpdateBoundsFromWindow();
      DefaultHandler(m);
      if (m.Msg == WM_SIZE) AlignAfterSize(oldW != FWidth || oldH != FHeight);
      return;
    }
    case WM_CHAR: {
      wchar_t key = static_cast<wchar_t>(m.WParam);
      if (DoKeyPress(key)) return;
      m.WParam = key;
      break;
    }
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
      WORD key = static_cast<WORD>(m.WParam);
      if (DoKeyDown(key, KeyboardStateToShiftState())) return;
      m.WParam = key;
      break;
    }
    case WM_KEYUP:
    case WM_SYSKEYUP: {
      WORD key = static_cast<WORD>(m.WParam);
      if (OnKeyUp) OnKeyUp(this, key, KeyboardStateToShiftState());
      if (key == 0) return;
      break;
    }
    case WM_SETFOCUS:
      DefaultHandler(m);
      if (TForm* form = ParentFormOf(this); form && form != this) form->SetFocusedControl(this);
      if (OnEnter) OnEnter(this);
      return;
    case WM_KILLFOCUS:
      DefaultHandler(m);
      if (OnExit) OnExit(this);
      return;
    case CM_COLORCHANGED:
      for (TControl* c : FControls) c->Perform(CM_PARENTCOLORCHANGED);
      break;
    case CM_ENABLEDCHANGED:
      if (FHandle) EnableWindow(FHandle, FEnabled);
      break;
    case CM_SHOWINGCHANGED:
      if (FHandle) ShowWindow(FHandle, FShowing ? SW_SHOWNA : SW_HIDE);
      break;
    case CM_INVALIDATE:
      // WParam 1: a child was invalidated; parents hear of it all the way up.
      if (FHandle) {
        if (FParent) FParent->Perform(CM_INVALIDATE, 1);
        if (m.WParam == 0) InvalidateRect(FHandle, nullptr, TRUE);
      }
      break;
    case CM_FOCUSCHANGED:
      Broadcast(m);
      break;
    case CM_DIALOGKEY:
      // Enter and Escape go down to the buttons; the answer of the one
      // that took the key must survive.
      Broadcast(m);
      return;
    case CM_RECREATEWND:
      if (FHandle) {
        const bool focused = Focused();
        DestroyHandle();
        HandleNeeded();
        // A form's window is made hidden; it shows again if it was showing.
        if (FShowing && !(GetWindowLongW(FHandle, GWL_STYLE) & WS_VISIBLE)) ShowWindow(FHandle, SW_SHOWNA);
        if (focused) ::SetFocus(FHandle);
      }
      return;
    case WM_MOUSEMOVE:
      // WM_MOUSELEAVE wakes the message loop when the mouse leaves for a
      // window not ours, so its idle step can tell the control it left.
      if (!FTrackingLeave && FHandle) {
        TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, FHandle, 0};
        FTrackingLeave = TrackMouseEvent(&track) != FALSE;
      }
      break;
    case WM_MOUSELEAVE:
      FTrackingLeave = false;
      break;
    case WM_SETCURSOR:
      // Only for this window: a child's request passes through its parents
      // first, and they must not put their cursor over it.
      if (reinterpret_cast<HWND>(m.WParam) == FHandle && LOWORD(m.LParam) == HTCLIENT && SetCursorOverClient()) {
        m.Result = 1;
        return;
      }
      break;
  }
  if (FOwnClass && IsMouseMessage(m.Msg) && RouteMouseToGraphic(m)) return;
  TControl::WndProc(m);
}

void TWinControl::DefaultHandler(TMessage& m) {
  if (FHandle)
    m.Result = CallWindowProcW(FDefWndProc, FHandle, m.Msg, m.WParam, m.LParam);
  else
    m.Result = 0;
}
