// Command-line parsing and the output naming rule.
#include "cli/Options.h"
#include "cli/OutputNames.h"

#include <gtest/gtest.h>

namespace fq::cli {
namespace {

ParseResult parse(std::vector<std::string> args) { return parseOptions(args); }

TEST(CliOptions, FilesAndOptions) {
    const auto r = parse({"-o", "out", "-j", "3", "a.docx", "b.doc"});
    ASSERT_EQ(r.error, "");
    EXPECT_EQ(r.options.outputFolder, std::filesystem::path("out"));
    EXPECT_EQ(r.options.jobs, 3);
    EXPECT_EQ(r.options.files, (std::vector<std::string>{"a.docx", "b.doc"}));
}

TEST(CliOptions, ValueSpellings) {
    EXPECT_EQ(parse({"-j4", "x"}).options.jobs, 4);
    EXPECT_EQ(parse({"--jobs=5", "x"}).options.jobs, 5);
    EXPECT_EQ(parse({"--jobs", "6", "x"}).options.jobs, 6);
    EXPECT_EQ(parse({"-odir", "x"}).options.outputFolder, std::filesystem::path("dir"));
    EXPECT_EQ(parse({"--output=d2", "x"}).options.outputFolder, std::filesystem::path("d2"));
    EXPECT_EQ(parse({"x"}).options.jobs, 0);
    EXPECT_FALSE(parse({"x"}).options.outputFolder.has_value());
}

TEST(CliOptions, DoubleDashEndsOptions) {
    const auto r = parse({"--", "-o", "--help"});
    ASSERT_EQ(r.error, "");
    EXPECT_EQ(r.options.files, (std::vector<std::string>{"-o", "--help"}));
    EXPECT_FALSE(r.options.help);
}

TEST(CliOptions, UsageErrors) {
    EXPECT_EQ(parse({}).error, "no files to convert");
    EXPECT_EQ(parse({"-o", "out"}).error, "no files to convert");
    EXPECT_EQ(parse({"a.docx", "-o"}).error, "option -o needs a value");
    EXPECT_EQ(parse({"--bogus", "a.docx"}).error, "unknown option --bogus");
    EXPECT_NE(parse({"-j", "0", "a.docx"}).error, "");
    EXPECT_NE(parse({"-j", "two", "a.docx"}).error, "");
    EXPECT_NE(parse({"-j", "3x", "a.docx"}).error, "");
    EXPECT_NE(parse({"-j", "-1", "a.docx"}).error, "");
    EXPECT_NE(parse({"--output=", "a.docx"}).error, "");
}

TEST(CliOptions, HelpAndVersionNeedNoFiles) {
    EXPECT_TRUE(parse({"--linked-frames", "a.docx"}).options.linkedFrames);
    EXPECT_FALSE(parse({"a.docx"}).options.linkedFrames);
    EXPECT_TRUE(parse({"--help"}).options.help);
    EXPECT_TRUE(parse({"-h"}).options.help);
    EXPECT_TRUE(parse({"--version"}).options.version);
    EXPECT_EQ(parse({"--version"}).error, "");
    EXPECT_EQ(versionText(), std::string("folioquill-convert ") + FQ_VERSION + "\n");
    EXPECT_NE(helpText().find("Usage: folioquill-convert [-o DIR] [-j N] FILE..."), std::string::npos);
}

TEST(CliOutputNames, BaseNameDropsTheLastExtension) {
    EXPECT_EQ(baseName("report.docx"), "report");
    EXPECT_EQ(baseName("/a/b/report.final.doc"), "report.final");
    EXPECT_EQ(baseName("dir.with.dots/plain"), "plain");
    EXPECT_EQ(baseName(".profile"), ".profile");      // the dot is the first character
    EXPECT_EQ(baseName("x.y"), "x");                  // the dot is the second character
    EXPECT_EQ(baseName("trailing."), "trailing");
    EXPECT_EQ(baseName("/a/b/..docx"), ".");
}

TEST(CliOutputNames, OutputGoesToTheFolderOrBesideTheSource) {
    EXPECT_EQ(outputPath("/data/in/report.docx", std::nullopt), std::filesystem::path("/data/in/report.pub"));
    EXPECT_EQ(outputPath("report.docx", std::nullopt), std::filesystem::path("./report.pub"));
    EXPECT_EQ(outputPath("/data/in/report.docx", std::filesystem::path("/out")), std::filesystem::path("/out/report.pub"));
}

} // namespace
} // namespace fq::cli
