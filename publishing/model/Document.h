// The neutral document model that every reader produces and the layout
// consumes. Lengths are in points (1/72 inch), text is UTF-8.
//
// A document is a list of sections; a section has a page geometry and a flow
// of blocks. A block is a paragraph (runs of uniformly formatted text), a
// picture or an explicit page break. Character and paragraph properties are
// fully resolved: readers apply style inheritance and defaults, so the
// layout and the writer never look anything up.
#pragma once

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
    std::vector<double> tabStopsPt;        // positions from the left indent
    friend bool operator==(const ParaProps&, const ParaProps&) = default;
};

// A field whose result depends on the page the run lands on. The run's text
// holds the result the document stored; the layout replaces it with the
// number of the page it lays the run out on, or the number of pages.
enum class FieldKind { None, PageNumber, PageCount };

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

struct PageBreak {};

using Block = std::variant<Paragraph, Picture, PageBreak>;

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
    std::vector<Paragraph> header;         // repeated on every page of the section
    std::vector<Paragraph> footer;
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
};

} // namespace fq::model
