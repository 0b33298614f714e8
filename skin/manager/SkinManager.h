#pragma once
// TsSkinManager: the component that owns the program's skin. It finds and
// loads the skin named by SkinName, keeps its data per density and its
// skin-wide values, and tells every form of the program when the skin was
// loaded, refreshed or removed (WM_SKINCOMMAND).
#include "framework/Application.h"
#include "framework/Component.h"
#include "framework/Timer.h"
#include "skin/manager/FormSkinningServices.h"
#include "skin/manager/OwnedHook.h"
#include "skin/manager/SkinData.h"
#include "skin/manager/ManagerOptions.h"
#include "skin/manager/ReceivedSkin.h"
#include "skin/manager/SkinGlobals.h"
#include "skin/manager/SkinList.h"
#include "skin/manager/SkinOptions.h"
#include "skin/manager/SkinSource.h"
#include "skin/manager/StoredSkins.h"
#include "framework/StringList.h"

#include <functional>
#include <memory>
#include <vector>

enum TacSkinningRule : unsigned { srStdForms = 1, srStdDialogs = 2, srThirdParty = 4 };
using TacSkinningRules = unsigned;
enum TacSkinsFilterItem : unsigned { sfiInternal = 1, sfiExternal = 2 };
using TacSkinsFilter = unsigned;
enum class TacExtBordersMode { ebmFull, ebmShadow };

class TControl;
class TForm;

