#include "keyboard/KbPopupTouchKeyBoard.h"

#include <algorithm>

namespace {
constexpr UINT kFollowInterval = 250;
constexpr int kFollowIndent = 50;

TForm* ParentFormOf(TComponent* c) {
  if (auto* form = dynamic_cast<TForm*>(c)) return form;
  auto* control = dynamic_cast<TControl*>(c);
  TWinControl* p = control ? control->Parent() : nullptr;
  while (p && !dynamic_cast<TForm*>(p)) p = p->Parent();
  return static_cast<TForm*>(p);
}
}  // namespace

TKbPopupTouchKeyBoard::TKbPopupTouchKeyBoard(TComponent* owner) : TComponent(owner) {
  if (dynamic_cast<TWinControl*>(owner)) FOwnerForm = ParentFormOf(owner);
  FFollowTimer = new TTimer(this);
  FFollowTimer->SetEnabled(false);
  FFollowTimer->SetInterval(kFollowInterval);
  FFollowTimer->OnTimer = [this](TObject*) { FollowFocus(); };
}

TKbPopupTouchKeyBoard::~TKbPopupTouchKeyBoard() { HideKeyboard(); }

void TKbPopupTouchKeyBoard::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation != TOperation::opRemove) return;
  if (component == FToolForm) {
    FToolForm = nullptr;
    FKeyboard = nullptr;
  }
}

void TKbPopupTouchKeyBoard::CreateKeyboardForm() {
  TComponent* owner = FOwnerForm ? static_cast<TComponent*>(FOwnerForm) : Owner();
  FToolForm = new TKeyboardToolForm(owner, FOwnerForm);
  FToolForm->SetShowCaption(FShowCaption);
  FToolForm->SetShowClose(FShowClose);
  FToolForm->OnClose = [this](TObject*, TCloseAction&) { ToolFormClosed(); };
  FToolForm->FreeNotification(this);
  // Built now, not streamed: the keyboard below must not count as loading.
  FToolForm->FinishCreate();

  FKeyboard = new TKbTouchKeyboard(FToolForm);
  FKeyboard->SetParent(FToolForm);
  FKeyboard->SetAutoPostKey(FAutoPostKey);
  FKeyboard->SetAutoCapsDisplay(FAutoCapsDisplay);
  FKeyboard->SetHighlightCaps(FHighlightCaps);
  FKeyboard->SetHighlightAltGr(FHighlightAltGr);
  FKeyboard->SetKeyboardType(FKeyboardType);
  FKeyboard->OnResize = [this](TObject*) {
    if (!FSizing) FitSize();
  };
  if (OnKeyboardCreated) OnKeyboardCreated(this);
  FitSize();
}

void TKbPopupTouchKeyBoard::FitSize() {
  if (!FToolForm || !FKeyboard) return;
  const int d = FKeyboard->KeyDistance();
  int w = FKeyboard->Width(), h = FKeyboard->Height();
  if (FShowCaption) {
    w += 2 * GetSystemMetrics(SM_CXDLGFRAME) + d;
    h += 2 * GetSystemMetrics(SM_CYDLGFRAME) + GetSystemMetrics(SM_CYSMCAPTION) + d;
  }
  FToolForm->SetBounds(FToolForm->Left(), FToolForm->Top(), w, h);
}

void TKbPopupTouchKeyBoard::ShowKeyboardAt(int x, int y) {
  if (x == FLastPosition.x && y == FLastPosition.y) return;
  FLastPosition = POINT{x, y};
  HWND active = GetActiveWindow();
  HWND focus = GetFocus();
  if (!FToolForm) CreateKeyboardForm();
  const int w = FToolForm->Width(), h = FToolForm->Height();
  // Shown at no size first, so the window does not flash up at its old place.
  FSizing = true;
  FToolForm->SetBounds(x, y, 0, 0);
  FToolForm->SetVisible(true);
  FSizing = false;
  MoveWindow(FToolForm->Handle(), x, y, w, h, TRUE);
  FFollowTimer->SetEnabled(true);
  if (active) SetActiveWindow(active);
  // Activating a window puts the focus on the window itself; the control that
  // had it is the one the keyboard types into.
  if (focus && IsWindow(focus) && GetFocus() != focus) SetFocus(focus);
}

void TKbPopupTouchKeyBoard::HideKeyboard() {
  FLastPosition = POINT{-1, -1};
  FFollowTimer->SetEnabled(false);
  if (FToolForm) {
    TKeyboardToolForm* form = FToolForm;
    FToolForm = nullptr;
    FKeyboard = nullptr;
    form->RemoveFreeNotification(this);
    delete form;
  }
}

void TKbPopupTouchKeyBoard::ToolFormClosed() {
  FFollowTimer->SetEnabled(false);
  if (OnClose) OnClose(this);
}

POINT TKbPopupTouchKeyBoard::FollowPosition(const RECT& r, const RECT& work, SIZE tool) {
  int x = r.left + kFollowIndent;
  if (r.left + tool.cx + kFollowIndent > work.right) x = r.right - tool.cx;
  int y = r.bottom;
  if (r.bottom + tool.cy > work.bottom) y = r.top - tool.cy;
  return POINT{std::max(0, x), std::max(0, y)};
}

void TKbPopupTouchKeyBoard::FollowFocus() {
  if (!FToolForm || !FAutoFollowFocus) return;
  if (GetActiveWindow() == FToolForm->HandleIfAllocated()) return;
  HWND focus = GetFocus();
  // Windows that know nothing of selections leave the start untouched.
  DWORD selStart = DWORD(-1);
  if (focus) SendMessageW(focus, EM_GETSEL, reinterpret_cast<WPARAM>(&selStart), 0);
  const bool textField = selStart != DWORD(-1);
  const bool comboBox = focus && SendMessageW(focus, CB_GETTOPINDEX, 0, 0) > 0;
  if (textField || comboBox) {
    RECT r;
    GetWindowRect(focus, &r);
    MONITORINFO info{sizeof(info)};
    GetMonitorInfoW(MonitorFromWindow(focus, MONITOR_DEFAULTTONEAREST), &info);
    // The rectangle is in screen coordinates already: no monitor offset on top.
    const POINT p = FollowPosition(r, info.rcWork, SIZE{FToolForm->Width(), FToolForm->Height()});
    ShowKeyboardAt(p.x, p.y);
  } else if (FAutoHide) {
    FToolForm->SetVisible(false);
    FLastPosition = POINT{-1, -1};
  }
}
