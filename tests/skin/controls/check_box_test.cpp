// The skinned check box under "Night (internal)": the skin's box pictures
// for each state, the user's toggles by mouse and space, the events a new
// value raises, the size it takes, the check drawing's wipe and the light
// circle behind the glyph.
#include "skin/controls/CheckBox.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <string>

#include "framework/Application.h"
#include "framework/Form.h"
#include "framework/ImageList.h"
#include "skin/effects/InstallEffects.h"
#include "skin/effects/LayeredEffects.h"
#include "skin/effects/StateAnimation.h"
#include "skin/graphics/Bitmap32.h"
#include "skin/graphics/ColorAdjust.h"
#include "skin/state/ThreadedTimer.h"
#include "tests/skin/manager/support/night_manager.h"
#include "tests/skin/support/PixelHelpers.h"
#include "tests/skin/support/text_skin.h"
#include "tests/support/wait_until.h"

namespace {

// The skin's palette (tools/skingen/palette.py) as 0xRRGGBB.
constexpr uint32_t kAccent[3] = {0x3D8BD9, 0x5AA2EA, 0x2F6FB0};
constexpr uint32_t kWhite = 0xFFFFFF;

uint32_t Rgb(TBitmap& Bmp, int X, int Y) { return PixelAt(Bmp, X, Y) & 0xFFFFFF; }

// Alpha drawing blends in 256ths: an opaque pixel may lose one step.
bool Near(uint32_t A, uint32_t B) {
  for (int Shift = 0; Shift < 24; Shift += 8)
    if (std::abs(int((A >> Shift) & 0xFF) - int((B >> Shift) & 0xFF)) > 1) return false;
  return true;
}

class SkinnedCheckBox : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { InitApplication(); }
  void SetUp() override {
    manager = LoadedNightManager();
    ASSERT_TRUE(manager->IsSkinLoaded());
    form = std::make_unique<TForm>(Application, CreateNew);
    form->SetBounds(40, 40, 320, 200);
    form->Show();
  }
  void TearDown() override {
    form.reset();
    manager.reset();
  }
  TsCheckBox* Make(const wchar_t* Caption = L"Option") {
    auto* box = new TsCheckBox(form.get());
    box->SetLeft(10);
    box->SetTop(10);
    box->SetParent(form.get());
    box->SetCaption(Caption);
    box->HandleNeeded();
    box->OnClick = [this](TObject*) { log += "click "; };
    box->OnValueChanged = [this](TObject*) { log += "value "; };
    box->OnMouseDown = [this](TObject*, TMouseButton, TShiftState, int, int) { log += "down "; };
    box->OnMouseUp = [this](TObject*, TMouseButton, TShiftState, int, int) { log += "up "; };
    box->OnDblClick = [this](TObject*) { log += "dbl "; };
    return box;
  }
  static void Send(TsCheckBox* Box, UINT Msg, WPARAM W = 0, LPARAM L = MAKELPARAM(5, 5)) {
    SendMessageW(Box->Handle(), Msg, W, L);
  }

  std::unique_ptr<TsSkinManager> manager;
  std::unique_ptr<TForm> form;
  std::string log;
};

TEST_F(SkinnedCheckBox, PaintsTheSkinsBoxPictureOfEachState) {
  TsCheckBox* box = Make();
  box->SetAllowGrayed(true);
  ASSERT_EQ(box->GlyphSize().cx, 16);
  // Inside the box away from its marks (11, 11), and on the grayed bar (6, 7).
  struct Case {
    TCheckBoxState State;
    bool Filled;
    bool Bar;
  };
  const Case cases[] = {{TCheckBoxState::cbUnchecked, false, false},
                        {TCheckBoxState::cbChecked, true, false},
                        {TCheckBoxState::cbGrayed, true, true}};
  for (const Case& c : cases) {
    box->SetState(c.State);
    ASSERT_TRUE(box->BuildCache());
    TBitmap& cache = *box->SkinData()->CacheBmp;
    const RECT g = box->GlyphRect();
    const uint32_t accent = kAccent[box->PaintState()];
    // Between the box and the caption lies the background.
    const uint32_t background = Rgb(cache, g.right + 1, g.top + 11);
    EXPECT_EQ(Rgb(cache, g.left + 11, g.top + 11), c.Filled ? accent : background) << int(c.State);
    EXPECT_EQ(Rgb(cache, g.left + 6, g.top + 7), c.Bar ? kWhite : c.Filled ? accent : background) << int(c.State);
  }
}

