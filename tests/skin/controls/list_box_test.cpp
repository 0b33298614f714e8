// The skinned list box: its change events and its items painted from the skin.
#include "skin/controls/ListBox.h"

#include "framework/Application.h"
#include "framework/Form.h"
#include "skin/manager/SkinGlobals.h"
#include "tests/skin/support/text_skin.h"
#include "tests/support/wait_until.h"

#include <gtest/gtest.h>

namespace {

class SkinnedListBox : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { InitApplication(); }
  void SetUp() override {
    form = Application->CreateForm<TForm>();
    form->SetClientSize(300, 200);
    list = new TsListBox(form);
    list->SetBounds(8, 8, 160, 120);
    list->SetParent(form);
  }
  void TearDown() override { delete form; }
  TForm* form = nullptr;
  TsListBox* list = nullptr;
};

TEST_F(SkinnedListBox, CountChangesFireOnceAndClearingAnEmptyListDoesNot) {
  form->Show();
  int changes = 0;
  list->OnItemCountChanged = [&](TObject*) { ++changes; };
  list->Clear();
  EXPECT_EQ(changes, 0);
  list->Items().Add(L"one");
  EXPECT_EQ(changes, 1);
  list->Items().Insert(0, L"zero");
  list->Items().Delete(1);
  EXPECT_EQ(changes, 3);
  list->Clear();
  EXPECT_EQ(changes, 4);
}

}  // namespace

namespace {

TEST_F(SkinnedListBox, IndexChangesFireOnceForTheUsersChoice) {
  for (auto s : {L"a", L"b", L"c"}) list->Items().Add(s);
  form->Show();
  int changes = 0;
  list->OnItemIndexChanged = [&](TObject*) { ++changes; };
  const RECT r = list->ItemRect(1);
  for (int i = 0; i < 2; ++i) {
    SendMessageW(list->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(r.left + 3, r.top + 2));
    SendMessageW(list->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(r.left + 3, r.top + 2));
  }
  EXPECT_EQ(list->ItemIndex(), 1);
  EXPECT_EQ(changes, 1);
  list->SetItemIndex(2);
  list->SetItemIndex(2);
  EXPECT_EQ(changes, 2);
}

TEST_F(SkinnedListBox, LeftPaddingMovesItemsAndShowsTheColourUnskinned) {
  for (auto s : {L"a", L"b"}) list->Items().Add(s);
  list->SetColor(RGB(200, 0, 200));
  form->Show();
  POINT before{0, 0};
  ClientToScreen(list->Handle(), &before);
  list->SetLeftPadding(5);
  POINT after{0, 0};
  ClientToScreen(list->Handle(), &after);
  EXPECT_EQ(after.x - before.x, 5);
  RedrawWindow(list->Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
  RECT w{};
  GetWindowRect(list->Handle(), &w);
  HDC dc = GetWindowDC(list->Handle());
  EXPECT_EQ(GetPixel(dc, after.x - w.left - 3, after.y - w.top + 4), RGB(200, 0, 200));
  ReleaseDC(list->Handle(), dc);
}

// Yellow face, selection red in state 0 and green in state 1.
const char kSelectionSkin[] =
    "[GLOBALINFO]\r\nVERSION=12.50\r\n"
    "[EDIT]\r\nCOLOR=$0000FFFF\r\nTRANSPARENCY=0\r\nHOTCOLOR=$0000FFFF\r\nHOTTRANSPARENCY=0\r\n"
    "[SELECTION]\r\nCOLOR=$000000FF\r\nTRANSPARENCY=0\r\nHOTCOLOR=$0000FF00\r\nHOTTRANSPARENCY=0\r\n";
const char kPlainSkin[] =
    "[GLOBALINFO]\r\nVERSION=12.50\r\n"
    "[EDIT]\r\nCOLOR=$0000FFFF\r\nTRANSPARENCY=0\r\nHOTCOLOR=$0000FFFF\r\nHOTTRANSPARENCY=0\r\n";

class SkinnedListBoxPixels : public SkinnedListBox {
 protected:
  void Skin(const char* options) {
    manager = TextSkinManager(L"List", options);
    ASSERT_TRUE(manager->IsSkinLoaded());
    list->SkinData()->SetSkinManager(manager.get());
    list->SkinData()->UpdateIndexes();
    for (auto s : {L"first", L"second", L"third"}) list->Items().Add(s);
    list->SetItemIndex(1);
    form->Show();
  }
  // A pixel at the right end of an item, away from its text.
  COLORREF ItemPixel(int index) {
    const RECT r = list->ItemRect(index);
    TWindowDC dc(list->Handle());
    return GetPixel(dc.get(), r.right - 4, (r.top + r.bottom) / 2);
  }
  bool Shows(int index, COLORREF color) {
    return WaitUntil([&] {
      list->Repaint();
      return ItemPixel(index) == color;
    });
  }
  void TearDown() override {
    SkinnedListBox::TearDown();
    manager.reset();
  }
  std::unique_ptr<TsSkinManager> manager;
};

TEST_F(SkinnedListBoxPixels, SelectionSectionFollowsTheFocus) {
  Skin(kSelectionSkin);
  auto* other = new TsListBox(form);
  other->SetBounds(180, 8, 100, 60);
  other->SetParent(form);
  list->SetFocus();
  EXPECT_TRUE(Shows(1, RGB(0, 255, 0)));
  EXPECT_TRUE(Shows(0, RGB(255, 255, 0)));
  other->SetFocus();
  EXPECT_TRUE(Shows(1, RGB(255, 0, 0)));
  EXPECT_TRUE(Shows(2, RGB(255, 255, 0)));
}

TEST_F(SkinnedListBoxPixels, WithoutSelectionSectionTheHighlightColourFills) {
  Skin(kPlainSkin);
  list->SetFocus();
  EXPECT_TRUE(Shows(1, ColorToRGB(TColor(manager->Palette()[pcSelectionBG_Focused]))));
  EXPECT_TRUE(Shows(0, RGB(255, 255, 0)));
}

}  // namespace
