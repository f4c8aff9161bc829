#!/usr/bin/python3
"""Makes Trevalo's pictures, sounds, icon and manifest.

The files it writes are committed, so building the game needs none of this.
Run it again after changing a drawing or a sound:

    /usr/bin/python3 res/generate.py

It needs Debian's python3-pil, python3-numpy and fonts-dejavu-core. Every
output is deterministic: the same script writes the same bytes.
"""

import math
import os
import struct
import zlib

import numpy as np
from PIL import Image, ImageDraw, ImageFont

HERE = os.path.dirname(os.path.abspath(__file__))
BOLD = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"

BLACK = (0, 0, 0)
YELLOW_HAND = (255, 255, 64)
YELLOW = (255, 255, 0)
RED = (255, 0, 0)
WHITE = (255, 255, 255)
GREEN_FLAG = (0, 192, 0)

SUPER = 4  # drawings are made at four times their size, then reduced


# ---------------------------------------------------------------- bitmaps


def write_bmp(name, width, height, bits, rows, palette=None):
    """A bottom-up, uncompressed BMP with a 40-byte header.

    rows[y][x] is a palette index (4 bits) or an (r, g, b) tuple (24 bits).
    """
    stride = ((width * bits + 31) // 32) * 4
    pixels = bytearray()
    for y in range(height - 1, -1, -1):
        row = bytearray()
        if bits == 4:
            for x in range(0, width, 2):
                high = rows[y][x]
                low = rows[y][x + 1] if x + 1 < width else 0
                row.append((high << 4) | low)
        else:
            for x in range(width):
                r, g, b = rows[y][x]
                row += bytes((b, g, r))
        row += bytes(stride - len(row))
        pixels += row
    colors = 16 if bits == 4 else 0
    table = bytearray()
    if colors:
        entries = list(palette) + [BLACK] * (16 - len(palette))
        for r, g, b in entries:
            table += bytes((b, g, r, 0))
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0, len(pixels), 2835, 2835,
                       colors, 0)
    offset = 14 + len(info) + len(table)
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    with open(os.path.join(HERE, name), "wb") as out:
        out.write(header + info + table + pixels)


def indexed(image, palette):
    """Maps every pixel of an RGB image to the nearest palette entry."""
    data = np.asarray(image.convert("RGB"), dtype=np.int32)
    colors = np.array(palette, dtype=np.int32)
    distance = ((data[:, :, None, :] - colors[None, None, :, :]) ** 2).sum(axis=3)
    return distance.argmin(axis=2).tolist()


def write_png(name, width, height, rows):
    """An 8-bit RGBA PNG, unfiltered; rows[y][x] is an (r, g, b, a) tuple."""
    raw = b"".join(b"\0" + bytes(c for pixel in row for c in pixel) for row in rows)

    def chunk(kind, data):
        crc = zlib.crc32(kind + data)
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", crc)

    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)
    body = chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b"")
    with open(os.path.join(HERE, name), "wb") as out:
        out.write(b"\x89PNG\r\n\x1a\n" + body)


def rgb_rows(image):
    return [[tuple(p) for p in row] for row in np.asarray(image.convert("RGB")).tolist()]


# ------------------------------------------------------------------ hands
#
# A hand is a list of parts, each a polygon drawn in order: yellow inside,
# a black outline, later parts over earlier ones. Parts are made in a frame
# where the hand reaches to the right with the wrist at the lower left;
# `place` turns, mirrors and fits them into their cell.


def capsule(a, b, r, steps=10):
    """A finger: the outline of a segment from a to b with rounded ends."""
    (ax, ay), (bx, by) = a, b
    angle = math.atan2(by - ay, bx - ax)
    points = []
    for i in range(steps + 1):
        t = angle - math.pi / 2 + math.pi * i / steps
        points.append((bx + r * math.cos(t), by + r * math.sin(t)))
    for i in range(steps + 1):
        t = angle + math.pi / 2 + math.pi * i / steps
        points.append((ax + r * math.cos(t), ay + r * math.sin(t)))
    return points


def ellipse(cx, cy, rx, ry, turn=0.0, steps=40):
    c, s = math.cos(math.radians(turn)), math.sin(math.radians(turn))
    points = []
    for i in range(steps):
        t = 2 * math.pi * i / steps
        x, y = rx * math.cos(t), ry * math.sin(t)
        points.append((cx + x * c - y * s, cy + x * s + y * c))
    return points


def finger(base, degrees, length, r):
    """A straight finger from its base, pointing `degrees` from straight ahead."""
    t = math.radians(degrees)
    return capsule(base, (base[0] + length * math.cos(t), base[1] + length * math.sin(t)), r)


