#!/usr/bin/env python3
"""Draws the program's icons and splash pictures into art/.

The build uses the committed files; run this by hand after changing a picture:
    python3 src/res/make_art.py [--preview sheet.png]

Each icon holds the sizes it is shown at (tray 16x16, windows and dialogs
32x32) as 32-bit pictures with alpha, PNG-compressed where that is smaller; the wizard and splash pictures are
256-colour palette bitmaps whose colours differ from the drawn ones by at
most a few steps, with the wizard's see-through key kept exact.

Every state icon is a disc whose colour tells the state (green running, grey
stopped, blue traffic, amber connecting or waiting, red failure) with one
white symbol on it; the program's own icon is a teal square with the tether. Shapes are drawn large and scaled down; the letters of the
16x16 client badges are pixel glyphs so they stay sharp in the tray.
"""

import argparse
import io
import os
import struct
import sys

from PIL import Image, ImageDraw, ImageFont

HERE = os.path.dirname(os.path.abspath(__file__))
ART = os.path.join(HERE, "art")
SUPERSAMPLE = 8
FONT_DIR = "/usr/share/fonts/truetype/dejavu"

GREEN = (38, 150, 62)
DARK_GREEN = (24, 112, 52)
TEAL = (0, 122, 128)
GREY = (118, 124, 132)
LIGHT_GREY = (170, 175, 182)
BLUE = (36, 104, 204)
DARK_BLUE = (28, 72, 160)
AMBER = (222, 140, 16)
RED = (200, 44, 36)
WHITE = (255, 255, 255, 255)


def shade(rgb, factor):
    return tuple(max(0, min(255, int(c * factor))) for c in rgb)


def mix(rgb, other, t):
    return tuple(int(a + (b - a) * t) for a, b in zip(rgb, other))


def font(name, px):
    return ImageFont.truetype(os.path.join(FONT_DIR, name), px)


class Canvas:
    """A supersampled square drawing surface addressed in units of 0..1."""

    def __init__(self, size):
        self.size = size
        self.S = size * SUPERSAMPLE
        self.img = Image.new("RGBA", (self.S, self.S), (0, 0, 0, 0))
        self.draw = ImageDraw.Draw(self.img)

    def px(self, u):
        return u * self.S

    def box(self, cx, cy, rx, ry):
        return [self.px(cx - rx), self.px(cy - ry), self.px(cx + rx), self.px(cy + ry)]

    def stroke(self, u, min_px):
        """A stroke width of u units, never thinner than min_px target pixels."""
        return int(round(max(u * self.S, min_px * SUPERSAMPLE)))

    def result(self):
        return self.img.resize((self.size, self.size), Image.LANCZOS)


# Backgrounds ---------------------------------------------------------------

def disc(c, colour):
    rim = c.stroke(0.0, 1.0)
    c.draw.ellipse(c.box(0.5, 0.5, 0.49, 0.49), fill=colour + (255,),
                   outline=shade(colour, 0.62) + (255,), width=rim)


def rounded_square(c, colour):
    rim = c.stroke(0.0, 1.0)
    c.draw.rounded_rectangle(c.box(0.5, 0.5, 0.48, 0.48), radius=c.px(0.2),
                             fill=colour + (255,), outline=shade(colour, 0.62) + (255,),
                             width=rim)


# Symbols -------------------------------------------------------------------

def link(c, scale=1.0):
    """Two interlocked chain links on the diagonal: the tether."""
    layer = Image.new("RGBA", (c.S, c.S), (0, 0, 0, 0))
    d = ImageDraw.Draw(layer)
    small = c.size <= 16
    half_w = (0.25 if small else 0.23) * scale
    half_h = (0.15 if small else 0.13) * scale
    offset = (0.15 if small else 0.14) * scale
    width = c.stroke(0.07 * scale, 1.6 if small else 2.0)
    for cx in (0.5 - offset, 0.5 + offset):
        d.rounded_rectangle(c.box(cx, 0.5, half_w, half_h), radius=c.px(half_h),
                            outline=WHITE, width=width)
    layer = layer.rotate(45, resample=Image.BICUBIC, center=(c.S / 2, c.S / 2))
    c.img.alpha_composite(layer)


def polyline(c, points, width_u, min_px, colour=WHITE):
    pts = [(c.px(x), c.px(y)) for x, y in points]
    w = c.stroke(width_u, min_px)
    c.draw.line(pts, fill=colour, width=w, joint="curve")
    for x, y in pts:  # round caps
        c.draw.ellipse([x - w / 2, y - w / 2, x + w / 2, y + w / 2], fill=colour)


