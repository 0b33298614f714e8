// Controls painted into 32-bit bitmaps: the framework way and by a skinned
// window printing itself, children at their offsets, overlapping siblings,
// hidden controls replaced by their parent's background, the provider's
// part, and clearing rectangles.
#include "skin/forms/PaintToBitmap.h"

#include <memory>
#include <vector>

#include "skin/graphics/SkinTypes.h"
#include "support/form_fixture.h"
#include "support/painted_controls.h"

namespace {

constexpr uint32_t kSentinel = 0xFF445566;

class PaintToBitmap : public FormFixture {
 protected:
  void SetUp() override {
    FormFixture::SetUp();
    Form->SetColor(clGreen);
  }
  std::unique_ptr<TBitmap> Blank(int Width, int Height) {
    return std::unique_ptr<TBitmap>(FilledBitmap32(Width, Height, kSentinel));
  }
  TSolidControl* Solid(TWinControl* Parent, RECT Bounds, TColor Fill) {
    auto* C = Add<TSolidControl>(Parent, L"", Bounds);
    C->Fill = Fill;
    return C;
  }
  TSolidGraphic* Graphic(TWinControl* Parent, RECT Bounds, TColor Fill) {
    auto* C = Add<TSolidGraphic>(Parent, L"", Bounds);
    C->Fill = Fill;
    return C;
  }
};

// A window that prints itself like a skinned one: it takes the print DC
// (AC_SETPRINTDC, answering 1 unless it says it is skinned instead), fills
// PrintRect on WM_PRINT and answers PrintAnswer.
struct TSkinnedPrinter {
  explicit TSkinnedPrinter(TControl* Control, RECT PrintRect, TColor Fill, LRESULT PrintAnswer = 0,
                           bool SaysSkinned = false) {
    TWndMethod Inherited = Control->WindowProc;
    Control->WindowProc = [=, this](TMessage& M) {
      if (M.Msg == WM_SKINCOMMAND && SkinCommandCode(M.WParam) == AC_SETPRINTDC) {
        Calls.push_back(SkinCommandArgument(M.WParam) ? L"print dc on" : L"print dc off");
        PrintDCs.push_back(reinterpret_cast<HDC>(M.LParam));
        M.Result = SaysSkinned ? 0 : 1;
        return;
      }
      if (M.Msg == WM_SKINCOMMAND && SkinCommandCode(M.WParam) == AC_ISSKINNED && SaysSkinned) {
        M.Result = 1;
        return;
      }
      if (M.Msg == WM_PRINT) {
        Calls.push_back(L"print");
        const TOwnedBrush Brush(CreateSolidBrush(ColorToRGB(Fill)));
        FillRect(reinterpret_cast<HDC>(M.WParam), &PrintRect, Brush.get());
        M.Result = PrintAnswer;
        return;
      }
      Inherited(M);
    };
  }
  std::vector<std::wstring> Calls;
  std::vector<HDC> PrintDCs;
};

TEST_F(PaintToBitmap, FormWithWindowedAndGraphicChildFramework) {
  Solid(Form, {10, 10, 50, 40}, clRed);
  Graphic(Form, {60, 10, 90, 30}, kBlue);
  auto Bmp = Blank(120, 60);
  PaintControlToBitmap(*Bmp, Form, 0, 0, nullptr, false);
  struct {
    int X, Y;
    TColor Expected;
  } Probes[] = {{10, 10, clRed}, {49, 39, clRed}, {50, 10, clGreen}, {9, 9, clGreen},
                {60, 10, kBlue}, {89, 29, kBlue}, {90, 30, clGreen}, {119, 59, clGreen}};
  for (const auto& P : Probes) EXPECT_EQ(RgbAt(*Bmp, P.X, P.Y), Rgb(P.Expected)) << P.X << "," << P.Y;
}

TEST_F(PaintToBitmap, ChildAtTheMovedOriginClippedToItsSize) {
  auto* Panel = Solid(Form, {20, 20, 100, 80}, kYellow);
  Solid(Panel, {5, 5, 25, 15}, clRed);
  auto Bmp = Blank(40, 30);
  // The caller moves the origin to where the control goes in the bitmap.
  OffsetViewportOrgEx(Bmp->DC(), 10, 10, nullptr);
  PaintControlToBitmap(*Bmp, Panel, 10, 10, nullptr, false);
  OffsetViewportOrgEx(Bmp->DC(), -10, -10, nullptr);
  EXPECT_EQ(PixelAt(*Bmp, 9, 9), kSentinel);
  EXPECT_EQ(RgbAt(*Bmp, 10, 10), Rgb(kYellow));
  EXPECT_EQ(RgbAt(*Bmp, 15, 15), Rgb(clRed));
  EXPECT_EQ(RgbAt(*Bmp, 34, 24), Rgb(clRed));
  EXPECT_EQ(RgbAt(*Bmp, 39, 29), Rgb(kYellow));
  // The bitmap's DC keeps neither the clip nor a moved origin.
  RECT Box{};
  GetClipBox(Bmp->DC(), &Box);
  EXPECT_EQ(Box.right, 40);
  EXPECT_EQ(Box.bottom, 30);
}

TEST_F(PaintToBitmap, SkinnedWindowPrintsItselfAndItsChildrenFollowUnlessItDidThem) {
  struct Case {
    const char* Name;
    LRESULT PrintAnswer;
    bool SaysSkinned;
  } Cases[] = {
      {"takes the print DC", 0, false},
      {"printed its children", -2, false},
      {"refuses the print DC but is skinned", 0, true},
  };
  for (const Case& C : Cases) {
    auto* Panel = Solid(Form, {20, 20, 100, 80}, kYellow);
    auto* Child = Solid(Panel, {30, 20, 50, 30}, clRed);
    Child->HandleNeeded();
    TSkinnedPrinter Printer(Panel, {0, 0, 200, 200}, clFuchsia, C.PrintAnswer, C.SaysSkinned);
    auto Bmp = Blank(80, 60);
    PaintControlToBitmap(*Bmp, Panel, 0, 0, nullptr, false);
    EXPECT_EQ(Printer.Calls, (std::vector<std::wstring>{L"print dc on", L"print", L"print dc off"})) << C.Name;
    EXPECT_EQ(Printer.PrintDCs, (std::vector<HDC>{Bmp->DC(), Bmp->DC()})) << C.Name;
    // Its own painting is not used, and it stays inside its 80 x 60.
    EXPECT_EQ(Panel->Paints, 0) << C.Name;
    EXPECT_EQ(RgbAt(*Bmp, 0, 0), Rgb(clFuchsia)) << C.Name;
    const bool ChildrenFollow = C.PrintAnswer != -2;
    EXPECT_EQ(RgbAt(*Bmp, 35, 25), ChildrenFollow ? Rgb(clRed) : Rgb(clFuchsia)) << C.Name;
    EXPECT_EQ(Child->Paints, ChildrenFollow ? 1 : 0) << C.Name;
    delete Panel;
  }
}

TEST_F(PaintToBitmap, WindowedChildrenWithoutWindowOrHiddenAreLeftOut) {
  auto* Panel = Solid(Form, {0, 0, 100, 80}, kYellow);
  TSkinnedPrinter Printer(Panel, {0, 0, 100, 80}, clFuchsia);
  auto* Shown = Solid(Panel, {0, 0, 10, 10}, clRed);
  auto* Hidden = Solid(Panel, {20, 0, 30, 10}, clRed);
  auto* NoWindow = Solid(Panel, {40, 0, 50, 10}, clRed);
  auto* Designed = Solid(Panel, {60, 0, 70, 10}, clRed);
  for (TSolidControl* C : {Shown, Hidden, NoWindow, Designed}) C->HandleNeeded();
  NoWindow->DestroyHandle();
  Hidden->Hide();
  Designed->Hide();
  Designed->SetDesigning();
  auto Bmp = Blank(100, 80);
  PaintChildrenToBitmap(Panel, *Bmp);
  EXPECT_EQ(RgbAt(*Bmp, 5, 5), Rgb(clRed));
  EXPECT_EQ(PixelAt(*Bmp, 25, 5), kSentinel);
  EXPECT_EQ(PixelAt(*Bmp, 45, 5), kSentinel);
  EXPECT_FALSE(NoWindow->HandleAllocated());
  EXPECT_EQ(RgbAt(*Bmp, 65, 5), Rgb(clRed));
}

TEST_F(PaintToBitmap, LaterOverlappingVisibleSiblingsInsideTheControl) {
  auto* Parent = Solid(Form, {0, 0, 200, 150}, kYellow);
  Solid(Parent, {0, 0, 20, 20}, kMaroon);  // earlier, overlapping
  auto* Control = Solid(Parent, {10, 10, 50, 50}, clRed);
  auto* Later = Solid(Parent, {40, 40, 70, 70}, kBlue);
  auto* Apart = Solid(Parent, {60, 10, 80, 30}, kOlive);
  auto* Hidden = Solid(Parent, {20, 20, 30, 30}, kTeal);
  Hidden->Hide();
  auto Bmp = Blank(80, 80);
  PaintControlToBitmap(*Bmp, Control, 0, 0, nullptr, true);
  EXPECT_EQ(RgbAt(*Bmp, 5, 5), Rgb(clRed));
  // The earlier sibling stays under the control.
  EXPECT_EQ(RgbAt(*Bmp, 0, 0), Rgb(clRed));
  // The later one is over it, at its place relative to the control, and cut
  // at the control's edge.
  EXPECT_EQ(RgbAt(*Bmp, 30, 30), Rgb(kBlue));
  EXPECT_EQ(RgbAt(*Bmp, 39, 39), Rgb(kBlue));
  EXPECT_EQ(RgbAt(*Bmp, 29, 29), Rgb(clRed));
  EXPECT_EQ(PixelAt(*Bmp, 45, 45), kSentinel);
  EXPECT_EQ(Later->Paints, 1);
  EXPECT_EQ(Apart->Paints, 0);
  EXPECT_EQ(Hidden->Paints, 0);
  // Without PaintSiblings the control alone.
  auto Alone = Blank(80, 80);
  PaintControlToBitmap(*Alone, Control, 0, 0, nullptr, false);
  EXPECT_EQ(RgbAt(*Alone, 35, 35), Rgb(clRed));
}

TEST_F(PaintToBitmap, GraphicControlIsAskedToPrintInto) {
  auto* G = Graphic(Form, {10, 10, 40, 30}, kBlue);
  TSkinnedPrinter Printer(G, {0, 0, 30, 20}, clFuchsia);
  auto Bmp = Blank(30, 20);
  PaintControlToBitmap(*Bmp, G, 0, 0, nullptr, false);
  EXPECT_EQ(Printer.Calls, (std::vector<std::wstring>{L"print dc on", L"print", L"print dc off"}));
  EXPECT_EQ(G->Paints, 0);
  EXPECT_EQ(RgbAt(*Bmp, 29, 19), Rgb(clFuchsia));
}

TEST_F(PaintToBitmap, HiddenControlShowsItsParentsBackgroundAtTheGivenPlace) {
  auto Background = PlaceBitmap(32, 32);
  struct Case {
    const char* Name;
    uint8_t Kind;
    uint32_t Color;
    uint32_t AtCorner, AtFarCorner;  // bitmap (4, 6) and (4 + 9, 6 + 4)
  } Cases[] = {
      // Control at (10, 20) in its parent, background offset (3, 4).
      {"bitmap", bgkBitmap, 0, PlaceColor(13, 24), PlaceColor(22, 28)},
      {"black is a colour", bgkColor, 0, 0, 0},
      {"colour", bgkColor, 0x0000FF, 0xFF0000, 0xFF0000},
  };
  for (const Case& C : Cases) {
    auto* Parent = Solid(Form, {0, 0, 100, 80}, kYellow);
    auto* Hidden = Solid(Parent, {10, 20, 20, 25}, clRed);
    Hidden->Hide();
    TacBackgroundInfo Answer;
    Answer.BgKind = C.Kind;
    Answer.Bmp = C.Kind == bgkBitmap ? Background.get() : nullptr;
    Answer.Color = C.Color;
    Answer.OffsetX = 3;
    Answer.OffsetY = 4;
    TBackgroundAnswer Answering(Parent, Answer);
    auto Bmp = Blank(30, 20);
    PaintControlToBitmap(*Bmp, Hidden, 4, 6, nullptr, false);
    EXPECT_EQ(RgbAt(*Bmp, 4, 6), C.AtCorner) << C.Name;
    EXPECT_EQ(RgbAt(*Bmp, 13, 10), C.AtFarCorner) << C.Name;
    EXPECT_EQ(PixelAt(*Bmp, 14, 10), kSentinel) << C.Name;
    EXPECT_EQ(PixelAt(*Bmp, 4, 11), kSentinel) << C.Name;
    EXPECT_EQ(Hidden->Paints, 0) << C.Name;
    delete Parent;
  }
}

TEST_F(PaintToBitmap, HiddenControlAtDesignTimeIsPainted) {
  auto* Hidden = Solid(Form, {10, 20, 20, 25}, clRed);
  Hidden->Hide();
  Hidden->SetDesigning();
  auto Bmp = Blank(10, 5);
  PaintControlToBitmap(*Bmp, Hidden, 0, 0, nullptr, false);
  EXPECT_EQ(RgbAt(*Bmp, 0, 0), Rgb(clRed));
  EXPECT_EQ(RgbAt(*Bmp, 9, 4), Rgb(clRed));
}

class TFakeProvider : public TacProviderPainting {
 public:
  explicit TFakeProvider(bool BorderForm) : FBorderForm(BorderForm) {}
  bool HasBorderForm() const override { return FBorderForm; }
  void MakeClientOpaque(TBitmap& Bmp) override { Opaqued.push_back(&Bmp); }
  std::vector<TBitmap*> Opaqued;

