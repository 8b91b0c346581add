// layOut: walks the sections and blocks of a document through the page
// builder (endnotes after their section or at the end), then fills in the
// page fields.
#include "publishing/layout/Layout.h"
#include "publishing/model/Budget.h"

#include "publishing/layout/PageBuilder.h"
#include "publishing/layout/PageFields.h"

#include <span>
#include <type_traits>

namespace fq::layout {

namespace {

bool floating(const model::Block& b) {
    if (const auto* p = std::get_if<model::Picture>(&b)) return p->anchor.has_value();
    if (const auto* s = std::get_if<model::DrawingShape>(&b)) return s->anchor.has_value();
    return false;
}

// The paragraph a floating object belongs to: the next one, past the other
// floating objects before it.
const model::Paragraph* anchoringParagraph(const std::vector<model::Block>& blocks, std::size_t i) {
    for (std::size_t k = i + 1; k < blocks.size(); ++k) {
        if (const auto* p = std::get_if<model::Paragraph>(&blocks[k])) return p;
        if (!floating(blocks[k])) return nullptr;
    }
    return nullptr;
}

void layOutBlocks(PageBuilder& builder, const std::vector<model::Block>& blocks) {
    for (std::size_t i = 0; i < blocks.size(); ++i) {
        model::checkBudget();
        const std::span<const model::Block> following(blocks.data() + i + 1, blocks.size() - i - 1);
        std::visit(
            [&](const auto& b) {
                using T = std::decay_t<decltype(b)>;
                if constexpr (std::is_same_v<T, model::Paragraph>) {
                    builder.addParagraph(b, following);
                } else if constexpr (std::is_same_v<T, model::Picture>) {
                    builder.addPicture(b, anchoringParagraph(blocks, i));
                } else if constexpr (std::is_same_v<T, model::PageBreak>) {
                    builder.pageBreak(b.column);
                } else if constexpr (std::is_same_v<T, model::Table>) {
                    builder.addTable(b);
                } else {
                    builder.addShape(b, anchoringParagraph(blocks, i));
                }
            },
            blocks[i]);
    }
}

} // namespace

model::Publication layOut(const model::Document& document) {
    model::Publication publication;
    publication.properties = document.properties;
    PageBuilder builder(publication);
    builder.setNotes(document.notes);
    for (const auto& section : document.sections) {
        builder.startSection(section);
        layOutBlocks(builder, section.blocks);
        if (section.endnotesAtSectionEnd) builder.addEndnotes(true);
    }
    builder.addEndnotes(false);
    builder.finish();
    fillPageFields(publication, builder.pageInfo());
    return publication;
}

} // namespace fq::layout
