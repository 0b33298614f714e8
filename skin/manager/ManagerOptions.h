#pragma once
// The skin manager's global options: effects and animations, button, label,
// menu and scroll-bar options, the general options with the scale mode, the
// main-font mode and the class names of foreign controls. The manager owns
// one of each; setters that change what is on screen call back into it.
#include "framework/Component.h"

#include <array>
#include <functional>

class TsSkinManager;

class TacSkinEffects : public TPersistent {
 public:
  explicit TacSkinEffects(TsSkinManager* manager) : FManager(manager) {}
  TsSkinManager* Manager() const { return FManager; }
  void SetManager(TsSkinManager* manager) { FManager = manager; }

  bool AllowAnimation() const { return FAllowAnimation; }
  void SetAllowAnimation(bool value);
  bool AllowAeroBluring() const { return FAllowAeroBluring; }
  void SetAllowAeroBluring(bool value) { FAllowAeroBluring = value; }
  bool AllowGlowing() const { return FAllowGlowing; }
  void SetAllowGlowing(bool value) { FAllowGlowing = value; }
  bool AllowOuterEffects() const { return FAllowOuterEffects; }
  void SetAllowOuterEffects(bool value);
  bool DiscoloredGlyphs() const { return FDiscoloredGlyphs; }
  void SetDiscoloredGlyphs(bool value);

 private:
  void RepaintUnlessBusy();
  TsSkinManager* FManager;
  bool FAllowAnimation = true, FAllowAeroBluring = true, FAllowGlowing = true, FAllowOuterEffects = true;
  bool FDiscoloredGlyphs = false;
};

enum class TacAnimType { atFading, atAero, atDropDown };
enum class TacAnimTypeCtrl { atcFade, atcAero, atcBlur, atcBlur2, atcRunup };
enum TacBtnEvent : unsigned {
  beMouseEnter = 1,
  beMouseLeave = 2,
  beMouseDown = 4,
  beMouseUp = 8,
  beClick = 16,
  beLighting = 32
};
using TacBtnEvents = unsigned;
enum class TacLightingMode { lmAffectNearest, lmActiveControl };
enum class TacClickEffect { ceCircle, ceWaveOut, ceCircleAndWave };

class TacFormAnimation : public TPersistent {
 public:
  TacFormAnimation(bool active, int time) : FActive(active), FTime(time) {}
  bool Active() const { return FActive; }
  void SetActive(bool value) { FActive = value; }
  int Time() const { return FTime; }
  void SetTime(int value) { FTime = value; }

 private:
  bool FActive;
  int FTime;
};

class TacBlendOnMoving : public TacFormAnimation {
 public:
  TacBlendOnMoving() : TacFormAnimation(false, 1000) {}
  int BlendValue() const { return FBlendValue; }
  void SetBlendValue(int value) { FBlendValue = value; }

 private:
  int FBlendValue = 170;
};

// An animation that publishes its kind; Mode is one of the two kind enums.
template <typename TMode>
class TacModeAnimation : public TacFormAnimation {
 public:
  TacModeAnimation(bool active, int time, TMode mode) : TacFormAnimation(active, time), FMode(mode) {}
  TMode Mode() const { return FMode; }
  void SetMode(TMode value) { FMode = value; }

 private:
  TMode FMode;
};

class TacDialogShow : public TacModeAnimation<TacAnimType> {
 public:
  TacDialogShow() : TacModeAnimation(true, 0, TacAnimType::atAero) {}
};
class TacFormShow : public TacModeAnimation<TacAnimType> {
 public:
  TacFormShow() : TacModeAnimation(true, 0, TacAnimType::atAero) {}
};
class TacFormHide : public TacModeAnimation<TacAnimType> {
 public:
  TacFormHide() : TacModeAnimation(true, 0, TacAnimType::atAero) {}
};
class TacMinimizing : public TacFormAnimation {
 public:
  TacMinimizing() : TacFormAnimation(true, 80) {}
};
class TacPageChange : public TacModeAnimation<TacAnimTypeCtrl> {
 public:
  TacPageChange() : TacModeAnimation(true, 0, TacAnimTypeCtrl::atcFade) {}
};
class TacSkinChanging : public TacModeAnimation<TacAnimType> {
 public:
  TacSkinChanging() : TacModeAnimation(true, 100, TacAnimType::atFading) {}
};

class TacBtnEffects : public TPersistent {
 public:
  TacBtnEffects() = default;
  TacBtnEvents Events() const { return FEvents; }
  void SetEvents(TacBtnEvents value) { FEvents = value; }
  TacLightingMode LightingMode() const { return FLightingMode; }
  // Button lighting itself belongs to the effects, which are not built.
  void SetLightingMode(TacLightingMode value) { FLightingMode = value; }
  TacClickEffect ClickEffect() const { return FClickEffect; }
  void SetClickEffect(TacClickEffect value) { FClickEffect = value; }

