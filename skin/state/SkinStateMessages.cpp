#include "skin/state/SkinStateMessages.h"

#include "framework/Application.h"
#include "framework/Edit.h"
#include "framework/Label.h"
#include "framework/WinControl.h"
#include "skin/core/SkinUtils.h"
#include "skin/manager/FormSkinningServices.h"
#include "skin/manager/SkinManager.h"
#include "skin/state/CommonData.h"
#include "skin/state/ControlKinds.h"
#include "skin/state/CtrlSkinData.h"
#include "skin/state/GlowEffects.h"
#include "skin/state/NotifyFormOfChild.h"
#include "skin/state/OuterEffects.h"
#include "skin/state/StateQueries.h"
#include "skin/state/StateServices.h"
#include "skin/state/ThreadedTimer.h"

#include <initializer_list>
#include <vector>

namespace {

// SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED |
// SWP_NOOWNERZORDER | SWP_NOSENDCHANGING: the frame is computed again.
constexpr UINT FrameChangedFlags = 1847;
// RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW.
constexpr UINT RedrawAllFlags = 1413;

TWinControl* AsWindowed(TControl* Control) { return dynamic_cast<TWinControl*>(Control); }

TWinControl* WindowedOwner(const TsCommonData* Data) { return AsWindowed(Data->OwnerControl); }

HWND OwnerHandle(const TsCommonData* Data) {
  TWinControl* Windowed = WindowedOwner(Data);
  return Windowed ? Windowed->HandleIfAllocated() : nullptr;
}

TMessage Command(uint16_t Code, uint16_t Argument = 0, LPARAM LParam = 0) {
  return TMessage{WM_SKINCOMMAND, SkinCommandWParam(Code, Argument), LParam, 0};
}

// BroadcastToChildren leaves the last answer in the message it is given; the
// message being answered keeps its own result.
void PassToChildren(TWinControl* Container, const TMessage& Message) {
  TMessage Copy = Message;
  Copy.Result = 0;
  BroadcastToChildren(Container, Copy);
}

void PerformOnChildren(TWinControl* Container, uint16_t Code, uint16_t Argument) {
  for (int I = 0; I < Container->ControlCount(); ++I) {
    TControl* Child = Container->Controls(I);
    if (!Child->Destroying()) Child->Perform(WM_SKINCOMMAND, SkinCommandWParam(Code, Argument), 0);
  }
}

// Every child window, found by walking the z-order under Wnd.
void SendToChildWindows(HWND Wnd, uint16_t Code) {
  for (HWND Child = GetTopWindow(Wnd); Child; Child = GetWindow(Child, GW_HWNDNEXT))
    if (GetWindowLongPtrW(Child, GWL_STYLE) & WS_CHILD) SendWndCommand(Child, Code, 0);
}

const TsGeneralData* SectionOf(TsCommonData* Data) {
  if (Data->SkinIndex < 0) return nullptr;
  TacSkinData* Skin = Data->GetScaledSkinData();
  if (!Skin || Data->SkinIndex >= int(Skin->GeneralDataArray.size())) return nullptr;
  return &Skin->GeneralDataArray[Data->SkinIndex];
}

bool FullyTransparent(const TsGeneralData& Section) {
  return Section.Props[0].Transparency == 100 && Section.Props[1].Transparency == 100;
}

// The light state of a light-kind control; the control, or nil for others.
TsCtrlSkinData* ClearLightState(TsCommonData* Data) {
  auto* Ctrl = dynamic_cast<TsCtrlSkinData*>(Data);
  if (!Ctrl || !ckLightKinds.Contains(Ctrl->CtrlKind)) return nullptr;
  Ctrl->FreeLightBitmaps(false);
  Ctrl->LightPos = POINT{};
  return Ctrl;
}

void RedrawPulseFrame(TsCommonData* Data) {
  if (StateServices.RedrawPulseFrame) StateServices.RedrawPulseFrame(Data);
}

void HideGlow(TsCommonData* Data, bool Animate) {
  if (Data->GlowId >= 0) HideLayeredEffect(Data->GlowId, Animate);
}

void ReleaseEffect(TsCommonData* Data) {
  if (Data->EffectId >= 0 && StateServices.ReleaseEffectForm) StateServices.ReleaseEffectForm(Data->EffectId);
  Data->EffectId = -1;
}

void HideEffects(TsCommonData* Data, bool Animate = false) {
  HideGlow(Data, Animate);
  ReleaseEffect(Data);
}

void PropagateOpaqueState(TControl* Control) {
  if (Control && StateServices.PropagateOpaqueState) StateServices.PropagateOpaqueState(Control, true);
}

bool PulseRunning(const TsCommonData* Data) { return Data->PulseTimer && Data->PulseTimer->Enabled(); }

void RecapturePulse(TsCommonData* Data) {
  if (PulseRunning(Data)) Data->PulseTimer->PrepareImage();
}

// The colour and font colour of State's section colours on the owner; true
// when either changed.
bool ApplyColorsOfState(TsCommonData* Data, const TsGeneralData& Section, int State) {
  TControl* Owner = Data->OwnerControl;
  if (!Owner) return false;
  bool Changed = false;
  const TsGenState& Colors = Section.Props[State];
  if (!Data->CustomColor() && Owner->Color() != TColor(Colors.Color)) {
    Owner->SetColor(TColor(Colors.Color));
    Changed = true;
  }
  if (!Data->CustomFont() && Owner->Font().Color() != TColor(Colors.FontColor)) {
    Data->StateBits |= acsApplyingColors;
    Owner->Font().SetColor(TColor(Colors.FontColor));
    Data->StateBits &= ~acsApplyingColors;
    Changed = true;
  }
  return Changed;
}

void RepaintWithFrame(HWND Wnd) {
  if (!Wnd) return;
  RedrawWindow(Wnd, nullptr, nullptr, RedrawAllFlags);
  SendWndMessage(Wnd, WM_NCPAINT, 1, 0);
}

bool Skinned(TsCommonData* Data) { return Data->IsSkinned(false); }

TsSkinManager* ManagerInLParam(TsCommonData* Data, const TMessage& Message) {
  TsSkinManager* Manager = Data->GetSkinManager();
  return Manager && reinterpret_cast<LPARAM>(Manager) == Message.LParam ? Manager : nullptr;
}

// The colour children see through a section that lets Transparency percent
// of the parent through: C + (P - C) * T / 256 per byte, as the skins were
// made with.
COLORREF MixBackground(COLORREF C, COLORREF P, int Transparency) {
  COLORREF Result = 0;
  for (int Shift : {0, 8, 16}) {
    const int Own = int(C >> Shift & 0xFF);
    const int Parent = int(P >> Shift & 0xFF);
    const int Mixed = Own + ((Parent - Own) * Transparency >> 8);
    Result |= COLORREF(Mixed & 0xFF) << Shift;
  }
  return Result;
}

// What the parent shows children: its skin state's answer when it is
// skinned, else its own colour. A parent that does not know the skin
// answers 0, which must not read as black.
COLORREF ParentBackground(TControl* Owner) {
  TWinControl* Parent = Owner->Parent();
  if (!Parent) return ColorToRGB(Owner->Color());
  const HWND Wnd = Parent->HandleIfAllocated();
  if (Wnd && IsWindowSkinned(Wnd)) return COLORREF(SendWndCommand(Wnd, AC_GETBGCOLOR, 0));
  return ColorToRGB(Parent->Color());
}

LRESULT BackgroundColorForChildren(TsCommonData* Data) {
  TControl* Owner = Data->OwnerControl;
  const TsGeneralData* Section = Skinned(Data) ? SectionOf(Data) : nullptr;
  if (!Section) return LRESULT(ColorToRGB(Owner->Color()));
  const int T = Section->Props[0].Transparency;
  const COLORREF C = COLORREF(Section->Props[0].Color) & 0xFFFFFF;
  if (T <= 0) return C;
  if (T >= 100) return ParentBackground(Owner);
  return MixBackground(C, ParentBackground(Owner), T);
}

LRESULT IsUpdatingAnswer(TsCommonData* Data) {
  if (Data->CheckUpdating(false)) return 1;
  if (Data->CustomColor()) return 0;
  TWinControl* Windowed = WindowedOwner(Data);
  if (!Windowed) return 0;
  TBitmap* Cache = Data->CacheBmp.get();
  if (!Cache || Cache->Empty() || Data->BGChanged) {
    if (const HWND Wnd = Windowed->HandleIfAllocated()) SendWndCommand(Wnd, AC_BUILDCACHE, 0);
    Cache = Data->CacheBmp.get();
    return !Cache || Cache->Empty() ? 1 : 0;
  }
  return Cache->Width() != Windowed->Width() || Cache->Height() != Windowed->Height() ? 1 : 0;
}

void SetOpaque(TMessage& Message, TsCommonData* Data) {
  if (Data->OpaqueBusy) return;
  Data->OpaqueBusy = true;
  Data->BGChanged = true;
  const uint16_t PassOn = LOWORD(Message.LParam);
  Data->OpaqueState = Data->OpaqueMode() == TacOpaqueMode::omForceOpaque ? 1 : uint8_t(HIWORD(Message.LParam));
  Message.Result = MAKELONG(PassOn, Data->OpaqueState);
  if (PassOn == 1) {
    if (TWinControl* Windowed = WindowedOwner(Data)) {
      // Depth first over every descendant; each answer is the value the
      // next one is given.
      LPARAM Value = MAKELONG(1, Data->OpaqueState);
      std::vector<TWinControl*> Stack{Windowed};
      std::vector<int> Next{0};
      while (!Stack.empty()) {
        TWinControl* Container = Stack.back();
        const int I = Next.back()++;
        if (I >= Container->ControlCount()) {
          Stack.pop_back();
          Next.pop_back();
          continue;
        }
        TControl* Child = Container->Controls(I);
        SendOpaqueToChild(Child, Value);
        if (AlwaysFalse()) break;
        if (TWinControl* Inner = AsWindowed(Child)) {
          Stack.push_back(Inner);
          Next.push_back(0);
        }
      }
    }
  }
  Data->OpaqueBusy = false;
}

void SkinLoaded(TMessage& Message, TsCommonData* Data) {
  TsSkinManager* Manager = ManagerInLParam(Data, Message);
  if (!Manager) return;
  Data->SetScaledSkinData(nullptr);
  if (TsCtrlSkinData* Ctrl = ClearLightState(Data))
    if (StateServices.AddLightControl) StateServices.AddLightControl(Ctrl);
  RedrawPulseFrame(Data);
  Data->StopFading();
  Data->SetDefaultSection();
  Data->FindIndexFromList({Data->SkinSection()}, 0);
  if (Data->CacheBmp) Data->CacheBmp->SetSize(0, 0);
  if (Manager->Fonts().MainMode() == TacFontMode::fmCustom && Data->OwnerControl)
    Data->OwnerControl->Font().SetName(Manager->Fonts().MainFont());
}

bool SkinRemoved(TMessage& Message, TsCommonData* Data) {
  TsSkinManager* Manager = ManagerInLParam(Data, Message);
  if (!Manager) return true;
  Data->SetScaledSkinData(nullptr);
  if (TsCtrlSkinData* Ctrl = ClearLightState(Data))
    if (StateServices.RemoveLightControl) StateServices.RemoveLightControl(Ctrl);
  if (Data->SkinIndex < 0) return true;
  Data->SkinIndex = -1;
  Data->StopFading();
  if (Manager->Destroying()) Data->SetSkinManager(nullptr);
  if (Data->CacheBmp) Data->CacheBmp->SetSize(0, 0);
  TWinControl* Windowed = WindowedOwner(Data);
  const HWND Wnd = OwnerHandle(Data);
  if (Wnd) SetClassLongPtrW(Wnd, GCLP_HBRBACKGROUND, LONG_PTR(GetSysColorBrush(COLOR_BTNFACE)));
  if (auto* Edit = dynamic_cast<TCustomEdit*>(Data->OwnerControl)) {
    if (!Data->CustomColor()) Edit->SetColor(clWindow);
    if (!Data->CustomFont()) Edit->Font().SetColor(clWindowText);
    if (Wnd) RedrawWindow(Wnd, nullptr, nullptr, RDW_FRAME | RDW_NOERASE | RDW_INVALIDATE);
  } else if (Windowed) {
    for (int I = 0; I < Windowed->ControlCount(); ++I)
      if (auto* Label = dynamic_cast<TLabel*>(Windowed->Controls(I))) Label->Font().SetColor(clWindowText);
  }
  return false;
}

void SkinRefresh(TMessage& Message, TsCommonData* Data) {
  TWinControl* Windowed = WindowedOwner(Data);
  if (!IsRefreshForMe(Data, Message)) {
    if (Windowed) PassToChildren(Windowed, Message);
    return;
  }
  if (PreviewMode) Data->SetScaledSkinData(nullptr);
  ClearLightState(Data);
  Data->StopFading();
  Data->BGChanged = true;
  if (SkinCommandArgument(Message.WParam) != 0 && Windowed) PassToChildren(Windowed, Command(AC_PARENTBGCHANGED));
  Data->Updating = false;
  Data->ApplySkinColors(true);
  if (const HWND Wnd = OwnerHandle(Data); Wnd && ckFrameKinds.Contains(Data->CtrlKind))
    SetWindowPos(Wnd, nullptr, 0, 0, 0, 0, FrameChangedFlags);
  if (PulseRunning(Data)) {
    Data->PulseTimer->PrepareImage();
    Data->PulseTimer->TimeHandler();
  }
}

void UpdateDone(TsCommonData* Data) {
  if (!Data->Updating) return;
  TWinControl* Windowed = WindowedOwner(Data);
  if (!Windowed || Data->CheckUpdating(true)) return;
  if (const HWND Wnd = Windowed->HandleIfAllocated()) RedrawWindow(Wnd, nullptr, nullptr, RedrawAllFlags);
  // The children are not told while a form animation repaints them.
  if (StateServices.FormAnimationRunning && StateServices.FormAnimationRunning()) return;
  for (int I = 0; I < Windowed->ControlCount(); ++I) {
    TControl* Child = Windowed->Controls(I);
    if (Child->Destroying()) continue;
    if (TWinControl* Inner = AsWindowed(Child)) {
      if (HWND Wnd = Inner->HandleIfAllocated(); Wnd && Inner->Showing()) SendWndCommand(Wnd, AC_UPDATEDONE, 0);
    } else {
      Child->Perform(WM_SKINCOMMAND, SkinCommandWParam(AC_UPDATEDONE), 0);
    }
  }
}

void ParentBgChanged(TMessage& Message, TsCommonData* Data) {
  const bool Depends = Data->DependsOnParentBg();
  Data->BGChanged = Data->BGChanged || Depends;
  Data->StopFading();
  TWinControl* Windowed = WindowedOwner(Data);
  if (!Windowed) return;
  if (SkinCommandArgument(Message.WParam) == 1)
    if (const HWND Wnd = Windowed->HandleIfAllocated())
      RedrawWindow(Wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_NOERASE | RDW_NOINTERNALPAINT | RDW_ALLCHILDREN);
  if (Depends) PerformOnChildren(Windowed, AC_PARENTBGCHANGED, 1);
}

void FreeCache(TsCommonData* Data) {
  if (!Data->CacheBmp) return;
  if (TWinControl* Windowed = WindowedOwner(Data))
    for (int I = 0; I < Windowed->ControlCount(); ++I)
      if (TWinControl* Child = AsWindowed(Windowed->Controls(I)))
        if (const HWND Wnd = Child->HandleIfAllocated()) SendWndCommand(Wnd, AC_FREECACHE, 0);
  Data->CacheBmp->SetSize(0, 0);
  Data->BGChanged = true;
}

void StopEffects(TMessage& Message, TsCommonData* Data) {
  TsSkinManager* Default = TsSkinManager::DefaultManager();
  const HWND Wnd = OwnerHandle(Data);
  if (Data->MouseAbove && Default && Wnd && Default->HotWindow() == Wnd) Default->SetHotWindow(nullptr);
  HideEffects(Data);
  if (TWinControl* Windowed = WindowedOwner(Data)) PassToChildren(Windowed, Message);
}

void BackgroundIndex(TMessage& Message, TsCommonData* Data) {
  auto* Query = reinterpret_cast<TacBgIndexQuery*>(Message.LParam);
  if (!Query || !Skinned(Data)) return;
  if (!Data->ShowsParentInState(Query->State)) {
    Query->SectionIndex = Data->SkinIndex;
    Message.Result = 1;
  } else if (Data->OwnerControl) {
    // What lies beneath is the parent's to say: asking the owner again
    // would come straight back here.
    Message.Result = QueryBackgroundSkinIndex(Data->OwnerControl->Parent(), *Query);
  } else if (const HWND Parent = Data->Wnd ? GetParent(Data->Wnd) : nullptr) {
    Message.Result = SendMessageW(Parent, WM_SKINCOMMAND, Message.WParam, Message.LParam);
  }
}

const TsGeneralData* SkinnedSection(TsCommonData* Data) { return Skinned(Data) ? SectionOf(Data) : nullptr; }

void SetFocusState(TsCtrlSkinData* Data) {
  TWinControl* Windowed = WindowedOwner(Data);
  const TsGeneralData* Section = SkinnedSection(Data);
  if (!Windowed || !Section || !Windowed->CanFocus() || !Windowed->TabStop() || FullyTransparent(*Section)) return;
  Data->BGChanged = true;
  Data->Focused = true;
  if (ckStateColorKinds.Contains(Data->CtrlKind) && Section->States > 1)
    if (ApplyColorsOfState(Data, *Section, 1) && !Data->Updating) RepaintWithFrame(Windowed->HandleIfAllocated());
  if (Data->OuterEffects().Visibility() == TacOuterVisibility::ovFocused) Data->OuterEffects().Refresh();
  if (Data->GlowId >= 0 && StateServices.UpdateLayeredEffect) StateServices.UpdateLayeredEffect(Data->GlowId);
}

void KillFocusState(TsCtrlSkinData* Data) {
  TWinControl* Windowed = WindowedOwner(Data);
  const TsGeneralData* Section = SkinnedSection(Data);
  if (!Windowed || !Section) return;
  Data->StopFading();
  if (Windowed->CanFocus()) Data->Focused = false;
  bool Changed = false;
  const bool StateColors = ckStateColorKinds.Contains(Data->CtrlKind);
  if (StateColors && Data->GetCtrlState() == 0) Changed = ApplyColorsOfState(Data, *Section, 0);
  Data->BGChanged = true;
  Data->StopFading();
  if (StateColors && Changed && Windowed->Visible()) RepaintWithFrame(Windowed->HandleIfAllocated());
  if (Data->OuterEffects().Visibility() == TacOuterVisibility::ovFocused) Data->OuterEffects().Refresh();
}

void Moved(TsCtrlSkinData* Data) {
  if (!Skinned(Data)) return;
  if (TWinControl* Windowed = WindowedOwner(Data)) {
    const HWND Wnd = Windowed->HandleIfAllocated();
    if (Wnd && Data->OuterEffectsAllowed() && IsWindowVisible(Wnd)) Data->NotifyParentMoved();
    if (Data->DependsOnParentBg()) {
      Data->BGChanged = true;
      Windowed->Perform(WM_SKINCOMMAND, SkinCommandWParam(AC_PARENTBGCHANGED, 1), 0);
      if (Wnd) SendToChildWindows(Wnd, AC_STOPEFFECTS);
    }
  } else {
    Data->BGChanged = true;
  }
  HideEffects(Data);
}

void Sized(TsCtrlSkinData* Data) {
  if (!Skinned(Data)) return;
  Data->BGChanged = true;
  const HWND Wnd = OwnerHandle(Data);
  if (Wnd && Data->OuterEffectsAllowed() && IsWindowVisible(Wnd)) Data->NotifyParentMoved();
  if (Data->ChildrenNeedRefresh()) {
    if (TWinControl* Windowed = WindowedOwner(Data)) PerformOnChildren(Windowed, AC_PARENTBGCHANGED, 1);
    Data->StateBits &= ~(acsWidthChanged | acsHeightChanged);
  }
  if (!(Data->FadeTimer && Data->FadeTimer->Enabled())) HideEffects(Data);
}

bool SetRedraw(TMessage& Message, TsCtrlSkinData* Data) {
  if (Message.WParam != 1) {
    ++Data->RedrawLock;
    return false;
  }
  if (Data->RedrawLock <= 0) return false;
  --Data->RedrawLock;
  // A hidden control has nothing to repaint when drawing is allowed again.
  TControl* Owner = Data->OwnerControl;
  return Owner && !Owner->Visible() && Data->CtrlKind != 10;
}

void PositionChanging(TMessage& Message, TsCtrlSkinData* Data) {
  auto* Pos = reinterpret_cast<const WINDOWPOS*>(Message.LParam);
  RECT R;
  const HWND Wnd = Data->GetWndHandle();
  // A move alone changes neither width nor height, whatever cx and cy hold.
  if (!Pos || (Pos->flags & SWP_NOSIZE) || !Wnd || !GetWindowRect(Wnd, &R)) return;
  if (Pos->cx != R.right - R.left) Data->StateBits |= acsWidthChanged;
  if (Pos->cy != R.bottom - R.top) Data->StateBits |= acsHeightChanged;
}

bool MouseMoved(TMessage& Message, TsCtrlSkinData* Data) {
  const int X = LParamX(Message.LParam), Y = LParamY(Message.LParam);
  TControl* Owner = Data->OwnerControl;
  bool Answer = false;
  if (Owner && !Owner->Destroying() && StateServices.HandleDisabledHints)
    Answer = StateServices.HandleDisabledHints(Data, X, Y);
  if (Owner && Data->UsesMouseLight(false)) {
    Data->LightPos = POINT{X - Owner->Width() / 2, Y - Owner->Height() / 2};
    Data->LightBmp.reset();
    Data->BGChanged = true;
    if (StateServices.UpdateMouseLight) StateServices.UpdateMouseLight(Data, true);
  }
  return Answer;
}

bool Print(TMessage& Message, TsCtrlSkinData* Data) {
  PropagateOpaqueState(Data->OwnerControl);
  if (Skinned(Data)) return false;
  TWinControl* Windowed = WindowedOwner(Data);
  const auto DC = reinterpret_cast<HDC>(Message.WParam);
  // Until form skinning paints the graphic children, the control prints itself.
  if (!DC || !Windowed || !StateServices.PaintGraphicChildren) return false;
  const HWND Wnd = Windowed->HandleIfAllocated();
  const bool ClientEdge = Wnd && (GetWindowLongPtrW(Wnd, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
  StateServices.PaintGraphicChildren(Windowed, DC, ClientEdge ? POINT{2, 2} : POINT{0, 0});
  return true;
}

void ParentFontChanged(TsCtrlSkinData* Data) {
  TControl* Owner = Data->OwnerControl;
  if (!Owner || !Owner->Parent()) {
    Data->OpaqueState = 0;
    return;
  }
  if (StateServices.FormAnimationRunning && StateServices.FormAnimationRunning()) return;
  if (!Data->OpaqueBusy) PropagateOpaqueState(Owner);
  if (TWinControl* Windowed = AsWindowed(Owner)) PassToChildren(Windowed, Command(AC_INVALIDATEALL, 1));
}

void VisibleChanged(TMessage& Message, TsCtrlSkinData* Data) {
  const bool Hiding = Message.WParam == 0;
  TWinControl* Windowed = WindowedOwner(Data);
  if (Hiding) {
    HideEffects(Data);
    if (const HWND Wnd = OwnerHandle(Data)) SendToChildWindows(Wnd, AC_STOPEFFECTS);
  }
  TControl* Owner = Data->OwnerControl;
  TsSkinManager* Manager = Data->GetSkinManager();
  if (Manager && Owner && !Owner->Destroying() && Data->CacheBmp) {
    if (Manager->Options().OptimizingPriority() == TacOptimizingPriority::opMemory) {
      if (Hiding) {
        Data->CacheBmp->SetSize(0, 0);
        if (Windowed)
          for (int I = 0; I < Windowed->ControlCount(); ++I) {
            TControl* Child = Windowed->Controls(I);
            if (TWinControl* Inner = AsWindowed(Child)) {
              if (const HWND Wnd = Inner->HandleIfAllocated()) SendWndCommand(Wnd, AC_FREECACHE, 0);
            } else {
              Child->Perform(WM_SKINCOMMAND, SkinCommandWParam(AC_FREECACHE), 0);
            }
          }
      } else {
        Data->Updating = false;
      }
    }
    Data->BGChanged = true;
  }
  if (Data->OuterEffects().IsShown()) Data->OuterEffects().Refresh();
}

void ShowHotColors(TsCtrlSkinData* Data, const TsGeneralData& Section) {
  if (!ckStateColorKinds.Contains(Data->CtrlKind) || ckFocusHotKinds.Contains(Data->CtrlKind) || Section.States <= 1)
    return;
  if (ApplyColorsOfState(Data, Section, 1))
    if (const HWND Wnd = OwnerHandle(Data)) {
      InvalidateRect(Wnd, nullptr, FALSE);
      SendWndMessage(Wnd, WM_NCPAINT, 1, 0);
    }
}

void MouseEnter(TMessage& Message, TsCtrlSkinData* Data) {
  const TsGeneralData* Section = SkinnedSection(Data);
  if (!Section || Data->MouseAbove) return;
  TsSkinManager* Manager = Data->GetSkinManager();
  TsSkinManager* Default = TsSkinManager::DefaultManager();
  TWinControl* Windowed = WindowedOwner(Data);
  const HWND Wnd = OwnerHandle(Data);
  const bool Hovers = !ckNoHotKinds.Contains(Data->CtrlKind);
  if (Manager->Options().NoMouseHover() || FullyTransparent(*Section) || !Windowed) {
    if (Wnd && Default) Default->SetHotWindow(Wnd);
    if (Hovers) Data->MouseAbove = true;
  } else {
    // Only one speed button of a container shows hot at a time.
    for (int I = 0; I < Windowed->ControlCount(); ++I) {
      TControl* Child = Windowed->Controls(I);
      if (AsWindowed(Child) || reinterpret_cast<LPARAM>(Child) == Message.LParam) continue;
      auto* ChildData = reinterpret_cast<TsCommonData*>(QueryCtrlCommand(Child, AC_GETCOMMONDATA));
      if (ChildData && ChildData->MouseAbove) Child->Perform(CM_MOUSELEAVE, 0, 0);
    }
    if (Hovers) Data->MouseAbove = true;
    if (Wnd && Default) Default->SetHotWindow(Wnd);
    if (!ckNoHotBgKinds.Contains(Data->CtrlKind) && !ckNoGlowKinds.Contains(Data->CtrlKind)) {
      const bool Animate = Manager->Effects().AllowAnimation();
      Data->UpdateGlow(false, nullptr, -1, Animate, Animate ? 0 : 255);
    }
    ShowHotColors(Data, *Section);
  }
  RedrawPulseFrame(Data);
  if (StateServices.HintsMouseEnter) StateServices.HintsMouseEnter(Data);
  RecapturePulse(Data);
}

void MouseLeave(TsCtrlSkinData* Data) {
  TControl* Owner = Data->OwnerControl;
  if (!Skinned(Data) || !Owner) return;
  if (StateServices.HintsMouseLeave) StateServices.HintsMouseLeave(Data);
  TsSkinManager* Manager = Data->GetSkinManager();
  if (!Manager->Options().NoMouseHover() && !Data->MouseInControl()) {
    if (!ckNoHotKinds.Contains(Data->CtrlKind)) Data->MouseAbove = false;
    if (!ckNoHotBgKinds.Contains(Data->CtrlKind) && !ckNoGlowKinds.Contains(Data->CtrlKind)) HideEffects(Data, true);
    const TsGeneralData* Section = SectionOf(Data);
    if (Section && ckStateColorKinds.Contains(Data->CtrlKind) && Data->GetCtrlState() == 0 &&
        !FullyTransparent(*Section)) {
      const bool Changed = ApplyColorsOfState(Data, *Section, 0);
      if (Owner->Visible()) {
        Data->BGChanged = true;
        if (const HWND Wnd = OwnerHandle(Data)) {
          if (Changed) InvalidateRect(Wnd, nullptr, FALSE);
          SendWndMessage(Wnd, WM_NCPAINT, 1, 0);
        }
      }
    }
  }
  RecapturePulse(Data);
  RedrawPulseFrame(Data);
}

// The sections a control kind paints parts with, and whether a refresh
// index is matched against them by its low byte (groups) or whole.
struct TacRelatedSections {
  std::vector<int> Indexes;
  bool ByLowByte = false;
};

int Standard(const TacSkinData& Skin, const wchar_t* Name) {
  for (int I = 0; I < StandardSectionCount; ++I)
    if (String(StandardSectionNames[I]) == Name) return Skin.StandardSections[I];
  return -1;
}

void AddEditGroup(const TacSkinData& Skin, std::vector<int>& Indexes) {
  Indexes.push_back(Standard(Skin, L"EDIT"));
  for (int I = 0; I < 4; ++I) {
    Indexes.push_back(Skin.ScrollButtons[I].SkinIndex);
    Indexes.push_back(Skin.UpDownButtons[I].SkinIndex);
  }
  Indexes.push_back(Skin.ComboButton.SkinIndex);
}

TacRelatedSections RelatedSections(int Kind, const TacSkinData& Skin) {
  TacRelatedSections R;
  auto Add = [&](std::initializer_list<const wchar_t*> Names) {
    for (const wchar_t* Name : Names) R.Indexes.push_back(Standard(Skin, Name));
  };
  switch (Kind) {
    case 2:
      R.ByLowByte = true;
      for (const TacSectionRecord& Bar : Skin.ScrollBars) R.Indexes.push_back(Bar.SkinIndex);
      for (const TacSectionRecord& Slider : Skin.ScrollSliders) R.Indexes.push_back(Slider.SkinIndex);
      break;
    case 7:
    case 8:
    case 14:
    case 58:
    case 78:
    case 83:
    case 85:
    case 142:
    case 231:
      R.ByLowByte = true;
      AddEditGroup(Skin, R.Indexes);
      break;
    case 9:
    case 13:
    case 18:
    case 81:
    case 82:
      R.Indexes.push_back(Skin.ComboButton.SkinIndex);
      break;
    case 10:
    case 152:
      R.ByLowByte = true;
      AddEditGroup(Skin, R.Indexes);
      Add({L"CHECKBOX"});
      break;
    case 34:
      R.ByLowByte = true;
      for (size_t I = 12; I < Skin.Tabs.size(); ++I) R.Indexes.push_back(Skin.Tabs[I].SkinIndex);
      break;
    case 53:
      Add({L"SPLITTER"});
      break;
    case 54:
      Add({L"PROGRESSH", L"PROGRESSV"});
      break;
    case 75:
      Add({L"STATUSBAR"});
      break;
    case 132:
    case 133:
    case 134:
    case 135:
    case 136:
    case 137:
    case 138:
    case 139:
    case 140:
      Add({L"BUTTON", L"COMBOBTN", L"CAPTION"});
      break;
    case 141:
    case 143:
      Add({L"SPEEDBUTTON"});
      break;
    case 161:
      Add({L"SLIDER_OFF", L"SLIDER_ON"});
      break;
    case 223:
    case 224:
      Add({L"FORMTITLE"});
      break;
    default:
      break;
  }
  return R;
}

}  // namespace

bool AlwaysTrue() { return true; }

bool AlwaysFalse() { return false; }

void SendOpaqueToChild(TControl* Control, LPARAM& Value) {
  if (!Control || Control->Destroying()) return;
  const LRESULT Answer = SendCtrlCommand(Control, AC_SETOPAQUE, Value);
  if (Answer != 0) Value = LPARAM(Answer);
}

bool IsRefreshForMe(TsCommonData* Data, const TMessage& Message) {
  if (!Data || !ManagerInLParam(Data, Message)) return false;
  const uint16_t Section = SkinCommandArgument(Message.WParam);
  if ((Section & 0xFF) == 0 || (Section & 0xFF) == (Data->SkinIndex & 0xFF)) return true;
  TacSkinData* Skin = Data->GetSkinManager()->SkinData();
  if (!Skin) return false;
  const TacRelatedSections Related = RelatedSections(Data->CtrlKind, *Skin);
  for (int Index : Related.Indexes) {
    if (Index < 0) continue;
    if (Related.ByLowByte ? (Index & 0xFF) == (Section & 0xFF) : Index == Section) return true;
  }
  return false;
}

bool HandleSkinCommand(TMessage& Message, TsCommonData* Data) {
  if (!Data || Message.Msg != WM_SKINCOMMAND) return true;
  TWinControl* Windowed = WindowedOwner(Data);
  const uint16_t Argument = SkinCommandArgument(Message.WParam);
  switch (SkinCommandCode(Message.WParam)) {
    case AC_SKINLOADED:
      SkinLoaded(Message, Data);
      return true;
    case AC_SKINREMOVED:
      return SkinRemoved(Message, Data);
    case AC_SKINREFRESH:
      SkinRefresh(Message, Data);
      return true;
    case AC_UPDATEDONE:
      UpdateDone(Data);
      return true;
    case AC_ISSKINNED:
      Message.Result = 1;
      Message.LParam = Data->SkinIndex >= 0 ? 1 : 0;
      return true;
    case AC_SETUPDATING:
      Data->Updating = Argument == 1;
      return true;
    case AC_ISUPDATING:
      Message.Result = IsUpdatingAnswer(Data);
      return true;
    case AC_GETCHILDBGFLAG:
      Message.Result = Data->ChildBgChanged;
      return true;
    case AC_REPAINTIFSECTION:
      // The whole name, compared ignoring case.
      if (const auto* Name = reinterpret_cast<const wchar_t*>(Message.LParam))
        if (UpperCase(String(Name)) == Data->SkinSection()) Data->Invalidate(false);
      return true;
    case AC_SETSECTION:
      if (const auto* Name = reinterpret_cast<const wchar_t*>(Message.LParam)) {
        Data->SetSkinSection(Name);
        Message.Result = 1;
      } else {
        Message.Result = 0;
      }
      return true;
    case AC_STOPFADING:
      Data->StopFading();
      return true;
    case AC_INVALIDATEALL:
      Data->BGChanged = true;
      Data->StopFading();
      if (Windowed) {
        TMessage Copy = Message;
        Windowed->Broadcast(Copy);
      }
      return true;
    case AC_REDRAW:
      Data->Invalidate(Argument != 0);
      return true;
    case AC_ISSKINAWARE:
      Message.Result = AlwaysTrue() ? 1 : 0;
      return true;
    case AC_PARENTBGCHANGED:
      ParentBgChanged(Message, Data);
      return true;
    case AC_GETBGCOLOR:
      if (Data->OwnerControl) Message.Result = BackgroundColorForChildren(Data);
      return true;
    case AC_SETCHILDBGFLAG:
      Data->ChildBgChanged = 1;
      return true;
    case AC_BUILDCACHE:
      Data->BGChanged = false;
      return true;
    case AC_GETSKININDEX:
      if (auto* Record = reinterpret_cast<int32_t*>(Message.LParam)) Record[1] = Data->SkinIndex;
      return true;
    case AC_FREECACHE:
      FreeCache(Data);
      return true;
    case AC_GETBG:
      if (auto* Info = reinterpret_cast<TacBackgroundInfo*>(Message.LParam)) {
        const bool Hot = Data->MouseAbove && !ckNoHotBgKinds.Contains(Data->CtrlKind);
        Data->GetBgInfo(*Info, Data->Focused || Hot ? 1 : 0, nullptr);
      }
      return true;
    case AC_FONTSCHANGED:
      if (TsSkinManager* Manager = ManagerInLParam(Data, Message)) {
        Data->BGChanged = true;
        if (Data->OwnerControl) Manager->ApplyMainFont(Data->OwnerControl);
        if (Windowed) PassToChildren(Windowed, Message);
      }
      return true;
    case AC_GETCOMMONDATA:
      Message.Result = reinterpret_cast<LRESULT>(Data);
      return true;
    case AC_SETPRINTDC:
      if (Argument != 0) {
        Data->StateBits |= acsPrinting;
        Data->PrintDC = reinterpret_cast<HDC>(Message.LParam);
      } else {
        Data->StateBits &= ~acsPrinting;
        Data->PrintDC = nullptr;
      }
      return true;
    case AC_MOUSELIGHT:
      if (auto* Ctrl = dynamic_cast<TsCtrlSkinData*>(Data); Ctrl && Ctrl->OnPaintState) {
        TacPaintStateInfo Info{uint8_t(Argument), 0};
        Ctrl->OnPaintState(Ctrl->OwnerControl, Info);
      }
      return true;
    case AC_PAINTOUTER:
      if (auto* Info = reinterpret_cast<TacBackgroundInfo*>(Message.LParam)) Data->PaintOuterEffect(*Info, Argument);
      return true;
    case AC_SETOPAQUE:
      SetOpaque(Message, Data);
      return true;
    case AC_CODE44:
      if (AlwaysFalse()) {
        Data->Invalidate(false);
        Message.Result = 1;
      }
      return true;
    case AC_REFRESHFRAME:
      if (const HWND Wnd = OwnerHandle(Data)) {
        SetWindowPos(Wnd, nullptr, 0, 0, 0, 0, FrameChangedFlags);
        PassToChildren(Windowed, Message);
      }
      return true;
    case AC_GETAPPLICATION:
      Message.Result = reinterpret_cast<LRESULT>(Application);
      return true;
    case AC_GETBGSKININDEX:
      BackgroundIndex(Message, Data);
      return true;
    case AC_SETPPI: {
      Data->PPI = int(Message.LParam);
      TsSkinManager* Manager = Data->GetSkinManager();
      Data->SetScaledSkinData(Manager && Manager->IsSkinLoaded() ? Manager->GetSkinDataForPPI(Data->PPI) : nullptr);
      if (Windowed) PassToChildren(Windowed, Message);
      return false;
    }
    case AC_GETPPI:
      Message.Result = Data->PPI;
      return true;
    case AC_GETBOUNDS:
      if (auto* Bounds = reinterpret_cast<RECT*>(Message.LParam))
        *Bounds = Data->OwnerControl ? Data->OwnerControl->BoundsRect() : RECT{};
      return true;
    case AC_STOPEFFECTS:
      StopEffects(Message, Data);
      return true;
    case AC_ISOPAQUE: {
      TsSkinManager* Manager = Data->GetSkinManager();
      TControl* Owner = Data->OwnerControl;
      Message.Result = (Manager && Manager->IsSkinLoaded()) || !Owner || !(Owner->ControlStyle() & csOpaque) ? 1 : 0;
      return true;
    }
    case AC_GETSKINDATA:
      Message.Result = reinterpret_cast<LRESULT>(Data->GetScaledSkinData());
      Message.LParam = reinterpret_cast<LPARAM>(Data->CachedSkinData());
      return true;
    default:
      return false;
  }
}

bool HandleCtrlSkinMessage(TMessage& Message, TsCtrlSkinData* Data) {
  if (!Data) return false;
  switch (Message.Msg) {
    case WM_CREATE:
    case WM_NCCREATE:
      Data->AttachWindow();
      return false;
    case WM_MOVE:
      Moved(Data);
      return false;
    case WM_SIZE:
      Sized(Data);
      return false;
    case WM_SETFOCUS:
      SetFocusState(Data);
      return false;
    case WM_KILLFOCUS:
      KillFocusState(Data);
      return false;
    case WM_SETREDRAW:
      return SetRedraw(Message, Data);
    case WM_SHOWWINDOW:
      Data->StopFading();
      return false;
    case 0x001D:
    case CM_ENABLEDCHANGED:
      Data->MouseAbove = false;
      Data->Focused = false;
      Data->BGChanged = true;
      if (Data->OwnerControl && !Data->OwnerControl->Enabled()) HideEffects(Data);
      return false;
    case WM_WINDOWPOSCHANGING:
      PositionChanging(Message, Data);
      return false;
    case WM_CONTEXTMENU:
      if (TsSkinManager* Manager = Data->GetSkinManager(); Manager && Data->OwnerControl && StateServices.HookPopupMenu)
        StateServices.HookPopupMenu(Data->OwnerControl, Manager, Manager->Active());
      return false;
    case WM_UPDATEUISTATE:
      if (Skinned(Data)) return true;
      if (const HWND Wnd = OwnerHandle(Data); Wnd && StateServices.RestoreWindowTheme)
        StateServices.RestoreWindowTheme(Wnd);
      return false;
    case WM_MOUSEMOVE:
      return MouseMoved(Message, Data);
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
      RedrawPulseFrame(Data);
      return false;
    case WM_PARENTNOTIFY:
      if (LOWORD(Message.WParam) == WM_CREATE && WindowedOwner(Data)) NotifyFormOfChild(Data->OwnerControl);
      return false;
    case WM_PRINT:
      return Print(Message, Data);
    case WM_SKINCOMMAND:
      return HandleSkinCommand(Message, Data);
    case CM_PARENTFONTCHANGED:
      ParentFontChanged(Data);
      return false;
    case CM_VISIBLECHANGED:
      VisibleChanged(Message, Data);
      return false;
    case CM_MOUSEENTER:
      MouseEnter(Message, Data);
      return false;
    case CM_MOUSELEAVE:
      MouseLeave(Data);
      return false;
    case CM_SHOWINGCHANGED:
      if (TControl* Owner = Data->OwnerControl) {
        if (Owner->Visible()) Data->Loaded(true);
        if (!Data->OpaqueBusy) PropagateOpaqueState(Owner);
      }
      return false;
    case CM_CHANGED:
      RecapturePulse(Data);
      return false;
    default:
      return false;
  }
}
