// The caption engine: what its tags, entities and line ends make of a text,
// where its links lie, and how it wraps; measured against plain GDI text in
// the same font.
#include "skin/painting/HtmlText.h"

#include "framework/GdiHandles.h"
#include "skin/graphics/Bitmap32.h"

#include <gtest/gtest.h>

namespace {

std::string Narrow(const String& s) { return std::string(s.begin(), s.end()); }

class HtmlText : public ::testing::Test {
 protected:
  void SetUp() override {
    bmp = NewBitmap32(400, 200);
    LOGFONTW lf{};
    lf.lfHeight = -16;
    wcscpy(lf.lfFaceName, L"Arial");
    font.Reset(CreateFontIndirectW(&lf));
    lf.lfWeight = FW_BOLD;
    bold.Reset(CreateFontIndirectW(&lf));
    SelectObject(bmp->DC(), font.get());
    SetTextColor(bmp->DC(), RGB(0, 0, 0));
  }
  void TearDown() override { SelectObject(bmp->DC(), GetStockObject(SYSTEM_FONT)); }

  SIZE Plain(const String& s, HFONT f = nullptr) {
    const HDC dc = bmp->DC();
    HGDIOBJ old = SelectObject(dc, f ? f : font.get());
    RECT r{0, 0, 100000, 0};
    DrawTextW(dc, s.c_str(), int(s.size()), &r, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, old);
    return SIZE{r.right, r.bottom};
  }
  // Lays out text in an area with wrap edge right (0: none).
  RECT Measure(TsHtml& html, const String& text, int right = 0) {
    html.Init(bmp->DC(), bmp.get(), text, RECT{0, 0, right, 0});
    RECT r{};
    html.Render(links, true, r);
    return r;
  }
  std::vector<String> Lines(const TsHtml& html) {
    std::vector<String> out;
    for (const auto& l : html.LineData()) out.push_back(l.Text);
    return out;
  }

