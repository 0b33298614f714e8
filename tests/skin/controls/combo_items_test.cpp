// The skinned combo's items as the program reshapes them: images beside the
// text (in a column outside the edit for the list styles), texts and image
// indexes changed per item, a second text in tags under the first, and
// owner-drawn items on the item canvas. Pixels under "Night (internal)".
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

#include "framework/Application.h"
#include "framework/Bitmap.h"
#include "framework/Form.h"
#include "skin/graphics/Bitmap32.h"
#include "skin/controls/ComboItemDrawing.h"
#include "skin/controls/CustomCombo.h"
#include "skin/controls/ItemsPopupForm.h"
#include "skin/imagelists/AlphaImageList.h"
#include "tests/skin/controls/combo_fixture.h"
#include "tests/skin/support/PixelHelpers.h"

namespace {

constexpr int kImage = 16;
constexpr int kSpacing = 4;             // at 96 pixels per inch
constexpr uint32_t kSquare = 0x20E040;  // the image's colour, 0xRRGGBB

uint32_t Rgb(TBitmap& Bmp, int X, int Y) { return PixelAt(Bmp, X, Y) & 0xFFFFFF; }

// The image's colour, give or take the rounding of its alpha blend.
bool IsSquare(TBitmap& Bmp, int X, int Y) {
  const uint32_t c = Rgb(Bmp, X, Y);
  for (int shift : {0, 8, 16})
    if (std::abs(int((c >> shift) & 0xFF) - int((kSquare >> shift) & 0xFF)) > 3) return false;
  return true;
}

// The red of the tagged run, also where its edges are smoothed.
bool IsRed(uint32_t C) { return (C >> 16) > 0xB0 && ((C >> 8) & 0xFF) < 0x60 && (C & 0xFF) < 0x60; }

// Columns where A and B differ inside rows Top..Bottom: leftmost, or -1.
int FirstDifferentColumn(TBitmap& A, TBitmap& B, int Top, int Bottom) {
  for (int x = 0; x < A.Width(); ++x)
    for (int y = Top; y < Bottom; ++y)
      if (Rgb(A, x, y) != Rgb(B, x, y)) return x;
  return -1;
}

class ComboItems : public ComboFixture {
 protected:
  void SetUp() override {
    TComboSetUp S;
    S.Combo = RECT{10, 10, 160, 34};
    S.Items = 3;
    S.ItemHeight = 0;
    MakeCombo(S);
    Images = new TsAlphaImageList(Main);
    Images->SetWidth(kImage);
    Images->SetHeight(kImage);
    std::unique_ptr<TBitmap> square(FilledBitmap32(kImage, kImage, 0xFF000000 | kSquare));
    Images->AddBitmap(square.get(), -1);
    ShowCombo(false);
  }

  // The row of Index at W x H.
  std::unique_ptr<TBitmap> Row(int Index, int W = 140, int H = 22, uint16_t Flags = 0) {
    auto b = NewBitmap32(W, H);
    Combo->PaintItem(*b, Index, Flags, RECT{0, 0, W, H});
    return b;
  }
  // The face's cache as the control builds it.
  std::unique_ptr<TBitmap> Face() {
    Combo->SkinData()->BGChanged = true;
    EXPECT_TRUE(Combo->BuildCache());
    TBitmap& cache = *Combo->SkinData()->CacheBmp;
    auto copy = NewBitmap32(cache.Width(), cache.Height());
    BitBlt(copy->DC(), 0, 0, cache.Width(), cache.Height(), cache.DC(), 0, 0, SRCCOPY);
    return copy;
  }
  int ClientWidth() {
    RECT r{};
    GetClientRect(Combo->Handle(), &r);
    return r.right;
  }

