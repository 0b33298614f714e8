// Caption text and layout routines: tags stripped, alignments as DrawText
// flags and back, the room edge-aligned children take, and right-to-left
// mirroring of a container's children.
#include "skin/forms/CaptionText.h"
#include "skin/forms/FontCustom.h"
#include "skin/forms/MirrorLayout.h"
#include "support/form_fixture.h"

namespace {

TEST(CaptionText, TagsAreStrippedAndBreaksKeptOnRequest) {
  struct Case {
    const wchar_t* text;
    bool keepBreaks;
    const wchar_t* expected;
  } cases[] = {
      {L"a<b>b</b><br>c", true, L"ab\r\nc"},
      {L"a<b>b</b><br>c", false, L"abc"},
      {L"x<BR>y<Br>z", true, L"x\r\ny\r\nz"},
      {L"x<br/>y", true, L"xy"},  // only the plain tag is a break
      {L"line\r\nnext", true, L"linenext"},
      {L"a<font <b>>b", false, L"a>b"},  // no nesting: the first '>' ends the tag
      {L"a<unclosed b c", true, L"a"},
      {L"plain", false, L"plain"},
      {L"", true, L""},
      {L"<>", true, L""},
  };
  for (const Case& c : cases) EXPECT_EQ(StripTags(c.text, c.keepBreaks), c.expected) << "text: " << c.keepBreaks;
}

TEST(CaptionText, AlignmentsAndDrawTextFlags) {
  EXPECT_EQ(AlignToDrawTextFlags(TAlignment::taLeftJustify), UINT(DT_LEFT | DT_EXPANDTABS | DT_VCENTER));
  EXPECT_EQ(AlignToDrawTextFlags(TAlignment::taRightJustify), UINT(DT_RIGHT | DT_EXPANDTABS | DT_VCENTER));
  EXPECT_EQ(AlignToDrawTextFlags(TAlignment::taCenter), UINT(DT_CENTER | DT_EXPANDTABS | DT_VCENTER));
  struct Case {
    UINT flags;
    int horz, vert;
  } cases[] = {
      {DT_LEFT | DT_TOP, 0, 0},
      {DT_RIGHT, 1, 0},
      {DT_CENTER, 2, 0},
      {DT_RIGHT | DT_CENTER, 1, 0},  // right wins
      {DT_BOTTOM, 0, 1},
      {DT_VCENTER, 0, 2},
      {DT_BOTTOM | DT_VCENTER | DT_CENTER, 2, 1},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DTFlagsToHorzAlign(c.flags), c.horz) << std::hex << c.flags;
    EXPECT_EQ(DTFlagsToVertAlign(c.flags), c.vert) << std::hex << c.flags;
  }
}

using Layout = FormFixture;

TEST_F(Layout, ChildrenAlignedLikeTheContainerAddUp) {
  auto* Bar = Add<TPanel>(Form, L"Bar", RECT{0, 0, 300, 200});
  Bar->SetAlign(TAlign::alTop);
  auto* A = Add<TPanel>(Bar, L"A", RECT{0, 0, 50, 30});
  auto* B = Add<TGraphicControl>(Bar, L"B", RECT{0, 0, 50, 12});
  auto* Hidden = Add<TPanel>(Bar, L"Hidden", RECT{0, 0, 50, 100});
  auto* Left = Add<TPanel>(Bar, L"Left", RECT{0, 0, 70, 100});
  for (TControl* c : std::initializer_list<TControl*>{A, B, Hidden}) c->SetAlign(TAlign::alTop);
  Left->SetAlign(TAlign::alLeft);
  Hidden->SetVisible(false);
  EXPECT_EQ(ChildAlignExtent(Bar, false), 30);
  EXPECT_EQ(ChildAlignExtent(Bar, true), 42);
  Bar->SetAlign(TAlign::alLeft);
  EXPECT_EQ(ChildAlignExtent(Bar, true), Left->Width());
  Bar->SetAlign(TAlign::alClient);
  EXPECT_EQ(ChildAlignExtent(Bar, true), 0);
  EXPECT_EQ(ChildAlignExtent(nullptr, true), 0);
}

TEST_F(Layout, MirroringSwapsSidesAndMovesFreeChildren) {
  Form->SetClientSize(400, 200);
  auto* Box = Add<TPanel>(Form, L"Box", RECT{0, 0, 400, 200});
  Box->SetBevelOuter(TBevelCut::bvNone);
  auto* A = Add<TPanel>(Box, L"A", RECT{0, 0, 50, 200});
  auto* B = Add<TPanel>(Box, L"B", RECT{300, 0, 350, 200});
  auto* Free = Add<TPanel>(Box, L"Free", RECT{60, 10, 100, 30});
  auto* Inside = Add<TGraphicControl>(Free, L"Inside", RECT{2, 0, 12, 10});
  A->SetAlign(TAlign::alLeft);
  B->SetAlign(TAlign::alRight);
  for (TControl* c : std::initializer_list<TControl*>{A, B, Free, Inside}) Log.Watch(c);
  const int clientWidth = Box->ClientWidth();

  MirrorChildLayout(Box, true);
  EXPECT_TRUE(Box->HandleAllocated());
  EXPECT_EQ(B->Align(), TAlign::alLeft);
  EXPECT_EQ(A->Align(), TAlign::alRight);
  EXPECT_EQ(B->Left(), 0);
  EXPECT_EQ(A->Left() + A->Width(), clientWidth);
  EXPECT_EQ(Free->Left(), clientWidth - 60 - 40);
  EXPECT_EQ(Inside->Left(), Free->ClientWidth() - 2 - 10);  // recursive
  for (TControl* c : std::initializer_list<TControl*>{A, B, Free, Inside})
    EXPECT_EQ(Log.Count(c, AC_MIRRORED), 1) << c->Name();
}

}  // namespace

namespace {

TEST_F(Layout, AFontIsCustomWhenItDiffersFromTheParentsBeyondColour) {
  auto* Label = Add<TGraphicControl>(Form);
  Form->Font().SetName(L"Tahoma");
  Form->Font().SetSize(9);
  TFont font;
  font.Assign(Form->Font());
  EXPECT_FALSE(IsFontCustom(Label, font, true));
  EXPECT_FALSE(IsFontCustom(Label, font, false));
  font.SetColor(clRed);
  EXPECT_TRUE(IsFontCustom(Label, font, true));  // the parent's as it is
  Label->Font().SetColor(clRed);
  EXPECT_FALSE(IsFontCustom(Label, font, false));  // the control's own colour does not count
  font.SetStyle(fsBold);
  EXPECT_TRUE(IsFontCustom(Label, font, false));

  // Without a parent: the default font.
  TFont plain;
  plain.SetColor(0xFF0000);
  EXPECT_FALSE(IsFontCustom(nullptr, plain, false));
  EXPECT_TRUE(IsFontCustom(nullptr, plain, true));
  plain.SetSize(plain.Size() + 2);
  EXPECT_TRUE(IsFontCustom(nullptr, plain, false));
}

}  // namespace
