// The alpha hints component: template choice, what it gives the
// application (hide pause, hint event, hint window class) and which of
// two components owns the class.
#include <gtest/gtest.h>

#include "framework/Button.h"
#include "framework/Form.h"
#include "skin/hints/AlphaHints.h"
#include "skin/hints/HintWindows.h"
#include "support/hint_fixture.h"

namespace {

// Tells whether the component it watches was freed.
class TFreeWatch : public TComponent {
 public:
  TFreeWatch() : TComponent(nullptr) {}
  bool Freed = false;

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override {
    TComponent::Notification(AComponent, Operation);
    if (Operation == TOperation::opRemove) Freed = true;
  }
};

class AlphaHintsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    app = &TestApplication();
    app->OnShowHint = nullptr;
    HintWindowClass = &MakeHintWindow<THintWindow>;
  }
  TApplication* app = nullptr;
};

TEST_F(AlphaHintsTest, TemplateNameSelectsIgnoringCaseElseTheDefaultTemplate) {
  struct Case {
    const wchar_t* name;
    bool withTemplates;
    int selected;
  };
  const Case cases[] = {
      {L"White Baloon Border", true, 1},
      {L"white baloon border", true, 1},
      {L"DARK BALOON", true, 0},
      {L"Dark", true, -1},
      {L"", true, -1},
      {L"White Baloon Border", false, -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "name \"" << c.name << "\" with templates " << c.withTemplates);
    auto hints = LoadedHints([&](TsAlphaHints& h) {
      if (c.withTemplates) {
        AddCornerTemplate(h, L"Dark Baloon", false);
        AddCornerTemplate(h, L"White Baloon Border", true);
      }
      h.SetTemplateName(c.name);
    });
    EXPECT_EQ(hints->SelectedTemplate(), c.selected);
    hints->SelectTemplateImage();
    TacHintTemplate* expected = c.selected >= 0 ? hints->Templates().Items(c.selected) : &DefaultHintTemplate();
    EXPECT_EQ(CurrentTemplate, expected);
    EXPECT_EQ(CurrentHintImage, &expected->ImageDefault());
  }
}

TEST_F(AlphaHintsTest, PauseHideReachesTheApplicationAtLoadAndAtOnceAfterwards) {
  app->SetHintHidePause(2500);
  auto hints = std::make_unique<TsAlphaHints>(nullptr);
  hints->BeginLoading();
  hints->SetPauseHide(15000);
  EXPECT_EQ(app->HintHidePause(), 2500u) << "a value read with the form waits for Loaded";
  hints->EndLoading();
  EXPECT_EQ(app->HintHidePause(), 15000u);
  hints->SetPauseHide(700);
  EXPECT_EQ(app->HintHidePause(), 700u);

  auto excluded = std::make_unique<TsAlphaHints>(nullptr);
  excluded->SetTag(acExclusionTag);
  excluded->SetPauseHide(123);
  EXPECT_EQ(app->HintHidePause(), 700u) << "an excluded component leaves the application alone";
}

TEST_F(AlphaHintsTest, LastActiveComponentOwnsTheClassAndDestroyGivesItBack) {
  bool savedCalled = false;
  app->OnShowHint = [&](String&, bool&, THintInfo&) { savedCalled = true; };
  auto first = LoadedHints([](TsAlphaHints&) {});
  ASSERT_EQ(ActiveHints, first.get());
  EXPECT_EQ(HintWindowClass, &MakeHintWindow<TacPngHintWindow>);

  auto second = LoadedHints([](TsAlphaHints&) {});
  EXPECT_EQ(ActiveHints, second.get()) << "the second to become active takes over";
  second->SetShowPoint(POINT{40, 50});
  first->SetActive(false);
  EXPECT_EQ(ActiveHints, second.get());
  EXPECT_EQ(HintWindowClass, &MakeHintWindow<TacPngHintWindow>);
  EXPECT_EQ(second->ShowPoint().x, 0);
  EXPECT_EQ(second->ShowPoint().y, 0);

  second->SetActive(false);
  EXPECT_EQ(ActiveHints, nullptr);
  EXPECT_EQ(HintWindowClass, &MakeHintWindow<THintWindow>);
  second->SetActive(true);
  EXPECT_EQ(ActiveHints, second.get());

  // Each component saved the handler it found; the first one found the
  // test's, and destroying in reverse order gives it back.
  second.reset();
  EXPECT_EQ(ActiveHints, nullptr);
  EXPECT_EQ(HintWindowClass, &MakeHintWindow<THintWindow>);
  first.reset();
  ASSERT_TRUE(app->OnShowHint);
  String text = L"x";
  bool canShow = true;
  THintInfo info;
  app->OnShowHint(text, canShow, info);
  EXPECT_TRUE(savedCalled);
}

TEST_F(AlphaHintsTest, ExcludedComponentNeverInstallsItself) {
  auto hints = std::make_unique<TsAlphaHints>(nullptr);
  hints->SetTag(acExclusionTag);
  hints->BeginLoading();
  hints->EndLoading();
  EXPECT_EQ(ActiveHints, nullptr);
  EXPECT_EQ(HintWindowClass, &MakeHintWindow<THintWindow>);
  EXPECT_FALSE(app->OnShowHint);
}

TEST_F(AlphaHintsTest, DisabledControlKeepsItsHintOnlyWithHandleDisabledCtrls) {
  TForm form(nullptr, CreateNew);
  auto* disabled = new TButton(&form);
  disabled->SetParent(&form);
  disabled->SetEnabled(false);
  auto* enabled = new TButton(&form);
  enabled->SetParent(&form);

  struct Case {
    bool handleDisabled;
    TControl* remembered;
    TControl* expected;
  };
  const Case cases[] = {
      {true, disabled, disabled},
      {false, disabled, enabled},
      {true, enabled, enabled},
      {true, nullptr, enabled},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "HandleDisabledCtrls " << c.handleDisabled << ", remembered "
                                    << (c.remembered == disabled ? "disabled"
                                        : c.remembered           ? "enabled"
                                                                 : "none"));
    app->OnShowHint = nullptr;
    auto hints = LoadedHints([&](TsAlphaHints& h) { h.SetHandleDisabledCtrls(c.handleDisabled); });
    hints->HintedControl = c.remembered;
    String text = L"hint";
    bool canShow = true;
    THintInfo info;
    info.HintControl = enabled;
    info.HintPos = POINT{300, 200};
    ASSERT_TRUE(app->OnShowHint);
    app->OnShowHint(text, canShow, info);
    EXPECT_EQ(info.HintControl, c.expected);
    EXPECT_EQ(hints->ProposedPos.x, 300);
    EXPECT_EQ(hints->ProposedPos.y, 200);
    hints.reset();
  }
}

TEST_F(AlphaHintsTest, ShowHintHandlerMayChangeTheTextAndItsFrameIsFreedByTheComponent) {
  auto hints = LoadedHints([](TsAlphaHints&) {});
  TFreeWatch watch;
  hints->OnShowHint = [&](String& text, bool&, THintInfo&, TForm*& frame) {
    text += L" (more)";
    frame = new TForm(nullptr, CreateNew);
    watch.FreeNotification(frame);
  };
  String text = L"hint";
  bool canShow = true;
  THintInfo info;
  app->OnShowHint(text, canShow, info);
  EXPECT_EQ(text, L"hint (more)");
  ASSERT_NE(hints->ContentFrame, nullptr);
  hints->ClearHintFrame();
  EXPECT_EQ(hints->ContentFrame, nullptr);
  EXPECT_TRUE(watch.Freed);
}

}  // namespace
