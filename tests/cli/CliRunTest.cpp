// The real folioquill-convert program on fixture files in a temporary folder.
#include "tests/cli/CliRunner.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <csignal>

#include <algorithm>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using namespace fq::test;

class CliRun : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(tmp.isValid()); }
    fs::path dir() const { return fs::path(tmp.path().toStdString()); }
    QString q(const fs::path& p) const { return QString::fromStdString(p.string()); }
    fs::path copy(const std::string& corpusName, const std::string& as) {
        fs::copy_file(corpus(corpusName), dir() / as);
        return dir() / as;
    }
    QTemporaryDir tmp;
};

TEST_F(CliRun, HelpAndVersion) {
    const auto help = run({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.out.find("Usage: folioquill-convert [-o DIR] [-j N] FILE..."), std::string::npos);
    const auto version = run({"--version"});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.out, std::string("folioquill-convert ") + FQ_VERSION + "\n");
}

TEST_F(CliRun, UsageErrorsExitWithTwo) {
    EXPECT_EQ(run({}).exitCode, 2);
    EXPECT_EQ(run({"--frobnicate", "a.docx"}).exitCode, 2);
    EXPECT_EQ(run({"-j", "none", "a.docx"}).exitCode, 2);
    EXPECT_EQ(run({"a.docx", "-o"}).exitCode, 2);
    writeFile(dir() / "plain-file", "x");
    const auto r = run({"-o", q(dir() / "plain-file"), "a.docx"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(r.hasLineStarting("folioquill-convert: ")) << r.err();
}

TEST_F(CliRun, FailingFilesAmongGoodOnes) {
    const auto one = copy("docx/pandoc-lists.docx", "one.docx");
    const auto two = copy("doc/poi-SampleDoc.doc", "two.doc");
    const auto bad = dir() / "bad.docx";
    writeFile(bad, "this is not a Word document");
    const auto gone = dir() / "gone.docx";
    const auto out = dir() / "out";
    fs::create_directories(out);
    const auto r = run({"-o", q(out), "-j", "2", q(one), q(bad), q(two), q(gone)});
    EXPECT_EQ(r.exitCode, 1) << r.err();
    EXPECT_TRUE(isPublication(out / "one.pub"));
    EXPECT_TRUE(isPublication(out / "two.pub"));
    EXPECT_FALSE(fs::exists(out / "bad.pub"));
    EXPECT_FALSE(fs::exists(out / "gone.pub"));
    EXPECT_TRUE(r.hasLine("converted: " + one.string() + " -> " + (out / "one.pub").string())) << r.err();
    EXPECT_TRUE(r.hasLine("converted: " + two.string() + " -> " + (out / "two.pub").string())) << r.err();
    EXPECT_TRUE(r.hasLine("failed: " + bad.string() + ": The file is not a Word document.")) << r.err();
    EXPECT_TRUE(r.hasLineStarting("failed: " + gone.string() + ": The file cannot be read: ")) << r.err();
    ASSERT_FALSE(r.errLines.empty());
    EXPECT_EQ(r.errLines.back(), "2 converted, 2 failed");
}

TEST_F(CliRun, SingleFileBesideTheSourceExitsZero) {
    const auto src = copy("docx/pandoc-lists.docx", "report.v2.docx");
    const auto r = run({q(src)});
    EXPECT_EQ(r.exitCode, 0) << r.err();
    EXPECT_TRUE(isPublication(dir() / "report.v2.pub"));
    ASSERT_EQ(r.errLines.size(), 2u) << r.err();
    EXPECT_EQ(r.errLines[1], "1 converted, 0 failed");
}

TEST_F(CliRun, SeveralFilesOneJobAtATime) {
    const auto a = copy("docx/pandoc-lists.docx", "a.docx");
    const auto b = copy("docx/pandoc-golden-unicode.docx", "b.docx");
    const auto c = copy("doc/poi-SampleDoc.doc", "c.doc");
    const auto r = run({"-j", "1", q(a), q(b), q(c)});
    EXPECT_EQ(r.exitCode, 0) << r.err();
    for (const char* name : {"a.pub", "b.pub", "c.pub"}) EXPECT_TRUE(isPublication(dir() / name)) << name;
    EXPECT_EQ(r.errLines.back(), "3 converted, 0 failed");
}

TEST_F(CliRun, RelativeNamesAndAMissingOutputFolder) {
    copy("docx/pandoc-lists.docx", "rel.docx");
    const auto r = run({"-o", "made/here", "rel.docx"}, q(dir()));
    EXPECT_EQ(r.exitCode, 0) << r.err();
    EXPECT_TRUE(isPublication(dir() / "made" / "here" / "rel.pub"));
    EXPECT_TRUE(r.hasLine("converted: rel.docx -> made/here/rel.pub")) << r.err();
}

TEST_F(CliRun, TwoDocumentsWithOneBaseNameDoNotOverwriteEachOther) {
    fs::create_directories(dir() / "x");
    fs::create_directories(dir() / "y");
    const auto first = dir() / "x" / "same.docx";
    const auto second = dir() / "y" / "same.doc";
    fs::copy_file(corpus("docx/pandoc-lists.docx"), first);
    fs::copy_file(corpus("doc/poi-SampleDoc.doc"), second);
    const auto out = dir() / "out";
    const auto r = run({"-o", q(out), q(first), q(second)});
    EXPECT_EQ(r.exitCode, 1) << r.err();
    EXPECT_TRUE(r.hasLine("converted: " + first.string() + " -> " + (out / "same.pub").string())) << r.err();
    EXPECT_TRUE(r.hasLineStarting("failed: " + second.string() + ": Another document of this run")) << r.err();
    EXPECT_EQ(r.errLines.back(), "1 converted, 1 failed");
}

#ifdef __linux__
// The worker processes of a running converter, from /proc.
std::vector<int> childrenOf(qint64 pid) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/task/" + std::to_string(pid) + "/children");
    std::vector<int> out;
    for (int child; in >> child;) out.push_back(child);
    return out;
}

TEST_F(CliRun, AWorkerThatDiesCostsOnlyItsDocument) {
    QStringList args{"-j", "2", "-o", q(dir() / "out")};
    const int count = 10;
    for (int i = 0; i < count; ++i) {
        const auto f = copy("doc/poi-Bug50955.doc", "big" + std::to_string(i) + ".doc");
        args << q(f);
    }
    QProcess p;
    p.start(QStringLiteral(FQ_RUNTIME_DIR "/folioquill-convert"), args);
    ASSERT_TRUE(p.waitForStarted());
    std::vector<int> workers;
    for (int i = 0; i < 500 && workers.empty(); ++i) {
        workers = childrenOf(p.processId());
        if (workers.empty()) QThread::msleep(10);
    }
    ASSERT_FALSE(workers.empty());
    QThread::msleep(150);
    ::kill(workers.front(), SIGKILL);
    ASSERT_TRUE(p.waitForFinished(240000));
    std::istringstream err(p.readAllStandardError().toStdString());
    int converted = 0, stopped = 0;
    std::string last;
    for (std::string line; std::getline(err, line); last = line) {
        if (line.rfind("converted: ", 0) == 0) ++converted;
        if (line.find(": The converter stopped unexpectedly on this document.") != std::string::npos) ++stopped;
    }
    // At most the document in the killed worker is lost; the rest is converted.
    EXPECT_LE(stopped, 1);
    EXPECT_EQ(converted + stopped, count);
    EXPECT_EQ(last, std::to_string(converted) + " converted, " + std::to_string(stopped) + " failed");
    EXPECT_EQ(p.exitCode(), stopped ? 1 : 0);
    int pubs = 0;
    for (const auto& e : fs::directory_iterator(dir() / "out")) pubs += e.path().extension() == ".pub";
    EXPECT_EQ(pubs, converted);
    for (const auto& e : fs::directory_iterator(dir() / "out"))
        EXPECT_NE(e.path().filename().string()[0], '.') << "left behind: " << e.path();
}
#endif

#ifndef _WIN32
TEST_F(CliRun, ACrashOnASingleDocumentIsStillReported) {
    // One document is converted inside the main process; a crash there (here
    // a segmentation-fault signal sent during the conversion) must still give
    // the document's line and the summary. The signal has to land during the
    // conversion, so a few delays are tried.
    const auto src = copy("doc/poi-Bug50955.doc", "big.doc");
    for (int delayMs : {150, 80, 300, 40, 600}) {
        fs::remove_all(dir() / "out");   // what an attempt that came too late wrote
        QProcess p;
        p.start(QStringLiteral(FQ_RUNTIME_DIR "/folioquill-convert"), {"-o", q(dir() / "out"), q(src)});
        ASSERT_TRUE(p.waitForStarted());
        QThread::msleep(delayMs);
        ::kill(static_cast<pid_t>(p.processId()), SIGSEGV);
        ASSERT_TRUE(p.waitForFinished(240000));
        const std::string err = p.readAllStandardError().toStdString();
        if (p.exitStatus() != QProcess::NormalExit || err.find("converted: ") != std::string::npos) continue;
        EXPECT_EQ(p.exitCode(), 1);
        EXPECT_EQ(err, "failed: " + src.string() + ": The converter stopped unexpectedly on this document.\n"
                       "0 converted, 1 failed\n");
        EXPECT_FALSE(fs::exists(dir() / "out" / "big.pub"));
        if (fs::exists(dir() / "out"))
            for (const auto& e : fs::directory_iterator(dir() / "out")) ADD_FAILURE() << "left behind: " << e.path();
        return;
    }
    FAIL() << "the signal never arrived during the conversion";
}
#endif

TEST_F(CliRun, SourceIsNeverOverwritten) {
    // A ".pub" document converted into its own folder would replace itself.
    const auto src = copy("docx/pandoc-lists.docx", "self.pub");
    const auto before = fs::file_size(src);
    const auto r = run({q(src)});
    EXPECT_EQ(r.exitCode, 1) << r.err();
    EXPECT_TRUE(r.hasLineStarting("failed: " + src.string() + ": ")) << r.err();
    EXPECT_EQ(fs::file_size(src), before);
}

} // namespace

