"""A straight-alpha canvas and the few shapes the skin's glyphs are made of.

Coverage is sampled 4 x 4 per pixel on a fixed grid, so the same drawing gives
the same bytes on every run.
"""
import math

SAMPLES = [(i + 0.5) / 4.0 for i in range(4)]


class Shape:
  """A point test with the box outside of which it is never true."""

  def __init__(self, inside, box):
    self.inside = inside
    self.box = box

  def __or__(self, other):
    a, b = self, other
    box = (min(a.box[0], b.box[0]), min(a.box[1], b.box[1]),
           max(a.box[2], b.box[2]), max(a.box[3], b.box[3]))
    return Shape(lambda x, y: a.inside(x, y) or b.inside(x, y), box)

  def __sub__(self, other):
    a, b = self, other
    return Shape(lambda x, y: a.inside(x, y) and not b.inside(x, y), a.box)


def rrect(x0, y0, x1, y1, r):
  r = max(0.0, min(r, (x1 - x0) / 2, (y1 - y0) / 2))

  def inside(x, y):
    if x < x0 or x > x1 or y < y0 or y > y1:
      return False
    cx = min(max(x, x0 + r), x1 - r)
    cy = min(max(y, y0 + r), y1 - r)
    return (x - cx) ** 2 + (y - cy) ** 2 <= r * r

  return Shape(inside, (x0, y0, x1, y1))


def rrect_outline(x0, y0, x1, y1, r, width):
  return rrect(x0, y0, x1, y1, r) - rrect(x0 + width, y0 + width, x1 - width, y1 - width,
                                          max(0.0, r - width))


def disc(cx, cy, r):
  return Shape(lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r,
               (cx - r, cy - r, cx + r, cy + r))


def ring(cx, cy, r, width):
  return disc(cx, cy, r) - disc(cx, cy, r - width)


def segment(ax, ay, bx, by, width):
  hw = width / 2.0
  dx, dy = bx - ax, by - ay
  length2 = dx * dx + dy * dy or 1e-9

  def inside(x, y):
    t = min(1.0, max(0.0, ((x - ax) * dx + (y - ay) * dy) / length2))
    px, py = ax + t * dx - x, ay + t * dy - y
    return px * px + py * py <= hw * hw

  return Shape(inside, (min(ax, bx) - hw, min(ay, by) - hw, max(ax, bx) + hw, max(ay, by) + hw))


def arc(cx, cy, r, width, start_deg, end_deg):
  """Part of a ring, angles clockwise from 3 o'clock in screen coordinates."""
  base = ring(cx, cy, r + width / 2.0, width)

  def inside(x, y):
    if not base.inside(x, y):
      return False
    a = math.degrees(math.atan2(y - cy, x - cx)) % 360
    return start_deg <= a <= end_deg if start_deg <= end_deg else a >= start_deg or a <= end_deg

  return Shape(inside, base.box)


class Canvas:
  def __init__(self, width, height):
    self.width = width
    self.height = height
    self.rgb = [[(0, 0, 0)] * width for _ in range(height)]
    self.alpha = [[0.0] * width for _ in range(height)]

  def paint(self, shape, colour):
    x0 = max(0, int(math.floor(shape.box[0])))
    y0 = max(0, int(math.floor(shape.box[1])))
    x1 = min(self.width, int(math.ceil(shape.box[2])) + 1)
    y1 = min(self.height, int(math.ceil(shape.box[3])) + 1)
    for y in range(y0, y1):
      for x in range(x0, x1):
        hits = sum(1 for sy in SAMPLES for sx in SAMPLES if shape.inside(x + sx, y + sy))
        if hits:
          self._over(x, y, colour, hits / 16.0)

  def _over(self, x, y, colour, a):
    below_a = self.alpha[y][x]
    out_a = a + below_a * (1 - a)
    below = self.rgb[y][x]
    mixed = tuple((colour[i] * a + below[i] * below_a * (1 - a)) / out_a for i in range(3))
    self.rgb[y][x] = mixed
    self.alpha[y][x] = out_a

  def pixel(self, x, y):
    """The straight colour (ints) and coverage 0-255 of one pixel."""
    coverage = int(round(self.alpha[y][x] * 255))
    colour = tuple(int(round(c)) for c in self.rgb[y][x])
    return colour, coverage
