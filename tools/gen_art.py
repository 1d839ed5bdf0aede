#!/usr/bin/python3
# Draws the program's artwork (icon 137, bitmaps 136 and 202) and writes it into res/ at exact colour depths.
# Run by hand after changing a picture; the build uses the files it wrote, not this script.
import math
import os
import struct
import sys

from PIL import Image, ImageDraw, ImageFont

RES = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "res")
FONT_DIR = "/usr/share/fonts/truetype/dejavu"

# The Windows 16-colour palette, in its usual order.
VGA16 = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
         (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
         (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]

# Emblem colours: a pyramid roof seen from above, four facets lit from the top left.
INK = (16, 24, 64)
FACETS_COLOUR = [(255, 214, 0), (0, 150, 160), (40, 70, 220), (10, 30, 120)]
FACETS_MONO = [(255, 255, 255), (0, 0, 0), (0, 0, 0), (255, 255, 255)]
NAVY = (18, 32, 86)
WORDMARK = (18, 32, 86)
ACCENT = (196, 24, 24)
MAKER = (120, 16, 24)


def Font(name, size):
    return ImageFont.truetype(os.path.join(FONT_DIR, name), size)


def DrawEmblem(draw, x0, y0, size, facets, outline=INK, seams=(255, 255, 255)):
    """The emblem inside the square x0, y0, size: a diamond of four facets with a dark outline."""
    m = size * 0.04
    top = (x0 + size / 2, y0 + m)
    right = (x0 + size - m, y0 + size / 2)
    bottom = (x0 + size / 2, y0 + size - m)
    left = (x0 + m, y0 + size / 2)
    centre = (x0 + size / 2, y0 + size / 2)
    # Top-left, top-right, bottom-left, bottom-right facets.
    draw.polygon([top, centre, left], fill=facets[0])
    draw.polygon([top, right, centre], fill=facets[1])
    draw.polygon([left, centre, bottom], fill=facets[2])
    draw.polygon([centre, right, bottom], fill=facets[3])
    w = max(1, round(size * 0.035))
    if seams is not None:
        draw.line([top, bottom], fill=seams, width=w)
        draw.line([left, right], fill=seams, width=w)
    draw.line([top, right, bottom, left, top], fill=outline, width=max(1, round(size * 0.07)), joint="curve")


def EmblemRgba(size, facets, seams=(255, 255, 255)):
    """The emblem at the given pixel size on a transparent background, drawn large and reduced."""
    scale = 16
    big = Image.new("RGBA", (size * scale, size * scale), (0, 0, 0, 0))
    DrawEmblem(ImageDraw.Draw(big), 0, 0, size * scale, facets, seams=seams)
    return big.resize((size, size), Image.LANCZOS if size >= 32 else Image.BOX)


def PaletteImage(colours):
    pal = Image.new("P", (1, 1))
    flat = [c for rgb in colours for c in rgb]
    flat += flat[:3] * (256 - len(colours))
    pal.putpalette(flat)
    return pal


def ToPalette(rgb, colours):
    return rgb.convert("RGB").quantize(palette=PaletteImage(colours), dither=Image.Dither.NONE)


def Palette(pimage, count):
    flat = pimage.getpalette()[:count * 3]
    flat += [0] * (count * 3 - len(flat))
    return [tuple(flat[i:i + 3]) for i in range(0, count * 3, 3)]


def PackRows(indices, width, height, bits):
    """Bottom-up rows of palette indices, each padded to a 4-byte boundary."""
    out = bytearray()
    stride = ((width * bits + 31) // 32) * 4
    for y in range(height - 1, -1, -1):
        row = bytearray()
        acc = 0
        nbits = 0
        for x in range(width):
            acc = (acc << bits) | indices[y * width + x]
            nbits += bits
            if nbits == 8:
                row.append(acc)
                acc = 0
                nbits = 0
        if nbits:
            row.append(acc << (8 - nbits))
        row += b"\0" * (stride - len(row))
        out += row
    return bytes(out)


def InfoHeader(width, height, bits, image_size):
    return struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0, image_size, 2835, 2835, 0, 0)


def RgbQuads(colours):
    return b"".join(struct.pack("BBBB", b, g, r, 0) for (r, g, b) in colours)


def WriteBmp(path, pimage, bits):
    width, height = pimage.size
    colours = Palette(pimage, 1 << bits)
    pixels = PackRows(list(pimage.getdata()), width, height, bits)
    head = InfoHeader(width, height, bits, len(pixels)) + RgbQuads(colours)
    offset = 14 + len(head)
    with open(path, "wb") as f:
        f.write(struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset))
        f.write(head + pixels)


