#include "skin/graphics/PngGraphic.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>

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

[[noreturn]] void RaiseInvalidFormat() {
  throw EInvalidGraphic(L"Cannot load image. Invalid or unexpected " + PngName + L" image format.");
}
[[noreturn]] void RaiseCrcError() { throw EInvalidGraphic(L"Cannot load image. CRC error found in PNG file."); }
[[noreturn]] void RaiseColorFormat() { throw EInvalidGraphic(L"Invalid color format in PNG file."); }

// The table for the reflected polynomial 0xEDB88320, built once. It lives
// as long as the process, which is what the decoder wants.
const std::array<uint32_t, 256>& CrcTable() {
  static const std::array<uint32_t, 256> Table = [] {
    std::array<uint32_t, 256> t{};
    for (uint32_t n = 0; n < 256; ++n) {
      uint32_t c = n;
      for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      t[n] = c;
    }
    return t;
  }();
  return Table;
}

uint32_t BigEndian32(const uint8_t* p) { return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | p[2] << 8 | p[3]; }

int PaethPredictor(int a, int b, int c) {
  int p = a + b - c;
  int pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
  if (pa <= pb && pa <= pc) return a;
  return pb <= pc ? b : c;
}

void UnfilterRow(uint8_t Type, uint8_t* Data, size_t Length, size_t Unit, const uint8_t* Prior) {
  switch (Type) {
    case 1:
      for (size_t i = Unit; i < Length; ++i) Data[i] = uint8_t(Data[i] + Data[i - Unit]);
      break;
    case 2:
      for (size_t i = 0; i < Length; ++i) Data[i] = uint8_t(Data[i] + Prior[i]);
      break;
    case 3:
      for (size_t i = 0; i < Unit && i < Length; ++i) Data[i] = uint8_t(Data[i] + (Prior[i] >> 1));
      for (size_t i = Unit; i < Length; ++i) Data[i] = uint8_t(Data[i] + ((Data[i - Unit] + Prior[i]) >> 1));
      break;
    case 4:
      for (size_t i = 0; i < Unit && i < Length; ++i) Data[i] = uint8_t(Data[i] + Prior[i]);
      for (size_t i = Unit; i < Length; ++i)
        Data[i] = uint8_t(Data[i] + PaethPredictor(Data[i - Unit], Prior[i], Prior[i - Unit]));
      break;
    default: break;
  }
}

struct Adam7Pass {
  int StartRow, StartColumn, RowStep, ColumnStep;
  uint8_t Mask;
};
constexpr Adam7Pass Adam7[7] = {{0, 0, 8, 8, 0x80}, {0, 4, 8, 8, 0x08}, {4, 0, 8, 4, 0x88}, {0, 2, 4, 4, 0x22},
                                {2, 0, 4, 2, 0xAA}, {0, 1, 2, 2, 0x55}, {1, 0, 2, 1, 0xFF}};

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

