#!/usr/bin/python3
"""Renders the SVG artwork into the 24-bit BMPs and the icon that velastro.rc compiles.

Rendering needs rsvg-convert (Debian librsvg2-bin) and Pillow (python3-pil); the build never
renders, it only uses the committed files. `render.py --check` verifies the committed files with
the standard library alone: 24 bits per pixel, uncompressed, exact pixel sizes.
"""

import io
import os
import struct
import subprocess
import sys
import tempfile

ART_DIR = os.path.dirname(os.path.abspath(__file__))
RES_DIR = os.path.dirname(ART_DIR)

CUTS = ["round", "oval", "square", "rectangle", "marquise", "pear", "triangle", "heart"]

# (source, output, width, height, selected) -- sizes are what the dialog's bitmap statics expect.
BITMAPS = [
    ("banner.svg", "banner.bmp", 365, 110, False),
    ("bottom_band.svg", "bottom_band.bmp", 365, 60, False),
    ("head_shape.svg", "head_shape.bmp", 25, 25, False),
    ("head_dimensions.svg", "head_dimensions.bmp", 25, 25, False),
    ("head_answer.svg", "head_answer.bmp", 25, 25, False),
    ("answer_frame.svg", "answer_frame.bmp", 150, 47, False),
    ("gauge.svg", "gauge.bmp", 160, 120, False),
    ("arrow.svg", "arrow.bmp", 12, 40, False),
    ("about.svg", "about.bmp", 300, 299, False),
] + [(f"cut_{c}.svg", f"cut_{c}.bmp", 40, 40, False) for c in CUTS] \
  + [(f"cut_{c}.svg", f"cut_{c}_sel.bmp", 40, 40, True) for c in CUTS]

ICON = ("icon.svg", "velastro.ico", 32)

# Edge pixels of the icon are blended onto this light grey before the mask makes them opaque.
ICON_MATTE = (212, 219, 229)


def render_png(svg_path, width, height, selected):
    """Returns the RGBA image of one SVG; "selected" switches cut.css to its highlighted look."""
    from PIL import Image
    source = svg_path
    temp = None
    if selected:
        # Written beside the original so that the relative cut.css reference still resolves.
        with open(svg_path, encoding="utf-8") as f:
            text = f.read().replace('class="normal"', 'class="selected"', 1)
        temp = tempfile.NamedTemporaryFile("w", suffix=".svg", dir=ART_DIR, delete=False)
        temp.write(text)
        temp.close()
        source = temp.name
    try:
        png = subprocess.run(["rsvg-convert", "-w", str(width), "-h", str(height), source],
                             check=True, capture_output=True).stdout
    finally:
        if temp:
            os.unlink(temp.name)
    image = Image.open(io.BytesIO(png)).convert("RGBA")
    if image.size != (width, height):
        sys.exit(f"{svg_path}: rendered {image.size}, wanted {(width, height)}")
    return image


def write_bmp(image, path):
    from PIL import Image
    ground = Image.new("RGBA", image.size, (255, 255, 255, 255))
    ground.alpha_composite(image)
    ground.convert("RGB").save(path, "BMP")


def write_ico(image, path):
    """One 32 x 32 image, 24 bits per pixel, with its AND mask (set bit = transparent)."""
    from PIL import Image
    size = image.width
    matte = Image.new("RGBA", image.size, ICON_MATTE + (255,))
    matte.alpha_composite(image)
    rgb = matte.convert("RGB")
    alpha = image.getchannel("A")
    xor = bytearray()
    mask = bytearray()
    for y in reversed(range(size)):  # DIB rows run bottom-up
        bits = 0
        for x in range(size):
            opaque = alpha.getpixel((x, y)) >= 96
            r, g, b = rgb.getpixel((x, y)) if opaque else (0, 0, 0)
            xor += bytes((b, g, r))
            bits = (bits << 1) | (0 if opaque else 1)
        xor += b"\0" * (-len(xor) % 4)
        mask += bits.to_bytes(size // 8, "big") + b"\0" * (-(size // 8) % 4)
    header = struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, 24, 0, len(xor) + len(mask),
                         0, 0, 0, 0)
    body = header + bytes(xor) + bytes(mask)
    directory = struct.pack("<HHH", 0, 1, 1) + struct.pack("<BBBBHHII", size, size, 0, 0, 1, 24,
                                                           len(body), 6 + 16)
    with open(path, "wb") as f:
        f.write(directory + body)


def check_bmp(path, width, height):
    with open(path, "rb") as f:
        data = f.read()
    magic, file_size, _, offset = struct.unpack_from("<2sIII", data, 0)
    size, w, h, planes, bpp, compression = struct.unpack_from("<IiiHHI", data, 14)
    stride = (w * 3 + 3) & ~3
    got = (magic, file_size, size, w, h, planes, bpp, compression, len(data) - offset)
    want = (b"BM", len(data), 40, width, height, 1, 24, 0, stride * height)
    return [] if got == want else [f"{path}: header {got}, wanted {want}"]


def check_ico(path, size):
    with open(path, "rb") as f:
        data = f.read()
    reserved, kind, count = struct.unpack_from("<HHH", data, 0)
    w, h, _, _, planes, bpp, length, offset = struct.unpack_from("<BBBBHHII", data, 6)
    header = struct.unpack_from("<IiiHHI", data, offset)
    body = size * size * 3 + size * ((size + 31) // 32 * 4)
    got = (reserved, kind, count, w, h, planes, bpp, length, header)
    want = (0, 1, 1, size, size, 1, 24, 40 + body, (40, size, 2 * size, 1, 24, 0))
    return [] if got == want and offset + length == len(data) else [f"{path}: {got}, wanted {want}"]


def check():
    problems = []
    for _, bmp, width, height, _ in BITMAPS:
        problems += check_bmp(os.path.join(RES_DIR, bmp), width, height)
    problems += check_ico(os.path.join(RES_DIR, ICON[1]), ICON[2])
    for p in problems:
        print(p, file=sys.stderr)
    print(f"{len(BITMAPS)} bitmaps and 1 icon checked, {len(problems)} problems")
    return 1 if problems else 0


def render():
    for svg, bmp, width, height, selected in BITMAPS:
        write_bmp(render_png(os.path.join(ART_DIR, svg), width, height, selected),
                  os.path.join(RES_DIR, bmp))
    svg, ico, size = ICON
    write_ico(render_png(os.path.join(ART_DIR, svg), size, size, False), os.path.join(RES_DIR, ico))
    return check()


if __name__ == "__main__":
    sys.exit(check() if sys.argv[1:] == ["--check"] else render())
