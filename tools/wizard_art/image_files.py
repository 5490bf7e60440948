"""Writers of 32-bit ICO and RGB PNG files from rows of pixels (top row first)."""
import struct
import zlib


def _bgr_rows_bottom_up(rows, channels):
    """Pixel rows bottom-up, each pixel's channels reversed to BGR(A), rows padded to 4 bytes."""
    out = bytearray()
    for row in reversed(rows):
        line = bytearray()
        for pixel in row:
            line += bytes(pixel[:3][::-1]) + bytes(pixel[3:channels])
        line += bytes(-len(line) % 4)
        out += line
    return bytes(out)


def _info_header(width, height, bits, image_size):
    return struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0, image_size, 0, 0, 0, 0)


def _and_mask(rows):
    """The 1-bit mask of an icon image: set where the pixel is fully transparent."""
    out = bytearray()
    for row in reversed(rows):
        bits = "".join("1" if pixel[3] == 0 else "0" for pixel in row)
        bits += "0" * (-len(bits) % 32)
        out += int(bits, 2).to_bytes(len(bits) // 8, "big")
    return bytes(out)


def ico32(images):
    """An ICO file of square images, each rows of (r, g, b, alpha), as 32-bit images with masks."""
    bodies = []
    for rows in images:
        size = len(rows)
        pixels = _bgr_rows_bottom_up(rows, 4)
        mask = _and_mask(rows)
        bodies.append(_info_header(size, size * 2, 32, len(pixels) + len(mask)) + pixels + mask)
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for rows, body in zip(images, bodies):
        size = len(rows) % 256  # 0 stands for 256
        out += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(body), offset)
        offset += len(body)
    return out + b"".join(bodies)


def png(rows, scale=1):
    """An RGB PNG file of rows of (r, g, b), each pixel enlarged to scale x scale."""
    raw = bytearray()
    for row in rows:
        line = b"".join(bytes(pixel[:3]) * scale for pixel in row)
        raw += (b"\0" + line) * scale

    def chunk(kind, data):
        crc = struct.pack(">I", zlib.crc32(kind + data))
        return struct.pack(">I", len(data)) + kind + data + crc

    header = struct.pack(">IIBBBBB", len(rows[0]) * scale, len(rows) * scale, 8, 2, 0, 0, 0)
    pixels = chunk(b"IDAT", zlib.compress(bytes(raw), 9))
    return b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + pixels + chunk(b"IEND", b"")
