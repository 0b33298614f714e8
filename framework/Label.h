#pragma once
// Static text painted by its parent.
#include "framework/Control.h"

enum class TAlignment { taLeftJustify, taRightJustify, taCenter };

class TLabel : public TGraphicControl {
 public:
  explicit TLabel(TComponent* owner);

  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool v);
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool v) {
    FWordWrap = v;
    AdjustBounds();
    Invalidate();
  }
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment v) {
    FAlignment = v;
    Invalidate();
  }
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool v) {
    FTransparent = v;
    Invalidate();
  }

 protected:
  void Paint(TCanvas& canvas) override;
  void TextChanged() override { AdjustBounds(); }
  void FontChanged() override;
  void Loaded() override { AdjustBounds(); }
  UINT DrawFlags() const;
  void AdjustBounds();

 private:
  bool FAutoSize = true;
  bool FWordWrap = false;
  bool FTransparent = true;
  TAlignment FAlignment = TAlignment::taLeftJustify;
};
