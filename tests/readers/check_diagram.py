"""Reads every diagram heatnet draws with ezdxf and checks that it makes sense against
the report and the sized data file: the four layers, each pressure line spanning a
segment's length, supply above return, every line drawn between the two nodes of a segment
at their distances and pressures, and every pressure value a node's pressure."""

import os
import sys

import ezdxf

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import heatnet_outputs as outputs  # noqa: E402

LAYERS = {"RJ-DGX", "RJ-PH", "RJ-TXT", "RJ-SB"}
TOLERANCE = 0.0051  # the report shows pressures to 0.01 kPa


def check(name, base, failures):
    document = ezdxf.readfile(base + ".dxf")
    expect = lambda condition, message: condition or failures.append(f"{name}: {message}")  # noqa: E731
    expect(not document.audit().has_errors, "audit errors")
    expect(document.dxfversion == "AC1009", f"version {document.dxfversion}")
    colours = {layer.dxf.name: layer.dxf.color for layer in document.layers}
    expect(LAYERS <= set(colours) and len({colours[layer] for layer in LAYERS}) == 4, f"layers {colours}")
    entities = list(document.modelspace())
    expect(all(e.dxftype() in ("LINE", "TEXT") and e.dxf.layer in LAYERS for e in entities), "foreign entities")
    lines = [(e.dxf.start, e.dxf.end) for e in entities if e.dxftype() == "LINE" and e.dxf.layer in ("RJ-DGX", "RJ-PH")]
    if not lines:  # a network that cannot be laid out leaves the section empty
        return expect(not entities, "axes without pressure lines")
    pressures, _ = outputs.read_report(base + "_OUT.TXT")
    near_any = lambda value, values: any(abs(value - other) <= TOLERANCE for other in values)  # noqa: E731
    supplies, returns = [p[0] for p in pressures.values()], [p[1] for p in pressures.values()]
    # The return pressures are drawn first, then the supply pressures along the same distances.
    back, supply = lines[:len(lines) // 2], lines[len(lines) // 2:]
    segments = outputs.sized_segments(base + "#.TXT")
    spans = {round(abs(b.x - a.x), 6) for a, b in back if b.x != a.x}
    expect(len(back) == len(segments) + 1 and spans <= {s[1] for s in segments}, f"line spans {spans}")
    for (a, b), (c, d) in zip(back, supply):
        expect((a.x, b.x) == (c.x, d.x) and c.y > a.y and d.y > b.y, f"supply {c, d} not above return {a, b}")
    # Point by point: every line joins two nodes of a segment at their distances and pressures.
    # (With a ring the layout moves the source to twice its segment's length, as drawn of old.)
    layout, edges = outputs.node_layout(base)
    for column, drawn in ((2, back), (1, supply)) if len(edges) < len(layout) else ():
        for a, b in drawn:
            faults = outputs.line_faults(layout, edges, [(a.x, a.y), (b.x, b.y)], column, 1e-6, TOLERANCE)
            expect(not faults, "; ".join(faults))
    for text in (e for e in entities if e.dxftype() == "TEXT" and e.dxf.layer == "RJ-TXT"):
        if text.dxf.text.strip().replace(".", "").isdigit() and text.dxf.text.strip() != "0":
            y = text.dxf.insert.y
            expect(text.dxf.text == outputs.picture(y, "###0.0") and near_any(y, supplies + returns),
                   f"value {text.dxf.text!r} at {y}")
    # Every network here numbers its branches from 100.
    expect(any(max(s[2:]) >= 100 for s in segments) == any(e.dxf.layer == "RJ-PH" for e in entities), "RJ-PH")


if __name__ == "__main__":
    failures, checked = [], []
    for name, base in outputs.calculated_networks(workbook=False):
        check(name, base, failures)
        checked.append(name)
    outputs.finish(failures, checked)
