"""Saves the page reports of a real SMBIOS dump with smbios_dump and reads them back with Python's
csv module: every line after the caption has a caption and a value, and the board report's maker,
product and serial number are what dmidecode printed for the dump's base board."""
import csv
import pathlib
import subprocess
import sys
import tempfile

tool, dump = sys.argv[1], pathlib.Path(sys.argv[2])


def dmidecode_base_board(text):
    fields, inside = {}, False
    for line in text.splitlines():
        if line.startswith("Base Board Information"):
            inside = True
        elif inside and line.startswith("\t") and not line.startswith("\t\t") and ": " in line:
            key, value = line.strip().split(": ", 1)
            fields.setdefault(key, value)
        elif inside and not line.strip():
            break
    return fields


with tempfile.TemporaryDirectory() as folder:
    subprocess.run([tool, "--pages-only", "--save", folder, str(dump)], check=True, stdout=subprocess.DEVNULL)
    reports = {}
    for name in ("overview.csv", "processor.csv", "board.csv", "memory.csv"):
        raw = (pathlib.Path(folder) / name).read_bytes()
        assert raw.startswith(b"\xef\xbb\xbf"), name + ": no byte-order mark"
        with open(pathlib.Path(folder) / name, encoding="utf-8-sig", newline="") as file:
            rows = list(csv.reader(file))
        assert len(rows[0]) <= 1, f"{name}: caption line {rows[0]}"  # empty for an unnamed processor
        for row in rows[1:]:
            assert len(row) == 2, f"{name}: {row}"
        reports[name] = rows

board = {row[0]: row[1] for row in reports["board.csv"][1:]}
expected = dmidecode_base_board(pathlib.Path(str(dump) + ".txt").read_text())
for caption, key in (("Manufacter", "Manufacturer"), ("Product", "Product Name"), ("Serial Number", "Serial Number")):
    theirs = expected.get(key, "")
    assert board[caption] == theirs or (theirs == "Not Specified" and board[caption] == ""), (caption, board[caption], theirs)
overview = {row[0]: row[1] for row in reports["overview.csv"][1:]}
assert overview["Mainboard"].startswith(expected.get("Manufacturer", "")), overview
print("read", sum(len(rows) for rows in reports.values()), "lines;", "board:", board["Manufacter"])
