#include "skin/state/CommonData.h"

#include "framework/Application.h"
#include "framework/WinControl.h"
#include "skin/core/SkinConstants.h"
#include "skin/core/SkinUtils.h"
#include "skin/graphics/Bitmap32.h"
#include "skin/manager/HotWindow.h"
#include "skin/manager/SkinManager.h"
#include "skin/state/ControlKinds.h"
#include "skin/state/GlowEffects.h"
#include "skin/state/ManagerLink.h"
#include "skin/state/NotifyFormOfChild.h"
#include "skin/state/OuterEffects.h"
#include "skin/state/PaintBorderData.h"
#include "skin/state/ThreadedTimer.h"

namespace {

TWinControl* AsWindowed(TControl* Control) { return dynamic_cast<TWinControl*>(Control); }

bool CanUpdateControl(const TControl* Control) { return Control && !Control->Loading() && !Control->Destroying(); }

int ControlDPI(TControl* Control) {
  TWinControl* Windowed = AsWindowed(Control);
  if (!Windowed && Control) Windowed = Control->Parent();
  return Windowed ? WindowDPI(Windowed->HandleIfAllocated()) : MainFormDPI();
}

bool HasSkinTables(const TsSkinManager* Manager) { return Manager->IsSkinLoaded() && Manager->SkinData(); }

// The hot-window tracking asks whether a speed button's state has the mouse
// above it; it learns the answer from here once this library is linked.
const bool gMouseAboveWired = (
    CommonDataMouseAbove = [](const TsCommonData* Data) { return Data->MouseAbove; }, true);

}  // namespace

TsCommonData::TsCommonData(TPersistent* AOwner, bool CreateCache)
    : OwnerObject(AOwner), FManagerLink(std::make_unique<TacManagerLink>(*this)) {
  (void)gMouseAboveWired;
  OwnerControl = dynamic_cast<TControl*>(AOwner);
  if (OwnerControl && AsWindowed(OwnerControl)) WndProc = OwnerControl->WindowProc;
  FOuterEffects = std::make_unique<TacOuterEffects>(this);
  FCustomBorder = std::make_unique<TacPaintBorderData>(
      OwnerControl, [this](TObject*) { Invalidate(false); }, this);
  if (CreateCache) CacheBmp = NewBitmap32(0, 0);
  AttachWindow();
}

TsCommonData::~TsCommonData() {
  DetachWindow();
  SkinIndex = -1;
  // Let go of the manager without telling the owner: it may be the one
  // freeing us, with its link to us already cleared.
  SetScaledSkinData(nullptr);
  if (FSkinManager) FManagerLink->Forget(FSkinManager);
  FSkinManager = nullptr;
  ClearOwnerLinks();
  // A timer being destroyed already frees itself; the others go with us.
  for (TacThreadedTimer** Timer : {&PulseTimer, &FadeTimer, &ClickTimer, &EffectTimer}) {
    TacThreadedTimer* T = *Timer;
    *Timer = nullptr;
    if (!T) continue;
    if (T->Data == this) T->Data = nullptr;
    if (!T->Destroying()) delete T;
  }
  ReleaseEffectWindows();
}

void TsCommonData::Loaded(bool ApplyColors) {
  Loading = false;
  SetScaledSkinData(nullptr);
  SetDefaultSection();
  if (IsSkinned(false) && OwnerControl && OwnerControl->Parent() && !OwnerControl->Loading()) {
    if (AsWindowed(OwnerControl)) NotifyFormOfChild(OwnerControl);
    // Passing the opaque state on to the children belongs to form skinning.
    if (ApplyColors) ApplySkinColors(false);
  }
  AttachWindow();
}

LRESULT TsCommonData::SkinWndProc(UINT Msg, WPARAM WParam, LPARAM LParam) {
  if (WndProc) {
    TMessage Message{Msg, WParam, LParam, 0};
    WndProc(Message);
    return Message.Result;
  }
  const HWND Handle = GetWndHandle();
  return Handle ? SendMessageW(Handle, Msg, WParam, LParam) : 0;
}

void TsCommonData::AttachWindow() {
  const HWND Handle = GetWndHandle();
  if (!Handle) return;
  if (!WndProc && AsWindowed(OwnerControl)) WndProc = OwnerControl->WindowProc;
  // A window made again for the same owner takes the property over.
  if (FAttachedWnd && FAttachedWnd != Handle) DetachWindow();
  SetPropW(Handle, acSkinDataProperty, static_cast<TacSkinMessageTarget*>(this));
  FAttachedWnd = Handle;
}

