// Every table of the corpus documents arrives as a table: the top-level
// tables counted in each package's XML against the Table blocks the reader
// delivers, on both shared corpora.
#include "TableCount.h"

#include "publishing/docx/DocxReader.h"
#include "publishing/model/ConversionError.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>

namespace fs = std::filesystem;
using namespace fq;

TEST(DocxCorpusTables, EveryTopLevelTableArrivesAsATable) {
    std::vector<fs::path> files;
    for (const char* corpus : {"corpus", "corpus2"}) {
        const fs::path dir = fs::path(FQ_SHARED_DIR) / corpus / "docx";
        if (!fs::is_directory(dir)) continue;
        for (const auto& e : fs::directory_iterator(dir))
            if (e.is_regular_file() && e.path().extension() == ".docx" && e.path().filename().string()[0] != '.')
                files.push_back(e.path());
    }
    if (files.empty()) GTEST_SKIP() << "no corpus under " << FQ_SHARED_DIR;
    std::sort(files.begin(), files.end());
    int expected = 0, delivered = 0, documents = 0;
    for (const auto& f : files) {
        const auto counted = test::countPackageTables(f);
        if (!counted) continue;
        int read = 0;
        try {
            read = test::countModelTables(docx::readDocx(f));
        } catch (const model::ConversionError&) {
            continue;   // damaged or protected: the corpus test checks the message
        }
        EXPECT_EQ(read, *counted) << f.filename();
        if (*counted > 0) ++documents;
        expected += *counted;
        delivered += std::min(read, *counted);
    }
    std::printf("docx tables: %d counted in %d documents, %d delivered as tables\n", expected, documents, delivered);
    EXPECT_GT(expected, 0);
}
