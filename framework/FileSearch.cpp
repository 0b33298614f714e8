#include "framework/FileSearch.h"

namespace {

constexpr int FilteredAttributes = faHidden | faSysFile | faVolumeID | faDirectory;

// Steps over entries the filter refuses; fills the record from the first
// one it takes.
int TakeMatchingEntry(TSearchRec& F) {
  while (int(F.FindData.dwFileAttributes) & F.ExcludeAttr) {
    if (!FindNextFileW(F.FindHandle, &F.FindData)) return int(GetLastError());
  }
  F.Name = F.FindData.cFileName;
  F.Size = int64_t(F.FindData.nFileSizeHigh) << 32 | F.FindData.nFileSizeLow;
  F.Attr = int(F.FindData.dwFileAttributes);
  F.Time = F.FindData.ftLastWriteTime;
  return 0;
}

}  // namespace

TSearchRec::~TSearchRec() { FindClose(*this); }

int FindFirst(const String& Path, int Attr, TSearchRec& F) {
  FindClose(F);
  F.ExcludeAttr = ~Attr & FilteredAttributes;
  F.FindHandle = FindFirstFileW(Path.c_str(), &F.FindData);
  if (F.FindHandle == INVALID_HANDLE_VALUE) return int(GetLastError());
  int Result = TakeMatchingEntry(F);
  if (Result != 0) FindClose(F);
  return Result;
}

int FindNext(TSearchRec& F) {
  if (F.FindHandle == INVALID_HANDLE_VALUE) return ERROR_NO_MORE_FILES;
  if (!FindNextFileW(F.FindHandle, &F.FindData)) return int(GetLastError());
  return TakeMatchingEntry(F);
}

void FindClose(TSearchRec& F) {
  if (F.FindHandle != INVALID_HANDLE_VALUE) ::FindClose(F.FindHandle);
  F.FindHandle = INVALID_HANDLE_VALUE;
}
