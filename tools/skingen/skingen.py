#!/usr/bin/env python3
"""Draws and packs the internal skin "Night (internal)".

Usage: skingen.py OUTPUT_FOLDER
Writes OUTPUT_FOLDER/night/Options.dat and OUTPUT_FOLDER/night/NIGHT.PNG (a
folder skin) and OUTPUT_FOLDER/night.skz (the same as a packed skin, with a
preview picture). Two runs give the same bytes.
"""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import atlas  # noqa: E402
import pack  # noqa: E402
import palette as P  # noqa: E402
import sections  # noqa: E402


def preview():
  """A 140 x 100 sketch of a window: title band, frame and an accent button."""
  w, h = 140, 100
  rows = []
  for y in range(h):
    row = bytearray()
    for x in range(w):
      if x in (0, w - 1) or y in (0, h - 1):
        c = P.BORDER
      elif y < 18:
        c = P.CHROME
      elif 70 <= y < 86 and 80 <= x < 128:
        c = P.ACCENT
      else:
        c = P.FORM
      row += bytes(c)
    rows.append(bytes(row))
  return pack.png(w, h, rows)


def write(path, data):
  with open(path, "wb") as f:
    f.write(data)


def main(argv):
  if len(argv) != 2:
    sys.stderr.write(__doc__)
    return 2
  out = argv[1]
  width, height, rows, images = atlas.build()
  master = pack.png(width, height, rows)
  options = sections.options_text(images)
  os.makedirs(os.path.join(out, "night"), exist_ok=True)
  write(os.path.join(out, "night", "Options.dat"), options)
  write(os.path.join(out, "night", "NIGHT.PNG"), master)
  write(os.path.join(out, "night.skz"),
        pack.skz([("Options.dat", options), ("NIGHT.PNG", master)], preview()))
  return 0


if __name__ == "__main__":
  sys.exit(main(sys.argv))
