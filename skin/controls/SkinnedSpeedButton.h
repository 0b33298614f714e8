#pragma once
// TsSpeedButton: the window-less tool button painted from its skin section.
// It keeps the framework button's click, group and down behaviour and adds
// an image per state from an image list, content and text alignment apart,
// tool-bar styles (check, drop-down with a menu, separator, divider) and the
// state fades of the skinned controls. Having no window, it paints into its
// parent's DC from the cache of its skin state, and learns of the mouse from
// the framework and from the skin manager's one hot speed button.
#include "framework/Menus.h"
#include "framework/PopupMenu.h"
#include "framework/SpeedButton.h"
#include "skin/controls/ButtonGlyph.h"
#include "skin/effects/AnimationAllowed.h"
#include "skin/graphics/PixelRoutines.h"
#include "skin/state/CtrlSkinData.h"

#include <memory>

class TCustomImageList;
class TChangeLink;

enum class TToolButtonStyle { tbsButton, tbsCheck, tbsDropDown, tbsSeparator, tbsDivider };
enum class TacSplitterStyle { dsBorder, dsLine };
// When the glyph painter draws the glyph grayed (with Grayed on).
enum class TacGrayedMode { gmInactive, gmAlways };
// How a disabled glyph looks: a set of dkBlended, dkGrayed.
using TsDisabledGlyphKind = uint8_t;
using TBmpPaintEvent = std::function<void(TObject* Sender, TBitmap* Bmp)>;

// The button whose drop-down menu is open: the skinned menu painter ends
// its hot look when the menu first paints. Nil while no menu is open.
class TsSpeedButton;
extern TsSpeedButton* DropDownSpeedButton;

// The widths and heights the layouts of one paint use, in pixels of the
// control's density.
struct TacSpeedButtonMetrics {
  int M = -1;  // margin, -1: centred
  int GW = 0;  // glyph width
  int GH = 0;  // glyph height
  int Sp = 0;  // between glyph and caption
  int TO = 0;  // text offset
  int SW = 0;  // separate drop-down part at the right
  int AW = 0;  // arrow inside the content
  int G = 0;   // gap before that arrow
  int TW = 0;  // caption width
  int TH = 0;  // caption height
};

class TsSpeedButton : public TSpeedButton, public TacGlyphButton {
 public:
  explicit TsSpeedButton(TComponent* AOwner);
  ~TsSpeedButton() override;

  TsCtrlSkinData* SkinData() const { return FSkinData.get(); }

