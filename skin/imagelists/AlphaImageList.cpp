#include "skin/imagelists/AlphaImageList.h"

#include <algorithm>

#include "framework/Icon.h"
#include "skin/forms/SkinColors.h"
#include "skin/graphics/Bitmap32.h"
#include "skin/graphics/ColorAdjust.h"
#include "skin/graphics/MaskedCopies.h"
#include "skin/graphics/PixelRoutines.h"
#include "skin/graphics/Resample.h"
#include "skin/imagelists/HandleImages.h"
#include "skin/imagelists/IconAlpha.h"
#include "skin/manager/SkinManager.h"

namespace {
constexpr uint32_t kKeyColor = 0xFF00FF;

std::unique_ptr<TBitmap> ClearBitmap32(int width, int height) {
  auto bmp = NewBitmap32(width, height);
  if (!bmp->Empty()) FillRect32(*bmp, RECT{0, 0, width, height}, 0, 0);
  return bmp;
}

std::unique_ptr<TBitmap> CopyOf(TBitmap& source) {
  auto copy = NewBitmap32(source.Width(), source.Height());
  CopyBitmapFull(*copy, source);
  return copy;
}

// Source at width x height: itself when it fits, else resampled (a source too
// small to resample stays transparent).
std::unique_ptr<TBitmap> FitTo(std::unique_ptr<TBitmap> source, int width, int height) {
  if (source->Width() == width && source->Height() == height) return source;
  auto fitted = ClearBitmap32(width, height);
  if (!fitted->Empty()) ResampleBitmap(*source, *fitted, width, height, 6);
  return fitted;
}

// Restores the flag on every way out.
class TFlagScope {
 public:
  explicit TFlagScope(bool& flag) : FFlag(flag), FSaved(flag) { flag = true; }
  ~TFlagScope() { FFlag = FSaved; }
  TFlagScope(const TFlagScope&) = delete;
  TFlagScope& operator=(const TFlagScope&) = delete;

 private:
  bool& FFlag;
  bool FSaved;
};
}  // namespace

TsImgListItem::TsImgListItem(TCollection* collection) : TCollectionItem(collection) {}

TsAlphaImageList* TsImgListItem::List() const {
  auto* items = static_cast<TsImgListItems*>(Collection());
  return items ? items->Owner() : nullptr;
}

TsImgListItem::~TsImgListItem() {
  TsAlphaImageList* list = List();
  if (!list || list->ItemsChanging()) return;
  const int index = Index();
  if (list->HandleAllocated() && index >= 0 && index < list->Count()) ImageList_Remove(list->Handle(), index);
}

void TsImgListItem::Assign(const TPersistent& source) {
  const auto* item = dynamic_cast<const TsImgListItem*>(&source);
  if (!item) return TCollectionItem::Assign(source);
  if (item == this) return;
  FImageFormat = item->FImageFormat;
  FImageName = item->FImageName;
  FPixelFormat = item->FPixelFormat;
  FSourceWidth = item->FSourceWidth;
  FSourceHeight = item->FSourceHeight;
  FText = item->FText;
  auto& bytes = const_cast<TMemoryStream&>(item->FImageBytes);
  FImageBytes.Clear();
  if (bytes.Size() > 0) FImageBytes.WriteBuffer(bytes.Memory(), bytes.Size());
  FImageBytes.SetPosition(0);
  bytes.SetPosition(0);
  FRenderCache.reset();
}

void TsImgListItem::AssignTo(TsImgListItem& dest) const { dest.Assign(*this); }

TsImgListItems::TsImgListItems(TsAlphaImageList* owner)
    : TCollection([](TCollection* c) { return new TsImgListItem(c); }), FOwner(owner) {}

TsAlphaImageList::TsAlphaImageList(TComponent* owner) : TacImageList(owner), FItems(this) {
  FLoadedOnce = !(owner && owner->Loading());
}

TsAlphaImageList::~TsAlphaImageList() {
  // The handle goes with the list: items need not take their images out.
  FItemsChanging = true;
  FInternalChange = true;
}

void TsAlphaImageList::Loaded() {
  TacImageList::Loaded();
  FLoadedOnce = true;
  {
    TFlagScope guard(FInternalChange);
    if (FDesignWidth > 0 || (Width() == 16 && Height() == 16)) SetHandle(nullptr);
  }
  if (FDesignWidth == 0) FDesignWidth = Width();
  if (FDesignHeight == 0) FDesignHeight = Height();
  if (!FHandleFilled) {
    GenerateStdList();
    FHandleFilled = true;
    Change();
  }
}

