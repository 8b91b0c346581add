// Accessors over a read document for the docx fixture tests.
#include "DocxTestUtil.h"

namespace fq::docx::test {

std::vector<model::Paragraph> paragraphs(const model::Document& doc) {
    std::vector<model::Paragraph> out;
    for (const auto& s : doc.sections)
        for (const auto& b : s.blocks)
            if (const auto* para = std::get_if<model::Paragraph>(&b)) out.push_back(*para);
    return out;
}

std::vector<model::Picture> pictures(const model::Document& doc) {
    std::vector<model::Picture> out;
    for (const auto& s : doc.sections)
        for (const auto& b : s.blocks)
            if (const auto* pic = std::get_if<model::Picture>(&b)) out.push_back(*pic);
    return out;
}

std::vector<std::string> texts(const model::Document& doc) {
    std::vector<std::string> out;
    for (const auto& para : paragraphs(doc)) out.push_back(para.plainText());
    return out;
}

namespace {

const model::Run* runIn(const std::vector<model::Block>& blocks, const std::string& needle) {
    for (const auto& b : blocks) {
        if (const auto* para = std::get_if<model::Paragraph>(&b)) {
            for (const auto& r : para->runs)
                if (r.text.find(needle) != std::string::npos) return &r;
        } else if (const auto* t = std::get_if<model::Table>(&b)) {
            for (const auto& row : t->rows)
                for (const auto& cell : row.cells)
                    if (const model::Run* r = runIn(cell.blocks, needle)) return r;
        }
    }
    return nullptr;
}

} // namespace

const model::Run* runWith(const model::Document& doc, const std::string& needle) {
    for (const auto& s : doc.sections)
        if (const model::Run* r = runIn(s.blocks, needle)) return r;
    return nullptr;
}

std::string p(const std::string& text, const std::string& pPr, const std::string& rPr) {
    std::string x = "<w:p>";
    if (!pPr.empty()) x += "<w:pPr>" + pPr + "</w:pPr>";
    x += "<w:r>";
    if (!rPr.empty()) x += "<w:rPr>" + rPr + "</w:rPr>";
    return x + "<w:t xml:space=\"preserve\">" + text + "</w:t></w:r></w:p>";
}

} // namespace fq::docx::test
