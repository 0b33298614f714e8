#pragma once
// TsSkinManager: the component that owns the program's skin. It finds and
// loads the skin named by SkinName, keeps its data per density and its
// skin-wide values, and tells every form of the program when the skin was
// loaded, refreshed or removed (WM_SKINCOMMAND).
#include "framework/Component.h"
#include "skin/manager/SkinData.h"
#include "skin/manager/ReceivedSkin.h"
#include "skin/manager/SkinGlobals.h"
#include "skin/manager/SkinList.h"
#include "skin/manager/SkinOptions.h"
#include "skin/manager/SkinSource.h"
#include "skin/manager/StoredSkins.h"

#include <functional>
#include <memory>
#include <vector>

enum TacSkinningRule : unsigned { srStdForms = 1, srStdDialogs = 2, srThirdParty = 4 };
using TacSkinningRules = unsigned;
enum TacSkinsFilterItem : unsigned { sfiInternal = 1, sfiExternal = 2 };
using TacSkinsFilter = unsigned;
enum class TacExtBordersMode { ebmFull, ebmShadow };

using TacSkinChangingEvent = std::function<void(TObject* Sender, const String& NewSkinName, bool& AllowChanging)>;

class TsSkinManager : public TComponent {
 public:
  explicit TsSkinManager(TComponent* owner);
  ~TsSkinManager() override;

  // The first manager made, or the last one made default.
  static TsSkinManager* DefaultManager();

  bool Active() const { return FActive; }
  void SetActive(bool value);
  const String& SkinName() const { return FSkinName; }
  void SetSkinName(const String& value);
  const String& SkinDirectory() const { return FSkinDirectory; }
  void SetSkinDirectory(const String& value);
  TsStoredSkins& InternalSkins() { return *FInternalSkins; }
  bool IsDefault() const { return DefaultManager() == this; }
  void SetIsDefault(bool value);
  int Brightness() const { return FBrightness; }
  void SetBrightness(int value);
  int HueOffset() const { return FHueOffset; }
  void SetHueOffset(int value);
  int Saturation() const { return FSaturation; }
  void SetSaturation(int value);
  // Extra option text read beside the skin's own: sections the skin lacks.
  const std::vector<String>& CommonSections() const { return FCommonSections; }
  void SetCommonSections(const std::vector<String>& lines);
  bool SkinnedPopups() const { return FSkinnedPopups; }
  void SetSkinnedPopups(bool value) { FSkinnedPopups = value; }
  bool ExtendedBorders() const { return false; }  // needs layered borders, which come later
  void SetExtendedBorders(bool value) { FExtendedBorders = value; }
  TacExtBordersMode ExtBordersMode() const { return FExtBordersMode; }
  void SetExtBordersMode(TacExtBordersMode value) { FExtBordersMode = value; }
  TacSkinningRules SkinningRules() const { return FSkinningRules; }
  void SetSkinningRules(TacSkinningRules value) { FSkinningRules = value; }
  TacSkinsFilter SkinsFilter() const { return FSkinsFilter; }
  void SetSkinsFilter(TacSkinsFilter value);
  // The loaded skin's version as text ("16.00"), "N/A" with none.
  String SkinInfo() const;
  static String Version() { return L"16.16"; }

  TNotifyEvent OnActivate, OnAfterChange, OnBeforeChange, OnDeactivate, OnSkinLoading, OnSkinListChanged;
  TacSkinChangingEvent OnSkinChanging;
  // How load errors are shown; a message box unless set.
  std::function<void(const String& message)> OnShowError;

  // Lookups of the painters, on the skin data of 96 pixels per inch.
  bool IsSkinLoaded() const { return FSkinLoaded; }
  int SectionCount() const;
  bool IsValidSectionIndex(int index) const { return index >= 0 && index < SectionCount(); }
  bool IsValidMaskIndex(int index) const;
  int GetSectionIndex(const String& name, const TacSkinData* data = nullptr) const;
  int GetMaskIndex(const String& sectionName, const String& propName, const TacSkinData* data = nullptr) const;
  int GetSectionMaskIndex(int sectionIndex, const String& propName, const TacSkinData* data = nullptr) const;
  int GetTextureIndex(int sectionIndex, const String& sectionName, const String& propName,
                      const TacSkinData* data = nullptr) const;

  // The skin data for a density, built on first request; nullptr with no skin.
  TacSkinData* GetSkinDataForPPI(int ppi);
  TacSkinData* SkinData() const { return FSkinData.empty() ? nullptr : FSkinData.front().get(); }
  const TacSkinGlobals& Globals() const { return FGlobals; }
  const std::array<uint32_t, 59>& Palette() const { return FGlobals.Palette; }
  const TacSkinOptions& SkinOptions() const { return FOptions; }
  TacSkinOrigin SkinOrigin() const { return FOrigin; }
  // The density the skin is built for: the screen's.
  int CurrentPPI() const { return FPPI; }
  void SetCurrentPPI(int ppi) { FPPI = ppi; }

  void BeginUpdate() { FUpdating = true; }
  void EndUpdate(bool repaint, bool animate = false);
  void UpdateSkin(bool repaint);
  void RemoveSkin();
  void RefreshSkin();
  void RepaintForms();
  void RepaintSection(const String& sectionName);
  bool SkinChanging() const { return FSkinChanging; }

  // Applies a skin another process sent: its option text, with its pictures
  // from its folder under the received directory.
  void ApplyReceivedSkin(const TacReceivedSkin& skin);

  // Told by the internal skins when one is added: stops a filling and flags
  // the list for rebuilding.
  void SkinListChanged();
  TacSkinListController& SkinList() { return *FSkinList; }
  // Names of file skins (kind 0), internal skins (1) or both (2), sorted; the
  // list is completed first.
  std::vector<String> GetSkinNames(int kind);

 protected:
  void Loaded() override;

 private:
  void ResetSkinData();
  bool LoadSkinOptions();
  void PrepareSkinData();
  void BuildSkinData(TacSkinData& data);
  void ShowError(const String& message);
  void Broadcast(uint16_t command, uint16_t argument = 0);

  bool FActive = true;
  String FSkinName;
  String FSkinDirectory;
  std::unique_ptr<TsStoredSkins> FInternalSkins;
  int FBrightness = 0, FHueOffset = 0, FSaturation = 0;
  bool FSkinnedPopups = true;
  bool FExtendedBorders = false;
  TacExtBordersMode FExtBordersMode = TacExtBordersMode::ebmFull;
  TacSkinningRules FSkinningRules = srStdForms | srStdDialogs | srThirdParty;
  TacSkinsFilter FSkinsFilter = sfiInternal | sfiExternal;
  bool FSkinLoaded = false;
  bool FGlobalInfoRead = false;
  bool FSkinChanging = false;
  bool FUpdating = false;
  int FRefreshSection = 0;
  int FPPI = 96;

  std::optional<std::string> FReceivedText;  // only while a received skin is applied
  TacSkinOptions FOptions;
  TacSkinSource FSource;
  TacSkinOrigin FOrigin = TacSkinOrigin::None;
  TacSkinGlobals FGlobals;
  std::vector<std::unique_ptr<TacSkinData>> FSkinData;
  std::unique_ptr<TacSkinListController> FSkinList;
  std::vector<String> FCommonSections;
  TacSkinOptions FCommonOptions;
};
