"""The master bitmap: every item at every density on shelves, with its grey
mask below each picture, and the "&" descriptor of each placed item."""
import palette as P
from glyphs import DENSITIES, ITEMS, draw_item

MAX_WIDTH = 1024
GAP = 1


def descriptor(left, top, right, bottom, count, mask=1, kind=0, mode=0, borders=(0, 0, 0, 0), file=""):
  width, height = right - left, bottom - top
  frame_w, frame_h = width // count, height // (mask + 1)
  wl, wt, wr, wb = borders
  assert all(0 <= v < 10000 for v in (left, top, right, bottom, wl, wt, wr, wb))
  assert 1 <= count <= 9 and mask in (0, 1) and 0 <= kind <= 4 and 0 <= mode < 100
  assert wr < frame_w - wl or (wl == 0 and wr == 0)
  assert wb < frame_h - wt or (wt == 0 and wb == 0)
  digits = "".join("%04d" % v for v in (left, top, right, bottom, wl, wt, wr, wb))
  return "&" + digits + "%d%d%d%02d" % (count, mask, kind, mode) + "000000" + file


def build():
  """Returns (width, height, rows of RGB bytes, {key: descriptor})."""
  placed = []  # (key, x, y, canvases)
  x = y = shelf = 0
  width = 0
  for density in DENSITIES:
    for item in ITEMS:
      canvases = draw_item(item, density)
      w = canvases[0].width * len(canvases)
      h = canvases[0].height * 2
      if x + w > MAX_WIDTH:
        x, y, shelf = 0, y + shelf + GAP, 0
      placed.append((item[0], density, x, y, canvases))
      width = max(width, x + w)
      shelf = max(shelf, h)
      x += w + GAP
  height = y + shelf
  pixels = [bytearray(bytes(P.KEY) * width) for _ in range(height)]
  keys = {}
  from glyphs import SUFFIX
  for name, density, left, top, canvases in placed:
    fw, fh = canvases[0].width, canvases[0].height
    for f, c in enumerate(canvases):
      for py in range(fh):
        picture, mask = pixels[top + py], pixels[top + fh + py]
        for px in range(fw):
          colour, coverage = c.pixel(px, py)
          at = (left + f * fw + px) * 3
          if coverage:
            if colour == P.KEY:
              colour = (0xFE, 0x00, 0xFF)
            picture[at:at + 3] = bytes(colour)
          grey = 255 - coverage
          mask[at:at + 3] = bytes((grey, grey, grey))
    keys[name + SUFFIX[density]] = descriptor(left, top, left + fw * len(canvases), top + fh * 2,
                                              len(canvases))
  return width, height, [bytes(r) for r in pixels], keys
