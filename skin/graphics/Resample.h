#pragma once
// Filtered two-pass resizing of 32-bit bitmaps, for skin pictures drawn at
// another density than their own.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "framework/Bitmap.h"

// Filters: 0 box, 1 triangle, 2 Hermite, 3 bell, 4 B-spline, 5 windowed
// sinc, 6 Mitchell. Nothing for a source below 2 x 2 or a size that is not
// positive.
void ResampleBitmap(TBitmap& Src, TBitmap& Dst, int NewWidth, int NewHeight, uint8_t FilterKind);

// For each target pixel of one pass, the source pixels it takes: a byte
// offset into the source line (always inside it) and a weight scaled by
// 65536. One block holds Capacity entries per target pixel.
struct TContributor {
  ptrdiff_t Offset;
  int Weight;
};
struct TContributors {
  int Capacity = 0;
  std::vector<int> Counts;
  std::vector<TContributor> Items;
};
// Step is the byte distance between neighbouring source pixels.
TContributors BuildContributors(int DstSize, int SrcSize, ptrdiff_t Step, uint8_t FilterKind);
// Writes the four bytes of every target pixel, DstStep apart.
void ApplyContributors(ptrdiff_t DstStep, uint8_t* Dst, const uint8_t* Src, const TContributors& List);
