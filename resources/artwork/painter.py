"""A tiny anti-aliased painter: filled polygons on an RGBA canvas.

Shapes are given in design units; `scale` maps units to pixels. Coverage is
counted on a 4 x 4 grid of samples per pixel, scanline by scanline.
"""
import math

SAMPLES = 4


class Canvas:
    def __init__(self, size, scale, background=(0, 0, 0, 0)):
        self.size = size
        self.scale = scale
        self.pixels = [[list(map(float, background)) for _ in range(size)] for _ in range(size)]

    def polygon(self, points, colour):
        n = self.size * SAMPLES
        f = self.scale * SAMPLES
        pts = [(x * f, y * f) for x, y in points]
        coverage = {}
        for sy in range(n):
            y = sy + 0.5
            xs = []
            for (ax, ay), (bx, by) in zip(pts, pts[1:] + pts[:1]):
                if (ay <= y < by) or (by <= y < ay):
                    xs.append(ax + (y - ay) * (bx - ax) / (by - ay))
            xs.sort()
            for a, b in zip(xs[0::2], xs[1::2]):
                first = max(0, math.ceil(a - 0.5))
                last = min(n - 1, math.ceil(b - 0.5) - 1)
                for sx in range(first, last + 1):
                    key = (sy // SAMPLES, sx // SAMPLES)
                    coverage[key] = coverage.get(key, 0) + 1
        for (py, px), count in coverage.items():
            self._blend(py, px, colour, count / (SAMPLES * SAMPLES))

    def rect(self, x0, y0, x1, y1, colour):
        self.polygon([(x0, y0), (x1, y0), (x1, y1), (x0, y1)], colour)

    def circle(self, cx, cy, r, colour):
        steps = 48
        self.polygon([(cx + r * math.cos(2 * math.pi * i / steps), cy + r * math.sin(2 * math.pi * i / steps))
                      for i in range(steps)], colour)

    def line(self, ax, ay, bx, by, width, colour):
        length = math.hypot(bx - ax, by - ay)
        nx, ny = -(by - ay) / length * width / 2, (bx - ax) / length * width / 2
        self.polygon([(ax + nx, ay + ny), (bx + nx, by + ny), (bx - nx, by - ny), (ax - nx, ay - ny)], colour)

    def _blend(self, py, px, colour, alpha):
        pixel = self.pixels[py][px]
        below = pixel[3] / 255.0
        out = alpha + below * (1 - alpha)
        if out > 0:
            for i in range(3):
                pixel[i] = (colour[i] * alpha + pixel[i] * below * (1 - alpha)) / out
        pixel[3] = out * 255.0

    def rgba_rows(self):
        return [[tuple(int(round(v)) for v in p) for p in row] for row in self.pixels]

    def rgb_rows(self):
        return [[tuple(int(round(v)) for v in p[:3]) for p in row] for row in self.pixels]
