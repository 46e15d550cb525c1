#!/usr/bin/env python3
"""Renders the program's PNG images into resources/images/.

The images are drawn here from simple shapes (circles, polygons, rectangles, strokes), each pixel
sampled 4 x 4 times for smooth edges, once at their size and once at twice it ("@2x", for high
DPI), so they can be changed by editing this file and running it:

    python3 tools/images/render_images.py

Only the standard library is used.
"""
import math
import os
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "..", "..", "resources", "images")
SAMPLES = 4


def rgb(value, alpha=255):
    return ((value >> 16) & 0xFF, (value >> 8) & 0xFF, value & 0xFF, alpha)


SCALE = 1  # set per pass: 1, then 2 for the "@2x" images


class Canvas:
    def __init__(self, width, height):
        # Shapes are given in the image's own units; the canvas has SCALE pixels per unit.
        self.scale = SCALE
        self.width, self.height = width * SCALE, height * SCALE
        self.pixels = [[(0, 0, 0, 0)] * self.width for _ in range(self.height)]

    def blend(self, x, y, colour, coverage):
        if coverage <= 0:
            return
        r, g, b, a = colour
        a = a / 255 * coverage
        dr, dg, db, da = self.pixels[y][x]
        da /= 255
        out = a + da * (1 - a)
        if out == 0:
            return
        mix = lambda s, d: (s * a + d * da * (1 - a)) / out
        self.pixels[y][x] = (round(mix(r, dr)), round(mix(g, dg)), round(mix(b, db)), round(out * 255))

    def shape(self, inside, colour):
        """Fills every pixel by the share of its samples for which inside(x, y) holds."""
        for y in range(self.height):
            for x in range(self.width):
                hits = 0
                for sy in range(SAMPLES):
                    for sx in range(SAMPLES):
                        if inside((x + (sx + 0.5) / SAMPLES) / self.scale, (y + (sy + 0.5) / SAMPLES) / self.scale):
                            hits += 1
                self.blend(x, y, colour, hits / SAMPLES ** 2)

    def rect(self, left, top, right, bottom, colour):
        self.shape(lambda x, y: left <= x < right and top <= y < bottom, colour)

    def circle(self, cx, cy, radius, colour):
        self.shape(lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= radius ** 2, colour)

    def ring(self, cx, cy, outer, inner, colour):
        self.shape(lambda x, y: inner ** 2 <= (x - cx) ** 2 + (y - cy) ** 2 <= outer ** 2, colour)

    def polygon(self, points, colour):
        def inside(x, y):
            result = False
            for i in range(len(points)):
                (x1, y1), (x2, y2) = points[i], points[i - 1]
                if (y1 > y) != (y2 > y) and x < (x2 - x1) * (y - y1) / (y2 - y1) + x1:
                    result = not result
            return result
        self.shape(inside, colour)

    def stroke(self, x1, y1, x2, y2, width, colour):
        def inside(x, y):
            dx, dy = x2 - x1, y2 - y1
            t = max(0, min(1, ((x - x1) * dx + (y - y1) * dy) / (dx * dx + dy * dy)))
            return math.hypot(x - (x1 + t * dx), y - (y1 + t * dy)) <= width / 2
        self.shape(inside, colour)

    def rounded(self, left, top, right, bottom, radius, colour):
        def inside(x, y):
            if not (left <= x < right and top <= y < bottom):
                return False
            cx = min(max(x, left + radius), right - radius)
            cy = min(max(y, top + radius), bottom - radius)
            return (x - cx) ** 2 + (y - cy) ** 2 <= radius ** 2
        self.shape(inside, colour)

    def save(self, name):
        if self.scale != 1:
            name = name.replace(".png", "@%dx.png" % self.scale)
        raw = b"".join(b"\0" + bytes(c for p in row for c in p) for row in self.pixels)
        chunk = lambda kind, data: struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
        header = struct.pack(">IIBBBBB", self.width, self.height, 8, 6, 0, 0, 0)
        with open(os.path.join(OUT, name), "wb") as f:
            f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def arrow(name, colour, up):
    c = Canvas(14, 14)
    shaft = [(5.5, 6), (8.5, 6), (8.5, 12.5), (5.5, 12.5)]
    head = [(1.5, 7), (7, 1.5), (12.5, 7)]
    if not up:
        shaft = [(x, 14 - y) for x, y in shaft]
        head = [(x, 14 - y) for x, y in head]
    c.polygon(shaft, colour)
    c.polygon(head, colour)
    c.save(name)


def highlight():
    c = Canvas(30, 30)
    c.rounded(0, 0, 30, 30, 4, rgb(0xFFFFFF, 60))
    c.rounded(1, 1, 29, 29, 3, rgb(0x119DDE, 70))
    c.save("strip_highlight.png")


def chart_background():
    # A vertical shade, darker at the bottom, with a faint grid line every quarter.
    c = Canvas(4, 40)
    for y in range(40):
        shade = round(0x30 - y * 0x10 / 39)
        c.rect(0, y, 4, y + 1, (shade, shade, shade, 255))
    for y in (10, 20, 30):
        c.rect(0, y, 4, y + 1, rgb(0x3C3C3C))
    c.save("chart_background.png")


def frame(name, accent_top):
    c = Canvas(30, 30)
    c.rect(0, 0, 30, 1, rgb(0x4A4A4A))
    c.rect(0, 29, 30, 30, rgb(0x4A4A4A))
    c.rect(0, 0, 1, 30, rgb(0x4A4A4A))
    c.rect(29, 0, 30, 30, rgb(0x4A4A4A))
    # The accent on the side that faces the strip.
    if accent_top:
        c.rect(0, 0, 30, 2, rgb(0x119DDE))
    else:
        c.rect(0, 28, 30, 30, rgb(0x119DDE))
    c.save(name)


def pie(name, colour):
    c = Canvas(100, 100)
    c.circle(50, 50, 48, colour)
    c.ring(50, 50, 48, 46.5, rgb(0xFFFFFF, 40))
    c.save(name)


def end_process(name, colour):
    c = Canvas(16, 16)
    c.circle(8, 8, 7.5, colour)
    c.stroke(5, 5, 11, 11, 1.8, rgb(0xFFFFFF))
    c.stroke(11, 5, 5, 11, 1.8, rgb(0xFFFFFF))
    c.save(name)


def generic_program():
    c = Canvas(16, 16)
    c.rounded(1, 2, 15, 14, 1.5, rgb(0xE8E8E8))
    c.rect(1, 2, 15, 5, rgb(0x119DDE))
    c.rect(3, 7, 13, 8, rgb(0xB0B0B0))
    c.rect(3, 9.5, 10, 10.5, rgb(0xB0B0B0))
    c.save("generic_program.png")


def render_all():
    arrow("strip_upload.png", rgb(0xF5A623), up=True)
    arrow("strip_download.png", rgb(0x4FC3F7), up=False)
    highlight()
    chart_background()
    if SCALE == 1:  # the frames are nine-sliced by their pixels; lines of one or two pixels
        frame("popup_frame_below.png", accent_top=True)
        frame("popup_frame_above.png", accent_top=False)
    pie("pie_background.png", rgb(0x4CC94C))
    pie("pie_used.png", rgb(0xFFFC0D))
    end_process("end_process_normal.png", rgb(0x8A8A8A))
    end_process("end_process_hot.png", rgb(0xE53935))
    end_process("end_process_pressed.png", rgb(0xA31515))
    generic_program()


if __name__ == "__main__":
    os.makedirs(OUT, exist_ok=True)
    for SCALE in (1, 2):
        render_all()
