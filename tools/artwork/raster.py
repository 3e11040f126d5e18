"""Supersampled drawing: every shape is tested at several samples per pixel and the
samples are box-averaged down, which gives smooth edges without any imaging library.

Coordinates are in output pixels, x to the right and y down; a pixel's samples sit at
the centres of an n x n grid inside it. Only +, -, *, / and sqrt are used, so the same
script gives the same bytes everywhere.
"""

from math import ceil, floor, sqrt


class Shape:
    """Something with bounds (x0, y0, x1, y1) and a contains(x, y) test."""

    bounds = (0.0, 0.0, 0.0, 0.0)

    def contains(self, x, y):
        raise NotImplementedError

    def __or__(self, other):
        return Union(self, other)

    def __sub__(self, other):
        return Difference(self, other)

    def moved(self, dx, dy):
        return Moved(self, dx, dy)


class Union(Shape):
    def __init__(self, *parts):
        self.parts = parts
        self.bounds = (min(p.bounds[0] for p in parts), min(p.bounds[1] for p in parts),
                       max(p.bounds[2] for p in parts), max(p.bounds[3] for p in parts))

    def contains(self, x, y):
        return any(p.contains(x, y) for p in self.parts)


class Difference(Shape):
    def __init__(self, keep, cut):
        self.keep, self.cut = keep, cut
        self.bounds = keep.bounds

    def contains(self, x, y):
        return self.keep.contains(x, y) and not self.cut.contains(x, y)


class Intersection(Shape):
    def __init__(self, a, b):
        self.a, self.b = a, b
        self.bounds = (max(a.bounds[0], b.bounds[0]), max(a.bounds[1], b.bounds[1]),
                       min(a.bounds[2], b.bounds[2]), min(a.bounds[3], b.bounds[3]))

    def contains(self, x, y):
        return self.a.contains(x, y) and self.b.contains(x, y)


class Moved(Shape):
    def __init__(self, shape, dx, dy):
        self.shape, self.dx, self.dy = shape, dx, dy
        x0, y0, x1, y1 = shape.bounds
        self.bounds = (x0 + dx, y0 + dy, x1 + dx, y1 + dy)

    def contains(self, x, y):
        return self.shape.contains(x - self.dx, y - self.dy)


class Rect(Shape):
    def __init__(self, x0, y0, x1, y1):
        self.bounds = (x0, y0, x1, y1)

    def contains(self, x, y):
        x0, y0, x1, y1 = self.bounds
        return x0 <= x < x1 and y0 <= y < y1


class RoundedRect(Shape):
    def __init__(self, x0, y0, x1, y1, radius):
        self.bounds = (x0, y0, x1, y1)
        self.radius = radius

    def contains(self, x, y):
        x0, y0, x1, y1 = self.bounds
        if not (x0 <= x < x1 and y0 <= y < y1):
            return False
        r = self.radius
        cx = min(max(x, x0 + r), x1 - r)
        cy = min(max(y, y0 + r), y1 - r)
        return (x - cx) ** 2 + (y - cy) ** 2 <= r * r


class Ellipse(Shape):
    def __init__(self, cx, cy, rx, ry):
        self.c = (cx, cy, rx, ry)
        self.bounds = (cx - rx, cy - ry, cx + rx, cy + ry)

    def contains(self, x, y):
        cx, cy, rx, ry = self.c
        return ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2 <= 1.0


def Circle(cx, cy, r):
    return Ellipse(cx, cy, r, r)


class Ring(Shape):
    def __init__(self, cx, cy, outer, inner):
        self.c = (cx, cy, outer * outer, inner * inner)
        self.bounds = (cx - outer, cy - outer, cx + outer, cy + outer)

    def contains(self, x, y):
        cx, cy, outer2, inner2 = self.c
        d2 = (x - cx) ** 2 + (y - cy) ** 2
        return inner2 <= d2 <= outer2


