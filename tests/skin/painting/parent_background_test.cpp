// A control asking its parent for the background under it: the parent
// answers with its cache bitmap, a colour (black included) or "not ready",
// or does not answer and is painted or stands in with a colour.
#include <gtest/gtest.h>

#include <memory>

#include "framework/Application.h"
#include "framework/Form.h"
#include "framework/Graphics.h"
#include "framework/Panel.h"
#include "skin/core/SkinCommand.h"
#include "skin/graphics/Bitmap32.h"
#include "skin/graphics/PixelRoutines.h"
#include "skin/painting/ParentBackground.h"
#include "tests/skin/manager/support/night_manager.h"

namespace {

enum class TAnswer { None, Bitmap, Colour, NotReady };

class ParentBackground : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { InitApplication(); }
  void SetUp() override {
    Form = new TForm(Application);
    Form->FinishCreate();
    Panel = new TPanel(Form);
    Panel->SetBounds(10, 10, 60, 40);
    Panel->SetParent(Form);
    Panel->SetColor(0x00123456);
    Cache = NewBitmap32(80, 60);
    TWndMethod inherited = Panel->WindowProc;
    Panel->WindowProc = [this, inherited](TMessage& m) {
      if (m.Msg != WM_SKINCOMMAND) return inherited(m);
      switch (SkinCommandCode(m.WParam)) {
        case AC_ISSKINNED:
          m.Result = Skinned ? 1 : 0;
          return;
        case AC_GETBGCOLOR:
          m.Result = Skinned ? LRESULT(SkinColour) : 0;
          return;
        case AC_GETBG: {
          auto& info = *reinterpret_cast<TacBackgroundInfo*>(m.LParam);
          if (Answer == TAnswer::Bitmap)
            info.BgKind = bgkBitmap, info.Bmp = Cache.get(), info.OffsetX = 3, info.OffsetY = 4;
          if (Answer == TAnswer::Colour) info.BgKind = bgkColor, info.Color = AnswerColour;
          if (Answer == TAnswer::NotReady) info.BgKind = bgkNotReady;
          m.Result = Answer == TAnswer::None ? 0 : 1;
          return;
        }
        default:
          return inherited(m);
      }
    };
  }
  void TearDown() override { delete Form; }

  TForm* Form = nullptr;
  TPanel* Panel = nullptr;
  std::unique_ptr<TBitmap> Cache;
  TAnswer Answer = TAnswer::None;
  uint32_t AnswerColour = 0;
  bool Skinned = false;
  uint32_t SkinColour = 0;
};

TEST_F(ParentBackground, AnswersReachTheSourceAsTheyWereGiven) {
  struct Case {
    const char* Name;
    TAnswer Answer;
    uint32_t Colour;
    uint8_t Kind;
    bool Ready;
    uint32_t FillColor;
  };
  const Case cases[] = {
      {"bitmap", TAnswer::Bitmap, 0, bgkBitmap, true, 0xFF00FF},
      {"black", TAnswer::Colour, 0x000000, bgkColor, false, 0x000000},
      {"red", TAnswer::Colour, 0x0000FF, bgkColor, false, 0x0000FF},
      {"system colour", TAnswer::Colour, 0xFF000000 | COLOR_WINDOW, bgkColor, false, GetSysColor(COLOR_WINDOW)},
      {"not ready", TAnswer::NotReady, 0, bgkNotReady, false, 0xFF00FF},
  };
  for (const Case& c : cases) {
    Answer = c.Answer;
    AnswerColour = c.Colour;
    TacBackgroundInfo byWindow, byControl;
    byWindow.Color = byControl.Color = 0xFF00FF;  // none, unless answered
    EXPECT_TRUE(QueryWindowBackground(byWindow, Panel->Handle(), false)) << c.Name;
    EXPECT_TRUE(QueryControlBackground(byControl, Panel, false)) << c.Name;
    for (const TacBackgroundInfo* info : {&byWindow, &byControl}) {
      EXPECT_EQ(info->BgKind, c.Kind) << c.Name;
      if (c.Kind == bgkNotReady) continue;
      TacBackgroundSource source;
      BackgroundInfoToSource(*info, source);
      EXPECT_EQ(source.Ready, c.Ready) << c.Name;
      if (c.Ready) {
        EXPECT_EQ(source.Bmp, Cache.get()) << c.Name;
        EXPECT_EQ(source.X, 3) << c.Name;
        EXPECT_EQ(source.Y, 4) << c.Name;
      } else {
        EXPECT_EQ(source.FillColor, c.FillColor) << c.Name;
      }
    }
  }
}

