// The skin list: internal skins and the packed files of the skin folder,
// filled at once or in the background by a thread with one owner.
#include "framework/Application.h"
#include "framework/Form.h"
#include "framework/Streams.h"
#include "framework/UnitTable.h"
#include "skin/core/SkinCommand.h"
#include "skin/manager/SkinManager.h"
#include "tests/skin/manager/support/packages.h"
#include "tests/support/scratch_folder.h"
#include "tests/support/wait_until.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

namespace {

// A 24-bit BMP of one colour (0xRRGGBB), as a packed file's preview may carry.
std::string BmpPicture(int width, int height, uint32_t rgb) {
  TBitmap bmp;
  bmp.SetPixelFormat(pf24bit);
  bmp.SetSize(width, height);
  for (int y = 0; y < height; ++y) {
    auto* row = static_cast<uint8_t*>(bmp.ScanLine(y));
    for (int x = 0; x < width; ++x) {
      row[x * 3 + 0] = uint8_t(rgb);
      row[x * 3 + 1] = uint8_t(rgb >> 8);
      row[x * 3 + 2] = uint8_t(rgb >> 16);
    }
  }
  TMemoryStream stream;
  bmp.SaveToStream(stream);
  return std::string(static_cast<const char*>(stream.Memory()), size_t(stream.Size()));
}

std::string PreviewBlock(const std::string& picture) {
  std::string block = "previewimg";
  PutU32(block, uint32_t(picture.size()));
  return block + picture;
}

// The pixel as 0xAARRGGBB.
uint32_t PixelAt(TBitmap& bmp, int x, int y) { return static_cast<const uint32_t*>(bmp.ScanLine(y))[x]; }

std::vector<String> Names(const TacSkinListController& list) {
  std::vector<String> names;
  for (const auto& e : list.Entries()) names.push_back(e.Name);
  std::sort(names.begin(), names.end());
  return names;
}

class SkinList : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { InitApplication(); }
  void SetUp() override {
    ScratchFolder::WriteBytes(folder.File(L"Alpha.skz"),
                              Package({{"Options.dat", "[A]\r\n"}}, PreviewBlock(BmpPicture(70, 50, 0x336699))));
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
  bool WaitForFilling(TsSkinManager* m = nullptr) {
    TsSkinManager& which = m ? *m : *manager;
    return WaitUntil([&] { return !which.SkinList().Filling(); });
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
  // The internal skin's preview is a PNG of the list's size.
  TBitmap* night = manager->SkinList().Previews().Image(entries[0].PreviewIndex);
  ASSERT_NE(night, nullptr);
  EXPECT_EQ(night->Width(), 140);
  EXPECT_EQ(night->Height(), 100);
  EXPECT_EQ(night->PixelFormat(), pf32bit);
  std::vector<String> files;
  for (const auto& e : entries)
    if (e.Kind == 1) files.push_back(e.Name);
  std::sort(files.begin(), files.end());
  // A broken file is listed by name without a preview; the folder and the
  // capital extension are not.
  EXPECT_EQ(files, (std::vector<String>{L"Alpha", L"Broken"}));
  for (const auto& e : entries) {
    if (e.Name == L"Broken") {
      EXPECT_EQ(e.PreviewIndex, -1);
    }
    if (e.Name != L"Alpha") continue;
    // A 70 x 50 BMP, brought to the list's size, opaque.
    TBitmap* alpha = manager->SkinList().Previews().Image(e.PreviewIndex);
    ASSERT_NE(alpha, nullptr);
    EXPECT_EQ(alpha->Width(), 140);
    EXPECT_EQ(alpha->Height(), 100);
    EXPECT_EQ(PixelAt(*alpha, 0, 0), 0xFF336699u);
    EXPECT_EQ(PixelAt(*alpha, 139, 99), 0xFF336699u);
  }
  EXPECT_EQ(manager->SkinList().Previews().Count(), 2);
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

// What one packed file holds decides its own preview only, and nothing in it
// stops the filling.
TEST_F(SkinList, PreviewOfEachPackedFile) {
  const std::string options = Package({{"Options.dat", "[A]\r\n"}});
  // A small picture whose header claims 100000 x 100000 pixels.
  std::string huge = BmpPicture(4, 4, 0);
  const uint32_t side = 100000;
  std::memcpy(huge.data() + 18, &side, 4);
  std::memcpy(huge.data() + 22, &side, 4);
  std::string cut = "previewimg";
  PutU32(cut, 5000);
  cut += BmpPicture(8, 8, 0).substr(0, 40);
  struct Case {
    const wchar_t* File;
    std::string Bytes;
    bool Preview;
  };
  const Case cases[] = {
      {L"Bare.skz", options, false},
      {L"Square.skz", options + PreviewBlock(BmpPicture(140, 100, 0xFF0000)), true},
      {L"Garbled.skz", options + PreviewBlock(std::string("\x89PNG\r\n\x1a\n", 8) + "no picture follows the signature"),
       false},
      {L"Unknown.skz", options + PreviewBlock("GIF89a picture of a kind the list does not take"), false},
      {L"Huge.skz", options + PreviewBlock(huge), false},
      {L"Cut.skz", options + cut, false},
  };
  ScratchFolder other;
  for (const Case& c : cases) ScratchFolder::WriteBytes(other.File(c.File), c.Bytes);
  manager->SetSkinsFilter(sfiExternal);
  manager->SetSkinDirectory(other.Path());
  ASSERT_EQ(manager->GetSkinNames(0).size(), std::size(cases));
  const TacSkinListController& list = manager->SkinList();
  for (const Case& c : cases) {
    String name = c.File;
    name.resize(name.size() - 4);
    auto e = std::find_if(list.Entries().begin(), list.Entries().end(), [&](auto& e) { return e.Name == name; });
    ASSERT_NE(e, list.Entries().end()) << name;
    EXPECT_EQ(e->PreviewIndex >= 0, c.Preview) << name;
    if (c.Preview) {
      EXPECT_EQ(PixelAt(*list.Previews().Image(e->PreviewIndex), 70, 50), 0xFFFF0000u);
    }
  }
}

// Made by a loading form, the manager lists nothing until Loaded, which fills
// the list in the background as the filter says.
TEST_F(SkinList, LoadedFillsTheListAsTheFilterSays) {
  manager.reset();  // the manager made here is the default one
  struct Case {
    TacSkinsFilter Filter;
    std::vector<String> Names;
  };
  const Case cases[] = {
      {sfiInternal | sfiExternal, {L"Alpha", L"Broken", L"Night (internal)"}},
      {sfiInternal, {L"Night (internal)"}},
      {sfiExternal, {L"Alpha", L"Broken"}},
      {0, {}},
  };
  for (const Case& c : cases) {
    TComponent owner(nullptr);
    owner.BeginLoading();
    auto* m = new TsSkinManager(&owner);
    m->SetSkinDirectory(folder.Path());
    m->SetSkinsFilter(c.Filter);
    auto* night = m->InternalSkins().Add();
    night->Name = L"Night (internal)";
    night->Data = ResourceBytes(L"NIGHT_SKIN");
    EXPECT_TRUE(m->SkinList().Entries().empty());
    EXPECT_FALSE(m->SkinList().Filling());
    owner.EndLoading();
    ASSERT_TRUE(WaitUntil([&] { return !m->SkinList().Filling() && !m->SkinList().UpdateNeeded(); }));
    EXPECT_EQ(Names(m->SkinList()), c.Names);
  }
}

// Made at run time, the manager fills its list at once.
TEST_F(SkinList, ManagerMadeAtRunTimeFillsItsList) {
  manager.reset();
  TsSkinManager m(nullptr);
  EXPECT_EQ(m.SkinDirectory(), L"c:\\Skins");
  EXPECT_TRUE(WaitUntil([&] { return !m.SkinList().Filling() && !m.SkinList().UpdateNeeded(); }));
}

TEST_F(SkinList, ChangingTheSourcesRebuildsTheListAndTellsIt) {
  ASSERT_TRUE(manager->SkinList().Update(true));
  int changes = 0;
  manager->OnSkinListChanged = [&](TObject*) { ++changes; };
  ScratchFolder other;
  ScratchFolder::WriteBytes(other.File(L"Other.skz"), Package({{"Options.dat", "[A]\r\n"}}));
  manager->SetSkinDirectory(other.Path());
  EXPECT_GE(changes, 1);
  // Rebuilt without being asked for.
  ASSERT_TRUE(WaitUntil([&] { return !manager->SkinList().Filling() && !manager->SkinList().UpdateNeeded(); }));
  EXPECT_EQ(Names(manager->SkinList()), (std::vector<String>{L"Night (internal)", L"Other"}));

  changes = 0;
  manager->SetSkinDirectory(UpperCase(other.Path()));  // the same folder
  manager->SetSkinsFilter(sfiInternal | sfiExternal);  // unchanged
  EXPECT_EQ(changes, 0);
  manager->SetSkinsFilter(sfiExternal);
  EXPECT_EQ(changes, 1);
  EXPECT_TRUE(manager->SkinList().UpdateNeeded());
  EXPECT_EQ(manager->GetSkinNames(2), std::vector<String>{L"Other"});
  manager->OnSkinListChanged = nullptr;
}

// Records the skin-list commands a control is sent and passes every message on.
struct CommandLog {
  std::vector<uint16_t> Codes;
  void Attach(TControl& control) {
    TWndMethod saved = control.WindowProc;
    control.WindowProc = [this, saved](TMessage& m) {
      if (m.Msg == WM_SKINCOMMAND && m.LParam == 0) Codes.push_back(SkinCommandCode(m.WParam));
      saved(m);
    };
  }
  int Count(uint16_t code) const { return int(std::count(Codes.begin(), Codes.end(), code)); }
};

TEST_F(SkinList, RegisteredControlsHearOfChangesUntilTheyGo) {
  auto* form = new TForm(Application, CreateNew);
  form->HandleNeeded();
  auto* graphic = new TControl(form);
  CommandLog formLog, graphicLog;
  formLog.Attach(*form);
  graphicLog.Attach(*graphic);
  TacSkinListController& list = manager->SkinList();
  list.RegisterControl(form);
  list.RegisterControl(graphic);
  list.RegisterControl(graphic);  // once is enough

  // Told at once of both changes of a rebuild: emptied, then filled.
  ASSERT_TRUE(list.Update(true));
  EXPECT_EQ(formLog.Count(AC_SKINLISTCHANGED), 2);
  EXPECT_EQ(graphicLog.Count(AC_SKINLISTCHANGED), 2);

  // The skin change: a control with a window hears it through its queue.
  manager->SetSkinName(L"Night (internal)");
  EXPECT_EQ(graphicLog.Count(AC_SKINLISTUPDATING), 1);
  ASSERT_TRUE(WaitUntil([&] { return formLog.Count(AC_SKINLISTUPDATING) == 1; }));

  delete graphic;  // unregistered by its end
  EXPECT_EQ(list.Controls(), std::vector<TControl*>{form});
  ASSERT_TRUE(list.Update(true));
  EXPECT_EQ(formLog.Count(AC_SKINLISTCHANGED), 4);

  list.UnregisterControl(form);
  ASSERT_TRUE(list.Update(true));
  EXPECT_EQ(formLog.Count(AC_SKINLISTCHANGED), 4);

  // A registered control that outlives the manager has nothing left to tell.
  list.RegisterControl(form);
  manager.reset();
  delete form;
}

// Forms hear when a background filling starts and when it is finished at once.
TEST_F(SkinList, FormsAreToldOfABackgroundScan) {
  auto* form = new TForm(Application, CreateNew);
  std::vector<LPARAM> scans;
  TWndMethod saved = form->WindowProc;
  form->WindowProc = [&scans, saved](TMessage& m) {
    if (m.Msg == WM_SKINCOMMAND && SkinCommandCode(m.WParam) == AC_SKINLISTSCAN) scans.push_back(m.LParam);
    saved(m);
  };
  ASSERT_TRUE(manager->SkinList().Update(false));
  manager->SkinList().FinishList();
  EXPECT_EQ(scans, (std::vector<LPARAM>{1, 0}));
  EXPECT_EQ(manager->SkinList().Entries().size(), 3u);
  delete form;
}

// A second manager on the default manager's folder shows the default's list.
TEST_F(SkinList, SecondManagerOnTheSameFolderTakesTheDefaultList) {
  TsSkinManager second(nullptr);
  second.SetSkinDirectory(folder.Path());
  EXPECT_EQ(second.GetSkinNames(2), (std::vector<String>{L"Alpha", L"Broken", L"Night (internal)"}));
  EXPECT_EQ(second.SkinList().Previews().Count(), 2);
  EXPECT_FALSE(second.SkinList().Filling());
}

}  // namespace
