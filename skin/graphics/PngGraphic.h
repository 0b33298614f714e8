#pragma once
// TPNGGraphic reads PNG pictures into a bitmap of the smallest format that
// holds them (indexed and grey ones with a palette, RGB 24-bit, RGBA and
// grey with alpha 32-bit), with the transparent colour of a tRNS chunk.
// The file itself is read by TPngDecoder; this class turns its rows into
// scan lines. It never writes PNG.
#include <cstdint>
#include <memory>
#include <vector>

#include "framework/Bitmap.h"
#include "skin/graphics/ColorManager.h"
#include "skin/graphics/PngDecoder.h"

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

  TColorManager& ColorManager() { return *FColorManager; }
  const TPNGImageInfo& ImageInfo() const { return FImageInfo; }
  // Empty, or one opacity per palette index (256 entries).
  const std::vector<uint8_t>& AlphaTable() const { return FAlphaTable; }
  uint32_t BackgroundColor() const { return FBackgroundColor; }
  // 0x1FFFFFFF when the picture has no transparent colour.
  uint32_t TransparentKey() const { return FTransparentKey; }

 private:
  int SetupColorDepth(int ColorType, int BitDepth);
  void ApplyGamma(const TPngDecoder& Decoder);
  void ReadBackgroundChunk(const std::vector<uint8_t>& Data);
  void ReadTransparencyChunk(const std::vector<uint8_t>& Data);
  // Sizes the bitmap for the picture, cleared to its background colour.
  void PrepareImage();
  void ReadImageData(TPngDecoder& Decoder);

  std::unique_ptr<TColorManager> FColorManager;
  TPNGImageInfo FImageInfo;
  uint32_t FImageHeight = 0;
  uint8_t FColorType = 0;
  std::vector<uint8_t> FAlphaTable;
  uint32_t FBackgroundColor = 0xFFFFFF;
  RECT FProgressRect = {};
  int FBytesPerPixel = 0;
  uint32_t FTransparentKey = 0x1FFFFFFF;
};

// Bmp becomes a 32-bit copy of Png with per-pixel alpha from the picture's
// transparency.
void CopyPngToBitmap32(TBitmap& Bmp, TPNGGraphic& Png);
