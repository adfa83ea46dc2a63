"""Runs heatnet-calc on networks and reads the text outputs the readers check against.

The diagram and the workbook are checked against the other two outputs of the same
calculation: the report (pressures, segment rows) and the sized data file (the ordered
segment list with its I and J node numbers).
"""

import argparse
import os
import shutil
import subprocess
import tempfile
from dataclasses import dataclass
from decimal import ROUND_HALF_UP, Decimal

HEADER = " 130 , 70 , 200 , 50 , .4 "


def _chain(count, length, diameter=0):
    lines = [HEADER, f"{count + 1},{count}", "0"]
    lines += [f"{diameter},{length},0,{i},{i + 1}" for i in range(count)]
    lines += [f"{i},.1" for i in range(1, count + 1)]
    return lines


# Networks beside the bundled examples, each for a case of the diagram or the sheet.
EXTRA_NETWORKS = {
    # One 300 m segment: Xmax 600, one tick at 500, distance axis to 700.
    "single_300": [HEADER, "2,1", "0", "0,300,0,0,1", "1,1"],
    # Two segments leave node 0: fallback order, an empty diagram.
    "fork": [HEADER, "3,2", "0", "0,100,0,0,1", "0,100,0,0,2", "1,1", "2,1"],
    # A loop: more segments than non-source nodes.
    "loop": [HEADER, "4,4", "0", "150,100,0,0,1", "100,80,0,1,2", "100,80,0,2,3",
             "100,120,0,1,3", "1,2", "2,3", "3,4"],
    # Xmax 6000: ticks every 1000 m.
    "long_line": _chain(12, 500, 300),
    # Node 400's segment lies at list position 400.
    "chain_420": _chain(420, 50, 300),
    # 0.83736 MW at 60 K is 12 t/h.
    "flow_12": [HEADER, "2,1", "0", "100,100,0,0,1", "1,.83736"],
}


def parse_arguments(description):
    parser = argparse.ArgumentParser(description=description)
    parser.add_argument("--calc", required=True, help="heatnet-calc executable")
    parser.add_argument("--examples", required=True, help="folder of the bundled examples")
    return parser.parse_args()


def prepare_networks(examples, folder):
    """Copies the examples and writes the extra networks; returns their names."""
    names = []
    for entry in sorted(os.listdir(examples)):
        if entry.endswith(".TXT"):
            shutil.copy(os.path.join(examples, entry), folder)
            names.append(entry[:-4])
    for name, lines in EXTRA_NETWORKS.items():
        with open(os.path.join(folder, name + ".TXT"), "wb") as out:
            out.write("".join(line + "\r\n" for line in lines).encode("ascii"))
        names.append(name)
    return names


def calculate(calc, folder, name, workbook):
    arguments = [calc] + (["--xlsx"] if workbook else []) + [os.path.join(folder, name + ".TXT")]
    run = subprocess.run(arguments, capture_output=True)
    if run.returncode != 0:
        raise AssertionError(f"{name}: heatnet-calc failed: {run.stderr.decode('utf-8', 'replace')}")


def temporary_folder():
    return tempfile.TemporaryDirectory(prefix="heatnet-readers-")


def read_lines(path):
    with open(path, "rb") as source:
        data = source.read().decode("gbk")
    assert "\n" not in data.replace("\r\n", ""), f"{path}: a line does not end with CR LF"
    return data.split("\r\n")


def number(text):
    text = text.strip()
    return float(text) if text else 0.0


@dataclass
class Segment:
    diameter: float
    length: float
    node_i: float
    node_j: float


@dataclass
class Network:
    node_count: int
    branch_start: float
    segments: list

    @property
    def source(self):  # internal index of the main heat source, M + 1
        return self.node_count

    def indices(self):
        """Internal indices by first appearance along the list, node 0 last."""
        index = {0.0: self.source}
        for segment in self.segments:
            for node in (segment.node_j, segment.node_i):
                if node not in index:
                    index[node] = len(index)
        return index


def read_sized_file(path):
    lines = read_lines(path)
    counts = [number(field) for field in lines[1].split(",")]
    segments = []
    for line in lines[2:2 + int(counts[1])]:
        d, length, _, node_i, node_j = (number(field) for field in line.split(","))
        segments.append(Segment(d, length, node_i, node_j))
    return Network(int(counts[0]), counts[2], segments)


def read_report(path):
    """Node pressures in kPa by node number, and the segment rows as text fields."""
    lines = read_lines(path)
    pressures = {}
    at = 3
    while lines[at].strip():
        fields = lines[at].split()
        pressures[float(fields[0])] = (float(fields[3]), float(fields[4]))
        at += 1
    while "水力计算书" not in lines[at]:
        at += 1
    rows = [line.split() for line in lines[at + 5:] if line.strip()]
    assert all(len(row) == 13 for row in rows), "a segment row of the report is wrapped"
    return pressures, rows


def row_order(network, limit=399):
    """The report's row order: list positions (1-based) per row, and whether it is node order."""
    index = network.indices()
    ends = [(index[s.node_i], index[s.node_j]) for s in network.segments]
    found = []
    for r in range(1, len(ends) + 1):
        position = next((p + 1 for p, (a, b) in enumerate(ends[:limit])
                         if a == r or (r == 1 and a == network.source and b == 1)), None)
        if position is None:
            break
        found.append(position)
    node_order = len(found) == len(ends) and network.node_count - 1 >= len(ends)
    return (found if node_order else list(range(1, len(ends) + 1))), node_order


def picture(value, pattern):
    """A value under a "0"/"#" picture, rounded half away from zero on its decimal text."""
    whole, decimals = pattern.split(".")
    exact = Decimal(repr(value) if isinstance(value, float) else value)
    rounded = abs(exact).quantize(Decimal(1).scaleb(-len(decimals)), rounding=ROUND_HALF_UP)
    integer, _, fraction = f"{rounded:f}".partition(".")
    integer = integer.lstrip("0").rjust(whole.count("0"), "0")
    fraction = fraction.ljust(len(decimals), "0")
    keep = len(decimals)
    while keep > 0 and decimals[keep - 1] == "#" and fraction[keep - 1] == "0":
        keep -= 1
    return ("-" if exact < 0 else "") + integer + "." + fraction[:keep]


def check_picture():
    examples = [(12.34, "#####.#", "12.3"), (0.5, "#####.#", ".5"), (12.0, "#####.0", "12.0"),
                (2.0, "##0.##", "2."), (1.234, "##0.##", "1.23"), (1.0, "####0.0#", "1.0"),
                (1234.5, "####0.##", "1234.5"), (123.456, "####0.##", "123.46"),
                (-40.25, "###0.0", "-40.3"), ("168", "#####.#", "168.")]
    for value, pattern, expected in examples:
        assert picture(value, pattern) == expected, (value, pattern, picture(value, pattern))


class Failures:
    """Collects every mismatch of a network before failing, so one run shows them all."""

    def __init__(self):
        self.messages = []

    def expect(self, condition, message):
        if not condition:
            self.messages.append(message)

    def finish(self, checked):
        for message in self.messages[:60]:
            print("FAIL:", message)
        if self.messages:
            raise SystemExit(f"{len(self.messages)} mismatches")
        print("checked:", ", ".join(checked))
