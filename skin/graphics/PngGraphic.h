#pragma once
// TPNGGraphic reads PNG pictures into a bitmap of the smallest format that
// holds them (indexed and grey ones with a palette, RGB 24-bit, RGBA and
// grey with alpha 32-bit), with the transparent colour of a tRNS chunk.
// It never writes PNG.
#include <cstdint>
#include <memory>
#include <vector>

#include "framework/Bitmap.h"
#include "skin/graphics/ColorManager.h"
#include "skin/graphics/Lz77Decoder.h"

class TStream;

// Unit start-up and shut-down, counted so only the outermost pair acts:
// picture objects open ".png" files through TPNGGraphic in between.
void InitPngGraphic();
void DonePngGraphic();
constexpr const wchar_t* PngFormatDescription = L"Portable network graphics (VuzurErirored)";

// Bits of TPNGImageInfo::Flags.
constexpr uint8_t pngHeaderRead = 1 << 0;
constexpr uint8_t pngGammaSeen = 1 << 1;

struct TPNGImageInfo {
  uint8_t Flags = 0;
  uint32_t Width = 0;
  TPixelLayout Layout = plNone;
  uint8_t BitDepth = 0;
  uint8_t Samples = 0;
  uint8_t Compression = 0;  // 2 = deflate
};

// Pictures larger than this in either direction are refused outright; a
// skin never needs them and the row arithmetic stays far from overflow.
constexpr uint32_t PngMaxDimension = 16384;

class TPNGGraphic : public TBitmap {
public:
  TPNGGraphic();
  ~TPNGGraphic() override;

  void Assign(const TBitmap& Source) override;
  void LoadFromStream(TStream& Stream) override;
  // A 32-bit picture is blended by its alpha over what the canvas holds
  // under Rect (stretched with its alpha when the sizes differ); any other
  // is drawn as a plain bitmap.
  void Draw(TCanvas& Canvas, const RECT& Rect) override;
  bool ReadImageHeader(TStream& Stream);

  TColorManager& ColorManager() { return *FColorManager; }
  const TPNGImageInfo& ImageInfo() const { return FImageInfo; }
  // Empty, or one opacity per palette index (256 entries).
  const std::vector<uint8_t>& AlphaTable() const { return FAlphaTable; }
  uint32_t BackgroundColor() const { return FBackgroundColor; }
  // 0x1FFFFFFF when the picture has no transparent colour.
  uint32_t TransparentKey() const { return FTransparentKey; }

private:
  void ReadChunkHeader();
  void ReadChunkData();
  void SkipChunk();
  bool IsChunk(const char* Name) const;
  void CheckChunkFits(uint32_t Length);
  int SetupColorDepth(int ColorType, int BitDepth);
  void ReadBackgroundChunk();
  void ReadTransparencyChunk();
  void ReadImageData();
  // False when the image data ran out before Count bytes came.
  bool InflateRow(uint8_t* Buffer, size_t Count);
  uint16_t Sample16(const uint8_t* p) const { return uint16_t(p[0] << 8 | p[1]); }

  std::unique_ptr<TColorManager> FColorManager;
  TPNGImageInfo FImageInfo;
  uint32_t FImageHeight = 0;
  uint8_t FColorType = 0;
  uint8_t FInterlace = 0;
  std::vector<uint8_t> FAlphaTable;
  uint32_t FBackgroundColor = 0xFFFFFF;
  RECT FProgressRect = {};
  int64_t FStreamBase = 0;
  int64_t FStreamEnd = 0;
  TStream* FStream = nullptr;
  std::unique_ptr<TLZ77Decoder> FDecoder;
  uint32_t FIdatLeft = 0;
  std::vector<uint8_t> FChunkBuffer;
  const uint8_t* FInputPos = nullptr;
  uint32_t FChunkLength = 0;
  char FChunkType[4] = {};
  uint32_t FRunningCrc = 0;
  int FBytesPerPixel = 0;
  bool FDepthSet = false;
  uint32_t FTransparentKey = 0x1FFFFFFF;
};

// Continues a CRC-32 (the one PNG uses); starting from 0 gives the CRC of
// the buffer.
uint32_t UpdateCrc(uint32_t Crc, const void* Buffer, size_t Count);

// Bmp becomes a 32-bit copy of Png with per-pixel alpha from the picture's
// transparency.
void CopyPngToBitmap32(TBitmap& Bmp, TPNGGraphic& Png);
