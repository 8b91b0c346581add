// The neutral document model that every reader produces and the layout
// consumes. Lengths are in points (1/72 inch), text is UTF-8.
//
// A document is a list of sections; a section has a page geometry and a flow
// of blocks. A block is a paragraph (runs of uniformly formatted text, and
// the pictures that stand in its lines), a picture, an explicit page break,
// a table (whose cells hold blocks in turn) or a drawn shape (which may hold
// blocks as its text). Headers and footers hold blocks too. Character and
// paragraph properties are fully resolved: readers apply style inheritance,
// table styles and defaults, so the layout and the writer never look
// anything up.
#pragma once

#include "publishing/word/NumberFormat.h"

#include <cmath>
#include <cstdint>
#include <memory>
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
    std::optional<Color> highlight;        // background behind the characters (highlighting, shading)
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

// Lines around table cells, paragraphs and pages.
enum class BorderStyle { None, Single, Thick, Double, Dotted, Dashed, DotDash, DotDotDash, Triple, Wave };

struct Border {
    BorderStyle style = BorderStyle::None;
    double widthPt = 0.5;
    std::optional<Color> color;            // unset: automatic (black)
    double spacePt = 0.0;                  // distance from the text
    bool visible() const { return style != BorderStyle::None && widthPt > 0.0; }
    friend bool operator==(const Border&, const Border&) = default;
};

// The lines around a paragraph; between: the line between two paragraphs
// that share the same borders.
struct ParagraphBorders {
    Border top, left, bottom, right, between;
    bool any() const {
        return top.visible() || left.visible() || bottom.visible() || right.visible() || between.visible();
    }
    friend bool operator==(const ParagraphBorders&, const ParagraphBorders&) = default;
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
    ParagraphBorders borders;
    std::optional<Color> shading;          // background of the paragraph
    friend bool operator==(const ParaProps&, const ParaProps&) = default;
};

// Bmp: the bytes of a complete .bmp file; Dib: a device-independent bitmap
// without the 14-byte file header. The .doc reader delivers DIBs as Bmp.
enum class ImageFormat { Png, Jpeg, Gif, Bmp, Dib, Tiff, Emf, Wmf, Unknown };

// How the body text makes room for a floating picture or shape: not at all
// (the object stands in front of or behind the text), beside it on the
// larger side (square; tight and through wrap the same way here), or above
// and below it only.
enum class TextWrap { None, Square, Tight, Through, TopAndBottom };

// Where a floating picture or shape sits. The horizontal offset is measured
// from the page's left edge after the reader resolved the anchor's
// reference frame. The vertical offset is measured from the page's top
// edge, or, when the object moves with its paragraph, from the top of the
// paragraph that anchors it (the layout resolves that one).
struct FloatingAnchor {
    double xPt = 0.0;
    double yPt = 0.0;
    bool yFromParagraph = false;
    TextWrap wrap = TextWrap::None;
    bool behindText = true;                // with no wrap: behind the text, else in front of it
    int zOrder = 0;                        // larger stands in front among floating objects
    double wrapLeftPt = 9.0, wrapTopPt = 0.0, wrapRightPt = 9.0, wrapBottomPt = 0.0;   // room kept free
};
using PictureAnchor = FloatingAnchor;

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
    // An inline picture that stands in the line at this place of the text,
    // at its displayed size, on the baseline (a paragraph that holds
    // nothing but pictures gives them as blocks instead). The run's text is
    // empty; its properties are those of the text around the picture.
    std::shared_ptr<const Picture> picture;
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

// An explicit break: the flow goes on on the next page, or, for a column
// break, in the next column (on the next page after the last column).
struct PageBreak {
    bool column = false;
};

// ---------------------------------------------------------------- shapes