void TsCommonData::DetachWindow() {
  if (Application && Application->Terminated()) return;
  // The window we marked, even when the owner no longer gives its handle
  // because it is being destroyed: a live window must not keep our address.
  for (HWND Handle : {FAttachedWnd, GetWndHandle()})
    if (Handle && GetWndCommonData(Handle) == this) RemovePropW(Handle, acSkinDataProperty);
  FAttachedWnd = nullptr;
}

void TsCommonData::ClearOwnerLinks() {
  OwnerControl = nullptr;
  OwnerObject = nullptr;
  Wnd = nullptr;
}

HWND TsCommonData::GetWndHandle() const {
  if (!OwnerControl) return Wnd;
  TWinControl* Windowed = AsWindowed(OwnerControl);
  if (!Windowed || Windowed->Destroying()) return nullptr;
  return Windowed->HandleIfAllocated();
}

TsSkinManager* TsCommonData::GetSkinManager() const {
  return FSkinManager ? FSkinManager : TsSkinManager::DefaultManager();
}

void TsCommonData::SetSkinManager(TsSkinManager* Value) {
  if (Value == FSkinManager) return;
  SetScaledSkinData(nullptr);
  if (FSkinManager) FManagerLink->Forget(FSkinManager);
  // The default manager is not stored: the state follows whichever manager
  // is the default later.
  FSkinManager = Value && Value == TsSkinManager::DefaultManager() ? nullptr : Value;
  if (FSkinManager) FManagerLink->Watch(FSkinManager);
  if (OwnerControl && OwnerControl->Loading()) return;
  if (Value && Value->SectionCount() > 0)
    UpdateIndexes(true);
  else
    SkinIndex = -1;
  if (!OwnerControl || !OwnerControl->Parent() || OwnerControl->Destroying()) return;
  const bool Refresh = Value && Value->SectionCount() > 0 && SkinIndex >= 0;
  SendCtrlCommand(OwnerControl, Refresh ? AC_SKINREFRESH : AC_SKINREMOVED, reinterpret_cast<LPARAM>(Value));
}

void TsCommonData::ManagerGone(const TComponent* Manager) {
  if (Manager == static_cast<TComponent*>(FScaledDataManager)) SetScaledSkinData(nullptr);
  if (Manager != static_cast<TComponent*>(FSkinManager)) return;
  FSkinManager = nullptr;
  // The index belonged to the skin that went with it.
  SkinIndex = -1;
  BGChanged = true;
}

void TsCommonData::SetSkinSection(const String& Value) {
  if (Value == FSkinSection) return;
  ReleaseEffectWindows();
  FSkinSection = UpperCase(Value);
  TsSkinManager* Manager = GetSkinManager();
  if (!Manager || Manager->SectionCount() == 0)
    SkinIndex = -1;
  else
    UpdateIndexes(true);
  if (!OwnerControl || !OwnerControl->Parent() ||
      (OwnerControl->ComponentState() & (csLoading | csReading | csDestroying)))
    return;
  if (TWinControl* Windowed = AsWindowed(OwnerControl)) {
    if (CacheBmp) CacheBmp->SetSize(0, 0);
    TMessage Message{WM_SKINCOMMAND, SkinCommandWParam(AC_INVALIDATEALL, 1), 0, 0};
    BroadcastToChildren(Windowed, Message);
  }
  if (Updating || Loading) {
    if (!Loading) ApplyStateColors(false);
    return;
  }
  const auto ManagerParam = reinterpret_cast<LPARAM>(Manager);
  if (Manager && Manager->IsValidSectionIndex(SkinIndex))
    OwnerControl->Perform(WM_SKINCOMMAND, SkinCommandWParam(AC_SKINREFRESH, uint16_t(SkinIndex)), ManagerParam);
  else
    SendCtrlCommand(OwnerControl, AC_SKINREMOVED, ManagerParam);
}

bool TsCommonData::IsSkinSectionStored() {
  const auto Number = QueryCtrlCommand(OwnerControl, AC_GETDEFSECTION);
  if (Number < 1 || Number > 19) return true;
  return !FSkinSection.empty() && FSkinSection != DefaultSectionNames[Number - 1];
}

int TsCommonData::AskDefaultIndex() {
  if (TWinControl* Windowed = AsWindowed(OwnerControl)) {
    const HWND Handle = Windowed->HandleIfAllocated();
    return Handle ? int(SendWndCommand(Handle, AC_GETDEFINDEX, 0)) : 0;
  }
  return OwnerControl ? int(QueryCtrlCommand(OwnerControl, AC_GETDEFINDEX)) : 0;
}

void TsCommonData::UpdateIndexes(bool FindIndex) {
  BGChanged = true;
  if (FindIndex) {
    SetScaledSkinData(nullptr);
    SkinIndex = -1;
    TsSkinManager* Manager = GetSkinManager();
    if (Manager && Manager->Active())
      SkinIndex = FSkinSection.empty() ? AskDefaultIndex() - 1 : Manager->GetSectionIndex(FSkinSection);
  }
  UpdatePaintFlags();
}

