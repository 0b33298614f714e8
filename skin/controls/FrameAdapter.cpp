#include "skin/controls/FrameAdapter.h"

#include "framework/Form.h"
#include "skin/controls/SkinnedControl.h"
#include "skin/controls/SkinnedSpeedButton.h"
#include "skin/core/SkinCommand.h"
#include "skin/core/SkinUtils.h"
#include "skin/forms/ChildMessages.h"
#include "skin/forms/GraphicChildren.h"
#include "skin/forms/SkinColors.h"
#include "skin/forms/WindowQueries.h"
#include "skin/manager/SkinData.h"
#include "skin/painting/ChildClip.h"
#include "skin/painting/ParentBackground.h"
#include "skin/state/CacheCopies.h"
#include "skin/state/ControlSkinPainting.h"
#include "skin/state/NotifyFormOfChild.h"
#include "skin/state/SkinStateMessages.h"
#include "skin/state/StateServices.h"

namespace {

constexpr uint8_t kFrameAdapterKind = 226;
constexpr UINT kRecalcFlags = SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED |
                              SWP_NOCOPYBITS | SWP_NOOWNERZORDER | SWP_NOSENDCHANGING;

const TsGeneralData* SectionOf(TsCommonData& Data) {
  TacSkinData* Skin = Data.GetScaledSkinData();
  if (!Skin || !IsValidSectionIndex(Skin->GeneralDataArray, Data.SkinIndex)) return nullptr;
  return &Skin->GeneralDataArray[Data.SkinIndex];
}

TForm* FormOfFrame(TControl* Control) {
  for (TWinControl* P = Control ? Control->Parent() : nullptr; P; P = P->Parent())
    if (auto* Form = dynamic_cast<TForm*>(P)) return Form;
  return nullptr;
}

}  // namespace

TsFrameAdapter::TsFrameAdapter(TComponent* AOwner)
    : TComponent(AOwner),
      FSkinData(std::make_unique<TsScrollWndData>(this, true)),
      FThirdParty(std::make_unique<TsThirdPartyList>()) {
  FSkinData->CtrlKind = kFrameAdapterKind;
  for (TStringList& List : FThirdLists) List.SetCaseSensitive(true);
  FFrame = dynamic_cast<TCustomFrame*>(AOwner);
  if (!FFrame) throw EFrameAdapter(L"TsFrameAdapter adapter must be placed on the handled frame");
  FSkinData->OwnerControl = FFrame;
  // A frame another mechanism skins keeps its window procedure: the adapter
  // then only holds the skin state.
  if (IsControlSkinned(FFrame)) return;
  FPreviousWndProc = FFrame->WindowProc;
  FFrame->WindowProc = [this](TMessage& Message) { WndProc(Message); };
  FSkinData->WndProc = FFrame->WindowProc;
  FSkinData->AttachWindow();
  if (Loading()) return;
  FillLists();
  if (TsSkinManager* Manager = FSkinData->GetSkinManager())
    FFrame->Perform(WM_SKINCOMMAND, SkinCommandWParam(AC_SKINLOADED), reinterpret_cast<LPARAM>(Manager));
}

TsFrameAdapter::~TsFrameAdapter() {
  Destroying_();
  if (!Loading()) RegisterWithForm(false);
  // Scroll-bar wrappers belong to window hooks (not built): none to free.
  if (FFrame && FPreviousWndProc) {
    FFrame->WindowProc = FPreviousWndProc;
    FSkinData->DetachWindow();
  }
  FFrame = nullptr;
  FSkinData.reset();
}

void TsFrameAdapter::FillLists() { LoadThirdPartyLists(*FThirdParty, FThirdLists, FHasOwnThirdParty); }

void TsFrameAdapter::Loaded() {
  TComponent::Loaded();
  FillLists();
  const HWND Wnd = FFrame ? FFrame->HandleIfAllocated() : nullptr;
  TsSkinManager* Manager = FSkinData->GetSkinManager();
  if (!Wnd || !IsWindowSkinned(Wnd) || !Manager) return;
  FSkinData->UpdateIndexes();
  if (!Manager->IsSkinLoaded()) return;
  // Skinned pop-up menus of the frame come with form skinning (not built).
  RegisterWithForm(true);
  if (FSkinData->IsSkinned() && (Manager->SkinningRules() & srThirdParty)) NotifyFormOfChild(FFrame);
  if (!FSkinData->OpaqueBusy && StateServices.PropagateOpaqueState) StateServices.PropagateOpaqueState(FFrame, true);
}

