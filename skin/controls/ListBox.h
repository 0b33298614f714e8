#pragma once
// TsListBox: the framework's list box painted from the skin. The list box
// draws every item itself (owner-drawn fixed, also for plain string lists),
// each off-screen over the control's cached face, selected items from the
// skin's "SELECTION" section or its highlight colours. It adds change events
// for the item index and the item count, a left padding strip, separator
// lines and a bound caption label.
//
// Its skinned frame and scroll bars belong to the control hooks' edit
// wrapper, which is not built: until it is, the system's frame and scroll
// bars stay, and the edges and scroll positions the wrapper would give are
// the system frame's and zero.
#include "framework/ListBox.h"
#include "skin/controls/SkinnedControl.h"
#include "skin/state/ScrollWndData.h"

// aRect may be changed: the item is then drawn there.
using TBeforeDrawItemEvent = std::function<void(HDC aDC, int aIndex, RECT& aRect)>;

class TsCustomListBox : public TacSkinnedControl<TListBox, TsScrollWndData> {
 public:
  explicit TsCustomListBox(TComponent* Owner);
  ~TsCustomListBox() override;

  void SetItemIndex(int Index) override;

  uint16_t AutoCompleteDelay() const { return FAutoCompleteDelay; }
  void SetAutoCompleteDelay(uint16_t Value) { FAutoCompleteDelay = Value; }
  bool AutoHideScroll() const { return FAutoHideScroll; }
  void SetAutoHideScroll(bool Value);
  uint8_t LeftPadding() const { return FLeftPadding; }
  void SetLeftPadding(uint8_t Value);
  bool ShowLines() const { return FShowLines; }
  void SetShowLines(bool Value);
  // The text of an item, read from the window when it has one.
  String GetItemText(int Index) const;

  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseLeave;
  // Stored for streaming; vertical scrolling does not fire it.
  TNotifyEvent OnVScroll;
  TBeforeDrawItemEvent OnBeforeItemDraw;
  TNotifyEvent OnItemIndexChanged;
  TNotifyEvent OnItemCountChanged;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void InitializeWnd() override;
  void Loaded() override;
  void DrawItem(int Index, const RECT& Rect, UINT State) override;
  // The list box keeps its own colours when the skin state loads.
  bool ApplyColorsOnLoad() const override { return false; }
  virtual void ItemIndexChanged();
  // The separator line along the bottom row of an item, on DC.
  void DrawLines(HDC DC, const RECT& Rect);
  // The items into a bitmap of the control's size (from TopIndex while
  // visible), then the strips beside and below them from the cache.
  void PaintItems(TBitmap& Bmp);
  // The whole control into DC: face, frame strips and items.
  void PaintAll(HDC DC);

  bool SkinStage1(TMessage& Message) override;
  bool SkinnedMessage(TMessage& Message) override;
  void UnskinnedWndProc(TMessage& Message) override;
  void WndProc(TMessage& Message) override;

 private:
  void DrawSkinnedItem(int Index, const RECT& Rect, UINT State);
  void DrawPlainItem(int Index, const RECT& Rect, UINT State);
  // The client area's place in the window (the frame's left and top widths).
  POINT ClientEdge() const;
  void EraseSkinned(HDC DC);
  void CheckItemIndex();
  void CheckItemCount(int OldCount);
  int FontItemHeight();

  bool FPaintingItems = false;
  uint8_t FLeftPadding = 0;
  int FLastCount = 0;
  int FLastItemIndex = -1;
  bool FShowLines = false;
  bool FAutoHideScroll = true;
  uint16_t FAutoCompleteDelay = 500;
};

class TsListBox : public TsCustomListBox {
 public:
  using TsCustomListBox::TsCustomListBox;
};
