// Resolving aligned tabs into left stops and leaders into characters.
#include "publishing/layout/TabLeaders.h"

#include "publishing/layout/FontResolver.h"

#include <QFontMetricsF>

#include <algorithm>
#include <cmath>

namespace fq::layout {

namespace {

QChar leaderCharacter(model::TabLeader leader) {
    switch (leader) {
    case model::TabLeader::Dots: return QChar('.');
    case model::TabLeader::Dashes: return QChar('-');
    case model::TabLeader::Underline:
    case model::TabLeader::Heavy: return QChar('_');
    case model::TabLeader::MiddleDots: return QChar(0x00B7);
    case model::TabLeader::None: break;
    }
    return QChar();
}

// The stop a tab that begins at x goes to: the first one after it.
const model::TabStop* stopAfter(const std::vector<model::TabStop>& stops, double x) {
    for (const auto& s : stops)
        if (s.positionPt > x + 0.5) return &s;
    return nullptr;
}

} // namespace

std::optional<model::Paragraph> withResolvedTabs(const model::Paragraph& paragraph, const MeasuredParagraph& measured) {
    const auto& stops = paragraph.props.tabs;
    const bool special = std::any_of(stops.begin(), stops.end(), [](const model::TabStop& s) {
        return s.alignment != model::TabAlignment::Left || s.leader != model::TabLeader::None;
    });
    if (!special || measured.tabs.empty()) return std::nullopt;

    model::Paragraph out = paragraph;
    // Left stops without leader stay; the others give way to the places
    // their tabs reached.
    std::vector<double> written;
    for (const auto& s : stops)
        if (s.alignment == model::TabAlignment::Left && s.leader == model::TabLeader::None) written.push_back(s.positionPt);
    // Replacements from the end, so that earlier offsets stay valid.
    struct Fill {
        int offset;
        QString text;
    };
    std::vector<Fill> fills;
    for (const MeasuredTab& tab : measured.tabs) {
        const model::TabStop* stop = stopAfter(stops, tab.startPt);
        if (!stop || (stop->alignment == model::TabAlignment::Left && stop->leader == model::TabLeader::None)) continue;
        const QChar leader = leaderCharacter(stop->leader);
        if (!leader.isNull()) {
            // The run the tab is in gives the leader's font.
            std::size_t run = 0;
            while (run + 1 < measured.runStarts.size() && measured.runStarts[run + 1] <= tab.offset) ++run;
            const model::CharProps& props = paragraph.runs.empty() ? model::CharProps{} : paragraph.runs[run].props;
            const double width = QFontMetricsF(FontResolver::instance().font(props)).horizontalAdvance(leader) /
                                 FontResolver::kUnitsPerPoint;
            const int count = width > 0.0 ? static_cast<int>(std::floor((tab.endPt - tab.startPt) / width)) : 0;
            if (count > 0) {
                fills.push_back({tab.offset, QString(count, leader)});
                continue;
            }
        }
        written.push_back(std::max(0.0, tab.endPt));
    }
    std::sort(written.begin(), written.end());
    written.erase(std::unique(written.begin(), written.end(), [](double a, double b) { return std::fabs(a - b) < 0.01; }),
                  written.end());
    out.props.tabs.clear();
    for (double x : written) out.props.tabs.push_back({x, model::TabAlignment::Left, model::TabLeader::None});
    out.props.tabStopsPt = written;

    std::sort(fills.begin(), fills.end(), [](const Fill& a, const Fill& b) { return a.offset > b.offset; });
    for (const Fill& fill : fills) {
        std::size_t run = 0;
        while (run + 1 < measured.runStarts.size() && measured.runStarts[run + 1] <= fill.offset) ++run;
        if (run >= out.runs.size()) continue;
        QString text = QString::fromStdString(out.runs[run].text);
        const int at = fill.offset - measured.runStarts[run];
        if (at < 0 || at >= text.size() || text[at] != u'\t') continue;
        text.replace(at, 1, fill.text);
        out.runs[run].text = text.toStdString();
    }
    return out;
}

} // namespace fq::layout
