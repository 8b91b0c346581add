// The folder walk on real temporary trees: its order, one level or all,
// long paths, refused names, folders that cannot be listed or that are
// excluded by their attributes, symbolic-link loops, and its error report.
#include "tests/intake/IntakeFixture.h"

#include "platform/PlatformError.h"

#include <QDir>
#include <QFile>

#include <unistd.h>

namespace fq::test {
namespace {

const QString sep = QDir::separator();

class IntakeWalk : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(tree.valid());
        // R holds A and B; A holds A1 and A2; B holds B1; A1 holds X.
        for (const char* f : {"R/A/A1/X", "R/A/A2", "R/B/B1"}) tree.folder(QString::fromLatin1(f));
        R = tree.path(QStringLiteral("R")) + sep;
    }

    QStringList walk(intake::FolderList list, bool recurse = true)
    {
        intake::GetSubDirectories2016(list, recurse, harness.context);
        return relativeFolders(list, tree.root());
    }

    TempTree tree;
    ScriptedFileSystem files;
    WalkHarness harness{files};
    QString R;
};

TEST_F(IntakeWalk, LevelByLevelOrder)
{
    EXPECT_EQ(walk({R}), (QStringList{"R/", "R/A/", "R/B/", "R/A/A1/", "R/A/A2/", "R/B/B1/", "R/A/A1/X/"}));
    EXPECT_TRUE(harness.windows.messages.empty());
}

TEST_F(IntakeWalk, YieldsAtEveryFolderAndSubFolder)
{
    walk({R});
    // 7 folders opened, 6 sub-folders met, and every level hands back all
    // folders below it: 6 from the top, 4 from the first level, 1 from the second.
    EXPECT_EQ(harness.yields, 7 + 6 + (6 + 4 + 1));
}

TEST_F(IntakeWalk, RecursionOffAddsOnlyDirectSubFolders)
{
    const QString A = tree.path(QStringLiteral("R/A")) + sep;
    EXPECT_EQ(walk({R, A}, false), (QStringList{"R/", "R/A/", "R/A/", "R/B/", "R/A/A1/", "R/A/A2/"}));
}

TEST_F(IntakeWalk, FolderWithoutSubFoldersIsUnchanged)
{
    const QString X = tree.path(QStringLiteral("R/A/A1/X")) + sep;
    EXPECT_EQ(walk({X}), QStringList{"R/A/A1/X/"});
}

TEST_F(IntakeWalk, EntriesThatAreNotFoldersStayUnopened)
{
    const QString file = tree.file(QStringLiteral("R/plain.doc")) + sep;
    const QString missing = tree.path(QStringLiteral("missing")) + sep;
    EXPECT_EQ(walk({file, missing}), (QStringList{"R/plain.doc/", "missing/"}));
    EXPECT_TRUE(files.listed.isEmpty());
}

TEST_F(IntakeWalk, LongPathIsKeptButNotOpened)
{
    // A chain whose deepest folder's path (with its separator) reaches 260.
    QString relative = QStringLiteral("R/B/B1");
    while (tree.path(relative).size() + 1 < 260) relative += QStringLiteral("/") + QString(40, QLatin1Char('d'));
    tree.folder(relative + QStringLiteral("/below"));
    const QString deep = tree.path(relative) + sep;
    ASSERT_GE(deep.size(), 260);

    const QStringList alone = walk({deep});
    EXPECT_EQ(alone.size(), 1);
    EXPECT_FALSE(files.listed.contains(QDir::fromNativeSeparators(tree.path(relative))));

    // Met inside a walk, it is listed but its sub-folder is not.
    const QStringList all = walk({R});
    EXPECT_TRUE(all.contains(relative + QStringLiteral("/")));
    EXPECT_FALSE(all.contains(relative + QStringLiteral("/below/")));
}

TEST_F(IntakeWalk, BadNamesAreLeftOutWithTheirSubtrees)
{
    const QStringList bad{QStringLiteral("ctl\x01name"), QStringLiteral("del\x7fname"),
                          QStringLiteral("c1") + QChar(0x85) + QStringLiteral("name"), QStringLiteral("what?")};
    for (const QString& b : bad) tree.folder(QStringLiteral("R/B/") + b + QStringLiteral("/under"));
    const QStringList result = walk({R});
    EXPECT_EQ(result, (QStringList{"R/", "R/A/", "R/B/", "R/A/A1/", "R/A/A2/", "R/B/B1/", "R/A/A1/X/"}));
}

