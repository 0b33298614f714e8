#include "PixelHelpers.h"

#include <fstream>
#include <iterator>

#include "framework/Streams.h"

uint32_t PixelAt(TBitmap& Bmp, int x, int y) { return static_cast<uint32_t*>(Bmp.ScanLine(y))[x]; }

void SetPixelAt(TBitmap& Bmp, int x, int y, uint32_t Argb) { static_cast<uint32_t*>(Bmp.ScanLine(y))[x] = Argb; }

TBitmap* FilledBitmap32(int Width, int Height, uint32_t Argb) {
  auto* Bmp = new TBitmap;
  Bmp->SetPixelFormat(pf32bit);
  Bmp->SetSize(Width, Height);
  for (int y = 0; y < Height; ++y)
    for (int x = 0; x < Width; ++x) SetPixelAt(*Bmp, x, y, Argb);
  return Bmp;
}

void LoadPngBytes(TPNGGraphic& Png, const std::string& Bytes) {
  TMemoryStream Stream;
  Stream.WriteBuffer(Bytes.data(), int64_t(Bytes.size()));
  Stream.SetPosition(0);
  Png.LoadFromStream(Stream);
}

void DecodePngTo32(const std::string& Bytes, TBitmap& Out) {
  TPNGGraphic Png;
  LoadPngBytes(Png, Bytes);
  Out.Assign(Png);
  CopyPngToBitmap32(Out, Png);
}

std::string ReadFileBytes(const std::wstring& Path) {
  std::ifstream In(Path.c_str(), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(In), {});
}
