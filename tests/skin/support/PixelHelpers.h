#pragma once
// Reading and filling 32-bit bitmaps in tests.
#include <cstdint>
#include <string>
#include <vector>

#include "framework/Bitmap.h"
#include "skin/graphics/PngGraphic.h"

// Pixel (x, y) of a 32-bit bitmap as 0xAARRGGBB.
uint32_t PixelAt(TBitmap& Bmp, int x, int y);
void SetPixelAt(TBitmap& Bmp, int x, int y, uint32_t Argb);
// A new 32-bit bitmap filled with one 0xAARRGGBB value.
TBitmap* FilledBitmap32(int Width, int Height, uint32_t Argb);
// Loads PNG bytes into Png (raises as the decoder does).
void LoadPngBytes(TPNGGraphic& Png, const std::string& Bytes);
// Decodes PNG bytes and converts them to 32 bits as the skin loader does.
void DecodePngTo32(const std::string& Bytes, TBitmap& Out);
std::string ReadFileBytes(const std::wstring& Path);
