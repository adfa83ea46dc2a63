"""Renders a heatnet water-pressure diagram (.dxf) to PNG for the README.

The drawing is read with ezdxf (Debian python3-ezdxf) and drawn as Magick Vector
Graphics by ImageMagick (Debian imagemagick), which Debian 12 ships without an SVG
reader; lines and texts take the colours of their layers.

    /usr/bin/python3 docs/render_diagram.py build/example-run/small_tree.dxf docs/small_tree_diagram.png
"""

import argparse
import subprocess
import tempfile

import ezdxf
from ezdxf.colors import aci2rgb

WIDTH = 1100  # pixels of the drawing area, margins excluded
MARGIN = 30


def colour_of(document, entity):
    aci = entity.dxf.get("color", 256)
    if aci in (0, 256):
        aci = document.layers.get(entity.dxf.layer).dxf.color
    red, green, blue = (0, 0, 0) if abs(aci) == 7 else aci2rgb(abs(aci))
    return f"#{red:02x}{green:02x}{blue:02x}"


def text_extent(entity):
    """Where a text stands, approximately, as the DXF aligns it."""
    height = entity.dxf.height
    width = 0.6 * height * len(entity.dxf.text)
    halign = entity.dxf.get("halign", 0)
    x, y = (entity.dxf.align_point.x, entity.dxf.align_point.y) if halign else \
        (entity.dxf.insert.x, entity.dxf.insert.y)
    left = {0: x, 2: x - width, 4: x - width / 2}.get(halign, x)
    bottom = y - height / 2 if halign == 4 else y
    return x, y, left, bottom, width, height, halign


def render(dxf_path, png_path):
    document = ezdxf.readfile(dxf_path)
    entities = [e for e in document.modelspace() if e.dxftype() in ("LINE", "TEXT")]
    xs, ys = [], []
    for entity in entities:
        if entity.dxftype() == "LINE":
            xs += [entity.dxf.start.x, entity.dxf.end.x]
            ys += [entity.dxf.start.y, entity.dxf.end.y]
        else:
            _, _, left, bottom, width, height, _ = text_extent(entity)
            xs += [left, left + width]
            ys += [bottom, bottom + height]
    scale = WIDTH / (max(xs) - min(xs))
    height_px = int((max(ys) - min(ys)) * scale) + 2 * MARGIN

    def px(x, y):
        return (MARGIN + (x - min(xs)) * scale, height_px - MARGIN - (y - min(ys)) * scale)

    commands = [f"viewbox 0 0 {WIDTH + 2 * MARGIN} {height_px}", "fill white",
                f"rectangle 0,0 {WIDTH + 2 * MARGIN},{height_px}", "stroke-width 2",
                "font DejaVu-Sans"]
    for entity in entities:
        colour = colour_of(document, entity)
        if entity.dxftype() == "LINE":
            (x1, y1), (x2, y2) = px(entity.dxf.start.x, entity.dxf.start.y), \
                px(entity.dxf.end.x, entity.dxf.end.y)
            commands += ["fill none", f"stroke '{colour}'",
                         f"line {x1:.1f},{y1:.1f} {x2:.1f},{y2:.1f}"]
        else:
            x, y, _, _, _, height, halign = text_extent(entity)
            if halign == 4:
                y -= height / 2
            anchor = {2: "end", 4: "middle"}.get(halign, "start")
            tx, ty = px(x, y)
            text = entity.dxf.text.strip().replace("'", "")
            commands += ["stroke none", f"fill '{colour}'", f"font-size {height * scale:.1f}",
                         f"text-anchor {anchor}", f"text {tx:.1f},{ty:.1f} '{text}'"]
    with tempfile.NamedTemporaryFile("w", suffix=".mvg") as mvg:
        mvg.write("\n".join(commands) + "\n")
        mvg.flush()
        subprocess.run(["/usr/bin/convert", f"mvg:{mvg.name}", png_path], check=True)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("dxf")
    parser.add_argument("png")
    arguments = parser.parse_args()
    render(arguments.dxf, arguments.png)


if __name__ == "__main__":
    main()