 private:
  TacBtnEvents FEvents = beMouseEnter | beMouseLeave | beMouseDown | beMouseUp;
  TacLightingMode FLightingMode = TacLightingMode::lmActiveControl;
  TacClickEffect FClickEffect = TacClickEffect::ceCircle;
};

class TacAnimEffects : public TPersistent {
 public:
  TacBlendOnMoving BlendOnMoving;
  TacBtnEffects Buttons;
  TacDialogShow DialogShow;
  TacFormShow FormShow;
  TacFormHide FormHide;
  TacFormHide DialogHide;
  TacMinimizing Minimizing;
  TacPageChange PageChange;
  TacSkinChanging SkinChanging;
};

enum TacButtonsColoringItem : unsigned { bcBackground = 1, bcGlyph = 2, bcText = 4 };
using TacButtonsColoring = unsigned;

class TacButtonsSupport : public TPersistent {
 public:
  explicit TacButtonsSupport(TsSkinManager* manager) : FManager(manager) {}
  // One value for every manager of the process.
  static bool OldGlyphsMode();
  void SetOldGlyphsMode(bool value);
  bool ShowFocusRect() const { return FShowFocusRect; }
  void SetShowFocusRect(bool value) { FShowFocusRect = value; }
  bool ShiftContentOnClick() const { return FShiftContentOnClick; }
  void SetShiftContentOnClick(bool value) { FShiftContentOnClick = value; }
  bool AllowRTLSysButtons() const { return FAllowRTLSysButtons; }
  void SetAllowRTLSysButtons(bool value) { FAllowRTLSysButtons = value; }
  TacButtonsColoring ModalButtonsColoring() const { return FModalButtonsColoring; }
  void SetModalButtonsColoring(TacButtonsColoring value) { FModalButtonsColoring = value; }

 private:
  TsSkinManager* FManager;
  bool FShowFocusRect = false, FShiftContentOnClick = true, FAllowRTLSysButtons = true;
  TacButtonsColoring FModalButtonsColoring = bcGlyph;
};

class TacLabelsSupport : public TPersistent {
 public:
  bool TransparentAlways() const { return FTransparentAlways; }
  void SetTransparentAlways(bool value) { FTransparentAlways = value; }

 private:
  bool FTransparentAlways = true;
};

// The part of the menu options the manager itself needs; the rest comes
// with the menu skinning.
class TacMenuSupport : public TPersistent {
 public:
  const String& IcoLineSkin() const { return FIcoLineSkin; }
  void SetIcoLineSkin(const String& value) { FIcoLineSkin = value; }
  // Menus keep their own font instead of the main font.
  bool CustomFont() const { return FCustomFont; }
  void SetCustomFont(bool value) { FCustomFont = value; }

 private:
  String FIcoLineSkin;
  bool FCustomFont = false;
};

class TacScrollBarsSupport : public TPersistent {
 public:
  explicit TacScrollBarsSupport(TsSkinManager* manager) : FManager(manager) {}
  // -1: the skin's.
  int ButtonsSize() const { return FButtonsSize; }
  void SetButtonsSize(int value);
  int ScrollSize() const { return FScrollSize; }
  void SetScrollSize(int value);

 private:
  TsSkinManager* FManager;
  int FButtonsSize = -1, FScrollSize = -1;
};

enum class TacArrowsStyle { arsSolid1, arsLines1, arsSolid2, arsLines2, arsSolid3, arsDefault };
enum class TacOptimizingPriority { opSpeed, opMemory };
enum class TacScaleMode { sm100, sm125, sm150, sm200, smAuto, smOldMode, smFramework, smCustomPPI };
enum class TacGroupBoxStyle { gsStandard, gsCard };

// The mode that form skinning follows: the default manager's, smFramework
// while it is inactive.
extern TacScaleMode DefaultScaleMode;

class TacOptions : public TPersistent {
 public:
  // The seven Booleans, by their shared index.
  enum TBoolOption {
    boCheckEmptyAlpha,
    boNoMouseHover,
    boNativeBordersMaximized,
    boStdGlyphsOrder,
    boChangeSysColors,
    boStdImgTransparency,
    boDrawNonClientArea
  };
  static constexpr int kMinPPI = 48, kMaxPPI = 384;

  explicit TacOptions(TsSkinManager* manager) : FManager(manager) {}