 private:
  bool FBorderForm;
};

TEST_F(PaintToBitmap, ProviderPaintsTheHiddenFormAndIsToldOfItsImage) {
  struct Case {
    const char* Name;
    bool HasProvider, BorderForm;
    bool PaintedBeyondTheForm;
  } Cases[] = {
      {"no provider", false, false, false},
      {"provider", true, false, false},
      {"provider with a border window", true, true, true},
  };
  for (const Case& C : Cases) {
    // Stands for a form inside another (one with a parent).
    auto* Inner = Solid(Form, {0, 0, 40, 30}, clRed);
    Inner->HandleNeeded();
    Inner->Hide();
    // A new control may take the address of the last one.
    Log.Seen.clear();
    Log.Watch(Inner);
    TSkinnedPrinter Printer(Inner, {0, 0, 60, 50}, clFuchsia);
    TFakeProvider Provider(C.BorderForm);
    auto Bmp = Blank(60, 50);
    PaintControlToBitmap(*Bmp, Inner, 0, 0, C.HasProvider ? &Provider : nullptr, false);
    // Without a provider the hidden form is its parent's colour, not printed.
    EXPECT_EQ(Printer.Calls.size(), C.HasProvider ? 3u : 0u) << C.Name;
    EXPECT_EQ(Provider.Opaqued.size(), C.HasProvider ? 1u : 0u) << C.Name;
    EXPECT_EQ(Log.Count(Inner, AC_NEWFORMCACHE), C.HasProvider ? 1 : 0) << C.Name;
    if (C.HasProvider) {
      EXPECT_EQ(Log.LastLParam[Inner], reinterpret_cast<LPARAM>(Bmp.get())) << C.Name;
    }
    const uint32_t Beyond = PixelAt(*Bmp, Inner->Width() + 5, 5);
    EXPECT_EQ(Beyond != kSentinel, C.PaintedBeyondTheForm) << C.Name;
    delete Inner;
  }
}

TEST_F(PaintToBitmap, WinControlTheFrameworkWayIsOpaque) {
  auto* Panel = Solid(Form, {0, 0, 60, 40}, kYellow);
  Panel->SetColor(kSilver);
  Solid(Panel, {10, 10, 20, 20}, clRed);
  Graphic(Panel, {30, 10, 40, 20}, kBlue);
  auto* HiddenGraphic = Graphic(Panel, {30, 25, 40, 35}, kNavy);
  HiddenGraphic->Hide();
  Panel->HandleNeeded();
  auto Bmp = Blank(60, 40);
  PaintWinControlTo(*Bmp, Panel);
  // The background is erased, the control's own painting left out.
  EXPECT_EQ(PixelAt(*Bmp, 0, 0), 0xFF000000 | Rgb(kSilver));
  EXPECT_EQ(PixelAt(*Bmp, 15, 15), 0xFF000000 | Rgb(clRed));
  EXPECT_EQ(PixelAt(*Bmp, 35, 15), 0xFF000000 | Rgb(kBlue));
  EXPECT_EQ(PixelAt(*Bmp, 35, 30), 0xFF000000 | Rgb(kSilver));
  EXPECT_EQ(HiddenGraphic->Paints, 0);
}

TEST_F(PaintToBitmap, GraphicControlAreaIsWhatItsParentShowsThere) {
  Solid(Form, {70, 0, 100, 50}, clRed);
  auto* G = Graphic(Form, {60, 10, 100, 40}, clNone);
  Form->HandleNeeded();
  auto Bmp = Blank(40, 30);
  PaintControlArea(*Bmp, G);
  EXPECT_EQ(PixelAt(*Bmp, 5, 5), 0xFF000000 | Rgb(clGreen));
  EXPECT_EQ(PixelAt(*Bmp, 15, 5), 0xFF000000 | Rgb(clRed));
  EXPECT_EQ(PixelAt(*Bmp, 39, 29), 0xFF000000 | Rgb(clRed));
  POINT Origin{};
  GetViewportOrgEx(Bmp->DC(), &Origin);
  EXPECT_EQ(Origin.x, 0);
  EXPECT_EQ(Origin.y, 0);
}

TEST(ClearBitmapRects, ClearsEachRectangleCutToTheBitmap) {
  std::unique_ptr<TBitmap> Bmp(FilledBitmap32(20, 10, kSentinel));
  ClearBitmapRects({RECT{1, 1, 3, 3}, RECT{15, 5, 40, 40}, RECT{-5, -5, 1, 1}}, *Bmp);
  EXPECT_EQ(PixelAt(*Bmp, 1, 1), 0u);
  EXPECT_EQ(PixelAt(*Bmp, 2, 2), 0u);
  EXPECT_EQ(PixelAt(*Bmp, 3, 3), kSentinel);
  EXPECT_EQ(PixelAt(*Bmp, 19, 9), 0u);
  EXPECT_EQ(PixelAt(*Bmp, 14, 9), kSentinel);
  EXPECT_EQ(PixelAt(*Bmp, 0, 0), 0u);
  EXPECT_EQ(PixelAt(*Bmp, 1, 0), kSentinel);
}

}  // namespace
