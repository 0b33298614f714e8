#include "skin/manager/SkinList.h"

#include "framework/Form.h"
#include "framework/Screen.h"
#include "skin/core/SkinCommand.h"
#include "skin/manager/PackedSkin.h"
#include "skin/manager/SkinManager.h"

#include <algorithm>

// Hears when a registered control is freed, so the list never calls a dead one.
class TacSkinListWatch : public TComponent {
 public:
  explicit TacSkinListWatch(TacSkinListController& list) : TComponent(nullptr), FList(list) {}

 protected:
  void Notification(TComponent* component, TOperation operation) override {
    TComponent::Notification(component, operation);
    if (operation != TOperation::opRemove) return;
    auto& controls = FList.FControls;
    controls.erase(std::remove(controls.begin(), controls.end(), component), controls.end());
  }

 private:
  TacSkinListController& FList;
};

TacAddThread::TacAddThread(TacSkinListController& owner)
    : TThread(true), FOwner(owner), FWait(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
  SetPriority(tpLower);
}

TacAddThread::~TacAddThread() {
  // The loop waits on FWait: it has to end before the event is closed.
  Wake();
  TerminateAndWaitFor();
}

void TacAddThread::Execute() {
  while (!Terminated()) {
    if (WaitForSingleObject(FWait.get(), 12) != WAIT_TIMEOUT) break;
    Synchronize([this] {
      if (!Terminated()) FOwner.ThreadStep(*this);
    });
  }
}

TacSkinListController::TacSkinListController(TsSkinManager& manager)
    : FManager(manager), FWatch(std::make_unique<TacSkinListWatch>(*this)) {}

TacSkinListController::~TacSkinListController() {
  StopFilling();
  FRetired.reset();
  // The watch's end takes it off every control's notification list.
  FControls.clear();
  FWatch.reset();
}

void TacSkinListController::StopFilling() {
  // The one owner of the thread: stop it, wait for it, free it.
  FreeRetired();
  if (!FThread) return;
  FThread->Terminate();
  FThread->Wake();
  if (FThread.get() == FSteppingThread) {
    // Asked from a handler inside the thread's own step: the thread is blocked
    // in that hand-over, so waiting here would never end. It ends once the
    // step returns, and is waited for and freed on the next stop or start.
    FRetired = std::move(FThread);
    return;
  }
  FThread->WaitFor();
  FThread.reset();
}

void TacSkinListController::FreeRetired() {
  if (FRetired && FRetired.get() != FSteppingThread) FRetired.reset();
}

void TacSkinListController::ThreadStep(TacAddThread& thread) {
  // The thread stays alive through its step (see StopFilling), but FThread may
  // be a newer one by the end of it.
  FSteppingThread = &thread;
  const bool more = Step();
  FSteppingThread = nullptr;
  if (!more) thread.Terminate();
}

bool TacSkinListController::SourceAllowed(unsigned kind) const { return (FManager.SkinsFilter() & kind) != 0; }

void TacSkinListController::Reset(bool flag, bool notify) {
  StopFilling();
  CloseSearch();
  FEntries.clear();
  FPreviews.Clear();
  if (flag) FUpdateNeeded = true;
  if (notify) NotifyChanged();
}

void TacSkinListController::Invalidate() {
  StopFilling();
  FUpdateNeeded = true;
}

void TacSkinListController::RegisterControl(TControl* control) {
  if (!control || std::find(FControls.begin(), FControls.end(), control) != FControls.end()) return;
  FControls.push_back(control);
  FWatch->FreeNotification(control);
}

void TacSkinListController::UnregisterControl(TControl* control) {
  auto at = std::find(FControls.begin(), FControls.end(), control);
  if (at == FControls.end()) return;
  FControls.erase(at);
  FWatch->RemoveFreeNotification(control);
}

void TacSkinListController::NotifyChanged() {
  // A control may unregister itself, or another, while it is told: each is
  // looked up again before its turn.
  const auto controls = FControls;
  for (TControl* c : controls)
    if (std::find(FControls.begin(), FControls.end(), c) != FControls.end()) SendCtrlCommand(c, AC_SKINLISTCHANGED, 0);
  if (FManager.OnSkinListChanged) FManager.OnSkinListChanged(&FManager);
}

void TacSkinListController::AnnounceUpdating() {
  const auto controls = FControls;
  for (TControl* c : controls) {
    if (std::find(FControls.begin(), FControls.end(), c) == FControls.end()) continue;
    auto* windowed = dynamic_cast<TWinControl*>(c);
    if (windowed && windowed->HandleAllocated())
      PostMessageW(windowed->Handle(), WM_SKINCOMMAND, SkinCommandWParam(AC_SKINLISTUPDATING), 0);
    else
      SendCtrlCommand(c, AC_SKINLISTUPDATING, 0);
  }
}

void TacSkinListController::BroadcastScan(bool scanning) {
  // Last to first: a form may go away while it is told.
  for (int i = Screen->FormCount() - 1; i >= 0; --i) {
    if (i >= Screen->FormCount()) continue;
    TForm* form = Screen->Forms(i);
    if (form->Loading() || form->Destroying()) continue;
    TMessage m{WM_SKINCOMMAND, SkinCommandWParam(AC_SKINLISTSCAN), scanning ? 1 : 0, 0};
    form->WindowProc(m);
    BroadcastToChildren(form, m);
  }
}

