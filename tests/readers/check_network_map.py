"""Reads the network maps heatnet-calc --map writes with xml.etree: every segment drawn once between
its two nodes, every node once with its number, rings dashed, the over-limit colours, the side file's
coordinates kept, the same bytes every time, and the topology faults of a network that cannot be
calculated drawn red and listed with their messages (exit status 1); nothing written when the
calculation stops for another reason."""

import argparse
import math
import os
import re
import shutil
import subprocess
import tempfile
import xml.etree.ElementTree as ElementTree

SVG = "{http://www.w3.org/2000/svg}"
HEADER = " 130 , 70 , 200 , 50 , .4 "
# Every topology fault once: a duplicate (3), same ends (4), an unconnected pair (5), a dead end
# without a load (7) and a load no segment reaches (9).
FAULTY = [HEADER, "8,6", "0", "0,100,0,0,1", "0,100,0,1,2", "0,100,0,2,1", "0,100,0,3,3", "0,100,0,5,6",
          "0,100,0,2,7", "1,1", "2,1", "3,1", "5,1", "6,1", "7,0", "9,1"]
FAULT_MESSAGES = {
    "第3根管道与第2根管道连接相同的两个节点(1-2),请检查。",
    "第4根管道的起点和终点编号相同(3),请检查。",
    "有2根管道与主热源(节点0)不相连:第4根管道(节点3-3)、第5根管道(节点5-6),请检查管段起点和终点编号。",
    "节点7是管网末端,但没有热负荷(负荷为0或未输入),请检查管段编号和节点负荷。",
    " 9节点负荷不应输入或着管段节点数据输入有误",
}
# A given 25 mm pipe carrying 5 MW, far over its limit.
GIVEN_25_MM = [HEADER, "2,1", "0", "25,100,0,0,1", "1,5"]
HELD_COLOUR = "#7b1fa2"


def read_network(path):
    """Segment ends in record order and every node number of a basic data file."""
    values = [float(v) for v in re.split(r"[\s,]+", open(path, encoding="ascii").read().strip())]
    nodes, pipes = int(values[5]), int(values[6])
    ends = [(values[8 + 5 * i + 3], values[8 + 5 * i + 4]) for i in range(pipes)]
    loads = values[8 + 5 * pipes::2][:nodes - 1]
    return ends, {n for pair in ends for n in pair} | set(loads)


def read_map(path, failures):
    """Segments by record (class, ends, points) and node centres by number, each found once."""
    root = ElementTree.parse(path).getroot()
    segments, nodes = {}, {}
    for line in root.iter(SVG + "line"):
        if "segment" in line.get("class", "").split():
            record = int(line.get("data-record"))
            if record in segments:
                failures.append(f"{path}: record {record} drawn twice")
            segments[record] = line
    for group in root.iter(SVG + "g"):
        if "node" in group.get("class", "").split():
            number, circle, text = float(group.get("data-node")), group.find(SVG + "circle"), group.find(SVG + "text")
            if number in nodes or float(text.text) != number:
                failures.append(f"{path}: node {number:g} drawn twice or labelled {text.text}")
            nodes[number] = (float(circle.get("cx")), float(circle.get("cy")), group)
    messages = [t.text for t in root.iter(SVG + "text") if t.get("class") == "fault-message"]
    return segments, nodes, messages


def check_whole(path, data, failures):
    ends, numbers = read_network(data)
    segments, nodes, messages = read_map(path, failures)
    if sorted(segments) != list(range(len(ends))) or set(nodes) != numbers:
        failures.append(f"{path}: records {sorted(segments)[:9]}, nodes {sorted(nodes)[:9]} against the file")
    for record, line in segments.items():
        start, end = ends[record]
        drawn = [(float(line.get("x1")), float(line.get("y1"))), (float(line.get("x2")), float(line.get("y2")))]
        if drawn != [nodes.get(start, (0, 0))[:2], nodes.get(end, (0, 0))[:2]]:
            failures.append(f"{path}: record {record} drawn at {drawn}, not between nodes {start:g} and {end:g}")
    return segments, nodes, messages


