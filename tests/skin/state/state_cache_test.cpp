// The skin state's cache side: repainting and the update bracket, paint
// flags by border drawing mode, the repair of see-through cache corners and
// copying the cache with children cut out.
#include "framework/Application.h"
#include "framework/Form.h"
#include "skin/graphics/Bitmap32.h"
#include "skin/manager/SkinManager.h"
#include "skin/state/CacheCopies.h"
#include "skin/state/CacheCorners.h"
#include "skin/state/CommonData.h"
#include "skin/state/FinishFadeTimer.h"
#include "skin/state/OuterEffects.h"
#include "skin/state/PaintBorderData.h"
#include "skin/state/ThreadedTimer.h"
#include "tests/skin/state/support/state_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

namespace {

const std::string kSkin =
    "[GLOBALINFO]\r\nVERSION=12.50\r\nCOLOR=$00203040\r\n[BUTTON]\r\nCOLOR=$00112233\r\n[GROUPBOX]\r\n"
    "COLOR=$00445566\r\n";

constexpr uint32_t kKey = 0x00FF00FF;

uint32_t& Pixel(TBitmap& bmp, int x, int y) { return static_cast<uint32_t*>(bmp.ScanLine(y))[x]; }

std::unique_ptr<TBitmap> Filled(int w, int h, const std::function<uint32_t(int, int)>& color) {
  auto bmp = NewBitmap32(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) Pixel(*bmp, x, y) = color(x, y);
  return bmp;
}

// Every pixel of the parent's picture tells where it lies.
uint32_t BgAt(int x, int y) { return 0xFF000000u | uint32_t(y) << 8 | uint32_t(x); }

// A container that answers the background question with its own picture and
// the update question with Updating, and writes down the commands it gets.
class TBgParent : public TCustomControl {
 public:
  explicit TBgParent(TComponent* owner) : TCustomControl(owner) { Picture = Filled(64, 48, BgAt); }
  std::unique_ptr<TBitmap> Picture;
  LRESULT Updating = 0;
  std::vector<WPARAM> Seen;
  int Count(uint16_t code) const {
    int n = 0;
    for (WPARAM w : Seen) n += SkinCommandCode(w) == code;
    return n;
  }

 protected:
  void WndProc(TMessage& m) override {
    if (m.Msg == WM_SKINCOMMAND) {
      Seen.push_back(m.WParam);
      switch (SkinCommandCode(m.WParam)) {
        case AC_GETBG: {
          auto* info = reinterpret_cast<TacBackgroundInfo*>(m.LParam);
          info->BgKind = bgkBitmap;
          info->Bmp = Picture.get();
          info->OffsetX = info->OffsetY = 0;
          return;
        }
        case AC_ISUPDATING:
          m.Result = Updating;
          return;
        default:
          break;
      }
    }
    TCustomControl::WndProc(m);
  }
};

using TBox = TRecordingBox<TsCommonData>;

class TPlainGraphic : public TGraphicControl {
 public:
  using TGraphicControl::TGraphicControl;
};

class StateCacheTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { InitApplication(); }
  void SetUp() override {
    form = std::make_unique<TForm>(Application, CreateNew);
    form->SetBounds(0, 0, 200, 150);
    form->HandleNeeded();
    form->Show();
    manager = skins.Manager();
    ASSERT_TRUE(manager->IsSkinLoaded());
    parent = new TBgParent(form.get());
    parent->SetBounds(10, 10, 64, 48);
    parent->SetParent(form.get());
    parent->HandleNeeded();
  }
  void TearDown() override {
    form.reset();
    manager.reset();
  }
  TBox* MakeBox(int left, int top, int w, int h) {
    auto* box = new TBox(form.get());
    box->SetBounds(left, top, w, h);
    box->SetParent(parent);
    box->HandleNeeded();
    box->Data->Loaded(false);
    box->Seen.clear();
    return box;
  }
  // Gives the section d paints with a border picture: 12 x 12, corners of
  // 3, key-colour pixels at the four outer corner pixels.
  void GiveBorder(TsCommonData& d, TBitmap& picture, int16_t margin = 3) {
    ASSERT_GE(d.SkinIndex, 0);
    TsMaskData item;
    item.Bmp = &picture;
    item.SrcRect = RECT{0, 0, picture.Width(), picture.Height()};
    item.ImageCount = 1;
    item.FrameWidth = picture.Width();
    item.FrameHeight = picture.Height();
    item.WL = item.WT = item.WR = item.WB = margin;
    item.CornerMode = 1;
    for (TacSkinData* data : {d.GetScaledSkinData(), manager->SkinData()}) {
      data->MaskArray.push_back(item);
      data->GeneralDataArray[d.SkinIndex].BorderIndex = int(data->MaskArray.size()) - 1;
    }
  }
  static std::unique_ptr<TBitmap> CornerPicture(int size = 12) {
    return Filled(size, size, [size](int x, int y) {
      return (x == 0 || x == size - 1) && (y == 0 || y == size - 1) ? kKey : 0xFF808080u;
    });
  }
  TSmallSkinFolder skins{kSkin};
  std::unique_ptr<TForm> form;
  std::unique_ptr<TsSkinManager> manager;
  TBgParent* parent = nullptr;
};

