"""EPANET 2.2 solves every INP file heatnet-calc --export-inp writes, and its solution must be
heatnet's: per pipe the flow against 管段.csv's 流量(m3/h) and the head loss times ρg against
管段压降(Pa), per node the head times ρg against 节点.csv's 供水压力(Pa). Run on the golden
networks that complete and on a generated 1400-segment tree and 1400-segment looped network."""

import argparse
import csv
import glob
import json
import math
import os
import re
import shutil
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
G = 9.80665
SKIPPED = 77  # ctest's SKIP_RETURN_CODE for this test
RELATIVE = 0.005
# On a tree the demands fix every flow: both sides agree to the rounding.
TREE_FLOW = 1e-6
# heatnet ends its iteration once no flow changes by 1 t/h or more, so a flow of
# a ring may still be off by about that much (1 t/h is 1000/ρ m3/h), and a drop
# by the pipe's resistance times that much times the sum of both sides' flows.
SETTLE_TONNES = 1.0
# Floors for trickles (m3/h, Pa). EPANET does not solve flows of 1e-5 m3/h
# exactly (a single pipe carrying 1.5e-5 m3/h came out 8 % high); 0.1 Pa is a
# hundredth of the report's 0.01 kPa.
FLOW_FLOOR, DROP_FLOOR = 1e-5, 0.1


def density(inp_text):
    """Water density at the mean of the design temperatures the header carries, as heatnet takes it."""
    header = re.search(r"^;heatnet 基本数据 t1=(\S+) t2=(\S+) ", inp_text, re.M)
    mean = (float(header[1]) + float(header[2])) / 2
    return 1007 - 0.27 * mean - 0.0022 * mean * mean


def read_csv(path):
    with open(path, encoding="utf-8-sig", newline="") as rows:
        return {row["ID"]: row for row in csv.DictReader(rows)}


def continuity_defect(pipes, demands, flow_of):
    """How far the flows miss the demands, summed over the nodes given (m3/h)."""
    balance = {ident: -demand for ident, demand in demands.items()}
    for ident, row in pipes.items():
        for node, sign in (row["起点"], -1), (row["终点"], 1):
            if node in balance:
                balance[node] += sign * flow_of(ident)
    return sum(map(abs, balance.values()))


def compare(name, inp_text, folder, solution, worst):
    """The faults of one network; the largest relative differences go to `worst`."""
    rho = density(inp_text)
    pipes, nodes = read_csv(os.path.join(folder, "管段.csv")), read_csv(os.path.join(folder, "节点.csv"))
    links = solution["links"]
    if set(pipes) != set(links) or set(nodes) != set(solution["nodes"]):
        return [f"{name}: IDs differ: pipes {sorted(set(pipes) ^ set(links))[:5]}, "
                f"nodes {sorted(set(nodes) ^ set(solution['nodes']))[:5]}"]
    looped = len(pipes) > len(nodes) - 1
    settle = SETTLE_TONNES * 1000 / rho
    # With every flow below 1 t/h heatnet stops at its first solution, which takes
    # every resistance at 1 t/h: its drops are EPANET's times 1 t/h / |flow|.
    first = all(abs(float(row["流量(kg/s)"]) * 3.6) < SETTLE_TONNES for row in pipes.values())
    # An ill-conditioned network loses digits in both solvers: neither's flows meet
    # the demands closer than its continuity defect. EPANET's is taken against the
    # file's junctions, so that a wrong demand there stays a fault.
    junctions = re.search(r"\[JUNCTIONS\]\n(.*?)\n\[", inp_text, re.S)[1].splitlines()
    inp_demands = {f[0]: float(f[2]) for f in map(str.split, junctions) if not f[0].startswith(";")}
    csv_demands = {ident: float(row["水量(m3/h)"]) for ident, row in nodes.items()}
    defect = continuity_defect(pipes, csv_demands, lambda i: float(pipes[i]["流量(m3/h)"])) + \
        continuity_defect(pipes, inp_demands, lambda i: links[i]["flow"])
    faults = []

    def check(what, ident, epanet, heatnet, allowed):
        worst[what] = max(worst.get(what, 0), abs(epanet - heatnet) / max(abs(heatnet), 1e-300))
        if abs(epanet - heatnet) > allowed:
            faults.append(f"{name}: {what} {ident}: EPANET {epanet:.9g}, heatnet {heatnet:.9g}")

    for ident, row in pipes.items():
        flow, drop = float(row["流量(m3/h)"]), float(row["管段压降(Pa)"])
        epanet_flow = links[ident]["flow"]
        # EPANET's head loss is unsigned; a drop here has the sign of the flow.
        epanet_drop = math.copysign(links[ident]["headloss"] * rho * G, epanet_flow)
        resistance = abs(epanet_drop) / epanet_flow ** 2 if epanet_flow else 0
        if first and epanet_flow:
            epanet_drop *= settle / abs(epanet_flow)
        check("flow", ident, epanet_flow, flow,
              (RELATIVE * abs(flow) + settle if looped else TREE_FLOW * abs(flow)) + defect + FLOW_FLOOR)
        ring = resistance * (abs(flow) + abs(epanet_flow)) * settle if looped else 0
        check("drop", ident, epanet_drop, drop, RELATIVE * abs(drop) + ring + DROP_FLOOR)
    # The first solution's pressures are the sums of its drops, checked above.
    for ident, row in nodes.items() if not first else []:
        pressure = float(row["供水压力(Pa)"])
        check("pressure", ident, solution["nodes"][ident]["head"] * rho * G, pressure,
              RELATIVE * abs(pressure) + DROP_FLOOR)
    return faults


