#!/usr/bin/python3
"""Checks a workbook with xlrd against the cells its writer meant to store.

Usage: check_xls.py WORKBOOK EXPECTED
EXPECTED holds one cell per line: row, column (0-based), kind and value,
separated by tabs. Kinds: text (newlines written as \\n), number, date
(year-month-day hour:minute:second), empty. Exit status 0 when every cell
matches, 1 with one line per difference otherwise, 2 when xlrd is missing.
"""
import sys

try:
    import xlrd
except ImportError:
    sys.stderr.write("check_xls.py: python3-xlrd is not installed\n")
    sys.exit(2)


def describe(book, cell):
    if cell.ctype == xlrd.XL_CELL_TEXT:
        return "text", cell.value
    if cell.ctype == xlrd.XL_CELL_NUMBER:
        return "number", repr(float(cell.value))
    if cell.ctype == xlrd.XL_CELL_DATE:
        y, mo, d, h, mi, s = xlrd.xldate_as_tuple(cell.value, book.datemode)
        return "date", "%d-%d-%d %d:%d:%d" % (y, mo, d, h, mi, s)
    if cell.ctype in (xlrd.XL_CELL_EMPTY, xlrd.XL_CELL_BLANK):
        return "empty", ""
    return "other", str(cell.value)


def main(workbook, expected_path):
    book = xlrd.open_workbook(workbook, formatting_info=True)
    sheet = book.sheet_by_index(0)
    failures = []
    with open(expected_path, encoding="utf-8") as expected:
        for line in expected:
            row, column, kind, value = line.rstrip("\n").split("\t", 3)
            row, column = int(row), int(column)
            if kind == "text":
                value = value.replace("\\n", "\n")
            if kind == "number":
                value = repr(float(value))
            if row < sheet.nrows and column < sheet.ncols:
                actual = describe(book, sheet.cell(row, column))
            else:
                actual = ("empty", "")
            if actual != (kind, value):
                failures.append("row %d column %d: expected %s %r, found %s %r"
                                % (row, column, kind, value[:40], actual[0], actual[1][:40]))
    for failure in failures:
        print(failure)
    return 1 if failures else 0


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.stderr.write(__doc__)
        sys.exit(2)
    sys.exit(main(sys.argv[1], sys.argv[2]))
