#include "skin/imagelists/HandleImages.h"

#include <vector>

#include "framework/GdiHandles.h"
#include "skin/graphics/Bitmap32.h"
#include "skin/graphics/PixelRoutines.h"

namespace {
constexpr uint32_t kKeyColor = 0xFF00FF;

struct TIconDeleter {
  void operator()(HICON Icon) const { DestroyIcon(Icon); }
};
using TOwnedIcon = std::unique_ptr<std::remove_pointer_t<HICON>, TIconDeleter>;

// The top-down 32-bit pixels of any bitmap handle (it may not be selected
// into a DC: icon copies never are).
bool ReadBits32(HBITMAP Bitmap, int Width, int Height, std::vector<uint32_t>& Pixels) {
  BITMAPINFO Info = {};
  Info.bmiHeader.biSize = sizeof(Info.bmiHeader);
  Info.bmiHeader.biWidth = Width;
  Info.bmiHeader.biHeight = -Height;
  Info.bmiHeader.biPlanes = 1;
  Info.bmiHeader.biBitCount = 32;
  Info.bmiHeader.biCompression = BI_RGB;
  Pixels.assign(size_t(Width) * Height, 0);
  const TWindowDC Screen(nullptr);
  return GetDIBits(Screen.get(), Bitmap, 0, UINT(Height), Pixels.data(), &Info, DIB_RGB_COLORS) == Height;
}

void StorePixels(TBitmap& Bmp, const std::vector<uint32_t>& Pixels) {
  uint8_t* Row0;
  ptrdiff_t Step;
  if (!PrepareScanlineWalk(&Bmp, Row0, Step)) return;
  const int W = Bmp.Width();
  for (int y = 0; y < Bmp.Height(); ++y) {
    uint32_t* Row = PixelRow(Row0, Step, y);
    for (int x = 0; x < W; ++x) Row[x] = Pixels[size_t(y) * W + x];
  }
}

// The list's own image bitmap is a DIB section kept selected in the list's
// DC: its bits are read in place.
bool CopyFromListBits(HIMAGELIST List, int Index, TBitmap& Bmp) {
  IMAGEINFO Image = {};
  if (!ImageList_GetImageInfo(List, Index, &Image) || !Image.hbmImage) return false;
  DIBSECTION Dib = {};
  if (GetObject(Image.hbmImage, sizeof(Dib), &Dib) != sizeof(Dib) || !Dib.dsBm.bmBits || Dib.dsBm.bmBitsPixel != 32)
    return false;
  const RECT& R = Image.rcImage;
  if (R.left < 0 || R.top < 0 || R.right > Dib.dsBm.bmWidth || R.bottom > Dib.dsBm.bmHeight) return false;
  GdiFlush();  // the list draws into these bits through GDI
  const bool BottomUp = Dib.dsBmih.biHeight > 0;
  const auto* Bits = static_cast<const uint8_t*>(Dib.dsBm.bmBits);
  std::vector<uint32_t> Pixels(size_t(Bmp.Width()) * Bmp.Height());
  for (int y = 0; y < Bmp.Height(); ++y) {
    const int SrcY = BottomUp ? Dib.dsBm.bmHeight - 1 - (R.top + y) : R.top + y;
    const auto* Row = reinterpret_cast<const uint32_t*>(Bits + ptrdiff_t(SrcY) * Dib.dsBm.bmWidthBytes);
    for (int x = 0; x < Bmp.Width(); ++x) Pixels[size_t(y) * Bmp.Width() + x] = Row[R.left + x];
  }
  StorePixels(Bmp, Pixels);
  return true;
}
}  // namespace

bool HasAnyAlpha(TBitmap& Bmp) {
  uint8_t* Row0;
  ptrdiff_t Step;
  if (!PrepareScanlineWalk(&Bmp, Row0, Step)) return false;
  for (int y = 0; y < Bmp.Height(); ++y) {
    const uint32_t* Row = PixelRow(Row0, Step, y);
    for (int x = 0; x < Bmp.Width(); ++x)
      if (Row[x] >> 24) return true;
  }
  return false;
}

void MakeOpaqueExceptKey(TBitmap& Bmp) {
  uint8_t* Row0;
  ptrdiff_t Step;
  if (!PrepareScanlineWalk(&Bmp, Row0, Step)) return;
  for (int y = 0; y < Bmp.Height(); ++y) {
    uint32_t* Row = PixelRow(Row0, Step, y);
    for (int x = 0; x < Bmp.Width(); ++x)
      Row[x] = (Row[x] & 0xFFFFFF) == kKeyColor ? kKeyColor : (Row[x] | 0xFF000000u);
  }
}

void PrepareEmptyAlpha(TBitmap& Bmp) {
  if (!HasAnyAlpha(Bmp)) MakeOpaqueExceptKey(Bmp);
}

