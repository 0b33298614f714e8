// Questions painters ask about a section and the control painted with it:
// which section lies beneath (AC_GETBGSKININDEX), its font colour, the
// window region of a border mask, shifting on click and colour effects.
#include "framework/Application.h"
#include "framework/Form.h"
#include "skin/graphics/Bitmap32.h"
#include "skin/graphics/PixelRoutines.h"
#include "skin/manager/SkinManager.h"
#include "skin/state/CommonData.h"
#include "skin/state/StateQueries.h"
#include "tests/skin/support/text_skin.h"

#include <gtest/gtest.h>

namespace {

const std::string kSkin =
    "[GLOBALINFO]\r\nVERSION=12.50\r\n"
    "[UNDER]\r\nFONTCOLOR=$00070809\r\nSTATES=1\r\n"
    "[CHILD]\r\nFONTCOLOR=$00010203\r\nHOTFONTCOLOR=$00040506\r\nSTATES=2\r\n";

// Answers AC_GETBGSKININDEX with Answer and, unless it is -1, writes
// Written into the record; remembers the rectangle it was asked about.
class TAskedBox : public TCustomControl {
 public:
  using TCustomControl::TCustomControl;
  LRESULT Answer = 0;
  int Written = -1;
  int Asked = 0;
  RECT AskedRect{};

 protected:
  void WndProc(TMessage& m) override {
    if (m.Msg == WM_SKINCOMMAND && SkinCommandCode(m.WParam) == AC_GETBGSKININDEX) {
      ++Asked;
      auto* query = reinterpret_cast<TacBgIndexQuery*>(m.LParam);
      AskedRect = query->Rect;
      if (Answer != -1) query->SectionIndex = Written;
      m.Result = Answer;
      return;
    }
    TCustomControl::WndProc(m);
  }
};

class StateQueriesTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { InitApplication(); }
  void SetUp() override {
    manager = TextSkinManager(L"Small", kSkin);
    ASSERT_TRUE(manager->IsSkinLoaded());
    form = std::make_unique<TForm>(Application, CreateNew);
    form->Font().SetColor(TColor(0x00AA00));
    form->HandleNeeded();
    box = new TAskedBox(form.get());
    box->SetBounds(7, 9, 40, 20);
    box->SetParent(form.get());
    box->Font().SetColor(TColor(0x0000AA));
    under = manager->GetSectionIndex(L"UNDER");
    child = manager->GetSectionIndex(L"CHILD");
    ASSERT_GE(under, 0);
    ASSERT_GE(child, 0);
  }
  TsGeneralData& Section(int index) { return manager->SkinData()->GeneralDataArray[index]; }

  std::unique_ptr<TsSkinManager> manager;
  std::unique_ptr<TForm> form;
  TAskedBox* box = nullptr;
  int under = -1, child = -1;
};

