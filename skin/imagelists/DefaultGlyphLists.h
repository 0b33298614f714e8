#pragma once
// The engine-wide glyph lists the edits and combo edits fall back on when the
// user gave them no image list of their own.
#include "framework/ImageList.h"

class TsCharImageList;
class TsAlphaImageList;

// Icon-font glyphs, 16 x 14, made on first use and kept until exit.
TsCharImageList* DefaultCharList();
// The five two-frame PNG strips of the module's resources, 32 x 16, made on
// first use and kept until exit.
TsAlphaImageList* DefaultPngList();
// The PNG list while the old glyphs are asked for
// (TacButtonsSupport::OldGlyphsMode), else the character list.
TCustomImageList* DefaultGlyphList();