void TsCommonData::SetDefaultSection() {
  if (!FSkinSection.empty()) {
    UpdateIndexes(true);
    return;
  }
  if (ckAskedSectionKinds.Contains(CtrlKind)) {
    UpdateIndexes(true);
    return;
  }
  switch (CtrlKind) {
    case 18:
      SetSkinSection(L"COMBOBOX");
      break;
    case 19:
      SetSkinSection(L"BAR");
      break;
    case 20:
      SetSkinSection(L"BARTITLE");
      break;
    case 56:
      SetSkinSection(L"DRAGBAR");
      break;
    case 98:
      SetSkinSection(L"TOOLBUTTON");
      break;
    case 230:
      SetSkinSection(L"EDIT");
      break;
    default:
      break;  // a provider owner names its section after its class; providers come with form skinning
  }
}

void TsCommonData::FindIndexFromList(const std::vector<String>& Names, int Last) {
  TsSkinManager* Manager = GetSkinManager();
  if (!Manager) {
    SkinIndex = -1;
    return;
  }
  for (int I = 0; I <= Last && I < int(Names.size()); ++I) {
    if (Names[I].empty()) continue;
    const int Index = Manager->GetSectionIndex(Names[I]);
    if (Manager->IsValidSectionIndex(Index)) {
      SkinIndex = Index;
      break;
    }
  }
  UpdateIndexes(false);
}

bool TsCommonData::IsSkinned(bool NeedLoaded) const {
  TsSkinManager* Manager = GetSkinManager();
  if (!Manager || Manager->Destroying() || SkinIndex < 0) return false;
  TacSkinData* Data = const_cast<TsCommonData*>(this)->GetScaledSkinData();
  if (!Data || SkinIndex >= int(Data->GeneralDataArray.size())) return false;
  return NeedLoaded ? Manager->IsSkinLoaded() : true;
}

void TsCommonData::SetCustomColor(bool Value) {
  if (Value == FCustomColor) return;
  FCustomColor = Value;
  if (!OwnerControl || OwnerControl->Loading() || Loading) return;
  if (Value && SavedColor != acColorUnset)
    OwnerControl->SetColor(TColor(SavedColor));
  else
    SavedColor = uint32_t(OwnerControl->Color());
  ApplySkinColors(true);
}

void TsCommonData::SetCustomFont(bool Value) {
  if (Value == FCustomFont) return;
  FCustomFont = Value;
  if (!OwnerControl || OwnerControl->Loading() || Loading) return;
  if (Value && SavedFontColor != acColorUnset)
    OwnerControl->Font().SetColor(TColor(SavedFontColor));
  else
    SavedFontColor = uint32_t(OwnerControl->Font().Color());
  ApplySkinColors(true);
}

void TsCommonData::SetOpaqueMode(TacOpaqueMode Value) {
  if (Value == FOpaqueMode) return;
  FOpaqueMode = Value;
  TWinControl* Windowed = AsWindowed(OwnerControl);
  // Only systems with window composition attributes paint the modes apart.
  if (Windowed && !(Windowed->ComponentState() & (csLoading | csDesigning | csDestroying)) && IsWin10OrLater())
    Windowed->Perform(CM_RECREATEWND);
}

void TsCommonData::SetScaledSkinData(TacSkinData* Data) {
  FScaledSkinData = Data;
  ScaleIndex = Data ? Data->ScaleIndex : -1;
  TsSkinManager* Manager = Data ? GetSkinManager() : nullptr;
  if (Manager == FScaledDataManager) return;
  if (FScaledDataManager && FScaledDataManager != FSkinManager) FManagerLink->Forget(FScaledDataManager);
  FScaledDataManager = Manager;
  if (Manager) FManagerLink->Watch(Manager);
}

TacSkinData* TsCommonData::DataForPPI(TsSkinManager* Manager, int Ppi) { return Manager->GetSkinDataForPPI(Ppi); }