def IconImage(rgba, bits, colours=None):
    """One icon image: header of double height, palette, colour bits, then the transparency mask."""
    width, height = rgba.size
    alpha = [a >= 128 for a in rgba.getchannel("A").getdata()]
    flat = Image.new("RGB", rgba.size, (0, 0, 0))
    flat.paste(rgba, mask=rgba.getchannel("A").point(lambda a: 255 if a >= 128 else 0))
    if colours is None:
        pimage = flat.quantize(colors=1 << bits, method=Image.Quantize.MEDIANCUT, dither=Image.Dither.NONE)
    else:
        pimage = ToPalette(flat, colours)
    palette = Palette(pimage, 1 << bits)
    black = palette.index((0, 0, 0)) if (0, 0, 0) in palette else 0
    indices = [i if opaque else black for i, opaque in zip(pimage.getdata(), alpha)]
    xor = PackRows(indices, width, height, bits)
    mask = PackRows([0 if opaque else 1 for opaque in alpha], width, height, 1)
    return InfoHeader(width, height * 2, bits, len(xor) + len(mask)) + RgbQuads(palette) + xor + mask


def WriteIcon(path, images):
    """images: (width, height, bits, data) in directory order."""
    offset = 6 + 16 * len(images)
    head = struct.pack("<HHH", 0, 1, len(images))
    body = b""
    for width, height, bits, data in images:
        count = 1 << bits if bits < 8 else 0
        head += struct.pack("<BBBBHHII", width % 256, height % 256, count, 0, 1, bits, len(data), offset)
        body += data
        offset += len(data)
    with open(path, "wb") as f:
        f.write(head + body)


def MakeIcon():
    images = []
    for size, bits in ((32, 4), (32, 1), (48, 8), (32, 8), (16, 4)):
        if bits == 1:
            rgba = EmblemRgba(size, FACETS_MONO, seams=None)
            data = IconImage(rgba, 1, [(0, 0, 0), (255, 255, 255)])
        elif bits == 4:
            rgba = EmblemRgba(size, FACETS_COLOUR, seams=None if size < 32 else (255, 255, 255))
            data = IconImage(rgba, 4, VGA16)
        else:
            data = IconImage(EmblemRgba(size, FACETS_COLOUR), 8)
        images.append((size, size, bits, data))
    WriteIcon(os.path.join(RES, "tessaloft.ico"), images)


def FitFont(draw, text, name, size, width):
    while size > 6:
        font = Font(name, size)
        if draw.textlength(text, font=font) <= width:
            return font
        size -= 1
    return Font(name, size)


def DrawMouse(draw, cx, top, w, h):
    """A two-button computer mouse, seen from above, its cable curling up to the top edge."""
    left = cx - w / 2
    body = [left, top, left + w, top + h]
    # The cable leaves the front of the mouse and curls up towards the wordmark.
    steps = 40
    cable = [(cx + w * 0.22 * math.sin(math.pi * 1.5 * i / steps) * (i / steps), top + 2 - h * 0.5 * i / steps)
             for i in range(steps + 1)]
    draw.line(cable, fill=(60, 60, 70), width=max(2, round(w * 0.05)), joint="curve")
    shadow = [left + w * 0.08, top + h * 0.05, left + w * 1.08, top + h * 1.05]
    draw.rounded_rectangle(shadow, radius=w * 0.45, fill=(150, 160, 185))
    draw.rounded_rectangle(body, radius=w * 0.45, fill=(222, 224, 230), outline=(70, 72, 84), width=max(2, round(w * 0.03)))
    # Soft highlight down the left side of the shell.
    for i in range(12):
        t = i / 12
        draw.rounded_rectangle([left + w * (0.1 + 0.02 * i), top + h * 0.42, left + w * (0.35 - 0.01 * i), top + h * (0.9 - 0.02 * i)],
                               radius=w * 0.1, fill=(int(232 + 20 * t), int(234 + 20 * t), int(240 + 14 * t)))
    seam_y = top + h * 0.38
    line = max(2, round(w * 0.025))
    draw.line([(left + w * 0.06, seam_y), (left + w * 0.94, seam_y)], fill=(70, 72, 84), width=line)
    draw.line([(cx, top + h * 0.02), (cx, seam_y)], fill=(70, 72, 84), width=line)
    # The left button is pressed: a little darker.
    draw.rounded_rectangle([left + w * 0.1, top + h * 0.07, cx - w * 0.04, seam_y - h * 0.03], radius=w * 0.12, fill=(196, 200, 214))