def fist_parts(v, fingers=4):
    """The back of a fist with `fingers` curled fingers rolled up in front,
    the thumb lying across them and the cuff of the sleeve at the wrist."""
    parts = [capsule((29, 79 + v), (38, 70), 10), ellipse(50, 52, 24 + v, 21, -15 - 3 * v)]
    top = 34 + v + 9 * (4 - fingers)
    for i in range(fingers):
        y = top + i * (9 - 0.3 * v)
        parts.append(capsule((58, y), (73 + v - 1.2 * i, y + 1), 6))
    parts.append(capsule((44, 59 + v), (63 + v, 53), 6.5))
    return parts


def rock(v):
    return fist_parts(v)


def scissors(v):
    parts = fist_parts(v, fingers=2)
    # Index and middle finger spread in a V, drawn behind the thumb.
    thumb = parts.pop()
    parts.append(finger((56, 42 + v), -34 - 2 * v, 42, 5.8))
    parts.append(finger((58, 50 + v), 8 + 2 * v, 41, 5.8))
    parts.append(thumb)
    return parts


def paper(v):
    parts = [capsule((27, 79 + v), (34, 70), 10), ellipse(46, 56, 21, 18 + v, -30)]
    fan = [((56, 40), -40, 34), ((60, 47), -22, 38), ((62, 55), -6, 35), ((61, 63), 10, 28)]
    for (base, degrees, length) in fan:
        parts.append(finger(base, degrees * (1 + 0.08 * v), length - v, 5.8))
    parts.append(finger((40, 46), -78 + 4 * v, 25, 5.8))  # the thumb, raised
    return parts


def place(parts, mirror, turn, cell, margin=12):
    """Turns the parts, mirrors them for a hand that reaches left, and fits
    them into the cell with at least `margin` pixels to spare on each side."""
    c, s = math.cos(math.radians(turn)), math.sin(math.radians(turn))
    moved = []
    for part in parts:
        points = []
        for x, y in part:
            x, y = x - 50, y - 50
            x, y = x * c - y * s, x * s + y * c
            if mirror:
                x = -x
            points.append((x, y))
        moved.append(points)
    pad = 2.0  # half the outline
    xs = [x for part in moved for x, _ in part]
    ys = [y for part in moved for _, y in part]
    width, height = max(xs) - min(xs) + 2 * pad, max(ys) - min(ys) + 2 * pad
    scale = min((cell - 2 * margin) / width, (cell - 2 * margin) / height)
    cx, cy = (max(xs) + min(xs)) / 2, (max(ys) + min(ys)) / 2
    return [[((x - cx) * scale + cell / 2, (y - cy) * scale + cell / 2) for x, y in part]
            for part in moved], scale


def draw_hand(parts, cell, outline=2.2):
    """The hand at SUPER times the cell's size: RGB, yellow on black."""
    size = cell * SUPER
    image = Image.new("RGB", (size, size), BLACK)
    draw = ImageDraw.Draw(image)
    for part in parts:
        points = [(x * SUPER, y * SUPER) for x, y in part]
        draw.polygon(points, fill=YELLOW_HAND)
        draw.line(points + [points[0]], fill=BLACK, width=int(outline * SUPER), joint="curve")
    return image


def two_colour(image, cell):
    """Reduces a drawing to the cell: yellow where it is mostly yellow."""
    small = np.asarray(image.resize((cell, cell), Image.BOX).convert("L"), dtype=np.int32)
    return (small >= 128).tolist()


# Frames 0-2: the player's paper, rock, scissors reaching left;
# 3-5: the computer's scissors, rock, paper reaching right. Each side has its
# own proportions and angle, so no frame is the mirror image of another.
HANDS = [
    (paper, 0.0, True, 4),
    (rock, 0.0, True, 6),
    (scissors, 0.0, True, 5),
    (scissors, 1.5, False, -3),
    (rock, 1.5, False, -5),
    (paper, 1.5, False, -2),
]


def hands_strip():
    rows = [[0] * 600 for _ in range(100)]
    for frame, (shape, variant, mirror, turn) in enumerate(HANDS):
        parts, _ = place(shape(variant), mirror, turn, 100)
        mask = two_colour(draw_hand(parts, 100), 100)
        for y in range(100):
            for x in range(100):
                if mask[y][x]:
                    assert 11 <= x <= 88 and 11 <= y <= 88, "a hand leaves its margin"
                    rows[y][frame * 100 + x] = 1
    palette = [BLACK, YELLOW_HAND, (192, 192, 192)]
    write_bmp("hands.bmp", 600, 100, 4, rows, palette)


