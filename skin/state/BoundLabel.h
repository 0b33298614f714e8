#pragma once
// TsBoundLabel: the caption label an edit-like skinned control publishes. It
// makes a TsEditLabel on demand, names it after the control, places it round
// the control by Layout and keeps it in step with the control's visibility,
// enabled state, font, reading order and density. The control owns the
// bound label, frees it in its own destructor and hands it its messages
// (HandleOwnerMessage) after its own handling, when its bounds are current.
#include "framework/Control.h"
#include "skin/state/EditLabel.h"

class TsCommonData;

// StateBits of the control's skin state: the label is flying out of the
// control's text hint; the control paints from its cache meanwhile.
constexpr uint32_t acsLabelAnimating = 0x80000;

enum class TsCaptionLayout {
  sclLeft,
  sclTopLeft,
  sclTopCenter,
  sclTopRight,
  sclLeftTop,
  sclBottomLeft,
  sclBottomCenter,
  sclBottomRight,
  sclRight,
  sclRightTop,
  sclLeftLeft,
  sclRightRight
};

class TsBoundLabel : public TPersistent {
 public:
  // Control may be nil: then no label is ever made.
  TsBoundLabel(TControl* Control, TsCommonData* SkinState);
  ~TsBoundLabel() override;
  TsBoundLabel(const TsBoundLabel&) = delete;
  TsBoundLabel& operator=(const TsBoundLabel&) = delete;

  bool Active() const { return FActive; }
  void SetActive(bool Value);
  const String& Caption() const { return FCaption; }
  void SetCaption(const String& Value);
  TsCaptionLayout Layout() const { return FLayout; }
  void SetLayout(TsCaptionLayout Value);
  int Indent() const { return FIndent; }
  void SetIndent(int Value);
  int Offset() const { return FOffset; }
  void SetOffset(int Value);
  int MaxWidth() const { return FMaxWidth; }
  void SetMaxWidth(int Value);
  bool UseHTML() const { return FUseHTML; }
  void SetUseHTML(bool Value);
  bool UseSkinColor() const { return FUseSkinColor; }
  void SetUseSkinColor(bool Value);
  bool ParentFont() const { return FParentFont; }
  void SetParentFont(bool Value);
  bool EnabledAlways() const { return FEnabledAlways; }
  void SetEnabledAlways(bool Value);
  bool AllowClick() const { return FAllowClick; }
  void SetAllowClick(bool Value) { FAllowClick = Value; }
  TFont& Font() { return FFont; }
  void SetFont(const TFont& Value);
  bool IsFontStored() const;

  TsEditLabel* LabelControl() const { return FLabelControl; }
  TControl* OwnerCtrl() const { return FOwnerCtrl; }
  TsCommonData* SkinState() const { return FSkinState; }
  int LabelPPI() const { return FLabelPPI; }
  // The label stays invisible (the hint animation shows it when it lands).
  bool KeepHidden = false;

  void ApplyAlignment();
  void ApplyFont();
  void UpdateLabelControl();
  void UpdateLayout();
  // The rectangle the caption needs at the label's size; empty without label.
  void MeasureCaption(RECT& R) const;
  void SetLabelPPI(int PPI);
  // The control's messages, after its own handling.
  void HandleOwnerMessage(TMessage& Message, TControl* Control);
  void ClickOwnerControl();
  // Takes a shown label away and repaints where it was.
  void HideAndRedraw();

 private:
  friend class TsEditLabel;
  void LabelGone(TsEditLabel* Label);
  void FontChanged();
  void CopyParentFont();
  bool ControlShown() const;
  bool LabelEnabled() const;
  // The density the control's skin data paints at.
  int SkinPPI() const;
  // A scale-mode change or a form rescaling is under way.
  bool ManagerRescaling() const;

  int FOffset = 0;
  int FIndent = 0;
  int FMaxWidth = 0;
  int FLabelPPI = 96;
  bool FUseHTML = false;
  bool FUseSkinColor = true;
  bool FParentFont = true;
  bool FAllowClick = false;
  bool FFontCopying = false;
  bool FEnabledAlways = false;
  TFont FFont;
  String FCaption;
  TsCaptionLayout FLayout = TsCaptionLayout::sclLeft;
  bool FActive = false;
  TsEditLabel* FLabelControl = nullptr;
  TControl* FOwnerCtrl;
  TsCommonData* FSkinState;
};

// The edit's text hint Text becomes the label: the label turns active,
// flying out of the hint when the effects provide the flight (they set the
// hook at start). Nothing for an empty text or a label already active.
void AnimateLabelFromHint(TsCommonData* SkinData, TsBoundLabel* Label, const String& Text);
using TacLabelFlightProc = void (*)(TsCommonData* SkinData, TsBoundLabel* Label, const String& Text);
extern TacLabelFlightProc LabelFlightHook;
