#include "skin/manager/SkinOptions.h"

#include <cmath>
#include <cwchar>

namespace {

String Widen(std::string_view text) {
  if (text.empty()) return String();
  int n = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  String out(n, L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), out.data(), n);
  return out;
}

std::string_view TrimView(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

}  // namespace

bool ParseSkinInteger(const String& text, int& value) {
  size_t i = 0, n = text.size();
  while (i < n && text[i] == L' ') ++i;
  while (n > i && text[n - 1] == L' ') --n;
  if (i == n) return false;
  bool negative = false;
  if (text[i] == L'-' || text[i] == L'+') {
    negative = text[i] == L'-';
    if (++i == n) return false;
  }
  uint64_t magnitude = 0;
  if (text[i] == L'$' || (text[i] == L'0' && i + 1 < n && (text[i + 1] == L'x' || text[i + 1] == L'X'))) {
    i += text[i] == L'$' ? 1 : 2;
    if (i == n || n - i > 16) return false;
    for (; i < n; ++i) {
      wchar_t c = text[i];
      int digit = c >= L'0' && c <= L'9'   ? c - L'0'
                  : c >= L'a' && c <= L'f' ? c - L'a' + 10
                  : c >= L'A' && c <= L'F' ? c - L'A' + 10
                                           : -1;
      if (digit < 0) return false;
      magnitude = magnitude << 4 | digit;
    }
    // Hexadecimal is a bit pattern: "$FFFFFFFF" is -1.
    if (magnitude > 0xFFFFFFFFu) return false;
    int32_t bits = static_cast<int32_t>(static_cast<uint32_t>(magnitude));
    value = negative ? -bits : bits;
    return true;
  }
  for (; i < n; ++i) {
    if (text[i] < L'0' || text[i] > L'9') return false;
    magnitude = magnitude * 10 + (text[i] - L'0');
    if (magnitude > 0x80000000u) return false;
  }
  if (!negative && magnitude > 0x7FFFFFFF) return false;
  value = negative ? static_cast<int>(-static_cast<int64_t>(magnitude)) : static_cast<int>(magnitude);
  return true;
}

void TacSkinOptions::Clear() {
  FSections.clear();
  FIndex.clear();
}

void TacSkinOptions::SetText(std::string_view text) {
  Clear();
  TSection* current = nullptr;
  size_t pos = 0;
  while (pos < text.size()) {
    size_t end = text.find_first_of("\r\n", pos);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = TrimView(text.substr(pos, end - pos));
    pos = end;
    if (pos < text.size() && text[pos] == '\r') ++pos;
    if (pos < text.size() && text[pos] == '\n') ++pos;
    if (line.empty() || line.front() == ';') continue;
    if (line.front() == '[' && line.back() == ']') {
      String name = Widen(TrimView(line.substr(1, line.size() - 2)));
      // A repeated header adds its keys to the first section of that name.
      auto found = FIndex.find(name);
      if (found != FIndex.end()) {
        current = &FSections[found->second];
      } else {
        FIndex.emplace(name, FSections.size());
        FSections.push_back(TSection{name, {}, {}});
        current = &FSections.back();
      }
      continue;
    }
    if (!current) continue;
    size_t eq = line.find('=');
    if (eq == std::string_view::npos) continue;
    String key = Widen(TrimView(line.substr(0, eq)));
    if (key.empty()) continue;
    current->Index.emplace(key, current->Keys.size());
    current->Keys.push_back(TKey{std::move(key), Widen(TrimView(line.substr(eq + 1)))});
  }
}

const TacSkinOptions::TSection* TacSkinOptions::FindSection(const String& name) const {
  auto it = FIndex.find(name);
  return it == FIndex.end() ? nullptr : &FSections[it->second];
}

const String* TacSkinOptions::Find(const String& section, const String& key) const {
  const TSection* s = FindSection(section);
  if (!s) return nullptr;
  auto it = s->Index.find(key);
  return it == s->Index.end() ? nullptr : &s->Keys[it->second].Value;
}

bool TacSkinOptions::ValueExists(const String& section, const String& key) const {
  return Find(section, key) != nullptr;
}

String TacSkinOptions::ReadString(const String& section, const String& key, const String& defaultValue) const {
  const String* v = Find(section, key);
  return v ? *v : defaultValue;
}

int TacSkinOptions::ReadInteger(const String& section, const String& key, int defaultValue) const {
  const String* v = Find(section, key);
  int value;
  return v && ParseSkinInteger(*v, value) ? value : defaultValue;
}

int64_t TacSkinOptions::ReadInt64(const String& section, const String& key, int64_t defaultValue) const {
  const String* v = Find(section, key);
  if (!v || v->empty() || v->size() > 20) return defaultValue;
  size_t i = 0;
  bool negative = (*v)[0] == L'-';
  if (negative) i = 1;
  if (i == v->size()) return defaultValue;
  uint64_t magnitude = 0;
  for (; i < v->size(); ++i) {
    wchar_t c = (*v)[i];
    if (c < L'0' || c > L'9') return defaultValue;
    magnitude = magnitude * 10 + (c - L'0');  // wraps like the 64-bit read it stands for
  }
  return negative ? -static_cast<int64_t>(magnitude) : static_cast<int64_t>(magnitude);
}

double TacSkinOptions::ReadFloat(const String& section, const String& key, double defaultValue) const {
  const String* v = Find(section, key);
  if (!v || v->empty()) return defaultValue;
  wchar_t* end = nullptr;
  double value = std::wcstod(v->c_str(), &end);
  if (end == v->c_str() || *end != L'\0' || !std::isfinite(value)) return defaultValue;
  return value;
}
