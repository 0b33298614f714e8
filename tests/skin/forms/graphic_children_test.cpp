// The graphic children of a skinned container painted off screen over its
// background and copied to a DC: the background kinds, the key-colour
// corner, the empty clip box, re-entry from a child's painting and which
// children count as visible.
#include "skin/forms/GraphicChildren.h"

#include <memory>
#include <stdexcept>

#include "support/form_fixture.h"
#include "support/painted_controls.h"

namespace {

constexpr uint32_t kSentinel = 0xFF445566;

class GraphicChildren : public FormFixture {
 protected:
  void SetUp() override {
    FormFixture::SetUp();
    Container = Add<TSolidControl>(Form, L"", {0, 0, 70, 50});
    Container->HandleNeeded();
    Log.Watch(Container);
    Target.reset(FilledBitmap32(90, 70, kSentinel));
  }
  TSolidGraphic* Graphic(RECT Bounds, TColor Fill) {
    auto* C = Add<TSolidGraphic>(Container, L"", Bounds);
    C->Fill = Fill;
    return C;
  }
  void AnswerBackground(uint8_t Kind, TBitmap* Bmp, uint32_t Color, RECT FillRect = {}) {
    TacBackgroundInfo Answer;
    Answer.BgKind = Kind;
    Answer.Bmp = Bmp;
    Answer.Color = Color;
    Answer.OffsetX = 1;
    Answer.OffsetY = 2;
    Answer.FillRect = FillRect;
    TBackgroundAnswer Answering(Container, Answer);
  }

