#pragma once
// TColorManager turns rows of PNG samples (big-endian 16-bit values, RGB
// order, alpha last, sub-byte samples packed from the top bit) into rows of
// the bitmap's layout (blue, green, red, alpha; 1 to 32 bits per pixel).
// An 8-pixel mask selects the target pixels a row fills, which is how the
// interlaced passes are spread into the picture.
#include <windows.h>

#include <cstdint>

#include "framework/Bitmap.h"
#include "framework/System.h"

enum TPixelLayout : uint8_t { plNone, plIndexed, plGray, plGrayAlpha, plRGB, plRGBA, plBGR, plBGRA };

// Bits of SourceFlags / TargetFlags.
constexpr uint8_t cfAlpha = 1 << 0;      // the layout has an alpha sample
constexpr uint8_t cfGamma = 1 << 1;      // target: apply GammaTable
constexpr uint8_t cfBigEndian = 1 << 2;  // source: 16-bit samples high byte first

class EColorConversionError : public Exception {
 public:
  using Exception::Exception;
};

// (A x B) div C on 16-bit values with a 32-bit product.
inline uint16_t MulDiv16(uint16_t A, uint16_t B, uint16_t C) { return uint16_t((uint32_t(A) * B) / C); }

class TColorManager : public TObject {
 public:
  TColorManager();

  uint8_t SourceBits() const { return FSourceBits; }
  uint8_t TargetBits() const { return FTargetBits; }
  uint8_t SourceSamples() const { return FSourceSamples; }
  uint8_t TargetSamples() const { return FTargetSamples; }
  TPixelLayout SourceLayout() const { return FSourceLayout; }
  TPixelLayout TargetLayout() const { return FTargetLayout; }
  void SetSourceBits(uint8_t Value);
  void SetTargetBits(uint8_t Value);
  void SetSourceSamples(uint8_t Value);
  void SetTargetSamples(uint8_t Value);
  void SetSourceLayout(TPixelLayout Value);
  void SetTargetLayout(TPixelLayout Value);

  // Set directly by the owner.
  uint8_t SourceFlags = 0;
  uint8_t TargetFlags = 0;

  float FileGamma() const { return FFileGamma; }
  float DisplayGamma() const { return FDisplayGamma; }
  const uint8_t* GammaTable() const { return FGammaTable; }
  bool Dirty() const { return FDirty; }

  TPixelFormat PixelFormatFor(bool Target) const;
  void ComputeGammaTable(float FileGamma, float DisplayGamma);

  // Sources: one pointer for interleaved samples. Mask bit 7 - (i mod 8)
  // says whether target pixel i takes the next source pixel.
  void ConvertRow(const void* const* Sources, void* Target, int Count, uint8_t Mask);

  // Palettes for the caller to own.
  HPALETTE BuildPalette(const void* const* Sources, int Format, int Count, bool SwapOrder);
  HPALETTE BuildGrayPalette(bool Reversed);

  [[noreturn]] static void RaiseConversionError(const String& Message);

 private:
  using TConverter = void (TColorManager::*)(const uint8_t* Source, uint8_t* Target, int Count, uint8_t Mask);

  void SelectConverter();
  void ConvertPacked(const uint8_t* Source, uint8_t* Target, int Count, uint8_t Mask);
  void ConvertGray(const uint8_t* Source, uint8_t* Target, int Count, uint8_t Mask);
  void ConvertGrayAlphaToBGRA(const uint8_t* Source, uint8_t* Target, int Count, uint8_t Mask);
  void ConvertRGBToBGR(const uint8_t* Source, uint8_t* Target, int Count, uint8_t Mask);
  HPALETTE CreateLogPalette(const PALETTEENTRY* Entries, int Count) const;

  uint8_t FSourceBits = 8;
  uint8_t FTargetBits = 8;
  uint8_t FSourceSamples = 3;
  uint8_t FTargetSamples = 3;
  float FFileGamma = 1.0f;
  float FDisplayGamma = 2.2f;
  uint8_t FGammaTable[256] = {};
  TPixelLayout FSourceLayout = plRGB;
  TPixelLayout FTargetLayout = plBGR;
  TConverter FConverter = nullptr;
  bool FDirty = true;
};
