// The extra glyph of edits and combo edits: its sizes from the assigned or
// default list, how its setters repaint and re-lay out the owner, and the
// two default lists.
#include "skin/imagelists/AddedGlyph.h"

#include <gtest/gtest.h>

#include <memory>

#include "framework/Bitmap.h"
#include "framework/Form.h"
#include "skin/imagelists/AlphaImageList.h"
#include "skin/imagelists/CharImageList.h"
#include "skin/imagelists/DefaultGlyphLists.h"
#include "skin/imagelists/ImageSizes.h"
#include "skin/manager/ManagerOptions.h"
#include "skin/state/CommonData.h"

namespace {

// The process-wide glyph mode, put back when the test ends.
class TGlyphsModeScope {
 public:
  explicit TGlyphsModeScope(bool Old) : FSaved(TacButtonsSupport::OldGlyphsMode()) { Set(Old); }
  ~TGlyphsModeScope() { Set(FSaved); }

 private:
  static void Set(bool Old) { TacButtonsSupport(nullptr).SetOldGlyphsMode(Old); }
  bool FSaved;
};

// A plain list of one image of the given size.
std::unique_ptr<TImageList> OneImageList(int Width, int Height) {
  auto List = std::make_unique<TImageList>(nullptr);
  List->SetWidth(Width);
  List->SetHeight(Height);
  TBitmap Image;
  Image.SetPixelFormat(pf24bit);
  Image.SetSize(Width, Height);
  EXPECT_EQ(List->Add(&Image, nullptr), 0);
  return List;
}

struct TSizeCase {
  const char* Name;
  bool OldGlyphs;
  int ListWidth, ListHeight;  // 0: no Images
  int ImageIndex;
  int Height, Frames, Width;
};

const TSizeCase kSizeCases[] = {
    {"CharListByDefault", false, 0, 0, 0, 14, 1, 16},
    {"PngListInOldMode", true, 0, 0, 0, 16, 2, 16},
    {"StripOfThreeSquares", false, 30, 10, 0, 10, 3, 10},
    {"WidthNoMultipleOfHeight", false, 25, 10, 0, 10, 1, 25},
    {"IndexOutsideImagesTakesDefault", true, 30, 10, 4, 16, 2, 16},
    {"NoImageSelected", false, 30, 10, -1, 14, 1, 16},
};

class GlyphSizes : public testing::TestWithParam<TSizeCase> {};

TEST_P(GlyphSizes, FollowTheListInUseAt96PPI) {
  const TSizeCase& c = GetParam();
  TGlyphsModeScope Mode(c.OldGlyphs);
  std::unique_ptr<TImageList> Images;
  if (c.ListWidth) Images = OneImageList(c.ListWidth, c.ListHeight);
  TacAddedGlyph Glyph(nullptr, nullptr);
  Glyph.SetImages(Images.get());
  Glyph.SetImageIndex(c.ImageIndex);
  EXPECT_EQ(Glyph.GlyphHeight(), c.Height);
  EXPECT_EQ(Glyph.FrameCount(), c.Frames);
  EXPECT_EQ(Glyph.GlyphWidth(), c.Width);
  Glyph.SetImages(nullptr);
}

INSTANTIATE_TEST_SUITE_P(AddedGlyph, GlyphSizes, testing::ValuesIn(kSizeCases),
                         [](const testing::TestParamInfo<TSizeCase>& Info) { return std::string(Info.param.Name); });

TEST(AddedGlyph, AZeroHeightListGivesOneFrameNotADivisionByZero) {
  TImageList Images(nullptr);
  Images.SetHeight(0);
  TacAddedGlyph Glyph(nullptr, nullptr);
  Glyph.SetImages(&Images);
  EXPECT_EQ(Glyph.FrameCount(), 1);
  Glyph.SetImages(nullptr);
}

TEST(AddedGlyph, AFreedImagesListIsLetGoAndTheDefaultListTakesOver) {
  TGlyphsModeScope Mode(true);
  auto Images = OneImageList(30, 10);
  TacAddedGlyph Glyph(nullptr, nullptr);
  Glyph.SetImages(Images.get());
  Glyph.SetImageIndex(0);
  ASSERT_EQ(Glyph.GlyphHeight(), 10);
  Images.reset();
  EXPECT_EQ(Glyph.Images(), nullptr);
  EXPECT_EQ(Glyph.GlyphHeight(), 16);
  EXPECT_EQ(Glyph.FrameCount(), 2);
}

// What the combo edit in question answers through the seam.
struct TComboAnswer {
  bool Applies;
  int ButtonWidth;
};
TComboAnswer gComboAnswer;

bool AnswerCombo(TWinControl*, int& ButtonWidth) {
  ButtonWidth = gComboAnswer.ButtonWidth;
  return gComboAnswer.Applies;
}

struct TComboCase {
  const char* Name;
  TComboAnswer Answer;
  bool ButtonGlyph;  // TsGlyphMode rather than an edit's added glyph
  int Width;         // -1: the system scroll-bar width less 2
};

const TComboCase kComboCases[] = {
    {"DefaultGlyphSystemWidth", {true, 0}, true, -1},
    {"OwnButtonWidth", {true, 21}, true, 21},
    {"NoButtonWidthNoDefaultGlyph", {false, 0}, true, 16},
    {"EditGlyphIgnoresTheButton", {true, 21}, false, 16},
};

class ComboGlyphWidth : public testing::TestWithParam<TComboCase> {
 protected:
  void TearDown() override { ComboGlyphButtonWidth = nullptr; }
};

TEST_P(ComboGlyphWidth, TakesTheButtonsWidthWhereTheComboAsksForIt) {
  const TComboCase& c = GetParam();
  TGlyphsModeScope Mode(true);
  gComboAnswer = c.Answer;
  ComboGlyphButtonWidth = AnswerCombo;
  TCustomControl Combo(nullptr);
  std::unique_ptr<TacAddedGlyph> Glyph;
  if (c.ButtonGlyph)
    Glyph = std::make_unique<TsGlyphMode>(&Combo, nullptr);
  else
    Glyph = std::make_unique<TacAddedGlyph>(&Combo, nullptr);
  Glyph->SetImageIndex(0);
  EXPECT_EQ(Glyph->GlyphWidth(), c.Width < 0 ? GetSystemMetrics(SM_CXVSCROLL) - 2 : c.Width);
}

INSTANTIATE_TEST_SUITE_P(AddedGlyph, ComboGlyphWidth, testing::ValuesIn(kComboCases),
                         [](const testing::TestParamInfo<TComboCase>& Info) { return std::string(Info.param.Name); });

// A windowed owner that counts how often it is painted and how often its
// frame is computed again.
class TCountingEdit : public TCustomControl {
 public:
  explicit TCountingEdit(TComponent* Owner) : TCustomControl(Owner) {}
  int Paints = 0;
  int Relayouts = 0;

