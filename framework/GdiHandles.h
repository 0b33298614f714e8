#pragma once
// Owners of GDI objects and device contexts, the GDI siblings of
// TOwnedHandle: each frees its handle once, the way that kind is freed.
#include <windows.h>

// A pen, brush, font, bitmap, region or palette; DeleteObject frees it.
// It must not be selected into a DC when its owner goes.
template <typename THandle>
class TOwnedGdiObject {
 public:
  TOwnedGdiObject() = default;
  explicit TOwnedGdiObject(THandle h) : FHandle(h) {}
  ~TOwnedGdiObject() { Reset(); }
  TOwnedGdiObject(TOwnedGdiObject&& other) noexcept : FHandle(other.Release()) {}
  TOwnedGdiObject& operator=(TOwnedGdiObject&& other) noexcept {
    if (this != &other) Reset(other.Release());
    return *this;
  }
  TOwnedGdiObject(const TOwnedGdiObject&) = delete;
  TOwnedGdiObject& operator=(const TOwnedGdiObject&) = delete;

  THandle get() const { return FHandle; }
  explicit operator bool() const { return FHandle != nullptr; }
  THandle Release() {
    THandle h = FHandle;
    FHandle = nullptr;
    return h;
  }
  void Reset(THandle h = nullptr) {
    if (FHandle) DeleteObject(FHandle);
    FHandle = h;
  }

 private:
  THandle FHandle = nullptr;
};

using TOwnedBrush = TOwnedGdiObject<HBRUSH>;
using TOwnedPen = TOwnedGdiObject<HPEN>;
using TOwnedFont = TOwnedGdiObject<HFONT>;
using TOwnedBitmap = TOwnedGdiObject<HBITMAP>;
using TOwnedRegion = TOwnedGdiObject<HRGN>;
using TOwnedPalette = TOwnedGdiObject<HPALETTE>;

// A memory DC it makes itself with CreateCompatibleDC; DeleteDC frees it.
// It never takes a DC made elsewhere: it is made only by its two named
// makers, so a DC created at the call site cannot be handed in and leak.
class TMemoryDC {
 public:
  TMemoryDC() = default;  // holds none
  // A new DC compatible with the screen.
  static TMemoryDC ForScreen() { return CompatibleWith(nullptr); }
  // A new DC compatible with Like (the screen when null).
  static TMemoryDC CompatibleWith(HDC like) {
    TMemoryDC made;
    made.FDC = CreateCompatibleDC(like);
    return made;
  }
  ~TMemoryDC() { Reset(); }
  TMemoryDC(TMemoryDC&& other) noexcept : FDC(other.FDC) { other.FDC = nullptr; }
  TMemoryDC& operator=(TMemoryDC&& other) noexcept {
    if (this != &other) {
      Reset();
      FDC = other.FDC;
      other.FDC = nullptr;
    }
    return *this;
  }
  TMemoryDC(const TMemoryDC&) = delete;
  TMemoryDC& operator=(const TMemoryDC&) = delete;

  HDC get() const { return FDC; }
  explicit operator bool() const { return FDC != nullptr; }
  void Reset() {
    if (FDC) DeleteDC(FDC);
    FDC = nullptr;
  }

 private:
  HDC FDC = nullptr;
};

// A window's (or, for null, the screen's) DC borrowed with GetDC for a
// scope; ReleaseDC gives it back.
class TWindowDC {
 public:
  explicit TWindowDC(HWND wnd = nullptr) : FWnd(wnd), FDC(GetDC(wnd)) {}
  ~TWindowDC() {
    if (FDC) ReleaseDC(FWnd, FDC);
  }
  TWindowDC(const TWindowDC&) = delete;
  TWindowDC& operator=(const TWindowDC&) = delete;

  HDC get() const { return FDC; }

 private:
  HWND FWnd;
  HDC FDC;
};
