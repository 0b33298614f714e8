#include "framework/ImageList.h"

#include "framework/Bitmap.h"

#include <algorithm>

TChangeLink::~TChangeLink() {
  if (FSender) FSender->UnRegisterChanges(this);
}

void TChangeLink::Change() {
  if (OnChange) OnChange(FSender);
}

TCustomImageList::TCustomImageList(TComponent* owner) : TComponent(owner) {}

TCustomImageList::~TCustomImageList() {
  for (TChangeLink* link : FLinks) link->SetSender(nullptr);
  FreeHandle();
}

void TCustomImageList::FreeHandle() {
  if (FHandle && !FShareImages) ImageList_Destroy(FHandle);
  FHandle = nullptr;
}

HIMAGELIST TCustomImageList::Handle() {
  if (!FHandle) {
    UINT flags = ILC_COLOR32 | (FMasked ? ILC_MASK : 0);
    FHandle = ImageList_Create(FWidth, FHeight, flags, 0, std::max(FAllocBy, 1));
    if (FHandle) ImageList_SetBkColor(FHandle, FBkColor == clNone ? CLR_NONE : ColorToRGB(FBkColor));
  }
  return FHandle;
}

void TCustomImageList::SetHandle(HIMAGELIST handle) {
  if (handle == FHandle) return;
  FreeHandle();
  FHandle = handle;
  if (FHandle) {
    int w = FWidth, h = FHeight;
    if (ImageList_GetIconSize(FHandle, &w, &h)) {
      FWidth = w;
      FHeight = h;
    }
  }
  Change();
}

void TCustomImageList::SetWidth(int value) {
  if (value == FWidth || value <= 0) return;
  FWidth = value;
  if (FHandle) {
    ImageList_SetIconSize(FHandle, FWidth, FHeight);  // also removes every image
    Change();
  }
}

void TCustomImageList::SetHeight(int value) {
  if (value == FHeight || value <= 0) return;
  FHeight = value;
  if (FHandle) {
    ImageList_SetIconSize(FHandle, FWidth, FHeight);
    Change();
  }
}

void TCustomImageList::SetMasked(bool value) {
  if (value == FMasked) return;
  FMasked = value;
  FreeHandle();  // the mask is a creation flag
  Change();
}

void TCustomImageList::SetBkColor(TColor value) {
  FBkColor = value;
  if (FHandle) ImageList_SetBkColor(FHandle, value == clNone ? CLR_NONE : ColorToRGB(value));
}

int TCustomImageList::Count() const { return FHandle ? ImageList_GetImageCount(FHandle) : 0; }

int TCustomImageList::Add(TBitmap* image, TBitmap* mask) {
  if (!image) return -1;
  int index = ImageList_Add(Handle(), image->Handle(), mask ? mask->Handle() : nullptr);
  if (index >= 0) Change();
  return index;
}

int TCustomImageList::AddIcon(HICON icon) {
  if (!icon) return -1;
  int index = ImageList_ReplaceIcon(Handle(), -1, icon);
  if (index >= 0) Change();
  return index;
}

void TCustomImageList::ReplaceIcon(int index, HICON icon) {
  if (icon && index >= 0 && index < Count() && ImageList_ReplaceIcon(FHandle, index, icon) >= 0) Change();
}

void TCustomImageList::Delete(int index) {
  if (index >= 0 && index < Count() && ImageList_Remove(FHandle, index)) Change();
}

void TCustomImageList::Clear() {
  if (FHandle && Count() > 0) {
    ImageList_Remove(FHandle, -1);
    Change();
  }
}

HICON TCustomImageList::GetIcon(int index) const {
  if (index < 0 || index >= Count()) return nullptr;
  return ImageList_GetIcon(FHandle, index, ILD_NORMAL);
}

UINT TCustomImageList::DrawStyleFlags() const {
  static constexpr UINT kStyles[] = {ILD_FOCUS, ILD_SELECTED, ILD_NORMAL, ILD_TRANSPARENT};
  UINT flags = kStyles[static_cast<int>(FDrawingStyle)];
  if (FImageType == TImageType::itMask) flags |= ILD_MASK;
  return flags;
}

void TCustomImageList::Draw(TCanvas& canvas, int x, int y, int index, bool enabled) {
  if (!HandleAllocated() || index < 0 || index >= Count()) return;
  DoDraw(index, canvas, x, y, DrawStyleFlags(), enabled);
}

void TCustomImageList::DoDraw(int index, TCanvas& canvas, int x, int y, UINT style, bool enabled) {
  COLORREF bk = FBkColor == clNone ? CLR_NONE : FBkColor == clDefault ? CLR_DEFAULT : ColorToRGB(FBkColor);
  COLORREF fg = FBlendColor == clNone ? CLR_NONE : FBlendColor == clDefault ? CLR_DEFAULT : ColorToRGB(FBlendColor);
  // A disabled image is the system's half-tone of it.
  if (!enabled) style |= ILD_BLEND50;
  ImageList_DrawEx(FHandle, index, canvas.Handle(), x, y, 0, 0, bk, fg, style);
}

void TCustomImageList::EndUpdate() {
  if (FUpdateCount > 0 && --FUpdateCount == 0 && FChanged) Change();
}

void TCustomImageList::Change() {
  FChanged = FUpdateCount > 0;
  if (FChanged) return;
  // A link may unregister itself from its handler: walk a copy.
  std::vector<TChangeLink*> links = FLinks;
  for (TChangeLink* link : links)
    if (std::find(FLinks.begin(), FLinks.end(), link) != FLinks.end()) link->Change();
  if (OnChange) OnChange(this);
}

void TCustomImageList::RegisterChanges(TChangeLink* link) {
  if (!link || std::find(FLinks.begin(), FLinks.end(), link) != FLinks.end()) return;
  link->SetSender(this);
  FLinks.push_back(link);
}

void TCustomImageList::UnRegisterChanges(TChangeLink* link) {
  auto it = std::find(FLinks.begin(), FLinks.end(), link);
  if (it == FLinks.end()) return;
  FLinks.erase(it);
  link->SetSender(nullptr);
}
