#include "skin/graphics/PngGraphic.h"

#include <algorithm>

#include "framework/Graphics.h"
#include "framework/Streams.h"
#include "skin/graphics/Bitmap32.h"
#include "skin/graphics/Blend32.h"

namespace {

const String PngName = L"PNG";
int PngUnitNesting = 0;

// An 8-bit bitmap with the grey ramp, so that GDI keeps its bytes as levels.
std::unique_ptr<TBitmap> NewBytePlane(int Width, int Height) {
  auto Plane = std::make_unique<TBitmap>();
  Plane->SetPixelFormat(pf8bit);
  Plane->SetSize(Width, Height);
  return Plane;
}

// Fills the scan lines of a bitmap, bottom-up in memory, from the
// decoder's rows through the colour manager.
class TScanLineSink : public TPngRowSink {
 public:
  TScanLineSink(TColorManager& Colors, uint8_t* FirstRow, int Step, int Width, RECT& Progress)
      : FColors(Colors), FFirstRow(FirstRow), FStep(Step), FWidth(Width), FProgress(Progress) {}
  void TakeRow(int Y, const uint8_t* Samples, uint8_t Mask, bool LastPass) override {
    const void* Source = Samples;
    FColors.ConvertRow(&Source, FFirstRow - ptrdiff_t(Y) * FStep, FWidth, Mask);
    if (LastPass) ++FProgress.top, ++FProgress.bottom;
  }

 private:
  TColorManager& FColors;
  uint8_t* FFirstRow;
  int FStep;
  int FWidth;
  RECT& FProgress;
};

uint16_t Sample16(const uint8_t* p) { return uint16_t(p[0] << 8 | p[1]); }

// Scales a sample of the given depth to 8 bits, the level a reader sees.
uint32_t Level8(uint32_t v, int Depth) {
  if (Depth == 16) return MulDiv16(uint16_t(v), 255, 65535);
  if (Depth >= 8) return v & 0xFF;
  return v * 255 / ((1u << Depth) - 1);
}

}  // namespace

void InitPngGraphic() {
  if (PngUnitNesting++ > 0) return;
  RegisterGraphicFormat(PngName, PngFormatDescription, [] { return std::make_unique<TPNGGraphic>(); });
}

void DonePngGraphic() {
  if (PngUnitNesting == 0 || --PngUnitNesting > 0) return;
  UnregisterGraphicFormat(PngName);
}

TPNGGraphic::TPNGGraphic() : FColorManager(std::make_unique<TColorManager>()) {}

TPNGGraphic::~TPNGGraphic() = default;

void TPNGGraphic::Assign(const TBitmap& Source) {
  if (auto* Png = dynamic_cast<const TPNGGraphic*>(&Source)) {
    FImageInfo.Flags = Png->FImageInfo.Flags;
    FImageInfo.Width = Png->FImageInfo.Width;
    FImageInfo.Layout = Png->FImageInfo.Layout;
    FImageInfo.BitDepth = Png->FImageInfo.BitDepth;
    FImageInfo.Samples = Png->FImageInfo.Samples;
    FImageInfo.Compression = Png->FImageInfo.Compression;
  }
  TBitmap::Assign(Source);
}

void TPNGGraphic::Draw(TCanvas& Canvas, const RECT& Rect) {
  if (PixelFormat() != pf32bit) {
    TBitmap::Draw(Canvas, Rect);
    return;
  }
  const int W = Rect.right - Rect.left, H = Rect.bottom - Rect.top;
  if (W <= 0 || H <= 0 || Empty()) return;
  auto Work = NewBitmap32(W, H);
  if (Work->Empty()) return;
  BitBlt(Work->DC(), 0, 0, W, H, Canvas.Handle(), Rect.left, Rect.top, SRCCOPY);
  GdiFlush();
  if (W == Width() && H == Height()) {
    DrawBitmapAlpha(*Work, *this, RECT{0, 0, W - 1, H - 1}, POINT{0, 0}, 255);
  } else {
    // GDI stretches colours but drops alpha, so the alpha plane travels
    // through 8-bit copies of its own.
    auto Stretched = NewBitmap32(W, H);
    SetStretchBltMode(Stretched->DC(), COLORONCOLOR);
    StretchBlt(Stretched->DC(), 0, 0, W, H, DC(), 0, 0, Width(), Height(), SRCCOPY);
    auto Alpha = NewBytePlane(Width(), Height());
    TransferByteChannel(*this, *Alpha, 3, true);
    auto StretchedAlpha = NewBytePlane(W, H);
    SetStretchBltMode(StretchedAlpha->DC(), COLORONCOLOR);
    StretchBlt(StretchedAlpha->DC(), 0, 0, W, H, Alpha->DC(), 0, 0, Width(), Height(), SRCCOPY);
    GdiFlush();
    TransferByteChannel(*Stretched, *StretchedAlpha, 3, false);
    DrawBitmapAlpha(*Work, *Stretched, RECT{0, 0, W - 1, H - 1}, POINT{0, 0}, 255);
  }
  BitBlt(Canvas.Handle(), Rect.left, Rect.top, W, H, Work->DC(), 0, 0, SRCCOPY);
}

