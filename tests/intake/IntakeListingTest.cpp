// The file listing of one folder, the open-existing test, and what the real
// file system reports for them: wildcard matching, sorted names, the
// attribute stand-ins.
#include "tests/intake/IntakeFixture.h"

#include "platform/PlatformError.h"

#include <QDir>
#include <QFile>

#include <sys/stat.h>
#include <unistd.h>

namespace fq::test {
namespace {

class IntakeListing : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(tree.valid()); }

    QStringList names(const intake::FileNames& found)
    {
        QStringList out;
        for (int i = 1; i <= found.UBound(); ++i) out << found(i);
        return out;
    }

    TempTree tree;
    platform::QtFileSystem files;
};

TEST_F(IntakeListing, HundredThirtyMatchesNumberedFromOne)
{
    for (int i = 1; i <= 130; ++i) tree.file(QStringLiteral("F/doc%1.doc").arg(i, 3, 10, QLatin1Char('0')));
    tree.file(QStringLiteral("F/other.txt"));
    const intake::FileNames found = intake::GetFilesInFolder(files, tree.path(QStringLiteral("F")), QStringLiteral("*.doc"));
    EXPECT_EQ(found.LBound(), 1);
    ASSERT_EQ(found.UBound(), 130);
    EXPECT_EQ(found(1), QStringLiteral("doc001.doc"));
    EXPECT_EQ(found(130), QStringLiteral("doc130.doc"));
    EXPECT_THROW(found(131), platform::PlatformError);
    EXPECT_THROW(found(0), platform::PlatformError);
}

TEST_F(IntakeListing, NoMatchGivesTheSingleEmptyEntry)
{
    tree.file(QStringLiteral("F/a.txt"));
    tree.folder(QStringLiteral("F/sub.doc"));
    const intake::FileNames found = intake::GetFilesInFolder(files, tree.path(QStringLiteral("F")), QStringLiteral("*.doc"));
    EXPECT_EQ(found.LBound(), 0);
    EXPECT_EQ(found.UBound(), 0);
    EXPECT_EQ(found(0), QString());
    EXPECT_EQ(intake::GetFilesInFolder(files, tree.path(QStringLiteral("missing")), QStringLiteral("*.*")).UBound(), 0);
}

TEST_F(IntakeListing, StarDotStarTakesHiddenFilesAndNamesWithoutExtension)
{
    tree.file(QStringLiteral("F/.hidden"));
    tree.file(QStringLiteral("F/README"));
    tree.file(QStringLiteral("F/b.docx"));
    tree.file(QStringLiteral("F/a.doc"));
    tree.folder(QStringLiteral("F/folder"));
    const QString withSeparator = tree.path(QStringLiteral("F")) + QDir::separator();
    EXPECT_EQ(names(intake::GetFilesInFolder(files, withSeparator, QStringLiteral("*.*"))),
              (QStringList{".hidden", "README", "a.doc", "b.docx"}));
}

TEST_F(IntakeListing, PatternMatchesTheWholeNameWithoutCase)
{
    for (const char* n : {"a.doc", "B.DOC", "c.docx", "d.doc.bak", "e.Doc", "f.dot", "xdoc"}) tree.file(QStringLiteral("F/") + QLatin1String(n));
    const QString F = tree.path(QStringLiteral("F"));
    EXPECT_EQ(names(intake::GetFilesInFolder(files, F, QStringLiteral("*.doc"))), (QStringList{"B.DOC", "a.doc", "e.Doc"}));
    EXPECT_EQ(names(intake::GetFilesInFolder(files, F, QStringLiteral("*.DOC"))), (QStringList{"B.DOC", "a.doc", "e.Doc"}));
    EXPECT_EQ(names(intake::GetFilesInFolder(files, F, QStringLiteral("*.do*"))),
              (QStringList{"B.DOC", "a.doc", "c.docx", "d.doc.bak", "e.Doc", "f.dot"}));
    EXPECT_EQ(names(intake::GetFilesInFolder(files, F, QStringLiteral("?.do?"))),
              (QStringList{"B.DOC", "a.doc", "e.Doc", "f.dot"}));
}

