#include "skin/imagelists/ImageSizes.h"

#include "skin/imagelists/SkinImageList.h"

int GetImageCount(TCustomImageList* List) {
  if (!List) return 0;
  if (auto* list = dynamic_cast<TacImageList*>(List)) return list->GetCount();
  return List->Count();
}

int ScaledImageWidth(TCustomImageList* List, int Index, int PPI) {
  if (!List) return 0;
  if (auto* list = dynamic_cast<TacImageList*>(List)) return list->ScaledWidth(Index, PPI);
  return List->Width() * PPI / 96;
}

int ScaledImageHeight(TCustomImageList* List, int Index, int PPI) {
  if (!List) return 0;
  if (auto* list = dynamic_cast<TacImageList*>(List)) return list->ScaledHeight(Index, PPI);
  return List->Height() * PPI / 96;
}