int TPNGGraphic::SetupColorDepth(int ColorType, int BitDepth) {
  TColorManager& cm = *FColorManager;
  // How the colour manager turns a row of this picture into the bitmap's row.
  auto Convert = [&](TPixelLayout Source, TPixelLayout Target, int SourceSamples, int TargetSamples, int TargetBits) {
    cm.SetSourceLayout(Source);
    cm.SetTargetLayout(Target);
    cm.SetSourceSamples(uint8_t(SourceSamples));
    cm.SetTargetSamples(uint8_t(TargetSamples));
    cm.SetSourceBits(uint8_t(BitDepth));
    cm.SetTargetBits(uint8_t(TargetBits));
  };
  int Result;
  switch (ColorType) {
    case 0:  // grey
      Convert(plGray, plGray, 1, 1, BitDepth == 1 ? 1 : BitDepth <= 4 ? 4 : 8);
      SetPixelFormat(cm.PixelFormatFor(true));
      SetPalette(cm.BuildGrayPalette(false));
      Result = (BitDepth + 7) / 8;
      break;
    case 2:  // RGB
      Convert(plRGB, plBGR, 3, 3, 8);
      SetPixelFormat(pf24bit);
      Result = BitDepth * 3 / 8;
      break;
    case 3:  // palette
      Convert(plIndexed, plIndexed, 1, 1, BitDepth == 2 ? 4 : BitDepth);
      SetPixelFormat(cm.PixelFormatFor(true));
      Result = 1;
      break;
    case 4:  // grey with alpha keeps its alpha: it becomes 32-bit like RGBA
      Convert(plGrayAlpha, plBGRA, 2, 4, 8);
      SetPixelFormat(pf32bit);
      Result = BitDepth * 2 / 8;
      break;
    case 6:  // RGBA
      Convert(plRGBA, plBGRA, 4, 4, 8);
      SetPixelFormat(pf32bit);
      Result = BitDepth * 4 / 8;
      break;
    default:
      throw EPngError(L"Invalid color format in PNG file.");
  }
  return Result;
}

void TPNGGraphic::ReadBackgroundChunk(const std::vector<uint8_t>& Data) {
  const uint8_t* d = Data.data();
  const size_t Length = Data.size();
  const int Depth = FImageInfo.BitDepth;
  auto Scaled = [&](uint16_t v) -> uint32_t {
    if (Depth == 16) return MulDiv16(v, 255, 65535);
    return v & 0xFF;
  };
  switch (FColorType) {
    case 0:
    case 4: {
      if (Length < 2) return;
      uint16_t v = Sample16(d);
      FBackgroundColor = Depth == 2 ? MulDiv16(v, 15, 3) : Scaled(v);
      break;
    }
    case 2:
    case 6:
      if (Length < 6) return;
      FBackgroundColor = Scaled(Sample16(d)) | Scaled(Sample16(d + 2)) << 8 | Scaled(Sample16(d + 4)) << 16;
      break;
    default:
      if (Length < 1) return;
      FBackgroundColor = d[0];
      break;
  }
}

// The key is the colour the pixel shows once decoded, so it can be matched
// against the picture's own pixels, whatever the depth.
void TPNGGraphic::ReadTransparencyChunk(const std::vector<uint8_t>& Data) {
  const uint8_t* d = Data.data();
  const size_t Length = Data.size();
  const int Depth = FImageInfo.BitDepth;
  switch (FColorType) {
    case 0: {
      if (Length < 2) return;
      uint32_t Level = Level8(Sample16(d), Depth);
      FTransparentKey = Level | Level << 8 | Level << 16;
      break;
    }
    case 2:
      if (Length < 6) return;
      FTransparentKey = Level8(Sample16(d), Depth) | Level8(Sample16(d + 2), Depth) << 8 |
                        Level8(Sample16(d + 4), Depth) << 16;
      break;
    case 4:
    case 6:
      break;
    default: {
      FAlphaTable.assign(256, 255);
      std::copy_n(d, std::min<size_t>(Length, 256), FAlphaTable.begin());
      break;
    }
  }
}

