#pragma once
// TsScrollBox: a scrolling container painted from the skin like a panel: its
// client area and its frame come from the cache bitmap of its skin state.
// With AutoMouseWheel the wheel is offered to the focused control first and
// scrolls the box when that control leaves it. Its scroll bars stay the
// system's until the control hooks paint them.
#include "framework/ScrollBox.h"
#include "skin/controls/SkinnedControl.h"
#include "skin/state/ScrollWndData.h"

#include <functional>

// OnPaint of the scroll box: the cache bitmap, after the skin background and
// before the children.
using TsPaintEvent = std::function<void(TBitmap* ControlBmp)>;

class TsScrollBox : public TacSkinnedControl<TScrollBox, TsScrollWndData> {
 public:
  explicit TsScrollBox(TComponent* Owner);
  ~TsScrollBox() override;

  bool AutoMouseWheel() const { return FAutoMouseWheel; }
  // On also makes both bars track the thumb.
  void SetAutoMouseWheel(bool Value);
  // The distance one wheel notch scrolls, as a share of 120.
  int WheelDelta() const { return FWheelDelta; }
  void SetWheelDelta(int Value) { FWheelDelta = Value; }

  // The frame width on each side: the edge of bsSingle plus BorderWidth.
  int BorderSize() const;
  int EdgeWidth() const;

  // Once it has a parent the control takes its skin.
  void SetParent(TWinControl* AParent) override;

  bool PrepareCache();
  // The client area from the cache; DC nil: the window's client DC.
  void PaintScrollBox(HDC DC);

  TsPaintEvent OnPaint;
  TNotifyEvent OnBeforeScroll;
  TNotifyEvent OnAfterScroll;
  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseLeave;

 protected:
  bool DoMouseWheel(TShiftState Shift, int WheelDelta, POINT MousePos) override;
  // Skinned, the cache holds the children's background and the frame paints
  // the rest; unskinned, the framework paints the window-less children.
  void PaintWindow(HDC DC) override;
  void Loaded() override;
  void WndProc(TMessage& Message) override;

 private:
  bool ScrollBoxSkinCommand(TMessage& Message);
  void SkinnedBoxMessage(TMessage& Message);
  void PaintFrameStrips(HDC WindowDC);
  void NcPaint(TMessage& Message);
  void PrintBox(TMessage& Message);
  bool CacheStale() const;
  // The seams to the control hooks' scroll wrapper (not built): the
  // system's bars stay and need nothing.
  void AttachScrollWrapper() {}
  void RefreshScrollBars() {}

  int FWheelDelta = 120;
  bool FAutoMouseWheel = false;
  int FScrollStartPos = 0;
};