// The preset outlines of drawn shapes, numbered as Office's drawing format
// numbers them; both Word formats and the publication use this catalogue,
// and numbers not named here (up to 202) are valid presets too.
enum class PresetShape : std::uint16_t {
    Custom = 0,                            // the shape's own paths (ShapeGeometry::paths)
    Rectangle = 1, RoundRectangle = 2, Ellipse = 3, Diamond = 4, Triangle = 5, RightTriangle = 6,
    Parallelogram = 7, Trapezoid = 8, Hexagon = 9, Octagon = 10, Plus = 11, Star5 = 12, RightArrow = 13,
    HomePlate = 15, Cube = 16, Arc = 19, Line = 20, Plaque = 21, Can = 22, Donut = 23,
    StraightConnector = 32, BentConnector3 = 34, CurvedConnector3 = 38, Ribbon = 53, Chevron = 55,
    Pentagon = 56, NoSmoking = 57, Star8 = 58, Star16 = 59, Star32 = 60, Wave = 64, FoldedCorner = 65,
    LeftArrow = 66, DownArrow = 67, UpArrow = 68, LeftRightArrow = 69, UpDownArrow = 70,
    LightningBolt = 73, Heart = 74, QuadArrow = 76, Bevel = 84, LeftBracket = 85, RightBracket = 86,
    LeftBrace = 87, RightBrace = 88, Star24 = 92, BlockArc = 95, SmileyFace = 96, CircularArrow = 99,
    FlowChartProcess = 109, FlowChartDecision = 110, FlowChartTerminator = 116, FlowChartConnector = 120,
    TextPlain = 136,                       // WordArt: the text is the shape
    FlowChartAlternateProcess = 176, Sun = 183, Moon = 184, BracketPair = 185, BracePair = 186,
    Star4 = 187, DoubleWave = 188, TextBox = 202,
};

// One step of a custom outline, in the path's own coordinates.
struct PathCommand {
    enum class Op { MoveTo, LineTo, CubicTo, Close };
    Op op = Op::MoveTo;
    double x[3] = {0.0, 0.0, 0.0};         // CubicTo: two control points, then the end point
    double y[3] = {0.0, 0.0, 0.0};
};

struct ShapePath {
    std::vector<PathCommand> commands;
    bool filled = true;
    bool stroked = true;
};

struct ShapeGeometry {
    PresetShape preset = PresetShape::Rectangle;
    // A preset's adjustments, in the drawing format's units (most presets:
    // 0..21600 across the shape); empty: the preset's defaults.
    std::vector<int> adjust;
    // Custom outlines: paths in a coordinate space of this size, stretched
    // over the shape's rectangle.
    double pathWidth = 0.0, pathHeight = 0.0;
    std::vector<ShapePath> paths;
};

struct ShapeFill {
    enum class Kind { None, Solid, Gradient, Picture };
    Kind kind = Kind::None;
    Color color{255, 255, 255};
    double opacity = 1.0;                  // 0 transparent .. 1 opaque
    Color color2{255, 255, 255};           // gradients: the colour at the end
    double gradientAngleDeg = 90.0;        // direction of the gradient, 0 = left to right, 90 = top to bottom
    ImageFormat pictureFormat = ImageFormat::Unknown;
    std::vector<std::uint8_t> picture;     // picture fills: the image file's bytes
};

enum class LineDash { Solid, Dot, Dash, DashDot, DashDotDot, LongDash, LongDashDot, LongDashDotDot };
enum class ArrowHead { None, Triangle, Stealth, Diamond, Oval, Open };

struct LineEnd {
    ArrowHead head = ArrowHead::None;
    int width = 1;                         // 0 narrow, 1 medium, 2 wide
    int length = 1;                        // 0 short, 1 medium, 2 long
};

struct ShapeLine {
    bool visible = false;
    Color color{0, 0, 0};
    double widthPt = 0.75;
    LineDash dash = LineDash::Solid;
    LineEnd start, end;
};

// Room between a shape's outline and the text it holds.
struct TextInsets {
    double leftPt = 7.2, topPt = 3.6, rightPt = 7.2, bottomPt = 3.6;   // Word's defaults
};

