#include "framework/Bitmap.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include "framework/GdiHandles.h"
#include "framework/Graphics.h"
#include "framework/Streams.h"

namespace {

// A memory DC with one bitmap selected for the length of a copy.
class SelectedDC {
 public:
  explicit SelectedDC(HBITMAP Bitmap) : FDC(TMemoryDC::ForScreen()), FSelect(FDC.get(), Bitmap) {}
  operator HDC() const { return FDC.get(); }

 private:
  TMemoryDC FDC;
  TSelectObject FSelect;  // declared after FDC: deselects before the DC goes
};

constexpr RGBQUAD VgaColors[16] = {{0, 0, 0, 0},       {0, 0, 128, 0},   {0, 128, 0, 0},   {0, 128, 128, 0},
                                   {128, 0, 0, 0},     {128, 0, 128, 0}, {128, 128, 0, 0}, {192, 192, 192, 0},
                                   {128, 128, 128, 0}, {0, 0, 255, 0},   {0, 255, 0, 0},   {0, 255, 255, 0},
                                   {255, 0, 0, 0},     {255, 0, 255, 0}, {255, 255, 0, 0}, {255, 255, 255, 0}};

int StrideOf(int Width, int Bits) { return ((Width * Bits + 31) / 32) * 4; }

struct BitmapInfo256 {
  BITMAPINFOHEADER Header;
  RGBQUAD Colors[256];
};

}  // namespace

int BitsPerPixelOf(TPixelFormat Format) {
  switch (Format) {
    case pf1bit:
      return 1;
    case pf4bit:
      return 4;
    case pf8bit:
      return 8;
    case pf15bit:
    case pf16bit:
      return 16;
    case pf24bit:
      return 24;
    case pf32bit:
      return 32;
    default:
      return 0;
  }
}

TBitmap::TBitmap() = default;

TBitmap::~TBitmap() { DeselectFromDC(); }

int TBitmap::BitsPerPixel(TPixelFormat Format) const {
  if (Format == pfDevice || Format == pfCustom) {
    TWindowDC Screen;
    return GetDeviceCaps(Screen.get(), BITSPIXEL) * GetDeviceCaps(Screen.get(), PLANES);
  }
  return BitsPerPixelOf(Format);
}

int TBitmap::RowBytes() const {
  if (!FBits) return 0;
  return StrideOf(FWidth, BitsPerPixelOf(FPixelFormat));
}

void TBitmap::DeselectFromDC() {
  if (FDC && FOldBitmap) {
    SelectObject(FDC.get(), FOldBitmap);
    FOldBitmap = nullptr;
  }
}

void TBitmap::SelectIntoDC() {
  if (FDC && FHandle) FOldBitmap = SelectObject(FDC.get(), FHandle.get());
}

HDC TBitmap::DC() {
  if (!FDC) {
    FDC = TMemoryDC::ForScreen();
    SelectIntoDC();
  }
  return FDC.get();
}

void TBitmap::FillColorTable(RGBQUAD* Table, int Count, TPixelFormat Format) const {
  if (FPalette) {
    PALETTEENTRY Entries[256] = {};
    int Got = GetPaletteEntries(FPalette.get(), 0, Count, Entries);
    for (int i = 0; i < Count; ++i) {
      if (i < Got)
        Table[i] = RGBQUAD{Entries[i].peBlue, Entries[i].peGreen, Entries[i].peRed, 0};
      else
        Table[i] = RGBQUAD{0, 0, 0, 0};
    }
    return;
  }
  if (Format == pf1bit) {
    Table[0] = RGBQUAD{0, 0, 0, 0};
    Table[1] = RGBQUAD{255, 255, 255, 0};
  } else if (Format == pf4bit) {
    std::copy(VgaColors, VgaColors + 16, Table);
  } else {
    // A grey ramp, so that bytes of an 8-bit plane read as levels.
    for (int i = 0; i < Count; ++i) Table[i] = RGBQUAD{BYTE(i), BYTE(i), BYTE(i), 0};
  }
}

