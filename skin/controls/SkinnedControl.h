#pragma once
// The scheme every skinned control shares. The control owns its skin state,
// sends every message through three stages (the skin commands every control
// answers alike; the skinned handling; the framework control's own when no
// skin paints it) and paints its whole window, frame included, from a cached
// 32-bit bitmap over its parent's background, in one BitBlt per paint.
//
// A skinned control derives from TacSkinnedControl<FrameworkBase, SkinState>
// and overrides what differs: DrawContent (its caption or text), PaintFace
// (the section under it), HasBorder, FrameWidth, and, for whole messages,
// SkinStage1 / SkinnedMessage / UnskinnedWndProc. Its constructor ends with
// AfterConstruction(), so that a control made in code is skinned at once.
#include "framework/WinControl.h"
#include "skin/core/SkinCommand.h"
#include "skin/graphics/PixelRoutines.h"
#include "skin/state/BoundLabel.h"
#include "skin/state/CtrlSkinData.h"
#include "skin/state/SkinStateMessages.h"

#include <functional>
#include <memory>
#include <type_traits>

// StateBits of the skin state this scheme uses.
constexpr uint32_t acsRecalcFrame = 0x40000;   // recalculate the frame before the next paint
constexpr uint32_t acsLabelFlying = 0x80000;   // the bound label flies out of the text hint
constexpr uint32_t acsNoLabelFlight = 0x1000;  // focus does not start the label flight

// Default section numbers (AC_GETDEFSECTION answers), DefaultSectionNames[n - 1].
constexpr int ssEdit = 1, ssButton = 2, ssTransparent = 3, ssToolBar = 4, ssCheckBox = 5, ssComboBox = 6, ssGauge = 7,
              ssSliderOn = 8, ssGroupBox = 9, ssPageControl = 10, ssTabSheet = 11, ssPanel = 12, ssForm = 13,
              ssPanelLow = 14, ssSpeedButton = 15, ssSplitter = 16, ssStatusBar = 17, ssTrackBar = 18,
              ssComboNoEdit = 19;
// The section name of a default section number; empty outside 1-19.
String DefaultSectionName(int Number);

// The frame recalculation every geometry change asks for: SWP_FRAMECHANGED
// without move, size, z-order or activation (0x737), with NoRedraw also
// SWP_NOREDRAW (0x73F). Nothing without a window.
void RecalcFrame(TWinControl& Control, bool NoRedraw = false);
// True while a form show, hide or skin-change animation captures windows:
// skinned controls then only validate and skip invalidation.
bool WindowAnimationRunning();

// The non-template steps of the scheme, for TacSkinnedControl and for
// controls that cannot derive from it.

// Stage 1: the skin commands. True: the message is finished.
struct TacStage1Info {
  int DefSection = ssEdit;
  // The edit passes AC_ISSKINNED on to the skin state instead of answering.
  bool AnswerIsSkinned = true;
  TsBoundLabel* BoundLabel = nullptr;
  std::function<bool()> BuildCache;
  // After AC_SKINREMOVED was handed on; default: RecalcFrame.
  std::function<void()> SkinRemoved;
  // After an accepted AC_SKINREFRESH was handed on; default: the whole
  // window redrawn (frame, erase, invalidate) when shown and no window
  // animation runs.
  std::function<void()> Refreshed;
};
bool HandleSkinnedStage1(TWinControl& Control, TsCommonData& Data, TMessage& Message, const TacStage1Info& Info);

// BuildCache's first steps: the parent's background under the control and
// the cache at the control's size. False (nothing done) while the parent's
// background is not ready.
bool PrepareSkinnedCache(TWinControl& Control, TsCommonData& Data, TacBackgroundInfo& Bg);
// The section over the whole cache in the control's state: with its border
// (PaintControlSkin) or the background only (FillControlBackground).
void PaintSkinnedFace(TWinControl& Control, TsCommonData& Data, const TacBackgroundInfo& Bg, bool WithBorder);
// BuildCache's last steps: the disabled look when disabled; BGChanged off.
void FinishSkinnedCache(TWinControl& Control, TsCommonData& Data, const TacBackgroundInfo& Bg, uint8_t DisabledKind);

