#include "framework/System.h"

#include <cmath>
#include <limits>

// ---- Exceptions -----------------------------------------------------------

Exception::Exception(const String& message) { SetMessage(message); }

void Exception::SetMessage(const String& message) {
  FMessage = message;
  FWhat = StringToUtf8(message);
}

// ---- Numbers --------------------------------------------------------------

String IntToStr(int64_t value) { return std::to_wstring(value); }

namespace {

int HexDigit(wchar_t c) {
  if (c >= L'0' && c <= L'9') return c - L'0';
  if (c >= L'a' && c <= L'f') return c - L'a' + 10;
  if (c >= L'A' && c <= L'F') return c - L'A' + 10;
  return -1;
}

// Parses like the classic Val: leading blanks, sign, decimal or hex digits,
// nothing behind. Decimal must fit the signed range of `bits`, hex the
// unsigned one (and wraps into the signed value).
bool ParseInteger(const String& s, int bits, int64_t& result) {
  size_t i = 0;
  while (i < s.size() && s[i] == L' ') ++i;
  bool negative = false;
  if (i < s.size() && (s[i] == L'+' || s[i] == L'-')) {
    negative = s[i] == L'-';
    ++i;
  }
  bool hex = false;
  if (i < s.size() && s[i] == L'$') {
    hex = true;
    ++i;
  } else if (i < s.size() && (s[i] == L'x' || s[i] == L'X')) {
    hex = true;
    ++i;
  } else if (i + 1 < s.size() && s[i] == L'0' && (s[i + 1] == L'x' || s[i + 1] == L'X')) {
    hex = true;
    i += 2;
  }
  if (i >= s.size()) return false;

  const uint64_t unsignedMax = bits == 64 ? std::numeric_limits<uint64_t>::max() : 0xFFFFFFFFull;
  const uint64_t signedLimit = (bits == 64 ? uint64_t(1) << 63 : uint64_t(1) << 31);  // |min|
  uint64_t value = 0;
  for (; i < s.size(); ++i) {
    int digit;
    if (hex) {
      digit = HexDigit(s[i]);
    } else {
      digit = (s[i] >= L'0' && s[i] <= L'9') ? s[i] - L'0' : -1;
    }
    if (digit < 0) return false;
    const uint64_t base = hex ? 16 : 10;
    if (value > (unsignedMax - digit) / base) return false;
    value = value * base + digit;
    if (!hex && value > signedLimit) return false;
  }
  if (!hex && !negative && value == signedLimit) return false;

  if (bits == 64) {
    result = negative ? int64_t(0 - value) : int64_t(value);
  } else {
    const int32_t narrow = int32_t(uint32_t(value));
    result = negative ? int32_t(0u - uint32_t(narrow)) : narrow;
  }
  return true;
}

}  // namespace

bool TryStrToInt(const String& s, int& value) {
  int64_t v;
  if (!ParseInteger(s, 32, v)) return false;
  value = int(v);
  return true;
}

bool TryStrToInt64(const String& s, int64_t& value) { return ParseInteger(s, 64, value); }

int StrToInt(const String& s) {
  int v;
  if (!TryStrToInt(s, v)) throw EConvertError(L"'" + s + L"' is not a valid integer value");
  return v;
}

int64_t StrToInt64(const String& s) {
  int64_t v;
  if (!TryStrToInt64(s, v)) throw EConvertError(L"'" + s + L"' is not a valid integer value");
  return v;
}

int StrToIntDef(const String& s, int defaultValue) {
  int v;
  return TryStrToInt(s, v) ? v : defaultValue;
}

int64_t StrToInt64Def(const String& s, int64_t defaultValue) {
  int64_t v;
  return TryStrToInt64(s, v) ? v : defaultValue;
}

int64_t Round(double value) { return int64_t(std::nearbyint(value)); }

// ---- Text -----------------------------------------------------------------

String TrimLeft(const String& s) {
  size_t first = 0;
  while (first < s.size() && s[first] <= L' ') ++first;
  return s.substr(first);
}

String TrimRight(const String& s) {
  size_t last = s.size();
  while (last > 0 && s[last - 1] <= L' ') --last;
  return s.substr(0, last);
}

String Trim(const String& s) { return TrimLeft(TrimRight(s)); }

String UpperCase(const String& s) {
  String r = s;
  for (auto& c : r)
    if (c >= L'a' && c <= L'z') c = wchar_t(c - (L'a' - L'A'));
  return r;
}

String LowerCase(const String& s) {
  String r = s;
  for (auto& c : r)
    if (c >= L'A' && c <= L'Z') c = wchar_t(c + (L'a' - L'A'));
  return r;
}

int CompareText(const String& a, const String& b) {
  const size_t n = a.size() < b.size() ? a.size() : b.size();
  for (size_t i = 0; i < n; ++i) {
    wchar_t x = a[i], y = b[i];
    if (x >= L'a' && x <= L'z') x = wchar_t(x - 32);
    if (y >= L'a' && y <= L'z') y = wchar_t(y - 32);
    if (x != y) return int(x) - int(y);
  }
  return int(a.size()) - int(b.size());
}

bool SameText(const String& a, const String& b) { return a.size() == b.size() && CompareText(a, b) == 0; }

String AnsiToString(const AnsiString& s) {
  if (s.empty()) return String();
  const int n = MultiByteToWideChar(CP_ACP, 0, s.data(), int(s.size()), nullptr, 0);
  String r(size_t(n), L'\0');
  MultiByteToWideChar(CP_ACP, 0, s.data(), int(s.size()), r.data(), n);
  return r;
}

