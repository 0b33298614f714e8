// The skin list: internal skins and the packed files of the skin folder,
// filled at once or in the background by a thread with one owner.
#include "framework/Application.h"
#include "framework/UnitTable.h"
#include "skin/manager/SkinManager.h"
#include "tests/skin/manager/support/packages.h"
#include "tests/support/scratch_folder.h"

#include <gtest/gtest.h>

namespace {

class SkinList : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { InitApplication(); }
  void SetUp() override {
    std::string preview = "previewimg";
    PutU32(preview, 4);
    ScratchFolder::WriteBytes(folder.File(L"Alpha.skz"), Package({{"Options.dat", "[A]\r\n"}}, preview + "PICT"));
    ScratchFolder::WriteBytes(folder.File(L"Upper.SKZ"), Package({{"Options.dat", "[A]\r\n"}}));
    ScratchFolder::WriteBytes(folder.File(L"notes.txt"), "text");
    ScratchFolder::WriteBytes(folder.File(L"Broken.skz"), "not a package");
    CreateDirectoryW(folder.File(L"Folder.skz").c_str(), nullptr);
    manager = std::make_unique<TsSkinManager>(nullptr);
    manager->SetSkinDirectory(folder.Path());
    auto* night = manager->InternalSkins().Add();
    night->Name = L"Night (internal)";
    night->Data = ResourceBytes(L"NIGHT_SKIN");
  }
  void TearDown() override {
    manager.reset();
    RemoveDirectoryW(folder.File(L"Folder.skz").c_str());
  }
  // Runs the GUI thread's side until the background filling is done.
  bool WaitForFilling() {
    const ULONGLONG end = GetTickCount64() + 20000;
    while (manager->SkinList().Filling() && GetTickCount64() < end) {
      Application->ProcessMessages();
      CheckSynchronize();
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
    return !manager->SkinList().Filling();
  }
  ScratchFolder folder;
  std::unique_ptr<TsSkinManager> manager;
};

TEST_F(SkinList, BackgroundFillingListsInternalSkinsAndPackedFiles) {
  int changes = 0;
  manager->OnSkinListChanged = [&](TObject*) { ++changes; };
  manager->SkinList().Update(false);
  ASSERT_TRUE(WaitForFilling());
  const auto& entries = manager->SkinList().Entries();
  ASSERT_EQ(entries.size(), 3u);
  EXPECT_EQ(entries[0].Name, L"Night (internal)");
  EXPECT_EQ(entries[0].Kind, 0);
  EXPECT_EQ(entries[0].Preview.substr(1, 3), "PNG");
  std::vector<String> files;
  for (const auto& e : entries)
    if (e.Kind == 1) files.push_back(e.Name);
  std::sort(files.begin(), files.end());
  // A broken file is listed by name without a preview; the folder and the
  // capital extension are not.
  EXPECT_EQ(files, (std::vector<String>{L"Alpha", L"Broken"}));
  for (const auto& e : entries)
    if (e.Name == L"Alpha") EXPECT_EQ(e.Preview, "PICT");
  EXPECT_GE(changes, 1);
  // A finished filling is not run again when the names are asked for.
  EXPECT_EQ(manager->GetSkinNames(2), (std::vector<String>{L"Alpha", L"Broken", L"Night (internal)"}));
}

TEST_F(SkinList, FilterAndMissingFolder) {
  manager->SetSkinsFilter(sfiInternal);
  EXPECT_EQ(manager->GetSkinNames(2), std::vector<String>{L"Night (internal)"});
  manager->SetSkinsFilter(sfiInternal | sfiExternal);
  manager->SetSkinDirectory(folder.File(L"missing"));
  EXPECT_EQ(manager->GetSkinNames(2), std::vector<String>{L"Night (internal)"});
  manager->SetSkinDirectory(folder.Path());
  EXPECT_EQ(manager->GetSkinNames(0), (std::vector<String>{L"Alpha", L"Broken"}));
}

TEST_F(SkinList, NamesAskedWhileFillingAreComplete) {
  manager->SkinList().Update(false);
  EXPECT_EQ(manager->SkinList().SkinNames(2), (std::vector<String>{L"Alpha", L"Broken", L"Night (internal)"}));
  EXPECT_FALSE(manager->SkinList().Filling());
}

// A handler of the last step runs inside the thread's hand-over: asking for the
// names there finishes the list without waiting for the thread it runs in.
TEST_F(SkinList, HandlerOfTheFinishedFillingMayAskForTheNames) {
  std::vector<String> names;
  manager->OnSkinListChanged = [&](TObject*) {
    if (manager->SkinList().Entries().size() == 3) names = manager->GetSkinNames(2);
  };
  manager->SkinList().Update(false);
  ASSERT_TRUE(WaitForFilling());
  EXPECT_EQ(names, (std::vector<String>{L"Alpha", L"Broken", L"Night (internal)"}));
  manager->OnSkinListChanged = nullptr;
}

// Restarting from that handler leaves the new filling running to its end.
TEST_F(SkinList, HandlerOfTheFinishedFillingMayStartAnother) {
  int fillings = 0;
  manager->OnSkinListChanged = [&](TObject*) {
    if (manager->SkinList().Entries().size() == 3 && ++fillings == 1) manager->SkinList().Update(false);
  };
  manager->SkinList().Update(false);
  ASSERT_TRUE(WaitForFilling());
  EXPECT_EQ(fillings, 2);
  EXPECT_EQ(manager->SkinList().Entries().size(), 3u);
  manager->OnSkinListChanged = nullptr;
}

TEST_F(SkinList, StoppingOrFreeingDuringAFillingWaitsForTheThread) {
  for (int i = 0; i < 20; ++i) {
    manager->SkinList().Update(false);
    if (i % 2) {
      manager->InternalSkins().Add()->Name = L"Extra";  // stops the filling
      EXPECT_FALSE(manager->SkinList().Filling());
    } else {
      manager.reset();  // the controller stops, waits for and frees its thread
      SetUp();
    }
  }
}

}  // namespace
