// The window's run on the built-in engine in its converter process, with
// the worker's test hook making it crash or hang on chosen documents: the
// run goes on with the next document, reports the one that was lost at its
// step, and leaves nothing behind.
#include "app/Form1.h"
#include "platform/builtin/WorkerPublishing.h"
#include "tests/support/TestPlatform.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>

#include <fstream>
#include <string>

namespace fq::test {
namespace {

const QString corpusDocx = QStringLiteral(FQ_SHARED_DIR "/corpus/docx/");

bool isPublication(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && file.read(8) == QByteArray("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8);
}

// The processes this test program started that are still there.
int childProcesses()
{
    int count = 0;
    for (const QString& task : QDir(QStringLiteral("/proc/self/task")).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        std::ifstream in("/proc/self/task/" + task.toStdString() + "/children");
        for (int pid; in >> pid;) ++count;
    }
    return count;
}

class ConversionWorker : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(temp.isValid()); }
    void TearDown() override { qunsetenv("FQ_TEST_WORKER_FAULT"); }

    // Queues copies of corpus documents under the given names and runs
    // "Start Converting" with the results in the temporary folder.
    void run(const std::vector<std::pair<QString, QString>>& documents, const char* fault, int timeoutMs = 300000)
    {
        qputenv("FQ_TEST_WORKER_FAULT", fault);
        platform::WorkerSettings settings;
        settings.program = FQ_RUNTIME_DIR "/folioquill-convert";
        settings.operationTimeoutMs = timeoutMs;
        settings.whileWaiting = [this] { tp.windows.processPendingEvents(); };
        platform::WorkerPublishingFactory factory(settings);
        tp.publishing = &factory;
        app::Form1 form(tp.get());
        QDir(temp.path()).mkdir(QStringLiteral("in"));
        for (const auto& [corpusName, name] : documents) {
            const QString copy = temp.filePath(QStringLiteral("in/") + name);
            ASSERT_TRUE(QFile::copy(corpusDocx + corpusName, copy));
            form.ListView1->Add(copy);
        }
        form.Option1->click();
        form.Text1->setText(temp.path());
        form.PushButton2->click();
    }

    // The files the run left in the output folder, hidden ones included.
    QStringList written() const { return QDir(temp.path()).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot); }

    QTemporaryDir temp;
    TestPlatform tp;
};

TEST_F(ConversionWorker, ACrashCostsOnlyItsDocument)
{
    run({{QStringLiteral("pandoc-lists.docx"), QStringLiteral("first.docx")},
         {QStringLiteral("pandoc-already_auto_ident.docx"), QStringLiteral("crash-me.docx")},
         {QStringLiteral("pandoc-already_auto_ident.docx"), QStringLiteral("last.docx")}},
        "crash:crash-me");

    const QStringList errors = tp.windows.errorTexts();
    ASSERT_EQ(errors.size(), 1) << errors.join(u'\n').toStdString();
    EXPECT_TRUE(errors[0].contains(QStringLiteral("The converter stopped unexpectedly on this document.")))
        << errors[0].toStdString();
    EXPECT_TRUE(errors[0].contains(QStringLiteral("crash-me.pub")));
    EXPECT_TRUE(errors[0].contains(QStringLiteral("PushButton2_Click at line 134")));
    ASSERT_FALSE(tp.windows.messages.empty());
    EXPECT_EQ(tp.windows.messages.back().text, QStringLiteral("Done."));
    EXPECT_EQ(written(), (QStringList{QStringLiteral("first.pub"), QStringLiteral("last.pub")}));
    EXPECT_TRUE(isPublication(temp.filePath(QStringLiteral("first.pub"))));
    EXPECT_TRUE(isPublication(temp.filePath(QStringLiteral("last.pub"))));
    EXPECT_EQ(childProcesses(), 0);
}

TEST_F(ConversionWorker, ARunawayDocumentIsStoppedAtTheLimit)
{
    run({{QStringLiteral("pandoc-lists.docx"), QStringLiteral("hang.docx")},
         {QStringLiteral("pandoc-lists.docx"), QStringLiteral("after.docx")}},
        "hang:hang.docx", 8000);

    const QStringList errors = tp.windows.errorTexts();
    ASSERT_EQ(errors.size(), 1) << errors.join(u'\n').toStdString();
    EXPECT_TRUE(errors[0].contains(QStringLiteral("The conversion took too long and was stopped.")))
        << errors[0].toStdString();
    EXPECT_TRUE(errors[0].contains(QStringLiteral("at line 134")));
    EXPECT_EQ(tp.windows.messages.back().text, QStringLiteral("Done."));
    EXPECT_EQ(written(), QStringList{QStringLiteral("after.pub")});
    // The window was asked to let its events run all along.
    EXPECT_GT(tp.windows.processEventsCalls, 50);
}

TEST_F(ConversionWorker, ClosingTheWindowDuringAConversionEndsTheWorker)
{
    // The first event batch is the run's own before the document; the
    // second arrives while the worker is busy with it.
    tp.windows.pendingEvents.push_back({});
    tp.windows.pendingEvents.push_back([this] { tp.windows.endProgram(); });
    run({{QStringLiteral("pandoc-lists.docx"), QStringLiteral("hang.docx")}}, "hang:hang.docx");

    EXPECT_TRUE(tp.windows.errorTexts().isEmpty()) << tp.windows.errorTexts().join(u'\n').toStdString();
    EXPECT_TRUE(tp.windows.messages.empty() || tp.windows.messages.back().text != QStringLiteral("Done."));
    EXPECT_EQ(childProcesses(), 0);
    EXPECT_TRUE(written().isEmpty()) << written().join(u' ').toStdString();
}

} // namespace
} // namespace fq::test
