#pragma once
// TsBitBtn: the bit button painted from its skin section like the skinned
// push button, its glyph (from Glyph or an image list) and caption placed
// by Layout, Alignment, Margin and Spacing. It may hold child controls,
// which move with the pressed look when the skin shifts content on click.
#include "framework/BitBtn.h"
#include "framework/Label.h"
#include "skin/controls/SkinnedButtonBase.h"

#include <functional>
#include <memory>

using TBmpPaintEvent = std::function<void(TObject* Sender, TBitmap* Bmp)>;

class TsBitBtn : public TacSkinnedButtonBase<TBitBtn> {
 public:
  explicit TsBitBtn(TComponent* Owner);

  bool AcceptsControls() const { return (FControlStyle & csAcceptsControls) != 0; }
  void SetAcceptsControls(bool v);
  bool DrawOverBorder() const { return FDrawOverBorder; }
  void SetDrawOverBorder(bool v) { SetAndRepaint(FDrawOverBorder, v); }
  bool ShowCaption() const { return FShowCaption; }
  void SetShowCaption(bool v) { SetAndRepaint(FShowCaption, v); }
  // The own flag, or the manager's discoloured glyphs while skinned.
  bool Grayed() const;
  void SetGrayed(bool v) { SetAndRepaint(FGrayed, v); }
  int Blend() const { return FBlend; }
  // Clamped to 0..100.
  void SetBlend(int v);
  int FocusMargin() const { return FFocusMargin; }
  void SetFocusMargin(int v) { SetAndRepaint(FFocusMargin, v); }
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int v) { SetAndRepaint(FImageIndex, v); }
  int TextOffset() const { return FTextOffset; }
  void SetTextOffset(int v) { SetAndRepaint(FTextOffset, v); }
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment v) { SetAndRepaint(FAlignment, v); }
  TAlignment TextAlignment() const { return FTextAlignment; }
  void SetTextAlignment(TAlignment v) { SetAndRepaint(FTextAlignment, v); }
  // 0 top, 1 bottom, 2 centre (the layout's values).
  uint8_t VerticalAlignment() const { return FVerticalAlignment; }
  void SetVerticalAlignment(uint8_t v) { SetAndRepaint(FVerticalAlignment, v); }
  uint8_t DisabledGlyphKind() const { return FDisabledGlyphKind; }
  void SetDisabledGlyphKind(uint8_t v) { SetAndRepaint(FDisabledGlyphKind, v); }
  TColor FocusedColor() const { return FFocusedColor; }
  void SetFocusedColor(TColor v) { SetAndRepaint(FFocusedColor, v); }
  TColor GlyphColorTone() const { return FGlyphColorTone; }
  void SetGlyphColorTone(TColor v) { SetAndRepaint(FGlyphColorTone, v); }

  TBmpPaintEvent OnPaint;

  virtual TColor GetGlyphColorTone() const { return FGlyphColorTone; }
  virtual int CurrentImageIndex() const { return FImageIndex; }
  int CurrentState() override;
  SIZE GlyphSize();
  SIZE CaptionSize();
  // Works out the glyph position and caption rectangle of the next paint.
  void LayoutContent();
  RECT BitBtnGlyphRect();
  RECT LastCaptionRect() const { return FCaptionRect; }
  // The children stand one pixel right and down for the pressed look.
  bool ChildrenShifted() const { return FChildrenShifted; }

  bool BuildCache() override;
  void PaintToDC(HDC DC) override;
  void GetGlyphInputs(TacButtonGlyphInputs& Inputs) override;

 protected:
  void Loaded() override;
  void LayoutChanged() override { Repaint_(); }
  bool SkinStage1(TMessage& Message) override;
  bool SkinnedMessage(TMessage& Message) override;
  void UnskinnedWndProc(TMessage& Message) override;

  void PaintCaption(int State);
  void PaintBorder(const TacBackgroundSource& Source, int State, bool Over);
  void PaintUnskinned(const DRAWITEMSTRUCT& Item);
  void ShiftChildren(bool Pressed);
  // The focused colour before the modal result's.
  bool OwnColoring(TacColoring& Coloring) override;

 private:
  // The Glyph picture as a 32-bit strip the glyph painter takes.
  TBitmap* GlyphBitmap();

  bool FDrawOverBorder = true;
  bool FShowCaption = true;
  bool FGrayed = false;
  int FBlend = 0;
  int FFocusMargin = 1;
  int FImageIndex = -1;
  int FTextOffset = 0;
  TAlignment FAlignment = TAlignment::taCenter;
  TAlignment FTextAlignment = TAlignment::taCenter;
  uint8_t FVerticalAlignment = 2;
  uint8_t FDisabledGlyphKind = 0;
  TColor FFocusedColor = TColor(0x1FFFFFFF);
  TColor FGlyphColorTone = TColor(0x1FFFFFFF);
  bool FChildrenShifted = false;
  POINT FGlyphPos{};
  RECT FCaptionRect{};
  int FLastSpacing = 4;
  std::unique_ptr<TBitmap> FGlyphBmp;
  HBITMAP FGlyphSource = nullptr;
};
