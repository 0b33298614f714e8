#include "framework/AnsiText.h"

#include <algorithm>

std::function<bool(size_t offset)> SafeSaveWriteHook;

std::vector<String> SplitTextLines(const String& text) {
  std::vector<String> lines;
  size_t start = 0;
  const size_t n = text.size();
  while (start < n) {
    size_t end = start;
    while (end < n && text[end] != L'\r' && text[end] != L'\n') ++end;
    lines.emplace_back(text, start, end - start);
    if (end < n && text[end] == L'\r') ++end;
    if (end < n && text[end] == L'\n') ++end;
    start = end;
  }
  return lines;
}

AnsiString LoadFileBytes(const String& path) {
  // Others (the credit log's consumer, an editor) may hold the file open for
  // writing; reading it then is still what the user wants.
  TOwnedHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) {
    const DWORD error = GetLastError();
    throw EFOpenError(L"Cannot open file \"" + path + L"\". " + SysErrorMessage(error));
  }
  LARGE_INTEGER size;
  if (!GetFileSizeEx(file.get(), &size))
    throw EReadError(L"Cannot read file \"" + path + L"\". " + SysErrorMessage(GetLastError()));
  AnsiString bytes(size_t(size.QuadPart), '\0');
  size_t done = 0;
  while (done < bytes.size()) {
    DWORD got = 0;
    const DWORD want = DWORD(std::min<size_t>(bytes.size() - done, 1u << 20));
    if (!ReadFile(file.get(), bytes.data() + done, want, &got, nullptr))
      throw EReadError(L"Cannot read file \"" + path + L"\". " + SysErrorMessage(GetLastError()));
    if (got == 0) break;  // shrank while we read
    done += got;
  }
  bytes.resize(done);
  return bytes;
}

std::vector<String> LoadAnsiLines(const String& path) { return SplitTextLines(AnsiToString(LoadFileBytes(path))); }

void SaveAnsiLines(const String& path, const std::vector<String>& lines) {
  size_t size = 0;
  for (const auto& line : lines) size += line.size() + 2;
  String text;
  text.reserve(size);
  for (const auto& line : lines) {
    text += line;
    text += L"\r\n";
  }
  SaveFileBytesSafely(path, StringToAnsi(text));
}

namespace {

const size_t kWriteBlock = 64 * 1024;

// Writes all bytes from the current position; false with the Windows error set.
bool WriteAll(HANDLE file, const std::string& bytes, bool useHook) {
  for (size_t done = 0; done < bytes.size();) {
    if (useHook && SafeSaveWriteHook && !SafeSaveWriteHook(done)) {
      SetLastError(ERROR_DISK_FULL);
      return false;
    }
    const DWORD want = DWORD(std::min(bytes.size() - done, kWriteBlock));
    DWORD written = 0;
    if (!WriteFile(file, bytes.data() + done, want, &written, nullptr)) return false;
    if (written != want) {
      SetLastError(ERROR_DISK_FULL);
      return false;
    }
    done += written;
  }
  return true;
}

[[noreturn]] void ThrowWriteError(const String& path, DWORD error) {
  throw EWriteError(L"Cannot write file \"" + path + L"\". " + SysErrorMessage(error));
}

[[noreturn]] void ThrowCreateError(const String& path, DWORD error) {
  throw EFCreateError(L"Cannot create file \"" + path + L"\". " + SysErrorMessage(error));
}

// Overwrites the target through a handle that shares reading and writing, so
// it works while another program keeps the file open. The old bytes are
// overwritten first and cut only after the new ones are all down.
void WriteInPlace(const String& path, const std::string& bytes) {
  // Windows refuses write access to a read-only file; Wine run by root would
  // not, so the rule is applied here.
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
    ThrowCreateError(path, ERROR_ACCESS_DENIED);
  TOwnedHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) ThrowCreateError(path, GetLastError());
  if (!WriteAll(file.get(), bytes, false) || !SetEndOfFile(file.get()) || !FlushFileBuffers(file.get()))
    ThrowWriteError(path, GetLastError());
}

// Deletes the temporary file unless released.
class TTempFileGuard {
 public:
  explicit TTempFileGuard(String path) : FPath(std::move(path)) {}
  ~TTempFileGuard() {
    if (!FPath.empty()) DeleteFileW(FPath.c_str());
  }
  void Release() { FPath.clear(); }
  TTempFileGuard(const TTempFileGuard&) = delete;
  TTempFileGuard& operator=(const TTempFileGuard&) = delete;

 private:
  String FPath;
};

}  // namespace

void SaveFileBytesSafely(const String& path, const std::string& bytes) {
  String folder = ExtractFilePath(path);
  if (folder.empty()) folder = L".";
  wchar_t tempName[MAX_PATH + 16];
  if (!GetTempFileNameW(folder.c_str(), L"~kv", 0, tempName)) {
    // No new file may be made in the folder, but the target itself may still
    // be writable: that is how the file was always written.
    if (FileExists(path)) {
      WriteInPlace(path, bytes);
      return;
    }
    ThrowCreateError(path, GetLastError());
  }
  TTempFileGuard guard(tempName);
  {
    TOwnedHandle temp(
        CreateFileW(tempName, GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!temp) ThrowCreateError(path, GetLastError());
    if (!WriteAll(temp.get(), bytes, true) || !FlushFileBuffers(temp.get())) ThrowWriteError(path, GetLastError());
  }
  // Windows refuses to replace a read-only file; say so ourselves, since not
  // every file system underneath does, and let the in-place write decide.
  const DWORD attributes = GetFileAttributesW(path.c_str());
  const bool readOnly = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
  if (!readOnly && MoveFileExW(tempName, path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    guard.Release();
    return;
  }
  const DWORD error = readOnly ? DWORD(ERROR_ACCESS_DENIED) : GetLastError();
  if (error != ERROR_SHARING_VIOLATION && error != ERROR_ACCESS_DENIED && error != ERROR_LOCK_VIOLATION)
    ThrowCreateError(path, error);
  WriteInPlace(path, bytes);
}

void AppendAnsiLines(const String& path, const std::vector<String>& lines) {
  std::string bytes;
  for (const String& line : lines) bytes += StringToAnsi(line) + "\r\n";
  const TOwnedHandle file(CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                      OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) {
    const DWORD error = GetLastError();
    throw EFOpenError(L"Cannot open file \"" + path + L"\". " + SysErrorMessage(error));
  }
  const bool ok = WriteAll(file.get(), bytes, false) && FlushFileBuffers(file.get());
  const DWORD error = GetLastError();
  if (!ok) throw EWriteError(L"Cannot write file \"" + path + L"\". " + SysErrorMessage(error));
}
