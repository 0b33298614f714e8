#include "skin/manager/SkinManager.h"

#include "framework/Application.h"
#include "framework/Dialogs.h"
#include "framework/Form.h"
#include "framework/Screen.h"
#include "skin/core/SkinCommand.h"
#include "skin/manager/EffectsRelease.h"
#include "skin/manager/MouseLighting.h"
#include "skin/manager/RTLButtons.h"
#include "skin/manager/SkinColorAdjust.h"
#include "skin/manager/SkinDataBuilder.h"

#include <algorithm>
#include <cstdio>

namespace {

TsSkinManager* TheDefaultManager = nullptr;

bool EndsWithSkz(const String& name) {
  if (name.size() <= 4) return false;
  String tail = name.substr(name.size() - 4);
  for (wchar_t& c : tail)
    if (c >= L'a' && c <= L'z') c = wchar_t(c - 32);
  return tail == L".SKZ";
}

}  // namespace

TsSkinManager* TsSkinManager::DefaultManager() { return TheDefaultManager; }

TsSkinManager::TsSkinManager(TComponent* owner)
    : TComponent(owner),
      FInternalSkins(std::make_unique<TsStoredSkins>(this)),
      FSkinList(std::make_unique<TacSkinListController>(*this)) {
  if (!TheDefaultManager) TheDefaultManager = this;
  InitManagerOptions();
  UpdateThirdPartyLists(false);
  if (Application) FMainWindowHookId = Application->HookMainWindow([this](TMessage& m) { return MainWindowHook(m); });
  if (FSkinDirectory.empty()) FSkinDirectory = L"c:\\Skins";
  // A manager made by a loading form fills its list in Loaded instead.
  FSkinList->UpdateIfNeeded(false);
}

TsSkinManager::~TsSkinManager() {
  Destroying_();
  // The list's filler reads the internal skins: it goes first.
  FSkinList.reset();
  if (FSkinLoaded && OnDeactivate) OnDeactivate(this);
  // The forms are told while they are whole: an owning form frees its
  // components before it takes its windows down.
  if (FSkinLoaded) Broadcast(AC_SKINREMOVED);
  ResetSkinData();
  RemoveHooks();
  if (Application) Application->UnhookMainWindow(FMainWindowHookId);
  if (TheDefaultManager == this) TheDefaultManager = nullptr;
}

void TsSkinManager::Loaded() {
  const bool wasLoaded = FSkinLoaded;
  TComponent::Loaded();
  if (FSkinDirectory.empty()) FSkinDirectory = L"c:\\Skins";
  if (FMenuSupport->IcoLineSkin().empty()) FMenuSupport->SetIcoLineSkin(L"ICOLINE");
  UpdateThirdPartyLists(false);
  // The image lists that would follow a density other than 96 come with the
  // effects; the skin is built for the density of the scale mode.
  FPPI = GetPPIForControl(this);
  if (FActive && !FSkinName.empty()) SetSkinName(FSkinName);
  if (FSkinLoaded && !wasLoaded && OnActivate) OnActivate(this);
  if (FSkinLoaded && IsDefault() && FEffects->AllowAnimation())
    SetMouseLightActive(FAnimEffects->Buttons.LightingMode() == TacLightingMode::lmAffectNearest);
  FSkinList->SetUpdateNeeded();
  FSkinList->UpdateIfNeeded(false);
  if (FManagerOptions->StoredScaleMode() == TacScaleMode::smFramework) FManagerOptions->FPixelsPerInch = MainFormDPI();
}

void TsSkinManager::SetSkinDirectory(const String& value) {
  if (_wcsicmp(value.c_str(), FSkinDirectory.c_str()) == 0) return;
  FSkinDirectory = value;
  SkinListChanged();
  if (!Loading()) FSkinList->UpdateIfNeeded(false);
}

void TsSkinManager::SetSkinsFilter(TacSkinsFilter value) {
  if (value == FSkinsFilter) return;
  FSkinsFilter = value;
  SkinListChanged();
}

void TsSkinManager::SkinListChanged() {
  if (!FSkinList) return;  // still being made
  FSkinList->Invalidate();
  if (OnSkinListChanged) OnSkinListChanged(this);
}