  TSolidControl* Container = nullptr;
  std::unique_ptr<TBitmap> Target;
  std::unique_ptr<TBitmap> Background = PlaceBitmap(100, 80);
};

TEST_F(GraphicChildren, PaintedOverTheBackgroundAndCopiedAtTheOffset) {
  AnswerBackground(bgkBitmap, Background.get(), 0);
  auto* Red = Graphic({10, 5, 30, 15}, clRed);
  auto* Clear = Graphic({40, 5, 50, 15}, clNone);
  auto* Keyed = Graphic({10, 25, 30, 35}, clRed);
  Keyed->KeyCorner = true;
  auto* Hidden = Graphic({40, 25, 50, 35}, clRed);
  Hidden->Hide();
  Container->SetControlState(csPaintCopy);
  PaintGraphicChildren(Target->DC(), Container, POINT{5, 7}, true);

  EXPECT_EQ(RgbAt(*Target, 15, 12), Rgb(clRed));
  EXPECT_EQ(RgbAt(*Target, 34, 21), Rgb(clRed));
  EXPECT_EQ(PixelAt(*Target, 35, 12), kSentinel);
  // A child that paints nothing shows the background under it.
  EXPECT_EQ(RgbAt(*Target, 45, 12), PlaceColor(41, 7));
  EXPECT_EQ(RgbAt(*Target, 54, 21), PlaceColor(50, 16));
  // The key colour in the corner keeps the whole child out.
  EXPECT_EQ(Keyed->Paints, 1);
  EXPECT_EQ(PixelAt(*Target, 15, 32), kSentinel);
  EXPECT_EQ(PixelAt(*Target, 20, 37), kSentinel);
  EXPECT_EQ(Hidden->Paints, 0);
  EXPECT_EQ(PixelAt(*Target, 45, 32), kSentinel);
  // The container's copy painting passes to the children for the call.
  EXPECT_TRUE(Red->StateWhilePainting & csPaintCopy);
  EXPECT_FALSE(Red->ControlState() & csPaintCopy);
  EXPECT_EQ(Clear->Paints, 1);
}

TEST_F(GraphicChildren, ColourBackgroundWithTheBitmapOutsideTheFillRectangle) {
  struct Case {
    const char* Name;
    bool WithBitmap;
    int X, Y;
    uint32_t Expected;
  } Cases[] = {
      {"inside the fill rectangle", true, 45, 10, 0x0000FF}, {"above it", true, 45, 7, PlaceColor(46, 9)},
      {"left of it", true, 41, 10, PlaceColor(42, 12)},      {"below it", true, 45, 12, PlaceColor(46, 14)},
      {"right of it", true, 48, 10, PlaceColor(49, 12)},     {"no bitmap: colour", false, 41, 6, 0x0000FF},
  };
  for (const Case& C : Cases) {
    auto* Clear = Graphic({40, 5, 50, 15}, clNone);
    AnswerBackground(bgkColor, C.WithBitmap ? Background.get() : nullptr, uint32_t(kBlue), RECT{42, 8, 48, 12});
    Target.reset(FilledBitmap32(90, 70, kSentinel));
    PaintGraphicChildren(Target->DC(), Container, POINT{0, 0}, true);
    EXPECT_EQ(RgbAt(*Target, C.X, C.Y), C.Expected) << C.Name;
    delete Clear;
  }
}

TEST_F(GraphicChildren, EmptyClipBoxPaintsNothingAndTellsTheContainer) {
  auto* Red = Graphic({10, 5, 30, 15}, clRed);
  HDC DC = Target->DC();
  const int Saved = SaveDC(DC);
  IntersectClipRect(DC, 0, 0, 0, 0);
  PaintGraphicChildren(DC, Container, POINT{0, 0}, true);
  RestoreDC(DC, Saved);
  EXPECT_EQ(Red->Paints, 0);
  EXPECT_EQ(Log.Count(Container, AC_SETCHILDBGFLAG), 1);
  EXPECT_EQ(PixelAt(*Target, 15, 10), kSentinel);
}

TEST_F(GraphicChildren, ChildOutsideTheClipIsNotPainted) {
  auto* Inside = Graphic({10, 5, 30, 15}, clRed);
  auto* Outside = Graphic({40, 5, 50, 15}, clRed);
  HDC DC = Target->DC();
  const int Saved = SaveDC(DC);
  IntersectClipRect(DC, 0, 0, 35, 40);
  PaintGraphicChildren(DC, Container, POINT{0, 0}, true);
  RestoreDC(DC, Saved);
  EXPECT_EQ(Inside->Paints, 1);
  EXPECT_EQ(Outside->Paints, 0);
  EXPECT_EQ(Log.Count(Container, AC_SETCHILDBGFLAG), 0);
}

TEST_F(GraphicChildren, CalledAgainFromAChildsPaintingDoesNothing) {
  auto* First = Graphic({10, 5, 30, 15}, clRed);
  auto* Second = Graphic({40, 5, 50, 15}, kBlue);
  int Nested = 0;
  First->WhilePainting = [&] {
    ++Nested;
    PaintGraphicChildren(Target->DC(), Container, POINT{0, 0}, true);
  };
  PaintGraphicChildren(Target->DC(), Container, POINT{0, 0}, true);
  EXPECT_EQ(Nested, 1);
  EXPECT_EQ(First->Paints, 1);
  EXPECT_EQ(Second->Paints, 1);
  EXPECT_EQ(RgbAt(*Target, 45, 10), Rgb(kBlue));
  // The guard is gone afterwards, also after a child's painting raised.
  First->WhilePainting = [] { throw std::runtime_error("paint failed"); };
  EXPECT_ANY_THROW(PaintGraphicChildren(Target->DC(), Container, POINT{0, 0}, true));
  First->WhilePainting = nullptr;
  PaintGraphicChildren(Target->DC(), Container, POINT{0, 0}, true);
  EXPECT_EQ(First->Paints, 3);
  EXPECT_EQ(Second->Paints, 2);
}

TEST_F(GraphicChildren, HiddenContainerOnlyWithoutTheVisibilityCheck) {
  auto* Red = Graphic({10, 5, 30, 15}, clRed);
  Container->Hide();
  PaintGraphicChildren(Target->DC(), Container, POINT{0, 0}, true);
  EXPECT_EQ(Red->Paints, 0);
  PaintGraphicChildren(Target->DC(), Container, POINT{0, 0}, false);
  EXPECT_EQ(Red->Paints, 1);
  EXPECT_EQ(RgbAt(*Target, 10, 5), Rgb(clRed));
}

TEST_F(GraphicChildren, WhichChildrenCountAsVisible) {
  HDC DC = Target->DC();
  const int Saved = SaveDC(DC);
  IntersectClipRect(DC, 0, 0, 60, 60);
  auto Make = [&](RECT Bounds) { return Graphic(Bounds, clRed); };
  auto* Hidden = Make({0, 0, 10, 10});
  Hidden->Hide();
  auto* HiddenDesigned = Make({0, 0, 10, 10});
  HiddenDesigned->Hide();
  HiddenDesigned->SetDesigning();
  auto* NoDesign = Make({0, 0, 10, 10});
  NoDesign->SetControlStyle(NoDesign->ControlStyle() | csNoDesignVisible);
  auto* Windowed = Add<TSolidControl>(Container, L"", {0, 0, 10, 10});
  struct Case {
    const char* Name;
    TControl* Child;
    bool Visible;
  } Cases[] = {
      {"shown", Make({0, 0, 10, 10}), true},
      {"hidden", Hidden, false},
      {"hidden at design time", HiddenDesigned, true},
      {"no width", Make({0, 0, 0, 10}), false},
      {"no height", Make({0, 0, 10, 0}), false},
      {"not shown at design time", NoDesign, false},
      {"outside the clip", Make({60, 0, 70, 10}), false},
      {"partly in the clip", Make({55, 55, 70, 70}), true},
      {"windowed", Windowed, false},
      {"none", nullptr, false},
  };
  for (const Case& C : Cases) EXPECT_EQ(IsGraphicChildVisible(C.Child, DC), C.Visible) << C.Name;
  RestoreDC(DC, Saved);
}

}  // namespace
