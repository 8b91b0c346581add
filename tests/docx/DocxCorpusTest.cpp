// The docx reader over the shared corpus: every document reads or fails with
// one of the user messages, and the text LibreOffice extracts from each
// document is found, in order, in what the reader produced.
#include "tests/support/ReferenceText.h"
#include "TextMatch.h"

#include "publishing/docx/DocxReader.h"
#include "publishing/model/ConversionError.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;
using namespace fq;

namespace {

const fs::path corpus = fs::path(FQ_SHARED_DIR) / "corpus";

bool isUserMessage(const std::string& m) {
    return m == model::messages::notAWordDocument || m == model::messages::passwordProtected ||
           m == model::messages::versionNotSupported || m.rfind(model::messages::damagedPrefix, 0) == 0;
}

std::string readAll(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

std::vector<fs::path> filesIn(const fs::path& dir, const std::string& ext) {
    std::vector<fs::path> out;
    if (!fs::is_directory(dir)) return out;
    for (const auto& e : fs::directory_iterator(dir))
        if (e.is_regular_file() && e.path().extension() == ext) out.push_back(e.path());
    std::sort(out.begin(), out.end());
    return out;
}

} // namespace

TEST(DocxCorpus, EveryDocumentReadsAndKeepsTheReferenceText) {
    const auto files = filesIn(corpus / "docx", ".docx");
    if (files.empty()) GTEST_SKIP() << "no corpus at " << corpus;
    std::size_t good = 0, totalRef = 0, totalMatched = 0;
    std::printf("%-70s %8s %8s %7s\n", "file", "ref", "found", "%");
    for (const auto& f : files) {
        const std::string name = f.filename().string();
        const auto ref = docx::test::significantChars(
            fq::test::withoutExportedBullets(readAll(corpus / "reference-text" / (name + ".txt"))));
        try {
            const model::Document doc = docx::readDocx(f);
            const auto result = docx::test::matchInOrder(ref, docx::test::significantChars(docx::test::documentText(doc)));
            totalRef += result.referenceChars;
            totalMatched += result.matched;
            if (result.ratio() >= 0.99) ++good;
            std::printf("%-70s %8zu %8zu %6.1f%%\n", name.c_str(), result.referenceChars, result.matched,
                        100.0 * result.ratio());
        } catch (const model::ConversionError& e) {
            totalRef += ref.size();
            std::printf("%-70s %8zu %8s  error: %s\n", name.c_str(), ref.size(), "-", e.what());
            EXPECT_TRUE(isUserMessage(e.what())) << name << ": " << e.what();
        }
    }
    std::printf("files %zu, at >= 99%%: %zu; characters %zu of %zu (%.2f%%)\n", files.size(), good, totalMatched,
                totalRef, totalRef ? 100.0 * double(totalMatched) / double(totalRef) : 100.0);
    EXPECT_GE(double(good), 0.95 * double(files.size()));
}

TEST(DocxCorpus, BadInputEndsInAClearMessageOrADocument) {
    const auto files = filesIn(corpus / "bad", ".docx");
    if (files.empty()) GTEST_SKIP() << "no corpus at " << corpus;
    for (const auto& f : files) {
        try {
            const model::Document doc = docx::readDocx(f);
            EXPECT_FALSE(doc.sections.empty()) << f.filename();
        } catch (const model::ConversionError& e) {
            EXPECT_TRUE(isUserMessage(e.what())) << f.filename() << ": " << e.what();
            std::printf("%-80s %s\n", f.filename().string().c_str(), e.what());
        }
    }
}

TEST(DocxCorpus, EncryptedPackageIsReportedAsPasswordProtected) {
    const fs::path f = corpus / "bad" / "poi-bug53475-password-is-solrcell.docx";
    if (!fs::exists(f)) GTEST_SKIP();
    try {
        docx::readDocx(f);
        FAIL() << "an encrypted package was read";
    } catch (const model::ConversionError& e) {
        EXPECT_STREQ(e.what(), model::messages::passwordProtected);
    }
}

TEST(DocxCorpus, ExternalEntityIsNeverResolved) {
    const fs::path f = corpus / "bad" / "poi-ExternalEntityInText.docx";
    if (!fs::exists(f)) GTEST_SKIP();
    try {
        const model::Document doc = docx::readDocx(f);
        const std::string text = docx::test::documentText(doc);
        // Nothing of the local file system may appear in the document.
        EXPECT_EQ(text.find("root:"), std::string::npos);
    } catch (const model::ConversionError& e) {
        EXPECT_TRUE(isUserMessage(e.what())) << e.what();
    }
}
