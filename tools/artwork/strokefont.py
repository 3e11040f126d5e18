"""A small rounded geometric sans drawn from strokes: straight lines and circular arcs
of one width with round ends. Only the letters the artwork needs are defined.

Font units: baseline at 0, x-height 7, cap height 10, descender 3, y up. Each glyph is
laid out from the half stroke width h so that its outer edges, not its stroke centres,
meet those heights.
"""

from math import sqrt

from raster import Shape, segment_distance

X_HEIGHT, CAP_HEIGHT, DESCENDER = 7.0, 10.0, 3.0


def _line(*points):
    return ('line', points)


def _arc(cx, cy, r, start=None, end=None):
    """Counter-clockwise from direction `start` to direction `end`; a full circle without."""
    return ('arc', cx, cy, r, start, end)


def _glyphs(h):
    """{character: (width, strokes)} for half stroke width h."""
    x, c = X_HEIGHT, CAP_HEIGHT
    mid = x / 2
    bowl = _arc(mid, mid, mid - h)
    top_half, bottom_half = ((1, 0), (-1, 0)), ((-1, 0), (1, 0))
    p_bottom = 4.6
    p_radius = (c - h - p_bottom) / 2
    return {
        ' ': (3.0, []),
        'o': (x, [bowl]),
        'a': (x, [bowl, _line((x - h, x - h), (x - h, h))]),
        'q': (x, [bowl, _line((x - h, x - h), (x - h, -DESCENDER + h))]),
        'u': (x, [_line((h, x - h), (h, mid)), _arc(mid, mid, mid - h, *bottom_half),
                  _line((x - h, x - h), (x - h, h))]),
        'n': (x, [_line((h, h), (h, x - h)), _arc(mid, mid, mid - h, *top_half),
                  _line((x - h, mid), (x - h, h))]),
        'r': (5.6, [_line((h, h), (h, x - h)), _arc(mid, mid, mid - h, (3, 4), (-1, 0))]),
        'v': (x, [_line((h, x - h), (mid, h), (x - h, x - h))]),
        'e': (x, [_arc(mid, mid, mid - h, (1, 0), (4, -3)), _line((h, mid), (x - h, mid))]),
        'l': (2 * h, [_line((h, h), (h, c - h))]),
        'i': (2 * h, [_line((h, h), (h, x - h)), _line((h, c - h), (h, c - h))]),
        'w': (9.4, [_line((h, x - h), (2.4, h), (4.7, 5.4), (7.0, h), (9.4 - h, x - h))]),
        'Q': (c, [_arc(5, 5, 5 - h), _line((6.3, 3.3), (c - h, -0.9 + h))]),
        'M': (9.4, [_line((h, h), (h, c - h), (4.7, 3.2), (9.4 - h, c - h), (9.4 - h, h))]),
        'X': (8.4, [_line((h, h), (8.4 - h, c - h)), _line((h, c - h), (8.4 - h, h))]),
        'P': (3.4 + p_radius + h,
              [_line((h, h), (h, c - h), (3.4, c - h)),
               _arc(3.4, p_bottom + p_radius, p_radius, (0, -1), (0, 1)),
               _line((3.4, p_bottom), (h, p_bottom))]),
    }


def _cross(ax, ay, bx, by):
    return ax * by - ay * bx


def _arc_distance(u, v, cx, cy, r, start, end):
    dx, dy = u - cx, v - cy
    on_arc = True
    if start is not None:
        if _cross(*start, *end) > 0:
            on_arc = _cross(*start, dx, dy) >= 0 and _cross(dx, dy, *end) >= 0
        else:
            on_arc = not (_cross(*end, dx, dy) > 0 and _cross(dx, dy, *start) > 0)
    if on_arc:
        return abs(sqrt(dx * dx + dy * dy) - r)
    ends = []
    for ex, ey in (start, end):
        n = sqrt(ex * ex + ey * ey)
        ends.append(sqrt((cx + r * ex / n - u) ** 2 + (cy + r * ey / n - v) ** 2))
    return min(ends)


def _stroke_distance(u, v, stroke):
    if stroke[0] == 'line':
        points = stroke[1]
        if len(points) == 1:
            return segment_distance(u, v, *points[0], *points[0])
        return min(segment_distance(u, v, *a, *b) for a, b in zip(points, points[1:]))
    return _arc_distance(u, v, *stroke[1:])


def _shifted(stroke, dx):
    if stroke[0] == 'line':
        return ('line', tuple((x + dx, y) for x, y in stroke[1]))
    _, cx, cy, r, start, end = stroke
    return ('arc', cx + dx, cy, r, start, end)


class Text(Shape):
    """A line of text as a shape: `size` pixels per font unit, strokes `weight` units wide,
    `tracking` units between letters, the baseline at pixel row `baseline`."""

    def __init__(self, text, left, baseline, size, weight=1.6, tracking=1.5):
        self.left, self.baseline, self.size = left, baseline, size
        self.h = weight / 2
        glyphs = _glyphs(self.h)
        self.glyphs = []  # (start, end, strokes) in font units
        pen = 0.0
        for ch in text:
            width, strokes = glyphs[ch]
            self.glyphs.append((pen - self.h, pen + width + self.h,
                                [_shifted(s, pen) for s in strokes]))
            pen += width + tracking
        self.units_wide = pen - tracking
        pad = self.h
        self.bounds = (left - pad * size, baseline - (CAP_HEIGHT + pad) * size,
                       left + (self.units_wide + pad) * size, baseline + (DESCENDER + pad) * size)

    @staticmethod
    def width(text, size, weight=1.6, tracking=1.5):
        return Text(text, 0, 0, size, weight, tracking).units_wide * size

    def contains(self, x, y):
        u = (x - self.left) / self.size
        v = (self.baseline - y) / self.size
        for start, end, strokes in self.glyphs:
            if start <= u <= end:
                for stroke in strokes:
                    if _stroke_distance(u, v, stroke) <= self.h:
                        return True
        return False
