// List labels and symbols of real documents against independent oracles:
// the text authors typed after each item to say what Word shows, and the
// characters LibreOffice reads.
#include "DocTestSupport.h"
#include "publishing/doc/DocReader.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace fs = std::filesystem;
using namespace fq;

namespace {

const fs::path kCorpus2 = fs::path(FQ_SHARED_DIR) / "corpus2" / "doc";

std::vector<std::string> paragraphTexts(const model::Document& d) {
    std::vector<std::string> out;
    for (const auto& s : d.sections)
        for (const auto& b : s.blocks)
            if (const auto* p = std::get_if<model::Paragraph>(&b)) out.push_back(p->plainText());
    return out;
}

// Each item of this document is "label<tab>the label Word shows, typed":
// restarts, skipped levels, legal numbering and level overrides (LFOLVL).
TEST(DocCorpusLists, LabelsAreWhatTheAuthorSawInWord) {
    const fs::path f = kCorpus2 / "tika-testWORD_override_list_numbering.doc";
    if (!fs::exists(f)) GTEST_SKIP() << "no " << f;
    std::size_t compared = 0;
    for (const std::string& t : paragraphTexts(doc::readDoc(f))) {
        const std::size_t tab = t.find('\t');
        if (tab == std::string::npos || tab == 0 || static_cast<unsigned char>(t[0]) >= 0x80) continue;  // bullets
        ++compared;
        EXPECT_EQ(t.substr(0, tab), t.substr(tab + 1)) << t;
    }
    EXPECT_GE(compared, 40u);
}

// Bullets that a list override (LFOLVL) redefines, and symbols inserted
// from the Symbol font (sprmCSymbol), whose stand-in in the text is "(".
TEST(DocCorpusLists, OverriddenBulletsAndSymbolCharacters) {
    const fs::path bullets = kCorpus2 / "tika-test_TIKA-1251.doc";
    const fs::path symbols = kCorpus2 / "wv-symbol.doc";
    if (!fs::exists(bullets) || !fs::exists(symbols)) GTEST_SKIP();
    std::size_t items = 0;
    for (const std::string& t : paragraphTexts(doc::readDoc(bullets))) {
        EXPECT_NE(t.rfind("*\t", 0), 0u) << t;
        if (t.rfind("\u2022\t", 0) == 0) ++items;
    }
    EXPECT_GE(items, 35u);

    const std::string text = doc::test::bodyText(doc::readDoc(symbols));
    const std::string ref = doc::test::readFile(symbols.parent_path().parent_path() / "reference-text" / "wv-symbol.doc.txt");
    const auto fid = doc::test::inOrderMatch(doc::test::toUtf32(ref), doc::test::toUtf32(text));
    EXPECT_EQ(fid.found, fid.referenceChars);
    EXPECT_EQ(text.find('('), std::string::npos);
}

} // namespace
