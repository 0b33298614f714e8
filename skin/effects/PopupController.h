#pragma once
// Pop-up forms of the skinned edit controls (drop-down lists, calendars)
// behave like system drop-downs: placed under or over their control inside
// the work area, never activated, grown in with an animation, shadowed, and
// closed when the application loses the activation or the user presses the
// mouse elsewhere. One controller serves every open pop-up through one
// handler per pop-up form.
#include <windows.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "framework/Form.h"

class TacShadowForm;
class TacThreadedTimer;
class TsPopupController;

// Handed to the step callback once per frame of the show animation; the
// callback may change Steps.
struct TacPopupStep {
  int Index = 0;
  int Steps = 0;
  TWinControl* Control = nullptr;
};
using TacPopupStepProc = void (*)(TacPopupStep& Step);

class TacFormHandler {
 public:
  TacFormHandler(TsPopupController* AController, TForm* AForm, TWinControl* ACtrl);
  ~TacFormHandler();

  // Closes the pop-up (hiding it when Hide) and unhooks; answers the close
  // action, caNone when it stayed open.
  TCloseAction Close(bool Hide);
  // The 10-ms check whether the pop-up must close.
  void Poll();
  void Unhook();
  void StartPolling();

  TWinControl* ClientCtrl = nullptr;
  TWndMethod FormWndProc;
  TWndMethod CtrlWndProc;
  bool Initialized = false;
  bool ClosingLock = false;
  HWND ShowCapture = nullptr;
  TCloseEvent SavedOnClose;
  bool HasSavedOnClose = false;
  std::unique_ptr<TacThreadedTimer> Timer;
  TsPopupController* Controller = nullptr;
  bool Closed = false;
  TForm* Form = nullptr;
  TForm* ParentForm = nullptr;
  TWinControl* PopupCtrl = nullptr;
  TacShadowForm* Shadow = nullptr;

  // The hooks of the form's and the control's window methods.
  void FormHook(TMessage& Message);
  void CtrlHook(TMessage& Message);
  // Set while the poll runs: a handler is never freed inside its own tick.
  bool InPoll = false;

 private:
  void CheckClose();
  HWND FFormWnd = nullptr;
};

class TsPopupController : public TComponent {
 public:
  TsPopupController();
  ~TsPopupController() override;

  void ShowPopup(TForm* Form, TWinControl* Ctrl, int X, int Y, bool Animated, TacPopupStepProc AStepCallback);
  // Closes every visible pop-up except the one holding Combo; frees the
  // handlers with a closing lock once none is visible.
  void ClosePopups(TWinControl* Combo);
  int VisiblePopupCount(TForm* Except) const;
  int IndexOfForm(TForm* Form) const;
  int IndexOfWindow(HWND Wnd) const;
  bool HasPopupOnForm(TForm* Form) const;
  void SetClosingLock(TForm* Form, bool Locked);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void FormDeactivate(TObject* Sender);
  // Handlers alive; every handler leaves the list once its form is unhooked.
  int HandlerCount() const { return int(Handlers.size()); }
  TacFormHandler* Handler(int Index) const { return Handlers[Index].get(); }
  // A handler whose form went: it leaves the list now and is freed later,
  // never from inside its own timer or hooks.
  void RetireHandler(TacFormHandler* Handler);

  int FlipFlags = 0;
  TacPopupStepProc StepCallback = nullptr;
  bool GrowFromCentre = false;
  // Whether the application has the activation; replaceable for tests.
  bool (*IsAppActive)() = nullptr;

 protected:
  void Notification(TComponent* Component, TOperation Operation) override;

 private:
  void FreeRetired();
  std::vector<std::shared_ptr<TacFormHandler>> Handlers;
  std::vector<std::shared_ptr<TacFormHandler>> Retired;
};

// The global controller, made on first use.
TsPopupController* PopupController();
// Frees the controller with its handlers and the fall-back shadow picture.
void FreePopupController();
void ShowPopupForm(TForm* Form, TWinControl* Ctrl, int X, int Y, bool Animated, TacPopupStepProc StepCallback,
                   bool GrowFromCentre);

// Where a pop-up of Width x Height goes for a control at CtrlRect (screen)
// inside WorkArea; (X, Y) = (-1, -1) asks for the default place. ClientHeight
// and ClientWidth are the form's client sizes. Flags: 1 above the control,
// 2 pushed left.
struct TacPopupPlace {
  RECT Bounds{};
  int Flags = 0;
};
TacPopupPlace PlacePopup(const RECT& CtrlRect, const RECT& WorkArea, int X, int Y, int Width, int Height,
                         int ClientWidth, int ClientHeight, bool RightToLeft);

// The geometry of the show animation: the part of the pop-up's picture shown
// in each frame and its alpha.
class TacPopupGrowth {
 public:
  TacPopupGrowth(int PictureWidth, int PictureHeight, int StartWidth, int Steps, bool FromCentre, uint8_t Alpha);
  // The frame's rectangle in the picture (left, top, right, bottom) and its
  // alpha; then the next frame.
  RECT FrameRect() const;
  uint8_t NextAlpha();
  void Advance();

 private:
  double FW, FH, FSw, FSh, FOx, FOy, FDx, FDy, FGx, FGy, FAlpha = 0, FStep = 0;
  uint8_t FTarget;
  bool FCentre;
};
