// List labels of real documents against independent oracles: LibreOffice's
// labels for a long Chinese-counting list, the numbers Word wrote into a
// table of contents, and a list that restarts through level overrides.
#include "DocxTestUtil.h"
#include "publishing/docx/DocxReader.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>

namespace fs = std::filesystem;
using namespace fq;

namespace {

const fs::path kCorpus2 = fs::path(FQ_SHARED_DIR) / "corpus2";

std::string readAll(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// The document's items are "<label>|<tab><value>"; LibreOffice's text has
// "<label>| <value>" for each.
TEST(DocxCorpusLists, ChineseCountingAsLibreOfficeCountsIt) {
    const fs::path f = kCorpus2 / "docx" / "oxpt-LIR009-zh-CN-chineseCounting.docx";
    if (!fs::exists(f)) GTEST_SKIP();
    std::map<std::string, std::string> expected;       // value -> label
    std::istringstream ref(readAll(kCorpus2 / "reference-text" / (f.filename().string() + ".txt")));
    const std::regex refLine(R"(^\s*(\S+)\| (\d+)\s*$)"), ourLine(R"(^(\S+)\|\t(\d+)$)");
    for (std::string line; std::getline(ref, line);) {
        std::smatch m;
        if (std::regex_match(line, m, refLine)) expected[m[2]] = m[1];
    }
    ASSERT_GT(expected.size(), 3000u);
    std::size_t compared = 0;
    for (const std::string& t : docx::test::texts(docx::readDocx(f))) {
        std::smatch m;
        if (!std::regex_match(t, m, ourLine) || !expected.count(m[2])) continue;
        ++compared;
        EXPECT_EQ(m[1].str(), expected[m[2]]) << "item " << m[2];
    }
    EXPECT_EQ(compared, expected.size());
}

// Word wrote the headings' labels ("第１章", full-width digits) into the
// table of contents; the headings themselves must show the same.
TEST(DocxCorpusLists, HeadingLabelsMatchWordsTableOfContents) {
    const fs::path f = kCorpus2 / "docx" / "docxrs-toc1.docx";
    if (!fs::exists(f)) GTEST_SKIP();
    std::vector<std::string> toc, headings;
    for (const std::string& t : docx::test::texts(docx::readDocx(f))) {
        const std::size_t tab = t.find('\t');
        if (tab == std::string::npos || t.rfind("第", 0) != 0) continue;
        const bool tocEntry = t.find('\t', tab + 1) != std::string::npos;   // label, title, page
        (tocEntry ? toc : headings).push_back(t.substr(0, tab));
    }
    ASSERT_EQ(toc.size(), 4u);
    std::vector<std::string> titled;          // the heading without a title left out
    for (const auto& h : headings)
        if (h != "第２節") titled.push_back(h);
    EXPECT_EQ(titled, toc);
}

// A Pages document restarts its lists with w:lvlOverride/w:startOverride
// and goes back to the plain instance afterwards, which continues.
TEST(DocxCorpusLists, StartOverridesRestartAndThePlainInstanceContinues) {
    const fs::path f = kCorpus2 / "docx" / "docx2py-created-in-pages-bulleted-lists.docx";
    if (!fs::exists(f)) GTEST_SKIP();
    std::string labels;
    for (const std::string& t : docx::test::texts(docx::readDocx(f)))
        if (const std::size_t tab = t.find('\t'); tab != std::string::npos) labels += t.substr(0, tab) + " ";
    EXPECT_EQ(labels, "1. A. B. C. 2. D. E. F. ");
}

} // namespace
