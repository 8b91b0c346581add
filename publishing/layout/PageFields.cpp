// Page number and page count fields on laid-out pages.
#include "publishing/layout/PageFields.h"

#include <string>
#include <vector>

namespace fq::layout {

void fillPageFields(model::Publication& publication) {
    const std::string count = std::to_string(publication.pages.size());
    for (std::size_t i = 0; i < publication.pages.size(); ++i) {
        const std::string number = std::to_string(i + 1);
        auto fill = [&](std::vector<model::Paragraph>& paragraphs) {
            for (auto& paragraph : paragraphs) {
                for (auto& run : paragraph.runs) {
                    if (run.field == model::FieldKind::PageNumber) run.text = number;
                    else if (run.field == model::FieldKind::PageCount) run.text = count;
                }
            }
        };
        for (auto& shape : publication.pages[i].shapes) {
            if (auto* frame = std::get_if<model::TextFrame>(&shape.content)) fill(frame->paragraphs);
            else if (auto* table = std::get_if<model::TableFrame>(&shape.content))
                for (auto& cell : table->cells) fill(cell.paragraphs);
            else if (auto* drawing = std::get_if<model::DrawingFrame>(&shape.content)) fill(drawing->paragraphs);
        }
    }
}

} // namespace fq::layout
