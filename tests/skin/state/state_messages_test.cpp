// The skin state's answers to skin commands and the first stage of a skinned
// control's window procedure, on small framework controls.
#include "framework/Application.h"
#include "framework/Form.h"
#include "skin/manager/SkinManager.h"
#include "skin/state/CommonData.h"
#include "skin/state/CtrlSkinData.h"
#include "skin/state/CtrlSkinStage.h"
#include "skin/state/SkinStateMessages.h"
#include "tests/skin/state/support/state_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <utility>
#include <vector>

namespace {

const std::string kSkin =
    "[GLOBALINFO]\r\nVERSION=12.50\r\n"
    "[BUTTON]\r\nCOLOR=$00112233\r\n"
    "[EDIT]\r\nCOLOR=$00445566\r\n"
    "[COMBOBTN]\r\nCOLOR=$00778899\r\n"
    "[SPLITTER]\r\nCOLOR=$00778899\r\n"
    "[OPAQUEBOX]\r\nCOLOR=$00102030\r\nTRANSPARENCY=0\r\n"
    "[HALFBOX]\r\nCOLOR=$00204060\r\nTRANSPARENCY=50\r\n"
    "[CLEARBOX]\r\nCOLOR=$00204060\r\nTRANSPARENCY=100\r\n";

// A recording box skinned the way skinned controls are: its skin state's
// stage runs before its own window procedure, and it names BUTTON as its
// default section.
class TStagedBox : public TRecordingBox<TsCtrlSkinData> {
 public:
  explicit TStagedBox(TComponent* owner, uint8_t kind = 3) : TRecordingBox(owner, kind, L"BUTTON") {
    InstallCtrlSkinStage(*Data);
  }
};

// A control that knows nothing of the skin.
class TPlainBox : public TCustomControl {
 public:
  explicit TPlainBox(TComponent* owner) : TCustomControl(owner) { SetBounds(0, 0, 10, 10); }
};

TMessage Command(uint16_t code, uint16_t argument = 0, LPARAM lparam = 0) {
  return TMessage{WM_SKINCOMMAND, SkinCommandWParam(code, argument), lparam, 0};
}

class StateMessagesTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { InitApplication(); }
  void SetUp() override {
    form = std::make_unique<TForm>(Application, CreateNew);
    form->HandleNeeded();
  }
  void TearDown() override {
    form.reset();
    manager.reset();
  }
  void LoadSkin() {
    manager = skins.Manager();
    ASSERT_TRUE(manager->IsSkinLoaded());
  }
  TStagedBox* MakeBox(TWinControl* parent = nullptr, uint8_t kind = 3, const wchar_t* section = L"") {
    auto* box = new TStagedBox(form.get(), kind);
    box->SetParent(parent ? parent : form.get());
    box->HandleNeeded();
    box->Data->Loaded(false);
    if (*section) box->Data->SetSkinSection(section);
    return box;
  }
  LPARAM ManagerParam() const { return reinterpret_cast<LPARAM>(manager.get()); }
  TSmallSkinFolder skins{kSkin};
  std::unique_ptr<TsSkinManager> manager;
  std::unique_ptr<TForm> form;
};

TEST_F(StateMessagesTest, StageMarksTheWindowAndAnswersOnTheSkinPath) {
  LoadSkin();
  auto* box = new TStagedBox(form.get());
  box->SetParent(form.get());
  box->HandleNeeded();  // the state was made before the window: the stage marks it
  const HWND wnd = box->Handle();
  EXPECT_EQ(GetWndCommonData(wnd), box->Data.get());

  // Commands sent through the window's skin state meet the stage: the base
  // answers what it knows, the rest reaches the control.
  box->Seen.clear();
  EXPECT_EQ(SendWndCommand(wnd, AC_GETCOMMONDATA, 0), reinterpret_cast<LRESULT>(box->Data.get()));
  EXPECT_EQ(SendWndCommand(wnd, AC_ISSKINAWARE, 0), 1);
  EXPECT_EQ(SendWndCommand(wnd, AC_GETDEFINDEX, 0), manager->GetSectionIndex(L"BUTTON") + 1);
  EXPECT_EQ(box->Seen, std::vector<uint16_t>{AC_GETDEFINDEX});

  // A window made again is marked again.
  box->RecreateWnd();
  box->HandleNeeded();
  EXPECT_EQ(GetWndCommonData(box->Handle()), box->Data.get());

  // The state going before its control leaves a stage that passes everything on.
  box->Data.reset();
  box->Seen.clear();
  EXPECT_EQ(box->Perform(WM_SKINCOMMAND, SkinCommandWParam(AC_ISSKINAWARE), 0), 0);
  EXPECT_EQ(box->Seen, std::vector<uint16_t>{AC_ISSKINAWARE});
}

