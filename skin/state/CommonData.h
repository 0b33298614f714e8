#pragma once
// TsCommonData: the skin state every skinned control, form provider and
// window wrapper owns. It ties the owner to a skin manager (its own or the
// default one), to a section of the loaded skin and to the skin data of the
// owner's density, keeps the owner's paint cache and update nesting, and is
// found from the owner's window through the "ACSDATA" property.
#include "framework/Bitmap.h"
#include "framework/Control.h"
#include "skin/core/SkinCommand.h"
#include "skin/graphics/SkinTypes.h"
#include "skin/state/SkinBaseTypes.h"

#include <memory>
#include <vector>

class TacOuterEffects;
class TacPaintBorderData;
class TacSkinData;
class TacThreadedTimer;
class TsSkinManager;
class TacManagerLink;

// StateBits.
constexpr uint32_t acsPrinting = 0x200;
constexpr uint32_t acsInUpdate = 0x800;
constexpr uint32_t acsApplyingColors = 0x2000;
constexpr uint32_t acsWidthChanged = 0x8000;
constexpr uint32_t acsHeightChanged = 0x10000;
constexpr uint32_t acsDensityChanged = 0x40000;

class TsCommonData : public TPersistent, public TacSkinMessageTarget {
 public:
  // AOwner is the control, provider or adapter the state belongs to; with
  // CreateCache the cache bitmap exists (empty) from the start.
  TsCommonData(TPersistent* AOwner, bool CreateCache);
  ~TsCommonData() override;
  TsCommonData(const TsCommonData&) = delete;
  TsCommonData& operator=(const TsCommonData&) = delete;

  // The owner finished loading.
  virtual void Loaded(bool ApplyColors);

  // The skin path: commands sent to the window reach the stored window
  // procedure without the window's queue.
  LRESULT SkinWndProc(UINT Msg, WPARAM WParam, LPARAM LParam) override;

  void AttachWindow();
  void DetachWindow();
  void ClearOwnerLinks();
  HWND GetWndHandle() const;

  // Manager, section and index.
  TsSkinManager* SkinManager() const { return FSkinManager; }
  TsSkinManager* GetSkinManager() const;
  void SetSkinManager(TsSkinManager* Value);
  bool IsSkinManagerStored() const { return FSkinManager != nullptr; }
  const String& SkinSection() const { return FSkinSection; }
  void SetSkinSection(const String& Value);
  bool IsSkinSectionStored();
  void UpdateIndexes(bool FindIndex = true);
  void SetDefaultSection();
  // The first of Names[0..Last] the skin has becomes the section index.
  void FindIndexFromList(const std::vector<String>& Names, int Last);
  bool IsSkinned(bool NeedLoaded = false) const;

  bool CustomColor() const { return FCustomColor; }
  void SetCustomColor(bool Value);
  bool CustomFont() const { return FCustomFont; }
  void SetCustomFont(bool Value);
  TacOpaqueMode OpaqueMode() const { return FOpaqueMode; }
  void SetOpaqueMode(TacOpaqueMode Value);
  TacOuterEffects& OuterEffects() const { return *FOuterEffects; }
  TacPaintBorderData& CustomBorder() const { return *FCustomBorder; }

  // Density.
  TacSkinData* GetScaledSkinData();
  // The tables GetScaledSkinData keeps, without choosing them again.
  TacSkinData* CachedSkinData() const { return FScaledSkinData; }
  void SetScaledSkinData(TacSkinData* Data);
  int GetPPI();

  // Update bracket: the owner is told when the outermost one begins and ends.
  void BeginUpdate();
  void EndUpdate(bool Repaint = false);

  // Colours the owner takes from its section.
  void ApplySkinColors(bool Repaint);
  void ApplyStateColors(bool NoRedrawSwitch);

