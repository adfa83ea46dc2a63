"""Reads every SVG water-pressure diagram heatnet-calc --diagram writes with xml.etree:
both pressure lines drawn through every node, the main line among them, and every node of the report
present once with its number and its pressures in the hover title."""

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
    labels = {text.text for text in root.iter(SVG + "text")}
    expect({"供水压力线", "回水压力线", "主干线", "低压节点", "距热源距离(m)", "压力(kPa)"} <= labels, "legend")


if __name__ == "__main__":
    failures, checked = [], []
    for name, base in outputs.calculated_networks(workbook=False, diagram=True):
        check(name, base, failures)
        checked.append(name)
    outputs.finish(failures, checked)
