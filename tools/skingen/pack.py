"""PNG encoding (8-bit RGB, one IDAT) and the packed skin format "SKzf"."""
import struct
import zlib

LEVEL = 9


def _chunk(kind, data):
  return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)


def png(width, height, rows):
  raw = b"".join(b"\x00" + row for row in rows)
  return (b"\x89PNG\r\n\x1a\n"
          + _chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
          + _chunk(b"IDAT", zlib.compress(raw, LEVEL))
          + _chunk(b"IEND", b""))


PREVIEW_TAG = b"previewimg"


def skz(entries, preview=None):
  """entries: (name, bytes) in file order; preview: picture bytes appended after
  the last entry, where the reader's search finds it first."""
  out = bytearray(b"SKzf" + struct.pack("<I", len(entries)))
  for name, data in entries:
    encoded = name.encode("latin-1")
    out += struct.pack("<I", len(encoded)) + encoded + struct.pack("<I", len(data))
    out += zlib.compress(data, LEVEL)
  if preview is not None:
    at = len(out)
    out += PREVIEW_TAG + struct.pack("<I", len(preview)) + preview
    assert out.find(PREVIEW_TAG) == at, "compressed data holds the preview tag"
  return bytes(out)
