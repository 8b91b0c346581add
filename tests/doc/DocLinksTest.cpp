// The result of a HYPERLINK field carries the field's target.
#include "publishing/doc/DocReader.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace fq;

TEST(DocLinks, HyperlinkFieldResultsCarryTheirTarget) {
    const auto doc = doc::readDoc(std::filesystem::path(FQ_SHARED_DIR) / "corpus2" / "doc" / "phpword-Sample_11_ReadWord97.doc");
    std::string linked, other;
    for (const auto& section : doc.sections)
        for (const auto& block : section.blocks)
            if (const auto* p = std::get_if<model::Paragraph>(&block))
                for (const auto& r : p->runs) (r.link == "http://www.google.com/" ? linked : other) += r.text;
    EXPECT_FALSE(linked.empty());
    EXPECT_EQ(linked.find("HYPERLINK"), std::string::npos) << "the code stays hidden";
    EXPECT_FALSE(other.empty());
}
