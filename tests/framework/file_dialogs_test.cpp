// The file dialogs: what the user chose comes back as FileName and Files, a
// cancelled dialog changes nothing.
#include "framework/FileDialogs.h"

#include "framework/Application.h"
#include "framework/OleError.h"
#include "tests/support/dialog_answerer.h"
#include "tests/support/scratch_folder.h"

#include <gtest/gtest.h>

namespace {

// Runs Execute while a second thread types Typed into the dialog's file name
// box and presses OK (or presses Cancel when Typed is empty).
bool ExecuteAnswered(TOpenDialog& Dialog, const String& Typed) {
  const auto Answer = [&](HWND Box) {
    if (Typed.empty()) {
      PostMessageW(Box, WM_COMMAND, IDCANCEL, 0);
      return true;
    }
    // The file name box: the dialog's tree differs between systems, so it is
    // found by class.
    HWND NameBox = nullptr;
    EnumChildWindows(
        Box,
        [](HWND Child, LPARAM Param) -> BOOL {
          wchar_t Class[64] = {};
          GetClassNameW(Child, Class, 64);
          if (lstrcmpiW(Class, L"Edit") != 0 || !IsWindowVisible(Child)) return TRUE;
          *reinterpret_cast<HWND*>(Param) = Child;
          return FALSE;
        },
        reinterpret_cast<LPARAM>(&NameBox));
    if (!NameBox) return false;
    SendMessageW(NameBox, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Typed.c_str()));
    PostMessageW(Box, WM_COMMAND, IDOK, 0);
    return true;
  };
  bool Chosen = false;
  RunAndAnswerDialog([&] { Chosen = Dialog.Execute(); }, Answer);
  return Chosen;
}

class FileDialogsTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { InitApplication(); }
};

TEST_F(FileDialogsTest, ChosenFileComesBackCancelChangesNothing) {
  ScratchFolder Folder;
  TOpenDialog Dialog(nullptr);
  Dialog.SetFilter(L"Logs (*.txt)|*.txt|All files (*.*)|*.*");
  Dialog.SetInitialDir(Folder.Path());
  Dialog.SetFileName(L"before.txt");
  EXPECT_FALSE(ExecuteAnswered(Dialog, String()));
  EXPECT_EQ(Dialog.FileName(), L"before.txt");
  EXPECT_EQ(Dialog.Files().Count(), 0);

  ASSERT_TRUE(ExecuteAnswered(Dialog, Folder.File(L"credits.txt")));
  EXPECT_EQ(CompareText(Dialog.FileName(), Folder.File(L"credits.txt")), 0);
  ASSERT_EQ(Dialog.Files().Count(), 1);
  EXPECT_EQ(Dialog.Files().Get(0), Dialog.FileName());
}

TEST_F(FileDialogsTest, SettingsPassFromOneDialogToAnother) {
  TOpenDialog From(nullptr);
  From.SetFilter(L"Logs|*.txt");
  From.SetFilterIndex(2);
  From.SetDefaultExt(L"txt");
  From.SetInitialDir(L"C:\\logs\\");
  From.SetFileName(L"credits.txt");
  From.SetOptions(ofAllowMultiSelect);
  From.Files().Add(L"C:\\logs\\a.txt");
  TSavePictureDialog To(nullptr);
  EXPECT_NE(To.Filter().find(L"*.png"), String::npos);
  To.AssignSettings(From);
  EXPECT_EQ(To.Filter(), L"Logs|*.txt");
  EXPECT_EQ(To.FilterIndex(), 2);
  EXPECT_EQ(To.DefaultExt(), L"txt");
  EXPECT_EQ(To.InitialDir(), L"C:\\logs\\");
  EXPECT_EQ(To.FileName(), L"credits.txt");
  EXPECT_EQ(To.Options(), ofAllowMultiSelect);
  EXPECT_EQ(To.Files().Count(), 1);
}

TEST_F(FileDialogsTest, OleErrorsCarryTheirCode) {
  EXPECT_NO_THROW(OleCheck(S_OK));
  try {
    OleCheck(E_OUTOFMEMORY);
    ADD_FAILURE() << "no error raised";
  } catch (const EOleSysError& e) {
    EXPECT_EQ(e.ErrorCode(), E_OUTOFMEMORY);
    EXPECT_FALSE(e.Message().empty());
  }
}

}  // namespace
