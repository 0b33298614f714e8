#pragma once
// The picture templates of the alpha hints: a nine-piece bubble picture per
// corner of the hinted point, with the sizes that cut it, the bands of
// shadow around it and the margins of the text inside it.
#include <memory>

#include "framework/Bitmap.h"
#include "framework/Collection.h"
#include "framework/Graphics.h"
#include "framework/Streams.h"

class TsAlphaHints;
class TacHintImage;
class TacHintTemplate;

enum class TacBorderDrawMode { dmRepeat, dmStretch };
enum TacHintAlign { haHorzCenter, haVertCenter };

// Four sizes of a picture; negative values read as 0.
class TacBordersSizes : public TPersistent {
 public:
  explicit TacBordersSizes(TacHintImage* AOwner) : FOwner(AOwner) {}
  void Assign(const TPersistent& Source) override;

  int Left() const { return FLeft < 0 ? 0 : FLeft; }
  int Top() const { return FTop < 0 ? 0 : FTop; }
  int Right() const { return FRight < 0 ? 0 : FRight; }
  int Bottom() const { return FBottom < 0 ? 0 : FBottom; }
  void SetLeft(int Value) { SetSide(FLeft, Value); }
  void SetTop(int Value) { SetSide(FTop, Value); }
  void SetRight(int Value) { SetSide(FRight, Value); }
  void SetBottom(int Value) { SetSide(FBottom, Value); }
  // All four in one call, in the order Left, Top, Right, Bottom.
  void SetSizes(int ALeft, int ATop, int ARight, int ABottom);
  RECT AsRect() const { return RECT{Left(), Top(), Right(), Bottom()}; }

 private:
  void SetSide(int& Side, int Value);
  TacHintImage* FOwner;
  int FLeft = 0, FTop = 0, FRight = 0, FBottom = 0;
};

class TacBorderDrawModes : public TPersistent {
 public:
  explicit TacBorderDrawModes(TacHintImage* AOwner) : FOwner(AOwner) {}
  void Assign(const TPersistent& Source) override;

  TacBorderDrawMode Left() const { return FLeft; }
  TacBorderDrawMode Top() const { return FTop; }
  TacBorderDrawMode Right() const { return FRight; }
  TacBorderDrawMode Bottom() const { return FBottom; }
  TacBorderDrawMode Center() const { return FCenter; }
  void SetLeft(TacBorderDrawMode Value) { SetMode(FLeft, Value); }
  void SetTop(TacBorderDrawMode Value) { SetMode(FTop, Value); }
  void SetRight(TacBorderDrawMode Value) { SetMode(FRight, Value); }
  void SetBottom(TacBorderDrawMode Value) { SetMode(FBottom, Value); }
  void SetCenter(TacBorderDrawMode Value) { SetMode(FCenter, Value); }

 private:
  void SetMode(TacBorderDrawMode& Mode, TacBorderDrawMode Value);
  TacHintImage* FOwner;
  TacBorderDrawMode FLeft = TacBorderDrawMode::dmStretch, FTop = TacBorderDrawMode::dmStretch,
                    FRight = TacBorderDrawMode::dmStretch, FBottom = TacBorderDrawMode::dmStretch,
                    FCenter = TacBorderDrawMode::dmStretch;
};

class TacHintImage : public TPersistent {
 public:
  explicit TacHintImage(TacHintTemplate* AOwner);
  ~TacHintImage() override;
  void Assign(const TPersistent& Source) override;

  int OffsetHorz() const { return FOffsetHorz; }
  void SetOffsetHorz(int Value);
  int OffsetVert() const { return FOffsetVert; }
  void SetOffsetVert(int Value);
  // 0 for an empty picture; there is nothing to set.
  int ImageWidth() const { return FImage->Empty() ? 0 : FImage->Width(); }
  int ImageHeight() const { return FImage->Empty() ? 0 : FImage->Height(); }

  // A 32-bit picture with straight (not premultiplied) alpha.
  TBitmap& Image() { return *FImage; }
  // Copies the picture and cuts it in half each way: BordersWidths and
  // ClientMargins become (size - 1) div 2.
  void SetImage(const TBitmap& Value);
  // The PNG bytes kept for a picture that is decoded only when first drawn.
  TMemoryStream& ImgData() { return FImgData; }
  // Decodes ImgData into an empty Image; false when nothing was there or
  // the bytes are no picture.
  bool DecodeImgData();
  // Image has pixels or ImgData has bytes.
  bool HasPicture();

  TacBorderDrawModes& BorderDrawModes() { return FBorderDrawModes; }
  TacBordersSizes& ClientMargins() { return FClientMargins; }
  TacBordersSizes& BordersWidths() { return FBordersWidths; }
  TacBordersSizes& ShadowSizes() { return FShadowSizes; }

  void Changed();

 private:
  TacHintTemplate* FOwner;
  int FOffsetHorz = 0, FOffsetVert = 0;
  std::unique_ptr<TBitmap> FImage;
  TMemoryStream FImgData;
  TacBorderDrawModes FBorderDrawModes{this};
  TacBordersSizes FClientMargins{this};
  TacBordersSizes FBordersWidths{this};
  TacBordersSizes FShadowSizes{this};
};

class TacHintTemplate : public TCollectionItem {
 public:
  // Without a collection for the default template.
  explicit TacHintTemplate(TCollection* ACollection);
  ~TacHintTemplate() override;
  void Assign(const TPersistent& Source) override;

  TacHintImage& ImageDefault() { return FImageDefault; }
  TacHintImage& Img_LeftBottom() { return FImgLeftBottom; }
  TacHintImage& Img_RightBottom() { return FImgRightBottom; }
  TacHintImage& Img_RightTop() { return FImgRightTop; }
  TFont& Font() { return FFont; }
  void SetFont(const TFont& Value);
  TacHintAlign HintAlign() const { return FHintAlign; }
  void SetHintAlign(TacHintAlign Value) { FHintAlign = Value; }
  const String& Name() const { return FName; }
  void SetName(const String& Value) { FName = Value; }

  // The component the template's collection belongs to, or nullptr.
  TsAlphaHints* Hints() const;
  void Changed();

 private:
  TacHintImage FImageDefault{this};
  TacHintImage FImgLeftBottom{this};
  TacHintImage FImgRightBottom{this};
  TacHintImage FImgRightTop{this};
  TFont FFont;
  TacHintAlign FHintAlign = haHorzCenter;
  String FName;
};

class TacHintTemplates : public TCollection {
 public:
  explicit TacHintTemplates(TsAlphaHints* AOwner);
  void Assign(const TPersistent& Source) override;
  TsAlphaHints* Owner() const { return FOwner; }
  TacHintTemplate* Add() { return static_cast<TacHintTemplate*>(TCollection::Add()); }
  TacHintTemplate* Items(int Index) const { return static_cast<TacHintTemplate*>(TCollection::Items(Index)); }

 private:
  TsAlphaHints* FOwner;
};

// Sets image's picture from the PNG of the module's RCDATA resource name;
// false (the picture left as it was) when it is missing or broken.
bool LoadHintImageResource(TacHintImage& image, const wchar_t* name);

// The template drawn when a component selects none: the picture of the
// RCDATA resource "ACHINT" with fixed sizes. Built on first use; an absent
// or broken resource leaves its picture empty (only the text is drawn).
TacHintTemplate& DefaultHintTemplate();
