#pragma once
// The application object: a hidden window titled with the program's title,
// the forms it owns, the message loop and the default error display.
#include "framework/Component.h"
#include "framework/Messages.h"

#include <exception>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

class TControl;
class TForm;
class THintManager;
class THintWindow;
struct THintInfo;
class TUtilWindow;

using TExceptionEvent = std::function<void(TObject* Sender, const std::exception& E)>;
using TMessageHook = std::function<bool(TMessage&)>;
using TMessageHookId = unsigned;
using TShowHintEvent = std::function<void(String& HintStr, bool& CanShow, THintInfo& HintInfo)>;

class TApplication : public TComponent {
 public:
  TApplication();
  ~TApplication() override;

  void Initialize() {}
  HWND Handle() const;
  // True while a window of this process is the foreground window.
  bool Active() const;
  const String& Title() const { return FTitle; }
  void SetTitle(const String& title);

  TForm* MainForm() const { return FMainForm; }
  // Makes a form owned by the application: built, loaded, created. The first
  // one becomes the main form.
  template <class T>
  T* CreateForm(T** reference = nullptr) {
    T* form = new T(this);
    if (reference) *reference = form;
    FormCreated(form);
    return form;
  }

  bool ShowMainForm() const { return FShowMainForm; }
  void SetShowMainForm(bool v) { FShowMainForm = v; }

  void Run();
  void Terminate();
  bool Terminated() const { return FTerminated; }
  // Dispatches every pending message and returns.
  void ProcessMessages();
  // Waits for one message and dispatches it.
  void HandleMessage();

  // The current exception goes to OnException or to the error display.
  void HandleException(TObject* sender);
  void ShowException(const std::exception& e);
  TExceptionEvent OnException;

  int MessageBox(const String& text, const String& caption, UINT flags);

  // Hooks see the application window's messages first, in the order they
  // were added; the first that answers true handles the message. The main
  // form's system commands and position changes reach them too, because the
  // main form, not this window, owns the taskbar button.
  TMessageHookId HookMainWindow(TMessageHook hook);
  void UnhookMainWindow(TMessageHookId id);
  bool RunMainWindowHooks(TMessage& m);

  UINT HintPause() const { return FHintPause; }
  void SetHintPause(UINT v) { FHintPause = v; }
  UINT HintShortPause() const { return FHintShortPause; }
  void SetHintShortPause(UINT v) { FHintShortPause = v; }
  UINT HintHidePause() const { return FHintHidePause; }
  void SetHintHidePause(UINT v) { FHintHidePause = v; }
  bool ShowHint() const { return FShowHint; }
  void SetShowHint(bool v) { FShowHint = v; }
  // Runs before a hint is shown; it may change the text and the placement
  // or refuse the hint.
  TShowHintEvent OnShowHint;
  // Shows the hint of the control under the cursor now.
  void ActivateHint(POINT cursorPos);
  // Hides the hint and forgets its control until the mouse moves onto
  // another one. Never waits.
  void CancelHint();
  // Hides the hint window, keeping the control.
  void HideHint();
  // The window of the hint showing now, or nullptr.
  THintWindow* HintWindow() const;

  // The idle step, run when the message queue is empty: the control under
  // the mouse, windowed or not, gets CM_MOUSEENTER and the one it left
  // CM_MOUSELEAVE, each with the control in LParam.
  void Idle();
  TControl* MouseControl() const { return FMouseControl; }
  // A control going away is no longer the one under the mouse.
  void ForgetControl(TControl* control);

 protected:
  void Notification(TComponent* component, TOperation operation) override;

 private:
  void FormCreated(TForm* form);
  void WndProc(TMessage& m);
  bool ProcessMessage(MSG& msg);

  std::unique_ptr<TUtilWindow> FWindow;
  std::unique_ptr<THintManager> FHints;
  String FTitle;
  TForm* FMainForm = nullptr;
  bool FShowMainForm = true;
  bool FTerminated = false;
  // Shared, so that a hook removed or added while hooks run stays whole.
  std::vector<std::pair<TMessageHookId, std::shared_ptr<TMessageHook>>> FHooks;
  TMessageHookId FLastHookId = 0;
  UINT FHintPause = 500;
  UINT FHintShortPause = 50;
  UINT FHintHidePause = 2500;
  bool FShowHint = true;
  TControl* FMouseControl = nullptr;
};

// The one application object of the process, made by the framework's start-up.
extern TApplication* Application;

// The control under a point of the screen: our window there (or the nearest
// of ours above a foreign child window), or its topmost window-less child
// that holds the point. Only this thread's windows.
TControl* ControlAtPos(POINT screen);

void InitApplication();
void DoneApplication();
