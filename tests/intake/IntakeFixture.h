// Shared by the intake tests: temporary trees on the real file system, a
// file system that fails on chosen folders, and a main window on the test
// platform.
#pragma once

#include "app/Form1.h"
#include "intake/AddFolder.h"
#include "platform/qt/QtFileSystem.h"
#include "tests/support/TestPlatform.h"

#include <QMap>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace fq::test {

// A real temporary folder with helpers to build a tree in it. Paths use the
// native separator.
class TempTree {
public:
    TempTree();
    bool valid() const { return dir_.isValid(); }
    // The tree's root, without a trailing separator.
    QString root() const;
    // root + separator + relative (relative written with "/").
    QString path(const QString& relative) const;
    QString folder(const QString& relative) const; // creates it (and its parents)
    QString file(const QString& relative, const QByteArray& content = "x") const; // creates parents too
    void link(const QString& target, const QString& relative) const;
    void setReadOnly(const QString& relative) const;

private:
    QTemporaryDir dir_;
};

// The real file system, with failures and attribute values injected for
// chosen folders (paths as the walk passes them, with or without the
// trailing separator).
class ScriptedFileSystem : public platform::QtFileSystem {
public:
    QMap<QString, int> listingFailures;  // subFolderNames throws this number
    QMap<QString, int> infoFailures;     // folderInfo throws this number
    QMap<QString, std::uint32_t> folderAttributes; // folderInfo reports these
    QStringList rootFolders;             // folderInfo reports these as roots
    QStringList listed;                  // folders whose sub-folders were asked for

    platform::FolderInfo folderInfo(const QString& path) override;
    QStringList subFolderNames(const QString& path) override;

private:
    static QString key(const QString& path);
};

// A walk context over a file system, with an error report on a fake window
// system and a counted yield. A walk that yields more often than the limit
// is ended (as if the window had been closed), so a walk that runs away
// fails its test instead of hanging it.
struct WalkHarness {
    explicit WalkHarness(platform::FileSystem& files);
    FakeWindowSystem windows;
    app::ErrorReport report{windows, nullptr};
    int yields = 0;
    int yieldLimit = 100000;
    intake::WalkContext context;
};

// The main window on the test platform (real file system by default).
class FormFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void makeForm();
    QStringList items() const;
    std::vector<int> errorLines() const;
    QStringList plainMessages() const;

    TestPlatform tp;
    TempTree tree;
    std::unique_ptr<app::Form1> form;
};

// Runs work and returns its text; as the superuser, in a child process that
// has given up its rights first (to the "nobody" user), so that permissions
// bind. No value when the child failed.
std::optional<QString> runUnprivileged(const std::function<QString()>& work);

// Folder paths relative to a root, with "/" and a trailing "/" each, for
// readable comparisons of folder lists.
QStringList relativeFolders(const intake::FolderList& list, const QString& root);
// Item paths relative to a root, with "/".
QStringList relativeItems(const QStringList& items, const QString& root);

} // namespace fq::test
