#!/usr/bin/env python3
"""Writes the sample documents shipped in data/Samples.

Each sample shows what the converter carries over into a publication:
headings, bold and italic text, a bulleted and a numbered list, a table and a
picture. The .docx files are written directly (zipfile, with a PNG drawn
here); the .doc is the second document saved by LibreOffice in Word 97
format.

    python3 scripts/make-samples.py [output-folder]
"""

import os
import shutil
import struct
import subprocess
import sys
import tempfile
import zipfile
import zlib
from xml.sax.saxutils import escape

W = "http://schemas.openxmlformats.org/wordprocessingml/2006/main"
R = "http://schemas.openxmlformats.org/officeDocument/2006/relationships"
WP = "http://schemas.openxmlformats.org/drawingml/2006/wordprocessingDrawing"
A = "http://schemas.openxmlformats.org/drawingml/2006/main"
PIC = "http://schemas.openxmlformats.org/drawingml/2006/picture"
PKG = "http://schemas.openxmlformats.org/package/2006/relationships"
EMU_PER_PIXEL = 9525  # at 96 dots per inch

# A fixed timestamp keeps the archives identical from run to run.
FIXED_TIME = (2021, 8, 31, 12, 0, 0)


def png(width, height, pixel):
    """A truecolour PNG; pixel(x, y) gives (r, g, b)."""
    rows = bytearray()
    for y in range(height):
        rows.append(0)
        for x in range(width):
            rows.extend(pixel(x, y))

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    header = struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
            + chunk(b"IDAT", zlib.compress(bytes(rows), 9)) + chunk(b"IEND", b""))


