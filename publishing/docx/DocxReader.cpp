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
//   [-] table styles: paragraph and run properties apply inside their table; conditional
//       formatting (first row, banding) does not
//   [X] numbering styles (w:numStyleLink)
//   [X] latent styles read into the model (they carry no formatting, so nothing to apply)
// Paragraphs
//   [X] alignment (both/distribute -> justify), indents left/start, right/end, firstLine, hanging
//   [X] spacing before/after (auto spacing = 14 pt), line spacing auto/exact/atLeast
//   [X] keepNext, keepLines, widowControl (on unless turned off), pageBreakBefore, snapToGrid
//   [X] tab stops with alignment and leader (clear removes inherited stops; bar tabs left out)
//   [X] contextual spacing, the paragraph style's name
// Runs
//   [X] fonts, size, bold, italic, underline kinds, strike/dstrike, colour (auto = unset)
//   [X] East Asian font (w:eastAsia) for runs with CJK text
//   [X] empty paragraphs keep the size of their paragraph mark
//   [X] superscript/subscript, small caps, all caps
//   [X] tabs, line breaks, page breaks, w:sym, soft hyphen, non-breaking hyphen, ruby base text
//   [-] hidden text (w:vanish): kept as visible text so that nothing is lost
//   [ ] highlighting, shading, character spacing, borders
// Structure
//   [X] sections: page size, margins (gutter added to the left), header/footer distances, several sections
//   [X] section start (next page, continuous, column, even, odd), columns (count, spacing,
//       widths of unequal columns, separator line), page-number start and format, line grid pitch
//   [X] several w:body elements (written by some tools) are read in order
//   [X] headers and footers: default, first page (titlePg) and even pages (evenAndOddHeaders),
//       each kind inherited by later sections that give none
//   [X] lists: labels from numbering.xml counted as Word counts them (shared with the doc reader):
//       counters per abstract numbering, start and level overrides, restarts, legal numbering,
//       Word's number formats (East Asian ones too), bullets in symbol fonts as Unicode
//   [X] tables flattened: one paragraph per row, cells separated by tabs, nested tables inline
//   [X] fields: fldSimple content, complex fields show their result only (nested fields too)
//   [X] PAGE, NUMPAGES, SECTIONPAGES (with their \* number format) and STYLEREF marked for the layout
//   [X] FILENAME fields show the name of the file being converted
//   [X] hyperlinks, sdt, smartTag, customXml, bidi containers as their text
//   [X] tracked changes: insertions and moves-to kept, deletions and moves-from dropped
//   [X] footnotes and endnotes as notes of the document with their reference marks (custom marks
//       too), numbering format, start and restart from settings and sections, endnote position
//   [X] text boxes (wps:txbx, v:textbox) after their paragraph; one branch of mc:AlternateContent
//   [X] math as its text (m:t), "[equation]" when it has none
//   [-] comments: not carried
// Pictures
//   [X] wp:inline and wp:anchor with a:blip, VML v:imagedata, OLE previews
//   [X] size from wp:extent (EMU) or the VML style; format from the bytes
//   [-] anchor position: page/margin/column offsets and alignment; paragraph/line relative to the text top
//   [X] SmartArt: the text of its nodes as paragraphs after its paragraph
//   [-] charts, OLE objects without preview: placeholder text
//   [ ] pictures in headers and footers (Section::header holds paragraphs only)
//   [ ] linked (external) pictures: placeholder text
#include "publishing/docx/DocxReader.h"

#include "publishing/docx/Converter.h"
#include "publishing/docx/PackageLoader.h"

namespace fq::docx {

model::Document readDocx(const std::filesystem::path& path) {
    WordDocument doc = loadPackage(path);
    return convertDocument(doc);
}

} // namespace fq::docx
