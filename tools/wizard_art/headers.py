"""The six 48 x 48 header pictures of the interior wizard pages."""
from wizard_art import parts
from wizard_art.raster import Circle, Outline, Polygon, Rect, gradient

SIZE = 48
WHITE = (255, 255, 255)
SEAL_EDGE = (120, 10, 20)
BOX_EDGE = (110, 70, 30)


def information(c):
    """A sheet of paper and a blue "i" badge."""
    parts.sheet(c, 6.5, 3.5, 34.5, 43.5, 8)
    parts.text_lines(c, 10, 24, [9, 13])
    parts.text_lines(c, 10, 30, [17, 21, 25, 29, 33, 37])
    badge = Circle(32.5, 32.5, 12)
    c.fill_outlined(badge, gradient(26, 22, (110, 176, 240), 40, 44, (22, 86, 178)), (18, 60, 128))
    c.paint(Circle(32.5, 25.5, 2.2), WHITE)
    c.paint(Rect(30.5, 29, 34.5, 38.5, 0.8), WHITE)
    c.paint(Rect(29, 29, 34.5, 31), WHITE)
    c.paint(Rect(29, 37, 36, 39, 0.5), WHITE)


def license(c):
    """A contract with a red seal and ribbons."""
    parts.sheet(c, 5.5, 2.5, 35.5, 44.5, 8)
    parts.text_lines(c, 9, 25, [8], (90, 102, 126))
    parts.text_lines(c, 9, 31, [13, 17, 21, 25])
    parts.text_lines(c, 9, 20, [29])
    ribbon = (196, 30, 40)
    left_tail = Polygon([(30, 36), (35, 36), (33, 46.5), (30.5, 44), (27.5, 46.5)])
    right_tail = Polygon([(35, 36), (40, 36), (42.5, 46.5), (39.5, 44), (37, 46.5)])
    c.fill_outlined(left_tail, ribbon, SEAL_EDGE)
    c.fill_outlined(right_tail, ribbon, SEAL_EDGE)
    seal = parts.star(35, 32, 10.5, 8.5, points=12)
    c.fill_outlined(seal, gradient(28, 24, (240, 80, 80), 42, 40, (170, 20, 30)), SEAL_EDGE)
    c.paint(Outline(Circle(35, 32, 5.5), 1.0), (250, 190, 190))
    c.paint(parts.star(35, 32, 3.5, 1.5), (250, 210, 210))


def folder(c):
    """A folder with papers in it."""

    def papers(c):
        parts.sheet(c, 8.5, 13.5, 38.5, 30)
        parts.sheet(c, 11.5, 11.5, 41.5, 30)

    parts.folder(c, 3.5, 8.5, 44.5, 40.5, 13, 4, 20.5, papers)
    c.paint(Rect(5, 22, 43, 23), (255, 238, 170))


def ready(c):
    """A clipboard with a ticked checklist."""
    board = gradient(8, 5, (206, 150, 90), 40, 46, (156, 100, 48))
    c.fill_outlined(Rect(8.5, 5.5, 39.5, 45.5, 3), board, (98, 58, 22))
    paper = gradient(12, 10, WHITE, 36, 43, (232, 236, 244))
    c.fill_outlined(Rect(12.5, 10.5, 35.5, 42.5), paper, parts.PAPER_EDGE)
    clip = gradient(0, 2, (236, 240, 246), 0, 11, (158, 168, 184))
    c.fill_outlined(Rect(17.5, 2.5, 30.5, 10.5, 2), clip, (84, 92, 108))
    c.paint(Rect(21.5, 4.5, 26.5, 6.5, 1), (84, 92, 108))
    for top in (14.5, 22.5, 30.5):
        c.fill_outlined(Rect(15.5, top, 21.5, top + 6), WHITE, (110, 122, 142))
        c.paint(parts.check_mark(15, top - 2, 9), (34, 150, 52))
        parts.text_lines(c, 24, 33, [top + 1.5])
        parts.text_lines(c, 24, 30, [top + 5.5])
    parts.text_lines(c, 16, 31, [39])


def progress(c):
    """An open box with an arrow going into it."""
    back_flap = Polygon([(14.5, 20.5), (45.5, 20.5), (42.5, 14.5), (17.5, 14.5)])
    c.fill_outlined(back_flap, (214, 166, 104), BOX_EDGE)
    inside = Polygon([(8.5, 26.5), (14.5, 20.5), (45.5, 20.5), (39.5, 26.5)])
    c.fill_outlined(inside, (118, 78, 38), BOX_EDGE)
    side = Polygon([(39.5, 26.5), (45.5, 20.5), (45.5, 39.5), (39.5, 45.5)])
    c.fill_outlined(side, gradient(40, 0, (176, 120, 62), 46, 0, (150, 100, 50)), BOX_EDGE)
    arrow = Polygon([(20, 1.5), (29, 1.5), (29, 14.5), (35.5, 14.5), (24.5, 27.5), (13.5, 14.5),
                     (20, 14.5)])
    c.fill_outlined(arrow, gradient(0, 2, (96, 200, 96), 0, 28, (24, 132, 40)), (16, 86, 28))
    front = gradient(8, 26, (232, 184, 120), 40, 46, (198, 140, 76))
    c.fill_outlined(Rect(8.5, 26.5, 39.5, 45.5), front, BOX_EDGE)
    front_flap = Polygon([(8.5, 26.5), (2.5, 32.5), (33.5, 32.5), (39.5, 26.5)])
    c.fill_outlined(front_flap, (226, 178, 114), BOX_EDGE)
    c.paint(Rect(16, 36, 32, 38), (176, 124, 66))


def news(c):
    """A news sheet with a bright star."""
    parts.sheet(c, 4.5, 6.5, 36.5, 45.5)
    c.paint(Rect(8, 10, 27, 14), (60, 72, 96))
    photo = gradient(8, 17, (150, 200, 240), 20, 28, (70, 130, 200))
    c.fill_outlined(Rect(8.5, 17.5, 19.5, 27.5), photo, (60, 90, 140))
    parts.text_lines(c, 22, 33, [18, 21, 24, 27])
    parts.text_lines(c, 8, 33, [31, 34, 37, 40])
    star = parts.star(35.5, 12.5, 12, 5.2)
    c.fill_outlined(star, gradient(30, 2, (255, 240, 120), 40, 22, (248, 176, 18)), (176, 104, 0))


PICTURES = [
    ("header_info", information),
    ("header_license", license),
    ("header_folder", folder),
    ("header_ready", ready),
    ("header_progress", progress),
    ("header_news", news),
]
