"""Reads what heatnet-calc --export-inp, --csv and --geojson write and checks it against the
data file, the report _OUT.TXT and each other: INP sections, IDs, demands in m3/h, calculation
lengths, record order, the CSV header rows and units, the GeoJSON on the side file's coordinates,
and the refusal of GeoJSON where the side file leaves nodes out."""

import argparse
import csv
import io
import json
import os
import re
import shutil
import subprocess
import tempfile

from heatnet_outputs import finish, read_lines

NODE_HEAD = "ID,热负荷(W),水量(kg/s),水量(m3/h),供水压力(Pa),回水压力(Pa),供回水压差(Pa)"
PIPE_HEAD = "ID,起点,终点,管径(mm),管段长度(m),计算长度(m),流量(kg/s),流量(m3/h),流速(m/s),比摩阻(Pa/m),管段压降(Pa)"
SECTIONS = ["[TITLE]", "[JUNCTIONS]", "[RESERVOIRS]", "[PIPES]", "[OPTIONS]", "[TIMES]", "[COORDINATES]", "[END]"]
OPTIONS = ["UNITS CMH", "HEADLOSS D-W", "VISCOSITY 1e-15", "ACCURACY 1e-9", "TRIALS 1000"]
# (network, side file: "all" nodes, "some" of them or none); GeoJSON is asked for every time.
CASES = [("small_tree", "all"), ("secondary_source", None), ("loop", "some"), ("given_diameters", "all")]


def density(t):
    """Water at t °C, kg/m3 (Thiesen's formula: not heatnet's own, so 0.5% apart at most)."""
    return 1000 * (1 - (t + 288.9414) / (508929.2 * (t + 68.12963)) * (t - 3.9863) ** 2)


def near(a, b, unit):
    """b printed with `unit` as its last place is a rounded."""
    return abs(a - b) <= unit / 2 * (1 + 1e-9) + 1e-12


def read_data(path):
    """Design values, and the records' (start, end, L, Le) as written."""
    lines = open(path, encoding="ascii").read().split("\n")
    head = [f.strip() for f in lines[0].split(",")]
    count = int(float(lines[1].split(",")[1]))
    records = [[f.strip() for f in line.split(",")] for line in lines[3:3 + count]]
    return head, [(r[3] or "0", r[4] or "0", r[1], r[2]) for r in records]  # unset ends are node 0


def read_csv(path, head, failures):
    raw = open(path, "rb").read()
    text = raw.decode("utf-8")
    if not text.startswith("\ufeff" + head + "\r\n") or "\n" in text.replace("\r\n", ""):
        failures.append(f"{path}: not BOM, header {head} and CR LF")
    return list(csv.DictReader(io.StringIO(text.lstrip("\ufeff"), newline="")))


def sections(path):
    text = open(path, encoding="utf-8").read()
    found, current = {}, None
    for line in text.split("\n")[:-1]:
        if line.startswith("["):
            current = found.setdefault(line, [])
        elif current is not None and not line.startswith(";"):
            current.append(line.split(";")[0].split() + [line.partition(";")[2]])
    return text, found


