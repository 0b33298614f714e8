#pragma once
// Static text painted by its parent.
#include "framework/Control.h"

enum class TAlignment { taLeftJustify, taRightJustify, taCenter };
enum class TTextLayout { tlTop, tlCenter, tlBottom };

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
  // Vertical place of the text in a label taller than its text.
  TTextLayout Layout() const { return FLayout; }
  void SetLayout(TTextLayout v);
  // With it an ampersand underlines the next character ("&&" draws one).
  bool ShowAccelChar() const { return FShowAccelChar; }
  void SetShowAccelChar(bool v);
  // The control the label names; forgotten when it is freed.
  TControl* FocusControl() const { return FFocusControl; }
  void SetFocusControl(TControl* v);

 protected:
  void Paint(TCanvas& canvas) override;
  // Draws the caption into r, or with DT_CALCRECT in flags measures it
  // (an empty caption measures as one space).
  virtual void DoDrawText(TCanvas& canvas, RECT& r, UINT flags);
  void Notification(TComponent* component, TOperation operation) override;
  void TextChanged() override { AdjustBounds(); }
  void FontChanged() override;
  void Loaded() override { AdjustBounds(); }
  UINT DrawFlags() const;
  void AdjustBounds();

 private:
  bool FAutoSize = true;
  bool FWordWrap = false;
  bool FTransparent = true;
  bool FShowAccelChar = false;
  TTextLayout FLayout = TTextLayout::tlTop;
  TControl* FFocusControl = nullptr;
  TAlignment FAlignment = TAlignment::taLeftJustify;
};
