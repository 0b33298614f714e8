// Start-up of the real program with a warning for the operator on the way: a
// skin in the skin folder newer than the engine. The port counts before the
// warning waits for an OK, and the service hot key pressed meanwhile cannot
// end the program.
#include "tests/e2e/support/process_windows.h"
#include "tests/e2e/support/program_fixture.h"
#include "tests/support/scratch_folder.h"

namespace {

const String kSkinFolder = L"c:\\Skins\\Night (internal)";

class NewerSkinWarning : public ProgramFixture {
 protected:
  void SetUp() override {
    ProgramFixture::SetUp();
    ForceDirectories(kSkinFolder);
    Write(kSkinFolder + L"\\Options.dat", "[GLOBALINFO]\r\nVERSION=17.50\r\n[FORM]\r\nCOLOR=$00000000\r\n");
  }
  void TearDown() override {
    ProgramFixture::TearDown();
    DeleteFile(kSkinFolder + L"\\Options.dat");
    RemoveDirectoryW(kSkinFolder.c_str());
    RemoveDirectoryW(L"c:\\Skins");
  }

  // Starts the program and waits for its warning, unanswered.
  HWND LaunchUntilWarning() {
    WriteSettings();
    program = std::make_unique<TChildProcess>(L"\"" + TChildProcess::ProgramPath() + L"\"");
    HWND box = WaitForDialog(program->Id(), L"Warning", kPatienceMs);
    if (box) EXPECT_EQ(StringToAnsi(DialogText(box)).rfind("This version of the skin (v17.50)", 0), 0u);
    return box;
  }
  void Answer(HWND box) {
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    HWND form = TMainWindow::WaitForForm(program->Id());
    ASSERT_TRUE(form) << "the program did not go on after the warning";
    window = std::make_unique<TMainWindow>(form);
  }
  HWND ShownWindow(const wchar_t* caption) const {
    for (HWND wnd : TopLevelWindows(program->Id())) {
      wchar_t text[64] = {};
      GetWindowTextW(wnd, text, 64);
      if (String(text) == caption && IsWindowVisible(wnd)) return wnd;
    }
    return nullptr;
  }
};

TEST_F(NewerSkinWarning, PaymentsCountWhileTheWarningWaits) {
  HWND box = LaunchUntilWarning();
  ASSERT_TRUE(box) << "no warning about the newer skin";
  ASSERT_TRUE(WaitUntil([&] { return Lines.Dtr(); })) << "the port is not open while the warning waits";
  Pulse();
  ASSERT_TRUE(WaitUntil([&] { return DataValue("cashid") == "1"; })) << "the payment was not counted";
  EXPECT_EQ(LogLines().size(), 1u);
  EXPECT_TRUE(IsWindowVisible(box)) << "the warning went away by itself";

  Answer(box);
  Close();
  EXPECT_EQ(DataValue("credits"), "1");
  EXPECT_EQ(LogLines().size(), 1u);
}

TEST_F(NewerSkinWarning, ServiceHotKeyWhileTheWarningWaits) {
  HWND box = LaunchUntilWarning();
  ASSERT_TRUE(box) << "no warning about the newer skin";
  // What the system does for Ctrl+Alt+S: WM_HOTKEY to the window that
  // registered it, one of the program's top-level windows.
  for (HWND wnd : TopLevelWindows(program->Id()))
    PostMessageW(wnd, WM_HOTKEY, 0, MAKELPARAM(MOD_CONTROL | MOD_ALT, 'S'));
  EXPECT_TRUE(WaitUntil([&] { return ShownWindow(L"Service") != nullptr || !program->Running(); }));
  ASSERT_TRUE(program->Running()) << "the hot key ended the program";
  EXPECT_TRUE(ShownWindow(L"Service"));

  Answer(box);
  Close();
}

}  // namespace
