// The combo's keys, type-ahead and style classes, apart from any window.
#include <gtest/gtest.h>

#include "skin/controls/ComboKeys.h"
#include "skin/controls/ComboStyle.h"
#include "skin/controls/ComboTypeAhead.h"

namespace {

TEST(ComboKeys, NavigationKeysSelectClampedItems) {
  const int none = -2;  // no selection
  struct Case {
    const char* Name;
    WORD Key;
    int ItemIndex, Count;
    bool ListStyle;
    int Target;
    bool ClearKey;
  } cases[] = {
      {"down on the last item stays", VK_DOWN, 9, 10, false, 9, false},
      {"up on item 0 stays", VK_UP, 0, 10, false, 0, false},
      {"up with nothing selected picks item 0", VK_UP, -1, 10, false, 0, false},
      {"down with nothing selected picks item 0", VK_DOWN, -1, 10, false, 0, false},
      {"down with no items gives -1", VK_DOWN, -1, 0, false, -1, false},
      {"up with no items gives 0", VK_UP, -1, 0, false, 0, false},
      {"page down from nothing: item 15", VK_NEXT, -1, 40, false, 15, false},
      {"page down from nothing: the last of 10", VK_NEXT, -1, 10, false, 9, false},
      {"page up from 20", VK_PRIOR, 20, 40, false, 5, false},
      {"page up near the top: item 0", VK_PRIOR, 3, 40, false, 0, false},
      {"home in a list style", VK_HOME, 5, 10, true, 0, true},
      {"end in a list style", VK_END, 2, 10, true, 9, true},
      {"home in an editable style is the edit's", VK_HOME, 5, 10, false, none, false},
      {"end in an editable style is the edit's", VK_END, 5, 10, false, none, false},
      {"a letter selects nothing", 'C', 5, 10, true, none, false},
      {"F4 selects nothing", VK_F4, 5, 10, true, none, false},
  };
  for (const Case& c : cases) {
    TacComboKeyState s;
    s.ItemIndex = c.ItemIndex;
    s.Count = c.Count;
    s.ListStyle = c.ListStyle;
    const TacComboKeyAction a = ComboKeyDown(c.Key, s);
    EXPECT_EQ(a.Selects, c.Target != none) << c.Name;
    if (a.Selects) EXPECT_EQ(a.Target, c.Target) << c.Name;
    EXPECT_EQ(a.ClearKey, c.ClearKey) << c.Name;
    EXPECT_FALSE(a.Swallow) << c.Name << ": nothing is swallowed while the list is closed";
    EXPECT_FALSE(a.CloseList) << c.Name;
  }
}

TEST(ComboKeys, WithTheListOpenEnterClosesAndTabStaysUnlessAutoCloseUp) {
  struct Case {
    const char* Name;
    WORD Key;
    bool AutoCloseUp;
    bool ClearKey, Swallow, CloseList;
    bool SimpleList = false;
  } cases[] = {
      {"enter", VK_RETURN, false, true, true, true},
      {"down", VK_DOWN, false, true, false, false},
      {"page up", VK_PRIOR, false, true, false, false},
      {"tab stays in the combo", VK_TAB, false, true, true, false},
      {"tab with AutoCloseUp moves on", VK_TAB, true, false, false, false},
      {"escape is a character, not a key here", VK_ESCAPE, false, false, false, false},
      // The simple style's list is always there: the arrows stay off the
      // edit's caret, but Tab still leaves the combo.
      {"down in the simple list", VK_DOWN, false, true, false, false, true},
      {"enter in the simple list", VK_RETURN, false, true, true, true, true},
      {"tab leaves the simple list", VK_TAB, false, false, false, false, true},
  };
  for (const Case& c : cases) {
    TacComboKeyState s;
    s.ItemIndex = 2;
    s.Count = 10;
    s.ListShown = true;
    s.SimpleList = c.SimpleList;
    s.AutoCloseUp = c.AutoCloseUp;
    const TacComboKeyAction a = ComboKeyDown(c.Key, s);
    EXPECT_EQ(a.ClearKey, c.ClearKey) << c.Name;
    EXPECT_EQ(a.Swallow, c.Swallow) << c.Name;
    EXPECT_EQ(a.CloseList, c.CloseList) << c.Name;
  }
}

TEST(ComboKeys, ReadOnlyIgnoresKeysThatWouldChangeTheItem) {
  for (WORD k : {WORD(VK_SPACE), WORD(VK_PRIOR), WORD(VK_HOME), WORD(VK_UP), WORD(VK_DOWN), WORD('A'), WORD('Z'),
                 WORD('9'), WORD(VK_F4)})
    EXPECT_TRUE(ReadOnlyComboSwallows(k)) << k;
  for (WORD k : {WORD('0'), WORD('1'), WORD('8'), WORD(VK_TAB), WORD(VK_RETURN), WORD(VK_F3), WORD(VK_DELETE)})
    EXPECT_FALSE(ReadOnlyComboSwallows(k)) << k;
}

TEST(ComboStyles, ListOwnerDrawAndDropDownClasses) {
  using S = TComboBoxStyle;
  struct Case {
    S Style;
    bool List, OwnerDraw, DropsDown;
  } cases[] = {
      {S::csDropDown, false, false, true},        {S::csSimple, false, false, false},
      {S::csDropDownList, true, false, true},     {S::csOwnerDrawFixed, true, true, true},
      {S::csOwnerDrawVariable, true, true, true},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(IsListComboStyle(c.Style), c.List) << int(c.Style);
    EXPECT_EQ(IsOwnerDrawComboStyle(c.Style), c.OwnerDraw) << int(c.Style);
    EXPECT_EQ(CanDropDownComboStyle(c.Style), c.DropsDown) << int(c.Style);
  }
}

TEST(ComboTypeAhead, FindsTheFirstItemStartingWithTheTextInAnyCase) {
  TStringList items;
  for (const wchar_t* s : {L"COM-1", L"COM-2", L"COM-10", L"Modem"}) items.Add(s);
  struct Case {
    const wchar_t* Text;
    bool CaseSensitive;
    int Found;
  } cases[] = {
      {L"com-1", false, 0}, {L"COM-2", false, 1}, {L"com-10", false, 2},   {L"mo", false, 3},
      {L"com-1", true, -1}, {L"x", false, -1},    {L"COM-100", false, -1}, {L"", false, 0},
  };
  for (const Case& c : cases) EXPECT_EQ(FindItemByPrefix(items, c.Text, c.CaseSensitive), c.Found) << c.Text;
}

TEST(ComboTypeAhead, APauseLongerThanTheDelayStartsTheTextAnew) {
  DWORD now = 0xFFFFFF00;  // across the tick counter's wrap
  TacTypeAhead t([&] { return now; });
  EXPECT_EQ(t.Delay(), 500u);
  for (wchar_t ch : String(L"com-2")) {
    t.AddChar(ch);
    now += 499;
  }
  EXPECT_EQ(t.SearchText(), L"com-2");
  t.AddChar(L'x');
  EXPECT_EQ(t.SearchText(), L"com-2x") << "a miss is kept while typing goes on";
  now += 500;
  t.AddChar(L'c');
  EXPECT_EQ(t.SearchText(), L"com-2xc") << "exactly the delay still continues";
  now += 501;
  t.AddChar(L'm');
  EXPECT_EQ(t.SearchText(), L"m") << "after the pause the text starts again";
  t.SetDelay(0);
  now += 1;
  t.AddChar(L'o');
  EXPECT_EQ(t.SearchText(), L"o");
}

}  // namespace