// The class-name lists of foreign controls, by list index.
using TacClassLists = std::array<TStringList, acThirdPartyListCount>;
// Fills Lists from the text of List; AnyFilled tells whether any text was
// not empty.
void LoadThirdPartyLists(const TsThirdPartyList& List, TacClassLists& Lists, bool& AnyFilled);
// Whether any item of any list equals Name exactly.
bool InStringLists(const TacClassLists& Lists, const String& Name);
// The density a control is painted at: the manager's (nil: the default
// manager's) when there is one and, when asked, a skin is loaded; else the
// control's monitor density, or the main form's without a control.
int GetPPIForControl(TsSkinManager* Manager, TControl* Control = nullptr, bool OnlyWhenSkinLoaded = false);
// The density of the main form (the system's before it has a window), 96
// where the system cannot tell it per window.
int MainFormDPI();
// The density of a window's monitor; the system's for no window.
int WindowDPI(HWND wnd);

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
  // True while such a skin is being applied.
  bool ReceivingSkin() const { return FReceivedText.has_value(); }

  // Told by the internal skins when one is added: stops a filling and flags
  // the list for rebuilding.
  void SkinListChanged();
  TacSkinListController& SkinList() { return *FSkinList; }
  // Names of file skins (kind 0), internal skins (1) or both (2), sorted; the
  // list is completed first.
  std::vector<String> GetSkinNames(int kind);

  // Hooks, hot window, version checks and mirrored title buttons
  // (ManagerHooks.cpp, HotWindow.cpp, SkinVersionCheck.cpp, RTLButtons.cpp).
  // The thread's window-creation hook and the mouse-leave timer: the default
  // manager's alone, installed once.
  void InstallHooks();
  void RemoveHooks();
  HHOOK CbtHook() const { return FCbtHook.Get(); }
  // Windows the creation hook wrapped; form skinning fills it.
  std::vector<std::unique_ptr<TacWrappedWindow>>& WrappedWindows() { return FWrappedWindows; }
  // The application window's messages and the main form's system commands;
  // true when handled. Only the default manager answers.
  bool MainWindowHook(TMessage& message);
  // The last system command seen with a skin loaded: 2 minimise, 1 restore,
  // 0 any other.
  int LastSysCommand() const { return FLastSysCommand; }
  // Keeps a skin another process sent until the application window is told
  // (AC_APPLYRECEIVEDSKIN) to apply it.
  void KeepReceivedSkin(TacReceivedSkin skin) { FPendingReceivedSkin = std::move(skin); }
  // The window and the speed button under the mouse, told AC_MOUSEENTER and
  // AC_MOUSELEAVE with the manager in LParam.
  HWND HotWindow() const { return FHotWindow; }
  void SetHotWindow(HWND wnd);
  TControl* HotSpeedButton() const { return FHotSpeedButton; }
  // False when clearing was refused: the button's skin state says the mouse
  // is above it.
  bool SetHotSpeedButton(TControl* button);
  // Run every 100 ms: ends the hot state of what the mouse left.
  void MouseLeaveTick();
  // Where the cursor is, on the screen; GetCursorPos unless set.
  std::function<POINT()> CursorPoint;
  // Warns about a skin made for a newer engine; called with the skin's
  // VERSION when its global values are read.
  void CheckSkinVersion(double version);
  // How the warning is shown; ShowWarningBox unless set.
  std::function<void(const String& message)> OnShowWarning;
  // The warning box, unskinned; for a handler that shows the warning later.
  void ShowWarningBox(const String& text);
  // Mirrors the title-button pictures for right-to-left forms, or back.
  void UpdateRTLButtons(bool rightToLeft);
  bool RTLMirrored() const { return FRTLMirrored; }

  // Global options, scale modes, main font and class-name lists.
  TacSkinEffects& Effects() { return *FEffects; }
  TacAnimEffects& AnimEffects() { return *FAnimEffects; }
  TacButtonsSupport& ButtonsOptions() { return *FButtonsOptions; }
  TacLabelsSupport& LabelsOptions() { return *FLabelsOptions; }
  TacMenuSupport& MenuSupport() { return *FMenuSupport; }
  TacOptions& Options() { return *FManagerOptions; }
  const TacOptions& Options() const { return *FManagerOptions; }
  TacFonts& Fonts() { return *FFonts; }
  TacScrollBarsSupport& ScrollsOptions() { return *FScrollsOptions; }
  const TacScrollBarsSupport& ScrollsOptions() const { return *FScrollsOptions; }
  TsThirdPartyList& ThirdParty() { return *FThirdParty; }
  TScaleChangeEvent OnScaleModeChange;
  TNotifyEvent OnScaleChanged;
  TFontChanged OnFontChanged;

  bool Scaling() const { return FScaling; }
  bool FontChanging() const { return FFontChanging; }
  // The scale index found at creation from the main form's density.
  int DetectedScaleIndex() const { return FDetectedScaleIndex; }
  int GetScaleIndex() const;
  int ScaleInt(int value, int scaleIndex = -1) const;
  int GetScrollWidth(int ppi) const;
  int GetSysScrollWidth(int ppi) const;
  // Rescales every form to the density of the current mode; forms that do
  // not tell their density are taken to be at fromPPI.
  void RescaleForms(int fromPPI = 96);
  void ScaleForm(TForm* form, int currentPPI, int newPPI);

  const TacClassLists& ThirdLists() const { return FThirdLists; }
  void UpdateThirdPartyLists(bool resetAll);
  void StoreThirdPartyLists();

  void ChangeMainFont(const String& name, bool animate = false);
  // Gives a control the skin's main font when it uses the base or the last
  // main font; true when it did.
  bool ApplyMainFont(TControl* control);
  const String& BaseFontName() const { return FBaseFontName; }

 private:
  friend class TacOptions;
  friend class TacScrollBarsSupport;
  friend class TacSkinEffects;
  friend class TacButtonsSupport;
  friend class TacFonts;
  void ChangeScale(TacScaleMode oldMode, TacScaleMode newMode, int newPPI, int oldPPI);
  void ApplyFontMode(TacFontMode mode);
  void EnsureBaseFontName();
  std::unique_ptr<TacSkinEffects> FEffects;
  std::unique_ptr<TacAnimEffects> FAnimEffects;
  std::unique_ptr<TacButtonsSupport> FButtonsOptions;
  std::unique_ptr<TacLabelsSupport> FLabelsOptions;
  std::unique_ptr<TacMenuSupport> FMenuSupport;
  std::unique_ptr<TacOptions> FManagerOptions;
  std::unique_ptr<TacFonts> FFonts;
  std::unique_ptr<TacScrollBarsSupport> FScrollsOptions;
  std::unique_ptr<TsThirdPartyList> FThirdParty;
  TacClassLists FThirdLists;
  int FDetectedScaleIndex = 0;
  bool FScaling = false, FFontChanging = false;
  String FBaseFontName, FLastFontName, FSkinMainFontName;
  void InitManagerOptions();

 protected:
  void Loaded() override;
  void Notification(TComponent* component, TOperation operation) override;

 private:
  void ResetSkinData();
  bool LoadSkinOptions();
  void PrepareSkinData();
  void BuildSkinData(TacSkinData& data);
  void ShowError(const String& message);
  void WithoutStdDialogs(const std::function<void()>& show);
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

  // Hooks, hot window and mirrored title buttons.
  POINT CursorNow() const;
  TOwnedHook FCbtHook;
  std::vector<std::unique_ptr<TacWrappedWindow>> FWrappedWindows;
  std::unique_ptr<TTimer> FMouseLeaveTimer;
  TMessageHookId FMainWindowHookId = 0;
  int FLastSysCommand = 0;
  std::optional<TacReceivedSkin> FPendingReceivedSkin;
  HWND FHotWindow = nullptr;
  TControl* FHotSpeedButton = nullptr;
  bool FRTLMirrored = false;
  std::vector<String> FCommonSections;
  TacSkinOptions FCommonOptions;
};