 protected:
  void WndProc(TMessage& Message) override {
    if (Message.Msg == WM_PAINT) ++Paints;
    if (Message.Msg == WM_NCCALCSIZE) ++Relayouts;
    TCustomControl::WndProc(Message);
  }
};

struct TSetterCase {
  const char* Name;
  bool WithSkinData;
  void (*Change)(TsGlyphMode& Glyph, TImageList& Images);
  bool Repaints, Relayouts;
};

const TSetterCase kSetterCases[] = {
    {"SameImageIndex", true, [](TsGlyphMode& G, TImageList&) { G.SetImageIndex(-1); }, false, false},
    {"NewImageIndex", true, [](TsGlyphMode& G, TImageList&) { G.SetImageIndex(2); }, true, true},
    {"NewBlend", true, [](TsGlyphMode& G, TImageList&) { G.SetBlend(40); }, true, false},
    {"SameBlend", true, [](TsGlyphMode& G, TImageList&) { G.SetBlend(0); }, false, false},
    {"NewHotIndex", true, [](TsGlyphMode& G, TImageList&) { G.SetImageIndexHot(3); }, true, false},
    {"SamePressedIndex", true, [](TsGlyphMode& G, TImageList&) { G.SetImageIndexPressed(-1); }, false, false},
    {"NewImages", true, [](TsGlyphMode& G, TImageList& L) { G.SetImages(&L); }, true, true},
    {"ImagesChanged", true,
     [](TsGlyphMode& G, TImageList& L) {
       G.SetImages(&L);
       static_cast<TCountingEdit*>(G.Owner())->Paints = 0;
       static_cast<TCountingEdit*>(G.Owner())->Relayouts = 0;
       L.Change();
     },
     true, false},
    {"NewImageIndexWithoutSkinData", false, [](TsGlyphMode& G, TImageList&) { G.SetImageIndex(1); }, false, true},
};

class GlyphSetters : public testing::TestWithParam<TSetterCase> {
 protected:
  void SetUp() override {
    Form = std::make_unique<TForm>(nullptr, CreateNew);
    Form->SetBounds(0, 0, 200, 100);
    Edit = new TCountingEdit(Form.get());
    Edit->SetBounds(10, 10, 80, 24);
    Edit->SetParent(Form.get());
    Form->Show();
    Edit->HandleNeeded();
    if (GetParam().WithSkinData) {
      SkinData = std::make_unique<TsCommonData>(Edit, false);
      SkinData->Loading = false;
    }
    UpdateWindow(Form->Handle());
    Edit->Paints = Edit->Relayouts = 0;
  }
  void TearDown() override {
    SkinData.reset();
    Form.reset();
  }
  std::unique_ptr<TForm> Form;
  TCountingEdit* Edit = nullptr;
  std::unique_ptr<TsCommonData> SkinData;
};

TEST_P(GlyphSetters, RepaintAndRelayoutOnlyWhatChanged) {
  const TSetterCase& c = GetParam();
  TImageList Images(nullptr);
  {
    TsGlyphMode Glyph(Edit, SkinData.get());
    c.Change(Glyph, Images);
    EXPECT_EQ(Edit->Paints > 0, c.Repaints) << Edit->Paints << " paints";
    EXPECT_EQ(Edit->Relayouts > 0, c.Relayouts) << Edit->Relayouts << " frame computations";
  }
}

INSTANTIATE_TEST_SUITE_P(AddedGlyph, GlyphSetters, testing::ValuesIn(kSetterCases),
                         [](const testing::TestParamInfo<TSetterCase>& Info) { return std::string(Info.param.Name); });

TEST(DefaultGlyphLists, OldModeTakesThePngListElseTheCharList) {
  {
    TGlyphsModeScope Mode(true);
    EXPECT_EQ(DefaultGlyphList(), DefaultPngList());
  }
  TGlyphsModeScope Mode(false);
  EXPECT_EQ(DefaultGlyphList(), DefaultCharList());
}

TEST(DefaultGlyphLists, PngListHoldsFiveTwoFrameStripsFromTheResources) {
  TsAlphaImageList& List = *DefaultPngList();
  ASSERT_EQ(List.Items().Count(), 5);
  EXPECT_EQ(GetImageCount(&List), 5);
  for (int i = 0; i < 5; ++i) {
    SCOPED_TRACE(i);
    EXPECT_GT(List.Items().Items(i)->ImageBytes().Size(), 0);
    std::unique_ptr<TBitmap> Strip(List.CreateBitmap32(i, 32, 16));
    ASSERT_NE(Strip, nullptr);
    EXPECT_EQ(Strip->Width(), 32);
    EXPECT_EQ(Strip->Height(), 16);
    // Each square frame shows something.
    int Covered[2] = {0, 0};
    for (int y = 0; y < 16; ++y) {
      const auto* Row = static_cast<const uint32_t*>(Strip->ScanLine(y));
      for (int x = 0; x < 32; ++x)
        if (Row[x] >> 24) ++Covered[x / 16];
    }
    EXPECT_GT(Covered[0], 0);
    EXPECT_GT(Covered[1], 0);
  }
}

TEST(DefaultGlyphLists, CharListRendersItsTwentyFiveGlyphs) {
  TsCharImageList& List = *DefaultCharList();
  ASSERT_EQ(List.Items().Count(), 25);
  EXPECT_EQ(GetImageCount(&List), 25);
  EXPECT_EQ(List.Count(), 25);
  EXPECT_NE(List.Items().Items(20)->FontName(), L"Marlett");
  EXPECT_EQ(List.Items().Items(21)->FontName(), L"Marlett");
  EXPECT_EQ(ScaledImageHeight(&List, 0, 96), 14);
}

}  // namespace
