#include "skin/effects/PopupController.h"

#include <algorithm>
#include <cmath>

#include "framework/Application.h"
#include "skin/core/SkinCommand.h"
#include "skin/core/SkinUtils.h"
#include "skin/effects/ShadowForm.h"
#include "skin/forms/ChildMessages.h"
#include "skin/forms/LayeredWindows.h"
#include "skin/forms/MonitorWorkArea.h"
#include "skin/forms/PaintToBitmap.h"
#include "skin/graphics/Bitmap32.h"
#include "skin/graphics/PixelRoutines.h"
#include "skin/manager/SkinManager.h"
#include "skin/state/ThreadedTimer.h"

namespace {

constexpr int kShowTime = 100;
constexpr int kFrameTime = 12;
constexpr UINT kPollInterval = 10;
// Without a skin provider the caption a bordered form loses is taken as this.
constexpr int kDefaultCaptionHeight = 32;

std::unique_ptr<TsPopupController> gController;

bool ApplicationActive() { return Application && Application->Active(); }

TForm* ParentFormOf(TControl* Control) {
  TControl* c = Control;
  while (c && c->Parent()) c = c->Parent();
  return dynamic_cast<TForm*>(c);
}

bool WndInside(HWND Wnd, HWND Outer) { return Outer && (Wnd == Outer || IsChild(Outer, Wnd)); }

// A layered cover that shows the growing picture of the pop-up; it neither
// paints itself nor takes the activation or the mouse.
struct TCoverWindow {
  HWND Wnd = nullptr;
  TCoverWindow() {
    Wnd = CreateWindowExW(WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE | WS_EX_TRANSPARENT | WS_EX_TOPMOST,
                          L"STATIC", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  }
  ~TCoverWindow() {
    if (Wnd) DestroyWindow(Wnd);
  }
  TCoverWindow(const TCoverWindow&) = delete;
  TCoverWindow& operator=(const TCoverWindow&) = delete;
};

void PutPicture(HWND Wnd, TBitmap& Bmp, uint8_t Alpha) {
  HDC screen = GetDC(nullptr);
  SIZE size{Bmp.Width(), Bmp.Height()};
  POINT src{0, 0};
  BLENDFUNCTION blend{AC_SRC_OVER, 0, Alpha, AC_SRC_ALPHA};
  UpdateLayeredWindow(Wnd, screen, nullptr, &size, Bmp.DC(), &src, 0, &blend, ULW_ALPHA);
  ReleaseDC(nullptr, screen);
}

// The first windowed child filling the form: a list whose skin may give the
// pop-up its shape.
TWinControl* ClientChildOf(TForm* Form) {
  for (int i = 0; i < Form->ControlCount(); ++i)
    if (auto* w = dynamic_cast<TWinControl*>(Form->Controls(i)); w && w->Align() == TAlign::alClient) return w;
  return nullptr;
}

// Grows the pop-up in from its control over kShowTime, then shows the form
// itself at Alpha. Pumps no messages; stops when the form's window goes.
void AnimateShow(TsPopupController& Controller, TForm* Form, TacFormHandler* Handler, uint8_t Alpha) {
  HWND formWnd = Form->Handle();
  AnimationRunning = true;
  TCoverWindow cover;
  auto pic = NewBitmap32(Form->Width(), Form->Height());
  PaintControlToBitmap(*pic, Form, 0, 0, nullptr, false);
  SetAlphaRect(*pic, RECT{0, 0, pic->Width(), pic->Height()}, 255);
  int steps = kShowTime / kFrameTime;
  RECT bounds;
  GetWindowRect(formWnd, &bounds);
  if (cover.Wnd && !pic->Empty()) {
    PutPicture(cover.Wnd, *pic, steps ? 0 : Alpha);
    SetWindowPos(cover.Wnd, HWND_TOPMOST, bounds.left, bounds.top, pic->Width(), pic->Height(),
                 SWP_NOCOPYBITS | SWP_NOREDRAW | SWP_NOOWNERZORDER | SWP_NOSENDCHANGING | SWP_NOACTIVATE);
    ShowWindow(cover.Wnd, SW_SHOWNOACTIVATE);
    TWinControl* ctrl = nullptr;
    if (Handler) {
      Handler->ClientCtrl = ClientChildOf(Form);
      ctrl = Handler->PopupCtrl;
    }
    auto frame = NewBitmap32(pic->Width(), pic->Height());
    FillRect32(*frame, RECT{0, 0, frame->Width(), frame->Height()}, 0, 0);
    SetStretchBltMode(frame->DC(), COLORONCOLOR);
    TacPopupGrowth growth(pic->Width(), pic->Height(), ctrl ? ctrl->Width() : pic->Width(), steps,
                          Controller.GrowFromCentre, Alpha);
    for (int i = 0; i <= steps; ++i) {
      const DWORD start = GetTickCount();
      const uint8_t blend = growth.NextAlpha();
      if (Controller.StepCallback) {
        TacPopupStep step{i, steps, ctrl};
        Controller.StepCallback(step);
        steps = step.Steps;
      }
      // The callback may have closed the pop-up: nothing of it is touched then.
      if (!IsWindow(formWnd)) break;
      const RECT r = growth.FrameRect();
      if (r.left >= 0 && r.top >= 0) {
        if (r.right > r.left && r.bottom > r.top)
          StretchBlt(frame->DC(), r.left, r.top, r.right - r.left, r.bottom - r.top, pic->DC(), 0, 0, pic->Width(),
                     pic->Height(), SRCCOPY);
      } else {
        BitBlt(frame->DC(), 0, 0, frame->Width(), frame->Height(), pic->DC(), 0, 0, SRCCOPY);
      }
      PutPicture(cover.Wnd, *frame, blend);
      TacMenuShadowRecord rec{bounds.left + r.left, bounds.top + r.top, r.right - r.left, r.bottom - r.top, blend};
      SendMessageW(formWnd, WM_SKINCOMMAND, MAKEWPARAM(0, AC_MENUSHADOW), LPARAM(&rec));
      growth.Advance();
      if (i < steps) WaitUntilTick(start, kFrameTime);
    }
    if (IsWindow(formWnd)) {
      SetWindowPos(cover.Wnd, nullptr, bounds.left, bounds.top, pic->Width(), pic->Height(),
                   SWP_NOZORDER | SWP_NOACTIVATE);
      PutPicture(cover.Wnd, *pic, Alpha);
    }
  }
  AnimationRunning = false;
  if (!IsWindow(formWnd)) return;
  SetWindowAlpha(formWnd, true, Alpha);
  SetWindowPos(formWnd, cover.Wnd ? cover.Wnd : HWND_TOPMOST, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  // Once: a window destroyed meanwhile would fail for ever.
  RedrawWindow(formWnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_ERASE | RDW_INVALIDATE);
  if (cover.Wnd) SetWindowPos(cover.Wnd, formWnd, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOREDRAW);
}

}  // namespace

// --- placement and growth -------------------------------------------------

TacPopupPlace PlacePopup(const RECT& CtrlRect, const RECT& WorkArea, int X, int Y, int Width, int Height,
                         int ClientWidth, int ClientHeight, bool RightToLeft) {
  if (X == -1 && Y == -1) {
    Y = CtrlRect.bottom;
    X = RightToLeft ? CtrlRect.right - Width : CtrlRect.left;
  }
  TacPopupPlace place;
  place.Bounds = RECT{X, Y, X + Width, Y + Height};
  if (Y + Height > WorkArea.bottom) {
    int top = CtrlRect.top - 1 - ClientHeight;
    if (top < WorkArea.top) top = WorkArea.top;
    place.Bounds.top = top;
    place.Bounds.bottom = top + Height;
    place.Flags = 1;
  }
  if (X + Width > WorkArea.right) {
    place.Bounds.left = WorkArea.right - ClientWidth;
    place.Bounds.right = place.Bounds.left + Width;
    place.Flags |= 2;
  }
  return place;
}

TacPopupGrowth::TacPopupGrowth(int PictureWidth, int PictureHeight, int StartWidth, int Steps, bool FromCentre,
                               uint8_t Alpha)
    : FW(PictureWidth),
      FH(PictureHeight),
      FSw(StartWidth),
      FSh(0),
      FOx(0),
      FOy(0),
      FTarget(Alpha),
      FCentre(FromCentre) {
  // No steps, or a picture too small to grow: the whole picture at once.
  const bool grows = Steps > 0 && FW >= 2 && FH >= 2;
  FGx = grows ? std::pow(FW / 2, 1.0 / Steps) : 1;
  FGy = grows ? std::pow(FH / 2, 1.0 / Steps) : 1;
  if (!grows) {
    FSw = FW;
    FSh = FH;
  }
  if (FCentre && grows) {
    FGx *= 2;
    FGy *= 2;
    FOx = FW / 2;
    FOy = FH / 2;
  }
  FDx = grows ? (FW - FSw) / FGx : 0;
  FDy = grows ? (FH - FSh) / FGy : 0;
  FStep = Steps > 0 ? (double(Alpha) - 50) / Steps : 0;
  FAlpha = Steps > 0 ? 0 : Alpha;
}

RECT TacPopupGrowth::FrameRect() const {
  return RECT{int(std::lround(FOx)), int(std::lround(FOy)), int(std::lround(FSw)), int(std::lround(FSh))};
}

uint8_t TacPopupGrowth::NextAlpha() {
  FAlpha = std::min<double>(FTarget, FAlpha + FStep);
  return uint8_t(std::clamp<long>(std::lround(FAlpha), 0, 255));
}

void TacPopupGrowth::Advance() {
  if (FGx == 1 && FGy == 1) return;
  if (FCentre) {
    FOx = FDx;
    FOy = FDy;
  }
  FSw = FW - FDx;
  FSh = FH - FDy;
  FDx /= FGx;
  FDy /= FGy;
}

// --- handler --------------------------------------------------------------

TacFormHandler::TacFormHandler(TsPopupController* AController, TForm* AForm, TWinControl* ACtrl)
    : Controller(AController), Form(AForm), PopupCtrl(ACtrl) {
  ParentForm = ParentFormOf(ACtrl);
  if (ParentForm && ParentForm->FormStyle() == TFormStyle::fsStayOnTop) Form->SetFormStyle(TFormStyle::fsStayOnTop);
  FFormWnd = Form->Handle();
}

TacFormHandler::~TacFormHandler() { Unhook(); }

void TacFormHandler::StartPolling() {
  if (!Timer) {
    Timer = std::make_unique<TacThreadedTimer>(nullptr);
    Timer->SetInterval(kPollInterval);
    Timer->SetOnTimer([this](TObject*) { Poll(); });
  }
  Timer->SetEnabled(true);
}

void TacFormHandler::FormHook(TMessage& Message) {
  switch (Message.Msg) {
    case WM_DESTROY:
      if (FormWndProc) FormWndProc(Message);
      Unhook();
      return;
    case WM_MOUSEACTIVATE:
      if (FormWndProc) FormWndProc(Message);
      Message.Result = MA_NOACTIVATE;
      return;
    case WM_WINDOWPOSCHANGING: {
      if (FormWndProc) FormWndProc(Message);
      auto* pos = reinterpret_cast<const WINDOWPOS*>(Message.LParam);
      if (pos && pos->hwnd == FFormWnd && (pos->flags & SWP_HIDEWINDOW)) Close(true);
      return;
    }
    case WM_SKINCOMMAND:
      if (HIWORD(Message.WParam) == AC_SKINREMOVED) {
        if (FormWndProc) FormWndProc(Message);
        Unhook();
        return;
      }
      break;
  }
  if (FormWndProc) FormWndProc(Message);
}

void TacFormHandler::CtrlHook(TMessage& Message) {
  switch (Message.Msg) {
    case WM_DESTROY: {
      if (Shadow) ReleaseShadowForm(Shadow);
      Shadow = nullptr;
      TWndMethod saved = CtrlWndProc;
      if (saved) saved(Message);
      Close(true);
      Unhook();
      return;
    }
    case WM_MOUSEWHEEL:
      if (Form && Form->HandleAllocated()) {
        Message.Result = DefWindowProcW(Form->Handle(), Message.Msg, Message.WParam, Message.LParam);
        return;
      }
      break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case CM_CANCELMODE:
    case CM_FOCUSCHANGED:
      if (!Closed && Form) {
        // The combo's edit ignores the press that closed its list.
        if (Message.Msg == WM_LBUTTONDOWN || Message.Msg == WM_LBUTTONDBLCLK) {
          TMessage code{WM_SKINCOMMAND, MAKEWPARAM(0, AC_CODE91), 0, 0};
          if (CtrlWndProc) CtrlWndProc(code);
        }
        TWndMethod saved = CtrlWndProc;
        Close(true);
        if (saved) saved(Message);
        return;
      }
      break;
    case CN_KEYDOWN:
      if (Message.WParam == VK_ESCAPE && !Closed) return;
      break;
  }
  if (CtrlWndProc) CtrlWndProc(Message);
}

void TacFormHandler::Poll() {
  if (!Form) return;
  InPoll = true;
  CheckClose();
  InPoll = false;
}

void TacFormHandler::CheckClose() {
  const bool active = Controller->IsAppActive ? Controller->IsAppActive() : ApplicationActive();
  if (!active) {
    Close(true);
    return;
  }
  HWND capture = GetCapture();
  if (!capture || capture == ShowCapture) return;
  if (WndInside(capture, FFormWnd)) return;
  if (PopupCtrl && PopupCtrl->HandleAllocated() && WndInside(capture, PopupCtrl->Handle())) return;
  if (Controller->HasPopupOnForm(Form)) return;
  Close(true);
}

TCloseAction TacFormHandler::Close(bool Hide) {
  if (Timer) Timer->SetEnabled(false);
  if (Closed || ClosingLock || !Form) return TCloseAction::caNone;
  bool canClose = true;
  if (Form->OnCloseQuery) Form->OnCloseQuery(Form, canClose);
  if (!canClose) return TCloseAction::caNone;
  Closed = true;
  TCloseAction action = TCloseAction::caHide;
  if (SavedOnClose) SavedOnClose(Form, action);
  TForm* form = Form;
  TWinControl* ctrl = PopupCtrl;
  TForm* parentForm = ParentForm;
  if (action == TCloseAction::caNone) {
    Closed = false;
  } else if (Hide) {
    if (action == TCloseAction::caHide)
      form->Hide();
    else if (action == TCloseAction::caFree && !form->Destroying())
      form->Release();
  }
  if (ctrl && !ctrl->Destroying()) SendCtrlCommand(ctrl, AC_POPUPCLOSED, LPARAM(form));
  const bool active = Controller->IsAppActive ? Controller->IsAppActive() : ApplicationActive();
  if (!active && parentForm && parentForm->HandleAllocated())
    SendMessageW(parentForm->Handle(), WM_NCACTIVATE, FALSE, 0);
  Unhook();
  return action;
}

void TacFormHandler::Unhook() {
  if (!Initialized) return;
  Initialized = false;
  if (Timer) Timer->SetEnabled(false);
  // The shadow goes with the hooks in every case, also when the form is
  // being destroyed: nothing else would free it.
  if (Shadow) ReleaseShadowForm(Shadow);
  Shadow = nullptr;
  if (Form) {
    if (!Form->Destroying()) {
      Form->WindowProc = FormWndProc;
      Form->OnDeactivate = nullptr;
      Form->OnClose = HasSavedOnClose ? SavedOnClose : TCloseEvent();
    }
    Form->RemoveFreeNotification(Controller);
  }
  if (PopupCtrl) {
    if (!PopupCtrl->Destroying()) PopupCtrl->WindowProc = CtrlWndProc;
    PopupCtrl->RemoveFreeNotification(Controller);
  }
  FormWndProc = nullptr;
  CtrlWndProc = nullptr;
  Form = nullptr;
  Controller->RetireHandler(this);
}

// --- controller -----------------------------------------------------------

TsPopupController::TsPopupController() : TComponent(nullptr) {}

TsPopupController::~TsPopupController() {
  auto handlers = std::move(Handlers);
  for (auto& h : handlers) h->Unhook();
  handlers.clear();
  Retired.clear();
}

void TsPopupController::RetireHandler(TacFormHandler* Handler) {
  auto it = std::find_if(Handlers.begin(), Handlers.end(), [&](auto& h) { return h.get() == Handler; });
  if (it == Handlers.end()) return;
  Retired.push_back(*it);
  Handlers.erase(it);
}

void TsPopupController::FreeRetired() {
  // Kept until now: a handler retires from inside its own timer tick or hook.
  std::erase_if(Retired, [](auto& h) { return !h->InPoll; });
}

void TsPopupController::Notification(TComponent* Component, TOperation Operation) {
  TComponent::Notification(Component, Operation);
  if (Operation != TOperation::opRemove) return;
  for (size_t i = 0; i < Handlers.size();) {
    std::shared_ptr<TacFormHandler> h = Handlers[i];
    if (h->Form == Component || h->PopupCtrl == Component || h->ParentForm == Component) {
      if (h->PopupCtrl == Component) h->PopupCtrl = nullptr;
      if (h->ParentForm == Component) h->ParentForm = nullptr;
      h->Unhook();
      if (i < Handlers.size() && Handlers[i] == h) ++i;
    } else {
      ++i;
    }
  }
}

int TsPopupController::IndexOfForm(TForm* Form) const {
  for (size_t i = 0; i < Handlers.size(); ++i)
    if (Handlers[i]->Form == Form) return int(i);
  return -1;
}

int TsPopupController::IndexOfWindow(HWND Wnd) const {
  for (size_t i = 0; i < Handlers.size(); ++i)
    if (Handlers[i]->Form && Handlers[i]->Form->HandleAllocated() && Handlers[i]->Form->Handle() == Wnd) return int(i);
  return -1;
}

int TsPopupController::VisiblePopupCount(TForm* Except) const {
  int n = 0;
  for (auto& h : Handlers)
    if (h->Form && h->Form != Except && h->Form->HandleAllocated() && IsWindowVisible(h->Form->Handle())) ++n;
  return n;
}

bool TsPopupController::HasPopupOnForm(TForm* Form) const {
  for (auto& h : Handlers)
    if (h->Form != Form && h->PopupCtrl && ParentFormOf(h->PopupCtrl) == Form) return true;
  return false;
}

void TsPopupController::SetClosingLock(TForm* Form, bool Locked) {
  for (auto& h : Handlers)
    if (h->Form == Form) h->ClosingLock = Locked;
}

void TsPopupController::FormClose(TObject* Sender, TCloseAction& Action) {
  const int i = IndexOfForm(dynamic_cast<TForm*>(Sender));
  if (i < 0) return;
  std::shared_ptr<TacFormHandler> h = Handlers[i];
  Action = h->Close(false);
}

void TsPopupController::FormDeactivate(TObject* Sender) {
  const int i = IndexOfForm(dynamic_cast<TForm*>(Sender));
  if (i < 0) return;
  std::shared_ptr<TacFormHandler> h = Handlers[i];
  h->Close(true);
}

void TsPopupController::ClosePopups(TWinControl* Combo) {
  TForm* keep = Combo ? ParentFormOf(Combo) : nullptr;
  auto handlers = Handlers;
  for (auto& h : handlers)
    if (!h->ClosingLock && h->Form && h->Form != keep && h->Form->Visible()) h->Form->Close();
  if (VisiblePopupCount(nullptr) == 0) {
    handlers = Handlers;
    for (auto& h : handlers)
      if (h->ClosingLock) {
        h->ClosingLock = false;
        h->Unhook();
      }
  }
  FreeRetired();
}

void TsPopupController::ShowPopup(TForm* Form, TWinControl* Ctrl, int X, int Y, bool Animated,
                                  TacPopupStepProc AStepCallback) {
  if (!Form || !Ctrl) return;
  FreeRetired();
  StepCallback = AStepCallback;
  TsSkinManager* manager = TsSkinManager::DefaultManager();
  const bool animate = Animated && manager && manager->Effects().AllowAnimation();
  Form->SetVisible(false);
  Form->SetPosition(TPosition::poDesigned);
  const uint8_t alpha = 255;
  if (Form->BorderStyle() != TFormBorderStyle::bsNone) {
    Form->SetBorderStyle(TFormBorderStyle::bsNone);
    Form->SetHeight(Form->Height() - kDefaultCaptionHeight);
  }
  std::shared_ptr<TacFormHandler> handler;
  if (const int i = IndexOfForm(Form); i >= 0) {
    handler = Handlers[i];
  } else {
    handler = std::make_shared<TacFormHandler>(this, Form, Ctrl);
    Handlers.push_back(handler);
    TacFormHandler* raw = handler.get();
    // The hooks hold the handler, so it outlives a message that unhooks it.
    std::weak_ptr<TacFormHandler> weak = handler;
    raw->FormWndProc = Form->WindowProc;
    Form->WindowProc = [weak](TMessage& m) {
      if (auto h = weak.lock()) h->FormHook(m);
    };
    raw->CtrlWndProc = Ctrl->WindowProc;
    Ctrl->WindowProc = [weak](TMessage& m) {
      if (auto h = weak.lock()) h->CtrlHook(m);
    };
    raw->Initialized = true;
    Form->FreeNotification(this);
    Ctrl->FreeNotification(this);
    if (raw->ParentForm) raw->ParentForm->FreeNotification(this);
    Form->OnDeactivate = [this](TObject* Sender) { FormDeactivate(Sender); };
    if (!raw->HasSavedOnClose) {
      raw->SavedOnClose = Form->OnClose;
      raw->HasSavedOnClose = true;
    }
    Form->OnClose = [this](TObject* Sender, TCloseAction& Action) { FormClose(Sender, Action); };
  }
  handler->Closed = false;
  if (!handler->Shadow) handler->Shadow = CreateFormShadowForm(Form, false);
  handler->ShowCapture = GetCapture();
  handler->StartPolling();

  HWND wnd = Form->Handle();
  SetWindowLongPtrW(wnd, GWL_STYLE, GetWindowLongPtrW(wnd, GWL_STYLE) | WS_POPUP | WS_CLIPSIBLINGS);
  SetWindowLongPtrW(wnd, GWL_EXSTYLE, GetWindowLongPtrW(wnd, GWL_EXSTYLE) | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE);
  // Invisible while it is placed.
  SetWindowAlpha(wnd, true, 1);

  RECT ctrlRect{}, work{};
  GetWindowRect(Ctrl->Handle(), &ctrlRect);
  MonitorWorkAreaAt(POINT{ctrlRect.left, ctrlRect.top}, work);
  const TacPopupPlace place = PlacePopup(ctrlRect, work, X, Y, Form->Width(), Form->Height(), Form->ClientWidth(),
                                         Form->ClientHeight(), Ctrl->UseRightToLeftAlignment());
  FlipFlags = place.Flags;
  Form->SetBounds(place.Bounds.left, place.Bounds.top, Form->Width(), Form->Height());
  SetWindowPos(wnd, HWND_TOPMOST, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOREDRAW | SWP_NOOWNERZORDER | SWP_NOSENDCHANGING |
                   SWP_SHOWWINDOW);
  Form->SetVisible(true);
  if (animate) {
    AnimateShow(*this, Form, handler.get(), alpha);
  } else {
    SetWindowAlpha(wnd, false, 0);
    NotifyChildrenUpdated(Form);
    ShowWindow(wnd, SW_SHOWNOACTIVATE);
    if (handler->Shadow) handler->Shadow->Hidden = false;
  }
  // The show may have closed the pop-up (a step callback, a destroyed form).
  if (handler->Form == Form && handler->Shadow && !handler->Shadow->Released) UpdateShadowForm(handler->Shadow);
}

TsPopupController* PopupController() {
  if (!gController) gController = std::make_unique<TsPopupController>();
  return gController.get();
}

void FreePopupController() {
  gController.reset();
  FreeShadowImage();
}

void ShowPopupForm(TForm* Form, TWinControl* Ctrl, int X, int Y, bool Animated, TacPopupStepProc StepCallback,
                   bool GrowFromCentre) {
  PopupController()->GrowFromCentre = GrowFromCentre;
  PopupController()->ShowPopup(Form, Ctrl, X, Y, Animated, StepCallback);
}
