#include "skin/controls/ShellSession.h"

#include "skin/core/SkinUtils.h"
#include "skin/imagelists/AlphaImageList.h"

#include <commctrl.h>
#include <shellapi.h>

namespace {
TacShellSession* gSession = nullptr;
}

TacShellFolder* DesktopRootFolder() { return gSession ? gSession->DesktopRoot() : nullptr; }

HIMAGELIST ShellSmallImageList(const String& Path) {
  SHFILEINFOW Info{};
  return reinterpret_cast<HIMAGELIST>(
      SHGetFileInfoW(Path.c_str(), 0, &Info, sizeof(Info), SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
}

TacShellSession::TacShellSession() {
  LoadShellFileInfo();
  LPITEMIDLIST Desktop = nullptr;
  if (SUCCEEDED(SHGetSpecialFolderLocation(nullptr, CSIDL_DESKTOP, &Desktop)) && Desktop) {
    TacOwnedPIDL DesktopList(Desktop);
    FDesktopRoot = std::make_unique<TacShellFolder>(nullptr, DesktopShellFolder(), DesktopList.get());
  }
  FOleReady = SUCCEEDED(OleInitialize(nullptr));
  FSystemImages = ShellSmallImageList(L"C:\\");
  if (FSystemImages) {
    FImageList = std::make_unique<TsAlphaImageList>(nullptr);
    FImageList->SetFollowDensity(false);
    FImageList->SetShareImages(true);
    FImageList->BeginItemsUpdate();
    FImageList->SetHandle(FSystemImages);
    FImageList->EndItemsUpdate(false);
    ImageList_SetBkColor(FSystemImages, CLR_NONE);
  }
  gSession = this;
}

TacShellSession::~TacShellSession() {
  gSession = nullptr;
  FDesktopRoot.reset();
  if (FOleReady) OleUninitialize();
  FImageList.reset();
}
