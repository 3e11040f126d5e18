"""Writers for the picture files: Windows bitmaps, icons, and PNG previews.

Pixels come in as rows, top row first, of (red, green, blue) byte triples.
"""

import struct
import zlib

PIXELS_PER_METRE = 2834  # 72 dots per inch
FILE_HEADER_SIZE = 14
INFO_HEADER_SIZE = 40


def _row_stride(width, bits):
    return (width * bits + 31) // 32 * 4


def _info_header(width, height, bits, image_size, pixels_per_metre, colours_used=0):
    return struct.pack('<IiiHHIIiiII', INFO_HEADER_SIZE, width, height, 1, bits, 0, image_size,
                       pixels_per_metre, pixels_per_metre, colours_used, 0)


def _bgr_rows_bottom_up(rows):
    width = len(rows[0])
    padding = bytes(_row_stride(width, 24) - width * 3)
    out = bytearray()
    for row in reversed(rows):
        for r, g, b in row:
            out += bytes((b, g, r))
        out += padding
    return bytes(out)


def bitmap_24(rows):
    """A 24-bit BI_RGB bitmap file, rows stored bottom-up, 2834 pixels per metre."""
    height, width = len(rows), len(rows[0])
    pixels = _bgr_rows_bottom_up(rows)
    offset = FILE_HEADER_SIZE + INFO_HEADER_SIZE
    file_header = struct.pack('<2sIHHI', b'BM', offset + len(pixels), 0, 0, offset)
    return file_header + _info_header(width, height, 24, len(pixels), PIXELS_PER_METRE) + pixels


def _and_mask(opaque):
    """1 bit per pixel, set where the icon is transparent; rows bottom-up, 32-bit padded."""
    width = len(opaque[0])
    stride = _row_stride(width, 1)
    out = bytearray()
    for row in reversed(opaque):
        bits = bytearray(stride)
        for x, solid in enumerate(row):
            if not solid:
                bits[x // 8] |= 0x80 >> (x % 8)
        out += bits
    return bytes(out)


def icon_image_24(rows, opaque):
    """One icon image: header with doubled height, 24-bit colour, then the AND mask.
    Transparent pixels are black in the colour part, as Windows expects."""
    height, width = len(rows), len(rows[0])
    colour_rows = [[rgb if solid else (0, 0, 0) for rgb, solid in zip(row, mask)]
                   for row, mask in zip(rows, opaque)]
    xor = _bgr_rows_bottom_up(colour_rows)
    mask = _and_mask(opaque)
    header = _info_header(width, height * 2, 24, len(xor) + len(mask), 0)
    return header + xor + mask


def icon_image_4(indices, opaque, palette):
    """One 16-colour icon image: header, 16-entry palette, 4-bit indices, AND mask."""
    assert len(palette) == 16
    height, width = len(indices), len(indices[0])
    stride = _row_stride(width, 4)
    xor = bytearray()
    for row, mask in zip(reversed(indices), reversed(opaque)):
        packed = bytearray(stride)
        for x, (index, solid) in enumerate(zip(row, mask)):
            packed[x // 2] |= (index if solid else 0) << (4 if x % 2 == 0 else 0)
        xor += packed
    and_mask = _and_mask(opaque)
    header = _info_header(width, height * 2, 4, len(xor) + len(and_mask), 0)
    quads = b''.join(bytes((b, g, r, 0)) for r, g, b in palette)
    return header + quads + bytes(xor) + and_mask


def icon_file(images):
    """An .ico file; images are (width, height, colour count, bit count, image bytes)."""
    directory = struct.pack('<HHH', 0, 1, len(images))
    offset = len(directory) + 16 * len(images)
    entries, data = b'', b''
    for width, height, colours, bits, image in images:
        entries += struct.pack('<BBBBHHII', width % 256, height % 256, colours % 256, 0, 1, bits,
                               len(image), offset + len(data))
        data += image
    return directory + entries + data


def png(rows):
    """An 8-bit RGB PNG, for looking at the pictures."""
    height, width = len(rows), len(rows[0])
    raw = b''.join(b'\0' + bytes(c for rgb in row for c in rgb) for row in rows)

    def chunk(kind, body):
        return struct.pack('>I', len(body)) + kind + body + struct.pack(
            '>I', zlib.crc32(kind + body) & 0xFFFFFFFF)

    header = struct.pack('>IIBBBBB', width, height, 8, 2, 0, 0, 0)
    return (b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', header) + chunk(b'IDAT', zlib.compress(raw, 9)) +
            chunk(b'IEND', b''))
