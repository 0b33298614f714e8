#include "skin/graphics/Bitmap32.h"

#include <algorithm>
#include <cstring>

#include "framework/Control.h"
#include "framework/GdiHandles.h"
#include "framework/Streams.h"
#include "skin/graphics/PngGraphic.h"

std::unique_ptr<TBitmap> NewBitmap32(int Width, int Height) {
  auto Bmp = std::make_unique<TBitmap>();
  try {
    Bmp->SetTransparentMode(tmFixed);
    Bmp->SetPixelFormat(pf32bit);
    if (Width < 0 || Height < 0) Width = Height = 0;
    Bmp->SetWidth(Width);
    Bmp->SetHeight(Height);
  } catch (const Exception&) {
    Bmp->SetSize(0, 0);
  }
  return Bmp;
}

std::unique_ptr<TBitmap> NewBitmap32OfRect(const RECT& R) {
  return NewBitmap32(std::max<int>(R.right - R.left, 0), std::max<int>(R.bottom - R.top, 0));
}

std::unique_ptr<TBitmap> NewBitmap32OfSize(POINT P) { return NewBitmap32(P.x, P.y); }

std::unique_ptr<TBitmap> NewBitmap32OfBitmap(const TBitmap& B) { return NewBitmap32(B.Width(), B.Height()); }

std::unique_ptr<TBitmap> NewBitmap32OfControl(const TControl& C) { return NewBitmap32(C.Width(), C.Height()); }

std::unique_ptr<TBitmap> NewBitmapLike(const TBitmap& B) {
  auto Bmp = NewBitmap32(0, 0);
  Bmp->SetWidth(B.Width());
  Bmp->SetHeight(B.Height());
  Bmp->SetPixelFormat(B.PixelFormat());
  return Bmp;
}

void EnsureBitmapSize(std::unique_ptr<TBitmap>& Bmp, const TBitmap& Model) {
  if (!Bmp) {
    Bmp = NewBitmap32OfBitmap(Model);
    return;
  }
  Bmp->SetWidth(Model.Width());
  Bmp->SetHeight(Model.Height());
}

void CopyBitmapFull(TBitmap& Dst, TBitmap& Src) {
  Dst.SetPixelFormat(Src.PixelFormat() == pfDevice ? pf32bit : Src.PixelFormat());
  Dst.SetHandleType(bmDIB);
  Dst.SetWidth(Src.Width());
  Dst.SetHeight(Src.Height());
  GdiFlush();
  BitBlt(Dst.DC(), 0, 0, Src.Width(), Src.Height(), Src.DC(), 0, 0, SRCCOPY);
  GdiFlush();
}

void SetPixelFormat32(TBitmap& Bmp) { Bmp.SetPixelFormat(pf32bit); }

bool PrepareScanlineWalk(TBitmap* Bmp, uint8_t*& Row0, ptrdiff_t& Step) {
  if (!Bmp || Bmp->Height() < 1 || Bmp->Width() < 1) return false;
  GdiFlush();  // GDI may still owe us pixels it was asked to draw
  auto* First = static_cast<uint8_t*>(Bmp->ScanLine(0));
  if (!First) return false;
  Row0 = First;
  Step = Bmp->Height() > 1 ? static_cast<uint8_t*>(Bmp->ScanLine(1)) - First : 0;
  return true;
}

void ForEachPixelExcept(TBitmap* Bmp, TPixelProc Proc, int Value, uint32_t ExceptColor) {
  uint8_t* Row0;
  ptrdiff_t Step;
  if (!PrepareScanlineWalk(Bmp, Row0, Step)) return;
  const int W = Bmp->Width(), H = Bmp->Height();
  if (ExceptColor == 0x1FFFFFFF) {
    for (int y = 0; y < H; ++y) {
      uint32_t* Row = PixelRow(Row0, Step, y);
      for (int x = 0; x < W; ++x) Proc(Row + x, Value);
    }
    return;
  }
  const uint32_t Skip = (ExceptColor & 0xFF00FF00u) | (ExceptColor >> 16 & 0xFF) | (ExceptColor & 0xFF) << 16;
  for (int y = 0; y < H; ++y) {
    uint32_t* Row = PixelRow(Row0, Step, y);
    for (int x = 0; x < W; ++x)
      if (Row[x] != Skip) Proc(Row + x, Value);
  }
}

void CopyByteChannel(TBitmap& Dst, TBitmap& Src, int Channel) {
  uint8_t *D0, *S0;
  ptrdiff_t DStep, SStep;
  if (!PrepareScanlineWalk(&Dst, D0, DStep) || !PrepareScanlineWalk(&Src, S0, SStep)) return;
  const int W = std::min(Dst.Width(), Src.Width()), H = std::min(Dst.Height(), Src.Height());
  for (int y = 0; y < H; ++y) {
    uint8_t* d = D0 + y * DStep + Channel;
    const uint8_t* s = S0 + y * SStep + Channel;
    for (int x = 0; x < W; ++x) d[4 * x] = s[4 * x];
  }
}

