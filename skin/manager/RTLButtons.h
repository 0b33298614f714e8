#pragma once
// Title-button pictures mirrored for right-to-left forms: each frame of a
// picture turns left to right within its own width.
#include "framework/Bitmap.h"

#include <vector>

class TacSkinData;

// Mirrors the frames of a strip of Frames equal frames that lies at Rect in
// a 32-bit bitmap; a bitmap of another format is left alone.
void MirrorFrames(TBitmap& bitmap, const RECT& rect, int frames);

// Mirrors the title-button pictures (close, maximise, minimise, restore;
// big and small) of every skin data once each, even where several items or
// densities share one picture. Master is where items without a bitmap of
// their own lie.
void MirrorTitleButtons(const std::vector<TacSkinData*>& data, TBitmap* master);

// The program or its main form lays out right to left.
bool RightToLeftLayout();
