#include "framework/Image.h"

#include "framework/Bitmap.h"
#include "framework/Graphic.h"

void TPicture::Clear() {
  FBitmap.Reset();
  FWidth = FHeight = 0;
}

void TPicture::SetBitmap(HBITMAP bitmap) {
  Clear();
  FBitmap.Reset(bitmap);
  BITMAP info{};
  if (bitmap && GetObjectW(bitmap, sizeof(info), &info)) {
    FWidth = info.bmWidth;
    FHeight = info.bmHeight;
  }
}

void TPicture::LoadFromResource(HINSTANCE instance, const String& name) {
  HBITMAP bitmap = static_cast<HBITMAP>(LoadImageW(instance, name.c_str(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  if (!bitmap) throw EFOpenError(L"Bitmap resource " + name + L" not found");
  SetBitmap(bitmap);
}

void TPicture::LoadFromFile(const String& fileName) {
  std::unique_ptr<TGraphic> graphic = LoadGraphicFromFile(fileName);
  // Every picture class this program registers is a bitmap.
  auto* bitmap = dynamic_cast<TBitmap*>(graphic.get());
  if (!bitmap) throw EInvalidGraphic(L"Not a bitmap picture: " + fileName);
  SetBitmap(bitmap->ReleaseHandle());
}

void TPicture::Assign(const TPicture& other) {
  if (&other == this) return;
  SetBitmap(other.FBitmap
                ? static_cast<HBITMAP>(CopyImage(other.FBitmap.get(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION))
                : nullptr);
}

TImage::TImage(TComponent* owner) : TGraphicControl(owner) { StoreBounds(0, 0, 105, 105); }

void TImage::Paint(TCanvas& canvas) {
  if (FPicture.Empty()) return;
  HDC dc = canvas.Handle();
  const TMemoryDC memory = TMemoryDC::CompatibleWith(dc);
  const HDC src = memory.get();
  TSelectObject select(src, FPicture.Bitmap());
  const int w = FStretch ? FWidth : FPicture.Width();
  const int h = FStretch ? FHeight : FPicture.Height();
  if (FTransparent) {
    COLORREF key = GetPixel(src, 0, FPicture.Height() - 1);
    TransparentBlt(dc, 0, 0, w, h, src, 0, 0, FPicture.Width(), FPicture.Height(), key);
  } else {
    StretchBlt(dc, 0, 0, w, h, src, 0, 0, FPicture.Width(), FPicture.Height(), SRCCOPY);
  }
}
