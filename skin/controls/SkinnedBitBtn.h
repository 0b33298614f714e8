#pragma once
// TsBitBtn: the bit button painted from its skin section like the skinned
// push button, its glyph (from Glyph or an image list) and caption placed
// by Layout, Alignment, Margin and Spacing. It may hold child controls,
// which move with the pressed look when the skin shifts content on click.
#include "framework/BitBtn.h"
#include "framework/ImageList.h"
#include "framework/Label.h"
#include "skin/controls/ButtonColoring.h"
#include "skin/controls/ButtonGlyph.h"
#include "skin/controls/ButtonMessages.h"
#include "skin/controls/SkinnedControl.h"
#include "skin/effects/AnimationAllowed.h"

#include <functional>
#include <memory>

using TBmpPaintEvent = std::function<void(TObject* Sender, TBitmap* Bmp)>;

class TsBitBtn : public TacSkinnedControl<TBitBtn>, public TacGlyphButton, public TacButtonHost {
 public:
  explicit TsBitBtn(TComponent* Owner);
  ~TsBitBtn() override;

  bool AcceptsControls() const { return (FControlStyle & csAcceptsControls) != 0; }
  void SetAcceptsControls(bool v);
  bool DrawOverBorder() const { return FDrawOverBorder; }
  void SetDrawOverBorder(bool v) { SetAndRepaint(FDrawOverBorder, v); }
  bool Reflected() const { return FReflected; }
  void SetReflected(bool v) { SetAndRepaint(FReflected, v); }
  bool ShowCaption() const { return FShowCaption; }
  void SetShowCaption(bool v) { SetAndRepaint(FShowCaption, v); }
  bool ShowFocus() const { return FShowFocus; }
  void SetShowFocus(bool v) { SetAndRepaint(FShowFocus, v); }
  bool Down() const { return FDown; }
  void SetDown(bool v) { SetAndRepaint(FDown, v); }
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
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool v) { SetAndRepaint(FWordWrap, v); }
  TacAnimatEvents AnimatEvents() const { return FAnimatEvents; }
  void SetAnimatEvents(TacAnimatEvents v) { FAnimatEvents = v; }
  uint8_t DisabledGlyphKind() const { return FDisabledGlyphKind; }
  void SetDisabledGlyphKind(uint8_t v) { SetAndRepaint(FDisabledGlyphKind, v); }
  TColor FocusedColor() const { return FFocusedColor; }
  void SetFocusedColor(TColor v) { SetAndRepaint(FFocusedColor, v); }
  TColor GlyphColorTone() const { return FGlyphColorTone; }
  void SetGlyphColorTone(TColor v) { SetAndRepaint(FGlyphColorTone, v); }
  TCustomImageList* Images() const { return FImages; }
  void SetImages(TCustomImageList* v);

  bool ActiveDefault() const { return FActiveDefault; }

  TBmpPaintEvent OnPaint;
  TacGetColoring OnGetColoring;
  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseLeave;

  virtual TColor GetGlyphColorTone() const { return FGlyphColorTone; }
  virtual TCustomImageList* GetImages() const { return FImages; }
  virtual int CurrentImageIndex() const { return FImageIndex; }
  // 0 normal, 1 hot, 2 pressed, 3 default.
  virtual int CurrentState();
  SIZE GlyphSize();
  SIZE CaptionSize();
  // Works out the glyph position and caption rectangle of the next paint.
  void LayoutContent();
  RECT BitBtnGlyphRect();
  RECT LastCaptionRect() const { return FCaptionRect; }
  TacColoring GetColoring();
  // The children stand one pixel right and down for the pressed look.
  bool ChildrenShifted() const { return FChildrenShifted; }

  bool BuildCache() override;
  void PaintToDC(HDC DC) override;
  void GetGlyphInputs(TacButtonGlyphInputs& Inputs) override;
  void Click() override;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void SetButtonStyle(bool IsDefault) override;
  void Loaded() override;
  void Notification(TComponent* Component, TOperation Operation) override;
  void LayoutChanged() override { Repaint_(); }
  bool SkinStage1(TMessage& Message) override;
  bool SkinnedMessage(TMessage& Message) override;
  void UnskinnedWndProc(TMessage& Message) override;

  void PaintCaption(int State);
  void PaintBorder(const TacBackgroundSource& Source, int State, bool Over);
  void PaintUnskinned(const DRAWITEMSTRUCT& Item);
  void ShiftChildren(bool Pressed);
  void Repaint_() { SkinData()->Invalidate(); }

  TWinControl& HostControl() override { return *this; }
  TsCtrlSkinData& HostData() override { return *SkinData(); }
  void HostInherited(TMessage& Message) override { Inherited::WndProc(Message); }
  void HostDefault(TMessage& Message) override { DefaultHandler(Message); }
  void HostPaint(HDC DC) override { PaintToDC(DC); }
  bool HostBuildCache() override { return BuildCache(); }
  void HostReapplyStyle() override { SetButtonStyle(ActiveDefault()); }
  void HostMouseEnter() override {
    if (OnMouseEnter) OnMouseEnter(this);
  }
  void HostMouseLeave() override {
    if (OnMouseLeave) OnMouseLeave(this);
  }
  bool ButtonDown() const override { return FDown; }
  TacAnimatEvents ButtonAnimatEvents() const override { return FAnimatEvents; }

 private:
  template <class T>
  void SetAndRepaint(T& Field, const T& v) {
    if (Field == v) return;
    Field = v;
    Repaint_();
  }
  // The Glyph picture as a 32-bit strip the glyph painter takes.
  TBitmap* GlyphBitmap();

  bool FDrawOverBorder = true;
  bool FReflected = false;
  bool FShowCaption = true;
  bool FShowFocus = true;
  bool FDown = false;
  bool FGrayed = false;
  int FBlend = 0;
  int FFocusMargin = 1;
  int FImageIndex = -1;
  int FTextOffset = 0;
  TAlignment FAlignment = TAlignment::taCenter;
  TAlignment FTextAlignment = TAlignment::taCenter;
  uint8_t FVerticalAlignment = 2;
  bool FWordWrap = true;
  TacAnimatEvents FAnimatEvents = kDefaultAnimatEvents;
  uint8_t FDisabledGlyphKind = 0;
  TColor FFocusedColor = TColor(0x1FFFFFFF);
  TColor FGlyphColorTone = TColor(0x1FFFFFFF);
  TCustomImageList* FImages = nullptr;
  bool FActiveDefault = false;
  bool FChildrenShifted = false;
  POINT FGlyphPos{};
  RECT FCaptionRect{};
  int FLastSpacing = 4;
  std::unique_ptr<TBitmap> FGlyphBmp;
  HBITMAP FGlyphSource = nullptr;
};
