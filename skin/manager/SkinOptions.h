#pragma once
// The option text of a skin ("Options.dat"): sections and keys in file order,
// names case-sensitive, read the way the skin loader reads them. The text comes
// from files of unknown origin, so every read has a default and none throws.
#include "framework/System.h"

#include <cstdint>
#include <string_view>
#include <unordered_map>
#include <vector>

class TacSkinOptions {
 public:
  struct TKey {
    String Name;
    String Value;
  };
  struct TSection {
    String Name;
    std::vector<TKey> Keys;
    std::unordered_map<String, size_t> Index;  // first key of each name
  };

  TacSkinOptions() = default;
  // 8-bit text in the ANSI code page, lines ended by CR LF, LF or CR.
  explicit TacSkinOptions(std::string_view text) { SetText(text); }
  void SetText(std::string_view text);
  void Clear();
  bool Empty() const { return FSections.empty(); }

  const std::vector<TSection>& Sections() const { return FSections; }
  const TSection* FindSection(const String& name) const;
  bool SectionExists(const String& name) const { return FindSection(name) != nullptr; }
  bool ValueExists(const String& section, const String& key) const;

  String ReadString(const String& section, const String& key, const String& defaultValue) const;
  // Decimal or "$" hexadecimal; eight hex digits wrap into the signed range. A
  // value that is no number gives the default.
  int ReadInteger(const String& section, const String& key, int defaultValue) const;
  // Decimal text of up to 64 bits, kept as its low 32 bits.
  int64_t ReadInt64(const String& section, const String& key, int64_t defaultValue) const;
  // "." as the decimal separator whatever the locale.
  double ReadFloat(const String& section, const String& key, double defaultValue) const;

 private:
  const String* Find(const String& section, const String& key) const;
  std::vector<TSection> FSections;
  std::unordered_map<String, size_t> FIndex;  // first section of each name
};

// The integer reading of option values, on its own for the other readers.
bool ParseSkinInteger(const String& text, int& value);
