#pragma once
// The plain border of a skin section: a line of the section's (or a custom)
// width and colour, and corners cut round over the background.
#include <windows.h>

#include <array>
#include <cstdint>
#include <functional>

#include "framework/Bitmap.h"
#include "skin/core/SectionRecords.h"
#include "skin/graphics/SkinTypes.h"

// The values of a control's custom border, already at the control's density.
// Width < 0 takes the section's; a colour of 0x1FFFFFFF is unset.
struct TacBorderValues {
  int Width = -1;
  std::array<uint32_t, 3> Colors{0x1FFFFFFF, 0x1FFFFFFF, 0x1FFFFFFF};  // normal, active, pressed
  std::array<int, 4> Radii{-1, -1, -1, -1};                            // top-left, top-right, bottom-left, bottom-right
};

// Adjusts four corner radii (order as in TacBorderValues) to the control.
using TacRadiusLimiter = std::function<void(std::array<int, 4>& Radii)>;

// Two neighbouring corners must not overlap: on a control higher than
// wide the pairs along the top and the bottom share width - 1, otherwise
// the pairs along the left and the right side share height - 1.
void LimitCornerRadii(int Width, int Height, std::array<int, 4>& Radii);

// R exclusive. CustomBorder nil: the section's border. True when a line
// was drawn; a border colour of 0xFF00FF only cuts the corners round.
bool DrawSectionBorder(TBitmap& Bmp, const RECT& R, const TsGeneralData& Section, int State,
                       const TacBackgroundSource& BgSource, const TacBorderValues* CustomBorder, int PPI,
                       const TacRadiusLimiter& RadiusLimiter = nullptr);