std::vector<String> TsSkinManager::GetSkinNames(int kind) {
  FSkinList->UpdateIfNeeded(true);
  return FSkinList->SkinNames(kind);
}

void TsSkinManager::SetIsDefault(bool value) {
  if (!value && TheDefaultManager && TheDefaultManager != this) return;
  TheDefaultManager = this;
  if (value) DefaultScaleMode = FManagerOptions->ScaleMode();
  if (FActive)
    UpdateSkin(true);
  else
    RemoveSkin();
}

void TsSkinManager::SetBrightness(int value) {
  value = std::clamp(value, -100, 100);
  if (value == FBrightness) return;
  FBrightness = value;
  RefreshSkin();
}

void TsSkinManager::SetHueOffset(int value) {
  if (value == FHueOffset) return;
  FHueOffset = value;
  RefreshSkin();
}

void TsSkinManager::SetSaturation(int value) {
  if (value == FSaturation) return;
  FSaturation = value;
  RefreshSkin();
}

void TsSkinManager::SetCommonSections(const std::vector<String>& lines) {
  FCommonSections.clear();
  String text;
  for (String line : lines) {
    if (!line.empty() && line[0] != L';') line.erase(std::remove(line.begin(), line.end(), L' '), line.end());
    text += line + L"\r\n";
    FCommonSections.push_back(std::move(line));
  }
  FCommonOptions.SetText(StringToAnsi(text));
  SetSkinName(FSkinName);
}

void TsSkinManager::SetActive(bool value) {
  if (value == FActive) return;
  if (value) {
    FActive = true;
    SetSkinName(FSkinName);
  } else {
    FActive = false;
    if (IsDefault() && !FSkinName.empty()) DefaultScaleMode = TacScaleMode::smFramework;
    if (!Loading()) RemoveSkin();
    ResetSkinData();
    if (OnDeactivate) OnDeactivate(this);
  }
  FSkinList->AnnounceUpdating();
}

void TsSkinManager::SetSkinName(const String& value) {
  const String oldName = FSkinName;
  FSkinName = value;
  if (Loading()) return;  // Loaded applies it
  const bool wasLoaded = FSkinLoaded;
  if (FActive) {
    FGlobalInfoRead = false;
    if (OnBeforeChange) OnBeforeChange(this);
    FSkinChanging = true;
    if (OnSkinChanging) {
      bool allow = true;
      OnSkinChanging(this, FSkinName, allow);
      if (!allow) {
        FSkinName = oldName;
        FSkinChanging = false;
        return;
      }
    }
    if (EndsWithSkz(FSkinName)) FSkinName.resize(FSkinName.size() - 4);
    try {
      ResetSkinData();
      PrepareSkinData();
      if (RightToLeftLayout()) UpdateRTLButtons(true);
    } catch (const Exception& e) {
      FSkinName = oldName;
      ShowError(e.Message());
    }
    if (!FActive)
      RemoveSkin();
    else if (!FUpdating)
      UpdateSkin(true);
    if (!wasLoaded && FActive && FSkinLoaded && OnActivate) OnActivate(this);
    FSkinChanging = false;
    FSkinLoaded = SkinData() && !SkinData()->GeneralDataArray.empty();
    if (!FUpdating && OnAfterChange) OnAfterChange(this);
  }
  if (!FSkinChanging && FSkinName != oldName) FSkinList->AnnounceUpdating();
}

void TsSkinManager::ResetSkinData() {
  // Effect windows show the old skin's pictures.
  FreeSkinEffects();
  FSkinData.clear();
  FGlobals.Clear();
  FOptions.Clear();
  FSource = TacSkinSource();
  FOrigin = TacSkinOrigin::None;
  FSkinLoaded = false;
  FGlobalInfoRead = false;
  FRTLMirrored = false;  // the pictures are read afresh
}

