#include "skin/manager/SkinPictures.h"

#include "framework/Streams.h"
#include "skin/graphics/Bitmap32.h"
#include "skin/graphics/PngGraphic.h"

#include <csetjmp>
#include <cstdio>
#include <cstring>

#include <jpeglib.h>

namespace {

constexpr uint32_t KeyColor = 0xFF00FF;

// Read-only view of bytes that stay with the caller.
class TByteStream : public TCustomMemoryStream {
 public:
  TByteStream(std::string_view bytes) { SetPointer(bytes.data(), int64_t(bytes.size())); }
  int64_t Write(const void*, int64_t) override { return 0; }
};

bool SizeAllowed(int64_t w, int64_t h) {
  return w > 0 && h > 0 && w <= MaxSkinPictureSide && h <= MaxSkinPictureSide && w * h <= MaxSkinPicturePixels;
}

// Alpha 255 on every pixel but the key colour's, which becomes see-through.
void OpaqueExceptKey(TBitmap& bmp) {
  for (int y = 0; y < bmp.Height(); ++y) {
    auto* row = static_cast<uint32_t*>(bmp.ScanLine(y));
    for (int x = 0; x < bmp.Width(); ++x) {
      uint32_t rgb = row[x] & 0xFFFFFF;
      // Pixels are BGRA in memory: the key colour reads 0xFF00FF either way.
      row[x] = rgb == KeyColor ? rgb : rgb | 0xFF000000u;
    }
  }
}

bool BmpHeaderFits(std::string_view bytes) {
  if (bytes.size() < 26 || bytes[0] != 'B' || bytes[1] != 'M') return false;
  auto i32 = [&](size_t at) {
    int32_t v;
    std::memcpy(&v, bytes.data() + at, 4);
    return v;
  };
  uint32_t headerSize;
  std::memcpy(&headerSize, bytes.data() + 14, 4);
  if (headerSize == 12) {
    uint16_t w, h;
    std::memcpy(&w, bytes.data() + 18, 2);
    std::memcpy(&h, bytes.data() + 20, 2);
    return SizeAllowed(w, h);
  }
  int64_t h = i32(22);
  return SizeAllowed(i32(18), h < 0 ? -h : h);
}

std::unique_ptr<TBitmap> LoadBmp(std::string_view bytes) {
  if (!BmpHeaderFits(bytes)) return nullptr;
  auto bmp = std::make_unique<TBitmap>();
  TByteStream s(bytes);
  bmp->LoadFromStream(s);
  if (bmp->Empty()) return nullptr;
  bool had32 = bmp->PixelFormat() == pf32bit;
  SetPixelFormat32(*bmp);
  if (!had32) OpaqueExceptKey(*bmp);
  return bmp;
}

std::unique_ptr<TBitmap> LoadPng(std::string_view bytes) {
  if (bytes.size() < 24) return nullptr;
  const auto* p = reinterpret_cast<const uint8_t*>(bytes.data());
  auto be32 = [&](size_t at) { return int64_t(p[at]) << 24 | p[at + 1] << 16 | p[at + 2] << 8 | p[at + 3]; };
  if (!SizeAllowed(be32(16), be32(20))) return nullptr;
  TPNGGraphic png;
  TByteStream s(bytes);
  png.LoadFromStream(s);
  auto bmp = std::make_unique<TBitmap>();
  bool hadAlpha = png.PixelFormat() == pf32bit;
  CopyPngToBitmap32(*bmp, png);
  if (bmp->Empty()) return nullptr;
  if (!hadAlpha && png.AlphaTable().empty()) OpaqueExceptKey(*bmp);
  return bmp;
}

struct TJpegError {
  jpeg_error_mgr Manager;
  jmp_buf Escape;
};

void JpegFail(j_common_ptr info) { longjmp(reinterpret_cast<TJpegError*>(info->err)->Escape, 1); }
void JpegQuiet(j_common_ptr, int) {}

// Decodes into rgb; false on any error. No C++ object with a destructor lives
// across the setjmp.
bool DecodeJpeg(std::string_view bytes, TBitmap* out) {
  jpeg_decompress_struct info;
  TJpegError error;
  info.err = jpeg_std_error(&error.Manager);
  error.Manager.error_exit = JpegFail;
  error.Manager.emit_message = JpegQuiet;
  if (setjmp(error.Escape)) {
    jpeg_destroy_decompress(&info);
    return false;
  }
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(bytes.data()), static_cast<unsigned long>(bytes.size()));
  jpeg_read_header(&info, TRUE);
  if (!SizeAllowed(info.image_width, info.image_height)) {
    jpeg_destroy_decompress(&info);
    return false;
  }
  info.out_color_space = JCS_RGB;
  info.dct_method = JDCT_IFAST;  // best speed, as the picture class is asked for
  jpeg_start_decompress(&info);
  out->SetPixelFormat(pf32bit);
  out->SetSize(info.output_width, info.output_height);
  unsigned char line[MaxSkinPictureSide * 3];
  while (info.output_scanline < info.output_height) {
    unsigned char* rows[1] = {line};
    int y = info.output_scanline;
    jpeg_read_scanlines(&info, rows, 1);
    auto* dst = static_cast<uint8_t*>(out->ScanLine(y));
    for (unsigned x = 0; x < info.output_width; ++x) {
      dst[x * 4 + 0] = line[x * 3 + 2];
      dst[x * 4 + 1] = line[x * 3 + 1];
      dst[x * 4 + 2] = line[x * 3 + 0];
      dst[x * 4 + 3] = 0;
    }
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  return true;
}

std::unique_ptr<TBitmap> LoadJpeg(std::string_view bytes) {
  auto bmp = std::make_unique<TBitmap>();
  if (!DecodeJpeg(bytes, bmp.get()) || bmp->Empty()) return nullptr;
  OpaqueExceptKey(*bmp);
  return bmp;
}

}  // namespace

std::unique_ptr<TBitmap> LoadSkinPicture(std::string_view bytes, const String& name) {
  try {
    if (name.find(L".BMP") != String::npos) return LoadBmp(bytes);
    if (name.find(L".JPG") != String::npos || name.find(L".JPEG") != String::npos) return LoadJpeg(bytes);
    if (name.find(L".PNG") != String::npos) return LoadPng(bytes);
  } catch (const std::exception&) {
    // A picture that does not decode is a missing picture.
  }
  return nullptr;
}
