#include "skin/graphics/PngDecoder.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>

#include "framework/Streams.h"
#include "skin/graphics/Lz77Decoder.h"

namespace {

[[noreturn]] void RaiseInvalidFormat() {
  throw EPngError(L"Cannot load image. Invalid or unexpected PNG image format.");
}
[[noreturn]] void RaiseTruncated() { throw EPngError(L"Cannot load image. Unexpected end of PNG file."); }
[[noreturn]] void RaiseCrcError() { throw EPngError(L"Cannot load image. CRC error found in PNG file."); }
[[noreturn]] void RaiseColorFormat() { throw EPngError(L"Invalid color format in PNG file."); }
[[noreturn]] void RaisePaletteError() { throw EPngError(L"Cannot load image. Palette in PNG file is invalid."); }
[[noreturn]] void RaiseCriticalChunk() {
  throw EPngError(L"Cannot load PNG image. Unexpected but critical chunk detected.");
}

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

bool DepthAllowed(TPngColorType ColorType, int Depth) {
  switch (ColorType) {
    case pctGray:
      return Depth == 1 || Depth == 2 || Depth == 4 || Depth == 8 || Depth == 16;
    case pctIndexed:
      return Depth == 1 || Depth == 2 || Depth == 4 || Depth == 8;
    case pctRGB:
    case pctGrayAlpha:
    case pctRGBA:
      return Depth == 8 || Depth == 16;
  }
  return false;
}

int PaethPredictor(int a, int b, int c) {
  int p = a + b - c;
  int pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
  if (pa <= pb && pa <= pc) return a;
  return pb <= pc ? b : c;
}

void UnfilterRow(uint8_t Type, uint8_t* Data, size_t Length, size_t Unit, const uint8_t* Prior) {
  switch (Type) {
    case 0:
      break;
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
    default:
      throw EPngError(L"Cannot load image. Invalid filter type found in PNG file.");
  }
}

struct Adam7Pass {
  int StartRow, StartColumn, RowStep, ColumnStep;
  uint8_t Mask;
};
constexpr Adam7Pass Adam7[7] = {{0, 0, 8, 8, 0x80}, {0, 4, 8, 8, 0x08}, {4, 0, 8, 4, 0x88}, {0, 2, 4, 4, 0x22},
                                {2, 0, 4, 2, 0xAA}, {0, 1, 2, 2, 0x55}, {1, 0, 2, 1, 0xFF}};

}  // namespace

uint32_t UpdateCrc(uint32_t Crc, const void* Buffer, size_t Count) {
  if (!Buffer) return 0;
  const auto& Table = CrcTable();
  uint32_t c = ~Crc;
  const auto* p = static_cast<const uint8_t*>(Buffer);
  for (size_t i = 0; i < Count; ++i) c = Table[(c ^ p[i]) & 0xFF] ^ (c >> 8);
  return ~c;
}

void CheckPngHeader(const TPngHeader& Header) {
  if (Header.Width == 0 || Header.Height == 0 || Header.Width > PngMaxDimension || Header.Height > PngMaxDimension ||
      uint64_t(Header.Width) * Header.Height > PngMaxPixels)
    RaiseInvalidFormat();
  if (!DepthAllowed(Header.ColorType, Header.BitDepth)) RaiseColorFormat();
  if (Header.Compression != 0)
    throw EPngError(L"Cannot load image. The compression scheme is not supported for PNG files.");
  if (Header.Filter != 0 || Header.Interlace > 1) RaiseInvalidFormat();
}

int PngChannels(TPngColorType ColorType) {
  switch (ColorType) {
    case pctRGB:
      return 3;
    case pctGrayAlpha:
      return 2;
    case pctRGBA:
      return 4;
    default:
      return 1;
  }
}

TPngDecoder::TPngDecoder(TStream& Stream) : FStream(Stream), FStreamEnd(Stream.Size()) {}

TPngDecoder::~TPngDecoder() {
  if (!FInflater) return;
  try {
    FInflater->FinishInflate();
  } catch (...) {
  }
}

int TPngDecoder::FilterUnit() const { return std::max(1, PngChannels(FHeader.ColorType) * FHeader.BitDepth / 8); }

// Chunk lengths come from the file; one that claims more than the stream
// holds is refused before any buffer is sized by it.
void TPngDecoder::ReadChunkHeader() {
  if (FStreamEnd - FStream.Position() < 8) RaiseTruncated();
  uint8_t Bytes[8];
  FStream.ReadBuffer(Bytes, 8);
  FChunkLength = BigEndian32(Bytes);
  std::memcpy(FChunkType, Bytes + 4, 4);
  FRunningCrc = UpdateCrc(0, FChunkType, 4);
  if (FChunkLength > 0x7FFFFFFFu) RaiseInvalidFormat();
  if (int64_t(FChunkLength) + 4 > FStreamEnd - FStream.Position()) RaiseInvalidFormat();
}

void TPngDecoder::ReadChunkData() {
  FChunkBuffer.resize(FChunkLength);
  if (FChunkLength) FStream.ReadBuffer(FChunkBuffer.data(), FChunkLength);
  uint8_t CrcBytes[4];
  FStream.ReadBuffer(CrcBytes, 4);
  if (FChunkLength) FRunningCrc = UpdateCrc(FRunningCrc, FChunkBuffer.data(), FChunkLength);
  if (FRunningCrc != BigEndian32(CrcBytes)) RaiseCrcError();
}

