#include "skin/hints/AlphaHints.h"

#include "framework/Application.h"
#include "framework/Form.h"
#include "skin/core/SectionRecords.h"
#include "skin/forms/WindowQueries.h"
#include "skin/graphics/Bitmap32.h"
#include "skin/graphics/ColorAdjust.h"
#include "skin/hints/HintSkinBody.h"
#include "skin/hints/HintTimers.h"
#include "skin/hints/HintWindows.h"
#include "skin/manager/SkinManager.h"

int acExclusionTag = 256;
TsAlphaHints* ActiveHints = nullptr;
TacHintTemplate* CurrentTemplate = nullptr;
TacHintImage* CurrentHintImage = nullptr;
TacCustomHintWindow* LastHintWindow = nullptr;

TsAlphaHints::TsAlphaHints(TComponent* AOwner)
    : TComponent(AOwner), MeasureBmp(NewBitmap32(0, 0)), FTemplates(std::make_unique<TacHintTemplates>(this)) {}

TsAlphaHints::~TsAlphaHints() {
  Destroying_();
  if (FAppHooked && Application) Application->OnShowHint = FSavedAppShowHint;
  HintWindowClass = &MakeHintWindow<THintWindow>;
  UpdateHintWindowClass();
  if (ActiveHints == this) ActiveHints = nullptr;
  // The window's release hands its picture to ActiveHints, which is no
  // longer this component.
  delete OwnWindow;
  OwnWindow = nullptr;
  if (CurrentTemplate && CurrentTemplate->Hints() == this) {
    CurrentTemplate = nullptr;
    CurrentHintImage = nullptr;
  }
  FadeTimer.reset();
  CloseTimer.reset();
  CleanupTimer.reset();
  Carrier.reset();
  NextCarrier.reset();
  delete ContentFrame;
  ContentFrame = nullptr;
}

void TsAlphaHints::Assign(const TPersistent& Source) {
  auto* src = dynamic_cast<const TsAlphaHints*>(&Source);
  if (!src) return TComponent::Assign(Source);
  FTemplates->Assign(*src->FTemplates);
  SetTemplateName(src->FTemplateName);
  FAnimated = src->FAnimated;
  FAutoAlignment = src->FAutoAlignment;
  FDefaultCorner = src->FDefaultCorner;
  FHTMLMode = src->FHTMLMode;
  SetPauseHide(src->FPauseHide);
  FSkinSection = src->FSkinSection;
  FUseSkinData = src->FUseSkinData;
}

void TsAlphaHints::Loaded() {
  TComponent::Loaded();
  if (!Excluded() && Application) {
    Application->SetHintHidePause(UINT(FPauseHide));
    ProposedPos = POINT{-1, -1};
    if (!FAppHooked) {
      FSavedAppShowHint = Application->OnShowHint;
      Application->OnShowHint = [this](String& HintStr, bool& CanShow, THintInfo& HintInfo) {
        AppShowHint(HintStr, CanShow, HintInfo);
      };
      FAppHooked = true;
    }
  }
  if (FSkinSection.empty()) FSkinSection = L"HINT";
  UpdateHintWindowClass();
}

void TsAlphaHints::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation != TOperation::opRemove) return;
  if (AComponent == OwnWindow) {
    OwnWindow = nullptr;
    OwnWindowHandle = nullptr;
  }
  if (AComponent == HintedControl) HintedControl = nullptr;
  if (AComponent == ContentFrame) ContentFrame = nullptr;
  if (AComponent == LastHintInfo.HintControl) LastHintInfo.HintControl = nullptr;
}

void TsAlphaHints::SetActive(bool Value) {
  FActive = Value;
  if (!Value && !Destroying()) HideHint();
  UpdateHintWindowClass();
}

void TsAlphaHints::SetAutoAlignment(bool Value) {
  FAutoAlignment = Value;
  FShowPoint = POINT{0, 0};
}

void TsAlphaHints::SetPauseHide(int Value) {
  if (FPauseHide == Value) return;
  FPauseHide = Value;
  // While the form is being built the value waits for Loaded.
  if (!Loading() && !Excluded() && Application) Application->SetHintHidePause(UINT(Value));
}

void TsAlphaHints::SetTemplateName(const String& Value) {
  FSelectedTemplate = -1;
  FTemplateName = Value;
  for (int i = 0; i < FTemplates->Count(); ++i)
    if (SameText(FTemplates->Items(i)->Name(), Value)) {
      FSelectedTemplate = i;
      break;
    }
}

void TsAlphaHints::UpdateHintWindowClass() {
  if (Excluded()) return;
  if (FActive && LayeredWindowsAvailable() && !Destroying()) {
    ActiveHints = this;
    HintWindowClass = &MakeHintWindow<TacPngHintWindow>;
  } else if (ActiveHints == this) {
    ActiveHints = nullptr;
    HintWindowClass = &MakeHintWindow<THintWindow>;
  } else if (ActiveHints) {
    ActiveHints->FShowPoint = POINT{0, 0};
  }
}

void TsAlphaHints::Changed() {
  if (!Loading() && OnChange) OnChange(this);
}