TEST_F(SkinnedCheckBox, BoxAtTheRightWhenTheCaptionIsLeftOrReadingIsRightToLeft) {
  struct Case {
    TLeftRight Alignment;
    TBiDiMode BiDi;
    bool BoxRight;
  };
  const Case cases[] = {{TLeftRight::taRightJustify, TBiDiMode::bdLeftToRight, false},
                        {TLeftRight::taLeftJustify, TBiDiMode::bdLeftToRight, true},
                        {TLeftRight::taRightJustify, TBiDiMode::bdRightToLeft, true}};
  for (const Case& c : cases) {
    TsCheckBox* box = Make();
    box->SetMargin(2);
    box->SetBiDiMode(c.BiDi);
    box->SetAlignment(c.Alignment);
    box->SetChecked(true);
    ASSERT_TRUE(box->BuildCache());
    const RECT g = box->GlyphRect();
    EXPECT_EQ(g.left, c.BoxRight ? box->Width() - 2 - 16 : 2);
    EXPECT_EQ(Rgb(*box->SkinData()->CacheBmp, g.left + 11, g.top + 11), kAccent[box->PaintState()]);
  }
}

TEST_F(SkinnedCheckBox, MouseAndSpaceToggleAndRaiseOnlyOnClick) {
  struct Step {
    const char* Name;
    bool AllowGrayed;
    bool ReadOnly;
    void (*Act)(TsCheckBox*);
    TCheckBoxState Expected;
    const char* Log;
  };
  const auto click = [](TsCheckBox* b) {
    Send(b, WM_LBUTTONDOWN, MK_LBUTTON);
    Send(b, WM_LBUTTONUP);
  };
  const auto space = [](TsCheckBox* b) {
    Send(b, WM_KEYDOWN, VK_SPACE, 1);
    Send(b, WM_KEYUP, VK_SPACE, 0xC0000001);
  };
  const auto pressLeaveRelease = [](TsCheckBox* b) {
    b->Perform(CM_MOUSEENTER, 0, LPARAM(b));
    Send(b, WM_LBUTTONDOWN, MK_LBUTTON);
    b->Perform(CM_MOUSELEAVE, 0, LPARAM(b));
    Send(b, WM_LBUTTONUP);
  };
  const auto doubleClick = [](TsCheckBox* b) {
    Send(b, WM_LBUTTONDOWN, MK_LBUTTON);
    Send(b, WM_LBUTTONUP);
    Send(b, WM_LBUTTONDBLCLK, MK_LBUTTON);
    Send(b, WM_LBUTTONUP);
  };
  const Step steps[] = {
      {"click", false, false, click, TCheckBoxState::cbChecked, "down click up "},
      {"space", false, false, space, TCheckBoxState::cbChecked, "click "},
      {"click to grayed", true, false, click, TCheckBoxState::cbGrayed, "down click up "},
      {"read-only click", false, true, click, TCheckBoxState::cbUnchecked, "up "},
      {"read-only space", false, true, space, TCheckBoxState::cbUnchecked, ""},
      {"left before release", false, false, pressLeaveRelease, TCheckBoxState::cbUnchecked, "down up "},
      {"double click", false, false, doubleClick, TCheckBoxState::cbUnchecked, "down click up dbl click up "},
  };
  for (const Step& s : steps) {
    TsCheckBox* box = Make();
    box->SetAllowGrayed(s.AllowGrayed);
    box->SetReadOnly(s.ReadOnly);
    log.clear();
    s.Act(box);
    EXPECT_EQ(box->State(), s.Expected) << s.Name;
    EXPECT_EQ(log, s.Log) << s.Name;
    // The skinned box keeps the system button out of it.
    EXPECT_EQ(SendMessageW(box->Handle(), BM_GETSTATE, 0, 0) & BST_PUSHED, 0) << s.Name;
    delete box;
  }
}

