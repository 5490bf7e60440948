"""Drawing a design made for 100 % at a larger display scale, crisp rather than resampled.

A design gives its coordinates in pixels at 100 %. At scale k a canvas of the larger size is
drawn with every shape moved onto the grid of that size: a coordinate on a half pixel (the
centre of a one-pixel outline at 100 %) goes to the centre of an outline of the scale's line
width, a whole coordinate (a pixel border) to the nearest border, any other coordinate and
every length is multiplied by k. A one-pixel-high or -wide whole-pixel bar becomes a bar of the
line width. At 100 % every shape stays as it is.
"""
import math

from wizard_art.raster import Circle, Line, Outline, Polygon, Rect, Union


def line_width(k):
    """The width in pixels of a one-pixel outline at scale k."""
    return max(1, math.floor(k + 0.25))


class Grid:
    def __init__(self, k):
        self.k = k
        self.width = line_width(k)

    def centre(self, v):
        """A half-pixel coordinate: the centre of an outline of the line width."""
        scaled = v * self.k
        if self.width % 2:
            return math.floor(scaled) + 0.5
        return math.floor(scaled + 0.5)

    def border(self, v):
        return math.floor(v * self.k + 0.5)

    def point(self, v):
        if v * 2 != math.floor(v * 2):
            return v * self.k
        return self.border(v) if v == math.floor(v) else self.centre(v)

    def span(self, v0, v1):
        """The ends of a shape's extent along one axis."""
        if v0 == math.floor(v0) and v1 == v0 + 1:
            start = self.border(v0)
            return start, start + self.width
        return self.point(v0), self.point(v1)

    def shape(self, shape):
        """The shape moved onto this grid."""
        k = self.k
        if isinstance(shape, Rect):
            x0, y0, x1, y1 = shape.box
            x0, x1 = self.span(x0, x1)
            y0, y1 = self.span(y0, y1)
            return Rect(x0, y0, x1, y1, shape.r * k)
        if isinstance(shape, Circle):
            return Circle(self.point(shape.cx), self.point(shape.cy), shape.r * k)
        if isinstance(shape, Polygon):
            return Polygon([(self.point(x), self.point(y)) for x, y in shape.points])
        if isinstance(shape, Line):
            return Line([(self.point(x), self.point(y)) for x, y in shape.points],
                        shape.half * 2 * k)
        if isinstance(shape, Outline):
            return Outline(self.shape(shape.shape), shape.half * 2 * self.width)
        if isinstance(shape, Union):
            return Union(self.shape(shape.a), self.shape(shape.b))
        raise TypeError("no grid for %r" % shape)

    def colour(self, colour):
        """A colour, or a colour function of design coordinates made one of canvas pixels."""
        if not callable(colour):
            return colour
        return lambda x, y: colour(x / self.k, y / self.k)


class ScaledCanvas:
    """Takes a design's drawing calls at 100 % and paints them onto a canvas at scale k."""

    def __init__(self, canvas, k):
        self.canvas = canvas
        self.grid = Grid(k)

    def paint(self, shape, colour):
        self.canvas.paint(self.grid.shape(shape), self.grid.colour(colour))

    def fill_outlined(self, shape, fill, edge, width=1.0):
        self.paint(shape, fill)
        self.paint(Outline(shape, width), edge)
