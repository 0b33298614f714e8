#pragma once
// What the skinned push and bit buttons share on top of the skinned control:
// the owner-drawn window, the image list they may draw from, the default
// look the framework tells them of, the switches that repaint them, the
// colouring of their face and their part of the skin's commands. Each
// button adds its own paint state, layout and painting.
#include "framework/ImageList.h"
#include "skin/controls/ButtonColoring.h"
#include "skin/controls/ButtonGlyph.h"
#include "skin/controls/ButtonMessages.h"
#include "skin/controls/SkinnedControl.h"
#include "skin/effects/AnimationAllowed.h"
#include "skin/painting/ParentBackground.h"

#include <algorithm>

class TCanvas;

// The section state a button paints for its paint State: the default look
// (3) is the hot one on a section of fewer than four states.
int ButtonSectionState(TsCommonData& Data, int State);
// The dotted focus frame R in the font colour of the section's pressed state.
void DrawButtonFocusFrame(TControl* Control, TsCommonData& Data, TCanvas& Canvas, const RECT& R);
// CN_MEASUREITEM: the item is as large as the button. True when Message was it.
bool MeasureButtonItem(TControl& Control, TMessage& Message);

template <class TBase>
class TacSkinnedButtonBase : public TacSkinnedControl<TBase>, public TacGlyphButton, public TacButtonHost {
  using TSkinned = TacSkinnedControl<TBase>;

 public:
  TacSkinnedButtonBase(TComponent* Owner, uint8_t CtrlKind) : TSkinned(Owner, CtrlKind, ssButton) {}
  ~TacSkinnedButtonBase() override {
    if (FImages) FImages->RemoveFreeNotification(this);
  }