void TPngDecoder::SkipChunk() { FStream.Seek(int64_t(FChunkLength) + 4, soFromCurrent); }

// Chunk names match without regard to letter case.
bool TPngDecoder::IsChunk(const char* Name) const {
  for (int i = 0; i < 4; ++i)
    if ((FChunkType[i] ^ Name[i]) & ~0x20) return false;
  return true;
}

const TPngHeader& TPngDecoder::ReadHeader() {
  static const uint8_t Signature[8] = {0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A};
  if (FStreamEnd - FStream.Position() < 8) RaiseTruncated();
  uint8_t Bytes[8];
  FStream.ReadBuffer(Bytes, 8);
  if (std::memcmp(Bytes, Signature, 8) != 0) RaiseInvalidFormat();
  ReadChunkHeader();
  if (!IsChunk("IHDR") || FChunkLength != 13) RaiseInvalidFormat();
  ReadChunkData();
  const uint8_t* d = FChunkBuffer.data();
  FHeader.Width = BigEndian32(d);
  FHeader.Height = BigEndian32(d + 4);
  FHeader.BitDepth = d[8];
  FHeader.ColorType = TPngColorType(d[9]);
  FHeader.Compression = d[10];
  FHeader.Filter = d[11];
  FHeader.Interlace = d[12];
  CheckPngHeader(FHeader);
  return FHeader;
}

void TPngDecoder::TakePalette() {
  if (FChunkLength % 3 != 0) RaisePaletteError();
  ReadChunkData();
  const uint32_t Entries = FChunkLength / 3;
  if (Entries == 0 || Entries > 256) RaisePaletteError();
  if (FHeader.ColorType == pctIndexed && Entries > 1u << FHeader.BitDepth) RaisePaletteError();
  FPalette.assign(FChunkBuffer.begin(), FChunkBuffer.end());
}

bool TPngDecoder::TakeChunk() {
  if (IsChunk("PLTE")) {
    TakePalette();
  } else if (IsChunk("gAMA")) {
    ReadChunkData();
    if (FChunkLength >= 4) {
      FGamma = float(BigEndian32(FChunkBuffer.data()) / 100000.0);
      FGammaSeen = true;
    }
  } else if (IsChunk("bKGD")) {
    ReadChunkData();
    FBackground = FChunkBuffer;
  } else if (IsChunk("tRNS")) {
    ReadChunkData();
    FTransparency = FChunkBuffer;
  } else {
    return false;
  }
  return true;
}

bool TPngDecoder::ReadToImageData() {
  for (;;) {
    ReadChunkHeader();
    if (IsChunk("IDAT")) {
      if (FHeader.ColorType == pctIndexed && FPalette.empty())
        throw EPngError(L"Cannot load image. Palette missing in PNG file.");
      return true;
    }
    if (TakeChunk()) continue;
    SkipChunk();
    if (IsChunk("IEND")) return false;
    if (!(FChunkType[0] & 0x20)) RaiseCriticalChunk();
  }
}

bool TPngDecoder::InflateRow(uint8_t* Buffer, size_t Count) {
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
    FInflater->InflateChunk(FInputPos, Out, unsigned(Left), FIdatLeft);
    Left -= size_t(Out - Before);
    FIdatLeft = FInflater->InputLeft();
    int Result = FInflater->LastResult();
    if (Result == Z_STREAM_END) {
      if (Left > 0 || FIdatLeft > 0) throw EPngError(L"Cannot load image. Extra compressed data found in PNG file.");
      return true;
    }
    if (Result != Z_OK) throw EPngError(L"Cannot load image. Compression error found in PNG file.");
  }
  return true;
}

void TPngDecoder::ReadRows(TPngRowSink& Sink) {
  FInflater = std::make_unique<TLZ77Decoder>(Z_PARTIAL_FLUSH, false);
  FInflater->StartInflate();
  const int Depth = FHeader.BitDepth;
  const size_t Channels = size_t(PngChannels(FHeader.ColorType));
  const int Width = int(FHeader.Width), Height = int(FHeader.Height);
  const size_t RowSize = (size_t(Width) * Depth + 7) / 8 * Channels;
  std::vector<uint8_t> Current(RowSize + 1, 0), Prior(RowSize + 1, 0);
  const size_t Unit = size_t(FilterUnit());
  if (FHeader.Interlace != 1) {
    for (int y = 0; y < Height; ++y) {
      if (!InflateRow(Current.data(), RowSize + 1)) break;
      UnfilterRow(Current[0], Current.data() + 1, RowSize, Unit, Prior.data() + 1);
      Sink.TakeRow(y, Current.data() + 1, 0xFF, true);
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
        Sink.TakeRow(y, Current.data() + 1, Pass.Mask, p == 6);
        std::swap(Current, Prior);
      }
    }
  }
  // Image data beyond what the rows needed is passed over.
  while (IsChunk("IDAT")) {
    ReadChunkData();
    ReadChunkHeader();
  }
}

void TPngDecoder::ReadToEnd() {
  for (;;) {
    if (!TakeChunk()) {
      SkipChunk();
      if (IsChunk("IEND")) return;
      // A second run of image data has nothing left to fill.
      if (!IsChunk("IDAT") && !(FChunkType[0] & 0x20)) RaiseCriticalChunk();
    }
    ReadChunkHeader();
  }
}