TEST_F(CliRun, LinkedFramesReachEveryConversion) {
    // One file is converted in the process itself, two go to workers: the
    // option reaches both. A chained frame carries block 28 in Contents.
    const auto one = copy("docx/poi-SampleDoc.docx", "one.docx");   // two pages
    const auto two = copy("docx/pandoc-lists.docx", "two.docx");
    auto chained = [&](const fs::path& pub) {
        QProcess p;
        p.start(QStringLiteral("/usr/bin/python3"), {QStringLiteral(FQ_SHARED_DIR "/tools/pubdump"),
                                                    QStringLiteral("--section"), QStringLiteral("contents"), q(pub)});
        p.waitForFinished(120000);
        return p.readAllStandardOutput().contains("frame index in chain");
    };
    ASSERT_EQ(run({"--linked-frames", "-o", q(dir() / "single"), q(one)}).exitCode, 0);
    EXPECT_TRUE(chained(dir() / "single" / "one.pub"));
    ASSERT_EQ(run({"--linked-frames", "-j", "2", "-o", q(dir() / "pool"), q(one), q(two)}).exitCode, 0);
    EXPECT_TRUE(chained(dir() / "pool" / "one.pub"));
    ASSERT_EQ(run({"-o", q(dir() / "plain"), q(one)}).exitCode, 0);
    EXPECT_FALSE(chained(dir() / "plain" / "one.pub"));
    EXPECT_NE(run({"--help"}).out.find("--linked-frames"), std::string::npos);
}
