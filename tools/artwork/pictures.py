"""The product's pictures: the logo and its mark, the preview placeholder and the
information balloon. Each function returns the picture as byte rows ready to write."""

from raster import (Canvas, Capsule, Ellipse, Intersection, Polygon, Rect, Ring, RoundedRect,
                    linear_gradient, masked_bytes, opaque_bytes, rgb)
from strokefont import Text

LOGO_SIZE = (172, 100)
LOGO_SAMPLES = 4
# The mark's square in the logo; the about picture is this square box-filtered to 48 x 48.
MARK_BOX = (0, 14, 72)  # left, top, size in logo pixels

BADGE_LIGHT, BADGE_DARK = rgb('#3A9BFF'), rgb('#1436A3')
TAIL_LIGHT, TAIL_DARK = rgb('#FFB23F'), rgb('#F07800')
INK, SUBTLE_INK = rgb('#14284B'), rgb('#5B6B82')
WHITE = (1.0, 1.0, 1.0)


def draw_mark(canvas, x0, y0, size, shadow=True):
    """The Quorvane mark: a rounded blue badge holding a white ring, the letter Q, whose
    orange tail cuts through the ring."""
    x1, y1 = x0 + size, y0 + size
    radius = size * 0.22
    badge = RoundedRect(x0, y0, x1, y1, radius)
    if shadow:
        for grow in (3.0, 2.0, 1.0):
            halo = RoundedRect(x0 - grow, y0 - grow + 2, x1 + grow, y1 + grow + 2, radius + grow)
            canvas.fill(halo, rgb('#0B1F4D'), 0.06)
    badge_paint = linear_gradient(x0, y0, BADGE_LIGHT, x1, y1, BADGE_DARK)
    canvas.fill(badge, badge_paint)
    gloss = Intersection(badge, Ellipse(x0 + size * 0.5, y0 - size * 0.18, size * 0.85, size * 0.6))
    canvas.fill(gloss, WHITE, 0.16)

    cx, cy = x0 + size * 0.47, y0 + size * 0.47
    canvas.fill(Ring(cx, cy, size * 0.30, size * 0.185), WHITE)
    tail_from = (cx + size * 0.10, cy + size * 0.10)
    tail_to = (cx + size * 0.31, cy + size * 0.31)
    gap = Capsule(*tail_from, *tail_to, size * 0.115)
    canvas.fill(Intersection(gap, badge), badge_paint)
    tail = Capsule(*tail_from, *tail_to, size * 0.065)
    canvas.fill(tail, linear_gradient(*tail_from, TAIL_LIGHT, *tail_to, TAIL_DARK))


def _logo_canvas():
    width, height = LOGO_SIZE
    canvas = Canvas(width, height, LOGO_SAMPLES, background=WHITE)
    left, top, size = MARK_BOX
    draw_mark(canvas, left + 6, top + 6, size - 12)

    text_left, text_right = 76, 167
    name = 'Quorvane'
    name_size = (text_right - text_left) / Text.width(name, 1.0, 1.7, 1.3)
    canvas.fill(Text(name, text_left, 48, name_size, 1.7, 1.3), INK)

    product, edition = 'Marquelle', 'XP'
    small = name_size * 0.62
    canvas.fill(Text(product, text_left + 0.5, 66, small, 1.6, 1.5), SUBTLE_INK)
    edition_left = text_left + 0.5 + Text.width(product + ' ', small, 1.6, 1.5)
    canvas.fill(Text(edition, edition_left, 66, small, 1.9, 1.5),
                linear_gradient(edition_left, 56, TAIL_LIGHT, edition_left + 12, 66, TAIL_DARK))
    rule = Rect(text_left, 73, text_right, 74)
    canvas.fill(rule, linear_gradient(text_left, 0, BADGE_LIGHT, text_right, 0, WHITE), 0.8)
    return canvas


def logo_and_about_picture():
    """The 172 x 100 default logo, and the 48 x 48 picture box-filtered from its mark."""
    canvas = _logo_canvas()
    left, top, size = MARK_BOX
    return opaque_bytes(canvas.average()), opaque_bytes(canvas.average(left, top, size, 48))


