#!/usr/bin/env python3
"""Draws the framework's bitmaps and about-box icon as 8-bit BMP/ICO files.

Run from this folder when a picture changes; the outputs are committed so that the build
needs no Python.  Sizes matter: the monitor picture is two 184 x 170 halves side by side, the
picture and its mask (the monitor control is half the bitmap wide), its screen area spans
(16, 17) up to (169, 130), and the corner marks are 32 x 32.  The 150 % set ("...150.bmp")
scales every pixel edge by 1.5, halves rounded up: 276 x 255 halves, the screen from (24, 26)
up to (254, 195), 48 x 48 corner marks.  No pixel of the monitor itself
may be black: black in the picture is where the background shows.
"""
import math
import struct

PALETTE = [
    (0, 0, 0),        # 0 black
    (255, 255, 255),  # 1 white
    (192, 192, 192),  # 2 light grey
    (128, 128, 128),  # 3 grey
    (64, 64, 64),     # 4 dark grey
    (0, 128, 128),    # 5 teal (desktop)
    (0, 200, 80),     # 6 green
    (200, 32, 32),    # 7 red
    (255, 208, 0),    # 8 amber
    (40, 80, 200),    # 9 blue
]


class Canvas:
    def __init__(self, width, height, fill=0):
        self.width, self.height = width, height
        self.pixels = [[fill] * width for _ in range(height)]

    def put(self, x, y, colour):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.pixels[y][x] = colour

    def rect(self, x0, y0, x1, y1, colour):  # inclusive corners
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.put(x, y, colour)

    def frame(self, x0, y0, x1, y1, colour):
        for x in range(x0, x1 + 1):
            self.put(x, y0, colour)
            self.put(x, y1, colour)
        for y in range(y0, y1 + 1):
            self.put(x0, y, colour)
            self.put(x1, y, colour)

    def line(self, x0, y0, x1, y1, colour, thick=1):
        steps = max(abs(x1 - x0), abs(y1 - y0), 1)
        for i in range(steps + 1):
            x = round(x0 + (x1 - x0) * i / steps)
            y = round(y0 + (y1 - y0) * i / steps)
            self.rect(x, y, x + thick - 1, y + thick - 1, colour)

    def blit(self, other, left, top):
        for y in range(other.height):
            for x in range(other.width):
                self.put(left + x, top + y, other.pixels[y][x])


def rows_bottom_up(canvas):
    stride = (canvas.width + 3) & ~3
    data = bytearray()
    for row in reversed(canvas.pixels):
        data += bytes(row) + bytes(stride - canvas.width)
    return data


def info_header(width, height, image_size):
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
    header = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 8, 0, image_size, 2835, 2835,
                         len(PALETTE), 0)
    return header, palette


def write_bmp(path, canvas):
    pixels = rows_bottom_up(canvas)
    header, palette = info_header(canvas.width, canvas.height, len(pixels))
    offset = 14 + len(header) + len(palette)
    with open(path, "wb") as out:
        out.write(b"BM" + struct.pack("<IHHI", offset + len(pixels), 0, 0, offset))
        out.write(header + palette + pixels)