def check(base, side, failures):
    name, say = os.path.basename(base), lambda m: failures.append(f"{os.path.basename(base)}: {m}")
    head, records = read_data(base + ".TXT")
    report = read_lines(base + "_OUT.TXT")
    report_nodes = [line.split() for line in report[3:report.index("")]]
    report_pipes = {(r[1], r[2]): r for r in (line.split() for line in report if re.match(r"^ *\d+ +\d", line))
                    if len(r) == 13}
    nodes = read_csv(base + "-csv/节点.csv", NODE_HEAD, failures)
    pipes = read_csv(base + "-csv/管段.csv", PIPE_HEAD, failures)
    text, inp = sections(base + ".inp")
    t1, t2 = sorted(float(v) for v in head[:2])[::-1]
    rho = density((t1 + t2) / 2)
    if list(inp) != SECTIONS or inp["[TITLE]"] != [[name, ""]] or [o[:2] for o in inp["[OPTIONS]"]] != \
            [o.split() for o in OPTIONS] or inp["[TIMES]"] != [["DURATION", "0", ""]]:
        say(f"INP sections {list(inp)} or their fixed lines")
    first = text.split("\n")[:2]
    if first[0] != f";heatnet 0.1.0 由 {base}.TXT 导出(供水侧)" or not first[1].startswith(";heatnet 基本数据 t1="):
        say(f"INP header {first}")
    # Nodes: the report's numbers in its order, pressures, loads and flows in SI units.
    if [n["ID"] for n in nodes] != [r[0].rstrip(".") for r in report_nodes]:
        say(f"node IDs {[n['ID'] for n in nodes]} are not the report's")
    for n, r in zip(nodes, report_nodes):
        values = [float(n[k]) for k in NODE_HEAD.split(",")[1:]]
        printed = [float(r[1]) * 1e6, float(r[2]) / 3.6] + [float(v) * 1000 for v in r[3:6]]
        units = [0.01e6, 0.1 / 3.6, 10, 10, 10]
        if not all(near(v, p, u) for v, p, u in zip(values[:2] + values[3:], printed, units)) or \
                abs(values[2] * rho / 3600 / values[1] - 1) > 5e-3:
            say(f"node {n['ID']}: {values} against the report {r}")
    junctions = inp["[JUNCTIONS]"]
    if [[j[0], j[1], j[2]] for j in junctions] != [[n["ID"], "0", n["水量(m3/h)"]] for n in nodes[1:]]:
        say(f"junctions {junctions} are not the CSV's IDs and m3/h")
    reservoir = inp["[RESERVOIRS]"]
    if reservoir[0][0] != "0" or len(reservoir) != 1 or \
            abs(float(reservoir[0][1]) * rho * 9.80665 / float(nodes[0]["供水压力(Pa)"]) - 1) > 5e-3:
        say(f"reservoir {reservoir}")
    # Pipes: record order and ends as written, lengths and signs against the report.
    supply = {n["ID"]: float(n["供水压力(Pa)"]) for n in nodes}
    alpha = float(head[4] or 0)
    for k, ((start, end, length, le), pipe, line) in enumerate(zip(records, pipes, inp["[PIPES]"])):
        fmt = lambda v: f"{float(v):g}".lstrip("0") if float(v) < 1 and float(v) > 0 else f"{float(v):g}"
        ident = f"{fmt(start)}-{fmt(end)}"
        lj = float(length or 0) + float(le) if float(le or 0) else float(length or 0) * (1 + alpha)
        row = report_pipes.get((fmt(start), fmt(end))) or report_pipes.get((fmt(end), fmt(start)))
        sign = 1 if row and row[1] == fmt(start) else -1
        flow, drop = float(pipe["流量(kg/s)"]), float(pipe["管段压降(Pa)"])
        if line[:8] != [ident, fmt(start), fmt(end), pipe["计算长度(m)"], pipe["管径(mm)"], "0.4979339387", "0", "Open"] \
                or line[8] != f"L={length and fmt(length)} Le={le and fmt(le)}" or pipe["ID"] != ident:
            say(f"pipe {k + 1}: {line} / {pipe['ID']} against record {ident}")
        if not row or abs(float(pipe["计算长度(m)"]) - lj) > 1e-9 * lj or float(row[3]) != float(pipe["管径(mm)"]) \
                or not near(sign * flow * 3.6, float(row[6]), 0.1) or not near(sign * drop / 1000, float(row[9]), 0.01) \
                or abs(drop - (supply.get(fmt(start), 0) - supply.get(fmt(end), 0))) > 1e-6 * max(1, abs(drop)) \
                or abs(float(pipe["流量(m3/h)"]) * rho / 3600 / flow - 1) > 5e-3:
            say(f"pipe {ident}: {pipe} against the report {row} and Lj {lj}")
    if len(pipes) != len(records) or len(inp["[PIPES]"]) != len(records):
        say("not one pipe per record")
    # Coordinates: the side file's where it gives them, northward.
    points = {c[0]: (float(c[1]), float(c[2])) for c in inp["[COORDINATES]"]}
    placed = side_points(base)
    if set(points) != set(supply) or any(points.get(node) != at for node, at in placed.items()):
        say(f"INP coordinates {points} against the side file {placed}")
    geojson = base + ".geojson"
    if side != "all":
        missing = "、".join(n for n in supply if n not in placed)
        expected = f"坐标文件 {base}.xy.csv " + (f"中没有节点 {missing} 的坐标" if placed else "不存在")
        if os.path.exists(geojson) or expected not in open(base + ".stderr", encoding="utf-8").read():
            say(f"GeoJSON not refused with {expected}")
        return
    if not os.path.exists(geojson):
        return say("no GeoJSON written")
    features = json.load(open(geojson, encoding="utf-8"))["features"]
    expected = [("Point", [list(placed[n["ID"]])], n) for n in nodes] + \
               [("LineString", [list(placed[p["起点"]]), list(placed[p["终点"]])], p) for p in pipes]
    for feature, (kind, at, row) in zip(features, expected):
        shape = feature["geometry"]
        values = {k: v if k in ("ID", "起点", "终点") else float(v) for k, v in row.items()}
        if shape["type"] != kind or (shape["coordinates"] if kind != "Point" else [shape["coordinates"]]) != at \
                or feature["properties"] != values:
            say(f"GeoJSON {feature} against {kind} {at} {values}")
    if len(features) != len(expected):
        say(f"{len(features)} GeoJSON features for {len(expected)} nodes and segments")


def side_points(base):
    path = base + ".xy.csv"
    if not os.path.exists(path):
        return {}
    return {f"{float(r['节点']):g}": (float(r["x"]), float(r["y"])) for r in csv.DictReader(open(path, encoding="utf-8"))}


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--calc", required=True), parser.add_argument("--networks", required=True)
    parser.add_argument("--examples", required=True)
    arguments = parser.parse_args()
    failures = []
    with tempfile.TemporaryDirectory(prefix="heatnet-exchange-") as folder:
        for name, side in CASES:
            source = os.path.join(arguments.examples if name == "small_tree" else arguments.networks, name + ".TXT")
            base = os.path.join(folder, name)
            shutil.copy(source, base + ".TXT")
            run = subprocess.run([arguments.calc, "--export-inp", base + ".inp", "--csv", base + "-csv", "--geojson",
                                  base + ".geojson", base + ".TXT"], capture_output=True)
            if side:  # survey-like coordinates; a second run takes them
                numbers = sorted({float(node) for record in read_data(base + ".TXT")[1] for node in record[:2]})
                with open(base + ".xy.csv", "w", encoding="utf-8") as out:
                    out.write("节点,x,y\n" + "".join(f"{n:g},{500000.125 + 37.5 * k},{3.1e6 - 12.25 * k * k}\n"
                                                   for k, n in enumerate(numbers) if side == "all" or k % 2))
                run = subprocess.run(run.args, capture_output=True)
            open(base + ".stderr", "wb").write(run.stderr)
            if run.returncode != (0 if side == "all" else 1):
                failures.append(f"{name}: exit status {run.returncode}: {run.stderr.decode('utf-8', 'replace')}")
            try:
                check(base, side, failures)
            except (KeyError, ValueError, IndexError) as error:  # an ID or a field that is not there
                failures.append(f"{name}: {error!r}")
    finish(failures, [name for name, _ in CASES])


if __name__ == "__main__":
    main()
