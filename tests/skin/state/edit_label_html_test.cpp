// A bound label's caption in HTML: its tags lay out the text instead of
// being drawn.
#include "skin/state/EditLabel.h"

#include <gtest/gtest.h>

namespace {

TEST(EditLabelHtml, TagsAreLaidOutOnlyWithUseHTML) {
  TsEditLabel label(nullptr);
  label.SetCaption(L"<b>Name</b><br>second");
  label.AdjustSize();
  const SIZE plain{label.Width(), label.Height()};
  label.SetUseHTML(true);
  label.AdjustSize();
  EXPECT_LT(label.Width(), plain.cx);
  EXPECT_GT(label.Height(), plain.cy);  // two lines
}

}  // namespace
