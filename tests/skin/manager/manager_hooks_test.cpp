// The default manager's hooks, the application window's messages it answers,
// the hot window and speed button, the skin version checks and the mirrored
// title buttons.
#include "framework/Application.h"
#include "framework/Control.h"
#include "framework/Form.h"
#include "skin/core/SkinCommand.h"
#include "skin/manager/FormSkinningServices.h"
#include "skin/manager/HotWindow.h"
#include "skin/manager/RTLButtons.h"
#include "skin/manager/SkinManager.h"
#include "skin/manager/SkinVersionCheck.h"
#include "tests/support/scratch_folder.h"
#include "tests/support/wait_until.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

namespace {

const std::string kTinySkin = "[GLOBALINFO]\r\nVERSION=12.50\r\n[BUTTON]\r\nCOLOR=$00112233\r\n";

// A manager with a folder skin "Tiny" at hand.
class ManagerFixture : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { InitApplication(); }
  std::unique_ptr<TsSkinManager> MakeManager() {
    auto m = std::make_unique<TsSkinManager>(nullptr);
    m->OnShowError = [](const String& text) { ADD_FAILURE() << "error shown"; };
    m->SetSkinDirectory(skins.Path());
    return m;
  }
  void WriteSkin(const String& name, const std::string& options) {
    CreateDirectoryW((skins.Path() + name).c_str(), nullptr);
    ScratchFolder::WriteBytes(skins.Path() + name + L"\\Options.dat", options);
  }
  void SetUp() override { WriteSkin(L"Tiny", kTinySkin); }
  ScratchFolder skins;
};

using ManagerHooks = ManagerFixture;

TEST_F(ManagerHooks, OnlyTheDefaultInstallsTheHookOnceAndItGoesWithTheManager) {
  auto first = MakeManager();
  ASSERT_TRUE(first->IsDefault());
  EXPECT_EQ(first->CbtHook(), nullptr);  // nothing before a skin is applied
  first->SetSkinName(L"Tiny");
  const HHOOK hook = first->CbtHook();
  ASSERT_NE(hook, nullptr);
  first->SetSkinName(L"Tiny");
  EXPECT_EQ(first->CbtHook(), hook);

  // Windows are still made while the hook passes every event on.
  HWND probe = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  EXPECT_NE(probe, nullptr);
  DestroyWindow(probe);

  auto second = MakeManager();
  second->SetSkinName(L"Tiny");
  EXPECT_FALSE(second->IsDefault());
  EXPECT_EQ(second->CbtHook(), nullptr);
  TMessage theme{WM_THEMECHANGED, 0, 0, 0};
  EXPECT_FALSE(second->MainWindowHook(theme));
  EXPECT_TRUE(first->MainWindowHook(theme));

  first.reset();
  EXPECT_EQ(TsSkinManager::DefaultManager(), nullptr);
  EXPECT_FALSE(UnhookWindowsHookEx(hook));  // already gone
  EXPECT_EQ(second->CbtHook(), nullptr);
}

TEST_F(ManagerHooks, RemovingTheSkinRemovesTheHook) {
  auto m = MakeManager();
  m->SetSkinName(L"Tiny");
  ASSERT_NE(m->CbtHook(), nullptr);
  m->SetActive(false);
  EXPECT_EQ(m->CbtHook(), nullptr);
}

TEST_F(ManagerHooks, LastSystemCommandIsRecordedWhileASkinIsLoaded) {
  auto m = MakeManager();
  struct Case {
    WPARAM command;
    int recorded;
  };
  const Case cases[] = {{SC_MINIMIZE, 2},
                        {SC_RESTORE, 1},
                        {SC_MAXIMIZE, 0},
                        {SC_MINIMIZE | 2, 2},  // the system's own low bits
                        {SC_CLOSE, 0}};
  TMessage minimize{WM_SYSCOMMAND, SC_MINIMIZE, 0, 0};
  EXPECT_FALSE(m->MainWindowHook(minimize));
  EXPECT_EQ(m->LastSysCommand(), 0) << "no skin loaded: nothing recorded";

  m->SetSkinName(L"Tiny");
  ASSERT_TRUE(m->IsSkinLoaded());
  for (const Case& c : cases) {
    TMessage msg{WM_SYSCOMMAND, c.command, 0, 0};
    EXPECT_FALSE(m->MainWindowHook(msg)) << c.command;  // the form still acts on it
    EXPECT_EQ(m->LastSysCommand(), c.recorded) << c.command;
  }

  // The main form owns the taskbar button: its commands reach the manager.
  TForm* mainForm = Application->MainForm() ? Application->MainForm() : Application->CreateForm<TForm>();
  mainForm->HandleNeeded();
  TMessage again{WM_SYSCOMMAND, SC_MINIMIZE, 0, 0};
  m->MainWindowHook(again);
  SendMessageW(mainForm->Handle(), WM_SYSCOMMAND, 0x0110, 0);  // a command the system ignores
  EXPECT_EQ(m->LastSysCommand(), 0);
}

