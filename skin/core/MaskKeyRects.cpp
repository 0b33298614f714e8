#include "skin/core/MaskKeyRects.h"

#include "skin/core/SkinConstants.h"
#include "skin/graphics/Bitmap32.h"

void CollectMaskKeyRects(std::vector<RECT>& Rects, int DstWidth, const TsMaskData& Item, int DstY, bool FromBottom,
                         TBitmap* MasterBitmap) {
  if (!Item.Manager) return;
  TBitmap* Bmp = Item.Bmp ? Item.Bmp : MasterBitmap;
  // A masked item keeps its grey mask below the picture: only the upper
  // half is the frame.
  CollectKeyColorRects(Rects, Bmp, Item.SrcRect, DstWidth, Item.WL, Item.WT, Item.WR, Item.WB, DstY, FromBottom,
                       Item.MaskType != 0, clKeyColor, 0);
}
