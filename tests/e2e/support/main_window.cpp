#include "tests/e2e/support/main_window.h"

#include "tests/support/child_process.h"

#include <stdexcept>
#include <vector>

namespace {

std::vector<HWND> Descendants(HWND parent) {
  std::vector<HWND> all;
  EnumChildWindows(
      parent,
      [](HWND child, LPARAM out) -> BOOL {
        reinterpret_cast<std::vector<HWND>*>(out)->push_back(child);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&all));
  return all;
}

String ClassOf(HWND wnd) {
  wchar_t name[64] = {};
  GetClassNameW(wnd, name, 64);
  return name;
}

// Another process's window: a hung program must fail the test, not hang it.
LRESULT Send(HWND wnd, UINT msg, WPARAM w, LPARAM l) {
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(wnd, msg, w, l, SMTO_NORMAL, 20000, &result))
    throw std::runtime_error("the program does not answer");
  return static_cast<LRESULT>(result);
}

String TextOf(HWND wnd) {
  const LRESULT length = Send(wnd, WM_GETTEXTLENGTH, 0, 0);
  String text(static_cast<size_t>(length) + 1, L'\0');
  const LRESULT got = Send(wnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<size_t>(got));
  return text;
}

HWND Only(HWND wnd, const char* what) {
  if (!wnd) throw std::runtime_error(std::string("no ") + what + " in the main window");
  return wnd;
}

}  // namespace

HWND TMainWindow::WaitForForm(DWORD processId, DWORD timeoutMs) {
  return WaitForProcessForm(processId, L"KELVRA-Adapter", timeoutMs);
}

HWND TMainWindow::Child(const wchar_t* className, const String& caption) const {
  for (HWND wnd : Descendants(FForm))
    if (ClassOf(wnd) == className && TextOf(wnd) == caption) return wnd;
  return nullptr;
}

void TMainWindow::Click(const String& caption) const {
  HWND target = Child(L"KelvraCheckBox", caption);
  if (!target) target = Child(L"KelvraButton", caption);
  Send(Only(target, "button of that caption"), BM_CLICK, 0, 0);
}

bool TMainWindow::Checked(const String& caption) const {
  return Send(Only(Child(L"KelvraCheckBox", caption), "check box of that caption"), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

HWND TMainWindow::LogViewWindow() const {
  // The only memo on show; the others hold data out of sight.
  for (HWND wnd : Descendants(FForm))
    if (ClassOf(wnd) == L"KelvraMemo" && IsWindowVisible(wnd)) return wnd;
  throw std::runtime_error("no log view in the main window");
}

String TMainWindow::LogView() const { return TextOf(LogViewWindow()); }

void TMainWindow::DoubleClickLogView() const {
  PostMessageW(LogViewWindow(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(10, 10));
}

void TMainWindow::ChooseComPort(int number) const {
  HWND combo = nullptr;
  for (HWND wnd : Descendants(FForm))
    if (ClassOf(wnd) == L"KelvraComboBox") combo = wnd;
  Only(combo, "port list");
  // As a user's arrow keys do, from the port shown ("COM-<n>"); each step is
  // a choice of its own.
  const String shown = TextOf(combo);
  int current = shown.rfind(L"COM-", 0) == 0 ? _wtoi(shown.c_str() + 4) : 0;
  const auto key = [combo](WPARAM vk) {
    Send(combo, WM_KEYDOWN, vk, 1);
    Send(combo, WM_KEYUP, vk, 0xC0000001);
  };
  for (; current > number; --current) key(VK_UP);
  for (; current < number; ++current) key(VK_DOWN);
}

void TMainWindow::SetPulseValue(const String& text) const {
  for (HWND wnd : Descendants(FForm))
    if (ClassOf(wnd) == L"KelvraSpinEdit") {
      Send(wnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
      return;
    }
  throw std::runtime_error("no pulse value in the main window");
}
