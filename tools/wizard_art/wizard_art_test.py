"""Tests of the art generator's pixel grid and PNG writer. Run: python3 -m unittest from tools/,
or through CTest (wizard_art_tests)."""
import random
import struct
import unittest
import zlib

from wizard_art import image_files
from wizard_art.raster import Canvas, Rect
from wizard_art.scaling import ScaledCanvas


def read_png(data):
    """The rows of (r, g, b) or (r, g, b, alpha) of a PNG file as this writer makes them:
    8-bit RGB or RGBA, or a palette of 1 to 8 bits; not interlaced."""
    pos, chunks, packed = 8, {}, b""
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        (crc,) = struct.unpack(">I", data[pos + 8 + length:pos + 12 + length])
        if zlib.crc32(kind + body) != crc:
            raise ValueError("bad CRC in %r" % kind)
        if kind == b"IDAT":
            packed += body
        else:
            chunks[kind] = body
        pos += 12 + length
    width, height, depth, colour_type = struct.unpack(">IIBB", chunks[b"IHDR"][:10])
    channels = {2: 3, 6: 4, 3: 1}[colour_type]
    bpp = max(1, channels * depth // 8)
    stride = (width * channels * depth + 7) // 8
    raw = zlib.decompress(packed)
    rows, previous = [], bytes(stride)
    for y in range(height):
        start = y * (stride + 1)
        kind, line = raw[start], bytearray(raw[start + 1:start + 1 + stride])
        for i in range(stride):
            a = line[i - bpp] if i >= bpp else 0
            b, c = previous[i], previous[i - bpp] if i >= bpp else 0
            line[i] = (line[i] + (0, a, b, (a + b) // 2, image_files._paeth(a, b, c))[kind]) & 0xFF
        previous = bytes(line)
        if colour_type == 3:
            palette = chunks[b"PLTE"]
            bits = "".join(format(byte, "08b") for byte in line)
            indices = [int(bits[i * depth:(i + 1) * depth], 2) for i in range(width)]
            rows.append([tuple(palette[3 * i:3 * i + 3]) for i in indices])
        else:
            rows.append([tuple(line[i:i + channels]) for i in range(0, width * channels, channels)])
    return rows, colour_type, depth


class PngTest(unittest.TestCase):
    def test_few_colours_take_the_smallest_palette_and_read_back(self):
        chance = random.Random(18)
        for count, depth in ((2, 1), (4, 2), (11, 4), (200, 8)):
            colours = [tuple(chance.randrange(256) for _ in range(3)) for _ in range(count)]
            rows = [[colours[(x * x + y * y * 3) % count] for x in range(64)] for y in range(64)]
            read, colour_type, read_depth = read_png(image_files.png(rows))
            self.assertEqual(read, rows)
            self.assertEqual((colour_type, read_depth), (3, depth))

    def test_many_colours_stay_rgb_and_alpha_stays_rgba(self):
        rows = [[(x * 8, y * 8, (x * y) % 256) for x in range(32)] for y in range(32)]
        read, colour_type, _ = read_png(image_files.png(rows))
        self.assertEqual((read, colour_type), (rows, 2))
        alpha = [[(x, y, 9, (x * 40) % 256) for x in range(6)] for y in range(5)]
        read, colour_type, _ = read_png(image_files.png(alpha))
        self.assertEqual((read, colour_type), (alpha, 6))

    def test_the_smallest_choice_is_never_larger_than_a_plain_file(self):
        rows = [[(x * 5 % 256, 40, 200) if (x + y) % 7 else (0, 0, 0) for x in range(48)]
                for y in range(48)]
        plain = image_files.png(rows, smallest=False)
        best = image_files.png(rows)
        self.assertLessEqual(len(best), len(plain))
        self.assertEqual(read_png(best)[0], read_png(plain)[0])

    def test_enlarged_preview_repeats_each_pixel(self):
        rows = [[(1, 2, 3), (4, 5, 6)]]
        read, _, _ = read_png(image_files.png(rows, 2, False))
        self.assertEqual(read, [[(1, 2, 3), (1, 2, 3), (4, 5, 6), (4, 5, 6)]] * 2)


class NearPaletteTest(unittest.TestCase):
    KEY = (255, 0, 255)

    def test_close_colours_are_cut_to_the_limit_within_the_tolerance(self):
        # 400 colours in pairs one level apart, and the key.
        rows = [[(x, y, (x + y) % 2) for x in range(20)] for y in range(20)] + [[self.KEY] * 20]
        cut = image_files.near_palette(rows, [self.KEY], 2)
        colours = {pixel for row in cut for pixel in row}
        self.assertLessEqual(len(colours), 256)
        self.assertEqual(cut[-1], [self.KEY] * 20)
        for row, cut_row in zip(rows[:-1], cut[:-1]):
            for pixel, cut_pixel in zip(row, cut_row):
                self.assertNotEqual(cut_pixel, self.KEY)
                self.assertLessEqual(max(abs(a - b) for a, b in zip(pixel, cut_pixel)), 2)

    def test_pictures_left_as_they_are(self):
        few = [[(x, 0, 0) for x in range(200)]]
        self.assertIs(image_files.near_palette(few, [self.KEY], 2), few)
        spread = [[(x * 50 % 256, y * 50 % 256, (x * y * 13) % 256) for x in range(30)]
                  for y in range(30)]
        self.assertIs(image_files.near_palette(spread, [self.KEY], 2), spread)


def outlined_box(percent, size):
    canvas = Canvas(size * percent // 100)
    ScaledCanvas(canvas, percent / 100).fill_outlined(Rect(2.5, 2.5, 9.5, 9.5), (255, 255, 255),
                                                      (0, 0, 0))
    return canvas.pixels()


class ScalingTest(unittest.TestCase):
    def test_at_100_percent_shapes_are_drawn_as_given(self):
        direct = Canvas(12)
        direct.fill_outlined(Rect(2.5, 2.5, 9.5, 9.5), (255, 255, 255), (0, 0, 0))
        self.assertEqual(outlined_box(100, 12), direct.pixels())

    def test_outlines_stay_crisp_at_each_scale(self):
        # Across the box's middle every pixel is fully covered or not at all, and each side's
        # outline is the scale's line width.
        for percent, width in ((100, 1), (150, 1), (200, 2)):
            pixels = outlined_box(percent, 12)
            middle = len(pixels) // 2
            for line in (pixels[middle], [row[middle] for row in pixels]):
                self.assertLessEqual({p[3] for p in line}, {0.0, 1.0}, percent)
                dark = [p for p in line if p[3] == 1.0 and p[0] == 0]
                self.assertEqual(len(dark), 2 * width, percent)

    def test_one_pixel_bars_take_the_line_width(self):
        for percent, width in ((100, 1), (150, 1), (200, 2)):
            canvas = Canvas(12 * percent // 100)
            ScaledCanvas(canvas, percent / 100).paint(Rect(2, 5, 10, 6), (0, 0, 0))
            rows = [y for y, row in enumerate(canvas.pixels()) if row[6][3] == 1.0]
            self.assertEqual(len(rows), width, percent)


if __name__ == "__main__":
    unittest.main()