  TsAlphaImageList* Images = nullptr;
};

TEST_F(ComboItems, ListStylesGiveTheImagesAColumnOutsideTheEdit) {
  struct Case {
    TComboBoxStyle Style;
    int Narrowed;
  } cases[] = {{TComboBoxStyle::csDropDownList, kImage + kSpacing},
               {TComboBoxStyle::csOwnerDrawFixed, kImage + kSpacing},
               {TComboBoxStyle::csDropDown, 0}};
  for (const Case& c : cases) {
    Combo->SetImages(nullptr);
    Combo->SetStyle(c.Style);
    RecalcFrame(*Combo, true);
    const int full = ClientWidth();
    Combo->SetImages(Images);
    EXPECT_EQ(full - ClientWidth(), c.Narrowed) << int(c.Style);
    EXPECT_EQ(Combo->HasItemImages(), c.Narrowed > 0) << int(c.Style);
  }
}

TEST_F(ComboItems, FaceShowsTheImageAndMovesTheTextRightByItsColumn) {
  Combo->SetStyle(TComboBoxStyle::csDropDownList);
  Combo->SetItemIndex(0);
  bool withText = true;
  Combo->OnGetItemDrawData = [&](TObject*, TacItemDrawData& Data) {
    if (!withText) Data.Text.clear();
  };
  const RECT r = Combo->GetTextRect();
  // Where the text starts: the first column that differs from the face
  // without text.
  auto textStart = [&] {
    withText = true;
    auto text = Face();
    withText = false;
    auto none = Face();
    return FirstDifferentColumn(*text, *none, r.top, r.bottom);
  };
  const int plain = textStart();
  ASSERT_GE(plain, r.left);
  Combo->SetImages(Images);
  const int moved = textStart();
  EXPECT_EQ(moved - plain, kImage + kSpacing);

  auto face = Face();
  const int top = kSpacing / 2;  // the text block at the top, as the edit places its line
  EXPECT_TRUE(IsSquare(*face, r.left + kImage / 2, top + kImage / 2));
  EXPECT_TRUE(IsSquare(*face, r.left + kImage - 1, top));
  EXPECT_FALSE(IsSquare(*face, r.left + kImage, top + kImage / 2));
}

TEST_F(ComboItems, RowsShowTheirImageOnlyThroughTheItemData) {
  Combo->SetImages(Images);
  // Without a handler the rows keep the plain drawing.
  auto plain = Row(0);
  EXPECT_FALSE(IsSquare(*plain, 4 + kImage / 2, 3 + kImage / 2));

  Combo->OnGetItemDrawData = [](TObject*, TacItemDrawData& Data) { Data.ImageIndex = 0; };
  auto row = Row(1);
  // Inset 4 and 1, then the block half the spacing down.
  const int x = 4, y = 1 + kSpacing / 2;
  EXPECT_TRUE(IsSquare(*row, x, y));
  EXPECT_TRUE(IsSquare(*row, x + kImage - 1, y + kImage - 1));
  EXPECT_FALSE(IsSquare(*row, x - 1, y + kImage / 2));
  EXPECT_FALSE(IsSquare(*row, x + kImage, y + kImage / 2));

  // The list's rows are high enough for the image and its spacing, and
  // paint it in their own caches.
  TacItemsPopupForm form(Combo);
  form.LayoutFlags = 2;
  form.Layout();
  form.UpdateWidth();
  EXPECT_GE(form.ItemHeight(), kImage + kSpacing);
  ASSERT_EQ(form.RowCount(), 3);
  TacPopupBtn* listRow = form.Row(2);
  ASSERT_TRUE(listRow->BuildCache());
  TBitmap& cache = *listRow->SkinData()->CacheBmp;
  EXPECT_TRUE(IsSquare(cache, x + kImage / 2, y + kImage / 2));
  EXPECT_FALSE(IsSquare(cache, x + kImage + 2, y + kImage / 2));
}

TEST_F(ComboItems, HandlerChangesTextAndImageOfOneRowOnly) {
  Combo->SetImages(Images);
  std::vector<int> asked;
  Combo->OnGetItemDrawData = [&](TObject* Sender, TacItemDrawData& Data) {
    EXPECT_EQ(Sender, Combo);
    ASSERT_NE(Data.Font, nullptr);
    asked.push_back(Data.Index);
    Data.ImageIndex = 0;
    if (Data.Index == 1) {
      Data.Text = L"COM-3";
      Data.ImageIndex = -1;
    }
  };
  auto row0 = Row(0), row1 = Row(1), row2 = Row(2);
  EXPECT_EQ(asked, (std::vector<int>{0, 1, 2}));
  const int x = 4 + kImage / 2, y = 3 + kImage / 2;
  EXPECT_TRUE(IsSquare(*row0, x, y));
  EXPECT_FALSE(IsSquare(*row1, x, y));
  EXPECT_TRUE(IsSquare(*row2, x, y));
  // Row 1 now reads as row 2 where the text stands; row 0 reads otherwise.
  const int textLeft = 4 + kImage + kSpacing;
  auto sameText = [&](TBitmap& A, TBitmap& B) {
    for (int py = 0; py < A.Height(); ++py)
      for (int px = textLeft; px < A.Width(); ++px)
        if (Rgb(A, px, py) != Rgb(B, px, py)) return false;
    return true;
  };
  EXPECT_TRUE(sameText(*row1, *row2));
  EXPECT_FALSE(sameText(*row0, *row2));
}

TEST_F(ComboItems, HtmlTextIsDrawnUnderTheText) {
  Combo->SetItemHeight(44);
  Combo->OnGetItemDrawData = [](TObject*, TacItemDrawData& Data) {
    Data.HtmlText = L"<b>x</b> <font color=#FF0000>MMMM</font>";
  };
  auto row = Row(0, 140, 44);
  // The first line ends at its bare height; the second starts a spacing under it.
  TEXTMETRICW tm{};
  {
    HGDIOBJ old = SelectObject(row->DC(), Combo->Font().Handle());
    GetTextMetricsW(row->DC(), &tm);
    SelectObject(row->DC(), old);
  }
  const int secondLine = 1 + kSpacing / 2 + tm.tmHeight - tm.tmInternalLeading - tm.tmExternalLeading + kSpacing;
  int redAbove = 0, redBelow = 0, lowest = -1;
  for (int y = 0; y < row->Height(); ++y)
    for (int x = 0; x < row->Width(); ++x)
      if (IsRed(Rgb(*row, x, y))) {
        (y < secondLine ? redAbove : redBelow)++;
        lowest = y;
      }
  EXPECT_EQ(redAbove, 0);
  EXPECT_GT(redBelow, 10);
  EXPECT_LT(lowest, secondLine + tm.tmHeight);
}

TEST_F(ComboItems, OwnerDrawPaintsOnTheItemCanvasInsideTheRow) {
  Combo->SetStyle(TComboBoxStyle::csOwnerDrawFixed);
  struct Call {
    int Index;
    RECT Rect;
    UINT State;
  };
  std::vector<Call> calls;
  Combo->OnDrawItem = [&](TWinControl* Control, int Index, const RECT& Rect, UINT State) {
    EXPECT_EQ(Control, Combo);
    calls.push_back({Index, Rect, State});
    TCanvas& canvas = Combo->ItemCanvas();
    canvas.SetBrushColor(TColor(RGB(0, 0, 255)));
    canvas.FillRect(Rect);
  };
  // A row lying at (10, 5) of a larger bitmap: the handler draws from the
  // row's corner and lands on the row.
  auto bmp = NewBitmap32(80, 40);
  Combo->PaintItem(*bmp, 2, acItemSelected, RECT{10, 5, 60, 25});
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].Index, 2);
  EXPECT_EQ(calls[0].State, acItemSelected);
  const RECT own{0, 0, 50, 20};
  EXPECT_TRUE(EqualRect(&calls[0].Rect, &own));
  for (POINT p : {POINT{10, 5}, POINT{59, 24}, POINT{35, 15}}) EXPECT_EQ(Rgb(*bmp, p.x, p.y), 0x0000FF) << p.x;
  for (POINT p : {POINT{9, 5}, POINT{60, 15}, POINT{35, 25}, POINT{35, 4}})
    EXPECT_NE(Rgb(*bmp, p.x, p.y), 0x0000FF) << p.x << "," << p.y;
  // The bitmap's DC is as it was.
  POINT origin{1, 1};
  GetWindowOrgEx(bmp->DC(), &origin);
  EXPECT_EQ(origin.x, 0);
  EXPECT_EQ(origin.y, 0);

  // The face: the handler gets the text rectangle in the control's own
  // coordinates.
  Combo->SetItemIndex(0);
  calls.clear();
  auto face = Face();
  ASSERT_EQ(calls.size(), 1u);
  const RECT r = Combo->GetTextRect();
  EXPECT_TRUE(EqualRect(&calls[0].Rect, &r));
  EXPECT_TRUE(calls[0].State & acItemFace);
  EXPECT_EQ(Rgb(*face, (r.left + r.right) / 2, (r.top + r.bottom) / 2), 0x0000FF);
}