  std::unique_ptr<TBitmap> bmp;
  TOwnedFont font, bold;
  TacLinks links;
};

TEST_F(HtmlText, TagsEntitiesAndLineEndsGiveTheseLines) {
  struct TCase {
    const wchar_t* Source;
    std::vector<String> Lines;
  };
  const TCase cases[] = {
      {L"a<b>b</b>c", {L"abc"}},
      {L"A<B>b</B><I>c</I><U>d</U>e", {L"Abcde"}},
      {L"one\r\ntwo", {L"onetwo"}},
      {L"one\ntwo", {L"onetwo"}},
      {L"one<br>two", {L"one", L"two"}},
      {L"one<BR/>two<p>three</p>four", {L"one", L"two", L"three", L"four"}},
      {L"&copy; &Aacute;&aacute; &#8211; &trade;", {L"\u00A9 \u00C1\u00E1 \u2013 \u2122"}},
      {L"&AMP; &nosuch; a & b &&", {L"& &nosuch; a & b &"}},
      {L"1 << 2 <3", {L"1 < 2 3"}},
      {L"<q>x</q> <table>y", {L"<q>x</q> <table>y"}},
      {L"</b>plain</font>", {L"plain"}},
      {L"<font color=red size=12 face=\"Courier New\">x</font>y", {L"xy"}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(Narrow(c.Source));
    TsHtml html;
    Measure(html, c.Source);
    EXPECT_EQ(Lines(html), c.Lines);
  }
}

TEST_F(HtmlText, BoldLetterSitsBetweenPlainOnesWithoutSpaces) {
  TsHtml html;
  RECT r = Measure(html, L"a<b>b</b>c");
  EXPECT_EQ(r.right, Plain(L"a").cx + Plain(L"b", bold.get()).cx + Plain(L"c").cx);
  EXPECT_EQ(r.bottom, Plain(L"Yy").cy);
}

TEST_F(HtmlText, LinesLieTwoPixelsApartAndTheWidestLineIsTheWidth) {
  TsHtml html;
  RECT r = Measure(html, L"short<br>a longer line<br>mid");
  const int h = Plain(L"Yy").cy;
  EXPECT_EQ(r.bottom, 3 * h + 2 * 2);
  EXPECT_EQ(r.right, Plain(L"a longer line").cx);
}

TEST_F(HtmlText, FontSizeGrowsUntilTheClosingTag) {
  TsHtml html;
  Measure(html, L"a<font size=+2>b</font><br>c");
  ASSERT_EQ(html.LineData().size(), 2u);
  EXPECT_GT(html.LineData()[0].Height, Plain(L"Yy").cy);
  EXPECT_EQ(html.LineData()[1].Height, Plain(L"Yy").cy);
}

TEST_F(HtmlText, FontColourIsDrawn) {
  struct TCase {
    const wchar_t* Source;
    COLORREF Color;
  };
  for (TCase c : {TCase{L"<font color=#00FF00>MMMM</font>", RGB(0, 255, 0)},
                  TCase{L"<font color=\"blue\">MMMM</font>", RGB(0, 0, 255)},
                  TCase{L"<font color=FF0000>MMMM</font>", RGB(255, 0, 0)}}) {
    PatBlt(bmp->DC(), 0, 0, 400, 200, WHITENESS);
    TsHtml html;
    html.Init(bmp->DC(), bmp.get(), c.Source, RECT{0, 0, 400, 200});
    RECT r{};
    html.Render(links, false, r);
    int found = 0;
    for (int y = 0; y < r.bottom; ++y)
      for (int x = 0; x < r.right; ++x)
        if ((GetPixel(bmp->DC(), x, y) & 0xFFFFFF) == c.Color) ++found;
    EXPECT_GT(found, 10) << std::hex << c.Color;
  }
}

TEST_F(HtmlText, LinkCoversItsWordsAndKeepsItsTarget) {
  TsHtml html;
  Measure(html, L"go <A HREF=\"https://example.org/Path\">here</A> now");
  ASSERT_EQ(links.size(), 1u);
  EXPECT_EQ(links[0].Number, 0);
  EXPECT_EQ(links[0].Text, L"https://example.org/Path");
  const int left = Plain(L"go").cx + Plain(L" ").cx;
  EXPECT_EQ(links[0].Rect.left, left);
  EXPECT_EQ(links[0].Rect.right, left + Plain(L"here").cx);
  EXPECT_GT(links[0].Rect.bottom, links[0].Rect.top);
}

TEST_F(HtmlText, OnlyTheATagMakesALink) {
  // Tags that merely contain the letter A are text, not links.
  for (const wchar_t* s : {L"<abbr>x</abbr>", L"<table>x", L"<xa href='http://e.org'>x</xa>", L"<AREA>x"}) {
    TsHtml html;
    Measure(html, s);
    EXPECT_TRUE(links.empty()) << Narrow(s);
  }
}

TEST_F(HtmlText, WrappedLinkHasOnePiecePerLineWithOneNumber) {
  TsHtml html;
  const int room = Plain(L"before linked").cx + 2;
  Measure(html, L"before <a href='mailto:x@example.org'>linked words</a> after", room);
  ASSERT_EQ(links.size(), 2u);
  EXPECT_EQ(links[0].Number, links[1].Number);
  EXPECT_EQ(links[0].Text, L"mailto:x@example.org");
  EXPECT_EQ(links[1].Text, L"mailto:x@example.org");
  EXPECT_GT(links[1].Rect.top, links[0].Rect.top);
  EXPECT_EQ(links[1].Rect.left, 0);
}

TEST_F(HtmlText, WrapsOnlyWithAWrapEdge) {
  const String text = L"alpha beta gamma";
  TsHtml wide;
  RECT r = Measure(wide, text, 0);
  EXPECT_EQ(wide.LineData().size(), 1u);
  EXPECT_EQ(r.right, Plain(text).cx);
  TsHtml narrow;
  r = Measure(narrow, text, Plain(L"alpha beta").cx + 1);
  EXPECT_EQ(Lines(narrow), (std::vector<String>{L"alpha beta", L"gamma"}));
  EXPECT_LE(r.right, Plain(L"alpha beta").cx + 1);
}

TEST(HtmlHref, TargetIsTheValueWithoutQuotes) {
  struct TCase {
    const wchar_t* Tag;
    const wchar_t* Href;
  };
  for (TCase c : {TCase{L"<a href=\"http://a.org/X\">", L"http://a.org/X"}, TCase{L"<A HREF='b.htm'>", L"b.htm"},
                  TCase{L"<a href=c.htm>", L"c.htm"}, TCase{L"<a name=\"x\">", L""},
                  TCase{L"<a title=\"t\" href = \"d\">", L"d"}})
    EXPECT_EQ(ExtractHref(c.Tag), c.Href);
}

}  // namespace
