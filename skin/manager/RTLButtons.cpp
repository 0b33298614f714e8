#include "skin/manager/RTLButtons.h"

#include "framework/Application.h"
#include "framework/Form.h"
#include "skin/manager/SkinData.h"
#include "skin/manager/SkinManager.h"

#include <algorithm>
#include <set>
#include <tuple>

namespace {

// Places in TitleIconNames of the four button kinds, big then small.
constexpr int kTitleButtonIcons[] = {1, 2, 3, 4, 6, 7, 8, 9};

}  // namespace

void MirrorFrames(TBitmap& bitmap, const RECT& rect, int frames) {
  if (bitmap.PixelFormat() != pf32bit) return;
  const RECT r{std::max(0L, rect.left), std::max(0L, rect.top), std::min<LONG>(rect.right, bitmap.Width()),
               std::min<LONG>(rect.bottom, bitmap.Height())};
  const int frameWidth = (r.right - r.left) / std::max(1, frames);
  if (frameWidth < 2) return;
  for (int y = r.top; y < r.bottom; ++y) {
    auto* row = static_cast<uint32_t*>(bitmap.ScanLine(y));
    if (!row) continue;
    for (int f = 0; f < std::max(1, frames); ++f) {
      uint32_t* first = row + r.left + f * frameWidth;
      std::reverse(first, first + frameWidth);
    }
  }
}

void MirrorTitleButtons(const std::vector<TacSkinData*>& data, TBitmap* master) {
  // Small icons fall back to the big ones, densities share the master
  // bitmap: a picture mirrored twice would come back unmirrored.
  std::set<std::tuple<TBitmap*, LONG, LONG, LONG, LONG>> done;
  for (TacSkinData* d : data) {
    if (!d) continue;
    for (int icon : kTitleButtonIcons) {
      const int index = d->TitleIcons[icon];
      if (index < 0 || index >= static_cast<int>(d->MaskArray.size())) continue;
      const TsMaskData& item = d->MaskArray[index];
      TBitmap* bitmap = item.Bmp ? item.Bmp : master;
      if (!bitmap) continue;
      const RECT& r = item.SrcRect;
      if (done.emplace(bitmap, r.left, r.top, r.right, r.bottom).second) MirrorFrames(*bitmap, r, item.ImageCount);
    }
  }
}

bool RightToLeftLayout() {
  DWORD layout = 0;
  if (GetProcessDefaultLayout(&layout) && (layout & LAYOUT_RTL)) return true;
  TForm* form = Application ? Application->MainForm() : nullptr;
  if (!form || !form->HandleAllocated()) return false;
  return (GetWindowLongW(form->Handle(), GWL_EXSTYLE) & (WS_EX_LAYOUTRTL | WS_EX_RTLREADING)) != 0;
}

void TsSkinManager::UpdateRTLButtons(bool rightToLeft) {
  if (!FButtonsOptions->AllowRTLSysButtons() || FRTLMirrored == rightToLeft) return;
  FRTLMirrored = rightToLeft;
  std::vector<TacSkinData*> all;
  for (auto& d : FSkinData) all.push_back(d.get());
  MirrorTitleButtons(all, FGlobals.MasterBitmap.get());
}