  bool GetBool(TBoolOption index) const { return FBools[index]; }
  void SetBool(TBoolOption index, bool value);
  bool ChangeSysColors() const { return GetBool(boChangeSysColors); }
  bool CheckEmptyAlpha() const { return GetBool(boCheckEmptyAlpha); }
  bool DrawNonClientArea() const { return GetBool(boDrawNonClientArea); }
  bool NativeBordersMaximized() const { return GetBool(boNativeBordersMaximized); }
  bool NoMouseHover() const { return GetBool(boNoMouseHover); }
  bool StdGlyphsOrder() const { return GetBool(boStdGlyphsOrder); }
  bool StdImgTransparency() const { return GetBool(boStdImgTransparency); }

  TacArrowsStyle ArrowsStyle() const { return FArrowsStyle; }
  void SetArrowsStyle(TacArrowsStyle value);
  // ArrowsStyle with arsDefault taken from the loaded skin.
  TacArrowsStyle GetActualArrowsStyle() const;
  TacOptimizingPriority OptimizingPriority() const { return FOptimizingPriority; }
  void SetOptimizingPriority(TacOptimizingPriority value) { FOptimizingPriority = value; }
  // smFramework is reported as smAuto: the manager works as under smAuto then.
  TacScaleMode ScaleMode() const;
  void SetScaleMode(TacScaleMode value);
  // The mode as stored, for the manager's own bookkeeping.
  TacScaleMode StoredScaleMode() const { return FScaleMode; }
  int PixelsPerInch() const { return FPixelsPerInch; }
  void SetPixelsPerInch(int value);
  bool RotateArrows() const { return FRotateArrows; }
  void SetRotateArrows(bool value) { FRotateArrows = value; }
  TacGroupBoxStyle GroupBoxStyle() const { return FGroupBoxStyle; }
  void SetGroupBoxStyle(TacGroupBoxStyle value);

 private:
  friend class TsSkinManager;  // the scale change stores mode and density
  TsSkinManager* FManager;
  std::array<bool, 7> FBools = {false, false, false, false, false, false, true};
  TacArrowsStyle FArrowsStyle = TacArrowsStyle::arsDefault;
  TacOptimizingPriority FOptimizingPriority = TacOptimizingPriority::opSpeed;
  TacScaleMode FScaleMode = TacScaleMode::smAuto;
  int FPixelsPerInch = 96;
  bool FRotateArrows = false;
  TacGroupBoxStyle FGroupBoxStyle = TacGroupBoxStyle::gsStandard;
};

enum class TacFontMode { fmDefault, fmFromSkin, fmCustom };

class TacFonts : public TPersistent {
 public:
  explicit TacFonts(TsSkinManager* owner) : FOwner(owner) {}
  TacFontMode MainMode() const { return FMainMode; }
  void SetMainMode(TacFontMode value);
  const String& MainFont() const { return FMainFont; }
  void SetMainFont(const String& value);

 private:
  TsSkinManager* FOwner;
  TacFontMode FMainMode = TacFontMode::fmDefault;
  String FMainFont;
};

constexpr int acThirdPartyListCount = 23;

// Indexes of the class-name lists, shared with the control hooks and the
// form skinning.
enum TacThirdPartyIndex {
  ThirdEditsIndex = 0,
  ThirdButtonsIndex = 1,
  ThirdBitBtnsIndex = 2,
  ThirdCheckBoxesIndex = 3,
  ThirdComboBoxesIndex = 4,
  ThirdGridsIndex = 5,
  ThirdGroupBoxesIndex = 6,
  ThirdListViewsIndex = 7,
  ThirdPanelsIndex = 8,
  ThirdTreeViewsIndex = 9,
  ThirdWWEditsIndex = 10,
  ThirdGridEhIndex = 11,
  ThirdVirtualTreesIndex = 12,
  ThirdPageControlIndex = 13,
  ThirdTabControlIndex = 14,
  ThirdToolBarIndex = 15,
  ThirdStatusBarIndex = 16,
  ThirdSpeedButtonIndex = 17,
  ThirdScrollControlIndex = 18,
  ThirdUpDownIndex = 19,
  ThirdScrollBarIndex = 20,
  ThirdStaticTextIndex = 21,
  ThirdNativePaintIndex = 22
};

// The class names of foreign controls as text, one name per line, by list
// index.
class TsThirdPartyList : public TPersistent {
 public:
  const String& Item(int index) const { return FItems.at(index); }
  void SetItem(int index, const String& value) { FItems.at(index) = value; }