TEST_F(SkinnedCheckBox, AssigningCheckedRaisesOnClickThenOnValueChanged) {
  struct Case {
    const char* Name;
    TCheckBoxState From;
    bool Value;
    TCheckBoxState Expected;
    const char* Log;
  };
  const Case cases[] = {
      {"new value", TCheckBoxState::cbUnchecked, true, TCheckBoxState::cbChecked, "click value "},
      {"same value", TCheckBoxState::cbChecked, true, TCheckBoxState::cbChecked, ""},
      {"grayed to unchecked", TCheckBoxState::cbGrayed, false, TCheckBoxState::cbUnchecked, "click "},
  };
  for (const Case& c : cases) {
    TsCheckBox* box = Make();
    box->SetState(c.From);
    log.clear();
    box->SetChecked(c.Value);
    EXPECT_EQ(box->State(), c.Expected) << c.Name;
    EXPECT_EQ(log, c.Log) << c.Name;
    delete box;
  }
}

TEST_F(SkinnedCheckBox, AutoSizeFitsBoxAndCaption) {
  TsCheckBox* box = Make(L"");
  box->SetMargin(3);
  EXPECT_EQ(box->Width(), 2 * 3 + 16);
  EXPECT_EQ(box->Height(), 16);
  // The width grows by exactly the caption's growth.
  box->SetCaption(L"WW");
  const int two = box->Width();
  box->SetCaption(L"WWWW");
  HDC dc = GetDC(nullptr);
  const HGDIOBJ old = SelectObject(dc, box->Font().Handle());
  SIZE ww{};
  GetTextExtentPoint32W(dc, L"WW", 2, &ww);
  TEXTMETRICW tm{};
  GetTextMetricsW(dc, &tm);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  EXPECT_EQ(box->Width() - two, ww.cx);
  EXPECT_EQ(box->Height(), std::max<int>(16, 2 * 3 + tm.tmHeight + 4));
  // Off, the size stays.
  box->SetAutoSize(false);
  box->SetCaption(L"W");
  EXPECT_EQ(box->Width() - two, ww.cx);
}

TEST_F(SkinnedCheckBox, CheckDrawingWipesTheGlyphInFromItsLowerLeftCorner) {
  TsCheckBox* box = Make();
  ASSERT_TRUE(box->BuildCache());
  TsCtrlSkinData& data = *box->SkinData();
  TBitmap& cache = *data.CacheBmp;
  PrepareAnimTimer(data.FadeTimer, box, true);
  TacThreadedTimer& timer = *data.FadeTimer;
  timer.SourceImage.reset(FilledBitmap32(cache.Width(), cache.Height(), 0xFFFF0000));
  timer.TargetImage.reset(FilledBitmap32(cache.Width(), cache.Height(), 0xFF0000FF));
  const RECT g = box->GlyphRect();
  const auto blue = [&](int x, int y) { return PixelAt(*timer.FrameImage, x, y) == 0xFF0000FF; };

  EXPECT_TRUE(FadeStepCheckGlyph(&data, 0));
  EXPECT_EQ(timer.StepCount, CheckWipeSteps);
  EXPECT_FALSE(blue(g.left, g.bottom - 1));

  EXPECT_TRUE(FadeStepCheckGlyph(&data, 7));
  EXPECT_TRUE(blue(g.left, g.bottom - 1));
  EXPECT_FALSE(blue(g.right - 1, g.top));
  EXPECT_FALSE(blue(g.right + 2, g.bottom - 1));  // outside the glyph the start picture stays

  // The front grows geometrically to all but a small corner; the last step
  // shows the whole glyph.
  int last = -1;
  for (int step = 0; step <= CheckWipeSteps; ++step) {
    const int position = CheckWipePosition(16, 16, step);
    EXPECT_GE(position, last);
    last = position;
  }
  EXPECT_EQ(CheckWipePosition(16, 16, 0), 0);
  EXPECT_GE(CheckWipePosition(16, 16, 13), 29);
  EXPECT_FALSE(FadeStepCheckGlyph(&data, CheckWipeSteps));
  EXPECT_EQ(timer.FrameImage, nullptr);  // the fade stopped and let go of its pictures
}

