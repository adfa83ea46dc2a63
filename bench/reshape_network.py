#!/usr/bin/env python3
"""Reshapes a generated basic data file into the kinds engineers' files come in,
which the generator's own kind numbering does not give:

  --breadth-first   nodes renumbered level by level from node 0 across all
                    branches, records sorted by their far end's new number (the
                    order a register drawn up level by level has)
  --scatter15       node numbers replaced by random 15-digit numbers (node 0
                    kept), records shuffled
  --spread-rings K  K more segments, each joining two nodes far apart in the
                    tree (rings across the whole network, not near the source)
  --star            every segment hung from node 0 (its far end kept), every
                    node given a load (a node without one would carry no flow)

The branch zone keeps its meaning: branch nodes stay at or above the new
branch start node, main-line nodes below it. Reads and writes GBK with CR LF
(the files hold only ASCII)."""
import argparse
import collections
import random


def read(path):
    lines = open(path, encoding="ascii", newline="").read().split("\r\n")
    fields = [[f.strip() for f in line.split(",")] for line in lines if line.strip()]
    head, counts, zone = fields[0], fields[1], fields[2]
    pipes = int(counts[1])
    return head, int(counts[0]), zone[0], fields[3:3 + pipes], fields[3 + pipes:]


def write(path, head, zone, segments, loads):
    nodes = {s[3] for s in segments} | {s[4] for s in segments}
    rows = [head, [str(len(nodes)), str(len(segments))], [zone]] + segments + loads
    with open(path, "w", encoding="ascii", newline="") as out:
        out.write("".join(" " + " , ".join(row) + " \r\n" for row in rows))


def renumber(segments, loads, zone, number_of):
    new_zone = str(min(number_of[n] for n in number_of if float(n) >= float(zone))) if zone and any(
        float(n) >= float(zone) for n in number_of if n != "0") else zone
    segments = [s[:3] + [number_of[s[3]], number_of[s[4]]] for s in segments]
    loads = [[number_of[l[0]], l[1]] for l in loads]
    return segments, loads, new_zone


def neighbours(segments):
    near = collections.defaultdict(list)
    for s in segments:
        near[s[3]].append(s[4])
        near[s[4]].append(s[3])
    return near


def breadth_first(segments, loads, zone):
    near = neighbours(segments)
    order, seen, queue = [], {"0"}, collections.deque(["0"])
    while queue:
        node = queue.popleft()
        order.append(node)
        for other in near[node]:
            if other not in seen:
                seen.add(other)
                queue.append(other)
    branch = float(zone) if zone else 0
    main = [n for n in order[1:] if not branch or float(n) < branch]
    rest = [n for n in order[1:] if branch and float(n) >= branch]
    number_of = {"0": "0"}
    number_of.update({n: str(i + 1) for i, n in enumerate(main)})
    start = max(len(main) + 1, int(branch)) if branch else 0
    number_of.update({n: str(start + i) for i, n in enumerate(rest)})
    segments, loads, zone = renumber(segments, loads, zone, number_of)
    segments.sort(key=lambda s: max(int(s[3]), int(s[4])))
    return segments, loads, zone


def scatter15(segments, loads, zone, rng):
    nodes = sorted(({s[3] for s in segments} | {s[4] for s in segments}) - {"0"}, key=float)
    branch = float(zone) if zone else 0
    main = sorted(rng.sample(range(10**14, 5 * 10**14), len(nodes)))
    rest = sorted(rng.sample(range(5 * 10**14, 10**15), len(nodes)))
    number_of = {"0": "0"}
    for i, n in enumerate(nodes):
        number_of[n] = str(rest[i] if branch and float(n) >= branch else main[i])
    segments, loads, _ = renumber(segments, loads, zone, number_of)
    rng.shuffle(segments)
    rng.shuffle(loads)
    return segments, loads, str(5 * 10**14) if branch else zone


def depths(segments):
    """Each node's number of segments from node 0."""
    near = neighbours(segments)
    depth, queue = {"0": 0}, collections.deque(["0"])
    while queue:
        node = queue.popleft()
        for other in near[node]:
            if other not in depth:
                depth[other] = depth[node] + 1
                queue.append(other)
    return depth


def spread_rings(segments, count, rng):
    depth = depths(segments)
    deep = sorted((n for n in depth if n != "0"), key=lambda n: -depth[n])[: max(4 * count, 8)]
    joined = {(s[3], s[4]) for s in segments} | {(s[4], s[3]) for s in segments}
    added = []
    while len(added) < count:
        a, b = rng.sample(deep, 2)
        if (a, b) in joined:
            continue
        joined |= {(a, b), (b, a)}
        added.append(["0", str(rng.randint(50, 300)), "0", a, b])
    return segments + added


def star(segments):
    depth = depths(segments)
    return [s[:3] + ["0", s[3] if depth[s[3]] > depth[s[4]] else s[4]] for s in segments]


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("file")
    parser.add_argument("--breadth-first", action="store_true")
    parser.add_argument("--scatter15", action="store_true")
    parser.add_argument("--spread-rings", type=int, default=0)
    parser.add_argument("--star", action="store_true")
    parser.add_argument("--seed", type=int, default=1)
    options = parser.parse_args()
    rng = random.Random(options.seed)
    head, _, zone, segments, loads = read(options.file)
    if options.star:
        segments = star(segments)
        loads = [[node, load if float(load) > 0 else ".2"] for node, load in loads]
    if options.spread_rings:
        segments = spread_rings(segments, options.spread_rings, rng)
    if options.breadth_first:
        segments, loads, zone = breadth_first(segments, loads, zone)
    if options.scatter15:
        segments, loads, zone = scatter15(segments, loads, zone, rng)
    write(options.file, head, zone, segments, loads)


if __name__ == "__main__":
    main()
