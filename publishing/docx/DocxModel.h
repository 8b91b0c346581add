// The typed model of a WordprocessingML package, as read from the XML parts
// before any formatting is resolved. Values keep Word's units: lengths in
// twentieths of a point (twips) or EMU, font sizes in half points. An unset
// optional means "not specified here", so style inheritance can be applied
// later by the converter.
#pragma once

#include "publishing/model/Boxed.h"
#include "publishing/word/FieldCode.h"

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <variant>
#include <vector>

namespace fq::docx {

// ---------------------------------------------------------------- package

struct Relationship {
    std::string id;
    std::string type;          // full type URI
    std::string target;        // resolved part name ("word/media/a.png") or external URI
    bool external = false;
};

// Relationships of one part, by id.
using Relationships = std::map<std::string, Relationship>;

struct ContentTypes {
    std::map<std::string, std::string> defaults;   // extension (lower case) -> type
    std::map<std::string, std::string> overrides;  // part name without leading slash -> type
};

struct CoreProperties {
    std::string title, subject, creator, keywords, description, lastModifiedBy;
    std::string created, modified;
};

// ------------------------------------------------------------- properties

struct RunFonts {
    std::optional<std::string> ascii, hAnsi, eastAsia, cs;
    std::optional<std::string> asciiTheme, hAnsiTheme, eastAsiaTheme, csTheme;
};

// A border as w:pBdr, w:pgBorders, w:tblBorders and w:tcBorders write one
// side (w:top, w:insideH, ...).
struct BorderSpec {
    std::string val;                               // "single", "double", "dotted", "nil", ...
    std::optional<int> sizeEighths;                // w:sz, eighths of a point
    std::optional<int> spacePt;                    // w:space, distance from the text
    std::optional<std::string> color;              // "RRGGBB" or "auto"
};

struct RunProps {
    std::optional<std::string> styleId;
    model::Boxed<RunFonts> fonts;                  // w:rFonts
    std::optional<int> sizeHalfPt;
    std::optional<bool> bold, italic, strike, doubleStrike, smallCaps, caps, vanish;
    std::optional<std::string> underline;   // w:u/@w:val ("single", "double", "none", ...)
    std::optional<std::string> color;       // "RRGGBB" or "auto"
    std::optional<std::string> vertAlign;   // "superscript", "subscript", "baseline"
    std::optional<std::string> highlight;   // w:highlight/@w:val ("yellow", "none", ...)
    std::optional<std::string> shading;     // w:shd/@w:fill ("RRGGBB", "auto")
};

struct TabStop {
    std::string kind;          // "left", "center", "right", "decimal", "bar", "clear", ...
    int posTwips = 0;
    std::string leader;        // "none", "dot", "hyphen", "underscore", "heavy", "middleDot"
};

struct NumberingRef {
    std::optional<int> numId;
    std::optional<int> ilvl;
};

struct HeaderFooterRef {
    std::string kind;          // "default", "first", "even"
    std::string partName;      // resolved through the relationships
};

struct SectionProps {
    std::optional<int> pageWidth, pageHeight;      // twips
    std::optional<std::string> orient;
    std::optional<int> marginTop, marginBottom, marginLeft, marginRight;
    std::optional<int> marginHeader, marginFooter, gutter;
    std::optional<std::string> breakType;          // w:type: nextPage, continuous, ...
    bool titlePage = false;
    std::vector<HeaderFooterRef> headers, footers;
    // w:cols
    std::optional<int> columnCount, columnSpace;   // space in twips
    std::optional<bool> columnsEqualWidth, columnSeparator;
    std::vector<std::pair<int, int>> columns;      // w:col: width and space after, twips
    // w:pgNumType
    std::optional<int> pageNumberStart;
    std::optional<std::string> pageNumberFormat;
    // w:docGrid
    std::optional<std::string> gridType;
    std::optional<int> gridLinePitch;              // twips
    // w:footnotePr and w:endnotePr
    std::optional<std::string> footnoteFormat, endnoteFormat, footnoteRestart, endnoteRestart;
    std::optional<int> footnoteStart, endnoteStart;
    // w:pgBorders: the sides, measured from "page" or "text", shown on
    // "allPages", "firstPage" or "notFirstPage".
    model::Boxed<BorderSpec> pageBorderTop, pageBorderLeft, pageBorderBottom, pageBorderRight;
    std::string pageBorderOffsetFrom, pageBorderDisplay;
};

struct ParaProps {
    std::optional<std::string> styleId;
    std::optional<std::string> justification;      // w:jc
    std::optional<int> indLeft, indRight, indFirstLine, indHanging;   // twips
    std::optional<int> spaceBefore, spaceAfter;    // twips
    std::optional<bool> beforeAutospacing, afterAutospacing;
    std::optional<int> line;                       // 240ths of a line or twips by rule
    std::optional<std::string> lineRule;           // "auto", "exact", "atLeast"
    std::optional<bool> keepNext, pageBreakBefore, contextualSpacing;
    std::optional<bool> keepLines, widowControl, snapToGrid;
    std::optional<std::string> dropCap;            // w:framePr/@w:dropCap: "drop", "margin", "none"
    std::vector<TabStop> tabs;
    bool hasTabs = false;
    std::optional<NumberingRef> numbering;
    model::Boxed<BorderSpec> borderTop, borderLeft, borderBottom, borderRight, borderBetween;   // w:pBdr
    std::optional<std::string> shading;            // w:shd/@w:fill
    RunProps markRunProps;                         // w:pPr/w:rPr (paragraph mark)
    model::Boxed<SectionProps> section;            // a sectPr here ends a section
};

// ------------------------------------------------------------------ tables

struct BorderSet {
    model::Boxed<BorderSpec> top, left, bottom, right, insideH, insideV;
};

// w:shd: a pattern of one colour over a background.
struct ShadingSpec {
    std::optional<std::string> val;                // "clear", "solid", "pct20", "nil", ...
    std::optional<std::string> color;              // pattern colour, "RRGGBB" or "auto"
    std::optional<std::string> fill;               // background
};

// A measure with its unit (tblW, tcW, tblInd, cell margins and spacing).
struct TableWidth {
    int value = 0;                                 // twips, or fiftieths of a percent for "pct"
    std::string type = "dxa";                      // "dxa", "pct", "auto", "nil"
};

struct CellMarginSet {
    std::optional<TableWidth> top, left, bottom, right;
};

// tblLook flags.
inline constexpr int kLookFirstRow = 0x0020, kLookLastRow = 0x0040, kLookFirstColumn = 0x0080,
                     kLookLastColumn = 0x0100, kLookNoHBand = 0x0200, kLookNoVBand = 0x0400;

struct TableProps {
    std::optional<std::string> styleId;
    std::optional<std::string> justification;      // w:jc
    std::optional<TableWidth> width, indent, cellSpacing;
    BorderSet borders;
    model::Boxed<ShadingSpec> shading;
    CellMarginSet cellMargins;
    std::optional<int> look;                       // kLook* flags
    std::optional<int> rowBandSize, colBandSize;
    bool floating = false;                         // w:tblpPr present
    std::optional<std::string> layout;             // w:tblLayout: "fixed" or "autofit"
};

struct RowProps {
    std::optional<int> gridBefore, gridAfter;
    std::optional<TableWidth> widthBefore, widthAfter;   // w:wBefore, w:wAfter
    std::optional<int> height;                     // twips
    std::optional<std::string> heightRule;         // "auto", "atLeast", "exact"
    std::optional<bool> header, cantSplit;
    std::optional<TableWidth> cellSpacing;
    std::optional<BorderSet> exceptionBorders;     // w:tblPrEx/w:tblBorders
};

struct CellProps {
    std::optional<TableWidth> width;
    std::optional<int> gridSpan;
    std::optional<std::string> vMerge;             // "restart" or "continue"
    std::optional<std::string> hMerge;             // legacy horizontal merge
    BorderSet borders;
    model::Boxed<ShadingSpec> shading;
    CellMarginSet margins;
    std::optional<std::string> vAlign;             // "top", "center", "bottom"
};

// ------------------------------------------------------------------ body

struct Block;

struct Text { std::string text; };
struct Tab {};
struct Break { std::string kind; };                // "textWrapping" (default), "page", "column"
struct Symbol { std::string font; char32_t code = 0; };
struct FieldChar {
    std::string kind;                               // "begin", "separate", "end"
    model::Boxed<word::FormFieldState> form;        // w:ffData of a legacy form field's begin
};
struct InstrText { std::string text; };
struct NoteReference { bool endnote = false; int id = 0; bool customMark = false; };
struct NoteMark { bool endnote = false; };         // w:footnoteRef inside a note
struct Placeholder { std::string text; };          // a construct that is not carried

// Where a floating object sits, as written (EMU).
struct AxisPosition {
    std::string relativeFrom;
    std::optional<std::int64_t> offset;
    std::optional<std::string> align;
    std::optional<int> percentOffset;              // wp14:pctPos*Offset, thousandths of a percent
};

struct ImageRef {
    std::string partName;      // media part, empty when the image is linked or missing
    std::int64_t cx = 0, cy = 0;   // EMU
};

// A DrawingML colour as written: the kind of element (srgbClr, schemeClr,
// prstClr, sysClr; VML colours arrive as srgbClr), its value and the
// modifications that follow it (lumMod, lumOff, tint, shade, alpha in
// thousandths of a percent).
struct DmlColor {
    std::string kind;
    std::string value;
    std::vector<std::pair<std::string, int>> mods;
    bool set() const { return !kind.empty(); }
};

struct DmlFill {
    enum class Kind { Unset, None, Solid, Gradient, Picture, Pattern };
    Kind kind = Kind::Unset;
    DmlColor color;                                // solid, pattern foreground
    std::vector<std::pair<int, DmlColor>> stops;   // gradient stops, position in thousandths of a percent
    std::optional<int> angle;                      // linear gradient, 60000ths of a degree
    std::string picturePart;                       // picture fills
    std::optional<int> opacity;                    // VML opacity, thousandths of a percent
};

struct DmlLine {
    bool set = false;                              // a:ln present (or VML stroke attributes)
    std::optional<std::int64_t> width;             // EMU
    DmlFill fill;
    std::string dash;                              // a:prstDash value
    std::string headType, headWidth, headLength;   // a:headEnd
    std::string tailType, tailWidth, tailLength;   // a:tailEnd
};

// One step of a custom outline: M, L, C (two controls and an end), Q (one
// control and an end), Z, or A (arcTo: wR, hR, stAng, swAng in arc).
struct DmlPathStep {
    char op = 'M';
    std::vector<std::pair<double, double>> points;
    double arc[4] = {0, 0, 0, 0};
};

struct DmlPath {
    double w = 0, h = 0;                           // the path's coordinate space; 0: the shape's extent
    bool fill = true, stroke = true;
    std::vector<DmlPathStep> steps;
};

// The theme references of wps:style (index into the theme's matrix and the
// colour to use there).
struct ShapeStyleRefs {
    int lineIndex = 0, fillIndex = 0;
    DmlColor lineColor, fillColor, fontColor;
};

// A drawn shape of DrawingML (wps:wsp, a group's child) or VML, with its
// geometry, look and text, placed in its parent's coordinate space (the
// drawing's extent, or the group's child space).
struct DrawnShape {
    std::string preset;                            // DrawingML preset name; empty: custom or VML type
    int officeArtType = -1;                        // VML shape type (o:spt), when no preset name is known
    std::vector<std::pair<std::string, std::int64_t>> adjust;   // DrawingML guide values (adj, adj1 ...)
    std::vector<int> vmlAdjust;                    // VML adj values
    std::vector<DmlPath> paths;
    std::int64_t x = 0, y = 0, cx = 0, cy = 0;     // EMU in the parent's space
    int rotation = 0;                              // 60000ths of a degree, clockwise
    bool flipH = false, flipV = false;
    DmlFill fill;
    DmlLine line;
    std::optional<ShapeStyleRefs> style;
    bool textBox = false;
    std::vector<Block> text;                       // txbxContent
    std::optional<std::int64_t> insetLeft, insetTop, insetRight, insetBottom;   // EMU
    std::string textAnchor;                        // bodyPr anchor: t, ctr, b
    std::string wordArt;                           // VML v:textpath string
    std::string picturePart;                       // a picture in a group
    std::string description;
    bool group = false;
    std::int64_t childX = 0, childY = 0, childCx = 0, childCy = 0;   // a group's child space
    std::vector<DrawnShape> children;
};

// A DrawingML or VML object: pictures, text box content, or something that is
// not carried (chart, OLE object without preview).
struct Drawing {
    bool anchored = false;
    std::int64_t cx = 0, cy = 0;                   // extent in EMU
    AxisPosition horizontal, vertical;
    std::optional<std::pair<std::int64_t, std::int64_t>> simplePos;
    std::string description;
    std::vector<ImageRef> images;
    std::vector<std::vector<Block>> textBoxes;     // content of each text box
    std::vector<std::string> placeholders;         // e.g. "[chart]"
    std::vector<std::string> diagramParts;         // SmartArt data parts (their text is read)
    // Drawn shapes (their text boxes' content is theirs, not in textBoxes),
    // and how a floating drawing sits among the text: wp:wrap* element
    // ("none", "square", "tight", "through", "topAndBottom"), behindDoc,
    // relativeHeight (z-order) and the distances kept free (EMU).
    std::vector<DrawnShape> shapes;
    std::string wrap;
    bool behindDoc = false;
    std::int64_t zOrder = 0;
    std::int64_t distLeft = 0, distTop = 0, distRight = 0, distBottom = 0;
    std::vector<std::string> chartParts;           // c:chart parts (drawn from their cached values)
    // wp14:sizeRelH / sizeRelV: a size relative to the page or margins
    // (relativeFrom, thousandths of a percent; 0: the extent holds).
    std::string widthRelativeFrom, heightRelativeFrom;
    int percentWidth = 0, percentHeight = 0;
};

// Drawings are large and rare among a run's items: they are kept boxed.
using RunItem = std::variant<Text, Tab, Break, Symbol, FieldChar, InstrText,
                             NoteReference, NoteMark, model::Boxed<Drawing>, Placeholder>;

struct Run {
    RunProps props;
    std::vector<RunItem> items;
    std::string hyperlink;     // target when the run sits in a w:hyperlink
};

struct Paragraph {
    ParaProps props;
    std::vector<Run> runs;
};

struct TableCell {
    std::vector<Block> blocks;
    CellProps props;                               // w:tcPr
};

struct TableRow {
    std::vector<TableCell> cells;
    RowProps props;                                // w:trPr, w:tblPrEx
};

struct Table {
    TableProps props;                              // w:tblPr
    std::vector<int> gridTwips;                    // w:tblGrid column widths
    std::vector<TableRow> rows;
    bool savedByWord = false;                      // rows carry Word's revision ids: the grid is Word's layout
};

struct Block {
    std::variant<Paragraph, Table> content;
};

// A story: the main body, a header, a footer, or one note.
struct Story {
    std::vector<Block> blocks;
};

// ---------------------------------------------------------------- styles

// A table style's formatting of one region (w:tblStylePr: "firstRow",
// "band1Horz", "nwCell", ...), or of the whole table.
struct TableStyleRegion {
    ParaProps paraProps;
    RunProps runProps;
    TableProps table;
    RowProps row;
    CellProps cell;
};

struct Style {
    std::string id;
    std::string type;          // "paragraph", "character", "table", "numbering"
    std::string name;
    std::string aliases;       // w:aliases: other names, comma-separated
    std::optional<std::string> basedOn;
    bool isDefault = false;
    ParaProps paraProps;
    RunProps runProps;
    // Table styles: w:tblPr, w:trPr, w:tcPr and the conditional regions.
    TableProps tableProps;
    RowProps rowProps;
    CellProps cellProps;
    std::map<std::string, TableStyleRegion> regions;
};

struct ThemeFonts {
    std::string majorLatin, minorLatin, majorEastAsia, minorEastAsia, majorCs, minorCs;
    // The colour scheme: dk1, lt1, dk2, lt2, accent1..6, hlink, folHlink -> "RRGGBB".
    std::map<std::string, std::string> colors;
};

// w:latentStyles: how Word shows built-in styles the part does not define.
// They carry no formatting, only user-interface defaults.
struct LatentStyles {
    std::optional<bool> defLockedState, defSemiHidden, defUnhideWhenUsed, defQFormat;
    std::optional<int> defUIPriority, count;
    std::vector<std::string> exceptions;           // names of w:lsdException entries
};

struct Styles {
    LatentStyles latent;
    ParaProps defaultParaProps;                    // w:docDefaults/w:pPrDefault
    RunProps defaultRunProps;                      // w:docDefaults/w:rPrDefault
    std::map<std::string, Style> styles;
    std::optional<std::string> defaultParagraphStyle;
    std::optional<std::string> defaultCharacterStyle;
    std::optional<std::string> defaultTableStyle;
};

// ------------------------------------------------------------- numbering

struct NumberingLevel {
    int start = 1;
    std::string format = "decimal";                // w:numFmt
    std::string text;                              // w:lvlText, "%1." etc.
    bool hasText = false;
    std::optional<int> restart;                    // w:lvlRestart
    bool legal = false;                            // w:isLgl
    std::string suffix = "tab";                    // "tab", "space", "nothing"
    ParaProps paraProps;
    RunProps runProps;
};

struct AbstractNumbering {
    int id = 0;
    std::map<int, NumberingLevel> levels;
    std::optional<std::string> numStyleLink;
};

struct LevelOverride {
    std::optional<int> startOverride;
    std::optional<NumberingLevel> level;
};

struct NumberingInstance {
    int id = 0;
    int abstractId = 0;
    std::map<int, LevelOverride> overrides;
};

struct Numbering {
    std::map<int, AbstractNumbering> abstracts;
    std::map<int, NumberingInstance> instances;
};

// ----------------------------------------------------------------- charts

// A chart part (c:chartSpace) as far as showing it goes: the first plot's
// element name (barChart, lineChart, pieChart ...), bar direction, grouping,
// title, legend, and the cached values of each series.
struct ChartSeries {
    std::string name;
    std::vector<std::string> categories;
    std::vector<double> values;
    std::vector<double> xValues;
    DmlFill fill;                                  // c:spPr of the series
    DmlLine line;
    std::vector<std::pair<int, DmlFill>> pointFills;   // c:dPt: a point's own fill
};

struct ChartPart {
    std::string plot;                              // local name of the plot element
    std::string barDirection;                      // "bar" or "col"
    std::string grouping;                          // clustered, stacked, percentStacked, standard
    std::string scatterStyle;
    std::string title;
    bool legend = false;
    std::string legendPosition;
    std::vector<ChartSeries> series;
};

// --------------------------------------------------------------- document

struct Note {
    int id = 0;
    std::string type;          // "normal", "separator", "continuationSeparator", ...
    Story story;
};

// settings.xml: what the document says for all its sections.
struct Settings {
    bool evenAndOddHeaders = false;
    std::optional<std::string> endnotePosition;    // w:endnotePr/w:pos: "sectEnd" or "docEnd"
    std::optional<std::string> footnoteFormat, endnoteFormat, footnoteRestart, endnoteRestart;
    std::optional<int> footnoteStart, endnoteStart;
};

struct WordDocument {
    std::string sourcePath;                        // the file read, for FILENAME fields
    std::string sourceFileName;
    ContentTypes contentTypes;
    std::string mainPartName;
    CoreProperties core;
    Story body;
    model::Boxed<SectionProps> finalSection;       // w:body/w:sectPr
    Styles styles;
    ThemeFonts theme;
    std::set<std::string> symbolCharsetFonts;      // fonts of the symbol character set (font table)
    Numbering numbering;
    std::map<std::string, Story> headerFooterParts; // part name -> story
    std::map<int, Note> footnotes, endnotes;
    Settings settings;
    std::map<std::string, std::vector<std::uint8_t>> media;  // part name -> bytes
    std::map<std::string, std::vector<std::string>> diagramTexts;  // data part -> text of its nodes
    std::map<std::string, ChartPart> charts;                       // chart part name -> chart
    std::map<std::string, std::vector<DrawnShape>> diagramDrawings;  // SmartArt data part -> its stored drawing
    int compatibilityMode = 0;                     // w:compatSetting, 15 for Word 2013 and later; 0 unknown
};

} // namespace fq::docx