void TacSkinListController::AddEntry(const String& name, int internalIndex) {
  TacSkinListEntry e;
  e.Name = name;
  // A file that cannot be read or holds no usable picture is listed without
  // a preview: one bad file must not end the filling.
  std::string picture;
  if (internalIndex < 0) {
    e.Kind = 1;
    if (auto bytes = ReadSkinFile(FFolder + name); bytes && ExtractPreviewImage(bytes->data(), bytes->size(), picture))
      e.PreviewIndex = FPreviews.Add(picture);
    String lower = LowerCase(e.Name);
    if (auto at = lower.find(L".skz"); at != String::npos) e.Name.erase(at);
  } else {
    const std::string& data = FManager.InternalSkins().Items(internalIndex)->Data;
    if (ExtractPreviewImage(data.data(), data.size(), picture)) e.PreviewIndex = FPreviews.Add(picture);
  }
  FEntries.push_back(std::move(e));
}

bool TacSkinListController::OpenSearch() {
  CloseSearch();
  FFolder = ResolveSkinDirectory(FManager.SkinDirectory());
  const DWORD attr = GetFileAttributesW(FFolder.c_str());
  if (attr == INVALID_FILE_ATTRIBUTES || !(attr & FILE_ATTRIBUTE_DIRECTORY)) return false;
  FSearch = std::make_unique<TSearchRec>();
  FSearchHasEntry = FindFirst(FFolder + L"*.*", faAnyFile, *FSearch) == 0;
  return true;
}

void TacSkinListController::CloseSearch() {
  if (FSearch) FindClose(*FSearch);
  FSearch.reset();
  FSearchHasEntry = false;
}

bool TacSkinListController::ScanNextFile() {
  if (!FSearch || !FSearchHasEntry) return false;
  const String& name = FSearch->Name;
  const bool directory = (FSearch->Attr & faDirectory) != 0;
  // The extension is compared with case: "X.SKZ" is not listed.
  if (!name.empty() && name[0] != L'.' && !directory && name.size() > 4 && name.substr(name.size() - 4) == L".skz")
    AddEntry(name, -1);
  FSearchHasEntry = FindNext(*FSearch) == 0;
  return FSearchHasEntry;
}

bool TacSkinListController::AddNext() {
  if (SourceAllowed(sfiInternal) && FNextInternal < FManager.InternalSkins().Count()) {
    AddEntry(FManager.InternalSkins().Items(FNextInternal)->Name, FNextInternal);
    ++FNextInternal;
    return true;
  }
  // No folder: the filling ends after the internal skins.
  return SourceAllowed(sfiExternal) && (FSearch || OpenSearch()) && ScanNextFile();
}

bool TacSkinListController::Step() {
  if (AddNext()) return true;
  CloseSearch();
  // Ended before the news goes out: a handler that finishes the list must
  // find nothing left to do, or it would scan the folder again.
  if (FThread) FThread->Terminate();
  FUpdateNeeded = false;
  NotifyChanged();
  return false;
}

void TacSkinListController::StartFilling() {
  if (FThread) return;
  FreeRetired();
  FNextInternal = 0;
  FThread = std::make_unique<TacAddThread>(*this);
  FThread->Start();
  BroadcastScan(true);
}

bool TacSkinListController::SharesDefaultList() const {
  const TsSkinManager* def = TsSkinManager::DefaultManager();
  // A default manager on its way out has given up its list already.
  return def && def != &FManager && !def->Destroying() &&
         _wcsicmp(def->SkinDirectory().c_str(), FManager.SkinDirectory().c_str()) == 0;
}

void TacSkinListController::CopyDefaultList() {
  // Its own filling would add to the copy.
  StopFilling();
  CloseSearch();
  FPreviews.Clear();
  TacSkinListController& other = TsSkinManager::DefaultManager()->SkinList();
  other.FinishList();
  other.UpdateIfNeeded(true);
  FEntries = other.FEntries;
  FPreviews.Assign(other.FPreviews);
  FUpdateNeeded = false;
  NotifyChanged();
}

bool TacSkinListController::Update(bool immediately) {
  if (FManager.Loading() || FManager.Destroying()) return false;
  if (SharesDefaultList()) {
    CopyDefaultList();
    return true;
  }
  Reset(false, true);
  FNextInternal = 0;
  if (immediately) {
    while (Step()) {
    }
    return true;
  }
  StartFilling();
  return true;
}

void TacSkinListController::UpdateIfNeeded(bool immediately) {
  if (FUpdateNeeded && Update(immediately) && immediately) FUpdateNeeded = false;
}

void TacSkinListController::FinishList() {
  if (!Filling()) return;
  StopFilling();
  while (AddNext()) {
  }
  CloseSearch();
  FUpdateNeeded = false;
  BroadcastScan(false);
  NotifyChanged();
}

std::vector<String> TacSkinListController::SkinNames(int kind) {
  FinishList();
  std::vector<String> names;
  for (const TacSkinListEntry& e : FEntries)
    if (kind == 2 || (kind == 0 && e.Kind == 1) || (kind == 1 && e.Kind == 0)) names.push_back(e.Name);
  std::sort(names.begin(), names.end());
  return names;
}
