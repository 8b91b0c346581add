// The neutral document model that every reader produces and the layout
// consumes. Lengths are in points (1/72 inch), text is UTF-8.
//
// A document is a list of sections; a section has a page geometry and a flow
// of blocks. A block is a paragraph (runs of uniformly formatted text), a
// picture, an explicit page break or a table (whose cells hold blocks in
// turn). Headers and footers hold blocks too. Character and paragraph
// properties are fully resolved: readers apply style inheritance, table
// styles and defaults, so the layout and the writer never look anything up.
#pragma once

#include "publishing/word/NumberFormat.h"

#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace fq::model {

struct Color {
    std::uint8_t r = 0, g = 0, b = 0;
    friend bool operator==(const Color&, const Color&) = default;
};

enum class Underline { None, Single, Words, Double, Dotted, Thick, Dash, DotDash, DotDotDash, Wave };
enum class VerticalPosition { Baseline, Superscript, Subscript };

struct CharProps {
    std::string font = "Calibri";
    double sizePt = 11.0;
    bool bold = false;
    bool italic = false;
    bool strike = false;
    bool smallCaps = false;
    bool allCaps = false;
    Underline underline = Underline::None;
    std::optional<Color> color;            // unset: automatic (black)
    VerticalPosition vertical = VerticalPosition::Baseline;
    friend bool operator==(const CharProps&, const CharProps&) = default;
};

enum class Alignment { Left, Center, Right, Justify };

// A tab stop: where text after a tab starts (left), is centred (center),
// ends (right) or has its decimal point (decimal), and what fills the room
// the tab leaves (dots for a table of contents).
enum class TabAlignment { Left, Center, Right, Decimal };
enum class TabLeader { None, Dots, Dashes, Underline, Heavy, MiddleDots };

struct TabStop {
    double positionPt = 0.0;               // from the left indent, as tabStopsPt
    TabAlignment alignment = TabAlignment::Left;
    TabLeader leader = TabLeader::None;
    friend bool operator==(const TabStop&, const TabStop&) = default;
};

struct LineSpacing {
    enum class Rule { Multiple, Exact, AtLeast };
    Rule rule = Rule::Multiple;
    double value = 1.0;                    // lines for Multiple, points otherwise
    friend bool operator==(const LineSpacing&, const LineSpacing&) = default;
};

struct ParaProps {
    Alignment alignment = Alignment::Left;
    double leftIndentPt = 0.0;
    double rightIndentPt = 0.0;
    double firstLineIndentPt = 0.0;        // relative to the left indent; negative = hanging
    double spaceBeforePt = 0.0;
    double spaceAfterPt = 0.0;
    LineSpacing lineSpacing;
    bool keepWithNext = false;
    bool keepLinesTogether = false;        // all lines on one page (when they fit on one)
    bool pageBreakBefore = false;          // starts a page, unless it stands at the top of one
    bool widowControl = false;             // no single first or last line of the paragraph alone on a page
    // No space before or after between two paragraphs of the same style that both say so.
    bool contextualSpacing = false;
    bool snapToGrid = true;                // lines snap to the section's line grid, when it has one
    // Spacing chosen automatically (HTML-like paragraphs): none before the
    // first paragraph on a page.
    bool spaceBeforeAuto = false;
    bool spaceAfterAuto = false;
    // The paragraph style, as the document names it ("heading 1"), with its
    // other names after commas when it has any ("heading 1,h1,Chapter").
    std::string styleName;
    // The stops with alignment and leader, in order. When not empty it
    // lists the same stops as tabStopsPt and is what counts; readers that
    // know only positions fill tabStopsPt alone (left stops without leader).
    std::vector<TabStop> tabs;
    std::vector<double> tabStopsPt;        // positions from the left indent
    friend bool operator==(const ParaProps&, const ParaProps&) = default;
};

// A field whose result depends on the page the run lands on. The run's text
// holds the result the document stored; the layout replaces it with the
// number of the page it lays the run out on, or the number of pages (of the
// publication or of the section), or the text of the nearest paragraph of a
// style (StyleRef: Run::fieldArgument names the style). A NoteReference run
// is the mark of a footnote or endnote (Run::note), in the text that refers
// to the note and at the start of the note itself; the layout numbers it.
enum class FieldKind { None, PageNumber, PageCount, SectionPages, StyleRef, NoteReference };

