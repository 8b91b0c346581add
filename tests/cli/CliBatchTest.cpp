// Batches as scripts run them: folder trees with -r, the JSON Lines report,
// quiet runs and the progress line on a terminal.
#include "tests/cli/CliRunner.h"
#include "tests/support/Pub2Raw.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>

namespace {

namespace fs = std::filesystem;
using namespace fq::test;

class CliBatch : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(tmp.isValid()); }
    fs::path dir() const { return fs::path(tmp.path().toStdString()); }
    static QString q(const fs::path& p) { return QString::fromStdString(p.string()); }
    fs::path place(const std::string& corpusName, const std::string& as) {
        const fs::path to = dir() / as;
        fs::create_directories(to.parent_path());
        fs::copy_file(corpus(corpusName), to);
        return to;
    }
    // The report's lines, each parsed, by source.
    static std::map<std::string, QJsonObject> readReport(const std::string& text, int* lines = nullptr) {
        std::map<std::string, QJsonObject> bySource;
        std::istringstream in(text);
        int count = 0;
        for (std::string line; std::getline(in, line); ++count) {
            QJsonParseError error{};
            const QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(line), &error);
            EXPECT_EQ(error.error, QJsonParseError::NoError) << line;
            bySource[doc.object().value("source").toString().toStdString()] = doc.object();
        }
        if (lines) *lines = count;
        return bySource;
    }
    static std::string readText(const fs::path& p) {
        std::ifstream in(p, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    QTemporaryDir tmp;
};

TEST_F(CliBatch, RecursiveRunKeepsTheFolderStructureAndTakesDocumentsByContent) {
    place("docx/pandoc-lists.docx", "in/a.docx");
    place("doc/poi-SampleDoc.doc", "in/sub/b.doc");
    place("docx/pandoc-golden-unicode.docx", "in/sub/deep/c.docx");
    place("docx/pandoc-lists.docx", "in/other/renamed.bin");
    fs::copy_file(fs::path(FQ_SHARED_DIR) / "reference/genuine/poi_51318.pub", dir() / "in/other/earlier.pub");
    writeFile(dir() / "in/other/notes.docx", "a text file with a Word name");
    writeFile(dir() / "in/other/~$a.docx", std::string(162, '\0'));
    fs::create_directory_symlink(dir() / "in", dir() / "in/sub/deep/back");   // a loop

    const auto r = run({"-r", "-j", "2", "-o", q(dir() / "out"), q(dir() / "in")});
    EXPECT_EQ(r.exitCode, 0) << r.err();
    for (const char* pub : {"a.pub", "sub/b.pub", "sub/deep/c.pub", "other/renamed.pub"})
        EXPECT_TRUE(isPublication(dir() / "out" / pub)) << pub << "\n" << r.err();
    for (const char* none : {"other/notes.pub", "other/earlier.pub", "other/~$a.pub", "sub/deep/back"})
        EXPECT_FALSE(fs::exists(dir() / "out" / none)) << none;
    EXPECT_TRUE(r.hasLine("converted: " + (dir() / "in/sub/b.doc").string() + " -> " +
                          (dir() / "out/sub/b.pub").string()))
        << r.err();
    ASSERT_FALSE(r.errLines.empty());
    EXPECT_EQ(r.errLines.back(), "4 converted, 0 failed");

    // Without -o each publication goes beside its document; relative names stay relative.
    const auto beside = run({"-r", "in/sub/deep"}, q(dir()));
    EXPECT_EQ(beside.exitCode, 0) << beside.err();
    EXPECT_TRUE(beside.hasLine("converted: in/sub/deep/c.docx -> in/sub/deep/c.pub")) << beside.err();
}

TEST_F(CliBatch, FoldersNeedRecursiveAndEmptyOnesAreSaidSo) {
    fs::create_directories(dir() / "docs");
    const auto r = run({q(dir() / "docs")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.hasLine("failed: " + (dir() / "docs").string() +
                          ": It is a folder; -r converts the Word documents in it."))
        << r.err();
    const auto empty = run({"-r", q(dir() / "docs")});
    EXPECT_EQ(empty.exitCode, 0) << empty.err();
    EXPECT_TRUE(empty.hasLine("folioquill-convert: no Word documents in " + (dir() / "docs").string())) << empty.err();
    EXPECT_EQ(empty.errLines.back(), "0 converted, 0 failed");
}

TEST_F(CliBatch, ReportHasOneLinePerDocumentWithPagesFromThePublication) {
    const auto one = place("doc/poi-SampleDoc.doc", "one.doc");
    const auto two = place("docx/pandoc-lists.docx", "two.docx");
    const auto clash = place("docx/pandoc-lists.docx", "again/two.docx");
    const auto bad = dir() / "bad.docx";
    writeFile(bad, "not a document");
    const auto report = dir() / "run.jsonl";
    const auto r = run({"-o", q(dir() / "out"), "--report", q(report), q(one), q(two), q(clash), q(bad)});
    EXPECT_EQ(r.exitCode, 1) << r.err();
    int lines = 0;
    const auto bySource = readReport(readText(report), &lines);
    EXPECT_EQ(lines, 4);
    for (const fs::path& good : {one, two}) {
        const QJsonObject o = bySource.at(good.string());
        const fs::path output = o.value("output").toString().toStdString();
        EXPECT_EQ(o.value("status").toString(), QStringLiteral("converted"));
        EXPECT_EQ(o.value("message").toString(), QString());
        EXPECT_EQ(output, dir() / "out" / (good.stem().string() + ".pub"));
        EXPECT_GT(o.value("seconds").toDouble(), 0.0);
        // The page count is that of the publication as libmspub reads it.
        EXPECT_EQ(o.value("pages").toInt(), static_cast<int>(runPub2Raw(output).pages.size())) << good;
    }
    for (const fs::path& failed : {clash, bad}) {
        const QJsonObject o = bySource.at(failed.string());
        EXPECT_EQ(o.value("status").toString(), QStringLiteral("failed"));
        EXPECT_TRUE(o.value("output").isNull());
        EXPECT_EQ(o.value("pages").toInt(-1), 0);
    }
    EXPECT_EQ(bySource.at(bad.string()).value("message").toString(), QStringLiteral("The file is not a Word document."));
    EXPECT_TRUE(bySource.at(clash.string()).value("message").toString().startsWith("Another document of this run"));
}

TEST_F(CliBatch, QuietRunShowsFailuresOnlyAndTheReportCanGoToStandardOutput) {
    const auto good = place("docx/pandoc-lists.docx", "good.docx");
    const auto bad = dir() / "bad.doc";
    writeFile(bad, "nothing");
    const auto r = run({"-q", "--report", "-", q(good), q(bad)});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err(), "failed: " + bad.string() + ": The file is not a Word document.\n");
    int lines = 0;
    const auto bySource = readReport(r.out, &lines);
    EXPECT_EQ(lines, 2);
    EXPECT_EQ(bySource.at(good.string()).value("status").toString(), QStringLiteral("converted"));

    // A report that cannot be written is a usage error, before anything is converted.
    const auto unwritable = run({"--report", q(dir() / "no/such/folder/r.jsonl"), q(good)});
    EXPECT_EQ(unwritable.exitCode, 2);
    EXPECT_TRUE(unwritable.hasLineStarting("folioquill-convert: the report file ")) << unwritable.err();
}

#ifndef _WIN32
TEST_F(CliBatch, ProgressLineOnATerminalOnlyAndNeverWiderThanIt) {
    QStringList files;
    for (int i = 0; i < 3; ++i) {
        const std::string n = std::to_string(i);
        files << q(place("doc/poi-SampleDoc.doc", "folder-with-a-long-name-" + n + "/doc-" + n + ".doc"));
    }
    const int columns = 50;
    const auto t = runOnTerminal(QStringList{"-j", "2", "-o", q(dir() / "out")} + files, columns);
    EXPECT_EQ(t.exitCode, 0) << t.output;
    EXPECT_NE(t.output.find("\r0 of 3 done"), std::string::npos) << t.output;
    EXPECT_NE(t.output.find("\r2 of 3 done, "), std::string::npos) << t.output;
    EXPECT_NE(t.output.find(" left: ..."), std::string::npos) << "the long name is not cut: " << t.output;
    // Every text between carriage returns and line ends fits the terminal.
    std::string piece;
    for (char c : t.output + "\n") {
        if (c == '\r' || c == '\n') {
            if (piece.rfind("converted: ", 0) != 0 && piece.rfind("failed: ", 0) != 0) {
                EXPECT_LT(piece.size(), static_cast<std::size_t>(columns)) << piece;
            }
            piece.clear();
        } else {
            piece.push_back(c);
        }
    }
    // The summary starts on a blanked line, the last thing written.
    const std::string summary = "\r3 converted, 0 failed\r\n";
    const std::size_t at = t.output.rfind(summary);
    ASSERT_NE(at, std::string::npos) << t.output;
    EXPECT_EQ(at + summary.size(), t.output.size());
    std::size_t blank = at;
    while (blank > 0 && t.output[blank - 1] == ' ') --blank;
    EXPECT_LT(blank, at) << t.output;
    EXPECT_EQ(t.output[blank - 1], '\r');

    const auto quiet = runOnTerminal(QStringList{"-q", "-o", q(dir() / "quiet")} + files, columns);
    EXPECT_EQ(quiet.exitCode, 0);
    EXPECT_EQ(quiet.output, "");
    const auto piped = run(QStringList{"-o", q(dir() / "piped")} + files);
    EXPECT_EQ(piped.err().find('\r'), std::string::npos) << piped.err();
    EXPECT_EQ(piped.err().find(" of 3 done"), std::string::npos) << piped.err();
}
#endif

} // namespace
