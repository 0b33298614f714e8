#!/usr/bin/env python3
"""Draws the pictures the skin's image lists and hint bubbles are built from.

The default hint frame, the hint balloons, the glyphs of the default PNG list
and the pipette cursor. The outputs are committed in assets/ and compiled in
through assets/skin_pictures.rc; run this again after changing it.
"""
import math
import os
import struct
import sys
import zlib

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "skingen"))
from pack import LEVEL, _chunk  # noqa: E402
from raster import SAMPLES, Canvas, Shape, arc, disc, rrect, segment  # noqa: E402

ASSETS = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "assets")


def png_rgba(canvas):
  """8-bit RGBA, straight alpha: what the image lists and the hint code read."""
  rows = []
  for y in range(canvas.height):
    row = bytearray()
    for x in range(canvas.width):
      colour, coverage = canvas.pixel(x, y)
      row += bytes(colour if coverage else (0, 0, 0)) + bytes((coverage,))
    rows.append(bytes(row))
  raw = b"".join(b"\x00" + row for row in rows)
  return (b"\x89PNG\r\n\x1a\n"
          + _chunk(b"IHDR", struct.pack(">IIBBBBB", canvas.width, canvas.height, 8, 6, 0, 0, 0))
          + _chunk(b"IDAT", zlib.compress(raw, LEVEL))
          + _chunk(b"IEND", b""))


def polygon(points):
  """A filled polygon (even-odd), for arrow heads and balloon tails."""
  xs = [p[0] for p in points]
  ys = [p[1] for p in points]

  def inside(x, y):
    hit = False
    for i in range(len(points)):
      (ax, ay), (bx, by) = points[i], points[i - 1]
      if (ay > y) != (by > y) and x < ax + (y - ay) * (bx - ax) / (by - ay):
        hit = not hit
    return hit

  return Shape(inside, (min(xs), min(ys), max(xs), max(ys)))


# Signed distances (negative inside), so a balloon and its tail get one
# outline around their union instead of a seam where they meet.

def sd_rrect(x0, y0, x1, y1, r):
  cx, cy = (x0 + x1) / 2.0, (y0 + y1) / 2.0
  hx, hy = (x1 - x0) / 2.0 - r, (y1 - y0) / 2.0 - r

  def dist(x, y):
    qx, qy = abs(x - cx) - hx, abs(y - cy) - hy
    outside = math.hypot(max(qx, 0.0), max(qy, 0.0))
    return outside + min(max(qx, qy), 0.0) - r

  return dist


def sd_polygon(points):
  fill = polygon(points).inside

  def dist(x, y):
    best = float("inf")
    for i in range(len(points)):
      (ax, ay), (bx, by) = points[i - 1], points[i]
      dx, dy = bx - ax, by - ay
      t = min(1.0, max(0.0, ((x - ax) * dx + (y - ay) * dy) / (dx * dx + dy * dy)))
      best = min(best, math.hypot(ax + t * dx - x, ay + t * dy - y))
    return -best if fill(x, y) else best

  return dist


def sd_union(*parts):
  return lambda x, y: min(p(x, y) for p in parts)


def paint_soft(canvas, dist, colour, opacity, blur, dx, dy):
  """A shadow: full opacity inside, fading to nothing blur pixels outside."""
  for y in range(canvas.height):
    for x in range(canvas.width):
      d = dist(x + 0.5 - dx, y + 0.5 - dy)
      a = opacity * min(1.0, max(0.0, 1.0 - d / blur))
      if a > 0:
        canvas._over(x, y, colour, a)


