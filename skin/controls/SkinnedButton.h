#pragma once
// TsButton: the push button painted from its skin section ("BUTTON"). The
// window is owner-drawn; while skinned the button paints its whole face,
// caption and image into its cache and copies it, in the paint state it
// works out from the window's pushed state, the mouse, Down and Default.
// Unskinned it draws an ordinary button face itself. Click, Default/Cancel
// and ModalResult stay the framework button's.
#include "framework/Button.h"
#include "framework/PopupMenu.h"
#include "skin/controls/SkinnedButtonBase.h"

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

class TsButton : public TacSkinnedButtonBase<TButton> {
 public:
  explicit TsButton(TComponent* Owner);

  int FocusMargin() const { return FFocusMargin; }
  void SetFocusMargin(int v) { FFocusMargin = v; }
  int ContentMargin() const { return FContentMargin; }
  void SetContentMargin(int v) { SetAndRepaint(FContentMargin, v); }
  TButtonStyle Style() const { return FStyle; }
  void SetStyle(TButtonStyle v) { SetAndRepaint(FStyle, v); }
  const String& CommandLinkHint() const { return FCommandLinkHint; }
  void SetCommandLinkHint(const String& v) { SetAndRepaint(FCommandLinkHint, v); }
  // The font of a command link's hint while CustomCommandLinkFont; a change
  // to it repaints.
  TFont& CommandLinkFont() { return FCommandLinkFont; }
  void SetCommandLinkFont(const TFont& v) { FCommandLinkFont.Assign(v); }
  bool CustomCommandLinkFont() const { return FCustomCommandLinkFont; }
  void SetCustomCommandLinkFont(bool v) { SetAndRepaint(FCustomCommandLinkFont, v); }
  // Worth storing: it differs from a fresh font, colour included.
  bool CommandLinkFontStored() const;
  // A split button opens it from its drop-down part; cleared when the menu
  // is freed.
  TPopupMenu* DropDownMenu() const { return FDropDownMenu; }
  void SetDropDownMenu(TPopupMenu* v);
  // The drop-down menu is open.
  bool DropDownShown() const { return FDropDownShown; }

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

  virtual int CurrentImageIndex();
  int CurrentState() override;
  bool HasImage();
  SIZE ImageSize();
  int ImageSpacing();
  int SplitWidth();
  SIZE CaptionSize();
  RECT CaptionRect();
  RECT ButtonImageRect();

  bool BuildCache() override;
  void PaintToDC(HDC DC) override;
  void GetGlyphInputs(TacButtonGlyphInputs& Inputs) override;

 protected:
  void Loaded() override;
  void Notification(TComponent* Component, TOperation Operation) override;
  bool SkinStage1(TMessage& Message) override;
  bool SkinnedMessage(TMessage& Message) override;
  void UnskinnedWndProc(TMessage& Message) override;

  // The caption (and a command link's hint) into Canvas (nil: the cache).
  virtual void PaintCaption(uint32_t TextColor, TCanvas* Canvas);
  void PaintUnskinned(const DRAWITEMSTRUCT& Item);
  // X (client) lies on the drop-down part of a split button with a menu.
  bool OnDropDownPart(int X);
  // Shows DropDownMenu under the button and returns when it closes.
  void DropDown();
  // The skin state's paint-state callback: the mouse light.
  void UpdateLight(TacPaintStateInfo& Info);

 private:
  template <class T>
  void SetImageValue(T& Field, const T& v) {
    if (Field == v) return;
    Field = v;
    if (FImages) Repaint_();
  }

  int FFocusMargin = 1;
  int FContentMargin = 6;
  TButtonStyle FStyle = TButtonStyle::bsPushButton;
  String FCommandLinkHint;
  TFont FCommandLinkFont;
  bool FCustomCommandLinkFont = false;
  TPopupMenu* FDropDownMenu = nullptr;
  bool FDropDownShown = false;
  TImageAlignment FImageAlignment = TImageAlignment::iaLeft;
  TImageMargins FImageMargins;
  int FImageIndex = -1, FHotImageIndex = -1, FDisabledImageIndex = -1, FPressedImageIndex = -1,
      FSelectedImageIndex = -1;
};
