#pragma once
// A picture painted by its parent: a device-dependent bitmap the image owns.
#include "framework/Control.h"
#include "framework/GdiHandles.h"

class TPicture {
 public:
  TPicture() = default;
  TPicture(const TPicture&) = delete;
  TPicture& operator=(const TPicture&) = delete;

  // Takes ownership of the bitmap.
  void SetBitmap(HBITMAP bitmap);
  void LoadFromResource(HINSTANCE instance, const String& name);
  // Through the picture class registered for the file's extension.
  void LoadFromFile(const String& fileName);
  void Assign(const TPicture& other);
  void Clear();

  HBITMAP Bitmap() const { return FBitmap.get(); }
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  bool Empty() const { return !FBitmap; }

 private:
  TOwnedBitmap FBitmap;
  int FWidth = 0, FHeight = 0;
};

class TImage : public TGraphicControl {
 public:
  explicit TImage(TComponent* owner);

  TPicture& Picture() { return FPicture; }
  void PictureChanged() { Invalidate(); }
  // The colour of the lower left pixel is left out when painting.
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool v) {
    FTransparent = v;
    Invalidate();
  }
  bool Stretch() const { return FStretch; }
  void SetStretch(bool v) {
    FStretch = v;
    Invalidate();
  }

 protected:
  void Paint(TCanvas& canvas) override;

 private:
  TPicture FPicture;
  bool FTransparent = false;
  bool FStretch = false;
};