# ---------------------------------------------------------------- banners

BANNER_PALETTE = [BLACK, RED, YELLOW, WHITE]


def font(size):
    return ImageFont.truetype(BOLD, size)


def centred_lines(draw, lines, size, box_centre, fill, shadow=None, spacing=0):
    face = font(size)
    heights = [face.getbbox(line)[3] - face.getbbox(line)[1] for line in lines]
    total = sum(heights) + spacing * (len(lines) - 1)
    y = box_centre[1] - total / 2
    for line, h in zip(lines, heights):
        left, top, right, _ = face.getbbox(line)
        x = box_centre[0] - (right - left) / 2 - left
        if shadow:
            draw.text((x + 2, y - top + 2), line, font=face, fill=shadow)
        draw.text((x, y - top), line, font=face, fill=fill)
        y += h + spacing


def banner_frames():
    frames = []
    title = Image.new("RGB", (200, 100), BLACK)
    centred_lines(ImageDraw.Draw(title), ["Tarn", "Trevalo"], 19, (88, 50), RED, YELLOW, 6)
    frames.append(title)
    for digit in "321":
        image = Image.new("RGB", (200, 100), BLACK)
        draw = ImageDraw.Draw(image)
        draw.ellipse((53, 3, 147, 97), fill=WHITE)  # 94 pixels across
        draw.ellipse((58, 8, 142, 92), fill=RED)
        centred_lines(draw, [digit], 58, (100, 50), YELLOW)
        frames.append(image)
    for lines, size in ((["HAI", "VINTO!"], 36), (["HAI", "PERSO!"], 36), (["PARI!"], 44)):
        image = Image.new("RGB", (200, 100), BLACK)
        centred_lines(ImageDraw.Draw(image), lines, size, (100, 50), YELLOW, spacing=8)
        frames.append(image)
    return frames


def banners_strip():
    strip = Image.new("RGB", (1400, 100), BLACK)
    for n, frame in enumerate(banner_frames()):
        strip.paste(frame, (200 * n, 0))
    write_bmp("banners.bmp", 1400, 100, 4, indexed(strip, BANNER_PALETTE), BANNER_PALETTE)


# ----------------------------------------------------------- frame border

# Nine shades of maroon, darkest first: 32, 44, ..., 116 and the band's 128.
SHADES = [(32 + 12 * i, 0, 0) for i in range(9)]


def shade(distance):
    """The palette index for a pixel `distance` pixels in from the outer edge."""
    return min(distance, 8)


def border_bands():
    width, height = 19, 203
    right = [[shade(width - 1 - x) for x in range(width)] for _ in range(height)]
    left = [[shade(x) for x in range(width)] for _ in range(height)]
    write_bmp("frame_right.bmp", width, height, 4, right, SHADES)
    write_bmp("frame_left.bmp", width, height, 4, left, SHADES)
    width, height = 519, 16

    def band(edge_row):
        # The ends darken too, as mitred corners of a picture frame.
        return [[min(shade(edge_row(y)), shade(x), shade(width - 1 - x)) for x in range(width)]
                for y in range(height)]

    write_bmp("frame_top.bmp", width, height, 4, band(lambda y: y), SHADES)
    write_bmp("frame_bottom.bmp", width, height, 4, band(lambda y: height - 1 - y), SHADES)


# ------------------------------------------------------------------ logos


def small_hand(shape, variant, mirror, turn, cell):
    parts, _ = place(shape(variant), mirror, turn, cell, margin=2)
    image = draw_hand(parts, cell, outline=2.6)
    return image.resize((cell, cell), Image.LANCZOS)


def logo(width, flag):
    image = Image.new("RGB", (width, 50), BLACK)
    image.paste(small_hand(rock, 0.5, False, -8, 44), (2, 3))
    image.paste(small_hand(scissors, 0.5, False, -8, 44), (40, 3))
    big = Image.new("RGB", (width * SUPER, 50 * SUPER), BLACK)
    centred_lines(ImageDraw.Draw(big), ["Tarn", "Trevalo"], 17 * SUPER, (122 * SUPER, 25 * SUPER),
                  RED, YELLOW, 2 * SUPER)
    text = big.resize((width, 50), Image.LANCZOS)
    mask = text.convert("L").point(lambda v: 255 if v > 8 else 0)
    image.paste(text, (0, 0), mask)
    if flag:
        for i, color in enumerate((GREEN_FLAG, WHITE, RED)):
            ImageDraw.Draw(image).rectangle((172 + 8 * i, 32, 179 + 8 * i, 46), fill=color)
    return image


