// The control core and the plain controls, driven through their windows as
// a user or another program would.
#include "framework/Application.h"
#include "framework/Button.h"
#include "framework/ComboBox.h"
#include "framework/Edit.h"
#include "framework/FileNameEdit.h"
#include "framework/Form.h"
#include "framework/Label.h"
#include "framework/Menus.h"
#include "framework/Panel.h"
#include "framework/SpinEdit.h"
#include "tests/support/wait_until.h"

#include <commctrl.h>

#include <gtest/gtest.h>

namespace {

class TTestForm : public TForm {
 public:
  explicit TTestForm(TComponent* owner) : TForm(owner) {
    SetCaption(L"Controls under test");
    SetClientSize(400, 300);
    Panel = new TPanel(this);
    Panel->SetParent(this);
    Panel->SetAlign(TAlign::alClient);
  }
  TPanel* Panel;
};

class Controls : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { InitApplication(); }
  void SetUp() override { form = Application->CreateForm<TTestForm>(); }
  void TearDown() override { delete form; }

  template <class T>
  T* Add(int left = 8, int top = 8, int width = 120, int height = 24) {
    T* c = new T(form);
    c->SetBounds(left, top, width, height);
    c->SetParent(form->Panel);
    return c;
  }

  TTestForm* form = nullptr;
};