  // What lies under the owner, as children and painters ask for it.
  TColor GetBgColor(int UseState = 0, HWND Wnd = nullptr);
  void GetBgInfo(TacBackgroundInfo& Info, int State, HWND Wnd = nullptr);
  void GetParentBg(TacBackgroundSource& Source);
  void GetWndParentBg(HWND Wnd, TacBackgroundSource& Source);
  TColor GetLightColor(int State);
  bool ShowsParentInState(int State);
  int GetMaskBorderWidth();
  bool FocusRectVisible();
  bool OuterEffectsAllowed();
  bool DependsOnParentBg();
  // 0 normal, 1 hot.
  int GetCtrlState();

  // The cache, the update nesting and repainting.
  void InitCacheBmp();
  bool IsUpdating();
  bool CheckUpdating(bool Clear);
  void Invalidate(bool UpdateNow = false);
  void NotifyParentMoved();
  bool ChildrenNeedRefresh();
  bool MouseInControl();
  void UpdatePaintFlags();

  // Fades, glow and the outer shadow.
  void StopFading();
  void StopEffectTimer();
  bool IsAnimating();
  // Index -1 is SkinIndex.
  void UpdateGlow(bool Again, HWND Wnd = nullptr, int Index = -1, bool Animate = true, uint8_t Alpha = 255);
  void PaintOuterEffect(TacBackgroundInfo& Info, int State);
  void PaintChildrenOuterEffects(TWinControl* Parent, POINT Offset);

  // Plain state the painters and handlers read and write.
  std::unique_ptr<TBitmap> OuterBmp;
  int RedrawLock = 0;
  uint32_t ColorTone = acColorUnset;
  uint32_t SavedColor = acColorUnset;
  uint32_t SavedFontColor = acColorUnset;
  bool Focused = false;
  bool Updating = false;
  uint8_t ChildBgChanged = 0;
  bool Loading = true;
  bool OpaqueBusy = false;
  uint8_t CtrlKind = 0;
  uint8_t OpaqueState = 0;
  int GlowId = -1;
  int EffectId = -1;
  int ScaleIndex = -1;
  int HUEOffset = 0;
  int Saturation = 0;
  int PPI = 96;
  int UpdateCount = 0;
  HDC PrintDC = nullptr;
  std::unique_ptr<TBitmap> CacheBmp;
  HWND Wnd = nullptr;
  TWndMethod WndProc;
  TPersistent* OwnerObject = nullptr;
  TacThreadedTimer* PulseTimer = nullptr;
  TacThreadedTimer* ClickTimer = nullptr;
  uint16_t PaintFlags = 0;
  TacThreadedTimer* FadeTimer = nullptr;
  TacThreadedTimer* EffectTimer = nullptr;
  uint32_t StateBits = 0;
  bool MouseAbove = false;
  bool BGChanged = true;
  int SkinIndex = -1;
  TControl* OwnerControl = nullptr;

 private:
  friend class TacManagerLink;
  int AskDefaultIndex();
  void ManagerGone(const TComponent* Manager);
  void ReleaseEffectWindows();
  TacSkinData* DataForPPI(TsSkinManager* Manager, int Ppi);

  TacSkinData* FScaledSkinData = nullptr;
  // The window that carries our "ACSDATA".
  HWND FAttachedWnd = nullptr;
  // The manager FScaledSkinData belongs to: a cache made for another
  // manager (the default changed) is not returned.
  TsSkinManager* FScaledDataManager = nullptr;
  TacOpaqueMode FOpaqueMode = TacOpaqueMode::omAuto;
  std::unique_ptr<TacPaintBorderData> FCustomBorder;
  bool FCustomFont = false;
  bool FCustomColor = false;
  String FSkinSection;
  TsSkinManager* FSkinManager = nullptr;
  std::unique_ptr<TacOuterEffects> FOuterEffects;
  std::unique_ptr<TacManagerLink> FManagerLink;
};

// The skin state of a window, from its "ACSDATA" property; nil without.
TsCommonData* GetWndCommonData(HWND Wnd);
// Whether a control is painted from the skin; with NeedLoaded a window's
// skin state must also have its skin loaded.
bool IsControlSkinned(TControl* Control, bool NeedLoaded = false);
// Value at the density Data paints at (nil: the default manager's).
int ScaleToPPI(int Value, TsCommonData* Data, bool Force = false);
