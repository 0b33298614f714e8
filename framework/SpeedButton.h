#pragma once
// A window-less push button for tool bars: it can stay down, alone or as one
// of a group of which at most one is down, and clicks when the mouse is
// released over it.
#include "framework/Control.h"
#include "framework/Bitmap.h"
#include "framework/ButtonLayout.h"
#include "framework/Label.h"

// bsExclusive: down and held down (Down), as against pressed by the mouse.
enum class TButtonState { bsUp, bsDisabled, bsDown, bsExclusive };

class TSpeedButton : public TGraphicControl {
 public:
  explicit TSpeedButton(TComponent* owner);

  // Buttons of one parent with the same non-zero GroupIndex release each
  // other: pressing one sends CM_BUTTONPRESSED (WParam the group, LParam the
  // button) to its siblings.
  int GroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(int v);
  bool Down() const { return FDown; }
  // Ignored without a group; going up is refused unless AllowAllUp.
  void SetDown(bool v);
  bool AllowAllUp() const { return FAllowAllUp; }
  // The whole group follows.
  void SetAllowAllUp(bool v);
  bool Flat() const { return FFlat; }
  void SetFlat(bool v);
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool v);

  // Its lower left pixel's colour is left out when the system look paints it.
  TBitmap& Glyph() { return FGlyph; }
  const TBitmap& Glyph() const { return FGlyph; }
  // Call after changing the picture.
  virtual void GlyphChanged() { Invalidate(); }
  // The glyph holds this many images side by side (up, disabled, down,
  // exclusive); 1 to 4.
  int NumGlyphs() const { return FNumGlyphs; }
  void SetNumGlyphs(int v);
  TButtonLayout Layout() const { return FLayout; }
  void SetLayout(TButtonLayout v);
  // Distance of the glyph from the edge; -1 centres glyph and caption.
  int Margin() const { return FMargin; }
  void SetMargin(int v);
  // Between glyph and caption.
  int Spacing() const { return FSpacing; }
  void SetSpacing(int v);

  // How the button looks now: pressed by the mouse (bsDown), held down
  // (bsExclusive), disabled or up.
  TButtonState State() const { return FState; }
  bool MouseInControl() const { return FMouseInControl; }

  void Click() override;

 protected:
  void Paint(TCanvas& canvas) override;
  void WndProc(TMessage& message) override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

  void SetState(TButtonState state) { FState = state; }
  void SetMouseInControl(bool v) { FMouseInControl = v; }
  // The picture of state in the glyph strip; empty without a glyph.
  RECT GlyphSourceRect(TButtonState state) const;
  // The glyph and caption places in Client by Layout, Margin and Spacing.
  void LayoutContent(HDC dc, const RECT& client, RECT& glyph, RECT& text) const;

  TButtonState FState = TButtonState::bsUp;
  // Pressed by the mouse, released on WM_LBUTTONUP.
  bool FDragging = false;

 private:
  void UpdateExclusive();

  int FGroupIndex = 0;
  bool FDown = false;
  bool FAllowAllUp = false;
  bool FFlat = false;
  bool FTransparent = true;
  TBitmap FGlyph;
  int FNumGlyphs = 1;
  TButtonLayout FLayout = TButtonLayout::blGlyphLeft;
  int FMargin = -1;
  int FSpacing = 4;
  bool FMouseInControl = false;
};