TEST_F(ParentBackground, ColourAnswerKeepsTheBitmapAndOffset) {
  Answer = TAnswer::Colour;
  AnswerColour = 0x00ABCDEF;
  TacBackgroundInfo info;
  info.OffsetX = 7, info.OffsetY = 9;
  QueryWindowBackground(info, Panel->Handle(), false);
  info.Bmp = Cache.get();
  TacBackgroundSource source;
  BackgroundInfoToSource(info, source);
  EXPECT_EQ(source.Bmp, Cache.get());
  EXPECT_EQ(source.X, 7);
  EXPECT_EQ(source.Y, 9);
  EXPECT_FALSE(source.Ready);
  EXPECT_EQ(source.FillColor, 0x00ABCDEFu);
}

// A skinned control's black background is an answer, not a missing one.
TEST_F(ParentBackground, UnansweredControlGivesItsColourBlackIncluded) {
  struct Case {
    const char* Name;
    bool Skinned;
    uint32_t SkinColour;
    uint32_t Expected;
  };
  const Case cases[] = {
      {"skinned, black", true, 0x000000, 0x000000},
      {"skinned, grey", true, 0x808080, 0x808080},
      {"not skinned", false, 0, 0x00123456},
  };
  for (const Case& c : cases) {
    Skinned = c.Skinned;
    SkinColour = c.SkinColour;
    TacBackgroundInfo info;
    info.Color = 0xFF00FF;
    EXPECT_TRUE(QueryControlBackground(info, Panel, false)) << c.Name;
    EXPECT_EQ(info.BgKind, bgkColor) << c.Name;
    EXPECT_EQ(info.Color, c.Expected) << c.Name;
  }
  TacBackgroundInfo none;
  EXPECT_TRUE(QueryControlBackground(none, nullptr, false));
  EXPECT_EQ(none.BgKind, bgkColor);
  EXPECT_EQ(none.Color, 0xFF00FFu);
}

TEST_F(ParentBackground, UnansweredWindowStandsInWithAColour) {
  TacBackgroundInfo info;
  EXPECT_FALSE(QueryWindowBackground(info, Panel->Handle(), false));
  EXPECT_EQ(info.BgKind, bgkColor);
  EXPECT_EQ(info.Color, 0x00123456u);

  HWND foreign = CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 10, 10, Form->Handle(), nullptr, nullptr, nullptr);
  ASSERT_NE(foreign, nullptr);
  TacBackgroundInfo other;
  EXPECT_FALSE(QueryWindowBackground(other, foreign, false));
  EXPECT_EQ(other.BgKind, bgkColor);
  EXPECT_EQ(other.Color, 0xFF00000Fu);
  DestroyWindow(foreign);
}

// The form has a frame and a caption, so its client origin lies inside its
// window rectangle, and R comes back moved by that offset.
TEST_F(ParentBackground, UnansweredWindowWithPleaseDrawPaintsItselfIntoR) {
  Form->SetColor(0x0000FF00);
  Form->SetBounds(0, 0, 200, 150);
  auto target = NewBitmap32(40, 40);
  FillRect32(*target, RECT{0, 0, 40, 40}, 0x00FF0000, 255);
  TacBackgroundInfo info;
  info.DrawDC = target->DC();
  info.R = RECT{0, 0, 20, 20};
  EXPECT_FALSE(QueryWindowBackground(info, Form->Handle(), true));
  EXPECT_EQ(info.BgKind, bgkUnanswered);
  RECT window{};
  GetWindowRect(Form->Handle(), &window);
  POINT offset{window.left, window.top};
  ScreenToClient(Form->Handle(), &offset);
  offset = POINT{-offset.x, -offset.y};
  EXPECT_GT(offset.y, 0);
  EXPECT_EQ(info.OffsetX, offset.x);
  EXPECT_EQ(info.OffsetY, offset.y);
  EXPECT_EQ(info.R.left, offset.x);
  EXPECT_EQ(info.R.top, offset.y);
  EXPECT_EQ(info.R.right, 20 + offset.x);
  GdiFlush();
  EXPECT_EQ(GetPixel32(*target, 5, 5) & 0xFFFFFF, 0x00FF00u);    // the form's colour
  EXPECT_EQ(GetPixel32(*target, 30, 30) & 0xFFFFFF, 0x0000FFu);  // outside R: untouched
}

// With a loaded default skin the stand-in colour is the skin's own.
TEST_F(ParentBackground, UnansweredWindowTakesTheDefaultSkinsColour) {
  auto manager = LoadedNightManager();
  ASSERT_TRUE(manager->IsSkinLoaded());
  ASSERT_EQ(TsSkinManager::DefaultManager(), manager.get());
  uint32_t skinColour = uint32_t(manager->SkinOptions().ReadInteger(L"GLOBALINFO", L"COLOR", -1));
  ASSERT_NE(skinColour, 0xFFFFFFFFu);
  TacBackgroundInfo info;
  EXPECT_FALSE(QueryWindowBackground(info, Panel->Handle(), false));
  EXPECT_EQ(info.BgKind, bgkColor);
  EXPECT_EQ(info.Color, skinColour);
}

}  // namespace