bool TsAlphaImageList::ItemsCoverImages() { return FItems.Count() >= Count(); }

void TsAlphaImageList::SetWidth(int value) {
  if (value <= 0) return;
  // A size given in code is the design size even when it is the default one.
  if (FLoadedOnce) FDesignWidth = value;
  if (value == Width()) return;
  const bool covered = ItemsCoverImages();
  {
    TFlagScope guard(FInternalChange);
    TacImageList::SetWidth(value);
  }
  if (!Loading() && HandleAllocated() && covered && !FInternalChange) {
    GenerateStdList();
    Change();
  }
}

void TsAlphaImageList::SetHeight(int value) {
  if (value <= 0) return;
  // A size given in code is the design size even when it is the default one.
  if (FLoadedOnce) FDesignHeight = value;
  if (value == Height()) return;
  const bool covered = ItemsCoverImages();
  {
    TFlagScope guard(FInternalChange);
    TacImageList::SetHeight(value);
  }
  if (!Loading() && HandleAllocated() && covered && !FInternalChange) {
    GenerateStdList();
    Change();
  }
}

void TsAlphaImageList::GenerateStdList() {
  if (FPlainMode) return;
  if (Width() == 16 && Height() == 16 && FDesignWidth == 0) {
    FDesignWidth = 16;
    FDesignHeight = 16;
  }
  if (FDesignWidth == 0 || FDesignHeight == 0) return;
  TFlagScope guard(FInternalChange);
  HIMAGELIST handle = Handle();
  if (!handle) return;
  ImageList_Remove(handle, -1);
  for (int i = 0; i < FItems.Count(); ++i) {
    TsImgListItem& item = *FItems.Items(i);
    TMemoryStream& bytes = item.ImageBytes();
    bool added = false;
    if (bytes.Size() > 0) {
      try {
        bytes.SetPosition(0);
        if (item.ImageFormat() == ifICO) {
          TIcon icon;
          icon.LoadFromStream(bytes);
          item.SetSourceSize(icon.Width(), icon.Height());
          added = ImageList_ReplaceIcon(handle, -1, icon.Handle()) >= 0;
        } else if (auto bmp = RenderSource(item, Width(), Height())) {
          added = PutHandleImage(handle, -1, *bmp) >= 0;
        }
      } catch (const Exception&) {
      }
      bytes.SetPosition(0);
    }
    // Item i is image i: a source that cannot be read keeps its place empty.
    if (!added) {
      auto blank = ClearBitmap32(Width(), Height());
      PutHandleImage(handle, -1, *blank);
    }
  }
  if (FItems.Count() > 0) {
    FHandleFilled = true;
    if (!FKeepSourceItems) {
      TFlagScope changing(FItemsChanging);
      FItems.Clear();
    }
  }
}

std::unique_ptr<TBitmap> TsAlphaImageList::RenderSource(TsImgListItem& item, int width, int height) {
  TMemoryStream& bytes = item.ImageBytes();
  if (bytes.Size() == 0 || item.ImageFormat() == ifICO) return nullptr;
  std::unique_ptr<TBitmap> decoded;
  try {
    bytes.SetPosition(0);
    if (item.ImageFormat() == ifPNG) {
      decoded = NewBitmap32(0, 0);
      LoadPngStreamIntoBitmap(*decoded, bytes);
    } else {
      TBitmap loaded;
      loaded.LoadFromStream(bytes);
      decoded = CopyAs32(loaded);
      PrepareEmptyAlpha(*decoded);
    }
  } catch (const Exception&) {
    decoded.reset();
  }
  bytes.SetPosition(0);
  if (!decoded || decoded->Empty()) return nullptr;
  item.SetSourceSize(decoded->Width(), decoded->Height());
  auto result = FitTo(std::move(decoded), width, height);
  if (BlendColor() != clNone)
    ForEachPixelExcept(result.get(), TonePixelProc, int(SkinColorToRGB(BlendColor(), nullptr)), kKeyColor);
  return result;
}

std::unique_ptr<TBitmap> TsAlphaImageList::HandleImage(int i) {
  if (!HandleAllocated()) return nullptr;
  return ReadHandleImage(Handle(), i);
}