def sunrise(x, y, width=240, height=140):
    """A sky with a sun over hills."""
    sx, sy, radius = width * 0.68, height * 0.45, height * 0.2
    hill = height * 0.72 + 10 * ((x / width - 0.4) ** 2) * height / 4
    if y > hill:
        return (46, 120 + (y * 40) // height, 60)
    if (x - sx) ** 2 + (y - sy) ** 2 <= radius ** 2:
        return (250, 200, 40)
    shade = (y * 120) // height
    return (70 + shade, 140 + shade // 2, 230)


def bars(x, y, width=240, height=140):
    """A small bar chart on white."""
    values = [0.35, 0.6, 0.45, 0.8, 0.7]
    colours = [(31, 119, 180), (255, 127, 14), (44, 160, 44), (214, 39, 40), (148, 103, 189)]
    base = height - 12
    if y >= base and y < base + 2 and 8 <= x < width - 8:
        return (60, 60, 60)
    slot = (width - 16) // len(values)
    i = (x - 8) // slot if x >= 8 else -1
    if 0 <= i < len(values) and (x - 8) % slot > 6:
        top = base - int(values[i] * (height - 30))
        if top <= y < base:
            return colours[i]
    return (255, 255, 255)


# --- document.xml building blocks -------------------------------------------

def run(text, bold=False, italic=False, size=None):
    props = ""
    if bold:
        props += "<w:b/>"
    if italic:
        props += "<w:i/>"
    if size:
        props += '<w:sz w:val="%d"/>' % (size * 2)
    rpr = "<w:rPr>%s</w:rPr>" % props if props else ""
    return '<w:r>%s<w:t xml:space="preserve">%s</w:t></w:r>' % (rpr, escape(text))


def para(*runs, style=None, num=None, align=None):
    ppr = ""
    if style:
        ppr += '<w:pStyle w:val="%s"/>' % style
    if num is not None:
        ppr += '<w:numPr><w:ilvl w:val="0"/><w:numId w:val="%d"/></w:numPr>' % num
    if align:
        ppr += '<w:jc w:val="%s"/>' % align
    return "<w:p>%s%s</w:p>" % ("<w:pPr>%s</w:pPr>" % ppr if ppr else "", "".join(runs))


def rich(text):
    """Text with *bold* and _italic_ spans."""
    out, bold, italic, word = [], False, False, ""
    for ch in text:
        if ch in "*_":
            if word:
                out.append(run(word, bold, italic))
                word = ""
            if ch == "*":
                bold = not bold
            else:
                italic = not italic
        else:
            word += ch
    if word:
        out.append(run(word, bold, italic))
    return out


def table(rows, widths):
    grid = "".join('<w:gridCol w:w="%d"/>' % w for w in widths)
    border = ('<w:tblBorders>' + "".join(
        '<w:%s w:val="single" w:sz="4" w:space="0" w:color="808080"/>' % side
        for side in ("top", "left", "bottom", "right", "insideH", "insideV")) + '</w:tblBorders>')
    body = ""
    for r, cells in enumerate(rows):
        body += "<w:tr>"
        for c, text in enumerate(cells):
            shade = '<w:shd w:val="clear" w:color="auto" w:fill="D9E2F3"/>' if r == 0 else ""
            body += ('<w:tc><w:tcPr><w:tcW w:w="%d" w:type="dxa"/>%s</w:tcPr>%s</w:tc>'
                     % (widths[c], shade, para(run(text, bold=(r == 0)))))
        body += "</w:tr>"
    return ('<w:tbl><w:tblPr><w:tblW w:w="0" w:type="auto"/>%s</w:tblPr><w:tblGrid>%s</w:tblGrid>%s</w:tbl>'
            % (border, grid, body))


def picture(rel_id, pic_id, name, width_px, height_px, caption):
    cx, cy = width_px * EMU_PER_PIXEL, height_px * EMU_PER_PIXEL
    drawing = (
        '<w:r><w:drawing><wp:inline distT="0" distB="0" distL="0" distR="0">'
        '<wp:extent cx="%d" cy="%d"/><wp:docPr id="%d" name="%s" descr="%s"/>'
        '<wp:cNvGraphicFramePr><a:graphicFrameLocks noChangeAspect="1"/></wp:cNvGraphicFramePr>'
        '<a:graphic><a:graphicData uri="%s"><pic:pic>'
        '<pic:nvPicPr><pic:cNvPr id="%d" name="%s"/><pic:cNvPicPr/></pic:nvPicPr>'
        '<pic:blipFill><a:blip r:embed="%s"/><a:stretch><a:fillRect/></a:stretch></pic:blipFill>'
        '<pic:spPr><a:xfrm><a:off x="0" y="0"/><a:ext cx="%d" cy="%d"/></a:xfrm>'
        '<a:prstGeom prst="rect"><a:avLst/></a:prstGeom></pic:spPr>'
        '</pic:pic></a:graphicData></a:graphic></wp:inline></w:drawing></w:r>'
        % (cx, cy, pic_id, name, escape(caption), PIC, pic_id, name, rel_id, cx, cy))
    return para(drawing, align="center") + para(run(caption, italic=True), align="center")


def document(body):
    return ('<?xml version="1.0" encoding="UTF-8" standalone="yes"?>'
            '<w:document xmlns:w="%s" xmlns:r="%s" xmlns:wp="%s" xmlns:a="%s" xmlns:pic="%s"><w:body>%s'
            '<w:sectPr><w:pgSz w:w="11906" w:h="16838"/>'
            '<w:pgMar w:top="1440" w:right="1440" w:bottom="1440" w:left="1440" w:header="708" w:footer="708" w:gutter="0"/>'
            '</w:sectPr></w:body></w:document>' % (W, R, WP, A, PIC, body))


STYLES = ('<?xml version="1.0" encoding="UTF-8" standalone="yes"?>'
          '<w:styles xmlns:w="%s">'
          '<w:docDefaults><w:rPrDefault><w:rPr><w:rFonts w:ascii="Carlito" w:hAnsi="Carlito" w:cs="Carlito"/>'
          '<w:sz w:val="22"/><w:lang w:val="en-GB"/></w:rPr></w:rPrDefault>'
          '<w:pPrDefault><w:pPr><w:spacing w:after="160" w:line="259" w:lineRule="auto"/></w:pPr></w:pPrDefault>'
          '</w:docDefaults>'
          '<w:style w:type="paragraph" w:default="1" w:styleId="Normal"><w:name w:val="Normal"/></w:style>'
          '<w:style w:type="paragraph" w:styleId="Title"><w:name w:val="Title"/><w:basedOn w:val="Normal"/>'
          '<w:next w:val="Normal"/><w:pPr><w:spacing w:after="240"/></w:pPr>'
          '<w:rPr><w:rFonts w:ascii="Caladea" w:hAnsi="Caladea"/><w:color w:val="1F3864"/><w:sz w:val="52"/></w:rPr></w:style>'
          '<w:style w:type="paragraph" w:styleId="Heading1"><w:name w:val="heading 1"/><w:basedOn w:val="Normal"/>'
          '<w:next w:val="Normal"/><w:pPr><w:keepNext/><w:spacing w:before="240" w:after="120"/><w:outlineLvl w:val="0"/></w:pPr>'
          '<w:rPr><w:rFonts w:ascii="Caladea" w:hAnsi="Caladea"/><w:b/><w:color w:val="2F5496"/><w:sz w:val="32"/></w:rPr></w:style>'
          '<w:style w:type="paragraph" w:styleId="Heading2"><w:name w:val="heading 2"/><w:basedOn w:val="Normal"/>'
          '<w:next w:val="Normal"/><w:pPr><w:keepNext/><w:spacing w:before="160" w:after="80"/><w:outlineLvl w:val="1"/></w:pPr>'
          '<w:rPr><w:rFonts w:ascii="Caladea" w:hAnsi="Caladea"/><w:b/><w:color w:val="2F5496"/><w:sz w:val="26"/></w:rPr></w:style>'
          '<w:style w:type="paragraph" w:styleId="ListParagraph"><w:name w:val="List Paragraph"/>'
          '<w:basedOn w:val="Normal"/><w:pPr><w:ind w:left="720"/><w:contextualSpacing/></w:pPr></w:style>'
          '<w:style w:type="table" w:default="1" w:styleId="TableNormal"><w:name w:val="Normal Table"/>'
          '<w:tblPr><w:tblCellMar><w:left w:w="108" w:type="dxa"/><w:right w:w="108" w:type="dxa"/></w:tblCellMar></w:tblPr></w:style>'
          '</w:styles>' % W)

NUMBERING = ('<?xml version="1.0" encoding="UTF-8" standalone="yes"?>'
             '<w:numbering xmlns:w="%s">'
             '<w:abstractNum w:abstractNumId="0"><w:multiLevelType w:val="singleLevel"/>'
             '<w:lvl w:ilvl="0"><w:start w:val="1"/><w:numFmt w:val="bullet"/><w:lvlText w:val="\u2022"/>'
             '<w:lvlJc w:val="left"/><w:pPr><w:ind w:left="720" w:hanging="360"/></w:pPr>'
             '<w:rPr><w:rFonts w:ascii="Liberation Sans" w:hAnsi="Liberation Sans"/></w:rPr></w:lvl></w:abstractNum>'
             '<w:abstractNum w:abstractNumId="1"><w:multiLevelType w:val="singleLevel"/>'
             '<w:lvl w:ilvl="0"><w:start w:val="1"/><w:numFmt w:val="decimal"/><w:lvlText w:val="%%1."/>'
             '<w:lvlJc w:val="left"/><w:pPr><w:ind w:left="720" w:hanging="360"/></w:pPr></w:lvl></w:abstractNum>'
             '<w:num w:numId="1"><w:abstractNumId w:val="0"/></w:num>'
             '<w:num w:numId="2"><w:abstractNumId w:val="1"/></w:num>'
             '</w:numbering>' % W)

CONTENT_TYPES = ('<?xml version="1.0" encoding="UTF-8" standalone="yes"?>'
                 '<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">'
                 '<Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/>'
                 '<Default Extension="xml" ContentType="application/xml"/>'
                 '<Default Extension="png" ContentType="image/png"/>'
                 '<Override PartName="/word/document.xml" ContentType="application/vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml"/>'
                 '<Override PartName="/word/styles.xml" ContentType="application/vnd.openxmlformats-officedocument.wordprocessingml.styles+xml"/>'
                 '<Override PartName="/word/numbering.xml" ContentType="application/vnd.openxmlformats-officedocument.wordprocessingml.numbering+xml"/>'
                 '<Override PartName="/docProps/core.xml" ContentType="application/vnd.openxmlformats-package.core-properties+xml"/>'
                 '</Types>')

PACKAGE_RELS = ('<?xml version="1.0" encoding="UTF-8" standalone="yes"?>'
                '<Relationships xmlns="%s">'
                '<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument" Target="word/document.xml"/>'
                '<Relationship Id="rId2" Type="http://schemas.openxmlformats.org/package/2006/relationships/metadata/core-properties" Target="docProps/core.xml"/>'
                '</Relationships>' % PKG)

DOCUMENT_RELS = ('<?xml version="1.0" encoding="UTF-8" standalone="yes"?>'
                 '<Relationships xmlns="%s">'
                 '<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/styles" Target="styles.xml"/>'
                 '<Relationship Id="rId2" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/numbering" Target="numbering.xml"/>'
                 '<Relationship Id="rId3" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/image" Target="media/image1.png"/>'
                 '</Relationships>' % PKG)


def core(title):
    return ('<?xml version="1.0" encoding="UTF-8" standalone="yes"?>'
            '<cp:coreProperties xmlns:cp="http://schemas.openxmlformats.org/package/2006/metadata/core-properties" '
            'xmlns:dc="http://purl.org/dc/elements/1.1/" xmlns:dcterms="http://purl.org/dc/terms/" '
            'xmlns:xsi="http://www.w3.org/2001/XMLSchema-instance">'
            '<dc:title>%s</dc:title><dc:creator>Folioquill</dc:creator>'
            '<dcterms:created xsi:type="dcterms:W3CDTF">2021-08-31T12:00:00Z</dcterms:created>'
            '</cp:coreProperties>' % escape(title))


def write_docx(path, title, body, image):
    parts = [
        ("[Content_Types].xml", CONTENT_TYPES),
        ("_rels/.rels", PACKAGE_RELS),
        ("docProps/core.xml", core(title)),
        ("word/document.xml", document(body)),
        ("word/styles.xml", STYLES),
        ("word/numbering.xml", NUMBERING),
        ("word/_rels/document.xml.rels", DOCUMENT_RELS),
    ]
    with zipfile.ZipFile(path, "w", zipfile.ZIP_DEFLATED) as z:
        for name, text in parts:
            z.writestr(zipfile.ZipInfo(name, FIXED_TIME), text.encode("utf-8"), zipfile.ZIP_DEFLATED)
        z.writestr(zipfile.ZipInfo("word/media/image1.png", FIXED_TIME), image, zipfile.ZIP_STORED)


# --- the two samples ----------------------------------------------------------

def newsletter():
    body = [
        para(run("The Riverside Gazette"), style="Title"),
        para(*rich("A sample newsletter for *Folioquill*: every heading, _emphasis_, list, table and picture "
                   "below should reappear in the publication.")),
        para(run("Spring Fair on the Green"), style="Heading1"),
        para(*rich("The fair opens on *Saturday at ten*, rain or shine. Stalls run along the river path, and "
                   "the brass band plays _from noon until the light goes_.")),
        para(run("What to bring"), style="Heading2"),
        para(*rich("A *reusable* cup for the cider stall"), style="ListParagraph", num=1),
        para(*rich("Coins for the _tombola_"), style="ListParagraph", num=1),
        para(run("Good walking shoes"), style="ListParagraph", num=1),
        picture("rId3", 1, "sunrise.png", 240, 140, "Sunrise over the green, painted by our youngest reader"),
        para(run("Programme"), style="Heading1"),
        table([["Time", "Event", "Where"],
               ["10:00", "Opening and welcome", "Bandstand"],
               ["12:00", "Brass band", "River path"],
               ["15:30", "Dog show", "East lawn"]], [1600, 4200, 2600]),
        para(*rich("*Note:* times may shift a little on the day.")),
    ]
    return "".join(body), png(240, 140, sunrise)


def report():
    body = [
        para(run("Quarterly Report"), style="Title"),
        para(*rich("A sample report for *Folioquill*, saved in the older _Word 97_ format.")),
        para(run("Summary"), style="Heading1"),
        para(*rich("Sales rose *twelve per cent* over the quarter; the new catalogue did _better than planned_.")),
        para(run("Steps for next quarter"), style="Heading2"),
        para(*rich("Reprint the *catalogue*"), style="ListParagraph", num=2),
        para(*rich("Open the _online_ shop"), style="ListParagraph", num=2),
        para(run("Hire two more packers"), style="ListParagraph", num=2),
        para(run("Figures"), style="Heading1"),
        table([["Month", "Orders", "Returns"],
               ["July", "1,240", "31"],
               ["August", "1,385", "27"],
               ["September", "1,502", "35"]], [2800, 2800, 2800]),
        picture("rId3", 1, "bars.png", 240, 140, "Orders per product line"),
    ]
    return "".join(body), png(240, 140, bars)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "data", "Samples")
    os.makedirs(out, exist_ok=True)

    body, image = newsletter()
    write_docx(os.path.join(out, "Sample Newsletter.docx"), "The Riverside Gazette", body, image)

    with tempfile.TemporaryDirectory() as work:
        body, image = report()
        source = os.path.join(work, "Sample Report.docx")
        write_docx(source, "Quarterly Report", body, image)
        profile = "file://" + os.path.join(work, "profile")
        subprocess.run(["soffice", "-env:UserInstallation=" + profile, "--headless", "--convert-to",
                        "doc:MS Word 97", "--outdir", work, source],
                       check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=300)
        shutil.copyfile(os.path.join(work, "Sample Report.doc"), os.path.join(out, "Sample Report.doc"))


if __name__ == "__main__":
    main()
