#include "skin/manager/PackedSkin.h"

#include <zlib.h>

#include <algorithm>
#include <cstring>
#include <functional>

namespace {

uint32_t ReadU32(const uint8_t* p) {
  return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

uint8_t KindOf(const String& upperName) {
  auto dot = upperName.rfind(L'.');
  String ext = dot == String::npos ? String() : upperName.substr(dot);
  if (ext == L".BMP") return 0;
  if (ext == L".TTF" || ext == L".OTF") return 1;
  return 2;
}

// Inflates one zlib stream from in[0..avail) into exactly expected bytes;
// consumed tells where the stream ended. A stream that ends early, runs on
// past expected or is corrupt fails.
bool InflateEntry(const uint8_t* in, size_t avail, uint32_t expected, std::string& out, size_t& consumed) {
  z_stream z{};
  if (inflateInit(&z) != Z_OK) return false;
  out.assign(expected, '\0');
  z.next_in = const_cast<Bytef*>(in);
  z.avail_in = static_cast<uInt>(std::min<size_t>(avail, 0xFFFFFFFFu));
  z.next_out = reinterpret_cast<Bytef*>(out.data());
  z.avail_out = expected;
  int rc = inflate(&z, Z_FINISH);
  if (rc == Z_BUF_ERROR && z.avail_out == 0) {
    // Output full but the stream goes on: one more byte tells whether it ends.
    Bytef probe;
    z.next_out = &probe;
    z.avail_out = 1;
    rc = inflate(&z, Z_FINISH);
    if (rc != Z_STREAM_END || z.avail_out == 0) rc = Z_DATA_ERROR;
  }
  consumed = z.total_in;
  bool ok = rc == Z_STREAM_END && z.total_out == expected;
  inflateEnd(&z);
  if (!ok) out.clear();
  return ok;
}

}  // namespace

void TacSkinConvertor::Clear() {
  Options.reset();
  Files.clear();
  EntryCount = 0;
}

const TacFileItem* TacSkinConvertor::FindUpper(const String& upperName) const {
  for (const TacFileItem& item : Files)
    if (UpperCase(item.Name) == upperName) return &item;
  return nullptr;
}

TacPackedError ReadPackedSkin(const void* data, size_t size, TacSkinConvertor& reader) {
  reader.Clear();
  const auto* p = static_cast<const uint8_t*>(data);
  if (size < 8 || std::memcmp(p, "SKzf", 4) != 0) return TacPackedError::NotPacked;
  const uint32_t count = ReadU32(p + 4);
  size_t pos = 8;
  auto fail = [&](TacPackedError e) {
    reader.Clear();
    return e;
  };
  // Each entry takes at least 8 bytes of lengths and a few of zlib data, so a
  // count the data cannot hold is refused before anything is read.
  if (count > (size - pos) / 8) return fail(TacPackedError::Truncated);
  for (uint32_t i = 0; i < count; ++i) {
    if (size - pos < 4) return fail(TacPackedError::Truncated);
    const uint32_t nameLength = ReadU32(p + pos);
    pos += 4;
    if (nameLength > size - pos || size - pos - nameLength < 4) return fail(TacPackedError::Truncated);
    String name(p + pos, p + pos + nameLength);  // 8-bit names, one character each
    pos += nameLength;
    const uint32_t inflated = ReadU32(p + pos);
    pos += 4;
    if (inflated > MaxPackedEntrySize) return fail(TacPackedError::Oversize);
    if (pos >= size) return fail(TacPackedError::Truncated);
    std::string bytes;
    size_t consumed = 0;
    if (!InflateEntry(p + pos, size - pos, inflated, bytes, consumed)) return fail(TacPackedError::BadStream);
    pos += consumed;
    String upper = UpperCase(name);
    if (upper == L"OPTIONS.DAT")
      reader.Options = std::move(bytes);
    else
      reader.Files.push_back(TacFileItem{std::move(name), KindOf(upper), std::move(bytes)});
  }
  reader.EntryCount = static_cast<int>(count);
  return TacPackedError::None;
}

String PackedErrorText(TacPackedError error) {
  switch (error) {
    case TacPackedError::None:
      return String();
    case TacPackedError::NotPacked:
      return L"Loaded data is not a packed VidavIrav file";
    case TacPackedError::Truncated:
      return L"Packed skin data is truncated";
    case TacPackedError::Oversize:
      return L"Packed skin entry is too large";
    case TacPackedError::BadStream:
      return L"Packed skin data is corrupt";
  }
  return String();
}

bool ExtractPreviewImage(const void* data, size_t size, std::string& picture) {
  static const char tag[] = "previewimg";
  constexpr size_t tagLength = sizeof(tag) - 1;
  const auto* p = static_cast<const char*>(data);
  const char* end = p + size;
  const char* found = std::search(p, end, std::boyer_moore_horspool_searcher(tag, tag + tagLength));
  if (found == end) return false;
  size_t at = static_cast<size_t>(found - p) + tagLength;
  if (size - at < 4) return false;
  const size_t length = ReadU32(reinterpret_cast<const uint8_t*>(p + at));
  at += 4;
  picture.assign(p + at, std::min(length, size - at));
  return true;
}
