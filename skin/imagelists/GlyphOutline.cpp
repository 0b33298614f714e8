#include "skin/imagelists/GlyphOutline.h"

#include <algorithm>
#include <cstdint>

#include "framework/GdiHandles.h"

void TacStrokeCollection::Bounds(double& left, double& top, double& right, double& bottom) const {
  left = top = right = bottom = 0;
  if (FStrokes.empty()) return;
  left = right = FStrokes[0].X1;
  top = bottom = FStrokes[0].Y1;
  for (const TacStroke& s : FStrokes) {
    left = std::min({left, s.X1, s.X2});
    right = std::max({right, s.X1, s.X2});
    top = std::min({top, s.Y1, s.Y2});
    bottom = std::max({bottom, s.Y1, s.Y2});
  }
}

int TacStrokeCollection::StrokeCount(int contour) const {
  return static_cast<int>(
      std::count_if(FStrokes.begin(), FStrokes.end(), [contour](const TacStroke& s) { return s.Contour == contour; }));
}

int TacStrokeCollection::FirstStroke(int contour) const {
  for (int i = 0; i < Count(); ++i)
    if (FStrokes[i].Contour == contour) return i;
  return -1;
}

namespace {
double FromFixed(FIXED f) { return f.value + f.fract / 65536.0; }

struct TPointD {
  double X, Y;
};
}  // namespace

bool ReadGlyphOutline(HFONT font, wchar_t ch, TacStrokeCollection& strokes) {
  strokes.Clear();
  HDC dc = CreateCompatibleDC(nullptr);
  if (!dc) return false;
  HGDIOBJ old = SelectObject(dc, font);
  GLYPHMETRICS metrics = {};
  const MAT2 identity = {{0, 1}, {0, 0}, {0, 0}, {0, 1}};
  DWORD size = GetGlyphOutlineW(dc, ch, GGO_NATIVE, &metrics, 0, nullptr, &identity);
  std::vector<uint8_t> buffer;
  bool ok = size != GDI_ERROR && size != 0;
  if (ok) {
    buffer.resize(size);
    ok = GetGlyphOutlineW(dc, ch, GGO_NATIVE, &metrics, size, buffer.data(), &identity) != GDI_ERROR;
  }
  SelectObject(dc, old);
  DeleteDC(dc);
  if (!ok) return false;

  int contour = 0;
  size_t pos = 0;
  while (pos + sizeof(TTPOLYGONHEADER) <= buffer.size()) {
    auto* header = reinterpret_cast<const TTPOLYGONHEADER*>(buffer.data() + pos);
    if (header->dwType != TT_POLYGON_TYPE || header->cb < sizeof(TTPOLYGONHEADER) || pos + header->cb > buffer.size()) {
      strokes.Clear();
      return false;
    }
    const TPointD start = {FromFixed(header->pfxStart.x), FromFixed(header->pfxStart.y)};
    TPointD last = start;
    auto lineTo = [&](TPointD p) {
      if (p.X != last.X || p.Y != last.Y) strokes.Add(contour, last.X, last.Y, p.X, p.Y);
      last = p;
    };
    size_t cur = pos + sizeof(TTPOLYGONHEADER);
    const size_t end = pos + header->cb;
    while (cur + sizeof(TTPOLYCURVE) - sizeof(POINTFX) <= end) {
      auto* curve = reinterpret_cast<const TTPOLYCURVE*>(buffer.data() + cur);
      const size_t curveSize = sizeof(TTPOLYCURVE) + (curve->cpfx ? curve->cpfx - 1 : 0) * sizeof(POINTFX);
      if (cur + curveSize > end) break;
      std::vector<TPointD> pts;
      for (int i = 0; i < curve->cpfx; ++i) pts.push_back({FromFixed(curve->apfx[i].x), FromFixed(curve->apfx[i].y)});
      if (curve->wType == TT_PRIM_LINE) {
        for (const TPointD& p : pts) lineTo(p);
      } else if (curve->wType == TT_PRIM_QSPLINE) {
        // Between two control points lies an implied on-curve point; each
        // piece is flattened into a few straight strokes.
        TPointD from = last;
        for (size_t i = 0; i + 1 < pts.size(); ++i) {
          const TPointD control = pts[i];
          const TPointD to = i + 2 < pts.size() ? TPointD{(pts[i].X + pts[i + 1].X) / 2, (pts[i].Y + pts[i + 1].Y) / 2}
                                                : pts[i + 1];
          constexpr int kSteps = 8;
          for (int s = 1; s <= kSteps; ++s) {
            const double t = double(s) / kSteps, u = 1 - t;
            lineTo({u * u * from.X + 2 * u * t * control.X + t * t * to.X,
                    u * u * from.Y + 2 * u * t * control.Y + t * t * to.Y});
          }
          from = to;
        }
      }
      cur += curveSize;
    }
    lineTo(start);
    ++contour;
    pos = end;
  }
  return strokes.Count() > 0;
}