// A run of text with one set of character properties. The text may hold
// U+0009 (tab) and U+000A (line break inside the paragraph); it never holds
// a paragraph mark.
struct Run {
    std::string text;
    CharProps props;
    FieldKind field = FieldKind::None;
    // Where the run links to: an address ("https://...", "mailto:...",
    // "file:...") or "#name" for a bookmark of the document; empty when the
    // run is no link.
    std::string link;
    // Page fields: the number format the field asks for (unset: the
    // section's page-number format). StyleRef: the style it looks for.
    std::optional<word::NumberFormat> fieldFormat;
    std::string fieldArgument;
    int note = -1;                         // NoteReference: index into Document::notes
};

struct Paragraph {
    ParaProps props;
    std::vector<Run> runs;
    // Text of all runs joined, for tests and diagnostics.
    std::string plainText() const {
        std::string s;
        for (const auto& r : runs) s += r.text;
        return s;
    }
};

// Bmp: the bytes of a complete .bmp file; Dib: a device-independent bitmap
// without the 14-byte file header. The .doc reader delivers DIBs as Bmp.
enum class ImageFormat { Png, Jpeg, Gif, Bmp, Dib, Tiff, Emf, Wmf, Unknown };

// Where a floating picture sits. Offsets are measured from the page's top
// left corner after the reader resolved the anchor's reference frame.
struct PictureAnchor {
    double xPt = 0.0;
    double yPt = 0.0;
};

struct Picture {
    ImageFormat format = ImageFormat::Unknown;
    std::vector<std::uint8_t> data;        // the file bytes as stored in the document
    double widthPt = 0.0;                  // displayed size
    double heightPt = 0.0;
    std::optional<PictureAnchor> anchor;   // unset: inline, takes its place in the flow
    std::string description;               // alternative text, if any
    // Inline pictures only: the alignment of the paragraph that holds the
    // picture, and whether the picture follows the previous block inside the
    // same paragraph (so that the two may stand side by side).
    Alignment alignment = Alignment::Left;
    bool sameParagraphAsPrevious = false;
};

// An explicit break: the flow goes on on the next page, or, for a column
// break, in the next column (on the next page after the last column).
struct PageBreak {
    bool column = false;
};

// Lines around table cells (and, later, paragraphs and pages).
enum class BorderStyle { None, Single, Thick, Double, Dotted, Dashed, DotDash, DotDotDash, Triple, Wave };

struct Border {
    BorderStyle style = BorderStyle::None;
    double widthPt = 0.5;
    std::optional<Color> color;            // unset: automatic (black)
    double spacePt = 0.0;                  // distance from the text
    bool visible() const { return style != BorderStyle::None && widthPt > 0.0; }
    friend bool operator==(const Border&, const Border&) = default;
};

// The four sides of a cell; a table's own borders add the inner lines.
struct CellBorders {
    std::optional<Border> top, left, bottom, right;   // unset: as the table says
    friend bool operator==(const CellBorders&, const CellBorders&) = default;
};

struct TableBorders {
    Border top, left, bottom, right, insideH, insideV;
    friend bool operator==(const TableBorders&, const TableBorders&) = default;
};

struct CellMargins {
    double topPt = 0.0, leftPt = 5.4, bottomPt = 0.0, rightPt = 5.4;   // Word's defaults
    friend bool operator==(const CellMargins&, const CellMargins&) = default;
};

enum class VerticalAlignment { Top, Center, Bottom };

// How a cell takes part in a vertical merge. Every row lists its cells in
// grid order; a cell covered by the merge cell above it is present as a
// Continue cell without content, and the Restart cell that begins the
// merge carries the row span.
enum class VerticalMerge { None, Restart, Continue };

struct Block;

struct TableCell {
    std::vector<Block> blocks;
    int gridSpan = 1;                      // grid columns covered
    VerticalMerge verticalMerge = VerticalMerge::None;
    int rowSpan = 1;                       // rows covered (Restart cells; 1 otherwise)
    std::optional<double> widthPt;         // preferred width, when the document states one
    CellBorders borders;
    std::optional<Color> shading;          // background fill
    std::optional<CellMargins> margins;    // unset: the table's
    VerticalAlignment verticalAlignment = VerticalAlignment::Top;
};

enum class RowHeightRule { Auto, AtLeast, Exact };

