// The frame adapter: a frame painted from its skin section, registered with
// its form, and its speed buttons losing their hot look when the mouse
// enters the frame itself.
#include "framework/Application.h"
#include "framework/Form.h"
#include "framework/Frame.h"
#include "skin/controls/FrameAdapter.h"
#include "skin/controls/SkinnedControl.h"
#include "skin/controls/SkinnedSpeedButton.h"
#include "skin/manager/ManagerOptions.h"
#include "skin/manager/SkinManager.h"
#include "tests/skin/support/PixelHelpers.h"
#include "tests/support/scratch_folder.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

const std::string kSkin =
    "[GLOBALINFO]\r\nVERSION=12.50\r\n"
    "[SPEEDBUTTON]\r\nCOLOR=$00203040\r\nTRANSPARENCY=0\r\n"
    "[OPAQUEFRAME]\r\nCOLOR=$00102030\r\nTRANSPARENCY=0\r\n"
    "[HALFFRAME]\r\nCOLOR=$00204060\r\nTRANSPARENCY=50\r\n"
    "[CLEARFRAME]\r\nCOLOR=$00204060\r\nTRANSPARENCY=100\r\n";

// A form that notes the frames registering and leaving, with whether the
// frame's window still existed then.
class TNotingForm : public TForm {
 public:
  TNotingForm() : TForm(Application, CreateNew) {}
  struct Registration {
    int Add;
    bool FrameWindowAlive;
  };
  std::vector<Registration> Seen;
  HWND FrameWnd = nullptr;

 protected:
  void WndProc(TMessage& m) override {
    if (m.Msg == WM_SKINCOMMAND && SkinCommandCode(m.WParam) == AC_REGISTERFRAME)
      Seen.push_back({SkinCommandArgument(m.WParam), FrameWnd && IsWindow(FrameWnd) != FALSE});
    TForm::WndProc(m);
  }
};

class FrameAdapter : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { InitApplication(); }
  void SetUp() override {
    CreateDirectoryW((skins.Path() + L"Small").c_str(), nullptr);
    ScratchFolder::WriteBytes(skins.Path() + L"Small\\Options.dat", kSkin);
    manager = std::make_unique<TsSkinManager>(nullptr);
    manager->OnShowError = [](const String&) { ADD_FAILURE() << "error shown"; };
    manager->Effects().SetAllowAnimation(false);
    manager->SetSkinDirectory(skins.Path());
    manager->SetSkinName(L"Small");
    ASSERT_TRUE(manager->IsSkinLoaded());
    form = std::make_unique<TNotingForm>();
    form->SetClientSize(300, 200);
    form->SetColor(TColor(0x00050607));
    form->HandleNeeded();
  }
  void TearDown() override {
    form.reset();
    manager.reset();
  }
  TFrame* AddFrame(const wchar_t* section) {
    auto* frame = new TFrame(form.get());
    frame->SetBounds(10, 10, 120, 80);
    frame->SetParent(form.get());
    frame->HandleNeeded();
    adapter = new TsFrameAdapter(frame);
    if (*section) adapter->SkinData()->SetSkinSection(section);
    adapter->SkinData()->Loaded(false);
    return frame;
  }

  ScratchFolder skins;
  std::unique_ptr<TsSkinManager> manager;
  std::unique_ptr<TNotingForm> form;
  TsFrameAdapter* adapter = nullptr;
};

TEST_F(FrameAdapter, RefusesAnOwnerThatIsNotAFrame) {
  try {
    TsFrameAdapter wrong(form.get());
    FAIL() << "no exception";
  } catch (const EFrameAdapter& e) {
    EXPECT_EQ(e.Message(), L"TsFrameAdapter adapter must be placed on the handled frame");
  }
}

