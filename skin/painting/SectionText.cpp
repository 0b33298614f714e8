#include "skin/painting/SectionText.h"

#include <algorithm>

#include "skin/graphics/ColorAdjust.h"
#include "skin/graphics/PixelRoutines.h"
#include "skin/manager/SkinManager.h"

namespace {

constexpr uint32_t kNoContour = 0xFFFFFFFF;

// The section's state record at 96 pixels per inch; nil without a manager,
// a skin or a valid section.
const TsGenState* SectionState(TsSkinManager*& Manager, int Section, int State) {
  if (!Manager) Manager = TsSkinManager::DefaultManager();
  if (!Manager || !Manager->IsValidSectionIndex(Section)) return nullptr;
  TacSkinData* Data = Manager->GetSkinDataForPPI(96);
  if (!Data || !IsValidSectionIndex(Data->GeneralDataArray, Section)) return nullptr;
  return &Data->GeneralDataArray[Section].Props[std::clamp(State, 0, 2)];
}

// Contour colours in drawing order: left, top, right, bottom, each one pixel that way.
struct Contour {
  uint32_t Color;
  int DX, DY;
};

std::array<Contour, 4> Contours(const TsGenState& S) {
  return {Contour{S.ContourLeft, -1, 0}, Contour{S.ContourTop, 0, -1}, Contour{S.ContourRight, 1, 0},
          Contour{S.ContourBottom, 0, 1}};
}

}  // namespace

void DrawSectionText(TCanvas& Canvas, const String& Text, bool Enabled, const RECT& R, UINT Flags, int Section,
                     int State, TsSkinManager* Manager) {
  HDC DC = Canvas.Handle();
  TSelectObject Font(DC, Canvas.Font().Handle());
  SetBkMode(DC, TRANSPARENT);
  auto Draw = [&](uint32_t Color, int DX, int DY) {
    SetTextColor(DC, Color & 0xFFFFFF);
    RECT Copy = R;
    OffsetRect(&Copy, DX, DY);
    DrawTextCapped(DC, Text, Copy, Flags);
  };
  const TsGenState* S = SectionState(Manager, Section, Enabled ? State : 0);
  if (!S) {
    Draw(ColorToRGB(Canvas.Font().Color()), 0, 0);
    return;
  }
  if (!Enabled) {
    Draw(MixColors(S->FontColor, S->Color, 100), 0, 0);
    return;
  }
  for (const Contour& C : Contours(*S))
    if (C.Color != kNoContour) Draw(C.Color, C.DX, C.DY);
  Draw(S->FontColor, 0, 0);
}

void DrawSkinTextAlpha(TBitmap& Bmp, const String& Text, bool AlphaMode, const RECT& Rect, UINT Format, int Section,
                       int State, TsSkinManager* Manager) {
  if (Text.empty() || IsRectEmpty(&Rect)) return;
  const TsGenState* S = SectionState(Manager, Section, State);
  if (!S) {
    DrawTextAlpha(Bmp, Text, AlphaMode, Rect, Format, GetTextColor(Bmp.DC()));
    return;
  }
  if (AlphaMode)
    for (const Contour& C : Contours(*S))
      if (C.Color != kNoContour) {
        RECT Moved = Rect;
        OffsetRect(&Moved, C.DX, C.DY);
        DrawTextAlpha(Bmp, Text, true, Moved, Format, C.Color);
      }
  DrawTextAlpha(Bmp, Text, AlphaMode, Rect, Format, S->FontColor);
}
