#include "framework/Form.h"

#include "framework/Application.h"
#include "framework/Menus.h"
#include "framework/Screen.h"

#include <vector>

TForm::TForm(TComponent* owner) : TWinControl(owner) {
  FVisible = false;
  FParentFont = false;
  FParentColor = false;
  BeginLoading();
  Screen->AddForm(this);
}

TForm::TForm(TComponent* owner, TCreateNew) : TWinControl(owner) {
  // Made at run time: nothing is streamed into it, so it is whole at once.
  FVisible = false;
  FParentFont = false;
  FParentColor = false;
  FCreated = true;
  Screen->AddForm(this);
}

TForm::~TForm() {
  Destroying_();
  if (FCreated && OnDestroy) {
    try {
      OnDestroy(this);
    } catch (...) {
      if (Application) Application->HandleException(this);
    }
  }
  // Owned components go while the form is still a form with its window: a
  // component that hooked the form must be able to unhook in its destructor.
  DestroyComponents();
  Screen->RemoveForm(this);
  DestroyHandle();
}

void TForm::FinishCreate() {
  EndLoading();
  FCreated = true;
  try {
    DoCreate();
  } catch (...) {
    if (Application) Application->HandleException(this);
  }
}

void TForm::DoCreate() {
  if (OnCreate) OnCreate(this);
}

void TForm::DoShow() {
  if (OnShow) OnShow(this);
}

void TForm::DoHide() {
  if (OnHide) OnHide(this);
}

void TForm::DoClose(TCloseAction& action) {
  if (OnClose) OnClose(this, action);
}

TForm* TForm::FromChildWindow(HWND wnd) {
  if (!wnd) return nullptr;
  return dynamic_cast<TForm*>(TWinControl::FindControl(GetAncestor(wnd, GA_ROOT)));
}

bool TForm::SelectNextFromKey() {
  if (!FHandle) return false;
  HWND next = GetNextDlgTabItem(FHandle, GetFocus(), GetKeyState(VK_SHIFT) < 0);
  if (!next) return false;
  ::SetFocus(next);
  return true;
}

TWinControl* TForm::ActiveControl() const {
  HWND focus = GetFocus();
  if (!focus || !FHandle || !IsChild(FHandle, focus)) return nullptr;
  return TWinControl::FindControl(focus);
}

void TForm::SetFormStyle(TFormStyle v) {
  FFormStyle = v;
  if (FHandle) SetWindowTopmost(FHandle, v == TFormStyle::fsStayOnTop);
}

void SetWindowTopmost(HWND wnd, bool topmost, bool activate) {
  SetWindowPos(wnd, topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | (activate ? 0 : SWP_NOACTIVATE));
}

void TForm::SetMenu(TMainMenu* menu) {
  FMenu = menu;
  if (FHandle) ::SetMenu(FHandle, menu ? menu->Handle() : nullptr);
  if (FClientWidth || FClientHeight) SetClientSize(FClientWidth, FClientHeight);
}

SIZE TForm::OuterSizeFor(int clientWidth, int clientHeight, DWORD style, DWORD exStyle) const {
  RECT r{0, 0, clientWidth, clientHeight};
  AdjustWindowRectEx(&r, style, FMenu != nullptr, exStyle);
  return SIZE{r.right - r.left, r.bottom - r.top};
}

void TForm::SetClientSize(int width, int height) {
  FClientWidth = width;
  FClientHeight = height;
  if (FHandle) {
    RECT client, window;
    GetClientRect(FHandle, &client);
    GetWindowRect(FHandle, &window);
    SetBounds(FLeft, FTop, width + (window.right - window.left) - client.right,
              height + (window.bottom - window.top) - client.bottom);
    return;
  }
  TCreateParams p;
  CreateParams(p);
  SIZE outer = OuterSizeFor(width, height, p.Style, p.ExStyle);
  SetBounds(FLeft, FTop, outer.cx, outer.cy);
}

