"""Reads every SVG water-pressure diagram heatnet-calc --diagram writes with xml.etree:
both pressure lines drawn through every node, the main line among them, and every node of the report
present once with its number and its pressures in the hover title; every point drawn (lines,
rings and node marks, read through the axis ticks) at its node's distance and pressures."""

import math
import os
import re
import sys
import xml.etree.ElementTree as ElementTree

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import heatnet_outputs as outputs  # noqa: E402

SVG = "{http://www.w3.org/2000/svg}"
TOLERANCE = 0.0051  # the report and the titles show pressures to 0.01 kPa
TITLE = re.compile(r"节点 (\S+)\n距热源 (\S+) m\n供水压力 (\S+) kPa\n回水压力 (\S+) kPa")


def axis(ticks):
    """Pixels to values through the first and last tick: (pixel, value) pairs."""
    (p0, v0), (p1, v1) = min(ticks), max(ticks)
    return lambda pixel: v0 + (pixel - p0) * (v1 - v0) / (p1 - p0), abs((v1 - v0) / (p1 - p0))


def point_faults(root, titles, base):
    """Points are written to 0.1 pixel, the report's pressures to 0.01 kPa."""
    layout, edges = outputs.node_layout(base)
    axes = next(group for group in root.iter(SVG + "g") if group.get("class") == "axes")
    ticks = [(text.get("text-anchor"), float(text.get("x")), float(text.get("y")), float(text.text))
             for text in axes.iter(SVG + "text") if re.fullmatch(r"-?[0-9.]+", text.text or "")]
    metres, per_x = axis([(x, value) for anchor, x, _, value in ticks if anchor == "middle"])
    kpa, per_y = axis([(y - 4, value) for anchor, _, y, value in ticks if anchor == "end"])
    faults = []
    check = lambda points, column, what: faults.extend(  # noqa: E731
        f"{what}: {fault}" for fault in outputs.line_faults(
            layout, edges, [(metres(x), kpa(y)) for x, y in points], column, 0.06 * per_x, 0.06 * per_y + TOLERANCE))
    for line in root.iter(SVG + "polyline"):
        kind = line.get("class", "").replace("ring-", "").split(" ")[0]
        if kind in ("supply", "return"):
            points = [tuple(map(float, point.split(","))) for point in line.get("points").split()]
            check(points, 1 if kind == "supply" else 2, line.get("class"))
    for group, title in zip((g for g in root.iter(SVG + "g") if g.get("class") == "node"), titles):
        node = float(title.group(1)) if title else None
        if node not in layout or abs(float(title.group(2)) - layout[node][0]) > 0.051:
            faults.append(f"distance of {title and title.group(0)!r} against {layout.get(node)}")
            continue
        marks = [circle for circle in group.iter(SVG + "circle") if circle.get("r") == "2.5"]
        for circle, column in zip(marks, (1, 2)):
            x, y = metres(float(circle.get("cx"))), kpa(float(circle.get("cy")))
            if abs(x - layout[node][0]) > 0.06 * per_x or abs(y - layout[node][column]) > 0.06 * per_y + TOLERANCE:
                faults.append(f"node {node:g} marked at ({x:.2f} m, {y:.3f} kPa), not at {layout[node]}")
    return faults


def check(name, base, failures):
    expect = lambda condition, message: condition or failures.append(f"{name}: {message}")  # noqa: E731
    root = ElementTree.parse(base + ".svg").getroot()
    lines = [(line.get("class", ""), line.get("points").split()) for line in root.iter(SVG + "polyline")]
    coordinates = [float(c) for _, points in lines for point in points for c in point.split(",")]
    expect(all(math.isfinite(c) for c in coordinates), "a coordinate that is no finite number")
    classes = [kind for kind, _ in lines]
    for wanted in ("supply main", "return main"):
        expect(classes.count(wanted) == 1, f"{wanted}: {classes.count(wanted)} polylines")
    pressures, _ = outputs.read_report(base + "_OUT.TXT")
    # Every node once on one line, besides the junctions that start the branch lines.
    for kind in ("supply", "return"):
        drawn = [len(points) for line_kind, points in lines if line_kind.split(" ")[0] == kind]
        expect(sum(drawn) == len(pressures) + len(drawn) - 1, f"{kind} lines hold {sum(drawn)} points")
    titles = [TITLE.match(group.findtext(SVG + "title") or "") for group in root.iter(SVG + "g")
              if group.get("class") == "node"]
    expect(all(titles), "a node without its title")
    numbers = sorted(float(title.group(1)) for title in titles if title)
    expect(numbers == sorted(pressures), f"nodes {numbers} against the report's {sorted(pressures)}")
    for title in filter(None, titles):
        supply, back = pressures.get(float(title.group(1)), (None, None))
        expect(supply is not None and abs(float(title.group(3)) - supply) <= TOLERANCE
               and abs(float(title.group(4)) - back) <= TOLERANCE, f"pressures of {title.group(0)!r}")
    faults = point_faults(root, titles, base)
    expect(not faults, "; ".join(faults[:5]))
    labels = {text.text for text in root.iter(SVG + "text")}
    expect({"供水压力线", "回水压力线", "主干线", "低压节点", "距热源距离(m)", "压力(kPa)"} <= labels, "legend")


if __name__ == "__main__":
    failures, checked = [], []
    for name, base in outputs.calculated_networks(workbook=False, diagram=True):
        check(name, base, failures)
        checked.append(name)
    outputs.finish(failures, checked)
