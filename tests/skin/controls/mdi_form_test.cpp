// The MDI form adapter's wrapper of the client window: made only while the
// provider is skinned, once, and freed with the adapter.
#include "framework/Application.h"
#include "framework/Form.h"
#include "skin/controls/MDIForm.h"
#include "skin/manager/SkinManager.h"
#include "skin/state/CommonData.h"
#include "tests/support/scratch_folder.h"

#include <gtest/gtest.h>

namespace {

class TTestProvider : public TacMDIProvider {
 public:
  TForm* ProviderForm() const override { return Form; }
  TsCommonData* ProviderSkinData() const override { return Data; }
  void RefreshCaption() override { ++Refreshes; }
  TForm* Form = nullptr;
  TsCommonData* Data = nullptr;
  int Refreshes = 0;
};

int gWrappersAlive = 0;

class TCountedWrapper : public TacMDIWnd {
 public:
  TCountedWrapper() { ++gWrappersAlive; }
  ~TCountedWrapper() override { --gWrappersAlive; }
  String Section;
};

// An adapter whose wrappers' constructor stands in for the window hooks.
class TTestMDIForm : public TsMDIForm {
 public:
  using TsMDIForm::TsMDIForm;
  int Made = 0;

 protected:
  std::unique_ptr<TacMDIWnd> NewClientWrapper(HWND, TsCommonData*, TsSkinManager*, const TacSkinParams& Params,
                                              bool) override {
    ++Made;
    auto w = std::make_unique<TCountedWrapper>();
    w->Section = Params.SkinSection;
    return w;
  }
};

TEST(MDIFormAdapter, WrapperOnlyWhileSkinnedAndOnlyOnce) {
  InitApplication();
  ScratchFolder skins;
  CreateDirectoryW((skins.Path() + L"Small").c_str(), nullptr);
  ScratchFolder::WriteBytes(skins.Path() + L"Small\\Options.dat",
                            "[GLOBALINFO]\r\nVERSION=12.50\r\n[FORM]\r\nCOLOR=$00102030\r\n");
  TsSkinManager manager(nullptr);
  manager.SetSkinDirectory(skins.Path());
  manager.SetSkinName(L"Small");
  ASSERT_TRUE(manager.IsSkinLoaded());
  TForm form(Application, CreateNew);
  TsCommonData data(&form, false);
  data.SetSkinManager(&manager);
  data.SetSkinSection(L"FORM");
  ASSERT_TRUE(data.IsSkinned());
  TTestProvider provider;
  provider.Form = &form;
  provider.Data = &data;

  {
    TTestMDIForm adapter(&provider);
    EXPECT_EQ(adapter.Form(), &form);
    EXPECT_TRUE(form.HandleAllocated());
    adapter.ConnectToClient();
    adapter.ConnectToClient();  // a wrapper exists: nothing
    EXPECT_EQ(adapter.Made, 1);
    auto* wrapper = static_cast<TCountedWrapper*>(adapter.ClientWrapper());
    ASSERT_NE(wrapper, nullptr);
    EXPECT_EQ(wrapper->Section, L"CHECKBOX");
    EXPECT_EQ(wrapper->Form, &form);
    EXPECT_EQ(wrapper->SkinData, &data);
    EXPECT_EQ(wrapper->Provider, &provider);
    adapter.RefreshProvider();
    EXPECT_EQ(provider.Refreshes, 1);
  }
  // Skinning off: the provider frees its adapter, and the wrapper goes too.
  EXPECT_EQ(gWrappersAlive, 0);
  data.SkinIndex = -1;
  {
    TTestMDIForm adapter(&provider);
    adapter.ConnectToClient();
    EXPECT_EQ(adapter.ClientWrapper(), nullptr);
    EXPECT_EQ(adapter.Made, 0);
  }
  // On again: the next adapter connects anew.
  data.UpdateIndexes();
  ASSERT_TRUE(data.IsSkinned());
  TTestMDIForm adapter(&provider);
  adapter.ConnectToClient();
  EXPECT_NE(adapter.ClientWrapper(), nullptr);
  EXPECT_EQ(gWrappersAlive, 1);
}

}  // namespace
