// When a control may show its click light: enabled, its click may animate,
// a skin manager exists and that manager's click effect is not the wave
// alone; the skin state's own manager decides over the default one.
#include <gtest/gtest.h>

#include <memory>

#include "framework/Application.h"
#include "framework/WinControl.h"
#include "skin/effects/CanShowClickEffect.h"
#include "skin/manager/SkinManager.h"
#include "skin/state/CommonData.h"

namespace {

class ClickEffectAllowed : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { InitApplication(); }
  TCustomControl control{nullptr};
};

struct Case {
  const char* what;
  bool withManager;
  TacClickEffect effect;
  bool allowAnimation;
  TacBtnEvents managerEvents;
  TacAnimatEvents events;
  bool enabled;
  bool expected;
};

TEST_F(ClickEffectAllowed, FollowsTheControlTheEventsAndTheManagersEffect) {
  const TacAnimatEvents own = AnimatEvent(aeClick);
  const Case cases[] = {
      {"circle", true, TacClickEffect::ceCircle, true, 0, own, true, true},
      {"circle and wave", true, TacClickEffect::ceCircleAndWave, true, 0, own, true, true},
      {"wave alone", true, TacClickEffect::ceWaveOut, true, 0, own, true, false},
      {"no manager", false, TacClickEffect::ceCircle, true, 0, own, true, false},
      {"disabled control", true, TacClickEffect::ceCircle, true, 0, own, false, false},
      {"animation off", true, TacClickEffect::ceCircle, false, 0, own, true, false},
      {"own events without the click", true, TacClickEffect::ceCircle, true, beClick, AnimatEvent(aeMouseDown), true,
       false},
      {"deferred, manager has the click", true, TacClickEffect::ceCircle, true, beClick, kDefaultAnimatEvents, true,
       true},
      {"deferred, manager lacks the click", true, TacClickEffect::ceCircle, true, beMouseDown, kDefaultAnimatEvents,
       true, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::unique_ptr<TsSkinManager> manager;
    if (c.withManager) {
      manager = std::make_unique<TsSkinManager>(nullptr);
      manager->AnimEffects().Buttons.SetClickEffect(c.effect);
      manager->AnimEffects().Buttons.SetEvents(c.managerEvents);
      manager->Effects().SetAllowAnimation(c.allowAnimation);
    }
    ASSERT_EQ(TsSkinManager::DefaultManager(), manager.get());
    control.SetEnabled(c.enabled);
    EXPECT_EQ(CanShowClickEffect(&control, nullptr, c.events), c.expected);
  }
  control.SetEnabled(true);
  EXPECT_FALSE(CanShowClickEffect(nullptr, nullptr, own));
}

TEST_F(ClickEffectAllowed, TheSkinStatesOwnManagerDecides) {
  TsSkinManager defaultManager(nullptr);
  TsSkinManager own(nullptr);
  ASSERT_EQ(TsSkinManager::DefaultManager(), &defaultManager);
  own.AnimEffects().Buttons.SetClickEffect(TacClickEffect::ceWaveOut);
  TsCommonData state(&control, true);
  EXPECT_TRUE(CanShowClickEffect(&control, &state, AnimatEvent(aeClick)));
  state.SetSkinManager(&own);
  EXPECT_FALSE(CanShowClickEffect(&control, &state, AnimatEvent(aeClick)));
}

}  // namespace
