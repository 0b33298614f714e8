// What the skinned panel and scroll box do alike as containers: a container
// made in code finds its section once its window exists, takes a skin's
// load, removal and refresh only from its own manager but passes every one
// on to its children, and fires its mouse events for itself alone, not for
// the children the mouse enters.
#include "framework/Application.h"
#include "framework/Form.h"
#include "skin/controls/SkinnedPanel.h"
#include "skin/controls/SkinnedScrollBox.h"
#include "skin/core/SkinCommand.h"
#include "skin/manager/SkinManager.h"
#include "tests/skin/support/text_skin.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <utility>
#include <vector>

namespace {

const std::string kSkin =
    "[GLOBALINFO]\r\nVERSION=12.50\r\n"
    "[PANEL]\r\nCOLOR=$00000080\r\n"
    "[PANEL_LOW]\r\nCOLOR=$00008000\r\n"
    "[TRANSPARENT]\r\nSTATES=1\r\nTRANSPARENCY=100\r\n";

// A windowed child that knows nothing of the skin and writes down the skin
// commands that reach it, with the manager they name.
class TListeningChild : public TCustomControl {
 public:
  explicit TListeningChild(TComponent* Owner) : TCustomControl(Owner) {}
  std::vector<std::pair<uint16_t, LPARAM>> Heard;
  // How often it heard Code naming From (it also hears the questions a
  // broadcast asks on the way).
  int Times(uint16_t Code, LPARAM From) const {
    return int(std::count(Heard.begin(), Heard.end(), std::make_pair(Code, From)));
  }

 protected:
  void WndProc(TMessage& Message) override {
    if (Message.Msg == WM_SKINCOMMAND) Heard.emplace_back(SkinCommandCode(Message.WParam), Message.LParam);
    TCustomControl::WndProc(Message);
  }
};

// Stands for another manager: the commands only compare managers.
int gOtherManager = 0;
const LPARAM kOtherManager = reinterpret_cast<LPARAM>(&gOtherManager);

class TPlainGraphic : public TGraphicControl {
 public:
  using TGraphicControl::TGraphicControl;
};

template <class TContainer>
class SkinnedContainer : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { InitApplication(); }
  void SetUp() override {
    manager = TextSkinManager(L"Containers", kSkin);
    ASSERT_TRUE(manager->IsSkinLoaded());
    form = Application->CreateForm<TForm>();
    form->SetClientSize(300, 200);
    form->Show();
    // Made in code: nobody asks it for its section before its window exists.
    container = new TContainer(form);
    container->SetBounds(10, 10, 200, 120);
    container->SetParent(form);
    container->HandleNeeded();
    child = new TListeningChild(form);
    child->SetBounds(5, 5, 40, 20);
    child->SetParent(container);
    child->HandleNeeded();
    graphic = new TPlainGraphic(form);
    graphic->SetBounds(60, 5, 40, 20);
    graphic->SetParent(container);
  }
  void TearDown() override {
    delete form;
    manager.reset();
  }
  LRESULT Send(uint16_t Code, LPARAM From) {
    return SendMessageW(container->Handle(), WM_SKINCOMMAND, SkinCommandWParam(Code, 0), From);
  }

  std::unique_ptr<TsSkinManager> manager;
  TForm* form = nullptr;
  TContainer* container = nullptr;
  TListeningChild* child = nullptr;
  TPlainGraphic* graphic = nullptr;
};

using Containers = ::testing::Types<TsPanel, TsScrollBox>;
TYPED_TEST_SUITE(SkinnedContainer, Containers);

TYPED_TEST(SkinnedContainer, MadeInCodeFindsItsSectionOnceItsWindowExists) {
  EXPECT_GE(this->container->SkinData()->SkinIndex, 0);
  EXPECT_EQ(
      this->container->SkinData()->SkinIndex,
      this->manager->GetSectionIndex(DefaultSectionName(int(QueryCtrlCommand(this->container, AC_GETDEFSECTION)))));
}

TYPED_TEST(SkinnedContainer, SkinChangesOfAnotherManagerOnlyPassThrough) {
  // Another manager's skin says nothing about this container's skin, but its
  // children may be skinned by that manager.
  const int index = this->container->SkinData()->SkinIndex;
  ASSERT_GE(index, 0);
  for (const uint16_t code : {AC_SKINLOADED, AC_SKINREMOVED}) {
    SCOPED_TRACE(code);
    this->child->Heard.clear();
    this->Send(code, kOtherManager);
    EXPECT_EQ(this->container->SkinData()->SkinIndex, index);
    EXPECT_EQ(this->child->Times(code, kOtherManager), 1);
  }
}

TYPED_TEST(SkinnedContainer, OwnManagersRemovalAndLoadAreTakenAndPassedOn) {
  // The manager tells every form; the child hears it through the container.
  const LPARAM own = reinterpret_cast<LPARAM>(this->manager.get());
  this->child->Heard.clear();
  this->manager->SetActive(false);
  EXPECT_EQ(this->container->SkinData()->SkinIndex, -1);
  // The scroll box makes its window anew on removal; the form's broadcast
  // then no longer finds it skinned and tells its children a second time.
  EXPECT_GE(this->child->Times(AC_SKINREMOVED, own), 1);

  this->child->Heard.clear();
  this->manager->SetActive(true);
  EXPECT_GE(this->container->SkinData()->SkinIndex, 0);
  EXPECT_EQ(this->child->Times(AC_SKINLOADED, own), 1);
}

TYPED_TEST(SkinnedContainer, RefreshReachesTheChildrenWhetherOrNotItConcernsTheContainer) {
  for (const LPARAM from : {reinterpret_cast<LPARAM>(this->manager.get()), kOtherManager}) {
    this->child->Heard.clear();
    this->Send(AC_SKINREFRESH, from);
    EXPECT_EQ(this->child->Times(AC_SKINREFRESH, from), 1);
  }
}

TYPED_TEST(SkinnedContainer, MouseEventsFireForTheContainerNotForItsChildren) {
  int entered = 0, left = 0;
  this->container->OnMouseEnter = [&](TObject* Sender) {
    EXPECT_EQ(Sender, static_cast<TObject*>(this->container));
    ++entered;
  };
  this->container->OnMouseLeave = [&](TObject* Sender) {
    EXPECT_EQ(Sender, static_cast<TObject*>(this->container));
    ++left;
  };
  struct Case {
    const char* name;
    TControl* target;  // the control the mouse enters or leaves
    int events;
  } cases[] = {
      {"the container", this->container, 1},
      {"a graphic child", this->graphic, 0},
      {"a windowed child", this->child, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    entered = left = 0;
    // As the application tells them: the control itself, which passes it to
    // its parent.
    c.target->Perform(CM_MOUSEENTER, 0, reinterpret_cast<LPARAM>(c.target));
    c.target->Perform(CM_MOUSELEAVE, 0, reinterpret_cast<LPARAM>(c.target));
    EXPECT_EQ(entered, c.events);
    EXPECT_EQ(left, c.events);
  }
  // Without a control named it is the container's own.
  entered = left = 0;
  this->container->Perform(CM_MOUSEENTER, 0, 0);
  this->container->Perform(CM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(entered, 1);
  EXPECT_EQ(left, 1);
}

}  // namespace
