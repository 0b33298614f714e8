#pragma once
// Pictures of a skin, from the bytes of a file: kind by the name as the
// loader sees it (".BMP", ".JPG"/".JPEG", ".PNG", compared with case), always
// 32-bit on the way out.
#include "framework/Bitmap.h"
#include "framework/System.h"

#include <memory>
#include <string_view>

// Null when the name has no known kind or the bytes do not decode. Pictures
// without alpha get alpha 255 except on the key colour 0xFF00FF.
std::unique_ptr<TBitmap> LoadSkinPicture(std::string_view bytes, const String& name);

// The bounds a skin picture may have: larger ones are refused before any
// memory is taken for them.
constexpr int MaxSkinPictureSide = 16384;
constexpr int64_t MaxSkinPicturePixels = 16ll << 20;
