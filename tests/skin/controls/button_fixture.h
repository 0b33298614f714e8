#pragma once
// A shown form under an in-memory skin of plain colours, animations off,
// for the skinned push and bit buttons; the face colour a button's cache
// holds at a point after a full rebuild.
#include "framework/Application.h"
#include "framework/Form.h"
#include "skin/effects/InstallEffects.h"
#include "skin/manager/ManagerOptions.h"
#include "skin/manager/SkinManager.h"
#include "tests/skin/support/text_skin.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

class SkinnedButtonFixture : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    InitApplication();
    InstallEffects();
  }
  // Loads Skin and makes the form at Bounds (not shown yet).
  void MakeForm(const std::string& Skin, const RECT& Bounds) {
    manager = TextSkinManager(L"Buttons", Skin);
    ASSERT_TRUE(manager->IsSkinLoaded());
    manager->Effects().SetAllowAnimation(false);
    form = std::make_unique<TForm>(nullptr, CreateNew);
    form->SetBounds(Bounds.left, Bounds.top, Bounds.right - Bounds.left, Bounds.bottom - Bounds.top);
  }
  template <class T>
  T* Add(int Left, int Top, int Width, int Height) {
    auto* Control = new T(form.get());
    Control->SetParent(form.get());
    Control->SetBounds(Left, Top, Width, Height);
    return Control;
  }
  void TearDown() override {
    form.reset();
    manager.reset();
  }
  template <class T>
  static COLORREF CachedPixel(T* Button, int X, int Y) {
    Button->SkinData()->BGChanged = true;
    if (!Button->BuildCache()) return CLR_INVALID;
    return GetPixel(Button->SkinData()->CacheBmp->DC(), X, Y);
  }

  std::unique_ptr<TsSkinManager> manager;
  std::unique_ptr<TForm> form;
};
