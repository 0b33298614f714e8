// The default manager's hooks: the thread's window-creation hook, the
// mouse-leave timer and the application window's hook.
#include "framework/Form.h"
#include "framework/Screen.h"
#include "skin/core/SkinCommand.h"
#include "skin/manager/SkinManager.h"

namespace {

constexpr UINT kMouseLeaveInterval = 100;
// Sent by the program's own windows: every form redraws itself.
constexpr UINT kRedrawAllForms = 0xB000;
// Sent by the popup-menu skinning: paint a menu item's popup window, or the
// popup window itself.
constexpr UINT kPaintMenuOfItem = 0xBCB3;
constexpr UINT kPaintMenuWindow = 0xBCB4;

bool IsPopupMenuWindow(HWND wnd) {
  wchar_t name[16] = {};
  return wnd && GetClassNameW(wnd, name, 16) && wcscmp(name, L"#32768") == 0;
}

// The main form while it shows and its window paints itself from the skin.
TForm* SkinnedMainForm() {
  TForm* form = Application ? Application->MainForm() : nullptr;
  if (!form || !form->HandleAllocated() || !IsWindowVisible(form->Handle())) return nullptr;
  return IsWindowSkinned(form->Handle()) ? form : nullptr;
}

}  // namespace

void TsSkinManager::InstallHooks() {
  if (!IsDefault() || FCbtHook) return;
  FWrappedWindows.clear();
  FCbtHook = TOwnedHook(SetWindowsHookExW(WH_CBT, SkinCbtHookProc, nullptr, GetCurrentThreadId()));
  FMouseLeaveTimer = std::make_unique<TTimer>(nullptr);
  FMouseLeaveTimer->SetInterval(kMouseLeaveInterval);
  FMouseLeaveTimer->OnTimer = [this](TObject*) { MouseLeaveTick(); };
}

void TsSkinManager::RemoveHooks() {
  FMouseLeaveTimer.reset();
  if (FCbtHook) FreeMenuWrappers();
  FCbtHook.Reset();
  FWrappedWindows.clear();
}

bool TsSkinManager::MainWindowHook(TMessage& m) {
  if (!IsDefault()) return false;
  // Hiding the main form with an animation (WM_WINDOWPOSCHANGING with
  // SWP_HIDEWINDOW) waits for the animation options and form skinning.
  switch (m.Msg) {
    case WM_SYSCOMMAND:
      if (!FSkinLoaded) return false;
      switch (m.WParam & 0xFFF0) {  // the low four bits are the system's own
        case SC_MINIMIZE:
          FLastSysCommand = 2;
          if (TForm* form = SkinnedMainForm(); form && StartMinimizeAnimation(form)) return true;
          return false;
        case SC_RESTORE:
          FLastSysCommand = 1;
          if (TForm* form = SkinnedMainForm(); form && StartRestoreAnimation(form)) return true;
          return false;
        default:
          FLastSysCommand = 0;
          return false;
      }
    case WM_THEMECHANGED:
      m.Result = 0;
      return true;
    case WM_SKINCOMMAND:
      if (SkinCommandCode(m.WParam) == AC_APPLYRECEIVEDSKIN && FPendingReceivedSkin) {
        const TacReceivedSkin skin = std::move(*FPendingReceivedSkin);
        FPendingReceivedSkin.reset();
        ApplyReceivedSkin(skin);
      }
      return false;
    case kRedrawAllForms:
      for (int i = Screen->FormCount() - 1; i >= 0; --i) {
        if (i >= Screen->FormCount()) continue;
        if (TForm* form = Screen->Forms(i); form->HandleAllocated()) SendWndCommand(form->Handle(), AC_REDRAW, 0);
      }
      return false;
    case kPaintMenuOfItem:
    case kPaintMenuWindow: {
      if (!FSkinnedPopups) return false;
      HWND wnd = m.Msg == kPaintMenuWindow ? reinterpret_cast<HWND>(m.LParam)
                                           : PopupWindowOfItem(reinterpret_cast<TMenuItem*>(m.LParam));
      if (IsPopupMenuWindow(wnd)) PaintMenuWindow(wnd);
      return true;
    }
  }
  return false;
}

void TsSkinManager::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation == TOperation::opRemove && component == FHotSpeedButton) FHotSpeedButton = nullptr;
}