void TransferByteChannel(TBitmap& Bmp32, TBitmap& Bmp8, int Channel, bool Extract) {
  uint8_t *P0, *B0;
  ptrdiff_t PStep, BStep;
  if (!PrepareScanlineWalk(&Bmp32, P0, PStep) || !PrepareScanlineWalk(&Bmp8, B0, BStep)) return;
  const int W = std::min(Bmp32.Width(), Bmp8.Width()), H = std::min(Bmp32.Height(), Bmp8.Height());
  for (int y = 0; y < H; ++y) {
    uint8_t* p = P0 + y * PStep + Channel;
    uint8_t* b = B0 + y * BStep;
    if (Extract)
      for (int x = 0; x < W; ++x) b[x] = p[4 * x];
    else
      for (int x = 0; x < W; ++x) p[4 * x] = b[x];
  }
}

TBitmap* RotateBitmapRightAngle(TBitmap*& Bmp, int Angle, bool FreeSource) {
  if (!Bmp || Bmp->PixelFormat() != pf32bit) return Bmp;
  const int W = Bmp->Width(), H = Bmp->Height();
  uint8_t* S0;
  ptrdiff_t SStep;
  if (!PrepareScanlineWalk(Bmp, S0, SStep)) return Bmp;
  const bool Swap = Angle == 90 || Angle == 270;
  auto Result = std::make_unique<TBitmap>();
  Result->SetTransparentMode(tmFixed);
  Result->SetPixelFormat(pf32bit);
  Result->SetSize(Swap ? H : W, Swap ? W : H);
  uint8_t* D0;
  ptrdiff_t DStep;
  PrepareScanlineWalk(Result.get(), D0, DStep);
  for (int y = 0; y < H; ++y) {
    const uint32_t* s = PixelRow(S0, SStep, y);
    for (int x = 0; x < W; ++x) {
      int nx, ny;
      switch (Angle) {
        case 90:
          nx = H - 1 - y, ny = x;
          break;
        case 180:
          nx = W - 1 - x, ny = H - 1 - y;
          break;
        case 270:
          nx = y, ny = W - 1 - x;
          break;
        default:
          nx = x, ny = y;
          break;
      }
      PixelRow(D0, DStep, ny)[nx] = s[x];
    }
  }
  if (FreeSource) {
    delete Bmp;
    Bmp = nullptr;
  }
  return Result.release();
}

HICON BitmapToIcon(TBitmap& Bmp) {
  const TOwnedBitmap Mask(CreateBitmap(std::max(Bmp.Width(), 1), std::max(Bmp.Height(), 1), 1, 1, nullptr));
  ICONINFO Info = {};
  Info.fIcon = TRUE;
  Info.hbmMask = Mask.get();
  Info.hbmColor = Bmp.Handle();
  return CreateIconIndirect(&Info);
}

void CollectKeyColorRuns(std::vector<RECT>& Rects, TBitmap& Bmp, uint32_t KeyColor) {
  uint8_t* Row0;
  ptrdiff_t Step;
  if (!PrepareScanlineWalk(&Bmp, Row0, Step)) return;
  const uint32_t Key = KeyColor & 0x00FFFFFF;
  const int W = Bmp.Width();
  for (int y = 0; y < Bmp.Height(); ++y) {
    const uint32_t* Row = PixelRow(Row0, Step, y);
    for (int x = 0; x < W;) {
      if (Row[x] != Key) {
        ++x;
        continue;
      }
      int x0 = x;
      while (x < W && Row[x] == Key) ++x;
      Rects.push_back(RECT{x0, y, x, y + 1});
    }
  }
}

void RegionFromKeyColor(HRGN& Rgn, TBitmap& Bmp, uint32_t KeyColor) {
  std::vector<RECT> Runs;
  CollectKeyColorRuns(Runs, Bmp, KeyColor);
  Rgn = CreateRectRgn(0, 0, Bmp.Width(), Bmp.Height());
  for (const RECT& R : Runs) {
    const TOwnedRegion Run(CreateRectRgn(R.left, R.top, R.right, R.bottom));
    CombineRgn(Rgn, Rgn, Run.get(), RGN_DIFF);
  }
}