void TBitmap::Recreate(TPixelFormat Format, int NewWidth, int NewHeight, bool KeepPicture) {
  NewWidth = std::max(NewWidth, 0);
  NewHeight = std::max(NewHeight, 0);
  HBITMAP NewHandle = nullptr;
  void* NewBits = nullptr;
  if (NewWidth > 0 && NewHeight > 0) {
    if (Format == pfDevice) {
      TWindowDC Screen;
      NewHandle = CreateCompatibleBitmap(Screen.get(), NewWidth, NewHeight);
    } else {
      BitmapInfo256 Info = {};
      Info.Header.biSize = sizeof(BITMAPINFOHEADER);
      Info.Header.biWidth = NewWidth;
      Info.Header.biHeight = NewHeight;  // bottom-up
      Info.Header.biPlanes = 1;
      Info.Header.biBitCount = WORD(BitsPerPixel(Format));
      Info.Header.biCompression = BI_RGB;
      if (Format == pf16bit) {
        // 5-6-5 needs bit fields; 5-5-5 is what BI_RGB gives for 16 bits.
        Info.Header.biCompression = BI_BITFIELDS;
        auto* Masks = reinterpret_cast<DWORD*>(Info.Colors);
        Masks[0] = 0xF800;
        Masks[1] = 0x07E0;
        Masks[2] = 0x001F;
      }
      int Colors = Info.Header.biBitCount <= 8 ? 1 << Info.Header.biBitCount : 0;
      if (Colors) {
        Info.Header.biClrUsed = Colors;
        FillColorTable(Info.Colors, Colors, Format);
      }
      NewHandle = CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&Info), DIB_RGB_COLORS, &NewBits, nullptr, 0);
    }
    if (!NewHandle) throw EOutOfResources(L"Out of system resources");
    if (NewBits) std::memset(NewBits, 0, size_t(StrideOf(NewWidth, BitsPerPixel(Format))) * NewHeight);
  }
  if (KeepPicture && NewHandle && FHandle) {
    int W = std::min(FWidth, NewWidth), H = std::min(FHeight, NewHeight);
    if (Format == FPixelFormat && FBits && NewBits) {
      // Same layout: copy bytes, so palette indices survive unchanged.
      int OldStride = RowBytes(), NewStride = StrideOf(NewWidth, BitsPerPixelOf(Format));
      int Bytes = (W * BitsPerPixelOf(Format) + 7) / 8;
      for (int y = 0; y < H; ++y)
        std::memcpy(static_cast<uint8_t*>(NewBits) + size_t(NewHeight - 1 - y) * NewStride,
                    static_cast<uint8_t*>(FBits) + size_t(FHeight - 1 - y) * OldStride, Bytes);
    } else {
      GdiFlush();
      DeselectFromDC();
      {
        SelectedDC From(FHandle.get()), To(NewHandle);
        BitBlt(To, 0, 0, W, H, From, 0, 0, SRCCOPY);
      }
      GdiFlush();
    }
  }
  DeselectFromDC();
  FHandle.Reset(NewHandle);
  FBits = NewBits;
  FWidth = NewHandle ? NewWidth : 0;
  FHeight = NewHandle ? NewHeight : 0;
  // Without a handle the size is kept, so that Width then Height builds up.
  if (!NewHandle) {
    FWidth = NewWidth;
    FHeight = NewHeight;
  }
  FPixelFormat = Format;
  SelectIntoDC();
}

void TBitmap::SetSize(int NewWidth, int NewHeight) {
  NewWidth = std::max(NewWidth, 0);
  NewHeight = std::max(NewHeight, 0);
  if (NewWidth == FWidth && NewHeight == FHeight) return;
  Recreate(FPixelFormat, NewWidth, NewHeight, true);
}

void TBitmap::SetPixelFormat(TPixelFormat Value) {
  if (Value == FPixelFormat) return;
  Recreate(Value, FWidth, FHeight, true);
}

void TBitmap::SetHandleType(TBitmapHandleType Value) {
  if (Value == HandleType()) return;
  if (Value == bmDDB) {
    Recreate(pfDevice, FWidth, FHeight, true);
    return;
  }
  int Bits = BitsPerPixel(pfDevice);
  TPixelFormat Format = Bits <= 1    ? pf1bit
                        : Bits <= 4  ? pf4bit
                        : Bits <= 8  ? pf8bit
                        : Bits <= 16 ? pf16bit
                        : Bits <= 24 ? pf24bit
                                     : pf32bit;
  Recreate(Format, FWidth, FHeight, true);
}