def colour_faults(name, root, segments):
    """Each segment's colour stands on the legend's scale where its share of the limit (from its
    hover text) puts it: next to one of the two legend boxes around that share."""
    rgb = lambda text: [int(text[k:k + 2], 16) for k in (1, 3, 5)]  # noqa: E731
    legend = next(g for g in root.iter(SVG + "g") if g.get("class") == "legend")
    boxes = [rgb(rect.get("fill")) for rect in legend.iter(SVG + "rect")][:10]
    faults = []
    for record, line in segments.items():
        loss, limit = map(float, re.search(r"比摩阻 (\S+) Pa/m\(限值 (\S+)\)", line.find(SVG + "title").text).groups())
        if "over-limit" in line.get("class"):
            continue
        share = min(abs(loss) / limit, 1) * 9
        nearest = min(range(10), key=lambda k: sum((a - b) ** 2 for a, b in zip(boxes[k], rgb(line.get("stroke")))))
        if not math.floor(share) - 0.01 <= nearest <= math.ceil(share) + 0.01:
            faults.append(f"{name}: record {record} at {share / 9:.2f} of its limit coloured like box {nearest}")
    return faults


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--calc", required=True), parser.add_argument("--networks", required=True)
    parser.add_argument("--generate", required=True)
    arguments = parser.parse_args()
    failures = []
    with tempfile.TemporaryDirectory(prefix="heatnet-map-") as folder:
        def calc(name, *options):
            base = os.path.join(folder, name)
            run = subprocess.run([arguments.calc, *options, "--map", base + ".svg", base + ".TXT"], capture_output=True)
            return run.returncode, base + ".svg", base + ".TXT"

        for name in ["loop", "largest_size", "tree_400", "flow_never_settles"]:
            shutil.copy(os.path.join(arguments.networks, name + ".TXT"), folder)
        for name, options in [("tree_1400", ["1400"]), ("rings_200", ["188", "--loops", "12"])]:
            subprocess.run([arguments.generate, "--segments", *options, os.path.join(folder, name + ".TXT")], check=True)
        for name, lines in [("faulty", FAULTY), ("given_diameters", GIVEN_25_MM)]:
            with open(os.path.join(folder, name + ".TXT"), "w", encoding="ascii") as out:
                out.write("\r\n".join(lines) + "\r\n")

        for name in ["loop", "largest_size", "given_diameters", "tree_400", "tree_1400", "rings_200"]:
            status, svg, data = calc(name)
            first = open(svg, "rb").read() if status == 0 else b""
            segments, nodes, messages = check_whole(svg, data, failures)
            if status != 0 or messages or calc(name)[0] != 0 or open(svg, "rb").read() != first:
                failures.append(f"{name}: status {status}, faults {messages[:2]}, or other bytes the second time")
            rings = {r for r, line in segments.items() if "ring" in line.get("class").split()}
            dashed = {r for r, line in segments.items() if line.get("stroke-dasharray")}
            if rings != dashed or (name == "loop" and rings != {4}) or (name.startswith("tree") and rings):
                failures.append(f"{name}: rings {sorted(rings)[:9]}, dashed {sorted(dashed)[:9]}")
            failures.extend(colour_faults(name, ElementTree.parse(svg).getroot(), segments))
            if name == "rings_200" and len(rings) != 12:
                failures.append(f"rings_200: {len(rings)} ring segments")
        # The largest size still over 90 Pa/m stands out; the segment after it is within its limit.
        segments, _, _ = read_map(os.path.join(folder, "largest_size.svg"), failures)
        if segments[0].get("stroke") != HELD_COLOUR or segments.get(1, segments[0]) is segments[0] or segments[1].get("stroke") in (HELD_COLOUR, "#d62728"):
            failures.append(f"largest_size: colours {segments[0].get('stroke')}, {segments[1].get('stroke')}")
        segments, _, _ = read_map(os.path.join(folder, "given_diameters.svg"), failures)
        if segments[0].get("stroke") != "#d62728" or "over-limit" not in segments[0].get("class"):
            failures.append(f"given_diameters: record 0 {segments[0].get('class')} {segments[0].get('stroke')}")

        # A partial side file: the given nodes stay where it puts them (y counted northward),
        # the others are laid out around them.
        given = {0: (0, 0), 2: (400, 0), 3: (400, 300)}
        with open(os.path.join(folder, "loop.xy.csv"), "w", encoding="utf-8") as out:
            out.write("\ufeff节点,x,y\n" + "".join(f"{n},{x},{y}\n" for n, (x, y) in given.items()))
        status, svg, data = calc("loop")
        _, nodes, _ = check_whole(svg, data, failures)
        (x0, y0, _), (x2, _, _) = nodes[0], nodes[2]
        scale = (x2 - x0) / 400
        for n, (x, y) in given.items():
            if status or abs(nodes[n][0] - x0 - scale * x) > 0.11 or abs(nodes[n][1] - y0 + scale * y) > 0.11:
                failures.append(f"loop.xy.csv: node {n} at {nodes[n][:2]}, scale {scale}")
        if len({(round(x), round(y)) for x, y, _ in nodes.values()}) != 5:
            failures.append(f"loop.xy.csv: nodes on one spot {[v[:2] for v in nodes.values()]}")

        # The faults of a file that cannot be calculated: drawn red, listed, exit status 1.
        status, svg, data = calc("faulty")
        segments, nodes, messages = check_whole(svg, data, failures)
        red_segments = {r for r, line in segments.items() if line.get("stroke") == "#d62728"}
        red_nodes = {n for n, (_, _, group) in nodes.items() if "fault" in group.get("class").split()}
        if status != 1 or set(messages) != FAULT_MESSAGES or red_segments != {2, 3, 4} or red_nodes != {1, 2, 3, 5, 6, 7, 9}:
            failures.append(f"faulty: status {status}, segments {red_segments}, nodes {red_nodes}, {messages}")
        # A calculation that stops on a well-formed network leaves no map; a wrong extension is refused.
        status, svg, _ = calc("flow_never_settles")
        refused = subprocess.run([arguments.calc, "--map", svg[:-4] + ".png", data], capture_output=True)
        if status != 1 or os.path.exists(svg) or refused.returncode != 2:
            failures.append(f"flow_never_settles: status {status}, map written {os.path.exists(svg)}, "
                            f".png refused with {refused.returncode}")
    for message in failures[:40]:
        print("FAIL:", message)
    if failures:
        raise SystemExit(f"{len(failures)} mismatches")
    print("checked: loop, largest_size, given_diameters, tree_400, tree_1400, rings_200, loop.xy.csv, faulty")


if __name__ == "__main__":
    main()
