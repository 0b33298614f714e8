#pragma once
// An image list whose images are single characters of icon fonts, rendered
// on demand at any size, colour and angle into 32-bit bitmaps with alpha.
// Its default face is the built-in icon font (IconFont.h); further fonts
// travel inside the list (EmbeddedFonts).
#include <memory>

#include "framework/Bitmap.h"
#include "framework/Collection.h"
#include "skin/imagelists/EmbeddedFonts.h"
#include "skin/imagelists/SkinImageList.h"

class TsCharImageList;

enum TFontPitch { fpDefault, fpVariable, fpFixed };
// Whether glyphs drawn in a state other than normal are cached too.
enum TacBlendingMode { bmInactive, bmAlways };

class TacCharListItem : public TCollectionItem {
 public:
  explicit TacCharListItem(TCollection* collection);
  ~TacCharListItem() override;

  void Assign(const TPersistent& source) override;
  TsCharImageList* List() const;

  int Angle() const { return FAngle; }
  void SetAngle(int value);
  TFontPitch Pitch() const { return FPitch; }
  void SetPitch(TFontPitch value);
  TFontStyles Style() const { return FStyle; }
  void SetStyle(TFontStyles value);
  double ScalingFactor() const { return FScalingFactor; }
  void SetScalingFactor(double value);
  bool DrawContour() const { return FDrawContour; }
  void SetDrawContour(bool value);
  const String& ImageName() const { return FImageName; }
  void SetImageName(const String& value) { FImageName = value; }
  // Kept for the user's own use; the drawing ignores them.
  int Orientation() const { return FOrientation; }
  void SetOrientation(int value) { FOrientation = value; }
  int AddedOffsetX() const { return FAddedOffsetX; }
  void SetAddedOffsetX(int value) { FAddedOffsetX = value; }
  int AddedOffsetY() const { return FAddedOffsetY; }
  void SetAddedOffsetY(int value) { FAddedOffsetY = value; }
  int OffsetY() const { return FOffsetY; }
  void SetOffsetY(int value);
  int AddedSize() const { return FAddedSize; }
  void SetAddedSize(int value);
  wchar_t Char() const { return FChar; }
  void SetChar(wchar_t value);
  wchar_t AddedChar() const { return FAddedChar; }
  void SetAddedChar(wchar_t value);
  const String& FontName() const { return FFontName; }
  void SetFontName(const String& value);
  const String& AddedFontName() const { return FAddedFontName; }
  void SetAddedFontName(const String& value);
  TColor Color() const { return FColor; }
  void SetColor(TColor value);
  TColor SecondColor() const { return FSecondColor; }
  void SetSecondColor(TColor value);
  TColor AddedColor() const { return FAddedColor; }
  void SetAddedColor(TColor value);
  BYTE Charset() const { return FCharset; }
  void SetCharset(BYTE value);
  BYTE AddedCharset() const { return FAddedCharset; }
  void SetAddedCharset(BYTE value);

  // Whether a form writer stores the property (defaults stay out).
  bool StoresFontName() const;
  bool StoresScalingFactor() const { return FScalingFactor != 1.0; }
  bool StoresAddedFontName() const { return FAddedChar != 0 && !FAddedFontName.empty(); }

  // round(design width x ScalingFactor); with Rotated and an angle, the
  // width of the turned box.
  int ItemWidth(bool rotated) const;
  // The item's image at the list's density, Height 0 meaning the list's
  // scaled height. Cached (Owned false, the list keeps it) when the list
  // blends always or draws the normal state, else a new bitmap (Owned).
  TBitmap* GetBitmap(int height, bool& owned);
  void FreeCache() { FRenderCache.reset(); }

 private:
  void Modified();
  template <typename T>
  void Store(T& field, const T& value) {
    if (field == value) return;
    field = value;
    Modified();
  }

  int FAngle = 0;
  TFontPitch FPitch = fpDefault;
  TFontStyles FStyle = 0;
  double FScalingFactor = 1.0;
  bool FDrawContour = false;
  String FImageName;
  int FOrientation = 0;
  int FOffsetY = 0;
  int FAddedOffsetX = 0;
  int FAddedOffsetY = 0;
  int FAddedSize = 50;
  wchar_t FChar = 0;
  wchar_t FAddedChar = 0;
  String FFontName;
  String FAddedFontName;
  TColor FColor = clNone;
  TColor FSecondColor = clNone;
  TColor FAddedColor = clNone;
  BYTE FCharset = DEFAULT_CHARSET;
  BYTE FAddedCharset = DEFAULT_CHARSET;

