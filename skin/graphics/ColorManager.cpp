#include "skin/graphics/ColorManager.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

inline bool Taken(uint8_t Mask, int i) { return (Mask >> (7 - (i & 7))) & 1; }

inline uint16_t Read16(const uint8_t* p, bool BigEndian) {
  return BigEndian ? uint16_t(p[0] << 8 | p[1]) : uint16_t(p[1] << 8 | p[0]);
}

inline uint8_t Scale16To8(uint16_t v) { return uint8_t(uint32_t(v) * 255 / 65535); }

// One inner loop per combination, so no option is tested per pixel: the
// template arguments fold every choice into the code.
template <int SrcBytes, int SrcStep, int DstStep, bool CopyAlpha, bool Gamma, bool BigEndian, bool AllPixels>
void RgbLoop(const uint8_t* s, uint8_t* d, int Count, uint8_t Mask, const uint8_t* G) {
  auto Sample = [&](const uint8_t* p) -> uint8_t {
    uint8_t v;
    if constexpr (SrcBytes == 1)
      v = *p;
    else
      v = Scale16To8(Read16(p, BigEndian));
    if constexpr (Gamma) v = G[v];
    return v;
  };
  for (int i = 0; i < Count; ++i, d += DstStep) {
    if constexpr (!AllPixels) {
      if (!Taken(Mask, i)) continue;
    }
    d[0] = Sample(s + 2 * SrcBytes);
    d[1] = Sample(s + SrcBytes);
    d[2] = Sample(s);
    if constexpr (CopyAlpha) {
      if constexpr (SrcBytes == 1)
        d[3] = s[3];
      else
        d[3] = Scale16To8(Read16(s + 6, BigEndian));
    }
    s += SrcStep;
  }
}

using RgbLoopFn = void (*)(const uint8_t*, uint8_t*, int, uint8_t, const uint8_t*);

template <int SrcBytes, int SrcStep, int DstStep, bool CopyAlpha>
RgbLoopFn PickRgbLoop(bool Gamma, bool BigEndian, bool AllPixels) {
  RgbLoopFn Table[8] = {
      RgbLoop<SrcBytes, SrcStep, DstStep, CopyAlpha, false, false, false>,
      RgbLoop<SrcBytes, SrcStep, DstStep, CopyAlpha, false, false, true>,
      RgbLoop<SrcBytes, SrcStep, DstStep, CopyAlpha, false, true, false>,
      RgbLoop<SrcBytes, SrcStep, DstStep, CopyAlpha, false, true, true>,
      RgbLoop<SrcBytes, SrcStep, DstStep, CopyAlpha, true, false, false>,
      RgbLoop<SrcBytes, SrcStep, DstStep, CopyAlpha, true, false, true>,
      RgbLoop<SrcBytes, SrcStep, DstStep, CopyAlpha, true, true, false>,
      RgbLoop<SrcBytes, SrcStep, DstStep, CopyAlpha, true, true, true>,
  };
  return Table[(Gamma ? 4 : 0) | (BigEndian ? 2 : 0) | (AllPixels ? 1 : 0)];
}

}  // namespace

TColorManager::TColorManager() { ComputeGammaTable(1.0f, 2.2f); }

void TColorManager::RaiseConversionError(const String& Message) { throw EColorConversionError(Message); }

static void CheckBits(uint8_t Value) {
  if (Value < 1 || Value > 16)
    TColorManager::RaiseConversionError(L"Color depth is invalid. Bits per sample must be 1, 2, 4, 8 or 16.");
}

static void CheckSamples(uint8_t Value) {
  if (Value < 1 || Value > 4)
    TColorManager::RaiseConversionError(L"Sample count per pixel does not correspond to the given color scheme.");
}

void TColorManager::SetSourceBits(uint8_t Value) {
  CheckBits(Value);
  if (Value != FSourceBits) FSourceBits = Value, FDirty = true;
}

void TColorManager::SetTargetBits(uint8_t Value) {
  CheckBits(Value);
  if (Value != FTargetBits) FTargetBits = Value, FDirty = true;
}

void TColorManager::SetSourceSamples(uint8_t Value) {
  CheckSamples(Value);
  if (Value != FSourceSamples) FSourceSamples = Value, FDirty = true;
}