def logos():
    write_bmp("main_logo.bmp", 200, 50, 24, rgb_rows(logo(200, True)))
    write_bmp("about_logo.bmp", 163, 50, 24, rgb_rows(logo(163, False)))


# ------------------------------------------------------------------- icon


def icon():
    """Three 4-bit images of a yellow fist, 16, 32 and 48 pixels square.

    The largest is also written as trevalo.png, the icon that the play
    command puts in a Linux desktop's applications menu.
    """
    palette = [BLACK, YELLOW_HAND] + [BLACK] * 14
    images = []
    sizes = (16, 32, 48)
    for size in sizes:
        parts, _ = place(rock(0.0), False, -6, size, margin=1)
        drawn = draw_hand(parts, size, outline=1.6 if size > 16 else 1.2)
        yellow = two_colour(drawn, size)
        # Opaque wherever the drawing has ink: the hand and its outline.
        shape = Image.new("L", (size * SUPER, size * SUPER), 0)
        for part in parts:
            ImageDraw.Draw(shape).polygon([(x * SUPER, y * SUPER) for x, y in part], fill=255)
        opaque = np.asarray(shape.resize((size, size), Image.BOX)) >= 64
        xor_stride = ((size * 4 + 31) // 32) * 4
        and_stride = ((size + 31) // 32) * 4
        xor, mask = bytearray(), bytearray()
        for y in range(size - 1, -1, -1):
            row = bytearray()
            for x in range(0, size, 2):
                row.append((int(yellow[y][x]) << 4) | int(yellow[y][x + 1]))
            xor += row + bytes(xor_stride - len(row))
            bits = bytearray(and_stride)
            for x in range(size):
                if not (opaque[y][x] or yellow[y][x]):
                    bits[x // 8] |= 0x80 >> (x % 8)
            mask += bits
        if size == max(sizes):
            # The same pixels: transparent where the mask lets the screen through.
            write_png("trevalo.png", size, size,
                      [[palette[int(yellow[y][x])] + (255 if opaque[y][x] or yellow[y][x] else 0,)
                        for x in range(size)] for y in range(size)])
        header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 4, 0, len(xor) + len(mask),
                             0, 0, 16, 0)
        table = b"".join(bytes((b, g, r, 0)) for r, g, b in palette)
        images.append((size, header + table + bytes(xor) + bytes(mask)))
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    body = b""
    for size, data in images:
        directory += struct.pack("<BBBBHHII", size, size, 16, 0, 1, 4, len(data), offset)
        offset += len(data)
        body += data
    with open(os.path.join(HERE, "trevalo.ico"), "wb") as out:
        out.write(directory + body)


# ----------------------------------------------------------------- sounds


def write_wav(name, rate, channels, samples, extra=b""):
    """16-bit PCM; `samples` is a float array (frames x channels) in -1..1."""
    pcm = np.clip(np.round(samples * 32767), -32768, 32767).astype("<i2").tobytes()
    fmt = struct.pack("<HHIIHH", 1, channels, rate, rate * channels * 2, channels * 2, 16)
    body = b"WAVE" + b"fmt " + struct.pack("<I", len(fmt)) + fmt
    body += b"data" + struct.pack("<I", len(pcm)) + pcm + extra
    with open(os.path.join(HERE, name), "wb") as out:
        out.write(b"RIFF" + struct.pack("<I", len(body)) + body)


def fade(signal, rate, fade_in, fade_out):
    """Smooth (raised-cosine) edges, so the sound starts and ends on silence."""
    n_in, n_out = int(rate * fade_in), int(rate * fade_out)
    envelope = np.ones(len(signal))
    envelope[:n_in] = 0.5 - 0.5 * np.cos(np.linspace(0, math.pi, n_in))
    envelope[-n_out:] = 0.5 + 0.5 * np.cos(np.linspace(0, math.pi, n_out))
    return signal * envelope[:, None] if signal.ndim == 2 else signal * envelope


def normalise(signal, peak):
    return signal * (peak / np.abs(signal).max())


def chunk(tag, data):
    if len(data) % 2:
        data += b"\0"
    return tag + struct.pack("<I", len(data)) + data


def tick():
    """A short wooden click: 0.10 s, 4430 samples, mono, 44100 Hz."""
    rate, count = 44100, 4430
    t = np.arange(count) / rate
    body = np.sin(2 * math.pi * 1760 * t) + 0.35 * np.sin(2 * math.pi * 3520 * t)
    knock = 0.25 * np.sin(2 * math.pi * 880 * t)
    signal = (body + knock) * np.exp(-t / 0.018)
    signal = normalise(fade(signal, rate, 0.0015, 0.02), 0.6)
    comment = b"Trevalo countdown tick, made by res/generate.py\0"
    info = chunk(b"LIST", b"INFO" + chunk(b"ICMT", comment))
    text = b"Trevalo countdown tick, made by res/generate.py"
    frame = b"\0eng\0" + text
    tag = b"ID3\x03\x00\x00" + bytes((0, 0, 0, 10 + len(frame)))
    tag += b"COMM" + struct.pack(">I", len(frame)) + b"\0\0" + frame
    extra = info + chunk(b"id3 ", tag)
    assert len(extra) == 148, len(extra)  # the resource is 9052 bytes in all
    write_wav("tick.wav", rate, 1, signal[:, None], extra)


def tone(freq, duration, rate, harmonics, vibrato=0.0):
    t = np.arange(int(rate * duration)) / rate
    phase = 2 * math.pi * freq * (t + vibrato * np.sin(2 * math.pi * 5.5 * t) / (2 * math.pi * 5.5))
    return sum(a * np.sin(n * phase) for n, a in harmonics)


def note_envelope(length, rate, attack, release):
    envelope = np.ones(length)
    a, r = int(rate * attack), int(rate * release)
    envelope[:a] = np.linspace(0, 1, a)
    envelope[-r:] *= np.exp(-np.linspace(0, 5, r))
    return envelope


def jingle(notes, frames, rate, harmonics, pans):
    """Notes as (start, duration, frequency, vibrato) mixed into stereo."""
    out = np.zeros((frames, 2))
    for (start, duration, freq, vibrato), pan in zip(notes, pans):
        sound = tone(freq, duration, rate, harmonics, vibrato)
        sound *= note_envelope(len(sound), rate, 0.012, duration * 0.7)
        first = int(start * rate)
        last = min(frames, first + len(sound))
        out[first:last, 0] += sound[: last - first] * (1 - pan)
        out[first:last, 1] += sound[: last - first] * pan
    return out


def won():
    """A bright rising arpeggio and a held major chord: 88078 stereo frames."""
    rate, frames = 48000, 88078
    c5, e5, g5, c6, e6 = 523.25, 659.26, 783.99, 1046.50, 1318.51
    notes = [(0.00, 0.22, c5, 0), (0.13, 0.22, e5, 0), (0.26, 0.22, g5, 0), (0.39, 0.30, c6, 0),
             (0.60, 1.20, c6, 0.004), (0.60, 1.20, e6, 0.004), (0.60, 1.20, g5, 0.004)]
    bright = [(1, 1.0), (2, 0.35), (3, 0.12), (4, 0.05)]
    signal = jingle(notes, frames, rate, bright, [0.35, 0.45, 0.55, 0.65, 0.5, 0.4, 0.6])
    write_wav("won.wav", rate, 2, normalise(fade(signal, rate, 0.004, 0.25), 0.7))


def lost():
    """Four falling, wavering notes: 100579 stereo frames."""
    rate, frames = 48000, 100579
    notes = [(0.00, 0.42, 392.00, 0.003), (0.38, 0.42, 369.99, 0.003),
             (0.76, 0.42, 349.23, 0.003), (1.14, 0.95, 329.63, 0.012)]
    brass = [(n, 1.0 / n ** 1.3) for n in range(1, 8)]
    signal = jingle(notes, frames, rate, brass, [0.45, 0.5, 0.55, 0.5])
    write_wav("lost.wav", rate, 2, normalise(fade(signal, rate, 0.004, 0.3), 0.7))


# --------------------------------------------------------------- manifest

MANIFEST = """<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<assembly xmlns="urn:schemas-microsoft-com:asm.v1" manifestVersion="1.0">
<trustInfo xmlns="urn:schemas-microsoft-com:asm.v3">
 <security>
  <requestedPrivileges>
   <requestedExecutionLevel level="asInvoker" uiAccess="false"/>
  </requestedPrivileges>
 </security>
</trustInfo>
</assembly>"""


def manifest():
    data = MANIFEST.encode("utf-8")
    assert len(data) == 346, len(data)
    with open(os.path.join(HERE, "Trevalo.manifest"), "wb") as out:
        out.write(data)


if __name__ == "__main__":
    hands_strip()
    banners_strip()
    border_bands()
    logos()
    icon()
    tick()
    won()
    lost()
    manifest()