void TsAlphaHints::AppShowHint(String& HintStr, bool& CanShow, THintInfo& HintInfo) {
  if (FSavedAppShowHint) FSavedAppShowHint(HintStr, CanShow, HintInfo);
  ProposedPos = HintInfo.HintPos;
  if (FHandleDisabledCtrls && HintedControl && !HintedControl->Enabled()) HintInfo.HintControl = HintedControl;
  if (FAutoAlignment) {
    LastHintInfo = HintInfo;
    SelectTemplateImage();
    AlignToControl();
    HintInfo.HintPos = ProposedPos;
  }
  if (OnShowHint) {
    ClearHintFrame();
    TForm* frame = nullptr;
    OnShowHint(HintStr, CanShow, HintInfo, frame);
    if (frame) {
      ContentFrame = frame;
      ContentFrame->FreeNotification(this);
      if (TsSkinManager* manager = TsSkinManager::DefaultManager()) manager->ScaleForm(frame, 96, 0);
    }
  }
  LastHintInfo = HintInfo;
  if (LastHintInfo.HintControl) LastHintInfo.HintControl->FreeNotification(this);
  ProposedPos = HintInfo.HintPos;
}

void TsAlphaHints::ShowHintAt(POINT Point, const String& Text, int HidePause) {
  if (ShowBusy) return;
  ShowBusy = true;
  try {
    if (FadeTimer && FadeTimer->Enabled()) {
      Carrier = std::move(NextCarrier);
      FadeTimer.reset();
    }
    TControl* underMouse = HintMouseControl();
    if (underMouse != HintedControl) {
      HideHint();
      HintedControl = underMouse;
      if (HintedControl) HintedControl->FreeNotification(this);
    }
    if (OwnWindow && !IsWindow(OwnWindowHandle)) {
      delete OwnWindow;
      OwnWindow = nullptr;
    }
    if (!OwnWindow) {
      OwnWindow = new TacPngHintWindow(this);
      OwnWindow->FreeNotification(this);
      OwnWindowHandle = OwnWindow->Handle();
    }
    FShowPoint = Point;
    const int limit = HintWidthLimit(FMaxWidth, GetPPIForControl(nullptr, OwnWindow), GetSystemMetrics(SM_CXSCREEN));
    String text = Text;
    RECT r{};
    if (OnShowHint) {
      bool canShow = true;
      ContentFrame = nullptr;
      THintInfo info;
      info.HintPos = FShowPoint;
      OwnWindow->SetCaption(text);
      ClearHintFrame();
      TForm* frame = nullptr;
      OnShowHint(text, canShow, info, frame);
      if (frame) {
        ContentFrame = frame;
        ContentFrame->FreeNotification(this);
        if (TsSkinManager* manager = TsSkinManager::DefaultManager()) manager->ScaleForm(frame, 96, 0);
      }
      FShowPoint = info.HintPos;
    }
    r = OwnWindow->CalcHintRect(limit, text, nullptr);
    OwnWindow->ActivateHint(r, text);
    FShowPoint = POINT{0, 0};
    StartHintHideTimer(this, UINT(HidePause));
  } catch (...) {
    ShowBusy = false;
    throw;
  }
  ShowBusy = false;
}

void TsAlphaHints::ReleaseHintWindow() {
  ContentFrame = nullptr;
  // A window whose handle went is freed too: left alone it would pile up
  // among the components this one owns.
  delete OwnWindow;
  OwnWindow = nullptr;
  OwnWindowHandle = nullptr;
  if (!(FHandleDisabledCtrls && HintedControl && !HintedControl->Enabled())) HintedControl = nullptr;
}

void TsAlphaHints::HideHint() {
  ClearHintFrame();
  ReleaseHintWindow();
  Carrier.reset();
  NextCarrier.reset();
}

void TsAlphaHints::ClearHintFrame() {
  TsAlphaHints* active = ActiveHints;
  if (!active || active->Loading()) return;
  active->LastHintInfo.HintControl = nullptr;
  delete active->ContentFrame;
  active->ContentFrame = nullptr;
  active->BubbleShown = false;
}

void TsAlphaHints::StopShowAnimation() {
  if (FadeTimer && FadeTimer->Enabled()) FadeTimer.reset();
}

bool TsAlphaHints::IsSkinned() const {
  TsSkinManager* manager = TsSkinManager::DefaultManager();
  return ActiveHints && manager && ActiveHints->FUseSkinData &&
         manager->GetSectionIndex(ActiveHints->FSkinSection) >= 0;
}

int TsAlphaHints::GetSkinIndex() {
  SkinDrawsShadow = false;
  if (!FUseSkinData || !IsSkinned()) return -1;
  TacSkinData* data = HintSkinData();
  const int index = data ? data->SectionIndex(FSkinSection) : -1;
  const TsGeneralData* section = HintSection(index);
  if (!section) return -1;
  SkinDrawsShadow = section->OuterMode > 2;
  return index;
}