// Whether the cache must be rebuilt before it is copied: BGChanged, the
// control lying partly outside its parent at the last paint, or the parent
// answering AC_GETCHILDBGFLAG. Stores the answer in BGChanged and whether
// the control now lies wholly inside its parent in OutsideParent.
bool SkinnedCacheStale(TWinControl& Control, TsCommonData& Data, bool& OutsideParent);
// WM_PAINT (DC = WParam, nil for a normal paint): the whole window from the
// cache, rebuilt first when stale; a failed rebuild sets Updating so that
// AC_UPDATEDONE makes the paint up.
void PaintSkinnedWindow(TWinControl& Control, TsCommonData& Data, HDC DC, bool& OutsideParent,
                        const std::function<bool()>& BuildCache);
// WM_NCPAINT: the frame strips of the cache (FrameWidth on each side) into
// the window DC.
void PaintSkinnedFrame(TWinControl& Control, TsCommonData& Data, const RECT& FrameWidth);
// WM_PRINT: the control into Message's DC, cache rebuilt when stale (or
// always with Rebuild), with its frame strips.
void PrintSkinnedControl(TWinControl& Control, TsCommonData& Data, TMessage& Message, const RECT& FrameWidth,
                         bool Rebuild, bool& OutsideParent, const std::function<bool()>& BuildCache);
// Stage 2's post-handling after the inherited window procedure.
void AfterSkinnedMessage(TWinControl& Control, TsCommonData& Data, const TMessage& Message);

template <class TBase, class TData = TsCtrlSkinData>
class TacSkinnedControl : public TBase {
  static_assert(std::is_base_of_v<TWinControl, TBase>, "a skinned control has a window");
  static_assert(std::is_base_of_v<TsCommonData, TData>, "the skin state is a TsCommonData");

 public:
  using Inherited = TBase;

  TacSkinnedControl(TComponent* Owner, uint8_t CtrlKind, int DefSection)
      : TBase(Owner), FSkinData(std::make_unique<TData>(this, true)), FDefSection(DefSection) {
    FSkinData->CtrlKind = CtrlKind;
  }
  ~TacSkinnedControl() override {
    TBase::Destroying_();
    FBoundLabel.reset();
    FSkinData.reset();
  }

  TData* SkinData() const { return FSkinData.get(); }
  TsBoundLabel* BoundLabel() const { return FBoundLabel.get(); }
  uint8_t DisabledKind() const { return FDisabledKind; }
  void SetDisabledKind(uint8_t Value) {
    if (FDisabledKind == Value) return;
    FDisabledKind = Value;
    FSkinData->Invalidate();
  }
  int DefSection() const { return FDefSection; }

  // Paints the whole control into the cache; false when the parent's
  // background is not ready yet.
  virtual bool BuildCache() {
    TacBackgroundInfo Bg;
    if (!PrepareSkinnedCache(*this, *FSkinData, Bg)) return false;
    PaintFace(Bg);
    DrawContent();
    FinishSkinnedCache(*this, *FSkinData, Bg, FDisabledKind);
    return true;
  }
  virtual void PaintToDC(HDC DC) {
    PaintSkinnedWindow(*this, *FSkinData, DC, FOutsideParent, [this] { return BuildCache(); });
  }
  virtual void PaintFrame(HDC) { PaintSkinnedFrame(*this, *FSkinData, FrameWidth()); }

 protected:
  // The control's section under its content.
  virtual void PaintFace(const TacBackgroundInfo& Bg) { PaintSkinnedFace(*this, *FSkinData, Bg, HasBorder()); }
  // Its caption, text or glyphs, into SkinData()->CacheBmp.
  virtual void DrawContent() {}
  virtual bool HasBorder() const { return true; }
  // The widths of the non-client frame on each side.
  virtual RECT FrameWidth() const { return RECT{}; }
  // With ApplyColors the control takes its section's colours.
  virtual bool ApplyColorsOnLoad() const { return true; }
  // The edit rebuilds its cache on every WM_PRINT.
  virtual bool RebuildOnPrint() const { return false; }

