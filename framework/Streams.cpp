#include "framework/Streams.h"

#include "framework/AnsiText.h"

#include <algorithm>
#include <cstring>

// ---- TStream ----------------------------------------------------------------

int64_t TStream::Size() {
  const int64_t position = Seek(0, soFromCurrent);
  const int64_t size = Seek(0, soFromEnd);
  Seek(position, soFromBeginning);
  return size;
}

void TStream::SetSize(int64_t) { throw EStreamError(L"This stream cannot change its size"); }

void TStream::ReadBuffer(void* buffer, int64_t count) {
  if (count > 0 && Read(buffer, count) != count) throw EReadError(L"Stream read error");
}

void TStream::WriteBuffer(const void* buffer, int64_t count) {
  if (count > 0 && Write(buffer, count) != count) throw EWriteError(L"Stream write error");
}

int64_t TStream::CopyFrom(TStream& source, int64_t count) {
  if (count == 0) {
    source.SetPosition(0);
    count = source.Size();
  }
  std::vector<uint8_t> buffer(size_t(std::min<int64_t>(count, 64 * 1024)) + 1);
  for (int64_t left = count; left > 0;) {
    const int64_t n = std::min<int64_t>(left, int64_t(buffer.size()));
    source.ReadBuffer(buffer.data(), n);
    WriteBuffer(buffer.data(), n);
    left -= n;
  }
  return count;
}

// ---- TCustomMemoryStream ----------------------------------------------------

void TCustomMemoryStream::SetPointer(const void* memory, int64_t size) {
  FMemory = memory;
  FSize = size;
}

int64_t TCustomMemoryStream::Read(void* buffer, int64_t count) {
  if (count <= 0 || FPosition >= FSize) return 0;
  const int64_t n = std::min(count, FSize - FPosition);
  std::memcpy(buffer, static_cast<const uint8_t*>(FMemory) + FPosition, size_t(n));
  FPosition += n;
  return n;
}

int64_t TCustomMemoryStream::Seek(int64_t offset, TSeekOrigin origin) {
  const int64_t base = origin == soFromBeginning ? 0 : origin == soFromCurrent ? FPosition : FSize;
  // Beyond the end is allowed (a write there fills the gap); before the start is not.
  FPosition = std::max<int64_t>(0, base + offset);
  return FPosition;
}

void TCustomMemoryStream::SaveToStream(TStream& stream) { stream.WriteBuffer(FMemory, FSize); }

void TCustomMemoryStream::SaveToFile(const String& fileName) {
  SaveFileBytesSafely(fileName, std::string(static_cast<const char*>(FMemory), size_t(FSize)));
}

// ---- TMemoryStream ----------------------------------------------------------

int64_t TMemoryStream::Write(const void* buffer, int64_t count) {
  if (count <= 0) return 0;
  const int64_t end = FPosition + count;
  if (end > int64_t(FData.size())) {
    if (end > int64_t(FData.capacity())) FData.reserve(size_t(std::max<int64_t>(end, int64_t(FData.capacity()) * 2)));
    FData.resize(size_t(end));
  }
  std::memcpy(FData.data() + FPosition, buffer, size_t(count));
  FPosition = end;
  Bind();
  return count;
}

void TMemoryStream::SetSize(int64_t value) {
  FData.resize(size_t(std::max<int64_t>(0, value)));
  Bind();
  if (FPosition > value) FPosition = value;
}

void TMemoryStream::Clear() {
  FData.clear();
  FData.shrink_to_fit();
  FPosition = 0;
  Bind();
}

void TMemoryStream::LoadFromStream(TStream& stream) {
  stream.SetPosition(0);
  const int64_t size = stream.Size();
  SetSize(size);
  if (size > 0) stream.ReadBuffer(FData.data(), size);
  FPosition = 0;
}

void TMemoryStream::LoadFromFile(const String& fileName) {
  TFileStream file(fileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(file);
}

// ---- TFileStream ------------------------------------------------------------

TFileStream::TFileStream(const String& fileName, unsigned mode) : FFileName(fileName) {
  const bool create = (mode & 0xFF00) == fmCreate;
  DWORD access;
  switch (create ? fmOpenReadWrite : mode & 0x3) {
    case fmOpenWrite:
      access = GENERIC_WRITE;
      break;
    case fmOpenReadWrite:
      access = GENERIC_READ | GENERIC_WRITE;
      break;
    default:
      access = GENERIC_READ;
      break;
  }
  DWORD share;
  switch (mode & 0xF0) {
    case fmShareExclusive:
      share = 0;
      break;
    case fmShareDenyWrite:
      share = FILE_SHARE_READ;
      break;
    case fmShareDenyRead:
      share = FILE_SHARE_WRITE;
      break;
    case fmShareDenyNone:
      share = FILE_SHARE_READ | FILE_SHARE_WRITE;
      break;
    default:
      share = create ? 0 : FILE_SHARE_READ | FILE_SHARE_WRITE;
      break;
  }
  FHandle.Reset(CreateFileW(fileName.c_str(), access, share, nullptr, create ? CREATE_ALWAYS : OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!FHandle) {
    const String reason = SysErrorMessage(GetLastError());
    if (create) throw EFCreateError(L"Cannot create file \"" + fileName + L"\". " + reason);
    throw EFOpenError(L"Cannot open file \"" + fileName + L"\". " + reason);
  }
}

int64_t TFileStream::Read(void* buffer, int64_t count) {
  int64_t done = 0;
  while (done < count) {
    DWORD got = 0;
    const DWORD want = DWORD(std::min<int64_t>(count - done, 1 << 30));
    if (!ReadFile(FHandle.get(), static_cast<uint8_t*>(buffer) + done, want, &got, nullptr) || got == 0) break;
    done += got;
  }
  return done;
}

int64_t TFileStream::Write(const void* buffer, int64_t count) {
  int64_t done = 0;
  while (done < count) {
    DWORD put = 0;
    const DWORD want = DWORD(std::min<int64_t>(count - done, 1 << 30));
    if (!WriteFile(FHandle.get(), static_cast<const uint8_t*>(buffer) + done, want, &put, nullptr) || put == 0) break;
    done += put;
  }
  return done;
}

int64_t TFileStream::Seek(int64_t offset, TSeekOrigin origin) {
  LARGE_INTEGER distance, position;
  distance.QuadPart = offset;
  const DWORD method = origin == soFromBeginning ? FILE_BEGIN : origin == soFromCurrent ? FILE_CURRENT : FILE_END;
  if (!SetFilePointerEx(FHandle.get(), distance, &position, method)) return -1;
  return position.QuadPart;
}

void TFileStream::SetSize(int64_t value) {
  const int64_t position = Position();
  SetPosition(value);
  if (!SetEndOfFile(FHandle.get())) throw EWriteError(L"Cannot set the size of \"" + FFileName + L"\"");
  if (position < value) SetPosition(position);
}

// ---- TResourceStream --------------------------------------------------------

TResourceStream::TResourceStream(HINSTANCE instance, const String& name, LPCWSTR type) {
  HRSRC info = FindResourceW(instance, name.c_str(), type);
  if (!info) throw EResNotFound(L"Resource " + name + L" not found");
  HGLOBAL data = LoadResource(instance, info);  // lives as long as the module
  if (!data) throw EResNotFound(L"Resource " + name + L" cannot be loaded");
  SetPointer(LockResource(data), SizeofResource(instance, info));
}

int64_t TResourceStream::Write(const void*, int64_t) { throw EStreamError(L"Cannot write to a resource stream"); }
