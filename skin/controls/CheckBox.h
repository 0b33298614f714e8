#pragma once
// TsCheckBox: the check box that paints its box, caption and focus frame
// itself into its cache, skinned or not. While a skin is active it also
// takes the mouse and the space key itself, so the system button never
// clicks; without a skin the system button clicks and only the painting
// stays ours. The check state and the click order are the framework's.
#include "framework/Button.h"
#include "framework/ImageList.h"
#include "skin/controls/SkinnedControl.h"
#include "skin/effects/AnimationAllowed.h"

#include <memory>

enum class TvaAlign { vaTop, vaMiddle, vaBottom };

class TsCheckBox : public TacSkinnedControl<TCheckBox> {
 public:
  explicit TsCheckBox(TComponent* Owner);
  ~TsCheckBox() override;

  // OnClick runs for every new state; OnValueChanged after it, and only
  // when Checked itself was assigned a different value.
  void SetChecked(bool Value) override;
  TNotifyEvent OnValueChanged;

  int Margin() const { return FMargin; }
  void SetMargin(int Value);
  int TextIndent() const { return FTextIndent; }
  void SetTextIndent(int Value);
  TvaAlign VerticalAlign() const { return FVerticalAlign; }
  void SetVerticalAlign(TvaAlign Value);
  // False while the control paints a copy of itself.
  bool ShowFocus() const { return FShowFocus && !(ControlState() & csPaintCopy); }
  void SetShowFocus(bool Value);
  // A read-only box ignores the user's clicks and keys; code still sets it.
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool Value) { FReadOnly = Value; }
  bool AnimCheckDrawing() const { return FAnimCheckDrawing; }
  void SetAnimCheckDrawing(bool Value) { FAnimCheckDrawing = Value; }
  TacAnimatEvents AnimatEvents() const { return FAnimatEvents; }
  void SetAnimatEvents(TacAnimatEvents Value) { FAnimatEvents = Value; }
  // Own box pictures, used before the skin's: one frame, or square frames
  // side by side (normal, hot, pressed).
  const TBitmap& GlyphChecked() const { return *FGlyphChecked; }
  void SetGlyphChecked(const TBitmap& Value);
  const TBitmap& GlyphUnChecked() const { return *FGlyphUnChecked; }
  void SetGlyphUnChecked(const TBitmap& Value);

  // Box pictures from an image list, before the own bitmaps: used while
  // ImgChecked and ImgUnchecked are both 0 or more.
  TCustomImageList* Images() const { return FImages; }
  void SetImages(TCustomImageList* Value);
  int ImgChecked() const { return FImageIndexes[0]; }
  void SetImgChecked(int Value) { SetImageIndex(0, Value); }
  int ImgUnchecked() const { return FImageIndexes[1]; }
  void SetImgUnchecked(int Value) { SetImageIndex(1, Value); }
  int ImgGrayed() const { return FImageIndexes[2]; }
  void SetImgGrayed(int Value) { SetImageIndex(2, Value); }

  // The state the box shows: unchecked while the check animation paints
  // its starting picture.
  TCheckBoxState DrawState() const;
  // 0 normal, 1 hot (mouse over or focused, not read-only), 2 pressed.
  int PaintState();
  // Width and height of the box at the control's density.
  SIZE GlyphSize();
  // The box in client coordinates; mirrored to the right edge when the
  // caption is at the left, unless Unmirrored.
  RECT GlyphRect(bool Unmirrored = false);
  // The box, grown to the circle effect's square unless Plain, on screen.
  RECT EffectRect(bool Plain);

  bool BuildCache() override;
  void PaintToDC(HDC DC) override;

 protected:
  void Loaded() override;
  void Notification(TComponent* Component, TOperation Operation) override;
  bool CanAutoSize(int& NewWidth, int& NewHeight) override;
  bool SkinStage1(TMessage& Message) override;
  bool SkinnedMessage(TMessage& Message) override;
  void UnskinnedWndProc(TMessage& Message) override;

 private:
  bool UsesImages() const { return FImages && FImageIndexes[0] >= 0 && FImageIndexes[1] >= 0; }
  void SetImageIndex(int Index, int Value);
  void DrawListGlyph(const RECT& Glyph);
  const TBitmap* CurrentGlyphBitmap() const;
  bool UsesOwnGlyph() const { return CurrentGlyphBitmap() != nullptr; }
  RECT BoxImageRect(int W, int H) const;
  void DrawCaption();
  void DrawGlyph();
  void DrawGlyphFrame(const TBitmap& Bmp, const RECT& Glyph);
  void WMPaint(HDC DC);
  void Changed_(TMessage& Message);
  void MouseDownSteps(TMessage& Message);
  void MouseUpSteps(TMessage& Message);
  void ToggleFromMouse();
  void StopFadeAfterResize();
  void UpdateCircle();
  void SetMouseInGlyph(bool Value);
  bool CursorInEffectRect();
  void SetFocusWithoutClick();
  void Invalidated(bool Adjust);

  int FMargin = 0;
  int FTextIndent = 4;
  TvaAlign FVerticalAlign = TvaAlign::vaMiddle;
  bool FShowFocus = true;
  bool FReadOnly = false;
  bool FAnimCheckDrawing = true;
  TacAnimatEvents FAnimatEvents = kDefaultAnimatEvents;
  TCustomImageList* FImages = nullptr;
  int FImageIndexes[3] = {0, 0, 0};
  std::unique_ptr<TChangeLink> FImageLink;
  std::unique_ptr<TBitmap> FGlyphChecked;
  std::unique_ptr<TBitmap> FGlyphUnChecked;
  bool FPressed = false;
  bool FDrawUnchecked = false;
  bool FMouseInGlyph = false;
};