void* TBitmap::ScanLine(int Y) {
  if (FPixelFormat == pfDevice) SetHandleType(bmDIB);
  if (!FBits || Y < 0 || Y >= FHeight) return nullptr;
  return static_cast<uint8_t*>(FBits) + size_t(FHeight - 1 - Y) * RowBytes();
}

void TBitmap::SetHandle(HBITMAP Value) {
  if (Value == FHandle.get()) return;
  DeselectFromDC();
  FHandle.Reset();
  FBits = nullptr;
  FWidth = FHeight = 0;
  if (Value) {
    DIBSECTION Section = {};
    if (GetObjectW(Value, sizeof(Section), &Section) == sizeof(Section) && Section.dsBm.bmBits) {
      FBits = Section.dsBm.bmBits;
      FWidth = Section.dsBmih.biWidth;
      FHeight = std::abs(Section.dsBmih.biHeight);
      switch (Section.dsBmih.biBitCount) {
        case 1:
          FPixelFormat = pf1bit;
          break;
        case 4:
          FPixelFormat = pf4bit;
          break;
        case 8:
          FPixelFormat = pf8bit;
          break;
        case 16:
          FPixelFormat = Section.dsBmih.biCompression == BI_BITFIELDS ? pf16bit : pf15bit;
          break;
        case 24:
          FPixelFormat = pf24bit;
          break;
        case 32:
          FPixelFormat = pf32bit;
          break;
        default:
          FPixelFormat = pfCustom;
          break;
      }
      FHandle.Reset(Value);
      // Whatever the section's row order, the picture moves into a section
      // of our own, bottom-up, so that ScanLine has one rule. (Systems do
      // not agree on the sign of the height they report for top-down ones.)
      TPixelFormat Format = FPixelFormat;
      int W = FWidth, H = FHeight;
      FPixelFormat = pfCustom;  // forces the copy through GDI
      Recreate(Format, W, H, true);
    } else {
      BITMAP Info = {};
      GetObjectW(Value, sizeof(Info), &Info);
      FHandle.Reset(Value);
      FWidth = Info.bmWidth;
      FHeight = Info.bmHeight;
      FPixelFormat = pfDevice;
    }
  }
  SelectIntoDC();
}

HBITMAP TBitmap::ReleaseHandle() {
  DeselectFromDC();
  HBITMAP Result = FHandle.Release();
  FBits = nullptr;
  FWidth = FHeight = 0;
  return Result;
}

void TBitmap::SetPalette(HPALETTE Value) {
  if (Value == FPalette.get()) return;
  FPalette.Reset(Value);
  int Bits = BitsPerPixelOf(FPixelFormat);
  if (FPalette && FBits && Bits >= 1 && Bits <= 8) {
    RGBQUAD Table[256];
    int Count = 1 << Bits;
    FillColorTable(Table, Count, FPixelFormat);
    SetDIBColorTable(DC(), 0, Count, Table);
  }
}

void TBitmap::SetTransparentMode(TTransparentMode Value) {
  if (Value == tmAuto) FTransparentColor = 0x20000000;
  FTransparentMode = Value;
}

uint32_t TBitmap::TransparentColor() {
  if (FTransparentColor == 0x20000000 || FTransparentMode == tmAuto) {
    if (Empty()) return 0;
    COLORREF C = GetPixel(DC(), 0, FHeight - 1);
    return C == CLR_INVALID ? 0 : C;
  }
  return FTransparentColor;
}

void TBitmap::SetTransparentColor(uint32_t Value) {
  FTransparentColor = Value;
  FTransparentMode = Value == 0x20000000 ? tmAuto : tmFixed;
}

