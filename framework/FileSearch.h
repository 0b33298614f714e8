#pragma once
// The run-time library's file search: FindFirst, FindNext and FindClose
// over a search record, with the attribute filter of the classic routines
// (hidden, system, volume and directory entries only when asked for).
#include <windows.h>

#include <cstdint>

#include "framework/System.h"

constexpr int faReadOnly = 0x01;
constexpr int faHidden = 0x02;
constexpr int faSysFile = 0x04;
constexpr int faVolumeID = 0x08;
constexpr int faDirectory = 0x10;
constexpr int faArchive = 0x20;
constexpr int faNormal = 0x80;
constexpr int faAnyFile = 0x1FF;

struct TSearchRec {
  TSearchRec() = default;
  ~TSearchRec();
  TSearchRec(const TSearchRec&) = delete;
  TSearchRec& operator=(const TSearchRec&) = delete;

  String Name;
  int64_t Size = 0;
  int Attr = 0;
  FILETIME Time = {};  // last write, UTC
  int ExcludeAttr = 0;
  HANDLE FindHandle = INVALID_HANDLE_VALUE;  // closed by FindClose or the destructor
  WIN32_FIND_DATAW FindData = {};
};

// 0 when an entry was found, else the system's error code (ERROR_FILE_NOT_FOUND,
// ERROR_NO_MORE_FILES, ERROR_PATH_NOT_FOUND ...). Entries with an attribute
// among hidden, system, volume and directory that Attr lacks are skipped.
int FindFirst(const String& Path, int Attr, TSearchRec& F);
int FindNext(TSearchRec& F);
void FindClose(TSearchRec& F);