std::unique_ptr<TBitmap> CopyAs32(TBitmap& Src) {
  auto Copy = NewBitmap32(Src.Width(), Src.Height());
  if (Copy->Empty()) return Copy;
  GdiFlush();
  BitBlt(Copy->DC(), 0, 0, Src.Width(), Src.Height(), Src.DC(), 0, 0, SRCCOPY);
  GdiFlush();
  if (Src.PixelFormat() != pf32bit) MakeOpaqueExceptKey(*Copy);
  return Copy;
}

std::unique_ptr<TBitmap> ReadHandleColor(HIMAGELIST List, int Index) {
  int W = 0, H = 0;
  if (!List || Index < 0 || Index >= ImageList_GetImageCount(List) || !ImageList_GetIconSize(List, &W, &H))
    return nullptr;
  auto Bmp = NewBitmap32(W, H);
  if (Bmp->Empty()) return nullptr;
  if (CopyFromListBits(List, Index, *Bmp)) return Bmp;
  const TOwnedIcon Icon(ImageList_GetIcon(List, Index, ILD_NORMAL));
  ICONINFO Info = {};
  if (!Icon || !GetIconInfo(Icon.get(), &Info)) return nullptr;
  const TOwnedBitmap Color(Info.hbmColor), Mask(Info.hbmMask);
  std::vector<uint32_t> Pixels;
  if (!Color || !ReadBits32(Color.get(), W, H, Pixels)) return nullptr;
  StorePixels(*Bmp, Pixels);
  return Bmp;
}

void SaveIconFile(TBitmap& Bmp, TStream& Stream) {
  const int W = Bmp.Width(), H = Bmp.Height();
  const int MaskRow = (W + 31) / 32 * 4;
  const uint32_t ImageBytes = uint32_t(40 + W * H * 4 + MaskRow * H);
  std::vector<uint8_t> Out;
  auto Put16 = [&](uint32_t v) { Out.insert(Out.end(), {uint8_t(v), uint8_t(v >> 8)}); };
  auto Put32 = [&](uint32_t v) { Put16(v & 0xFFFF), Put16(v >> 16); };
  Put16(0), Put16(1), Put16(1);
  Out.push_back(uint8_t(W >= 256 ? 0 : W)), Out.push_back(uint8_t(H >= 256 ? 0 : H));
  Out.push_back(0), Out.push_back(0);
  Put16(1), Put16(32), Put32(ImageBytes), Put32(22);
  Put32(40), Put32(uint32_t(W)), Put32(uint32_t(H * 2)), Put16(1), Put16(32), Put32(BI_RGB);
  Put32(uint32_t(W * H * 4 + MaskRow * H)), Put32(0), Put32(0), Put32(0), Put32(0);
  std::vector<uint8_t> Mask(size_t(MaskRow) * H, 0);
  for (int y = H - 1; y >= 0; --y)
    for (int x = 0; x < W; ++x) {
      const uint32_t P = GetPixel32(Bmp, x, y);
      Put32(P);
      if ((P >> 24) == 0) Mask[size_t(H - 1 - y) * MaskRow + x / 8] |= uint8_t(0x80 >> (x % 8));
    }
  Out.insert(Out.end(), Mask.begin(), Mask.end());
  Stream.WriteBuffer(Out.data(), int64_t(Out.size()));
}

std::unique_ptr<TBitmap> ReadHandleImage(HIMAGELIST List, int Index, bool PrepareAlpha) {
  auto Bmp = ReadHandleColor(List, Index);
  if (!Bmp || HasAnyAlpha(*Bmp)) return Bmp;
  const int W = Bmp->Width(), H = Bmp->Height();
  const TOwnedIcon Icon(ImageList_GetIcon(List, Index, ILD_NORMAL));
  ICONINFO Info = {};
  const bool HasInfo = Icon && GetIconInfo(Icon.get(), &Info);
  const TOwnedBitmap Color(HasInfo ? Info.hbmColor : nullptr), Mask(HasInfo ? Info.hbmMask : nullptr);
  std::vector<uint32_t> MaskPixels;
  if (Mask && ReadBits32(Mask.get(), W, H, MaskPixels)) {
    uint8_t* Row0;
    ptrdiff_t Step;
    PrepareScanlineWalk(Bmp.get(), Row0, Step);
    for (int y = 0; y < H; ++y) {
      uint32_t* Row = PixelRow(Row0, Step, y);
      for (int x = 0; x < W; ++x) Row[x] = (Row[x] & 0xFFFFFF) | (255 - (MaskPixels[size_t(y) * W + x] & 0xFF)) << 24;
    }
    return Bmp;
  }
  if (PrepareAlpha) MakeOpaqueExceptKey(*Bmp);
  return Bmp;
}

int PutHandleImage(HIMAGELIST List, int Index, TBitmap& Bmp) {
  if (!List) return -1;
  // A monochrome mask of zeros: the colour bitmap's alpha is the shape.
  const TOwnedIcon Icon(BitmapToIcon(Bmp));
  if (!Icon) return -1;
  return ImageList_ReplaceIcon(List, Index < 0 ? -1 : Index, Icon.get());
}
