// "Load Sample/Example Files" with the program folder pointing at a
// temporary folder that holds a Samples folder, and the samples we ship.
#include "tests/intake/IntakeFixture.h"

#include <QDir>
#include <QFile>
#include <QPushButton>

#include <zip.h>

namespace fq::test {
namespace {

const QString question = QStringLiteral(
    "Would you like this software to open the folder where these sample files are stored (so that you can view them "
    "before working with them)?");

class IntakeSamples : public FormFixture {
protected:
    void SetUp() override
    {
        FormFixture::SetUp();
        tp.shell.program = tree.root();
        one = tree.file(QStringLiteral("Samples/Sample1.doc"));
        two = tree.file(QStringLiteral("Samples/Sample2.docx"));
    }

    void click(platform::Answer answer = platform::Answer::No)
    {
        tp.windows.answers.push_back(answer);
        form->PushButton6_Click();
    }

    QString one, two;
};

TEST_F(IntakeSamples, BothSamplesAppendedInListingOrderThenTheQuestion)
{
    form->ListView1->Add(QStringLiteral("/already/there.doc"));
    tp.windows.onMessage = [&](const ShownMessage&) { EXPECT_EQ(form->ListView1->Count(), 3); };
    click();
    EXPECT_EQ(items(), (QStringList{"/already/there.doc", one, two}));
    ASSERT_EQ(tp.windows.messages.size(), 1u);
    const ShownMessage& m = tp.windows.messages[0];
    EXPECT_EQ(m.text, question);
    EXPECT_EQ(m.buttons, platform::Buttons::YesNo);
    EXPECT_EQ(m.icon, platform::Icon::None);
    EXPECT_EQ(m.title, QStringLiteral("Folioquill Test"));
    EXPECT_TRUE(tp.shell.opened.isEmpty());
}

TEST_F(IntakeSamples, SecondClickAppendsNothingButAsksAgain)
{
    click();
    click();
    EXPECT_EQ(items(), (QStringList{one, two}));
    EXPECT_EQ(plainMessages(), (QStringList{question, question}));
}

TEST_F(IntakeSamples, RemovedSampleIsAppendedAgainAtTheEnd)
{
    click();
    form->ListView1->Add(QStringLiteral("/other.doc"));
    form->ListView1->Remove(1);
    click();
    EXPECT_EQ(items(), (QStringList{two, QStringLiteral("/other.doc"), one}));
}

TEST_F(IntakeSamples, OtherSpellingOfASampleDoesNotCount)
{
    const QString doubled = tree.root() + QStringLiteral("//Samples/Sample1.doc");
    form->ListView1->Add(doubled);
    click();
    EXPECT_EQ(items(), (QStringList{doubled, one, two}));
}

TEST_F(IntakeSamples, YesOpensTheSampleFolder)
{
    click(platform::Answer::Yes);
    EXPECT_EQ(tp.shell.opened, QStringList{QLatin1Char('"') + tree.path(QStringLiteral("Samples")) + QDir::separator() + QLatin1Char('"')});
    click(platform::Answer::No);
    EXPECT_EQ(tp.shell.opened.size(), 1);
}

TEST_F(IntakeSamples, EveryFileIsASampleButSubFoldersAreNotSearched)
{
    const QString text = tree.file(QStringLiteral("Samples/read me.txt"));
    tree.file(QStringLiteral("Samples/more/inner.doc"));
    click();
    EXPECT_EQ(items(), (QStringList{one, two, text}));
}

TEST_F(IntakeSamples, MissingFolderAddsNothingAndStillAsks)
{
    tp.shell.program = tree.path(QStringLiteral("nowhere"));
    click();
    EXPECT_EQ(form->ListView1->Count(), 0);
    EXPECT_EQ(plainMessages(), QStringList{question});
    EXPECT_TRUE(tp.windows.errorTexts().isEmpty());
}

TEST_F(IntakeSamples, ButtonClickLoadsThem)
{
    form->PushButton6->click();
    EXPECT_EQ(items(), (QStringList{one, two}));
}

// The samples shipped in data/Samples: at least one docx and one doc, each a
// real document of its kind that shows headings, emphasis, a list, a table
// and a picture.
class IntakeShippedSamples : public ::testing::Test {
protected:
    QDir samples{QStringLiteral(FQ_SOURCE_DIR "/data/Samples")};

    QByteArray unzip(const QString& archive, const QString& member)
    {
        int error = 0;
        zip_t* z = zip_open(QFile::encodeName(archive).constData(), ZIP_RDONLY, &error);
        if (!z) return {};
        QByteArray out;
        if (zip_file_t* f = zip_fopen(z, member.toUtf8().constData(), 0)) {
            char buffer[8192];
            zip_int64_t n = 0;
            while ((n = zip_fread(f, buffer, sizeof buffer)) > 0) out.append(buffer, qsizetype(n));
            zip_fclose(f);
        }
        zip_close(z);
        return out;
    }
};

TEST_F(IntakeShippedSamples, DocxShowsWhatTheConverterCarries)
{
    const QStringList docx = samples.entryList({QStringLiteral("*.docx")}, QDir::Files);
    ASSERT_FALSE(docx.isEmpty());
    for (const QString& name : docx) {
        const QString path = samples.filePath(name);
        const QByteArray body = unzip(path, QStringLiteral("word/document.xml"));
        ASSERT_FALSE(body.isEmpty()) << name.toStdString();
        EXPECT_TRUE(body.contains("w:val=\"Heading1\"")) << name.toStdString();
        EXPECT_TRUE(body.contains("<w:b/>")) << name.toStdString();
        EXPECT_TRUE(body.contains("<w:i/>")) << name.toStdString();
        EXPECT_TRUE(body.contains("<w:numPr>")) << name.toStdString();
        EXPECT_TRUE(body.contains("<w:tbl>")) << name.toStdString();
        EXPECT_TRUE(body.contains("<w:drawing>")) << name.toStdString();
        const QByteArray png = unzip(path, QStringLiteral("word/media/image1.png"));
        EXPECT_TRUE(png.startsWith("\x89PNG\r\n\x1a\n")) << name.toStdString();
    }
}

TEST_F(IntakeShippedSamples, DocIsACompoundFileWithAWordStream)
{
    const QStringList doc = samples.entryList({QStringLiteral("*.doc")}, QDir::Files);
    ASSERT_FALSE(doc.isEmpty());
    for (const QString& name : doc) {
        QFile f(samples.filePath(name));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        const QByteArray bytes = f.readAll();
        EXPECT_TRUE(bytes.startsWith(QByteArray::fromHex("D0CF11E0A1B11AE1"))) << name.toStdString();
        // The directory names the main stream in UTF-16.
        EXPECT_TRUE(bytes.contains(QByteArray("W\0o\0r\0d\0D\0o\0c\0u\0m\0e\0n\0t\0", 24))) << name.toStdString();
    }
}

} // namespace
} // namespace fq::test