  std::unique_ptr<TBitmap> FRenderCache;
  int FCacheState = 0;
  int FCacheBlend = 255;
  TColor FCacheColor = clNone;
};

class TacCharListItems : public TCollection {
 public:
  explicit TacCharListItems(TsCharImageList* list);
  TsCharImageList* List() const { return FList; }
  TacCharListItem* Add() { return static_cast<TacCharListItem*>(TCollection::Add()); }
  TacCharListItem* Items(int index) const { return static_cast<TacCharListItem*>(TCollection::Items(index)); }
  void Assign(const TPersistent& source) override;

 protected:
  // Items came or went: the list's images follow.
  void Update(TCollectionItem* item) override;

 private:
  TsCharImageList* FList;
};

class TsCharImageList : public TacImageList {
 public:
  explicit TsCharImageList(TComponent* owner);
  ~TsCharImageList() override;

  TacEmbeddedFonts& EmbeddedFonts() { return FEmbeddedFonts; }
  void SetEmbeddedFonts(const TacEmbeddedFonts& value) { FEmbeddedFonts.Assign(value); }
  TacCharListItems& Items() { return FItems; }
  const TacCharListItems& Items() const { return FItems; }
  void SetItems(const TacCharListItems& value) { FItems.Assign(value); }
  uint8_t BlendValue() const { return FBlendValue; }
  void SetBlendValue(uint8_t value);
  TacBlendingMode BlendingMode() const { return FBlendingMode; }
  void SetBlendingMode(TacBlendingMode value);
  void SetBkColor(TColor value) override;
  void SetWidth(int value) override;
  void SetHeight(int value) override;
  // The sizes the list was designed at (96 pixels per inch).
  int DesignWidth() const { return FDesignWidth; }
  int DesignHeight() const { return FDesignHeight; }
  TColor GlyphColor2() const { return FGlyphColor2; }
  int DrawState() const { return FDrawState; }
  void SetFollowDensity(bool value) { FFollowDensity = value; }

  void ClearCache(int i) override;
  int GetCount() override { return FItems.Count(); }
  TBitmap* CreateBitmap32(int i, int width, int height) override;
  bool GetBitmap32(int i, TBitmap* bitmap) override;
  int ScaledWidth(int i, int ppi) const override;
  int ScaledHeight(int i, int ppi) const override;
  bool FollowsDensity() const override { return FFollowDensity; }
  void SetGlyphColorFor(TColor color, int i, bool single) override;
  void SetDrawState(int state) override { FDrawState = state; }

  // Fills the handle from the items; Color clNone takes the skin's text
  // colour while a skin is loaded.
  void GenerateCharList(TColor color);
  void Change() override;
  void Assign(const TPersistent& source) override;
  void Loaded() override;
  // After a skin or density change: a list that scales renders for ppi.
  void DensityChanged(int ppi);
  // After a skin's text colour changed: the images in that colour at ppi.
  void ColorChanged(TColor color, int ppi);

  // Renders item index black-on-white into the coverage of bitmap and
  // colours it: the glyph of cell height h, centred, moved down by offsetY.
  void RenderGlyph(TBitmap& bitmap, int index, int offsetY, int h);

 protected:
  void DoDraw(int index, TCanvas& canvas, int x, int y, UINT style, bool enabled) override;

 private:
  friend class TacCharListItem;
  bool Generating() const { return FInternalChange; }
  int GenerationPPI() const;

  TacEmbeddedFonts FEmbeddedFonts;
  TacCharListItems FItems;
  uint8_t FBlendValue = 255;
  TacBlendingMode FBlendingMode = bmInactive;
  TColor FGlyphColor2 = clNone;
  bool FFollowDensity = true;
  int FDrawState = 0;
  int FDesignWidth = 0;
  int FDesignHeight = 0;
  bool FLoadedOnce = false;
  bool FHandleFilled = false;
  bool FInternalChange = false;
};

// The line height of the face at 96 pixels as a share of 96: the scaling
// factor that makes its glyphs fill a cell.
double FontHeightFactor(BYTE charset, const String& name);
