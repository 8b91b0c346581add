// savePublication writes complete files or nothing, and never over the
// source document.
#include "publishing/engine/Engine.h"
#include "publishing/engine/SafeSave.h"

#include "EngineTestFiles.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace fq::engine {
namespace {

using namespace test;
namespace fs = std::filesystem;

model::Document smallDocument() {
    model::Document doc;
    model::Section s;
    model::Paragraph p;
    p.runs.push_back({"Hello publication", {}});
    s.blocks.push_back(p);
    doc.sections.push_back(s);
    return doc;
}

const std::string kCompoundMagic("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8);

TEST(EngineSave, WritesAPublicationAndNoTemporaryFile) {
    ScratchFolder dir;
    const auto target = dir / "out.pub";
    savePublication(smallDocument(), target, dir / "in.docx");
    ASSERT_TRUE(fs::is_regular_file(target));
    EXPECT_EQ(readFile(target).substr(0, 8), kCompoundMagic);
    EXPECT_EQ(hiddenEntries(dir.path()), 0);
}

TEST(EngineSave, ReplacesAnExistingTarget) {
    ScratchFolder dir;
    const auto target = dir / "out.pub";
    writeFile(target, "old content");
    savePublication(smallDocument(), target, dir / "in.docx");
    EXPECT_EQ(readFile(target).substr(0, 8), kCompoundMagic);
    EXPECT_EQ(hiddenEntries(dir.path()), 0);
}

TEST(EngineSave, RefusesToOverwriteTheSource) {
    ScratchFolder dir;
    const auto source = dir / "doc.pub";
    writeFile(source, "the source document");
    EXPECT_THROW(savePublication(smallDocument(), source, source), model::ConversionError);
    fs::create_directories(dir / "sub");
    // The same file named another way.
    EXPECT_THROW(savePublication(smallDocument(), dir.path() / "sub" / ".." / "doc.pub", source),
                 model::ConversionError);
    fs::create_symlink(source, dir / "link.pub");
    EXPECT_THROW(savePublication(smallDocument(), dir / "link.pub", source), model::ConversionError);
    EXPECT_EQ(readFile(source), "the source document");
    EXPECT_EQ(hiddenEntries(dir.path()), 0);
}

TEST(EngineSave, SameFileComparesPathsWhenFilesDoNotExist) {
    ScratchFolder dir;
    EXPECT_TRUE(sameFile(dir / "a" / ".." / "x.pub", dir / "x.pub"));
    EXPECT_FALSE(sameFile(dir / "x.pub", dir / "y.pub"));
}

TEST(EngineSave, MissingTargetFolderIsAnErrorAndCreatesNothing) {
    ScratchFolder dir;
    EXPECT_THROW(savePublication(smallDocument(), dir / "no" / "such" / "out.pub", dir / "in.docx"),
                 model::ConversionError);
    EXPECT_FALSE(fs::exists(dir / "no"));
}

TEST(EngineSave, FailedWriteLeavesTheTargetAndNoTemporaryFile) {
    ScratchFolder dir;
    const auto target = dir / "out.pub";
    writeFile(target, "previous publication");
    fs::path seen;
    EXPECT_THROW(saveThroughTemporary(target,
                                      [&](const fs::path& temporary) {
                                          seen = temporary;
                                          writeFile(temporary, "half a publi");
                                          throw std::runtime_error("the writer failed");
                                      }),
                 std::runtime_error);
    EXPECT_EQ(seen.parent_path(), dir.path());
    EXPECT_EQ(seen.filename().string().rfind(".out.pub.tmp-", 0), 0u) << seen;
    EXPECT_FALSE(fs::exists(seen));
    EXPECT_EQ(readFile(target), "previous publication");
    EXPECT_EQ(hiddenEntries(dir.path()), 0);
}

TEST(EngineSave, FailedRenameRemovesTheTemporaryFile) {
    ScratchFolder dir;
    // A non-empty folder cannot be replaced by a file.
    const auto target = dir / "taken";
    fs::create_directories(target / "inside");
    EXPECT_THROW(saveThroughTemporary(target, [](const fs::path& t) { writeFile(t, "content"); }),
                 std::runtime_error);
    EXPECT_TRUE(fs::is_directory(target / "inside"));
    EXPECT_EQ(hiddenEntries(dir.path()), 0);
}

TEST(EngineSave, ReadOnlyFolderKeepsTheExistingTarget) {
    ScratchFolder dir;
    const auto folder = dir / "locked";
    fs::create_directories(folder);
    writeFile(folder / "out.pub", "previous publication");
    fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec);
    bool threw = false;
    try {
        savePublication(smallDocument(), folder / "out.pub", dir / "in.docx");
    } catch (const std::exception&) {
        threw = true;
    }
    fs::permissions(folder, fs::perms::owner_all);
    if (!threw) {
        // The super-user may write anyway; then the save must have been complete.
        EXPECT_EQ(readFile(folder / "out.pub").substr(0, 8), kCompoundMagic);
    } else {
        EXPECT_EQ(readFile(folder / "out.pub"), "previous publication");
    }
    EXPECT_EQ(hiddenEntries(folder), 0);
}

TEST(EngineSave, TemporaryFileIsPublishedWhileItIsWritten) {
    ScratchFolder dir;
    std::string during;
    saveThroughTemporary(dir / "out.pub", [&](const fs::path& t) {
        during = temporaryBeingWritten() ? temporaryBeingWritten() : "";
        writeFile(t, "x");
        EXPECT_EQ(fs::path(during), t);
    });
    EXPECT_FALSE(during.empty());
    EXPECT_EQ(temporaryBeingWritten(), nullptr);
}

TEST(EngineSave, RemoveTemporariesTakesOnlyTheTargetsLeftovers) {
    ScratchFolder dir;
    writeFile(dir / ".out.pub.tmp-abc123", "left over");
    writeFile(dir / ".out.pub.tmp-abc12", "not ours: the suffix is short");
    writeFile(dir / ".other.pub.tmp-abc123", "another target's");
    writeFile(dir / "out.pub", "the publication");
    removeTemporaries(dir / "out.pub");
    EXPECT_FALSE(fs::exists(dir / ".out.pub.tmp-abc123"));
    EXPECT_TRUE(fs::exists(dir / ".out.pub.tmp-abc12"));
    EXPECT_TRUE(fs::exists(dir / ".other.pub.tmp-abc123"));
    EXPECT_TRUE(fs::exists(dir / "out.pub"));
}

TEST(EngineSave, TargetThatIsAFolderIsRefused) {
    ScratchFolder dir;
    fs::create_directories(dir / "out.pub");
    EXPECT_THROW(savePublication(smallDocument(), dir / "out.pub", dir / "in.docx"), model::ConversionError);
}

} // namespace
} // namespace fq::engine
