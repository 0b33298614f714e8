#include "skin/state/PaintBorderData.h"

#include <algorithm>

#include "framework/Control.h"
#include "skin/state/CommonData.h"

TacPaintBorderData::TacPaintBorderData(TComponent* Owner, TNotifyEvent OnChange, TsCommonData* Data)
    : FOnChange(std::move(OnChange)), FData(Data), FOwner(Owner) {}

void TacPaintBorderData::UpdateCustomFlag() {
  FCustom = FWidth >= 0 || std::any_of(FColors.begin(), FColors.end(), [](uint32_t C) { return C != acColorUnset; }) ||
            std::any_of(FRadii.begin(), FRadii.end(), [](int R) { return R != -1; });
}

bool TacPaintBorderData::IsCustom() {
  UpdateCustomFlag();
  return FCustom;
}

void TacPaintBorderData::Changed() {
  UpdateCustomFlag();
  if (FOnChange && FOwner && !(FOwner->ComponentState() & (csLoading | csReading))) FOnChange(this);
}

void TacPaintBorderData::SetWidth(int Value) {
  if (Value == FWidth) return;
  FWidth = Value;
  Changed();
}

void TacPaintBorderData::SetColor(int Index, uint32_t Value) {
  if (Value == FColors[Index]) return;
  FColors[Index] = Value;
  Changed();
}

void TacPaintBorderData::SetRadius(int Corner, int Value) {
  if (Value == FRadii[Corner]) return;
  FRadii[Corner] = Value;
  Changed();
}

int TacPaintBorderData::GetCornerRadius(int Corner) const {
  int Radius = FRadii[Corner];
  if (Radius <= 0 || !FData) return Radius;
  if (FData->PPI != 96) Radius = ScaleToPPI(Radius, FData, true);
  const TControl* Control = FData->OwnerControl;
  if (!Control) return Radius;
  // An unset neighbour counts as no rounding.
  auto Other = [this](int C) { return std::max(FRadii[C], 0); };
  int Limit, Side;
  if (Control->Height() < Control->Width()) {
    Side = Control->Height();
    Limit = Side - Other(Corner ^ 2);  // the corner above or below
  } else {
    Side = Control->Width();
    Limit = Side - Other(Corner ^ 1);  // the corner beside
  }
  return Limit < Radius ? std::max(Side / 2, Limit) : Radius;
}
