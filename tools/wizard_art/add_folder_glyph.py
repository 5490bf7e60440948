"""The 16 x 16 glyph of the add-a-folder button: a folder with a green plus."""
from wizard_art import parts
from wizard_art.raster import Rect, gradient

SIZE = 16


def draw(c):
    parts.folder(c, 0.5, 2.5, 13.5, 13.5, 5, 2, 6.5)
    plus = Rect(10.5, 7.5, 13.5, 14.5) | Rect(8.5, 9.5, 15.5, 12.5)
    c.fill_outlined(plus, gradient(0, 7, (110, 210, 100), 0, 15, (40, 150, 40)), (20, 96, 24))
