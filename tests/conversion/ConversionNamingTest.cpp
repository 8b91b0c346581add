// The output naming rule: the examples table for Windows paths, its POSIX
// counterparts, and the comparison that keeps the source from being replaced.
#include "conversion/OutputNaming.h"

#include <gtest/gtest.h>

namespace fq::conversion {
namespace {

struct Example {
    OutputOption option;
    const char16_t* folder;
    const char16_t* source;
    const char16_t* expected;
};

QString q(const char16_t* s) { return QString::fromUtf16(s); }

void check(const Example& e, PathStyle style)
{
    const auto got = composeOutputPath(e.option, q(e.folder), q(e.source), style);
    ASSERT_TRUE(got.has_value()) << q(e.source).toStdString();
    EXPECT_EQ(*got, q(e.expected)) << q(e.source).toStdString();
}

constexpr auto chosen = OutputOption::ChosenFolder;
constexpr auto beside = OutputOption::SourceFolder;

TEST(ConversionNaming, WindowsExamples)
{
    const Example rows[] = {
        {chosen, uR"(D:\Out\)", uR"(C:\Docs\Report.docx)", uR"(D:\Out\Report.pub)"},
        {chosen, uR"(D:\Out)", uR"(C:\Docs\Report.doc)", uR"(D:\Out\Report.pub)"},
        {beside, uR"(D:\Ignored)", uR"(C:\Docs\my.report.final.docx)", uR"(C:\Docs\my.report.final.pub)"},
        {beside, u"", uR"(C:\Docs\README)", uR"(C:\Docs\README.pub)"},
        {beside, u"", uR"(C:\Docs\.notes)", uR"(C:\Docs\.notes.pub)"},
        {beside, u"", uR"(\\host\share\Docs\r.docx)", uR"(\\host\share\Docs\r.pub)"},
        {chosen, uR"(\\host\out\)", uR"(C:\a.doc)", uR"(\\host\out\a.pub)"},
        // Dots in folder names never count; any extension is replaced.
        {beside, u"", uR"(C:\my.docs\notes)", uR"(C:\my.docs\notes.pub)"},
        {chosen, uR"(D:\Out\)", uR"(C:\Docs\Report.rtf)", uR"(D:\Out\Report.pub)"},
    };
    for (const Example& e : rows)
        check(e, PathStyle::Windows);
}

TEST(ConversionNaming, PosixCounterparts)
{
    const Example rows[] = {
        {chosen, u"/out/", u"/docs/Report.docx", u"/out/Report.pub"},
        {chosen, u"/out", u"/docs/Report.doc", u"/out/Report.pub"},
        {beside, u"/ignored", u"/docs/my.report.final.docx", u"/docs/my.report.final.pub"},
        {beside, u"", u"/docs/README", u"/docs/README.pub"},
        {beside, u"", u"/docs/.notes", u"/docs/.notes.pub"},
        {beside, u"", u"//host/share/docs/r.docx", u"/host/share/docs/r.pub"},
        {chosen, u"/mnt/out/", u"/a.doc", u"/mnt/out/a.pub"},
        {beside, u"", u"/my.docs/notes", u"/my.docs/notes.pub"},
    };
    for (const Example& e : rows)
        check(e, PathStyle::Posix);
}

TEST(ConversionNaming, StepsBeforeCollapsing)
{
    // The separator is always inserted; the fold of step 130 removes the double.
    EXPECT_EQ(outputPathInFolder(uR"(D:\Out\)"_qs, uR"(C:\Docs\Report.docx)"_qs, PathStyle::Windows),
              uR"(D:\Out\\Report.pub)"_qs);
    EXPECT_EQ(outputPathBesideSource(uR"(C:\Docs\Report.docx)"_qs, PathStyle::Windows), uR"(C:\Docs\\Report.pub)"_qs);
    EXPECT_EQ(outputPathBesideSource(u"/docs/Report.docx"_qs, PathStyle::Posix), u"/docs//Report.pub"_qs);
    // A source without a folder part ends up at the root of its style.
    EXPECT_EQ(outputPathBesideSource(u"Report.docx"_qs, PathStyle::Posix), u"/Report.pub"_qs);
    // An empty output folder text gives a path at the root.
    EXPECT_EQ(*composeOutputPath(chosen, QString(), uR"(C:\a.doc)"_qs, PathStyle::Windows), uR"(\\a.pub)"_qs);
}

TEST(ConversionNaming, NeitherOptionFormsNoPath)
{
    EXPECT_FALSE(composeOutputPath(OutputOption::None, u"/out"_qs, u"/docs/a.doc"_qs, PathStyle::Posix).has_value());
    EXPECT_FALSE(
        composeOutputPath(OutputOption::None, uR"(D:\Out)"_qs, uR"(C:\a.doc)"_qs, PathStyle::Windows).has_value());
}

TEST(ConversionNaming, SameFileByText)
{
    EXPECT_TRUE(namesSameFile(u"/docs/Report.pub"_qs, u"/docs/Report.pub"_qs, PathStyle::Posix));
    EXPECT_TRUE(namesSameFile(u"/docs//./Report.pub"_qs, u"/docs/Report.pub"_qs, PathStyle::Posix));
    EXPECT_TRUE(namesSameFile(u"/docs/x/../Report.pub"_qs, u"/docs/Report.pub"_qs, PathStyle::Posix));
    EXPECT_FALSE(namesSameFile(u"/docs/report.pub"_qs, u"/docs/Report.pub"_qs, PathStyle::Posix));
    EXPECT_FALSE(namesSameFile(u"/docs/Report.pub"_qs, u"/docs/Report.docx"_qs, PathStyle::Posix));
    EXPECT_TRUE(namesSameFile(uR"(C:\Docs\\Report.PUB)"_qs, uR"(c:\docs\report.pub)"_qs, PathStyle::Windows));
    EXPECT_FALSE(namesSameFile(uR"(C:\Docs\Report.pub)"_qs, uR"(C:\Docs\Report.docx)"_qs, PathStyle::Windows));
    EXPECT_FALSE(namesSameFile(QString(), QString(), PathStyle::Posix));
}

} // namespace
} // namespace fq::conversion
