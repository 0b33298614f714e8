#pragma once
// A container whose children can be larger than its client area: the system
// scroll bars of the window show the part in view, and scrolling moves the
// children. With AutoScroll the ranges follow the children's extent.
#include "framework/BorderStyle.h"
#include "framework/WinControl.h"

class TScrollingWinControl;

enum class TScrollBarKind { sbHorizontal, sbVertical };

// One of the two bars: the range is the extent of the scrolled content, the
// position how far it is scrolled (0 .. Range - client extent).
class TControlScrollBar {
 public:
  TControlScrollBar(TScrollingWinControl& control, TScrollBarKind kind) : FControl(control), FKind(kind) {}

  TScrollBarKind Kind() const { return FKind; }
  int Position() const { return FPosition; }
  // Clamped to 0 .. MaxPosition; the children move by the difference.
  void SetPosition(int v);
  int Range() const { return FRange; }
  void SetRange(int v);
  int Increment() const { return FIncrement; }
  void SetIncrement(int v) { FIncrement = v < 1 ? 1 : v; }
  // The content follows the thumb while it is dragged.
  bool Tracking() const { return FTracking; }
  void SetTracking(bool v) { FTracking = v; }
  bool Visible() const { return FVisible; }
  void SetVisible(bool v);
  // The largest position: Range less the client extent, never below 0.
  int MaxPosition() const;
  // The bar shows: Visible and a range beyond the client extent.
  bool IsScrollBarVisible() const;

 private:
  friend class TScrollingWinControl;
  int ClientExtent() const;
  void ScrollMessage(TMessage& m);

  TScrollingWinControl& FControl;
  TScrollBarKind FKind;
  int FPosition = 0;
  int FRange = 0;
  int FIncrement = 8;
  bool FTracking = false;
  bool FVisible = true;
};

class TScrollingWinControl : public TWinControl {
 public:
  explicit TScrollingWinControl(TComponent* owner);

  TControlScrollBar& HorzScrollBar() { return FHorz; }
  TControlScrollBar& VertScrollBar() { return FVert; }
  bool AutoScroll() const { return FAutoScroll; }
  void SetAutoScroll(bool v);
  // Moves the children by (dx, dy) and the window's content with them.
  void ScrollBy(int dx, int dy);
  // Pushes ranges and positions into the window's scroll bars.
  void UpdateScrollBars();

 protected:
  void WndProc(TMessage& message) override;
  void InitializeWnd() override;
  void AlignControls(RECT& rect) override;
  // With AutoScroll: the ranges become the children's extent, scrolled
  // position included.
  void CalcAutoRange();

 private:
  friend class TControlScrollBar;
  TControlScrollBar FHorz{*this, TScrollBarKind::sbHorizontal};
  TControlScrollBar FVert{*this, TScrollBarKind::sbVertical};
  bool FAutoScroll = true;
  bool FUpdatingBars = false;
};

class TScrollBox : public TScrollingWinControl {
 public:
  explicit TScrollBox(TComponent* owner);

  TBorderStyle BorderStyle() const { return FBorderStyle; }
  // Re-creates the window.
  void SetBorderStyle(TBorderStyle v);
  // The control's own canvas, for painting outside WM_PAINT.
  TCanvas& Canvas() { return ControlCanvas(); }

 protected:
  void CreateParams(TCreateParams& params) override;

 private:
  TBorderStyle FBorderStyle = TBorderStyle::bsSingle;
};