void TsAlphaHints::RenderHintToBitmap(const String& Text, TFont* Font, RECT& ShadowRect,
                                      std::unique_ptr<TBitmap>& Bitmap) {
  const RECT savedBounds = TargetBounds;
  const POINT savedShow = FShowPoint, savedProposed = ProposedPos;
  TacTrackHintWindow window(nullptr);
  window.HintText = Text;
  window.SetCaption(Text);
  FontOverride = Font;
  const int limit = HintWidthLimit(FMaxWidth, GetPPIForControl(nullptr, &window), GetSystemMetrics(SM_CXSCREEN));
  RECT r = window.CalcHintRect(limit, Text, nullptr);
  const int w = r.right - r.left, h = r.bottom - r.top;
  MeasureBmp = NewBitmap32(w, h);
  ShadowRect = window.GetHintShadowSizes();
  window.SetBounds(0, 0, w - ShadowRect.left - ShadowRect.right, h - ShadowRect.top - ShadowRect.bottom);
  TargetBounds = RECT{0, 0, w, h};
  window.PrepareAlphaBmp(w, h);
  FontOverride = nullptr;
  Bitmap = std::move(window.Picture);
  TargetBounds = savedBounds;
  FShowPoint = savedShow;
  ProposedPos = savedProposed;
}

void TsAlphaHints::SelectTemplateImage() {
  CurrentTemplate = FSelectedTemplate >= 0 && FSelectedTemplate < FTemplates->Count()
                        ? FTemplates->Items(FSelectedTemplate)
                        : &DefaultHintTemplate();
  CurrentHintImage = &CurrentTemplate->ImageDefault();
  if (FDefaultCorner == hcLeftTop || !CurrentTemplate->Img_LeftBottom().HasPicture()) return;
  switch (FDefaultCorner) {
    case hcLeftBottom:
      CurrentHintImage = &CurrentTemplate->Img_LeftBottom();
      break;
    case hcRightTop:
      CurrentHintImage = &CurrentTemplate->Img_RightTop();
      break;
    case hcRightBottom:
      CurrentHintImage = &CurrentTemplate->Img_RightBottom();
      break;
    default:
      break;
  }
}

void TsAlphaHints::AlignToControl() {
  if (!ActiveHints || !ActiveHints->FAutoAlignment) return;
  TControl* control = LastHintInfo.HintControl;
  if (FHandleDisabledCtrls && HintedControl) control = HintedControl;
  if (!control) return;
  RECT r{};
  if (auto* windowed = dynamic_cast<TWinControl*>(control)) {
    GetWindowRect(windowed->Handle(), &r);
  } else if (control->Parent()) {
    RECT parent{};
    GetWindowRect(control->Parent()->Handle(), &parent);
    r = RECT{parent.left + control->Left(), parent.top + control->Top(), 0, 0};
    r.right = r.left + control->Width();
    r.bottom = r.top + control->Height();
  } else {
    return;
  }
  POINT p{};
  if (CurrentTemplate && CurrentHintImage) {
    TacHintTemplate& t = *CurrentTemplate;
    const bool rightPicture = CurrentHintImage == &t.Img_RightTop() || CurrentHintImage == &t.Img_RightBottom();
    const bool bottomPicture = CurrentHintImage == &t.Img_RightBottom() || CurrentHintImage == &t.Img_LeftBottom();
    if (t.HintAlign() == haVertCenter) {
      p.y = r.top + (r.bottom - r.top) / 2;
      p.x = rightPicture ? r.left : r.right;
    } else {
      p.x = r.left + (r.right - r.left) / 2;
      p.y = bottomPicture ? r.top : r.bottom;
    }
    TacBordersSizes& shadow = CurrentHintImage->ShadowSizes();
    p.x = rightPicture ? p.x - shadow.Right() : p.x + shadow.Left();
    p.y = bottomPicture ? p.y - shadow.Bottom() : p.y + shadow.Top();
    p.x += CurrentHintImage->OffsetHorz();
    p.y += CurrentHintImage->OffsetVert();
  } else {
    p = POINT{r.left + (r.right - r.left) / 2, r.bottom};
  }
  ProposedPos = p;
  FShowPoint = p;
}

void ScaleHintFont(TFont& Font, bool UseOwnHeight) {
  const int base = UseOwnHeight ? Font.Height() : -12;
  TsSkinManager* manager = TsSkinManager::DefaultManager();
  if (manager && manager->Options().StoredScaleMode() != TacScaleMode::smFramework) {
    Font.SetHeight(manager->ScaleInt(base));
    return;
  }
  TControl* control = ActiveHints ? ActiveHints->LastHintInfo.HintControl : nullptr;
  if (!control && Application) control = Application->MainForm();
  if (!control) return;
  // The density of the control's window, or its parent's for a graphic
  // control (the skin manager's answer, which the forms library repeats).
  auto* windowed = dynamic_cast<TWinControl*>(control);
  if (!windowed) windowed = control->Parent();
  const int dpi = windowed && windowed->HandleAllocated() ? WindowDPI(windowed->HandleIfAllocated()) : 96;
  Font.SetHeight(MulDiv(base, dpi, 96));
}

int HintContentGap() {
  TsSkinManager* manager = TsSkinManager::DefaultManager();
  return manager ? manager->ScaleInt(4) : 4;
}
