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

struct TCommandLog {
  std::map<TControl*, std::vector<WPARAM>> Seen;
  std::map<TControl*, LPARAM> LastLParam;

  // Answers every command with Answer; AC_ISSKINNED with 1 when Skinned.
  void Watch(TControl* Control, LRESULT Answer = 0, bool Skinned = false) {
    TWndMethod Inherited = Control->WindowProc;
    Control->WindowProc = [=, this](TMessage& m) {
      if (m.Msg != WM_SKINCOMMAND) return Inherited(m);
      Seen[Control].push_back(m.WParam);
      LastLParam[Control] = m.LParam;
      m.Result = SkinCommandCode(m.WParam) == AC_ISSKINNED ? (Skinned ? 1 : 0) : Answer;
    };
  }
  int Count(TControl* Control, uint16_t Code) {
    int n = 0;
    for (WPARAM w : Seen[Control]) n += SkinCommandCode(w) == Code;
    return n;
  }
};

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