namespace {
AnsiString WideToCodePage(const String& s, UINT codePage) {
  if (s.empty()) return AnsiString();
  const int n = WideCharToMultiByte(codePage, 0, s.data(), int(s.size()), nullptr, 0, nullptr, nullptr);
  AnsiString r(size_t(n), '\0');
  WideCharToMultiByte(codePage, 0, s.data(), int(s.size()), r.data(), n, nullptr, nullptr);
  return r;
}
}  // namespace

AnsiString StringToAnsi(const String& s) { return WideToCodePage(s, CP_ACP); }
AnsiString StringToUtf8(const String& s) { return WideToCodePage(s, CP_UTF8); }

// ---- Files and paths ------------------------------------------------------

namespace {
const wchar_t* const kPathDelimiters = L"\\/:";
}

String ExtractFilePath(const String& fileName) {
  const size_t p = fileName.find_last_of(kPathDelimiters);
  return p == String::npos ? String() : fileName.substr(0, p + 1);
}

String ExtractFileName(const String& fileName) {
  const size_t p = fileName.find_last_of(kPathDelimiters);
  return p == String::npos ? fileName : fileName.substr(p + 1);
}

String ExtractFileExt(const String& fileName) {
  const size_t p = fileName.find_last_of(L".\\/:");
  return (p != String::npos && fileName[p] == L'.') ? fileName.substr(p) : String();
}

String ChangeFileExt(const String& fileName, const String& extension) {
  const size_t p = fileName.find_last_of(L".\\/:");
  const bool hasExt = p != String::npos && fileName[p] == L'.';
  return (hasExt ? fileName.substr(0, p) : fileName) + extension;
}

String IncludeTrailingPathDelimiter(const String& path) {
  return (!path.empty() && path.back() == L'\\') ? path : path + L'\\';
}

bool FileExists(const String& fileName) {
  const DWORD a = GetFileAttributesW(fileName.c_str());
  return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool DirectoryExists(const String& path) {
  const DWORD a = GetFileAttributesW(path.c_str());
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

bool ForceDirectories(const String& path) {
  String dir = path;
  while (dir.size() > 1 && (dir.back() == L'\\' || dir.back() == L'/')) dir.pop_back();
  if (dir.empty()) return false;
  if (DirectoryExists(dir)) return true;
  const String parent = ExtractFilePath(dir);
  // The parent is always shorter, so the walk up ends at a root or a drive.
  if (!parent.empty() && parent != dir && !ForceDirectories(parent)) return false;
  return CreateDirectoryW(dir.c_str(), nullptr) || DirectoryExists(dir);
}

bool DeleteFile(const String& fileName) { return DeleteFileW(fileName.c_str()) != FALSE; }

// ---- Process --------------------------------------------------------------

std::vector<String> SplitCommandLine(const String& commandLine) {
  std::vector<String> args;
  size_t i = 0;
  const size_t n = commandLine.size();
  for (;;) {
    while (i < n && commandLine[i] <= L' ') ++i;
    if (i >= n) break;
    String arg;
    while (i < n && commandLine[i] > L' ') {
      if (commandLine[i] == L'"') {
        ++i;
        while (i < n && commandLine[i] != L'"') arg += commandLine[i++];
        if (i < n) ++i;
      } else {
        arg += commandLine[i++];
      }
    }
    args.push_back(arg);
  }
  return args;
}

int ParamCount() {
  const auto args = SplitCommandLine(GetCommandLineW());
  return args.empty() ? 0 : int(args.size()) - 1;
}

String ParamStr(int index) {
  if (index == 0) return ExeFileName();
  if (index < 0) return String();
  const auto args = SplitCommandLine(GetCommandLineW());
  return size_t(index) < args.size() ? args[size_t(index)] : String();
}

String ExeFileName() {
  std::vector<wchar_t> buffer(MAX_PATH);
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, buffer.data(), DWORD(buffer.size()));
    if (n < buffer.size()) return String(buffer.data(), n);
    buffer.resize(buffer.size() * 2);
  }
}

// ---- Dates ----------------------------------------------------------------

SYSTEMTIME LocalNow() {
  SYSTEMTIME t;
  GetLocalTime(&t);
  return t;
}

String DateToStr(const SYSTEMTIME& t) {
  wchar_t buffer[128];
  const int n = GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &t, nullptr, buffer, 128);
  return n > 0 ? String(buffer, size_t(n - 1)) : String();
}

String TimeToStr(const SYSTEMTIME& t) {
  wchar_t buffer[128];
  const int n = GetTimeFormatW(LOCALE_USER_DEFAULT, 0, &t, nullptr, buffer, 128);
  return n > 0 ? String(buffer, size_t(n - 1)) : String();
}

String DateToStr() { return DateToStr(LocalNow()); }
String TimeToStr() { return TimeToStr(LocalNow()); }

// ---- Errors ---------------------------------------------------------------

String SysErrorMessage(DWORD errorCode) {
  wchar_t* buffer = nullptr;
  const DWORD n = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                     FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_ARGUMENT_ARRAY,
                                 nullptr, errorCode, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  String message = n ? String(buffer, n) : String();
  if (buffer) LocalFree(buffer);
  while (!message.empty() && (message.back() <= L' ' || message.back() == L'.')) message.pop_back();
  return message;
}

void RaiseLastOSError() { RaiseLastOSError(GetLastError()); }

void RaiseLastOSError(DWORD errorCode) {
  String message = L"System Error.  Code: " + IntToStr(errorCode) + L".";
  const String text = SysErrorMessage(errorCode);
  if (!text.empty()) message += L"\r\n" + text;
  throw EOSError(message, errorCode);
}
