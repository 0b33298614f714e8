#pragma once
// TBitmap: a GDI bitmap the way the skin engine and the controls use it. A
// device-independent section (or a device-dependent bitmap for pfDevice),
// bottom-up rows, an owned memory DC with the bitmap selected, an optional
// palette for the indexed formats, and the transparency settings the
// painters read.
#include <windows.h>

#include <cstdint>
#include <functional>

#include "framework/GdiHandles.h"
#include "framework/Graphic.h"
#include "framework/System.h"

class TCanvas;
class TStream;

enum TPixelFormat { pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit, pfCustom };
enum TBitmapHandleType { bmDIB, bmDDB };
enum TTransparentMode { tmAuto, tmFixed };
enum TProgressStage { psStarting, psRunning, psEnding };

// The compressed data of a picture could not be unpacked.
class EGraphicCompression : public Exception {
 public:
  using Exception::Exception;
};

using TProgressEvent = std::function<void(TObject* Sender, TProgressStage Stage, uint8_t PercentDone, bool RedrawNow,
                                          const RECT& R, const String& Msg)>;

class TBitmap : public TGraphic {
 public:
  TBitmap();
  TBitmap(const TBitmap&) = delete;
  TBitmap& operator=(const TBitmap&) = delete;
  ~TBitmap() override;

  // Final, so that pixel loops on a TBitmap call them directly.
  int Width() const final { return FWidth; }
  int Height() const final { return FHeight; }
  void SetWidth(int Value) { SetSize(Value, FHeight); }
  void SetHeight(int Value) { SetSize(FWidth, Value); }
  // Keeps the picture at the top-left corner; new pixels are zero.
  void SetSize(int NewWidth, int NewHeight);
  bool Empty() const final { return FWidth == 0 || FHeight == 0; }

  // StretchBlt onto the canvas; a transparent bitmap leaves its
  // transparent colour out.
  void Draw(TCanvas& Canvas, const RECT& Rect) override;

  TPixelFormat PixelFormat() const { return FPixelFormat; }
  // Converts the picture through GDI (32-bit targets get alpha 0).
  void SetPixelFormat(TPixelFormat Value);
  TBitmapHandleType HandleType() const { return FPixelFormat == pfDevice ? bmDDB : bmDIB; }
  // bmDIB turns a pfDevice bitmap into a section of the screen's depth.
  void SetHandleType(TBitmapHandleType Value);

  // Row Y counted from the top; rows are stored bottom-up, so the address
  // falls as Y grows. A device-dependent bitmap becomes a section first.
  void* ScanLine(int Y);
  // Bytes from one row to the next in memory, 0 when there is no section.
  int RowBytes() const;

  HBITMAP Handle() const { return FHandle.get(); }
  // Takes ownership of a bitmap handle; its format and size follow it.
  void SetHandle(HBITMAP Value);
  // Gives the handle to the caller; the bitmap is empty afterwards.
  HBITMAP ReleaseHandle();
  // A memory DC that always has this bitmap selected.
  HDC DC();

  // The palette of an indexed bitmap (owned). Setting one copies its
  // colours into the section's colour table.
  HPALETTE Palette() const { return FPalette.get(); }
  void SetPalette(HPALETTE Value);
  bool IgnorePalette() const { return FIgnorePalette; }
  void SetIgnorePalette(bool Value) { FIgnorePalette = Value; }

  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool Value) { FTransparent = Value; }
  TTransparentMode TransparentMode() const { return FTransparentMode; }
  void SetTransparentMode(TTransparentMode Value);
  // tmAuto: the colour of the bottom-left pixel; tmFixed: the colour set.
  uint32_t TransparentColor();
  // Setting a colour switches to tmFixed.
  void SetTransparentColor(uint32_t Value);

  // Format, palette, size, pixels and transparency of Source.
  virtual void Assign(const TBitmap& Source);
  // Frees the image; the bitmap becomes 0 x 0 of the same format.
  void FreeImage();

  // Windows BMP files: BITMAPFILEHEADER, BITMAPINFOHEADER (or a later
  // header), colour table, bits.
  void LoadFromStream(TStream& Stream) override;
  virtual void SaveToStream(TStream& Stream);
  void SaveToFile(const String& FileName);

  TProgressEvent OnProgress;

 protected:
  void Progress(TProgressStage Stage, uint8_t PercentDone, bool RedrawNow, const RECT& R, const String& Msg);

 private:
  void Recreate(TPixelFormat Format, int NewWidth, int NewHeight, bool KeepPicture);
  void DeselectFromDC();
  void SelectIntoDC();
  int BitsPerPixel(TPixelFormat Format) const;
  void FillColorTable(RGBQUAD* Table, int Count, TPixelFormat Format) const;

  TOwnedBitmap FHandle;
  void* FBits = nullptr;
  int FWidth = 0;
  int FHeight = 0;
  TPixelFormat FPixelFormat = pfDevice;
  TOwnedPalette FPalette;
  bool FIgnorePalette = false;
  bool FTransparent = false;
  TTransparentMode FTransparentMode = tmAuto;
  uint32_t FTransparentColor = 0x20000000;
  TMemoryDC FDC;  // made on first use; declared last, so it goes before the bitmap it holds
  HGDIOBJ FOldBitmap = nullptr;
};

int BitsPerPixelOf(TPixelFormat Format);
