#include "skin/painting/SkinRect.h"

#include <algorithm>

#include "skin/graphics/Bitmap32.h"
#include "skin/graphics/Blend32.h"
#include "skin/manager/SkinManager.h"
#include "skin/painting/BackgroundSources.h"
#include "skin/painting/KeyColorCopies.h"
#include "skin/painting/MaskedPieces.h"
#include "skin/painting/PieceClipping.h"

namespace {

enum class TMember { Standard, Over, Limited };
enum class TDrawKind { Masked, OwnAlpha, Plain };

constexpr uint32_t kKeyColor = 0xFF00FF;

RECT PieceRect(int X, int Y, int W, int H) { return RECT{X, Y, X + W, Y + H}; }
int Width(const RECT& R) { return R.right - R.left; }
int Height(const RECT& R) { return R.bottom - R.top; }

// A stretched piece of an item with its own alpha: scaled first, then
// blended as an unscaled one. Only what lies in the picture is scaled.
// Not the graphics' DrawBitmapAlphaScaled: that one resamples the whole
// source for a part at its origin, which for a piece of a state strip or of
// the master bitmap would squeeze every other piece into this one, and it
// shifts a part that starts outside the picture where a piece must paint
// nothing.
void DrawPieceAlphaScaled(TBitmap& Dst, int X, int Y, int W, int H, TBitmap& Src, int SrcX, int SrcY, int SrcW,
                          int SrcH, uint8_t Opacity) {
  if (W <= 0 || H <= 0 || SrcW <= 0 || SrcH <= 0) return;
  if (SrcX < 0 || SrcY < 0 || SrcX + SrcW > Src.Width() || SrcY + SrcH > Src.Height()) return;
  auto scaled = NewBitmap32(W, H);
  if (scaled->Empty()) return;
  SetStretchBltMode(scaled->DC(), COLORONCOLOR);
  StretchBlt(scaled->DC(), 0, 0, W, H, Src.DC(), SrcX, SrcY, SrcW, SrcH, SRCCOPY);
  DrawBitmapAlpha(Dst, *scaled, RECT{0, 0, W - 1, H - 1}, POINT{X, Y}, Opacity);
}

// How one piece is copied, by the item's drawing kind and the member that
// paints it. Destination and source rectangles are exclusive; a copy takes
// the smaller size of the two.
class TPieceCopier {
 public:
  TPieceCopier(TBitmap& Dst, TBitmap& Src, const TsMaskData& Mask, const TacBackgroundSource& Bg, TMember Member,
               bool CornerBg, uint8_t Opacity)
      : FDst(Dst), FSrc(Src), FMask(Mask), FBg(Bg), FMember(Member), FCornerBg(CornerBg), FOpacity(Opacity) {
    FKind = Mask.MaskType != 0                  ? TDrawKind::Masked
            : (Mask.DrawMode & dmOwnAlpha) != 0 ? TDrawKind::OwnAlpha
                                                : TDrawKind::Plain;
    FMaskOffset = FKind == TDrawKind::Masked ? Mask.FrameHeight : 0;
  }

  TDrawKind Kind() const { return FKind; }
  // The masked kind cuts its last tile to at most one tile; the others take
  // as many source pixels as the band has left.
  bool CutWithinTile() const { return FKind == TDrawKind::Masked; }

  void Corner(const RECT& D, const RECT& S) { Copy(D, S, FBg, FCornerBg, true); }
  void Piece(const RECT& D, const RECT& S) { Copy(D, S, EmptyBackgroundSource, false, false); }

  void Stretch(const RECT& D, const RECT& S, bool Smooth) {
    int dw = Width(D), dh = Height(D), sw = Width(S), sh = Height(S);
    if (dw <= 0 || dh <= 0 || sw <= 0 || sh <= 0) return;
    switch (FKind) {
      case TDrawKind::Masked:
        if (FMember == TMember::Standard)
          StretchMaskedPiece(D.left, D.top, dw, dh, S.left, S.top, sw, sh, FDst, FSrc, FMaskOffset, Smooth);
        else if (FMember == TMember::Over)
          StretchMaskedPieceOver(D.left, D.top, dw, dh, S.left, S.top, sw, sh, FDst, FSrc, FMaskOffset, Smooth);
        else
          StretchMaskedPieceFaded(D.left, D.top, dw, dh, S.left, S.top, sw, sh, FDst, FSrc, FMaskOffset, FOpacity,
                                  Smooth);
        break;
      case TDrawKind::OwnAlpha:
        DrawPieceAlphaScaled(FDst, D.left, D.top, dw, dh, FSrc, S.left, S.top, sw, sh, AlphaOpacity());
        break;
      case TDrawKind::Plain:
        if (S.left < 0 || S.top < 0 || S.right > FSrc.Width() || S.bottom > FSrc.Height()) return;
        StretchBlt(FDst.DC(), D.left, D.top, dw, dh, FSrc.DC(), S.left, S.top, sw, sh, SRCCOPY);
        break;
    }
  }

