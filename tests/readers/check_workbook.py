"""Reads every workbook heatnet writes with openpyxl and checks each cell's value and type.

The expected rows come from the report's segment table of the same calculation; which
sheet row holds which report row comes from the ordered segment list of the sized
data file.
"""

import os
import sys

import openpyxl

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import heatnet_outputs as outputs  # noqa: E402

HEAD = {
    (1, 6): "热水管网水力计算书",
    (2, 1): "序号",
}
for column, texts in enumerate([
        ("起点", "I0", None), ("终点", "J0", None), ("管径", "D", "mm"), ("管段长度", "L", "m"),
        ("计算长度", "Lj", "m"), ("流量", "Q", "t/h"), ("流速", "W", "m/s"),
        ("比摩阻", "DP", "pa/m"), ("管段压降", "P", "kPa"), ("供水压力", "PG", "Kpa"),
        ("回水压力", "PH", "kPa"), ("供回水压差", "PG-PH", "KPa")], start=2):
    for row, text in enumerate(texts, start=2):
        if text is not None:  # B4 and C4 receive empty texts, which leave them empty
            HEAD[(row, column)] = text


def expected_cells(network, report_rows):
    cells = dict(HEAD)
    positions, node_order = outputs.row_order(network)
    for r, (position, fields) in enumerate(zip(positions, report_rows), start=1):
        assert int(fields[0]) == r
        segment = network.segments[position - 1]
        assert {float(fields[1]), float(fields[2])} == {segment.node_i, segment.node_j}
        row = position + 4
        for column, field in enumerate(fields[:5], start=1):
            cells[(row, column)] = float(field)
        cells[(row, 6)] = outputs.picture(fields[5], "#####.#")
        for column, field in enumerate(fields[6:], start=7):
            cells[(row, column)] = field
    return cells, node_order


def actual_cells(sheet, failures, name):
    cells = {}
    for row in sheet.iter_rows():
        for cell in row:
            if cell.value is None:
                continue
            text_column = cell.column >= 6 or cell.row <= 4
            kind_ok = isinstance(cell.value, str) if text_column else (
                isinstance(cell.value, (int, float)) and not isinstance(cell.value, bool))
            failures.expect(kind_ok and cell.data_type == ("s" if text_column else "n"),
                            f"{name} {cell.coordinate}: {cell.value!r} of type {cell.data_type}")
            cells[(cell.row, cell.column)] = cell.value
    return cells


def check_network(folder, name, failures):
    base = os.path.join(folder, name)
    workbook = openpyxl.load_workbook(base + ".XLSX")
    sheet = workbook.active
    network = outputs.read_sized_file(base + "#.TXT")
    _, rows = outputs.read_report(base + "_OUT.TXT")
    expected, node_order = expected_cells(network, rows)
    actual = actual_cells(sheet, failures, name)
    for address in sorted(set(expected) | set(actual)):
        failures.expect(actual.get(address) == expected.get(address),
                        f"{name} R{address[0]}C{address[1]}: {actual.get(address)!r} "
                        f"!= {expected.get(address)!r}")
    failures.expect(sheet.max_row == len(network.segments) + 4, f"{name}: rows {sheet.max_row}")
    return actual, node_order


def main():
    arguments = outputs.parse_arguments(__doc__)
    outputs.check_picture()
    failures = outputs.Failures()
    with outputs.temporary_folder() as folder:
        names = outputs.prepare_networks(arguments.examples, folder)
        sheets = {}
        for name in names:
            outputs.calculate(arguments.calc, folder, name, workbook=True)
            sheets[name] = check_network(folder, name, failures)
        failures.expect(sheets["small_tree"][1], "small_tree: not in node order")
        for name in ("fork", "loop", "chain_420"):
            cells, node_order = sheets[name]
            failures.expect(not node_order, f"{name}: in node order")
            count = max(row for row, _ in cells) - 4
            failures.expect([cells[(k + 4, 1)] for k in range(1, count + 1)] ==
                            list(range(1, count + 1)), f"{name}: sequence numbers")
        failures.expect(sheets["flow_12"][0].get((5, 7)) == "12.0",
                        f"flow_12: G5 {sheets['flow_12'][0].get((5, 7))!r}")
        failures.finish(names)


if __name__ == "__main__":
    main()
