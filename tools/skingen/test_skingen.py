"""Checks of the skin generator: its descriptors, its colours and its output."""
import os
import struct
import subprocess
import sys
import tempfile
import unittest
import zlib

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import atlas  # noqa: E402
import palette as P  # noqa: E402
import sections  # noqa: E402

HERE = os.path.dirname(os.path.abspath(__file__))


def luminance(rgb):
  def channel(c):
    c /= 255.0
    return c / 12.92 if c <= 0.03928 else ((c + 0.055) / 1.055) ** 2.4
  r, g, b = (channel(c) for c in rgb)
  return 0.2126 * r + 0.7152 * g + 0.0722 * b


def contrast(a, b):
  la, lb = sorted((luminance(a), luminance(b)), reverse=True)
  return (la + 0.05) / (lb + 0.05)


def rgb_of(value):
  v = int(value[1:], 16) if value.startswith("$") else int(value)
  return (v & 0xFF, (v >> 8) & 0xFF, (v >> 16) & 0xFF)


class Descriptors(unittest.TestCase):
  def test_fields_land_in_their_columns(self):
    cases = [
        # rect, count, mask, kind, mode, borders, file -> text
        ((0, 40, 48, 72), 3, 1, 0, 0, (0, 0, 0, 0), "",
         "&0000004000480072000000000000000031000000000"),
        ((5, 6, 105, 26), 1, 0, 1, 17, (2, 3, 4, 5), "PAT.BMP",
         "&0005000601050026000200030004000510117000000PAT.BMP"),
    ]
    for rect, count, mask, kind, mode, borders, name, text in cases:
      with self.subTest(text=text):
        got = atlas.descriptor(*rect, count, mask, kind, mode, borders, name)
        self.assertEqual(got, text)
        self.assertEqual(len(got), 44 + len(name))

  def test_borders_that_leave_no_centre_are_refused(self):
    with self.assertRaises(AssertionError):
      atlas.descriptor(0, 0, 10, 10, 1, 0, 0, 0, (5, 0, 5, 0))


class Colours(unittest.TestCase):
  def test_text_is_readable_on_every_section_that_shows_it(self):
    table = dict(sections.SECTIONS)
    skip = {"DIVIDER", "COMBOBTN", "UPDOWNBTN", "TOOLBUTTON", "SPEEDBUTTON_SMALL", "SCROLLBAR1H", "SCROLLBAR1V",
            "SCROLLBAR2H", "SCROLLBAR2V", "SCROLLBTNLEFT", "SCROLLBTNTOP", "SCROLLBTNRIGHT", "SCROLLBTNBOTTOM",
            "SCROLLSLIDERH", "SCROLLSLIDERV"}
    for name in table:
      if name in skip:
        continue
      states = int(sections._lookup(table, name, "STATES") or "3")
      keys = [("COLOR", "FONTCOLOR", "TRANSPARENCY", "GRADIENTPERCENT")]
      if states >= 2:
        keys.append(("HOTCOLOR", "HOTFONTCOLOR", "HOTTRANSPARENCY", "HOTGRADIENTPERCENT"))
      if states >= 3 and sections._lookup(table, name, "USESTATE2") == "1":
        keys.append(("COLOR2", "FONTCOLOR2", "TRANSPARENCY2", "GRADIENTPERCENT2"))
      for colour, font, transparency, gradient in keys:
        if (sections._lookup(table, name, transparency) or "0") == "100":
          continue
        if (sections._lookup(table, name, gradient) or "0") not in ("0", None):
          continue
        back = sections._lookup(table, name, colour)
        text = sections._lookup(table, name, font)
        with self.subTest(section=name, key=colour):
          self.assertIsNotNone(back)
          self.assertIsNotNone(text)
          self.assertGreaterEqual(contrast(rgb_of(back), rgb_of(text)), 4.5)

  def test_gradient_faces_keep_their_text_readable(self):
    for top, bottom in ((P.BUTTON_TOP, P.BUTTON_BOTTOM), (P.BUTTON_HOT_TOP, P.BUTTON_HOT_BOTTOM)):
      for face in (top, bottom):
        self.assertGreaterEqual(contrast(face, P.TEXT), 4.5)


class Output(unittest.TestCase):
  def run_generator(self, folder):
    subprocess.run([sys.executable, os.path.join(HERE, "skingen.py"), folder], check=True)
    with open(os.path.join(folder, "night.skz"), "rb") as f:
      return f.read()

  def test_two_runs_give_the_same_bytes_and_a_readable_package(self):
    with tempfile.TemporaryDirectory() as a, tempfile.TemporaryDirectory() as b:
      first = self.run_generator(a)
      self.assertEqual(first, self.run_generator(b))
    self.assertEqual(first[:4], b"SKzf")
    count, = struct.unpack("<I", first[4:8])
    pos, names = 8, []
    for _ in range(count):
      n, = struct.unpack("<I", first[pos:pos + 4])
      names.append(first[pos + 4:pos + 4 + n].decode("latin-1"))
      pos += 4 + n
      size, = struct.unpack("<I", first[pos:pos + 4])
      pos += 4
      z = zlib.decompressobj()
      data = z.decompress(first[pos:])
      self.assertEqual(len(data), size)
      pos = len(first) - len(z.unused_data)
    self.assertEqual(names, ["Options.dat", "NIGHT.PNG"])
    self.assertEqual(first.find(b"previewimg"), pos)


if __name__ == "__main__":
  unittest.main()