def check(c):
    polyline(c, [(0.27, 0.52), (0.43, 0.68), (0.73, 0.34)], 0.11, 2.0)


def arrow(c, up):
    tip, tail = (0.2, 0.8) if up else (0.8, 0.2)
    polyline(c, [(0.5, tail), (0.5, tip + (0.08 if up else -0.08))], 0.12, 2.0)
    head = 0.22
    sign = 1 if up else -1
    c.draw.polygon([(c.px(0.5), c.px(tip)),
                    (c.px(0.5 - head), c.px(tip + sign * head * 1.1)),
                    (c.px(0.5 + head), c.px(tip + sign * head * 1.1))], fill=WHITE)


def exclamation(c):
    polyline(c, [(0.5, 0.22), (0.5, 0.56)], 0.13, 2.0)
    r = 0.075
    c.draw.ellipse(c.box(0.5, 0.75, r, r), fill=WHITE)


def minus(c):
    polyline(c, [(0.28, 0.5), (0.72, 0.5)], 0.13, 2.0)


def cross(c, colour=WHITE, extent=0.24, width=0.12):
    lo, hi = 0.5 - extent, 0.5 + extent
    polyline(c, [(lo, lo), (hi, hi)], width, 2.0, colour)
    polyline(c, [(lo, hi), (hi, lo)], width, 2.0, colour)


def clock(c):
    w = c.stroke(0.08, 1.5)
    c.draw.ellipse(c.box(0.5, 0.5, 0.3, 0.3), outline=WHITE, width=w)
    polyline(c, [(0.5, 0.3), (0.5, 0.5), (0.64, 0.6)], 0.08, 1.5)


def envelope(c):
    w = c.stroke(0.07, 1.2)
    left, top, right, bottom = 0.22, 0.3, 0.78, 0.7
    c.draw.rectangle([c.px(left), c.px(top), c.px(right), c.px(bottom)], outline=WHITE, width=w)
    polyline(c, [(left, top), (0.5, 0.52), (right, top)], 0.07, 1.2)


def ring_arc(c, colour, start_deg, sweep_deg):
    """A faint ring with one bright arc: one phase of the dialing spinner."""
    w = c.stroke(0.12, 2.0)
    box = c.box(0.5, 0.5, 0.31, 0.31)
    c.draw.ellipse(box, outline=mix(colour, (255, 255, 255), 0.35) + (255,), width=w)
    if sweep_deg >= 360:
        c.draw.ellipse(box, outline=WHITE, width=w)
    else:
        c.draw.arc(box, start_deg - 90, start_deg - 90 + sweep_deg, fill=WHITE, width=w)
    r = 0.085
    c.draw.ellipse(c.box(0.5, 0.5, r, r), fill=WHITE)


def strike(c):
    """A red bar across the whole icon: the watched client is absent."""
    polyline(c, [(0.1, 0.1), (0.9, 0.9)], 0.2, 3.4, (255, 255, 255, 255))
    polyline(c, [(0.1, 0.1), (0.9, 0.9)], 0.12, 2.0, RED + (255,))


# Client badges --------------------------------------------------------------

PIXEL_LETTERS = {
    "A": [".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"],
    "C": [".####", "#....", "#....", "#....", "#....", "#....", ".####"],
    "M": ["#...#", "##.##", "#.#.#", "#.#.#", "#...#", "#...#", "#...#"],
    "N": ["#...#", "##..#", "##..#", "#.#.#", "#..##", "#..##", "#...#"],
    "T": ["#####", "..#..", "..#..", "..#..", "..#..", "..#..", "..#.."],
}


def pixel_letter(img, letter):
    rows = PIXEL_LETTERS[letter]
    x0 = (img.width - len(rows[0])) // 2
    y0 = (img.height - len(rows)) // 2
    for y, row in enumerate(rows):
        for x, cell in enumerate(row):
            if cell == "#":
                img.putpixel((x0 + x, y0 + y), WHITE)


def text_badge(c, text):
    px = int(c.S * (0.44 if len(text) <= 2 else 0.36))
    f = font("DejaVuSansCondensed-Bold.ttf", px)
    c.draw.text((c.S / 2, c.S / 2), text, font=f, fill=WHITE, anchor="mm")


# Icon painters ----------------------------------------------------------------