void TBitmap::Draw(TCanvas& Canvas, const RECT& Rect) {
  if (Empty()) return;
  const int W = Rect.right - Rect.left, H = Rect.bottom - Rect.top;
  if (FTransparent) {
    TransparentBlt(Canvas.Handle(), Rect.left, Rect.top, W, H, DC(), 0, 0, FWidth, FHeight,
                   ColorToRGB(TColor(TransparentColor())));
  } else {
    int OldMode = SetStretchBltMode(Canvas.Handle(), COLORONCOLOR);
    StretchBlt(Canvas.Handle(), Rect.left, Rect.top, W, H, DC(), 0, 0, FWidth, FHeight, SRCCOPY);
    SetStretchBltMode(Canvas.Handle(), OldMode);
  }
}

void TBitmap::FreeImage() { Recreate(FPixelFormat, 0, 0, false); }

void TBitmap::Assign(const TBitmap& Source) {
  if (&Source == this) return;
  HPALETTE PaletteCopy = nullptr;
  if (Source.FPalette) {
    PALETTEENTRY Entries[256];
    int Count = GetPaletteEntries(Source.FPalette.get(), 0, 256, Entries);
    std::vector<uint8_t> Block(sizeof(LOGPALETTE) + sizeof(PALETTEENTRY) * std::max(Count, 1));
    auto* Log = reinterpret_cast<LOGPALETTE*>(Block.data());
    Log->palVersion = 0x300;
    Log->palNumEntries = WORD(Count);
    std::copy(Entries, Entries + Count, Log->palPalEntry);
    PaletteCopy = CreatePalette(Log);
  }
  Recreate(Source.FPixelFormat, 0, 0, false);
  FPalette.Reset(PaletteCopy);
  Recreate(Source.FPixelFormat, Source.FWidth, Source.FHeight, false);
  if (FHandle && Source.FHandle) {
    if (FBits && Source.FBits) {
      std::memcpy(FBits, Source.FBits, size_t(RowBytes()) * FHeight);
    } else {
      GdiFlush();
      SelectedDC From(Source.FHandle.get());
      BitBlt(DC(), 0, 0, FWidth, FHeight, From, 0, 0, SRCCOPY);
      GdiFlush();
    }
  }
  FIgnorePalette = Source.FIgnorePalette;
  FTransparent = Source.FTransparent;
  FTransparentMode = Source.FTransparentMode;
  FTransparentColor = Source.FTransparentColor;
}

void TBitmap::Progress(TProgressStage Stage, uint8_t PercentDone, bool RedrawNow, const RECT& R, const String& Msg) {
  if (OnProgress) OnProgress(this, Stage, PercentDone, RedrawNow, R, Msg);
}

