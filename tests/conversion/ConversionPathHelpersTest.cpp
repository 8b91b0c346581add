// The path helpers under both path styles: every example row for Windows
// paths and its POSIX counterpart, the 16-bit position limit, the folder
// test and the list lookup.
#include "conversion/PathHelpers.h"

#include "filelist/ListView.h"
#include "platform/PlatformError.h"
#include "platform/qt/QtFileSystem.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace fq::conversion {
namespace {

constexpr PathStyle win = PathStyle::Windows;
constexpr PathStyle posix = PathStyle::Posix;

struct Row {
    const char16_t* input;
    const char16_t* expected;
};

QString q(const char16_t* s) { return QString::fromUtf16(s); }

TEST(ConversionPathHelpers, CollapseWindowsExamples)
{
    const Row rows[] = {
        {uR"(D:\Out\\Report.pub)", uR"(D:\Out\Report.pub)"},
        {uR"(D:\Out\Report.pub)", uR"(D:\Out\Report.pub)"},
        {uR"(a\\\b)", uR"(a\\b)"},
        {uR"(\\host\share\\r.pub)", uR"(\\host\share\r.pub)"},
        {uR"(\\\\host\a)", uR"(\\host\a)"},
        {uR"(\x\\y)", uR"(\\x\y)"},
        {uR"(\)", uR"(\\)"},
    };
    for (const Row& r : rows)
        EXPECT_EQ(CollapseBackslashes(q(r.input), win), q(r.expected)) << q(r.input).toStdString();
}

TEST(ConversionPathHelpers, CollapsePosixCounterparts)
{
    const Row rows[] = {
        {u"/out//Report.pub", u"/out/Report.pub"},
        {u"/out/Report.pub", u"/out/Report.pub"},
        {u"a///b", u"a//b"},
        {u"//host/share//r.pub", u"/host/share/r.pub"},
        {u"////host/a", u"/host/a"},
        {u"/x//y", u"/x/y"},
        {u"/", u"/"},
        {u"/home/a", u"/home/a"},
    };
    for (const Row& r : rows)
        EXPECT_EQ(CollapseBackslashes(q(r.input), posix), q(r.expected)) << q(r.input).toStdString();
}

TEST(ConversionPathHelpers, CollapseEdgeCases)
{
    EXPECT_EQ(CollapseBackslashes(QString(), win), QString());
    EXPECT_EQ(CollapseBackslashes(QString(), posix), QString());
    // Four in a row fold to two in the middle, a whole run of backslashes to two.
    EXPECT_EQ(CollapseBackslashes(uR"(a\\\\b)"_qs, win), uR"(a\\b)"_qs);
    EXPECT_EQ(CollapseBackslashes(uR"(\\\\\)"_qs, win), uR"(\\)"_qs);
    // The other style's separator is an ordinary character.
    EXPECT_EQ(CollapseBackslashes(u"a//b"_qs, win), u"a//b"_qs);
    EXPECT_EQ(CollapseBackslashes(uR"(\\host)"_qs, posix), uR"(\\host)"_qs);
    // Separators after a leading run fold in pairs, not to one.
    EXPECT_EQ(CollapseBackslashes(u"//a///b"_qs, posix), u"/a//b"_qs);
}

TEST(ConversionPathHelpers, FolderPartExamples)
{
    EXPECT_EQ(GetFolderPart(uR"(C:\Docs\Report.docx)"_qs, win), uR"(C:\Docs\)"_qs);
    EXPECT_EQ(GetFolderPart(u"Report.docx"_qs, win), QString());
    EXPECT_EQ(GetFolderPart(u"/home/docs/Report.docx"_qs, posix), u"/home/docs/"_qs);
    EXPECT_EQ(GetFolderPart(u"Report.docx"_qs, posix), QString());
    EXPECT_EQ(GetFolderPart(u"/home/docs/Report.docx"_qs, win), QString());
    EXPECT_EQ(GetFolderPart(QString(), win), QString());
}

TEST(ConversionPathHelpers, FileNamePartExamples)
{
    EXPECT_EQ(GetFileNamePart(uR"(C:\Docs\Report.docx)"_qs, win), u"Report.docx"_qs);
    EXPECT_EQ(GetFileNamePart(uR"(C:\Docs\)"_qs, win), QString());
    EXPECT_EQ(GetFileNamePart(u"Report.docx"_qs, win), u"Report.docx"_qs);
    EXPECT_EQ(GetFileNamePart(u"/home/docs/Report.docx"_qs, posix), u"Report.docx"_qs);
    EXPECT_EQ(GetFileNamePart(u"/home/docs/"_qs, posix), QString());
    EXPECT_EQ(GetFileNamePart(u"Report.docx"_qs, posix), u"Report.docx"_qs);
}

TEST(ConversionPathHelpers, StripExtensionExamples)
{
    EXPECT_EQ(StripExtension(u"my.report.final.docx"_qs), u"my.report.final"_qs);
    EXPECT_EQ(StripExtension(u"README"_qs), u"README"_qs);
    EXPECT_EQ(StripExtension(u".notes"_qs), u".notes"_qs);
    EXPECT_EQ(StripExtension(u"a."_qs), u"a"_qs);
    EXPECT_EQ(StripExtension(u".a.b"_qs), u".a"_qs);
    EXPECT_EQ(StripExtension(QString()), QString());
}

TEST(ConversionPathHelpers, PositionsBeyondSixteenBitsOverflow)
{
    // Separator at position 32,767: still representable.
    const QString atLimit = QString(32766, u'x') + u'\\' + u"name.docx"_qs;
    EXPECT_EQ(GetFolderPart(atLimit, win).size(), 32767);
    const QString beyond = QString(32767, u'x') + u'\\' + u"name.docx"_qs;
    EXPECT_THROW(GetFolderPart(beyond, win), platform::PlatformError);
    EXPECT_THROW(GetFolderPart(QString(beyond).replace(u'\\', u'/'), posix), platform::PlatformError);
    // The file-name part holds no position and is not limited.
    EXPECT_EQ(GetFileNamePart(beyond, win), u"name.docx"_qs);

    const QString dotAtLimit = QString(32766, u'x') + u".docx"_qs;
    EXPECT_EQ(StripExtension(dotAtLimit).size(), 32766);
    const QString dotBeyond = QString(32767, u'x') + u".docx"_qs;
    EXPECT_THROW(StripExtension(dotBeyond), platform::PlatformError);
    try {
        StripExtension(dotBeyond);
    } catch (const platform::PlatformError& e) {
        EXPECT_NE(std::string(e.what()).find("Overflow"), std::string::npos);
    }
    // A long name without a dot has no position to hold.
    EXPECT_EQ(StripExtension(QString(40000, u'x')).size(), 40000);
}

TEST(ConversionPathHelpers, NativeStyleMatchesPlatform)
{
#ifdef Q_OS_WIN
    EXPECT_EQ(nativePathStyle(), win);
    EXPECT_EQ(nativeSeparator(), uR"(\)"_qs);
#else
    EXPECT_EQ(nativePathStyle(), posix);
    EXPECT_EQ(nativeSeparator(), u"/"_qs);
    EXPECT_EQ(GetFolderPart(u"/a/b.docx"_qs), u"/a/"_qs);
#endif
    EXPECT_EQ(separatorOf(win), QChar(u'\\'));
    EXPECT_EQ(separatorOf(posix), QChar(u'/'));
}

// A file system whose attribute query fails with an exception.
class ThrowingFiles : public platform::QtFileSystem {
public:
    std::optional<std::uint32_t> attributes(const QString&) override
    {
        throw platform::PlatformError(platform::errors::invalidArgument, "Bad file name");
    }
};

TEST(ConversionPathHelpers, IsFolderThreeValued)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString file = dir.filePath(u"doc.docx"_qs);
    {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("x");
    }
    platform::QtFileSystem files;
    EXPECT_EQ(IsFolder(files, dir.path()), std::optional<bool>(true));
    EXPECT_EQ(IsFolder(files, file), std::optional<bool>(false));
    EXPECT_EQ(IsFolder(files, dir.filePath(u"missing"_qs)), std::nullopt);
    EXPECT_EQ(IsFolder(files, QString()), std::nullopt);
    EXPECT_NE(IsFolder(files, dir.filePath(u"missing"_qs)), std::optional<bool>(true));
    // An invalid name: the text before the NUL is an existing folder.
    EXPECT_EQ(IsFolder(files, dir.path() + QChar(u'\0') + u"x"_qs), std::nullopt);

    ThrowingFiles throwing;
    EXPECT_EQ(IsFolder(throwing, dir.path()), std::nullopt);
}

TEST(ConversionPathHelpers, IsInListExactText)
{
    filelist::ListView list;
    EXPECT_FALSE(IsInList(list, u"a"_qs));
    list.Add(u"/docs/A.docx"_qs);
    list.Add(u"/docs/b.docx"_qs);
    list.Add(u"/docs/A.docx"_qs);
    EXPECT_TRUE(IsInList(list, u"/docs/A.docx"_qs));
    EXPECT_TRUE(IsInList(list, u"/docs/b.docx"_qs));
    EXPECT_FALSE(IsInList(list, u"/docs/a.docx"_qs));
    EXPECT_FALSE(IsInList(list, u"/docs/B.docx"_qs));
    EXPECT_FALSE(IsInList(list, u"/docs/b.doc"_qs));
    EXPECT_FALSE(IsInList(list, QString()));
}

} // namespace
} // namespace fq::conversion