TEST_F(SkinnedCheckBox, OwnGlyphStripGivesNormalHotAndPressedFrames) {
  TsCheckBox* box = Make();
  std::unique_ptr<TBitmap> strip(FilledBitmap32(48, 16, 0xFFFF0000));
  for (int y = 0; y < 16; ++y)
    for (int x = 16; x < 48; ++x) SetPixelAt(*strip, x, y, x < 32 ? 0xFF00FF00 : 0xFF0000FF);
  box->SetGlyphChecked(*strip);
  box->SetGlyphUnChecked(*strip);
  EXPECT_EQ(box->GlyphSize().cx, 16);
  EXPECT_EQ(box->GlyphSize().cy, 16);
  ASSERT_TRUE(box->BuildCache());
  const RECT g = box->GlyphRect();
  const uint32_t expected[3] = {0xFF0000, 0x00FF00, 0x0000FF};
  EXPECT_TRUE(Near(Rgb(*box->SkinData()->CacheBmp, g.left + 8, g.top + 8), expected[box->PaintState()]));
  Send(box, WM_LBUTTONDOWN, MK_LBUTTON);
  ASSERT_EQ(box->PaintState(), 2);
  ASSERT_TRUE(box->BuildCache());
  EXPECT_TRUE(Near(Rgb(*box->SkinData()->CacheBmp, g.left + 8, g.top + 8), 0x0000FF));
}

TEST_F(SkinnedCheckBox, ImageListIsUsedOnlyWithBothIndexesSet) {
  TsCheckBox* box = Make();
  auto* images = new TImageList(form.get());
  images->SetWidth(16);
  images->SetHeight(16);
  std::unique_ptr<TBitmap> red(FilledBitmap32(16, 16, 0xFFFF0000));
  red->SetPixelFormat(pf24bit);
  ASSERT_EQ(images->Add(red.get(), nullptr), 0);
  box->SetImages(images);
  box->SetChecked(true);
  struct Case {
    int Unchecked;
    uint32_t Inside;
  };
  for (const Case& c : {Case{0, 0xFF0000}, Case{-1, kAccent[0]}}) {
    box->SetImgUnchecked(c.Unchecked);
    ASSERT_TRUE(box->BuildCache());
    const RECT g = box->GlyphRect();
    EXPECT_EQ(Rgb(*box->SkinData()->CacheBmp, g.left + 11, g.top + 11), c.Inside) << c.Unchecked;
  }
  delete images;  // the box lets go of a list that goes
  EXPECT_EQ(box->Images(), nullptr);
}

TEST_F(SkinnedCheckBox, MarginAtTheTopMovesAnOwnGlyphButNotTheSkinsBox) {
  TsCheckBox* box = Make();
  box->SetAutoSize(false);
  box->SetBounds(10, 10, 120, 30);
  box->SetMargin(3);
  box->SetVerticalAlign(TvaAlign::vaTop);
  box->SetChecked(true);
  ASSERT_TRUE(box->BuildCache());
  // The skin's picture: at the top edge, Margin in from the side.
  EXPECT_EQ(Rgb(*box->SkinData()->CacheBmp, 3 + 11, 11), kAccent[box->PaintState()]);
  std::unique_ptr<TBitmap> own(FilledBitmap32(16, 16, 0xFFFF0000));
  box->SetGlyphChecked(*own);
  EXPECT_EQ(box->GlyphRect().top, 3);
  ASSERT_TRUE(box->BuildCache());
  EXPECT_TRUE(Near(Rgb(*box->SkinData()->CacheBmp, 3, 3), 0xFF0000));
  EXPECT_FALSE(Near(Rgb(*box->SkinData()->CacheBmp, 3, 2), 0xFF0000));
}

TEST_F(SkinnedCheckBox, AskedWhatLiesBeneathItAnswersForItsParent) {
  // The see-through box hands the question to its parent; the plain form
  // beneath has no section.
  TsCheckBox* box = Make();
  TacBgIndexQuery query{0, box->SkinData()->SkinIndex, box->BoundsRect(), manager.get()};
  EXPECT_EQ(box->Perform(WM_SKINCOMMAND, SkinCommandWParam(AC_GETBGSKININDEX), LPARAM(&query)), 0);
}