TEST_F(FrameAdapter, AnswersItsSectionAndBackgroundColour) {
  auto* frame = AddFrame(L"");
  EXPECT_EQ(frame->Perform(WM_SKINCOMMAND, SkinCommandWParam(AC_GETDEFSECTION), 0), ssTransparent);
  EXPECT_EQ(frame->Perform(WM_SKINCOMMAND, SkinCommandWParam(AC_GETDEFINDEX), 0),
            manager->GetSectionIndex(L"TRANSPARENT") + 1);
  EXPECT_EQ(frame->Perform(WM_SKINCOMMAND, SkinCommandWParam(AC_GETCOMMONDATA), 0),
            reinterpret_cast<LRESULT>(adapter->SkinData()));

  const struct {
    const wchar_t* section;
    uint32_t colour;
  } cases[] = {
      {L"OPAQUEFRAME", 0x00102030},  // its own colour
      {L"CLEARFRAME", 0x00050607},   // the form's
  };
  for (const auto& c : cases) {
    adapter->SkinData()->SetSkinSection(c.section);
    ASSERT_TRUE(adapter->SkinData()->IsSkinned());
    EXPECT_EQ(uint32_t(frame->Perform(WM_SKINCOMMAND, SkinCommandWParam(AC_GETBGCOLOR), 0)), c.colour)
        << std::wstring(c.section);
  }
  adapter->SkinData()->SetSkinSection(L"HALFFRAME");
  const uint32_t half = uint32_t(frame->Perform(WM_SKINCOMMAND, SkinCommandWParam(AC_GETBGCOLOR), 0));
  EXPECT_NE(half, 0x00204060u);
  EXPECT_NE(half, 0x00050607u);
}

TEST_F(FrameAdapter, ASecondAdapterLeavesTheWindowProcedureToTheFirst) {
  auto* frame = AddFrame(L"OPAQUEFRAME");
  TsFrameAdapter* first = adapter;
  auto* second = new TsFrameAdapter(frame);
  EXPECT_EQ(frame->Perform(WM_SKINCOMMAND, SkinCommandWParam(AC_GETCOMMONDATA), 0),
            reinterpret_cast<LRESULT>(first->SkinData()));
  delete second;
  EXPECT_EQ(frame->Perform(WM_SKINCOMMAND, SkinCommandWParam(AC_GETCOMMONDATA), 0),
            reinterpret_cast<LRESULT>(first->SkinData()));
  EXPECT_EQ(GetWndCommonData(frame->Handle()), first->SkinData());  // still found from the window
}

TEST_F(FrameAdapter, PaintsTheFrameFromItsSection) {
  auto* frame = AddFrame(L"OPAQUEFRAME");
  form->Show();
  std::unique_ptr<TBitmap> bmp(FilledBitmap32(frame->Width(), frame->Height(), 0xFF00FF00));
  frame->Perform(WM_PRINT, reinterpret_cast<WPARAM>(bmp->DC()), PRF_CLIENT);
  for (POINT p : {POINT{0, 0}, POINT{60, 40}, POINT{119, 79}})
    EXPECT_EQ(PixelAt(*bmp, p.x, p.y) & 0xFFFFFF, 0x302010u) << p.x << "," << p.y;
}

TEST_F(FrameAdapter, RegistersWithItsFormUntilTheFrameGoes) {
  auto* frame = AddFrame(L"OPAQUEFRAME");
  form->FrameWnd = frame->Handle();
  adapter->Loaded();
  ASSERT_EQ(form->Seen.size(), 1u);
  EXPECT_EQ(form->Seen[0].Add, 1);
  delete frame;
  ASSERT_GE(form->Seen.size(), 2u);
  EXPECT_EQ(form->Seen[1].Add, 0);
  EXPECT_TRUE(form->Seen[1].FrameWindowAlive);
}

TEST_F(FrameAdapter, EnteringTheFrameEndsTheHotLookOfItsSpeedButtons) {
  auto* frame = AddFrame(L"OPAQUEFRAME");
  auto* hot = new TsSpeedButton(form.get());
  auto* entering = new TsSpeedButton(form.get());
  for (auto [b, left] : {std::pair{hot, 4}, {entering, 40}}) {
    b->SetBounds(left, 4, 30, 24);
    b->SetParent(frame);
  }
  form->Show();
  SetCursorPos(0, 0);
  hot->Perform(CM_MOUSEENTER, 0, reinterpret_cast<LPARAM>(hot));
  ASSERT_TRUE(hot->SkinData()->MouseAbove);
  frame->Perform(CM_MOUSEENTER, 0, reinterpret_cast<LPARAM>(entering));
  EXPECT_FALSE(hot->SkinData()->MouseAbove);
  EXPECT_EQ(manager->HotWindow(), frame->Handle());
}

}  // namespace