void TsFrameAdapter::RegisterWithForm(bool Add) {
  HWND Form = FRegisteredWith;
  if (Add) {
    TForm* Owner = FormOfFrame(FFrame);
    Form = Owner && Owner->HandleAllocated() ? Owner->Handle() : nullptr;
    if (!Form || Form == FRegisteredWith) return;
  } else if (!Form || !IsWindow(Form)) {
    FRegisteredWith = nullptr;
    return;
  }
  FRegisteredWith = Add ? Form : nullptr;
  SendMessageW(Form, WM_SKINCOMMAND, SkinCommandWParam(AC_REGISTERFRAME, Add ? 1 : 0), reinterpret_cast<LPARAM>(this));
}

bool TsFrameAdapter::SkinnedNow() const {
  TsSkinManager* Manager = FSkinData->GetSkinManager();
  return FSkinData->IsSkinned() && Manager && Manager->IsSkinLoaded();
}

bool TsFrameAdapter::BuildCache() {
  TacBackgroundInfo Bg;
  TWinControl* Parent = FFrame->Parent();
  if (Parent) QueryControlBackground(Bg, Parent, false);
  if (!Parent || Bg.BgKind == bgkNotReady) {
    FSkinData->Updating = true;
    return false;
  }
  FSkinData->InitCacheBmp();
  TacBackgroundSource Source;
  BackgroundInfoToSource(Bg, Source);
  PaintControlSkin(*FSkinData, Source, 0, RECT{0, 0, FFrame->Width(), FFrame->Height()},
                   POINT{FFrame->Left(), FFrame->Top()}, FSkinData->CacheBmp.get(), true);
  FSkinData->PaintChildrenOuterEffects(FFrame, POINT{0, 0});
  FSkinData->BGChanged = false;
  return true;
}

void TsFrameAdapter::PaintFrame(HDC DC) {
  if (!DC || (WindowAnimationRunning() && DC != FSkinData->PrintDC) || FSkinData->CheckUpdating(false)) return;
  const TsGeneralData* Section = SectionOf(*FSkinData);
  const bool OwnFace = Section && (Section->BorderIndex >= 0 || Section->Props[0].Transparency != 100 ||
                                   FSkinData->OuterEffectsAllowed());
  const int W = FFrame->Width(), H = FFrame->Height();
  if (OwnFace) {
    RECT Clip{};
    if (GetClipBox(DC, &Clip) == NULLREGION) return;
    bool Stale = FSkinData->BGChanged || FPartlyHidden;
    FPartlyHidden = FSkinData->DependsOnParentBg() && FFrame->Parent() &&
                    (Clip.right - Clip.left != W || Clip.bottom - Clip.top != H);
    if (Stale && !BuildCache()) return;
    CopyCacheExcludingChildren(FFrame, FSkinData.get(), POINT{0, 0}, POINT{0, 0}, true, DC, RECT{0, 0, W, H});
  } else {
    TacBackgroundInfo Bg;
    if (FFrame->Parent()) QueryControlBackground(Bg, FFrame->Parent(), false);
    if (Bg.BgKind == bgkBitmap && Bg.Bmp) {
      const int X = FFrame->Left() + Bg.OffsetX, Y = FFrame->Top() + Bg.OffsetY;
      BitBlt(DC, 0, 0, W, H, Bg.Bmp->DC(), X, Y, SRCCOPY);
      FSkinData->InitCacheBmp();
      BitBlt(FSkinData->CacheBmp->DC(), 0, 0, W, H, Bg.Bmp->DC(), X, Y, SRCCOPY);
    } else {
      const int Saved = SaveDC(DC);
      ExcludeChildrenFromClip(DC, *FFrame, 0, 0);
      TOwnedBrush Brush(CreateSolidBrush(ColorToRGB(FSkinData->GetBgColor(0))));
      RECT R{0, 0, W, H};
      FillRect(DC, &R, Brush.get());
      RestoreDC(DC, Saved);
    }
  }
  PaintGraphicChildren(DC, FFrame, POINT{0, 0}, true);
  NotifyChildrenUpdated(FFrame);
}

