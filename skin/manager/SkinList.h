#pragma once
// The skins a manager can offer: its internal skins and the packed files of
// its skin folder, each with its preview picture. Filled at once or one entry
// per 12 ms in the background, the steps running on the GUI thread.
#include "framework/FileSearch.h"
#include "framework/Thread.h"
#include "framework/System.h"

#include <memory>
#include <string>
#include <vector>

class TsSkinManager;
class TacSkinListController;

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
  std::string Preview;  // the picture's bytes; empty: none
};

class TacSkinListController {
 public:
  explicit TacSkinListController(TsSkinManager& manager) : FManager(manager) {}
  ~TacSkinListController();
  TacSkinListController(const TacSkinListController&) = delete;
  TacSkinListController& operator=(const TacSkinListController&) = delete;

  const std::vector<TacSkinListEntry>& Entries() const { return FEntries; }
  bool Filling() const { return FThread && !FThread->Terminated(); }
  bool UpdateNeeded() const { return FUpdateNeeded; }
  void SetUpdateNeeded() { FUpdateNeeded = true; }

  // Stops a filling and empties the list.
  void Reset(bool flag, bool notify);
  bool Update(bool immediately);
  void UpdateIfNeeded(bool immediately);
  // Completes a running filling at once.
  void FinishList();
  void NotifyChanged();
  // Names of file skins (kind 0), internal skins (1) or both (2), sorted.
  std::vector<String> SkinNames(int kind);

 private:
  friend class TacAddThread;
  bool SourceAllowed(unsigned kind) const;
  void AddEntry(const String& name, int internalIndex);
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
