#pragma once
// An image list that keeps each image's source file (PNG, icon or 32-bit
// bitmap) as an item, so an image is rendered again from its source at a new
// size or density instead of being scaled from the small bitmap in the handle.
#include "framework/Bitmap.h"
#include "framework/Collection.h"
#include "framework/Streams.h"
#include "skin/imagelists/SkinImageList.h"

#include <memory>

enum TsImageFormat { ifPNG, ifICO, ifBMP32 };

class TsAlphaImageList;

class TsImgListItem : public TCollectionItem {
 public:
  explicit TsImgListItem(TCollection* collection);
  ~TsImgListItem() override;

  TsImageFormat ImageFormat() const { return FImageFormat; }
  void SetImageFormat(TsImageFormat value) { FImageFormat = value; }
  const String& ImageName() const { return FImageName; }
  void SetImageName(const String& value) { FImageName = value; }
  TPixelFormat PixelFormat() const { return FPixelFormat; }
  void SetPixelFormat(TPixelFormat value) { FPixelFormat = value; }
  const String& Text() const { return FText; }
  void SetText(const String& value) { FText = value; }
  int SourceWidth() const { return FSourceWidth; }
  int SourceHeight() const { return FSourceHeight; }
  void SetSourceSize(int width, int height) {
    FSourceWidth = width;
    FSourceHeight = height;
  }
  // The whole source file.
  TMemoryStream& ImageBytes() { return FImageBytes; }
  // The last rendering, kept while its size is asked for again.
  std::unique_ptr<TBitmap>& RenderCache() { return FRenderCache; }

  // Format, name, pixel format, source size, text and the bytes.
  void Assign(const TPersistent& source) override;
  void AssignTo(TsImgListItem& dest) const;

 private:
  TsAlphaImageList* List() const;

  TsImageFormat FImageFormat = ifPNG;
  String FImageName;
  TPixelFormat FPixelFormat = pf32bit;
  String FText;
  int FSourceWidth = 0;
  int FSourceHeight = 0;
  std::unique_ptr<TBitmap> FRenderCache;
  TMemoryStream FImageBytes;
};

class TsImgListItems : public TCollection {
 public:
  explicit TsImgListItems(TsAlphaImageList* owner);
  TsAlphaImageList* Owner() const { return FOwner; }
  TsImgListItem* Items(int index) const { return static_cast<TsImgListItem*>(TCollection::Items(index)); }
  TsImgListItem* Add() { return static_cast<TsImgListItem*>(TCollection::Add()); }

 private:
  TsAlphaImageList* FOwner;
};

class TsAlphaImageList : public TacImageList {
 public:
  explicit TsAlphaImageList(TComponent* owner);
  ~TsAlphaImageList() override;

  TsImgListItems& Items() { return FItems; }
  bool UseCache() const { return FUseCache; }
  void SetUseCache(bool value) { FUseCache = value; }
  // Whether the items stay after the handle was filled from them.
  bool KeepSourceItems() const { return FKeepSourceItems; }
  void SetKeepSourceItems(bool value) { FKeepSourceItems = value; }
  bool PlainMode() const { return FPlainMode; }
  void SetPlainMode(bool value) { FPlainMode = value; }
  bool FollowsDensity() const override { return FFollowDensity; }
  void SetFollowDensity(bool value) { FFollowDensity = value; }

  void Loaded() override;
  void SetWidth(int value) override;
  void SetHeight(int value) override;
  // Fills the handle from the items.
  void GenerateStdList();

  void ClearCache(int i) override;
  int GetCount() override;
  TBitmap* CreateBitmap32(int i, int width, int height) override;
  bool GetBitmap32(int i, TBitmap* bitmap) override;
  void Change() override;
  void Assign(const TPersistent& source) override;
  void AssignTo(TsAlphaImageList& dest) const;

  // Bytes, items, then the handle's images.
  void ClearAlphaImageList();
  // Items may change without the handle following until EndItemsUpdate.
  void BeginItemsUpdate() { FInternalChange = true; }
  void EndItemsUpdate(bool regenerate);
  bool ItemsChanging() const { return FItemsChanging || FInternalChange; }

 protected:
  void DoDraw(int index, TCanvas& canvas, int x, int y, UINT style, bool enabled) override;

 private:
  bool ItemsCoverImages();
  // Rebuilds the items from the handle's images, each saved as an icon.
  void ItemsFromHandle();
  // The source rendered at width x height; nullptr without bytes or when
  // they do not decode.
  std::unique_ptr<TBitmap> RenderSource(TsImgListItem& item, int width, int height);
  // Image i of the handle as a 32-bit bitmap with alpha.
  std::unique_ptr<TBitmap> HandleImage(int i);
  // Image i at width x height; an icon read without any alpha is made
  // opaque only with prepareIconAlpha.
  std::unique_ptr<TBitmap> Render(int i, int width, int height, bool prepareIconAlpha);

  TsImgListItems FItems;
  bool FUseCache = true;
  bool FLoadedOnce = false;
  int FDesignWidth = 0;
  int FDesignHeight = 0;
  bool FKeepSourceItems = true;
  bool FHandleFilled = false;
  bool FItemsChanging = false;
  bool FInternalChange = false;
  bool FPlainMode = false;
  bool FFollowDensity = true;
};

// Appends a PNG from the stream as a new item (when items are kept) and as an
// icon in the handle; false, never an exception, when it cannot.
bool AddPngToImageList(TCustomImageList* list, TStream& stream);
