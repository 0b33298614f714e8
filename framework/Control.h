#pragma once
// The control core: every control has bounds, a parent, a font and a message
// path (WindowProc -> WndProc -> DefaultHandler) that works with or without a
// window, so graphic controls and skin wrappers can Perform messages alike.
#include "framework/Component.h"
#include "framework/ControlCanvas.h"
#include "framework/Cursors.h"
#include "framework/Graphics.h"
#include "framework/Messages.h"

#include <functional>
#include <memory>

class TWinControl;

enum class TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };
enum class TMouseButton { mbLeft, mbRight, mbMiddle };
enum class TBiDiMode { bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly };

enum TShiftStateBit : unsigned {
  ssShift = 1,
  ssAlt = 2,
  ssCtrl = 4,
  ssLeft = 8,
  ssRight = 16,
  ssMiddle = 32,
  ssDouble = 64,
};
using TShiftState = unsigned;

// What a control is: read by painters and wrappers, kept by the control.
enum TControlStyleBit : unsigned {
  csAcceptsControls = 1u << 0,
  csCaptureMouse = 1u << 1,
  csDoubleClicks = 1u << 2,
  // Covers its whole rectangle: the parent does not paint under it.
  csOpaque = 1u << 3,
  csNoDesignVisible = 1u << 4,
};
using TControlStyle = unsigned;

// What a control is doing. csPaintCopy is set while PaintTo paints a copy of
// the control (and passed to its graphic children); the others are set by
// the controls that use them.
enum TControlStateBit : unsigned {
  csLButtonDown = 1u << 0,
  csCreating = 1u << 1,
  csReadingState = 1u << 2,
  csPaintCopy = 1u << 3,
  csCustomPaint = 1u << 4,
};
using TControlState = unsigned;
inline int LParamX(LPARAM l) { return static_cast<short>(LOWORD(l)); }
inline int LParamY(LPARAM l) { return static_cast<short>(HIWORD(l)); }
TShiftState KeysToShiftState(WPARAM keys);
TShiftState KeyboardStateToShiftState();

using TWndMethod = std::function<void(TMessage&)>;
using TMouseEvent = std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, int X, int Y)>;
using TKeyPressEvent = std::function<void(TObject* Sender, wchar_t& Key)>;
using TKeyEvent = std::function<void(TObject* Sender, WORD& Key, TShiftState Shift)>;
using TMouseWheelEvent =
    std::function<void(TObject* Sender, TShiftState Shift, int WheelDelta, POINT MousePos, bool& Handled)>;

class TControl : public TComponent {
  friend class TWinControl;

 public:
  explicit TControl(TComponent* owner);
  ~TControl() override;

  // The replaceable message entry: wrappers save it, install their own and
  // chain to the saved one; restoring puts the saved one back.
  TWndMethod WindowProc;
  LRESULT Perform(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);

  TWinControl* Parent() const { return FParent; }
  virtual void SetParent(TWinControl* parent);

  int Left() const { return FLeft; }
  int Top() const { return FTop; }
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  void SetLeft(int v) { SetBounds(v, FTop, FWidth, FHeight); }
  void SetTop(int v) { SetBounds(FLeft, v, FWidth, FHeight); }
  void SetWidth(int v) { SetBounds(FLeft, FTop, v, FHeight); }
  void SetHeight(int v) { SetBounds(FLeft, FTop, FWidth, v); }
  virtual void SetBounds(int left, int top, int width, int height);
  RECT BoundsRect() const { return RECT{FLeft, FTop, FLeft + FWidth, FTop + FHeight}; }
  virtual RECT ClientRect() const { return RECT{0, 0, FWidth, FHeight}; }
  int ClientWidth() const {
    RECT r = ClientRect();
    return r.right - r.left;
  }
  int ClientHeight() const {
    RECT r = ClientRect();
    return r.bottom - r.top;
  }
  virtual POINT ClientOrigin() const;
  POINT ClientToScreen(POINT p) const;
  POINT ScreenToClient(POINT p) const;

  TAlign Align() const { return FAlign; }
  void SetAlign(TAlign align);

  bool Visible() const { return FVisible; }
  virtual void SetVisible(bool visible);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  // Visible here and in every parent up to a form that is showing.
  virtual bool Showing() const;
  bool Enabled() const { return FEnabled; }
  virtual void SetEnabled(bool enabled);
  // Reading order and placement; a change is told with CM_BIDIMODECHANGED.
  TBiDiMode BiDiMode() const { return FBiDiMode; }
  void SetBiDiMode(TBiDiMode mode);
  // Placement and text alignment are mirrored.
  bool UseRightToLeftAlignment() const { return FBiDiMode == TBiDiMode::bdRightToLeft; }