def paint_bubble(canvas, dist, fill_top, fill_bottom, top, bottom, border, border_width):
  """The body with a vertical gradient and an anti-aliased outline."""
  span = max(1.0, bottom - top)
  for y in range(canvas.height):
    for x in range(canvas.width):
      body = edge = 0
      for sy in SAMPLES:
        for sx in SAMPLES:
          d = dist(x + sx, y + sy)
          if d <= -border_width:
            body += 1
          elif d <= 0:
            edge += 1
      if not body and not edge:
        continue
      t = min(1.0, max(0.0, (y + 0.5 - top) / span))
      fill = tuple(fill_top[i] + (fill_bottom[i] - fill_top[i]) * t for i in range(3))
      covered = body + edge
      colour = tuple((fill[i] * body + border[i] * edge) / covered for i in range(3))
      canvas._over(x, y, colour, covered / 16.0)


def default_hint_frame():
  """40 x 40, cut with borders 11/10/14/15 and shadow bands 6/5/7/8: the
  visible bubble fills the picture less the bands and the shadow falls to the
  lower right; the corners of both (radius 3) end inside the corner pieces."""
  canvas = Canvas(40, 40)
  body = (6, 5, 33, 32)
  shape = sd_rrect(*body, 3)
  paint_soft(canvas, shape, (0, 0, 0), 0.30, 4.0, 2.0, 2.0)
  paint_bubble(canvas, shape, (255, 255, 250), (232, 236, 244), body[1], body[3], (118, 128, 146), 1.0)
  return canvas


# The balloons are 72 x 59. Each picture keeps the cut of its template: the
# rounded corners (radius 5), the shadow's too, end inside the corner pieces
# and the tail lies wholly in the corner piece it points from, so stretching
# the edges never smears either.
BALLOON_W, BALLOON_H = 72, 59
BALLOON_GEOMETRY = {
    # corner: (body rectangle, tail base x range, tail tip)
    "lefttop": ((2, 9, 68, 54), (10, 24), (2, 1)),
    "righttop": ((2, 9, 68, 54), (48, 62), (70, 1)),
    "leftbottom": ((2, 3, 68, 46), (10, 24), (2, 58)),
    "rightbottom": ((2, 3, 68, 46), (48, 62), (70, 58)),
}


def balloon(corner, fill_top, fill_bottom, border, shadow_opacity):
  (x0, y0, x1, y1), (b0, b1), tip = BALLOON_GEOMETRY[corner]
  # The tail's base reaches a little into the body so the union has no notch.
  base_y, inner_y = (y0, y0 + 3) if tip[1] < y0 else (y1, y1 - 3)
  tail = sd_polygon([(b0, inner_y), (b0, base_y), tip, (b1, base_y), (b1, inner_y)])
  shape = sd_union(sd_rrect(x0, y0, x1, y1, 5), tail)
  canvas = Canvas(BALLOON_W, BALLOON_H)
  if shadow_opacity:
    paint_soft(canvas, shape, (0, 0, 0), shadow_opacity, 3.0, 1.0, 2.0)
  paint_bubble(canvas, shape, fill_top, fill_bottom, y0, y1, border, 1.0)
  return canvas


def glyph_frames(draw):
  """Two 24 x 24 frames side by side: normal, then hot."""
  canvas = Canvas(48, 24)
  draw(canvas, 0, (72, 76, 84))
  draw(canvas, 24, (24, 104, 196))
  return canvas


def draw_folder(canvas, ox, colour):
  canvas.paint(rrect(ox + 3, 5, ox + 11, 9, 1.5), colour)
  canvas.paint(rrect(ox + 3, 7, ox + 21, 19, 1.5) - rrect(ox + 4.5, 10, ox + 19.5, 17.5, 0.5), colour)
  canvas.paint(polygon([(ox + 5, 19), (ox + 8, 12), (ox + 23, 12), (ox + 20, 19)]), colour)


def draw_refresh(canvas, ox, colour):
  cx, cy, r = ox + 12, 12, 6.5
  # Clockwise from 3 o'clock round to the head, leaving a gap up to the right.
  end = 285
  canvas.paint(arc(cx, cy, r, 2.2, 0, end), colour)
  a = math.radians(end)
  ex, ey = cx + r * math.cos(a), cy + r * math.sin(a)
  nx, ny = math.cos(a), math.sin(a)
  tx, ty = -ny, nx
  canvas.paint(polygon([(ex + 4 * nx, ey + 4 * ny), (ex - 4 * nx, ey - 4 * ny), (ex + 5 * tx, ey + 5 * ty)]), colour)


