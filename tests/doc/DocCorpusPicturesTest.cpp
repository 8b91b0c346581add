// Pictures of real documents from the shared corpus: floating pictures
// through the shape anchors and the blip store, DIBs completed into BMP
// files, JPEGs and metafiles from the Data stream.
#include "publishing/doc/DocReader.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace fs = std::filesystem;
using namespace fq;

namespace {

// Pictures of the blocks, table cells and the lines of paragraphs included.
void collect(const std::vector<model::Block>& blocks, std::vector<model::Picture>& out, int* inLines = nullptr) {
    for (const auto& b : blocks) {
        if (const auto* pic = std::get_if<model::Picture>(&b)) out.push_back(*pic);
        else if (const auto* p = std::get_if<model::Paragraph>(&b)) {
            for (const auto& run : p->runs) {
                if (!run.picture) continue;
                out.push_back(*run.picture);
                if (inLines) ++*inLines;
            }
        }
        else if (const auto* t = std::get_if<model::Table>(&b))
            for (const auto& row : t->rows)
                for (const auto& cell : row.cells) collect(cell.blocks, out);
    }
}

std::vector<model::Picture> picturesOf(const std::string& name, int* inLines = nullptr) {
    const fs::path p = fs::path(FQ_SHARED_DIR) / "corpus" / "doc" / name;
    std::vector<model::Picture> out;
    if (!fs::exists(p)) {
        ADD_FAILURE() << "missing " << p;
        return out;
    }
    const auto d = doc::readDoc(p);
    for (const auto& s : d.sections) collect(s.blocks, out, inLines);
    return out;
}

bool startsWith(const std::vector<std::uint8_t>& d, std::initializer_list<std::uint8_t> sig) {
    return d.size() >= sig.size() && std::equal(sig.begin(), sig.end(), d.begin());
}

TEST(DocCorpusPictures, FloatingPngWithItsAnchor) {
    const auto pics = picturesOf("poi-PngPicture.doc");
    ASSERT_EQ(pics.size(), 1u);
    const auto& p = pics.front();
    EXPECT_EQ(p.format, model::ImageFormat::Png);
    EXPECT_TRUE(startsWith(p.data, {0x89, 'P', 'N', 'G'}));
    ASSERT_TRUE(p.anchor.has_value());
    EXPECT_GT(p.widthPt, 100.0);
    EXPECT_GT(p.heightPt, 30.0);
    EXPECT_GE(p.anchor->xPt, 0.0);
    EXPECT_GE(p.anchor->yPt, 0.0);
}

TEST(DocCorpusPictures, DibBecomesACompleteBmpFile) {
    const auto pics = picturesOf("poi-Bug51890.doc");
    const auto it = std::find_if(pics.begin(), pics.end(),
                                 [](const model::Picture& p) { return p.format == model::ImageFormat::Bmp; });
    ASSERT_NE(it, pics.end());
    const auto& d = it->data;
    ASSERT_TRUE(startsWith(d, {'B', 'M'}));
    ASSERT_GE(d.size(), 54u);
    const std::uint32_t fileSize = d[2] | (d[3] << 8) | (d[4] << 16) | (std::uint32_t(d[5]) << 24);
    const std::uint32_t pixels = d[10] | (d[11] << 8) | (d[12] << 16) | (std::uint32_t(d[13]) << 24);
    EXPECT_EQ(fileSize, d.size());
    EXPECT_GE(pixels, 54u);
    EXPECT_LT(pixels, d.size());
    EXPECT_FALSE(it->anchor.has_value());
}

TEST(DocCorpusPictures, InlineJpegsAndMetafiles) {
    // Both stand in lines of text.
    int inLines = 0;
    const auto jpegs = picturesOf("poi-testCroppedPictures.doc", &inLines);
    ASSERT_EQ(jpegs.size(), 2u);
    EXPECT_EQ(inLines, 2);
    for (const auto& p : jpegs) {
        EXPECT_EQ(p.format, model::ImageFormat::Jpeg);
        EXPECT_TRUE(startsWith(p.data, {0xFF, 0xD8}));
        EXPECT_FALSE(p.anchor.has_value());
    }
    // An EMF stored deflate-compressed: inflated, it starts with the EMR_HEADER record.
    const auto vector = picturesOf("poi-vector_image.doc");
    ASSERT_EQ(vector.size(), 1u);
    EXPECT_EQ(vector.front().format, model::ImageFormat::Emf);
    EXPECT_TRUE(startsWith(vector.front().data, {0x01, 0x00, 0x00, 0x00}));
    ASSERT_GE(vector.front().data.size(), 44u);
    EXPECT_EQ(vector.front().data[40], ' ');
    EXPECT_EQ(vector.front().data[41], 'E');
}

} // namespace
