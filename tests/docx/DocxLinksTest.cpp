// Links reach the model's runs: w:hyperlink by relationship (with its
// anchor) or to a bookmark, and HYPERLINK fields.
#include "publishing/docx/DocxReader.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

using namespace fq;

namespace {

const std::filesystem::path kCorpus = std::filesystem::path(FQ_SHARED_DIR) / "corpus" / "docx";

// Link target -> the text of the runs carrying it, in order.
std::map<std::string, std::string> links(const model::Document& doc) {
    std::map<std::string, std::string> out;
    for (const auto& section : doc.sections)
        for (const auto& block : section.blocks)
            if (const auto* p = std::get_if<model::Paragraph>(&block))
                for (const auto& r : p->runs)
                    if (!r.link.empty()) out[r.link] += r.text;
    return out;
}

} // namespace

TEST(DocxLinks, HyperlinkElementsAndFields) {
    const auto elements = links(docx::readDocx(kCorpus / "pandoc-links.docx"));
    EXPECT_EQ(elements.at("http://google.com"), "external link");
    EXPECT_EQ(elements.at("http://pandoc.org/README.html#synopsis"), "external link");
    EXPECT_EQ(elements.at("#my_bookmark"), "internal link");
    for (const auto& [target, text] : elements) EXPECT_FALSE(text.empty()) << target;

    const auto fields = links(docx::readDocx(kCorpus / "pandoc-instrText_hyperlink.docx"));
    ASSERT_FALSE(fields.empty());
    for (const auto& [target, text] : fields) EXPECT_EQ(target.rfind("https://books.google.", 0), 0u) << target;
}
