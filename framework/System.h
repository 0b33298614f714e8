#pragma once
// Base types, exceptions and the run-time routines every unit leans on.

#include <windows.h>

#include <cstdint>
#include <exception>
#include <functional>
#include <string>
#include <vector>

// The Win32 macro would rename our own DeleteFile below.
#undef DeleteFile

using String = std::wstring;
using AnsiString = std::string;

class TObject {
 public:
  virtual ~TObject() = default;
  // The C++ class name of the object as made ("TButton"), for code that
  // matches framework classes by name.
  String ClassName() const;
};

using TNotifyEvent = std::function<void(TObject* Sender)>;

// Owns a kernel handle (file, event, thread) and closes it once. Both null
// and INVALID_HANDLE_VALUE count as no handle.
class TOwnedHandle {
 public:
  TOwnedHandle() = default;
  explicit TOwnedHandle(HANDLE h) : FHandle(h) {}
  ~TOwnedHandle() { Reset(); }
  TOwnedHandle(TOwnedHandle&& other) noexcept : FHandle(other.Release()) {}
  TOwnedHandle& operator=(TOwnedHandle&& other) noexcept {
    if (this != &other) Reset(other.Release());
    return *this;
  }
  TOwnedHandle(const TOwnedHandle&) = delete;
  TOwnedHandle& operator=(const TOwnedHandle&) = delete;

  HANDLE get() const { return FHandle; }
  explicit operator bool() const { return FHandle != nullptr && FHandle != INVALID_HANDLE_VALUE; }
  HANDLE Release() {
    HANDLE h = FHandle;
    FHandle = nullptr;
    return h;
  }
  void Reset(HANDLE h = nullptr) {
    if (*this) CloseHandle(FHandle);
    FHandle = h;
  }

 private:
  HANDLE FHandle = nullptr;
};

// ---- Exceptions -----------------------------------------------------------

class Exception : public std::exception {
 public:
  explicit Exception(const String& message);
  String Message() const { return FMessage; }
  void SetMessage(const String& message);
  // The message in UTF-8, for code that only knows std::exception.
  const char* what() const noexcept override { return FWhat.c_str(); }

 private:
  String FMessage;
  std::string FWhat;
};

#define KELVRA_EXCEPTION(Name, Base) \
  class Name : public Base {         \
   public:                           \
    using Base::Base;                \
  }

KELVRA_EXCEPTION(EConvertError, Exception);
KELVRA_EXCEPTION(EStreamError, Exception);
KELVRA_EXCEPTION(EReadError, EStreamError);
KELVRA_EXCEPTION(EWriteError, EStreamError);
KELVRA_EXCEPTION(EFOpenError, EStreamError);
KELVRA_EXCEPTION(EFCreateError, EStreamError);
KELVRA_EXCEPTION(ERegistryException, Exception);
KELVRA_EXCEPTION(EOutOfResources, Exception);
KELVRA_EXCEPTION(EInvalidOperation, Exception);
KELVRA_EXCEPTION(EThread, Exception);

#undef KELVRA_EXCEPTION

// Raised by RaiseLastOSError; keeps the Windows error code.
class EOSError : public Exception {
 public:
  EOSError(const String& message, DWORD errorCode) : Exception(message), FErrorCode(errorCode) {}
  DWORD ErrorCode() const { return FErrorCode; }

 private:
  DWORD FErrorCode;
};

// ---- Numbers --------------------------------------------------------------

String IntToStr(int64_t value);
// Accepted: optional leading blanks, an optional sign, then decimal digits or
// "$", "x" or "0x" and hex digits; nothing may follow. Hex may use all 32 (64)
// bits, so "$FFFFFFFF" is -1.
bool TryStrToInt(const String& s, int& value);
bool TryStrToInt64(const String& s, int64_t& value);
int StrToInt(const String& s);        // raises EConvertError
int64_t StrToInt64(const String& s);  // raises EConvertError
int StrToIntDef(const String& s, int defaultValue);
int64_t StrToInt64Def(const String& s, int64_t defaultValue);
// Halves go to the even neighbour, as the classic run-time rounds.
int64_t Round(double value);

// ---- Text -----------------------------------------------------------------

// Strip every character up to and including the blank (control characters too).
String Trim(const String& s);
String TrimLeft(const String& s);
String TrimRight(const String& s);
// Only a-z / A-Z change; every other character stays as it is.
String UpperCase(const String& s);
String LowerCase(const String& s);
// Ordinal compare after ASCII upper-casing: < 0, 0 or > 0.
int CompareText(const String& a, const String& b);
bool SameText(const String& a, const String& b);

String AnsiToString(const AnsiString& s);  // through CP_ACP
AnsiString StringToAnsi(const String& s);  // through CP_ACP
AnsiString StringToUtf8(const String& s);

// ---- Files and paths ------------------------------------------------------

String ExtractFilePath(const String& fileName);  // keeps the trailing backslash
String ExtractFileName(const String& fileName);
String ExtractFileExt(const String& fileName);  // with the dot, or ""
String ChangeFileExt(const String& fileName, const String& extension);
String IncludeTrailingPathDelimiter(const String& path);
bool FileExists(const String& fileName);
bool DirectoryExists(const String& path);
// Creates the folder and every missing parent; true when it exists afterwards.
bool ForceDirectories(const String& path);
bool DeleteFile(const String& fileName);

// ---- Process --------------------------------------------------------------

// Splits a command line the classic way: blanks separate, double quotes group
// and are removed, backslashes are plain characters.
std::vector<String> SplitCommandLine(const String& commandLine);
int ParamCount();
String ParamStr(int index);  // 0 is the full path of the executable
String ExeFileName();

// ---- Dates ----------------------------------------------------------------

SYSTEMTIME LocalNow();
// The user's short-date and long-time formats.
String DateToStr(const SYSTEMTIME& t);
String TimeToStr(const SYSTEMTIME& t);
String DateToStr();  // today
String TimeToStr();  // now

// ---- Errors ---------------------------------------------------------------

String SysErrorMessage(DWORD errorCode);
[[noreturn]] void RaiseLastOSError();
[[noreturn]] void RaiseLastOSError(DWORD errorCode);
