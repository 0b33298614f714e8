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

void TBitBtn::SetLayout(TButtonLayout v) {
  if (v == FLayout) return;
  FLayout = v;
  LayoutChanged();
}

void TBitBtn::SetMargin(int v) {
  v = v < -1 ? -1 : v;
  if (v == FMargin) return;
  FMargin = v;
  LayoutChanged();
}

void TBitBtn::SetSpacing(int v) {
  v = v < -1 ? -1 : v;
  if (v == FSpacing) return;
  FSpacing = v;
  LayoutChanged();
}

void TBitBtn::SetNumGlyphs(int v) {
  v = v < 1 ? 1 : (v > 4 ? 4 : v);
  if (v == FNumGlyphs) return;
  FNumGlyphs = v;
  LayoutChanged();
}
