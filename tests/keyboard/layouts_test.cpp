// The built-in layouts and how keys are labelled.
#include "keyboard/KbTouchKeyboard.h"

#include <gtest/gtest.h>

#include <map>

namespace {

using SK = TSpecialKey;

struct LayoutCase {
  TKeyboardType type;
  int keys;
  int width, height;
  std::vector<std::pair<SK, int>> specials;  // role and how many keys have it
  std::vector<std::wstring> captions;        // captions that must exist
};

std::map<SK, int> CountSpecials(TKbTouchKeyboard& kb) {
  std::map<SK, int> n;
  for (int i = 0; i < kb.Keys().Count(); ++i) ++n[kb.Keys().Items(i)->SpecialKey()];
  return n;
}

TKbTouchKey* FindKey(TKbTouchKeyboard& kb, const String& caption) {
  for (int i = 0; i < kb.Keys().Count(); ++i)
    if (kb.Keys().Items(i)->Caption() == caption) return kb.Keys().Items(i)->Key();
  return nullptr;
}

}  // namespace

TEST(Layouts, KeysSizesAndSpecialKeysPerType) {
  const std::vector<std::pair<SK, int>> fullSize = {
      {SK::skBackSpace, 1}, {SK::skTab, 1}, {SK::skReturn, 1},   {SK::skCaps, 1},  {SK::skShift, 2}, {SK::skCtrl, 1},
      {SK::skWin, 2},       {SK::skAlt, 1}, {SK::skSpaceBar, 1}, {SK::skAltGr, 1}, {SK::skApp, 1}};
  auto withRightCtrl = fullSize;
  withRightCtrl[5] = {SK::skCtrl, 2};
  const LayoutCase cases[] = {
      {TKeyboardType::ktQWERTY, 61, 600, 200, fullSize, {L"`", L"Back", L"Q", L"Enter", L"Caps Lock", L"->"}},
      {TKeyboardType::ktAZERTY, 62, 600, 200, withRightCtrl, {L"\u00B2", L"\u00E9", L"Backspace", L"A", L"\u00F9"}},
      {TKeyboardType::ktDVORAK, 61, 600, 200, withRightCtrl, {L"P", L"Backspace", L"'", L"S", L"Z"}},
      {TKeyboardType::ktQWERTZ, 62, 600, 200, withRightCtrl, {L"\u00DF", L"\u00DC", L"\u00D6", L"\u00C4", L"Y"}},
      {TKeyboardType::ktNUMERIC,
       17,
       160,
       200,
       {{SK::skNum, 1},
        {SK::skDivide, 1},
        {SK::skMultiply, 1},
        {SK::skSubstract, 1},
        {SK::skAdd, 1},
        {SK::skReturn, 1},
        {SK::skDecimal, 1}},
       {L"Num Lock", L"7", L"0", L"."}},
      {TKeyboardType::ktCELLPHONE, 12, 120, 160, {{SK::skBackSpace, 1}}, {L"*", L"0", L"Back"}},
  };
  TKbTouchKeyboard kb(nullptr);
  for (const auto& c : cases) {
    kb.SetKeyboardType(c.type);
    const int t = static_cast<int>(c.type);
    EXPECT_EQ(kb.Keys().Count(), c.keys) << t;
    EXPECT_EQ(kb.Width(), c.width) << t;
    EXPECT_EQ(kb.Height(), c.height) << t;
    auto counts = CountSpecials(kb);
    for (const auto& [role, n] : c.specials) EXPECT_EQ(counts[role], n) << t << " role " << static_cast<int>(role);
    for (const auto& caption : c.captions)
      EXPECT_NE(FindKey(kb, caption), nullptr) << t << " " << StringToUtf8(caption);
    // Every key lies inside the keyboard and no two keys overlap.
    for (int i = 0; i < kb.Keys().Count(); ++i) {
      const RECT a = kb.Keys().Items(i)->Key()->BoundsRect();
      EXPECT_LE(a.right, c.width) << t << " key " << i;
      EXPECT_LE(a.bottom, c.height) << t << " key " << i;
      for (int j = i + 1; j < kb.Keys().Count(); ++j) {
        RECT b = kb.Keys().Items(j)->Key()->BoundsRect(), both;
        EXPECT_FALSE(IntersectRect(&both, &a, &b)) << t << " keys " << i << " and " << j;
      }
    }
  }
}