void TBitmap::LoadFromStream(TStream& Stream) {
  BITMAPFILEHEADER File = {};
  Stream.ReadBuffer(&File, sizeof(File));
  if (File.bfType != 0x4D42) throw EInvalidGraphic(L"Bitmap image is not valid");
  BITMAPINFOHEADER Header = {};
  Stream.ReadBuffer(&Header, sizeof(DWORD));
  if (Header.biSize < sizeof(BITMAPINFOHEADER) || Header.biSize > 4096)
    throw EInvalidGraphic(L"Bitmap image is not valid");
  std::vector<uint8_t> HeaderBytes(Header.biSize);
  std::memcpy(HeaderBytes.data(), &Header.biSize, sizeof(DWORD));
  Stream.ReadBuffer(HeaderBytes.data() + sizeof(DWORD), Header.biSize - sizeof(DWORD));
  std::memcpy(&Header, HeaderBytes.data(), sizeof(Header));
  int Width = Header.biWidth, Height = std::abs(Header.biHeight);
  int Bits = Header.biBitCount;
  if (Width <= 0 || Height <= 0 || Width > 32768 || Height > 32768 || Header.biPlanes != 1 ||
      (Header.biCompression != BI_RGB && Header.biCompression != BI_BITFIELDS))
    throw EInvalidGraphic(L"Bitmap image is not valid");
  TPixelFormat Format;
  switch (Bits) {
    case 1:
      Format = pf1bit;
      break;
    case 4:
      Format = pf4bit;
      break;
    case 8:
      Format = pf8bit;
      break;
    case 16:
      Format = pf15bit;
      break;
    case 24:
      Format = pf24bit;
      break;
    case 32:
      Format = pf32bit;
      break;
    default:
      throw EInvalidGraphic(L"Bitmap image is not valid");
  }
  DWORD Masks[3] = {0x7C00, 0x03E0, 0x001F};
  if (Header.biCompression == BI_BITFIELDS) {
    if (Header.biSize >= sizeof(BITMAPINFOHEADER) + 12)
      std::memcpy(Masks, HeaderBytes.data() + sizeof(BITMAPINFOHEADER), 12);
    else
      Stream.ReadBuffer(Masks, 12);
    if (Bits == 16 && Masks[1] == 0x07E0) Format = pf16bit;
  }
  HPALETTE NewPalette = nullptr;
  if (Bits <= 8) {
    int Colors = Header.biClrUsed ? int(std::min<DWORD>(Header.biClrUsed, 1u << Bits)) : 1 << Bits;
    std::vector<RGBQUAD> Table(Colors);
    Stream.ReadBuffer(Table.data(), Colors * sizeof(RGBQUAD));
    std::vector<uint8_t> Block(sizeof(LOGPALETTE) + sizeof(PALETTEENTRY) * Colors);
    auto* Log = reinterpret_cast<LOGPALETTE*>(Block.data());
    Log->palVersion = 0x300;
    Log->palNumEntries = WORD(Colors);
    for (int i = 0; i < Colors; ++i)
      Log->palPalEntry[i] = PALETTEENTRY{Table[i].rgbRed, Table[i].rgbGreen, Table[i].rgbBlue, 0};
    NewPalette = CreatePalette(Log);
  }
  FreeImage();
  FPalette.Reset(NewPalette);
  Recreate(Format, Width, Height, false);
  int Stride = RowBytes();
  std::vector<uint8_t> Pixels(size_t(Stride) * Height);
  Stream.ReadBuffer(Pixels.data(), Pixels.size());
  bool TopDown = Header.biHeight < 0;
  for (int y = 0; y < Height; ++y) {
    int FileRow = TopDown ? y : Height - 1 - y;
    std::memcpy(ScanLine(y), Pixels.data() + size_t(FileRow) * Stride, Stride);
  }
}

void TBitmap::SaveToStream(TStream& Stream) {
  if (FPixelFormat == pfDevice) SetHandleType(bmDIB);
  int Bits = BitsPerPixelOf(FPixelFormat);
  int Colors = Bits >= 1 && Bits <= 8 ? 1 << Bits : 0;
  bool Fields = FPixelFormat == pf16bit;
  int Stride = StrideOf(FWidth, Bits);
  BITMAPINFOHEADER Header = {};
  Header.biSize = sizeof(Header);
  Header.biWidth = FWidth;
  Header.biHeight = FHeight;
  Header.biPlanes = 1;
  Header.biBitCount = WORD(Bits);
  Header.biCompression = Fields ? BI_BITFIELDS : BI_RGB;
  Header.biSizeImage = DWORD(Stride) * FHeight;
  Header.biClrUsed = Colors;
  DWORD Extra = Colors * sizeof(RGBQUAD) + (Fields ? 12 : 0);
  BITMAPFILEHEADER File = {};
  File.bfType = 0x4D42;
  File.bfOffBits = sizeof(File) + sizeof(Header) + Extra;
  File.bfSize = File.bfOffBits + Header.biSizeImage;
  Stream.WriteBuffer(&File, sizeof(File));
  Stream.WriteBuffer(&Header, sizeof(Header));
  if (Fields) {
    DWORD Masks[3] = {0xF800, 0x07E0, 0x001F};
    Stream.WriteBuffer(Masks, sizeof(Masks));
  }
  if (Colors) {
    RGBQUAD Table[256] = {};
    if (FBits)
      GetDIBColorTable(DC(), 0, Colors, Table);
    else
      FillColorTable(Table, Colors, FPixelFormat);
    Stream.WriteBuffer(Table, Colors * sizeof(RGBQUAD));
  }
  if (FBits) {
    GdiFlush();
    Stream.WriteBuffer(FBits, Header.biSizeImage);  // already bottom-up, as the file wants
  }
}

void TBitmap::SaveToFile(const String& FileName) {
  TFileStream Stream(FileName, fmCreate);
  SaveToStream(Stream);
}
