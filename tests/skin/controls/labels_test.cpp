// The skinned labels: sizing, colours, the parent showing through, and the
// HTML label's links with what they open.
#include "skin/controls/HTMLLabel.h"
#include "skin/controls/Label.h"
#include "skin/controls/LinkTarget.h"

#include "framework/Application.h"
#include "framework/Form.h"
#include "framework/Panel.h"
#include "skin/graphics/ColorAdjust.h"
#include "tests/skin/support/text_skin.h"
#include "tests/support/wait_until.h"

#include <gtest/gtest.h>

namespace {

// Records what would go to the shell instead of starting anything.
class TRecordingLabel : public TsHTMLLabel {
 public:
  using TsHTMLLabel::TsHTMLLabel;
  std::vector<String> Opened;

 protected:
  void OpenLink(const String& Target) override { Opened.push_back(Target); }
};

class Labels : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { InitApplication(); }
  void SetUp() override {
    form = Application->CreateForm<TForm>();
    form->SetClientSize(300, 200);
    form->SetColor(RGB(250, 250, 250));
    panel = new TPanel(form);
    panel->SetBounds(0, 0, 300, 200);
    panel->SetParent(form);
    panel->SetColor(RGB(10, 120, 200));
  }
  void TearDown() override { delete form; }
  template <class T>
  T* Add(const String& caption, int left = 10, int top = 10) {
    auto* l = new T(form);
    l->SetBounds(left, top, 40, 20);
    l->SetParent(panel);
    l->SetCaption(caption);
    return l;
  }
  COLORREF PanelPixel(int x, int y) {
    TWindowDC dc(panel->Handle());
    return GetPixel(dc.get(), x, y);
  }
  TForm* form = nullptr;
  TPanel* panel = nullptr;
};

TEST(LinkTargets, OnlyWebAndMailGoToTheShell) {
  struct TCase {
    const wchar_t* Target;
    bool Opened;
  };
  for (TCase c :
       {TCase{L"http://example.org", true}, TCase{L"HTTPS://example.org/a?b=c", true},
        TCase{L"mailto:someone@example.org", true}, TCase{L"calc.exe", false},
        TCase{L"c:\\windows\\notepad.exe", false}, TCase{L"file:///c:/boot.ini", false},
        TCase{L"javascript:alert(1)", false}, TCase{L"http:calc", false}, TCase{L"mailto:", false}, TCase{L"", false}})
    EXPECT_EQ(IsShellLinkTarget(c.Target), c.Opened) << testing::PrintToString(String(c.Target));
}

TEST_F(Labels, LinkShowsTheHandAndOpensWhatTheClickLeavesToTheShell) {
  struct TCase {
    const char* Name;
    const wchar_t* Href;
    std::function<void(String&, bool&)> Handler;
    std::vector<String> Opened;
  };
  const TCase cases[] = {
      {"no handler", L"https://example.org/a", nullptr, {L"https://example.org/a"}},
      {"handler keeps the default", L"https://example.org/a", [](String&, bool&) {}, {L"https://example.org/a"}},
      {"handler says no", L"https://example.org/a", [](String&, bool& d) { d = false; }, {}},
      {"handler empties the link", L"https://example.org/a", [](String& l, bool&) { l.clear(); }, {}},
      {"handler points elsewhere",
       L"https://example.org/a",
       [](String& l, bool&) { l = L"mailto:x@example.org"; },
       {L"mailto:x@example.org"}},
      {"program target", L"calc.exe", nullptr, {}},
      {"file target", L"file:///c:/windows/notepad.exe", nullptr, {}},
  };
  form->Show();
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    auto* label = Add<TRecordingLabel>(L"Visit <a href=\"" + String(c.Href) + L"\">here</a> now");
    String seen;
    if (c.Handler)
      label->OnLinkClick = [&](TObject*, String& link, bool& defaultAction) {
        seen = link;
        c.Handler(link, defaultAction);
      };
    label->Invalidate();
    ASSERT_TRUE(WaitUntil([&] {
      panel->Update();
      return !label->Links().empty();
    }));
    const RECT r = label->Links()[0].Rect;
    const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    label->Perform(WM_MOUSEMOVE, 0, at);
    EXPECT_EQ(label->HotLink(), 0);
    EXPECT_EQ(label->Cursor(), crHandPoint);
    label->Perform(WM_LBUTTONDOWN, MK_LBUTTON, at);
    EXPECT_EQ(label->PressedLink(), 0);
    label->Perform(WM_LBUTTONUP, 0, at);
    EXPECT_EQ(label->PressedLink(), -1);
    EXPECT_EQ(label->Opened, c.Opened);
    if (c.Handler) {
      EXPECT_EQ(seen, c.Href);
    }
    label->Perform(WM_MOUSEMOVE, 0, MAKELPARAM(1, 1));  // over "Visit"
    EXPECT_EQ(label->HotLink(), -1);
    EXPECT_EQ(label->Cursor(), crDefault);
    label->Perform(WM_MOUSEMOVE, 0, at);
    label->Perform(CM_MOUSELEAVE, 0, reinterpret_cast<LPARAM>(label));
    EXPECT_EQ(label->HotLink(), -1);
    EXPECT_EQ(label->Cursor(), crDefault);
    delete label;
  }
}

