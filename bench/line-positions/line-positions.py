#!/usr/bin/env python3
"""Where the first and last lines of body text of each page fall: in the
Word document and in our publication, both rendered to PDF by LibreOffice.

    line-positions.py --vf DIR [--pages N] [--detail]
    line-positions.py --cli build/bin/folioquill-convert --out DIR FILE...

The first form reads a folder that visual-fidelity wrote (DIR/src/*.pdf, the
sources; DIR/pub-pdf/*.pdf, ours). The second converts FILE... with the
converter and renders sources and publications itself into DIR the same way.

For every page i (up to --pages) of a document, the lines of the source page
come from `pdftotext -bbox-layout`. Running headers and footers (a line of
the same text, digits aside, at the same height on two or more pages, or a
page number alone near the top or bottom edge) are left out; the first and
the last remaining line are the page's first and last body lines. Each is
looked for on our page i by its first words (its last words for the last
line), wherever our lines break; the difference of the two lines' vertical
centres is the line's offset (inches, + = ours lower). A line not found on
our page i counts as moved (the pages break elsewhere).

Prints one row per page with --detail, then per half (.docx, .doc) and in
all: pages compared, lines found, the median offset of the first lines, of
the last lines and of both, the median absolute offset, and the share of
pages whose first and last body lines are the source's.
"""

import argparse
import collections
import glob
import os
import re
import statistics
import subprocess
import sys
import unicodedata
import xml.etree.ElementTree as ET

PROFILE = "file:///tmp/fq-line-positions-profile"
KEY_WORDS = 4


def norm(text):
    return re.sub(r"\s+", " ", unicodedata.normalize("NFKC", text)).strip().lower()


def page_lines(pdf, pages):
    """[(page width, page height, [(text, words, yMin, yMax)])] in points, first pages of the PDF."""
    try:
        xml = subprocess.run(["pdftotext", "-bbox-layout", "-l", str(pages), pdf, "-"],
                             capture_output=True, timeout=120).stdout.decode("utf-8", "replace")
    except subprocess.TimeoutExpired:
        return []
    xml = re.sub(r"<!DOCTYPE[^>]*>", "", xml)
    xml = re.sub(r'xmlns="[^"]*"', "", xml)
    try:
        root = ET.fromstring(xml)
    except ET.ParseError:
        return []
    out = []
    for page in root.iter("page"):
        lines = []
        for line in page.iter("line"):
            words = [norm(w.text or "") for w in line.iter("word")]
            words = [w for w in words if w]
            if not words:
                continue
            lines.append((" ".join(words), words, float(line.get("yMin")), float(line.get("yMax"))))
        lines.sort(key=lambda l: l[2])
        out.append((float(page.get("width")), float(page.get("height")), lines))
    return out


def running_lines(pages):
    """Keys (text without digits, rounded height) of lines that repeat over pages."""
    seen = collections.Counter()
    for _, _, lines in pages:
        keys = {(re.sub(r"\d+", "#", l[0]), round(l[2] / 3.0)) for l in lines}
        seen.update(keys)
    return {k for k, n in seen.items() if n >= 2}


def body_lines(page, running):
    width, height, lines = page
    body = []
    for l in lines:
        if (re.sub(r"\d+", "#", l[0]), round(l[2] / 3.0)) in running:
            continue
        near_edge = l[3] < height * 0.12 or l[2] > height * 0.88
        if near_edge and re.fullmatch(r"[-–—\s]*(page\s*)?[\divxlc]+(\s*(of|/)\s*\d+)?[-–—\s]*", l[0]):
            continue
        body.append(l)
    return body


def find(words, lines, want_y, from_end):
    """Vertical centre of our line holding the key words (nearest to want_y), or None."""
    key = words[-KEY_WORDS:] if from_end else words[:KEY_WORDS]
    stream = [(w, i) for i, l in enumerate(lines) for w in l[1]]
    best = None
    for s in range(len(stream) - len(key) + 1):
        if all(stream[s + k][0] == key[k] for k in range(len(key))):
            line = lines[stream[s + len(key) - 1 if from_end else s][1]]
            y = (line[2] + line[3]) / 2.0
            if best is None or abs(y - want_y) < abs(best - want_y):
                best = y
    return best