void TsFrameAdapter::WMPaint(HDC DC) {
  const HWND Wnd = FFrame->Handle();
  PAINTSTRUCT Ps{};
  BeginPaint(Wnd, &Ps);
  HDC Target = DC ? DC : GetDC(Wnd);
  if (!FSkinData->CheckUpdating(false)) PaintFrame(Target);
  if (!DC) ReleaseDC(Wnd, Target);
  EndPaint(Wnd, &Ps);
}

void TsFrameAdapter::RedrawAll() {
  const HWND Wnd = FFrame->HandleIfAllocated();
  if (!Wnd || !IsWindowVisible(Wnd)) return;
  RedrawWindow(Wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
}

void TsFrameAdapter::CallPrevious(TMessage& Message) {
  if (FPreviousWndProc) FPreviousWndProc(Message);
}

TColor TsFrameAdapter::SectionBgColor() {
  const TsGeneralData* Section = SectionOf(*FSkinData);
  if (!Section) return FFrame->Color();
  const int Transparency = Section->Props[0].Transparency;
  if (Transparency == 0) return TColor(Section->Props[0].Color);
  if (Transparency == 100) {
    TWinControl* Parent = FFrame->Parent();
    if (!Parent) return TColor(ColorToRGB(FFrame->Color()));
    return TColor(ControlBgColor(Parent));
  }
  return FSkinData->GetBgColor(0);
}

bool TsFrameAdapter::CommonMessage(TMessage& Message) {
  switch (Message.Msg) {
    case WM_NCCREATE:
    case WM_CREATE:
      // A window made after the adapter carries its skin state too.
      CallPrevious(Message);
      FSkinData->AttachWindow();
      return true;
    case WM_DESTROY:
      if (!Loading()) RegisterWithForm(false);
      return false;
    case WM_SIZE:
      FSkinData->BGChanged = true;
      return false;
    case WM_SKINCOMMAND:
      break;
    default:
      return false;
  }
  TsSkinManager* Manager = FSkinData->GetSkinManager();
  const bool Own = Manager && reinterpret_cast<LPARAM>(Manager) == Message.LParam;
  switch (SkinCommandCode(Message.WParam)) {
    case AC_SKINLOADED:
      if (!Own) return false;
      HandleSkinCommand(Message, FSkinData.get());
      BroadcastToChildren(FFrame, Message);
      return true;
    case AC_SKINREMOVED:
      if (!Own) return false;
      HandleSkinCommand(Message, FSkinData.get());
      if (const HWND Wnd = FFrame->HandleIfAllocated()) {
        SetClassLongPtrW(Wnd, GCLP_HBRBACKGROUND, reinterpret_cast<LONG_PTR>(GetSysColorBrush(COLOR_BTNFACE)));
        SetWindowPos(Wnd, nullptr, 0, 0, 0, 0, kRecalcFlags);
        RedrawAll();
      }
      BroadcastToChildren(FFrame, Message);
      return true;
    case AC_STOPFADING:
      BroadcastToChildren(FFrame, Message);
      return true;
    case AC_SKINREFRESH:
      if (!IsRefreshForMe(FSkinData.get(), Message)) return false;
      HandleSkinCommand(Message, FSkinData.get());
      FSkinData->UpdateIndexes();
      if (SkinCommandArgument(Message.WParam) != 1) BroadcastToChildren(FFrame, Message);
      // The skinned scroll bars would be made or freed here (window hooks).
      RedrawAll();
      return true;
    case AC_ISSKINNED:
      Message.Result = 1;
      return true;
    case AC_GETDEFINDEX:
      if (!FSkinData->SkinSection().empty()) {
        FSkinData->UpdateIndexes();
        Message.Result = FSkinData->SkinIndex + 1;
      } else if (Manager) {
        Message.Result = Manager->GetSectionIndex(DefaultSectionName(ssTransparent)) + 1;
      }
      return true;
    case AC_GETBGCOLOR:
      if (FSkinData->IsSkinned()) return false;
      Message.Result = LRESULT(FFrame->Color());
      return true;
    case AC_BUILDCACHE:
      if (!FSkinData->Updating && !BuildCache()) FSkinData->Updating = true;
      return true;
    case AC_GETSKININDEX:
      if (auto* Record = reinterpret_cast<int*>(Message.LParam)) Record[1] = FSkinData->SkinIndex;
      return true;
    case AC_GETCOMMONDATA:
      Message.Result = reinterpret_cast<LRESULT>(FSkinData.get());
      return true;
    case AC_SETOPAQUE:
    case AC_SETPPI:
      HandleSkinCommand(Message, FSkinData.get());
      return true;
    case AC_BEFORESCROLL:
      if (SendCtrlCommand(FFrame, AC_ISSKINAWARE, 0) || FSkinData->DependsOnParentBg())
        if (const HWND Wnd = FFrame->HandleIfAllocated()) SendMessageW(Wnd, WM_SETREDRAW, 0, 0);
      return false;
    case AC_AFTERSCROLL:
      if (SendCtrlCommand(FFrame, AC_ISSKINAWARE, 0) == 1 || FSkinData->DependsOnParentBg()) {
        if (const HWND Wnd = FFrame->HandleIfAllocated()) SendMessageW(Wnd, WM_SETREDRAW, 1, 0);
        RedrawAll();
      }
      return false;
    case AC_GETDEFSECTION:
      Message.Result = ssTransparent;
      return true;
  }
  return false;
}

bool TsFrameAdapter::SkinnedMessage(TMessage& Message) {
  switch (Message.Msg) {
    case WM_PAINT:
      if (!FFrame->Parent()) return false;
      WMPaint(reinterpret_cast<HDC>(Message.WParam));
      Message.Result = 0;
      return true;
    case WM_ERASEBKGND:
      if (!FFrame->Showing()) return false;
      if (!WindowAnimationRunning() && !FSkinData->Updating && !FSkinData->BGChanged)
        PaintFrame(reinterpret_cast<HDC>(Message.WParam));
      Message.Result = 1;
      return true;
    case WM_NCPAINT:
      if (FSkinData->Updating) return false;
      Message.Result = 0;
      return true;
    case WM_MOVE:
    case WM_SIZE:
    case WM_WINDOWPOSCHANGED: {
      if (Message.Msg == WM_WINDOWPOSCHANGED && FInPosChanged) return false;
      const TsGeneralData* Section = SectionOf(*FSkinData);
      const bool PaintFeatures = Section && (Section->Props[0].ImagePercent + Section->Props[0].GradientPercent > 0 ||
                                             Section->BorderIndex >= 0);
      const bool Children = (Message.Msg == WM_SIZE && PaintFeatures) || FSkinData->DependsOnParentBg();
      FSkinData->BGChanged = FSkinData->BGChanged || Children;
      if (Children) {
        TMessage All{WM_SKINCOMMAND, SkinCommandWParam(AC_INVALIDATEALL, 1), 0, 0};
        BroadcastToChildren(FFrame, All);
      }
      if (Message.Msg != WM_MOVE)
        if (const HWND Wnd = FFrame->HandleIfAllocated()) InvalidateRect(Wnd, nullptr, TRUE);
      FInPosChanged = Message.Msg == WM_WINDOWPOSCHANGED;
      CallPrevious(Message);
      FInPosChanged = false;
      return true;
    }
    case WM_PRINT:
      FSkinData->Updating = false;
      if (CanUpdateControl(FFrame)) {
        // Skinned scroll bars would be painted into the DC first (window hooks).
        FSkinData->BGChanged = true;
        const HDC SavedPrint = FSkinData->PrintDC;
        FSkinData->PrintDC = reinterpret_cast<HDC>(Message.WParam);
        PaintFrame(reinterpret_cast<HDC>(Message.WParam));
        FSkinData->PrintDC = SavedPrint;
      }
      return true;
    case CM_VISIBLECHANGED:
      FSkinData->BGChanged = true;
      CallPrevious(Message);
      if (TsSkinManager* Manager = FSkinData->GetSkinManager())
        FFrame->Perform(WM_SKINCOMMAND, SkinCommandWParam(AC_SKINREFRESH), reinterpret_cast<LPARAM>(Manager));
      return true;
    case CM_MOUSEENTER: {
      CallPrevious(Message);
      // Speed buttons that still look hot lose the look: the mouse is on
      // the frame now.
      auto* Entering = reinterpret_cast<TControl*>(Message.LParam);
      for (int i = 0; i < FFrame->ControlCount(); ++i) {
        auto* Button = dynamic_cast<TsSpeedButton*>(FFrame->Controls(i));
        if (Button && Button != Entering && Button->SkinData()->MouseAbove)
          Button->Perform(CM_MOUSELEAVE, 0, reinterpret_cast<LPARAM>(Button));
      }
      if (TsSkinManager* Manager = TsSkinManager::DefaultManager()) Manager->SetHotWindow(FFrame->HandleIfAllocated());
      return true;
    }
    case CM_SHOWINGCHANGED:
      CallPrevious(Message);
      if (TsSkinManager* Manager = FSkinData->GetSkinManager(); Manager && (Manager->SkinningRules() & srThirdParty)) {
        RegisterWithForm(true);
        NotifyFormOfChild(FFrame);
      }
      if (FFrame->Showing()) {
        if (!FSkinData->OpaqueBusy && StateServices.PropagateOpaqueState)
          StateServices.PropagateOpaqueState(FFrame, true);
        FSkinData->Updating = false;
        FFrame->Repaint();
        NotifyChildrenUpdated(FFrame);
      }
      return true;
    case WM_SKINCOMMAND:
      break;
    default:
      return false;
  }
  switch (SkinCommandCode(Message.WParam)) {
    case AC_UPDATEDONE:
      if (FSkinData->Updating && !FSkinData->CheckUpdating(true)) {
        if (FSkinData->BGChanged) BuildCache();
        RedrawAll();
        NotifyChildrenUpdated(FFrame);
      }
      return true;
    case AC_SETUPDATING: {
      FSkinData->Updating = SkinCommandArgument(Message.WParam) == 1;
      for (int i = 0; i < FFrame->ControlCount(); ++i) FFrame->Controls(i)->WindowProc(Message);
      return true;
    }
    case AC_ISSKINAWARE: {
      const TsGeneralData* Section = SectionOf(*FSkinData);
      const bool Aware = (Section && Section->Props[0].ImagePercent + Section->Props[0].GradientPercent > 0) ||
                         (Section && FSkinData->DependsOnParentBg());
      Message.Result = Aware ? 1 : 0;
      Message.LParam = Aware ? 1 : 0;
      return true;
    }
    case AC_GETBGCOLOR:
      Message.Result = LRESULT(SectionBgColor());
      return true;
    case AC_BUILDCACHE:
      if (!BuildCache()) FSkinData->Updating = true;
      return true;
  }
  try {
    HandleSkinCommand(Message, FSkinData.get());
  } catch (...) {
    // A failing command must not break the frame's message loop.
  }
  return true;
}

void TsFrameAdapter::WndProc(TMessage& Message) {
  if (!FFrame || !FSkinData) return CallPrevious(Message);
  if (CommonMessage(Message)) return;
  TsSkinManager* Manager = FSkinData->GetSkinManager();
  if (!Destroying() && !FFrame->Destroying() && SkinnedNow()) {
    if (SkinnedMessage(Message)) return;
  } else if (Manager && Manager->IsSkinLoaded() &&
             (Message.Msg == CM_VISIBLECHANGED || Message.Msg == CM_SHOWINGCHANGED) && FFrame->HandleAllocated()) {
    FSkinData->UpdateIndexes();
    TMessage Loaded{WM_SKINCOMMAND, SkinCommandWParam(AC_SKINLOADED), reinterpret_cast<LPARAM>(Manager), 0};
    BroadcastToChildren(FFrame, Loaded);
  }
  CallPrevious(Message);
}
