#pragma once
// A form with controls added by name, and a log of the skin commands each
// watched control receives.
#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "framework/Application.h"
#include "framework/Form.h"
#include "framework/Panel.h"
#include "skin/core/SkinCommand.h"
#include "tests/skin/support/command_log.h"

class FormFixture : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { InitApplication(); }
  void SetUp() override {
    Form = new TForm(Application);
    Form->SetBounds(100, 100, 400, 300);
    Form->FinishCreate();
  }
  void TearDown() override { delete Form; }

  template <class T>
  T* Add(TWinControl* Parent, const wchar_t* Name = L"", RECT Bounds = RECT{0, 0, 40, 20}) {
    T* c = new T(Form);
    c->SetName(Name);
    c->SetBounds(Bounds.left, Bounds.top, Bounds.right - Bounds.left, Bounds.bottom - Bounds.top);
    c->SetParent(Parent);
    return c;
  }

  TForm* Form = nullptr;
  TCommandLog Log;
};
