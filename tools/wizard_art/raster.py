"""A small supersampled vector rasterizer.

Shapes are regions given by a signed distance (negative inside) and a bounding box, in pixel
units: pixel (i, j) covers [i, i + 1] x [j, j + 1]. A canvas paints shapes in order, each sample
taking the colour of the last shape that covers it; a pixel's colour is the mean of its covered
samples and its coverage the share of them that are covered.
"""
import math

SUB = 4  # samples per pixel along each axis


class Shape:
    def __or__(self, other):
        return Union(self, other)


class Rect(Shape):
    """Axis-aligned box from (x0, y0) to (x1, y1) with corner radius r."""

    def __init__(self, x0, y0, x1, y1, r=0.0):
        self.cx, self.cy = (x0 + x1) / 2, (y0 + y1) / 2
        self.hx, self.hy = (x1 - x0) / 2 - r, (y1 - y0) / 2 - r
        self.r = r
        self.box = (x0, y0, x1, y1)

    def distance(self, x, y):
        qx = abs(x - self.cx) - self.hx
        qy = abs(y - self.cy) - self.hy
        outside = math.hypot(max(qx, 0.0), max(qy, 0.0))
        return outside + min(max(qx, qy), 0.0) - self.r

    def bounds(self):
        return self.box


class Circle(Shape):
    def __init__(self, cx, cy, r):
        self.cx, self.cy, self.r = cx, cy, r

    def distance(self, x, y):
        return math.hypot(x - self.cx, y - self.cy) - self.r

    def bounds(self):
        return (self.cx - self.r, self.cy - self.r, self.cx + self.r, self.cy + self.r)


class Polygon(Shape):
    """A closed polygon (even-odd rule) through the given points."""

    def __init__(self, points):
        self.points = list(points)

    def distance(self, x, y):
        pts = self.points
        best = float("inf")
        inside = False
        for i, (ax, ay) in enumerate(pts):
            bx, by = pts[i - 1]
            ex, ey = bx - ax, by - ay
            wx, wy = x - ax, y - ay
            t = min(max((wx * ex + wy * ey) / (ex * ex + ey * ey), 0.0), 1.0)
            best = min(best, (wx - ex * t) ** 2 + (wy - ey * t) ** 2)
            if (ay > y) != (by > y) and x < ax + (y - ay) * ex / ey:
                inside = not inside
        return -math.sqrt(best) if inside else math.sqrt(best)

    def bounds(self):
        xs = [p[0] for p in self.points]
        ys = [p[1] for p in self.points]
        return (min(xs), min(ys), max(xs), max(ys))


class Line(Shape):
    """An open polyline drawn with the given width and round ends and joins."""

    def __init__(self, points, width):
        self.points = list(points)
        self.half = width / 2

    def distance(self, x, y):
        best = float("inf")
        for (ax, ay), (bx, by) in zip(self.points, self.points[1:]):
            ex, ey = bx - ax, by - ay
            wx, wy = x - ax, y - ay
            t = min(max((wx * ex + wy * ey) / (ex * ex + ey * ey), 0.0), 1.0)
            best = min(best, math.hypot(wx - ex * t, wy - ey * t))
        return best - self.half

    def bounds(self):
        xs = [p[0] for p in self.points]
        ys = [p[1] for p in self.points]
        h = self.half
        return (min(xs) - h, min(ys) - h, max(xs) + h, max(ys) + h)


class Outline(Shape):
    """The band of the given width centred on another shape's edge."""

    def __init__(self, shape, width=1.0):
        self.shape, self.half = shape, width / 2

    def distance(self, x, y):
        return abs(self.shape.distance(x, y)) - self.half

    def bounds(self):
        x0, y0, x1, y1 = self.shape.bounds()
        h = self.half
        return (x0 - h, y0 - h, x1 + h, y1 + h)


class Union(Shape):
    def __init__(self, a, b):
        self.a, self.b = a, b

    def distance(self, x, y):
        return min(self.a.distance(x, y), self.b.distance(x, y))

    def bounds(self):
        a, b = self.a.bounds(), self.b.bounds()
        return (min(a[0], b[0]), min(a[1], b[1]), max(a[2], b[2]), max(a[3], b[3]))


def gradient(x0, y0, c0, x1, y1, c1):
    """A colour function running from c0 at (x0, y0) to c1 at (x1, y1)."""
    dx, dy = x1 - x0, y1 - y0
    length2 = dx * dx + dy * dy

    def colour(x, y):
        t = min(max(((x - x0) * dx + (y - y0) * dy) / length2, 0.0), 1.0)
        return tuple(a + (b - a) * t for a, b in zip(c0, c1))

    return colour


class Canvas:
    def __init__(self, size):
        self.size = size
        self.samples = [None] * (size * SUB) ** 2

    def paint(self, shape, colour):
        """Colours every sample inside shape; colour is (r, g, b) or a function of (x, y)."""
        n = self.size * SUB
        x0, y0, x1, y1 = shape.bounds()
        sx0, sy0 = max(int(x0 * SUB) - 1, 0), max(int(y0 * SUB) - 1, 0)
        sx1, sy1 = min(int(x1 * SUB) + 2, n), min(int(y1 * SUB) + 2, n)
        for sy in range(sy0, sy1):
            y = (sy + 0.5) / SUB
            row = sy * n
            for sx in range(sx0, sx1):
                x = (sx + 0.5) / SUB
                if shape.distance(x, y) <= 0:
                    self.samples[row + sx] = colour(x, y) if callable(colour) else colour

    def fill_outlined(self, shape, fill, edge, width=1.0):
        """Paints shape with fill, then its edge band on top."""
        self.paint(shape, fill)
        self.paint(Outline(shape, width), edge)

    def pixels(self):
        """Rows of (r, g, b, coverage): the mean colour of the covered samples and their share."""
        n = self.size * SUB
        rows = []
        for py in range(self.size):
            row = []
            for px in range(self.size):
                covered = [
                    self.samples[(py * SUB + j) * n + px * SUB + i]
                    for j in range(SUB)
                    for i in range(SUB)
                ]
                covered = [c for c in covered if c is not None]
                if not covered:
                    row.append((0.0, 0.0, 0.0, 0.0))
                    continue
                mean = [sum(c[k] for c in covered) / len(covered) for k in range(3)]
                row.append((*mean, len(covered) / SUB**2))
            rows.append(row)
        return rows
