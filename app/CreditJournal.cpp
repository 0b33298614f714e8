#include "app/CreditJournal.h"

#include "app/AppState.h"
#include "framework/AnsiText.h"

#include <algorithm>

namespace {

struct TPayment {
  int32_t Id = 0;
  int32_t Value = 0;
};

// "<id>,<date>,<time>,0,<pulse text>" as the counting wrote it: the id as
// IntToStr gives it, the "0" field just before the pulse text.
std::optional<TPayment> PaymentOf(const String& line) {
  const size_t first = line.find(L',');
  const size_t last = line.rfind(L',');
  if (first == String::npos || last == first) return std::nullopt;
  const size_t beforeLast = line.rfind(L',', last - 1);
  if (beforeLast == first || line.substr(beforeLast + 1, last - beforeLast - 1) != L"0") return std::nullopt;
  const String idText = line.substr(0, first);
  int id = 0;
  if (!TryStrToInt(idText, id) || IntToStr(id) != idText) return std::nullopt;
  // Pulse text that is no number added its spin edit's lower limit; a line
  // of such text is not taken as a clear payment.
  int64_t value = 0;
  if (!TryStrToInt64(line.substr(last + 1), value)) return std::nullopt;
  // The counting adds the low 32 bits of the value.
  return TPayment{id, static_cast<int32_t>(static_cast<uint32_t>(value))};
}

}  // namespace

TUnsavedPayments UnsavedPayments(const std::vector<String>& lastLines, int32_t savedId, bool logNotOlder) {
  if (!logNotOlder || lastLines.empty()) return {};
  const uint32_t past = IdsPast(lastLines.back(), savedId);
  if (past == 0 || past > lastLines.size()) return {};
  TUnsavedPayments found;
  const size_t start = lastLines.size() - past;
  for (uint32_t i = 0; i < past; ++i) {
    const std::optional<TPayment> p = PaymentOf(lastLines[start + i]);
    if (!p || p->Id != WrappingAdd(savedId, static_cast<int32_t>(i + 1))) return {};
    found.Sum = WrappingAdd(found.Sum, p->Value);
  }
  found.Count = static_cast<int32_t>(past);
  found.LastId = WrappingAdd(savedId, static_cast<int32_t>(past));
  return found;
}

uint32_t IdsPast(const String& lastLine, int32_t savedId) {
  const std::optional<TPayment> last = PaymentOf(lastLine);
  return last ? static_cast<uint32_t>(last->Id) - static_cast<uint32_t>(savedId) : 0;
}

TUnsavedPayments ReadUnsavedPayments(const String& logFile, int32_t savedId,
                                     const std::optional<FILETIME>& dataSavedAt) {
  if (!NotOlder(LastWriteTime(logFile), dataSavedAt)) return {};
  std::vector<String> lines = LastLinesOf(logFile, 1);
  if (lines.empty()) return {};
  if (const uint32_t past = IdsPast(lines.back(), savedId); past > lines.size()) lines = LastLinesOf(logFile, past);
  return UnsavedPayments(lines, savedId, true);
}

std::vector<String> LastLinesOf(const String& fileName, size_t wanted) {
  const TOwnedHandle file(CreateFileW(fileName.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return LoadAnsiLines(fileName);  // raises the framework's open error
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.get(), &size)) return LoadAnsiLines(fileName);
  // From the end, a block growing until it holds the lines wanted: a start
  // with a long log reads its tail, not the whole file.
  for (int64_t block = 64 * 1024;; block *= 2) {
    const int64_t from = std::max<int64_t>(0, size.QuadPart - block);
    LARGE_INTEGER at{};
    at.QuadPart = from;
    AnsiString bytes(size_t(size.QuadPart - from), '\0');
    DWORD got = 0;
    if (!SetFilePointerEx(file.get(), at, nullptr, FILE_BEGIN) ||
        !ReadFile(file.get(), bytes.data(), DWORD(bytes.size()), &got, nullptr))
      return LoadAnsiLines(fileName);
    bytes.resize(got);
    std::vector<String> lines = SplitTextLines(AnsiToString(bytes));
    if (from == 0) return lines;
    // The block's first line may have begun before it.
    if (lines.size() > wanted) {
      lines.erase(lines.begin());
      return lines;
    }
  }
}

std::optional<FILETIME> LastWriteTime(const String& fileName) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExW(fileName.c_str(), GetFileExInfoStandard, &data) ||
      (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
    return std::nullopt;
  return data.ftLastWriteTime;
}

bool NotOlder(const std::optional<FILETIME>& log, const std::optional<FILETIME>& data) {
  return log && data && CompareFileTime(&*log, &*data) >= 0;
}