void TPNGGraphic::ApplyGamma(const TPngDecoder& Decoder) {
  if (!Decoder.GammaSeen() || (FImageInfo.Flags & pngGammaSeen)) return;
  FColorManager->ComputeGammaTable(Decoder.Gamma(), 2.2f);
  FColorManager->TargetFlags |= cfGamma;
  FImageInfo.Flags |= pngGammaSeen;
}

void TPNGGraphic::PrepareImage() {
  const int Width = int(FImageInfo.Width), Height = int(FImageHeight);
  SetSize(Width, Height);
  HBRUSH Brush = CreateSolidBrush(FBackgroundColor & 0xFFFFFF);
  RECT All = {0, 0, Width, Height};
  FillRect(DC(), &All, Brush);
  DeleteObject(Brush);
  GdiFlush();
  if (FTransparentKey != 0x1FFFFFFF) {
    SetTransparentColor(FTransparentKey);
    SetTransparent(true);
  }
}

void TPNGGraphic::ReadImageData(TPngDecoder& Decoder) {
  Progress(psStarting, 0, false, FProgressRect, L"Transfering...");
  if (!Decoder.Background().empty()) ReadBackgroundChunk(Decoder.Background());
  if (!Decoder.Transparency().empty()) ReadTransparencyChunk(Decoder.Transparency());
  FBytesPerPixel = SetupColorDepth(FColorType, FImageInfo.BitDepth);
  if (FColorType == pctIndexed) {
    const void* Source = Decoder.Palette().data();
    SetPalette(FColorManager->BuildPalette(&Source, 0, int(Decoder.Palette().size() / 3), false));
  }
  if (PngChannels(TPngColorType(FColorType)) == 4 && !Palette()) SetIgnorePalette(true);
  PrepareImage();
  uint8_t* Row0 = static_cast<uint8_t*>(ScanLine(0));
  if (!Row0) return;
  TScanLineSink Sink(*FColorManager, Row0, RowBytes(), int(FImageInfo.Width), FProgressRect);
  Decoder.ReadRows(Sink);
}

void TPNGGraphic::LoadFromStream(TStream& Stream) {
  // Everything a previous load left behind goes, the colour manager's
  // gamma switch and depth included: each picture starts from scratch.
  FreeImage();
  SetPalette(nullptr);
  SetPixelFormat(pfDevice);
  SetTransparent(false);
  SetTransparentMode(tmAuto);
  SetIgnorePalette(false);
  FColorManager->TargetFlags &= uint8_t(~cfGamma);
  FColorManager->SetSourceBits(8);
  FColorManager->SetTargetBits(8);
  FImageInfo = TPNGImageInfo{};
  FAlphaTable.clear();
  FBackgroundColor = 0xFFFFFF;
  FTransparentKey = 0x1FFFFFFF;

  struct ProgressEnd {
    TPNGGraphic& G;
    ~ProgressEnd() { G.Progress(psEnding, 0, false, G.FProgressRect, L""); }
  } Guard{*this};
  TPngDecoder Decoder(Stream);
  const TPngHeader& Header = Decoder.ReadHeader();
  FImageInfo.Flags = pngHeaderRead;
  FImageInfo.Width = Header.Width;
  FImageHeight = Header.Height;
  FImageInfo.BitDepth = Header.BitDepth;
  FColorType = Header.ColorType;
  switch (Header.ColorType) {
    case pctGray:
      FImageInfo.Layout = plGray;
      break;
    case pctRGB:
      FImageInfo.Layout = plRGB;
      break;
    case pctIndexed:
      FImageInfo.Layout = plIndexed;
      break;
    case pctGrayAlpha:
      FImageInfo.Layout = plGrayAlpha;
      break;
    case pctRGBA:
      FImageInfo.Layout = plRGBA;
      break;
  }
  FImageInfo.Samples = Header.ColorType == pctRGB ? 3 : Header.ColorType == pctRGBA ? 4 : 1;
  FImageInfo.Compression = 2;
  SetHeight(int(Header.Height));

  FProgressRect = RECT{0, 0, LONG(Header.Width), 1};
  Progress(psStarting, 0, false, FProgressRect, L"Preparing...");
  FColorManager->SourceFlags = cfBigEndian;
  const bool HasImage = Decoder.ReadToImageData();
  ApplyGamma(Decoder);
  if (HasImage) {
    Progress(psEnding, 0, false, FProgressRect, L"");
    ReadImageData(Decoder);
    Decoder.ReadToEnd();
    ApplyGamma(Decoder);
  }
}