def ring_network(arguments, folder):
    """A ring network of 1400 segments: sizing all of it takes half a minute, so its
    1370 tree segments get the diameters heatnet selects for the tree alone and
    only the 30 ring-closing ones are left to size."""
    tree, rings = os.path.join(folder, "ring_base", "tree.TXT"), os.path.join(folder, "rings_1400.TXT")
    os.mkdir(os.path.dirname(tree))
    subprocess.run([arguments.generate, "--segments", "1370", tree], check=True)
    subprocess.run([arguments.generate, "--segments", "1370", "--loops", "30", rings], check=True)
    subprocess.run([arguments.calc, tree], check=True, capture_output=True, stdin=subprocess.DEVNULL)
    ends = lambda fields: frozenset(map(float, fields[3:5]))  # noqa: E731
    with open(tree[:-4] + "#.TXT", encoding="gbk") as sized:
        diameters = {ends(f): f[0] for f in (line.split(",") for line in sized.read().splitlines()[2:]) if len(f) == 5}
    with open(rings, encoding="gbk") as data:
        records = [line.split(",") for line in data.read().splitlines()]
    with open(rings, "w", encoding="gbk", newline="") as data:
        data.write("".join(",".join([diameters.get(ends(f), f[0]) if len(f) == 5 else f[0], *f[1:]]) + "\r\n"
                           for f in records))


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--calc", required=True), parser.add_argument("--generate", required=True)
    parser.add_argument("--networks", required=True)
    arguments = parser.parse_args()
    if not os.path.isdir(os.path.join(HERE, "node_modules", "epanet-js")):
        print(f"skipped: EPANET is not installed; run 'npm ci' in {HERE} (test.sh does)")
        return SKIPPED
    failures, solved = [], []
    with tempfile.TemporaryDirectory(prefix="heatnet-epanet-") as folder:
        for path in sorted(glob.glob(os.path.join(arguments.networks, "*.TXT"))):
            shutil.copy(path, folder)
        subprocess.run([arguments.generate, "--segments", "1400", os.path.join(folder, "tree_1400.TXT")], check=True)
        ring_network(arguments, folder)
        generated = ["tree_1400", "rings_1400"]
        for data in sorted(glob.glob(os.path.join(folder, "*.TXT"))):
            base = data[:-4]
            run = subprocess.run([arguments.calc, data, "--export-inp", base + ".inp", "--csv", base + "_csv"],
                                 capture_output=True, stdin=subprocess.DEVNULL)
            name = os.path.basename(base)
            exported = os.path.exists(base + ".inp") or os.path.exists(base + "_csv")
            if run.returncode == 0 and not exported or run.returncode == 1 and exported or run.returncode > 1:
                failures.append(f"{name}: status {run.returncode}, exported {exported}: "
                                f"{run.stderr.decode(errors='replace')[:200]}")
            elif run.returncode == 0:
                solved.append(base)
        if not all(os.path.join(folder, name) in solved for name in generated):
            failures.append(f"generated networks not calculated: only {[os.path.basename(b) for b in solved]}")
        epanet = subprocess.run(["node", os.path.join(HERE, "solve_inp.mjs"), *[b + ".inp" for b in solved]],
                                capture_output=True, text=True)
        if epanet.returncode != 0:
            failures.append(f"EPANET refused an export:\n{epanet.stderr}")
        for base, line in zip(solved, epanet.stdout.splitlines()):
            worst = {}
            inp_text = open(base + ".inp", encoding="utf-8").read()
            failures.extend(compare(os.path.basename(base), inp_text, base + "_csv", json.loads(line), worst))
            print(os.path.basename(base), "largest relative differences:", " ".join(f"{what} {value:.2g}" for what, value in worst.items()))
    for message in failures[:40]:
        print("FAIL:", message)
    if failures:
        raise SystemExit(f"{len(failures)} differences from EPANET")
    print(f"{len(solved)} networks agree with EPANET")
    return 0


if __name__ == "__main__":
    sys.exit(main())
