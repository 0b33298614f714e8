// Forms, the application object, timers and the component model.
#include "framework/Application.h"
#include "framework/Form.h"
#include "framework/Timer.h"
#include "framework/UnitTable.h"
#include "tests/support/wait_until.h"

#include <gtest/gtest.h>

namespace {

class Forms : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { InitApplication(); }
};

TEST_F(Forms, CloseHidesASecondFormAndHonoursTheAction) {
  auto* form = new TForm(Application);
  form->FinishCreate();
  std::vector<TCloseAction> offered;
  form->OnClose = [&](TObject*, TCloseAction& a) { offered.push_back(a); };
  form->Show();
  ASSERT_TRUE(form->Showing());
  PostMessageW(form->Handle(), WM_CLOSE, 0, 0);  // the system menu's close
  Application->ProcessMessages();
  EXPECT_FALSE(form->Showing());
  ASSERT_EQ(offered.size(), 1u);
  EXPECT_EQ(offered[0], TCloseAction::caHide);

  form->Show();
  form->OnClose = [](TObject*, TCloseAction& a) { a = TCloseAction::caNone; };
  form->Close();
  EXPECT_TRUE(form->Showing());
  delete form;
}

TEST_F(Forms, ShowRunsOnShowOnlyWhenTheFormBecomesVisible) {
  auto* form = new TForm(Application);
  form->FinishCreate();
  int shows = 0;
  form->OnShow = [&](TObject*) { ++shows; };
  form->Show();
  form->Show();
  EXPECT_EQ(shows, 1);
  form->Hide();
  form->Show();
  EXPECT_EQ(shows, 2);
  delete form;
}

TEST_F(Forms, CreationLoadsComponentsBeforeOnCreate) {
  struct TProbe : TComponent {
    using TComponent::TComponent;
    bool loadedCalled = false;
    void Loaded() override { loadedCalled = true; }
  };
  struct TBuiltForm : TForm {
    explicit TBuiltForm(TComponent* owner) : TForm(owner) {
      probe = new TProbe(this);
      loadingWhileBuilt = probe->Loading();
      OnCreate = [this](TObject*) { loadedAtCreate = probe->loadedCalled && !probe->Loading(); };
    }
    TProbe* probe;
    bool loadingWhileBuilt = false, loadedAtCreate = false;
  };
  auto* form = Application->CreateForm<TBuiltForm>();
  EXPECT_TRUE(form->loadingWhileBuilt);
  EXPECT_TRUE(form->loadedAtCreate);
  EXPECT_FALSE(form->Loading());
  delete form;
}

TEST_F(Forms, OwnerFreesWhatItOwnsAndTellsWhoAsked) {
  struct TWatcher : TComponent {
    using TComponent::TComponent;
    TComponent* removed = nullptr;
    void Notification(TComponent* c, TOperation op) override {
      if (op == TOperation::opRemove) removed = c;
    }
  };
  struct TCounted : TComponent {
    TCounted(TComponent* o, int& n) : TComponent(o), count(n) { ++count; }
    ~TCounted() override { --count; }
    int& count;
  };
  int alive = 0;
  auto* owner = new TComponent(nullptr);
  auto* watched = new TCounted(owner, alive);
  new TCounted(owner, alive);
  TWatcher watcher(nullptr);
  watcher.FreeNotification(watched);
  EXPECT_EQ(alive, 2);
  delete owner;
  EXPECT_EQ(alive, 0);
  EXPECT_EQ(watcher.removed, watched);
}

TEST_F(Forms, TimerFiresFromTheMessageLoopUntilDisabled) {
  TTimer timer(nullptr);
  int ticks = 0;
  timer.SetInterval(20);
  timer.OnTimer = [&](TObject*) {
    if (++ticks == 3) timer.SetEnabled(false);
  };
  timer.SetEnabled(false);
  timer.SetEnabled(true);
  EXPECT_TRUE(WaitUntil([&] { return ticks >= 3; }));
  PumpFor(150);
  EXPECT_EQ(ticks, 3);
}

TEST_F(Forms, ApplicationWindowCarriesTheTitle) {
  Application->SetTitle(L"Probe-Title");
  wchar_t title[64];
  GetWindowTextW(Application->Handle(), title, 64);
  EXPECT_STREQ(title, L"Probe-Title");
  EXPECT_EQ(FindWindowExW(nullptr, nullptr, nullptr, L"Probe-Title"), Application->Handle());
}

std::vector<std::wstring> g_trace;
void InitA() { g_trace.push_back(L"+A"); }
void FiniA() { g_trace.push_back(L"-A"); }
void InitB() { g_trace.push_back(L"+B"); }
void FiniB() { g_trace.push_back(L"-B"); }

TEST(UnitTable, InitialisesInOrderAndFinalisesBackwardsOnce) {
  g_trace.clear();
  TUnitEntry entries[] = {{L"A", InitA, FiniA}, {L"B", InitB, FiniB}};
  TUnitTable first(entries, 2), nested(entries, 2);
  first.Initialize();
  nested.Initialize();
  nested.Finalize();
  first.Finalize();
  EXPECT_EQ(g_trace, (std::vector<std::wstring>{L"+A", L"+B", L"-B", L"-A"}));
}

}  // namespace