def MakeSidebar():
    scale = 4
    width, height = 97, 203
    img = Image.new("RGB", (width * scale, height * scale))
    draw = ImageDraw.Draw(img)
    for y in range(height * scale):
        t = y / (height * scale - 1)
        draw.line([(0, y), (width * scale, y)], fill=(int(255 - 60 * t), int(255 - 45 * t), int(255 - 15 * t)))
    # Maker's wordmark with a rule beneath.
    font = FitFont(draw, "Norrbeck", "DejaVuSerif-BoldItalic.ttf", 18 * scale, (width - 10) * scale)
    draw.text((width * scale / 2, 16 * scale), "Norrbeck", font=font, fill=MAKER, anchor="mm")
    draw.line([(8 * scale, 29 * scale), ((width - 8) * scale, 29 * scale)], fill=MAKER, width=scale)
    DrawMouse(draw, width * scale / 2, 70 * scale, 46 * scale, 72 * scale)
    # Product emblem and wordmark at the foot.
    DrawEmblem(draw, (width / 2 - 15) * scale, 150 * scale, 30 * scale, FACETS_COLOUR)
    font = FitFont(draw, "Tessaloft Pro", "DejaVuSans-Bold.ttf", 13 * scale, (width - 6) * scale)
    draw.text((width * scale / 2, 192 * scale), "Tessaloft Pro", font=font, fill=WORDMARK, anchor="mm")
    small = img.resize((width, height), Image.LANCZOS)
    pimage = small.quantize(colors=256, method=Image.Quantize.MEDIANCUT, dither=Image.Dither.NONE)
    WriteBmp(os.path.join(RES, "choice_sidebar.bmp"), pimage, 8)


def MakePoweredBy():
    scale = 8
    width, height = 159, 48
    img = Image.new("RGB", (width * scale, height * scale), (255, 255, 255))
    draw = ImageDraw.Draw(img)
    draw.rectangle([0, 0, height * scale - 1, height * scale - 1], fill=NAVY)
    DrawEmblem(draw, 5 * scale, 5 * scale, (height - 10) * scale, FACETS_COLOUR, outline=(240, 240, 250))
    left = (height + 6) * scale
    room = (width - height - 8) * scale
    font = FitFont(draw, "Tessaloft", "DejaVuSans-Bold.ttf", 22 * scale, room)
    draw.text((left, 21 * scale), "Tessaloft", font=font, fill=WORDMARK, anchor="ls")
    font = Font("DejaVuSans-BoldOblique.ttf", 14 * scale)
    draw.text((left + room, 40 * scale), "Pro", font=font, fill=ACCENT, anchor="rs")
    draw.line([(left, 27 * scale), (left + room - 34 * scale, 27 * scale)], fill=ACCENT, width=2 * scale)
    draw.rectangle([0, 0, width * scale - 1, height * scale - 1], outline=NAVY, width=scale)
    small = img.resize((width, height), Image.LANCZOS)
    # Sixteen colours: the emblem's own, the navy, white, and ramps from white to the two text colours.
    colours = [(255, 255, 255), NAVY, (240, 240, 250), INK] + FACETS_COLOUR + [ACCENT]
    for t in (0.15, 0.35, 0.55, 0.75):
        colours.append(tuple(int(255 + (c - 255) * t) for c in WORDMARK))
    for t in (0.35, 0.7):
        colours.append(tuple(int(255 + (c - 255) * t) for c in ACCENT))
    colours.append(tuple((a + b) // 2 for a, b in zip(NAVY, FACETS_COLOUR[1])))
    assert len(colours) == 16
    WriteBmp(os.path.join(RES, "powered_by.bmp"), ToPalette(small, colours), 4)


def main():
    MakeIcon()
    MakeSidebar()
    MakePoweredBy()
    return 0


if __name__ == "__main__":
    sys.exit(main())
