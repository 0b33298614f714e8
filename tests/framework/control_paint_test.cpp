// Painting of controls: window-less controls painted through their
// WindowProc, PaintTo copying a control tree into a memory bitmap, opaque
// controls left out of their parent's painting, and a control's canvas used
// outside WM_PAINT.
#include "framework/Application.h"
#include "framework/Bitmap.h"
#include "framework/Form.h"
#include "tests/support/wait_until.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

constexpr uint32_t kUntouched = 0x123456;
constexpr TColor kFormColor = 0xFFFFFF;

// A window-less control that fills itself and notes what it was told.
class TSwatch : public TGraphicControl {
 public:
  TSwatch(TComponent* owner, TColor fill) : TGraphicControl(owner), Fill(fill) {}
  TColor Fill;
  int Paints = 0;
  bool SawPaintCopy = false;

 protected:
  void Paint(TCanvas& canvas) override {
    ++Paints;
    SawPaintCopy = (ControlState() & csPaintCopy) != 0;
    if (Fill == clNone) return;
    canvas.SetBrushColor(Fill);
    canvas.FillRect(ClientRect());
  }
};

class ControlPaint : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { InitApplication(); }
  void SetUp() override {
    form = new TForm(Application, CreateNew);
    form->SetClientSize(80, 50);
    form->SetColor(kFormColor);
  }
  void TearDown() override { delete form; }

  // bounds: left, top, width, height.
  template <class T, class... A>
  T* Add(TWinControl* parent, RECT bounds, A... args) {
    T* c = new T(form, args...);
    c->SetParent(parent);
    c->SetBounds(bounds.left, bounds.top, bounds.right, bounds.bottom);
    return c;
  }

  // A 32-bit memory bitmap of the form's client size plus a margin, filled
  // with kUntouched, with the form painted into it at (dx, dy).
  std::unique_ptr<TBitmap> PaintForm(int dx = 0, int dy = 0) {
    auto bmp = std::make_unique<TBitmap>();
    bmp->SetPixelFormat(pf32bit);
    bmp->SetSize(100, 70);
    for (int y = 0; y < bmp->Height(); ++y)
      for (int x = 0; x < bmp->Width(); ++x) static_cast<uint32_t*>(bmp->ScanLine(y))[x] = kUntouched;
    form->PaintTo(bmp->DC(), dx, dy);
    GdiFlush();
    return bmp;
  }
  static uint32_t At(TBitmap& bmp, int x, int y) { return static_cast<uint32_t*>(bmp.ScanLine(y))[x] & 0xFFFFFF; }
  // TColor is red-low; a 32-bit pixel read as a number is red-high.
  static uint32_t Px(TColor c) {
    const COLORREF rgb = ColorToRGB(c);
    return (GetRValue(rgb) << 16) | (GetGValue(rgb) << 8) | GetBValue(rgb);
  }

  TForm* form = nullptr;
};