bool HasUpdateRegion(HWND wnd) { return GetUpdateRect(wnd, nullptr, FALSE) != FALSE; }

TEST_F(StateCacheTest, InvalidateOnlyFlagsTheCacheWhileLoading) {
  auto* box = MakeBox(0, 0, 20, 10);
  TsCommonData& d = *box->Data;
  const HWND wnd = box->Handle();
  ValidateRect(wnd, nullptr);
  d.Loading = true;
  d.BGChanged = false;
  d.Invalidate(false);
  EXPECT_TRUE(d.BGChanged);
  EXPECT_FALSE(HasUpdateRegion(wnd));
  d.Loading = false;
  d.Invalidate(false);
  EXPECT_TRUE(HasUpdateRegion(wnd));
}

TEST_F(StateCacheTest, InvalidateStopsAFadeUnlessItRunsForTheGlow) {
  auto* box = MakeBox(0, 0, 20, 10);
  TsCommonData& d = *box->Data;
  d.FadeTimer = new TacThreadedTimer(nullptr);
  TacThreadedTimer& fade = *d.FadeTimer;
  fade.State = 0;
  fade.Level = 100;
  fade.AnimMode = 1;
  fade.SetEnabled(true);
  fade.FrameImage = NewBitmap32(2, 2);
  d.Invalidate(false);
  EXPECT_TRUE(fade.Enabled());
  EXPECT_TRUE(d.IsAnimating());
  fade.AnimMode = 0;
  d.Invalidate(false);
  EXPECT_FALSE(fade.Enabled());
  EXPECT_EQ(fade.State, -1);
  EXPECT_EQ(fade.Level, 0.0);
  EXPECT_EQ(fade.FrameImage, nullptr);
  EXPECT_FALSE(d.IsAnimating());
}

TEST_F(StateCacheTest, FinishFadeTimerJumpsToTheEndOfTheRun) {
  struct Case {
    int state;
    double level;
  } cases[] = {{-1, 0.0}, {0, 0.0}, {1, 255.0}, {2, 255.0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.state);
    TacThreadedTimer timer(nullptr);
    timer.State = c.state;
    timer.StepCount = 6;
    timer.Level = 120;
    timer.SetEnabled(true);
    timer.FrameImage = NewBitmap32(2, 2);
    FinishFadeTimer(&timer);
    EXPECT_EQ(timer.Step, 5);
    EXPECT_EQ(timer.Level, c.level);
    EXPECT_FALSE(timer.Enabled());
    EXPECT_EQ(timer.FrameImage, nullptr);
  }
  FinishFadeTimer(nullptr);
}

TEST_F(StateCacheTest, EndUpdateTellsAndRepaintsOnlyWhenTheCountReachesZero) {
  auto* box = MakeBox(0, 0, 20, 10);
  TsCommonData& d = *box->Data;
  d.BeginUpdate();
  d.BeginUpdate();
  // The repaint is asked for at once, so what shows it is the cache being
  // marked stale.
  d.BGChanged = false;
  d.EndUpdate(true);
  EXPECT_EQ(box->Count(AC_ENDUPDATE), 0);
  EXPECT_FALSE(d.BGChanged);
  d.EndUpdate(true);
  EXPECT_EQ(box->Count(AC_ENDUPDATE), 1);
  EXPECT_TRUE(d.BGChanged);
}

