// Every table of the corpus .doc files arrives as a table. LibreOffice
// converts each file to .docx once (kept in a temporary folder named after
// the files); the top-level tables counted in its XML are set against the
// Table blocks our reader delivers, on both shared corpora.
#include "../docx/TableCount.h"

#include "publishing/doc/DocReader.h"
#include "publishing/model/ConversionError.h"

#include <QProcess>
#include <QStringList>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>

namespace fs = std::filesystem;
using namespace fq;

namespace {

std::vector<fs::path> corpusDocs() {
    std::vector<fs::path> files;
    for (const char* corpus : {"corpus", "corpus2"}) {
        const fs::path dir = fs::path(FQ_SHARED_DIR) / corpus / "doc";
        if (!fs::is_directory(dir)) continue;
        for (const auto& e : fs::directory_iterator(dir)) {
            std::string ext = e.path().extension().string();
            std::transform(ext.begin(), ext.end(), ext.begin(), ::tolower);
            if (e.is_regular_file() && ext == ".doc" && e.path().filename().string()[0] != '.')
                files.push_back(e.path());
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

// LibreOffice's .docx of each file, by source path; made once per set of files.
std::map<fs::path, fs::path> libreOfficeCopies(const std::vector<fs::path>& files) {
    std::string key;
    for (const auto& f : files) key += f.string() + std::to_string(fs::file_size(f));
    const fs::path dir = fs::temp_directory_path() / ("fq-doc-tables-" + std::to_string(std::hash<std::string>{}(key)));
    std::map<fs::path, fs::path> out;
    // Two corpora may hold files of one name: each corpus converts into its own folder.
    std::map<fs::path, std::vector<fs::path>> byCorpus;
    for (const auto& f : files) byCorpus[f.parent_path()].push_back(f);
    int index = 0;
    for (const auto& [folder, sources] : byCorpus) {
        const fs::path target = dir / std::to_string(index++);
        if (!fs::exists(target / "complete")) {
            fs::create_directories(target);
            QStringList args{QString::fromStdString("-env:UserInstallation=file://" + (dir / "profile").string()),
                             "--headless", "--norestore", "--convert-to", "docx", "--outdir",
                             QString::fromStdString(target.string())};
            for (const auto& s : sources) args << QString::fromStdString(s.string());
            QProcess p;
            p.setProcessChannelMode(QProcess::MergedChannels);
            p.start("soffice", args);
            p.waitForStarted(30000);
            p.waitForFinished(600000);
            if (p.exitStatus() == QProcess::NormalExit) std::ofstream(target / "complete") << "ok";
        }
        for (const auto& s : sources) {
            const fs::path copy = target / (s.stem().string() + ".docx");
            if (fs::exists(copy)) out[s] = copy;
        }
    }
    return out;
}

} // namespace

TEST(DocCorpusTables, EveryTopLevelTableArrivesAsATable) {
    const auto files = corpusDocs();
    if (files.empty()) GTEST_SKIP() << "no corpus under " << FQ_SHARED_DIR;
    const auto copies = libreOfficeCopies(files);
    if (copies.empty()) GTEST_SKIP() << "LibreOffice converted none of the files";
    int expected = 0, delivered = 0, documents = 0, compared = 0;
    for (const auto& f : files) {
        const auto copy = copies.find(f);
        if (copy == copies.end()) continue;
        const auto counted = test::countPackageTables(copy->second);
        if (!counted) continue;
        int read = 0;
        try {
            read = test::countModelTables(doc::readDoc(f));
        } catch (const model::ConversionError&) {
            continue;   // not read by us: the corpus test checks the message
        }
        ++compared;
        EXPECT_EQ(read, *counted) << f.filename();
        if (*counted > 0) ++documents;
        expected += *counted;
        delivered += std::min(read, *counted);
    }
    std::printf("doc tables: %d counted by LibreOffice in %d documents (%d compared), %d delivered as tables\n",
                expected, documents, compared, delivered);
    EXPECT_GT(expected, 0);
}
