#!/usr/bin/env python3
"""Checks that the tables of the shared Word corpus arrive as tables.

Converts the corpus documents with folioquill-convert, reads each
publication back with libmspub's pub2raw, and compares the tables of the
source with the table objects pub2raw prints (startTableObject ... cells).
The source's tables are read from the docx XML: the tables of the body's
flow (not nested in another table, not in text boxes), their grid columns
and the text of their cells. The .doc files are first saved as docx by
LibreOffice (one batch run), whose tables are read the same way.

A source table arrives when at least 90% of its non-empty cells are found
(their letters and digits) inside the cells of the publication's table
objects; a table may be split into pieces over pages, and a cell cut at a
page break is found as the cells its parts went into; a cell whose
characters follow in order in a cell with a few more (a list label), or a
long cell whose characters follow in order in all the cells' text, counts
as found. It has the right
columns when the table object holding most of its cells has as many
columns as the source's grid.
Tables without any text are counted apart.

Prints one row per file with tables and the totals; with --min SHARE exits
1 when fewer tables arrive. Standard library only.
"""

import argparse
import os
import re
import shutil
import subprocess
import sys
import tempfile
import zipfile
import xml.etree.ElementTree as ET

DEFAULT_SHARED = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "shared"))
W = "{http://schemas.openxmlformats.org/wordprocessingml/2006/main}"
CELL_SHARE = 0.9


def parse_args():
    p = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    p.add_argument("--converter", required=True, help="path of folioquill-convert")
    p.add_argument("--shared", default=DEFAULT_SHARED, help="shared folder with corpus/ (default: %(default)s)")
    p.add_argument("--corpus", default="corpus", help="the corpus folder under --shared (corpus or corpus2)")
    p.add_argument("--kind", choices=("docx", "doc", "all"), default="all")
    p.add_argument("--jobs", type=int, default=os.cpu_count() or 2)
    p.add_argument("--min", type=float, help="fail when the share of arriving tables is below this (0..1)")
    p.add_argument("--only", action="append", default=[], help="check only files whose name contains this")
    return p.parse_args()


def compact(text):
    """Letters and digits only: symbols of form fields, check boxes and
    spacing differ between a source and its reading back."""
    return "".join(c for c in text if c.isalnum())


def cell_text(tc):
    parts = []
    for el in tc.iter():
        if el.tag == W + "t":
            parts.append(el.text or "")
    return compact("".join(parts))


def flow_tables(element, inside_box=False):
    """The tables of the flow under element, outermost only."""
    for child in element:
        if child.tag == W + "tbl":
            if not inside_box:
                yield child
            continue
        box = inside_box or child.tag in (W + "txbxContent",) or child.tag.endswith("}txbxContent")
        yield from flow_tables(child, box)


def source_tables(docx):
    """[(grid columns, [non-empty cell texts])] of a docx file's body."""
    try:
        with zipfile.ZipFile(docx) as z:
            root = ET.fromstring(z.read("word/document.xml"))
    except (zipfile.BadZipFile, KeyError, ET.ParseError, OSError):
        return None
    body = root.find(W + "body")
    if body is None:
        return []
    tables = []
    for tbl in flow_tables(body):
        grid = tbl.find(W + "tblGrid")
        columns = len(grid.findall(W + "gridCol")) if grid is not None else 0
        cells = []
        for tr in tbl.findall(W + "tr"):
            for tc in tr.findall(W + "tc"):
                text = cell_text(tc)
                if text:
                    cells.append(text)
        tables.append((columns, cells))
    return tables


CALL = re.compile(r"^\s*[A-Za-z]+(\s*\(|\s*$)")


def raw_tables(raw):
    """[(columns, [cell texts])] of pub2raw's table objects."""
    tables = []
    cell = None
    for line in raw.split("\n"):
        if not CALL.match(line):
            if cell is not None:
                cell.append(line)        # text with a line break continues its call
            continue
        s = line.strip()
        if s.startswith("startTableObject"):
            tables.append((s.count("style:column-width"), []))
        elif s.startswith("openTableCell") and tables:
            cell = []
        elif s.startswith("closeTableCell") and cell is not None:
            tables[-1][1].append(compact("".join(cell)))
            cell = None
        elif cell is not None and s.startswith("insertText (") and s.endswith(")"):
            cell.append(s[len("insertText ("):-1])
    return tables


def pub2raw(path):
    try:
        r = subprocess.run(["pub2raw", path], capture_output=True, timeout=120)
    except subprocess.TimeoutExpired:
        return None
    out = r.stdout.decode("utf-8", "replace")
    return out if "startDocument" in out else None


def convert(converter, files, out_dir, jobs):
    r = subprocess.run([converter, "-o", out_dir, "-j", str(max(1, jobs))] + files, capture_output=True, timeout=1800)
    done = {}
    for line in r.stderr.decode("utf-8", "replace").splitlines():
        if line.startswith("converted: "):
            src, _, out = line[len("converted: "):].rpartition(" -> ")
            done[src] = out
    return done


def as_docx(files, out_dir):
    """LibreOffice's docx of each .doc file (one batch run)."""
    profile = tempfile.mkdtemp(prefix="fq-lo-profile-")
    try:
        subprocess.run(["soffice", "-env:UserInstallation=file://" + profile, "--headless", "--convert-to", "docx",
                        "--outdir", out_dir] + files, capture_output=True, timeout=1800)
    except subprocess.TimeoutExpired:
        pass
    finally:
        shutil.rmtree(profile, ignore_errors=True)
    result = {}
    for f in files:
        docx = os.path.join(out_dir, os.path.splitext(os.path.basename(f))[0] + ".docx")
        result[f] = docx if os.path.isfile(docx) else None
    return result


