#pragma once
// TsMDIForm: through it a form's skin provider skins the client window of a
// multiple-document parent form, the window that holds the child forms. It
// owns the window wrapper of that client window while the provider is
// skinned, and lets the wrapper ask the provider to repaint the title area.
//
// The provider belongs to form skinning and the wrapper to window hooks;
// neither is built yet, so both are reached through the narrow interfaces
// below, and no wrapper is made until window hooks bring one.
#include "framework/Form.h"

#include <memory>

class TsCommonData;
class TsSkinManager;

// What the adapter needs of the form's skin provider.
class TacMDIProvider {
 public:
  virtual ~TacMDIProvider() = default;
  // The provider's form; nil without one.
  virtual TForm* ProviderForm() const = 0;
  virtual TsCommonData* ProviderSkinData() const = 0;
  // Flags the non-client cache as stale and repaints the title area.
  virtual void RefreshCaption() = 0;
};

// The record a window wrapper is made with.
struct TacSkinParams {
  TObject* Owner = nullptr;
  String SkinSection;
  bool NoCustomColor = false;
  bool NoCustomFont = false;
  // -1: the default; else the vertical and horizontal scroll-bar widths and
  // the scroll-bar button size.
  int Sizes[4] = {-1, -1, -1, -1};
};

// The wrapper of an MDI client window; its maker sets the three links.
class TacMDIWnd {
 public:
  virtual ~TacMDIWnd() = default;
  TForm* Form = nullptr;
  TsCommonData* SkinData = nullptr;
  TacMDIProvider* Provider = nullptr;
};

class TsMDIForm : public TPersistent {
 public:
  explicit TsMDIForm(TacMDIProvider* Provider);
  ~TsMDIForm() override;

  TForm* Form() const { return FForm; }
  TacMDIWnd* ClientWrapper() const { return FClientWrapper.get(); }
  TacMDIProvider* SkinProvider() const { return FSkinProvider; }

  // Makes the wrapper (or frees it while the provider is not skinned) when
  // none exists yet.
  void ConnectToClient();
  // The provider repaints the form's title area.
  void RefreshProvider();

 protected:
  // The wrappers' virtual constructor; window hooks bring the MDI client
  // wrapper, none is made until then.
  virtual std::unique_ptr<TacMDIWnd> NewClientWrapper(HWND Client, TsCommonData* Data, TsSkinManager* Manager,
                                                      const TacSkinParams& Params, bool Repaint);

 private:
  void CreateClientWrapper();

  TForm* FForm = nullptr;
  std::unique_ptr<TacMDIWnd> FClientWrapper;
  TacMDIProvider* FSkinProvider;
};
