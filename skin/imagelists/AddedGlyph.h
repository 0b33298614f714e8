#pragma once
// The small extra glyph an edit shows inside its frame (TacAddedGlyph) and the
// glyph on a combo edit's button (TsGlyphMode): which image of which list,
// and how large it is at the control's density.
#include <memory>

#include "framework/Graphics.h"
#include "framework/ImageList.h"

class TWinControl;
class TsCommonData;

class TacAddedGlyph : public TPersistent {
 public:
  // Owner is the edit; SkinData its skin state, nullptr when it has none.
  TacAddedGlyph(TWinControl* Owner, TsCommonData* SkinData);
  ~TacAddedGlyph() override;
  TacAddedGlyph(const TacAddedGlyph&) = delete;
  TacAddedGlyph& operator=(const TacAddedGlyph&) = delete;

  TColor ColorTone() const { return FColorTone; }
  void SetColorTone(TColor Value);
  bool Grayed() const { return FGrayed; }
  void SetGrayed(bool Value);
  // nullptr again once the list is freed, even before the owner hears of it.
  TCustomImageList* Images() const { return FImageChangeLink->Sender(); }
  void SetImages(TCustomImageList* Value);
  int Blend() const { return FBlend; }
  void SetBlend(int Value) { SetIntProp(0, Value); }
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int Value) { SetIntProp(1, Value); }

  TWinControl* Owner() const { return FOwner; }
  TsCommonData* SkinData() const { return FSkinData; }

  // Repaints the owner; with Relayout its window also recomputes its frame,
  // where the glyph sits.
  void UpdateOwner(bool Relayout);
  int GlyphHeight();
  int GlyphWidth();
  // Square frames (normal, hot, ...) in one image of the list in use; 1 when
  // the image is no whole number of squares.
  int FrameCount();

 protected:
  // The indexed integer properties: 0 Blend, 1 ImageIndex.
  virtual void SetIntProp(int Index, int Value);
  // Images when ImageIndex is one of its images, else the default list.
  TCustomImageList* ListInUse();
  int PPI();

 private:
  TWinControl* FOwner;
  TsCommonData* FSkinData;
  // Registered with Images, which it names: a freed list unregisters it.
  std::unique_ptr<TChangeLink> FImageChangeLink;
  TColor FColorTone = clNone;
  bool FGrayed = false;
  int FBlend = 0;
  int FImageIndex = -1;
};

class TsGlyphMode : public TacAddedGlyph {
 public:
  TsGlyphMode(TWinControl* Owner, TsCommonData* SkinData);

  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool Value);
  const String& Hint() const { return FHint; }
  void SetHint(const String& Value) { FHint = Value; }
  int ImageIndexHot() const { return FImageIndexHot; }
  void SetImageIndexHot(int Value) { SetIntProp(10, Value); }
  int ImageIndexPressed() const { return FImageIndexPressed; }
  void SetImageIndexPressed(int Value) { SetIntProp(11, Value); }
  // A cursor identifier (crDefault 0), as controls keep theirs.
  int Cursor() const { return FCursor; }
  void SetCursor(int Value) { FCursor = Value; }

 protected:
  // 10 ImageIndexHot, 11 ImageIndexPressed; the rest are inherited.
  void SetIntProp(int Index, int Value) override;

 private:
  bool FEnabled = true;
  String FHint;
  int FImageIndexHot = -1;
  int FImageIndexPressed = -1;
  int FCursor = 0;
};

// Set by the combo edits: whether Owner is a combo edit whose button takes
// the glyph's width (it draws the default glyph or has a ButtonWidth of its
// own), and that ButtonWidth (0 meaning the system's). Until it is set every
// glyph is one frame of its image wide.
using TComboGlyphButtonWidth = bool (*)(TWinControl* Owner, int& ButtonWidth);
extern TComboGlyphButtonWidth ComboGlyphButtonWidth;
