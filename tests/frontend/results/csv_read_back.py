#!/usr/bin/env python3
"""Reads a reliability-table CSV with Python's csv module, in the convention given ("comma"
or "semicolon"), and compares it number for number with the tablafia.txt it came from.
Exits 0 when every row agrees; prints the first difference otherwise."""
import csv
import sys


def table_rows(path):
    with open(path, encoding="cp1252", newline="") as f:
        lines = f.read().split("\r\n")
    rows = []
    for line in lines[5:]:
        fields = line.split()
        if len(fields) == 5:
            rows.append([float(v) for v in fields])
    return rows


def main():
    csv_path, convention, table_path = sys.argv[1:4]
    with open(csv_path, "rb") as f:
        raw = f.read()
    if not raw.startswith(b"\xef\xbb\xbf"):
        sys.exit("no byte order mark")
    body = raw[3:].decode("utf-8")
    if "\n" in body.replace("\r\n", ""):
        sys.exit("a line not ended by CR LF")
    delimiter = ";" if convention == "semicolon" else ","
    read = list(csv.reader(body.splitlines(), delimiter=delimiter))
    header = ["Límite inferior", "Límite superior", "Fallos", "Fiabilidad", "Tasa de fallo"]
    if read[0] != header:
        sys.exit("header %r" % read[0])
    expected = table_rows(table_path)
    data = read[1:]
    if len(data) != len(expected) or not expected:
        sys.exit("%d rows for %d in the table" % (len(data), len(expected)))
    for n, (got, want) in enumerate(zip(data, expected)):
        if convention == "semicolon":
            if any("." in v for v in got):
                sys.exit("row %d: a decimal point in %r" % (n + 1, got))
            got = [v.replace(",", ".") for v in got]
        values = [float(v) for v in got]
        if values != want:
            sys.exit("row %d: %r for %r" % (n + 1, values, want))
        if any(v.startswith("-0") and float(v) == 0 for v in got):
            sys.exit("row %d: a negative zero in %r" % (n + 1, got))
    print("%d rows agree" % len(data))


main()
