#include "skin/controls/MDIForm.h"

#include "skin/state/CommonData.h"

TsMDIForm::TsMDIForm(TacMDIProvider* Provider) : FSkinProvider(Provider) {
  if (Provider) FForm = Provider->ProviderForm();
  // The client window is made with the form's window.
  if (FForm) FForm->HandleNeeded();
}

TsMDIForm::~TsMDIForm() = default;

void TsMDIForm::ConnectToClient() {
  if (FForm && (FForm->ComponentState() & csDesigning)) return;
  if (!FClientWrapper) CreateClientWrapper();
}

void TsMDIForm::RefreshProvider() {
  if (FSkinProvider) FSkinProvider->RefreshCaption();
}

std::unique_ptr<TacMDIWnd> TsMDIForm::NewClientWrapper(HWND, TsCommonData*, TsSkinManager*, const TacSkinParams&,
                                                       bool) {
  return nullptr;
}

void TsMDIForm::CreateClientWrapper() {
  TsCommonData* Data = FSkinProvider ? FSkinProvider->ProviderSkinData() : nullptr;
  if (!Data || !Data->IsSkinned()) {
    FClientWrapper.reset();
    return;
  }
  FClientWrapper.reset();
  TacSkinParams Params;
  Params.SkinSection = L"CHECKBOX";
  const HWND Client = FForm && FForm->HandleAllocated() ? FindWindowExW(FForm->Handle(), nullptr, L"MDICLIENT", nullptr)
                                                        : nullptr;
  FClientWrapper = NewClientWrapper(Client, nullptr, Data->GetSkinManager(), Params, true);
  if (!FClientWrapper) return;
  FClientWrapper->Form = FForm;
  FClientWrapper->SkinData = Data;
  FClientWrapper->Provider = FSkinProvider;
}