TEST_F(ComboItems, FreedImagesAreForgottenAndTheEditWidensAgain) {
  Combo->SetStyle(TComboBoxStyle::csDropDownList);
  Combo->SetItemIndex(1);
  Combo->OnGetItemDrawData = [](TObject*, TacItemDrawData& Data) { Data.ImageIndex = 0; };
  RecalcFrame(*Combo, true);
  const int full = ClientWidth();
  Combo->SetImages(Images);
  ASSERT_LT(ClientWidth(), full);
  delete Images;
  Images = nullptr;
  EXPECT_EQ(Combo->Images(), nullptr);
  EXPECT_EQ(ClientWidth(), full);
  auto face = Face();
  auto row = Row(1);
  EXPECT_FALSE(IsSquare(*row, 4 + kImage / 2, 3 + kImage / 2));
  Combo->Repaint();
}

TEST(ComboItemHtml, MeasuredWithoutTagsAndWithItsLineBreaks) {
  struct Case {
    const wchar_t* Html;
    const wchar_t* Read;
  } cases[] = {
      {L"<b>bold</b> <font color=red>red</font>", L"bold red"},
      {L"one<br>two<BR/>three<br />four", L"one\ntwo\nthree\nfour"},
      {L"a < b", L"a < b"},  // no closing bracket: not a tag
      {L"<brick>x", L"x"},   // only the break tag breaks
      {L"", L""},
  };
  for (const Case& c : cases)
    EXPECT_EQ(StripHtmlTags(c.Html), String(c.Read)) << std::string(c.Html, c.Html + wcslen(c.Html));
}

TEST_F(ComboItems, AddItemAddsWithItsObject) {
  TObject tag;
  Combo->AddItem(L"COM-4", &tag);
  EXPECT_EQ(Combo->GetCount(), 4);
  EXPECT_EQ(Combo->Items().Objects(3), &tag);
}

}  // namespace
