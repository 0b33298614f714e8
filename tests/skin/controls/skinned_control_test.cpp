// The pattern every skinned control shares, on one small control.
#include "skin/controls/SkinnedControl.h"

#include <gtest/gtest.h>

namespace {

class TPatternBox : public TacSkinnedControl<TCustomControl> {
 public:
  explicit TPatternBox(TComponent* owner) : TacSkinnedControl(owner, 3, ssEdit) { AfterConstruction(); }
};

TEST(SkinnedControlTest, AnswersItsDefaultSectionWithoutASkin) {
  TPatternBox box(nullptr);
  TMessage m{WM_SKINCOMMAND, SkinCommandWParam(AC_GETDEFSECTION), 0, 0};
  box.WindowProc(m);
  EXPECT_EQ(m.Result, ssEdit);
}

}  // namespace
