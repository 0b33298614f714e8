#pragma once
// The hint windows of the alpha hints. The window itself stays an invisible
// layered window; its picture is shown on a carrier form with per-pixel
// alpha, which also lets one bubble glide and fade into the next.
#include <memory>

#include "framework/Bitmap.h"
#include "framework/HintWindow.h"
#include "skin/hints/HintPlacement.h"

class TacCustomHintWindow : public THintWindow {
 public:
  explicit TacCustomHintWindow(TComponent* AOwner);
  ~TacCustomHintWindow() override;

  RECT CalcHintRect(int maxWidth, const String& hint, void* data) override;
  void ActivateHint(RECT rect, const String& hint) override;
  // Builds Picture, the premultiplied bubble of Width x Height.
  virtual void PrepareAlphaBmp(int Width, int Height);
  virtual void ReleaseBitmaps();
  virtual bool IsTrackWindow() const { return false; }

  // The shadow bands of the picture for this window's corner.
  RECT GetHintShadowSizes() const;
  // The picture carries its own shape and shadow (no system drop shadow).
  bool HintUsesLayeredBody() const;
  // The text (or the hint frame) drawn into Bmp inside the bubble's margins.
  void PaintContent(TBitmap& Bmp);
  // HintText while the component is active, else the caption.
  String ShownText() const;
  // Skin mode: the shape mask of the bubble and, unless this is a track
  // window, the window region cut from it.
  void UpdateRegion();
  // Skin mode: BodyCopy := the section's body with the content, Width x
  // Height (a hint frame's children take it as their background meanwhile).
  void RenderBody(int Width, int Height);
  // Skin mode: the section's border widths (with its shadow offsets when
  // the section draws its shadow).
  RECT SkinBorderWidths() const;

  String HintText;
  std::unique_ptr<TBitmap> BodyCopy;
  std::unique_ptr<TBitmap> ShapeMask;
  std::unique_ptr<TBitmap> Picture;
  int SectionIndex = -1;
  bool SkinHasAlpha = false;
  TacHintCorner Corner = hcLeftTop;

 protected:
  void CreateParams(TCreateParams& params) override;
  void Paint(TCanvas& canvas) override {}
  void WndProc(TMessage& message) override;
  // The rectangle of the text measured with the current font, at (0, 0).
  RECT MeasureText(const String& hint);
  // Runs once, from the first of WM_DESTROY and the destructor.
  bool FBitmapsReleased = false;
  // The last hint window before this one was made.
  TacCustomHintWindow* FPreviousLast = nullptr;
};

class TacPngHintWindow : public TacCustomHintWindow {
 public:
  explicit TacPngHintWindow(TComponent* AOwner) : TacCustomHintWindow(AOwner) {}
  ~TacPngHintWindow() override;
  RECT CalcHintRect(int maxWidth, const String& hint, void* data) override;
  void PrepareAlphaBmp(int Width, int Height) override;
  void ReleaseBitmaps() override;
  // Takes the template's picture for Corner; false when it could not.
  bool SelectCornerImage();
  // The show point of the next bubble: the component's ShowPoint when set,
  // else its proposed position, else the cursor.
  POINT HintShowPoint() const;
};

// Renders a bubble off screen only: never the last hint window, never a region.
class TacTrackHintWindow : public TacPngHintWindow {
 public:
  explicit TacTrackHintWindow(TComponent* AOwner);
  bool IsTrackWindow() const override { return true; }
};