void TForm::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.WinClassName = L"KelvraForm";
  p.Style = WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
  p.ExStyle = WS_EX_CONTROLPARENT;
  switch (FBorderStyle) {
    case TFormBorderStyle::bsNone:
      p.Style |= WS_POPUP;
      break;
    case TFormBorderStyle::bsSingle:
      p.Style |= WS_CAPTION;
      break;
    case TFormBorderStyle::bsSizeable:
      p.Style |= WS_CAPTION | WS_THICKFRAME;
      break;
    case TFormBorderStyle::bsDialog:
      p.Style |= WS_CAPTION | WS_DLGFRAME;
      p.ExStyle |= WS_EX_DLGMODALFRAME;
      break;
    case TFormBorderStyle::bsToolWindow:
      p.Style |= WS_CAPTION;
      p.ExStyle |= WS_EX_TOOLWINDOW;
      break;
    case TFormBorderStyle::bsSizeToolWin:
      p.Style |= WS_CAPTION | WS_THICKFRAME;
      p.ExStyle |= WS_EX_TOOLWINDOW;
      break;
  }
  if (FBorderStyle != TFormBorderStyle::bsNone && (FBorderIcons & biSystemMenu)) {
    p.Style |= WS_SYSMENU;
    const bool framed = FBorderStyle == TFormBorderStyle::bsSingle || FBorderStyle == TFormBorderStyle::bsSizeable;
    if (framed && (FBorderIcons & biMinimize)) p.Style |= WS_MINIMIZEBOX;
    if (framed && (FBorderIcons & biMaximize)) p.Style |= WS_MAXIMIZEBOX;
  }
  if (FFormStyle == TFormStyle::fsStayOnTop) p.ExStyle |= WS_EX_TOPMOST;
  if (Application && Application->MainForm() == this) p.ExStyle |= WS_EX_APPWINDOW;
  if (!FEnabled) p.Style |= WS_DISABLED;
  p.WndParent = Application ? Application->Handle() : nullptr;
}

void TForm::InitializeWnd() {
  if (FMenu) ::SetMenu(FHandle, FMenu->Handle());
  if (FClientWidth || FClientHeight) {
    RECT client;
    GetClientRect(FHandle, &client);
    if (client.right != FClientWidth || client.bottom != FClientHeight) SetClientSize(FClientWidth, FClientHeight);
  }
}

void TForm::PlaceOnFirstShow() {
  FPlaced = true;
  int x = FLeft, y = FTop;
  switch (FPosition) {
    case TPosition::poScreenCenter:
    case TPosition::poDesktopCenter:
      x = (GetSystemMetrics(SM_CXSCREEN) - FWidth) / 2;
      y = (GetSystemMetrics(SM_CYSCREEN) - FHeight) / 2;
      break;
    case TPosition::poMainFormCenter:
      if (Application && Application->MainForm() && Application->MainForm() != this) {
        TForm* main = Application->MainForm();
        x = main->Left() + (main->Width() - FWidth) / 2;
        y = main->Top() + (main->Height() - FHeight) / 2;
      }
      break;
    default:
      return;
  }
  SetBounds(x, y, FWidth, FHeight);
}

namespace {

// Pop-ups and effect windows that must never take the activation from the
// form the user works in.
bool NoActivate(HWND wnd) { return (GetWindowLongPtrW(wnd, GWL_EXSTYLE) & WS_EX_NOACTIVATE) != 0; }

}  // namespace

void TForm::SetVisible(bool visible) {
  if (visible == FVisible) {
    if (visible && FHandle && !NoActivate(FHandle)) SetForegroundWindow(FHandle);
    return;
  }
  // CM_VISIBLECHANGED, then CM_SHOWINGCHANGED, whose handling below shows.
  TWinControl::SetVisible(visible);
}

void TForm::SetFocusedControl(TWinControl* control) {
  if (control == FFocusedControl) return;
  TWinControl* previous = FFocusedControl;
  FFocusedControl = control;
  auto contains = [](TControl* outer, TControl* inner) {
    for (TControl* c = inner; c; c = c->Parent())
      if (c == outer) return true;
    return false;
  };
  // A handler that moves the focus again starts a newer round; this one stops.
  const HWND focus = GetFocus();
  // Whatever the control that loses the focus had going (a drop-down, a
  // capture) ends first; LParam says where the focus goes.
  if (previous) {
    previous->Perform(CM_CANCELMODE, 0, reinterpret_cast<LPARAM>(control));
    if (GetFocus() != focus) return;
  }
  for (TWinControl* c = previous; c && c != this && !contains(c, control); c = c->Parent()) {
    c->Perform(CM_EXIT);
    if (GetFocus() != focus) return;
  }
  std::vector<TWinControl*> entered;
  for (TWinControl* c = control; c && c != this && !contains(c, previous); c = c->Parent()) entered.push_back(c);
  for (auto it = entered.rbegin(); it != entered.rend(); ++it) {
    (*it)->Perform(CM_ENTER);
    if (GetFocus() != focus) return;
  }
  Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(control));
}

void TForm::ForgetFocusedControl(TControl* control) {
  for (TControl* c = FFocusedControl; c; c = c->Parent())
    if (c == control) {
      FFocusedControl = nullptr;
      return;
    }
}

bool TForm::Showing() const { return FHandle && IsWindowVisible(FHandle); }

void TForm::Close() {
  // The modal loop closes the form once it sees the result.
  if (FModal) {
    FModalResult = IDCANCEL;
    return;
  }
  bool canClose = true;
  if (OnCloseQuery) OnCloseQuery(this, canClose);
  if (!canClose) return;
  const bool isMain = Application && Application->MainForm() == this;
  TCloseAction action = isMain ? TCloseAction::caFree : TCloseAction::caHide;
  DoClose(action);
  switch (action) {
    case TCloseAction::caHide:
      Hide();
      break;
    case TCloseAction::caMinimize:
      if (FHandle) ShowWindow(FHandle, SW_MINIMIZE);
      break;
    case TCloseAction::caFree:
      if (isMain)
        Application->Terminate();
      else
        Release();
      break;
    case TCloseAction::caNone:
      break;
  }
}