def draw_drop_down(canvas, ox, colour):
  canvas.paint(polygon([(ox + 6, 9), (ox + 18, 9), (ox + 12, 16)]), colour)


def draw_ellipsis(canvas, ox, colour):
  for cx in (6, 12, 18):
    canvas.paint(disc(ox + cx, 16, 1.8), colour)


def draw_cross(canvas, ox, colour):
  canvas.paint(segment(ox + 6.5, 6.5, ox + 17.5, 17.5, 2.6) | segment(ox + 17.5, 6.5, ox + 6.5, 17.5, 2.6),
               colour)


GLYPHS = {"sf": draw_folder, "sr": draw_refresh, "sd": draw_drop_down, "se": draw_ellipsis, "sc": draw_cross}


PIPETTE_HOTSPOT = (1, 30)


def pipette():
  """An eyedropper lying from the lower left (the tip, the hotspot) to the
  bulb at the upper right; black outline round white so it shows on any
  colour it picks from."""
  canvas = Canvas(32, 32)
  black, white = (0, 0, 0), (255, 255, 255)
  tip = (PIPETTE_HOTSPOT[0] + 0.5, PIPETTE_HOTSPOT[1] + 0.5)
  tube = segment(tip[0] + 1, tip[1] - 1, 19, 13, 5.0)
  collar = segment(15.5, 10.5, 21.5, 16.5, 4.0)
  bulb = segment(21, 11, 26, 6, 7.0)
  canvas.paint(tube | collar | bulb | disc(tip[0] + 0.5, tip[1] - 0.5, 1.5), black)
  canvas.paint(segment(tip[0] + 2, tip[1] - 2, 18, 14, 2.4), white)
  canvas.paint(segment(22, 10, 25, 7, 3.6), (90, 90, 90))
  return canvas


def write_cur(path, canvas, hotspot):
  """One 32-bit image with its AND mask set where the picture is clear, so a
  system without alpha cursors still shows the outline."""
  size = canvas.width
  xor = bytearray()
  mask_stride = ((size + 31) // 32) * 4
  mask = bytearray()
  for y in reversed(range(size)):
    bits = bytearray(mask_stride)
    for x in range(size):
      colour, coverage = canvas.pixel(x, y)
      xor += bytes((colour[2], colour[1], colour[0], coverage)) if coverage else b"\0\0\0\0"
      if coverage < 128:
        bits[x // 8] |= 0x80 >> (x % 8)
    mask += bits
  info = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
  blob = info + xor + mask
  header = struct.pack("<HHH", 0, 2, 1)
  entry = struct.pack("<BBBBHHII", size, size, 0, 0, hotspot[0], hotspot[1], len(blob), 6 + 16)
  with open(path, "wb") as f:
    f.write(header + entry + blob)


def write_png(name, canvas):
  with open(os.path.join(ASSETS, name), "wb") as f:
    f.write(png_rgba(canvas))


def main():
  write_png("achint.png", default_hint_frame())
  white = ((255, 255, 255), (244, 246, 250), (96, 100, 108), 0.22)
  for corner in BALLOON_GEOMETRY:
    write_png("hint_wbb_%s.png" % corner, balloon(corner, *white))
  write_png("hint_dark.png", balloon("lefttop", (74, 78, 88), (34, 36, 42), (14, 14, 18), 0.30))
  write_png("hint_yellow.png", balloon("lefttop", (255, 253, 214), (252, 236, 150), (176, 148, 60), 0.22))
  for name, draw in GLYPHS.items():
    write_png("glyph_%s.png" % name, glyph_frames(draw))
  write_cur(os.path.join(ASSETS, "pipette.cur"), pipette(), PIPETTE_HOTSPOT)


if __name__ == "__main__":
  main()
