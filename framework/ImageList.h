#pragma once
// An image list: a comctl32 HIMAGELIST of equally sized images, made when
// first needed, and the links through which controls hear of its changes.
#include "framework/Component.h"
#include "framework/Graphics.h"

#include <commctrl.h>

#include <vector>

class TBitmap;
class TCustomImageList;

// A control's subscription to an image list: freed with the control, it
// unregisters itself; the list clears Sender when it goes first.
class TChangeLink : public TObject {
 public:
  TChangeLink() = default;
  ~TChangeLink() override;
  TChangeLink(const TChangeLink&) = delete;
  TChangeLink& operator=(const TChangeLink&) = delete;

  TCustomImageList* Sender() const { return FSender; }
  void SetSender(TCustomImageList* sender) { FSender = sender; }
  virtual void Change();
  TNotifyEvent OnChange;

 private:
  TCustomImageList* FSender = nullptr;
};

enum class TDrawingStyle { dsFocus, dsSelected, dsNormal, dsTransparent };
enum class TImageType { itImage, itMask };

class TCustomImageList : public TComponent {
 public:
  explicit TCustomImageList(TComponent* owner);
  ~TCustomImageList() override;

  // The list's handle; made with the current sizes when there is none.
  HIMAGELIST Handle();
  bool HandleAllocated() const { return FHandle != nullptr; }
  // Takes the handle over (frees the old one unless ShareImages); nullptr
  // drops it, to be made again on demand.
  void SetHandle(HIMAGELIST handle);

  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  // A size change empties the list: its images no longer fit.
  virtual void SetWidth(int value);
  virtual void SetHeight(int value);
  int AllocBy() const { return FAllocBy; }
  void SetAllocBy(int value) { FAllocBy = value; }
  bool Masked() const { return FMasked; }
  void SetMasked(bool value);
  bool ShareImages() const { return FShareImages; }
  void SetShareImages(bool value) { FShareImages = value; }
  TDrawingStyle DrawingStyle() const { return FDrawingStyle; }
  void SetDrawingStyle(TDrawingStyle value) { FDrawingStyle = value; }
  TImageType ImageType() const { return FImageType; }
  void SetImageType(TImageType value) { FImageType = value; }
  // clNone: drawn transparent; clDefault: the list's own background.
  TColor BkColor() const { return FBkColor; }
  virtual void SetBkColor(TColor value);
  TColor BlendColor() const { return FBlendColor; }
  void SetBlendColor(TColor value) { FBlendColor = value; }

  int Count() const;
  // Each returns the new image's index, or -1.
  int Add(TBitmap* image, TBitmap* mask);
  int AddIcon(HICON icon);
  void ReplaceIcon(int index, HICON icon);
  void Delete(int index);
  void Clear();
  // The image as a new icon the caller destroys; nullptr when there is none.
  HICON GetIcon(int index) const;

  void Draw(TCanvas& canvas, int x, int y, int index, bool enabled = true);

  void BeginUpdate() { ++FUpdateCount; }
  void EndUpdate();
  virtual void Change();
  TNotifyEvent OnChange;

  void RegisterChanges(TChangeLink* link);
  void UnRegisterChanges(TChangeLink* link);

 protected:
  virtual void DoDraw(int index, TCanvas& canvas, int x, int y, UINT style, bool enabled);
  UINT DrawStyleFlags() const;

 private:
  void FreeHandle();

  HIMAGELIST FHandle = nullptr;
  int FWidth = 16;
  int FHeight = 16;
  int FAllocBy = 4;
  bool FMasked = true;
  bool FShareImages = false;
  TDrawingStyle FDrawingStyle = TDrawingStyle::dsNormal;
  TImageType FImageType = TImageType::itImage;
  TColor FBkColor = clNone;
  TColor FBlendColor = clNone;
  int FUpdateCount = 0;
  bool FChanged = false;
  std::vector<TChangeLink*> FLinks;
};

class TImageList : public TCustomImageList {
 public:
  using TCustomImageList::TCustomImageList;
};
