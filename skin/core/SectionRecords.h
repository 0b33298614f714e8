#pragma once
// The two tables a loaded skin is held in, per density: one TsGeneralData
// per skin section and one TsMaskData per picture a section refers to,
// with the lookups by index and by name every painter uses.
#include <windows.h>

#include <array>
#include <cstdint>
#include <vector>

#include "framework/Bitmap.h"
#include "framework/System.h"
#include "skin/graphics/Gradients.h"

class TsSkinManager;

struct TsGenState {
  int GlowSize = 0;
  int ImagePercent = 0;
  int TextureIndex = -1;
  int Transparency = 0;
  int GradientPercent = 0;
  uint32_t Color = 0xFFFFFF;
  uint32_t GlowColor = 0xFFFFFF;
  uint32_t LightColor = 0xFFFFFFFF;  // -1 until the loader gives the skin's DEFLIGHT
  uint32_t BorderColor = 0xFF00FF;   // none
  uint32_t FontColor = 0;
  uint32_t ContourLeft = 0xFFFFFFFF, ContourTop = 0xFFFFFFFF, ContourRight = 0xFFFFFFFF,
           ContourBottom = 0xFFFFFFFF;  // -1: none
  TsGradArray GradientData;
};

// Normal, hot (mouse over or focused), and the third (pressed or selected) state.
using TsProps = std::array<TsGenState, 3>;

struct TsGeneralData {
  String ParentClass;
  String ClassName;
  TsProps Props;
  bool UseState2 = false;
  bool GiveOwnFont = false;
  bool ShiftClick = false;
  bool ReservedBoolean = false;
  int States = 3;
  int BorderKind = 0;  // 0 none, -1 one pixel, -2 wider
  int Glow = 0;
  int GlowMargin = 0;
  int Reserved1 = 0, Reserved2 = 0;
  int BorderWidth = 1;
  int BorderRadius = 0;
  int BorderIndex = -1;  // -2: border image switched off
  int ImgTopLeft = -1, ImgTopRight = -1, ImgBottomLeft = -1, ImgBottomRight = -1;
  int Reserved3 = 0, Reserved4 = 0;
  int OuterMode = 0;
  int OuterMask = -1;
  int OuterOpacity = 200;
  int OutOffsL = 0, OutOffsT = 0, OutOffsR = 0, OutOffsB = 0;
  int OutBlur = 9;
  int OutRadius = 9;
  uint32_t OutColL = 0, OutColT = 0, OutColR = 0, OutColB = 0;
};
using TsGeneralDataArray = std::vector<TsGeneralData>;

// DrawMode bits.
constexpr uint16_t dmStretch = 1;
constexpr uint16_t dmNothingInState0 = 2;
constexpr uint16_t dmPaintCentre = 4;
constexpr uint16_t dmNeverRescale = 8;
constexpr uint16_t dmOwnAlpha = 0x10;

struct TsMaskData {
  TBitmap* Bmp = nullptr;  // nil: the picture lies in the master bitmap
  String ClassName;
  String PropertyName;
  RECT SrcRect = {};
  int16_t ImageCount = 0;
  int16_t MaskType = 0;
  uint16_t DrawMode = 0;
  uint8_t ImgKind = 0;
  TsSkinManager* Manager = nullptr;
  int16_t WL = 0, WT = 0, WR = 0, WB = 0;
  int CornerMode = 0;
  int PPI = 96;
  int SrcPPI = 96;
  int SectionIndex = -1;
  int FrameWidth = 0;
  int FrameHeight = 0;
};
using TsMaskArray = std::vector<TsMaskData>;

// Lookups over one density's tables. Names match exactly (case-sensitive).
bool IsValidSectionIndex(const TsGeneralDataArray& Sections, int Index);
bool IsValidMaskIndex(const TsMaskArray& Masks, int Index);
int GetSectionIndex(const TsGeneralDataArray& Sections, const String& Name);
int GetMaskIndex(const TsMaskArray& Masks, const String& SectionName, const String& PropName);
// Up the PARENTCLASS chain when the section lacks the item; a chain that
// comes back on itself ends as missing.
int GetSectionMaskIndex(const TsGeneralDataArray& Sections, const TsMaskArray& Masks, int SectionIndex,
                        const String& PropName);
int GetTextureIndex(const TsGeneralDataArray& Sections, const TsMaskArray& Masks, int SectionIndex,
                    const String& SectionName, const String& PropName);

// Whether (X, Y) of a control painted with Mask at Width x Height falls on
// a see-through corner pixel of the picture.
bool IsTransparentMaskPoint(int X, int Y, const TsMaskData& Mask, int Width, int Height);
POINT MaskFrameSize(const TsMaskData& Mask);
