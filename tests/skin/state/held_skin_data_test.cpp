// What controls keep from their manager (the skin data they cache, the
// section index into it, the brush their window class paints with) stays
// valid when the manager builds its skin data again.
#include "framework/Application.h"
#include "framework/Form.h"
#include "skin/manager/SkinGlobals.h"
#include "skin/manager/SkinManager.h"
#include "skin/state/CtrlSkinData.h"
#include "skin/state/CtrlSkinStage.h"
#include "tests/skin/state/support/state_fixture.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

// A received skin's option text: two sections of our own, in the order given.
std::string Options(const char* first, const char* second) {
  return std::string("[GLOBALINFO]\r\nVERSION=12.50\r\nCOLOR=$00306090\r\n[") + first + "]\r\nCOLOR=$00112233\r\n[" +
         second + "]\r\nCOLOR=$00445566\r\n";
}

class TStagedBox : public TRecordingBox<TsCtrlSkinData> {
 public:
  explicit TStagedBox(TComponent* owner) : TRecordingBox(owner) { InstallCtrlSkinStage(*Data); }
};

class HeldSkinDataTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { InitApplication(); }
  void SetUp() override {
    manager = std::make_unique<TsSkinManager>(nullptr);
    manager->OnShowError = [](const String&) { ADD_FAILURE() << "error shown"; };
    form = std::make_unique<TForm>(Application, CreateNew);
    form->HandleNeeded();
  }
  void TearDown() override {
    form.reset();
    manager.reset();
  }
  void Receive(const wchar_t* section, const std::string& options) {
    manager->ApplyReceivedSkin({L"Sent", section, L"c:\\nowhere", options});
    ASSERT_TRUE(manager->IsSkinLoaded());
  }
  TStagedBox* MakeBox(const wchar_t* section) {
    auto* box = new TStagedBox(form.get());
    box->SetParent(form.get());
    box->HandleNeeded();
    box->Data->Loaded(false);
    box->Data->SetSkinSection(section);
    return box;
  }
  std::unique_ptr<TsSkinManager> manager;
  std::unique_ptr<TForm> form;
};

// The skin editor sends the skin again naming the section it changed: the
// manager frees its skin data and builds it anew, so every control, not only
// those of that section, must let go of the old data and find its section
// in the new.
TEST_F(HeldSkinDataTest, ReceivedSectionReachesEveryControl) {
  Receive(L"", Options("ALPHA", "BETA"));
  TStagedBox* alpha = MakeBox(L"ALPHA");
  TStagedBox* beta = MakeBox(L"BETA");
  ASSERT_EQ(alpha->Data->SkinIndex, manager->GetSectionIndex(L"ALPHA"));
  ASSERT_EQ(beta->Data->SkinIndex, manager->GetSectionIndex(L"BETA"));
  ASSERT_NE(alpha->Data->GetScaledSkinData(), nullptr);
  ASSERT_NE(beta->Data->GetScaledSkinData(), nullptr);

  Receive(L"BETA", Options("BETA", "ALPHA"));
  ASSERT_NE(manager->GetSectionIndex(L"ALPHA"), manager->GetSectionIndex(L"BETA"));
  for (TStagedBox* box : {alpha, beta}) {
    const String section = box->Data->SkinSection();
    SCOPED_TRACE(std::string(section.begin(), section.end()));
    EXPECT_EQ(box->Data->SkinIndex, manager->GetSectionIndex(section));
    // Nothing, to be chosen again, or the data built now.
    const TacSkinData* cached = box->Data->CachedSkinData();
    EXPECT_TRUE(cached == nullptr || cached == manager->SkinData());
  }
}

// The manager's main-colour brush is the background brush of skinned
// controls' window classes; building the same palette again, as the first
// use of another density does, must leave it whole.
TEST_F(HeldSkinDataTest, ClassBrushOutlivesRebuildsOfThePalette) {
  struct Case {
    const char* name;
    int hue;
  } cases[] = {{"as the skin has it", 0}, {"turned in hue", 90}};
  const TSmallSkinFolder skins(Options("ALPHA", "BETA"));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    manager.reset();
    manager = skins.Manager();
    manager->SetHueOffset(c.hue);
    ASSERT_TRUE(manager->IsSkinLoaded());
    TStagedBox* box = MakeBox(L"ALPHA");
    box->Data->ApplySkinColors(false);
    const auto brush = HBRUSH(GetClassLongPtrW(box->Handle(), GCLP_HBRBACKGROUND));
    ASSERT_EQ(brush, manager->Globals().Brushes[pcMainColor]);

    ASSERT_NE(manager->GetSkinDataForPPI(144), nullptr);
    EXPECT_EQ(manager->Globals().Brushes[pcMainColor], brush);
    LOGBRUSH painted{};
    ASSERT_EQ(GetObjectType(brush), DWORD(OBJ_BRUSH));
    ASSERT_EQ(GetObjectW(brush, sizeof painted, &painted), int(sizeof painted));
    EXPECT_EQ(painted.lbColor, manager->Palette()[pcMainColor] & 0xFFFFFF);
    delete box;
  }
}

// A new main colour gives a new brush, but a class that has not been told yet
// still paints with the one it holds: that one must not be freed under it.
TEST_F(HeldSkinDataTest, ClassBrushOutlivesAChangeOfTheMainColour) {
  const TSmallSkinFolder skins(Options("ALPHA", "BETA"));
  manager = skins.Manager();
  ASSERT_TRUE(manager->IsSkinLoaded());
  const HBRUSH held = manager->Globals().Brushes[pcMainColor];
  const uint32_t heldColour = manager->Palette()[pcMainColor] & 0xFFFFFF;

  manager->SetHueOffset(90);
  ASSERT_NE(manager->Palette()[pcMainColor] & 0xFFFFFF, heldColour);
  EXPECT_NE(manager->Globals().Brushes[pcMainColor], held);
  LOGBRUSH painted{};
  ASSERT_EQ(GetObjectType(held), DWORD(OBJ_BRUSH));
  ASSERT_EQ(GetObjectW(held, sizeof painted, &painted), int(sizeof painted));
  EXPECT_EQ(painted.lbColor, heldColour);
}

}  // namespace
