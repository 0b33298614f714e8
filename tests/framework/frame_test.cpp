// A frame holds controls like a panel: their windows live in the frame's.
#include "framework/Application.h"
#include "framework/Button.h"
#include "framework/Form.h"
#include "framework/Frame.h"

#include <gtest/gtest.h>

namespace {

TEST(Frame, HoldsChildWindows) {
  InitApplication();
  std::unique_ptr<TForm> form(Application->CreateForm<TForm>());
  auto* frame = new TFrame(form.get());
  frame->SetParent(form.get());
  auto* button = new TButton(form.get());
  button->SetParent(frame);
  EXPECT_TRUE(frame->ControlStyle() & csAcceptsControls);
  form->Show();
  EXPECT_EQ(GetParent(button->Handle()), frame->Handle());
  EXPECT_EQ(GetParent(frame->Handle()), form->Handle());
}

}  // namespace
