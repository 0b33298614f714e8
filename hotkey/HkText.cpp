#include "hotkey/HkText.h"

#include <cstdlib>

bool IsBlankText(const String& s) { return s.find_first_not_of(L' ') == String::npos; }

String WithBackslash(const String& s) {
  if (!IsBlankText(s) && s.back() == L'\\') return s;
  return s + L'\\';
}

String WithoutBackslash(const String& s) {
  if (!IsBlankText(s) && s.back() == L'\\') return s.substr(0, s.size() - 1);
  return s;
}

namespace {
constexpr uint16_t kScrambleMul = 52845;
constexpr uint16_t kScrambleAdd = 22719;

uint16_t NextKey(uint16_t key, uint8_t scrambledByte) {
  return static_cast<uint16_t>((key + scrambledByte) * kScrambleMul + kScrambleAdd);
}
}  // namespace

AnsiString ScrambleText(const AnsiString& s, uint16_t key) {
  AnsiString out(s.size(), '\0');
  for (size_t i = 0; i < s.size(); ++i) {
    const auto b = static_cast<uint8_t>(static_cast<uint8_t>(s[i]) ^ (key >> 8));
    out[i] = static_cast<char>(b);
    key = NextKey(key, b);
  }
  return out;
}

AnsiString UnscrambleText(const AnsiString& s, uint16_t key) {
  AnsiString out(s.size(), '\0');
  for (size_t i = 0; i < s.size(); ++i) {
    const auto in = static_cast<uint8_t>(s[i]);
    out[i] = static_cast<char>(in ^ (key >> 8));
    key = NextKey(key, in);
  }
  return out;
}

AnsiString TextEncode3To4(const AnsiString& s) {
  AnsiString out = std::to_string(s.size()) + ":";
  AnsiString padded = s;
  padded.append((3 - padded.size() % 3) % 3, ' ');
  out.reserve(out.size() + padded.size() / 3 * 4);
  for (size_t i = 0; i < padded.size(); i += 3) {
    const auto b0 = static_cast<uint8_t>(padded[i]);
    const auto b1 = static_cast<uint8_t>(padded[i + 1]);
    const auto b2 = static_cast<uint8_t>(padded[i + 2]);
    out += static_cast<char>((b0 >> 2) + 48);
    out += static_cast<char>((((b0 & 3) << 4) | (b1 >> 4)) + 48);
    out += static_cast<char>((((b1 & 15) << 2) | (b2 >> 6)) + 48);
    out += static_cast<char>((b2 & 63) + 48);
  }
  return out;
}

AnsiString TextDecode4To3(const AnsiString& s) {
  const size_t colon = s.find(':');
  if (colon == AnsiString::npos) return {};
  const size_t length = static_cast<size_t>(std::strtoul(s.substr(0, colon).c_str(), nullptr, 10));
  AnsiString out;
  for (size_t i = colon + 1; i + 3 < s.size(); i += 4) {
    uint32_t v = 0;
    for (size_t k = 0; k < 4; ++k) v = (v << 6) + (static_cast<uint8_t>(s[i + k]) - 48u);
    out += static_cast<char>((v >> 16) & 0xFF);
    out += static_cast<char>((v >> 8) & 0xFF);
    out += static_cast<char>(v & 0xFF);
  }
  if (out.size() > length) out.resize(length);
  return out;
}
