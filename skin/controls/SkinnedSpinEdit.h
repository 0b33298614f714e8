#pragma once
// The skinned spin edit: an edit with two spin buttons painted inside its
// frame (TsBaseSpinEdit), and the integer edit on it (TsSpinEdit) whose
// value, limits and step are 64-bit, for typing, pasting, keys, wheel and
// buttons alike.
#include "framework/Label.h"
#include "framework/Timer.h"
#include "skin/controls/SkinnedEdit.h"

#include <cstdint>
#include <memory>

enum class TacOrientation { aoHorizontal, aoVertical };

class TsBaseSpinEdit : public TsEdit {
 public:
  explicit TsBaseSpinEdit(TComponent* Owner);
  ~TsBaseSpinEdit() override;

  TWinControl* NextTabControl() const { return FNextTabControl; }
  void SetNextTabControl(TWinControl* Value) { FNextTabControl = Value; }
  TWinControl* PrevTabControl() const { return FPrevTabControl; }
  void SetPrevTabControl(TWinControl* Value) { FPrevTabControl = Value; }
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);
  bool AllowNegative() const { return FAllowNegative; }
  void SetAllowNegative(bool Value) { FAllowNegative = Value; }
  bool EditorEnabled() const { return FEditorEnabled; }
  void SetEditorEnabled(bool Value) { FEditorEnabled = Value; }
  bool FlatSpinButtons() const { return FFlatSpinButtons; }
  void SetFlatSpinButtons(bool Value);
  bool ShowSpinButtons() const { return FShowSpinButtons; }
  void SetShowSpinButtons(bool Value);
  bool HideEmptyText() const { return FHideEmptyText; }
  void SetHideEmptyText(bool Value);
  int ButtonWidth() const { return FButtonWidth; }
  void SetButtonWidth(int Value);
  TacOrientation ButtonsOrientation() const { return FButtonsOrientation; }
  void SetButtonsOrientation(TacOrientation Value);

  // 0 normal, 1 hot, 2 pressed.
  int UpState() const { return FUpState; }
  int DownState() const { return FDownState; }
  // Replace the built-in step when assigned.
  TNotifyEvent OnUpClick, OnDownClick;

  virtual void UpClick() = 0;
  virtual void DownClick() = 0;
  // Window-relative rectangle of a spin button.
  RECT SpinButtonRect(bool Up);
  int SpinButtonWidth();
  RECT GetTextRect() override;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void InitializeWnd() override;
  void Loaded() override;
  bool DoKeyPress(wchar_t& Key) override;
  bool DoKeyDown(WORD& Key, TShiftState Shift) override;
  // Decides a typed character; may turn it into #0 (accepted, swallowed).
  virtual bool IsValidChar(wchar_t& Key);
  void DrawEditText() override;
  void PaintButton() override;
  void WndProc(TMessage& Message) override;
  // Answers to a press, move, release of the left button inside the
  // window; true when a spin button took it.
  bool SpinMouse(TMessage& Message);
  void SetStates(int Up, int Down);
  void UpdateEditRect();
  // The section the buttons are painted with, -1 for none.
  void PickButtonSection();
  void PaintSpinButton(TBitmap& Bmp, bool Up, int State);
  void RepaintButtons();
  void RepeatTick();
  void StopRepeat();

 private:
  TWinControl* FNextTabControl = nullptr;
  TWinControl* FPrevTabControl = nullptr;
  TAlignment FAlignment = TAlignment::taLeftJustify;
  bool FAllowNegative = true;
  bool FEditorEnabled = true;
  bool FFlatSpinButtons = true;
  bool FShowSpinButtons = true;
  bool FHideEmptyText = false;
  int FButtonWidth = 0;
  TacOrientation FButtonsOrientation = TacOrientation::aoVertical;
  int FUpState = 0, FDownState = 0;
  bool FMouseHeld = false;
  bool FCreatingWindow = false;
  int FButtonSection = -1;
  std::unique_ptr<TTimer> FRepeatTimer;
};

class TsSpinEdit : public TsBaseSpinEdit {
 public:
  explicit TsSpinEdit(TComponent* Owner);

  // Empty text reads 0, a text that is no 64-bit number reads MinValue.
  int64_t Value() const;
  void SetValue(int64_t Value);
  int64_t MinValue() const { return FMinValue; }
  void SetMinValue(int64_t Value) { FMinValue = Value; }
  int64_t MaxValue() const { return FMaxValue; }
  void SetMaxValue(int64_t Value) { FMaxValue = Value; }
  int64_t Increment() const { return FIncrement; }
  void SetIncrement(int64_t Value) { FIncrement = Value; }
  int64_t DefaultValue() const { return FDefaultValue; }
  void SetDefaultValue(int64_t Value);
  // A limit of 0 is no limit on its side; equal limits are none at all.
  int64_t CheckValue(int64_t Value) const;

  void UpClick() override;
  void DownClick() override;
  bool IsTextEmpty() override { return Value() == FDefaultValue; }

 protected:
  void Loaded() override;
  bool IsValidChar(wchar_t& Key) override;
  void WndProc(TMessage& Message) override;
  // Value + Steps x Increment, held at the ends of the 64-bit range.
  void Step(int64_t Steps);

 private:
  int64_t FMinValue = 0;
  int64_t FMaxValue = 0;
  int64_t FIncrement = 1;
  int64_t FDefaultValue = 0;
};
