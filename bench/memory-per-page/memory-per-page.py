#!/usr/bin/env python3
"""Peak memory against page count: folioquill-convert and LibreOffice on the
same generated documents.

Writes documents of 10 to 2,000 pages (each page: a heading, paragraphs of
varied text, a small table, a page break; a header and a footer with the
page number), converts each with folioquill-convert (one document: it is
converted inside the one process) and with LibreOffice (to PDF, which lays
out every page), and prints the peak resident memory of each (maximum
resident set size from /usr/bin/time -v) and the growth per page (least
squares over the page counts). --doc also measures the same documents saved
as .doc by LibreOffice.

  bench/memory-per-page/memory-per-page.py --converter build/bin/folioquill-convert
"""

import argparse
import os
import random
import re
import shutil
import subprocess
import sys
import tempfile
import zipfile
from xml.sax.saxutils import escape

W = "http://schemas.openxmlformats.org/wordprocessingml/2006/main"
R = "http://schemas.openxmlformats.org/officeDocument/2006/relationships"
PKG = "http://schemas.openxmlformats.org/package/2006/relationships"
WORDS = ("publication layout frame column margin paragraph story text picture border line table cell "
         "shape page section header footer style font weight italic heading number list bullet "
         "document print proof reader editor issue spread gutter baseline leading kerning").split()


def sentence(rng, n):
    words = [rng.choice(WORDS) for _ in range(n)]
    return " ".join(words).capitalize() + "."


def para(text, bold=False, page_break=False):
    props = "<w:rPr><w:b/></w:rPr>" if bold else ""
    brk = '<w:r><w:br w:type="page"/></w:r>' if page_break else ""
    return "<w:p><w:r>%s<w:t xml:space=\"preserve\">%s</w:t></w:r>%s</w:p>" % (props, escape(text), brk)


def table(rng):
    rows = []
    for _ in range(3):
        cells = "".join("<w:tc><w:tcPr><w:tcW w:w=\"3000\" w:type=\"dxa\"/></w:tcPr>%s</w:tc>"
                        % para(sentence(rng, 3)) for _ in range(3))
        rows.append("<w:tr>%s</w:tr>" % cells)
    borders = "".join('<w:%s w:val="single" w:sz="4" w:space="0" w:color="000000"/>' % side
                      for side in ("top", "left", "bottom", "right", "insideH", "insideV"))
    return ("<w:tbl><w:tblPr><w:tblW w:w=\"9000\" w:type=\"dxa\"/><w:tblBorders>%s</w:tblBorders></w:tblPr>"
            "<w:tblGrid>%s</w:tblGrid>%s</w:tbl>" % (borders, "<w:gridCol w:w=\"3000\"/>" * 3, "".join(rows)))


def page_field():
    return ('<w:p><w:r><w:t xml:space="preserve">Page </w:t></w:r><w:r><w:fldChar w:fldCharType="begin"/></w:r>'
            '<w:r><w:instrText> PAGE </w:instrText></w:r><w:r><w:fldChar w:fldCharType="separate"/></w:r>'
            '<w:r><w:t>1</w:t></w:r><w:r><w:fldChar w:fldCharType="end"/></w:r></w:p>')


def write_docx(path, pages, seed=1):
    rng = random.Random(seed)
    body = []
    for page in range(pages):
        body.append(para("Chapter %d: %s" % (page + 1, sentence(rng, 4)), bold=True))
        for _ in range(4):
            body.append(para(" ".join(sentence(rng, rng.randint(8, 16)) for _ in range(4))))
        body.append(table(rng))
        body.append(para(sentence(rng, 10), page_break=page + 1 < pages))
    sect = ('<w:sectPr><w:headerReference w:type="default" r:id="rIdH"/><w:footerReference w:type="default" '
            'r:id="rIdF"/><w:pgSz w:w="11906" w:h="16838"/><w:pgMar w:top="1417" w:right="1417" w:bottom="1134" '
            'w:left="1417" w:header="708" w:footer="708" w:gutter="0"/></w:sectPr>')
    document = ('<?xml version="1.0" encoding="UTF-8" standalone="yes"?>'
                '<w:document xmlns:w="%s" xmlns:r="%s"><w:body>%s%s</w:body></w:document>'
                % (W, R, "".join(body), sect))
    header = '<w:hdr xmlns:w="%s">%s</w:hdr>' % (W, para("Generated document, %d pages" % pages))
    footer = '<w:ftr xmlns:w="%s">%s</w:ftr>' % (W, page_field())
    types = ('<?xml version="1.0" encoding="UTF-8"?><Types xmlns="http://schemas.openxmlformats.org/package/2006/'
             'content-types"><Default Extension="rels" ContentType="application/vnd.openxmlformats-package.'
             'relationships+xml"/><Default Extension="xml" ContentType="application/xml"/><Override '
             'PartName="/word/document.xml" ContentType="application/vnd.openxmlformats-officedocument.'
             'wordprocessingml.document.main+xml"/><Override PartName="/word/header1.xml" ContentType="application/'
             'vnd.openxmlformats-officedocument.wordprocessingml.header+xml"/><Override PartName="/word/footer1.xml" '
             'ContentType="application/vnd.openxmlformats-officedocument.wordprocessingml.footer+xml"/></Types>')
    rels = ('<?xml version="1.0" encoding="UTF-8"?><Relationships xmlns="%s"><Relationship Id="rId1" '
            'Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument" '
            'Target="word/document.xml"/></Relationships>' % PKG)
    doc_rels = ('<?xml version="1.0" encoding="UTF-8"?><Relationships xmlns="%s"><Relationship Id="rIdH" '
                'Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/header" '
                'Target="header1.xml"/><Relationship Id="rIdF" Type="http://schemas.openxmlformats.org/'
                'officeDocument/2006/relationships/footer" Target="footer1.xml"/></Relationships>' % PKG)
    with zipfile.ZipFile(path, "w", zipfile.ZIP_DEFLATED) as z:
        z.writestr("[Content_Types].xml", types)
        z.writestr("_rels/.rels", rels)
        z.writestr("word/_rels/document.xml.rels", doc_rels)
        z.writestr("word/document.xml", document)
        z.writestr("word/header1.xml", header)
        z.writestr("word/footer1.xml", footer)