void CollectKeyColorRects(std::vector<RECT>& Rects, TBitmap* Bmp, const RECT& ItemRect, int DstWidth, int WL, int WT,
                          int WR, int WB, int DstY, bool FromBottom, bool TwoHalves, uint32_t KeyColor, int Shift) {
  if (!Bmp) return;
  const int FrameHeight = (ItemRect.bottom - ItemRect.top) / (TwoHalves ? 2 : 1);
  const int Rows = FromBottom ? WB : WT;
  const int FirstRow = FromBottom ? ItemRect.top + FrameHeight - WB : ItemRect.top;
  if (Rows <= 0 || FirstRow + Rows - 1 >= Bmp->Height() || FirstRow < 0) return;
  uint8_t* Row0;
  ptrdiff_t Step;
  if (!PrepareScanlineWalk(Bmp, Row0, Step)) return;
  const int ItemWidth = ItemRect.right - ItemRect.left;
  auto Scan = [&](int FirstColumn, int Columns, bool Right) {
    for (int r = 0; r < Rows; ++r) {
      const uint32_t* Row = PixelRow(Row0, Step, FirstRow + r);
      int Y = DstY + r - (FromBottom ? Shift : 0);
      for (int i = 0; i < Columns;) {
        int Column = FirstColumn + i;
        if (Column < 0 || Column >= Bmp->Width() || Row[Column] != KeyColor) {
          ++i;
          continue;
        }
        int i0 = i;
        while (i < Columns && FirstColumn + i < Bmp->Width() && Row[FirstColumn + i] == KeyColor) ++i;
        int ItemColumn0 = FirstColumn - ItemRect.left + i0, ItemColumn1 = FirstColumn - ItemRect.left + i;
        int X0 = Right ? DstWidth - ItemWidth + ItemColumn0 - Shift : Shift + ItemColumn0;
        int X1 = Right ? DstWidth - ItemWidth + ItemColumn1 - Shift : Shift + ItemColumn1;
        Rects.push_back(RECT{X0, Y, X1, Y + 1});
      }
    }
  };
  Scan(ItemRect.left, WL, false);
  Scan(ItemRect.right - WR, WR, true);
}

std::unique_ptr<TBitmap> AlphaFromMaskHalf(TBitmap& Src, const RECT& R) {
  const int W = R.right - R.left, Half = (R.bottom - R.top) / 2;
  if (W <= 0 || Half <= 0 || R.left < 0 || R.top < 0 || R.right > Src.Width() || R.bottom > Src.Height())
    return nullptr;
  auto Result = NewBitmap32(W, Half);
  GdiFlush();
  BitBlt(Result->DC(), 0, 0, W, Half, Src.DC(), R.left, R.top, SRCCOPY);
  uint8_t *D0, *S0;
  ptrdiff_t DStep, SStep;
  if (!PrepareScanlineWalk(Result.get(), D0, DStep) || !PrepareScanlineWalk(&Src, S0, SStep)) return Result;
  for (int y = 0; y < Half; ++y) {
    uint8_t* d = D0 + y * DStep;
    const uint8_t* m = S0 + (R.top + Half + y) * SStep + R.left * 4;
    for (int x = 0; x < W; ++x) d[4 * x + 3] = uint8_t(255 - m[4 * x + 2]);
  }
  return Result;
}

std::unique_ptr<TBitmap> MaskHalfFromAlpha(TBitmap& Src) {
  const int W = Src.Width(), H = Src.Height();
  if (W <= 0 || H <= 0) return nullptr;
  auto Result = NewBitmap32(W, 2 * H);
  GdiFlush();
  BitBlt(Result->DC(), 0, 0, W, H, Src.DC(), 0, 0, SRCCOPY);
  uint8_t *D0, *S0;
  ptrdiff_t DStep, SStep;
  if (!PrepareScanlineWalk(Result.get(), D0, DStep) || !PrepareScanlineWalk(&Src, S0, SStep)) return Result;
  for (int y = 0; y < H; ++y) {
    uint32_t* d = PixelRow(D0, DStep, H + y);
    const uint32_t* s = PixelRow(S0, SStep, y);
    for (int x = 0; x < W; ++x) {
      uint32_t m = 255 - (s[x] >> 24);
      d[x] = 0xFF000000u | m << 16 | m << 8 | m;
    }
  }
  return Result;
}

void LoadPngFileIntoBitmap(TBitmap& Bmp, const String& FileName) {
  TPNGGraphic Png;
  TFileStream Stream(FileName, fmOpenRead | fmShareDenyWrite);
  Png.LoadFromStream(Stream);
  Bmp.Assign(Png);
  CopyPngToBitmap32(Bmp, Png);
}

void LoadPngStreamIntoBitmap(TBitmap& Bmp, TStream& Stream) {
  TPNGGraphic Png;
  Png.LoadFromStream(Stream);
  const bool KeepTransparent = Bmp.Transparent();
  Bmp.SetIgnorePalette(Png.IgnorePalette());
  Bmp.Assign(Png);
  Bmp.SetTransparent(KeepTransparent);
  CopyPngToBitmap32(Bmp, Png);  // assigns again
  Bmp.SetTransparent(KeepTransparent);
}