void TColorManager::SetTargetSamples(uint8_t Value) {
  CheckSamples(Value);
  if (Value != FTargetSamples) FTargetSamples = Value, FDirty = true;
}

void TColorManager::SetSourceLayout(TPixelLayout Value) {
  if (Value != FSourceLayout) FSourceLayout = Value, FDirty = true;
}

void TColorManager::SetTargetLayout(TPixelLayout Value) {
  if (Value != FTargetLayout) FTargetLayout = Value, FDirty = true;
}

TPixelFormat TColorManager::PixelFormatFor(bool Target) const {
  int Bits = Target ? FTargetBits : FSourceBits;
  int Samples = Target ? FTargetSamples : FSourceSamples;
  switch (Samples) {
    case 1:
      if (Bits == 1) return pf1bit;
      if (Bits >= 2 && Bits <= 4) return pf4bit;
      if (Bits >= 8) return pf8bit;
      break;
    case 3:
      return Bits <= 5 ? pf15bit : pf24bit;
    case 4:
      if (Bits >= 8) return pf32bit;
      break;
  }
  return pfCustom;
}

void TColorManager::ComputeGammaTable(float FileGamma, float DisplayGamma) {
  FFileGamma = FileGamma > 0 ? FileGamma : 1.0f;
  FDisplayGamma = DisplayGamma > 0 ? DisplayGamma : 2.2f;
  double g = 1.0 / (double(FFileGamma) * FDisplayGamma);
  int m = FSourceBits >= 8 ? 255 : (1 << FTargetBits) - 1;
  int t = FTargetBits >= 8 ? 255 : (1 << FTargetBits) - 1;
  for (int i = 0; i <= m && i < 256; ++i) FGammaTable[i] = uint8_t(std::nearbyint(std::pow(double(i) / m, g) * t));
}

void TColorManager::SelectConverter() {
  FConverter = nullptr;
  auto IndexedLike = [](TPixelLayout L) { return L == plIndexed || L == plGray || L == plGrayAlpha; };
  bool TargetIndexed = FTargetLayout == plIndexed || FTargetLayout == plGray;
  // Grey with alpha may also become BGRA, so its alpha reaches the picture.
  bool GrayAlphaToBGRA = FSourceLayout == plGrayAlpha && FTargetLayout == plBGRA;
  if ((IndexedLike(FSourceLayout) && !TargetIndexed && !GrayAlphaToBGRA) ||
      (!IndexedLike(FSourceLayout) && TargetIndexed))
    RaiseConversionError(L"Conversion between indexed and non-indexed pixel formats is not supported.");
  auto HasAlpha = [](TPixelLayout L) { return L == plGrayAlpha || L == plRGBA || L == plBGRA; };
  SourceFlags = HasAlpha(FSourceLayout) ? SourceFlags | cfAlpha : SourceFlags & ~cfAlpha;
  TargetFlags = HasAlpha(FTargetLayout) ? TargetFlags | cfAlpha : TargetFlags & ~cfAlpha;

  bool Has16 = FSourceBits == 16 || FTargetBits == 16;
  auto Byteish = [](int b) { return b == 8 || b == 16; };
  switch (FSourceLayout) {
    case plIndexed:
      if (!Has16) FConverter = &TColorManager::ConvertPacked;
      break;
    case plGray:
      if (!Has16)
        FConverter = &TColorManager::ConvertPacked;
      else if (FSourceBits >= 8 && FTargetBits >= 8)
        FConverter = &TColorManager::ConvertGray;
      break;
    case plGrayAlpha:
      if (Byteish(FSourceBits) && Byteish(FTargetBits))
        FConverter = GrayAlphaToBGRA ? &TColorManager::ConvertGrayAlphaToBGRA : &TColorManager::ConvertGray;
      break;
    case plRGB:
    case plRGBA:
      if ((FTargetLayout == plBGR || FTargetLayout == plBGRA) && Byteish(FSourceBits) && FTargetBits == 8)
        FConverter = &TColorManager::ConvertRGBToBGR;
      break;
    default:
      break;
  }
  FDirty = false;
}

