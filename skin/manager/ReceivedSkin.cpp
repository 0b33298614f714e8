#include "skin/manager/ReceivedSkin.h"

#include <cstring>

namespace {

// Slots of the record: offset and size.
constexpr size_t NameAt = 4, NameSize = 128;
constexpr size_t SectionAt = 132, SectionSize = 128;
constexpr size_t DirectoryAt = 260, DirectorySize = 512;
constexpr size_t TextAt = 772, TextSize = 40001;
static_assert(TextAt + TextSize == ReceivedSkinRecordSize);

std::string Slot(const char* record, size_t at, size_t size) {
  const char* begin = record + at;
  const void* zero = std::memchr(begin, 0, size);
  return std::string(begin, zero ? static_cast<const char*>(zero) : begin + size);
}

String Widen(const std::string& s) {
  if (s.empty()) return String();
  int n = MultiByteToWideChar(CP_ACP, 0, s.data(), int(s.size()), nullptr, 0);
  String out(n, L'\0');
  MultiByteToWideChar(CP_ACP, 0, s.data(), int(s.size()), out.data(), n);
  return out;
}

}  // namespace

std::optional<TacReceivedSkin> ParseReceivedSkin(const COPYDATASTRUCT& data) {
  if (data.dwData != ReceivedSkinCopyDataKind || data.cbData != ReceivedSkinRecordSize || !data.lpData)
    return std::nullopt;
  const auto* record = static_cast<const char*>(data.lpData);
  uint32_t tag;
  std::memcpy(&tag, record, 4);
  if (tag != ReceivedSkinTag) return std::nullopt;
  TacReceivedSkin skin;
  skin.SkinName = Widen(Slot(record, NameAt, NameSize));
  skin.SectionName = Widen(Slot(record, SectionAt, SectionSize));
  skin.SkinDirectory = Widen(Slot(record, DirectoryAt, DirectorySize));
  skin.OptionText = Slot(record, TextAt, TextSize);
  return skin;
}
