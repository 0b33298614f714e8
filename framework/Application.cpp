#include "framework/Application.h"

#include "framework/Form.h"
#include "framework/HintManager.h"
#include "framework/Thread.h"
#include "framework/UtilWindow.h"

#include <commctrl.h>

#include <algorithm>

TApplication* Application = nullptr;

namespace {
// Posted by worker threads that queued work for the main thread.
constexpr UINT WM_KELVRA_SYNC = WM_APP + 0x3F00;
}

TApplication::TApplication() : TComponent(nullptr) {
  if (!Application) Application = this;
  FWindow = std::make_unique<TUtilWindow>([this](TMessage& m) { WndProc(m); });
  FHints = std::make_unique<THintManager>(*this);
  HWND wnd = FWindow->Handle();
  WakeMainThread = [wnd] { PostMessageW(wnd, WM_KELVRA_SYNC, 0, 0); };
}

TApplication::~TApplication() {
  Destroying_();
  WakeMainThread = nullptr;
  FHints.reset();
  // Forms go first, while the application window still exists.
  while (!Components().empty()) delete Components().back();
  FMainForm = nullptr;
  if (Application == this) Application = nullptr;
}

HWND TApplication::Handle() const { return FWindow->Handle(); }

bool TApplication::Active() const {
  HWND foreground = GetForegroundWindow();
  DWORD process = 0;
  return foreground && GetWindowThreadProcessId(foreground, &process) && process == GetCurrentProcessId();
}

void TApplication::SetTitle(const String& title) {
  FTitle = title;
  SetWindowTextW(FWindow->Handle(), title.c_str());
}

void TApplication::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation == TOperation::opRemove && component == FMainForm) FMainForm = nullptr;
}

void TApplication::FormCreated(TForm* form) {
  if (!FMainForm) FMainForm = form;
  form->FinishCreate();
}

void TApplication::Run() {
  if (FMainForm && FShowMainForm) FMainForm->Show();
  while (!FTerminated) HandleMessage();
}

void TApplication::Terminate() {
  if (!FTerminated) PostQuitMessage(0);
}

namespace {

// A key goes first to the control it is for, as CN_KEYDOWN, CN_CHAR and the
// like: an answer other than 0 means the control took it and its window never
// sees it. A window we did not make (a combo box's edit) speaks for the
// nearest of our controls above it.
bool KeyTakenByControl(const MSG& msg) {
  switch (msg.message) {
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_CHAR:
    case WM_SYSKEYDOWN:
    case WM_SYSCHAR:
      break;
    default:
      return false;
  }
  TWinControl* control = nullptr;
  for (HWND wnd = msg.hwnd; wnd && !control;) {
    control = TWinControl::FindControl(wnd);
    wnd = (GetWindowLongW(wnd, GWL_STYLE) & WS_CHILD) ? GetParent(wnd) : nullptr;
  }
  return control && control->Perform(CN_BASE + msg.message, msg.wParam, msg.lParam) != 0;
}

}  // namespace

bool TApplication::ProcessMessage(MSG& msg) {
  if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) return false;
  if (msg.message == WM_QUIT) {
    FTerminated = true;
    return true;
  }
  if (msg.message == WM_KEYDOWN && msg.wParam == VK_TAB)
    if (TForm* form = TForm::FromChildWindow(msg.hwnd); form && form->SelectNextFromKey()) return true;
  FHints->CheckMessage(msg);
  if (KeyTakenByControl(msg)) return true;
  if (msg.message == WM_KEYDOWN && (msg.wParam == VK_RETURN || msg.wParam == VK_ESCAPE))
    if (TForm* form = TForm::FromChildWindow(msg.hwnd); form && form->DialogKey(msg)) return true;
  TranslateMessage(&msg);
  DispatchMessageW(&msg);
  return true;
}

void TApplication::ProcessMessages() {
  MSG msg;
  while (ProcessMessage(msg)) {
  }
}

void TApplication::HandleMessage() {
  MSG msg;
  if (!ProcessMessage(msg)) {
    CheckSynchronize();
    Idle();
    if (!FTerminated) WaitMessage();
  }
}