  // Call last in the most derived constructor.
  void AfterConstruction() {
    if (!this->Loading()) FSkinData->Loaded(ApplyColorsOnLoad());
  }
  void Loaded() override {
    TBase::Loaded();
    FSkinData->Loaded(ApplyColorsOnLoad());
    RecalcFrame(*this);
  }
  // A control made before its window asked for its default section with
  // nobody to answer: once the window exists it loads its skin state again,
  // section and colours, as a control made with its window did.
  void InitializeWnd() override {
    TBase::InitializeWnd();
    if (!this->Loading() && FSkinData->SkinIndex < 0) FSkinData->Loaded(ApplyColorsOnLoad());
  }
  void MakeBoundLabel() { FBoundLabel = std::make_unique<TsBoundLabel>(this, FSkinData.get()); }

  bool Skinned() const { return CanUpdateHere() && FSkinData->IsSkinned(); }

  void WndProc(TMessage& Message) override {
    if (SkinStage1(Message)) return;
    if (Skinned()) {
      if (SkinnedMessage(Message)) return;
      if (Message.Msg == CM_COLORCHANGED || Message.Msg == CM_CHANGED) FSkinData->BGChanged = true;
      if (StageHandles(Message)) return;
      TBase::WndProc(Message);
      AfterSkinnedMessage(*this, *FSkinData, Message);
    } else {
      UnskinnedWndProc(Message);
    }
    if (FBoundLabel) FBoundLabel->HandleOwnerMessage(Message, this);
  }

  // Stage 1; true ends the message.
  virtual bool SkinStage1(TMessage& Message) {
    if (Message.Msg == CM_ENABLEDCHANGED) {
      FSkinData->Invalidate();
      TBase::WndProc(Message);
      if (FBoundLabel) FBoundLabel->HandleOwnerMessage(Message, this);
      return true;
    }
    if (Message.Msg != WM_SKINCOMMAND) return false;
    TacStage1Info Info;
    Info.DefSection = FDefSection;
    Info.BoundLabel = FBoundLabel.get();
    Info.BuildCache = [this] { return BuildCache(); };
    return HandleSkinnedStage1(*this, *FSkinData, Message, Info);
  }
  // Stage 2's own messages (paint, erase, frame, print); true ends them.
  virtual bool SkinnedMessage(TMessage& Message) {
    switch (Message.Msg) {
      case WM_PAINT:
        PaintToDC(reinterpret_cast<HDC>(Message.WParam));
        return true;
      case WM_ERASEBKGND:
        Message.Result = 1;
        return true;
      case WM_NCPAINT:
        if (!WindowAnimationRunning() && !FSkinData->CheckUpdating(false)) PaintFrame(nullptr);
        return true;
      case WM_PRINT:
        PrintSkinnedControl(*this, *FSkinData, Message, FrameWidth(), RebuildOnPrint(), FOutsideParent,
                            [this] { return BuildCache(); });
        return true;
    }
    return false;
  }
  // Stage 3.
  virtual void UnskinnedWndProc(TMessage& Message) { TBase::WndProc(Message); }

  bool FOutsideParent = false;

 private:
  bool CanUpdateHere() const;
  bool StageHandles(TMessage& Message) {
    if constexpr (std::is_base_of_v<TsCtrlSkinData, TData>)
      return HandleCtrlSkinMessage(Message, FSkinData.get());
    else
      return false;
  }

  std::unique_ptr<TData> FSkinData;
  std::unique_ptr<TsBoundLabel> FBoundLabel;
  uint8_t FDisabledKind = dkBlended;
  int FDefSection;
};

bool CanUpdateSkinnedControl(TControl* Control);

template <class TBase, class TData>
bool TacSkinnedControl<TBase, TData>::CanUpdateHere() const {
  return CanUpdateSkinnedControl(const_cast<TacSkinnedControl*>(this));
}
