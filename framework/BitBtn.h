#pragma once
// A push button that shows a picture instead of its caption.
#include "framework/Button.h"
#include "framework/Image.h"

class TBitBtn : public TButton {
 public:
  explicit TBitBtn(TComponent* owner) : TButton(owner) {}

  TPicture& Glyph() { return FGlyph; }
  // Call after changing the picture while the button has a window.
  void GlyphChanged();

 protected:
  void CreateParams(TCreateParams& params) override;
  void InitializeWnd() override;

 private:
  TPicture FGlyph;
};
