#include <gtest/gtest.h>

#include "skin/core/SectionRecords.h"
#include "skin/graphics/Bitmap32.h"
#include "support/PixelHelpers.h"

namespace {

TsGeneralData Section(const String& Name, const String& Parent = String()) {
  TsGeneralData s;
  s.ClassName = Name;
  s.ParentClass = Parent;
  return s;
}

TsMaskData Item(const String& Section, int SectionIndex, const String& Prop, uint8_t Kind = 0) {
  TsMaskData m;
  m.ClassName = Section;
  m.SectionIndex = SectionIndex;
  m.PropertyName = Prop;
  m.ImgKind = Kind;
  return m;
}

}  // namespace

TEST(SectionRecords, DefaultsOfAStateAndASection) {
  TsGenState s;
  EXPECT_EQ(s.TextureIndex, -1);
  EXPECT_EQ(s.Color, 0xFFFFFFu);
  EXPECT_EQ(s.BorderColor, 0xFF00FFu);
  EXPECT_EQ(s.ContourBottom, 0xFFFFFFFFu);
  TsGeneralData g;
  EXPECT_EQ(g.States, 3);
  EXPECT_EQ(g.BorderWidth, 1);
  EXPECT_EQ(g.OuterOpacity, 200);
  EXPECT_EQ(g.OutBlur, 9);
}

TEST(SectionRecords, LookupsByNameAreCaseSensitive) {
  TsGeneralDataArray Sections = {Section(L"BUTTON"), Section(L"EDIT")};
  EXPECT_EQ(GetSectionIndex(Sections, L"EDIT"), 1);
  EXPECT_EQ(GetSectionIndex(Sections, L"Edit"), -1);
  EXPECT_EQ(GetSectionIndex(Sections, L""), -1);
  EXPECT_TRUE(IsValidSectionIndex(Sections, 1));
  EXPECT_FALSE(IsValidSectionIndex(Sections, 2));
  EXPECT_FALSE(IsValidSectionIndex(Sections, -1));
  TsMaskArray Masks = {Item(L"BUTTON", 0, L"BORDERSMASK"), Item(L"EDIT", 1, L"BORDERSMASK")};
  EXPECT_EQ(GetMaskIndex(Masks, L"EDIT", L"BORDERSMASK"), 1);
  EXPECT_EQ(GetMaskIndex(Masks, L"EDIT", L"bordersmask"), -1);
  EXPECT_EQ(GetMaskIndex(Masks, L"", L"BORDERSMASK"), -1);
  EXPECT_FALSE(IsValidMaskIndex(Masks, 2));
}

TEST(SectionRecords, ItemsAreInheritedAlongTheParentChain) {
  TsGeneralDataArray Sections = {Section(L"BUTTON"), Section(L"TOOLBUTTON", L"BUTTON"), Section(L"LOOPA", L"LOOPB"),
                                 Section(L"LOOPB", L"LOOPA")};
  TsMaskArray Masks = {Item(L"BUTTON", 0, L"BORDERSMASK"), Item(L"BUTTON", 0, L"PATTERN", 1)};
  EXPECT_EQ(GetSectionMaskIndex(Sections, Masks, 1, L"BORDERSMASK"), 0);
  EXPECT_EQ(GetSectionMaskIndex(Sections, Masks, 1, L"GLYPHMASK"), -1);
  EXPECT_EQ(GetSectionMaskIndex(Sections, Masks, -1, L"BORDERSMASK"), -1);
  EXPECT_EQ(GetTextureIndex(Sections, Masks, 1, L"TOOLBUTTON", L"PATTERN"), 1);
  EXPECT_EQ(GetTextureIndex(Sections, Masks, 1, L"TOOLBUTTON", L"BORDERSMASK"), -1);  // not a texture
  // A chain that comes back on itself ends as missing instead of running forever.
  EXPECT_EQ(GetSectionMaskIndex(Sections, Masks, 2, L"BORDERSMASK"), -1);
  EXPECT_EQ(GetTextureIndex(Sections, Masks, 3, L"LOOPB", L"PATTERN"), -1);
}

TEST(SectionRecords, TransparentPointsOnlyInTheCorners) {
  // A 10 x 10 frame with 3-pixel borders; key colour in its four corner pixels.
  auto Bmp = std::unique_ptr<TBitmap>(FilledBitmap32(10, 10, 0xFF808080));
  for (auto [x, y] : {std::pair{0, 0}, {9, 0}, {0, 9}, {9, 9}, {5, 5}}) SetPixelAt(*Bmp, x, y, 0x00FF00FF);
  TsMaskData Mask;
  Mask.Bmp = Bmp.get();
  Mask.SrcRect = RECT{0, 0, 10, 10};
  Mask.WL = Mask.WT = Mask.WR = Mask.WB = 3;
  Mask.FrameWidth = Mask.FrameHeight = 10;
  Mask.CornerMode = 1;
  struct {
    int X, Y;
    bool Want;
  } Cases[] = {{0, 0, true}, {49, 0, true}, {0, 29, true}, {49, 29, true}, {1, 1, false}, {25, 15, false}};
  for (auto& c : Cases) EXPECT_EQ(IsTransparentMaskPoint(c.X, c.Y, Mask, 50, 30), c.Want) << c.X << "," << c.Y;
  // Without the key-colour mode the test is alpha 0.
  Mask.CornerMode = 0;
  SetPixelAt(*Bmp, 1, 1, 0x00123456);
  EXPECT_TRUE(IsTransparentMaskPoint(1, 1, Mask, 50, 30));
  Mask.Bmp = nullptr;
  EXPECT_FALSE(IsTransparentMaskPoint(0, 0, Mask, 50, 30));
  EXPECT_EQ(MaskFrameSize(Mask).x, 10);
}
