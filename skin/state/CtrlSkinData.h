#pragma once
// TsCtrlSkinData: the skin state of ordinary skinned controls, with the
// colour-effect properties and the mouse-light state.
#include "skin/state/CommonData.h"

#include <functional>

// The state the paint-state event is told (AC_MOUSELIGHT).
struct TacPaintStateInfo {
  uint8_t State = 0;
  uint8_t Reserved = 0;
};
using TacPaintStateEvent = std::function<void(TControl* Sender, TacPaintStateInfo& Info)>;

class TsCtrlSkinData : public TsCommonData {
 public:
  TsCtrlSkinData(TPersistent* AOwner, bool CreateCache) : TsCommonData(AOwner, CreateCache) {}
  ~TsCtrlSkinData() override;

  void Loaded(bool ApplyColors) override;

  void SetColorTone(uint32_t Value);
  void SetHUEOffset(int Value);
  void SetSaturation(int Value);

  // Whether the mouse light is drawn on this control now.
  bool UsesMouseLight(bool UseFlag) const;
  // With OnlyWhenUnused the bitmaps are kept while the light is in use.
  void FreeLightBitmaps(bool OnlyWhenUnused);

  std::unique_ptr<TBitmap> LightBmp;
  std::unique_ptr<TBitmap> LightData;
  TacPaintStateEvent OnPaintState;
  bool LightActive = false;
  POINT LightPos{};
  // Read by the stage put in front of the owner's window procedure
  // (InstallCtrlSkinStage); nil once this state is gone.
  std::shared_ptr<TsCtrlSkinData*> StageLink;

 private:
  void ColorEffectChanged();
};