// A form that notes the skin commands it gets.
struct TNotingForm : TForm {
  explicit TNotingForm(TComponent* owner) : TForm(owner, CreateNew) {}
  std::vector<uint16_t> commands;
  void WndProc(TMessage& m) override {
    if (m.Msg == WM_SKINCOMMAND) commands.push_back(SkinCommandCode(m.WParam));
    TForm::WndProc(m);
  }
};

TEST_F(ManagerHooks, RedrawMessageReachesEveryFormWithAWindow) {
  auto m = MakeManager();
  auto* withWindow = new TNotingForm(Application);
  auto* without = new TNotingForm(Application);
  withWindow->HandleNeeded();
  SendMessageW(Application->Handle(), 0xB000, 0, 0);
  EXPECT_EQ(withWindow->commands, std::vector<uint16_t>{AC_REDRAW});
  EXPECT_TRUE(without->commands.empty());
  EXPECT_FALSE(without->HandleAllocated());
  delete withWindow;
  delete without;
}

std::string ReceivedRecord(const std::string& name, const std::string& text) {
  std::string r(ReceivedSkinRecordSize, '\0');
  const uint32_t tag = ReceivedSkinTag;
  std::memcpy(r.data(), &tag, 4);
  r.replace(4, name.size(), name);
  r.replace(260, 10, "c:\\nowhere");
  r.replace(772, text.size(), text);
  return r;
}

TEST_F(ManagerHooks, AReceivedSkinIsAppliedFromTheMessageLoop) {
  auto m = MakeManager();
  std::string bytes = ReceivedRecord("Sent", "[GLOBALINFO]\r\nAUTHOR=sender\r\n[EDIT]\r\nCOLOR=5\r\n");
  std::string cut = bytes.substr(0, bytes.size() - 1);
  COPYDATASTRUCT shorter{ReceivedSkinCopyDataKind, DWORD(cut.size()), cut.data()};
  EXPECT_FALSE(AcceptReceivedSkin(shorter));

  COPYDATASTRUCT good{ReceivedSkinCopyDataKind, DWORD(bytes.size()), bytes.data()};
  ASSERT_TRUE(AcceptReceivedSkin(good));
  EXPECT_FALSE(m->IsSkinLoaded()) << "applied later, not inside the sender's call";
  ASSERT_TRUE(WaitUntil([&] { return m->IsSkinLoaded(); }));
  EXPECT_EQ(m->SkinName(), L"Sent");
  EXPECT_EQ(m->Globals().Author, L"sender");
  EXPECT_EQ(m->SkinOrigin(), TacSkinOrigin::Received);

  // A second command without a new record changes nothing.
  int changes = 0;
  m->OnAfterChange = [&](TObject*) { ++changes; };
  SendMessageW(Application->Handle(), WM_SKINCOMMAND, SkinCommandWParam(AC_APPLYRECEIVEDSKIN), 0);
  EXPECT_EQ(changes, 0);
}

// Hot-window tracking ------------------------------------------------------

struct TSeen {
  HWND wnd;
  uint16_t command;
  bool operator==(const TSeen&) const = default;
};
std::vector<TSeen> gSeen;
LPARAM gLastLParam = 0;

LRESULT CALLBACK NotingProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_SKINCOMMAND) {
    gSeen.push_back({wnd, SkinCommandCode(wParam)});
    gLastLParam = lParam;
    return 0;
  }
  return DefWindowProcW(wnd, msg, wParam, lParam);
}