void TsAlphaImageList::ClearCache(int i) {
  if (i >= 0 && i < FItems.Count()) {
    FItems.Items(i)->RenderCache().reset();
    return;
  }
  for (int k = 0; k < FItems.Count(); ++k) FItems.Items(k)->RenderCache().reset();
}

void TsAlphaImageList::ItemsFromHandle() {
  TFlagScope changing(FItemsChanging);
  FItems.Clear();
  for (int i = 0; i < Count(); ++i) {
    TsImgListItem* item = FItems.Add();
    item->SetImageFormat(ifICO);
    auto image = HandleImage(i);
    if (!image) continue;
    SaveIconFile(*image, item->ImageBytes());
    item->ImageBytes().SetPosition(0);
    item->SetSourceSize(image->Width(), image->Height());
  }
}

int TsAlphaImageList::GetCount() {
  const int images = HandleAllocated() ? Count() : 0;
  if (images > FItems.Count() && (FItems.Count() == 0 || FItems.Items(0)->ImageFormat() == ifICO)) ItemsFromHandle();
  return FItems.Count();
}

std::unique_ptr<TBitmap> TsAlphaImageList::Render(int i, int width, int height, bool prepareIconAlpha) {
  auto result = ClearBitmap32(width, height);
  if (!HandleAllocated() || i < 0 || i >= std::max(FItems.Count(), Count()) || result->Empty()) return result;
  bool iconItem = false;
  if (i < FItems.Count()) {
    TsImgListItem& item = *FItems.Items(i);
    iconItem = item.ImageFormat() == ifICO && item.ImageBytes().Size() > 0;
    if (item.ImageBytes().Size() > 0 && !iconItem) {
      auto& cache = item.RenderCache();
      if (FUseCache && cache && cache->Width() == width && cache->Height() == height) return CopyOf(*cache);
      cache.reset();
      auto rendered = RenderSource(item, width, height);
      if (!rendered) return result;
      if (FUseCache) cache = CopyOf(*rendered);
      return rendered;
    }
  }
  // Icon items are the handle's colour as stored; images without a source
  // take their alpha from the mask when they have none.
  auto image = iconItem ? ReadHandleColor(Handle(), i) : ReadHandleImage(Handle(), i, prepareIconAlpha);
  if (image && iconItem && prepareIconAlpha) PrepareEmptyAlpha(*image);
  if (!image) return result;
  return FitTo(std::move(image), width, height);
}

TBitmap* TsAlphaImageList::CreateBitmap32(int i, int width, int height) {
  return Render(i, width, height, PrepareIconAlpha()).release();
}

bool TsAlphaImageList::GetBitmap32(int i, TBitmap* bitmap) {
  if (!bitmap || bitmap->Empty() || !HandleAllocated() || i < 0 || i >= std::max(FItems.Count(), Count())) return false;
  auto image = Render(i, bitmap->Width(), bitmap->Height(), PrepareIconAlphaForCaller(DisplayBitsPerPixel()));
  CopyBitmapFull(*bitmap, *image);
  return true;
}

void TsAlphaImageList::DoDraw(int index, TCanvas& canvas, int x, int y, UINT style, bool enabled) {
  const bool fromSource = index < FItems.Count() && FItems.Items(index)->ImageFormat() != ifICO &&
                          FItems.Items(index)->ImageBytes().Size() > 0;
  if (fromSource) {
    const int w = Width() * RenderPPI() / 96, h = Height() * RenderPPI() / 96;
    std::unique_ptr<TBitmap> image(CreateBitmap32(index, w, h));
    auto area = NewBitmap32(w, h);
    if (area->Empty()) return;
    const RECT r{0, 0, w, h};
    BitBlt(area->DC(), 0, 0, w, h, canvas.Handle(), x, y, SRCCOPY);
    CopyRectTransparent(r, r, *area, image.get(), TacBackgroundSource{}, false, clNone, 0, false);
    BitBlt(canvas.Handle(), x, y, w, h, area->DC(), 0, 0, SRCCOPY);
    return;
  }
  ImageList_SetBkColor(Handle(), CLR_NONE);
  HICON icon = ImageList_GetIcon(Handle(), index, ILD_NORMAL);
  if (!icon) return;
  DrawIconEx(canvas.Handle(), x, y, icon, Width(), Height(), 0, nullptr, DI_NORMAL);
  DestroyIcon(icon);
}

