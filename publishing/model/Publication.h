// A laid-out publication: what the layout produces and the .pub writer
// writes. Every page holds one list of shapes, back to front; each shape has
// its rectangle and one kind of content (a text frame, a picture, a table,
// a drawn shape).
// The writer carries every kind through the same path, in this order.
// Coordinates are points from the page's top left corner.
#pragma once

#include "publishing/model/Document.h"

#include <cstdint>
#include <variant>
#include <vector>

namespace fq::model {

struct Rect {
    double xPt = 0.0;
    double yPt = 0.0;
    double widthPt = 0.0;
    double heightPt = 0.0;
    friend bool operator==(const Rect&, const Rect&) = default;
};

// What a text frame is for; the writer and the tests tell the body's frames
// from the header's and footer's (and the footnotes' at a page's foot) by it.
enum class FrameRole { Body, Header, Footer, Other, Notes };

// A text frame. The paragraphs are exactly the lines that fit into it; a
// paragraph that continues in the next frame is split into two paragraphs.
// A section's columns are frames side by side, one per column, so that
// every reader breaks the columns where the layout did.
struct TextFrame {
    std::vector<Paragraph> paragraphs;
    FrameRole role = FrameRole::Body;
    // The body frames of one section carry the same flow number (counted
    // from 1), in reading order across its pages; 0: a frame on its own.
    std::uint32_t flow = 0;
    // The frame's last paragraph goes on in the next frame of its flow (the
    // layout split it between two lines).
    bool continues = false;
};

struct PictureFrame {
    ImageFormat format = ImageFormat::Unknown;
    std::vector<std::uint8_t> data;
    std::string description;
};

// One piece of a table as it stands on one page: the columns and rows of
// that piece (a table that continues on the next page is split between
// rows, or inside a row too tall for a page; header rows are repeated at
// the top of each further piece). Cells are listed row by row; a merged
// cell appears once, at its top left grid position, and covers the others.
struct TableFrameCell {
    int row = 0;
    int column = 0;                        // grid column
    int rowSpan = 1;
    int columnSpan = 1;
    std::vector<Paragraph> paragraphs;     // nested tables arrive as their text
    CellBorders borders;                   // resolved: every side set when it has a line
    std::optional<Color> shading;
    CellMargins margins;
    VerticalAlignment verticalAlignment = VerticalAlignment::Top;
    // How far below the cell's top margin its content begins once aligned
    // as verticalAlignment says in the row heights laid out; for whoever
    // shows the cell without aligning it itself.
    double contentOffsetPt = 0.0;
};

struct TableFrame {
    std::vector<double> columnWidthsPt;
    std::vector<double> rowHeightsPt;
    std::vector<TableFrameCell> cells;
};

// A drawn shape: outline, fill and line over the shape's rectangle,
// rotated and flipped about its centre, with the text it holds (which
// whoever shows the shape lays out inside the insets). wrap is the room the
// page's text keeps around it, as the publication's own setting.
struct DrawingFrame {
    ShapeGeometry geometry;
    ShapeFill fill;
    ShapeLine line;
    double rotationDeg = 0.0;
    bool flipH = false, flipV = false;
    std::vector<Paragraph> paragraphs;
    TextInsets insets;
    VerticalAlignment textAlignment = VerticalAlignment::Top;
    bool textBox = false;
    TextWrap wrap = TextWrap::None;
    std::string description;
};

using ShapeContent = std::variant<TextFrame, PictureFrame, TableFrame, DrawingFrame>;

struct Shape {
    Rect rect;
    ShapeContent content;
};

struct Page {
    double widthPt = 612.0;
    double heightPt = 792.0;
    std::vector<Shape> shapes;             // back to front
};

struct Publication {
    DocumentProperties properties;
    std::vector<Page> pages;
};

} // namespace fq::model
