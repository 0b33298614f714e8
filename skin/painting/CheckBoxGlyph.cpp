#include "skin/painting/CheckBoxGlyph.h"

#include <uxtheme.h>
#include <vssym32.h>

#include <algorithm>

#include "framework/GdiHandles.h"
#include "skin/graphics/PixelRoutines.h"
#include "skin/graphics/ThemeServices.h"
#include "skin/manager/SkinData.h"
#include "skin/manager/SkinManager.h"
#include "skin/painting/SkinGlyph.h"

namespace {

constexpr int kStandardCheckSize = 13;
// OBM_CHECKBOXES, declared by the system headers only under OEMRESOURCE.
constexpr WORD kCheckBoxesBitmap = 0x7FF7;

// The skin's glyph of State in set Kind, or nil when it has none.
const TsMaskData* SkinCheckGlyph(const TacSkinData* SkinData, int State, bool Kind) {
  if (!SkinData || State < 0 || State > 2) return nullptr;
  const int index = Kind ? SkinData->SmallCheckImages[State] : SkinData->CheckImages[State];
  if (!IsValidMaskIndex(SkinData->MaskArray, index)) return nullptr;
  const TsMaskData& mask = SkinData->MaskArray[index];
  if (!mask.Manager || !mask.Manager->Active() || mask.FrameWidth <= 0 || mask.FrameHeight <= 0) return nullptr;
  return &mask;
}

int ThemedCheckState(int State, bool Enabled, int Hot) {
  const int base = State == 1 ? CBS_CHECKEDNORMAL : State == 2 ? CBS_MIXEDNORMAL : CBS_UNCHECKEDNORMAL;
  return base + (Enabled ? std::clamp(Hot, 0, 2) : 3);
}

// The strip the system glyph is drawn on takes the background under it.
void PrepareBackground(TBitmap& Bmp, const RECT& Strip, const TacBackgroundSource& BgSource) {
  if (BgSource.Ready && BgSource.Bmp) {
    BitBlt(Bmp.DC(), Strip.left, Strip.top, Strip.right - Strip.left, Strip.bottom - Strip.top, BgSource.Bmp->DC(),
           BgSource.X + Strip.left + 1, BgSource.Y + Strip.top + 1, SRCCOPY);
  } else if (BgSource.FillColor != 0xFF00FF) {
    TOwnedBrush brush(CreateSolidBrush(BgSource.FillColor & 0xFFFFFF));
    FillRect(Bmp.DC(), &Strip, brush.get());
  }
}

}  // namespace

SIZE SystemCheckBoxSize() {
  static const SIZE size = [] {
    TOwnedBitmap checks(LoadBitmapW(nullptr, MAKEINTRESOURCEW(kCheckBoxesBitmap)));
    BITMAP info{};
    if (!checks || !GetObjectW(checks.get(), sizeof(info), &info) || info.bmWidth < 4 || info.bmHeight < 3)
      return SIZE{kStandardCheckSize, kStandardCheckSize};
    return SIZE{info.bmWidth / 4, info.bmHeight / 3};
  }();
  return size;
}

int CheckBoxGlyphWidth(const TacSkinData* SkinData, bool Kind) {
  const TsMaskData* glyph = SkinCheckGlyph(SkinData, 1, Kind);
  return glyph ? glyph->FrameWidth + 2 : SystemCheckBoxSize().cx;
}

int CheckBoxGlyphHeight(const TacSkinData* SkinData, bool Kind) {
  const TsMaskData* glyph = SkinCheckGlyph(SkinData, 1, Kind);
  return glyph ? glyph->FrameHeight : SystemCheckBoxSize().cy;
}

void DrawCheckBoxGlyph(const RECT& R, int State, bool Enabled, TBitmap& Bmp, const TacBackgroundSource& BgSource,
                       const TacSkinData* SkinData, bool Kind, int Hot) {
  if (!SkinData || Bmp.Empty()) return;
  const int width = CheckBoxGlyphWidth(SkinData, Kind), height = CheckBoxGlyphHeight(SkinData, Kind);
  const POINT at{R.left + (R.right - R.left - width) / 2, R.top + (R.bottom - R.top - height) / 2};
  if (const TsMaskData* glyph = SkinCheckGlyph(SkinData, State, Kind)) {
    DrawSkinGlyph(Bmp, at, 0, Enabled ? 1 : 2, *glyph, BgSource);
    return;
  }
  PrepareBackground(Bmp, RECT{R.left, R.top, R.left + width + 2, R.bottom}, BgSource);
  RECT box{at.x, at.y, at.x + width, at.y + height};
  if (DrawThemedElement(Bmp.DC(), L"BUTTON", BP_CHECKBOX, ThemedCheckState(State, Enabled, Hot), box)) return;
  const UINT states[] = {0, DFCS_CHECKED, DFCS_CHECKED | DFCS_BUTTON3STATE};
  DrawFrameControl(Bmp.DC(), &box, DFC_BUTTON, states[std::clamp(State, 0, 2)] | (Enabled ? 0 : DFCS_INACTIVE));
}