  const String& ThirdEdits() const { return Item(ThirdEditsIndex); }
  void SetThirdEdits(const String& v) { SetItem(ThirdEditsIndex, v); }
  const String& ThirdButtons() const { return Item(ThirdButtonsIndex); }
  void SetThirdButtons(const String& v) { SetItem(ThirdButtonsIndex, v); }
  const String& ThirdBitBtns() const { return Item(ThirdBitBtnsIndex); }
  void SetThirdBitBtns(const String& v) { SetItem(ThirdBitBtnsIndex, v); }
  const String& ThirdCheckBoxes() const { return Item(ThirdCheckBoxesIndex); }
  void SetThirdCheckBoxes(const String& v) { SetItem(ThirdCheckBoxesIndex, v); }
  const String& ThirdGroupBoxes() const { return Item(ThirdGroupBoxesIndex); }
  void SetThirdGroupBoxes(const String& v) { SetItem(ThirdGroupBoxesIndex, v); }
  const String& ThirdListViews() const { return Item(ThirdListViewsIndex); }
  void SetThirdListViews(const String& v) { SetItem(ThirdListViewsIndex, v); }
  const String& ThirdPanels() const { return Item(ThirdPanelsIndex); }
  void SetThirdPanels(const String& v) { SetItem(ThirdPanelsIndex, v); }
  const String& ThirdGrids() const { return Item(ThirdGridsIndex); }
  void SetThirdGrids(const String& v) { SetItem(ThirdGridsIndex, v); }
  const String& ThirdTreeViews() const { return Item(ThirdTreeViewsIndex); }
  void SetThirdTreeViews(const String& v) { SetItem(ThirdTreeViewsIndex, v); }
  const String& ThirdComboBoxes() const { return Item(ThirdComboBoxesIndex); }
  void SetThirdComboBoxes(const String& v) { SetItem(ThirdComboBoxesIndex, v); }
  const String& ThirdWWEdits() const { return Item(ThirdWWEditsIndex); }
  void SetThirdWWEdits(const String& v) { SetItem(ThirdWWEditsIndex, v); }
  const String& ThirdVirtualTrees() const { return Item(ThirdVirtualTreesIndex); }
  void SetThirdVirtualTrees(const String& v) { SetItem(ThirdVirtualTreesIndex, v); }
  const String& ThirdGridEh() const { return Item(ThirdGridEhIndex); }
  void SetThirdGridEh(const String& v) { SetItem(ThirdGridEhIndex, v); }
  const String& ThirdPageControl() const { return Item(ThirdPageControlIndex); }
  void SetThirdPageControl(const String& v) { SetItem(ThirdPageControlIndex, v); }
  const String& ThirdTabControl() const { return Item(ThirdTabControlIndex); }
  void SetThirdTabControl(const String& v) { SetItem(ThirdTabControlIndex, v); }
  const String& ThirdToolBar() const { return Item(ThirdToolBarIndex); }
  void SetThirdToolBar(const String& v) { SetItem(ThirdToolBarIndex, v); }
  const String& ThirdStatusBar() const { return Item(ThirdStatusBarIndex); }
  void SetThirdStatusBar(const String& v) { SetItem(ThirdStatusBarIndex, v); }
  const String& ThirdSpeedButton() const { return Item(ThirdSpeedButtonIndex); }
  void SetThirdSpeedButton(const String& v) { SetItem(ThirdSpeedButtonIndex, v); }
  const String& ThirdScrollControl() const { return Item(ThirdScrollControlIndex); }
  void SetThirdScrollControl(const String& v) { SetItem(ThirdScrollControlIndex, v); }
  const String& ThirdUpDown() const { return Item(ThirdUpDownIndex); }
  void SetThirdUpDown(const String& v) { SetItem(ThirdUpDownIndex, v); }
  const String& ThirdScrollBar() const { return Item(ThirdScrollBarIndex); }
  void SetThirdScrollBar(const String& v) { SetItem(ThirdScrollBarIndex, v); }
  const String& ThirdStaticText() const { return Item(ThirdStaticTextIndex); }
  void SetThirdStaticText(const String& v) { SetItem(ThirdStaticTextIndex, v); }
  const String& ThirdNativePaint() const { return Item(ThirdNativePaintIndex); }
  void SetThirdNativePaint(const String& v) { SetItem(ThirdNativePaintIndex, v); }

 private:
  std::array<String, acThirdPartyListCount> FItems;
};

struct TScaleChangeData {
  TacScaleMode OldScaleMode, NewScaleMode;
  int OldPercent, NewPercent;
  int OldPPI, NewPPI;
};
using TScaleChangeEvent = std::function<void(TObject* Sender, const TScaleChangeData& Data)>;
using TFontChanged = std::function<void(TObject* Sender, const String& OldFontName, const String& NewFontName)>;