namespace {

// The program's enabled windows but one, disabled for a modal form and
// enabled again when it ends.
class TDisabledWindows {
 public:
  explicit TDisabledWindows(HWND keep) : FKeep(keep) {
    EnumThreadWindows(GetCurrentThreadId(), &TDisabledWindows::Add, reinterpret_cast<LPARAM>(this));
  }
  ~TDisabledWindows() {
    for (HWND wnd : FWindows)
      if (IsWindow(wnd)) EnableWindow(wnd, TRUE);
  }
  TDisabledWindows(const TDisabledWindows&) = delete;
  TDisabledWindows& operator=(const TDisabledWindows&) = delete;

 private:
  static BOOL CALLBACK Add(HWND wnd, LPARAM self) {
    auto* me = reinterpret_cast<TDisabledWindows*>(self);
    if (wnd != me->FKeep && IsWindowVisible(wnd) && IsWindowEnabled(wnd)) {
      EnableWindow(wnd, FALSE);
      me->FWindows.push_back(wnd);
    }
    return TRUE;
  }
  HWND FKeep;
  std::vector<HWND> FWindows;
};

}  // namespace

int TForm::ShowModal() {
  if (FModal || Visible()) return 0;
  HandleNeeded();
  const HWND previous = GetActiveWindow();
  FModalResult = 0;
  FModal = true;
  {
    TDisabledWindows disabled(FHandle);
    try {
      Show();
      while (Application && !Application->Terminated()) {
        Application->HandleMessage();
        if (FModalResult == 0) continue;
        bool canClose = true;
        if (OnCloseQuery) OnCloseQuery(this, canClose);
        TCloseAction action = TCloseAction::caHide;
        if (canClose) DoClose(action);
        if (!canClose || action == TCloseAction::caNone) {
          FModalResult = 0;
          continue;
        }
        if (action == TCloseAction::caFree) Release();
        break;
      }
    } catch (...) {
      FModal = false;
      Hide();
      throw;
    }
    FModal = false;
    Hide();
  }
  if (previous && IsWindow(previous)) SetActiveWindow(previous);
  return FModalResult;
}

bool TForm::DialogKey(const MSG& msg) {
  if (msg.message != WM_KEYDOWN || (msg.wParam != VK_RETURN && msg.wParam != VK_ESCAPE)) return false;
  MSG copy = msg;
  const LRESULT code = SendMessageW(msg.hwnd, WM_GETDLGCODE, msg.wParam, reinterpret_cast<LPARAM>(&copy));
  if (code & (DLGC_WANTALLKEYS | DLGC_WANTMESSAGE)) return false;
  return Perform(CM_DIALOGKEY, msg.wParam, msg.lParam) != 0;
}

void TForm::Release() {
  if (FHandle) PostMessageW(FHandle, CM_RELEASE, 0, 0);
}

bool TForm::DoKeyPress(wchar_t& key) { return TWinControl::DoKeyPress(key); }

bool TForm::DoKeyDown(WORD& key, TShiftState shift) { return TWinControl::DoKeyDown(key, shift); }

void TForm::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_CLOSE:
      Close();
      return;
    case WM_CANCELMODE:
      // The system ends every mode (a message box, another window's capture):
      // the focused control ends its own too.
      if (FFocusedControl) FFocusedControl->Perform(CM_CANCELMODE, 0, 0);
      break;
    case WM_COMMAND:
      if (m.LParam == 0 && HIWORD(m.WParam) == 0 && FMenu && FMenu->DispatchCommand(LOWORD(m.WParam))) return;
      break;
    case WM_ACTIVATE:
      if (LOWORD(m.WParam) == WA_INACTIVE) {
        if (OnDeactivate) OnDeactivate(this);
      } else if (OnActivate) {
        OnActivate(this);
      }
      break;
    case CM_RELEASE:
      delete this;
      return;
    case CM_SHOWINGCHANGED:
      if (FShowing) {
        if (!FPlaced) PlaceOnFirstShow();
        ShowWindow(FHandle, NoActivate(FHandle) ? SW_SHOWNA : SW_SHOW);
        DoShow();
      } else {
        ShowWindow(FHandle, SW_HIDE);
        DoHide();
      }
      return;
    case WM_SYSCOMMAND:
    case WM_WINDOWPOSCHANGING:
      // The main form owns the taskbar button: its minimise, restore and hide
      // are what the application window's hooks are there to see.
      if (Application && Application->MainForm() == this && Application->RunMainWindowHooks(m)) return;
      break;
  }
  TWinControl::WndProc(m);
}
