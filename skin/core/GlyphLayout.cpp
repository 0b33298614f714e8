#include "skin/core/GlyphLayout.h"

#include <algorithm>

#include "skin/core/SkinUtils.h"

void LayoutGlyphAndCaption(const RECT& R, POINT GlyphSize, POINT TextSize, uint8_t Layout, uint8_t Alignment,
                           int Margin, int Spacing, POINT& GlyphPos, RECT& TextRect, uint8_t Flags,
                           uint8_t VerticalAlignment) {
  const int W = R.right - R.left, H = R.bottom - R.top;
  const int GW = GlyphSize.x, GH = GlyphSize.y, TW = TextSize.x, TH = TextSize.y;
  const bool Across = Layout <= 1;  // glyph and text side by side
  TextRect = RECT{0, 0, TW, TH};
  int tx = 0, ty = 0;
  if (Across) {
    GlyphPos.y = (H - GH + 1) / 2;
    ty = (H + 1 - TH) / 2;
  } else {
    GlyphPos.x = (W - GW + 1) / 2;
    tx = (W + 1 - TW) / 2;
  }
  if (TW == 0 || GW == 0) Spacing = 0;

  const int S = Across ? W : H, GA = Across ? GW : GH, TA = Across ? TW : TH;
  if (Margin == -1 && Spacing == -1) {
    Margin = Spacing = (S - GA - TA) / 3;
  } else if (Margin == -1) {
    if (VerticalAlignment < 2)
      Margin = 2;
    else if (VerticalAlignment == 2)
      Margin = Alignment == 2 ? (S - (GA + Spacing + TA) + 1) / 2 : 2;
  } else if (Spacing == -1) {
    Spacing = (S - GA - Margin - TA) / 2;
  }

  switch (Layout) {
    case 0:
      if (Alignment == 0) {
        if (GW > 0) {
          GlyphPos.x = Margin;
          tx = Margin + GW + Spacing;
          TextRect.right = R.right - Margin - tx;
        } else {
          tx = Margin;
          TextRect.right = Margin + TW;
        }
      } else if (Alignment == 1) {
        tx = W - Margin - TW;
        GlyphPos.x = tx - Spacing - GW;
      } else {
        Margin = std::max((W - TW - Spacing - GW) / 2, Margin);
        GlyphPos.x = Margin;
        tx = Margin + Spacing + GW;
      }
      break;
    case 1:
      if (Alignment == 0) {
        GlyphPos.x = Margin + TW + Spacing;
        tx = Margin;
      } else if (Alignment == 1) {
        GlyphPos.x = W - Margin - GW;
        tx = 0;
        TextRect.right = GlyphPos.x - Spacing;
      } else {
        tx = (W - TW - Spacing - GW) / 2;
        GlyphPos.x = tx + Spacing + TW;
      }
      break;
    case 2:
      GlyphPos.y = (H - GH - Spacing - TH) / 2;
      ty = GlyphPos.y + GH + Spacing;
      break;
    case 3:
      GlyphPos.y = (H - GH) - (H - GH - Spacing - TH) / 2;
      ty = GlyphPos.y - Spacing - TH;
      break;
  }

  GlyphPos.x += R.left;
  GlyphPos.y += R.top;
  OffsetRect(&TextRect, tx + R.left, ty + R.top);

  const int m = std::max(0, Margin);
  if (VerticalAlignment == 0) {
    if (Across) {
      GlyphPos.y = m;
      OffsetRect(&TextRect, 0, m - TextRect.top);
    } else if (Layout == 2) {
      OffsetRect(&TextRect, 0, m - GlyphPos.y);
      GlyphPos.y = m;
    } else {
      GlyphPos.y += m - TextRect.top;
      OffsetRect(&TextRect, 0, m - TextRect.top);
    }
  } else if (VerticalAlignment == 1) {
    if (Across) {
      GlyphPos.y = R.bottom - m - GH;
      OffsetRect(&TextRect, 0, R.bottom - m - TextRect.bottom);
    } else if (Layout == 2) {
      const int d = R.bottom - m - TextRect.bottom;
      OffsetRect(&TextRect, 0, d);
      GlyphPos.y += d;
    } else {
      OffsetRect(&TextRect, 0, R.bottom - m - GlyphPos.y - GH);
      GlyphPos.y = R.bottom - m - GH;
    }
  }

  if (Flags & acLayoutRightToLeft) {
    TextRect = MirrorRect(TextRect, W, H, true);
    GlyphPos.x = W - GlyphPos.x - GW;
  }
}
