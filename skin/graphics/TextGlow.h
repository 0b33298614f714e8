#pragma once
// A soft glow behind text: the text drawn into an 8-bit coverage mask,
// blurred with a flat kernel, and blended in a colour into a 32-bit bitmap.
#include <windows.h>

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "framework/Bitmap.h"

struct TacBlurKernel {
  uint8_t Radius = 1;                  // 1..16: offsets -Radius..+Radius are used
  std::array<float, 33> Weights = {};  // offsets -16..+16
  float Weight(int Offset) const { return Weights[16 + Offset]; }
};

// Weights rounded to 0 or 1 and normalised; the radius shrinks while the
// dropped tail stays below Precision / (2 x Range). Sigma must be above 0.
void BuildBlurKernel(TacBlurKernel& Kernel, double Sigma, double Range, double Precision);
// Convolves bytes 0..Last of Line in place, the edge bytes repeated beyond
// the ends; Scratch is reused between calls.
void BlurLine(uint8_t* Line, int Last, const TacBlurKernel& Kernel, std::vector<uint8_t>& Scratch);
// Rows, then columns, of an 8-bit DIB; other bitmaps and Sigma <= 0 are left alone.
void BlurBitmap8(TBitmap& Bmp, double Sigma);
// Glow of Color behind the text, blended into the 32-bit Bmp in the font
// selected into its DC. Sides (1 left, 2 up, 4 right, 8 down) widen the
// mask by one pixel copies. MaskCache is reused as it is while its size
// fits, whatever the text. A Radius below 1 draws nothing.
void DrawTextGlow(TBitmap& Bmp, const String& Text, const RECT& R, UINT Flags, int Sides, int Radius, uint32_t Color,
                  std::unique_ptr<TBitmap>& MaskCache);
