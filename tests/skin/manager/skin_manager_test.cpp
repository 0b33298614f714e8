// The skin manager: where a skin is found, the change sequence with its events
// and broadcasts, and skins that are broken.
#include "framework/Application.h"
#include "framework/Button.h"
#include "framework/Form.h"
#include "framework/UnitTable.h"
#include "skin/core/SkinCommand.h"
#include "skin/manager/SkinManager.h"
#include "tests/skin/manager/support/packages.h"
#include "tests/support/scratch_folder.h"

#include <gtest/gtest.h>

namespace {

const String kNightDir = String(L"" KELVRA_NIGHT_DIR) + L"/";

class SkinManagerTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { InitApplication(); }
  void SetUp() override {
    manager = std::make_unique<TsSkinManager>(nullptr);
    manager->OnShowError = [this](const String& text) { errors.push_back(text); };
    manager->SetSkinDirectory(skins.Path());
    auto* night = manager->InternalSkins().Add();
    night->Name = L"Night (internal)";
    night->Data = ResourceBytes(L"NIGHT_SKIN");
  }
  void WriteFolderSkin(const String& name, const std::string& options) {
    CreateDirectoryW((skins.Path() + name).c_str(), nullptr);
    ScratchFolder::WriteBytes(skins.Path() + name + L"\\Options.dat", options);
  }
  ScratchFolder skins;
  std::unique_ptr<TsSkinManager> manager;
  std::vector<String> errors;
};

const std::string kTinySkin = "[GLOBALINFO]\r\nVERSION=12.50\r\nAUTHOR=folder\r\n[BUTTON]\r\nCOLOR=$00112233\r\n";

TEST_F(SkinManagerTest, FolderWinsOverPackedWhichWinsOverInternal) {
  const String name = L"Night (internal)";
  ScratchFolder::WriteBytes(skins.Path() + name + L".skz",
                            Package({{"Options.dat", "[GLOBALINFO]\r\nAUTHOR=packed\r\n[EDIT]\r\nCOLOR=1\r\n"}}));
  manager->SetSkinName(name);
  EXPECT_EQ(manager->SkinOrigin(), TacSkinOrigin::Packed);
  EXPECT_EQ(manager->Globals().Author, L"packed");

  WriteFolderSkin(name, kTinySkin);
  manager->SetSkinName(name);
  EXPECT_EQ(manager->SkinOrigin(), TacSkinOrigin::Folder);
  EXPECT_EQ(manager->Globals().Author, L"folder");
  EXPECT_EQ(manager->SkinInfo(), L"12.50");
  EXPECT_GE(manager->GetSectionIndex(L"BUTTON"), 0);

  manager->SetSkinDirectory(skins.Path() + L"elsewhere");
  manager->SetSkinName(name);
  EXPECT_EQ(manager->SkinOrigin(), TacSkinOrigin::Internal);
  EXPECT_TRUE(errors.empty());
}

TEST_F(SkinManagerTest, FolderSkinTakesItsPicturesFromTheFolder) {
  WriteFolderSkin(L"Night", ScratchFolder::ReadBytes(kNightDir + L"night/Options.dat"));
  ScratchFolder::WriteBytes(skins.Path() + L"Night\\NIGHT.PNG",
                            ScratchFolder::ReadBytes(kNightDir + L"night/NIGHT.PNG"));
  manager->SetSkinName(L"Night");
  ASSERT_EQ(manager->SkinOrigin(), TacSkinOrigin::Folder);
  ASSERT_TRUE(manager->Globals().MasterBitmap);
  EXPECT_GE(manager->GetMaskIndex(L"GLOBALINFO", L"BOXCHECKED"), 0);
}

TEST_F(SkinManagerTest, UnknownNameTakesTheFirstInternalSkinAndATrailingSkzIsCut) {
  manager->SetSkinName(L"night (INTERNAL)");
  EXPECT_EQ(manager->SkinName(), L"Night (internal)");
  EXPECT_TRUE(manager->IsSkinLoaded());

  WriteFolderSkin(L"Tiny", kTinySkin);
  manager->SetSkinName(L"Tiny.skz");
  EXPECT_EQ(manager->SkinName(), L"Tiny");
  EXPECT_EQ(manager->SkinOrigin(), TacSkinOrigin::Folder);
}

TEST_F(SkinManagerTest, NoSkinAnywhereSwitchesTheManagerOff) {
  TsSkinManager bare(nullptr);
  bare.SetSkinDirectory(skins.Path());
  bare.SetSkinName(L"Nothing");
  EXPECT_FALSE(bare.Active());
  EXPECT_FALSE(bare.IsSkinLoaded());
  EXPECT_EQ(bare.SkinInfo(), L"N/A");
}

struct BrokenCase {
  const char* what;
  std::string skz;
  const wchar_t* messageStart;
};

TEST_F(SkinManagerTest, BrokenPackedSkinsAreRefusedWithTheirMessage) {
  const std::string good = Package({{"Options.dat", kTinySkin}});
  const BrokenCase cases[] = {
      {"no options entry", Package({{"A.PNG", "x"}}), L"Internal format error in the \"Broken\" skin."},
      {"not a package", "PK\x03\x04 zip file", L"Loaded data is not a packed"},
      {"cut short", good.substr(0, good.size() - 3), L"Packed skin data is corrupt"},
      {"empty file", "", L"Loaded data is not a packed"},
  };
  for (const auto& c : cases) {
    errors.clear();
    ScratchFolder::WriteBytes(skins.Path() + L"Broken.skz", c.skz);
    manager->SetSkinName(L"Broken");
    ASSERT_EQ(errors.size(), 1u) << c.what;
    EXPECT_EQ(errors[0].rfind(c.messageStart, 0), 0u) << c.what;
    EXPECT_FALSE(manager->IsSkinLoaded()) << c.what;
    EXPECT_TRUE(manager->Active()) << c.what;
  }
  // The manager takes a good skin after a broken one.
  manager->SetSkinName(L"Night (internal)");
  EXPECT_TRUE(manager->IsSkinLoaded());
}