TEST_F(StateCacheTest, UpdatingFollowsTheParentAndSilencesMoveNotices) {
  auto* box = MakeBox(0, 0, 20, 10);
  TsCommonData& d = *box->Data;
  parent->Updating = 1;
  EXPECT_TRUE(d.IsUpdating());
  EXPECT_TRUE(d.CheckUpdating(true));
  EXPECT_TRUE(d.Updating);
  parent->Seen.clear();
  d.NotifyParentMoved();
  EXPECT_EQ(parent->Count(AC_INVALIDATEALL), 0);

  parent->Updating = 0;
  EXPECT_FALSE(d.CheckUpdating(true));
  EXPECT_FALSE(d.Updating);
  parent->Seen.clear();
  d.NotifyParentMoved();
  ASSERT_EQ(parent->Count(AC_INVALIDATEALL), 1);
  for (WPARAM w : parent->Seen)
    if (SkinCommandCode(w) == AC_INVALIDATEALL) EXPECT_EQ(SkinCommandArgument(w), 1);
  EXPECT_EQ(parent->Count(AC_BUILDCACHE), 1);
}

TEST_F(StateCacheTest, PaintFlagsFollowTheBorderDrawingMode) {
  auto* box = MakeBox(0, 0, 20, 10);
  TsCommonData& d = *box->Data;
  d.SetSkinSection(L"BUTTON");
  d.UpdatePaintFlags();
  EXPECT_EQ(d.PaintFlags, 0) << "no border picture";
  auto picture = CornerPicture();
  GiveBorder(d, picture.operator*());
  struct Case {
    uint16_t mode, flags;
  } cases[] = {{0, 0xF0}, {1, 0xF4}, {2, 0x20}, {3, 0x10},  {4, 0x24},  {5, 0x14},  {6, 0x80},
               {7, 0x40}, {8, 0x84}, {9, 0x44}, {10, 0xF0}, {11, 0xA4}, {12, 0x54}, {13, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.mode);
    for (TacSkinData* data : {d.GetScaledSkinData(), manager->SkinData()})
      data->MaskArray[data->GeneralDataArray[d.SkinIndex].BorderIndex].DrawMode = c.mode;
    d.UpdatePaintFlags();
    EXPECT_EQ(d.PaintFlags, c.flags);
  }
  // Mode 2 changes with the height only.
  for (TacSkinData* data : {d.GetScaledSkinData(), manager->SkinData()})
    data->MaskArray[data->GeneralDataArray[d.SkinIndex].BorderIndex].DrawMode = 2;
  d.UpdatePaintFlags();
  d.StateBits = acsWidthChanged;
  EXPECT_TRUE(d.ChildrenNeedRefresh());
  d.StateBits = acsHeightChanged;
  EXPECT_FALSE(d.ChildrenNeedRefresh());

  d.SkinIndex = -1;
  d.UpdatePaintFlags();
  EXPECT_EQ(d.PaintFlags, 0);
}

TEST_F(StateCacheTest, CornersNineRepairLeftTopAndRightBottomOnly) {
  auto* box = MakeBox(5, 7, 20, 16);
  TsCommonData& d = *box->Data;
  d.SetSkinSection(L"BUTTON");
  auto picture = CornerPicture();
  GiveBorder(d, *picture);
  d.CacheBmp = Filled(20, 16, [](int, int) { return 0xFF111111u; });
  FillCacheCorners(&d, 0, 9);
  TBitmap& cache = *d.CacheBmp;
  EXPECT_EQ(Pixel(cache, 0, 0), BgAt(5, 7));
  EXPECT_EQ(Pixel(cache, 19, 15), BgAt(5 + 19, 7 + 15));
  EXPECT_EQ(Pixel(cache, 19, 0), 0xFF111111u) << "right-top not asked";
  EXPECT_EQ(Pixel(cache, 0, 15), 0xFF111111u) << "left-bottom not asked";
  EXPECT_EQ(Pixel(cache, 1, 1), 0xFF111111u) << "picture pixel not see-through";
  EXPECT_EQ(Pixel(cache, 18, 14), 0xFF111111u);

  // A custom border paints its own corners.
  d.CustomBorder().SetWidth(2);
  FillCacheCorners(&d, 0, 15);
  EXPECT_EQ(Pixel(cache, 19, 0), 0xFF111111u);
}

