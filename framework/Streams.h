#pragma once
// Byte streams: memory, files and resources compiled into the executable.

#include "framework/System.h"

#include <cstdint>
#include <vector>

enum TSeekOrigin { soFromBeginning = 0, soFromCurrent = 1, soFromEnd = 2 };

class TStream : public TObject {
 public:
  // Read and Write move as many bytes as they can and return how many.
  virtual int64_t Read(void* buffer, int64_t count) = 0;
  virtual int64_t Write(const void* buffer, int64_t count) = 0;
  virtual int64_t Seek(int64_t offset, TSeekOrigin origin) = 0;  // returns the new position

  int64_t Position() { return Seek(0, soFromCurrent); }
  void SetPosition(int64_t value) { Seek(value, soFromBeginning); }
  virtual int64_t Size();
  virtual void SetSize(int64_t value);

  // All or nothing: EReadError / EWriteError when fewer bytes move.
  void ReadBuffer(void* buffer, int64_t count);
  void WriteBuffer(const void* buffer, int64_t count);
  // Copies count bytes from source's position; 0 copies all of source from its start.
  int64_t CopyFrom(TStream& source, int64_t count);
};

// A stream whose bytes lie in one block of memory.
class TCustomMemoryStream : public TStream {
 public:
  int64_t Read(void* buffer, int64_t count) override;
  int64_t Seek(int64_t offset, TSeekOrigin origin) override;
  int64_t Size() override { return FSize; }
  const void* Memory() const { return FMemory; }
  void SaveToStream(TStream& stream);
  void SaveToFile(const String& fileName);  // crash-safe, see AnsiText.h

 protected:
  void SetPointer(const void* memory, int64_t size);
  int64_t FPosition = 0;

 private:
  const void* FMemory = nullptr;
  int64_t FSize = 0;
};

class TMemoryStream : public TCustomMemoryStream {
 public:
  int64_t Write(const void* buffer, int64_t count) override;
  void SetSize(int64_t value) override;
  void* Memory() { return FData.data(); }
  const void* Memory() const { return FData.data(); }
  void Clear();
  void LoadFromStream(TStream& stream);  // the whole stream, from its start
  void LoadFromFile(const String& fileName);

 private:
  void Bind() { SetPointer(FData.data(), int64_t(FData.size())); }
  std::vector<uint8_t> FData;
};

enum : unsigned {
  fmOpenRead = 0x0000,
  fmOpenWrite = 0x0001,
  fmOpenReadWrite = 0x0002,
  fmShareExclusive = 0x0010,
  fmShareDenyWrite = 0x0020,
  fmShareDenyRead = 0x0030,
  fmShareDenyNone = 0x0040,
  fmCreate = 0xFF00,  // create or truncate, read and write
};

class TFileStream : public TStream {
 public:
  // Raises EFOpenError / EFCreateError with the file name.
  TFileStream(const String& fileName, unsigned mode);
  int64_t Read(void* buffer, int64_t count) override;
  int64_t Write(const void* buffer, int64_t count) override;
  int64_t Seek(int64_t offset, TSeekOrigin origin) override;
  void SetSize(int64_t value) override;
  const String& FileName() const { return FFileName; }
  HANDLE Handle() const { return FHandle.get(); }

 private:
  String FFileName;
  TOwnedHandle FHandle;
};

// A resource of the module, read-only. Raises EResNotFound when missing.
class EResNotFound : public Exception {
 public:
  using Exception::Exception;
};

class TResourceStream : public TCustomMemoryStream {
 public:
  TResourceStream(HINSTANCE instance, const String& name, LPCWSTR type);
  int64_t Write(const void* buffer, int64_t count) override;
};
