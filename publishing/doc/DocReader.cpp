// The .doc reader: parses the file into DocFile, then converts it.
//
// Supported:
//  [X] compound file through libgsf, stream names in any case
//  [X] FIB of Word 97-2003; Word 6.0/95 FIB (code page from the LID or the fonts' character sets),
//      the Far East and Macintosh editions' signatures (0xA697, 0xA699) too
//  [X] messages: not a Word file, Word 2.x and older, encrypted or obfuscated, damaged
//  [X] piece table: 8-bit (cp1252) and UTF-16 pieces, piece property modifiers (prm with a grpprl);
//      a damaged one keeps the text before a piece that goes back and loses only pieces outside the stream
//  [-] piece property modifiers given as a single sprm: the toggles, underline, colour,
//      super/subscript, alignment, keep and table flags; others ignored
//  [X] special characters: paragraph, line break, page/section break, tab, cell/row marks,
//      non-breaking and optional hyphen, nbsp, footnote/endnote reference numbers
//  [X] fields: the result is shown, never the code, nested fields too; PAGE, NUMPAGES,
//      SECTIONPAGES (with their number format) and STYLEREF results become runs the layout fills
//      in; FILENAME shows the converted file's name; the result of a HYPERLINK field carries the
//      link's target; SYMBOL without a result shows its character in the font of its \f switch
//  [-] form fields: the stored result (text fields); check boxes and drop-downs show nothing
//  [X] drop caps (sprmPDcs): the letter begins the paragraph after it
//  [X] symbols inserted from a symbol font (sprmCSymbol): the character in its font, private-use
//      code points as Word keeps them
//  [X] character properties: style chain, character styles, CHPX, toggles 0x80/0x81, font, size,
//      bold, italic, underline kind, strike/double strike, colour (ico and sprmCCv),
//      super/subscript, caps/small caps, hidden text dropped
//  [X] tracked changes accepted: deleted text left out, a paragraph whose mark was deleted joins
//      the next one
//  [X] paragraph properties: style chain, PAPX with istd, alignment, indents, spacing, line
//      spacing, keep with next, keep lines together, widow control, contextual spacing, page
//      break before, tab stops with alignment and leader, huge PAPX in the Data stream
//  [X] sections: page size, margins, header/footer distances, one model section each; start
//      kind, columns (count, spacing, unequal widths, line between), page-number restart and
//      format, line grid pitch, footnote and endnote numbering; column breaks
//  [X] headers and footers: odd (default), even (facing pages in the DOP) and first page, each
//      kind inherited from the previous section
//  [X] tables as table blocks, from the TAP of each row's end mark (sprmTDefTable cell boundaries
//      -> grid, spans, gridBefore/After; TC merge flags: horizontal merges folded, vertical ones
//      as row spans, the text of merged cells kept in the first); nested tables (sprmPItap,
//      sprmPDtap, inner cell and row marks) inside their cells; tables in headers, notes, text boxes
//  [X] table sprms: borders (sprmTTableBorders/80, TC borders, sprmTSetBrc/80), shading
//      (sprmTDefTableShd80, sprmTDefTableShd and its 2nd/3rd parts, sprmTSetShd/80,
//      sprmTSetShdTable) with patterns as one colour, sprmTJc/90, sprmTDxaLeft, sprmTDxaGapHalf
//      and cell padding (default and per cell), cell spacing, sprmTDyaRowHeight, sprmTTableHeader,
//      sprmTFCantSplit/90, sprmTVertMerge, sprmTVertAlign, sprmTMerge/Split, sprmTInsert/Delete/DxaCol
//  [X] preferred widths (sprmTTableWidth, sprmTWidthBefore/After, TC wWidth, sprmTCellWidth) carried
//      with the table; the cell boundaries, Word's own layout of the row, decide the columns
//  [X] Word 6.0/95 tables: their table sprms translated (borders and cell descriptors widened)
//  [-] table styles (sprmTIstd): only what Word wrote into the rows themselves
//  [-] floating tables (sprmTPc, positions): read as tables in the flow
//  [X] footnotes and endnotes as notes of the document, their references (automatic numbers
//      and marks of their own) as note-reference runs
//  [X] text boxes' text in their shape (main text, headers, groups); unanchored ones at the end
//  [X] drawn shapes (PlcSpaMom and PlcSpaHdr anchors, main and header drawings): shape type,
//      flips, rotation, fill (solid, opacity, shades as two colours), line (colour, width,
//      dash, arrowheads), custom outlines (vertices and segments), adjustments, text margins
//      and anchoring, groups (members by their child anchors), WordArt (its string, large)
//  [X] wrap (FSPA wr), behind the text (fBelowText, fBehindDocument), z-order, wrap distances
//  [X] paragraph borders (BRC of Word 97 and 2000) and shading, character highlighting and
//      shading, page borders (sprmSBrc*, sprmSPgbProp)
//  [ ] guide formulas of custom outlines, texture and pattern fills, shadows, 3-D
//  [X] inline pictures (PICF + OfficeArt BLIP: PNG, JPEG, DIB, EMF, WMF, TIFF); a DIB is
//      delivered as ImageFormat::Bmp with the BITMAPFILEHEADER added; deflated metafiles inflated;
//      they carry their paragraph's alignment, and those of one paragraph may stand side by side;
//      in a body paragraph with text they stand in its line (runs with a picture)
//  [X] floating pictures (PlcSpaMom and PlcSpaHdr anchors, blip store, shape pib or picture
//      fill), page/margin relative, paragraph relative (resolved by the layout)
//  [X] document properties from the summary information
//  [X] list numbers and bullets (PlfLst levels, legal numbering, restart limits), counted as Word
//      counts them (shared with the docx reader); Word's number formats, East Asian ones too; the
//      label after page breaks that open the paragraph, none for a lone section mark
//  [X] list overrides (PlfLfo): start values and redefined levels (LFOLVL)
//  [X] Word 6.0/95: text, styles, character, paragraph and section properties (their one-byte
//      sprms translated to the Word 97 ones)
//  [X] Word 6.0/95 paragraph numbering (nLvlAnm with its ANLD): numbered and bulleted runs,
//      heading levels with the numbers of the levels above
//  [-] Word 6.0/95: no headers, notes or pictures
//  [X] pictures and shapes in headers
//  [ ] OLE object previews, comments
#include "publishing/doc/DocReader.h"

#include "publishing/doc/Converter.h"
#include "publishing/doc/DocFile.h"

#include <new>

namespace fq::doc {

model::Document readDoc(const std::filesystem::path& path) {
    try {
        const DocFile file = parseDocFile(path);
        return convertDocFile(file);
    } catch (const model::ConversionError&) {
        throw;
    } catch (const std::bad_alloc&) {
        throw model::damaged("a structure claims more memory than is available");
    } catch (const std::length_error&) {
        throw model::damaged("a structure has an impossible size");
    }
}

} // namespace fq::doc