TEST_F(IntakeWalk, NonLatinNamesAreWalked)
{
    const QString cyrillic = QString::fromUtf8("Документы");
    const QString han = QString::fromUtf8("資料");
    const QString euro = QString::fromUtf8("Preise €");
    tree.folder(QStringLiteral("R/B/") + cyrillic + QStringLiteral("/") + han);
    tree.folder(QStringLiteral("R/B/") + euro);
    const QStringList result = walk({R});
    EXPECT_TRUE(result.contains(QStringLiteral("R/B/") + cyrillic + QStringLiteral("/")));
    EXPECT_TRUE(result.contains(QStringLiteral("R/B/") + cyrillic + QStringLiteral("/") + han + QStringLiteral("/")));
    EXPECT_TRUE(result.contains(QStringLiteral("R/B/") + euro + QStringLiteral("/")));
}

TEST_F(IntakeWalk, UnlistableFolderIsRemovedSilentlyAndTheWalkGoesOn)
{
    files.listingFailures.insert(QDir::fromNativeSeparators(tree.path(QStringLiteral("R/A"))),
                                 platform::errors::permissionDenied);
    EXPECT_EQ(walk({R}), (QStringList{"R/", "R/B/", "R/B/B1/"}));
    EXPECT_TRUE(harness.windows.messages.empty());
}

TEST_F(IntakeWalk, VanishedFolderIsRemovedToo)
{
    files.listingFailures.insert(QDir::fromNativeSeparators(tree.path(QStringLiteral("R/B/B1"))),
                                 platform::errors::pathNotFound);
    EXPECT_EQ(walk({R}), (QStringList{"R/", "R/A/", "R/B/", "R/A/A1/", "R/A/A2/", "R/A/A1/X/"}));
    EXPECT_TRUE(harness.windows.messages.empty());
}

TEST_F(IntakeWalk, ChosenFolderThatCannotBeListedIsRemoved)
{
    files.listingFailures.insert(QDir::fromNativeSeparators(tree.path(QStringLiteral("R"))),
                                 platform::errors::permissionDenied);
    EXPECT_EQ(walk({R}), QStringList{});
}

TEST_F(IntakeWalk, OtherListingFailureKeepsTheFolder)
{
    files.listingFailures.insert(QDir::fromNativeSeparators(tree.path(QStringLiteral("R/A"))), 57);
    EXPECT_EQ(walk({R}), (QStringList{"R/", "R/A/", "R/B/", "R/B/B1/"}));
    EXPECT_TRUE(harness.windows.messages.empty());
}

