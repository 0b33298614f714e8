#pragma once
// Top-level windows. A form is built in code by its constructor with the
// loading state set; the application then finishes it (Loaded, OnCreate).
#include "framework/WinControl.h"

#include <memory>

class TMainMenu;

enum class TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum TBorderIcon : unsigned { biSystemMenu = 1, biMinimize = 2, biMaximize = 4, biHelp = 8 };
using TBorderIcons = unsigned;
enum class TPosition { poDesigned, poDefault, poScreenCenter, poDesktopCenter, poMainFormCenter };
enum class TFormStyle { fsNormal, fsStayOnTop };
enum class TCloseAction { caNone, caHide, caFree, caMinimize };
using TCloseEvent = std::function<void(TObject* Sender, TCloseAction& Action)>;
using TCloseQueryEvent = std::function<void(TObject* Sender, bool& CanClose)>;
// Tag of the constructor for forms made at run time, with no loading phase.
struct TCreateNew {};
inline constexpr TCreateNew CreateNew{};

class TForm : public TWinControl {
 public:
  explicit TForm(TComponent* owner);
  TForm(TComponent* owner, TCreateNew);
  ~TForm() override;

  TFormBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TFormBorderStyle v) {
    FBorderStyle = v;
    RecreateWnd();
  }
  TBorderIcons BorderIcons() const { return FBorderIcons; }
  void SetBorderIcons(TBorderIcons v) {
    FBorderIcons = v;
    RecreateWnd();
  }
  TPosition Position() const { return FPosition; }
  void SetPosition(TPosition v) { FPosition = v; }
  TFormStyle FormStyle() const { return FFormStyle; }
  void SetFormStyle(TFormStyle v);
  TMainMenu* Menu() const { return FMenu; }
  void SetMenu(TMainMenu* menu);
  void SetClientWidth(int w) { SetClientSize(w, FClientHeight); }
  void SetClientHeight(int h) { SetClientSize(FClientWidth, h); }
  void SetClientSize(int width, int height);
  bool KeyPreview() const { return FKeyPreview; }
  void SetKeyPreview(bool v) { FKeyPreview = v; }
  bool Scaled() const { return FScaled; }
  void SetScaled(bool v) { FScaled = v; }
  TWinControl* ActiveControl() const;

  void SetVisible(bool visible) override;
  bool Showing() const override;
  void Close();
  // Frees the form from the message loop, after the handler that asked for it.
  void Release();

  // Shows the form with every other window of the program disabled and runs
  // the message loop until ModalResult becomes non-zero (a button with a
  // ModalResult, Close: mrCancel) and the form agrees to close; answers it.
  int ShowModal();
  bool Modal() const { return FModal; }
  int ModalResult() const { return FModalResult; }
  void SetModalResult(int v) { FModalResult = v; }
  // Enter or Escape the focused window does not want, offered to the
  // form's buttons (CM_DIALOGKEY); true when one took it.
  bool DialogKey(const MSG& msg);

  TNotifyEvent OnCreate;
  TNotifyEvent OnShow;
  TNotifyEvent OnHide;
  TNotifyEvent OnDestroy;
  TNotifyEvent OnActivate;
  TNotifyEvent OnDeactivate;
  TCloseEvent OnClose;
  TCloseQueryEvent OnCloseQuery;

  // Called once by the application after construction.
  void FinishCreate();
  // The form that holds a window, if any.
  static TForm* FromChildWindow(HWND wnd);
  // Moves the focus on Tab / Shift+Tab; false when no control takes it.
  bool SelectNextFromKey();

  // The focus tracker, told by a control of this form that got the focus:
  // CM_EXIT to the control that had it and its parents up to the one both
  // share, CM_ENTER down from there to the new one, then CM_FOCUSCHANGED
  // (the control in LParam) to every control of the form.
  void SetFocusedControl(TWinControl* control);
  TWinControl* FocusedControl() const { return FFocusedControl; }
  // A control going away stops being the focused one.
  void ForgetFocusedControl(TControl* control);

 protected:
  void CreateParams(TCreateParams& params) override;
  void InitializeWnd() override;
  void WndProc(TMessage& message) override;
  bool DoKeyPress(wchar_t& key) override;
  bool DoKeyDown(WORD& key, TShiftState shift) override;
  void VisibleChanged() override { UpdateShowing(); }
  virtual void DoCreate();
  virtual void DoShow();
  virtual void DoHide();
  virtual void DoClose(TCloseAction& action);

 private:
  SIZE OuterSizeFor(int clientWidth, int clientHeight, DWORD style, DWORD exStyle) const;
  void PlaceOnFirstShow();

  TFormBorderStyle FBorderStyle = TFormBorderStyle::bsSizeable;
  TBorderIcons FBorderIcons = biSystemMenu | biMinimize | biMaximize;
  TPosition FPosition = TPosition::poDesigned;
  TFormStyle FFormStyle = TFormStyle::fsNormal;
  TMainMenu* FMenu = nullptr;
  int FClientWidth = 0, FClientHeight = 0;
  bool FKeyPreview = false;
  bool FScaled = true;
  bool FPlaced = false;
  bool FCreated = false;
  TWinControl* FFocusedControl = nullptr;
  int FModalResult = 0;
  bool FModal = false;
};

// Moves a window into or out of the topmost band and changes nothing else:
// position, size and, unless asked, activation stay as they are.
void SetWindowTopmost(HWND wnd, bool topmost, bool activate = false);
