#pragma once
// Sets of control kinds (the CtrlKind codes skinned controls give their skin
// state) that decide hot state, glow, state colours and frames.
#include <array>
#include <cstdint>
#include <initializer_list>

class TacKindSet {
 public:
  struct Range {
    uint8_t First, Last;
  };
  constexpr TacKindSet(std::initializer_list<Range> Ranges) : FBits{} {
    for (const Range& R : Ranges)
      for (int K = R.First; K <= R.Last; ++K) FBits[K / 64] |= uint64_t(1) << (K % 64);
  }
  constexpr bool Contains(int Kind) const {
    return Kind >= 0 && Kind < 256 && (FBits[Kind / 64] >> (Kind % 64) & 1) != 0;
  }

 private:
  std::array<uint64_t, 4> FBits;
};

// Never hot by hovering.
inline constexpr TacKindSet ckNoHotKinds{{19, 19}, {51, 74}, {110, 110}, {141, 161}};
// Hovering alone does not make them hot.
inline constexpr TacKindSet ckFocusHotKinds{{2, 18}, {76, 85}, {132, 140}, {231, 231}};
// Background answers never use the hot state; no glow on hover.
inline constexpr TacKindSet ckNoHotBgKinds{{51, 51},   {54, 54},   {56, 59},   {74, 74},   {110, 110},
                                           {141, 141}, {143, 143}, {151, 151}, {161, 161}, {226, 226}};
// The section's per-state colours are copied to the owner.
inline constexpr TacKindSet ckStateColorKinds{{2, 18}, {76, 84}, {132, 140}, {231, 231}};
// A refresh also recomputes the non-client frame.
inline constexpr TacKindSet ckFrameKinds{{7, 8}, {10, 10}, {14, 14}, {78, 78}, {83, 83}, {85, 85}, {231, 231}};
inline constexpr TacKindSet ckNoGlowKinds{{92, 94}};
// Carry mouse-light data.
inline constexpr TacKindSet ckLightKinds{{9, 9}, {13, 13}, {18, 18}, {20, 20}, {34, 34}, {92, 94}, {132, 140}};
// Kinds whose control names its default section when asked (AC_GETDEFINDEX).
inline constexpr TacKindSet ckAskedSectionKinds{{2, 10},    {12, 14},   {32, 34},   {50, 51},   {53, 54},   {57, 59},
                                                {74, 76},   {78, 78},   {81, 85},   {92, 94},   {132, 141}, {143, 143},
                                                {151, 152}, {161, 161}, {165, 165}, {224, 224}, {226, 227}};

// The default section of a control kind, by the number 1-19 the control
// answers to AC_GETDEFSECTION (entry 0 is number 1).
inline constexpr std::array<const wchar_t*, 19> DefaultSectionNames{
    L"EDIT",        L"BUTTON",   L"TRANSPARENT", L"TOOLBAR",  L"CHECKBOX",   L"COMBOBOX", L"GAUGE",
    L"SLIDER_ON",   L"GROUPBOX", L"PAGECONTROL", L"TABSHEET", L"PANEL",      L"FORM",     L"PANEL_LOW",
    L"SPEEDBUTTON", L"SPLITTER", L"STATUSBAR",   L"TRACKBAR", L"COMBONOEDIT"};