TEST(Layouts, QwertyDetails) {
  TKbTouchKeyboard kb(nullptr);
  TKbTouchKey* enter = FindKey(kb, L"Enter");
  ASSERT_NE(enter, nullptr);
  EXPECT_EQ(enter->KeyValue, 13);
  EXPECT_EQ(enter->ShiftKeyValue, 0);
  EXPECT_EQ(enter->Width(), 50);
  EXPECT_EQ(enter->Height(), 80);
  EXPECT_EQ(enter->Left(), 550);
  EXPECT_EQ(enter->Color(), 0xA0A0A0);
  TKbTouchKey* one = FindKey(kb, L"1");
  EXPECT_EQ(one->ShiftCaption, L"!");
  EXPECT_EQ(one->AltGrCaption, L"|");
  TKbTouchKey* q = FindKey(kb, L"Q");
  EXPECT_TRUE(q->ShiftCaption.empty());
  EXPECT_EQ(q->KeyValue, -1);
  EXPECT_EQ(q->Color(), 0xC0C0C0);
  EXPECT_EQ(q->Left(), 60);
  EXPECT_EQ(q->Top(), 40);
  // The space bar is unlabelled and light like a character key.
  TKbTouchKey* space = nullptr;
  for (int i = 0; i < kb.Keys().Count(); ++i)
    if (kb.Keys().Items(i)->SpecialKey() == SK::skSpaceBar) space = kb.Keys().Items(i)->Key();
  ASSERT_NE(space, nullptr);
  EXPECT_EQ(space->Caption(), L"");
  EXPECT_EQ(space->Width(), 240);
  EXPECT_EQ(space->Color(), 0xC0C0C0);
  // Without Images the Windows keys keep no image and show their caption.
  int winKeys = 0;
  for (int i = 0; i < kb.Keys().Count(); ++i) {
    TKbTouchKey* k = kb.Keys().Items(i)->Key();
    if (k->SpecialKey != SK::skWin) continue;
    ++winKeys;
    EXPECT_EQ(k->ImageIndex, -1);
    EXPECT_EQ(k->Caption(), L"Win");
  }
  EXPECT_EQ(winKeys, 2);
  EXPECT_EQ(kb.Keys().Items(0)->DisplayName(), L"Key `");
}

TEST(Layouts, CustomIsEmptyAndQwertyComesBack) {
  TKbTouchKeyboard kb(nullptr);
  kb.SetKeyboardType(TKeyboardType::ktCustom);
  EXPECT_EQ(kb.Keys().Count(), 0);
  kb.SetKeyboardType(TKeyboardType::ktQWERTY);
  EXPECT_EQ(kb.Keys().Count(), 61);
}

TEST(Layouts, WindowsKeysTakeTheImageWhenTheKeyboardHasImages) {
  TKbTouchKeyboard kb(nullptr);
  HIMAGELIST images = ImageList_Create(16, 16, ILC_COLOR32, 1, 1);
  kb.SetImages(images);
  kb.SetKeyboardType(TKeyboardType::ktQWERTY);
  int withImage = 0;
  for (int i = 0; i < kb.Keys().Count(); ++i)
    if (kb.Keys().Items(i)->Key()->ImageIndex == 0) ++withImage;
  EXPECT_EQ(withImage, 2);
  kb.SetImages(nullptr);
  ImageList_Destroy(images);
}

TEST(Layouts, LabelFontBySizeOfTheLabel) {
  TKbTouchKeyboard kb(nullptr);
  EXPECT_EQ(&FindKey(kb, L"Back")->LabelFont(), &kb.SmallFont());
  EXPECT_EQ(&FindKey(kb, L"A")->LabelFont(), &kb.Font());
  EXPECT_EQ(&FindKey(kb, L"1")->LabelFont(), &kb.SmallFont());  // has a shift caption
}

TEST(Layouts, AssigningAnItemCopiesEveryValue) {
  TKbTouchKeyboard kb(nullptr);
  TKbTouchKeyItem* copy = kb.Keys().Add();
  copy->Assign(*kb.Keys().Items(1));
  EXPECT_EQ(copy->Caption(), L"1");
  EXPECT_EQ(copy->Key()->ShiftCaption, L"!");
  EXPECT_EQ(copy->Key()->AltGrCaption, L"|");
  EXPECT_EQ(copy->X(), 40);
  EXPECT_EQ(copy->Index(), 61);
}
