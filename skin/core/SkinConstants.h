#pragma once
// Values many parts of the skin engine read: key and "none" colours,
// density tables, the captions of the engine's own dialogs (in the user's
// language, from the system's string tables), the default class-name
// table, the process's density awareness and the section-name arrays of
// composite controls. Set once at start-up on the GUI thread.
#include <array>
#include <cstdint>

#include "framework/System.h"

constexpr uint32_t clKeyColor = 0xFF00FF;   // see-through pixels of skin pictures
constexpr uint32_t clNoColor = 0x1FFFFFFF;  // the engine's "no colour"

constexpr int acSecondBaseMetric = 2;
constexpr std::array<int, 4> acScalePercents = {100, 125, 150, 200};
constexpr std::array<int, 4> acScalePPI = {96, 120, 144, 192};
extern const std::array<const wchar_t*, 4> acScaleSuffixes;  // "", "*125", "*150", "*200"
// By tab position top, bottom, left, right; appended to section names.
extern const std::array<const wchar_t*, 4> acTabPositionSuffixes;

struct TacCaptions {
  String OK, Cancel, Help, Restore, Move, Size, Minimize, Maximize, Close, Calculator, FileOpen, AvailableStyles,
      Internal, InvalidDate, AddToCustomColors, DefineColors, AdditionalColors, Color, Red, Green, Blue, Decimal, Hex,
      FrameAdapterError, Font, FontColor, Root, SelectDirectory, Create, SkinsDirectory, SelectSkin, SkinPreview;
};

// Filled by InitSkinConstants; empty before and after.
const TacCaptions& acCaptions();
// The scroll-arrow length, 16 unless something made it negative.
int acScrollArrowWidth();
void InitScrollArrowWidth();

// String Id of Library's table, plus Appended when not empty; Fallback
// when the library gives no text. A null library leaves Caption as it is.
void LoadSystemCaption(String& Caption, HMODULE Library, UINT Id, const String& Appended, const String& Fallback);

// The 23 default class-name lists, in the index order of the manager's
// class-name lists: a single blank everywhere but the buttons list.
extern const std::array<const wchar_t*, 23> acDefaultClassNames;

// Density awareness of the process, found at start-up.
bool DPIAwareSet();
bool PerMonitorAware();
void InitDensityAwareness();

// Unit start-up and shut-down, counted so only the outermost pair acts.
void InitSkinConstants();
void DoneSkinConstants();

// Section names of composite controls; four-side arrays run left, top,
// right, bottom; tabs run first, last, middle, single, each by side.
extern const std::array<const wchar_t*, 16> acTabSections;
extern const std::array<const wchar_t*, 4> acScrollButtonSections;
extern const std::array<const wchar_t*, 4> acScrollBarSections;
extern const std::array<const wchar_t*, 4> acUpDownSections;
extern const std::array<const wchar_t*, 2> acScrollSliderSections;
extern const std::array<const wchar_t*, 2> acRadioImages;
extern const std::array<const wchar_t*, 3> acCheckBoxImages;
extern const std::array<const wchar_t*, 3> acSmallCheckBoxImages;
