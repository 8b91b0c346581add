// Tables flattened into tab-separated lines.
#include "publishing/layout/TableText.h"

#include <algorithm>
#include <cmath>

namespace fq::layout {

namespace {

model::Run textRun(const std::string& text, const model::CharProps& props) {
    model::Run r;
    r.text = text;
    r.props = props;
    return r;
}

// The runs of a cell's blocks, paragraphs apart by line breaks; props: the
// properties of the last run added, for the separators.
void appendCell(const std::vector<model::Block>& blocks, model::Paragraph& line, model::CharProps& props, bool& first) {
    for (const auto& block : blocks) {
        if (const auto* p = std::get_if<model::Paragraph>(&block)) {
            if (!first) line.runs.push_back(textRun("\n", props));
            first = false;
            for (const auto& r : p->runs) {
                line.runs.push_back(r);
                props = r.props;
            }
            if (p->runs.empty() && !line.runs.empty()) props = line.runs.back().props;
        } else if (const auto* t = std::get_if<model::Table>(&block)) {
            for (const auto& nested : tableAsLines(*t)) {
                if (!first) line.runs.push_back(textRun("\n", props));
                first = false;
                for (const auto& r : nested.runs) {
                    line.runs.push_back(r);
                    props = r.props;
                }
            }
        }
    }
}

const model::Paragraph* firstParagraph(const std::vector<model::Block>& blocks) {
    for (const auto& b : blocks)
        if (const auto* p = std::get_if<model::Paragraph>(&b)) return p;
    return nullptr;
}

} // namespace

std::vector<model::Paragraph> tableAsLines(const model::Table& table) {
    std::vector<model::Paragraph> lines;
    for (const auto& row : table.rows) {
        model::Paragraph line;
        const model::Paragraph* lead = nullptr;
        for (const auto& cell : row.cells)
            if ((lead = firstParagraph(cell.blocks))) break;
        if (lead) {
            line.props = lead->props;
            line.props.tabStopsPt.clear();
            line.props.leftIndentPt = line.props.rightIndentPt = line.props.firstLineIndentPt = 0.0;
        }
        model::CharProps props = lead && !lead->runs.empty() ? lead->runs.front().props : model::CharProps{};
        double at = 0.0;
        int column = std::max(0, row.gridBefore);
        for (int c = 0; c < column && c < static_cast<int>(table.gridPt.size()); ++c) at += table.gridPt[c];
        for (std::size_t i = 0; i < row.cells.size(); ++i) {
            const auto& cell = row.cells[i];
            if (i > 0) {
                line.runs.push_back(textRun("\t", props));
                if (std::isfinite(at) && at > 0.0) line.props.tabStopsPt.push_back(at);
            }
            bool first = true;
            appendCell(cell.blocks, line, props, first);
            for (int c = column; c < column + std::max(1, cell.gridSpan) && c < static_cast<int>(table.gridPt.size()); ++c)
                at += table.gridPt[c];
            column += std::max(1, cell.gridSpan);
        }
        std::sort(line.props.tabStopsPt.begin(), line.props.tabStopsPt.end());
        line.props.tabStopsPt.erase(std::unique(line.props.tabStopsPt.begin(), line.props.tabStopsPt.end()),
                                    line.props.tabStopsPt.end());
        lines.push_back(std::move(line));
    }
    return lines;
}

} // namespace fq::layout
