#include "framework/BitBtn.h"

void TBitBtn::CreateParams(TCreateParams& p) {
  TButton::CreateParams(p);
  if (!FGlyph.Empty()) p.Style |= BS_BITMAP;
}

void TBitBtn::InitializeWnd() {
  TButton::InitializeWnd();
  if (!FGlyph.Empty()) SendMessageW(FHandle, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(FGlyph.Bitmap()));
}

void TBitBtn::GlyphChanged() {
  if (HandleAllocated()) RecreateWnd();
}
