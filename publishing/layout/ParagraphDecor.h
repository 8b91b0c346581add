// Paragraph borders and shading as drawn shapes behind the text. Paragraphs
// that follow each other with the same borders, shading and indents share
// one box, with the line between them where the borders ask for one; a box
// that continues on the next page is closed at the bottom of the page and
// opened again at the top of the next.
#pragma once

#include "publishing/model/Publication.h"

#include <optional>
#include <vector>

namespace fq::layout {

class ParagraphDecor {
public:
    // A paragraph's first line on this page begins at top; left and right
    // are the edges of the frame it is set in.
    void paragraph(const model::ParaProps& props, double left, double right, double top);
    // Its text so far reaches down to bottom.
    void extend(double bottom);
    // The paragraph ended (its space after follows).
    void paragraphEnd() { inParagraph_ = false; }
    // Something other than a paragraph comes: the box closes.
    void interrupt();
    // The page ends; a paragraph that goes on continues its box at newTop
    // of the next page (pass nothing when no page follows yet).
    void pageEnds();
    void pageBegins(double top);
    // The same for the next column of a page, between left and right.
    void columnBegins(double left, double right, double top);
    // The shapes of the boxes closed so far on this page, back to front.
    std::vector<model::Shape> take();

private:
    struct Group {
        model::ParaProps props;             // borders and shading that define the box
        double left = 0.0, right = 0.0;     // the text's edges
        double top = 0.0, bottom = 0.0;     // the text's top and bottom
        std::vector<double> between;        // where one paragraph meets the next
    };
    void close();

    std::optional<Group> group_;
    bool inParagraph_ = false;
    std::vector<model::Shape> shapes_;
};

} // namespace fq::layout
