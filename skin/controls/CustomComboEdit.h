#pragma once
// An edit with a button inside its frame: a drop-down arrow painted from the
// skin or a glyph of an image list. The button opens a pop-up control under
// (or above) the edit, or just raises OnButtonClick; in button mode the whole
// control acts as one button with the text on it. The base of the combo box
// and of the file-name edits, which give the pop-up, glyph and button mode.
#include "framework/Label.h"
#include "framework/ShortCut.h"
#include "framework/Timer.h"
#include "skin/controls/SkinnedMaskEdit.h"
#include "skin/effects/ComboEditFade.h"
#include "skin/imagelists/AddedGlyph.h"

#include <memory>

using TacComboEditBase = TacCustomMaskEdit;

class TacHintTimer;
class THintWindow;
struct TacPaintStateInfo;

class TsCustomComboEdit : public TacComboEditBase, public TacComboEditFadeTarget {
 public:
  explicit TsCustomComboEdit(TComponent* Owner);
  ~TsCustomComboEdit() override;

  // Empty: the skin's "COMBOBTN".
  const String& ButtonSkinSection() const { return FButtonSkinSection; }
  void SetButtonSkinSection(const String& Value);
  // Raised by every button click before the pop-up opens or closes.
  TNotifyEvent OnButtonClick;
  // Alt+Down unless changed.
  TShortCut ClickKey() const { return FClickKey; }
  void SetClickKey(TShortCut Value) { FClickKey = Value; }
  TsGlyphMode& GlyphMode() const { return *FGlyphMode; }
  // The arrow button's width at 96 pixels per inch; 0 = the system's
  // scroll-bar width.
  int ButtonWidth() const { return FButtonWidth; }
  void SetButtonWidth(int Value);
  virtual bool ShowButton() const { return FShowButton; }
  void SetShowButton(bool Value);
  bool ShowFocus() const { return FShowFocus; }
  void SetShowFocus(bool Value) { FShowFocus = Value; }
  // Whether the user may type; the text stays readable either way.
  bool DirectInput() const { return FDirectInput; }
  void SetDirectInput(bool Value);
  virtual bool ReadOnly() const { return FOwnReadOnly; }
  virtual void SetReadOnly(bool Value);
  bool ButtonMode() const override { return FButtonMode; }
  void SetButtonMode(bool Value);
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);
  // The image of the default glyph list the button shows when GlyphMode has
  // none; -1 draws the drop-down arrow.
  int DefaultGlyphIndex() const { return FDefaultGlyphIndex; }
  void SetDefaultGlyphIndex(int Value);

  // 0 normal, 1 hot, 2 pressed.
  int ButtonState() const { return FButtonState; }
  void SetButtonState(int Value);
  int ArrowAngle() const { return FArrowAngle; }

  // The control the button opens, given by descendants.
  TControl* PopupControl() const { return FPopupControl; }
  void SetPopupControl(TControl* Value) { FPopupControl = Value; }
  bool PopupActive() const { return FPopupActive; }
  void SetPopupActive(bool Value) { FPopupActive = Value; }
  int PopupWidth() const { return FPopupWidth; }
  void SetPopupWidth(int Value) { FPopupWidth = Value; }
  int PopupHeight() const { return FPopupHeight; }
  void SetPopupHeight(int Value) { FPopupHeight = Value; }
  // 0: right edges aligned, 1: left edges aligned.
  int PopupAlignment() const { return FPopupAlignment; }
  void SetPopupAlignment(int Value) { FPopupAlignment = Value; }

  // Geometry, in window coordinates.
  bool ComboButtonUsesDefaultGlyph() const;
  // GlyphMode names a valid image of its list.
  bool HasOwnGlyph() const;
  int FrameMargin() const;
  int ButtonGlyphWidth() const;
  int ButtonAreaWidth(bool Full) const;
  int ButtonGlyphHeight() const;
  RECT CalcButtonRect(bool Full = false);
  RECT GetTextRect() override;
  bool ButtonEnabled() const;
  bool MouseOverButton();
  int ButtonPaintState();
  // The control's paint state: pressed and hot of the whole control in button
  // mode or with a section of its own.
  int GetSkinState() override;

  // The button's hint while it shows.
  THintWindow* ButtonHintWindow() const { return FHintWnd.get(); }

  // The button, as a click on it: OnButtonClick, then the pop-up opened or closed.
  virtual void ButtonClick();
  virtual void DropDown();
  virtual void CloseUp();
  // The pop-up has gone (AC_POPUPCLOSED).
  virtual void PopupClosed();
  // Ctrl+A: the whole text selected where it can be edited.
  virtual void SelectAllText();

  void PaintToDC(HDC DC) override;
  void PaintFrame(HDC DC) override;

  // What the state fade presents: the whole window while the system edit
  // does not paint its client area, else the frame and the button.
  bool PaintsOwnFrame() const override;
  RECT FadeClientRect() const override;
  RECT FadeButtonRect() const override;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void Loaded() override;
  // The edit's text, with the focus rectangle of button mode.
  void DrawEditText() override;
  // The button into the cache, after the text.
  void PaintButton() override;
  bool SkinStage1(TMessage& Message) override;
  bool SkinnedMessage(TMessage& Message) override;
  void UnskinnedWndProc(TMessage& Message) override;
  void WndProc(TMessage& Message) override;
  bool DoKeyDown(WORD& Key, TShiftState Shift) override;
  bool DoKeyPress(wchar_t& Key) override;

  // Whether the next left press on the control is to be ignored (a click that
  // closed the pop-up).
  bool FIgnoreNextPress = false;
  // One step of the pop-up's show animation turns the arrow (Step of Count).
  void ArrowStep(int Step, int Count);
  void ResetArrowAngle() { FArrowAngle = 0; }

 private:
  friend class TacHintTimer;
  bool HandleMouse(TMessage& Message);
  void MouseEnter();
  void MouseLeave();
  void RepaintKind(int Kind);
  // The state fade puts its frames on screen itself while it runs.
  bool FadeRunning() const;
  // The skin state's paint-state event: the mouse light of button mode.
  void UpdateLight(TacPaintStateInfo& Info);
  void CopyCacheRect(const RECT& R);
  void UpdateReadOnly();
  void StartHintTimer();
  void FreeHintWnd();
  void ShowButtonHint();
  bool Designing() const { return false; }

  String FButtonSkinSection;
  TShortCut FClickKey = scAlt | VK_DOWN;
  std::unique_ptr<TsGlyphMode> FGlyphMode;
  int FButtonWidth = 0;
  bool FShowButton = true;
  bool FShowFocus = true;
  bool FDirectInput = true;
  bool FOwnReadOnly = false;
  bool FButtonMode = false;
  TAlignment FAlignment = TAlignment::taLeftJustify;
  int FDefaultGlyphIndex = 3;
  int FButtonState = 0;
  RECT FButtonRect{-1, 0, 0, 0};
  int FArrowAngle = 0;
  TControl* FPopupControl = nullptr;
  bool FPopupActive = false;
  int FPopupWidth = 230;
  int FPopupHeight = 166;
  int FPopupAlignment = 0;
  bool FMouseOverButton = false;
  std::unique_ptr<THintWindow> FHintWnd;
  std::unique_ptr<TacHintTimer> FHintTimer;
};