uint32_t UpdateCrc(uint32_t Crc, const void* Buffer, size_t Count) {
  if (!Buffer) return 0;
  const auto& Table = CrcTable();
  uint32_t c = ~Crc;
  const auto* p = static_cast<const uint8_t*>(Buffer);
  for (size_t i = 0; i < Count; ++i) c = Table[(c ^ p[i]) & 0xFF] ^ (c >> 8);
  return ~c;
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

// Chunk lengths come from the file; one that claims more than the stream
// holds is refused before any buffer is sized by it.
void TPNGGraphic::CheckChunkFits(uint32_t Length) {
  if (Length > 0x7FFFFFFFu) RaiseInvalidFormat();
  int64_t Left = FStreamEnd - FStream->Position();
  if (int64_t(Length) + 4 > Left) RaiseInvalidFormat();
}

void TPNGGraphic::ReadChunkHeader() {
  uint8_t Header[8];
  FStream->ReadBuffer(Header, 8);
  FChunkLength = BigEndian32(Header);
  std::memcpy(FChunkType, Header + 4, 4);
  FRunningCrc = UpdateCrc(0, FChunkType, 4);
  CheckChunkFits(FChunkLength);
}

void TPNGGraphic::ReadChunkData() {
  FChunkBuffer.resize(FChunkLength);
  if (FChunkLength) FStream->ReadBuffer(FChunkBuffer.data(), FChunkLength);
  uint8_t CrcBytes[4];
  FStream->ReadBuffer(CrcBytes, 4);
  if (FChunkLength) FRunningCrc = UpdateCrc(FRunningCrc, FChunkBuffer.data(), FChunkLength);
  if (FRunningCrc != BigEndian32(CrcBytes)) RaiseCrcError();
}

void TPNGGraphic::SkipChunk() { FStream->Seek(int64_t(FChunkLength) + 4, soFromCurrent); }

bool TPNGGraphic::IsChunk(const char* Name) const {
  for (int i = 0; i < 4; ++i)
    if ((FChunkType[i] ^ Name[i]) & ~0x20) return false;
  return true;
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

bool TPNGGraphic::ReadImageHeader(TStream& Stream) {
  static const uint8_t Signature[8] = {0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A};
  FStream = &Stream;
  FStreamEnd = Stream.Size();
  FImageInfo = TPNGImageInfo{};
  uint8_t Bytes[8];
  Stream.ReadBuffer(Bytes, 8);
  if (std::memcmp(Bytes, Signature, 8) != 0) return false;
  ReadChunkHeader();
  if (!IsChunk("IHDR") || FChunkLength != 13) return false;
  FImageInfo.Flags |= pngHeaderRead;
  ReadChunkData();
  const uint8_t* d = FChunkBuffer.data();
  uint32_t Width = BigEndian32(d), Height = BigEndian32(d + 4);
  if (Width == 0 || Height == 0 || Width > PngMaxDimension || Height > PngMaxDimension) return false;
  FImageInfo.Width = Width;
  FImageHeight = Height;
  FImageInfo.BitDepth = d[8];
  FColorType = d[9];
  switch (d[9]) {
    case 0: FImageInfo.Layout = plGray; break;
    case 2: FImageInfo.Layout = plRGB; break;
    case 3: FImageInfo.Layout = plIndexed; break;
    case 4: FImageInfo.Layout = plGrayAlpha; break;
    case 6: FImageInfo.Layout = plRGBA; break;
    default: FImageInfo.Layout = plNone; break;
  }
  FImageInfo.Samples = d[9] == 2 ? 3 : d[9] == 6 ? 4 : 1;
  FImageInfo.Compression = d[10] == 0 ? 2 : 0;
  FInterlace = d[12];
  SetHeight(int(Height));
  for (;;) {
    ReadChunkHeader();
    if (IsChunk("gAMA")) {
      ReadChunkData();
      break;
    }
    SkipChunk();
    if (IsChunk("IEND")) break;
  }
  return true;
}

int TPNGGraphic::SetupColorDepth(int ColorType, int BitDepth) {
  TColorManager& cm = *FColorManager;
  // How the colour manager turns a row of this picture into the bitmap's row.
  auto Convert = [&](TPixelLayout Source, TPixelLayout Target, int SourceSamples, int TargetSamples,
                     int TargetBits) {
    cm.SetSourceLayout(Source);
    cm.SetTargetLayout(Target);
    cm.SetSourceSamples(uint8_t(SourceSamples));
    cm.SetTargetSamples(uint8_t(TargetSamples));
    cm.SetSourceBits(uint8_t(BitDepth));
    cm.SetTargetBits(uint8_t(TargetBits));
  };
  const bool EightOrSixteen = BitDepth == 8 || BitDepth == 16;
  int Result;
  switch (ColorType) {
    case 0:  // grey
      if (BitDepth != 1 && BitDepth != 2 && BitDepth != 4 && !EightOrSixteen) RaiseColorFormat();
      Convert(plGray, plGray, 1, 1, BitDepth == 1 ? 1 : BitDepth <= 4 ? 4 : 8);
      SetPixelFormat(cm.PixelFormatFor(true));
      SetPalette(cm.BuildGrayPalette(false));
      Result = (BitDepth + 7) / 8;
      break;
    case 2:  // RGB
      if (!EightOrSixteen) RaiseColorFormat();
      Convert(plRGB, plBGR, 3, 3, 8);
      SetPixelFormat(pf24bit);
      Result = BitDepth * 3 / 8;
      break;
    case 3:  // palette
      if (BitDepth != 1 && BitDepth != 2 && BitDepth != 4 && BitDepth != 8) RaiseColorFormat();
      Convert(plIndexed, plIndexed, 1, 1, BitDepth == 2 ? 4 : BitDepth);
      SetPixelFormat(cm.PixelFormatFor(true));
      Result = 1;
      break;
    case 4:  // grey with alpha keeps its alpha: it becomes 32-bit like RGBA
      if (!EightOrSixteen) RaiseColorFormat();
      Convert(plGrayAlpha, plBGRA, 2, 4, 8);
      SetPixelFormat(pf32bit);
      Result = BitDepth * 2 / 8;
      break;
    case 6:  // RGBA
      if (!EightOrSixteen) RaiseColorFormat();
      Convert(plRGBA, plBGRA, 4, 4, 8);
      SetPixelFormat(pf32bit);
      Result = BitDepth * 4 / 8;
      break;
    default: RaiseColorFormat();
  }
  FDepthSet = true;
  return Result;
}

void TPNGGraphic::ReadBackgroundChunk() {
  const uint8_t* d = FChunkBuffer.data();
  const int Depth = FImageInfo.BitDepth;
  auto Scaled = [&](uint16_t v) -> uint32_t {
    if (Depth == 16) return MulDiv16(v, 255, 65535);
    return v & 0xFF;
  };
  switch (FColorType) {
    case 0:
    case 4: {
      if (FChunkLength < 2) return;
      uint16_t v = Sample16(d);
      FBackgroundColor = Depth == 2 ? MulDiv16(v, 15, 3) : Scaled(v);
      break;
    }
    case 2:
    case 6:
      if (FChunkLength < 6) return;
      FBackgroundColor = Scaled(Sample16(d)) | Scaled(Sample16(d + 2)) << 8 | Scaled(Sample16(d + 4)) << 16;
      break;
    default:
      if (FChunkLength < 1) return;
      FBackgroundColor = d[0];
      break;
  }
}

// The key is the colour the pixel shows once decoded, so it can be matched
// against the picture's own pixels, whatever the depth.
void TPNGGraphic::ReadTransparencyChunk() {
  const uint8_t* d = FChunkBuffer.data();
  const int Depth = FImageInfo.BitDepth;
  switch (FColorType) {
    case 0: {
      if (FChunkLength < 2) return;
      uint32_t Level = Level8(Sample16(d), Depth);
      FTransparentKey = Level | Level << 8 | Level << 16;
      break;
    }
    case 2:
      if (FChunkLength < 6) return;
      FTransparentKey = Level8(Sample16(d), Depth) | Level8(Sample16(d + 2), Depth) << 8 |
                        Level8(Sample16(d + 4), Depth) << 16;
      break;
    case 4:
    case 6: break;
    default: {
      FAlphaTable.assign(256, 255);
      std::copy_n(d, std::min<uint32_t>(FChunkLength, 256), FAlphaTable.begin());
      break;
    }
  }
}

bool TPNGGraphic::InflateRow(uint8_t* Buffer, size_t Count) {
  uint8_t* Out = Buffer;
  size_t Left = Count;
  while (Left > 0) {
    if (FIdatLeft == 0) {
      do {
        if (!IsChunk("IDAT")) return false;
        ReadChunkData();
        FInputPos = FChunkBuffer.data();
        FIdatLeft = FChunkLength;
        ReadChunkHeader();
      } while (FIdatLeft == 0);
    }
    uint8_t* Before = Out;
    FDecoder->InflateChunk(FInputPos, Out, unsigned(Left), FIdatLeft);
    Left -= size_t(Out - Before);
    FIdatLeft = FDecoder->InputLeft();
    int Result = FDecoder->LastResult();
    if (Result == Z_STREAM_END) {
      if (Left > 0 || FIdatLeft > 0)
        throw EInvalidGraphic(L"Cannot load image. Extra compressed data found in PNG file.");
      return true;
    }
    if (Result != Z_OK) throw EInvalidGraphic(L"Cannot load image. Compression error found in PNG file.");
  }
  return true;
}

void TPNGGraphic::ReadImageData() {
  Progress(psStarting, 0, false, FProgressRect, L"Transfering...");
  if (!FDepthSet) FBytesPerPixel = SetupColorDepth(FColorType, FImageInfo.BitDepth);
  const int Depth = FImageInfo.BitDepth;
  const size_t Channels = Depth == 16 ? FBytesPerPixel / 2 : FBytesPerPixel;
  if (Channels == 4 && !Palette()) SetIgnorePalette(true);

  const int Width = int(FImageInfo.Width), Height = int(FImageHeight);
  SetSize(Width, Height);
  {
    HBRUSH Brush = CreateSolidBrush(FBackgroundColor & 0xFFFFFF);
    RECT All = {0, 0, Width, Height};
    FillRect(DC(), &All, Brush);
    DeleteObject(Brush);
    GdiFlush();
  }
  if (FTransparentKey != 0x1FFFFFFF) {
    SetTransparentColor(FTransparentKey);
    SetTransparent(true);
  }

  const size_t RowSize = (size_t(Width) * Depth + 7) / 8 * Channels;
  std::vector<uint8_t> Current(RowSize + 1, 0), Prior(RowSize + 1, 0);
  const size_t Unit = size_t(std::max(FBytesPerPixel, 1));
  const int Step = RowBytes();
  uint8_t* Row0 = Height > 0 ? static_cast<uint8_t*>(ScanLine(0)) : nullptr;
  if (Row0) {
    if (FInterlace != 1) {
      for (int y = 0; y < Height; ++y) {
        // Rows the data never reached keep the background rather than
        // being unfiltered out of stale buffer contents.
        if (!InflateRow(Current.data(), RowSize + 1)) break;
        UnfilterRow(Current[0], Current.data() + 1, RowSize, Unit, Prior.data() + 1);
        const void* Source = Current.data() + 1;
        FColorManager->ConvertRow(&Source, Row0 - ptrdiff_t(y) * Step, Width, 0xFF);
        ++FProgressRect.top, ++FProgressRect.bottom;
        std::swap(Current, Prior);
      }
    } else {
      bool DataLeft = true;
      for (int p = 0; p < 7 && DataLeft; ++p) {
        const Adam7Pass& Pass = Adam7[p];
        if (Width <= Pass.StartColumn) continue;
        size_t Pixels = size_t(Width + Pass.ColumnStep - 1 - Pass.StartColumn) / Pass.ColumnStep;
        size_t PassRow = (Pixels * Depth + 7) / 8 * Channels;
        std::fill(Prior.begin(), Prior.end(), 0);
        for (int y = Pass.StartRow; y < Height; y += Pass.RowStep) {
          if (!(DataLeft = InflateRow(Current.data(), PassRow + 1))) break;
          UnfilterRow(Current[0], Current.data() + 1, PassRow, Unit, Prior.data() + 1);
          const void* Source = Current.data() + 1;
          FColorManager->ConvertRow(&Source, Row0 - ptrdiff_t(y) * Step, Width, Pass.Mask);
          if (p == 6) ++FProgressRect.top, ++FProgressRect.bottom;
          std::swap(Current, Prior);
        }
      }
    }
  }
  while (IsChunk("IDAT")) {
    ReadChunkData();
    ReadChunkHeader();
  }
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
  FDepthSet = false;
  FColorManager->TargetFlags &= uint8_t(~cfGamma);
  FColorManager->SetSourceBits(8);
  FColorManager->SetTargetBits(8);

  FStream = &Stream;
  FStreamBase = Stream.Position();
  FStreamEnd = Stream.Size();
  FDecoder.reset();
  struct CleanUp {
    TPNGGraphic& G;
    ~CleanUp() {
      if (G.FDecoder) {
        try {
          G.FDecoder->FinishInflate();
        } catch (...) {
        }
        G.FDecoder.reset();
      }
      G.FChunkBuffer.clear();
      G.FChunkBuffer.shrink_to_fit();
      G.FIdatLeft = 0;
      G.FInputPos = nullptr;
      G.Progress(psEnding, 0, false, G.FProgressRect, L"");
    }
  } Guard{*this};

  if (!ReadImageHeader(Stream)) RaiseInvalidFormat();
  Stream.Seek(FStreamBase + 8, soFromBeginning);
  FProgressRect = RECT{0, 0, LONG(FImageInfo.Width), 1};
  Progress(psStarting, 0, false, FProgressRect, L"Preparing...");
  FAlphaTable.clear();
  FBackgroundColor = 0xFFFFFF;
  FTransparentKey = 0x1FFFFFFF;
  FColorManager->SourceFlags = cfBigEndian;

  ReadChunkHeader();
  if (!IsChunk("IHDR") || FChunkLength != 13) RaiseInvalidFormat();
  ReadChunkData();
  FImageInfo.Width = BigEndian32(FChunkBuffer.data());
  FImageHeight = BigEndian32(FChunkBuffer.data() + 4);
  if (FImageInfo.Compression != 2)
    throw EInvalidGraphic(L"Cannot load image. The compression scheme is not supported for PNG files.");

  FDecoder = std::make_unique<TLZ77Decoder>(Z_PARTIAL_FLUSH, false);
  FDecoder->StartInflate();

  for (;;) {
    ReadChunkHeader();
    if (IsChunk("IDAT")) {
      Progress(psEnding, 0, false, FProgressRect, L"");
      ReadImageData();
    } else if (IsChunk("PLTE")) {
      if (FChunkLength % 3 != 0) throw EInvalidGraphic(L"Cannot load image. Palette in PNG file is invalid.");
      ReadChunkData();
      if (FColorType == 3) {
        FBytesPerPixel = SetupColorDepth(FColorType, FImageInfo.BitDepth);
        const void* Source = FChunkBuffer.data();
        SetPalette(FColorManager->BuildPalette(&Source, 0, int(std::min<uint32_t>(FChunkLength / 3, 256)), false));
      }
      continue;
    } else if (IsChunk("gAMA")) {
      ReadChunkData();
      if (FChunkLength >= 4) {
        FColorManager->ComputeGammaTable(float(BigEndian32(FChunkBuffer.data()) / 100000.0), 2.2f);
        FColorManager->TargetFlags |= cfGamma;
        FImageInfo.Flags |= pngGammaSeen;
      }
      continue;
    } else if (IsChunk("bKGD")) {
      ReadChunkData();
      ReadBackgroundChunk();
      continue;
    } else if (IsChunk("tRNS")) {
      ReadChunkData();
      ReadTransparencyChunk();
      continue;
    }
    // Any other chunk, and the first chunk after the image data.
    SkipChunk();
    if (IsChunk("IEND")) break;
    if (!(FChunkType[0] & 0x20))
      throw EInvalidGraphic(L"Cannot load PNG image. Unexpected but critical chunk detected.");
  }
}

namespace {

// The palette index of pixel X in a row of 1, 4 or 8 bits per pixel.
inline int PackedValue(const uint8_t* Row, int X, int Bits) {
  switch (Bits) {
    case 8: return Row[X];
    case 4: return (Row[X >> 1] >> ((X & 1) ? 0 : 4)) & 0x0F;
    case 1: return (Row[X >> 3] >> (7 - (X & 7))) & 1;
    default: return 0;
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
    const uint8_t* Gamma = cm.GammaTable();
    const int Bits = BitsPerPixelOf(Png.PixelFormat());
    const int Max = (1 << Bits) - 1;
    WalkPacked(Bmp, Png, [&](uint8_t* Pixel, int v) {
      int Sample8 = Bits == 8 ? v : v * 255 / Max;
      Pixel[0] = Pixel[1] = Pixel[2] = 0;
      Pixel[3] = uint8_t(255 - Gamma[Sample8]);
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
