#pragma once
// The packed skin: "SKzf", an entry count, then per entry a name, the inflated
// size and one zlib stream. Packed files come from anywhere, so the reader
// checks every field against the bytes that remain and caps what it inflates.
#include "framework/System.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// One file of a packed skin, inflated.
struct TacFileItem {
  String Name;       // as stored
  uint8_t Kind = 2;  // 0 ".BMP", 1 ".TTF"/".OTF" (a font), 2 anything else
  std::string Data;
};

class TacSkinConvertor {
 public:
  std::optional<std::string> Options;  // the "Options.dat" entry, when there is one
  std::vector<TacFileItem> Files;
  int EntryCount = 0;

  void Clear();
  // The first file whose upper-cased name equals name (already upper-cased).
  const TacFileItem* FindUpper(const String& upperName) const;
};

enum class TacPackedError {
  None,
  NotPacked,  // no "SKzf" signature
  Truncated,  // a field runs past the end of the data
  Oversize,   // an entry would inflate beyond the cap
  BadStream,  // corrupt zlib data, or fewer bytes than the entry says
};

// The most an entry may inflate to.
constexpr uint32_t MaxPackedEntrySize = 64u << 20;

// Reads the whole package; on failure the reader is left empty.
TacPackedError ReadPackedSkin(const void* data, size_t size, TacSkinConvertor& reader);
// The message that tells why a package was refused.
String PackedErrorText(TacPackedError error);

// The picture that follows the first "previewimg" and its length. A length
// that runs past the end is cut to what remains.
bool ExtractPreviewImage(const void* data, size_t size, std::string& picture);