namespace {

// The palette index of pixel X in a row of 1, 4 or 8 bits per pixel.
inline int PackedValue(const uint8_t* Row, int X, int Bits) {
  switch (Bits) {
    case 8:
      return Row[X];
    case 4:
      return (Row[X >> 1] >> ((X & 1) ? 0 : 4)) & 0x0F;
    case 1:
      return (Row[X >> 3] >> (7 - (X & 7))) & 1;
    default:
      return 0;
  }
}

template <typename PixelFn>
void WalkPacked(TBitmap& Bmp, TBitmap& Source, PixelFn Fn) {
  const int Bits = BitsPerPixelOf(Source.PixelFormat());
  for (int y = 0; y < Bmp.Height(); ++y) {
    auto* Dst = static_cast<uint8_t*>(Bmp.ScanLine(y));
    const auto* Src = static_cast<const uint8_t*>(Source.ScanLine(y));
    if (!Dst || !Src) return;
    for (int x = 0; x < Bmp.Width(); ++x) Fn(Dst + 4 * x, PackedValue(Src, x, Bits));
  }
}

void SetAllAlpha(TBitmap& Bmp, uint8_t Alpha) {
  for (int y = 0; y < Bmp.Height(); ++y) {
    auto* Row = static_cast<uint8_t*>(Bmp.ScanLine(y));
    for (int x = 0; x < Bmp.Width(); ++x) Row[4 * x + 3] = Alpha;
  }
}

}  // namespace

void CopyPngToBitmap32(TBitmap& Bmp, TPNGGraphic& Png) {
  const bool WasTransparent = Bmp.Transparent();
  TColorManager& cm = Png.ColorManager();
  if (Png.ImageInfo().Layout == plIndexed && !Png.AlphaTable().empty()) {
    Bmp.Assign(Png);
    Bmp.SetPixelFormat(pf32bit);
    const auto& Table = Png.AlphaTable();
    // A 2-bit picture is stored 4-bit with its indices spread by 5.
    const bool Spread = Png.ImageInfo().BitDepth == 2;
    WalkPacked(Bmp, Png, [&](uint8_t* Pixel, int v) { Pixel[3] = Table[Spread ? v / 5 : v]; });
    return;
  }
  Bmp.Assign(Png);
  if (Bmp.PixelFormat() == pf32bit) return;
  Bmp.SetPixelFormat(pf32bit);
  if (Bmp.Height() < 1) return;
  if (Png.ImageInfo().Flags & pngGammaSeen) {
    // Colour and palette pictures keep their (gamma-corrected) colours.
    if (cm.PixelFormatFor(false) == pf24bit || Png.ImageInfo().Layout == plIndexed) {
      SetAllAlpha(Bmp, 255);
      return;
    }
    // Grey ones too: their grey ramp carries the gamma. The key is matched
    // on the level the file states, before correction.
    const uint32_t Key = Png.TransparentKey();
    const int KeyLevel = Key == 0x1FFFFFFF ? -1 : int(Key & 0xFF);
    const int Bits = BitsPerPixelOf(Png.PixelFormat());
    const int Max = (1 << Bits) - 1;
    WalkPacked(Bmp, Png, [&](uint8_t* Pixel, int v) {
      const int Level = Bits == 8 ? v : v * 255 / Max;
      Pixel[3] = Level == KeyLevel ? 0 : 255;
    });
    return;
  }
  if (WasTransparent) {
    const uint32_t Key = Bmp.TransparentColor() & 0xFFFFFF;
    const uint32_t KeyPixel = (Key & 0xFF) << 16 | (Key & 0xFF00) | (Key >> 16 & 0xFF);
    for (int y = 0; y < Bmp.Height(); ++y) {
      auto* Row = static_cast<uint32_t*>(Bmp.ScanLine(y));
      for (int x = 0; x < Bmp.Width(); ++x)
        if ((Row[x] & 0xFFFFFF) != KeyPixel) Row[x] |= 0xFF000000u;
    }
    return;
  }
  SetAllAlpha(Bmp, 255);
}