def painter(background, colour, *symbols):
    def paint(size):
        c = Canvas(size)
        background(c, colour)
        for symbol in symbols:
            symbol(c)
        return c.result()
    return paint


def client_painter(colour, letter, code, absent=False):
    def paint(size):
        c = Canvas(size)
        disc(c, colour)
        if size > 16:
            text_badge(c, code)
        if absent:
            strike(c)
        img = c.result()
        if size <= 16:
            pixel_letter(img, letter)
            if absent:  # keep the bar on top of the letter
                c2 = Canvas(size)
                strike(c2)
                img.alpha_composite(c2.result())
        return img
    return paint


def dial_frame_painter(frame):
    return painter(disc, AMBER, lambda c: ring_arc(c, AMBER, frame * 36, 110))


# Where an icon is shown decides its sizes: the tray draws 16x16, the status
# window, the configuration categories and the dial-up dialogs 32x32.
TRAY = (16,)
WINDOW = (32,)
BOTH = (16, 32)

# (file stem, icon sizes, painter); the .rc binds the files to their numbers.
ICONS = [
    ("main", (16, 32, 48), painter(rounded_square, TEAL, link)),
    ("running", TRAY, painter(disc, GREEN, link)),
    ("stopped", TRAY, painter(disc, GREY, link)),
    ("not_active", WINDOW, painter(disc, LIGHT_GREY, minus)),
    ("connected", BOTH, painter(disc, DARK_GREEN, check)),
    ("connecting", WINDOW, painter(disc, AMBER, link)),
    ("awaiting", TRAY, painter(disc, AMBER, clock)),
    ("error", BOTH, painter(disc, RED, exclamation)),
    ("sending", TRAY, painter(disc, BLUE, lambda c: arrow(c, True))),
    ("receiving", TRAY, painter(disc, DARK_BLUE, lambda c: arrow(c, False))),
    ("dial_connected", TRAY, painter(disc, GREEN, lambda c: ring_arc(c, GREEN, 0, 360))),
    ("dial_error", TRAY, painter(disc, RED, cross)),
    ("pop3_failed", BOTH, painter(disc, RED, envelope)),
    ("aol", BOTH, client_painter(DARK_GREEN, "A", "AOL")),
    ("aol_absent", TRAY, client_painter(GREY, "A", "AOL", absent=True)),
    ("cs2000", BOTH, client_painter(DARK_GREEN, "C", "CS")),
    ("cs2000_absent", TRAY, client_painter(GREY, "C", "CS", absent=True)),
    ("netzero", BOTH, client_painter(DARK_GREEN, "N", "NZ")),
    ("att", BOTH, client_painter(DARK_GREEN, "T", "ATT")),
    ("msn", BOTH, client_painter(DARK_GREEN, "M", "MSN")),
] + [("dial_frame_%d" % k, BOTH if k == 0 else TRAY, dial_frame_painter(k)) for k in range(10)]


# Dial-up dialog and notice icons ------------------------------------------------
# The dial dialog shows a handset: grey while idle, amber with a turning arc
# while dialing (frames 1 to 9), green inside a closed ring when connected.
# The notice wears the four message-box kinds as shapes of their own.

def handset(c, colour=WHITE):
    """A telephone receiver: a grip bowed towards the top left, a pad at each end."""
    import math
    w = c.stroke(0.09, 1.4)
    cx, cy, r = 0.63, 0.63, 0.29
    pts = [(cx + r * math.cos(math.radians(a)), cy + r * math.sin(math.radians(a)))
           for a in range(180, 271, 10)]
    polyline(c, pts, 0.09, 1.4, colour)
    for a in (180, 270):
        px, py = cx + r * math.cos(math.radians(a)), cy + r * math.sin(math.radians(a))
        # The pad sticks out towards the centre of the bow's circle.
        dx, dy = math.cos(math.radians(a)), math.sin(math.radians(a))
        inner = (px - dx * 0.12, py - dy * 0.12)
        polyline(c, [(px + dx * 0.02, py + dy * 0.02), inner], 0.17, 2.4, colour)


def dialer_ring(c, colour, start_deg, sweep_deg):
    w = c.stroke(0.07, 1.2)
    box = c.box(0.5, 0.5, 0.4, 0.4)
    c.draw.ellipse(box, outline=mix(colour, (255, 255, 255), 0.35) + (255,), width=w)
    c.draw.arc(box, start_deg - 90, start_deg - 90 + sweep_deg, fill=WHITE, width=w)


