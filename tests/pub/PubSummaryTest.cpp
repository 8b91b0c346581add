// The property-set streams: the same properties, types and order as in a
// Publisher 2010 file, the Office version, the author in the code page it
// fits, and the first page's preview as Publisher stores it (a metafile
// holding a bitmap) drawn from the laid-out page.
#include "CompoundCheck.h"
#include "PubTestSupport.h"

#include "publishing/pub/PubWriter.h"

#include <gtest/gtest.h>

#include <QColor>
#include <QImage>

using namespace fq;
using namespace fq::pubtest;

namespace {

const std::string kSample2010 = FQ_SHARED_DIR "/reference/genuine/poi_Sample_2010.pub";

std::vector<std::uint8_t> stream(const std::string& file, const char* name) { return readStream(file, name); }

std::uint32_t u32(const std::vector<std::uint8_t>& d, std::size_t at) {
    return at + 4 <= d.size() ? d[at] | (d[at + 1] << 8) | (d[at + 2] << 16) | (std::uint32_t(d[at + 3]) << 24) : 0;
}
std::uint16_t u16(const std::vector<std::uint8_t>& d, std::size_t at) {
    return at + 2 <= d.size() ? std::uint16_t(d[at] | (d[at + 1] << 8)) : 0;
}

struct Property {
    std::uint32_t id;
    std::uint16_t type;
    std::size_t at;   // of the value, after type and padding
};

std::vector<Property> properties(const std::vector<std::uint8_t>& d) {
    std::vector<Property> out;
    const std::uint32_t base = u32(d, 44);
    const std::uint32_t count = u32(d, base + 4);
    for (std::uint32_t i = 0; i < count && i < 64; ++i) {
        const std::uint32_t off = u32(d, base + 12 + 8 * i);
        out.push_back({u32(d, base + 8 + 8 * i), u16(d, base + off), base + off + 4});
    }
    return out;
}

std::string ids(const std::vector<Property>& props) {
    std::string s;
    for (const auto& p : props) s += std::to_string(p.id) + "/" + std::to_string(p.type) + " ";
    return s;
}

// The preview: the metafile's record functions and its bitmap.
struct Preview {
    std::vector<std::uint16_t> functions;
    QImage bitmap;
};

Preview preview(const std::vector<std::uint8_t>& si) {
    Preview out;
    for (const auto& p : properties(si)) {
        if (p.id != 17 || p.type != 71) continue;
        if (u32(si, p.at + 4) != 0xFFFFFFFF || u32(si, p.at + 8) != 3) return out;   // CF_METAFILEPICT
        std::size_t at = p.at + 12 + 8 + 18;   // METAFILEPICT16, METAHEADER
        while (at + 6 <= si.size()) {
            const std::uint32_t words = u32(si, at);
            const std::uint16_t fn = u16(si, at + 4);
            out.functions.push_back(fn);
            if (fn == 0x0940) {
                const std::size_t dib = at + 6 + 16;
                const int w = static_cast<int>(u32(si, dib + 4)), h = static_cast<int>(u32(si, dib + 8));
                if (u16(si, dib + 14) != 24 || w <= 0 || h <= 0) return out;
                out.bitmap = QImage(w, h, QImage::Format_RGB32);
                const std::size_t stride = (3u * w + 3u) & ~3u;
                for (int y = 0; y < h; ++y)
                    for (int x = 0; x < w; ++x) {
                        const std::size_t px = dib + 40 + (h - 1 - y) * stride + 3u * x;
                        out.bitmap.setPixel(x, y, qRgb(si.at(px + 2), si.at(px + 1), si.at(px)));
                    }
            }
            if (fn == 0 || words < 3) break;
            at += 2u * words;
        }
    }
    return out;
}

} // namespace

