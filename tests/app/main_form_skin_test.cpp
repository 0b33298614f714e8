// The main window's skin manager: the internal skin at start, a skin in the
// skin directory that wins over it, and broken ones the program gets past.
#include "app/ShellFolders.h"
#include "framework/Application.h"
#include "framework/FileSearch.h"
#include "tests/app/support/box_answerer.h"
#include "tests/app/support/form_fixture.h"
#include "tests/skin/manager/support/packages.h"
#include "tests/support/child_process.h"
#include "tests/support/wait_until.h"

#include <shlobj.h>

#include <gtest/gtest.h>

namespace {

const String kSkins = L"c:\\Skins\\";
const String kNight = L"Night (internal)";

class MainFormSkin : public FormFixture {
 protected:
  void SetUp() override {
    FormFixture::SetUp();
    RemoveSkins();
  }
  void TearDown() override {
    FormFixture::TearDown();
    RemoveSkins();
  }
  void WriteFolderSkin(const std::string& options) {
    CreateDirectoryW(kSkins.c_str(), nullptr);
    CreateDirectoryW((kSkins + kNight).c_str(), nullptr);
    Write(kSkins + kNight + L"\\Options.dat", options);
  }
  static void RemoveSkins() {
    DeleteFileW((kSkins + kNight + L"\\Options.dat").c_str());
    RemoveDirectoryW((kSkins + kNight).c_str());
    DeleteFileW((kSkins + kNight + L".skz").c_str());
    RemoveDirectoryW(kSkins.c_str());
  }
};

TEST_F(MainFormSkin, StartsWithTheInternalSkinLoaded) {
  Start();
  TsSkinManager* m = form->sSkinManager1;
  ASSERT_TRUE(m->IsSkinLoaded());
  EXPECT_EQ(m->SkinName(), kNight);
  EXPECT_EQ(m->SkinOrigin(), TacSkinOrigin::Internal);
  EXPECT_EQ(m->SkinDirectory(), L"c:\\Skins");
  EXPECT_EQ(m->SkinOptions().ReadString(L"GLOBALINFO", L"VERSION", L""), L"16.00");
  EXPECT_EQ(m->SkinOptions().ReadString(L"GLOBALINFO", L"MASTERBITMAP", L""), L"NIGHT.PNG");
  EXPECT_EQ(TsSkinManager::DefaultManager(), m);
}

TEST_F(MainFormSkin, FolderSkinOfTheSameNameWins) {
  WriteFolderSkin("[GLOBALINFO]\r\nVERSION=16.01\r\nAUTHOR=trial build\r\n[FORM]\r\nCOLOR=$00000000\r\n");
  Start();
  TsSkinManager* m = form->sSkinManager1;
  ASSERT_TRUE(m->IsSkinLoaded());
  EXPECT_EQ(m->SkinOrigin(), TacSkinOrigin::Folder);
  EXPECT_EQ(m->Globals().Author, L"trial build");
  EXPECT_EQ(m->SkinInfo(), L"16.01");
}

TEST_F(MainFormSkin, NewerFolderSkinWarnsOnceStartUpIsOverAndAtOnceAfterwards) {
  WriteFolderSkin("[GLOBALINFO]\r\nVERSION=17.50\r\n[FORM]\r\nCOLOR=$00000000\r\n");
  TBoxAnswerer answer(L"Warning", L"This version of the skin (v17.50)");
  Start();
  // Made without waiting for anyone: the warning shows from the message loop.
  EXPECT_EQ(answer.Seen, 0);
  EXPECT_EQ(form->StartupMessages().Waiting(), 1u);
  EXPECT_TRUE(WaitUntil([&] { return answer.Seen == 1; }));
  EXPECT_FALSE(form->StartupMessages().Held());
  // Once started, a warning shows at once.
  form->sSkinManager1->CheckSkinVersion(17.5);
  EXPECT_EQ(answer.Seen, 2);
  EXPECT_NE(form->sSkinManager1->SkinningRules() & srStdDialogs, 0u) << "the rules are back after the box";
}

TEST_F(MainFormSkin, GarbageFolderSkinStillStartsTheProgram) {
  WriteFolderSkin(std::string("\x00\xFF[[[=\r\n=\r\n[\r\nKEY", 18) + std::string(5000, '\xFE'));
  Start();
  ASSERT_TRUE(form);
  form->Show();
  EXPECT_TRUE(form->Showing());
  EXPECT_FALSE(form->sSkinManager1->IsSkinLoaded());
}

// A message box of the process, once it shows.
HWND WaitForMessageBox(DWORD processId, DWORD timeoutMs) {
  const ULONGLONG end = GetTickCount64() + timeoutMs;
  struct Find {
    DWORD pid;
    HWND found;
  } find{processId, nullptr};
  while (GetTickCount64() < end) {
    EnumWindows(
        [](HWND wnd, LPARAM p) -> BOOL {
          auto* f = reinterpret_cast<Find*>(p);
          DWORD pid = 0;
          GetWindowThreadProcessId(wnd, &pid);
          wchar_t cls[32];
          if (pid == f->pid && IsWindowVisible(wnd) && GetClassNameW(wnd, cls, 32) && wcscmp(cls, L"#32770") == 0) {
            f->found = wnd;
            return FALSE;
          }
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&find));
    if (find.found) return find.found;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
  }
  return nullptr;
}

TEST(MainFormSkinProgram, BrokenPackedSkinIsRefusedAndTheProgramStarts) {
  const String dataFolder = GetSpecialFolderPath(nullptr, CSIDL_APPDATA) + L"\\drovik\\kelvraadapter\\";
  ForceDirectories(dataFolder);
  ScratchFolder::WriteBytes(dataFolder + L"data.txt", "[data]\r\npoll=0\r\n");
  CreateDirectoryW(kSkins.c_str(), nullptr);
  const String packed = kSkins + kNight + L".skz";
  ScratchFolder::WriteBytes(packed, Package({{"NIGHT.PNG", "not a picture"}}));

  TChildProcess program = TChildProcess::Program(L"");
  HWND box = WaitForMessageBox(program.Id(), 20000);
  ASSERT_TRUE(box) << "no message about the broken skin";
  wchar_t text[512] = {};
  GetDlgItemTextW(box, 0xFFFF, text, 512);
  EXPECT_EQ(String(text).rfind(L"Internal format error in the \"Night (internal)\" skin.", 0), 0u)
      << std::string(text, text + wcslen(text));
  PostMessageW(box, WM_COMMAND, IDOK, 0);
  HWND main = program.WaitForForm(L"KELVRA-Adapter", 20000);
  EXPECT_TRUE(main) << "the program did not start after the message";
  if (main) PostMessageW(main, WM_CLOSE, 0, 0);
  EXPECT_TRUE(program.WaitForExit(20000));
  DeleteFileW(packed.c_str());
  RemoveDirectoryW(kSkins.c_str());
  DeleteFile(dataFolder + L"data.txt");
  DeleteFile(dataFolder + L"data_last.txt");
}

}  // namespace
