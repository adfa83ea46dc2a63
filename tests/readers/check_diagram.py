"""Reads every diagram heatnet draws with ezdxf and checks its entities.

The expected drawing is laid out again from the sized data file (the ordered segment
list) and the report (node pressures, rounded there to 0.01 kPa).
"""

import os
import sys

import ezdxf

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import heatnet_outputs as outputs  # noqa: E402

SCALE = 10
LAYERS = {"RJ-DGX", "RJ-PH", "RJ-TXT", "RJ-SB"}
PRESSURE_TOLERANCE = 0.0051  # the report shows pressures to 0.01 kPa


def expected_entities(network, pressures):
    """LINE: (kind, layer, x1, y1, x2, y2); TEXT: (kind, layer, x, y, text, halign, ax, ay).

    A text given as None is a pressure value, checked against its own position."""
    index = network.indices()
    node_of = {i: node for node, i in index.items()}
    node_of[0] = 0.0
    ends = [(index[s.node_i], index[s.node_j]) for s in network.segments]
    assert all(a > b for a, b in ends), "the sized file lists a segment with its I end below J"
    source = network.source

    found, distance, xmax = [], {i: 0.0 for i in range(source + 1)}, 0.0
    for r in range(len(ends) + 1):
        hits = [p for p, (a, b) in enumerate(ends[:399])
                if (r <= 1 and a == source and b == 1) or a == r]
        if not hits:
            return None  # no layout: the section stays empty
        p = hits[0]
        a, b = ends[p]
        if r <= 1 and a == source and b == 1:
            distance[source] = distance[0] = 0.0
            if r == 1:
                distance[1] = network.segments[p].length
        distance[a] = network.segments[p].length + distance[b]
        xmax = max(xmax, distance[a])
        found.append(p)

    start = network.branch_start
    def main_line(p):
        segment = network.segments[p]
        return start == 0 or (segment.node_i < start and segment.node_j < start)

    def supply(i):
        return pressures[node_of[i]][0]

    def back(i):
        return pressures[node_of[i]][1]

    entities = []
    for r, p in enumerate(found):
        b = ends[p][1]
        layer = "RJ-DGX" if main_line(p) else "RJ-PH"
        entities.append(("LINE", layer, distance[r], back(r), distance[b], back(b)))
        if main_line(p):
            entities.append(("TEXT", "RJ-TXT", distance[r], back(r), None, 0, 0, 0))
            entities.append(("TEXT", "RJ-TXT", distance[r], supply(r), None, 0, 0, 0))
    for r, p in enumerate(found):
        b = ends[p][1]
        layer = "RJ-DGX" if main_line(p) else "RJ-PH"
        entities.append(("LINE", layer, distance[r], supply(r), distance[b], supply(b)))
        if main_line(p):
            entities.append(("LINE", "RJ-TXT", distance[b], 0, distance[b], 2 * SCALE))
    end = xmax + 10 * SCALE
    entities.append(("TEXT", "RJ-TXT", end, -4 * SCALE, "  (m) L", 4, end, -4 * SCALE))
    step = 1000 if xmax > 5000 else 500
    tick = step
    while tick < xmax:
        entities.append(("LINE", "RJ-SB", tick, 0, tick, 2 * SCALE))
        entities.append(("TEXT", "RJ-SB", tick, -4 * SCALE, f" {tick:g} ", 4, tick, -4 * SCALE))
        tick += step
    top = supply(0) + 10 * SCALE
    for text, y, aligned_y in (("  0", back(0), 0), (None, back(0), back(0)),
                               (None, supply(0), supply(0)), ("  (kPa)", top, top),
                               ("  P", top, supply(0) + 14 * SCALE)):
        entities.append(("TEXT", "RJ-TXT", -16 * SCALE, y, text, 2, -SCALE, aligned_y))
    entities.append(("LINE", "RJ-SB", 0, 0, 0, top))
    entities.append(("LINE", "RJ-SB", 0, 0, end, 0))
    return entities


def actual_entities(document):
    entities = []
    for entity in document.modelspace():
        if entity.dxftype() == "LINE":
            entities.append(("LINE", entity.dxf.layer, entity.dxf.start.x, entity.dxf.start.y,
                             entity.dxf.end.x, entity.dxf.end.y, entity.dxf.start.z,
                             entity.dxf.end.z))
        elif entity.dxftype() == "TEXT":
            assert entity.dxf.height == 3 * SCALE, entity.dxf.height
            align = entity.dxf.get("align_point", (0, 0, 0))
            entities.append(("TEXT", entity.dxf.layer, entity.dxf.insert.x, entity.dxf.insert.y,
                             entity.dxf.text, entity.dxf.get("halign", 0), align[0], align[1]))
        else:
            entities.append((entity.dxftype(),))
    return entities


def close(actual, expected, pressure):
    return abs(actual - expected) <= (PRESSURE_TOLERANCE if pressure else 1e-9)


