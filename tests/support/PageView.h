// Test views of a laid-out page: its text, picture and table frames, each
// with its rectangle, in the order of the page's shapes. They live in the
// model's namespace so that argument-dependent lookup finds them.
#pragma once

#include "publishing/model/Publication.h"

#include <vector>

namespace fq::model {

struct PlacedText {
    Rect rect;
    std::vector<Paragraph> paragraphs;
    FrameRole role = FrameRole::Body;
};

struct PlacedPicture {
    Rect rect;
    ImageFormat format = ImageFormat::Unknown;
    std::vector<std::uint8_t> data;
    std::string description;
};

inline std::vector<PlacedText> textFramesOf(const model::Page& page) {
    std::vector<PlacedText> out;
    for (const auto& shape : page.shapes)
        if (const auto* t = std::get_if<model::TextFrame>(&shape.content))
            out.push_back({shape.rect, t->paragraphs, t->role});
    return out;
}

inline std::vector<PlacedPicture> pictureFramesOf(const model::Page& page) {
    std::vector<PlacedPicture> out;
    for (const auto& shape : page.shapes)
        if (const auto* p = std::get_if<model::PictureFrame>(&shape.content))
            out.push_back({shape.rect, p->format, p->data, p->description});
    return out;
}

struct PlacedTable {
    Rect rect;
    TableFrame table;
};

inline std::vector<PlacedTable> tableFramesOf(const model::Page& page) {
    std::vector<PlacedTable> out;
    for (const auto& shape : page.shapes)
        if (const auto* t = std::get_if<model::TableFrame>(&shape.content)) out.push_back({shape.rect, *t});
    return out;
}

// The drawn straight lines of a page (note separators, lines between columns).
inline std::vector<Rect> drawnLinesOf(const model::Page& page) {
    std::vector<Rect> out;
    for (const auto& shape : page.shapes)
        if (const auto* d = std::get_if<model::DrawingFrame>(&shape.content);
            d && d->geometry.preset == model::PresetShape::Line)
            out.push_back(shape.rect);
    return out;
}

} // namespace fq::model