 private:
  uint8_t AlphaOpacity() const { return FMember == TMember::Limited ? FOpacity : 255; }

  void Copy(const RECT& D, const RECT& S, const TacBackgroundSource& Bg, bool UseBg, bool IsCorner) {
    switch (FKind) {
      case TDrawKind::Masked:
        if (FMember == TMember::Standard)
          CopyMaskedPiece(D, S, FDst, FSrc, Bg, UseBg, FMask);
        else if (FMember == TMember::Over)
          CopyMaskedPieceOver(D, S, FDst, FSrc, Bg, FMask);
        else
          CopyMaskedPieceFaded(D, S, FDst, FSrc, Bg, FMask, FOpacity);
        break;
      case TDrawKind::OwnAlpha: {
        int w = std::min(Width(D), Width(S)), h = std::min(Height(D), Height(S));
        if (w <= 0 || h <= 0) return;
        DrawBitmapAlpha(FDst, FSrc, RECT{S.left, S.top, S.left + w - 1, S.top + h - 1}, POINT{D.left, D.top},
                        AlphaOpacity());
        break;
      }
      case TDrawKind::Plain:
        if (IsCorner) {
          int w = std::min(Width(D), Width(S)), h = std::min(Height(D), Height(S));
          if (w <= 0 || h <= 0) return;
          CopyRectExceptKeyColor(FDst, FSrc, D.left, D.top, RECT{S.left, S.top, S.left + w - 1, S.top + h - 1},
                                 kKeyColor, Bg, UseBg);
        } else {
          TPieceSpan span;
          if (ClipPiece(D, S, FDst, FSrc, 0, span))
            BitBlt(FDst.DC(), span.DstX, span.DstY, span.Width, span.Height, FSrc.DC(), span.SrcX, span.SrcY, SRCCOPY);
        }
        break;
    }
  }

