// What the skin engine needs of the component model: owned components freed
// while their form is whole, forms and timers made at run time, class names,
// collections and the screen's list of forms.
#include "framework/Application.h"
#include "framework/Button.h"
#include "framework/Collection.h"
#include "framework/Form.h"
#include "framework/Screen.h"
#include "framework/Timer.h"
#include "framework/UnitTable.h"

#include <gtest/gtest.h>

namespace {

class SkinGroundwork : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { InitApplication(); }
};

// Looks at its owner from its destructor, as a component that hooked the
// form and must unhook would.
class OwnerWatcher : public TComponent {
 public:
  struct Seen {
    bool ownerSet = false, isForm = false, hasWindow = false, destroyRan = false;
  };
  OwnerWatcher(TComponent* owner, Seen& seen, const bool& destroyRan)
      : TComponent(owner), FSeen(seen), FDestroyRan(destroyRan) {}
  ~OwnerWatcher() override {
    auto* form = dynamic_cast<TForm*>(Owner());
    FSeen.ownerSet = Owner() != nullptr;
    FSeen.isForm = form != nullptr;
    FSeen.hasWindow = form && form->HandleAllocated() && IsWindow(form->Handle());
    FSeen.destroyRan = FDestroyRan;
  }

 private:
  Seen& FSeen;
  const bool& FDestroyRan;
};

TEST_F(SkinGroundwork, OwnedComponentIsFreedAfterOnDestroyWhileTheFormIsWhole) {
  OwnerWatcher::Seen seen;
  bool destroyRan = false;
  auto* form = new TForm(Application);
  new OwnerWatcher(form, seen, destroyRan);
  form->OnDestroy = [&](TObject*) { destroyRan = true; };
  form->FinishCreate();
  form->HandleNeeded();
  delete form;
  EXPECT_TRUE(seen.ownerSet);
  EXPECT_TRUE(seen.isForm);
  EXPECT_TRUE(seen.hasWindow);
  EXPECT_TRUE(seen.destroyRan);
}

TEST_F(SkinGroundwork, FormMadeAtRunTimeIsWholeWithoutFinishing) {
  bool created = false;
  auto* form = new TForm(Application, CreateNew);
  form->OnCreate = [&](TObject*) { created = true; };
  EXPECT_FALSE(form->Loading());
  auto* button = new TButton(form);
  EXPECT_FALSE(button->Loading());
  form->Show();
  EXPECT_TRUE(form->Showing());
  EXPECT_FALSE(created);  // nothing was streamed, so there is no OnCreate
  delete form;
}

TEST_F(SkinGroundwork, TimerMadeAtRunTimeWithDefaultsStarts) {
  TTimer timer(nullptr);
  ASSERT_TRUE(timer.Enabled());
  ASSERT_EQ(timer.Interval(), 1000u);
  timer.SetInterval(30);  // shorter only to keep the test quick
  int ticks = 0;
  timer.OnTimer = [&](TObject*) { ++ticks; };
  const ULONGLONG end = GetTickCount64() + 10000;
  while (GetTickCount64() < end && ticks == 0) {
    Application->ProcessMessages();
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
  }
  EXPECT_GT(ticks, 0);
}

TEST_F(SkinGroundwork, TimerOfAFormBeingBuiltWaitsForTheForm) {
  auto* form = new TForm(Application);
  auto* timer = new TTimer(form);
  timer->SetInterval(30);
  int ticks = 0;
  timer->OnTimer = [&](TObject*) { ++ticks; };
  const ULONGLONG quiet = GetTickCount64() + 150;
  while (GetTickCount64() < quiet) Application->ProcessMessages();
  EXPECT_EQ(ticks, 0);
  form->FinishCreate();
  const ULONGLONG end = GetTickCount64() + 10000;
  while (GetTickCount64() < end && ticks == 0) {
    Application->ProcessMessages();
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
  }
  EXPECT_GT(ticks, 0);
  delete form;
}

class TMyPanelForm : public TForm {
 public:
  using TForm::TForm;
};

namespace inner {
class TInnerThing : public TComponent {
 public:
  using TComponent::TComponent;
};
}  // namespace inner

TEST_F(SkinGroundwork, ClassNameIsTheClassAsMade) {
  TButton button(nullptr);
  TTimer timer(nullptr);
  TMyPanelForm form(nullptr, CreateNew);
  inner::TInnerThing thing(nullptr);
  const TObject* asBase = &button;
  EXPECT_EQ(asBase->ClassName(), L"TButton");
  EXPECT_EQ(timer.ClassName(), L"TTimer");
  EXPECT_EQ(form.ClassName(), L"TMyPanelForm");
  EXPECT_EQ(thing.ClassName(), L"TInnerThing");
}

class TNamedItem : public TCollectionItem {
 public:
  using TCollectionItem::TCollectionItem;
  void Touch() { Changed(); }
};

class TWatchedCollection : public TCollection {
 public:
  TWatchedCollection() : TCollection([](TCollection* c) { return new TNamedItem(c); }) {}
  std::vector<TCollectionItem*> updates;

 protected:
  void Update(TCollectionItem* item) override { updates.push_back(item); }
};

TEST_F(SkinGroundwork, CollectionOwnsItsItemsAndReportsChanges) {
  TWatchedCollection list;
  auto* a = static_cast<TNamedItem*>(list.Add());
  auto* b = static_cast<TNamedItem*>(list.Add());
  EXPECT_EQ(list.Count(), 2);
  EXPECT_EQ(a->Index(), 0);
  EXPECT_EQ(b->Index(), 1);
  EXPECT_EQ(b->Collection(), &list);

  list.updates.clear();
  b->Touch();
  ASSERT_EQ(list.updates.size(), 1u);
  EXPECT_EQ(list.updates[0], b);

  list.updates.clear();
  list.BeginUpdate();
  a->Touch();
  list.Delete(0);
  EXPECT_TRUE(list.updates.empty());
  list.EndUpdate();
  EXPECT_EQ(list.updates.size(), 1u);
  EXPECT_EQ(list.Count(), 1);
  EXPECT_EQ(b->Index(), 0);

  delete b;  // an item freed on its own leaves the list
  EXPECT_EQ(list.Count(), 0);
}

TEST_F(SkinGroundwork, ScreenListsFormsInCreationOrderAndForgetsFreedOnes) {
  const int before = Screen->FormCount();
  auto* first = new TForm(Application, CreateNew);
  auto* second = new TForm(Application, CreateNew);
  ASSERT_EQ(Screen->FormCount(), before + 2);
  EXPECT_EQ(Screen->Forms(before), first);
  EXPECT_EQ(Screen->Forms(before + 1), second);
  // Walking last to first survives freeing the form at hand.
  for (int i = Screen->FormCount() - 1; i >= before; --i) delete Screen->Forms(i);
  EXPECT_EQ(Screen->FormCount(), before);
  EXPECT_GE(Screen->PixelsPerInch(), 96);
}

}  // namespace