enum class VerticalAlignment { Top, Center, Bottom };

struct Block;

// A drawn shape: a preset or custom outline with its fill and line,
// rotated and flipped about its centre, and the text it holds. A text box
// is a shape whose outline frames its text. Floating shapes carry their
// anchor; a shape without one stands in the flow like an inline picture.
struct DrawingShape {
    ShapeGeometry geometry;
    ShapeFill fill;
    ShapeLine line;
    double widthPt = 0.0;
    double heightPt = 0.0;
    double rotationDeg = 0.0;              // clockwise
    bool flipH = false, flipV = false;
    std::optional<FloatingAnchor> anchor;
    std::vector<Block> text;               // paragraphs (and what else a story holds) inside the shape
    TextInsets insets;
    VerticalAlignment textAlignment = VerticalAlignment::Top;
    bool textBox = false;
    std::string description;               // alternative text, if any
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

// A width as Word states the preferred width of a table, of a cell or of
// the room before or after a row's cells: in points, as a percentage, or
// left to the layout (auto).
struct PreferredWidth {
    enum class Unit { Auto, Points, Percent };
    Unit unit = Unit::Auto;
    double value = 0.0;                    // points, or percent (100: all of it)
    bool stated() const { return unit != Unit::Auto && std::isfinite(value) && value > 0.0; }
    friend bool operator==(const PreferredWidth&, const PreferredWidth&) = default;
};

// How the layout sizes a table's columns. Grid: the grid is what Word's
// own layout made of the table (the .doc format stores it so). Fixed: the
// preferred widths of the table, its rows and cells decide over the grid,
// whatever the content. AutoFit: as Fixed, then a column whose content
// does not fit is widened at the others' expense, and columns nothing
// gives a width are as wide as their content (Word's autofit).
enum class TableWidthRule { Grid, Fixed, AutoFit };

// How a cell takes part in a vertical merge. Every row lists its cells in
// grid order; a cell covered by the merge cell above it is present as a
// Continue cell without content, and the Restart cell that begins the
// merge carries the row span.
enum class VerticalMerge { None, Restart, Continue };

struct TableCell {
    std::vector<Block> blocks;
    int gridSpan = 1;                      // grid columns covered
    VerticalMerge verticalMerge = VerticalMerge::None;
    int rowSpan = 1;                       // rows covered (Restart cells; 1 otherwise)
    std::optional<double> widthPt;         // preferred width, when the document states one
    PreferredWidth preferredWidth;         // as stated; percent: of the table's width
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
    PreferredWidth widthBefore, widthAfter;   // of those columns; percent: of the room the table has
};

struct Table {
    std::vector<double> gridPt;            // widths of the grid columns
    std::vector<TableRow> rows;
    Alignment alignment = Alignment::Left; // Left, Center or Right of the text area
    double indentPt = 0.0;                 // left edge of the cells from the left margin (left-aligned tables);
                                           // negative when the table reaches into the margin
    TableBorders borders;
    CellMargins cellMargins;
    std::optional<Color> shading;          // the table's background, under the cells'
    double cellSpacingPt = 0.0;
    PreferredWidth preferredWidth;         // percent: of the room the table has (text area or cell)
    TableWidthRule widthRule = TableWidthRule::Grid;
};

using BlockVariant = std::variant<Paragraph, Picture, PageBreak, Table, DrawingShape>;

// A block of the flow. A struct rather than an alias so that tables and
// shapes can hold blocks; std::visit, std::get_if and std::holds_alternative take it
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

// Lines around the pages of a section. Each side's spacePt is its distance
// from the page's edge, or from the text area when fromText is set.
struct PageBorders {
    enum class Pages { All, First, AllButFirst };
    Border top, left, bottom, right;
    bool fromText = false;
    Pages pages = Pages::All;
    bool any() const { return top.visible() || left.visible() || bottom.visible() || right.visible(); }
};

struct Section {
    PageGeometry page;
    PageBorders pageBorders;
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
