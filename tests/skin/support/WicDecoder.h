#pragma once
// Windows' own PNG decoder, the reference our decoder is compared with.
#include <cstdint>
#include <string>
#include <vector>

struct WicPicture {
  int Width = 0;
  int Height = 0;
  std::vector<uint32_t> Pixels;  // 0xAARRGGBB, rows top-down, not premultiplied
};

// False when Windows cannot decode the bytes.
bool DecodeWithWic(const std::string& Bytes, WicPicture& Out);