  String Caption() const { return GetText(); }
  void SetCaption(const String& s) { SetText(s); }
  String Text() const { return GetText(); }
  void SetText(const String& s);

  TFont& Font() { return FFont; }
  const TFont& Font() const { return FFont; }
  bool ParentFont() const { return FParentFont; }
  void SetParentFont(bool v);
  TColor Color() const { return FColor; }
  void SetColor(TColor color);
  const String& Hint() const { return FHint; }
  void SetHint(const String& hint) { FHint = hint; }
  bool ShowHint() const { return FShowHint; }
  void SetShowHint(bool v) { FShowHint = v; }
  // Shown over the control's client area; crDefault lets the parent's or the
  // window class's cursor show. A change is told with CM_CURSORCHANGED.
  TCursor Cursor() const { return FCursor; }
  void SetCursor(TCursor cursor);

  virtual void Invalidate();
  void Repaint() {
    Invalidate();
    Update();
  }
  virtual void Update() {}
  void BringToFront();

  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TNotifyEvent OnResize;
  TMouseEvent OnMouseDown;
  TMouseEvent OnMouseUp;
  TMouseMoveEvent OnMouseMove;
  TMouseWheelEvent OnMouseWheel;

  virtual void Click();
  virtual void DblClick();

  // Tells the control and whoever hooked it that its value changed
  // (CM_CHANGED with the control in LParam), before the change events run.
  void Changed();

  // ---- Painting: style and state flags, the control's own canvas ----
  TControlStyle ControlStyle() const { return FControlStyle; }
  void SetControlStyle(TControlStyle style) { FControlStyle = style; }
  TControlState ControlState() const { return FControlState; }
  void SetControlState(TControlState state) { FControlState = state; }

 protected:
  // Made on first use; graphic and custom controls publish it as Canvas().
  TControlCanvas& ControlCanvas();
  // Gives back a DC the canvas got for itself (its window is going).
  void FreeCanvasHandle() {
    if (FCanvas) FCanvas->SetHandle(nullptr);
  }
  // Paints with the control's canvas set onto dc for the call.
  void PaintWithCanvas(HDC dc, const std::function<void(TCanvas&)>& paint);
  TControlStyle FControlStyle = csCaptureMouse | csDoubleClicks;
  TControlState FControlState = 0;
  std::unique_ptr<TControlCanvas> FCanvas;
  // ---- end of painting ----

 protected:
  virtual void WndProc(TMessage& message);
  virtual void DefaultHandler(TMessage& message);
  virtual String GetText() const { return FText; }
  // Stores the text; windowed controls also send it to their window.
  virtual void StoreText(const String& s) { FText = s; }
  virtual void TextChanged() {}
  virtual void FontChanged();
  virtual void BoundsChanged() {}
  virtual void VisibleChanged();
  void CursorChanged();
  virtual void Resize() {
    if (OnResize) OnResize(this);
  }

  virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
  virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
  virtual void MouseMove(TShiftState shift, int x, int y);

  // Bounds as stored, without touching a window (used by handle notifications).
  void StoreBounds(int left, int top, int width, int height);
  void RequestAlign();
  // CM_MOUSEWHEEL: true when the control used the wheel; an unused wheel goes
  // on to the parent. MousePos is on the screen.
  virtual bool DoMouseWheel(TShiftState shift, int wheelDelta, POINT mousePos);

  TWinControl* FParent = nullptr;
  int FLeft = 0, FTop = 0, FWidth = 0, FHeight = 0;
  TAlign FAlign = TAlign::alNone;
  bool FVisible = true;
  bool FEnabled = true;
  TBiDiMode FBiDiMode = TBiDiMode::bdLeftToRight;
  String FText;
  TFont FFont;
  bool FParentFont = true;
  bool FFontInherit = false;  // guards FontChanged while copying the parent's font
  TColor FColor = clBtnFace;
  String FHint;
  bool FShowHint = false;
  TCursor FCursor = crDefault;
  bool FMouseDownInside = false;
};

// A control without a window of its own: its parent paints it and routes the
// mouse to it.
//
// The parent paints it by sending WM_PAINT with its DC in WParam, already
// offset and clipped to the control, through WindowProc: a hook on the
// control sees its painting like a windowed control's.
class TGraphicControl : public TControl {
 public:
  explicit TGraphicControl(TComponent* owner) : TControl(owner) {}
  // Draws on the parent's window at the control's place, also outside
  // WM_PAINT; during WM_PAINT it draws on the paint DC.
  TCanvas& Canvas() { return ControlCanvas(); }

 protected:
  virtual void Paint(TCanvas& canvas) {}
  void WndProc(TMessage& message) override;
};