TacSkinData* TsCommonData::GetScaledSkinData() {
  TsSkinManager* Manager = GetSkinManager();
  // Tables of a manager that is no longer ours (the default changed).
  if (FScaledSkinData && FScaledDataManager != Manager) SetScaledSkinData(nullptr);
  if (!Manager) return nullptr;
  if (SkinIndex >= 0 && HasSkinTables(Manager)) {
    if (FScaledSkinData) return FScaledSkinData;
    if (!OwnerControl) {
      SetScaledSkinData(DataForPPI(Manager, MainFormDPI()));
      return FScaledSkinData;
    }
    TWinControl* Parent = OwnerControl->Parent();
    if (CanUpdateControl(OwnerControl) && Parent && Parent->Showing() && Parent->HandleAllocated()) {
      int Ppi = 96;
      const TacScaleMode Mode = Manager->Options().ScaleMode();
      if (Manager->Scaling())
        Ppi = PPI;
      else if (Mode == TacScaleMode::smAuto || Mode == TacScaleMode::smFramework)
        Ppi = ControlDPI(OwnerControl);
      else if (Mode == TacScaleMode::smCustomPPI)
        Ppi = Manager->Options().PixelsPerInch();
      else if (Mode != TacScaleMode::smOldMode)
        Ppi = acScalePPI[int(Mode)];
      SetScaledSkinData(DataForPPI(Manager, Ppi));
      return FScaledSkinData;
    }
    return DataForPPI(Manager, MainFormDPI());
  }
  SetScaledSkinData(nullptr);
  if (!Manager->IsSkinLoaded()) return nullptr;
  if (Manager->Options().ScaleMode() == TacScaleMode::smCustomPPI)
    return DataForPPI(Manager, Manager->Options().PixelsPerInch());
  return DataForPPI(Manager, MainFormDPI());
}

int TsCommonData::GetPPI() {
  TsSkinManager* Manager = GetSkinManager();
  if (Manager && SkinIndex >= 0 && HasSkinTables(Manager)) {
    if (FScaledSkinData && FScaledDataManager == Manager) return FScaledSkinData->PPI;
    if (CanUpdateControl(OwnerControl)) return ControlDPI(OwnerControl);
    return MainFormDPI();
  }
  if (Manager)
    return Manager->Options().ScaleMode() == TacScaleMode::smCustomPPI ? Manager->Options().PixelsPerInch()
                                                                       : MainFormDPI();
  return OwnerControl ? ControlDPI(OwnerControl) : MainFormDPI();
}

void TsCommonData::BeginUpdate() {
  ++UpdateCount;
  Updating = true;
  StateBits |= acsInUpdate;
  SendCtrlCommand(OwnerControl, AC_BEGINUPDATE, 0);
}

void TsCommonData::EndUpdate(bool Repaint) {
  // An unmatched end neither takes the count below zero nor tells the
  // owner of an update that never began.
  const bool WasOpen = UpdateCount > 0;
  if (WasOpen) --UpdateCount;
  Updating = false;
  StateBits &= ~acsInUpdate;
  if (UpdateCount > 0 || !WasOpen) return;
  SendCtrlCommand(OwnerControl, AC_ENDUPDATE, 0);
  if (Repaint) Invalidate(true);
}

void TsCommonData::ReleaseEffectWindows() {
  // The effects keep the glow and circle windows by these ids: they must
  // not outlive this state nor keep it as their owner.
  HideLayeredEffect(GlowId, false);
  HideLayeredEffect(EffectId, false);
}

TsCommonData* GetWndCommonData(HWND Wnd) {
  if (!Wnd) return nullptr;
  auto* Target = static_cast<TacSkinMessageTarget*>(GetPropW(Wnd, acSkinDataProperty));
  return Target ? dynamic_cast<TsCommonData*>(Target) : nullptr;
}

bool IsControlSkinned(TControl* Control, bool NeedLoaded) {
  if (!Control) return false;
  TWinControl* Windowed = AsWindowed(Control);
  const HWND Handle = Windowed ? Windowed->HandleIfAllocated() : nullptr;
  if (!Handle) return QueryCtrlCommand(Control, AC_ISSKINNED) == 1;
  if (TsCommonData* Data = GetWndCommonData(Handle)) return !NeedLoaded || Data->IsSkinned(false);
  // Scroll wrappers carry their own skin state; they come with the window hooks.
  if (GetPropW(Handle, acScrollWrapperProperty)) return true;
  return SendMessageW(Handle, WM_SKINCOMMAND, SkinCommandWParam(AC_ISSKINNED), 0) == 1;
}

int ScaleToPPI(int Value, TsCommonData* Data, bool Force) {
  TsSkinManager* Manager = Data ? Data->GetSkinManager() : TsSkinManager::DefaultManager();
  if (!Manager) return MulDiv(Value, MainFormDPI(), 96);
  switch (Manager->Options().ScaleMode()) {
    case TacScaleMode::smOldMode:
      return Value;
    case TacScaleMode::smFramework: {
      if (!Force) return Value;
      TacSkinData* Scaled = Data ? Data->GetScaledSkinData() : nullptr;
      return MulDiv(Value, Scaled ? Scaled->PPI : MainFormDPI(), 96);
    }
    case TacScaleMode::smCustomPPI:
      return MulDiv(Value, Manager->Options().PixelsPerInch(), 96);
    default:
      return ScaleByIndex(Value, Manager->GetScaleIndex());
  }
}