def compare(name, actual, expected, failures):
    failures.expect(len(actual) == len(expected),
                    f"{name}: {len(actual)} entities, expected {len(expected)}")
    for k, (got, want) in enumerate(zip(actual, expected)):
        where = f"{name} entity {k + 1} {want[:2]}"
        if got[:2] != want[:2]:
            failures.expect(False, f"{where}: is {got[:2]}")
            continue
        if want[0] == "LINE":
            # x are distances (exact), y pressures from the report (rounded) or fixed values.
            for axis, (g, w) in enumerate(zip(got[2:6], want[2:6])):
                failures.expect(close(g, w, axis % 2 == 1), f"{where}: coordinate {g} != {w}")
            failures.expect(got[6] == 0 and got[7] == 0, f"{where}: not in the plane")
        else:
            failures.expect(close(got[2], want[2], False), f"{where}: x {got[2]} != {want[2]}")
            failures.expect(close(got[3], want[3], True), f"{where}: y {got[3]} != {want[3]}")
            text = want[4] if want[4] is not None else outputs.picture(got[3], "###0.0")
            failures.expect(got[4] == text, f"{where}: text {got[4]!r} != {text!r}")
            failures.expect(got[5] == want[5], f"{where}: alignment {got[5]} != {want[5]}")
            if want[5]:
                failures.expect(close(got[6], want[6], False) and close(got[7], want[7], True),
                                f"{where}: alignment point {got[6:]} != {want[6:]}")


def check_network(folder, name, failures):
    base = os.path.join(folder, name)
    document = ezdxf.readfile(base + ".dxf")
    auditor = document.audit()
    failures.expect(not auditor.has_errors, f"{name}: audit errors {auditor.errors}")
    failures.expect(document.dxfversion == "AC1009", f"{name}: version {document.dxfversion}")
    layers = {layer.dxf.name: layer.dxf.color for layer in document.layers}
    failures.expect(LAYERS <= set(layers), f"{name}: layers {sorted(layers)}")
    failures.expect(len({layers.get(layer) for layer in LAYERS}) == 4,
                    f"{name}: the four layers share colours")

    network = outputs.read_sized_file(base + "#.TXT")
    pressures, _ = outputs.read_report(base + "_OUT.TXT")
    expected = expected_entities(network, pressures)
    actual = actual_entities(document)
    compare(name, actual, expected or [], failures)
    return actual


def check_edge_cases(drawings, failures):
    single = drawings["single_300"]
    ticks = [e for e in single if e[:2] == ("LINE", "RJ-SB") and e[3] == 0 and e[5] == 2 * SCALE]
    failures.expect([e[2] for e in ticks] == [500], f"single_300: ticks {ticks}")
    axis = [e for e in single if e[:2] == ("LINE", "RJ-SB") and e[3] == 0 and e[5] == 0]
    failures.expect([e[4] for e in axis] == [700], f"single_300: distance axis {axis}")
    failures.expect(("TEXT", "RJ-SB", 500, -40, " 500 ", 4, 500, -40) in single,
                    "single_300: tick text at 500")
    long_ticks = [e[4] for e in drawings["long_line"] if e[:2] == ("TEXT", "RJ-SB")]
    failures.expect(long_ticks == [" 1000 ", " 2000 ", " 3000 ", " 4000 ", " 5000 "],
                    f"long_line: ticks {long_ticks}")
    for name in ("fork", "chain_420"):
        failures.expect(drawings[name] == [], f"{name}: the diagram is not empty")
    tree = drawings["small_tree"]
    failures.expect(any(e[:2] == ("LINE", "RJ-PH") for e in tree), "small_tree: no branch line")


def main():
    arguments = outputs.parse_arguments(__doc__)
    outputs.check_picture()
    failures = outputs.Failures()
    with outputs.temporary_folder() as folder:
        names = outputs.prepare_networks(arguments.examples, folder)
        drawings = {}
        for name in names:
            outputs.calculate(arguments.calc, folder, name, workbook=False)
            drawings[name] = check_network(folder, name, failures)
        # The whole network on the main line: start node 0 puts every segment on
        # RJ-DGX with the two values at every node.
        path = os.path.join(folder, "small_tree_main.TXT")
        with open(os.path.join(folder, "small_tree.TXT"), "rb") as source:
            lines = source.read().split(b"\r\n")
        lines[2] = b" 0 "  # the start node for the 300 Pa/m rule
        with open(path, "wb") as out:
            out.write(b"\r\n".join(lines))
        outputs.calculate(arguments.calc, folder, "small_tree_main", workbook=False)
        main_line = check_network(folder, "small_tree_main", failures)
        failures.expect(not any(e[1] == "RJ-PH" for e in main_line), "small_tree_main: RJ-PH used")
        check_edge_cases(drawings, failures)
        failures.finish(names + ["small_tree_main"])


if __name__ == "__main__":
    main()
