#pragma once
// The drop-down list of the skinned combo: a borderless tool form that is
// never activated (the combo keeps the focus and the keyboard and moves the
// form's highlight), holding a framed panel with a scrolling box of one flat
// row per item. The combo makes one per drop-down; it frees itself when it
// closes.
//
// The rows, the box and the panel stand on framework classes until the
// skinned speed button, scroll box and panel are in; the system's scroll
// bar stays (skinned scroll bars come with the window hooks).
#include <vector>

#include "framework/Form.h"
#include "framework/Panel.h"

class TacCustomCombo;
class TacItemsPopupForm;
class TacPopupScrollBox;

class TacPopupBtn : public TGraphicControl {
 public:
  explicit TacPopupBtn(TacItemsPopupForm* Form);
  bool Hot() const;

 protected:
  void WndProc(TMessage& Message) override;
  void Paint(TCanvas& Canvas) override;

 private:
  void Pick();
  TacItemsPopupForm* FForm;
  bool FPressedInside = false;
};

class TacPopupScrollBox : public TCustomControl {
 public:
  TacPopupScrollBox(TComponent* Owner, TacItemsPopupForm* Form);
  bool CanFocus() const override { return false; }
  int Position() const { return FPosition; }
  // Clamped to 0..Range - ClientHeight; moves the rows.
  void SetPosition(int Value);
  int Range() const { return FRange; }
  void SetRange(int Value);
  int WheelStep() const { return FWheelStep; }
  void SetWheelStep(int Value) { FWheelStep = Value; }

 protected:
  void CreateParams(TCreateParams& Params) override;
  void WndProc(TMessage& Message) override;

 private:
  void UpdateScrollBar();
  TacItemsPopupForm* FForm;
  int FPosition = 0;
  int FRange = 0;
  int FWheelStep = 120;
  int FWheelRest = 0;
};

class TacPopupPanel : public TPanel {
 public:
  explicit TacPopupPanel(TComponent* Owner);

 protected:
  void Paint(TCanvas& Canvas) override;
};

class TacItemsPopupForm : public TForm {
 public:
  explicit TacItemsPopupForm(TacCustomCombo* Combo);
  ~TacItemsPopupForm() override;

  // Metrics, width, then the rows anew.
  void Layout();
  void UpdateWidth();
  void SetSelected(int Index);
  int SelectedIndex() const { return FSelectedIndex; }
  void ScrollSelectedIntoView();
  int ItemHeight() const { return FItemHeight; }
  int RowCount() const { return int(FRows.size()); }
  TacPopupBtn* Row(int Index) const { return FRows[Index]; }
  TacPopupScrollBox* ScrollBox() const { return FScrollBox; }
  TacCustomCombo* Combo() const { return FCombo; }
  // The row under the pointer (nil: none); it takes over from the keyboard's
  // highlight.
  void SetHotRow(TacPopupBtn* Row);
  TacPopupBtn* HotRow() const { return FHotRow; }
  // Places the rows at the box's scroll position.
  void PlaceRows();
  // 2 = scale an explicit ItemHeight at this layout, 4 = being made, 8 = layout running.
  uint8_t LayoutFlags = 0;
  bool Picking = false;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void WndProc(TMessage& Message) override;

 private:
  void Closing(TObject* Sender, TCloseAction& Action);
  TacCustomCombo* FCombo;
  TacPopupPanel* FPanel = nullptr;
  TacPopupScrollBox* FScrollBox = nullptr;
  std::vector<TacPopupBtn*> FRows;
  TacPopupBtn* FHotRow = nullptr;
  int FItemCount = 0;
  int FMinWidth = 0;
  int FItemHeight = 0;
  int FSelectedIndex = -1;
  bool FClosed = false;
};
