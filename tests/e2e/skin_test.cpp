// The main window as the running kelvra.exe shows it: its client area taken
// into a bitmap holds the colours of "Night (internal)" where the panel, a
// button and an edit are, not the system's.
#include "tests/e2e/support/program_fixture.h"

#include <cstdlib>
#include <vector>

namespace {

using Skin = ProgramFixture;

// The colours of the internal skin's sections (its palette).
constexpr COLORREF kPanelLow = RGB(0x1C, 0x1F, 0x23);  // "PANEL_LOW": a lowered panel
constexpr COLORREF kEdit = RGB(0x13, 0x15, 0x18);      // "EDIT", normal state
constexpr COLORREF kButtonTop = RGB(0x38, 0x3C, 0x43), kButtonBottom = RGB(0x2C, 0x30, 0x36);  // "BUTTON"

bool Near(COLORREF a, COLORREF b, int tolerance = 2) {
  return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance && std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
         std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

// Between the two ends of a vertical gradient, channel by channel.
bool Between(COLORREF c, COLORREF top, COLORREF bottom) {
  const auto in = [](int v, int a, int b) { return v >= std::min(a, b) - 1 && v <= std::max(a, b) + 1; };
  return in(GetRValue(c), GetRValue(top), GetRValue(bottom)) && in(GetGValue(c), GetGValue(top), GetGValue(bottom)) &&
         in(GetBValue(c), GetBValue(top), GetBValue(bottom));
}

// The client area of a window, copied from the screen into a bitmap.
class TClientShot {
 public:
  explicit TClientShot(HWND wnd) : FWnd(wnd) {
    RECT r;
    GetClientRect(wnd, &r);
    HDC screen = GetDC(wnd);
    FDC = CreateCompatibleDC(screen);
    FBitmap = CreateCompatibleBitmap(screen, r.right, r.bottom);
    FOld = SelectObject(FDC, FBitmap);
    BitBlt(FDC, 0, 0, r.right, r.bottom, screen, 0, 0, SRCCOPY);
    ReleaseDC(wnd, screen);
  }
  ~TClientShot() {
    SelectObject(FDC, FOld);
    DeleteObject(FBitmap);
    DeleteDC(FDC);
  }
  TClientShot(const TClientShot&) = delete;
  TClientShot& operator=(const TClientShot&) = delete;
  // The pixel at a point of another window of the form, in its client coordinates.
  COLORREF At(HWND child, int x, int y) const {
    POINT p{x, y};
    MapWindowPoints(child, FWnd, &p, 1);
    return GetPixel(FDC, p.x, p.y);
  }

 private:
  HWND FWnd;
  HDC FDC;
  HBITMAP FBitmap;
  HGDIOBJ FOld;
};

String ClassOf(HWND wnd) {
  wchar_t name[64] = {};
  GetClassNameW(wnd, name, 64);
  return name;
}

std::vector<HWND> Descendants(HWND parent) {
  std::vector<HWND> all;
  EnumChildWindows(
      parent,
      [](HWND wnd, LPARAM list) {
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(wnd);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&all));
  return all;
}

HWND PasswordEdit(HWND form) {
  for (HWND wnd : Descendants(form))
    if (ClassOf(wnd) == L"KelvraEdit" && (GetWindowLongW(wnd, GWL_STYLE) & ES_PASSWORD)) return wnd;
  return nullptr;
}

TEST_F(Skin, TheMainWindowShowsTheSkinsColoursOnItsPanelButtonsAndEdits) {
  Start();
  SetCursorPos(0, 0);  // nothing hot
  SetForegroundWindow(window->Form());
  HWND panel = nullptr;
  for (HWND wnd : Descendants(window->Form()))
    if (ClassOf(wnd) == L"KelvraPanel") panel = wnd;
  HWND button = window->Child(L"KelvraButton", L"Clear ID");
  HWND edit = PasswordEdit(window->Form());
  ASSERT_TRUE(panel && button && edit);
  RECT p, b, e;
  GetClientRect(panel, &p);
  GetClientRect(button, &b);
  GetClientRect(edit, &e);

  // Painting is done once the button shows its face.
  ASSERT_TRUE(WaitUntil([&] {
    RedrawWindow(window->Form(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
    return Between(TClientShot(window->Form()).At(button, 4, b.bottom / 2), kButtonTop, kButtonBottom);
  }));
  const TClientShot shot(window->Form());
  // Right of every control, above the bevel of the panel's lower right corner.
  EXPECT_TRUE(Near(shot.At(panel, p.right - 6, p.bottom - 6), kPanelLow))
      << std::hex << shot.At(panel, p.right - 6, p.bottom - 6);
  EXPECT_TRUE(Between(shot.At(button, 4, b.bottom / 2), kButtonTop, kButtonBottom))
      << std::hex << shot.At(button, 4, b.bottom / 2);
  // Right of the masked text, inside the frame.
  EXPECT_TRUE(Near(shot.At(edit, e.right - 4, e.bottom / 2), kEdit))
      << std::hex << shot.At(edit, e.right - 4, e.bottom / 2);
  Close();
}

}  // namespace