TEST_F(StateCacheTest, CornersAreCutToCachePictureAndBackground) {
  auto* box = MakeBox(60, 44, 20, 16);
  TsCommonData& d = *box->Data;
  d.SetSkinSection(L"BUTTON");
  // Every pixel of the picture is see-through, and its borders are wider
  // than the picture itself and than the cache.
  auto picture = Filled(6, 6, [](int, int) { return kKey; });
  GiveBorder(d, *picture, 30);
  d.CacheBmp = Filled(20, 16, [](int, int) { return 0xFF111111u; });
  FillCacheCorners(&d, 0, 15);
  TBitmap& cache = *d.CacheBmp;
  // The parent's picture is 64 x 48: only cache pixels over it change, and
  // only where the 6 x 6 picture reaches.
  EXPECT_EQ(Pixel(cache, 0, 0), BgAt(60, 44));
  EXPECT_EQ(Pixel(cache, 3, 3), BgAt(63, 47));
  EXPECT_EQ(Pixel(cache, 4, 0), 0xFF111111u) << "beyond the background's width";
  EXPECT_EQ(Pixel(cache, 0, 4), 0xFF111111u) << "beyond the background's height";
  EXPECT_EQ(Pixel(cache, 7, 7), 0xFF111111u);

  d.CacheBmp->SetSize(0, 0);
  FillCacheCorners(&d, 0, 15);
  EXPECT_TRUE(d.CacheBmp->Empty());
}

TEST_F(StateCacheTest, WrappedWindowAsksItsParentWindow) {
  const HWND wnd = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 4, 6, 20, 16, parent->Handle(), nullptr,
                                   nullptr, nullptr);
  ASSERT_NE(wnd, nullptr);
  {
    TsCommonData d(nullptr, true);
    d.Wnd = wnd;
    d.SetSkinSection(L"BUTTON");
    auto picture = CornerPicture();
    GiveBorder(d, *picture);
    d.CacheBmp = Filled(20, 16, [](int, int) { return 0xFF111111u; });
    parent->Seen.clear();
    FillCacheCorners(&d, 0, 1);
    EXPECT_EQ(parent->Count(AC_GETBG), 1);
    EXPECT_EQ(Pixel(*d.CacheBmp, 0, 0), BgAt(4, 6));
    EXPECT_EQ(Pixel(*d.CacheBmp, 1, 1), 0xFF111111u);
  }
  DestroyWindow(wnd);
}

TEST_F(StateCacheTest, CacheCopyLeavesChildrenThatCoverThemselves) {
  const uint32_t cacheColor = 0xFF0000FF, dcColor = 0xFF00FF00;
  TsCommonData d(nullptr, true);
  d.CacheBmp = Filled(40, 20, [=](int, int) { return cacheColor; });
  auto* graphic = new TPlainGraphic(parent);
  graphic->SetBounds(2, 2, 4, 4);
  graphic->SetParent(parent);
  auto* seeThrough = new TCustomControl(parent);
  seeThrough->SetBounds(10, 2, 4, 4);
  seeThrough->SetParent(parent);
  auto* opaque = new TCustomControl(parent);
  opaque->SetControlStyle(opaque->ControlStyle() | csOpaque);
  opaque->SetBounds(20, 2, 4, 4);
  opaque->SetParent(parent);
  auto* hidden = new TCustomControl(parent);
  hidden->SetControlStyle(hidden->ControlStyle() | csOpaque);
  hidden->SetBounds(30, 2, 4, 4);
  hidden->SetVisible(false);
  hidden->SetParent(parent);

  struct Case {
    const char* name;
    bool stdImgTransparency;
    POINT offset;
    POINT at;
    bool copied;
  } cases[] = {
      {"graphic child", false, {0, 0}, {3, 3}, false},
      {"graphic child, standard image transparency", true, {0, 0}, {3, 3}, true},
      {"windowed child showing its parent", false, {0, 0}, {11, 3}, true},
      {"opaque windowed child", false, {0, 0}, {21, 3}, false},
      {"opaque windowed child, moved by the offset", false, {1, 1}, {24, 5}, false},
      {"left of the moved child", false, {1, 1}, {20, 3}, true},
      {"hidden child", false, {0, 0}, {31, 3}, true},
      {"between children", false, {0, 0}, {8, 3}, true},
      {"outside the destination", false, {0, 0}, {38, 18}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    manager->Options().SetBool(TacOptions::boStdImgTransparency, c.stdImgTransparency);
    auto target = Filled(40, 20, [=](int, int) { return dcColor; });
    CopyCacheExcludingChildren(parent, &d, POINT{0, 0}, c.offset, false, target->DC(), RECT{0, 0, 36, 16});
    GdiFlush();
    EXPECT_EQ(Pixel(*target, c.at.x, c.at.y) & 0xFFFFFF, (c.copied ? cacheColor : dcColor) & 0xFFFFFF);
  }
  manager->Options().SetBool(TacOptions::boStdImgTransparency, false);
}

TEST_F(StateCacheTest, CacheCopyWithoutCacheLeavesTheDC) {
  TsCommonData d(nullptr, false);
  auto target = Filled(8, 8, [](int, int) { return 0xFF00FF00u; });
  CopyCacheExcludingChildren(parent, &d, POINT{0, 0}, POINT{0, 0}, true, target->DC(), RECT{0, 0, 8, 8});
  d.CacheBmp = NewBitmap32(0, 0);
  CopyCacheExcludingChildWindows(parent->Handle(), &d, POINT{0, 0}, POINT{0, 0}, true, target->DC(), RECT{0, 0, 8, 8});
  GdiFlush();
  EXPECT_EQ(Pixel(*target, 4, 4), 0xFF00FF00u);
}

TEST_F(StateCacheTest, CacheCopyCutsChildWindowsOut) {
  const HWND child = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 4, 2, 6, 6, parent->Handle(), nullptr,
                                     nullptr, nullptr);
  ASSERT_NE(child, nullptr);
  TsCommonData d(nullptr, true);
  d.CacheBmp = Filled(20, 12, [](int, int) { return 0xFF0000FFu; });
  auto target = Filled(20, 12, [](int, int) { return 0xFF00FF00u; });
  CopyCacheExcludingChildWindows(parent->Handle(), &d, POINT{0, 0}, POINT{0, 0}, false, target->DC(),
                                 RECT{0, 0, 20, 12});
  GdiFlush();
  EXPECT_EQ(Pixel(*target, 5, 3) & 0xFFFFFF, 0x00FF00u);
  EXPECT_EQ(Pixel(*target, 12, 3) & 0xFFFFFF, 0x0000FFu);
  DestroyWindow(child);
}

