#pragma once
// The main window of a running kelvra.exe, driven from the test process the
// way a user or another program would: through its windows and messages.
#include "framework/System.h"
#include "tests/support/wait_until.h"

#include <windows.h>

class TMainWindow {
 public:
  // The main form of that process once it is shown (its start-up is over);
  // nullptr when it does not show in time.
  static HWND WaitForForm(DWORD processId, DWORD timeoutMs = kPatienceMs);

  explicit TMainWindow(HWND form) : FForm(form) {}
  HWND Form() const { return FForm; }

  // The child window of that class and caption; nullptr when there is none.
  HWND Child(const wchar_t* className, const String& caption) const;

  // A click on the button or check box with this caption, as the mouse gives it.
  void Click(const String& caption) const;
  bool Checked(const String& caption) const;
  // The text of the credit log view.
  String LogView() const;
  // A double click on the log view. Posted: what it opens may wait for an answer.
  void DoubleClickLogView() const;
  // Picks "COM-<number>" in the port list, as a user's choice does.
  void ChooseComPort(int number) const;
  // Types a new pulse value.
  void SetPulseValue(const String& text) const;

 private:
  HWND LogViewWindow() const;
  HWND FForm;
};
