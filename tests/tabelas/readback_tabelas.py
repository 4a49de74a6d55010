"""Checks the tables' workbooks as LibreOffice read them back (flat
OpenDocument and CSV as shown), case by case in the writer's order:
heading blocks over every ten temperatures, the temperature row painted out
to its block's tenth column, striped records running on into Tabela 2, an
empty Tabela 2 with its frame, values through their number formats."""
import csv
import glob
import os
import sys
import xml.etree.ElementTree as ET

NS = {
    "table": "urn:oasis:names:tc:opendocument:xmlns:table:1.0",
    "style": "urn:oasis:names:tc:opendocument:xmlns:style:1.0",
    "fo": "urn:oasis:names:tc:opendocument:xmlns:xsl-fo-compatible:1.0",
    "office": "urn:oasis:names:tc:opendocument:xmlns:office:1.0",
}


def q(prefix, name):
    return "{%s}%s" % (NS[prefix], name)


class Sheet:
    """Cells by (row, column) from 1: style name and column span."""

    def __init__(self, table, backgrounds):
        self.cells = {}
        defaults = []
        for col in table.iter(q("table", "table-column")):
            n = int(col.get(q("table", "number-columns-repeated"), "1"))
            defaults += [col.get(q("table", "default-cell-style-name"))] * min(n, 200)
        row_number = 0
        for row in table.iter(q("table", "table-row")):
            repeat = min(int(row.get(q("table", "number-rows-repeated"), "1")), 50)
            for _ in range(repeat):
                row_number += 1
                column = 0
                for cell in row:
                    if cell.tag not in (q("table", "table-cell"), q("table", "covered-table-cell")):
                        continue
                    n = min(int(cell.get(q("table", "number-columns-repeated"), "1")), 200)
                    for _ in range(n):
                        column += 1
                        style = cell.get(q("table", "style-name"))
                        if style is None and column <= len(defaults):
                            style = defaults[column - 1]
                        span = int(cell.get(q("table", "number-columns-spanned"), "1"))
                        self.cells[(row_number, column)] = (backgrounds.get(style), span)

    def background(self, row, column):
        return self.cells.get((row, column), (None, 1))[0]

    def span(self, row, column):
        return self.cells.get((row, column), (None, 1))[1]


def read_fods(path):
    root = ET.parse(path).getroot()
    backgrounds = {}
    for st in root.iter(q("style", "style")):
        props = st.find(q("style", "table-cell-properties"))
        if props is not None:
            backgrounds[st.get(q("style", "name"))] = props.get(q("fo", "background-color"))
    sheets = {}
    for table in root.iter(q("table", "table")):
        sheets[table.get(q("table", "name"))] = Sheet(table, backgrounds)
    return sheets


def read_csv(folder, book, sheet):
    matches = glob.glob(os.path.join(folder, "%s-%s.csv" % (book, sheet)))
    if not matches:
        return None
    with open(matches[0], newline="", encoding="utf-8") as f:
        return list(csv.reader(f))


failures = 0
checks = 0


def check(what, ok):
    global failures, checks
    checks += 1
    print(("ok " if ok else "FAIL ") + what)
    if not ok:
        failures += 1


def letter(column):
    s = ""
    while column > 0:
        column, r = divmod(column - 1, 26)
        s = chr(65 + r) + s
    return s


YELLOW = "#ffff00"
# (temperatures, heading blocks, last column of row 5 painted)
CASES = [(1, [2], 11), (10, [2], 21), (11, [2, 12], 21), (20, [2, 12], 31)]


def main(fods_dir, csv_dir):
    books = sorted(glob.glob(os.path.join(fods_dir, "*.fods")),
                   key=lambda p: int(os.path.basename(p).split()[-1].split(".")[0]))
    check("five workbooks read", len(books) == 5)
    if len(books) != 5:
        return
    for (temps, blocks, painted), path in zip(CASES, books):
        name = os.path.splitext(os.path.basename(path))[0]
        sheets = read_fods(path)
        t1 = sheets.get("Tabela 1")
        t2 = sheets.get("Tabela 2")
        check("%s: two sheets named Tabela 1 and Tabela 2" % name, t1 is not None and t2 is not None and len(sheets) == 2)
        if t1 is None or t2 is None:
            continue
        label = "%d temperature(s)" % temps
        spanned = [c for c in range(1, 60) if t1.span(1, c) == 10]
        check("%s: heading blocks at %s" % (label, ", ".join(letter(c) for c in blocks)), spanned == blocks)
        check("%s: row 5 painted up to %s" % (label, letter(painted)),
              all(t1.background(5, c) == YELLOW for c in range(2, painted + 1))
              and t1.background(5, painted + 1) != YELLOW)
        check("%s: A1:A3 merged and grey, A4:A5 yellow" % label,
              t1.background(1, 1) not in (None, YELLOW) and t1.background(4, 1) == YELLOW)
        stripe_a, stripe_b = t1.background(6, 1), t1.background(8, 1)
        check("%s: records striped in two colours" % label,
              stripe_a and stripe_b and stripe_a != stripe_b and t1.background(10, 1) == stripe_a
              and t1.background(7, 2) == stripe_a)
        check("%s: three records, so Tabela 2 starts on the other stripe" % label,
              t2.background(6, 1) == stripe_b and t2.background(7, 1) == stripe_a)
        rows = read_csv(csv_dir, name, "Tabela 1")
        check("%s: CSV of Tabela 1" % label, rows is not None)
        if rows:
            shown = [c.strip() for c in rows[4][1:1 + temps]]
            check("%s: temperatures as shown, one decimal" % label,
                  shown[0] == "20.0" and shown[-1] == "%.1f" % (20 + 0.5 * (temps - 1)) if temps > 1 else shown == ["20.0"])
            check("%s: the density read with two decimals" % label, rows[5][0].strip() == "850.00")
            check("%s: density at 20 degrees C and content, one decimal" % label,
                  rows[5][1].strip() == "850.0" and rows[6][1].strip().count(".") == 1
                  and len(rows[6][1].strip().split(".")[1]) == 1)
        rows2 = read_csv(csv_dir, name, "Tabela 2")
        if rows2:
            check("%s: Tabela 2's factors with four decimals" % label,
                  rows2[5][0].strip() == "849.5" and rows2[5][1].strip() == "1.0000")
    # Case 5: a Tabela 2 without records.
    path = books[4]
    t2 = read_fods(path).get("Tabela 2")
    check("empty Tabela 2: its frame", t2 is not None and t2.background(4, 1) == YELLOW)
    if t2 is not None:
        check("empty Tabela 2: one heading block over B..K",
              [c for c in range(1, 40) if t2.span(1, c) == 10] == [2])
        check("empty Tabela 2: ten temperature cells painted, B..K",
              all(t2.background(5, c) == YELLOW for c in range(2, 12)) and t2.background(5, 12) != YELLOW)
        check("empty Tabela 2: no record", t2.background(6, 1) in (None, "transparent"))
    rows = read_csv(csv_dir, os.path.splitext(os.path.basename(path))[0], "Tabela 2")
    check("empty Tabela 2: no value in row 5 nor below",
          rows is not None and all(not c.strip() for r in rows[4:] for c in r))


main(sys.argv[1], sys.argv[2])
print("%d passed, %d failed" % (checks - failures, failures))
sys.exit(1 if failures else 0)