def preview_placeholder():
    """A grey 172 x 100 field with the word Preview pressed up out of it."""
    width, height = LOGO_SIZE
    face = rgb('#C8C8C8')
    canvas = Canvas(width, height, 4, background=face)
    canvas.fill(Rect(0, 0, width, 1) | Rect(0, 0, 1, height), rgb('#A0A0A0'))
    canvas.fill(Rect(0, height - 1, width, height) | Rect(width - 1, 0, width, height), WHITE)
    word, size, weight = 'Preview', 2.3, 2.0
    left = (width - Text.width(word, size, weight)) / 2
    text = Text(word, left, height / 2 + 3.5 * size, size, weight)
    canvas.fill(text.moved(-1, -1), WHITE)
    canvas.fill(text.moved(1, 1), rgb('#7C7C7C'))
    canvas.fill(text, face)
    return opaque_bytes(canvas.average())


def main_icon():
    """The mark alone, 48 x 48, and its opaque mask."""
    canvas = Canvas(48, 48, 8)
    draw_mark(canvas, 0.5, 0.5, 47, shadow=False)
    return masked_bytes(canvas.average())


# The 16 colours of the standard VGA palette.
VGA_PALETTE = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
               (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
               (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]


def _nearest_palette_index(colour):
    return min(range(16), key=lambda i: sum((a - b) ** 2 for a, b in zip(colour, VGA_PALETTE[i])))


def _balloon(n):
    """Outline and inner shapes of a speech balloon in an n x n box, tail at bottom left."""
    u = n / 32.0
    body = RoundedRect(1 * u, 1 * u, 31 * u, 24 * u, 9 * u)
    tail = Polygon([(7 * u, 20 * u), (17 * u, 20 * u), (4 * u, 31 * u)])
    inner_body = RoundedRect(2.2 * u, 2.2 * u, 29.8 * u, 22.8 * u, 7.8 * u)
    inner_tail = Polygon([(8.6 * u, 21 * u), (14.2 * u, 21 * u), (6 * u, 28.5 * u)])
    return body | tail, inner_body | inner_tail


# The 16 x 16 balloon, drawn pixel by pixel: at this size a drawn shape is too blurred.
# K navy outline, W white, S silver shading, B blue letter, . transparent.
SMALL_BALLOON = """
....KKKKKKKK....
..KKWWWWWWWWKK..
.KWWWWWBBWWWWWK.
.KWWWWWBBWWWWWK.
KWWWWWWWWWWWWWWK
KWWWWWBBBWWWWWSK
KWWWWWWBBWWWWWSK
KWWWWWWBBWWWWWSK
KWWWWWWBBWWWWWSK
.KWWWWBBBBWWWSK.
.KSWWWWWWWWWSSK.
..KKKWWSKKKKKK..
....KWSKK.......
...KWSK.........
...KSK..........
..KK............
"""
SMALL_BALLOON_COLOURS = {'K': 4, 'W': 15, 'S': 7, 'B': 12}


def about_icon(n):
    """The information balloon at n x n in 16 colours: palette indices and mask."""
    if n == 16:
        lines = SMALL_BALLOON.split()
        indices = [[SMALL_BALLOON_COLOURS.get(ch, 0) for ch in line] for line in lines]
        return indices, [[ch != '.' for ch in line] for line in lines]
    canvas = Canvas(n, n, 8)
    outline, inner = _balloon(n)
    canvas.fill(outline, rgb('#000080'))
    canvas.fill(inner, WHITE)
    canvas.fill(inner - inner.moved(-1.0, -1.0), rgb('#C0C0C0'))
    u = n / 32.0
    blue = rgb('#0000FF')
    canvas.fill(Rect(14 * u, 5 * u, 18 * u, 9 * u), blue)
    canvas.fill(Rect(14 * u, 11 * u, 18 * u, 20 * u), blue)
    canvas.fill(Rect(12 * u, 11 * u, 14 * u, 13 * u), blue)
    canvas.fill(Rect(12 * u, 18 * u, 20 * u, 20 * u), blue)
    colours, mask = masked_bytes(canvas.average())
    indices = [[_nearest_palette_index(c) for c in row] for row in colours]
    return indices, mask