TEST_F(SkinManagerTest, MalformedFolderSkinLoadsWithDefaults) {
  WriteFolderSkin(L"Odd",
                  "[GLOBALINFO]\r\nVERSION=abc\r\nMASTERBITMAP=MISSING.PNG\r\nFontCount=999999999\r\n"
                  "BOXCHECKED=^0000^0000^0040^0020^0000^0000^0000^0000^0^0^0^0000\r\n"
                  "[A]\r\nPARENTCLASS=B\r\nSTATES=$\r\n[B]\r\nPARENTCLASS=A\r\nGLOW=-99999999999\r\n");
  manager->SetSkinName(L"Odd");
  EXPECT_TRUE(manager->IsSkinLoaded());
  EXPECT_EQ(manager->SkinInfo(), L"0.00");
  EXPECT_FALSE(manager->Globals().MasterBitmap);
  const TacSkinData* d = manager->SkinData();
  ASSERT_NE(d, nullptr);
  EXPECT_EQ(d->GeneralDataArray[d->SectionIndex(L"A")].States, 3);
  EXPECT_TRUE(errors.empty());
}

// A form that writes down the skin commands that reach it and its button.
class TRecordingForm : public TForm {
 public:
  TRecordingForm() : TForm(Application, CreateNew) {
    button = new TButton(this);
    button->SetParent(this);
    Hook(this, formSeen);
    Hook(button, buttonSeen);
    HandleNeeded();
  }
  std::vector<uint16_t> formSeen, buttonSeen;
  TButton* button;

 private:
  static void Hook(TControl* control, std::vector<uint16_t>& seen) {
    TWndMethod old = control->WindowProc;
    control->WindowProc = [old, &seen](TMessage& m) {
      // AC_ISSKINNED is the broadcast asking, not telling.
      if (m.Msg == WM_SKINCOMMAND && SkinCommandCode(m.WParam) != AC_ISSKINNED)
        seen.push_back(SkinCommandCode(m.WParam));
      old(m);
    };
  }
};

TEST_F(SkinManagerTest, ChangeSequenceRunsItsEventsAndTellsOurForms) {
  auto form = std::make_unique<TRecordingForm>();
  std::vector<std::string> events;
  manager->OnBeforeChange = [&](TObject*) { events.push_back("before"); };
  manager->OnSkinLoading = [&](TObject*) { events.push_back("loading"); };
  manager->OnActivate = [&](TObject*) { events.push_back("activate"); };
  manager->OnAfterChange = [&](TObject*) { events.push_back("after"); };
  manager->OnDeactivate = [&](TObject*) { events.push_back("deactivate"); };
  manager->SetSkinName(L"Night (internal)");
  EXPECT_EQ(events, (std::vector<std::string>{"before", "loading", "activate", "after"}));
  const std::vector<uint16_t> loaded = {AC_SKINLOADED, AC_STOPFADING, AC_SKINREFRESH};
  EXPECT_EQ(form->formSeen, loaded);
  EXPECT_EQ(form->buttonSeen, loaded);

  // A refused change loads nothing and tells nobody.
  events.clear();
  form->formSeen.clear();
  manager->OnSkinChanging = [](TObject*, const String&, bool& allow) { allow = false; };
  manager->SetSkinName(L"Other");
  EXPECT_EQ(manager->SkinName(), L"Night (internal)");
  EXPECT_TRUE(form->formSeen.empty());
  EXPECT_TRUE(manager->IsSkinLoaded());
  manager->OnSkinChanging = nullptr;

  events.clear();
  form->formSeen.clear();
  manager->SetActive(false);
  EXPECT_FALSE(manager->IsSkinLoaded());
  EXPECT_EQ(form->formSeen, std::vector<uint16_t>{AC_SKINREMOVED});
  EXPECT_EQ(events, std::vector<std::string>{"deactivate"});
}

TEST_F(SkinManagerTest, ManagerOwnedByAFormGoesWhileTheFormIsWhole) {
  auto other = std::make_unique<TRecordingForm>();
  auto* form = new TRecordingForm();
  auto* owned = new TsSkinManager(form);
  owned->OnShowError = [](const String&) {};
  auto* night = owned->InternalSkins().Add();
  night->Name = L"Night (internal)";
  night->Data = ResourceBytes(L"NIGHT_SKIN");
  owned->SetSkinName(L"Night (internal)");
  ASSERT_TRUE(owned->IsSkinLoaded());
  bool ownerWhole = false;
  owned->OnDeactivate = [&](TObject*) {
    auto* f = dynamic_cast<TForm*>(owned->Owner());
    ownerWhole = f && f->HandleAllocated() && IsWindow(f->Handle());
  };
  other->formSeen.clear();
  delete form;
  EXPECT_TRUE(ownerWhole);
  // The forms that stay are told the skin went.
  EXPECT_EQ(other->formSeen, std::vector<uint16_t>{AC_SKINREMOVED});
}

}  // namespace
