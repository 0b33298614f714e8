#pragma once
// A control that owns a window. The window is made lazily (HandleNeeded);
// what was set before lives in fields and is pushed into the window when it
// is made. System classes (BUTTON, EDIT, ...) are superclassed so that every
// message, from the first, passes through WindowProc.
#include "framework/Control.h"

#include <vector>

struct TCreateParams {
  String Caption;
  DWORD Style = 0;
  DWORD ExStyle = 0;
  int X = 0, Y = 0, Width = 0, Height = 0;
  HWND WndParent = nullptr;
  String WinClassName;  // the class registered for this control
  String SysClassName;  // the system class it extends; empty for a class of our own
  UINT ClassStyle = CS_DBLCLKS;
};

class TWinControl : public TControl {
 public:
  explicit TWinControl(TComponent* owner);
  ~TWinControl() override;

  HWND Handle();
  HWND HandleIfAllocated() const { return FHandle; }
  bool HandleAllocated() const { return FHandle != nullptr; }
  void HandleNeeded();
  void DestroyHandle();
  void RecreateWnd();
  static TWinControl* FindControl(HWND wnd);

  int ControlCount() const { return static_cast<int>(FControls.size()); }
  TControl* Controls(int i) const { return FControls[i]; }
  void InsertControl(TControl* control);
  void RemoveControl(TControl* control);
  // Sends the message to every direct child control.
  void Broadcast(TMessage& message);
  // The topmost visible window-less child at a client point that answers
  // CM_HITTEST with non-zero (one letting the mouse through answers 0 and the
  // search goes on beneath it); nullptr when none.
  TControl* GraphicControlAt(POINT p, bool allowDisabled);

  void SetBounds(int left, int top, int width, int height) override;
  RECT ClientRect() const override;
  POINT ClientOrigin() const override;
  bool Showing() const override;
  void Invalidate() override;
  void Update() override;

  bool Focused() const;
  virtual bool CanFocus() const;
  virtual void SetFocus();
  bool TabStop() const { return FTabStop; }
  void SetTabStop(bool v) { FTabStop = v; }
  bool DoubleBuffered() const { return FDoubleBuffered; }
  void SetDoubleBuffered(bool v) { FDoubleBuffered = v; }
  bool ParentColor() const { return FParentColor; }
  void SetParentColor(bool v);

  void DisableAlign() { ++FAlignLevel; }
  void EnableAlign();
  void Realign();

  // ---- Painting into a DC ----
  // Paints the control's client area and, below it, its windowed children
  // into dc with the control's top-left at (x, y), as copies (csPaintCopy):
  // WM_ERASEBKGND and WM_PAINT with dc in WParam go through WindowProc, so
  // hooks paint the copy as they paint the window. Makes the window if it
  // has none yet; a child's border is drawn plainly.
  void PaintTo(HDC dc, int x, int y);
  // ---- end of painting into a DC ----

  TKeyPressEvent OnKeyPress;
  TKeyEvent OnKeyDown;
  TKeyEvent OnKeyUp;
  TNotifyEvent OnEnter;
  TNotifyEvent OnExit;

 protected:
  virtual void CreateParams(TCreateParams& params);
  virtual void CreateHandle();
  virtual void CreateWnd();
  // The window exists: push the state kept in fields into it.
  virtual void InitializeWnd() {}
  // The window is about to go: read back what must survive a re-creation.
  virtual void SaveWndState();
  virtual void DestroyWnd();

  void WndProc(TMessage& message) override;
  void DefaultHandler(TMessage& message) override;
  String GetText() const override;
  void StoreText(const String& s) override;
  void FontChanged() override;
  // Hands the font to the window after a change of it.
  virtual void UpdateWindowFont();
  void VisibleChanged() override;

  // Painting for windows of our own classes: background, Paint, then the
  // graphic children.
  virtual void PaintWindow(HDC dc);
  virtual void Paint(TCanvas& canvas) {}
  void PaintControls(HDC dc);
  // The background in the window's colour, except under opaque graphic
  // children.
  void EraseBackground(HDC dc);
  // Cuts the visible csOpaque graphic children out of dc's clip.
  void ExcludeOpaqueChildren(HDC dc);
  // Gives back the DCs the canvases of this control and everything in it got
  // for themselves, before the windows go.
  void ReleaseCanvases();
  virtual void AlignControls(RECT& rect);

  // Keyboard hooks; returning true swallows the key.
  virtual bool DoKeyPress(wchar_t& key);
  virtual bool DoKeyDown(WORD& key, TShiftState shift);

  bool IsOwnClass() const { return FOwnClass; }
  HBRUSH BackgroundBrush();

  HWND FHandle = nullptr;
  WNDPROC FDefWndProc = nullptr;
  std::vector<TControl*> FControls;
  bool FTabStop = false;
  bool FDoubleBuffered = false;
  bool FParentColor = true;

 private:
  friend LRESULT CALLBACK ControlWndProc(HWND, UINT, WPARAM, LPARAM);
  friend LRESULT CALLBACK InitWndProc(HWND, UINT, WPARAM, LPARAM);
  void MainWndProc(TMessage& message);
  bool ReflectToChild(TMessage& message, HWND child, UINT reflected);
  bool RouteMouseToGraphic(TMessage& message);
  // Sets the cursor of the window-less child under the mouse, else this
  // control's; false when both are crDefault.
  bool SetCursorOverClient();
  void UpdateBoundsFromWindow();

  // Notifications: showing, re-creation, realign queue.
 protected:
  // Creates the window when visible and tells of a change of showing with
  // CM_SHOWINGCHANGED, children first (they show with the parent's window).
  void UpdateShowing();
  // Updates the showing of a child whose parents all show; a child of a
  // parent that does not show only sets its window's visibility.
  void UpdateControlState();
  // A size change: realign and Resize now, or queue the control when a
  // realign run is going on.
  void AlignAfterSize(bool resized);
  // The shown state last told with CM_SHOWINGCHANGED; kept through RecreateWnd.
  bool FShowing = false;

 private:
  friend struct TRealignRun;
  bool HasAlignedChild() const;
  void AlignOnce();
  void SaveSubtreeState();
  bool FTrackingLeave = false;  // WM_MOUSELEAVE asked for

  bool FOwnClass = false;
  int FAlignLevel = 0;
  bool FAligning = false;
  TOwnedBrush FBrush;
  TColor FBrushColor = clNone;
  TControl* FMouseControl = nullptr;
};

// A windowed control of our own class that paints itself through a canvas.
class TCustomControl : public TWinControl {
 public:
  explicit TCustomControl(TComponent* owner) : TWinControl(owner) {}
  // The canvas Paint gets; usable outside WM_PAINT too.
  TCanvas& Canvas() { return ControlCanvas(); }
};
