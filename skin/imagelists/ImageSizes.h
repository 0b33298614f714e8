#pragma once
// What the skinned controls ask of any image list alike, whichever kind it
// is: how many images, and how large an image is at a density.
#include "framework/ImageList.h"

// 0 for nullptr.
int GetImageCount(TCustomImageList* List);
// The size image Index takes at PPI; 0 for nullptr.
int ScaledImageWidth(TCustomImageList* List, int Index, int PPI);
int ScaledImageHeight(TCustomImageList* List, int Index, int PPI);
