// The pattern every skinned control shares, on one small control: when the
// cache is rebuilt, when a paint waits for the parent, and which messages
// the stages keep for themselves.
#include "skin/controls/SkinnedControl.h"

#include "framework/Application.h"
#include "framework/Form.h"
#include "skin/graphics/Bitmap32.h"
#include "skin/manager/SkinManager.h"
#include "skin/state/StateServices.h"
#include "tests/skin/support/text_skin.h"

#include <gtest/gtest.h>

namespace {

const std::string kSkin = "[GLOBALINFO]\r\nVERSION=12.50\r\nCOLOR=$00203040\r\n[EDIT]\r\nCOLOR=$00112233\r\n";

// A container that answers the background question with its own colour
// picture, or "not ready", and the child-background question as told.
class TBgParent : public TCustomControl {
 public:
  explicit TBgParent(TComponent* owner) : TCustomControl(owner) {
    Picture = NewBitmap32(100, 80);
    for (int y = 0; y < 80; ++y)
      for (int x = 0; x < 100; ++x) static_cast<uint32_t*>(Picture->ScanLine(y))[x] = 0xFF405060;
  }
  std::unique_ptr<TBitmap> Picture;
  bool Ready = true;
  LRESULT ChildBgChanged = 0;

 protected:
  void WndProc(TMessage& m) override {
    if (m.Msg == WM_SKINCOMMAND) {
      switch (SkinCommandCode(m.WParam)) {
        case AC_GETBG: {
          auto* info = reinterpret_cast<TacBackgroundInfo*>(m.LParam);
          info->BgKind = Ready ? bgkBitmap : bgkNotReady;
          info->Bmp = Ready ? Picture.get() : nullptr;
          info->OffsetX = info->OffsetY = 0;
          return;
        }
        case AC_GETCHILDBGFLAG:
          m.Result = ChildBgChanged;
          return;
      }
    }
    TCustomControl::WndProc(m);
  }
};

class TPatternBox : public TacSkinnedControl<TCustomControl> {
 public:
  explicit TPatternBox(TComponent* owner) : TacSkinnedControl(owner, 3, ssEdit) { AfterConstruction(); }
  int Builds = 0;

 protected:
  void DrawContent() override { ++Builds; }
};

class SkinnedControlTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { InitApplication(); }
  void SetUp() override {
    manager = TextSkinManager(L"Pattern", kSkin);
    ASSERT_TRUE(manager->IsSkinLoaded());
    form = std::make_unique<TForm>(Application, CreateNew);
    form->SetBounds(0, 0, 240, 160);
    form->Show();
    parent = new TBgParent(form.get());
    parent->SetBounds(10, 10, 100, 80);
    parent->SetParent(form.get());
    box = new TPatternBox(form.get());
    box->SetBounds(10, 10, 40, 20);
    box->SetParent(parent);
    box->SkinData()->SetSkinManager(manager.get());
    box->HandleNeeded();
    PaintNow();
    box->Builds = 0;
  }
  void TearDown() override {
    StateServices.FormAnimationRunning = nullptr;
    form.reset();
    manager.reset();
  }
  void PaintNow() { RedrawWindow(box->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_FRAME); }
  TMessage Command(uint16_t code, LPARAM lparam = 0) {
    TMessage m{WM_SKINCOMMAND, SkinCommandWParam(code), lparam, 0};
    box->WindowProc(m);
    return m;
  }

  std::unique_ptr<TsSkinManager> manager;
  std::unique_ptr<TForm> form;
  TBgParent* parent = nullptr;
  TPatternBox* box = nullptr;
};

TEST_F(SkinnedControlTest, PaintsItsSectionFromTheCacheOverTheParent) {
  ASSERT_TRUE(box->SkinData()->IsSkinned());
  box->SkinData()->BGChanged = true;
  PaintNow();
  EXPECT_EQ(box->Builds, 1);
  ASSERT_TRUE(box->SkinData()->CacheBmp);
  const HDC dc = GetDC(box->Handle());
  EXPECT_EQ(GetPixel(dc, 20, 10) & 0xFFFFFF, 0x112233u & 0xFFFFFF);
  ReleaseDC(box->Handle(), dc);
}

