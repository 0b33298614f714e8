#include "skin/graphics/Resample.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "skin/graphics/Bitmap32.h"

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kRadius[7] = {0.51, 1.0, 1.0, 1.5, 2.0, 3.0, 2.0};

// Signed is the distance before taking its magnitude: the box filter leaves
// out the one end of its span so neighbours do not count a pixel twice.
double Weight(uint8_t Kind, double X, double Signed) {
  switch (Kind) {
    case 0:
      return X <= 0.5 && Signed != -0.5 ? 1 : 0;
    case 1:
      return 1 - X;
    case 2:
      return X * X * (2 * X - 3) + 1;
    case 3:
      return X < 0.5 ? 0.75 - X * X : 0.5 * (X - 1.5) * (X - 1.5);
    case 4:
      return X < 1 ? X * X * (X / 2 - 1) + 2.0 / 3 : (2 - X) * (2 - X) * (2 - X) / 6;
    case 5:
      return X == 0 ? 1 : std::sin(kPi * X) * std::sin(X) / (kPi * X * X);
    default:
      return X < 1 ? X * X * (7.0 / 6 * X - 2) + 8.0 / 9 : X * X * (-7.0 / 18 * X + 2) - 10.0 / 3 * X + 16.0 / 9;
  }
}

}  // namespace

TContributors BuildContributors(int DstSize, int SrcSize, ptrdiff_t Step, uint8_t FilterKind) {
  TContributors List;
  if (DstSize <= 0 || SrcSize <= 0) return List;
  const double Radius = kRadius[FilterKind < 7 ? FilterKind : 6];
  const double Scale = DstSize < SrcSize ? double(DstSize) / SrcSize : 1;
  const double Width = Radius / Scale;
  List.Capacity = int(2 * Width + 1) + 1;
  List.Counts.assign(size_t(DstSize), 0);
  List.Items.resize(size_t(DstSize) * size_t(List.Capacity));
  for (int i = DstSize - 1; i >= 0; --i) {
    const double Centre = double(SrcSize) * i / DstSize;
    TContributor* Pixel = &List.Items[size_t(i) * size_t(List.Capacity)];
    int& Count = List.Counts[size_t(i)];
    for (int j = int(std::ceil(Centre + Width)); j >= int(std::floor(Centre - Width)); --j) {
      const double Signed = (Centre - j) * Scale;
      const double X = std::fabs(Signed);
      if (X >= Radius) continue;
      const double W = Weight(FilterKind, X, Signed);
      if (W == 0 || Count >= List.Capacity) continue;
      int k = j;
      if (k < 0)
        k = -k >= SrcSize ? j + 2 * SrcSize - 1 : -k;
      else if (k >= SrcSize)
        k = 2 * SrcSize - 1 - k;
      // A wide filter on a source of two or three pixels (or a target of
      // one) mirrors past the other end: it must still read inside the row.
      k = std::clamp(k, 0, SrcSize - 1);
      Pixel[Count++] = TContributor{k * Step, int(std::lround(W * Scale * 65536))};
    }
  }
  return List;
}

void ApplyContributors(ptrdiff_t DstStep, uint8_t* Dst, const uint8_t* Src, const TContributors& List) {
  const int DstSize = int(List.Counts.size());
  for (int i = 0; i < DstSize; ++i, Dst += DstStep) {
    const TContributor* c = &List.Items[size_t(i) * size_t(List.Capacity)];
    int64_t Sum[4] = {};
    for (int n = List.Counts[size_t(i)]; n > 0; --n, ++c) {
      const uint8_t* p = Src + c->Offset;
      for (int b = 0; b < 4; ++b) Sum[b] += int64_t(c->Weight) * p[b];
    }
    for (int b = 0; b < 4; ++b) Dst[b] = Sum[b] < 0 ? 0 : Sum[b] < 0xFF0001 ? uint8_t(Sum[b] >> 16) : 255;
  }
}

void ResampleBitmap(TBitmap& Src, TBitmap& Dst, int NewWidth, int NewHeight, uint8_t FilterKind) {
  if (NewWidth <= 0 || NewHeight <= 0 || Src.Width() < 2 || Src.Height() < 2) return;
  if (Src.Width() == NewWidth && Src.Height() == NewHeight) {
    if (&Dst != &Src) CopyBitmapFull(Dst, Src);
    return;
  }
  uint8_t* SrcRow0;
  ptrdiff_t SrcStep;
  if (!PrepareScanlineWalk(&Src, SrcRow0, SrcStep)) return;
  auto Work = NewBitmap32(NewWidth, Src.Height());
  uint8_t* WorkRow0;
  ptrdiff_t WorkStep;
  if (!PrepareScanlineWalk(Work.get(), WorkRow0, WorkStep)) return;
  const TContributors Across = BuildContributors(NewWidth, Src.Width(), 4, FilterKind);
  for (int y = 0; y < Src.Height(); ++y) ApplyContributors(4, WorkRow0 + y * WorkStep, SrcRow0 + y * SrcStep, Across);
  // A one-row work bitmap walks with step 0: the column step must be its
  // real row length then.
  if (WorkStep == 0) WorkStep = ptrdiff_t(NewWidth) * 4;
  Dst.SetPixelFormat(pf32bit);
  Dst.SetSize(NewWidth, NewHeight);
  uint8_t* DstRow0;
  ptrdiff_t DstStep;
  if (!PrepareScanlineWalk(&Dst, DstRow0, DstStep)) return;
  const TContributors Down = BuildContributors(NewHeight, Src.Height(), WorkStep, FilterKind);
  for (int x = 0; x < NewWidth; ++x) ApplyContributors(DstStep, DstRow0 + x * 4, WorkRow0 + x * 4, Down);
}