void TApplication::HandleException(TObject* sender) {
  std::exception_ptr current = std::current_exception();
  if (!current) return;
  try {
    std::rethrow_exception(current);
  } catch (const std::exception& e) {
    if (OnException)
      OnException(sender, e);
    else
      ShowException(e);
  } catch (...) {
    Exception e(L"Unknown error");
    if (OnException)
      OnException(sender, e);
    else
      ShowException(e);
  }
}

void TApplication::ShowException(const std::exception& e) {
  String text;
  if (auto* ex = dynamic_cast<const Exception*>(&e))
    text = ex->Message();
  else
    text = AnsiToString(e.what());
  if (!text.empty() && text.back() != L'.') text += L'.';
  MessageBox(text, FTitle, MB_OK | MB_ICONSTOP);
}

int TApplication::MessageBox(const String& text, const String& caption, UINT flags) {
  HWND owner = GetActiveWindow();
  if (!owner) owner = FWindow->Handle();
  return ::MessageBoxW(owner, text.c_str(), caption.c_str(), flags | MB_TASKMODAL);
}

TMessageHookId TApplication::HookMainWindow(TMessageHook hook) {
  FHooks.emplace_back(++FLastHookId, std::make_shared<TMessageHook>(std::move(hook)));
  return FLastHookId;
}

void TApplication::UnhookMainWindow(TMessageHookId id) {
  std::erase_if(FHooks, [id](const auto& entry) { return entry.first == id; });
}

bool TApplication::RunMainWindowHooks(TMessage& m) {
  // A hook may add or remove hooks: walk a copy, and skip those removed
  // meanwhile.
  const auto hooks = FHooks;
  for (const auto& [id, hook] : hooks) {
    const bool present = std::any_of(FHooks.begin(), FHooks.end(), [id](const auto& e) { return e.first == id; });
    if (present && *hook && (*hook)(m)) return true;
  }
  return false;
}

void TApplication::WndProc(TMessage& m) {
  if (RunMainWindowHooks(m)) return;
  switch (m.Msg) {
    case WM_KELVRA_SYNC:
      CheckSynchronize();
      return;
    case WM_CLOSE:
      // A second copy of the program asks us to close: close as the user would.
      if (FMainForm) FMainForm->Close();
      return;
    case WM_ENDSESSION:
      if (m.WParam) Terminate();
      return;
  }
  m.Result = DefWindowProcW(FWindow->Handle(), m.Msg, m.WParam, m.LParam);
}

TControl* ControlAtPos(POINT p) {
  TWinControl* control = nullptr;
  for (HWND wnd = WindowFromPoint(p); wnd && !control;) {
    if (GetWindowThreadProcessId(wnd, nullptr) != GetCurrentThreadId()) return nullptr;
    control = TWinControl::FindControl(wnd);
    wnd = (GetWindowLongW(wnd, GWL_STYLE) & WS_CHILD) ? GetParent(wnd) : nullptr;
  }
  if (!control) return nullptr;
  TControl* child = control->GraphicControlAt(control->ScreenToClient(p), true);
  return child ? child : control;
}

void TApplication::Idle() {
  POINT p{};
  TControl* target = GetCursorPos(&p) ? ControlAtPos(p) : nullptr;
  if (target != FMouseControl) {
    TControl* left = FMouseControl;
    FMouseControl = target;
    if (left) left->Perform(CM_MOUSELEAVE, 0, reinterpret_cast<LPARAM>(left));
    // A leave handler may have freed the target (ForgetControl cleared it).
    if (target && FMouseControl == target) target->Perform(CM_MOUSEENTER, 0, reinterpret_cast<LPARAM>(target));
  }
  FHints->MouseAt(p, FMouseControl);
}

void TApplication::ForgetControl(TControl* control) {
  if (FMouseControl == control) FMouseControl = nullptr;
  if (FHints) FHints->ForgetControl(control);
}

void TApplication::ActivateHint(POINT cursorPos) { FHints->ActivateHint(cursorPos); }
void TApplication::CancelHint() { FHints->CancelHint(); }
void TApplication::HideHint() { FHints->HideHint(); }
THintWindow* TApplication::HintWindow() const { return FHints ? FHints->Window() : nullptr; }

void InitApplication() {
  if (Application) return;
  INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_STANDARD_CLASSES | ICC_UPDOWN_CLASS | ICC_WIN95_CLASSES};
  InitCommonControlsEx(&icc);
  InitMainThread();
  new TApplication();
}

void DoneApplication() {
  delete Application;
  Application = nullptr;
}
