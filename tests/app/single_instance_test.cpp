// Two real copies of the program: the second asks the first to close and
// reads the settings only after the first has saved them.
#include "app/ShellFolders.h"
#include "tests/support/child_process.h"
#include "tests/support/scratch_folder.h"

#include <shlobj.h>

#include <gtest/gtest.h>

namespace {

TEST(SingleInstance, SecondCopyClosesTheFirstAndKeepsItsLastSave) {
  const String dataFolder = GetSpecialFolderPath(nullptr, CSIDL_APPDATA) + L"\\drovik\\kelvraadapter\\";
  ForceDirectories(dataFolder);
  const String dataFile = dataFolder + L"data.txt";
  ScratchFolder::WriteBytes(dataFile, "[data]\r\ncredits=5\r\ncashid=3\r\n");

  TChildProcess first = TChildProcess::Program(L"");
  ASSERT_TRUE(first.WaitForForm(L"KELVRA-Adapter")) << "the first copy did not start";
  // Another program writes data.txt while the first copy runs; the first
  // copy's save at close puts its own values back.
  ScratchFolder::WriteBytes(dataFile, "[data]\r\ncredits=99\r\ncashid=99\r\n");

  TChildProcess second = TChildProcess::Program(L"");
  EXPECT_TRUE(first.WaitForExit(kPatienceMs)) << "the first copy did not close";
  HWND secondForm = second.WaitForForm(L"KELVRA-Adapter");
  ASSERT_TRUE(secondForm);
  EXPECT_TRUE(second.Running());

  // The second copy read what the first one saved, and saves it again.
  PostMessageW(secondForm, WM_CLOSE, 0, 0);
  ASSERT_TRUE(second.WaitForExit(kPatienceMs));
  const std::string saved = ScratchFolder::ReadBytes(dataFile);
  EXPECT_NE(saved.find("credits=5\r\n"), std::string::npos) << saved;
  EXPECT_NE(saved.find("cashid=3\r\n"), std::string::npos) << saved;
  DeleteFile(dataFile);
  DeleteFile(dataFolder + L"data_last.txt");
}

}  // namespace
