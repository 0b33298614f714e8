// Painting through the system's buffered paint: nothing at all while the
// theme library's functions are not bound, the window's client printing
// and the bitmap at its place when they are.
#include "skin/forms/BufferedPaint.h"

#include <memory>

#include "skin/forms/FormUtilsBindings.h"
#include "support/form_fixture.h"
#include "support/painted_controls.h"

namespace {

constexpr uint32_t kSentinel = 0xFF445566;

class BufferedPaint : public FormFixture {
 protected:
  void SetUp() override {
    FormFixture::SetUp();
    Window = Add<TSolidControl>(Form, L"", {0, 0, 60, 40});
    Window->HandleNeeded();
    TWndMethod Inherited = Window->WindowProc;
    Window->WindowProc = [=, this](TMessage& M) {
      if (M.Msg == WM_PRINTCLIENT) ++PrintClients, PrintFlags = M.LParam;
      Inherited(M);
    };
    Picture.reset(FilledBitmap32(8, 6, 0xFF0000FF));
    Target.reset(FilledBitmap32(30, 20, kSentinel));
  }

  TSolidControl* Window = nullptr;
  int PrintClients = 0;
  LPARAM PrintFlags = 0;
  std::unique_ptr<TBitmap> Picture, Target;
};

// Runs before the bindings are made and after they are undone.
TEST_F(BufferedPaint, WithoutTheFunctionsNothingHappens) {
  for (bool AfterDone : {false, true}) {
    if (AfterDone) {
      InitFormUtils();
      DoneFormUtils();
    }
    ASSERT_EQ(FormUtilsBindings().BeginBufferedPaint, nullptr);
    PaintClientOpaque(Window->Handle(), RECT{0, 0, 60, 40}, 0x0000FF);
    EXPECT_EQ(PrintClients, 0) << AfterDone;
    TCanvas Canvas(Target->DC());
    DrawBitmapBuffered(Canvas, *Picture, RECT{4, 3, 12, 9});
    EXPECT_EQ(PixelAt(*Target, 4, 3), kSentinel) << AfterDone;
    EXPECT_EQ(PixelAt(*Target, 11, 8), kSentinel) << AfterDone;
  }
}

class BoundBufferedPaint : public BufferedPaint {
 protected:
  void SetUp() override {
    BufferedPaint::SetUp();
    InitFormUtils();
  }
  void TearDown() override {
    DoneFormUtils();
    BufferedPaint::TearDown();
  }
};

// Wine's theme library has the buffered paint but not BufferedPaintMakeOpaque:
// without it the client is not painted at all, rather than left see-through.
TEST_F(BoundBufferedPaint, ClientPrintedOnlyWhenItCanBeMadeOpaque) {
  const TFormUtilsBindings& B = FormUtilsBindings();
  if (!B.BeginBufferedPaint || !B.EndBufferedPaint) GTEST_SKIP() << "the theme library has no buffered paint here";
  const bool CanMakeOpaque = B.BufferedPaintMakeOpaque != nullptr;
  PaintClientOpaque(Window->Handle(), RECT{0, 0, 60, 40}, 0x0000FF);
  EXPECT_EQ(PrintClients, CanMakeOpaque ? 1 : 0);
  if (CanMakeOpaque) {
    EXPECT_EQ(PrintFlags, LPARAM(PRF_CLIENT));
  }
  // A window that is gone is left alone.
  HWND Gone = Window->Handle();
  delete Window;
  PaintClientOpaque(Gone, RECT{0, 0, 60, 40}, 0x0000FF);
}

TEST_F(BoundBufferedPaint, BitmapAtTheRectanglesCorner) {
  const TFormUtilsBindings& B = FormUtilsBindings();
  if (!B.BeginBufferedPaint || !B.EndBufferedPaint) GTEST_SKIP() << "the theme library has no buffered paint here";
  TCanvas Canvas(Target->DC());
  DrawBitmapBuffered(Canvas, *Picture, RECT{4, 3, 12, 9});
  EXPECT_EQ(Canvas.Handle(), Target->DC());
  EXPECT_EQ(RgbAt(*Target, 4, 3), 0x0000FFu);
  EXPECT_EQ(RgbAt(*Target, 11, 8), 0x0000FFu);
  EXPECT_EQ(PixelAt(*Target, 3, 3), kSentinel);
  EXPECT_EQ(PixelAt(*Target, 12, 8), kSentinel);
}

}  // namespace