void TColorManager::ConvertRow(const void* const* Sources, void* Target, int Count, uint8_t Mask) {
  if (FDirty) SelectConverter();
  if (!FConverter) RaiseConversionError(L"Color conversion failed. Could not find a proper method.");
  (this->*FConverter)(static_cast<const uint8_t*>(Sources[0]), static_cast<uint8_t*>(Target), Count, Mask);
}

void TColorManager::ConvertPacked(const uint8_t* Source, uint8_t* Target, int Count, uint8_t Mask) {
  const int sb = FSourceBits, tb = FTargetBits;
  if (sb == tb && Mask == 0xFF) {
    std::copy_n(Source, (size_t(Count) * sb + 7) / 8, Target);
    return;
  }
  const uint16_t SourceMax = uint16_t((1u << sb) - 1), TargetMax = uint16_t((1u << tb) - 1);
  const int PerTargetByte = 8 / tb;
  int SourceBit = 0;  // bit position of the next source sample, from the top of the row
  for (int i = 0; i < Count; ++i) {
    if (!Taken(Mask, i)) continue;
    const uint8_t* sp = Source + (SourceBit >> 3);
    int sShift = 8 - sb - (SourceBit & 7);
    uint16_t v = uint16_t((*sp >> sShift) & SourceMax);
    SourceBit += sb;
    uint8_t Value = uint8_t(MulDiv16(v, TargetMax, SourceMax));
    uint8_t* tp = Target + i / PerTargetByte;
    int tShift = 8 - tb - (i % PerTargetByte) * tb;
    uint8_t FieldMask = uint8_t(TargetMax << tShift);
    *tp = uint8_t((*tp & ~FieldMask) | ((Value << tShift) & FieldMask));
  }
}

void TColorManager::ConvertGray(const uint8_t* Source, uint8_t* Target, int Count, uint8_t Mask) {
  const bool BigEndian = SourceFlags & cfBigEndian;
  const int SourceBytes = FSourceBits == 16 ? 2 : 1;
  const int Step = SourceBytes * ((SourceFlags & cfAlpha) ? 2 : 1);
  const int TargetBytes = FTargetBits == 16 ? 2 : 1;
  for (int i = 0; i < Count; ++i) {
    if (!Taken(Mask, i)) continue;
    uint8_t* t = Target + size_t(i) * TargetBytes;
    if (SourceBytes == 1 && TargetBytes == 1) {
      *t = *Source;
    } else if (SourceBytes == 2 && TargetBytes == 1) {
      *t = Scale16To8(Read16(Source, BigEndian));
    } else if (SourceBytes == 1) {
      uint16_t v = uint16_t(uint32_t(*Source) * 65535 / 255);
      t[0] = uint8_t(v);
      t[1] = uint8_t(v >> 8);
    } else {
      uint16_t v = Read16(Source, BigEndian);
      t[0] = uint8_t(v);
      t[1] = uint8_t(v >> 8);
    }
    Source += Step;
  }
}

void TColorManager::ConvertGrayAlphaToBGRA(const uint8_t* Source, uint8_t* Target, int Count, uint8_t Mask) {
  const bool BigEndian = SourceFlags & cfBigEndian;
  const bool Gamma = TargetFlags & cfGamma;
  const int SourceBytes = FSourceBits == 16 ? 2 : 1;
  for (int i = 0; i < Count; ++i) {
    if (!Taken(Mask, i)) continue;
    uint8_t Grey, Alpha;
    if (SourceBytes == 1) {
      Grey = Source[0];
      Alpha = Source[1];
    } else {
      Grey = Scale16To8(Read16(Source, BigEndian));
      Alpha = Scale16To8(Read16(Source + 2, BigEndian));
    }
    if (Gamma) Grey = FGammaTable[Grey];
    uint8_t* t = Target + size_t(i) * 4;
    t[0] = t[1] = t[2] = Grey;
    t[3] = Alpha;
    Source += 2 * SourceBytes;
  }
}

