#!/usr/bin/env python3
"""Reads an .xlsx workbook with the standard library only and prints it as JSON.

The export tests use it as a reader independent of the program's own code:
  read_xlsx.py FILE [SHEET]   the sheet names, and the rows of SHEET (default 企业列表)
Each cell gives its type attribute, formula, value (shared strings resolved, _xHHHH_ decoded)
and the look of its format: fill colour, font colour, bold, border styles.
"""
import json
import posixpath
import re
import sys
import zipfile
import xml.etree.ElementTree as ET

MAIN = "{http://schemas.openxmlformats.org/spreadsheetml/2006/main}"
REL = "{http://schemas.openxmlformats.org/officeDocument/2006/relationships}"
PKG = "{http://schemas.openxmlformats.org/package/2006/relationships}"


def unescape(text):
    return re.sub(r"_x([0-9A-Fa-f]{4})_", lambda m: chr(int(m.group(1), 16)), text)


def run_text(element):
    """The text of a shared or inline string: one <t>, or the <t> of each rich-text run."""
    plain = element.find(MAIN + "t")
    if plain is not None:
        return plain.text or ""
    return "".join(run.findtext(MAIN + "t") or "" for run in element.findall(MAIN + "r"))


def relationships(archive, part):
    folder, name = posixpath.split(part)
    rels = posixpath.join(folder, "_rels", name + ".rels")
    if rels not in archive.namelist():
        return {}
    result = {}
    for rel in ET.fromstring(archive.read(rels)).iter(PKG + "Relationship"):
        target = rel.get("Target")
        target = target[1:] if target.startswith("/") else posixpath.normpath(posixpath.join(folder, target))
        result[rel.get("Id")] = (rel.get("Type").rsplit("/", 1)[-1], target)
    return result


def color(element):
    return None if element is None else element.get("rgb")


def read_styles(archive, part):
    if part is None:
        return []
    root = ET.fromstring(archive.read(part))
    fonts = [{"bold": f.find(MAIN + "b") is not None and f.find(MAIN + "b").get("val", "1") in ("1", "true"),
              "color": color(f.find(MAIN + "color"))} for f in root.find(MAIN + "fonts")]
    fills = []
    for fill in root.find(MAIN + "fills"):
        pattern = fill.find(MAIN + "patternFill")
        solid = pattern is not None and pattern.get("patternType") == "solid"
        fills.append(color(pattern.find(MAIN + "fgColor")) if solid else None)
    borders = [{side: (b.find(MAIN + side).get("style") if b.find(MAIN + side) is not None else None)
                for side in ("left", "right", "top", "bottom")} for b in root.find(MAIN + "borders")]
    styles = []
    for xf in root.find(MAIN + "cellXfs"):
        font = fonts[int(xf.get("fontId", 0))]
        styles.append({"fill": fills[int(xf.get("fillId", 0))], "font_color": font["color"],
                       "bold": font["bold"], "border": borders[int(xf.get("borderId", 0))],
                       "num_fmt": int(xf.get("numFmtId", 0))})
    return styles


def main():
    path = sys.argv[1]
    wanted = sys.argv[2] if len(sys.argv) > 2 else "企业列表"
    with zipfile.ZipFile(path) as archive:
        workbook = "xl/workbook.xml"
        for kind, target in relationships(archive, "").values():
            if kind == "officeDocument":
                workbook = target
        rels = relationships(archive, workbook)
        by_kind = {kind: target for kind, target in rels.values()}
        shared = []
        if "sharedStrings" in by_kind:
            shared = [unescape(run_text(si)) for si in ET.fromstring(archive.read(by_kind["sharedStrings"]))]
        styles = read_styles(archive, by_kind.get("styles"))
        sheets = [(s.get("name"), s.get(REL + "id"))
                  for s in ET.fromstring(archive.read(workbook)).iter(MAIN + "sheet")]
        out = {"sheets": [name for name, _ in sheets], "rows": []}
        for name, rid in sheets:
            if name != wanted:
                continue
            for row in ET.fromstring(archive.read(rels[rid][1])).iter(MAIN + "row"):
                cells = []
                for c in row.iter(MAIN + "c"):
                    kind = c.get("t", "n")
                    v = c.find(MAIN + "v")
                    f = c.find(MAIN + "f")
                    if kind == "s":
                        value = shared[int(v.text)]
                    elif kind == "inlineStr":
                        value = unescape(run_text(c.find(MAIN + "is")))
                    else:
                        value = None if v is None else (unescape(v.text or "") if kind == "str" else v.text)
                    cell = {"ref": c.get("r"), "type": kind, "value": value,
                            "formula": None if f is None else (f.text or "")}
                    if styles:
                        cell["style"] = styles[int(c.get("s", 0))]
                    cells.append(cell)
                out["rows"].append({"r": int(row.get("r")), "cells": cells})
    json.dump(out, sys.stdout, ensure_ascii=False)


if __name__ == "__main__":
    main()
