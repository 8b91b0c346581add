// Page number, page count, section pages and style references on laid-out pages.
#include "publishing/layout/PageFields.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace fq::layout {

namespace {

std::string lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

// The names of a style: its name and other names, apart at commas.
std::vector<std::string> names(const std::string& style) {
    std::vector<std::string> out;
    std::size_t from = 0;
    while (from <= style.size()) {
        const std::size_t comma = std::min(style.find(',', from), style.size());
        std::string name = lower(style.substr(from, comma - from));
        const auto first = name.find_first_not_of(' ');
        if (first != std::string::npos) out.push_back(name.substr(first, name.find_last_not_of(' ') - first + 1));
        from = comma + 1;
    }
    return out;
}

// The field names a paragraph's style when any of its names is one of the field's.
bool sameStyle(const std::vector<std::string>& wanted, const std::string& style) {
    for (const auto& name : names(style))
        if (std::find(wanted.begin(), wanted.end(), name) != wanted.end()) return true;
    return false;
}

// The text of the nearest paragraph of the style: the first one on the
// page, else the last one on the pages before; nullopt when there is none.
std::optional<std::string> styleReference(const std::vector<PageInfo>& pages, std::size_t page, const std::string& style) {
    const std::vector<std::string> wanted = names(style);
    for (const auto& [name, text] : pages[page].styled)
        if (sameStyle(wanted, name)) return text;
    for (std::size_t p = page; p-- > 0;)
        for (auto it = pages[p].styled.rbegin(); it != pages[p].styled.rend(); ++it)
            if (sameStyle(wanted, it->first)) return it->second;
    return std::nullopt;
}

} // namespace

void fillPageFields(model::Publication& publication, const std::vector<PageInfo>& pages) {
    std::map<std::size_t, int> sectionPages;
    for (const auto& info : pages) ++sectionPages[info.section];
    const std::string count = std::to_string(publication.pages.size());
    for (std::size_t i = 0; i < publication.pages.size(); ++i) {
        const PageInfo info = i < pages.size() ? pages[i] : PageInfo{0, static_cast<int>(i) + 1};
        auto fill = [&](std::vector<model::Paragraph>& paragraphs) {
            for (auto& paragraph : paragraphs) {
                for (auto& run : paragraph.runs) {
                    const word::NumberFormat format = run.fieldFormat.value_or(info.format);
                    switch (run.field) {
                    case model::FieldKind::PageNumber: run.text = word::formatNumber(info.number, format); break;
                    case model::FieldKind::PageCount:
                        run.text = run.fieldFormat ? word::formatNumber(static_cast<long long>(publication.pages.size()),
                                                                        *run.fieldFormat)
                                                   : count;
                        break;
                    case model::FieldKind::SectionPages:
                        run.text = word::formatNumber(sectionPages[info.section],
                                                      run.fieldFormat.value_or(word::NumberFormat::Decimal));
                        break;
                    case model::FieldKind::StyleRef:
                        // Without such a paragraph the field keeps the result the document stored.
                        if (i < pages.size())
                            if (auto text = styleReference(pages, i, run.fieldArgument)) run.text = *text;
                        break;
                    default: break;
                    }
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

void fillPageFields(model::Publication& publication) { fillPageFields(publication, {}); }

} // namespace fq::layout