bool TsSkinManager::LoadSkinOptions() {
  if (FReceivedText) {
    FSource = TacSkinSource();
    FSource.Origin = TacSkinOrigin::Received;
    FSource.Name = FSkinName;
    FSource.Folder = ResolveSkinDirectory(FSkinDirectory) + FSkinName + L"\\";
    FSource.OptionText = *FReceivedText;
    FOrigin = FSource.Origin;
    FOptions.SetText(FSource.OptionText);
    return true;
  }
  FSource = FindSkin(FSkinDirectory, FSkinName, *FInternalSkins);
  if (FSource.Origin == TacSkinOrigin::None) {
    FActive = false;  // nothing anywhere: the field only, as the loader does
    return false;
  }
  if (!FSource.Error.empty()) {
    FSkinChanging = true;
    ShowError(FSource.Error);
    FSource = TacSkinSource();
    return false;
  }
  if (FSource.Origin == TacSkinOrigin::Internal) FSkinName = FSource.Name;
  FOrigin = FSource.Origin;
  FOptions.SetText(FSource.OptionText);
  return true;
}

void TsSkinManager::PrepareSkinData() {
  if (!FActive) return;
  if (!LoadSkinOptions()) return;
  GetSkinDataForPPI(FPPI);
  FSkinLoaded = SkinData() && !SkinData()->GeneralDataArray.empty();
}

void TsSkinManager::BuildSkinData(TacSkinData& data) {
  if (!FGlobalInfoRead) {
    FGlobalInfoRead = true;
    ReadGlobalInfo(FGlobals, FOptions, FSource.Reader.get(), FSource.Folder);
    CheckSkinVersion(FGlobals.Version);
    AdjustMasterBitmap(FGlobals, FOptions, {FHueOffset, FSaturation, FBrightness});
  }
  TacBuildInput input;
  input.Options = &FOptions;
  input.ReadFile = [this](const String& name) { return FSource.ReadFile(name); };
  input.MasterBitmap = FGlobals.MasterBitmap.get();
  input.Manager = this;
  input.DefLight = FGlobals.DefLight;
  input.GlobalColor = uint32_t(FOptions.ReadInteger(L"GLOBALINFO", L"COLOR", int(GetSysColor(COLOR_BTNFACE))));
  input.GlobalFontColor = uint32_t(FOptions.ReadInteger(L"GLOBALINFO", L"FONTCOLOR", 0));
  input.Common = &FCommonOptions;
  input.Brightness = FBrightness;
  input.ShadowBorders = FExtBordersMode == TacExtBordersMode::ebmShadow;
  if (FManagerOptions->ScaleMode() == TacScaleMode::smCustomPPI) input.CustomPPI = FManagerOptions->PixelsPerInch();
  ::BuildSkinData(data, input);
  LoadSkinPalette(FGlobals, FOptions, data);
  AdjustSkinData(data, FGlobals, {FHueOffset, FSaturation, FBrightness});
  FGlobals.Brushes.Make(FGlobals.Palette);
  MakeExtendedBorders(data, FGlobals.MasterBitmap.get(), FActive, ExtendedBorders(), input.ShadowBorders);
  if (OnSkinLoading) OnSkinLoading(this);
}

TacSkinData* TsSkinManager::GetSkinDataForPPI(int ppi) {
  if (FOptions.Empty()) return nullptr;
  for (auto& d : FSkinData)
    if (d->PPI == ppi) return d.get();
  FSkinData.push_back(std::make_unique<TacSkinData>(ppi));
  BuildSkinData(*FSkinData.back());
  return FSkinData.back().get();
}

void TsSkinManager::ShowError(const String& message) {
  if (OnShowError)
    OnShowError(message);
  else
    ShowMessage(message);
}

String TsSkinManager::SkinInfo() const {
  if (!FSkinLoaded) return L"N/A";
  wchar_t text[32];
  std::swprintf(text, 32, L"%.2f", FGlobals.Version);
  return text;
}

void TsSkinManager::Broadcast(uint16_t command, uint16_t argument) {
  // Last to first: a form may go away while it is told.
  for (int i = Screen->FormCount() - 1; i >= 0; --i) {
    if (i >= Screen->FormCount()) continue;
    TForm* form = Screen->Forms(i);
    if (form->Loading() || form->Destroying()) continue;
    TMessage m{WM_SKINCOMMAND, SkinCommandWParam(command, argument), reinterpret_cast<LPARAM>(this), 0};
    form->WindowProc(m);
    BroadcastToChildren(form, m);
  }
}

void TsSkinManager::UpdateSkin(bool repaint) {
  if (Loading()) return;
  Broadcast(AC_SKINLOADED);
  FSkinLoaded = SkinData() && !SkinData()->GeneralDataArray.empty();
  InstallHooks();
  if (FFonts->MainMode() != TacFontMode::fmDefault) ApplyFontMode(FFonts->MainMode());
  if (repaint) RepaintForms();
}