  TBitmap& FDst;
  TBitmap& FSrc;
  const TsMaskData& FMask;
  const TacBackgroundSource& FBg;
  TMember FMember;
  bool FCornerBg;
  uint8_t FOpacity;
  TDrawKind FKind;
  int FMaskOffset = 0;
};

// Tiles of Tile pixels along [Start, End): whole tiles while one more fits
// before the end, then one cut piece. Piece(position, length, source length).
template <typename F>
void TileBand(int Start, int End, int Tile, bool CutWithinTile, F&& Piece) {
  int pos = Start;
  while (Tile > 0 && pos + Tile < End) {
    Piece(pos, Tile, Tile);
    pos += Tile;
  }
  if (pos >= End) return;
  int length = End - pos;
  int sourceLength = CutWithinTile ? std::min(length, Tile) : length;
  if (sourceLength > 0) Piece(pos, length, sourceLength);
}

// A rectangle too small for its borders shares the loss evenly, the odd
// pixel from the right (bottom) border.
void FitBorders(int Size, int& Near, int& Far) {
  int d = Near + Far - Size;
  if (d <= 0) return;
  Near -= d / 2;
  Far -= d / 2 + d % 2;
  Near = std::max(Near, 0);
  Far = std::max(Far, 0);
}

// The item's geometry for one call, all in pixels of the destination
// (L, T, R, B) and the source frame (SX, SY).
struct TNinePiece {
  int L, T, R, B;
  int WL, WT, WR, WB;
  int CW, CH;
  int SX, SY, BottomRow;  // BottomRow: first source row of the bottom border
  int RightCol() const { return SX + WL + CW; }
};

bool Prepare(const TBitmap& Bitmap, const RECT& Rect, const TsMaskData& Mask, int State, TNinePiece& G) {
  if (State == 0 && (Mask.DrawMode & dmNothingInState0) != 0) return false;
  if (Width(Rect) < 2 || Height(Rect) < 2 || Mask.Manager == nullptr) return false;
  if (Mask.ImageCount < 1 || Mask.FrameWidth <= 0 || Mask.FrameHeight <= 0 || Bitmap.Empty()) return false;
  G.L = Rect.left, G.T = Rect.top, G.R = Rect.right, G.B = Rect.bottom;
  G.WL = Mask.WL, G.WT = Mask.WT, G.WR = Mask.WR, G.WB = Mask.WB;
  FitBorders(Width(Rect), G.WL, G.WR);
  FitBorders(Height(Rect), G.WT, G.WB);
  int s = std::clamp(State, 0, Mask.ImageCount - 1);
  G.CW = Mask.FrameWidth - G.WL - G.WR;
  G.CH = Mask.FrameHeight - G.WT - G.WB;
  if (G.CW < 0 || G.CH < 0) return false;
  G.SX = Mask.SrcRect.left + Mask.FrameWidth * s;
  G.SY = Mask.SrcRect.top;
  G.BottomRow = (Mask.MaskType != 0 ? G.SY + Mask.FrameHeight : Mask.SrcRect.bottom) - G.WB;
  return true;
}

// Vertical side at column X of the destination from source column SrcX,
// between the top and bottom borders. The limited member only runs on
// masked items, which cut within a tile, so both members share this.
void PaintSide(const TNinePiece& G, TPieceCopier& C, bool Stretch, int X, int W, int SrcX) {
  if (Stretch) return C.Stretch(RECT{X, G.T + G.WT, X + W, G.B - G.WB}, PieceRect(SrcX, G.SY + G.WT, W, G.CH), false);
  TileBand(G.T + G.WT, G.B - G.WB, G.CH, C.CutWithinTile(), [&](int Pos, int Len, int SrcLen) {
    C.Piece(RECT{X, Pos, X + W, Pos + Len}, PieceRect(SrcX, G.SY + G.WT, W, SrcLen));
  });
}

// Horizontal side at row Y of the destination from source row SrcY.
void PaintBand(const TNinePiece& G, TPieceCopier& C, bool Stretch, int Y, int H, int SrcY) {
  if (Stretch) return C.Stretch(RECT{G.L + G.WL, Y, G.R - G.WR, Y + H}, PieceRect(G.SX + G.WL, SrcY, G.CW, H), false);
  TileBand(G.L + G.WL, G.R - G.WR, G.CW, C.CutWithinTile(), [&](int Pos, int Len, int SrcLen) {
    C.Piece(RECT{Pos, Y, Pos + Len, Y + H}, PieceRect(G.SX + G.WL, SrcY, SrcLen, H));
  });
}

// The nine pieces in their order; the centre only when the item asks.
void PaintPieces(const TNinePiece& G, const TsMaskData& Mask, TPieceCopier& C) {
  bool stretch = (Mask.DrawMode & dmStretch) != 0;
  bool cut = C.CutWithinTile();
  int rc = G.RightCol();
  C.Corner(PieceRect(G.L, G.T, G.WL, G.WT), PieceRect(G.SX, G.SY, G.WL, G.WT));
  PaintSide(G, C, stretch, G.L, G.WL, G.SX);
  PaintBand(G, C, stretch, G.T, G.WT, G.SY);
  C.Corner(PieceRect(G.L, G.B - G.WB, G.WL, G.WB), PieceRect(G.SX, G.BottomRow, G.WL, G.WB));
  PaintBand(G, C, stretch, G.B - G.WB, G.WB, G.BottomRow);
  C.Corner(PieceRect(G.R - G.WR, G.B - G.WB, G.WR, G.WB), PieceRect(rc, G.BottomRow, G.WR, G.WB));
  C.Corner(PieceRect(G.R - G.WR, G.T, G.WR, G.WT), PieceRect(rc, G.SY, G.WR, G.WT));
  PaintSide(G, C, stretch, G.R - G.WR, G.WR, rc);
  if ((Mask.DrawMode & dmPaintCentre) == 0) return;
  RECT centre{G.L + G.WL, G.T + G.WT, G.R - G.WR, G.B - G.WB};
  if (stretch) return C.Stretch(centre, PieceRect(G.SX + G.WL, G.SY + G.WT, G.CW, G.CH), true);
  TileBand(centre.top, centre.bottom, G.CH, cut, [&](int Y, int H, int SrcH) {
    TileBand(centre.left, centre.right, G.CW, cut, [&](int X, int W, int SrcW) {
      C.Piece(RECT{X, Y, X + W, Y + H}, PieceRect(G.SX + G.WL, G.SY + G.WT, SrcW, SrcH));
    });
  });
}

// Outer effects: only the band along the edges, corners as an L of the
// outer strip and the band, sides only as deep as the band, no centre.
void PaintLimitedPieces(const TNinePiece& G, const TsMaskData& Mask, const TacLimits& Limits, TPieceCopier& C) {
  bool stretch = (Mask.DrawMode & dmStretch) != 0;
  int lw = std::min(G.WL, Limits.Left), tw = std::min(G.WT, Limits.Top);
  int rw = std::min(G.WR, Limits.Right), bw = std::min(G.WB, Limits.Bottom);
  int rc = G.RightCol(), outerR = rc + G.WR - rw, lowB = G.BottomRow + G.WB - bw;
  lw = std::max(lw, 0), tw = std::max(tw, 0), rw = std::max(rw, 0), bw = std::max(bw, 0);
  // Left-top, right-top, left-bottom, right-bottom.
  C.Corner(PieceRect(G.L, G.T, lw, G.WT), PieceRect(G.SX, G.SY, lw, G.WT));
  C.Corner(PieceRect(G.L + lw, G.T, G.WL - lw, tw), PieceRect(G.SX + lw, G.SY, G.WL - lw, tw));
  C.Corner(PieceRect(G.R - rw, G.T, rw, G.WT), PieceRect(outerR, G.SY, rw, G.WT));
  C.Corner(PieceRect(G.R - G.WR, G.T, G.WR - rw, tw), PieceRect(rc, G.SY, G.WR - rw, tw));
  C.Corner(PieceRect(G.L, G.B - G.WB, lw, G.WB), PieceRect(G.SX, G.BottomRow, lw, G.WB));
  C.Corner(PieceRect(G.L + lw, G.B - bw, G.WL - lw, bw), PieceRect(G.SX + lw, lowB, G.WL - lw, bw));
  C.Corner(PieceRect(G.R - rw, G.B - G.WB, rw, G.WB), PieceRect(outerR, G.BottomRow, rw, G.WB));
  C.Corner(PieceRect(G.R - G.WR, G.B - bw, G.WR - rw, bw), PieceRect(rc, lowB, G.WR - rw, bw));
  PaintSide(G, C, stretch, G.L, lw, G.SX);
  PaintBand(G, C, stretch, G.T, tw, G.SY);
  PaintBand(G, C, stretch, G.B - bw, bw, lowB);
  PaintSide(G, C, stretch, G.R - rw, rw, outerR);
}

// The chosen frame (with its mask below) must lie in the picture: an item
// whose rectangle or state strip reaches past it paints nothing.
bool FrameInPicture(const TNinePiece& G, const TsMaskData& Mask, const TBitmap& Src) {
  int rows = Mask.FrameHeight * (Mask.MaskType != 0 ? 2 : 1);
  return G.SX >= 0 && G.SY >= 0 && G.SX + Mask.FrameWidth <= Src.Width() && G.SY + rows <= Src.Height();
}

bool CornersMayTakeBackground(const TsMaskData& Mask) { return (Mask.CornerMode & 3) != 0; }

void PaintMember(TBitmap& Bitmap, const RECT& Rect, const TacBackgroundSource& BgSource, const TsMaskData& MaskData,
                 int State, TMember Member, bool CornerBg, const TacLimits* Limits, uint8_t Opacity) {
  TNinePiece g;
  if (!Prepare(Bitmap, Rect, MaskData, State, g)) return;
  TBitmap* src = MaskSourceBitmap(MaskData);
  if (src == nullptr || !FrameInPicture(g, MaskData, *src)) return;
  if ((MaskData.DrawMode & dmStretch) != 0) SetStretchBltMode(Bitmap.DC(), COLORONCOLOR);
  TPieceCopier copier(Bitmap, *src, MaskData, BgSource, Member, CornerBg, Opacity);
  if (Limits != nullptr && copier.Kind() == TDrawKind::Masked)
    PaintLimitedPieces(g, MaskData, *Limits, copier);
  else
    PaintPieces(g, MaskData, copier);
}

}  // namespace

