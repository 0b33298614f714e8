#pragma once
// A shown form with a skinned box whose cache paints one flat colour per
// visual state, and a skin manager with a button section, for the effects'
// tests. The box counts the steps a counting step procedure ran for it.
#include "framework/Application.h"
#include "framework/Form.h"
#include "skin/graphics/Bitmap32.h"
#include "skin/manager/SkinManager.h"
#include "skin/state/CtrlSkinData.h"
#include "skin/state/ThreadedTimer.h"
#include "tests/support/scratch_folder.h"
#include "tests/support/wait_until.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace effects_test {

// The colour of each state's picture (normal, hot, pressed).
constexpr uint32_t kLook[3] = {0xFF102030u, 0xFFA0B0C0u, 0xFF405060u};

inline uint32_t PixelAt(TBitmap& bmp, int x, int y) { return static_cast<uint32_t*>(bmp.ScanLine(y))[x]; }

class TSkinBox : public TCustomControl {
 public:
  explicit TSkinBox(TComponent* owner) : TCustomControl(owner) {
    Data = std::make_unique<TsCtrlSkinData>(this, true);
    Data->SetSkinSection(L"BUTTON");
  }
  ~TSkinBox() override {
    Destroying_();
    Data.reset();
  }
  std::unique_ptr<TsCtrlSkinData> Data;
  // The state the next cache is painted in.
  int Look = 0;
  int Builds = 0;
  int Paints = 0;

 protected:
  void WndProc(TMessage& m) override {
    if (m.Msg == WM_SKINCOMMAND && SkinCommandCode(m.WParam) == AC_BUILDCACHE) {
      ++Builds;
      Data->InitCacheBmp();
      TBitmap& cache = *Data->CacheBmp;
      for (int y = 0; y < cache.Height(); ++y)
        for (int x = 0; x < cache.Width(); ++x) static_cast<uint32_t*>(cache.ScanLine(y))[x] = kLook[Look];
      Data->BGChanged = false;
      m.Result = 0;
      return;
    }
    // What the skin state's command handling answers for a skinned control.
    if (m.Msg == WM_SKINCOMMAND && SkinCommandCode(m.WParam) == AC_GETCOMMONDATA) {
      m.Result = reinterpret_cast<LRESULT>(static_cast<TsCommonData*>(Data.get()));
      return;
    }
    if (m.Msg == WM_PAINT) ++Paints;
    TCustomControl::WndProc(m);
  }
};

class EffectsTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { InitApplication(); }
  void SetUp() override {
    CreateDirectoryW((skins.Path() + L"Small").c_str(), nullptr);
    ScratchFolder::WriteBytes(skins.Path() + L"Small\\Options.dat",
                              "[GLOBALINFO]\r\nVERSION=12.50\r\nCOLOR=$00203040\r\n[BUTTON]\r\nCOLOR=$00112233\r\n");
    manager = std::make_unique<TsSkinManager>(nullptr);
    manager->OnShowError = [](const String&) { ADD_FAILURE() << "error shown"; };
    manager->SetSkinDirectory(skins.Path());
    manager->SetSkinName(L"Small");
    ASSERT_TRUE(manager->IsSkinLoaded());
    form = std::make_unique<TForm>(Application, CreateNew);
    form->SetBounds(40, 40, 240, 160);
    form->Show();
    box = MakeBox();
  }
  void TearDown() override {
    form.reset();
    manager.reset();
  }
  TSkinBox* MakeBox() {
    auto* b = new TSkinBox(form.get());
    b->SetBounds(10, 10, 40, 20);
    b->SetParent(form.get());
    b->HandleNeeded();
    b->Data->Loaded(false);
    // The picture of the normal state is on screen.
    SendWndCommand(b->Handle(), AC_BUILDCACHE, 0);
    return b;
  }
  TsCtrlSkinData& Data() { return *box->Data; }
  ScratchFolder skins;
  std::unique_ptr<TsSkinManager> manager;
  std::unique_ptr<TForm> form;
  TSkinBox* box = nullptr;
};

}  // namespace effects_test
