#pragma once
// TsEditLabel: the caption a bound label shows beside its control. With
// UseHTML its caption goes through the HTML caption engine. It stays a
// framework label (the skinned label family sits in a library above this
// one), so fit to width and the skin colour are kept for the bound label
// but not applied here.
#include "framework/Label.h"

class TsBoundLabel;

class TsEditLabel : public TLabel {
 public:
  // Made by its bound label, with no owner: the bound label frees it.
  explicit TsEditLabel(TsBoundLabel* BoundLabel);
  // Tells the bound label, so it never keeps a label that is gone.
  ~TsEditLabel() override;

  TsBoundLabel* BoundLabel() const { return FBoundLabel; }

  // The label's own handling first, then the bound label's control when
  // clicks go there.
  void Click() override;
  void DblClick() override;

  bool UseHTML() const { return FUseHTML; }
  void SetUseHTML(bool Value) { FUseHTML = Value; }
  bool FitToWidth() const { return FFitToWidth; }
  void SetFitToWidth(bool Value) { FFitToWidth = Value; }
  bool UseSkinColor() const { return FUseSkinColor; }
  void SetUseSkinColor(bool Value) { FUseSkinColor = Value; }
  // Width the label never grows past; 0 = none.
  int MaxWidthConstraint() const { return FMaxWidth; }
  void SetMaxWidthConstraint(int Value);

  void SetBounds(int left, int top, int width, int height) override;
  // Auto-sizing: a word-wrapped label breaks its text at its present width,
  // then both kinds take the width and height the text needs.
  void AdjustSize();
  // DrawText flags of the caption: alignment, no prefix, expanded tabs,
  // word break or single line.
  UINT TextFlags() const { return DrawFlags(); }

 protected:
  void Paint(TCanvas& canvas) override;
  void DoDrawText(TCanvas& canvas, RECT& r, UINT flags) override;
  void TextChanged() override { AdjustSize(); }
  void FontChanged() override;

 private:
  TsBoundLabel* FBoundLabel;
  bool FUseHTML = false;
  bool FFitToWidth = false;
  bool FUseSkinColor = true;
  int FMaxWidth = 0;
};
