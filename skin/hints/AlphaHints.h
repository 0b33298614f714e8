#pragma once
// TsAlphaHints: while active, every hint of the application is shown as an
// alpha-blended bubble drawn from a picture template (or, with UseSkinData,
// from the loaded skin's SkinSection), through the hint window class it
// installs. At most one component is active at a time.
#include <functional>
#include <memory>

#include "framework/Bitmap.h"
#include "framework/Application.h"
#include "framework/Component.h"
#include "framework/Graphics.h"
#include "framework/HintWindow.h"
#include "framework/Label.h"
#include "skin/hints/HintPlacement.h"
#include "skin/hints/HintTemplates.h"

class TacCustomHintWindow;
class TacPngHintWindow;
class TacThreadedTimer;
class TsShowTimer;
class TForm;
class TControl;

using TacShowHintEvent = std::function<void(String& HintStr, bool& CanShow, THintInfo& HintInfo, TForm*& Frame)>;
using TacMeasureEvent = std::function<void(TObject* Sender, const String& HintStr, const THintInfo& HintInfo,
                                           int& NewWidth, int& NewHeight)>;
using TacPaintEvent = std::function<void(TObject* Sender, const String& HintStr, const THintInfo& HintInfo, RECT ARect,
                                         TBitmap& ABmp, bool& DefaultDraw)>;

// Components carrying this tag are left alone by the skin engine.
extern int acExclusionTag;

class TsAlphaHints : public TComponent {
 public:
  explicit TsAlphaHints(TComponent* AOwner);
  ~TsAlphaHints() override;
  void Assign(const TPersistent& Source) override;

  bool Active() const { return FActive; }
  void SetActive(bool Value);
  bool AutoAlignment() const { return FAutoAlignment; }
  void SetAutoAlignment(bool Value);
  bool Animated() const { return FAnimated; }
  void SetAnimated(bool Value) { FAnimated = Value; }
  int MaxWidth() const { return FMaxWidth; }
  void SetMaxWidth(int Value) { FMaxWidth = Value; }
  bool HandleDisabledCtrls() const { return FHandleDisabledCtrls; }
  void SetHandleDisabledCtrls(bool Value) { FHandleDisabledCtrls = Value; }
  TacHintTemplates& Templates() { return *FTemplates; }
  void SetTemplates(const TacHintTemplates& Value) { FTemplates->Assign(Value); }
  const String& TemplateName() const { return FTemplateName; }
  void SetTemplateName(const String& Value);
  TAlignment TextAlignment() const { return FTextAlignment; }
  void SetTextAlignment(TAlignment Value) { FTextAlignment = Value; }
  bool HTMLMode() const { return FHTMLMode; }
  void SetHTMLMode(bool Value) { FHTMLMode = Value; }
  int PauseHide() const { return FPauseHide; }
  void SetPauseHide(int Value);
  const String& SkinSection() const { return FSkinSection; }
  void SetSkinSection(const String& Value) { FSkinSection = Value; }
  bool UseSkinData() const { return FUseSkinData; }
  void SetUseSkinData(bool Value) { FUseSkinData = Value; }

  TacShowHintEvent OnShowHint;
  TNotifyEvent OnHideHint;
  TacMeasureEvent OnMeasure;
  TacPaintEvent OnPaint;
  // Fired when a template part changes outside loading.
  TNotifyEvent OnChange;

  // The application's hint event while this component is loaded.
  void AppShowHint(String& HintStr, bool& CanShow, THintInfo& HintInfo);
  // A hint at Point without the application's hint manager, hidden after
  // HidePause milliseconds.
  void ShowHintAt(POINT Point, const String& Text, int HidePause);
  void ReleaseHintWindow();
  void HideHint();
  void ClearHintFrame();
  void StopShowAnimation();
  bool IsSkinned() const;
  int GetSkinIndex();
  // One bubble drawn off screen; Bitmap gets the premultiplied picture.
  void RenderHintToBitmap(const String& Text, TFont* Font, RECT& ShadowRect, std::unique_ptr<TBitmap>& Bitmap);
  void UpdateHintWindowClass();
  void SelectTemplateImage();
  void AlignToControl();
  void Changed();

  int SelectedTemplate() const { return FSelectedTemplate; }
  POINT ShowPoint() const { return FShowPoint; }
  void SetShowPoint(POINT P) { FShowPoint = P; }
  TacHintCorner DefaultCorner() const { return FDefaultCorner; }

  // State the hint windows and timers share.
  POINT ProposedPos{-1, -1};
  TControl* HintedControl = nullptr;
  std::unique_ptr<TacThreadedTimer> CloseTimer;
  std::unique_ptr<TacThreadedTimer> CleanupTimer;
  std::unique_ptr<TBitmap> MeasureBmp;
  std::unique_ptr<TBitmap> PrevPicture;
  double FadeAlpha = 0.0;
  TFont* FontOverride = nullptr;
  bool Activating = false;
  std::unique_ptr<TsShowTimer> FadeTimer;
  bool SkinDrawsShadow = false;
  std::unique_ptr<TForm> NextCarrier;
  std::unique_ptr<TForm> Carrier;
  RECT TargetBounds{};
  TForm* ContentFrame = nullptr;
  TacPngHintWindow* OwnWindow = nullptr;
  HWND OwnWindowHandle = nullptr;
  bool ShowBusy = false;
  bool BubbleShown = false;
  THintInfo LastHintInfo;
  UINT SavedHintPause = 0;

 protected:
  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  bool Excluded() const { return Tag() == acExclusionTag; }
  bool FActive = true;
  bool FAutoAlignment = false;
  bool FAnimated = true;
  int FMaxWidth = 120;
  bool FHandleDisabledCtrls = false;
  std::unique_ptr<TacHintTemplates> FTemplates;
  String FTemplateName;
  TAlignment FTextAlignment = TAlignment::taCenter;
  bool FHTMLMode = false;
  int FPauseHide = 5000;
  String FSkinSection = L"HINT";
  bool FUseSkinData = false;
  TacHintCorner FDefaultCorner = hcLeftTop;
  int FSelectedTemplate = -1;
  POINT FShowPoint{};
  TShowHintEvent FSavedAppShowHint;
  bool FAppHooked = false;
};

// The component whose class is installed, or nullptr.
extern TsAlphaHints* ActiveHints;
extern TacHintTemplate* CurrentTemplate;
extern TacHintImage* CurrentHintImage;
// The last hint window made that is not a track window; cleared when it hides.
extern TacCustomHintWindow* LastHintWindow;

// Height of the hint font at the density of the hinted control (or the
// main form): its own height, else -12, at 96 pixels per inch.
void ScaleHintFont(TFont& Font, bool UseOwnHeight);
// The gap between a skin section's border and the text, on each side.
int HintContentGap();
