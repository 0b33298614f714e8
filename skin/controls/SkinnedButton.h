#pragma once
// TsButton: the push button painted from its skin section ("BUTTON"). The
// window is owner-drawn; while skinned the button paints its whole face,
// caption and image into its cache and copies it, in the paint state it
// works out from the window's pushed state, the mouse, Down and Default.
// Unskinned it draws an ordinary button face itself. Click, Default/Cancel
// and ModalResult stay the framework button's.
#include "framework/Button.h"
#include "framework/ImageList.h"
#include "skin/controls/ButtonColoring.h"
#include "skin/controls/ButtonGlyph.h"
#include "skin/controls/ButtonMessages.h"
#include "skin/controls/SkinnedControl.h"
#include "skin/effects/AnimationAllowed.h"

#include <functional>

enum class TButtonStyle { bsPushButton, bsCommandLink, bsSplitButton };
enum class TImageAlignment { iaLeft, iaRight, iaTop, iaBottom, iaCenter };

// Space around a button's image; each change is told once through OnChange.
class TImageMargins {
 public:
  int Left() const { return FLeft; }
  int Top() const { return FTop; }
  int Right() const { return FRight; }
  int Bottom() const { return FBottom; }
  void SetLeft(int v) { Set(FLeft, v); }
  void SetTop(int v) { Set(FTop, v); }
  void SetRight(int v) { Set(FRight, v); }
  void SetBottom(int v) { Set(FBottom, v); }
  void Assign(const TImageMargins& Source);

  std::function<void()> OnChange;

 private:
  void Set(int& Field, int v);
  int FLeft = 0, FTop = 0, FRight = 0, FBottom = 0;
};

class TsButton : public TacSkinnedControl<TButton>, public TacGlyphButton, public TacButtonHost {
 public:
  explicit TsButton(TComponent* Owner);
  ~TsButton() override;

  TacAnimatEvents AnimatEvents() const { return FAnimatEvents; }
  void SetAnimatEvents(TacAnimatEvents v) { FAnimatEvents = v; }
  int FocusMargin() const { return FFocusMargin; }
  void SetFocusMargin(int v) { FFocusMargin = v; }
  bool Down() const { return FDown; }
  void SetDown(bool v) { SetAndRepaint(FDown, v); }
  bool ShowFocus() const { return FShowFocus; }
  void SetShowFocus(bool v) { SetAndRepaint(FShowFocus, v); }
  bool Reflected() const { return FReflected; }
  void SetReflected(bool v) { SetAndRepaint(FReflected, v); }
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool v) { SetAndRepaint(FWordWrap, v); }
  int ContentMargin() const { return FContentMargin; }
  void SetContentMargin(int v) { SetAndRepaint(FContentMargin, v); }
  TButtonStyle Style() const { return FStyle; }
  void SetStyle(TButtonStyle v) { SetAndRepaint(FStyle, v); }
  const String& CommandLinkHint() const { return FCommandLinkHint; }
  void SetCommandLinkHint(const String& v) { SetAndRepaint(FCommandLinkHint, v); }

  TCustomImageList* Images() const { return FImages; }
  void SetImages(TCustomImageList* v);
  TImageAlignment ImageAlignment() const { return FImageAlignment; }
  void SetImageAlignment(TImageAlignment v) { SetImageValue(FImageAlignment, v); }
  TImageMargins& ImageMargins() { return FImageMargins; }
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int v) { SetImageValue(FImageIndex, v); }
  int HotImageIndex() const { return FHotImageIndex; }
  void SetHotImageIndex(int v) { SetImageValue(FHotImageIndex, v); }
  int DisabledImageIndex() const { return FDisabledImageIndex; }
  void SetDisabledImageIndex(int v) { SetImageValue(FDisabledImageIndex, v); }
  int PressedImageIndex() const { return FPressedImageIndex; }
  void SetPressedImageIndex(int v) { SetImageValue(FPressedImageIndex, v); }
  int SelectedImageIndex() const { return FSelectedImageIndex; }
  void SetSelectedImageIndex(int v) { SetImageValue(FSelectedImageIndex, v); }

  // The button acts as the form's default now (the framework's default
  // style call).
  bool ActiveDefault() const { return FActiveDefault; }

  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseLeave;
  TacGetColoring OnGetColoring;

  // What the glyph painter and the animations ask.
  virtual TCustomImageList* GetImages() const { return FImages; }
  virtual int CurrentImageIndex();
  // 0 normal, 1 hot, 2 pressed, 3 default.
  virtual int CurrentState();
  // The section state painted for a paint state.
  int SectionState(int State);
  bool HasImage();
  SIZE ImageSize();
  int ImageSpacing();
  int SplitWidth();
  SIZE CaptionSize();
  RECT CaptionRect();
  RECT ButtonImageRect();
  TacColoring GetColoring();

  bool BuildCache() override;
  void PaintToDC(HDC DC) override;
  void GetGlyphInputs(TacButtonGlyphInputs& Inputs) override;
  void Click() override;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void SetButtonStyle(bool IsDefault) override;
  void Loaded() override;
  void Notification(TComponent* Component, TOperation Operation) override;
  bool SkinStage1(TMessage& Message) override;
  bool SkinnedMessage(TMessage& Message) override;
  void UnskinnedWndProc(TMessage& Message) override;

  // The caption (and a command link's hint) into Canvas (nil: the cache).
  virtual void PaintCaption(uint32_t TextColor, TCanvas* Canvas);
  void PaintUnskinned(const DRAWITEMSTRUCT& Item);
  // The skin state's paint-state callback: the mouse light.
  void UpdateLight(TacPaintStateInfo& Info);
  // Repaint through the skin state (cache rebuilt, window redrawn).
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
  template <class T>
  void SetImageValue(T& Field, const T& v) {
    if (Field == v) return;
    Field = v;
    if (FImages) Repaint_();
  }

  TacAnimatEvents FAnimatEvents = kDefaultAnimatEvents;
  int FFocusMargin = 1;
  bool FDown = false;
  bool FShowFocus = true;
  bool FReflected = false;
  bool FWordWrap = true;
  int FContentMargin = 6;
  TButtonStyle FStyle = TButtonStyle::bsPushButton;
  String FCommandLinkHint;
  TCustomImageList* FImages = nullptr;
  TImageAlignment FImageAlignment = TImageAlignment::iaLeft;
  TImageMargins FImageMargins;
  int FImageIndex = -1, FHotImageIndex = -1, FDisabledImageIndex = -1, FPressedImageIndex = -1,
      FSelectedImageIndex = -1;
  bool FActiveDefault = false;
};