def triangle(c, colour):
    rim = c.stroke(0.0, 1.0)
    pts = [(c.px(0.5), c.px(0.04)), (c.px(0.97), c.px(0.93)), (c.px(0.03), c.px(0.93))]
    c.draw.polygon(pts, fill=colour + (255,), outline=shade(colour, 0.62) + (255,), width=rim)


def octagon(c, colour):
    import math
    rim = c.stroke(0.0, 1.0)
    pts = [(c.px(0.5 + 0.49 * math.cos(math.radians(22.5 + 45 * k))),
            c.px(0.5 + 0.49 * math.sin(math.radians(22.5 + 45 * k)))) for k in range(8)]
    c.draw.polygon(pts, fill=colour + (255,), outline=shade(colour, 0.62) + (255,), width=rim)


def bar_and_dot(bar_top, bar_bottom, dot_y, width, min_px, r):
    """A symbol of a vertical bar and a dot: "!" with the dot below, "i" above."""
    def symbol(c):
        polyline(c, [(0.5, bar_top), (0.5, bar_bottom)], width, min_px)
        c.draw.ellipse(c.box(0.5, dot_y, r, r), fill=WHITE)
    return symbol


low_exclamation = bar_and_dot(0.36, 0.64, 0.8, 0.11, 1.8, 0.065)
info_mark = bar_and_dot(0.45, 0.74, 0.28, 0.12, 2.0, 0.075)


def question_mark(c):
    w = c.stroke(0.1, 1.8)
    c.draw.arc(c.box(0.5, 0.37, 0.15, 0.14), 180, 90, fill=WHITE, width=w)
    polyline(c, [(0.5, 0.51), (0.5, 0.6)], 0.1, 1.8)
    r = 0.07
    c.draw.ellipse(c.box(0.5, 0.76, r, r), fill=WHITE)


ICONS += [
    ("notice_exclamation", WINDOW, painter(triangle, AMBER, low_exclamation)),
    ("notice_information", WINDOW, painter(disc, BLUE, info_mark)),
    ("notice_question", WINDOW, painter(disc, DARK_BLUE, question_mark)),
    ("notice_stop", WINDOW, painter(octagon, RED, lambda c: cross(c, extent=0.2))),
    ("dialer_idle", BOTH, painter(disc, GREY, handset)),  # also the dialog's caption icon
    ("dialer_connected", WINDOW, painter(disc, GREEN, lambda c: dialer_ring(c, GREEN, 0, 360), handset)),
] + [("dialer_frame_%d" % k, WINDOW,
      painter(disc, AMBER, lambda c, k=k: dialer_ring(c, AMBER, (k - 1) * 40, 90), handset))
     for k in range(1, 10)]


# .ico writer: 32-bit images, each stored the smaller way: as a bitmap with its
# AND mask, or PNG-compressed (which every Windows since Vista reads, at any
# size; the program supports nothing older) ----------------------------------

def png_bytes(img):
    out = io.BytesIO()
    img.save(out, "PNG", optimize=True)
    return out.getvalue()


def ico_bytes(images):
    header = struct.pack("<HHH", 0, 1, len(images))
    entries, blobs = [], []
    offset = 6 + 16 * len(images)
    for img in images:
        blob = min(dib_bytes(img), png_bytes(img), key=len)
        w = img.width if img.width < 256 else 0
        entries.append(struct.pack("<BBBBHHII", w, w, 0, 0, 1, 32, len(blob), offset))
        blobs.append(blob)
        offset += len(blob)
    return header + b"".join(entries) + b"".join(blobs)


