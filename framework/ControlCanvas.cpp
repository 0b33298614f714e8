#include "framework/ControlCanvas.h"

#include "framework/WinControl.h"

TControlCanvas::~TControlCanvas() { FreeHandle(); }

void TControlCanvas::Unlock() {
  TCanvas::Unlock();
  // Locked use outside painting ends here; a paint DC stays until its
  // handler takes it back.
  if (LockCount() == 0 && FOwnDC) FreeHandle();
}

void TControlCanvas::NeedHandle() {
  auto* windowed = dynamic_cast<TWinControl*>(FControl);
  TWinControl* owner = windowed ? windowed : FControl->Parent();
  const RECT bounds = FControl->BoundsRect();
  // A DC made for another window or another place of the control is stale.
  if (FOwnDC && (!owner || owner->HandleIfAllocated() != FWindow || (!windowed && !EqualRect(&bounds, &FBounds))))
    FreeHandle();
  if (HandleAllocated()) return;
  if (!owner) throw EInvalidOperation(L"Control '" + FControl->Name() + L"' has no parent window");
  HWND wnd = owner->Handle();
  HDC dc = GetDCEx(wnd, nullptr, DCX_CACHE | DCX_CLIPSIBLINGS);
  if (!dc) throw EOutOfResources(L"Cannot get a device context for " + FControl->Name());
  if (!windowed) {
    SetViewportOrgEx(dc, bounds.left, bounds.top, nullptr);
    IntersectClipRect(dc, 0, 0, bounds.right - bounds.left, bounds.bottom - bounds.top);
  }
  FWindow = wnd;
  FOwnDC = dc;
  FBounds = bounds;
  StoreHandle(dc);
}

void TControlCanvas::FreeHandle() {
  if (FOwnDC) {
    StoreHandle(nullptr);
    ReleaseDC(FWindow, FOwnDC);
    FOwnDC = nullptr;
    FWindow = nullptr;
  }
  TCanvas::FreeHandle();
}
