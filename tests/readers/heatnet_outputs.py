"""Runs heatnet-calc on the examples and a few networks of its own, and reads the report
and the sized data file that the diagram and the workbook are checked against."""

import argparse
import os
import shutil
import subprocess
import tempfile
from decimal import ROUND_HALF_UP, Decimal

HEADER = " 130 , 70 , 200 , 50 , .4 "
EXTRA_NETWORKS = {
    "single_300": [HEADER, "2,1", "0", "0,300,0,0,1", "1,1"],
    "loop": [HEADER, "4,4", "0", "150,100,0,0,1", "100,80,0,1,2", "100,80,0,2,3", "100,120,0,1,3", "1,2", "2,3", "3,4"],
    "long_line": [HEADER, "13,12", "0"] + [f"300,500,0,{i},{i + 1}" for i in range(12)]
                 + [f"{i},.1" for i in range(1, 13)],
    "flow_12": [HEADER, "2,1", "0", "100,100,0,0,1", "1,.83736"],  # 12 t/h at 60 K
}

# Golden networks with long branches from a branch start node.
TEST_NETWORKS = ["tree_branches_100"]


def calculated_networks(workbook, diagram=False):
    """Yields the name and the base path of every network, calculated by heatnet-calc;
    with `diagram` also a generated network of 1400 segments, each with base.svg."""
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--calc", required=True), parser.add_argument("--examples", required=True)
    parser.add_argument("--generate")
    arguments = parser.parse_args()
    with tempfile.TemporaryDirectory(prefix="heatnet-readers-") as folder:
        names = sorted(entry[:-4] for entry in os.listdir(arguments.examples) if entry.endswith(".TXT"))
        for name in names:
            shutil.copy(os.path.join(arguments.examples, name + ".TXT"), folder)
        for name in TEST_NETWORKS:
            shutil.copy(os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "networks", name + ".TXT"), folder)
        for name, lines in EXTRA_NETWORKS.items():
            with open(os.path.join(folder, name + ".TXT"), "wb") as out:
                out.write("".join(line + "\r\n" for line in lines).encode("ascii"))
        generated = ["generated_1400"] if diagram else []
        for name in generated:
            subprocess.run([arguments.generate, "--segments", "1400", "--loops", "6", os.path.join(folder, name + ".TXT")],
                           check=True)
        for name in names + TEST_NETWORKS + list(EXTRA_NETWORKS) + generated:
            base = os.path.join(folder, name)
            options = (["--xlsx"] if workbook else []) + (["--diagram", base + ".svg"] if diagram else [])
            run = subprocess.run([arguments.calc] + options + [base + ".TXT"], capture_output=True)
            assert run.returncode == 0, f"{name}: {run.stderr.decode('utf-8', 'replace')}"
            yield name, base


def read_lines(path):
    with open(path, "rb") as source:
        text = source.read().decode("gbk")
    assert "\n" not in text.replace("\r\n", ""), f"{path}: a line does not end with CR LF"
    return text.split("\r\n")


def sized_segments(path):
    """The ordered segment list of a sized data file: (diameter, length, node I, node J)."""
    lines = read_lines(path)
    count = int(float(lines[1].split(",")[1]))
    segments = [[float(field.strip() or 0) for field in line.split(",")] for line in lines[2:2 + count]]
    return [(d, length, node_i, node_j) for d, length, _, node_i, node_j in segments]


def read_report(path):
    """Node pressures (supply, return) in kPa by node number, and the segment rows' fields."""
    lines = read_lines(path)
    pressures, at = {}, 3
    while lines[at].strip():
        fields = lines[at].split()
        pressures[float(fields[0])] = (float(fields[3]), float(fields[4]))
        at += 1
    while "水力计算书" not in lines[at]:
        at += 1
    rows = [line.split() for line in lines[at + 5:] if line.strip()]
    assert all(len(row) == 13 for row in rows), "a segment row of the report is wrapped"
    return pressures, rows


def node_layout(base):
    """Every node's (distance from the source, supply, return pressure) by node number, and the
    segments as pairs of node numbers. Distances are summed along the sized file's list, which is
    in walk order: the first segment to reach a node sets its distance."""
    pressures, _ = read_report(base + "_OUT.TXT")
    segments = sized_segments(base + "#.TXT")
    distance, used = {0.0: 0.0}, set()
    for _ in segments:  # further rounds only for a list out of walk order
        for k, (_, length, i, j) in enumerate(segments):
            if k not in used and (i in distance or j in distance):
                used.add(k)
                if i not in distance or j not in distance:
                    distance[j if i in distance else i] = distance[i if i in distance else j] + length
    layout = {node: (distance.get(node), *pressure) for node, pressure in pressures.items()}
    return layout, {frozenset(s[2:]) for s in segments}


def line_faults(layout, edges, points, column, metres, kpa):
    """Where a drawn pressure line (points in m and kPa, `column` 1 supply, 2 return) is not
    drawn through nodes at their distance and pressure, within `metres` and `kpa`, or joins
    two nodes no segment joins."""
    found = [{n for n, values in layout.items() if values[0] is not None and abs(values[0] - x) <= metres
              and abs(values[column] - y) <= kpa} for x, y in points]
    faults = [f"({x:.2f} m, {y:.3f} kPa) is no node's" for (x, y), nodes in zip(points, found) if not nodes]
    for at, (before, after) in enumerate(zip(found, found[1:])):
        if before and after and not any(m == n or frozenset((m, n)) in edges for m in before for n in after):
            faults.append(f"{points[at]} to {points[at + 1]} joins nodes {before} and {after}, no segment")
    return faults


def picture(value, pattern):
    """A value under a "0"/"#" picture, rounded half away from zero on its decimal text."""
    whole, decimals = pattern.split(".")
    exact = Decimal(repr(value) if isinstance(value, float) else value)
    rounded = abs(exact).quantize(Decimal(1).scaleb(-len(decimals)), rounding=ROUND_HALF_UP)
    integer, _, fraction = f"{rounded:f}".partition(".")
    integer, fraction = integer.lstrip("0").rjust(whole.count("0"), "0"), fraction.ljust(len(decimals), "0")
    optional = len(decimals) - len(decimals.rstrip("#"))  # trailing "#" drop their zeros
    kept = fraction[:len(decimals) - optional] + fraction[len(decimals) - optional:].rstrip("0")
    return ("-" if exact < 0 else "") + integer + "." + kept


def finish(failures, checked):
    """Every mismatch of every network is shown before the check fails."""
    for message in failures[:60]:
        print("FAIL:", message)
    if failures:
        raise SystemExit(f"{len(failures)} mismatches")
    print("checked:", ", ".join(checked))
