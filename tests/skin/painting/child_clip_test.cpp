// A container's face painted around its children: windowed ones always
// kept out, graphic ones only when the skin paints standard images opaque.
#include <gtest/gtest.h>

#include <memory>

#include "framework/Application.h"
#include "framework/Form.h"
#include "framework/Label.h"
#include "framework/Panel.h"
#include "skin/manager/SkinManager.h"
#include "skin/painting/ChildClip.h"
#include "tests/skin/support/PixelHelpers.h"

namespace {

class ChildClip : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { InitApplication(); }
  void SetUp() override {
    Form = Application->CreateForm<TForm>();
    Form->SetClientSize(200, 100);
    Windowed = Add<TPanel>(10, 10);
    Graphic = Add<TLabel>(40, 10);
    Hidden = Add<TPanel>(70, 10);
    Hidden->Hide();
  }
  void TearDown() override { delete Form; }
  template <class T>
  T* Add(int Left, int Top) {
    T* c = new T(Form);
    c->SetBounds(Left, Top, 20, 20);
    c->SetParent(Form);
    return c;
  }
  // Which of the three children's places (moved by 1, 2) the face left alone.
  std::array<bool, 3> Spared() {
    std::unique_ptr<TBitmap> Bmp(FilledBitmap32(120, 60, 0xFF000000));
    HDC DC = Bmp->DC();
    SaveDC(DC);
    ExcludeChildrenFromClip(DC, *Form, 1, 2);
    RECT All{0, 0, 120, 60};
    FillRect(DC, &All, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    RestoreDC(DC, -1);
    GdiFlush();
    EXPECT_EQ(PixelAt(*Bmp, 5, 5) & 0xFFFFFF, 0xFFFFFFu);    // the face itself
    EXPECT_EQ(PixelAt(*Bmp, 10, 11) & 0xFFFFFF, 0xFFFFFFu);  // just above the moved child
    return {(PixelAt(*Bmp, 11, 12) & 0xFFFFFF) == 0, (PixelAt(*Bmp, 41, 12) & 0xFFFFFF) == 0,
            (PixelAt(*Bmp, 71, 12) & 0xFFFFFF) == 0};
  }
  TForm* Form = nullptr;
  TPanel* Windowed = nullptr;
  TLabel* Graphic = nullptr;
  TPanel* Hidden = nullptr;
};

}  // namespace

TEST_F(ChildClip, GraphicChildrenAreKeptOutOnlyUnderOpaqueStandardImages) {
  ASSERT_EQ(TsSkinManager::DefaultManager(), nullptr);
  EXPECT_EQ(Spared(), (std::array<bool, 3>{true, false, false}));

  TsSkinManager Manager(nullptr);
  ASSERT_EQ(TsSkinManager::DefaultManager(), &Manager);
  Manager.Options().SetBool(TacOptions::boStdImgTransparency, true);
  EXPECT_EQ(Spared(), (std::array<bool, 3>{true, false, false}));
  Manager.Options().SetBool(TacOptions::boStdImgTransparency, false);
  EXPECT_EQ(Spared(), (std::array<bool, 3>{true, true, false}));
}