void TsSkinManager::RemoveSkin() {
  if (FFonts->MainMode() == TacFontMode::fmFromSkin && Application && !Application->Terminated()) {
    EnsureBaseFontName();
    ChangeMainFont(FBaseFontName);
  }
  RemoveHooks();
  ResetSkinData();
  Broadcast(AC_SKINREMOVED);
}

void TsSkinManager::RepaintForms() {
  Broadcast(AC_STOPFADING);
  Broadcast(AC_SKINREFRESH, uint16_t(FRefreshSection));
}

void TsSkinManager::RepaintSection(const String& sectionName) {
  FRefreshSection = std::max(0, GetSectionIndex(sectionName));
  RepaintForms();
  FRefreshSection = 0;
}

void TsSkinManager::RefreshSkin() {
  if (!FActive || Loading() || FSkinChanging) return;
  FSkinChanging = true;
  ResetSkinData();
  try {
    PrepareSkinData();
  } catch (const Exception& e) {
    ShowError(e.Message());
  }
  if (!FScaling) UpdateSkin(true);
  FSkinChanging = false;
  if (!FUpdating && OnAfterChange) OnAfterChange(this);
}

void TsSkinManager::ApplyReceivedSkin(const TacReceivedSkin& skin) {
  FReceivedText = skin.OptionText;
  SetSkinDirectory(skin.SkinDirectory);
  if (!skin.SectionName.empty() && FHueOffset == 0 && FBrightness == 0 && FSaturation == 0) {
    BeginUpdate();
    SetSkinName(skin.SkinName);
    FUpdating = false;
    FSkinChanging = true;
    // Loading freed every skin data object and built new ones: all controls
    // let go of what they hold, not only those of the section repainted.
    Broadcast(AC_SKINLOADED);
    RepaintSection(skin.SectionName);
    FSkinChanging = false;
  } else {
    BeginUpdate();
    SetSkinName(skin.SkinName);
    EndUpdate(true);
  }
  FReceivedText.reset();
}

void TsSkinManager::EndUpdate(bool repaint, bool) {
  FUpdating = false;
  if (FActive) UpdateSkin(repaint);
  if (OnAfterChange) OnAfterChange(this);
}

namespace {

const TacSkinData* Data96(const std::vector<std::unique_ptr<TacSkinData>>& all) {
  for (const auto& d : all)
    if (d->PPI == 96) return d.get();
  return all.empty() ? nullptr : all.front().get();
}

}  // namespace

int TsSkinManager::SectionCount() const {
  const TacSkinData* d = Data96(FSkinData);
  return d ? static_cast<int>(d->GeneralDataArray.size()) : 0;
}

bool TsSkinManager::IsValidMaskIndex(int index) const {
  const TacSkinData* d = Data96(FSkinData);
  return d && index >= 0 && index < static_cast<int>(d->MaskArray.size());
}

int TsSkinManager::GetSectionIndex(const String& name, const TacSkinData* data) const {
  const TacSkinData* d = data ? data : Data96(FSkinData);
  return d ? ::GetSectionIndex(d->GeneralDataArray, name) : -1;
}

int TsSkinManager::GetMaskIndex(const String& sectionName, const String& propName, const TacSkinData* data) const {
  const TacSkinData* d = data ? data : Data96(FSkinData);
  return d ? ::GetMaskIndex(d->MaskArray, sectionName, propName) : -1;
}

int TsSkinManager::GetSectionMaskIndex(int sectionIndex, const String& propName, const TacSkinData* data) const {
  const TacSkinData* d = data ? data : Data96(FSkinData);
  return d ? ::GetSectionMaskIndex(d->GeneralDataArray, d->MaskArray, sectionIndex, propName) : -1;
}

int TsSkinManager::GetTextureIndex(int sectionIndex, const String& sectionName, const String& propName,
                                   const TacSkinData* data) const {
  const TacSkinData* d = data ? data : Data96(FSkinData);
  return d ? ::GetTextureIndex(d->GeneralDataArray, d->MaskArray, sectionIndex, sectionName, propName) : -1;
}