  TacAnimatEvents AnimatEvents() const { return FAnimatEvents; }
  void SetAnimatEvents(TacAnimatEvents Value) { FAnimatEvents = Value; }
  TToolButtonStyle ButtonStyle() const { return FButtonStyle; }
  void SetButtonStyle(TToolButtonStyle Value);
  TPopupMenu* DropdownMenu() const { return FDropdownMenu; }
  void SetDropdownMenu(TPopupMenu* Value);
  TCustomImageList* Images() const { return FImages; }
  void SetImages(TCustomImageList* Value);
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int Value) { SetIndex(FImageIndex, Value); }
  int ImageIndexHot() const { return FImageIndexHot; }
  void SetImageIndexHot(int Value) { SetIndex(FImageIndexHot, Value); }
  int ImageIndexPressed() const { return FImageIndexPressed; }
  void SetImageIndexPressed(int Value) { SetIndex(FImageIndexPressed, Value); }
  int ImageIndexDisabled() const { return FImageIndexDisabled; }
  void SetImageIndexDisabled(int Value) { SetIndex(FImageIndexDisabled, Value); }
  int ImageIndexSelected() const { return FImageIndexSelected; }
  void SetImageIndexSelected(int Value) { SetIndex(FImageIndexSelected, Value); }
  int Blend() const { return FBlend; }
  // Limited to 0..100.
  void SetBlend(int Value);
  int TextOffset() const { return FTextOffset; }
  void SetTextOffset(int Value);
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);
  TAlignment TextAlignment() const { return FTextAlignment; }
  void SetTextAlignment(TAlignment Value);
  bool DrawOverBorder() const { return FDrawOverBorder; }
  void SetDrawOverBorder(bool Value) { SetFlag(FDrawOverBorder, Value); }
  bool Grayed() const { return FGrayed; }
  void SetGrayed(bool Value) { SetFlag(FGrayed, Value); }
  bool Reflected() const { return FReflected; }
  void SetReflected(bool Value) { SetFlag(FReflected, Value); }
  bool ShowCaption() const { return FShowCaption; }
  void SetShowCaption(bool Value) { SetFlag(FShowCaption, Value); }
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool Value) { SetFlag(FWordWrap, Value); }
  bool UseEllipsis() const { return FUseEllipsis; }
  void SetUseEllipsis(bool Value) { SetFlag(FUseEllipsis, Value); }
  TacGrayedMode GrayedMode() const { return FGrayedMode; }
  void SetGrayedMode(TacGrayedMode Value) { FGrayedMode = Value; }
  TColor GlyphColorTone() const { return FGlyphColorTone; }
  void SetGlyphColorTone(TColor Value);
  TsDisabledGlyphKind DisabledGlyphKind() const { return FDisabledGlyphKind; }
  void SetDisabledGlyphKind(TsDisabledGlyphKind Value);
  uint8_t DisabledKind() const { return FDisabledKind; }
  void SetDisabledKind(uint8_t Value);
  TacSplitterStyle SplitterStyle() const { return FSplitterStyle; }
  void SetSplitterStyle(TacSplitterStyle Value);

  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseLeave;
  // The cache bitmap after the content is drawn.
  TBmpPaintEvent OnPaint;

  // The menu is open (from the press that opens it until it returns).
  bool DropDownShown() const { return FDropDownShown; }
  bool MenuOpening() const { return FMenuOpening; }

  // Paint state: 2 pressed (down, held down or its menu open), 1 hot, 0.
  virtual int CurrentState();
  // The image for the state; -1 falls back to ImageIndex.
  virtual int CurrentImageIndex();
  virtual TCustomImageList* GetImages() { return FImages; }
  // Images is set and CurrentImageIndex is one of its images.
  bool HasImage();
  virtual int GlyphWidth(bool Nominal);
  virtual int GlyphHeight();
  // The content moves by (1, 1) while pressed.
  virtual bool ContentShifted();

  // The layout of the next paint.
  void UpdateMetrics();
  const TacSpeedButtonMetrics& Metrics() const { return FMetrics; }
  // Final: mirrored for right-to-left and moved while pressed.
  RECT CaptionRect(bool Final);
  RECT ArrowRect();
  // Whether the drop-down part is separate (OnClick and DropdownMenu).
  bool HasSplitPart() const;

  // Paints the whole button into SkinData()->CacheBmp; false while the
  // parent's background is not ready.
  virtual bool BuildCache();
  // Paints at once through the canvas instead of invalidating the parent.
  void RefreshButton();
  // Repaint of a changed appearance property.
  void RepaintButton();

  void Invalidate() override;
  void Click() override;
  // What the glyph painter draws for the button's state.
  void GetGlyphInputs(TacButtonGlyphInputs& Inputs) override;
  void GlyphChanged() override;
  void Loaded() override;

 protected:
  void Paint(TCanvas& Canvas) override;
  void WndProc(TMessage& Message) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

  virtual void DrawCaption();
  virtual void DrawGlyph();
  virtual void CopyToCanvas(HDC DC);
  virtual void DoMouseEnter();
  virtual void DoMouseLeave();
  virtual void PaintUnskinned(bool DrawFace);
  virtual void UpdateLight(TacPaintStateInfo& Light);
  // A downward arrow in R in State, with the splitter of a separate part.
  void DrawArrow(const RECT& R, int State);

  bool Skinned() const;
  // Stops a running state fade.
  void StopFade();
  HDC CanvasDC();

 private:
  void SetIndex(int& Field, int Value);
  void SetFlag(bool& Field, bool Value);
  void ImagesChanged();
  // Opens the drop-down menu under the button; returns when it closes.
  void DropDownPress();
  // The framework's own handling of a message, past the skinned stages.
  void FrameworkMessage(TMessage& Message) { TSpeedButton::WndProc(Message); }
  bool SkinnedMessage(TMessage& Message);
  void UnskinnedMessage(TMessage& Message);
  void AfterSkinnedMessage(TMessage& Message);
  // The background under the button, from the parent.
  bool QueryBackground(TacBackgroundInfo& Bg);
  void PaintFace(const TacBackgroundInfo& Bg, int S, int A);

  std::unique_ptr<TsCtrlSkinData> FSkinData;
  std::unique_ptr<TChangeLink> FImageChangeLink;
  TacSpeedButtonMetrics FMetrics;
  TacAnimatEvents FAnimatEvents = kDefaultAnimatEvents;
  TToolButtonStyle FButtonStyle = TToolButtonStyle::tbsButton;
  TPopupMenu* FDropdownMenu = nullptr;
  TCustomImageList* FImages = nullptr;
  int FImageIndex = -1, FImageIndexHot = -1, FImageIndexPressed = -1, FImageIndexDisabled = -1,
      FImageIndexSelected = -1;
  int FBlend = 0;
  int FTextOffset = 0;
  TAlignment FAlignment = TAlignment::taCenter;
  TAlignment FTextAlignment = TAlignment::taCenter;
  bool FDrawOverBorder = true;
  bool FGrayed = false;
  bool FReflected = false;
  bool FShowCaption = true;
  bool FWordWrap = true;
  bool FUseEllipsis = true;
  TacGrayedMode FGrayedMode = TacGrayedMode::gmInactive;
  TColor FGlyphColorTone = TColor(0x1FFFFFFF);
  TsDisabledGlyphKind FDisabledGlyphKind = 0;
  uint8_t FDisabledKind = dkBlended;
  TacSplitterStyle FSplitterStyle = TacSplitterStyle::dsBorder;

  bool FDropDownShown = false;
  bool FMenuOpening = false;
  bool FMenuWasShown = false;
  bool FHotWithoutSkin = false;
  bool FParentWithoutBg = false;
  bool FOutside = false;
  bool FLastDown = false;
  int FLastNumGlyphs = 1;
  int FLastSpacing = 4;
  TButtonLayout FLastLayout = TButtonLayout::blGlyphLeft;
  int FLastMargin = -1;
  bool FLastFlat = true;
  bool FPaintingCopy = false;
};

// Where the glyph painter puts the glyph of Button (size: the current glyph
// width by the glyph height). Final as for the caption, then lifted for the
// reflection.
RECT SpeedButtonGlyphRect(TsSpeedButton* Button, bool Final);