def compare(src_pdf, our_pdf, pages):
    src = page_lines(src_pdf, pages)
    ours = page_lines(our_pdf, pages) if os.path.exists(our_pdf) else []
    running_src, running_ours = running_lines(src), running_lines(ours)
    rows = []
    for i, page in enumerate(src):
        body = body_lines(page, running_src)
        if not body:
            continue
        our_page = ours[i] if i < len(ours) else (0, 0, [])
        our_body = body_lines(our_page, running_ours)
        scale = 1.0 / 72.0
        row = {"page": i + 1}
        for name, line, from_end in (("first", body[0], False), ("last", body[-1], True)):
            y = (line[2] + line[3]) / 2.0
            found = find(line[1], our_page[2], y, from_end)
            row[name] = (line[0][:40], y * scale, None if found is None else (found - y) * scale)
        same_first = bool(our_body) and our_body[0][1][:KEY_WORDS] == body[0][1][:KEY_WORDS]
        same_last = bool(our_body) and our_body[-1][1][-KEY_WORDS:] == body[-1][1][-KEY_WORDS:]
        row["same"] = same_first and same_last
        rows.append(row)
    return rows


def median(values):
    return statistics.median(values) if values else float("nan")


def summary(label, rows):
    firsts = [r["first"][2] for r in rows if r["first"][2] is not None]
    lasts = [r["last"][2] for r in rows if r["last"][2] is not None]
    both = firsts + lasts
    same = sum(1 for r in rows if r["same"])
    print("%-6s pages %4d  found %4d/%-4d  median offset first %+.3f in  last %+.3f in  all %+.3f in"
          "  median |offset| %.3f in  same first+last lines %.0f%%"
          % (label, len(rows), len(both), 2 * len(rows), median(firsts), median(lasts), median(both),
             median([abs(v) for v in both]), 100.0 * same / len(rows) if rows else 0.0))


def render(args):
    os.makedirs(args.out, exist_ok=True)
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
    pub_dir = os.path.join(args.out, "pub")
    subprocess.run([args.cli, "-q", "-o", pub_dir, "-j", "2"] + args.files, env=env)
    for folder, inputs in (("src", args.files), ("pub-pdf", sorted(glob.glob(os.path.join(pub_dir, "*.pub"))))):
        if inputs:
            subprocess.run(["soffice", "-env:UserInstallation=" + PROFILE, "--headless", "--convert-to", "pdf",
                            "--outdir", os.path.join(args.out, folder)] + inputs,
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=1800)


def main():
    ap = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    ap.add_argument("--vf", help="a folder visual-fidelity wrote")
    ap.add_argument("--cli", help="the converter, to render FILE... into --out")
    ap.add_argument("--out", help="folder for the rendered files (with --cli)")
    ap.add_argument("--pages", type=int, default=6, help="pages compared per document (6)")
    ap.add_argument("--detail", action="store_true", help="one row per page")
    ap.add_argument("files", nargs="*")
    args = ap.parse_args()
    if args.cli:
        if not args.out or not args.files:
            ap.error("--cli needs --out and FILE...")
        render(args)
        folder = args.out
    elif args.vf:
        folder = args.vf
    else:
        ap.error("give --vf DIR or --cli with --out and FILE...")

    halves = collections.defaultdict(list)
    sources = {}
    if args.files:
        for f in args.files:
            sources[os.path.splitext(os.path.basename(f))[0]] = os.path.splitext(f)[1].lower().lstrip(".")
    for src_pdf in sorted(glob.glob(os.path.join(folder, "src", "*.pdf"))):
        base = os.path.splitext(os.path.basename(src_pdf))[0]
        kind = sources.get(base, "")
        rows = compare(src_pdf, os.path.join(folder, "pub-pdf", base + ".pdf"), args.pages)
        halves[kind].extend(rows)
        if args.detail:
            for r in rows:
                def cell(v):
                    return "%6.2f %s" % (v[1], "  moved" if v[2] is None else "%+.3f" % v[2])
                print("%-45s p%-2d first %s %-40r last %s %-40r%s" % (base[:45], r["page"], cell(r["first"]),
                      r["first"][0], cell(r["last"]), r["last"][0], "" if r["same"] else "  (breaks differ)"))
    everything = []
    for kind in sorted(halves):
        if kind:
            summary("." + kind, halves[kind])
        everything.extend(halves[kind])
    summary("all", everything)
    return 0


if __name__ == "__main__":
    sys.exit(main())
