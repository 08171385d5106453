#!/usr/bin/env bash
# Regenerates the program's icon images from app/icons/quicktock.svg: the 32 and 16 pixel PNGs
# used by the Qt window and the desktop, and the Windows .ico with its three images (32 x 32 and
# 16 x 16 in 16 colours, 32 x 32 in two colours). Needs rsvg-convert, ImageMagick and python3.
set -euo pipefail
cd "$(dirname "$0")/../app/icons"

convert=/usr/bin/convert # the real ImageMagick, whatever else is on the PATH
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

rsvg-convert -w 32 -h 32 quicktock.svg -o "$work/full-32.png"
rsvg-convert -w 16 -h 16 quicktock.svg -o "$work/full-16.png"

# The standard 16-colour palette of Windows icons.
palette=()
for colour in 000000 800000 008000 808000 000080 800080 008080 c0c0c0 \
    808080 ff0000 00ff00 ffff00 0000ff ff00ff 00ffff ffffff; do
    palette+=("xc:#$colour")
done
"$convert" -size 1x1 "${palette[@]}" +append "$work/palette.png"

# Icons have no partial transparency: a pixel is either drawn or not (decided below).
for size in 32 16; do
    "$convert" "$work/full-$size.png" +dither -remap "$work/palette.png" "$work/vga-$size.png"
done
# Two colours: the cyan title bar and the arrows turn black, the window body stays white.
"$convert" "$work/full-32.png" -fill black -fuzz 10% -opaque '#00ffff' +fuzz -grayscale Rec709Luma \
    -channel RGB -threshold 50% +channel -colorspace sRGB "$work/mono-32.png"

# ImageMagick writes palette icons only as it sees fit, so the .ico is put together here from
# the raw pixels, each image with exactly the palette it is meant to have.
for image in full-32 full-16 vga-32 vga-16 mono-32; do
    "$convert" "$work/$image.png" -depth 8 "RGBA:$work/$image.rgba"
done
python3 - "$work" quicktock.ico <<'PYTHON'
import struct
import sys

work, target = sys.argv[1], sys.argv[2]
VGA = [0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
       0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF]
MONO = [0x000000, 0xFFFFFF]


def rows_bottom_up(bits, width, height, values):
    """Packs one value per pixel, bottom row first, each row padded to four bytes."""
    stride = (width * bits + 31) // 32 * 4
    out = bytearray()
    for y in reversed(range(height)):
        row = 0
        for x in range(width):
            row = (row << bits) | values[y * width + x]
        row <<= stride * 8 - width * bits
        out += row.to_bytes(stride, "big")
    return bytes(out)


def icon_image(name, size, palette, bits):
    raw = open(f"{work}/{name}.rgba", "rb").read()
    # Remapping to a palette may lose the transparency: take it from the full drawing.
    full = open(f"{work}/full-{size}.rgba", "rb").read()
    indices, mask = [], []
    for i in range(size * size):
        r, g, b = raw[4 * i:4 * i + 3]
        transparent = full[4 * i + 3] < 128
        colour = (r << 16) | (g << 8) | b
        if not transparent and colour not in palette:
            sys.exit(f"{name}: colour {colour:06x} is not in its palette")
        indices.append(0 if transparent else palette.index(colour))
        mask.append(1 if transparent else 0)
    colours = b"".join(struct.pack("<BBBB", c & 0xFF, (c >> 8) & 0xFF, c >> 16, 0)
                       for c in palette)
    pixels = rows_bottom_up(bits, size, size, indices) + rows_bottom_up(1, size, size, mask)
    header = struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, bits, 0, len(pixels), 0, 0,
                         len(palette), 0)
    return len(palette), bits, size, header + colours + pixels


images = [icon_image("vga-32", 32, VGA, 4), icon_image("vga-16", 16, VGA, 4),
          icon_image("mono-32", 32, MONO, 1)]
offset = 6 + 16 * len(images)
directory, data = b"", b""
for colours, bits, size, body in images:
    directory += struct.pack("<BBBBHHII", size, size, colours, 0, 1, bits, len(body),
                             offset + len(data))
    data += body
with open(target, "wb") as out:
    out.write(struct.pack("<HHH", 0, 1, len(images)) + directory + data)
PYTHON

# Plain RGBA PNGs, without a creation time, so an unchanged drawing gives unchanged files.
for size in 32 16; do
    "$convert" "$work/full-$size.png" -strip -define png:color-type=6 "PNG32:quicktock-$size.png"
done
echo "wrote $(pwd)/quicktock.ico, quicktock-32.png, quicktock-16.png"
