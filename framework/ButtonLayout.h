#pragma once
// Where a button's glyph sits against its caption; shared by the bit button
// and the speed button.
enum class TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
