#pragma once
// Re-colouring: mixing, lightness, saturation, hue and tone, both on colour
// values (red in the low byte) and as per-pixel procedures for
// ForEachPixelExcept (pixels 0xAARRGGBB). The top byte is always kept.
// Also the engine's late-bound access to layered windows and DC layout.
#include <windows.h>

#include <cstdint>

#include "framework/Bitmap.h"

uint32_t MixColors(uint32_t Color1, uint32_t Color2, uint8_t Weight);
uint32_t ChangeColorLightness(uint32_t Color, int Amount);
uint32_t ApplyColorSaturation(uint32_t Color, int Amount);
uint32_t ApplyColorHue(int Hue, uint32_t Color);
// Pixel order in and out; Tone is a colour value.
uint32_t ApplyColorTone(uint32_t Pixel, uint32_t Tone);
uint32_t SwapRedBlueBytes(uint32_t Color);

// The formulas in pixel order.
uint32_t SaturatePixel(uint32_t Pixel, int Amount);
uint32_t HuePixel(uint32_t Pixel, int Amount);

void LightenPixelProc(uint32_t* Pixel, int Amount);
void SaturatePixelProc(uint32_t* Pixel, int Amount);
void HuePixelProc(uint32_t* Pixel, int Amount);
void TonePixelProc(uint32_t* Pixel, int Tone);

// The system functions bound by name when the graphics unit starts.
struct TGraphUtilsBindings {
  DWORD(WINAPI* SetLayout)(HDC, DWORD) = nullptr;
  DWORD(WINAPI* GetLayout)(HDC) = nullptr;
  BOOL(WINAPI* UpdateLayeredWindow)(HWND, HDC, POINT*, SIZE*, HDC, POINT*, COLORREF, BLENDFUNCTION*, DWORD) = nullptr;
  BOOL(WINAPI* SetLayeredWindowAttributes)(HWND, COLORREF, BYTE, DWORD) = nullptr;
};

// Start-up and shut-down of the unit, counted so only the outermost pair acts.
void InitGraphUtils();
void DoneGraphUtils();
const TGraphUtilsBindings& GraphUtilsBindings();

bool LayeredWindowsAvailable();
// Callers test LayeredWindowsAvailable first; failures are not reported.
void UpdateLayeredWindowFromBitmap(HWND Wnd, TBitmap& Bmp, const SIZE& Size, const BLENDFUNCTION& Blend,
                                   const POINT& Position);
void SetDCLayout(HDC DC, DWORD Layout);
DWORD GetDCLayout(HDC DC);
