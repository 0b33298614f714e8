#pragma once
// A push button that shows a picture instead of its caption. The picture
// may hold NumGlyphs images side by side (normal, disabled, pressed, down);
// Layout, Margin and Spacing place it beside the caption for descendants
// that draw both.
#include "framework/Button.h"
#include "framework/ButtonLayout.h"
#include "framework/Image.h"

class TBitBtn : public TButton {
 public:
  explicit TBitBtn(TComponent* owner) : TButton(owner) {}

  TPicture& Glyph() { return FGlyph; }
  // Call after changing the picture while the button has a window.
  void GlyphChanged();

  TButtonLayout Layout() const { return FLayout; }
  void SetLayout(TButtonLayout v);
  // Gap between the edge and the glyph; -1 centres glyph and caption.
  int Margin() const { return FMargin; }
  void SetMargin(int v);
  // Gap between glyph and caption; -1 spreads the free space evenly.
  int Spacing() const { return FSpacing; }
  void SetSpacing(int v);
  // Images in the picture, side by side; 1..4.
  int NumGlyphs() const { return FNumGlyphs; }
  void SetNumGlyphs(int v);

 protected:
  void CreateParams(TCreateParams& params) override;
  void InitializeWnd() override;
  // A layout value changed.
  virtual void LayoutChanged() { Invalidate(); }

 private:
  TPicture FGlyph;
  TButtonLayout FLayout = TButtonLayout::blGlyphLeft;
  int FMargin = -1;
  int FSpacing = 4;
  int FNumGlyphs = 1;
};