def write_ico(path, canvas):
    pixels = rows_bottom_up(canvas)
    mask_stride = ((canvas.width + 31) // 32) * 4
    mask = bytes(mask_stride * canvas.height)  # every pixel opaque
    header, palette = info_header(canvas.width, canvas.height * 2, len(pixels) + len(mask))
    image = header + palette + pixels + mask
    with open(path, "wb") as out:
        out.write(struct.pack("<HHH", 0, 1, 1))
        out.write(struct.pack("<BBBBHHII", canvas.width, canvas.height, len(PALETTE), 0, 1, 8,
                              len(image), 6 + 16))
        out.write(image)


def curve(canvas, left, top, width, height, colour, thick):
    """A damped wave, the kind of picture the saver draws."""
    previous = None
    for i in range(width):
        t = i / (width - 1)
        value = math.sin(t * 4 * math.pi) * math.exp(-1.5 * t)
        point = (left + i, round(top + height / 2 - value * height / 2.2))
        if previous:
            canvas.line(*previous, *point, colour, thick)
        previous = point


def blurb():
    canvas = Canvas(152, 112)
    canvas.frame(4, 4, 147, 107, 4)
    canvas.line(12, 56, 139, 56, 3)
    canvas.line(76, 12, 76, 99, 3)
    curve(canvas, 12, 16, 128, 80, 6, 2)
    return canvas


def scaled(percent):
    """Maps a 100 % pixel edge to the edge at `percent`, rounding halves up: the rule the
    framework uses for the geometry, so that the drawn screen area and the measured one agree."""
    return lambda v: (v * percent + 50) // 100


class ScaledCanvas(Canvas):
    """A canvas drawn in 100 % coordinates at `percent`: every pixel edge is scaled, so a
    one-pixel line stays solid (one or two pixels wide) and nothing is resampled."""

    def __init__(self, width, height, fill, percent):
        self.s = scaled(percent)
        self.percent = percent
        super().__init__(self.s(width), self.s(height), fill)

    def box(self, x0, y0, x1, y1, colour):  # inclusive corners, in 100 % pixels
        s = self.s
        self.rect(s(x0), s(y0), s(x1 + 1) - 1, s(y1 + 1) - 1, colour)

    def outline(self, x0, y0, x1, y1, colour):
        self.box(x0, y0, x1, y0, colour)
        self.box(x0, y1, x1, y1, colour)
        self.box(x0, y0, x0, y1, colour)
        self.box(x1, y0, x1, y1, colour)

    def stroke(self, x0, y0, x1, y1, colour, thick):
        s = self.s
        self.line(s(x0), s(y0), s(x1), s(y1), colour, max(1, s(thick)))


def monitor_picture(percent):
    """The monitor on a black background (black shows what lies under the control)."""
    canvas = ScaledCanvas(184, 170, 0, percent)
    canvas.box(4, 4, 180, 145, 2)         # casing
    canvas.box(4, 4, 180, 4, 1)           # lit from the top left
    canvas.box(4, 4, 4, 145, 1)
    canvas.box(5, 145, 180, 145, 4)
    canvas.box(180, 5, 180, 145, 4)
    canvas.box(12, 13, 172, 133, 4)       # bezel around the screen
    canvas.box(16, 17, 168, 129, 5)       # the screen area, (16, 17) up to (169, 130)
    canvas.box(66, 146, 118, 155, 3)      # neck
    canvas.box(40, 156, 144, 165, 2)      # foot
    canvas.outline(40, 156, 144, 165, 4)
    canvas.box(164, 138, 166, 140, 6)     # power light
    return canvas


def monitor_mask(picture):
    """White where the background shows (the picture's black), black where it is covered."""
    mask = Canvas(picture.width, picture.height, 0)
    for y in range(picture.height):
        for x in range(picture.width):
            if picture.pixels[y][x] == 0:
                mask.put(x, y, 1)
    return mask


def monitor(percent):
    """The picture on the left, its mask on the right: drawn with SRCAND (mask) and then
    SRCINVERT (picture), the picture keeps the background around the monitor."""
    picture = monitor_picture(percent)
    canvas = Canvas(picture.width * 2, picture.height, 0)
    canvas.blit(picture, 0, 0)
    canvas.blit(monitor_mask(picture), picture.width, 0)
    return canvas


def corner(kind, percent):
    canvas = ScaledCanvas(32, 32, 2, percent)
    canvas.outline(0, 0, 31, 31, 4)
    if kind == "now":
        canvas.box(4, 4, 27, 27, 6)
        canvas.stroke(9, 16, 14, 22, 1, 3)
        canvas.stroke(14, 22, 23, 9, 1, 3)
    elif kind == "never":
        canvas.box(4, 4, 27, 27, 7)
        canvas.stroke(9, 9, 22, 22, 1, 3)
        canvas.stroke(22, 9, 9, 22, 1, 3)
    else:
        canvas.outline(4, 4, 27, 27, 3)
    return canvas


def icon():
    canvas = Canvas(32, 32, 0)
    canvas.frame(0, 0, 31, 31, 3)
    curve(canvas, 3, 4, 26, 24, 8, 2)
    return canvas


if __name__ == "__main__":
    write_bmp("ScrBlurb.bmp", blurb())
    # 150 % has its own drawing; 200 % and more enlarge the 100 % one by whole factors.
    for percent, suffix in ((100, ""), (150, "150")):
        write_bmp(f"ScrMonitor{suffix}.bmp", monitor(percent))
        write_bmp(f"ScrCornerNow{suffix}.bmp", corner("now", percent))
        write_bmp(f"ScrCornerNever{suffix}.bmp", corner("never", percent))
        write_bmp(f"ScrCornerDefault{suffix}.bmp", corner("default", percent))
    write_ico("ScrKit.ico", icon())
