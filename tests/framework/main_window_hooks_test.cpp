// The application window's hook list, and the main form's system commands
// that reach it because the main form owns the taskbar button.
#include "framework/Application.h"
#include "framework/Form.h"

#include <gtest/gtest.h>

namespace {

constexpr UINT kProbe = WM_APP + 0x1234;
// A system-menu command of the program's own, which the system ignores.
constexpr WPARAM kOwnCommand = 0x0110;

class MainWindowHooks : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { InitApplication(); }
};

TEST_F(MainWindowHooks, HooksRunInOrderAndARemovedOneNoLongerSees) {
  std::vector<char> seen;
  const TMessageHookId a = Application->HookMainWindow([&](TMessage& m) {
    if (m.Msg == kProbe) seen.push_back('A');
    return false;
  });
  const TMessageHookId b = Application->HookMainWindow([&](TMessage& m) {
    if (m.Msg != kProbe) return false;
    seen.push_back('B');
    m.Result = 7;
    return true;
  });
  EXPECT_NE(a, b);
  EXPECT_EQ(SendMessageW(Application->Handle(), kProbe, 0, 0), 7);
  EXPECT_EQ(seen, (std::vector<char>{'A', 'B'}));

  Application->UnhookMainWindow(a);
  seen.clear();
  EXPECT_EQ(SendMessageW(Application->Handle(), kProbe, 0, 0), 7);
  EXPECT_EQ(seen, (std::vector<char>{'B'}));

  Application->UnhookMainWindow(b);
  Application->UnhookMainWindow(b);  // twice is harmless
  seen.clear();
  SendMessageW(Application->Handle(), kProbe, 0, 0);
  EXPECT_TRUE(seen.empty());
}

TEST_F(MainWindowHooks, AHookThatRemovesALaterOneWhileRunningStopsIt) {
  int laterCalls = 0;
  TMessageHookId later = 0;
  const TMessageHookId first = Application->HookMainWindow([&](TMessage& m) {
    if (m.Msg == kProbe) Application->UnhookMainWindow(later);
    return false;
  });
  later = Application->HookMainWindow([&](TMessage&) {
    ++laterCalls;
    return false;
  });
  SendMessageW(Application->Handle(), kProbe, 0, 0);
  EXPECT_EQ(laterCalls, 0);
  Application->UnhookMainWindow(first);
}

TEST_F(MainWindowHooks, TheMainFormHandsItsSystemCommandsToTheHooks) {
  TForm* mainForm = Application->MainForm() ? Application->MainForm() : Application->CreateForm<TForm>();
  auto* other = new TForm(Application);
  other->FinishCreate();
  mainForm->HandleNeeded();
  other->HandleNeeded();
  std::vector<HWND> seen;
  const TMessageHookId hook = Application->HookMainWindow([&](TMessage& m) {
    // Handled, so the form does not act on the command.
    if (m.Msg == WM_SYSCOMMAND && m.WParam == kOwnCommand) seen.push_back(nullptr);
    return m.Msg == WM_SYSCOMMAND && m.WParam == kOwnCommand;
  });
  SendMessageW(mainForm->Handle(), WM_SYSCOMMAND, kOwnCommand, 0);
  SendMessageW(other->Handle(), WM_SYSCOMMAND, kOwnCommand, 0);
  EXPECT_EQ(seen.size(), 1u);
  Application->UnhookMainWindow(hook);
  delete other;
}

}  // namespace
