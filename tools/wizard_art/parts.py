"""Drawing parts shared by the pictures: paper, text lines, a folder, a star, a tick. Edges on
half pixels give crisp one-pixel outlines."""
import math

from wizard_art.raster import Line, Polygon, Rect, gradient

PAPER_EDGE = (96, 108, 128)
PAPER_TOP, PAPER_BOTTOM = (255, 255, 255), (226, 232, 242)
PAPER_FOLD = (200, 210, 226)
TEXT_LINE = (150, 162, 182)
FOLDER_EDGE = (150, 96, 16)
FOLDER_BACK = (226, 164, 44)
FOLDER_FRONT_TOP, FOLDER_FRONT_BOTTOM = (255, 222, 110), (244, 178, 46)


def sheet(canvas, x0, y0, x1, y1, fold=0):
    """A sheet of paper, with its top-right corner folded over when fold is not 0."""
    if fold:
        body = Polygon([(x0, y0), (x1 - fold, y0), (x1, y0 + fold), (x1, y1), (x0, y1)])
    else:
        body = Rect(x0, y0, x1, y1)
    canvas.fill_outlined(body, gradient(x0, y0, PAPER_TOP, x1, y1, PAPER_BOTTOM), PAPER_EDGE)
    if not fold:
        return
    corner = Polygon([(x1 - fold, y0), (x1 - fold, y0 + fold), (x1, y0 + fold)])
    canvas.fill_outlined(corner, PAPER_FOLD, PAPER_EDGE)


def text_lines(canvas, x0, x1, ys, colour=TEXT_LINE):
    """One-pixel lines of "text" from x0 to x1 at the given rows (whole pixels)."""
    for y in ys:
        canvas.paint(Rect(x0, y, x1, y + 1), colour)


def folder(canvas, x0, y0, x1, y1, tab, rise, front_top, contents=None):
    """A folder: the back with a tab tab wide sloping down by rise, then what contents(canvas)
    draws in it, then the front from front_top down."""
    back = Polygon([(x0, y0), (x0 + tab, y0), (x0 + tab + rise, y0 + rise), (x1, y0 + rise),
                    (x1, y1), (x0, y1)])
    canvas.fill_outlined(back, FOLDER_BACK, FOLDER_EDGE)
    if contents:
        contents(canvas)
    front = gradient(0, front_top, FOLDER_FRONT_TOP, 0, y1, FOLDER_FRONT_BOTTOM)
    canvas.fill_outlined(Rect(x0, front_top, x1, y1), front, FOLDER_EDGE)


def star(cx, cy, outer, inner, points=5):
    """A star polygon with its first point straight up."""
    corners = []
    for k in range(points * 2):
        r = outer if k % 2 == 0 else inner
        angle = -math.pi / 2 + k * math.pi / points
        corners.append((cx + r * math.cos(angle), cy + r * math.sin(angle)))
    return Polygon(corners)


def check_mark(x, y, size):
    """A tick whose box starts at (x, y) and is size wide."""
    corners = [(0.15, 0.5), (0.42, 0.78), (0.9, 0.12)]
    return Line([(x + size * u, y + size * v) for u, v in corners], size * 0.24)
