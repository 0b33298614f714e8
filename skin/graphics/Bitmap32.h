#pragma once
// 32-bit bitmaps with alpha, the paint caches and blend sources of every
// skin painter: creation, the scan-line walk all pixel loops start with,
// and the whole-bitmap operations built on it.
#include <windows.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "framework/Bitmap.h"

class TControl;
class TStream;

// Creation never fails towards the caller: a bad size or a failing set-up
// gives a 0 x 0 bitmap. Pixels are not cleared.
std::unique_ptr<TBitmap> NewBitmap32(int Width, int Height);
std::unique_ptr<TBitmap> NewBitmap32OfRect(const RECT& R);
std::unique_ptr<TBitmap> NewBitmap32OfSize(POINT P);
std::unique_ptr<TBitmap> NewBitmap32OfBitmap(const TBitmap& B);
std::unique_ptr<TBitmap> NewBitmap32OfControl(const TControl& C);
// B's size and pixel format (not necessarily 32 bits).
std::unique_ptr<TBitmap> NewBitmapLike(const TBitmap& B);
void EnsureBitmapSize(std::unique_ptr<TBitmap>& Bmp, const TBitmap& Model);
void CopyBitmapFull(TBitmap& Dst, TBitmap& Src);
void SetPixelFormat32(TBitmap& Bmp);

// Pixel (X, Y) lies at Row0 + Y x Step + X x 4. False for a bitmap without
// rows (outputs untouched); Step is 0 for a one-row bitmap.
bool PrepareScanlineWalk(TBitmap* Bmp, uint8_t*& Row0, ptrdiff_t& Step);

inline uint32_t* PixelRow(uint8_t* Row0, ptrdiff_t Step, int Y) { return reinterpret_cast<uint32_t*>(Row0 + Y * Step); }

using TPixelProc = void (*)(uint32_t* Pixel, int Value);
// Calls Proc for every pixel except those whose full value equals
// ExceptColor in pixel order; 0x1FFFFFFF skips none.
void ForEachPixelExcept(TBitmap* Bmp, TPixelProc Proc, int Value, uint32_t ExceptColor);

// Byte Channel (0 blue, 1 green, 2 red, 3 alpha) of every Dst pixel from Src.
void CopyByteChannel(TBitmap& Dst, TBitmap& Src, int Channel);
// Between a 32-bit bitmap and an 8-bit one of its size.
void TransferByteChannel(TBitmap& Bmp32, TBitmap& Bmp8, int Channel, bool Extract);

// 90 is a clockwise quarter turn; other angles than 90, 180, 270 copy.
// Anything but a 32-bit bitmap comes back unchanged. With FreeSource the
// source is deleted and Bmp becomes nil.
TBitmap* RotateBitmapRightAngle(TBitmap*& Bmp, int Angle, bool FreeSource);
// The caller owns the icon.
HICON BitmapToIcon(TBitmap& Bmp);

// Horizontal runs of pixels whose full value equals KeyColor (top byte
// cleared, no red/blue exchange), one rectangle of height 1 per run.
void CollectKeyColorRuns(std::vector<RECT>& Rects, TBitmap& Bmp, uint32_t KeyColor);
// The whole bitmap minus the key-colour runs; the caller owns the region.
void RegionFromKeyColor(HRGN& Rgn, TBitmap& Bmp, uint32_t KeyColor);
// Key-colour runs of the corner zones of one frame of a skin image,
// mapped to window coordinates.
void CollectKeyColorRects(std::vector<RECT>& Rects, TBitmap* Bmp, const RECT& ItemRect, int DstWidth, int WL, int WT,
                          int WR, int WB, int DstY, bool FromBottom, bool TwoHalves, uint32_t KeyColor, int Shift);

// Picture in the upper half of R, grey mask in the lower half: a new
// bitmap of the picture with alpha 255 - mask. Nil when R is empty or
// reaches beyond Src.
std::unique_ptr<TBitmap> AlphaFromMaskHalf(TBitmap& Src, const RECT& R);
// The picture on top, a grey mask 255 - alpha below it; nil when empty.
std::unique_ptr<TBitmap> MaskHalfFromAlpha(TBitmap& Src);

// Decoded through the PNG reader into a 32-bit bitmap with alpha.
void LoadPngFileIntoBitmap(TBitmap& Bmp, const String& FileName);
void LoadPngStreamIntoBitmap(TBitmap& Bmp, TStream& Stream);
