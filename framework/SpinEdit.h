#pragma once
// An integer edit with spin buttons.
#include "framework/Edit.h"

class TSpinEdit : public TCustomEdit {
 public:
  explicit TSpinEdit(TComponent* owner);

  // Read from the text: empty reads 0, anything not a number reads MinValue.
  int64_t Value() const;
  void SetValue(int64_t value);
  int64_t MinValue() const { return FMinValue; }
  void SetMinValue(int64_t v) { FMinValue = v; }
  int64_t MaxValue() const { return FMaxValue; }
  void SetMaxValue(int64_t v) { FMaxValue = v; }
  int64_t Increment() const { return FIncrement; }
  void SetIncrement(int64_t v) { FIncrement = v; }

 protected:
  void InitializeWnd() override;
  void WndProc(TMessage& message) override;

 private:
  // Both limits 0 means no limit.
  int64_t CheckValue(int64_t value) const;
  void PlaceButtons();

  int64_t FMinValue = 0;
  int64_t FMaxValue = 0;
  int64_t FIncrement = 1;
  HWND FButtons = nullptr;
};