// Whether a paint rebuilds the cache: the control's own flag, the parent's
// answer, or lying partly outside the parent (then on every paint).
TEST_F(SkinnedControlTest, RebuildsOnlyWhenTheCacheIsStale) {
  struct Case {
    const char* name;
    bool ownFlag;
    LRESULT parentSays;
    int left;
    int buildsAfterTwoPaints;
  };
  const Case cases[] = {
      {"fresh cache, parent unchanged", false, 0, 10, 0},
      {"own flag set", true, 0, 10, 1},
      {"parent reports a changed background", false, 1, 10, 2},
      {"partly outside the parent", false, 0, 80, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    box->SetBounds(c.left, 10, 40, 20);
    parent->ChildBgChanged = 0;
    box->SkinData()->BGChanged = true;
    PaintNow();
    PaintNow();  // the paint after a move knows where the control lies
    box->Builds = 0;
    box->SkinData()->BGChanged = c.ownFlag;
    parent->ChildBgChanged = c.parentSays;
    PaintNow();
    PaintNow();
    EXPECT_EQ(box->Builds, c.buildsAfterTwoPaints);
  }
}

TEST_F(SkinnedControlTest, APaintWaitsForTheParentsBackgroundAndIsMadeUpWhenItIsDone) {
  parent->Ready = false;
  box->SkinData()->BGChanged = true;
  PaintNow();
  EXPECT_EQ(box->Builds, 0);
  EXPECT_TRUE(box->SkinData()->Updating);

  parent->Ready = true;
  Command(AC_UPDATEDONE);
  PaintNow();
  EXPECT_EQ(box->Builds, 1);
  EXPECT_FALSE(box->SkinData()->Updating);
  EXPECT_FALSE(box->SkinData()->BGChanged);
}

TEST_F(SkinnedControlTest, SkinCommandsOfAnotherManagerAreNotTakenAsItsOwn) {
  auto other = TextSkinManager(L"Other", kSkin);
  Command(AC_SKINREMOVED, reinterpret_cast<LPARAM>(other.get()));
  EXPECT_TRUE(box->SkinData()->IsSkinned());

  Command(AC_SKINREMOVED, reinterpret_cast<LPARAM>(manager.get()));
  EXPECT_FALSE(box->SkinData()->IsSkinned());
  Command(AC_SKINLOADED, reinterpret_cast<LPARAM>(manager.get()));
  EXPECT_TRUE(box->SkinData()->IsSkinned());
}

TEST_F(SkinnedControlTest, AnswersTheQuestionsEveryControlAnswers) {
  EXPECT_EQ(Command(AC_GETDEFSECTION).Result, ssEdit);
  EXPECT_EQ(Command(AC_ISSKINNED).Result, 1);
  EXPECT_EQ(Command(AC_GETDEFINDEX).Result, manager->GetSectionIndex(L"EDIT") + 1);
}

TEST_F(SkinnedControlTest, WhileAWindowAnimationRunsAPaintOnlyValidates) {
  StateServices.FormAnimationRunning = [] { return true; };
  box->SkinData()->BGChanged = true;
  InvalidateRect(box->Handle(), nullptr, FALSE);
  TMessage erase{WM_ERASEBKGND, 0, 0, 0};
  box->WindowProc(erase);
  EXPECT_EQ(erase.Result, 1);
  RedrawWindow(box->Handle(), nullptr, nullptr, RDW_UPDATENOW);
  RECT update;
  EXPECT_FALSE(GetUpdateRect(box->Handle(), &update, FALSE));
}

TEST_F(SkinnedControlTest, WithoutASkinTheFrameworkControlPaints) {
  Command(AC_SKINREMOVED, reinterpret_cast<LPARAM>(manager.get()));
  box->SkinData()->BGChanged = true;
  PaintNow();
  EXPECT_EQ(box->Builds, 0);
  TMessage color{WM_SKINCOMMAND, SkinCommandWParam(AC_GETBGCOLOR), 0, 0};
  box->SetColor(TColor(0x00445566));
  box->WindowProc(color);
  EXPECT_EQ(color.Result, 0x445566);
}

}  // namespace