def segment_distance(x, y, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    length2 = dx * dx + dy * dy
    t = 0.0 if length2 == 0 else min(1.0, max(0.0, ((x - ax) * dx + (y - ay) * dy) / length2))
    px, py = ax + t * dx - x, ay + t * dy - y
    return sqrt(px * px + py * py)


class Capsule(Shape):
    """A straight stroke with round ends."""

    def __init__(self, ax, ay, bx, by, half_width):
        self.p = (ax, ay, bx, by)
        self.half_width = half_width
        self.bounds = (min(ax, bx) - half_width, min(ay, by) - half_width,
                       max(ax, bx) + half_width, max(ay, by) + half_width)

    def contains(self, x, y):
        return segment_distance(x, y, *self.p) <= self.half_width


class Polygon(Shape):
    """Any simple polygon, by the even-odd rule."""

    def __init__(self, points):
        self.points = points
        xs, ys = [p[0] for p in points], [p[1] for p in points]
        self.bounds = (min(xs), min(ys), max(xs), max(ys))

    def contains(self, x, y):
        inside = False
        n = len(self.points)
        for i in range(n):
            ax, ay = self.points[i]
            bx, by = self.points[(i + 1) % n]
            if (ay > y) != (by > y) and x < ax + (y - ay) * (bx - ax) / (by - ay):
                inside = not inside
        return inside


class Everywhere(Shape):
    bounds = (-1e9, -1e9, 1e9, 1e9)

    def contains(self, x, y):
        return True


def linear_gradient(x0, y0, colour0, x1, y1, colour1):
    """Paint that runs from colour0 at (x0, y0) to colour1 at (x1, y1), flat beyond."""
    dx, dy = x1 - x0, y1 - y0
    length2 = dx * dx + dy * dy

    def paint(x, y):
        t = min(1.0, max(0.0, ((x - x0) * dx + (y - y0) * dy) / length2))
        return tuple(a + (b - a) * t for a, b in zip(colour0, colour1))

    return paint


def rgb(hex_text):
    """'#RRGGBB' as three floats in 0..1."""
    value = int(hex_text.lstrip('#'), 16)
    return ((value >> 16) / 255.0, ((value >> 8) & 255) / 255.0, (value & 255) / 255.0)


class Canvas:
    """Premultiplied RGBA samples, `samples` x `samples` of them per pixel."""

    def __init__(self, width, height, samples, background=None):
        self.width, self.height, self.samples = width, height, samples
        self.cols, self.rows = width * samples, height * samples
        n = self.cols * self.rows
        if background is None:
            self.channels = [[0.0] * n for _ in range(4)]
        else:
            self.channels = [[c] * n for c in background] + [[1.0] * n]

    def fill(self, shape, paint, opacity=1.0):
        """Paint over the samples inside the shape; paint is a colour or a function of (x, y)."""
        s = self.samples
        x0, y0, x1, y1 = shape.bounds
        c0, c1 = max(0, floor(x0 * s)), min(self.cols, ceil(x1 * s))
        r0, r1 = max(0, floor(y0 * s)), min(self.rows, ceil(y1 * s))
        red, green, blue, alpha = self.channels
        keep = 1.0 - opacity
        painter = paint if callable(paint) else None
        for row in range(r0, r1):
            y = (row + 0.5) / s
            base = row * self.cols
            for col in range(c0, c1):
                x = (col + 0.5) / s
                if not shape.contains(x, y):
                    continue
                r, g, b = painter(x, y) if painter else paint
                i = base + col
                red[i] = red[i] * keep + r * opacity
                green[i] = green[i] * keep + g * opacity
                blue[i] = blue[i] * keep + b * opacity
                alpha[i] = alpha[i] * keep + opacity

    def average(self, left=0.0, top=0.0, size=None, out=None):
        """Box-filter a square of the picture (in pixels; the whole picture by default) down to
        out x out pixels. Returns rows of premultiplied (r, g, b, coverage) floats."""
        s = self.samples
        if size is None:
            left, top, out_w, out_h = 0, 0, self.width, self.height
            box = s
        else:
            out_w = out_h = out
            span = round(size * s)
            assert span % out == 0, 'the square must cover a whole number of samples per pixel'
            box = span // out
        c0, r0 = round(left * s), round(top * s)
        assert c0 >= 0 and r0 >= 0 and c0 + out_w * box <= self.cols and r0 + out_h * box <= self.rows
        area = float(box * box)
        rows = []
        for py in range(out_h):
            row = []
            for px in range(out_w):
                sums = [0.0, 0.0, 0.0, 0.0]
                for sy in range(r0 + py * box, r0 + (py + 1) * box):
                    base = sy * self.cols + c0 + px * box
                    for k in range(4):
                        sums[k] += sum(self.channels[k][base:base + box])
                row.append(tuple(v / area for v in sums))
            rows.append(row)
        return rows


def to_byte(value):
    return min(255, max(0, int(value * 255.0 + 0.5)))


def opaque_bytes(rows):
    """Averaged rows of an opaque canvas as (r, g, b) bytes."""
    return [[tuple(to_byte(c) for c in p[:3]) for p in row] for row in rows]


def masked_bytes(rows, threshold=0.5):
    """Averaged rows of a transparent canvas as (r, g, b) bytes without premultiplying,
    and the mask of pixels that are covered at least `threshold`."""
    colours, mask = [], []
    for row in rows:
        colours.append([tuple(to_byte(c / p[3]) for c in p[:3]) if p[3] > 0 else (0, 0, 0)
                        for p in row])
        mask.append([p[3] >= threshold for p in row])
    return colours, mask
