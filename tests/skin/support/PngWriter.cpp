#include "PngWriter.h"

#include <zlib.h>

#include <cstdlib>
#include <stdexcept>

std::string BigEndian(uint32_t v) { return std::string{char(v >> 24), char(v >> 16), char(v >> 8), char(v)}; }

int SamplesPerPixel(int ColorType) {
  switch (ColorType) {
    case 2:
      return 3;
    case 4:
      return 2;
    case 6:
      return 4;
    default:
      return 1;
  }
}

std::string PngChunk(const std::string& Type, const std::string& Data) {
  std::string Body = Type + Data;
  uint32_t Crc = crc32(0, reinterpret_cast<const Bytef*>(Body.data()), uInt(Body.size()));
  return BigEndian(uint32_t(Data.size())) + Body + BigEndian(Crc);
}

std::string PngIhdr(uint32_t Width, uint32_t Height, int Depth, int ColorType, int Interlace) {
  std::string d = BigEndian(Width) + BigEndian(Height);
  d += char(Depth);
  d += char(ColorType);
  d += char(0);
  d += char(0);
  d += char(Interlace);
  return PngChunk("IHDR", d);
}

namespace {

int Paeth(int a, int b, int c) {
  int p = a + b - c, pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
  if (pa <= pb && pa <= pc) return a;
  return pb <= pc ? b : c;
}

// Packs the samples of the listed pixels of row y and filters them.
void AppendRow(std::string& Out, std::string& Prior, const PngRecipe& S, int y, const std::vector<int>& Xs,
               int Filter) {
  const int Spp = SamplesPerPixel(S.ColorType), Depth = S.BitDepth;
  std::string Raw;
  uint32_t Acc = 0;
  int AccBits = 0;
  for (int x : Xs)
    for (int s = 0; s < Spp; ++s) {
      uint32_t v = S.Sample(x, y, s);
      if (Depth == 16) {
        Raw += char(v >> 8);
        Raw += char(v);
      } else if (Depth == 8) {
        Raw += char(v);
      } else {
        Acc = (Acc << Depth) | (v & ((1u << Depth) - 1));
        AccBits += Depth;
        if (AccBits == 8) Raw += char(Acc), Acc = 0, AccBits = 0;
      }
    }
  if (AccBits) Raw += char(Acc << (8 - AccBits));
  if (Prior.size() != Raw.size()) Prior.assign(Raw.size(), 0);
  const size_t Unit = std::max(1, Spp * Depth / 8);
  std::string F(Raw.size(), 0);
  for (size_t i = 0; i < Raw.size(); ++i) {
    int a = i >= Unit ? uint8_t(Raw[i - Unit]) : 0, b = uint8_t(Prior[i]);
    int c = i >= Unit ? uint8_t(Prior[i - Unit]) : 0, x = uint8_t(Raw[i]);
    int Pred = Filter == 1 ? a : Filter == 2 ? b : Filter == 3 ? (a + b) / 2 : Filter == 4 ? Paeth(a, b, c) : 0;
    F[i] = char(x - Pred);
  }
  Out += char(Filter);
  Out += F;
  Prior = Raw;
}

}  // namespace

std::string PngImageData(const PngRecipe& S) {
  std::string Raw;
  int Filter = 0;
  if (!S.Interlaced) {
    std::string Prior;
    std::vector<int> Xs(S.Width);
    for (int x = 0; x < S.Width; ++x) Xs[x] = x;
    for (int y = 0; y < S.Height; ++y) AppendRow(Raw, Prior, S, y, Xs, Filter++ % 5);
  } else {
    const int Pass[7][4] = {{0, 0, 8, 8}, {0, 4, 8, 8}, {4, 0, 8, 4}, {0, 2, 4, 4},
                            {2, 0, 4, 2}, {0, 1, 2, 2}, {1, 0, 2, 1}};
    for (auto& p : Pass) {
      std::vector<int> Xs;
      for (int x = p[1]; x < S.Width; x += p[3]) Xs.push_back(x);
      if (Xs.empty()) continue;
      std::string Prior;
      for (int y = p[0]; y < S.Height; y += p[2]) AppendRow(Raw, Prior, S, y, Xs, Filter++ % 5);
    }
  }
  uLongf Size = compressBound(uLong(Raw.size()));
  std::string Z(Size, 0);
  if (compress2(reinterpret_cast<Bytef*>(Z.data()), &Size, reinterpret_cast<const Bytef*>(Raw.data()),
                uLong(Raw.size()), 6) != Z_OK)
    throw std::runtime_error("compress");
  Z.resize(Size);
  return Z;
}

std::string MakePng(const PngRecipe& S) {
  std::string Png = "\x89PNG\r\n\x1a\n";
  Png += PngIhdr(S.Width, S.Height, S.BitDepth, S.ColorType, S.Interlaced ? 1 : 0);
  if (S.Gamma) Png += PngChunk("gAMA", BigEndian(S.Gamma));
  if (!S.Palette.empty()) Png += PngChunk("PLTE", std::string(S.Palette.begin(), S.Palette.end()));
  if (!S.Trns.empty()) Png += PngChunk("tRNS", std::string(S.Trns.begin(), S.Trns.end()));
  for (auto& [Type, Data] : S.ExtraBeforeIdat) Png += PngChunk(Type, Data);
  std::string Z = PngImageData(S);
  size_t Piece = (Z.size() + S.IdatPieces - 1) / S.IdatPieces;
  for (size_t At = 0; At < Z.size(); At += Piece) {
    Png += PngChunk(S.IdatName, Z.substr(At, Piece));
    if (S.EmptyIdat) Png += PngChunk(S.IdatName, "");
  }
  for (auto& [Type, Data] : S.ExtraAfterIdat) Png += PngChunk(Type, Data);
  Png += PngChunk("IEND", "");
  return Png;
}

std::vector<size_t> PngChunkOffsets(const std::string& Png) {
  std::vector<size_t> Offsets;
  size_t At = 8;
  while (At + 8 <= Png.size()) {
    Offsets.push_back(At);
    uint32_t Length = uint32_t(uint8_t(Png[At])) << 24 | uint8_t(Png[At + 1]) << 16 | uint8_t(Png[At + 2]) << 8 |
                      uint8_t(Png[At + 3]);
    At += 12 + Length;
  }
  Offsets.push_back(Png.size());
  return Offsets;
}
