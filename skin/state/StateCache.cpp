// Placeholder bodies, replaced by the cache and repaint rules.
#include "skin/state/CommonData.h"

void TsCommonData::InitCacheBmp() {}
bool TsCommonData::IsUpdating() { return Updating; }
bool TsCommonData::CheckUpdating(bool Clear) {
  if (Clear) Updating = false;
  return Updating;
}
void TsCommonData::Invalidate(bool UpdateNow) {
  BGChanged = true;
  if (!OwnerControl) return;
  OwnerControl->Invalidate();
  if (UpdateNow) OwnerControl->Update();
}
void TsCommonData::NotifyParentMoved() {}
bool TsCommonData::ChildrenNeedRefresh() { return false; }
bool TsCommonData::MouseInControl() { return false; }
void TsCommonData::UpdatePaintFlags() { PaintFlags = 0; }
void TsCommonData::StopFading() {}
void TsCommonData::StopEffectTimer() {}
bool TsCommonData::IsAnimating() { return false; }
void TsCommonData::UpdateGlow(bool, HWND, int, bool, uint8_t) {}
void TsCommonData::PaintOuterEffect(TacBackgroundInfo&, int) {}
void TsCommonData::PaintChildrenOuterEffects(TWinControl*, POINT) {}