class HotWindow : public ManagerFixture {
 protected:
  void SetUp() override {
    ManagerFixture::SetUp();
    WNDCLASSW wc{};
    wc.lpfnWndProc = NotingProc;
    wc.lpszClassName = L"HotWindowProbe";
    RegisterClassW(&wc);
    // Parent 100..300, its child 150..200 on the screen; another window apart.
    parent = Make(0, WS_POPUP | WS_VISIBLE, 100, 100, 200, 200, nullptr);
    child = Make(0, WS_CHILD | WS_VISIBLE, 50, 50, 50, 50, parent);
    other = Make(0, WS_POPUP | WS_VISIBLE, 400, 100, 100, 100, nullptr);
    manager = MakeManager();
    manager->CursorPoint = [this] { return cursor; };
    gSeen.clear();
  }
  void TearDown() override {
    manager.reset();
    DestroyWindow(other);
    DestroyWindow(parent);
  }
  static HWND Make(DWORD ex, DWORD style, int x, int y, int w, int h, HWND owner) {
    return CreateWindowExW(ex, L"HotWindowProbe", L"", style, x, y, w, h, owner, nullptr, nullptr, nullptr);
  }
  // Makes Wnd hot with the cursor over it and forgets what was sent.
  void StartHot(HWND wnd) {
    cursor = kFarAway;
    manager->SetHotWindow(nullptr);
    if (wnd) {
      RECT r;
      GetWindowRect(wnd, &r);
      cursor = POINT{r.left + 1, r.top + 1};
      manager->SetHotWindow(wnd);
    }
    gSeen.clear();
  }
  static constexpr POINT kFarAway{2000, 2000};
  HWND parent = nullptr, child = nullptr, other = nullptr;
  POINT cursor = kFarAway;
  std::unique_ptr<TsSkinManager> manager;
};

TEST_F(HotWindow, EnterAndLeaveFollowTheTable) {
  enum Step { SetParent, SetChild, SetOther, SetNone, Tick };
  struct Case {
    const char* name;
    int hot;  // 0 none, 1 parent, 2 child, 3 other
    POINT cursor;
    Step step;
    std::vector<std::pair<int, uint16_t>> seen;
    int hotAfter;
  };
  const POINT overChild{160, 160}, overParentOnly{110, 110}, overOther{410, 110}, away{2000, 2000};
  const std::vector<Case> cases = {
      {"first enter", 0, overChild, SetChild, {{2, AC_MOUSEENTER}}, 2},
      {"same window again", 2, overChild, SetChild, {}, 2},
      {"ancestor while still over the hot one", 2, overChild, SetParent, {}, 2},
      {"ancestor after leaving the hot one", 2, overParentOnly, SetParent, {{2, AC_MOUSELEAVE}, {1, AC_MOUSEENTER}}, 1},
      {"child of the hot window", 1, overChild, SetChild, {{1, AC_MOUSELEAVE}, {2, AC_MOUSEENTER}}, 2},
      {"unrelated window while over the hot one", 2, overChild, SetOther, {{2, AC_MOUSELEAVE}, {3, AC_MOUSEENTER}}, 3},
      {"cleared", 3, overOther, SetNone, {{3, AC_MOUSELEAVE}}, 0},
      {"tick over the hot window", 2, overChild, Tick, {}, 2},
      {"tick after the cursor left", 2, overParentOnly, Tick, {{2, AC_MOUSELEAVE}}, 0},
      {"tick far away", 3, away, Tick, {{3, AC_MOUSELEAVE}}, 0},
      {"tick with nothing hot", 0, away, Tick, {}, 0},
  };
  const HWND windows[] = {nullptr, parent, child, other};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    StartHot(windows[c.hot]);
    cursor = c.cursor;
    switch (c.step) {
      case SetParent:
        manager->SetHotWindow(parent);
        break;
      case SetChild:
        manager->SetHotWindow(child);
        break;
      case SetOther:
        manager->SetHotWindow(other);
        break;
      case SetNone:
        manager->SetHotWindow(nullptr);
        break;
      case Tick:
        manager->MouseLeaveTick();
        break;
    }
    std::vector<TSeen> expected;
    for (auto [w, code] : c.seen) expected.push_back({windows[w], code});
    EXPECT_EQ(gSeen, expected);
    EXPECT_EQ(manager->HotWindow(), windows[c.hotAfter]);
    if (!gSeen.empty()) EXPECT_EQ(gLastLParam, reinterpret_cast<LPARAM>(manager.get()));
  }
}

