#pragma once
// The hints of a form's controls, shown by a tooltip window with the
// application's pauses.
#include <windows.h>

class TWinControl;

class TFormHints {
 public:
  TFormHints() = default;
  ~TFormHints();
  TFormHints(const TFormHints&) = delete;
  TFormHints& operator=(const TFormHints&) = delete;

  // Registers every windowed control under the form that shows a hint.
  void Update(TWinControl& form);
  HWND Handle() const { return FTip; }

 private:
  void AddControls(TWinControl& parent);
  HWND FTip = nullptr;
};