TEST_F(ControlPaint, AHookOnAWindowLessControlSeesItsPaintWithADcAndPaintsInstead) {
  auto* swatch = Add<TSwatch>(form, {10, 10, 20, 20}, clLime);
  TWndMethod saved = swatch->WindowProc;
  int hooked = 0;
  swatch->WindowProc = [&](TMessage& m) {
    if (m.Msg == WM_PAINT && m.WParam) {
      ++hooked;
      // The DC comes moved and clipped to the control.
      const TOwnedBrush red(CreateSolidBrush(RGB(255, 0, 0)));
      RECT all{-50, -50, 200, 200};
      FillRect(reinterpret_cast<HDC>(m.WParam), &all, red.get());
      return;
    }
    saved(m);
  };

  auto bmp = PaintForm();
  EXPECT_EQ(hooked, 1);
  EXPECT_EQ(swatch->Paints, 0);  // the hook answered instead of the control
  EXPECT_EQ(At(*bmp, 10, 10), 0xFF0000u);
  EXPECT_EQ(At(*bmp, 29, 29), 0xFF0000u);
  EXPECT_EQ(At(*bmp, 9, 10), Px(kFormColor));
  EXPECT_EQ(At(*bmp, 30, 29), Px(kFormColor));

  // The window's own painting goes the same way.
  form->Show();
  hooked = 0;
  RedrawWindow(form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  EXPECT_GE(hooked, 1);

  swatch->WindowProc = saved;
  bmp = PaintForm();
  EXPECT_EQ(swatch->Paints, 1);
  EXPECT_EQ(At(*bmp, 15, 15), Px(clLime));
}

TEST_F(ControlPaint, PaintToPutsWindowedAndWindowLessChildrenAtTheirPlaces) {
  auto* box = Add<TCustomControl>(form, {30, 5, 20, 10});
  box->SetColor(clRed);
  auto* inner = Add<TSwatch>(box, {2, 3, 4, 4}, clLime);
  auto* swatch = Add<TSwatch>(form, {5, 20, 10, 10}, 0xFF0000);  // blue
  auto* hidden = Add<TSwatch>(form, {60, 30, 10, 10}, clBlack);
  hidden->Hide();

  const int dx = 3, dy = 2;
  auto bmp = PaintForm(dx, dy);
  struct Case {
    int x, y;
    uint32_t want;
  } cases[] = {
      {0, 0, Px(kFormColor)},   {79, 49, Px(kFormColor)},  // the form's corners
      {30, 5, Px(clRed)},       {49, 14, Px(clRed)},       // the windowed child
      {50, 5, Px(kFormColor)},  {30, 15, Px(kFormColor)},  // just outside it
      {32, 8, Px(clLime)},      {35, 11, Px(clLime)},      // its window-less child
      {31, 8, Px(clRed)},       {36, 11, Px(clRed)},       // around that one
      {5, 20, 0x0000FFu},       {14, 29, 0x0000FFu},       // the form's window-less child
      {15, 20, Px(kFormColor)}, {65, 35, Px(kFormColor)},  // after it; the hidden one
      {-dx, -dy, kUntouched},   {80, 50, kUntouched},      // outside the client area
  };
  for (const Case& c : cases) EXPECT_EQ(At(*bmp, c.x + dx, c.y + dy), c.want) << c.x << "," << c.y;

  // Everything was painted as a copy, and only for the duration.
  EXPECT_TRUE(swatch->SawPaintCopy);
  EXPECT_TRUE(inner->SawPaintCopy);
  EXPECT_EQ(hidden->Paints, 0);
  EXPECT_EQ(form->ControlState() & csPaintCopy, 0u);
  EXPECT_EQ(box->ControlState() & csPaintCopy, 0u);
  EXPECT_EQ(swatch->ControlState() & csPaintCopy, 0u);
}

TEST_F(ControlPaint, TheParentLeavesTheRectangleOfAnOpaqueControlToIt) {
  for (bool opaque : {false, true}) {
    SCOPED_TRACE(opaque ? "opaque" : "not opaque");
    auto* swatch = Add<TSwatch>(form, {10, 10, 20, 20}, clNone);  // paints nothing itself
    if (opaque) swatch->SetControlStyle(swatch->ControlStyle() | csOpaque);
    auto bmp = PaintForm();
    EXPECT_EQ(At(*bmp, 15, 15), opaque ? kUntouched : Px(kFormColor));
    EXPECT_EQ(At(*bmp, 9, 15), Px(kFormColor));
    EXPECT_EQ(swatch->Paints, 1);
    delete swatch;
  }
}

TEST_F(ControlPaint, AControlCanvasDrawsOutsidePaintingAtTheControlsPlace) {
  auto* swatch = Add<TSwatch>(form, {10, 10, 20, 20}, clNone);
  form->Show();
  ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(form->Handle()) != FALSE; }));
  form->Update();  // the first paint now, so that it does not cover what we draw

  TCanvas& canvas = swatch->Canvas();
  canvas.Lock();
  canvas.SetBrushColor(clRed);
  canvas.FillRect(RECT{0, 0, 5, 5});
  canvas.FillRect(RECT{-10, -10, 0, 0});  // outside the control: clipped away
  canvas.Unlock();
  EXPECT_FALSE(canvas.HandleAllocated());  // the last Unlock gave the DC back

  const TWindowDC dc(form->Handle());
  EXPECT_EQ(GetPixel(dc.get(), 10, 10), RGB(255, 0, 0));
  EXPECT_EQ(GetPixel(dc.get(), 14, 14), RGB(255, 0, 0));
  EXPECT_EQ(GetPixel(dc.get(), 15, 15), ColorToRGB(kFormColor));
  EXPECT_EQ(GetPixel(dc.get(), 9, 9), ColorToRGB(kFormColor));

  TSwatch orphan(nullptr, clNone);
  EXPECT_THROW(orphan.Canvas().FillRect(RECT{0, 0, 1, 1}), EInvalidOperation);
}

}  // namespace
