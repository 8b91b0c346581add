// Word documents of the corpus through the whole engine, read back with
// libmspub's pub2raw.
#include "publishing/engine/Engine.h"

#include "EngineTestFiles.h"
#include "tests/support/Pub2Raw.h"

#include <gtest/gtest.h>

namespace fq::engine {
namespace {

using namespace test;

// The text of every paragraph of the document, without whitespace.
std::string compactText(const std::string& s) {
    std::string out;
    for (char c : s)
        if (!std::isspace(static_cast<unsigned char>(c))) out.push_back(c);
    return out;
}

std::string documentText(const model::Document& doc) {
    std::string s;
    for (const auto& sec : doc.sections)
        for (const auto& b : sec.blocks)
            if (const auto* p = std::get_if<model::Paragraph>(&b)) s += p->plainText();
    return s;
}

void roundTrip(const std::string& corpusName, const std::string& expectedSnippet) {
    ScratchFolder dir;
    const auto source = corpusFile(corpusName);
    const auto doc = readDocument(source);
    const auto target = dir / "out.pub";
    savePublication(doc, target, source);
    const auto raw = fq::test::runPub2Raw(target);
    ASSERT_TRUE(raw.started) << raw.output.substr(0, 400);
    ASSERT_FALSE(raw.pages.empty());
    const std::string text = compactText(raw.allText());
    EXPECT_NE(text.find(compactText(expectedSnippet)), std::string::npos) << corpusName;
    // Everything of the flow arrives (headers and footers may add more).
    EXPECT_GE(text.size(), compactText(documentText(doc)).size()) << corpusName;
}

TEST(EngineRoundTrip, DocxListsComeBackThroughPub2Raw) {
    roundTrip("docx/pandoc-lists.docx", "Some nested lists");
}

TEST(EngineRoundTrip, DocxWithPictureComeBackThroughPub2Raw) {
    ScratchFolder dir;
    const auto source = corpusFile("docx/pandoc-golden-image.docx");
    savePublication(readDocument(source), dir / "img.pub", source);
    const auto raw = fq::test::runPub2Raw(dir / "img.pub");
    ASSERT_TRUE(raw.started);
    std::size_t pictures = 0;
    for (const auto& page : raw.pages) pictures += page.pictures.size();
    EXPECT_GE(pictures, 1u);
}

TEST(EngineRoundTrip, DocComesBackThroughPub2Raw) {
    roundTrip("doc/poi-SampleDoc.doc", "");
}

} // namespace
} // namespace fq::engine