  TacAnimatEvents AnimatEvents() const { return FAnimatEvents; }
  void SetAnimatEvents(TacAnimatEvents v) { FAnimatEvents = v; }
  bool Down() const { return FDown; }
  void SetDown(bool v) { SetAndRepaint(FDown, v); }
  bool ShowFocus() const { return FShowFocus; }
  void SetShowFocus(bool v) { SetAndRepaint(FShowFocus, v); }
  bool Reflected() const { return FReflected; }
  void SetReflected(bool v) { SetAndRepaint(FReflected, v); }
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool v) { SetAndRepaint(FWordWrap, v); }

  TCustomImageList* Images() const { return FImages; }
  void SetImages(TCustomImageList* v) {
    if (FImages == v) return;
    if (FImages) FImages->RemoveFreeNotification(this);
    FImages = v;
    if (FImages) FImages->FreeNotification(this);
    Repaint_();
  }

  // The button acts as the form's default now (the framework's default
  // style call).
  bool ActiveDefault() const { return FActiveDefault; }

  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseLeave;
  TacGetColoring OnGetColoring;

  // What the glyph painter and the animations ask.
  virtual TCustomImageList* GetImages() const { return FImages; }
  // 0 normal, 1 hot, 2 pressed, 3 default.
  virtual int CurrentState() = 0;
  // The section state painted for a paint state.
  int SectionState(int State) { return ButtonSectionState(*this->SkinData(), State); }
  TacColoring GetColoring() {
    const int State = CurrentState();
    TacColoring Coloring;
    if (!OwnColoring(Coloring))
      Coloring = ButtonColoring(this->ModalResult(), State, this->SkinData()->ColorTone,
                                this->SkinData()->GetSkinManager(), this->SkinData()->IsSkinned());
    if (OnGetColoring) OnGetColoring(this, State, Coloring);
    return Coloring;
  }

  void Click() override {
    StartButtonClickWave(*this->SkinData(), FAnimatEvents);
    TSkinned::Click();
  }

 protected:
  void CreateParams(TCreateParams& Params) override {
    TSkinned::CreateParams(Params);
    // Owner-drawn: the system draws neither a picture nor the face.
    Params.Style = (Params.Style & ~(BS_BITMAP | BS_TYPEMASK)) | BS_OWNERDRAW;
  }
  void SetButtonStyle(bool IsDefault) override {
    TSkinned::SetButtonStyle(IsDefault);
    if (FActiveDefault == IsDefault) return;
    FActiveDefault = IsDefault;
    if (this->HandleAllocated()) Repaint_();
  }
  void Notification(TComponent* Component, TOperation Operation) override {
    TSkinned::Notification(Component, Operation);
    if (Operation == TOperation::opRemove && Component == FImages) {
      FImages = nullptr;
      if (!this->Destroying()) Repaint_();
    }
  }
  // A colouring of the button's own before the modal result's; true when
  // it set one.
  virtual bool OwnColoring(TacColoring&) { return false; }

  // Stage 1 as both buttons take it. A skin refresh meant for the button
  // also drops a window region when RemoveRegion.
  bool ButtonStage1(TMessage& Message, bool RemoveRegion) {
    if (Message.Msg == WM_KILLFOCUS && this->Destroying()) return true;
    if (MeasureButtonItem(*this, Message)) return true;
    if (Message.Msg != WM_SKINCOMMAND) return TSkinned::SkinStage1(Message);
    if (SkinCommandCode(Message.WParam) == AC_GETGLOWDATA) {
      if (!Message.LParam) return false;
      *reinterpret_cast<TacColoring*>(Message.LParam) = GetColoring();
      Message.Result = 1;
      return true;
    }
    TacStage1Info Info;
    Info.DefSection = ssButton;
    Info.BuildCache = [this] { return this->BuildCache(); };
    Info.SkinRemoved = [this] {
      if (!this->Destroying()) Repaint_();
    };
    Info.Refreshed = [this, RemoveRegion] {
      if (const HWND Wnd = this->HandleIfAllocated(); Wnd && RemoveRegion) SetWindowRgn(Wnd, nullptr, FALSE);
      if (!(this->SkinData()->StateBits & acsPrinting)) Repaint_();
    };
    return HandleSkinnedStage1(*this, *this->SkinData(), Message, Info);
  }

  // The start of a cache build: false without a section, or (remembered
  // for the next update-done) while the parent's background is not ready.
  bool StartButtonCache(TacBackgroundInfo& Bg, TacBackgroundSource& Source) {
    TsCtrlSkinData& Data = *this->SkinData();
    if (Data.SkinIndex < 0) return false;
    if (!PrepareSkinnedCache(*this, Data, Bg)) {
      Data.Updating = true;
      return false;
    }
    BackgroundInfoToSource(Bg, Source);
    return true;
  }

  // Repaint through the skin state (cache rebuilt, window redrawn).
  void Repaint_() { this->SkinData()->Invalidate(); }
  template <class T>
  void SetAndRepaint(T& Field, const T& v) {
    if (Field == v) return;
    Field = v;
    Repaint_();
  }

  TWinControl& HostControl() override { return *this; }
  TsCtrlSkinData& HostData() override { return *this->SkinData(); }
  void HostInherited(TMessage& Message) override { TBase::WndProc(Message); }
  void HostDefault(TMessage& Message) override { this->DefaultHandler(Message); }
  void HostPaint(HDC DC) override { this->PaintToDC(DC); }
  bool HostBuildCache() override { return this->BuildCache(); }
  void HostReapplyStyle() override { SetButtonStyle(ActiveDefault()); }
  void HostMouseEnter() override {
    if (OnMouseEnter) OnMouseEnter(this);
  }
  void HostMouseLeave() override {
    if (OnMouseLeave) OnMouseLeave(this);
  }
  bool ButtonDown() const override { return FDown; }
  TacAnimatEvents ButtonAnimatEvents() const override { return FAnimatEvents; }

  TCustomImageList* FImages = nullptr;
  TacAnimatEvents FAnimatEvents = kDefaultAnimatEvents;
  bool FDown = false;
  bool FShowFocus = true;
  bool FReflected = false;
  bool FWordWrap = true;
  bool FActiveDefault = false;
};