TEST_F(StateQueriesTest, ParentSkinIndexByTheAnswer) {
  struct Case {
    const char* name;
    int state;
    LRESULT answer;
    int written;
    int expected;  // -2: the asker's own index
    bool asked;
  } cases[] = {
      {"an opaque hot state is its own", 1, 0, -1, -2, false},
      {"the normal state asks; keep", 0, -1, -1, -2, true},
      {"nobody knows", 0, 0, -1, -1, true},
      {"a section beneath", 0, 1, 0, 0, true},
      {"an answer without index", 0, 1, -1, -2, true},
      {"a state the section lacks asks", 2, 1, 0, 0, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    box->Answer = c.answer;
    box->Written = c.written == 0 ? under : c.written;
    box->Asked = 0;
    const int want = c.expected == -2 ? child : c.expected == 0 ? under : c.expected;
    EXPECT_EQ(GetParentSkinIndex(box, child, manager.get(), c.state), want);
    EXPECT_EQ(box->Asked, c.asked ? 1 : 0);
  }
  EXPECT_EQ(GetParentSkinIndex(nullptr, child, manager.get(), 0), child);
  // The rectangle goes out where the control lies in its parent.
  const RECT where{7, 9, 47, 29};
  EXPECT_TRUE(EqualRect(&box->AskedRect, &where));
}

TEST_F(StateQueriesTest, StateFontColorOfTheSectionBeneath) {
  struct Case {
    const char* name;
    int transparency;
    LRESULT answer;
    int state;
    uint32_t expected;
  } cases[] = {
      {"opaque: its own", 0, 1, 0, 0x010203},
      {"opaque hot: its own hot", 0, 1, 1, 0x040506},
      {"see-through, nobody knows: the parent's font", 60, 0, 0, 0x00AA00},
      {"see-through over another section", 60, 1, 0, 0x070809},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Section(child).Props[0].Transparency = Section(child).Props[1].Transparency = c.transparency;
    box->Answer = c.answer;
    box->Written = under;
    EXPECT_EQ(uint32_t(GetStateFontColor(box, child, manager.get(), nullptr, c.state)), c.expected);
  }
  // A custom font keeps the control's colour.
  TsCommonData data(box, false);
  data.Loading = false;
  data.SetCustomFont(true);
  EXPECT_EQ(uint32_t(GetStateFontColor(box, child, manager.get(), &data, 0)), 0x0000AAu);
}

TEST_F(StateQueriesTest, MaskRegionCutsTheKeyColouredCorners) {
  // A one-frame border picture whose top-left and bottom-right corner
  // pixels are the key colour.
  auto picture = NewBitmap32(12, 8);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 12; ++x) SetPixel32(*picture, x, y, 0x00404040);
  SetPixel32(*picture, 0, 0, 0x00FF00FF);
  SetPixel32(*picture, 11, 7, 0x00FF00FF);
  TacSkinData* data = manager->SkinData();
  TsMaskData mask;
  mask.Bmp = picture.get();
  mask.Manager = manager.get();
  mask.SrcRect = RECT{0, 0, 12, 8};
  mask.ImageCount = 1;
  mask.WL = mask.WT = mask.WR = mask.WB = 3;
  data->MaskArray.push_back(mask);
  Section(child).BorderIndex = int(data->MaskArray.size()) - 1;

  auto window = NewBitmap32(50, 30);
  TOwnedRegion region(CreateMaskRegion(child, window.get(), data));
  ASSERT_TRUE(region);
  EXPECT_FALSE(PtInRegion(region.get(), 0, 0));
  EXPECT_TRUE(PtInRegion(region.get(), 1, 0));
  EXPECT_FALSE(PtInRegion(region.get(), 49, 29));
  EXPECT_TRUE(PtInRegion(region.get(), 25, 15));
  RECT bounds{};
  GetRgnBox(region.get(), &bounds);
  const RECT whole{0, 0, 50, 30};
  EXPECT_TRUE(EqualRect(&bounds, &whole));

  EXPECT_EQ(CreateMaskRegion(under, window.get(), data), nullptr);  // no border mask
  EXPECT_EQ(CreateMaskRegion(-1, window.get(), data), nullptr);
  Section(child).BorderIndex = -1;
}

TEST_F(StateQueriesTest, ShiftOnClick) {
  TacSkinData* data = manager->SkinData();
  manager->ButtonsOptions().SetShiftContentOnClick(false);
  EXPECT_FALSE(ShiftsContentOnClick(child, data));
  Section(child).ShiftClick = true;
  EXPECT_TRUE(ShiftsContentOnClick(child, data));
  Section(child).ShiftClick = false;
  manager->ButtonsOptions().SetShiftContentOnClick(true);
  EXPECT_TRUE(ShiftsContentOnClick(child, data));
  EXPECT_TRUE(ShiftsContentOnClick(-1, data));
  EXPECT_TRUE(ShiftsContentOnClick(child, nullptr));
}

TEST_F(StateQueriesTest, ColorEffectsSpareTheKeyColour) {
  struct Case {
    const char* name;
    uint8_t kind;
    uint32_t ownTone;
    TColor givenTone;
    int saturation;
    bool changes;
  } cases[] = {
      {"own tone", 1, 0x0000FF, clNone, 0, true},
      {"no tone", 1, 0x1FFFFFFF, TColor(0x0000FF), 0, false},
      {"kind 93 takes the given tone", 93, 0x1FFFFFFF, TColor(0x0000FF), 0, true},
      {"kind 93 ignores a zero tone", 93, 0x0000FF, 0, 0, false},
      {"saturation", 1, 0x1FFFFFFF, clNone, -100, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto bmp = NewBitmap32(2, 1);
    SetPixel32(*bmp, 0, 0, 0x00FF00FF);
    SetPixel32(*bmp, 1, 0, 0x00306090);
    TsCommonData data(nullptr, false);
    data.CtrlKind = c.kind;
    data.ColorTone = c.ownTone;
    data.Saturation = c.saturation;
    ApplyColorEffects(bmp.get(), &data, c.givenTone, 0);
    EXPECT_EQ(GetPixel32(*bmp, 0, 0), 0x00FF00FFu);
    EXPECT_EQ(GetPixel32(*bmp, 1, 0) != 0x00306090u, c.changes);
  }
}

}  // namespace