TEST_F(Labels, ATransparentForMouseLabelLeavesTheClickToThePanelBeneath) {
  for (const bool transparent : {false, true}) {
    SCOPED_TRACE(transparent);
    auto* label = Add<TsLabel>(L"label");
    label->SetTransparentForMouse(transparent);
    int labelDowns = 0, panelDowns = 0, labelClicks = 0;
    label->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) { ++labelDowns; };
    label->OnClick = [&](TObject*) { ++labelClicks; };
    panel->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) { ++panelDowns; };
    const LPARAM at = MAKELPARAM(label->Left() + 5, label->Top() + 5);
    SendMessageW(panel->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(panel->Handle(), WM_LBUTTONUP, 0, at);
    EXPECT_EQ(labelDowns, transparent ? 0 : 1);
    EXPECT_EQ(labelClicks, transparent ? 0 : 1);
    EXPECT_EQ(panelDowns, transparent ? 1 : 0);
    panel->OnMouseDown = nullptr;
    delete label;
  }
}

TEST_F(Labels, SizesFollowTheCaption) {
  form->Show();
  auto* html = Add<TsHTMLLabel>(L"<b>x</b>");
  auto* plain = Add<TsHTMLLabel>(L"<b>x</b>", 10, 40);
  plain->SetUseHTML(false);
  EXPECT_LT(html->Width(), plain->Width());  // tags are not drawn

  auto* empty = Add<TsLabel>(L"was", 10, 70);
  empty->SetCaption(L"");
  auto* one = Add<TsLabel>(L"X", 10, 100);
  EXPECT_EQ(empty->Height(), one->Height());
  EXPECT_GT(empty->Width(), 0);

  auto* right = Add<TsLabel>(L"12", 100, 130);
  right->SetAlignment(TAlignment::taRightJustify);
  const int edge = right->Left() + right->Width();
  right->SetCaption(L"123456789");
  EXPECT_EQ(right->Left() + right->Width(), edge);
  EXPECT_LT(right->Left(), 100);
}

TEST_F(Labels, TextColourFollowsTheSkinUnlessTold) {
  auto manager = TextSkinManager(L"Colours", "[GLOBALINFO]\r\nVERSION=12.50\r\nFONTCOLOR=$00112233\r\n");
  auto* label = Add<TsLabel>(L"text");
  label->SetSkinManager(manager.get());
  label->Font().SetColor(RGB(1, 2, 3));
  label->SetUseSkinColor(false);
  EXPECT_EQ(label->TextColor(), RGB(1, 2, 3));
  label->SetEnabled(false);
  EXPECT_EQ(ColorToRGB(label->TextColor()), MixColors(RGB(1, 2, 3), RGB(10, 120, 200), 153));
}

TEST_F(Labels, ParentShowsThroughATransparentLabel) {
  auto manager = TextSkinManager(L"Sections",
                                 "[GLOBALINFO]\r\nVERSION=12.50\r\n"
                                 "[PANEL]\r\nCOLOR=$00336699\r\nTRANSPARENCY=0\r\n");
  auto* clear = Add<TsLabel>(L"i", 10, 10);
  clear->SetAutoSize(false);
  clear->SetBounds(10, 10, 60, 20);
  auto* opaque = Add<TsLabel>(L"i", 10, 40);
  opaque->SetAutoSize(false);
  opaque->SetBounds(10, 40, 60, 20);
  opaque->SetTransparent(false);
  opaque->SetColor(RGB(0, 200, 0));
  auto* sectioned = Add<TsLabel>(L"i", 10, 70);
  sectioned->SetAutoSize(false);
  sectioned->SetBounds(10, 70, 60, 20);
  sectioned->SetSkinManager(manager.get());
  sectioned->SetSkinSection(L"PANEL");
  form->Show();
  panel->Repaint();
  // Right of the text, inside each label.
  EXPECT_TRUE(WaitUntil([&] { return PanelPixel(60, 15) == RGB(10, 120, 200); }));
  EXPECT_TRUE(WaitUntil([&] { return PanelPixel(60, 45) == RGB(0, 200, 0); }));
  EXPECT_TRUE(WaitUntil([&] { return PanelPixel(60, 75) == RGB(0x99, 0x66, 0x33); }));
}

}  // namespace