TEST_F(StateMessagesTest, CommandTable) {
  LoadSkin();
  auto* box = MakeBox();
  TsCtrlSkinData& d = *box->Data;
  ASSERT_GE(d.SkinIndex, 0);
  int32_t indexRecord[2] = {7, 7};
  RECT bounds{};
  static const wchar_t kEdit[] = L"edit";
  struct Case {
    const char* name;
    TMessage message;
    std::function<void()> before;
    bool handled;
    std::function<void(const TMessage&)> check;
  } cases[] = {
      {"7 skinned", Command(AC_ISSKINNED, 0, 5), nullptr, true,
       [&](const TMessage& m) {
         EXPECT_EQ(m.Result, 1);
         EXPECT_EQ(m.LParam, 1);
       }},
      {"7 not skinned", Command(AC_ISSKINNED, 0, 5), [&] { d.SkinIndex = -1; }, true,
       [&](const TMessage& m) {
         EXPECT_EQ(m.Result, 1);
         EXPECT_EQ(m.LParam, 0);
         d.UpdateIndexes(true);
       }},
      {"8 set", Command(AC_SETUPDATING, 1), [&] { d.Updating = false; }, true,
       [&](const TMessage&) { EXPECT_TRUE(d.Updating); }},
      {"8 clear", Command(AC_SETUPDATING, 0), [&] { d.Updating = true; }, true,
       [&](const TMessage&) { EXPECT_FALSE(d.Updating); }},
      {"11", Command(AC_GETCHILDBGFLAG), [&] { d.ChildBgChanged = 1; }, true,
       [&](const TMessage& m) { EXPECT_EQ(m.Result, 1); }},
      {"13 a null name", Command(AC_REPAINTIFSECTION), nullptr, true, nullptr},
      {"15 a section", Command(AC_SETSECTION, 0, reinterpret_cast<LPARAM>(kEdit)), nullptr, true,
       [&](const TMessage& m) {
         EXPECT_EQ(m.Result, 1);
         EXPECT_EQ(d.SkinSection(), L"EDIT");
         EXPECT_EQ(d.SkinIndex, manager->GetSectionIndex(L"EDIT"));
       }},
      {"15 no section", Command(AC_SETSECTION), nullptr, true,
       [&](const TMessage& m) {
         EXPECT_EQ(m.Result, 0);
         EXPECT_EQ(d.SkinSection(), L"EDIT");
       }},
      {"18", Command(AC_REDRAW, 1), nullptr, true, nullptr},
      {"19", Command(AC_ISSKINAWARE), nullptr, true, [&](const TMessage& m) { EXPECT_EQ(m.Result, 1); }},
      {"22", Command(AC_SETCHILDBGFLAG), [&] { d.ChildBgChanged = 0; }, true,
       [&](const TMessage&) { EXPECT_EQ(d.ChildBgChanged, 1); }},
      {"26", Command(AC_GETSKININDEX, 0, reinterpret_cast<LPARAM>(indexRecord)), nullptr, true,
       [&](const TMessage&) {
         EXPECT_EQ(indexRecord[0], 7);
         EXPECT_EQ(indexRecord[1], d.SkinIndex);
       }},
      {"37", Command(AC_GETCOMMONDATA), nullptr, true,
       [&](const TMessage& m) { EXPECT_EQ(m.Result, reinterpret_cast<LRESULT>(&d)); }},
      {"38 begin", Command(AC_SETPRINTDC, 1, 0x1234), nullptr, true,
       [&](const TMessage&) {
         EXPECT_EQ(d.PrintDC, reinterpret_cast<HDC>(0x1234));
         EXPECT_NE(d.StateBits & acsPrinting, 0u);
       }},
      {"38 end", Command(AC_SETPRINTDC, 0, 0x1234), nullptr, true,
       [&](const TMessage&) {
         EXPECT_EQ(d.PrintDC, nullptr);
         EXPECT_EQ(d.StateBits & acsPrinting, 0u);
       }},
      {"69", Command(AC_GETPPI), [&] { d.PPI = 144; }, true,
       [&](const TMessage& m) {
         EXPECT_EQ(m.Result, 144);
         d.PPI = 96;
       }},
      {"70", Command(AC_GETBOUNDS, 0, reinterpret_cast<LPARAM>(&bounds)), [&] { box->SetBounds(3, 4, 30, 10); }, true,
       [&](const TMessage&) {
         EXPECT_EQ(bounds.left, 3);
         EXPECT_EQ(bounds.top, 4);
         EXPECT_EQ(bounds.right, 33);
         EXPECT_EQ(bounds.bottom, 14);
       }},
      {"85 with a skin", Command(AC_ISOPAQUE), [&] { box->SetControlStyle(box->ControlStyle() | csOpaque); }, true,
       [&](const TMessage& m) { EXPECT_EQ(m.Result, 1); }},
      {"86", Command(AC_GETSKINDATA), nullptr, true,
       [&](const TMessage& m) {
         EXPECT_NE(m.Result, 0);
         EXPECT_EQ(m.Result, reinterpret_cast<LRESULT>(d.GetScaledSkinData()));
         EXPECT_EQ(m.LParam, reinterpret_cast<LPARAM>(d.CachedSkinData()));
       }},
      {"2 from another manager", Command(AC_SKINREMOVED, 0, 1), nullptr, true,
       [&](const TMessage&) { EXPECT_GE(d.SkinIndex, 0); }},
      {"5, answered by others", Command(AC_CODE5), nullptr, false, nullptr},
      {"9, answered by the control", Command(AC_GETDEFINDEX), nullptr, false, nullptr},
      {"24, sent by nobody", Command(24), nullptr, false, nullptr},
      {"87, above the table", Command(AC_RESCALE), nullptr, false, nullptr},
      {"97, above the table", Command(AC_SKINLISTSCAN, 0, 1), nullptr, false, nullptr},
  };
  for (Case& c : cases) {
    SCOPED_TRACE(c.name);
    if (c.before) c.before();
    TMessage m = c.message;
    EXPECT_EQ(HandleSkinCommand(m, &d), c.handled);
    if (!c.handled) {
      EXPECT_EQ(m.Result, 0);
    }
    if (c.check) c.check(m);
  }

  // Nothing to answer for: handled, untouched.
  TMessage m = Command(AC_ISSKINAWARE);
  EXPECT_TRUE(HandleSkinCommand(m, nullptr));
  EXPECT_EQ(m.Result, 0);
  TMessage other{WM_PAINT, 0, 0, 0};
  EXPECT_TRUE(HandleSkinCommand(other, &d));
}

