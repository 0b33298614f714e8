#include "skin/controls/ButtonGlyph.h"

#include "framework/Control.h"
#include "skin/graphics/PixelRoutines.h"
#include "skin/imagelists/GlyphDrawing.h"
#include "skin/state/SkinBaseTypes.h"

void DrawButtonGlyph(TControl* Control, TBitmap* Bmp, uint32_t ToneColor) {
  auto* Button = dynamic_cast<TacGlyphButton*>(Control);
  if (!Button || !Bmp) return;
  TacButtonGlyphInputs In;
  Button->GetGlyphInputs(In);
  const bool UsesList = In.Images && In.ImageIndex >= 0 && In.ImageIndex < In.Images->Count();
  if (!UsesList && (!In.Glyph || In.Glyph->Empty())) return;
  TacGlyphDrawData Data;
  Data.Images = UsesList ? In.Images : nullptr;
  Data.ImageIndex = UsesList ? In.ImageIndex : -1;
  Data.Glyph = UsesList ? nullptr : In.Glyph;
  Data.NumGlyphs = In.NumGlyphs < 1 ? 1 : In.NumGlyphs;
  Data.CurrentState = In.State == 3 ? 1 : In.State;
  Data.Enabled = Control->Enabled();
  Data.Down = In.Down;
  Data.Grayed = In.Grayed || (!Data.Enabled && (In.DisabledGlyphKind & dkGrayed));
  Data.Reflected = In.Reflected;
  Data.Blend = In.Blend;
  if (In.DisabledGlyphKind & dkBlended) Data.Options |= gdoHalfDisabled;
  Data.ImgRect = In.GlyphRect;
  Data.DstBmp = Bmp;
  if (ToneColor != acColorUnset) {
    Data.ToneColor = TColor(ToneColor);
    Data.Options |= gdoToneFromSkin;
  }
  Data.PPI = In.PPI;
  DrawImageListGlyph(Data);
}
