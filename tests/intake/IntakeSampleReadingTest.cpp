// The shipped samples read by our own engine: each shows what it is there
// to show (headings, bold and italic, a list, a table, a picture).
#include "publishing/engine/Engine.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <string>
#include <variant>

namespace fq::test {
namespace {

// Our own reader finds in every sample what it is there to show.
TEST(IntakeSampleReading, HeadingsEmphasisListTableAndPicture)
{
    const QDir samples(QStringLiteral(FQ_SOURCE_DIR "/data/Samples"));
    const QStringList all = samples.entryList({QStringLiteral("*.doc"), QStringLiteral("*.docx")}, QDir::Files);
    ASSERT_GE(all.size(), 2);
    for (const QString& name : all) {
        SCOPED_TRACE(name.toStdString());
        const model::Document document = engine::readDocument(QFile::encodeName(samples.filePath(name)).toStdString());
        std::string text;
        bool bold = false, italic = false, largeHeading = false;
        int pictures = 0, tables = 0;
        const auto visit = [&](const auto& self, const std::vector<model::Block>& blocks) -> void {
            for (const model::Block& block : blocks) {
                if (const auto* picture = std::get_if<model::Picture>(&block)) {
                    ++pictures;
                    EXPECT_EQ(picture->format, model::ImageFormat::Png);
                    EXPECT_GT(picture->widthPt, 100.0);
                }
                if (const auto* table = std::get_if<model::Table>(&block)) {
                    ++tables;
                    for (const model::TableRow& row : table->rows)
                        for (const model::TableCell& cell : row.cells) self(self, cell.blocks);
                }
                const auto* paragraph = std::get_if<model::Paragraph>(&block);
                if (!paragraph) continue;
                text += paragraph->plainText() + "\n";
                for (const model::Run& run : paragraph->runs) {
                    bold = bold || run.props.bold;
                    italic = italic || run.props.italic;
                    largeHeading = largeHeading || run.props.sizePt >= 16.0;
                }
            }
        };
        for (const model::Section& section : document.sections) visit(visit, section.blocks);
        EXPECT_GE(tables, 1);
        EXPECT_TRUE(bold);
        EXPECT_TRUE(italic);
        EXPECT_TRUE(largeHeading);
        EXPECT_EQ(pictures, 1);
        // A table cell and a list item of each sample.
        const bool newsletter = name.contains(QStringLiteral("Newsletter"));
        EXPECT_NE(text.find(newsletter ? "Bandstand" : "September"), std::string::npos);
        EXPECT_NE(text.find(newsletter ? "Good walking shoes" : "Hire two more packers"), std::string::npos);
    }
}

} // namespace
} // namespace fq::test
