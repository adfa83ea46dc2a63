"""Reads every workbook heatnet writes with openpyxl: every cell against the report.

Sheet row 4 + k holds the segment at position k of the sized data file's ordered list,
with the report row whose sequence number its column A carries."""

import os
import re
import sys

import openpyxl

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import heatnet_outputs as outputs  # noqa: E402

HEAD = {(1, 6): "热水管网水力计算书", (2, 1): "序号"}
for column, texts in enumerate([
        ("起点", "I0", None), ("终点", "J0", None), ("管径", "D", "mm"), ("管段长度", "L", "m"),
        ("计算长度", "Lj", "m"), ("流量", "Q", "t/h"), ("流速", "W", "m/s"), ("比摩阻", "DP", "pa/m"),
        ("管段压降", "P", "kPa"), ("供水压力", "PG", "Kpa"), ("回水压力", "PH", "kPa"),
        ("供回水压差", "PG-PH", "KPa")], start=2):
    HEAD.update({(row, column): text for row, text in enumerate(texts, start=2) if text is not None})


def as_number(text):
    """The number a pictured text shows ("420." 420, "." 0), None for a text that is no number."""
    plain = isinstance(text, str) and re.fullmatch(r"-?[0-9]*\.[0-9]*", text)
    return float(text + "0") if plain else None


def shown(cell):
    """What a spreadsheet shows for the cell: a "0"/"#" picture between optional quoted texts.
    A point with no digit after it is not shown (LibreOffice), so "420." needs a quoted "."."""
    form = re.fullmatch(r'(?:"(-)")?([#0]+)(\.[#0]*)?(?:"(\.)")?', cell.number_format)
    if not form:
        return cell.number_format
    sign, whole, decimals, point = form.groups()
    text = outputs.picture(cell.value, whole + (decimals or ".")).removesuffix(".")
    return (sign or "") + text + (point or "")


if __name__ == "__main__":
    failures, checked = [], []
    for name, base in outputs.calculated_networks(workbook=True):
        checked.append(name)
        sheet = openpyxl.load_workbook(base + ".XLSX").active
        segments = outputs.sized_segments(base + "#.TXT")
        _, rows = outputs.read_report(base + "_OUT.TXT")
        actual = {(cell.row, cell.column): cell for line in sheet.iter_rows() for cell in line
                  if cell.value is not None}
        expected = dict(HEAD)
        for position, segment in enumerate(segments, start=1):
            number = actual.get((position + 4, 1))
            if not number or not 1 <= number.value <= len(rows):
                failures.append(f"{name} row {position + 4}: no sequence number of the report")
                continue
            fields = rows[int(number.value) - 1]
            if {float(fields[1]), float(fields[2])} != set(segment[2:]):
                failures.append(f"{name} row {position + 4}: report row {fields[:3]} is not segment {segment}")
            expected.update({(position + 4, column): float(field) for column, field in enumerate(fields[:5], 1)})
            expected[(position + 4, 6)] = outputs.picture(fields[5], "#####.#")
            expected.update({(position + 4, column): field for column, field in enumerate(fields[6:], 7)})
        for address in sorted(set(expected) | set(actual)):
            cell, want = actual.get(address), expected.get(address)
            got = cell.value if cell else None
            if cell and address[0] > 4 and address[1] > 5 and as_number(want) is not None:
                # The segment numbers are numbers, shown with the report's texts.
                got, want = (got, shown(cell)), (as_number(want), want)
            # Texts stay texts (the pictured values), numbers numbers.
            if got != want or (cell and cell.data_type != ("s" if isinstance(want, str) else "n")):
                failures.append(f"{name} R{address[0]}C{address[1]}: {got!r} != {want!r}")
        if sorted(int(actual[(row, 1)].value) for row in range(5, len(segments) + 5) if (row, 1) in actual) \
                != list(range(1, len(rows) + 1)) or len(rows) != len(segments):
            failures.append(f"{name}: the sequence numbers are not 1 to {len(rows)}")
    outputs.finish(failures, checked)