void TColorManager::ConvertRGBToBGR(const uint8_t* Source, uint8_t* Target, int Count, uint8_t Mask) {
  const bool FourChannels = (SourceFlags & cfAlpha) && (TargetFlags & cfAlpha);
  const bool SourceAlpha = SourceFlags & cfAlpha;
  const bool TargetAlpha = TargetFlags & cfAlpha;
  const bool Gamma = TargetFlags & cfGamma;
  const bool BigEndian = SourceFlags & cfBigEndian;
  const bool AllPixels = Mask == 0xFF;
  RgbLoopFn Loop;
  if (FSourceBits == 8) {
    if (FourChannels)
      Loop = PickRgbLoop<1, 4, 4, true>(Gamma, false, AllPixels);
    else if (SourceAlpha)
      Loop = TargetAlpha ? PickRgbLoop<1, 4, 4, false>(Gamma, false, AllPixels)
                         : PickRgbLoop<1, 4, 3, false>(Gamma, false, AllPixels);
    else
      Loop = TargetAlpha ? PickRgbLoop<1, 3, 4, false>(Gamma, false, AllPixels)
                         : PickRgbLoop<1, 3, 3, false>(Gamma, false, AllPixels);
  } else {
    if (FourChannels)
      Loop = PickRgbLoop<2, 8, 4, true>(Gamma, BigEndian, AllPixels);
    else if (SourceAlpha)
      Loop = TargetAlpha ? PickRgbLoop<2, 8, 4, false>(Gamma, BigEndian, AllPixels)
                         : PickRgbLoop<2, 8, 3, false>(Gamma, BigEndian, AllPixels);
    else
      Loop = TargetAlpha ? PickRgbLoop<2, 6, 4, false>(Gamma, BigEndian, AllPixels)
                         : PickRgbLoop<2, 6, 3, false>(Gamma, BigEndian, AllPixels);
  }
  Loop(Source, Target, Count, Mask, FGammaTable);
}

HPALETTE TColorManager::CreateLogPalette(const PALETTEENTRY* Entries, int Count) const {
  std::vector<uint8_t> Block(sizeof(LOGPALETTE) + sizeof(PALETTEENTRY) * std::max(Count, 1));
  auto* Log = reinterpret_cast<LOGPALETTE*>(Block.data());
  Log->palVersion = 0x300;
  Log->palNumEntries = WORD(Count);
  std::copy_n(Entries, Count, Log->palPalEntry);
  return CreatePalette(Log);
}

HPALETTE TColorManager::BuildPalette(const void* const* Sources, int Format, int Count, bool SwapOrder) {
  Count = std::clamp(Count, 0, 256);
  PALETTEENTRY Entries[256] = {};
  const bool Gamma = TargetFlags & cfGamma;
  const auto* s = static_cast<const uint8_t*>(Sources[0]);
  for (int i = 0; i < Count; ++i) {
    uint8_t r = s[3 * i], g = s[3 * i + 1], b = s[3 * i + 2];
    if (SwapOrder) std::swap(r, b);
    if (Gamma) r = FGammaTable[r], g = FGammaTable[g], b = FGammaTable[b];
    Entries[i] = PALETTEENTRY{r, g, b, 0};
  }
  if (FTargetBits <= 8 && FSourceBits <= 8 && FSourceBits != FTargetBits) {
    const int SourceMax = (1 << FSourceBits) - 1, TargetMax = (1 << FTargetBits) - 1;
    auto From = [&](int n) { return MulDiv16(uint16_t(n), uint16_t(SourceMax), uint16_t(TargetMax)); };
    // Spread in the direction that never reads an entry already overwritten.
    if (SourceMax < TargetMax)
      for (int n = TargetMax; n >= 0; --n) Entries[n] = Entries[From(n)];
    else
      for (int n = 0; n <= TargetMax; ++n) Entries[n] = Entries[From(n)];
    Count = TargetMax + 1;
  }
  return CreateLogPalette(Entries, Count);
}

HPALETTE TColorManager::BuildGrayPalette(bool Reversed) {
  int n = 1 << std::min(FTargetBits * FTargetSamples, 8);
  int Step = 255 / (n - 1);
  const bool Gamma = TargetFlags & cfGamma;
  PALETTEENTRY Entries[256];
  for (int i = 0; i < n; ++i) {
    uint8_t Level = uint8_t(i * Step);
    if (Gamma) Level = FGammaTable[Level];
    Entries[Reversed ? n - 1 - i : i] = PALETTEENTRY{Level, Level, Level, 0};
  }
  return CreateLogPalette(Entries, n);
}