void TsAlphaImageList::Change() {
  if (FInternalChange || !HandleAllocated() || Loading() || (!FLoadedOnce && !FHandleFilled)) return;
  if (ItemsCoverImages()) {
    if (FItems.Count() > Count()) GenerateStdList();
  } else {
    // Images added by the standard calls: one without any alpha would be
    // invisible when drawn with alpha.
    TFlagScope guard(FInternalChange);
    for (int i = FItems.Count(); i < Count(); ++i) {
      auto image = ReadHandleColor(Handle(), i);
      if (!image || HasAnyAlpha(*image)) continue;
      MakeOpaqueExceptKey(*image);
      PutHandleImage(Handle(), i, *image);
    }
  }
  // Controls drawing from the list repaint after either kind of change.
  TacImageList::Change();
}

void TsAlphaImageList::Assign(const TPersistent& source) {
  const auto* list = dynamic_cast<const TsAlphaImageList*>(&source);
  if (!list) return TacImageList::Assign(source);
  if (list == this) return;
  {
    TFlagScope guard(FInternalChange);
    SetMasked(list->Masked());
    SetImageType(list->ImageType());
    SetDrawingStyle(list->DrawingStyle());
    SetShareImages(false);
    SetBlendColor(list->BlendColor());
    SetWidth(list->Width());
    SetHeight(list->Height());
    SetBkColor(list->BkColor());
    ClearCache(-1);
    {
      TFlagScope changing(FItemsChanging);
      FItems.Clear();
      for (int i = 0; i < list->FItems.Count(); ++i) FItems.Add()->Assign(*list->FItems.Items(i));
    }
  }
  if (FKeepSourceItems && FItems.Count() > 0) {
    GenerateStdList();
  } else if (list->HandleAllocated()) {
    TFlagScope guard(FInternalChange);
    HIMAGELIST handle = Handle();
    ImageList_Remove(handle, -1);
    for (int i = 0; i < list->Count(); ++i) {
      HICON icon = list->GetIcon(i);
      ImageList_ReplaceIcon(handle, -1, icon);
      if (icon) DestroyIcon(icon);
    }
  }
  FHandleFilled = true;
  Change();
}

void TsAlphaImageList::AssignTo(TsAlphaImageList& dest) const { dest.Assign(*this); }

void TsAlphaImageList::ClearAlphaImageList() {
  for (int i = 0; i < FItems.Count(); ++i) {
    FItems.Items(i)->ImageBytes().Clear();
    FItems.Items(i)->RenderCache().reset();
  }
  {
    TFlagScope changing(FItemsChanging);
    FItems.Clear();
  }
  Clear();
}

void TsAlphaImageList::EndItemsUpdate(bool regenerate) {
  FInternalChange = false;
  TsSkinManager* manager = TsSkinManager::DefaultManager();
  if (regenerate && !(manager && manager->SkinChanging())) {
    GenerateStdList();
    Change();
  }
}

bool AddPngToImageList(TCustomImageList* list, TStream& stream) {
  if (!list) return false;
  try {
    HIMAGELIST handle = list->Handle();
    if (!handle) return false;
    TMemoryStream bytes;
    bytes.LoadFromStream(stream);
    bytes.SetPosition(0);
    auto decoded = NewBitmap32(0, 0);
    LoadPngStreamIntoBitmap(*decoded, bytes);
    if (decoded->Empty()) return false;
    const int sourceWidth = decoded->Width(), sourceHeight = decoded->Height();
    auto fitted = FitTo(std::move(decoded), list->Width(), list->Height());
    if (PutHandleImage(handle, -1, *fitted) < 0) return false;
    auto* alphaList = dynamic_cast<TsAlphaImageList*>(list);
    if (alphaList && alphaList->KeepSourceItems()) {
      alphaList->BeginItemsUpdate();
      TsImgListItem* item = alphaList->Items().Add();
      item->SetImageFormat(ifPNG);
      item->SetPixelFormat(pf32bit);
      item->SetSourceSize(sourceWidth, sourceHeight);
      bytes.SetPosition(0);
      item->ImageBytes().CopyFrom(bytes, 0);
      item->ImageBytes().SetPosition(0);
      alphaList->EndItemsUpdate(false);
    }
    list->Change();
    return true;
  } catch (...) {
    // A stream that is no picture is refused, never raised.
    return false;
  }
}
