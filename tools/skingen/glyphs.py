"""The pictures of "Night (internal)": every item of GLOBALINFO as vector shapes.

Each item draws one frame at a time at scale s (density / 96): frame 0 normal,
1 hot, 2 pressed. Disabled and inactive looks are made by the engine.
"""
import palette as P
from raster import Canvas, arc, disc, rrect, rrect_outline, ring, segment

DENSITIES = (96, 120, 144, 192)
SUFFIX = {96: "", 120: "*125", 144: "*150", 192: "*200"}


def stroke(width, s):
  return max(1, round(width * s))


def _box_frame(s, size):
  inset = 1.0 * s
  return inset, inset, size - inset, size - inset, 3 * s


def box_unchecked(c, f, s):
  x0, y0, x1, y1, r = _box_frame(s, c.width)
  if f == 2:
    c.paint(rrect(x0, y0, x1, y1, r), P.PRESSED)
  c.paint(rrect_outline(x0, y0, x1, y1, r, stroke(1, s)), (P.TEXT_DIM, P.ACCENT_HOT, P.ACCENT_HOT)[f])


def _accent(f):
  return (P.ACCENT, P.ACCENT_HOT, P.ACCENT_PRESSED)[f]


def box_checked(c, f, s):
  x0, y0, x1, y1, r = _box_frame(s, c.width)
  c.paint(rrect(x0, y0, x1, y1, r), _accent(f))
  w = 1.6 * s
  c.paint(segment(4 * s, 8.2 * s, 6.8 * s, 11 * s, w) | segment(6.8 * s, 11 * s, 12 * s, 5.2 * s, w), P.WHITE)


def box_grayed(c, f, s):
  x0, y0, x1, y1, r = _box_frame(s, c.width)
  c.paint(rrect(x0, y0, x1, y1, r), _accent(f))
  c.paint(segment(4.5 * s, 8 * s, 11.5 * s, 8 * s, stroke(2, s)), P.WHITE)


def radio_unchecked(c, f, s):
  centre = c.width / 2.0
  if f == 2:
    c.paint(disc(centre, centre, 7 * s), P.PRESSED)
  c.paint(ring(centre, centre, 7 * s, stroke(1, s)), (P.TEXT_DIM, P.ACCENT_HOT, P.ACCENT_HOT)[f])


def radio_checked(c, f, s):
  centre = c.width / 2.0
  c.paint(ring(centre, centre, 7 * s, stroke(1, s)), _accent(f))
  c.paint(disc(centre, centre, 3.5 * s), _accent(f))


def _title_face(c, f, s, hot, pressed):
  if f:
    c.paint(rrect(0, 0, c.width, c.height, 2 * s), (None, hot, pressed)[f])


def _title_ink(f, close=False):
  if close:
    return (P.TEXT_DIM, P.WHITE, P.WHITE)[f]
  return (P.TEXT_DIM, P.TEXT_BRIGHT, P.TEXT)[f]


def icon_close(c, f, s):
  _title_face(c, f, s, P.CLOSE_HOT, (0x9E, 0x22, 0x16))
  cx, cy, d, w = c.width / 2.0, c.height / 2.0, 4 * s, stroke(1, s)
  c.paint(segment(cx - d, cy - d, cx + d, cy + d, w) | segment(cx - d, cy + d, cx + d, cy - d, w),
          _title_ink(f, close=True))


def icon_min(c, f, s):
  _title_face(c, f, s, P.BORDER_HOT, P.BORDER)
  cx, cy, w = c.width / 2.0, c.height / 2.0, stroke(1, s)
  c.paint(rrect(cx - 4 * s, cy + 3 * s, cx + 4 * s, cy + 3 * s + w, 0), _title_ink(f))


def icon_max(c, f, s):
  _title_face(c, f, s, P.BORDER_HOT, P.BORDER)
  cx, cy, w = c.width / 2.0, c.height / 2.0, stroke(1, s)
  c.paint(rrect_outline(cx - 4 * s, cy - 4 * s, cx + 4 * s, cy + 4 * s, 0, w), _title_ink(f))


def icon_norm(c, f, s):
  _title_face(c, f, s, P.BORDER_HOT, P.BORDER)
  cx, cy, w = c.width / 2.0, c.height / 2.0, stroke(1, s)
  front = rrect_outline(cx - 4 * s, cy - 2 * s, cx + 2 * s, cy + 4 * s, 0, w)
  back = (rrect(cx - 2 * s, cy - 4 * s, cx + 4 * s, cy - 4 * s + w, 0)
          | rrect(cx + 4 * s - w, cy - 4 * s, cx + 4 * s, cy + 2 * s, 0))
  c.paint(front | back, _title_ink(f))


def icon_help(c, f, s):
  _title_face(c, f, s, P.BORDER_HOT, P.BORDER)
  cx, cy, w = c.width / 2.0, c.height / 2.0, stroke(1.2, s)
  ink = _title_ink(f)
  c.paint(arc(cx, cy - 2 * s, 2.6 * s, w, 180, 90), ink)
  c.paint(segment(cx, cy + 0.6 * s, cx, cy + 1.8 * s, w), ink)
  c.paint(disc(cx, cy + 4 * s, 0.9 * s), ink)


def title_button(c, f, s):
  colour = (P.BORDER, P.BORDER_HOT, P.PRESSED)[f]
  c.paint(rrect(1 * s, 1 * s, c.width - 1 * s, c.height - 1 * s, 2 * s), colour)


def menu_check(c, f, s):
  ink = (P.TEXT, P.TEXT_BRIGHT, P.ACCENT_HOT)[f]
  w = 1.6 * s
  c.paint(segment(3.5 * s, 8.2 * s, 6.5 * s, 11.2 * s, w) | segment(6.5 * s, 11.2 * s, 12.5 * s, 4.8 * s, w),
          ink)


def grip(c, f, s):
  r = 1.0 * s
  dots = [(10, 2), (10, 6), (6, 6), (10, 10), (6, 10), (2, 10)]
  shape = None
  for x, y in dots:
    d = disc(x * s, y * s, r)
    shape = d if shape is None else shape | d
  c.paint(shape, P.BORDER_HOT)


# name, frames, base width, base height, drawing: in atlas order.
ITEMS = [
    ("BOXUNCHECKED", 3, 16, 16, box_unchecked),
    ("BOXCHECKED", 3, 16, 16, box_checked),
    ("BOXGRAYED", 3, 16, 16, box_grayed),
    ("RADIOUNCHECKED", 3, 16, 16, radio_unchecked),
    ("RADIOCHECKED", 3, 16, 16, radio_checked),
    ("BICONCLOSE", 3, 26, 18, icon_close),
    ("BICONMIN", 3, 26, 18, icon_min),
    ("BICONMAX", 3, 26, 18, icon_max),
    ("BICONNORM", 3, 26, 18, icon_norm),
    ("BICONHELP", 3, 26, 18, icon_help),
    ("TITLEBUTTON", 3, 26, 18, title_button),
    ("CHECK", 3, 16, 16, menu_check),
    ("GRIPIMAGE", 1, 12, 12, grip),
]


def frame_size(base, density):
  return int(base * density // 96 + (1 if (base * density) % 96 * 2 >= 96 else 0))


def draw_item(item, density):
  """The frames of one item side by side, as a list of frame canvases."""
  name, frames, bw, bh, draw = item
  s = density / 96.0
  w, h = frame_size(bw, density), frame_size(bh, density)
  canvases = []
  for f in range(frames):
    c = Canvas(w, h)
    draw(c, f, s)
    canvases.append(c)
  return canvases
