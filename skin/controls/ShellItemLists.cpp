#include "skin/controls/ShellItemLists.h"

#include "framework/OleError.h"

#include <cstring>

namespace {

TacComRef<IMalloc> ShellMalloc() {
  TacComRef<IMalloc> Malloc;
  OleCheck(SHGetMalloc(Malloc.Out()));
  return Malloc;
}

USHORT ItemSize(LPCITEMIDLIST P) { return P->mkid.cb; }

}  // namespace

LPITEMIDLIST AllocPIDL(UINT Size) {
  auto* Result = static_cast<LPITEMIDLIST>(ShellMalloc()->Alloc(Size));
  if (Result) std::memset(Result, 0, Size);
  return Result;
}

LPITEMIDLIST NextPIDL(LPCITEMIDLIST P) {
  return reinterpret_cast<LPITEMIDLIST>(const_cast<BYTE*>(reinterpret_cast<const BYTE*>(P)) + ItemSize(P));
}

UINT GetPIDLSize(LPCITEMIDLIST P) {
  if (!P) return 0;
  UINT Size = sizeof(USHORT);
  for (; ItemSize(P) != 0; P = NextPIDL(P)) Size += ItemSize(P);
  return Size;
}

LPITEMIDLIST CopyPIDL(LPCITEMIDLIST P) {
  const UINT Size = GetPIDLSize(P);
  LPITEMIDLIST Result = AllocPIDL(Size);
  if (Result && Size) std::memcpy(Result, P, Size);
  return Result;
}

LPITEMIDLIST ConcatPIDLs(LPCITEMIDLIST A, LPCITEMIDLIST B) {
  const UINT SizeA = A ? GetPIDLSize(A) - sizeof(USHORT) : 0;
  const UINT SizeB = GetPIDLSize(B);
  LPITEMIDLIST Result = AllocPIDL(SizeA + SizeB);
  if (!Result) return nullptr;
  if (SizeA) std::memcpy(Result, A, SizeA);
  if (SizeB) std::memcpy(reinterpret_cast<BYTE*>(Result) + SizeA, B, SizeB);
  return Result;
}

void DisposePIDL(LPITEMIDLIST P) {
  if (P) ShellMalloc()->Free(P);
}

TacComRef<IShellFolder> DesktopShellFolder() {
  TacComRef<IShellFolder> Folder;
  OleCheck(SHGetDesktopFolder(Folder.Out()));
  return Folder;
}

TacShellFolder::TacShellFolder(TacShellFolder* Parent, TacComRef<IShellFolder> ShellFolder, LPCITEMIDLIST PIDL)
    : FParent(Parent), FShellFolder(std::move(ShellFolder)) {
  FRelativePIDL.reset(CopyPIDL(PIDL));
  if (Parent) {
    FFullPIDL.reset(ConcatPIDLs(Parent->FullPIDL(), PIDL));
  } else {
    LPITEMIDLIST Desktop = nullptr;
    SHGetSpecialFolderLocation(nullptr, CSIDL_DESKTOP, &Desktop);
    TacOwnedPIDL DesktopList(Desktop);
    FFullPIDL.reset(ConcatPIDLs(DesktopList.get(), PIDL));
    FParent = DesktopRootFolder();
  }
  // Counted from the given parent's own parent upwards.
  for (TacShellFolder* Above = Parent ? Parent->FParent : nullptr; Above; Above = Above->FParent) ++FLevel;
}

TacShellFolder::~TacShellFolder() = default;
