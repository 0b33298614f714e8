#pragma once
// Shell item identifier lists (PIDLs): a run of items, each starting with its
// size in bytes as a 16-bit value, ended by a 16-bit zero. Lists are taken
// from and given back to the shell's allocator.
#include "framework/StringList.h"

#include <windows.h>

#include <shlobj.h>

#include <memory>

// Size bytes from the shell's allocator, zero-filled; nullptr when it has
// none. A missing allocator raises EOleSysError.
LPITEMIDLIST AllocPIDL(UINT Size);
LPITEMIDLIST NextPIDL(LPCITEMIDLIST P);
// 0 for nullptr, else the items' sizes and the terminator.
UINT GetPIDLSize(LPCITEMIDLIST P);
LPITEMIDLIST CopyPIDL(LPCITEMIDLIST P);
// A without its terminator followed by the whole of B.
LPITEMIDLIST ConcatPIDLs(LPCITEMIDLIST A, LPCITEMIDLIST B);
void DisposePIDL(LPITEMIDLIST P);

struct TacPIDLDeleter {
  void operator()(ITEMIDLIST* P) const { DisposePIDL(P); }
};
// A list owned until it goes out of scope.
using TacOwnedPIDL = std::unique_ptr<ITEMIDLIST, TacPIDLDeleter>;

// An interface reference released when it goes out of scope.
template <class T>
class TacComRef {
 public:
  TacComRef() = default;
  explicit TacComRef(T* Taken) : FPtr(Taken) {}
  TacComRef(const TacComRef& Other) : FPtr(Other.FPtr) {
    if (FPtr) FPtr->AddRef();
  }
  TacComRef& operator=(TacComRef Other) {
    std::swap(FPtr, Other.FPtr);
    return *this;
  }
  ~TacComRef() {
    if (FPtr) FPtr->Release();
  }
  T* Get() const { return FPtr; }
  T* operator->() const { return FPtr; }
  explicit operator bool() const { return FPtr != nullptr; }
  // For calls that hand out a new reference.
  T** Out() {
    *this = TacComRef();
    return &FPtr;
  }

 private:
  T* FPtr = nullptr;
};

// The desktop's shell folder; a failure raises EOleSysError.
TacComRef<IShellFolder> DesktopShellFolder();

// A folder of the shell name space with its place in the tree.
class TacShellFolder : public TObject {
 public:
  // Without Parent the folder hangs below the desktop root (DesktopRootFolder)
  // and its full list starts with the desktop's own.
  TacShellFolder(TacShellFolder* Parent, TacComRef<IShellFolder> ShellFolder, LPCITEMIDLIST PIDL);
  ~TacShellFolder() override;

  LPCITEMIDLIST RelativePIDL() const { return FRelativePIDL.get(); }
  LPCITEMIDLIST FullPIDL() const { return FFullPIDL.get(); }
  int Level() const { return FLevel; }
  TStringList& Details() { return FDetails; }
  TacShellFolder* Parent() const { return FParent; }
  IShellFolder* ShellFolder() const { return FShellFolder.Get(); }

 private:
  TacOwnedPIDL FRelativePIDL;
  TacOwnedPIDL FFullPIDL;
  int FLevel = 0;
  TStringList FDetails;
  TacShellFolder* FParent;
  TacComRef<IShellFolder> FShellFolder;
};

// The desktop root the shell session built; nullptr outside a session.
TacShellFolder* DesktopRootFolder();