TEST_F(StateMessagesTest, SkinRemovedAnswersTrueOnlyWhenAlreadyUnskinned) {
  LoadSkin();
  auto* box = MakeBox();
  TsCtrlSkinData& d = *box->Data;
  ASSERT_GE(d.SkinIndex, 0);
  TMessage removed = Command(AC_SKINREMOVED, 0, ManagerParam());
  EXPECT_FALSE(HandleSkinCommand(removed, &d));  // the control's own handler sees it too
  EXPECT_EQ(d.SkinIndex, -1);
  TMessage again = Command(AC_SKINREMOVED, 0, ManagerParam());
  EXPECT_TRUE(HandleSkinCommand(again, &d));
  EXPECT_EQ(d.SkinIndex, -1);
}

TEST_F(StateMessagesTest, OpaqueCommandWithoutPassOnTakesTheState) {
  LoadSkin();
  auto* box = MakeBox();
  TsCtrlSkinData& d = *box->Data;
  struct Case {
    TacOpaqueMode mode;
    LPARAM lparam;
    uint8_t state;
  } cases[] = {
      {TacOpaqueMode::omAuto, MAKELONG(0, 1), 1},
      {TacOpaqueMode::omAuto, MAKELONG(0, 0), 0},
      {TacOpaqueMode::omForceOpaque, MAKELONG(0, 0), 1},
  };
  for (const Case& c : cases) {
    d.SetOpaqueMode(c.mode);
    d.BGChanged = false;
    TMessage m = Command(AC_SETOPAQUE, 0, c.lparam);
    EXPECT_TRUE(HandleSkinCommand(m, &d));
    EXPECT_EQ(d.OpaqueState, c.state);
    EXPECT_EQ(m.Result, MAKELONG(0, c.state));
    EXPECT_TRUE(d.BGChanged);
    EXPECT_FALSE(d.OpaqueBusy);
  }
  // A command arriving while one runs changes nothing.
  d.OpaqueBusy = true;
  d.OpaqueState = 0;
  TMessage m = Command(AC_SETOPAQUE, 0, MAKELONG(0, 1));
  EXPECT_TRUE(HandleSkinCommand(m, &d));
  EXPECT_EQ(d.OpaqueState, 0);
  EXPECT_EQ(m.Result, 0);
}