TEST_F(HotWindow, AHotWindowThatIsGoneIsLeftWithoutAMessage) {
  HWND gone = Make(0, WS_POPUP | WS_VISIBLE, 600, 100, 50, 50, nullptr);
  StartHot(gone);
  DestroyWindow(gone);
  manager->MouseLeaveTick();
  EXPECT_EQ(manager->HotWindow(), nullptr);
  EXPECT_TRUE(gSeen.empty());
}

// A speed button whose skin state answers AC_GETCOMMONDATA.
struct TFakeState {
  bool above = false;
};
struct TProbeButton : TGraphicControl {
  explicit TProbeButton(TComponent* owner, TFakeState* state = nullptr) : TGraphicControl(owner), state(state) {}
  TFakeState* state;
  int leaves = 0;
  void WndProc(TMessage& m) override {
    if (m.Msg == WM_SKINCOMMAND && SkinCommandCode(m.WParam) == AC_GETCOMMONDATA) {
      m.Result = reinterpret_cast<LRESULT>(state);
      return;
    }
    if (m.Msg == WM_SKINCOMMAND && SkinCommandCode(m.WParam) == AC_MOUSELEAVE) ++leaves;
    TGraphicControl::WndProc(m);
  }
};

class HotSpeedButton : public HotWindow {
 protected:
  void SetUp() override {
    HotWindow::SetUp();
    CommonDataMouseAbove = [](const TsCommonData* d) { return reinterpret_cast<const TFakeState*>(d)->above; };
  }
  void TearDown() override {
    CommonDataMouseAbove = nullptr;
    HotWindow::TearDown();
  }
};

TEST_F(HotSpeedButton, ClearingIsRefusedWhileTheButtonSaysTheMouseIsAbove) {
  TFakeState state1, state2;
  TProbeButton first(nullptr, &state1), second(nullptr, &state2), mute(nullptr);

  EXPECT_TRUE(manager->SetHotSpeedButton(&first));
  EXPECT_TRUE(manager->SetHotSpeedButton(&second));
  EXPECT_EQ(first.leaves, 1);
  EXPECT_EQ(manager->HotSpeedButton(), &second);

  state2.above = true;
  EXPECT_FALSE(manager->SetHotSpeedButton(nullptr));
  EXPECT_EQ(manager->HotSpeedButton(), &second);
  EXPECT_EQ(second.leaves, 0);

  // The hot window cannot move on while the button keeps the mouse: it is
  // told the mouse left, and stays hot.
  StartHot(child);
  cursor = POINT{410, 110};
  manager->SetHotWindow(other);
  EXPECT_EQ(gSeen, (std::vector<TSeen>{{child, AC_MOUSELEAVE}}));
  EXPECT_EQ(manager->HotWindow(), child);

  state2.above = false;
  EXPECT_TRUE(manager->SetHotSpeedButton(nullptr));
  EXPECT_EQ(second.leaves, 1);

  // A button whose state does not answer reads "not above".
  manager->SetHotSpeedButton(&mute);
  EXPECT_TRUE(manager->SetHotSpeedButton(nullptr));
  EXPECT_EQ(mute.leaves, 1);
}

TEST_F(HotSpeedButton, AFreedButtonIsForgottenAndATickTellsALeftOne) {
  TFakeState state;
  {
    TProbeButton gone(nullptr, &state);
    manager->SetHotSpeedButton(&gone);
  }
  EXPECT_EQ(manager->HotSpeedButton(), nullptr);

  TProbeButton button(nullptr, &state);  // no parent: not showing, so never under the mouse
  manager->SetHotSpeedButton(&button);
  manager->MouseLeaveTick();
  EXPECT_EQ(button.leaves, 1);
}

// Version checks -----------------------------------------------------------

using SkinVersion = ManagerFixture;

TEST_F(SkinVersion, MessagesReadAsTheyShould) {
  EXPECT_EQ(NewSkinVersionMessage(17.5),
            L"This version of the skin (v17.50) has not complete support by used VuzurErirored package release "
            L"(v16.16).\r\nComponents must be updated to latest version for using this skin.");
  EXPECT_EQ(OldSkinVersionMessage(L"Old", 9.1),
            L"You are using an old version of the \"Old\" skin (v9.10). Please, update skins to latest or contact "
            L"the VuzurErirored support for upgrading of existing skin.\r\n\r\nThis notification occurs in "
            L"design-time only for your information and will not be shown in real-time.");
  EXPECT_EQ(EngineVersionText(), L"VuzurErirored v16.16");
}

