#pragma once
// The skins a manager can offer: its internal skins and the packed files of
// its skin folder, each with its preview picture. Filled at once or one entry
// per 12 ms in the background, the steps running on the GUI thread.
#include "framework/FileSearch.h"
#include "framework/Thread.h"
#include "framework/System.h"
#include "skin/manager/SkinPreviews.h"

#include <memory>
#include <string>
#include <vector>

class TControl;
class TsSkinManager;
class TacSkinListController;
class TacSkinListWatch;

// Wakes every 12 ms and runs one step of the filling on the GUI thread. Its
// controller owns it: terminates it, waits for it and deletes it.
class TacAddThread : public TThread {
 public:
  explicit TacAddThread(TacSkinListController& owner);
  ~TacAddThread() override;
  // Cuts the 12 ms wait short.
  void Wake() { SetEvent(FWait.get()); }

 protected:
  void Execute() override;

 private:
  TacSkinListController& FOwner;
  TOwnedHandle FWait;
};

struct TacSkinListEntry {
  int Kind = 0;  // 0 internal, 1 file
  String Name;
  int PreviewIndex = -1;  // into the list's previews; -1: none
};

class TacSkinListController {
 public:
  explicit TacSkinListController(TsSkinManager& manager);
  ~TacSkinListController();
  TacSkinListController(const TacSkinListController&) = delete;
  TacSkinListController& operator=(const TacSkinListController&) = delete;

  const std::vector<TacSkinListEntry>& Entries() const { return FEntries; }
  const TacSkinPreviews& Previews() const { return FPreviews; }
  bool Filling() const { return FThread && !FThread->Terminated(); }
  bool UpdateNeeded() const { return FUpdateNeeded; }
  void SetUpdateNeeded() { FUpdateNeeded = true; }
  // The sources changed: stops a filling and flags the list for rebuilding.
  void Invalidate();

  // Stops a filling and empties the list.
  void Reset(bool flag, bool notify);
  bool Update(bool immediately);
  void UpdateIfNeeded(bool immediately);
  // Completes a running filling at once.
  void FinishList();
  // Registered controls get AC_SKINLISTCHANGED, then OnSkinListChanged fires.
  void NotifyChanged();
  // Registered controls get AC_SKINLISTUPDATING: the skin or Active changed.
  void AnnounceUpdating();
  // Skin-selection controls, told of list changes until they are freed or
  // unregistered.
  void RegisterControl(TControl* control);
  void UnregisterControl(TControl* control);
  const std::vector<TControl*>& Controls() const { return FControls; }
  // Names of file skins (kind 0), internal skins (1) or both (2), sorted.
  std::vector<String> SkinNames(int kind);

 private:
  friend class TacAddThread;
  friend class TacSkinListWatch;
  bool SourceAllowed(unsigned kind) const;
  // A second manager on the default manager's folder takes that list.
  bool SharesDefaultList() const;
  void CopyDefaultList();
  void AddEntry(const String& name, int internalIndex);
  // Adds the next internal skin or reads the next directory entry; false
  // when nothing remains.
  bool AddNext();
  void BroadcastScan(bool scanning);
  // Reads one directory entry; false when the folder is done.
  bool ScanNextFile();
  bool OpenSearch();
  void CloseSearch();
  void StartFilling();
  void StopFilling();
  // One step on the GUI thread; false when nothing remains.
  bool Step();
  // The thread's step, handed over to the GUI thread.
  void ThreadStep(TacAddThread& thread);
  void FreeRetired();

  TsSkinManager& FManager;
  std::vector<TacSkinListEntry> FEntries;
  TacSkinPreviews FPreviews;
  std::vector<TControl*> FControls;
  std::unique_ptr<TacSkinListWatch> FWatch;
  std::unique_ptr<TacAddThread> FThread;
  // A thread stopped from inside its own step, freed at the next stop or start.
  std::unique_ptr<TacAddThread> FRetired;
  TacAddThread* FSteppingThread = nullptr;
  bool FUpdateNeeded = true;
  int FNextInternal = 0;
  std::unique_ptr<TSearchRec> FSearch;
  bool FSearchHasEntry = false;
  String FFolder;
};
