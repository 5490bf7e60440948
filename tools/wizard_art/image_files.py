"""Writers of ICO and PNG files from rows of pixels (top row first). PNG files are made as small
as this writer can: where the picture has at most 256 colours it is tried with a palette of the
smallest bit depth that holds them too, each try with several filter choices and compressor
settings, and the smallest result kept."""
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


def _bmp_icon_image(rows):
    size = len(rows)
    pixels = _bgr_rows_bottom_up(rows, 4)
    mask = _and_mask(rows)
    return _info_header(size, size * 2, 32, len(pixels) + len(mask)) + pixels + mask


def ico(images, png_sizes=()):
    """An ICO file of square images, each rows of (r, g, b, alpha): 32-bit bitmaps with masks,
    which every Windows reads, except the sizes in png_sizes, stored as PNG files (read from
    Vista on)."""
    bodies = [png(rows) if len(rows) in png_sizes else _bmp_icon_image(rows) for rows in images]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for rows, body in zip(images, bodies):
        size = len(rows) % 256  # 0 stands for 256
        out += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(body), offset)
        offset += len(body)
    return out + b"".join(bodies)


def _spread(box, channel):
    return max(c[channel] for c in box) - min(c[channel] for c in box)


def near_palette(rows, keep, tolerance, limit=256):
    """The rows with their colours cut to limit by median cut (each colour replaced by the mean
    of its box), the colours in keep left exact, out of the boxes and taken by no other; or the
    rows as they are when they have no more colours than limit, or when a channel would move by
    more than tolerance levels."""
    colours = {pixel for row in rows for pixel in row}
    if len(colours) <= limit:
        return rows
    kept = colours & set(keep)
    boxes = [sorted(colours - kept)]
    while len(boxes) < limit - len(kept):
        boxes.sort(key=lambda box: max(_spread(box, k) for k in range(3)))
        box = boxes.pop()
        channel = max(range(3), key=lambda k: _spread(box, k))
        box.sort(key=lambda c: c[channel])
        boxes += [box[:len(box) // 2], box[len(box) // 2:]]
    mapping = {colour: colour for colour in kept}
    for box in boxes:
        mean = tuple(round(sum(c[k] for c in box) / len(box)) for k in range(3))
        if mean in kept or max(abs(a - b) for c in box for a, b in zip(c, mean)) > tolerance:
            return rows
        mapping.update((colour, mean) for colour in box)
    return [[mapping[pixel] for pixel in row] for row in rows]


def _chunk(kind, data):
    crc = struct.pack(">I", zlib.crc32(kind + data))
    return struct.pack(">I", len(data)) + kind + data + crc


def _paeth(a, b, c):
    p = a + b - c
    pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
    if pa <= pb and pa <= pc:
        return a
    return b if pb <= pc else c


def _filtered(kind, line, previous, bpp):
    """One scanline's bytes under PNG filter kind (0 none, 1 sub, 2 up, 3 average, 4 Paeth)."""
    out = bytearray(len(line))
    for i, x in enumerate(line):
        a = line[i - bpp] if i >= bpp else 0
        b = previous[i]
        c = previous[i - bpp] if i >= bpp else 0
        predictor = (0, a, b, (a + b) // 2, _paeth(a, b, c))[kind]
        out[i] = (x - predictor) & 0xFF
    return bytes(out)


def _filter_choices(lines, bpp):
    """The image data under each filter for all rows, and under the per-row choice with the
    least sum of absolute differences, each as a candidate stream."""
    zero = bytes(len(lines[0]))
    by_kind = []
    for kind in range(5):
        previous, out = zero, bytearray()
        for line in lines:
            out += bytes([kind]) + _filtered(kind, line, previous, bpp)
            previous = line
        by_kind.append(bytes(out))
    previous, adaptive = zero, bytearray()
    for line in lines:
        rows = [_filtered(kind, line, previous, bpp) for kind in range(5)]
        cost = [sum(v if v < 128 else 256 - v for v in row) for row in rows]
        kind = cost.index(min(cost))
        adaptive += bytes([kind]) + rows[kind]
        previous = line
    return by_kind + [bytes(adaptive)]


def _smallest_zlib(streams):
    best = None
    for data in streams:
        for strategy in (zlib.Z_DEFAULT_STRATEGY, zlib.Z_FILTERED):
            packer = zlib.compressobj(9, zlib.DEFLATED, 15, 9, strategy)
            packed = packer.compress(data) + packer.flush()
            if best is None or len(packed) < len(best):
                best = packed
    return best


def _pack_indices(row, depth):
    """Palette indices packed depth bits each, the first in the high bits of a byte."""
    if depth == 8:
        return bytes(row)
    per_byte = 8 // depth
    out = bytearray()
    for start in range(0, len(row), per_byte):
        byte = 0
        part = row[start:start + per_byte]
        for i in range(per_byte):
            byte = (byte << depth) | (part[i] if i < len(part) else 0)
        out.append(byte)
    return bytes(out)


def _palette_orders(rows):
    """The picture's colours in a few orders worth trying for a palette: by value, by how often
    they occur, by brightness. None when there are more than 256."""
    counts = {}
    for row in rows:
        for pixel in row:
            counts[pixel] = counts.get(pixel, 0) + 1
    if len(counts) > 256:
        return []
    by_value = sorted(counts)
    return [by_value, sorted(by_value, key=lambda c: -counts[c]),
            sorted(by_value, key=lambda c: 299 * c[0] + 587 * c[1] + 114 * c[2])]


def _palette_png_parts(rows, colours):
    depth = next(d for d in (1, 2, 4, 8) if len(colours) <= 1 << d)
    index = {colour: i for i, colour in enumerate(colours)}
    lines = [_pack_indices([index[pixel] for pixel in row], depth) for row in rows]
    header = struct.pack(">IIBBBBB", len(rows[0]), len(rows), depth, 3, 0, 0, 0)
    palette = _chunk(b"PLTE", b"".join(bytes(colour) for colour in colours))
    return header, palette, lines, 1


def _direct_png_parts(rows):
    channels = len(rows[0][0])
    lines = [b"".join(bytes(pixel) for pixel in row) for row in rows]
    header = struct.pack(">IIBBBBB", len(rows[0]), len(rows), 8, 2 if channels == 3 else 6, 0,
                         0, 0)
    return header, b"", lines, channels


def png(rows, scale=1, smallest=True):
    """A PNG file of rows of (r, g, b) or (r, g, b, alpha), each pixel enlarged to scale x scale.
    With smallest, an RGB picture of at most 256 colours is also tried with a palette, and the
    smallest of the tries is kept; without, the file is written plainly and quickly."""
    rows = [[pixel for pixel in row for _ in range(scale)] for row in rows for _ in range(scale)]
    tries = [_direct_png_parts(rows)]
    if smallest and len(rows[0][0]) == 3:
        tries += [_palette_png_parts(rows, colours) for colours in _palette_orders(rows)]
    best = None
    for header, palette, lines, bpp in tries:
        if smallest:
            data = _smallest_zlib(_filter_choices(lines, bpp))
        else:
            data = zlib.compress(b"".join(b"\0" + line for line in lines), 9)
        file = (b"\x89PNG\r\n\x1a\n" + _chunk(b"IHDR", header) + palette + _chunk(b"IDAT", data) +
                _chunk(b"IEND", b""))
        if best is None or len(file) < len(best):
            best = file
    return best
