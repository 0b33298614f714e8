#pragma once
// The custom border a skin state carries: width, state colours and corner
// radii that override the skin's when set.
#include "framework/Component.h"
#include "skin/state/SkinBaseTypes.h"

#include <array>
#include <functional>

class TsCommonData;

class TacPaintBorderData : public TPersistent {
 public:
  // Data is the skin state the border belongs to (or nil); Owner's loading
  // silences OnChange.
  TacPaintBorderData(TComponent* Owner, TNotifyEvent OnChange, TsCommonData* Data);

  bool IsCustom();
  int Width() const { return FWidth; }
  void SetWidth(int Value);
  // Index 0 normal, 1 active, 2 pressed.
  uint32_t Color(int Index) const { return FColors[Index]; }
  void SetColor(int Index, uint32_t Value);
  uint32_t ColorNormal() const { return FColors[0]; }
  uint32_t ColorActive() const { return FColors[1]; }
  uint32_t ColorPressed() const { return FColors[2]; }
  void SetColorNormal(uint32_t Value) { SetColor(0, Value); }
  void SetColorActive(uint32_t Value) { SetColor(1, Value); }
  void SetColorPressed(uint32_t Value) { SetColor(2, Value); }
  // Index 0 top-left, 1 top-right, 2 bottom-left, 3 bottom-right; -1 unset.
  int Radius(int Corner) const { return FRadii[Corner]; }
  void SetRadius(int Corner, int Value);
  void SetRadiusTopLeft(int Value) { SetRadius(0, Value); }
  void SetRadiusTopRight(int Value) { SetRadius(1, Value); }
  void SetRadiusBottomLeft(int Value) { SetRadius(2, Value); }
  void SetRadiusBottomRight(int Value) { SetRadius(3, Value); }
  // The corner's radius at the state's density, limited so that two
  // corners on the control's shorter side do not overlap.
  int GetCornerRadius(int Corner) const;

  TsCommonData* Data() const { return FData; }
  TComponent* Owner() const { return FOwner; }

 private:
  void UpdateCustomFlag();
  void Changed();
  bool FCustom = false;
  int FWidth = -1;
  TNotifyEvent FOnChange;
  std::array<uint32_t, 3> FColors{acColorUnset, acColorUnset, acColorUnset};
  std::array<int, 4> FRadii{-1, -1, -1, -1};
  TsCommonData* FData = nullptr;
  TComponent* FOwner = nullptr;
};
