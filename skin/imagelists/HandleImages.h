#pragma once
// Reading the images of a system image list back as 32-bit bitmaps with
// alpha, and the alpha of pictures that came without any.
#include <windows.h>
#include <commctrl.h>

#include <memory>

#include "framework/Bitmap.h"
#include "framework/Streams.h"

// Whether any pixel of a 32-bit bitmap has alpha above 0.
bool HasAnyAlpha(TBitmap& Bmp);
// Every pixel opaque except those of the key colour 0xFF00FF, which become
// fully transparent.
void MakeOpaqueExceptKey(TBitmap& Bmp);
// A picture without any alpha would be invisible: it is made opaque except
// its key-colour pixels. Pictures with alpha are left alone.
void PrepareEmptyAlpha(TBitmap& Bmp);

// A 32-bit copy of any bitmap; a source of fewer bits has no alpha, so its
// copy is made opaque except the key colour.
std::unique_ptr<TBitmap> CopyAs32(TBitmap& Src);

// Image Index of the list as a new 32-bit bitmap: its own alpha when it has
// any, else 255 - mask when the image has a mask, else, with PrepareAlpha,
// opaque except the key colour. Nullptr for a missing list or index.
std::unique_ptr<TBitmap> ReadHandleImage(HIMAGELIST List, int Index, bool PrepareAlpha = true);
// Image Index of the list as stored: its colour with the alpha it holds.
std::unique_ptr<TBitmap> ReadHandleColor(HIMAGELIST List, int Index);
// Writes a 32-bit bitmap as an icon file of one image.
void SaveIconFile(TBitmap& Bmp, TStream& Stream);

// Appends (Index < 0) or replaces an image from a 32-bit bitmap of the
// list's size, keeping its alpha; the new image's index or -1.
int PutHandleImage(HIMAGELIST List, int Index, TBitmap& Bmp);