TEST_F(IntakeWalk, UnreadableFolderOnTheRealFileSystem)
{
    // Permissions do not bind the superuser, so as root the walk runs in a
    // child process that has given up its rights.
    const QString A = tree.path(QStringLiteral("R/A"));
    ASSERT_TRUE(QFile::setPermissions(tree.root(), QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                                       | QFileDevice::ExeOwner | QFileDevice::ReadOther
                                                       | QFileDevice::ExeOther));
    ASSERT_TRUE(QFile::setPermissions(A, QFileDevice::Permissions{}));
    const std::optional<QString> outcome = runUnprivileged([&] {
        platform::QtFileSystem real;
        WalkHarness h(real);
        intake::FolderList list{R};
        intake::GetSubDirectories2016(list, true, h.context);
        return relativeFolders(list, tree.root()).join(QLatin1Char(' ')) + QStringLiteral(" | messages: ")
            + QString::number(h.windows.messages.size());
    });
    QFile::setPermissions(A, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    ASSERT_TRUE(outcome.has_value());
    EXPECT_EQ(*outcome, QStringLiteral("R/ R/B/ R/B/B1/ | messages: 0"));
}

TEST_F(IntakeWalk, SymbolicLinkLoopIsWalkedOnce)
{
    tree.link(tree.path(QStringLiteral("R")), QStringLiteral("R/A/A1/X/up"));
    tree.link(tree.path(QStringLiteral("R/A")), QStringLiteral("R/B/toA"));
    EXPECT_EQ(walk({R}), (QStringList{"R/", "R/A/", "R/B/", "R/A/A1/", "R/A/A2/", "R/B/B1/", "R/A/A1/X/"}));
}

TEST_F(IntakeWalk, LinkToAFolderOutsideIsWalked)
{
    tree.folder(QStringLiteral("outside/inner"));
    tree.link(tree.path(QStringLiteral("outside")), QStringLiteral("R/B/linked"));
    const QStringList result = walk({R});
    EXPECT_TRUE(result.contains(QStringLiteral("R/B/linked/")));
    EXPECT_TRUE(result.contains(QStringLiteral("R/B/linked/inner/")));
}

TEST_F(IntakeWalk, HiddenSystemFolderIsLeftOutWithItsSubtree)
{
    files.folderAttributes.insert(QDir::fromNativeSeparators(tree.path(QStringLiteral("R/A"))), 22);
    files.folderAttributes.insert(QDir::fromNativeSeparators(tree.path(QStringLiteral("R/B/B1"))), 1046);
    EXPECT_EQ(walk({R}), (QStringList{"R/", "R/B/"}));
}

TEST_F(IntakeWalk, OnlyHiddenFolderIsWalked)
{
    tree.folder(QStringLiteral("R/.hidden/inner"));
    const QStringList result = walk({R});
    EXPECT_TRUE(result.contains(QStringLiteral("R/.hidden/")));
    EXPECT_TRUE(result.contains(QStringLiteral("R/.hidden/inner/")));
    platform::QtFileSystem real;
    EXPECT_EQ(real.folderInfo(tree.path(QStringLiteral("R/.hidden"))).attributes, 18u);
}

TEST_F(IntakeWalk, ChosenFolderWith22IsWalkedOnlyAsARoot)
{
    const QString key = QDir::fromNativeSeparators(tree.path(QStringLiteral("R")));
    files.folderAttributes.insert(key, 22);
    EXPECT_EQ(walk({R}), QStringList{"R/"});
    files.rootFolders << key;
    EXPECT_EQ(walk({R}).size(), 7);
}

TEST_F(IntakeWalk, FailureBeforeTheFirstListingIsReported)
{
    files.infoFailures.insert(QDir::fromNativeSeparators(tree.path(QStringLiteral("R"))), 57);
    const QString B = tree.path(QStringLiteral("R/B")) + sep;
    EXPECT_EQ(walk({R, B}), (QStringList{"R/", "R/B/", "R/B/B1/"}));
    ASSERT_EQ(harness.windows.messages.size(), 1u);
    const ShownMessage& m = harness.windows.messages[0];
    EXPECT_EQ(m.title, QStringLiteral("Application Error"));
    EXPECT_TRUE(m.text.contains(QStringLiteral("Injected failure reading the folder")));
    EXPECT_TRUE(m.text.contains(QStringLiteral("\r\nin Ostrakon2021/08/31.AddFolder.GetSubDirectories2016 at line 112")));
}

TEST_F(IntakeWalk, FailureOfALaterEntryIsSilentWhileListing)
{
    const QString B = tree.path(QStringLiteral("R/B")) + sep;
    files.infoFailures.insert(QDir::fromNativeSeparators(tree.path(QStringLiteral("R/B"))), 57);
    // R is listed first, so the failures on B while listing are silent and B
    // stays (not 70 or 76), with nothing found below it. Handing the levels
    // back is outside the listing: that failure is reported once, and its
    // test counts as held, so B is handed back.
    const QStringList result = walk({R, B});
    EXPECT_EQ(result, (QStringList{"R/", "R/B/", "R/A/", "R/B/", "R/A/A1/", "R/A/A2/", "R/A/A1/X/"}));
    ASSERT_EQ(harness.windows.messages.size(), 1u);
    EXPECT_TRUE(harness.windows.messages[0].text.endsWith(QStringLiteral("GetSubDirectories2016 at line 158\r\r")
                                                          + QStringLiteral("Please email screenshot of this message to ")
                                                          + QStringLiteral("support@trevalon-software.example")));
}

TEST_F(IntakeWalk, ProgramEndingLeavesTheWalk)
{
    intake::WalkContext ending{files, harness.report, [] { throw platform::ProgramEnding{}; }};
    intake::FolderList list{R};
    EXPECT_THROW(intake::GetSubDirectories2016(list, true, ending), platform::ProgramEnding);
    EXPECT_TRUE(harness.windows.messages.empty());
}

TEST(IntakeNames, BadNameCharacters)
{
    EXPECT_FALSE(intake::HasBadNameChars(QString()));
    EXPECT_FALSE(intake::HasBadNameChars(QStringLiteral("Reports 2021")));
    EXPECT_FALSE(intake::HasBadNameChars(QString::fromUtf8("€ Документы 資料 😀")));
    EXPECT_FALSE(intake::HasBadNameChars(QString(QChar(126)) + QChar(160)));
    EXPECT_TRUE(intake::HasBadNameChars(QStringLiteral("a\tb")));
    EXPECT_TRUE(intake::HasBadNameChars(QString(QChar(31))));
    EXPECT_TRUE(intake::HasBadNameChars(QStringLiteral("x") + QChar(127)));
    EXPECT_TRUE(intake::HasBadNameChars(QStringLiteral("x") + QChar(159)));
    EXPECT_TRUE(intake::HasBadNameChars(QStringLiteral("why?")));
}

} // namespace
} // namespace fq::test