def dib_bytes(img):
    w, h = img.size
    header = struct.pack("<IiiHHIIiiII", 40, w, 2 * h, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = bytearray()
    mask = bytearray()
    mask_stride = ((w + 31) // 32) * 4
    for y in range(h - 1, -1, -1):  # bottom-up
        row_mask = bytearray(mask_stride)
        for x in range(w):
            r, g, b, a = img.getpixel((x, y))
            pixels += bytes((b, g, r, a))
            if a < 128:
                row_mask[x // 8] |= 0x80 >> (x % 8)
        mask += row_mask
    return header + bytes(pixels) + bytes(mask)


# Splash pictures ---------------------------------------------------------------

SPLASH_HEIGHT = 112


def gradient(size, top, bottom):
    w, h = size
    img = Image.new("RGB", size)
    d = ImageDraw.Draw(img)
    for y in range(h):
        t = y / max(1, h - 1)
        d.line([(0, y), (w, y)], fill=mix(top, bottom, t))
    return img


def splash_emblem():
    img = gradient((SPLASH_HEIGHT, SPLASH_HEIGHT), (0, 138, 144), (0, 84, 96))
    emblem = ICONS[0][2](96)
    img.paste(emblem, (8, 8), emblem)
    return img


def splash_banner():
    w, h = 288, SPLASH_HEIGHT
    img = gradient((w, h), (0, 138, 144), (0, 84, 96))
    d = ImageDraw.Draw(img)
    d.text((16, 14), "Tetherly!", font=font("DejaVuSans-Bold.ttf", 40), fill=(255, 255, 255))
    tagline = font("DejaVuSans.ttf", 13)
    d.text((18, 66), "Keeps your Internet session alive,", font=tagline, fill=(224, 244, 244))
    d.text((18, 84), "even when nobody is at the keyboard.", font=tagline, fill=(224, 244, 244))
    return img


# Service pictures of the host lists (bitmap 194) ----------------------------------
# Eight opaque 16x16 badges side by side on the list view's white: image n
# belongs to service n (HTTP, FTP, Echo, Discard, Time Server, User Port),
# then a dedicated-host star and a plain host dot.

SERVICE_GLYPHS = {
    "H": ["#...#", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"],
    "F": ["#####", "#....", "#....", "####.", "#....", "#....", "#...."],
    "E": ["#####", "#....", "#....", "####.", "#....", "#....", "#####"],
    "D": ["####.", "#...#", "#...#", "#...#", "#...#", "#...#", "####."],
    "T": ["#####", "..#..", "..#..", "..#..", "..#..", "..#..", "..#.."],
    "U": ["#...#", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."],
    "*": [".....", "..#..", "#####", ".###.", ".###.", "#...#", "....."],
    ".": [".....", ".....", ".###.", ".###.", ".###.", ".....", "....."],
}
SERVICE_BADGES = [("H", BLUE), ("F", GREEN), ("E", (128, 64, 168)), ("D", GREY),
                  ("T", AMBER), ("U", TEAL), ("*", RED), (".", LIGHT_GREY)]
# The badges' glyphs join the pixel letters of the client badges.
PIXEL_LETTERS.update({k: v for k, v in SERVICE_GLYPHS.items() if k not in PIXEL_LETTERS})


def service_badge(glyph, colour):
    c = Canvas(16)
    rounded_square(c, colour)
    img = c.result()
    pixel_letter(img, glyph)
    return img


def service_strip():
    strip = Image.new("RGB", (16 * len(SERVICE_BADGES), 16), (255, 255, 255))
    for n, (glyph, colour) in enumerate(SERVICE_BADGES):
        badge = service_badge(glyph, colour)
        strip.paste(badge, (16 * n, 0), badge)
    return strip


def save_service_strip():
    service_strip().save(os.path.join(ART, "services.bmp"))


# Wizard page pictures (bitmaps 370-377) ------------------------------------------
# A tall picture on the left of every wizard page: the program's emblem, a
# tether of dots, and what the page is about (the ISP's badge, the handset of
# the dialer, a tick when finished). Magenta is the see-through key: the page
# draws the picture transparently on its own background. Anti-aliased edges
# are settled over a neutral face so no pink fringe remains.

WIZARD_SIZE = (104, 240)
WIZARD_KEY = (255, 0, 255)
WIZARD_FACE = (212, 208, 200)


def wizard_picture(subjects):
    """The emblem on top, a tether, then the subject painters in a row or grid."""
    w, h = WIZARD_SIZE
    art = Image.new("RGBA", WIZARD_SIZE, (0, 0, 0, 0))
    emblem = ICONS[0][2](72)
    art.alpha_composite(emblem, ((w - 72) // 2, 8))
    d = ImageDraw.Draw(art)
    for y in range(90, 146, 9):
        d.ellipse([w // 2 - 3, y, w // 2 + 3, y + 6], fill=TEAL + (255,))
    if len(subjects) == 1:
        img = subjects[0](72)
        art.alpha_composite(img, ((w - 72) // 2, 156))
    else:
        for k, paint in enumerate(subjects):
            img = paint(40)
            art.alpha_composite(img, (8 + (k % 2) * 48, 154 + (k // 2) * 42))
    out = Image.new("RGB", WIZARD_SIZE, WIZARD_KEY)
    src, dst = art.load(), out.load()
    for y in range(h):
        for x in range(w):
            r, g, b, a = src[x, y]
            if a >= 96:
                t = a / 255.0
                dst[x, y] = tuple(int(c * t + f * (1 - t)) for c, f in zip((r, g, b), WIZARD_FACE))
    return out


def icon_painter(stem):
    return next(paint for name, _, paint in ICONS if name == stem)


WIZARD_PICTURES = [
    ("wizard_main", ["aol", "netzero", "att", "msn"]),
    ("wizard_isp", ["dialer_connected"]),
    ("wizard_aol", ["aol"]),
    ("wizard_cs2000", ["cs2000"]),
    ("wizard_netzero", ["netzero"]),
    ("wizard_att", ["att"]),
    ("wizard_msn", ["msn"]),
    ("wizard_finish", ["connected"]),
]


def save_wizard_pictures():
    for stem, subjects in WIZARD_PICTURES:
        picture = wizard_picture([icon_painter(s) for s in subjects])
        save_palette_picture(picture, stem, key=WIZARD_KEY)


# Palette pictures -----------------------------------------------------------------
# A third of the bytes of a 24-bit picture. The drawn pictures have a few
# hundred colours; the 256 chosen by maximum coverage, without dithering,
# differ from them by at most MAX_PALETTE_ERROR steps in any channel, which
# no eye tells apart. A see-through key must stay exact and be used by no
# other pixel.

MAX_PALETTE_ERROR = 4


def save_palette_picture(img, stem, key=None):
    rgb = img.convert("RGB")
    pal = rgb.quantize(256, method=Image.Quantize.MAXCOVERAGE, dither=Image.Dither.NONE)
    back = pal.convert("RGB")
    worst = 0
    for a, b in zip(rgb.getdata(), back.getdata()):
        worst = max(worst, max(abs(x - y) for x, y in zip(a, b)))
        if key is not None and (a == key) != (b == key):
            sys.exit("%s: the see-through key did not survive the palette" % stem)
    if worst > MAX_PALETTE_ERROR:
        sys.exit("%s: the palette changes a colour by %d steps" % (stem, worst))
    pal.save(os.path.join(ART, stem + ".bmp"))


# Main ------------------------------------------------------------------------

def render_icons():
    return {stem: [paint(s) for s in sizes] for stem, sizes, paint in ICONS}


def check_distinct(rendered):
    """Two looks must never share a picture at a size they are shown at: the
    tray or the window would lie."""
    seen = {}
    for stem, images in rendered.items():
        for img in images:
            key = (img.width, img.tobytes())
            if key in seen:
                sys.exit("icons %s and %s look the same at %dx%d" % (seen[key], stem, img.width, img.width))
            seen[key] = stem


def preview(rendered, path):
    """Each icon at 16 and 32 zoomed to the same size, then at real size on light and dark."""
    cell = 136
    sheet = Image.new("RGBA", (cell * 2 + 200, cell * len(rendered)), (236, 236, 236, 255))
    d = ImageDraw.Draw(sheet)
    for row, (stem, images) in enumerate(rendered.items()):
        y = row * cell + 4
        shown = {img.width: img for img in images}
        for col, size in enumerate((16, 32)):
            if size in shown:
                sheet.alpha_composite(shown[size].resize((128, 128), Image.NEAREST), (col * cell + 4, y))
        x = cell * 2 + 4
        for bg in ((255, 255, 255, 255), (40, 40, 40, 255)):
            d.rectangle([x, y, x + 56, y + 40], fill=bg)
            if 16 in shown:
                sheet.alpha_composite(shown[16], (x + 4, y + 12))
            if 32 in shown:
                sheet.alpha_composite(shown[32], (x + 22, y + 4))
            x += 64
        d.text((cell * 2 + 4, y + 50), stem, fill=(0, 0, 0, 255))
    sheet.save(path)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--preview", help="also write a zoomed contact sheet (PNG)")
    args = parser.parse_args()

    rendered = render_icons()
    check_distinct(rendered)
    os.makedirs(ART, exist_ok=True)
    for stem, images in rendered.items():
        with open(os.path.join(ART, stem + ".ico"), "wb") as f:
            f.write(ico_bytes(images))
    save_palette_picture(splash_emblem(), "splash_emblem")
    save_palette_picture(splash_banner(), "splash_banner")
    save_service_strip()
    save_wizard_pictures()
    if args.preview:
        preview(rendered, args.preview)


if __name__ == "__main__":
    main()