TEST_F(SkinVersion, OnlyASkinNewerThanTheEngineWarnsAndNotInPreview) {
  auto m = MakeManager();
  struct Case {
    double version;
    bool preview;
    bool warns;
  };
  const Case cases[] = {{16.16, false, false}, {16.99, false, false}, {17.0, false, true},
                        {17.0, true, false},   {9.0, false, false},   {0.0, false, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.version);
    std::vector<String> shown;
    TacSkinningRules during = 0;
    m->OnShowWarning = [&](const String& text) {
      shown.push_back(text);
      during = m->SkinningRules();
    };
    PreviewMode = c.preview;
    m->CheckSkinVersion(c.version);
    PreviewMode = false;
    ASSERT_EQ(shown.size(), c.warns ? 1u : 0u);
    if (c.warns) {
      EXPECT_EQ(shown[0], NewSkinVersionMessage(c.version));
      EXPECT_EQ(during & srStdDialogs, 0u) << "the warning is not skinned as a dialog";
    }
    EXPECT_EQ(m->SkinningRules(), srStdForms | srStdDialogs | srThirdParty);
  }
  // Standard dialogs switched off before stay off.
  m->SetSkinningRules(srStdForms);
  m->CheckSkinVersion(18.0);
  EXPECT_EQ(m->SkinningRules(), TacSkinningRules(srStdForms));
}

TEST_F(SkinVersion, LoadingANewerSkinWarnsOnce) {
  WriteSkin(L"Newer", "[GLOBALINFO]\r\nVERSION=17.25\r\n[BUTTON]\r\nCOLOR=1\r\n");
  auto m = MakeManager();
  std::vector<String> shown;
  m->OnShowWarning = [&](const String& text) { shown.push_back(text); };
  m->SetSkinName(L"Newer");
  EXPECT_EQ(shown, std::vector<String>{NewSkinVersionMessage(17.25)});
}

TEST(SkinCommandLine, VersionIsShownOnceForTheFirstAcverAndPreviewReadsTheFirstArgument) {
  struct Case {
    std::vector<String> args;
    int shows;
    bool preview;
  };
  const Case cases[] = {{{}, 0, false},
                        {{L"/ACVER"}, 1, false},
                        {{L"hide", L"/AcVer", L"/acver"}, 1, false},
                        {{L"/acver2"}, 0, false},
                        {{L"/acpreview"}, 0, true},
                        {{L"/ACPREVIEW"}, 0, false},
                        {{L"hide", L"/acpreview"}, 0, false}};
  static std::vector<String> shown;
  for (const Case& c : cases) {
    shown.clear();
    CheckSkinCommandLine(c.args, [](const String& text) { shown.push_back(text); });
    EXPECT_EQ(int(shown.size()), c.shows);
    if (c.shows) EXPECT_EQ(shown[0], L"VuzurErirored v16.16");
    EXPECT_EQ(PreviewMode, c.preview);
  }
  PreviewMode = false;
}

// Mirrored title buttons ---------------------------------------------------

// A strip of two 3 x 2 frames whose pixels are numbered 0..11, row by row.
std::unique_ptr<TBitmap> NumberedStrip() {
  auto b = std::make_unique<TBitmap>();
  b->SetPixelFormat(pf32bit);
  b->SetSize(6, 2);
  for (int y = 0; y < 2; ++y) {
    auto* row = static_cast<uint32_t*>(b->ScanLine(y));
    for (int x = 0; x < 6; ++x) row[x] = uint32_t(y * 6 + x);
  }
  return b;
}

std::vector<uint32_t> Pixels(TBitmap& b) {
  std::vector<uint32_t> out;
  for (int y = 0; y < b.Height(); ++y) {
    auto* row = static_cast<uint32_t*>(b.ScanLine(y));
    out.insert(out.end(), row, row + b.Width());
  }
  return out;
}

const std::vector<uint32_t> kMirroredStrip = {2, 1, 0, 5, 4, 3, 8, 7, 6, 11, 10, 9};