TEST_F(IntakeListing, NamesAreSortedByTheirBytes)
{
    for (const char* n : {"b", "B", "a", "_", "Z"}) tree.file(QStringLiteral("F/") + QLatin1String(n));
    tree.file(QStringLiteral("F/") + QString::fromUtf8("é"));
    EXPECT_EQ(names(intake::GetFilesInFolder(files, tree.path(QStringLiteral("F")), QStringLiteral("*"))),
              (QStringList{"B", "Z", "_", "a", "b", QString::fromUtf8("é")}));
}

TEST_F(IntakeListing, ListingLeavesOutWhatCannotBeOpenedAsAFile)
{
    tree.file(QStringLiteral("F/real.doc"));
    tree.link(tree.path(QStringLiteral("gone")), QStringLiteral("F/dangling.doc"));
    tree.link(tree.path(QStringLiteral("F/real.doc")), QStringLiteral("F/linked.doc"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(tree.path(QStringLiteral("F/pipe.doc"))).constData(), 0600), 0);
    EXPECT_EQ(names(intake::GetFilesInFolder(files, tree.path(QStringLiteral("F")), QStringLiteral("*.doc"))),
              (QStringList{"linked.doc", "real.doc"}));
}

TEST_F(IntakeListing, IsExistingFile)
{
    const QString plain = tree.file(QStringLiteral("plain.doc"));
    const QString hidden = tree.file(QStringLiteral(".hidden.doc"));
    tree.setReadOnly(QStringLiteral(".hidden.doc"));
    const QString unreadable = tree.file(QStringLiteral("unreadable.doc"));
    ASSERT_TRUE(QFile::setPermissions(unreadable, QFileDevice::Permissions{}));
    const QString folder = tree.folder(QStringLiteral("folder.doc"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(tree.path(QStringLiteral("pipe"))).constData(), 0600), 0);

    EXPECT_TRUE(intake::IsExistingFile(files, plain));
    EXPECT_TRUE(intake::IsExistingFile(files, hidden));
    EXPECT_TRUE(intake::IsExistingFile(files, unreadable));
    EXPECT_FALSE(intake::IsExistingFile(files, folder));
    EXPECT_FALSE(intake::IsExistingFile(files, tree.path(QStringLiteral("missing.doc"))));
    EXPECT_FALSE(intake::IsExistingFile(files, QString()));
    EXPECT_FALSE(intake::IsExistingFile(files, tree.path(QStringLiteral("pipe"))));
}

TEST_F(IntakeListing, AttributeStandIns)
{
    tree.file(QStringLiteral("plain"));
    tree.file(QStringLiteral(".hidden"));
    tree.file(QStringLiteral(".hiddenReadOnly"));
    tree.setReadOnly(QStringLiteral(".hiddenReadOnly"));
    tree.folder(QStringLiteral("folder"));
    tree.folder(QStringLiteral(".hiddenFolder"));
    tree.link(tree.path(QStringLiteral("folder")), QStringLiteral("linkToFolder"));
    tree.link(tree.path(QStringLiteral("plain")), QStringLiteral(".linkToFile"));

    auto attr = [&](const char* name) { return files.attributes(tree.path(QLatin1String(name))); };
    EXPECT_EQ(attr("plain"), 32u);
    EXPECT_EQ(attr(".hidden"), 34u);
    EXPECT_EQ(attr(".hiddenReadOnly"), 35u);
    EXPECT_EQ(attr("folder"), 16u);
    EXPECT_EQ(attr(".hiddenFolder"), 18u);
    EXPECT_EQ(files.attributes(tree.path(QStringLiteral(".hiddenFolder")) + QDir::separator()), 18u);
    EXPECT_EQ(attr("linkToFolder"), 1040u);
    EXPECT_EQ(attr(".linkToFile"), 1024u + 32u + 2u);
    EXPECT_EQ(attr("missing"), std::nullopt);
}

