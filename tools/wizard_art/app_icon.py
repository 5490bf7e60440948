"""The application icon: candlesticks coming out of an open box. The images from 24 pixels up
are drawn from one design on a 48-unit grid snapped to pixel centres; the 16 pixel image has its
own, simpler design drawn pixel by pixel."""
from wizard_art.raster import Polygon, Rect, gradient

SIZES = (16, 24, 32, 48, 64)

BOX_EDGE = (104, 64, 26)
BOX_INSIDE = (112, 72, 34)
BOX_FRONT_TOP, BOX_FRONT_BOTTOM = (236, 190, 126), (200, 142, 78)
BOX_SIDE_FRONT, BOX_SIDE_BACK = (178, 122, 64), (148, 98, 48)
CANDLE_UP, CANDLE_UP_EDGE = (60, 190, 80), (18, 100, 36)
CANDLE_DOWN, CANDLE_DOWN_EDGE = (230, 70, 60), (130, 24, 20)

# Open box on the 48-unit grid: front face, depth of the side and opening.
FRONT = (3, 29, 33, 46)
DEPTH_X, DEPTH_Y = 11, -8
# Candles on the 48-unit grid: left, body top, body bottom, wick top, wick bottom, rising.
CANDLES = ((6, 16, 27, 11, 29, False), (17, 9, 24, 4, 28, True), (28, 3, 17, 0, 26, True))
CANDLE_WIDTH = 9


def draw(c, size):
    if size == 16:
        _draw_small(c)
    else:
        _draw_large(c, size / 48)


def _box(c, x0, y0, x1, y1, dx, dy, candles):
    """An open box with its front face x0..x1, y0..y1, receding by (dx, dy); candles(c) draws
    what stands in it, between the opening and the front face."""
    opening = Polygon([(x0, y0), (x0 + dx, y0 + dy), (x1 + dx, y0 + dy), (x1, y0)])
    c.fill_outlined(opening, BOX_INSIDE, BOX_EDGE)
    side = Polygon([(x1, y0), (x1 + dx, y0 + dy), (x1 + dx, y1 + dy), (x1, y1)])
    c.fill_outlined(side, gradient(x1, 0, BOX_SIDE_FRONT, x1 + dx, 0, BOX_SIDE_BACK), BOX_EDGE)
    candles(c)
    front = gradient(0, y0, BOX_FRONT_TOP, 0, y1, BOX_FRONT_BOTTOM)
    c.fill_outlined(Rect(x0, y0, x1, y1), front, BOX_EDGE)


def _candle(c, x0, x1, top, bottom, wick_top, wick_bottom, rising):
    body, edge = (CANDLE_UP, CANDLE_UP_EDGE) if rising else (CANDLE_DOWN, CANDLE_DOWN_EDGE)
    mid = (x0 + x1) / 2
    c.paint(Rect(mid - 0.5, wick_top, mid + 0.5, wick_bottom), edge)
    c.fill_outlined(Rect(x0, top, x1, bottom), body, edge)


def _draw_large(c, k):
    def at(v):
        """A grid line of the 48-unit design on the nearest pixel centre at this size."""
        return round(v * k - 0.5) + 0.5

    def row(v):
        """A grid line of the 48-unit design on the nearest pixel border at this size."""
        return round(v * k)

    def candles(c):
        for x, top, bottom, wick_top, wick_bottom, rising in CANDLES:
            _candle(c, at(x), at(x + CANDLE_WIDTH), at(top), at(bottom), row(wick_top),
                    row(wick_bottom), rising)

    x0, y0, x1, y1 = (at(v) for v in FRONT)
    _box(c, x0, y0, x1, y1, row(DEPTH_X), row(DEPTH_Y), candles)
    c.paint(Rect(row(12), row(37), row(24), row(39)), BOX_SIDE_FRONT)  # the hand hold


def _draw_small(c):
    def candles(c):
        _candle(c, 2.5, 4.5, 5.5, 10, 3, 10, False)
        _candle(c, 6.5, 8.5, 3.5, 10, 1, 10, True)
        _candle(c, 10.5, 12.5, 1.5, 8, 0, 8, True)

    _box(c, 0.5, 10.5, 11.5, 15.5, 4, -3, candles)
