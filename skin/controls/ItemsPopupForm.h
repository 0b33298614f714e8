#pragma once
// The drop-down list of the skinned combo: a borderless tool form that is
// never activated (the combo keeps the focus and the keyboard and moves the
// form's highlight), holding a framed skinned panel with a skinned scroll
// box of one flat skinned speed button per item. The combo makes one per
// drop-down; it frees itself when it closes.
//
// The scroll bar stays the system's until the control hooks paint it.
#include <vector>

#include "framework/Form.h"
#include "skin/controls/SkinnedPanel.h"
#include "skin/controls/SkinnedScrollBox.h"
#include "skin/controls/SkinnedSpeedButton.h"

class TacCustomCombo;
class TacItemsPopupForm;

// One item of the list. Its face is the combo's item painting, over the
// skin's "SELECTION" section while hot or pressed and "TRANSPARENT" else.
class TacPopupBtn : public TsSpeedButton {
 public:
  explicit TacPopupBtn(TacItemsPopupForm* Form);
  // Under the pointer or pressed: shown as the selected row.
  bool Hot() const;

  bool BuildCache() override;
  // A row's look follows the highlight, which its cache does not know of.
  void Invalidate() override;
  // Rows never move their content while pressed.
  bool ContentShifted() override { return false; }

 protected:
  void WndProc(TMessage& Message) override;
  void DrawCaption() override;
  void PaintUnskinned(bool DrawFace) override;

 private:
  void Pick();
  // Pointer and keyboard never show two rows: a hot row takes over.
  void TakeHighlight();
  void UseSection(const wchar_t* Name);
  TacItemsPopupForm* FForm;
  bool FPressedInside = false;
};

class TacPopupScrollBox : public TsScrollBox {
 public:
  TacPopupScrollBox(TComponent* Owner, TacItemsPopupForm* Form);
  bool CanFocus() const override { return false; }
  TacItemsPopupForm* Form() const { return FForm; }
  // The vertical bar's: the rows scrolled away, and their whole height.
  int Position() { return VertScrollBar().Position(); }
  // Clamped to 0..Range - ClientHeight; moves the rows.
  void SetPosition(int Value) { VertScrollBar().SetPosition(Value); }
  int Range() { return VertScrollBar().Range(); }
  void SetRange(int Value) { VertScrollBar().SetRange(Value); }

 protected:
  // Without a skin the rows are painted as the framework paints window-less
  // children; the skinned box paints them from its own cache.
  void PaintWindow(HDC DC) override;

 private:
  TacItemsPopupForm* FForm;
};

// The list's 1-pixel frame in the skin's window-frame colour, over the
// panel's face and in its non-client paint.
class TacPopupPanel : public TsPanel {
 public:
  explicit TacPopupPanel(TComponent* Owner);
  bool PrepareCache() override;

 protected:
  void Paint(TCanvas& Canvas) override;
  void WndProc(TMessage& Message) override;

 private:
  void DrawFrame(HDC DC);
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
  TacPopupPanel* Panel() const { return FPanel; }
  TacCustomCombo* Combo() const { return FCombo; }
  // 2 = scale an explicit ItemHeight at this layout, 4 = being made, 8 = layout running.
  uint8_t LayoutFlags = 0;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void WndProc(TMessage& Message) override;

 private:
  void Closing(TObject* Sender, TCloseAction& Action);
  // The skin's spacing of the combo, at its density.
  int Spacing() const;
  TacCustomCombo* FCombo;
  TacPopupPanel* FPanel = nullptr;
  TacPopupScrollBox* FScrollBox = nullptr;
  std::vector<TacPopupBtn*> FRows;
  int FItemCount = 0;
  int FMinWidth = 0;
  int FItemHeight = 0;
  int FSelectedIndex = -1;
  bool FClosed = false;
};