def timed(cmd):
    """Runs cmd under /usr/bin/time -v; returns (seconds, peak RSS in MiB, exit code)."""
    r = subprocess.run(["/usr/bin/time", "-v"] + cmd, capture_output=True)
    rss = re.search(rb"Maximum resident set size \(kbytes\): (\d+)", r.stderr)
    wall = re.search(rb"Elapsed \(wall clock\) time \(h:mm:ss or m:ss\): (?:(\d+):)?(\d+):([\d.]+)", r.stderr)
    seconds = float("nan")
    if wall:
        seconds = int(wall.group(1) or 0) * 3600 + int(wall.group(2)) * 60 + float(wall.group(3))
    return seconds, (int(rss.group(1)) / 1024.0 if rss else float("nan")), r.returncode


def pdf_pages(path):
    r = subprocess.run(["pdfinfo", path], capture_output=True, text=True)
    m = re.search(r"^Pages:\s+(\d+)", r.stdout, re.M)
    return int(m.group(1)) if m else 0


def slope(points):
    """Least-squares growth of y per x."""
    n = len(points)
    if n < 2:
        return float("nan")
    mx = sum(x for x, _ in points) / n
    my = sum(y for _, y in points) / n
    sxx = sum((x - mx) ** 2 for x, _ in points)
    return sum((x - mx) * (y - my) for x, y in points) / sxx if sxx else float("nan")


def main():
    p = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    p.add_argument("--converter", required=True)
    p.add_argument("--pages", default="10,50,200,500,1000,2000")
    p.add_argument("--doc", action="store_true", help="also the same documents as .doc (saved by LibreOffice)")
    p.add_argument("--keep", help="keep the generated documents and results in this folder")
    args = p.parse_args()
    pages = [int(x) for x in args.pages.split(",")]
    work = args.keep or tempfile.mkdtemp(prefix="fq-memory-")
    os.makedirs(work, exist_ok=True)
    profile = os.path.join(work, "lo-profile")
    lo = ["soffice", "-env:UserInstallation=file://" + profile, "--headless"]
    try:
        inputs = []
        for n in pages:
            path = os.path.join(work, "pages-%d.docx" % n)
            write_docx(path, n)
            inputs.append(("docx", n, path))
        if args.doc:
            subprocess.run(lo + ["--convert-to", "doc", "--outdir", work] + [f for _, _, f in inputs],
                           capture_output=True)
            inputs += [("doc", n, os.path.join(work, "pages-%d.doc" % n)) for n in pages]
        subprocess.run(lo + ["--convert-to", "pdf", "--outdir", os.path.join(work, "warm"), inputs[0][2]],
                       capture_output=True)

        rows = []
        for kind, n, path in inputs:
            if not os.path.exists(path):
                print("missing %s" % path, file=sys.stderr)
                continue
            out = os.path.join(work, "fq-" + kind)
            fq_s, fq_rss, fq_rc = timed([args.converter, "-o", out, path])
            lo_out = os.path.join(work, "lo-" + kind)
            lo_s, lo_rss, _ = timed(lo + ["--convert-to", "pdf", "--outdir", lo_out, path])
            lo_pages = pdf_pages(os.path.join(lo_out, os.path.splitext(os.path.basename(path))[0] + ".pdf"))
            rows.append((kind, n, lo_pages, fq_rss, fq_s, fq_rc, lo_rss, lo_s))
            print("%-4s %5d pages (LibreOffice: %5d): folioquill-convert %7.1f MiB %6.1f s%s | "
                  "LibreOffice %7.1f MiB %6.1f s" % (kind, n, lo_pages, fq_rss, fq_s,
                                                    "" if fq_rc == 0 else " (failed)", lo_rss, lo_s), flush=True)
    finally:
        if not args.keep:
            shutil.rmtree(work, ignore_errors=True)

    for kind in ("docx", "doc"):
        mine = [r for r in rows if r[0] == kind]
        if not mine:
            continue
        fq = slope([(r[1], r[3] * 1024) for r in mine])
        lo_slope = slope([(r[1], r[6] * 1024) for r in mine])
        print("%s: growth per page: folioquill-convert %.1f KB, LibreOffice %.1f KB (ratio %.2f)" % (
            kind, fq, lo_slope, fq / lo_slope if lo_slope else float("nan")))
    return 0


if __name__ == "__main__":
    sys.exit(main())