TEST_F(StateMessagesTest, OpaqueCommandWalksDescendantsDepthFirstPassingEachAnswerOn) {
  LoadSkin();
  auto* top = MakeBox();
  auto* a = MakeBox(top);
  auto* a1 = MakeBox(a);
  auto* plain = new TPlainBox(form.get());
  plain->SetParent(top);
  auto* b = MakeBox(top);
  a->Data->SetOpaqueMode(TacOpaqueMode::omForceOpaque);

  // What each child is given, in order.
  std::vector<std::pair<TControl*, LPARAM>> given;
  for (TControl* child : std::initializer_list<TControl*>{a, a1, plain, b}) {
    TWndMethod inherited = child->WindowProc;
    child->WindowProc = [&given, child, inherited](TMessage& m) {
      if (m.Msg == WM_SKINCOMMAND && SkinCommandCode(m.WParam) == AC_SETOPAQUE) given.emplace_back(child, m.LParam);
      inherited(m);
    };
  }

  TMessage m = Command(AC_SETOPAQUE, 0, MAKELONG(1, 0));
  EXPECT_TRUE(HandleSkinCommand(m, top->Data.get()));
  EXPECT_EQ(m.Result, MAKELONG(1, 0));
  EXPECT_EQ(top->Data->OpaqueState, 0);

  // First visits in depth-first order.
  std::vector<TControl*> order;
  for (auto& [control, value] : given)
    if (std::find(order.begin(), order.end(), control) == order.end()) order.push_back(control);
  EXPECT_EQ(order, (std::vector<TControl*>{a, a1, plain, b}));
  ASSERT_FALSE(given.empty());
  EXPECT_EQ(given.front().second, MAKELONG(1, 0));
  // The forced child answers state 1, and that answer travels on; the
  // control that does not know the skin answers nothing and passes it by.
  for (auto& [control, value] : given)
    if (control != a) {
      EXPECT_EQ(value, MAKELONG(1, 1));
    }
  EXPECT_EQ(a->Data->OpaqueState, 1);
  EXPECT_EQ(a1->Data->OpaqueState, 1);
  EXPECT_EQ(b->Data->OpaqueState, 1);

  // A forced parent hands its own state down from the first child on.
  top->Data->SetOpaqueMode(TacOpaqueMode::omForceOpaque);
  given.clear();
  TMessage forced = Command(AC_SETOPAQUE, 0, MAKELONG(1, 0));
  EXPECT_TRUE(HandleSkinCommand(forced, top->Data.get()));
  EXPECT_EQ(forced.Result, MAKELONG(1, 1));
  ASSERT_FALSE(given.empty());
  EXPECT_EQ(given.front(), std::make_pair(static_cast<TControl*>(a), LPARAM(MAKELONG(1, 1))));

  // Without the pass-on flag the children hear nothing.
  given.clear();
  TMessage alone = Command(AC_SETOPAQUE, 0, MAKELONG(0, 1));
  EXPECT_TRUE(HandleSkinCommand(alone, top->Data.get()));
  EXPECT_TRUE(given.empty());
}