TEST_F(SkinnedCheckBox, SkinWithoutBoxPicturesKeepsTheBoxPlaceEmpty) {
  form.reset();
  manager.reset();  // the default manager is the first made
  manager = TextSkinManager(L"Boxless", "[GLOBALINFO]\r\nVERSION=12.50\r\n[CHECKBOX]\r\nTRANSPARENCY=100\r\n");
  ASSERT_TRUE(manager->IsSkinLoaded());
  form = std::make_unique<TForm>(Application, CreateNew);
  form->SetBounds(40, 40, 320, 200);
  form->Show();
  TsCheckBox* box = Make();
  box->SetChecked(true);
  ASSERT_TRUE(box->SkinData()->IsSkinned());
  EXPECT_EQ(box->GlyphSize().cx, 16);
  EXPECT_EQ(box->GlyphSize().cy, 16);
  ASSERT_TRUE(box->BuildCache());
  TBitmap& cache = *box->SkinData()->CacheBmp;
  const RECT g = box->GlyphRect();
  const uint32_t background = Rgb(cache, g.right + 1, g.top + 8);
  for (int y = g.top; y < g.bottom; ++y)
    for (int x = g.left; x < g.right; ++x) ASSERT_EQ(Rgb(cache, x, y), background) << x << "," << y;
}

// Last of the skinned cases: the effects stay installed for the process.
TEST_F(SkinnedCheckBox, BecomingCheckedWipesTheCheckInOverTheUncheckedBox) {
  InstallEffects();
  manager->Effects().SetAllowAnimation(true);
  TsCheckBox* box = Make();
  box->SetAnimatEvents(AnimatEvent(aeMouseUp));
  box->Repaint();
  box->SetChecked(true);
  TacThreadedTimer* timer = box->SkinData()->FadeTimer;
  ASSERT_NE(timer, nullptr);
  EXPECT_EQ(timer->StepProc, &FadeStepCheckGlyph);
  ASSERT_TRUE(timer->SourceImage && timer->TargetImage);
  const RECT g = box->GlyphRect();
  const uint32_t background = Rgb(*timer->SourceImage, g.right + 1, g.top + 11);
  EXPECT_EQ(Rgb(*timer->SourceImage, g.left + 11, g.top + 11), background);
  EXPECT_EQ(Rgb(*timer->TargetImage, g.left + 11, g.top + 11), kAccent[box->PaintState()]);
  ASSERT_TRUE(WaitUntil([&] { return !timer->Enabled(); }));
  EXPECT_EQ(timer->FrameImage, nullptr);

  // Unchecking fades the whole box instead.
  box->SetChecked(false);
  EXPECT_NE(timer->StepProc, &FadeStepCheckGlyph);
  ASSERT_TRUE(WaitUntil([&] { return !timer->Enabled(); }));
}

// The light circle behind the glyph, hovered over and over: every hover
// leaves nothing behind, and neither a skin change nor the end of the
// effects keeps a circle or its window.
class CheckBoxCircle : public SkinnedCheckBox {
 protected:
  void SetUp() override {
    SkinnedCheckBox::SetUp();
    InitGraphUtils();  // the layered windows' entry points
    InstallEffects();
    manager->Effects().SetAllowAnimation(true);
    box = Make();
    box->SetAnimatEvents(AnimatEvent(aeClick));
    const RECT g = box->GlyphRect();
    const POINT centre = box->ClientToScreen(POINT{(g.left + g.right) / 2, (g.top + g.bottom) / 2});
    ASSERT_TRUE(SetCursorPos(centre.x, centre.y));
  }
  void TearDown() override {
    SetCursorPos(0, 0);
    SkinnedCheckBox::TearDown();
  }
  void Enter() { box->Perform(CM_MOUSEENTER, 0, reinterpret_cast<LPARAM>(box)); }
  void Leave() { box->Perform(CM_MOUSELEAVE, 0, reinterpret_cast<LPARAM>(box)); }
  HWND CircleWindow() {
    TacLayeredEffect* e = LayeredEffect(box->SkinData()->EffectId);
    return e ? e->EffectForm.HandleIfAllocated() : nullptr;
  }
  static int LiveEffects() {
    int n = 0;
    for (auto& e : LayeredEffects()) n += e != nullptr;
    return n;
  }
  static bool AnyEffectOf(const TsCommonData* Data) {
    for (auto& e : LayeredEffects())
      if (e && e->OwnerData == Data) return true;
    return false;
  }
  static int ThreadWindows() {
    int n = 0;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND, LPARAM Count) {
          ++*reinterpret_cast<int*>(Count);
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&n));
    return n;
  }
  TsCheckBox* box = nullptr;
};

