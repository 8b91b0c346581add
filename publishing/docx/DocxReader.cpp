// Reads a Word 2007+ (.docx) document: PackageLoader builds the typed
// WordprocessingML model (DocxModel.h), Converter turns it into the neutral
// document model.
//
// Supported ([X] done, [-] partial, [ ] not yet):
// Package
//   [X] ZIP through libzip, entry count and decompressed size bounded
//   [X] main part through _rels/.rels (transitional and strict), fallback word/document.xml
//   [X] content types, part relationships, relative and absolute targets
//   [X] core properties: title, subject, creator, keywords, created, modified
//   [X] password-protected packages (compound file with EncryptionInfo/EncryptedPackage)
//   [X] damaged XML, truncated archives, CRC errors -> "damaged" message; DOCTYPE ignored, no entity expansion
// Styles
//   [X] docDefaults, paragraph and character styles, basedOn chains, default styles
//   [X] toggle properties (bold, italic, strike, caps, small caps) between style chains
//   [X] theme fonts (major/minor, asciiTheme/hAnsiTheme/eastAsiaTheme/cstheme)
//   [X] table styles (basedOn chains, the default table style): borders, shading, cell margins,
//       indent and alignment under the table's own; paragraph and run properties in its cells
//   [X] conditional formatting as tblLook switches it on: first/last row and column, banded rows
//       and columns (band sizes), corner cells; their shading, borders and text properties
//   [X] numbering styles (w:numStyleLink)
//   [X] latent styles read into the model (they carry no formatting, so nothing to apply)
// Paragraphs
//   [X] alignment (both/distribute -> justify), indents left/start, right/end, firstLine, hanging
//   [X] spacing before/after (auto spacing = 14 pt), line spacing auto/exact/atLeast
//   [X] keepNext, keepLines, widowControl (on unless turned off), pageBreakBefore, snapToGrid
//   [X] tab stops with alignment and leader (clear removes inherited stops; bar tabs left out)
//   [X] contextual spacing, the paragraph style's name
//   [X] borders (w:pBdr: four sides and between, inherited side by side) and shading (w:shd fill)
// Runs
//   [X] fonts, size, bold, italic, underline kinds, strike/dstrike, colour (auto = unset)
//   [X] East Asian font (w:eastAsia) for runs with CJK text
//   [X] empty paragraphs keep the size of their paragraph mark
//   [X] superscript/subscript, small caps, all caps
//   [X] tabs, line breaks, page breaks, w:sym, soft hyphen, non-breaking hyphen, ruby base text;
//       symbol fonts known by name or by the font table's symbol character set
//   [-] hidden text (w:vanish): kept as visible text so that nothing is lost
//   [X] highlighting and character shading (carried in the model; the publication has no place for them)
//   [ ] character spacing, character borders
// Structure
//   [X] sections: page size, margins (gutter added to the left), header/footer distances, several sections
//   [X] section start (next page, continuous, column, even, odd), columns (count, spacing,
//       widths of unequal columns, separator line), page-number start and format, line grid pitch
//   [X] page borders (w:pgBorders: sides, offset from page or text, all/first/not-first pages)
//   [X] several w:body elements (written by some tools) are read in order
//   [X] headers and footers: default, first page (titlePg) and even pages (evenAndOddHeaders),
//       each kind inherited by later sections that give none
//   [X] lists: labels from numbering.xml counted as Word counts them (shared with the doc reader):
//       counters per abstract numbering, start and level overrides, restarts, legal numbering,
//       Word's number formats (East Asian ones too), bullets in symbol fonts as Unicode
//   [X] tables as table blocks: tblGrid, gridSpan, vMerge (row spans; text of continued cells kept
//       in the first), legacy hMerge, gridBefore/After
//   [X] widths as Word works them out: tblW, tcW, wBefore/wAfter (twips and percentages) over the
//       grid, tblLayout fixed or autofit (the layout widens columns too narrow for their content
//       and sizes those nothing gives a width by their content)
//   [X] table borders and cell borders (styles Word knows mapped to the model's, sz in eighths of a
//       point, auto colour), shading fill and patterns (solid, percentages) as one colour
//   [X] tblInd (to the text before the Word 2013 compatibility mode, to the cell edge from then on),
//       jc, tblCellMar/tcMar, tblCellSpacing, trHeight with hRule, tblHeader, cantSplit, vAlign
//   [X] nested tables inside their cells; tables in headers, footers, notes and text boxes
//   [-] floating tables (tblpPr) are read as tables in the flow
//   [-] row exceptions (tblPrEx): their borders only
//   [ ] diagonal cell borders, text direction, fit text, no-wrap
//   [X] fields: fldSimple content, complex fields show their result only (nested fields too)
//   [X] PAGE, NUMPAGES, SECTIONPAGES (with their \* number format) and STYLEREF marked for the layout
//   [X] FILENAME fields show the name of the file being converted
//   [X] fields without a stored result as Word draws them: SYMBOL (its character in the \f font),
//       FORMCHECKBOX as a ballot box (checked or not), FORMDROPDOWN as its selected entry
//   [X] drop caps (w:framePr w:dropCap): the letter begins the paragraph after it
//   [X] hyperlinks (w:hyperlink and HYPERLINK fields) carry their target on their runs
//   [X] sdt, smartTag, customXml, bidi containers as their text
//   [X] tracked changes: insertions and moves-to kept, deletions and moves-from dropped
//   [X] footnotes and endnotes as notes of the document with their reference marks (custom marks
//       too), numbering format, start and restart from settings and sections, endnote position
//   [X] text boxes (wps:txbx, v:textbox) as shapes holding their text; one branch of mc:AlternateContent
//   [X] math in Word's linear form: fractions, radicals, scripts, n-ary operators, delimiters,
//       matrices, functions, accents, limits; "[equation]" when it has no text
//   [-] comments: not carried
// Pictures
//   [X] wp:inline and wp:anchor with a:blip, VML v:imagedata, OLE previews; inline ones in a
//       body paragraph with text stand in its line (runs with a picture), in cells, headers,
//       notes and text boxes they are blocks of their own
//   [X] size from wp:extent (EMU) or the VML style; format from the bytes
//   [X] anchor position: page/margin/column offsets, alignment, Word 2010 percentages (wp14),
//       paragraph/line relative (resolved by the layout); wrap, behind text, z-order, distances
//   [X] SmartArt: the drawing Word stored for it (dsp:drawing) as shapes with their text;
//       without one, the text of its nodes as paragraphs after its paragraph
//   [X] charts drawn from their cached values: column, bar (clustered, stacked, percent),
//       line, area, pie, doughnut, scatter, with title, legend and series colours (or the
//       theme's accents); other kinds a framed box of the chart's size naming its kind
//   [-] OLE objects without preview: placeholder text
//   [X] pictures in headers and footers
//   [ ] linked (external) pictures: placeholder text
// Drawn shapes
//   [X] DrawingML wps:wsp: preset geometry (with its first adjustment), custom geometry (moveTo,
//       lnTo, cubicBezTo, quadBezTo, close; arcTo as a line to its end), rotation, flips
//   [X] fills: none, solid, gradient (first and last stop), picture; patterns as their colour
//   [X] lines: colour, width, dash, head and tail ends; wps:style theme references (fill,
//       line, font colour); theme colours with lumMod/lumOff/tint/shade/alpha
//   [X] text box content with insets and vertical anchoring (bodyPr)
//   [X] groups (wpg:wgp, nested grpSp, pictures in groups): members placed one by one
//   [X] VML v:rect, v:roundrect, v:oval, v:line, v:polyline, v:shape with a type or a path
//       (formulas and arcs not read: the shape type stands in), v:group, fill (solid,
//       gradient, picture), stroke (colour, weight, dash, arrows), v:textbox, style position
//       and wrap (w10:wrap)
//   [-] v:textpath WordArt: its string, large, in the fill colour, in a text box
//   [ ] 3-D effects, shadows, glow, soft edges; text on a path; guide formulas of custom geometry
#include "publishing/docx/DocxReader.h"

#include "publishing/docx/Converter.h"
#include "publishing/docx/PackageLoader.h"

namespace fq::docx {

model::Document readDocx(const std::filesystem::path& path) {
    return convertDocument(loadPackage(path));
}

} // namespace fq::docx
