#include "framework/HintWindow.h"

#include "framework/Application.h"
#include "framework/GdiHandles.h"
#include "framework/Graphics.h"

THintWindowClass HintWindowClass = &MakeHintWindow<THintWindow>;

namespace {
constexpr UINT kTextFormat = DT_NOPREFIX | DT_WORDBREAK | DT_LEFT;
constexpr int kPadding = 2;  // between the border and the text, each side
}  // namespace

THintWindow::THintWindow(TComponent* owner) : TWinControl(owner) {
  // Shown only through ActivateHint, never by the showing rules of controls.
  SetVisible(false);
  SetColor(clInfoBk);
  Font().SetColor(clInfoText);
}

void THintWindow::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  // A pop-up of the application window: it never takes a taskbar button and
  // never becomes the owner's active window.
  p.Style = WS_POPUP | WS_BORDER;
  p.ExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE;
  p.WndParent = Application ? Application->Handle() : nullptr;
  p.WinClassName = L"KelvraHint";
  p.ClassStyle |= CS_SAVEBITS;
}

RECT THintWindow::CalcHintRect(int maxWidth, const String& hint, void*) {
  RECT r{0, 0, maxWidth, 0};
  TMemoryDC dc = TMemoryDC::ForScreen();
  TCanvas measure(dc.get());
  measure.Font().Assign(Font());
  measure.DrawText(hint, r, kTextFormat | DT_CALCRECT);
  // Room for the border and the padding on each side.
  r.right += 2 * (kPadding + 1);
  r.bottom += 2 * (kPadding + 1);
  return r;
}

void THintWindow::ActivateHint(RECT rect, const String& hint) {
  SetCaption(hint);
  SetBounds(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
  SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  Invalidate();
}

void THintWindow::ReleaseHandle() { DestroyHandle(); }

bool THintWindow::IsHintMsg(const MSG& msg) const {
  switch (msg.message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
    case WM_NCMBUTTONDOWN:
    case WM_ACTIVATEAPP:
    case WM_MOUSEWHEEL:
      return true;
    default:
      return false;
  }
}

void THintWindow::Paint(TCanvas& canvas) {
  RECT r = ClientRect();
  InflateRect(&r, -kPadding, -kPadding);
  canvas.Font().Assign(Font());
  canvas.Brush().SetStyle(TBrushStyle::bsClear);
  String text = Caption();
  canvas.DrawText(text, r, kTextFormat);
}

void THintWindow::WndProc(TMessage& m) {
  // A click on the hint must not reach a window behind it or activate it.
  if (m.Msg == WM_NCHITTEST) {
    m.Result = HTTRANSPARENT;
    return;
  }
  TWinControl::WndProc(m);
}