TEST_F(IntakeListing, FolderIdentityAndSubFolderNames)
{
    tree.folder(QStringLiteral("F/b"));
    tree.folder(QStringLiteral("F/A"));
    tree.folder(QStringLiteral("F/.h"));
    tree.file(QStringLiteral("F/file"));
    tree.link(tree.path(QStringLiteral("F/b")), QStringLiteral("F/c"));
    EXPECT_EQ(files.subFolderNames(tree.path(QStringLiteral("F"))), (QStringList{".h", "A", "b", "c"}));

    const platform::FolderInfo b = files.folderInfo(tree.path(QStringLiteral("F/b")));
    const platform::FolderInfo c = files.folderInfo(tree.path(QStringLiteral("F/c")));
    ASSERT_TRUE(b.identity && c.identity);
    EXPECT_EQ(*b.identity, *c.identity);
    EXPECT_NE(*b.identity, *files.folderInfo(tree.path(QStringLiteral("F/A"))).identity);
    EXPECT_FALSE(b.isRoot);
    EXPECT_TRUE(files.folderInfo(QStringLiteral("/")).isRoot);

    try {
        files.subFolderNames(tree.path(QStringLiteral("missing")));
        FAIL() << "listing a missing folder must fail";
    } catch (const platform::PlatformError& e) {
        EXPECT_EQ(e.number(), platform::errors::pathNotFound);
    }
    EXPECT_THROW(files.folderInfo(tree.path(QStringLiteral("F/file"))), platform::PlatformError);
}

TEST_F(IntakeListing, UnreadableFolderReportsPermissionDenied)
{
    ASSERT_TRUE(QFile::setPermissions(tree.root(), QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                                       | QFileDevice::ExeOwner | QFileDevice::ExeOther));
    const QString F = tree.folder(QStringLiteral("F"));
    ASSERT_TRUE(QFile::setPermissions(F, QFileDevice::ExeOwner | QFileDevice::ExeOther));
    const std::optional<QString> outcome = runUnprivileged([&] {
        try {
            platform::QtFileSystem().subFolderNames(F);
            return QStringLiteral("listed");
        } catch (const platform::PlatformError& e) {
            return QString::number(e.number());
        }
    });
    QFile::setPermissions(F, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    ASSERT_TRUE(outcome.has_value());
    EXPECT_EQ(*outcome, QString::number(platform::errors::permissionDenied));
}

TEST(IntakeWildcard, Rules)
{
    using platform::matchesWildcard;
    EXPECT_TRUE(matchesWildcard(QStringLiteral("Report.DOCX"), QStringLiteral("*.do*")));
    EXPECT_TRUE(matchesWildcard(QStringLiteral("README"), QStringLiteral("*.*")));
    EXPECT_TRUE(matchesWildcard(QStringLiteral("x.tar.gz"), QStringLiteral("*.gz")));
    EXPECT_FALSE(matchesWildcard(QStringLiteral("x.gz.bak"), QStringLiteral("*.gz")));
    EXPECT_TRUE(matchesWildcard(QStringLiteral("README"), QStringLiteral("READ*.*")));
    EXPECT_FALSE(matchesWildcard(QStringLiteral("README"), QStringLiteral("*.txt")));
    EXPECT_TRUE(matchesWildcard(QStringLiteral("a"), QStringLiteral("?")));
    EXPECT_FALSE(matchesWildcard(QStringLiteral("ab"), QStringLiteral("?")));
    EXPECT_FALSE(matchesWildcard(QString(), QStringLiteral("?")));
    EXPECT_TRUE(matchesWildcard(QString::fromUtf8("😀.doc"), QStringLiteral("?.doc")));
    EXPECT_TRUE(matchesWildcard(QString::fromUtf8("ÄRGER.doc"), QString::fromUtf8("ärger.DOC")));
    EXPECT_TRUE(matchesWildcard(QStringLiteral("abcabd"), QStringLiteral("*abd")));
    EXPECT_TRUE(matchesWildcard(QStringLiteral("x.doc"), QStringLiteral("**.doc")));
    EXPECT_FALSE(matchesWildcard(QStringLiteral("x.docx"), QStringLiteral("*.doc")));
}

} // namespace
} // namespace fq::test
