#include "skin/manager/SkinList.h"

#include "skin/manager/PackedSkin.h"
#include "skin/manager/SkinManager.h"

#include <algorithm>

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

TacSkinListController::~TacSkinListController() {
  StopFilling();
  FRetired.reset();
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
  if (flag) FUpdateNeeded = true;
  if (notify) NotifyChanged();
}

void TacSkinListController::NotifyChanged() {
  if (FManager.OnSkinListChanged) FManager.OnSkinListChanged(&FManager);
}

void TacSkinListController::AddEntry(const String& name, int internalIndex) {
  TacSkinListEntry e;
  e.Name = name;
  if (internalIndex < 0) {
    e.Kind = 1;
    if (auto bytes = ReadSkinFile(FFolder + name)) ExtractPreviewImage(bytes->data(), bytes->size(), e.Preview);
    String lower = LowerCase(e.Name);
    if (auto at = lower.find(L".skz"); at != String::npos) e.Name.erase(at);
  } else {
    const std::string& data = FManager.InternalSkins().Items(internalIndex)->Data;
    ExtractPreviewImage(data.data(), data.size(), e.Preview);
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

bool TacSkinListController::Step() {
  if (SourceAllowed(sfiInternal) && FNextInternal < FManager.InternalSkins().Count()) {
    AddEntry(FManager.InternalSkins().Items(FNextInternal)->Name, FNextInternal);
    ++FNextInternal;
    return true;
  }
  if (SourceAllowed(sfiExternal)) {
    if (!FSearch && !OpenSearch()) {
      // No folder: the filling ends after the internal skins.
    } else if (ScanNextFile()) {
      return true;
    }
  }
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
}

bool TacSkinListController::Update(bool immediately) {
  if (FManager.Loading() || FManager.Destroying()) return false;
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
  while (Step()) {
  }
}

std::vector<String> TacSkinListController::SkinNames(int kind) {
  FinishList();
  std::vector<String> names;
  for (const TacSkinListEntry& e : FEntries)
    if (kind == 2 || (kind == 0 && e.Kind == 1) || (kind == 1 && e.Kind == 0)) names.push_back(e.Name);
  std::sort(names.begin(), names.end());
  return names;
}
