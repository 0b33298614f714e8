#include "tests/support/scratch_folder.h"

#include "framework/FileSearch.h"

#include <atomic>
#include <stdexcept>

namespace {

void RemoveTree(const String& folder) {
  {
    TSearchRec entry;  // closed before the folder goes
    for (int found = FindFirst(folder + L"*", faAnyFile, entry); found == 0; found = FindNext(entry)) {
      if (entry.Name == L"." || entry.Name == L"..") continue;
      const String full = folder + entry.Name;
      if (entry.Attr & faDirectory) {
        RemoveTree(full + L"\\");
      } else {
        SetFileAttributesW(full.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(full.c_str());
      }
    }
  }
  RemoveDirectoryW(folder.c_str());
}

}  // namespace

ScratchFolder::ScratchFolder() {
  static std::atomic<int> counter{0};
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  FPath = IncludeTrailingPathDelimiter(temp) + L"kelvra-test-" + IntToStr(GetCurrentProcessId()) + L"-" +
          IntToStr(GetTickCount()) + L"-" + IntToStr(counter++) + L"\\";
  if (!ForceDirectories(FPath)) throw std::runtime_error("cannot make the scratch folder");
}

ScratchFolder::~ScratchFolder() { RemoveTree(FPath); }

void ScratchFolder::WriteBytes(const String& path, const std::string& bytes) {
  const TOwnedHandle file(
      CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) throw std::runtime_error("cannot write a test file");
  DWORD written = 0;
  WriteFile(file.get(), bytes.data(), DWORD(bytes.size()), &written, nullptr);
}

std::string ScratchFolder::ReadBytes(const String& path) {
  const TOwnedHandle file(CreateFileW(path.c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING, 0,
                                      nullptr));
  if (!file) throw std::runtime_error("cannot read a test file");
  std::string bytes;
  char buffer[4096];
  DWORD got = 0;
  while (ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr) && got > 0) bytes.append(buffer, got);
  return bytes;
}
