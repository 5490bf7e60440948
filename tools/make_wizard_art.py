#!/usr/bin/env python3
"""Draws the wizard program's pictures, each at the display scales 100, 150 and 200 %, and
writes them into OUTPUT_DIR:

  xasetup.ico                  the application icon, 16, 24, 32, 48 and 64 pixels with alpha
  header_*.png                 the six header pictures of the interior pages, 48 x 48 pixels
  header_*_150.png, *_200.png  the same at 72 and 96 pixels
  add_folder_glyph.png         the glyph of the add-a-folder button, 16 x 16 pixels
  add_folder_glyph_150.png, _200.png  the same at 24 and 32 pixels

Each size is drawn, not resampled, so that outlines stay crisp. The pictures are PNG files,
with a palette where they have at most 256 colours and that is smaller, which the program
decodes with Windows' own decoder; the larger header pictures are cut to 256 colours where no
channel moves by more than PALETTE_TOLERANCE levels (the 100 % ones stay exactly as drawn). They are drawn transparent by the wizard, keyed on their
bottom-left pixel's colour: the background is KEY, which no drawn pixel takes. The icon keeps
16, 32 and 48 pixels as 32-bit bitmaps, which Windows XP reads; 24 and 64 pixels, which it does
not use, are PNG files.
With --preview DIR it also writes each picture enlarged four times as PNG, on the background it
is shown on, for looking at.

Usage: make_wizard_art.py OUTPUT_DIR [--preview DIR]
"""
import argparse
import os

from wizard_art import add_folder_glyph, app_icon, headers, image_files
from wizard_art.raster import Canvas
from wizard_art.scaling import ScaledCanvas

KEY = (255, 0, 255)
HEADER_BAND = (255, 255, 255)  # the header pictures sit on a white band
BUTTON_FACE = (240, 240, 240)
PREVIEW_SCALE = 4
# Display scales in percent and the suffix of their file names.
SCALES = ((100, ""), (150, "_150"), (200, "_200"))
ICON_PNG_SIZES = (24, 64)
# How far, in levels of 255, a colour of a larger picture may move so that the picture fits a
# palette: the edges and gradients drawn at 150 and 200 % take a few hundred colours, most of
# them next to each other, and their palette files are a sixth smaller.
PALETTE_TOLERANCE = 2


def render(size, draw):
    canvas = Canvas(size)
    draw(canvas)
    return canvas.pixels()


def render_scaled(size, percent, draw):
    """The design of size pixels at 100 %, drawn at percent."""
    k = percent / 100
    return render(round(size * k), lambda canvas: draw(ScaledCanvas(canvas, k)))


def keyed(pixels, matte):
    """24-bit rows with KEY where nothing is drawn. Edges are blended into matte when given;
    without one, pixels less than half covered become KEY and the rest keep their own colour."""
    rows = []
    for row in pixels:
        out = []
        for r, g, b, coverage in row:
            if coverage == 0 or (matte is None and coverage < 0.5):
                out.append(KEY)
                continue
            if matte is not None:
                r, g, b = (v * coverage + m * (1 - coverage) for v, m in zip((r, g, b), matte))
            colour = tuple(round(v) for v in (r, g, b))
            if colour == KEY:
                raise ValueError("a drawn pixel has the transparent colour")
            out.append(colour)
        rows.append(out)
    if rows[-1][0] != KEY:
        raise ValueError("the bottom-left pixel, which gives the transparent colour, is drawn on")
    return rows


def with_alpha(pixels):
    """32-bit rows with straight alpha; fully transparent pixels are black."""
    return [[(round(r), round(g), round(b), round(a * 255)) if round(a * 255) else (0, 0, 0, 0)
             for r, g, b, a in row] for row in pixels]


def on_background(rows, background):
    """Rows as shown: KEY or alpha composed over background."""
    shown = []
    for row in rows:
        line = []
        for pixel in row:
            if len(pixel) == 4:
                a = pixel[3] / 255
                composed = (round(v * a + w * (1 - a)) for v, w in zip(pixel[:3], background))
                line.append(tuple(composed))
            else:
                line.append(background if pixel == KEY else pixel)
        shown.append(line)
    return shown


def pictures():
    """name -> (file bytes, images to preview, preview background)."""
    files = {}
    for percent, suffix in SCALES:
        for name, draw in headers.PICTURES:
            rows = keyed(render_scaled(headers.SIZE, percent, draw), HEADER_BAND)
            if percent > 100:
                rows = image_files.near_palette(rows, [KEY], PALETTE_TOLERANCE)
            files[name + suffix + ".png"] = (image_files.png(rows), [rows], HEADER_BAND)
        glyph = keyed(render_scaled(add_folder_glyph.SIZE, percent, add_folder_glyph.draw), None)
        files["add_folder_glyph" + suffix + ".png"] = (image_files.png(glyph), [glyph],
                                                       BUTTON_FACE)
    icons = [with_alpha(render(size, lambda c, size=size: app_icon.draw(c, size)))
             for size in app_icon.SIZES]
    files["xasetup.ico"] = (image_files.ico(icons, ICON_PNG_SIZES), icons, HEADER_BAND)
    return files


def main():
    parser = argparse.ArgumentParser(description="Draws the wizard program's pictures.")
    parser.add_argument("output_dir")
    parser.add_argument("--preview", metavar="DIR")
    args = parser.parse_args()

    files = pictures()
    os.makedirs(args.output_dir, exist_ok=True)
    for name, (data, _, _) in files.items():
        with open(os.path.join(args.output_dir, name), "wb") as out:
            out.write(data)
    if args.preview:
        os.makedirs(args.preview, exist_ok=True)
        for name, (_, images, background) in files.items():
            for rows in images:
                suffix = "_%d" % len(rows) if len(images) > 1 else ""
                path = os.path.join(args.preview, os.path.splitext(name)[0] + suffix + ".png")
                with open(path, "wb") as out:
                    shown = on_background(rows, background)
                    out.write(image_files.png(shown, PREVIEW_SCALE, smallest=False))


if __name__ == "__main__":
    main()