TEST_F(StateMessagesTest, BackgroundColorForChildrenMixesWithWhatIsBeneath) {
  LoadSkin();
  form->SetColor(0xFFFFFF);
  struct Case {
    const char* name;
    const wchar_t* section;
    bool skinnedParent;
    COLORREF expected;
  } cases[] = {
      {"opaque section: its own colour", L"OPAQUEBOX", false, 0x102030},
      {"clear over a skinned parent: the parent's answer", L"CLEARBOX", true, 0x102030},
      {"clear over a plain parent: the parent's colour", L"CLEARBOX", false, 0xFFFFFF},
      // C + (P - C) * 50 >> 8 per byte, rounding down.
      {"half over a skinned parent", L"HALFBOX", true, 0x1C3956},
      // A parent that does not know the skin is mixed by its colour, not as black.
      {"half over a plain parent", L"HALFBOX", false, 0x4B657F},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TWinControl* parent = form.get();
    TStagedBox* skinnedParent = nullptr;
    if (c.skinnedParent) {
      skinnedParent = MakeBox(nullptr, 3, L"OPAQUEBOX");
      skinnedParent->SetBounds(0, 0, 100, 100);
      parent = skinnedParent;
    }
    auto* box = MakeBox(parent, 3, c.section);
    ASSERT_TRUE(box->Data->IsSkinned());
    EXPECT_EQ(SendWndCommand(box->Handle(), AC_GETBGCOLOR, 0), LRESULT(c.expected));
    delete box;
    delete skinnedParent;
  }

  // Not skinned: the control's own colour.
  auto* plain = MakeBox(nullptr, 3, L"NOSUCHSECTION");
  plain->SetColor(0x00336699);
  EXPECT_EQ(SendWndCommand(plain->Handle(), AC_GETBGCOLOR, 0), 0x00336699);
}

