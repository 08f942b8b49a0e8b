"""Writes PNG files with the standard library alone; shared by the picture
generators in this folder."""
import struct
import zlib


def write_png(path, width, height, raw, alpha):
    """raw holds the rows, each led by its filter byte 0; pixels are RGBA
    when alpha is set, RGB otherwise."""
    def chunk(tag, data):
        return struct.pack(">I", len(data)) + tag + data + struct.pack(">I", zlib.crc32(tag + data) & 0xFFFFFFFF)

    png = b"\x89PNG\r\n\x1a\n"
    png += chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6 if alpha else 2, 0, 0, 0))
    png += chunk(b"IDAT", zlib.compress(bytes(raw), 9))
    png += chunk(b"IEND", b"")
    with open(path, "wb") as f:
        f.write(png)