TEST_F(StateCacheTest, OuterShadowKeepsWhatItCoversAndPaintsAroundTheControl) {
  auto* box = MakeBox(10, 8, 20, 10);
  TsCommonData& d = *box->Data;
  d.SetSkinSection(L"BUTTON");
  ASSERT_TRUE(d.IsSkinned());
  auto shadow = Filled(9, 9, [](int, int) { return 0xFF0000FFu; });
  for (TacSkinData* data : {d.GetScaledSkinData(), manager->SkinData()}) {
    TsMaskData item;
    item.Bmp = shadow.get();
    item.Manager = manager.get();
    item.SrcRect = RECT{0, 0, 9, 9};
    item.ImageCount = 1;
    item.FrameWidth = item.FrameHeight = 9;
    item.WL = item.WT = item.WR = item.WB = 3;
    data->MaskArray.push_back(item);
    TsGeneralData& section = data->GeneralDataArray[d.SkinIndex];
    section.OuterMode = 1;
    section.OuterMask = int(data->MaskArray.size()) - 1;
    section.OutOffsL = section.OutOffsT = section.OutOffsR = section.OutOffsB = 3;
    section.OuterOpacity = 255;
  }
  TacBackgroundInfo info;
  info.BgKind = bgkBitmap;
  info.Bmp = parent->Picture.get();
  d.PaintOuterEffect(info, 0);
  EXPECT_EQ(d.OuterBmp, nullptr) << "not shown without a visibility";

  d.OuterEffects().SetVisibility(TacOuterVisibility::ovAlways);
  d.PaintOuterEffect(info, 0);
  ASSERT_NE(d.OuterBmp, nullptr);
  EXPECT_EQ(d.OuterBmp->Width(), 26);
  EXPECT_EQ(d.OuterBmp->Height(), 16);
  EXPECT_EQ(Pixel(*d.OuterBmp, 0, 0), BgAt(7, 5));
  EXPECT_EQ(Pixel(*d.OuterBmp, 25, 15), BgAt(32, 20));
  TBitmap& picture = *parent->Picture;
  EXPECT_NE(Pixel(picture, 8, 6), BgAt(8, 6)) << "the band around the control";
  EXPECT_EQ(Pixel(picture, 40, 30), BgAt(40, 30)) << "away from the control";
}

TEST_F(StateCacheTest, InitCacheBmpSizesTheCacheToTheControl) {
  auto* box = MakeBox(0, 0, 20, 10);
  TsCommonData& d = *box->Data;
  d.CacheBmp.reset();
  d.InitCacheBmp();
  ASSERT_NE(d.CacheBmp, nullptr);
  EXPECT_EQ(d.CacheBmp->PixelFormat(), pf32bit);
  EXPECT_EQ(d.CacheBmp->Width(), 20);
  EXPECT_EQ(d.CacheBmp->Height(), 10);
}

}  // namespace
