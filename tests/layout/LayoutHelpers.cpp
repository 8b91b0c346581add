#include "LayoutHelpers.h"

#include <cstdio>
#include "tests/support/PageView.h"

namespace fq::layout::test {

model::Paragraph paragraph(const std::string& text, const std::string& font, double size) {
    model::Paragraph p;
    model::Run r;
    r.text = text;
    r.props.font = font;
    r.props.sizePt = size;
    p.runs.push_back(r);
    return p;
}

model::Section section(std::vector<model::Block> blocks, model::PageGeometry page) {
    model::Section s;
    s.page = page;
    s.blocks = std::move(blocks);
    return s;
}

model::Document document(std::vector<model::Section> sections) {
    model::Document d;
    d.sections = std::move(sections);
    return d;
}

std::string frameText(const model::PlacedText& frame) {
    std::string s;
    for (const auto& p : frame.paragraphs) s += p.plainText() + "\n";
    return s;
}

std::string flowText(const model::Publication& pub) {
    std::string s;
    for (const auto& page : pub.pages)
        for (const auto& f : textFramesOf(page))
            for (const auto& p : f.paragraphs) s += p.plainText();
    return s;
}

std::string flowText(const model::Document& doc) {
    std::string s;
    for (const auto& sec : doc.sections)
        for (const auto& b : sec.blocks)
            if (const auto* p = std::get_if<model::Paragraph>(&b)) s += p->plainText();
    return s;
}

std::vector<model::PlacedText> bodyFrames(const model::Page& page, const model::PageGeometry& g) {
    std::vector<model::PlacedText> out;
    for (const auto& f : textFramesOf(page)) {
        // A frame's top may stand above the margin where its first line's
        // text is set lower in its line; its foot never reaches past the body.
        if (f.role == model::FrameRole::Body && f.rect.yPt >= g.marginTopPt - 30.0 &&
            f.rect.yPt + f.rect.heightPt <= page.heightPt - g.marginBottomPt + 0.01)
            out.push_back(f);
    }
    return out;
}

std::string difference(const std::string& actual, const std::string& expected) {
    if (actual == expected) return {};
    std::size_t i = 0;
    while (i < actual.size() && i < expected.size() && actual[i] == expected[i]) ++i;
    const auto around = [i](const std::string& s) { return s.substr(i > 20 ? i - 20 : 0, 60); };
    return "lengths " + std::to_string(actual.size()) + " vs " + std::to_string(expected.size()) +
           ", first difference at " + std::to_string(i) + ": \"" + around(actual) + "\" vs \"" +
           around(expected) + "\"";
}

std::string numberedWords(int count, int first) {
    std::string s;
    char buf[16];
    for (int i = 0; i < count; ++i) {
        std::snprintf(buf, sizeof buf, "w%04d", first + i);
        if (i) s += ' ';
        s += buf;
    }
    return s;
}

} // namespace fq::layout::test
