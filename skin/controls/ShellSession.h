#pragma once
// The shell prepared for the file controls while the program runs: OLE
// initialised on the GUI thread, the desktop root folder and the system's
// small-icon list wrapped as an alpha image list. One per program, made at
// start on the GUI thread and freed at the end.
#include "skin/controls/ShellItemLists.h"

#include <memory>

class TsAlphaImageList;

class TacShellSession {
 public:
  TacShellSession();
  ~TacShellSession();
  TacShellSession(const TacShellSession&) = delete;
  TacShellSession& operator=(const TacShellSession&) = delete;

  TacShellFolder* DesktopRoot() const { return FDesktopRoot.get(); }
  // The system's small icons (shared: the list belongs to the system).
  HIMAGELIST SystemSmallImages() const { return FSystemImages; }
  TsAlphaImageList* SystemImageList() const { return FImageList.get(); }
  bool OleReady() const { return FOleReady; }

 private:
  std::unique_ptr<TacShellFolder> FDesktopRoot;
  bool FOleReady = false;
  HIMAGELIST FSystemImages = nullptr;
  std::unique_ptr<TsAlphaImageList> FImageList;
};

// The file-information record the shell fills, asked with its real size (a
// fixed 32-bit size is too small for the x64 record); the system image list
// of a path, 0 when the shell has none.
HIMAGELIST ShellSmallImageList(const String& Path);
