#include "skin/manager/ImageDescriptor.h"

#include <algorithm>
#include <vector>

namespace {

std::vector<String> Tokens(const String& value, wchar_t separator) {
  std::vector<String> out;
  String token;
  for (wchar_t c : value) {
    if (c == separator) {
      if (!token.empty()) out.push_back(std::move(token));
      token.clear();
    } else {
      token += c;
    }
  }
  if (!token.empty()) out.push_back(std::move(token));
  return out;
}

String Pad(const String& s, size_t width) { return s.size() >= width ? s : String(width - s.size(), L'0') + s; }

int AsInt(const String& s) {
  if (s.empty() || s.size() > 9) return 0;
  int v = 0;
  size_t i = s[0] == L'-' ? 1 : 0;
  if (i == s.size()) return 0;
  for (; i < s.size(); ++i) {
    if (s[i] < L'0' || s[i] > L'9') return 0;
    v = v * 10 + (s[i] - L'0');
  }
  return s[0] == L'-' ? -v : v;
}

}  // namespace

bool IsImageValue(const String& upper) {
  if (upper.empty()) return false;
  wchar_t c = upper[0];
  return c == L'!' || c == L'&' || c == L'@' || c == L'^' || c == L'~' || upper.find(L".JPG") != String::npos ||
         upper.find(L".BMP") != String::npos;
}

int DigitsAt(const String& value, int position, int count) {
  if (position < 1 || count < 1 || static_cast<size_t>(position - 1 + count) > value.size()) return -1;
  int v = 0;
  for (int i = 0; i < count; ++i) {
    wchar_t c = value[position - 1 + i];
    if (c < L'0' || c > L'9') return -1;
    v = v * 10 + (c - L'0');
  }
  return v;
}

String ConvertImageDescriptor(const String& value) {
  if (value.empty())
    return L"&0000000000000000000000000000000030"
           L"1"
           L"01"
           L"00"
           L"0000";
  const wchar_t first = value[0];
  if (first == L'&') return value;
  int kind;
  String name;
  wchar_t separator = first;
  bool bang = false;
  std::vector<String> t;
  auto tok = [&](size_t i) { return i >= 1 && i <= t.size() ? t[i - 1] : String(); };
  switch (first) {
    case L'!':
      bang = true;
      t = Tokens(value, separator);
      name = tok(1);
      kind = std::min(AsInt(tok(4)), 4);
      break;
    case L'@':
      kind = 2;
      break;
    case L'^':
      kind = 0;
      break;
    case L'~':
      kind = 1;
      break;
    default:
      kind = 1;
      name = value;
      separator = L'!';
      break;
  }
  if (t.empty()) t = Tokens(value, separator);
  const String k = std::to_wstring(kind);
  if (value.size() <= 3)
    return L"&0000000000000000000000000000000030" + k +
           L"01"
           L"00"
           L"0000" +
           name;
  if (!bang && first != L'@' && first != L'^' && first != L'~')
    return L"&0000000000000000000000000000000010" + k +
           L"00"
           L"000000" +
           name;
  if (bang) {
    if (kind < 0)
      return L"&0000000000000000000000000000000010"
             L"1"
             L"00"
             L"000000" +
             name;
    if (kind == 0 || (kind == 3 && t.size() >= 5))
      return L"&0000000000000000" + tok(5) + tok(6) + tok(7) + tok(8) + tok(2) + tok(3) + k + Pad(tok(9), 2) +
             L"000000" + name;
    if (kind == 3)
      return L"&0000000000000000000000000000000010" + k +
             L"00"
             L"000000" +
             name;
    if (kind == 1 || t.size() < 5)
      return L"&00000000000000000000000000000000" + tok(2) + tok(3) + k + Pad(tok(9), 2) + L"000000" + name;
    return L"&" + tok(5) + tok(6) + tok(7) + tok(8) + L"0000000000000000" + tok(2) + tok(3) + k + Pad(tok(9), 2) +
           L"000000" + name;
  }
  const String rect = tok(1) + tok(2) + tok(3) + tok(4);
  if (first == L'~') {
    String d = value.size() >= 25 ? String(1, value[24]) : L"0";
    return L"&" + rect +
           L"0000000000000000"
           L"1" +
           d + k + Pad(tok(5), 2) +
           L"00"
           L"0000" +
           (t.size() > 6 ? tok(7) : String());
  }
  if (first == L'@') return L"&" + rect + L"0000000000000000" + tok(5) + tok(6) + k + L"00000000";
  // "^": borders may be left as zero and are then derived from the frame.
  String w[4] = {tok(5), tok(6), tok(7), tok(8)};
  if (value.size() >= 48 && w[0] == L"0000" && w[1] == L"0000" && w[2] == L"0000" && w[3] == L"0000") {
    String all = Pad(tok(12), 4);
    if (all != L"0000") {
      for (String& x : w) x = all;
    } else {
      int left = DigitsAt(value, 2, 4), top = DigitsAt(value, 7, 4), right = DigitsAt(value, 12, 4),
          bottom = DigitsAt(value, 17, 4);
      // A frame count or mask type that reads below 1 counts as 1: no value
      // of a skin file may divide by zero.
      int frames = std::max(1, AsInt(tok(9)));
      int masks = std::max(1, AsInt(tok(10)) + 1);
      if (left >= 0 && top >= 0 && right >= 0 && bottom >= 0) {
        int fw = (right - left) / frames, fh = (bottom - top) / masks;
        w[0] = w[2] = Pad(std::to_wstring(std::max(0, (fw - 1) / 2)), 4);
        w[1] = w[3] = Pad(std::to_wstring(std::max(0, (fh - 1) / 2)), 4);
      }
    }
  }
  return L"&" + rect + w[0] + w[1] + w[2] + w[3] + tok(9) + tok(10) + k + Pad(tok(11), 2) + L"000000";
}

TacImageDescriptor ParseImageDescriptor(const String& s) {
  TacImageDescriptor d;
  auto at = [&](int pos, int count) { return std::max(0, DigitsAt(s, pos, count)); };
  d.SrcRect = RECT{at(2, 4), at(6, 4), at(10, 4), at(14, 4)};
  d.WL = at(18, 4);
  d.WT = at(22, 4);
  d.WR = at(26, 4);
  d.WB = at(30, 4);
  d.ImageCount = at(34, 1);
  d.MaskType = at(35, 1);
  d.ImgKind = std::min(4, at(36, 1));
  d.DrawMode = at(37, 2);
  if (s.size() > 44) d.FileName = s.substr(44);
  return d;
}