def corpus_check():
    """scripts/corpus-check.py as a module, for its in-order text match."""
    import importlib
    here = os.path.dirname(os.path.abspath(__file__))
    if here not in sys.path:
        sys.path.insert(0, here)
    return importlib.import_module("corpus-check")


IN_ORDER = corpus_check().in_order_matches


def found_in(text, cells, depth=0):
    """Whether text is inside one of the cells, or, for a cell cut at a
    page break, is a cell followed by the rest found the same way."""
    if any(text in c for c in cells):
        return True
    if depth > 20:
        return False
    for c in cells:
        if len(c) >= 8 and text.startswith(c) and found_in(text[len(c):], cells, depth + 1):
            return True
    return False


def nearly_in(text, cells):
    """Whether 98% of text's characters follow in order in one cell, for
    what a list label or a symbol adds to a cell's text."""
    return any(len(c) >= len(text) // 2 and IN_ORDER(text, c) >= 0.98 * len(text) for c in cells)


def compare(source, published):
    """(arrived, right columns, empty) counts for one file."""
    arrived = columns_ok = empty = 0
    for grid, cells in source:
        if not cells:
            empty += 1
            continue
        found = 0
        hits = [0] * len(published)          # cells of this table found whole in each piece
        every = [c for _, pub_cells in published for c in pub_cells if c]
        joined = "".join(every)
        for text in cells:
            # A long cell cut over several pages, with repeated header rows
            # between its parts, is found in order in all the cells' text.
            long_in_order = len(text) >= 200 and IN_ORDER(text, joined) >= 0.98 * len(text)
            if not found_in(text, every) and not nearly_in(text, every) and not long_in_order:
                continue
            found += 1
            for i, (_, pub_cells) in enumerate(published):
                if any(text in c for c in pub_cells):
                    hits[i] += 1
        if found >= CELL_SHARE * len(cells):
            arrived += 1
            best = max(range(len(published)), key=lambda i: hits[i]) if published else None
            if best is not None and published[best][0] == grid:
                columns_ok += 1
    return arrived, columns_ok, empty


def check_kind(kind, args, work):
    folder = os.path.join(args.shared, args.corpus, kind)
    names = sorted(n for n in os.listdir(folder) if os.path.isfile(os.path.join(folder, n)))
    if args.only:
        names = [n for n in names if any(o in n for o in args.only)]
    files = [os.path.join(folder, n) for n in names]
    sources = {f: f for f in files}
    if kind == "doc":
        sources = as_docx(files, os.path.join(work, "doc-as-docx"))
    out_dir = os.path.join(work, kind)
    os.makedirs(out_dir, exist_ok=True)
    pubs = convert(args.converter, files, out_dir, args.jobs)
    rows = []
    for f in files:
        tables = source_tables(sources[f]) if sources.get(f) else None
        if not tables:
            continue
        raw = pub2raw(pubs[f]) if f in pubs else None
        published = raw_tables(raw) if raw else []
        arrived, columns_ok, empty = compare(tables, published)
        rows.append((os.path.basename(f), len(tables), empty, arrived, columns_ok, len(published)))
    return rows


def main():
    args = parse_args()
    if not os.access(args.converter, os.X_OK):
        print("table-check: the converter %s cannot be run" % args.converter, file=sys.stderr)
        return 2
    work = tempfile.mkdtemp(prefix="fq-table-check-")
    kinds = ["docx", "doc"] if args.kind == "all" else [args.kind]
    total = {"tables": 0, "empty": 0, "arrived": 0, "columns": 0}
    try:
        for kind in kinds:
            rows = check_kind(kind, args, work)
            print("\n== %s ==" % kind)
            print("%-58s %6s %5s %7s %7s %7s" % ("file", "tables", "empty", "arrived", "columns", "pieces"))
            for name, tables, empty, arrived, columns_ok, pieces in rows:
                print("%-58s %6d %5d %7d %7d %7d" % (name[:58], tables, empty, arrived, columns_ok, pieces))
            t = sum(r[1] for r in rows)
            e = sum(r[2] for r in rows)
            a = sum(r[3] for r in rows)
            c = sum(r[4] for r in rows)
            with_text = t - e
            print("-- %s: %d files with tables, %d tables with text (%d empty); arrived %d (%.1f%%), "
                  "with the right columns %d (%.1f%%)" % (kind, len(rows), with_text, e, a,
                                                          100.0 * a / with_text if with_text else 100.0, c,
                                                          100.0 * c / with_text if with_text else 100.0))
            total["tables"] += with_text
            total["empty"] += e
            total["arrived"] += a
            total["columns"] += c
    finally:
        shutil.rmtree(work, ignore_errors=True)
    share = total["arrived"] / total["tables"] if total["tables"] else 1.0
    print("\nall: %d tables with text, %d arrived (%.1f%%), %d with the right columns" % (
        total["tables"], total["arrived"], 100.0 * share, total["columns"]))
    if args.min is not None and share < args.min:
        print("CRITERION NOT MET: %.1f%% of the tables arrive (need %.1f%%)" % (100.0 * share, 100.0 * args.min))
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
