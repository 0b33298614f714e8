#include "framework/Icon.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "framework/Graphics.h"
#include "framework/Streams.h"

namespace {

#pragma pack(push, 1)
struct TIconDirHeader {
  uint16_t Reserved;
  uint16_t Type;  // 1 icon, 2 cursor
  uint16_t Count;
};
struct TIconDirEntry {
  uint8_t Width;   // 0 means 256
  uint8_t Height;  // 0 means 256
  uint8_t ColorCount;
  uint8_t Reserved;
  uint16_t Planes;
  uint16_t BitCount;
  uint32_t BytesInRes;
  uint32_t ImageOffset;
};
#pragma pack(pop)

int EntrySize(uint8_t v) { return v == 0 ? 256 : v; }

}  // namespace

TIcon::~TIcon() {
  if (FHandle) DestroyIcon(FHandle);
}

void TIcon::SetHandle(HICON icon) {
  if (icon == FHandle) return;
  if (FHandle) DestroyIcon(FHandle);
  FHandle = icon;
  FWidth = FHeight = 0;
  if (!icon) return;
  ICONINFO info{};
  if (!GetIconInfo(icon, &info)) return;
  BITMAP bm{};
  if (info.hbmColor && GetObjectW(info.hbmColor, sizeof(bm), &bm)) {
    FWidth = bm.bmWidth;
    FHeight = bm.bmHeight;
  } else if (info.hbmMask && GetObjectW(info.hbmMask, sizeof(bm), &bm)) {
    // A monochrome icon keeps its AND and XOR masks one above the other.
    FWidth = bm.bmWidth;
    FHeight = bm.bmHeight / 2;
  }
  if (info.hbmColor) DeleteObject(info.hbmColor);
  if (info.hbmMask) DeleteObject(info.hbmMask);
}

HICON TIcon::ReleaseHandle() {
  HICON icon = FHandle;
  FHandle = nullptr;
  FWidth = FHeight = 0;
  return icon;
}

void TIcon::Draw(TCanvas& canvas, const RECT& rect) {
  if (!FHandle) return;
  DrawIconEx(canvas.Handle(), rect.left, rect.top, FHandle, rect.right - rect.left, rect.bottom - rect.top, 0, nullptr,
             DI_NORMAL);
}

void TIcon::LoadFromStream(TStream& stream) {
  const int64_t size = stream.Size() - stream.Position();
  if (size < static_cast<int64_t>(sizeof(TIconDirHeader)) || size > (int64_t{1} << 30))
    throw EInvalidGraphic(L"Not an icon: too short or too long");
  std::vector<uint8_t> data(static_cast<size_t>(size));
  stream.ReadBuffer(data.data(), size);
  TIconDirHeader header;
  std::memcpy(&header, data.data(), sizeof(header));
  if (header.Reserved != 0 || header.Type != 1 || header.Count == 0) throw EInvalidGraphic(L"Not an icon file");
  if (sizeof(header) + size_t{header.Count} * sizeof(TIconDirEntry) > data.size())
    throw EInvalidGraphic(L"Icon directory is cut short");
  const int wanted = GetSystemMetrics(SM_CXICON);
  int best = -1, bestDistance = 0, bestBits = 0;
  TIconDirEntry chosen{};
  for (int i = 0; i < header.Count; ++i) {
    TIconDirEntry e;
    std::memcpy(&e, data.data() + sizeof(header) + i * sizeof(TIconDirEntry), sizeof(e));
    // An image that does not lie wholly inside the file is skipped.
    if (e.BytesInRes == 0 || e.ImageOffset > data.size() || e.BytesInRes > data.size() - e.ImageOffset) continue;
    const int distance = std::abs(EntrySize(e.Width) - wanted);
    if (best < 0 || distance < bestDistance || (distance == bestDistance && e.BitCount > bestBits)) {
      best = i;
      bestDistance = distance;
      bestBits = e.BitCount;
      chosen = e;
    }
  }
  if (best < 0) throw EInvalidGraphic(L"Icon file holds no readable image");
  HICON icon = CreateIconFromResourceEx(data.data() + chosen.ImageOffset, chosen.BytesInRes, TRUE, 0x00030000,
                                        EntrySize(chosen.Width), EntrySize(chosen.Height), LR_DEFAULTCOLOR);
  if (!icon) throw EInvalidGraphic(L"Icon image cannot be read");
  SetHandle(icon);
}

void TIcon::LoadFromResourceName(HINSTANCE instance, const String& name) {
  auto icon = static_cast<HICON>(LoadImageW(instance, name.c_str(), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE));
  if (!icon) throw EResNotFound(L"Icon resource " + name + L" not found");
  SetHandle(icon);
}