TEST_F(Controls, CheckBoxRunsClickOnEveryNewStateFromCodeOrUser) {
  auto* box = Add<TCheckBox>();
  int clicks = 0;
  box->OnClick = [&](TObject*) { ++clicks; };

  box->SetChecked(true);  // before the window exists
  box->SetChecked(true);  // no change, no click
  EXPECT_EQ(clicks, 1);

  form->Show();
  EXPECT_EQ(SendMessageW(box->Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
  SendMessageW(box->Handle(), BM_CLICK, 0, 0);  // what a user's click does
  EXPECT_FALSE(box->Checked());
  EXPECT_EQ(SendMessageW(box->Handle(), BM_GETCHECK, 0, 0), BST_UNCHECKED);
  EXPECT_EQ(clicks, 2);
}

TEST_F(Controls, ControlsWithHintsStillGetTheirClicks) {
  // The hint's tool tip subclasses the control; its notifications must still
  // find it.
  auto* box = Add<TCheckBox>();
  auto* button = Add<TButton>(8, 40);
  int boxClicks = 0, buttonClicks = 0;
  box->OnClick = [&](TObject*) { ++boxClicks; };
  button->OnClick = [&](TObject*) { ++buttonClicks; };
  for (TControl* c : std::initializer_list<TControl*>{box, button}) {
    c->SetHint(L"a hint");
    c->SetShowHint(true);
  }
  form->Show();
  SendMessageW(box->Handle(), BM_CLICK, 0, 0);
  SendMessageW(button->Handle(), BM_CLICK, 0, 0);
  EXPECT_TRUE(box->Checked());
  EXPECT_EQ(boxClicks, 1);
  EXPECT_EQ(buttonClicks, 1);
}

TEST_F(Controls, ComboBoxChangesOnlyOnTheUsersChoice) {
  auto* combo = Add<TComboBox>();
  for (int i = 1; i <= 3; ++i) combo->Items().Add(L"COM-" + IntToStr(i));
  int changes = 0;
  combo->OnChange = [&](TObject*) { ++changes; };

  combo->SetItemIndex(1);
  EXPECT_EQ(combo->Text(), L"COM-2");
  form->Show();
  EXPECT_EQ(SendMessageW(combo->Handle(), CB_GETCURSEL, 0, 0), 1);
  combo->SetItemIndex(2);
  EXPECT_EQ(changes, 0);

  // The list tells its parent of a user's selection.
  SendMessageW(combo->Handle(), CB_SETCURSEL, 0, 0);
  SendMessageW(form->Panel->Handle(), WM_COMMAND, MAKEWPARAM(0, CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(combo->Handle()));
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(combo->ItemIndex(), 0);

  combo->SetItemIndex(-1);
  EXPECT_EQ(combo->ItemIndex(), -1);
}

TEST_F(Controls, EditReportsChangesWithAndWithoutWindow) {
  auto* edit = Add<TEdit>();
  std::vector<String> seen;
  edit->OnChange = [&](TObject*) { seen.push_back(edit->Text()); };
  edit->SetText(L"before");
  form->Show();
  edit->SetText(L"after");
  SendMessageW(edit->Handle(), EM_SETSEL, 5, 5);
  SendMessageW(edit->Handle(), WM_CHAR, L'!', 0);
  EXPECT_EQ(seen, (std::vector<String>{L"before", L"after", L"after!"}));
}

TEST_F(Controls, KeyPressCanSwallowAKey) {
  auto* edit = Add<TEdit>();
  edit->OnKeyPress = [](TObject*, wchar_t& key) {
    if (key == L'x') key = 0;
    if (key == L'a') key = L'b';
  };
  form->Show();
  for (wchar_t c : String(L"xax")) SendMessageW(edit->Handle(), WM_CHAR, c, 0);
  EXPECT_EQ(edit->Text(), L"b");
}

TEST_F(Controls, EditBorderFollowsBorderStyleAndCtl3D) {
  auto* edit = Add<TEdit>();
  edit->SetText(L"kept");
  form->Show();
  struct {
    TBorderStyle style;
    bool ctl3d;
    bool clientEdge;
    int inset;  // of the client area in the window
    bool line;  // a border line above the background
  } cases[] = {
      {TBorderStyle::bsSingle, true, true, 2, true},
      // The system edit takes WS_BORDER off and draws the line itself,
      // inside its client area.
      {TBorderStyle::bsSingle, false, false, 0, true},
      {TBorderStyle::bsNone, false, false, 0, false},
      {TBorderStyle::bsNone, true, false, 0, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "bsSingle " << (c.style == TBorderStyle::bsSingle) << " ctl3d " << c.ctl3d);
    edit->SetBorderStyle(c.style);
    edit->SetCtl3D(c.ctl3d);
    const HWND wnd = edit->Handle();
    EXPECT_EQ((GetWindowLongW(wnd, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) != 0, c.clientEdge);
    RECT w{};
    GetWindowRect(wnd, &w);
    POINT origin{0, 0};
    ClientToScreen(wnd, &origin);
    EXPECT_EQ(origin.x - w.left, c.inset);
    EXPECT_EQ(edit->Text(), L"kept");  // the new window takes the text over
    // Right of the text: the top row against the background below it.
    RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
    auto lineShown = [&] {
      HDC dc = GetWindowDC(wnd);
      const bool differs = GetPixel(dc, 100, 0) != GetPixel(dc, 100, 12);
      ReleaseDC(wnd, dc);
      return differs;
    };
    if (c.line)
      EXPECT_TRUE(WaitUntil(lineShown));
    else
      EXPECT_FALSE(lineShown());
  }
}

TEST_F(Controls, PasswordCharacterReachesTheWindow) {
  auto* edit = Add<TEdit>();
  edit->SetPasswordChar(L'#');
  form->Show();
  EXPECT_EQ(SendMessageW(edit->Handle(), EM_GETPASSWORDCHAR, 0, 0), L'#');
  edit->SetPasswordChar(0);
  EXPECT_EQ(SendMessageW(edit->Handle(), EM_GETPASSWORDCHAR, 0, 0), 0);
}

TEST_F(Controls, MemoLinesAndWindowTextAgree) {
  auto* memo = Add<TMemo>(8, 8, 200, 100);
  memo->Lines().Add(L"one");
  form->Show();
  memo->Lines().Add(L"two");
  wchar_t text[64];
  GetWindowTextW(memo->Handle(), text, 64);
  EXPECT_STREQ(text, L"one\r\ntwo");

  // What a user types is what Lines hold afterwards.
  SetWindowTextW(memo->Handle(), L"three\r\nfour\r\nfive");
  SendMessageW(form->Panel->Handle(), WM_COMMAND, MAKEWPARAM(0, EN_CHANGE), reinterpret_cast<LPARAM>(memo->Handle()));
  ASSERT_EQ(memo->Lines().Count(), 3);
  EXPECT_EQ(memo->Lines().Get(2), L"five");
}

TEST_F(Controls, MemoWithALimitCutsOnlyWhatItsWindowShows) {
  auto* memo = Add<TMemo>(8, 8, 200, 100);
  memo->SetReadOnly(true);
  memo->SetShownLineLimit(5);
  memo->Lines().Add(L"short");
  memo->Lines().Add(L"longer line");
  form->Show();
  memo->Lines().Add(L"appended long");
  wchar_t text[128];
  GetWindowTextW(memo->Handle(), text, 128);
  EXPECT_STREQ(text, L"short\r\nlonge\u2026\r\nappen\u2026");
  ASSERT_EQ(memo->Lines().Count(), 3);
  EXPECT_EQ(memo->Lines().Get(1), L"longer line");
  EXPECT_EQ(memo->Lines().Get(2), L"appended long");

  // A window that cuts is never read back: the lines stay whole.
  SendMessageW(form->Panel->Handle(), WM_COMMAND, MAKEWPARAM(0, EN_CHANGE), reinterpret_cast<LPARAM>(memo->Handle()));
  EXPECT_EQ(memo->Lines().Text(), L"short\r\nlonger line\r\nappended long\r\n");

  memo->SetShownLineLimit(0);
  GetWindowTextW(memo->Handle(), text, 128);
  EXPECT_STREQ(text, L"short\r\nlonger line\r\nappended long");
}

// Counts the fonts its window is handed: the system edit lays out every
// line again on each, seconds with a long log.
class TFontCountingMemo : public TMemo {
 public:
  using TMemo::TMemo;
  int FontsTaken = 0;

 protected:
  void WndProc(TMessage& m) override {
    if (m.Msg == WM_SETFONT) ++FontsTaken;
    TMemo::WndProc(m);
  }
};

TEST_F(Controls, MemoTakesItsFontAgainOnlyWhenTheGdiFontChanges) {
  auto* memo = new TFontCountingMemo(form);
  memo->SetBounds(8, 8, 200, 100);
  memo->SetParent(form->Panel);
  memo->Lines().Add(L"line");
  form->Show();
  const int taken = memo->FontsTaken;
  const HFONT before = memo->Font().Handle();

  memo->Font().SetColor(clRed);
  EXPECT_EQ(memo->FontsTaken, taken);
  // The window's font is still the control's, alive.
  const auto windowFont = reinterpret_cast<HFONT>(SendMessageW(memo->Handle(), WM_GETFONT, 0, 0));
  EXPECT_EQ(windowFont, before);
  EXPECT_EQ(memo->Font().Handle(), before);
  EXPECT_EQ(GetObjectType(windowFont), static_cast<DWORD>(OBJ_FONT));

  memo->Font().SetHeight(-15);
  EXPECT_EQ(memo->FontsTaken, taken + 1);
  EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(memo->Handle(), WM_GETFONT, 0, 0)), memo->Font().Handle());

  // A parent's font of another colour only, flowing down, is no new font either.
  TFont same;
  same.Assign(memo->Font());
  same.SetColor(clGreen);
  memo->Font().Assign(same);
  EXPECT_EQ(memo->FontsTaken, taken + 1);
  EXPECT_EQ(memo->Font().Color(), clGreen);
}

struct SpinCase {
  const wchar_t* text;
  int64_t min, max;
  int64_t value;
};

TEST_F(Controls, SpinEditReadsItsText) {
  const SpinCase cases[] = {
      {L"", 0, 0, 0},
      {L"42", 0, 0, 42},
      {L"-7", 0, 0, -7},
      {L"abc", 0, 0, 0},
      {L"abc", 3, 9, 3},
      {L" ", 5, 0, 5},
      {L"9000000000", 0, 0, 9000000000LL},
  };
  auto* spin = Add<TSpinEdit>();
  for (const auto& c : cases) {
    spin->SetMinValue(c.min);
    spin->SetMaxValue(c.max);
    spin->SetText(c.text);
    EXPECT_EQ(spin->Value(), c.value) << "text '" << StringToUtf8(c.text) << "'";
  }
  spin->SetMinValue(1);
  spin->SetMaxValue(10);
  spin->SetValue(50);
  EXPECT_EQ(spin->Text(), L"10");
  spin->SetMinValue(0);
  spin->SetMaxValue(0);
  spin->SetValue(-3);
  EXPECT_EQ(spin->Text(), L"-3");
}

TEST_F(Controls, SpinButtonsStepByTheIncrement) {
  auto* spin = Add<TSpinEdit>();
  spin->SetIncrement(5);
  spin->SetValue(10);
  form->Show();
  HWND buttons = FindWindowExW(spin->Handle(), nullptr, L"msctls_updown32", nullptr);
  ASSERT_TRUE(buttons);
  NMUPDOWN up{};
  up.hdr.hwndFrom = buttons;
  up.hdr.code = UDN_DELTAPOS;
  up.iDelta = 1;
  SendMessageW(spin->Handle(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&up));
  EXPECT_EQ(spin->Value(), 15);
}

TEST_F(Controls, WindowProcCanBeChainedAndRestored) {
  auto* button = Add<TButton>();
  form->Show();
  std::vector<UINT> seen;
  TWndMethod saved = button->WindowProc;
  button->WindowProc = [&](TMessage& m) {
    if (m.Msg == WM_USER + 7) seen.push_back(m.Msg);
    saved(m);
  };
  SendMessageW(button->Handle(), WM_USER + 7, 0, 0);
  button->Perform(WM_USER + 7);
  button->WindowProc = saved;
  SendMessageW(button->Handle(), WM_USER + 7, 0, 0);
  EXPECT_EQ(seen.size(), 2u);
}

TEST_F(Controls, GraphicControlsTakeMessagesWithoutAWindow) {
  auto* label = Add<TLabel>(20, 20, 80, 20);
  label->SetAutoSize(false);
  int clicks = 0, dbl = 0;
  label->OnClick = [&](TObject*) { ++clicks; };
  label->OnDblClick = [&](TObject*) { ++dbl; };
  // Without any window.
  label->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  label->Perform(WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(clicks, 1);

  // Through the parent's window: the parent routes the mouse to the label.
  form->Show();
  HWND panel = form->Panel->Handle();
  SendMessageW(panel, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(25, 25));
  SendMessageW(panel, WM_LBUTTONUP, 0, MAKELPARAM(25, 25));
  SendMessageW(panel, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(25, 25));
  SendMessageW(panel, WM_LBUTTONUP, 0, MAKELPARAM(25, 25));
  // A press that ends outside the label is no click, nor is the release
  // that ends a double click.
  SendMessageW(panel, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(25, 25));
  SendMessageW(panel, WM_LBUTTONUP, 0, MAKELPARAM(300, 200));
  EXPECT_EQ(clicks, 2);
  EXPECT_EQ(dbl, 1);
}

TEST_F(Controls, ClientAlignedPanelFillsTheFormAndFollowsIt) {
  form->Show();
  RECT client;
  GetClientRect(form->Handle(), &client);
  EXPECT_EQ(client.right, 400);
  EXPECT_EQ(client.bottom, 300);
  EXPECT_EQ(form->Panel->Width(), 400);
  EXPECT_EQ(form->Panel->Height(), 300);
  form->SetClientSize(500, 200);
  EXPECT_EQ(form->Panel->Width(), 500);
  EXPECT_EQ(form->Panel->Height(), 200);
}

TEST_F(Controls, ParentFontFlowsDownUntilAChildSetsItsOwn) {
  auto* label = Add<TLabel>();
  auto* edit = Add<TEdit>();
  form->Font().SetName(L"Arial");
  form->Font().SetHeight(-12);
  EXPECT_EQ(label->Font().Name(), L"Arial");
  EXPECT_EQ(edit->Font().Height(), -12);
  edit->Font().SetHeight(-11);
  form->Font().SetHeight(-19);
  EXPECT_EQ(label->Font().Height(), -19);
  EXPECT_EQ(edit->Font().Height(), -11);
  EXPECT_FALSE(edit->ParentFont());
}

TEST_F(Controls, MenuCommandsReachTheirItems) {
  auto* menu = new TMainMenu(form);
  auto* top = new TMenuItem(form);
  top->SetCaption(L"&Program");
  menu->Items()->Add(top);
  auto* save = new TMenuItem(form);
  save->SetCaption(L"&Save settings");
  top->Add(save);
  int clicks = 0;
  save->OnClick = [&](TObject*) { ++clicks; };
  form->SetMenu(menu);
  form->Show();
  ASSERT_TRUE(GetMenu(form->Handle()));
  SendMessageW(form->Handle(), WM_COMMAND, MAKEWPARAM(save->Command(), 0), 0);
  EXPECT_EQ(clicks, 1);
  // The client area keeps its size with the menu bar added.
  RECT client;
  GetClientRect(form->Handle(), &client);
  EXPECT_EQ(client.bottom, 300);
}

TEST_F(Controls, ExceptionInAHandlerGoesToTheApplication) {
  auto* button = Add<TButton>();
  button->OnClick = [](TObject*) { throw Exception(L"boom"); };
  String shown;
  Application->OnException = [&](TObject*, const std::exception& e) {
    shown = dynamic_cast<const Exception&>(e).Message();
  };
  form->Show();
  SendMessageW(button->Handle(), BM_CLICK, 0, 0);
  Application->OnException = nullptr;
  EXPECT_EQ(shown, L"boom");
}

TEST_F(Controls, FileNameEditAsksBeforeItsDialog) {
  auto* edit = Add<TFileNameEdit>(8, 8, 200, 21);
  edit->SetFileName(L"C:\\logs\\credits.txt");
  String proposed;
  edit->OnBeforeDialog = [&](TObject*, String& name, bool& action) {
    proposed = name;
    action = false;  // no dialog in a test
  };
  form->Show();
  HWND browse = FindWindowExW(edit->Handle(), nullptr, L"Button", nullptr);
  ASSERT_TRUE(browse);
  SendMessageW(browse, BM_CLICK, 0, 0);
  EXPECT_EQ(proposed, L"C:\\logs\\credits.txt");
  EXPECT_EQ(edit->FileName(), L"C:\\logs\\credits.txt");
}

}  // namespace
