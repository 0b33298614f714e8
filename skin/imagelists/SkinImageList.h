#pragma once
// The base of the skin's image lists: images with a full alpha channel,
// rendered on demand at any size for any density. The system list's handle
// still holds the images as icons, so plain controls can use the lists too.
#include "framework/ImageList.h"

#include <functional>

class TBitmap;

class TacImageList : public TImageList {
 public:
  explicit TacImageList(TComponent* owner);
  ~TacImageList() override;

  // The density the next rendering is for.
  int RenderPPI() const { return FRenderPPI; }
  void SetRenderPPI(int ppi) { FRenderPPI = ppi; }
  // The colour glyphs are rendered in; clNone for their own.
  TColor GlyphColor() const { return FGlyphColor; }
  void SetGlyphColor(TColor color) { FGlyphColor = color; }
  // Rendered images are copied opaque instead of blended.
  bool OpaqueDraw() const { return FOpaqueDraw; }
  void SetOpaqueDraw(bool value) { FOpaqueDraw = value; }

  // Drops the rendering cache of image i, or of every image when i is out of
  // range.
  virtual void ClearCache(int i) = 0;
  virtual int GetCount() = 0;
  // A new 32-bit bitmap of width x height with image i; the caller owns it.
  virtual TBitmap* CreateBitmap32(int i, int width, int height) = 0;
  // Renders image i into the caller's bitmap at its size.
  virtual bool GetBitmap32(int i, TBitmap* bitmap) = 0;

  // What the drawing routines ask of every kind alike; the character list
  // answers from its items.
  // The size image i takes at ppi (the list's size scaled, unless a kind
  // says otherwise).
  virtual int ScaledWidth(int i, int ppi) const { return Width() * ppi / 96; }
  virtual int ScaledHeight(int i, int ppi) const { return Height() * ppi / 96; }
  // Whether the list renders for the density it is given.
  virtual bool FollowsDensity() const { return true; }
  // The colour the next rendering of image i takes from the drawing font;
  // single: one plain colour, no second colour.
  virtual void SetGlyphColorFor(TColor color, int i, bool single) { FGlyphColor = color; }
  // The state (frame) the next glyph is drawn in; 0 is normal.
  virtual void SetDrawState(int state) {}

  // Puts a 32-bit bitmap into the handle as an icon with its alpha: appended
  // when index < 0, else replacing that image. A bitmap of another size is
  // fitted into a square of the larger side first.
  void AddBitmap(TBitmap* bitmap, int index);

 protected:
  int FRenderPPI = 96;
  TColor FGlyphColor = clNone;
  bool FOpaqueDraw = false;
};

// Calls proc for every skin image list alive, oldest first (after a skin or
// density change every list renders again).
void ForEachSkinImageList(const std::function<void(TacImageList&, intptr_t)>& proc, intptr_t data);