TEST(PubSummary, PropertySetsMatchPublisher2010s) {
    PubFixture fx;
    model::Publication pub;
    pub.properties.author = "Nick Burch";
    pub.pages.push_back(page({frame({72, 72, 468, 100}, {paragraph({run("Hello")})})}));
    pub::writePub(pub, fx.path("out.pub"));
    const auto si = stream(fx.path("out.pub").string(), "\005SummaryInformation");
    const auto dsi = stream(fx.path("out.pub").string(), "\005DocumentSummaryInformation");
    const auto realSi = stream(kSample2010, "\005SummaryInformation");
    const auto realDsi = stream(kSample2010, "\005DocumentSummaryInformation");
    ASSERT_FALSE(realSi.empty());
    EXPECT_EQ(ids(properties(si)), ids(properties(realSi)));    // code page, author, thumbnail
    EXPECT_EQ(ids(properties(dsi)), ids(properties(realDsi)));  // code page, version, four flags
    EXPECT_EQ(std::vector<std::uint8_t>(si.begin(), si.begin() + 28),
              std::vector<std::uint8_t>(realSi.begin(), realSi.begin() + 28));
    for (const auto& p : properties(dsi))
        if (p.id == 23) EXPECT_EQ(u32(dsi, p.at), 14u << 16) << "Office 14.0";
    EXPECT_EQ(u16(si, properties(si).at(0).at), 1252);
    // The preview metafile is built record for record as Publisher's.
    const Preview ours = preview(si), real = preview(realSi);
    EXPECT_EQ(ours.functions, real.functions);
    EXPECT_EQ(ours.bitmap.size(), QSize(114, 147));   // a Letter page, as Publisher 2010 sizes it
}

TEST(PubSummary, PreviewShowsTheFirstPage) {
    // A red picture (with a cyan square in its middle) in the top left
    // quarter and a block of bold text at the bottom right: the preview is
    // white elsewhere.
    PubFixture fx;
    model::Publication pub;
    model::PictureFrame pic;
    pic.format = model::ImageFormat::Png;
    pic.data = image(20, 20, "PNG", 0xFF0000);
    model::CharProps bold;
    bold.bold = true;
    bold.sizePt = 24;
    std::vector<model::Paragraph> text;
    for (int i = 0; i < 8; ++i) text.push_back(paragraph({run("MMMMMMMMMMMMMMMM", bold)}));
    pub.pages.push_back(page({model::Shape{{0, 0, 306, 396}, pic}, frame({330, 420, 270, 360}, text)}));
    pub.pages.push_back(page({frame({0, 0, 612, 792}, {paragraph({run("second page", bold)})})}));
    pub::writePub(pub, fx.path("out.pub"));
    const QImage img = preview(stream(fx.path("out.pub").string(), "\005SummaryInformation")).bitmap;
    ASSERT_FALSE(img.isNull());
    auto at = [&](double fx, double fy) {
        return QColor(img.pixel(static_cast<int>(fx * (img.width() - 3)) + 1, static_cast<int>(fy * (img.height() - 3)) + 1));
    };
    EXPECT_GT(at(0.06, 0.06).red(), 200);
    EXPECT_LT(at(0.06, 0.06).green(), 80);
    EXPECT_LT(at(0.25, 0.25).red(), 80);
    EXPECT_GT(at(0.25, 0.25).green(), 200);
    EXPECT_EQ(at(0.75, 0.25), QColor(Qt::white));
    EXPECT_EQ(at(0.25, 0.75), QColor(Qt::white));
    int dark = 0;
    for (double y = 0.55; y < 0.95; y += 0.02)
        for (double x = 0.55; x < 0.95; x += 0.02) dark += at(x, y).lightness() < 200;
    EXPECT_GT(dark, 20) << "the text block is visible";
    // The page's frame and shadow.
    EXPECT_EQ(QColor(img.pixel(0, 10)), QColor(169, 176, 184));
    EXPECT_EQ(QColor(img.pixel(img.width() - 1, 10)), QColor(Qt::black));
}

TEST(PubSummary, AuthorInTheCodePageItFits) {
    PubFixture fx;
    for (const std::string& author : {"Jörg Müller – “quoted”", "张伟"}) {
        model::Publication pub;
        pub.properties.author = author;
        pub.pages.push_back(page({frame({72, 72, 468, 100}, {paragraph({run("x")})})}));
        const auto doc = fx.roundTrip(pub);
        EXPECT_EQ(doc.metadata.at("dc:creator"), author);
        const auto si = stream(fx.path("out.pub").string(), "\005SummaryInformation");
        EXPECT_EQ(u16(si, properties(si).at(0).at), author == "张伟" ? 65001 : 1252) << author;
    }
}
