// The folder-browse helper hands title and initial folder to the shell and
// returns its answer unchanged.
#include "conversion/BrowseForFolder.h"

#include "tests/support/FakePlatform.h"

#include <gtest/gtest.h>

namespace fq::conversion {
namespace {

TEST(ConversionBrowse, PassesRequestAndAnswer)
{
    test::FakeShell shell;
    shell.browseAnswers.push_back(u"/data/out"_qs);
    EXPECT_EQ(BrowseForFolder(shell, nullptr, u"Pick"_qs, u"/data"_qs), u"/data/out"_qs);
    ASSERT_EQ(shell.browseRequests.size(), 1u);
    EXPECT_EQ(shell.browseRequests[0].title, u"Pick"_qs);
    EXPECT_EQ(shell.browseRequests[0].initialFolder, u"/data"_qs);
}

TEST(ConversionBrowse, CancelGivesEmptyText)
{
    test::FakeShell shell;
    EXPECT_EQ(BrowseForFolder(shell, nullptr, u"Pick"_qs, QString()), QString());
    EXPECT_EQ(shell.browseRequests.size(), 1u);
}

} // namespace
} // namespace fq::conversion
