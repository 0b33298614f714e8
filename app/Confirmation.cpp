#include "app/Confirmation.h"

#include "framework/Dialogs.h"

#include <windows.h>

namespace {

// The box carries its watch, so each box reports to the question that made it.
constexpr wchar_t kWatchProperty[] = L"KelvraOkWatch";

// Watches the box of one question on this thread: the hook sees it created,
// and its window procedure is wrapped to see the OK button's command.
class TOkWatch {
 public:
  TOkWatch() : FOuter(Current) {
    Current = this;
    FHook = SetWindowsHookExW(WH_CBT, WatchCreation, nullptr, GetCurrentThreadId());
  }
  ~TOkWatch() {
    if (FHook) UnhookWindowsHookEx(FHook);
    // A box that outlived its question must not call into a watch that is gone.
    if (FBox && IsWindow(FBox)) {
      SetWindowLongPtrW(FBox, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FBoxProc));
      RemovePropW(FBox, kWatchProperty);
    }
    Current = FOuter;
  }
  TOkWatch(const TOkWatch&) = delete;
  TOkWatch& operator=(const TOkWatch&) = delete;

  bool Watching() const { return FHook != nullptr; }
  bool OkPressed() const { return FOkPressed; }

 private:
  static LRESULT CALLBACK WatchCreation(int code, WPARAM wParam, LPARAM lParam) {
    TOkWatch* watch = Current;
    if (code == HCBT_CREATEWND && watch && !watch->FBox) {
      const HWND wnd = reinterpret_cast<HWND>(wParam);
      wchar_t name[8] = {};
      GetClassNameW(wnd, name, 8);
      if (lstrcmpW(name, L"#32770") == 0) {
        watch->FBox = wnd;
        SetPropW(wnd, kWatchProperty, watch);
        watch->FBoxProc = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(BoxProc)));
      }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
  }

  static LRESULT CALLBACK BoxProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* watch = static_cast<TOkWatch*>(GetPropW(wnd, kWatchProperty));
    if (msg == WM_COMMAND && LOWORD(wParam) == IDOK && HIWORD(wParam) == BN_CLICKED) watch->FOkPressed = true;
    return CallWindowProcW(watch->FBoxProc, wnd, msg, wParam, lParam);
  }

  static thread_local TOkWatch* Current;
  TOkWatch* FOuter;
  HHOOK FHook = nullptr;
  HWND FBox = nullptr;
  WNDPROC FBoxProc = nullptr;
  bool FOkPressed = false;
};

thread_local TOkWatch* TOkWatch::Current = nullptr;

}  // namespace

bool ConfirmedByOk(const String& question) {
  TOkWatch watch;
  const int answer = MessageDlg(question, TMsgDlgType::mtConfirmation, mbOK | mbCancel, 0);
  // Without the watch there is no telling a press from an ending: no is safe.
  return answer == IDOK && watch.Watching() && watch.OkPressed();
}