struct TableRow {
    std::vector<TableCell> cells;
    RowHeightRule heightRule = RowHeightRule::Auto;
    double heightPt = 0.0;
    bool header = false;                   // repeated at the top of every page the table continues on
    bool cantSplit = false;                // kept on one page when it fits on one
    int gridBefore = 0;                    // grid columns left empty before the first cell
    int gridAfter = 0;                     // and after the last
};

struct Table {
    std::vector<double> gridPt;            // widths of the grid columns
    std::vector<TableRow> rows;
    Alignment alignment = Alignment::Left; // Left, Center or Right of the text area
    double indentPt = 0.0;                 // from the left margin (left-aligned tables)
    TableBorders borders;
    CellMargins cellMargins;
    std::optional<Color> shading;          // the table's background, under the cells'
    double cellSpacingPt = 0.0;
};

using BlockVariant = std::variant<Paragraph, Picture, PageBreak, Table>;

// A block of the flow. A struct rather than an alias so that tables can
// hold blocks; std::visit, std::get_if and std::holds_alternative take it
// as the variant it is.
struct Block : BlockVariant {
    using BlockVariant::BlockVariant;
    using BlockVariant::operator=;
};

// How a section begins: on a new page (or the next even or odd one), on
// the same page below what came before, or in the next column.
enum class SectionStart { NewPage, Continuous, NewColumn, EvenPage, OddPage };

// The text columns of a section. widthsPt and spacingsPt (the room after
// each column but the last) are set for columns of their own widths;
// empty, the columns share the width evenly with spacingPt between them.
struct SectionColumns {
    int count = 1;
    double spacingPt = 36.0;
    std::vector<double> widthsPt;
    std::vector<double> spacingsPt;
    bool separator = false;                // a line between the columns
    friend bool operator==(const SectionColumns&, const SectionColumns&) = default;
};

// How notes are numbered: restarted per section or per page, or counted
// through the document from start.
struct NoteNumbering {
    enum class Restart { Continuous, EachSection, EachPage };
    word::NumberFormat format = word::NumberFormat::Decimal;
    int start = 1;
    Restart restart = Restart::Continuous;
    friend bool operator==(const NoteNumbering&, const NoteNumbering&) = default;
};

struct PageGeometry {
    double widthPt = 612.0;                // US Letter
    double heightPt = 792.0;
    double marginTopPt = 72.0;
    double marginBottomPt = 72.0;
    double marginLeftPt = 72.0;
    double marginRightPt = 72.0;
    double headerDistancePt = 36.0;        // from the page's top edge to the header
    double footerDistancePt = 36.0;        // from the page's bottom edge to the footer
    friend bool operator==(const PageGeometry&, const PageGeometry&) = default;
};

struct Section {
    PageGeometry page;
    std::vector<Block> blocks;
    std::vector<Block> header;             // repeated on every page of the section
    std::vector<Block> footer;
    SectionStart start = SectionStart::NewPage;
    SectionColumns columns;
    // Header and footer variants: the first page's when titlePage is set,
    // the even pages' when evenAndOddHeaders is (header and footer are then
    // the odd pages'). An empty variant is an empty header or footer.
    bool titlePage = false;
    bool evenAndOddHeaders = false;
    std::vector<Block> headerFirst, footerFirst;
    std::vector<Block> headerEven, footerEven;
    // Page numbers: restarted at pageNumberStart when set, shown in
    // pageNumberFormat by the page fields that name no format.
    std::optional<int> pageNumberStart;
    word::NumberFormat pageNumberFormat = word::NumberFormat::Decimal;
    double gridLinePitchPt = 0.0;          // a line grid: line heights snap to multiples of it (0: none)
    NoteNumbering footnoteNumbering;
    NoteNumbering endnoteNumbering{word::NumberFormat::LowerRoman};
    bool endnotesAtSectionEnd = false;     // else at the end of the document
};

// A footnote or an endnote: its text, referred to from the runs whose
// Run::note is its index. customMark is the mark the document gives
// instead of a number (empty: numbered).
struct Note {
    enum class Kind { Footnote, Endnote };
    Kind kind = Kind::Footnote;
    std::vector<Block> blocks;
    std::string customMark;
};

struct DocumentProperties {
    std::string title;
    std::string subject;
    std::string author;
    std::string keywords;
    std::string created;                   // ISO 8601, e.g. "2024-05-01T10:00:00Z"; may be empty
    std::string modified;
};

struct Document {
    DocumentProperties properties;
    std::vector<Section> sections;
    std::vector<Note> notes;
};

} // namespace fq::model