TBitmap* MaskSourceBitmap(const TsMaskData& MaskData) {
  if (MaskData.Bmp != nullptr) return MaskData.Bmp;
  if (MaskData.Manager == nullptr) return nullptr;
  return MaskData.Manager->Globals().MasterBitmap.get();
}

void DrawSkinRect(TBitmap& Bitmap, const RECT& Rect, const TacBackgroundSource& BgSource, const TsMaskData& MaskData,
                  int State, bool UseBgForCorners) {
  PaintMember(Bitmap, Rect, BgSource, MaskData, State, TMember::Standard,
              UseBgForCorners && CornersMayTakeBackground(MaskData), nullptr, 255);
}

void DrawSkinRectOver(TBitmap& Bitmap, const RECT& Rect, const TacBackgroundSource& BgSource,
                      const TsMaskData& MaskData, int State) {
  PaintMember(Bitmap, Rect, BgSource, MaskData, State, TMember::Over, true, nullptr, 255);
}

void DrawSkinRectLimited(TBitmap& Bitmap, const RECT& Rect, const TacBackgroundSource& BgSource,
                         const TsMaskData& MaskData, int State, const TacLimits& Limits, uint8_t Opacity) {
  PaintMember(Bitmap, Rect, BgSource, MaskData, State, TMember::Limited, true, &Limits, Opacity);
}