TEST_F(StateMessagesTest, RefreshConcernsTheManagersObjectsBySection) {
  LoadSkin();
  const int button = manager->GetSectionIndex(L"BUTTON");
  const int edit = manager->GetSectionIndex(L"EDIT");
  const int comboButton = manager->GetSectionIndex(L"COMBOBTN");
  const int splitter = manager->GetSectionIndex(L"SPLITTER");
  ASSERT_TRUE(button >= 0 && edit >= 0 && comboButton >= 0 && splitter >= 0);
  struct Case {
    const char* name;
    uint8_t kind;
    int section;
    bool fromManager;
    bool expected;
  } cases[] = {
      {"another manager", 3, 0, false, false},
      {"every section", 3, 0, true, true},
      {"its own section", 3, button, true, true},
      {"another section, a kind without related sections", 3, edit, true, false},
      {"a combo and its button section", 18, comboButton, true, true},
      {"an edit-like kind and the edit section", 7, edit, true, true},
      {"an edit-like kind and the combo button", 7, comboButton, true, true},
      {"a splitter and its section", 53, splitter, true, true},
      {"a splitter and the edit section", 53, edit, true, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto* box = MakeBox(nullptr, c.kind, L"BUTTON");
    ASSERT_EQ(box->Data->SkinIndex, button);
    const LPARAM from = c.fromManager ? ManagerParam() : 1;
    EXPECT_EQ(IsRefreshForMe(box->Data.get(), Command(AC_SKINREFRESH, uint16_t(c.section), from)), c.expected);
    delete box;
  }
}

TEST_F(StateMessagesTest, RefreshForAnotherSectionIsOnlyPassedToChildren) {
  LoadSkin();
  auto* box = MakeBox(nullptr, 3, L"BUTTON");
  auto* child = new TPlainBox(form.get());
  child->SetParent(box);
  child->HandleNeeded();
  std::vector<WPARAM> childGot;
  TWndMethod inherited = child->WindowProc;
  child->WindowProc = [&childGot, inherited](TMessage& m) {
    if (m.Msg == WM_SKINCOMMAND && SkinCommandCode(m.WParam) == AC_SKINREFRESH) childGot.push_back(m.WParam);
    inherited(m);
  };
  const uint16_t edit = uint16_t(manager->GetSectionIndex(L"EDIT"));
  box->Data->BGChanged = false;
  box->Data->Updating = true;
  TMessage m = Command(AC_SKINREFRESH, edit, ManagerParam());
  EXPECT_TRUE(HandleSkinCommand(m, box->Data.get()));
  EXPECT_FALSE(box->Data->BGChanged);
  EXPECT_TRUE(box->Data->Updating);
  EXPECT_EQ(childGot, std::vector<WPARAM>{SkinCommandWParam(AC_SKINREFRESH, edit)});

  // Its own section: refreshed, and the control's own handler is spared.
  box->Seen.clear();
  EXPECT_EQ(
      box->Perform(WM_SKINCOMMAND, SkinCommandWParam(AC_SKINREFRESH, uint16_t(box->Data->SkinIndex)), ManagerParam()),
      0);
  EXPECT_TRUE(box->Data->BGChanged);
  EXPECT_FALSE(box->Data->Updating);
  EXPECT_EQ(box->Count(AC_SKINREFRESH), 0);
}

TEST_F(StateMessagesTest, RedrawLockCountsNestedSwitches) {
  auto* box = MakeBox();
  TsCtrlSkinData& d = *box->Data;
  auto redraw = [&](WPARAM on) {
    TMessage m{WM_SETREDRAW, on, 0, 0};
    return HandleCtrlSkinMessage(m, &d);
  };
  EXPECT_FALSE(redraw(0));
  EXPECT_FALSE(redraw(0));
  EXPECT_EQ(d.RedrawLock, 2);
  EXPECT_FALSE(redraw(1));
  EXPECT_FALSE(redraw(1));
  EXPECT_EQ(d.RedrawLock, 0);
  EXPECT_FALSE(redraw(1));
  EXPECT_EQ(d.RedrawLock, 0);

  // A hidden control ends the message when drawing comes back; kind 10 does not.
  box->Hide();
  redraw(0);
  EXPECT_TRUE(redraw(1));
  d.CtrlKind = 10;
  redraw(0);
  EXPECT_FALSE(redraw(1));
  EXPECT_EQ(d.RedrawLock, 0);
}

TEST_F(StateMessagesTest, PositionChangingMarksWhichSideChanges) {
  auto* box = MakeBox();
  box->SetBounds(0, 0, 40, 20);
  struct Case {
    const char* name;
    int cx, cy;
    UINT flags;
    uint32_t bits;
  } cases[] = {
      {"same size", 40, 20, 0, 0},
      {"wider", 50, 20, 0, acsWidthChanged},
      {"taller", 40, 30, 0, acsHeightChanged},
      {"both", 10, 10, 0, acsWidthChanged | acsHeightChanged},
      {"a move only", 0, 0, SWP_NOSIZE, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    box->Data->StateBits = 0;
    WINDOWPOS pos{box->Handle(), nullptr, 5, 5, c.cx, c.cy, c.flags};
    TMessage m{WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&pos), 0};
    EXPECT_FALSE(HandleCtrlSkinMessage(m, box->Data.get()));
    EXPECT_EQ(box->Data->StateBits, c.bits);
  }
}

TEST_F(StateMessagesTest, UiStateChangesAreSwallowedOnlyWhenSkinned) {
  auto* unskinned = MakeBox();
  TMessage m{WM_UPDATEUISTATE, 0, 0, 0};
  EXPECT_FALSE(HandleCtrlSkinMessage(m, unskinned->Data.get()));
  LoadSkin();
  auto* skinned = MakeBox();
  ASSERT_TRUE(skinned->Data->IsSkinned());
  EXPECT_TRUE(HandleCtrlSkinMessage(m, skinned->Data.get()));
}

TEST_F(StateMessagesTest, EnabledChangeClearsHoverAndFocus) {
  LoadSkin();
  auto* box = MakeBox();
  TsCtrlSkinData& d = *box->Data;
  for (UINT msg : {UINT(CM_ENABLEDCHANGED), UINT(0x001D)}) {
    SCOPED_TRACE(msg);
    d.MouseAbove = true;
    d.Focused = true;
    d.BGChanged = false;
    TMessage m{msg, 0, 0, 0};
    EXPECT_FALSE(HandleCtrlSkinMessage(m, &d));
    EXPECT_FALSE(d.MouseAbove);
    EXPECT_FALSE(d.Focused);
    EXPECT_TRUE(d.BGChanged);
  }
  // Through the control, as the framework tells it.
  d.MouseAbove = true;
  d.Focused = true;
  box->SetEnabled(false);
  EXPECT_FALSE(d.MouseAbove);
  EXPECT_FALSE(d.Focused);
}

TEST_F(StateMessagesTest, MouseEnterNeverMakesANoHotKindHot) {
  LoadSkin();
  for (uint8_t kind : {uint8_t(19), uint8_t(3)}) {
    SCOPED_TRACE(int(kind));
    auto* box = MakeBox(nullptr, kind, L"BUTTON");
    ASSERT_TRUE(box->Data->IsSkinned());
    TMessage m{CM_MOUSEENTER, 0, 0, 0};
    EXPECT_FALSE(HandleCtrlSkinMessage(m, box->Data.get()));
    EXPECT_EQ(box->Data->MouseAbove, kind != 19);
    delete box;
  }
}

}  // namespace
