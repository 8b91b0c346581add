// A laid-out publication: what the layout produces and the .pub writer
// writes. Every page lists the frames placed on it. Coordinates are points
// from the page's top left corner.
#pragma once

#include "publishing/model/Document.h"

#include <vector>

namespace fq::model {

struct Rect {
    double xPt = 0.0;
    double yPt = 0.0;
    double widthPt = 0.0;
    double heightPt = 0.0;
};

// A text frame. The paragraphs are exactly the lines that fit into it; a
// paragraph that continues in the next frame is split into two paragraphs.
struct TextFrame {
    Rect rect;
    std::vector<Paragraph> paragraphs;
};

struct PictureFrame {
    Rect rect;
    ImageFormat format = ImageFormat::Unknown;
    std::vector<std::uint8_t> data;
    std::string description;
};

struct Page {
    double widthPt = 612.0;
    double heightPt = 792.0;
    std::vector<TextFrame> textFrames;       // in reading order
    std::vector<PictureFrame> pictureFrames;
};

struct Publication {
    DocumentProperties properties;
    std::vector<Page> pages;
};

} // namespace fq::model