TEST_F(CheckBoxCircle, HoveringAThousandTimesLeavesTheEffectsAndWindowsAsTheyWere) {
  Enter();
  ASSERT_GE(box->SkinData()->EffectId, 0);
  ASSERT_NE(CircleWindow(), nullptr);
  Leave();
  EXPECT_EQ(box->SkinData()->EffectId, -1);
  EXPECT_FALSE(AnyEffectOf(box->SkinData()));
  const size_t listSize = LayeredEffects().size();
  const int live = LiveEffects();
  const int windows = ThreadWindows();
  for (int i = 0; i < 1000; ++i) {
    Enter();
    Leave();
  }
  EXPECT_EQ(LayeredEffects().size(), listSize);
  EXPECT_EQ(LiveEffects(), live);
  EXPECT_EQ(ThreadWindows(), windows);

  // The box going while its circle shows leaves no effect pointing at it.
  Enter();
  ASSERT_GE(box->SkinData()->EffectId, 0);
  const TsCommonData* data = box->SkinData();
  delete box;
  box = nullptr;
  EXPECT_FALSE(AnyEffectOf(data));
}

TEST_F(CheckBoxCircle, SkinChangeRemovalAndTheEndOfTheEffectsFreeTheCircle) {
  const struct {
    const char* Name;
    std::function<void(TsSkinManager&)> Act;
  } cases[] = {
      {"skin chosen again", [](TsSkinManager& m) { m.SetSkinName(m.SkinName()); }},
      {"skin removed", [](TsSkinManager& m) { m.SetActive(false); }},
      {"effects done", [](TsSkinManager&) { DoneEffects(); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    manager->SetActive(true);
    ASSERT_TRUE(manager->IsSkinLoaded());
    Leave();
    Enter();
    ASSERT_GE(box->SkinData()->EffectId, 0);
    const HWND wnd = CircleWindow();
    ASSERT_NE(wnd, nullptr);
    c.Act(*manager);
    EXPECT_EQ(box->SkinData()->EffectId, -1);
    EXPECT_FALSE(IsWindow(wnd));
    EXPECT_EQ(LiveEffects(), 0);
  }
}

TEST(UnskinnedCheckBox, SystemButtonClicksAndTheControlPaintsTheSystemBox) {
  InitApplication();
  ASSERT_EQ(TsSkinManager::DefaultManager(), nullptr);
  TForm form(Application, CreateNew);
  form.SetBounds(40, 40, 200, 100);
  form.Show();
  auto* box = new TsCheckBox(&form);
  box->SetParent(&form);
  box->SetCaption(L"Plain");
  int clicks = 0;
  box->OnClick = [&](TObject*) { ++clicks; };
  SendMessageW(box->Handle(), BM_CLICK, 0, 0);
  EXPECT_TRUE(box->Checked());
  EXPECT_EQ(clicks, 1);
  ASSERT_TRUE(box->BuildCache());
  TBitmap& cache = *box->SkinData()->CacheBmp;
  const RECT g = box->GlyphRect();
  // Something is drawn where the box goes, unlike the background beside it.
  bool drawn = false;
  for (int x = g.left; x < g.right && !drawn; ++x)
    drawn = Rgb(cache, x, (g.top + g.bottom) / 2) != Rgb(cache, g.right + 1, (g.top + g.bottom) / 2);
  EXPECT_TRUE(drawn);
}

}  // namespace