TEST(RTLButtons, EachFrameTurnsWithinItsOwnWidth) {
  auto strip = NumberedStrip();
  MirrorFrames(*strip, RECT{0, 0, 6, 2}, 2);
  EXPECT_EQ(Pixels(*strip), kMirroredStrip);
  MirrorFrames(*strip, RECT{0, 0, 6, 2}, 2);
  EXPECT_EQ(Pixels(*strip), Pixels(*NumberedStrip()));
}

TEST(RTLButtons, APictureSharedByItemsAndDensitiesIsMirroredOnce) {
  auto master = NumberedStrip();
  auto own = NumberedStrip();
  auto help = NumberedStrip();
  TacSkinData at96(96), at144(144);
  for (TacSkinData* d : {&at96, &at144}) {
    TsMaskData inMaster;
    inMaster.SrcRect = RECT{0, 0, 6, 2};
    inMaster.ImageCount = 2;
    TsMaskData withBitmap = inMaster, helpItem = inMaster;
    withBitmap.Bmp = own.get();
    helpItem.Bmp = help.get();
    d->MaskArray = {inMaster, withBitmap, helpItem};
    d->TitleIcons[1] = 0;  // BICONCLOSE in the master bitmap
    d->TitleIcons[6] = 0;  // SICONCLOSE fell back to it
    d->TitleIcons[2] = 1;  // BICONMAX with a picture both densities share
    d->TitleIcons[5] = 2;  // BICONHELP does not turn
  }
  MirrorTitleButtons({&at96, &at144}, master.get());
  EXPECT_EQ(Pixels(*master), kMirroredStrip);
  EXPECT_EQ(Pixels(*own), kMirroredStrip);
  EXPECT_EQ(Pixels(*help), Pixels(*NumberedStrip()));
}

// The pixels of a rectangle, each frame's rows turned when asked.
std::vector<uint32_t> ItemPixels(TBitmap& b, const TsMaskData& item, bool turned) {
  const RECT& r = item.SrcRect;
  const int frameWidth = (r.right - r.left) / std::max<int>(1, item.ImageCount);
  std::vector<uint32_t> out;
  for (int y = r.top; y < r.bottom; ++y) {
    auto* row = static_cast<uint32_t*>(b.ScanLine(y));
    for (int f = 0; f < std::max<int>(1, item.ImageCount); ++f) {
      std::vector<uint32_t> frame(row + r.left + f * frameWidth, row + r.left + (f + 1) * frameWidth);
      if (turned) std::reverse(frame.begin(), frame.end());
      out.insert(out.end(), frame.begin(), frame.end());
    }
  }
  return out;
}

TEST(RTLButtons, TheManagerMirrorsOnceAndBack) {
  InitApplication();
  TsSkinManager m(nullptr);
  m.OnShowError = [](const String&) { ADD_FAILURE(); };
  auto* night = m.InternalSkins().Add();
  night->Name = L"Night (internal)";
  night->Data = ResourceBytes(L"NIGHT_SKIN");
  m.SetSkinName(L"Night (internal)");
  ASSERT_TRUE(m.IsSkinLoaded());
  TacSkinData* data = m.SkinData();
  const int norm = data->TitleIcons[4];  // BICONNORM: two squares, not symmetric
  ASSERT_GE(norm, 0);
  const TsMaskData& item = data->MaskArray[norm];
  TBitmap* bitmap = item.Bmp ? item.Bmp : m.Globals().MasterBitmap.get();
  ASSERT_TRUE(bitmap);
  const auto before = ItemPixels(*bitmap, item, false);
  const auto expected = ItemPixels(*bitmap, item, true);
  ASSERT_NE(expected, before) << "the picture must not be symmetric to show anything";

  m.UpdateRTLButtons(true);
  EXPECT_TRUE(m.RTLMirrored());
  EXPECT_EQ(ItemPixels(*bitmap, item, false), expected);
  m.UpdateRTLButtons(true);
  EXPECT_EQ(ItemPixels(*bitmap, item, false), expected);
  m.UpdateRTLButtons(false);
  EXPECT_FALSE(m.RTLMirrored());
  EXPECT_EQ(ItemPixels(*bitmap, item, false), before);

  // A new skin is read afresh, unmirrored.
  m.UpdateRTLButtons(true);
  m.SetSkinName(L"Night (internal)");
  EXPECT_FALSE(m.RTLMirrored());
}

}  // namespace
