// Pictures written by the .pub writer, read back through pub2raw: PNG and
// JPEG with identical bytes, the other formats carried or converted, and a
// visible placeholder for what cannot be carried.
#include "PubTestSupport.h"

#include "publishing/pub/Pictures.h"
#include "publishing/pub/PubConstants.h"

#include <QByteArray>
#include <QCryptographicHash>
#include <QImage>

#include <gtest/gtest.h>
#include "tests/support/PageView.h"

using namespace fq;
using namespace fq::pubtest;

namespace {

class PubPicture : public ::testing::Test {
protected:
    PubFixture fx;
};

model::Shape picture(model::ImageFormat format, std::vector<std::uint8_t> data, model::Rect rect) {
    model::PictureFrame p;
    p.format = format;
    p.data = std::move(data);
    return model::Shape{rect, std::move(p)};
}

std::string md5(const std::vector<std::uint8_t>& d) {
    return QCryptographicHash::hash(QByteArrayView(reinterpret_cast<const char*>(d.data()), qsizetype(d.size())),
                                    QCryptographicHash::Md5)
        .toHex()
        .toStdString();
}

// A 3 x 2 GIF (Qt reads GIF but cannot write it): global palette of two
// colours, LZW minimum code size 2.
std::vector<std::uint8_t> tinyGif() {
    return {'G', 'I', 'F', '8', '9', 'a', 3, 0, 2, 0, 0x80, 0, 0,
            0xFF, 0x00, 0x00, 0x00, 0x00, 0xFF,
            ',', 0, 0, 0, 0, 3, 0, 2, 0, 0,
            2, 3, 0x84, 0x1D, 0x05, 0, ';'};
}

// A 2 x 1 uncompressed RGB TIFF (Qt has no TIFF writer here).
std::vector<std::uint8_t> tinyTiff() {
    std::vector<std::uint8_t> d{'I', 'I', 42, 0, 8, 0, 0, 0};
    auto u16 = [&](std::uint16_t v) { d.push_back(std::uint8_t(v)); d.push_back(std::uint8_t(v >> 8)); };
    auto u32 = [&](std::uint32_t v) { u16(std::uint16_t(v)); u16(std::uint16_t(v >> 16)); };
    const std::uint16_t count = 10;
    const std::uint32_t bitsAt = 8 + 2 + 12 * count + 4, pixelsAt = bitsAt + 6;
    u16(count);
    auto tag = [&](std::uint16_t id, std::uint16_t type, std::uint32_t n, std::uint32_t value) {
        u16(id); u16(type); u32(n); u32(value);
    };
    tag(256, 3, 1, 2);          // width
    tag(257, 3, 1, 1);          // height
    tag(258, 3, 3, bitsAt);     // bits per sample
    tag(259, 3, 1, 1);          // no compression
    tag(262, 3, 1, 2);          // RGB
    tag(273, 4, 1, pixelsAt);   // strip offset
    tag(277, 3, 1, 3);          // samples per pixel
    tag(278, 3, 1, 1);          // rows per strip
    tag(279, 4, 1, 6);          // strip bytes
    tag(284, 3, 1, 1);          // planar configuration
    u32(0);
    u16(8); u16(8); u16(8);
    for (std::uint8_t b : {0xFF, 0x00, 0x00, 0x00, 0x00, 0xFF}) d.push_back(b);
    return d;
}

// A minimal valid EMF: header record and EOF record.
std::vector<std::uint8_t> tinyEmf() {
    std::vector<std::uint8_t> d(108 + 20, 0);
    auto put = [&](std::size_t at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i) d[at + i] = std::uint8_t(v >> (8 * i));
    };
    put(0, 1);            // EMR_HEADER
    put(4, 108);
    put(8, 0); put(12, 0); put(16, 99); put(20, 99);         // bounds
    put(24, 0); put(28, 0); put(32, 2540); put(36, 2540);    // frame, 0.01 mm
    put(40, 0x464D4520);  // " EMF"
    put(44, 0x00010000);
    put(48, static_cast<std::uint32_t>(d.size()));
    put(52, 2);           // records
    put(72, 1024); put(76, 768); put(80, 320); put(84, 240);
    put(108, 14);         // EMR_EOF
    put(112, 20);
    put(124, 20);
    return d;
}

// A minimal WMF: placeable header, METAHEADER and the end record.
std::vector<std::uint8_t> tinyWmf() {
    std::vector<std::uint8_t> d;
    auto u16 = [&](std::uint16_t v) { d.push_back(std::uint8_t(v)); d.push_back(std::uint8_t(v >> 8)); };
    auto u32 = [&](std::uint32_t v) { u16(std::uint16_t(v)); u16(std::uint16_t(v >> 16)); };
    u32(0x9AC6CDD7); u16(0); u16(0); u16(0); u16(1000); u16(1000); u16(1440); u32(0);
    std::uint16_t check = 0;
    for (std::size_t i = 0; i < 20; i += 2) check ^= std::uint16_t(d[i] | (d[i + 1] << 8));
    u16(check);
    u16(1); u16(9); u16(0x0300); u32(9 + 3); u16(0); u32(3); u16(0);
    u32(3); u16(0);       // META_EOF
    return d;
}

} // namespace

TEST_F(PubPicture, PngAndJpegKeepTheirBytesAndPlace) {
    const auto png = image(160, 120, "PNG");
    const auto jpeg = image(200, 100, "JPEG", 0xCC3300);
    model::Publication pub;
    pub.pages.push_back(page({frame({72, 400, 468, 100}, {paragraph({run("caption")})})}));
    pub.pages[0].shapes.push_back(picture(model::ImageFormat::Png, png, {72, 72, 160, 120}));
    pub.pages.push_back(page({}));
    pub.pages[1].shapes.push_back(picture(model::ImageFormat::Jpeg, jpeg, {100, 200, 300, 150}));
    const auto doc = fx.roundTrip(pub);
    ASSERT_EQ(doc.pages.size(), 2u) << doc.output;
    ASSERT_EQ(doc.pages[0].pictures.size(), 1u);
    const auto& a = doc.pages[0].pictures[0];
    EXPECT_EQ(a.mimeType, "image/png");
    EXPECT_TRUE(a.carriesImage(png)) << a.data.size() << " bytes for " << png.size();
    EXPECT_NEAR(a.x, 1.0, 1e-3);
    EXPECT_NEAR(a.y, 1.0, 1e-3);
    EXPECT_NEAR(a.width, 160 / 72.0, 1e-3);
    EXPECT_NEAR(a.height, 120 / 72.0, 1e-3);
    EXPECT_EQ(doc.pages[0].textObjects.size(), 1u);
    ASSERT_EQ(doc.pages[1].pictures.size(), 1u);
    const auto& b = doc.pages[1].pictures[0];
    EXPECT_EQ(b.mimeType, "image/jpeg");
    // The last picture of the delay stream comes back exactly.
    EXPECT_EQ(b.data.size(), jpeg.size());
    EXPECT_EQ(b.md5, md5(jpeg));
    EXPECT_NEAR(b.x, 100 / 72.0, 1e-3);
    EXPECT_NEAR(b.width, 300 / 72.0, 1e-3);
}

TEST_F(PubPicture, AlternativeTextIsStoredWithTheShape) {
    model::Publication pub;
    pub.pages.push_back(page({}));
    auto pic = picture(model::ImageFormat::Png, image(30, 20, "PNG"), {72, 72, 30, 20});
    std::get<model::PictureFrame>(pic.content).description = "Logo – Größe";
    pub.pages[0].shapes.push_back(pic);
    const auto doc = fx.roundTrip(pub);
    ASSERT_EQ(doc.pages.size(), 1u);
    ASSERT_EQ(doc.pages[0].pictures.size(), 1u);
    const std::string escher = fx.dump(fx.path("out.pub"), "escher");
    EXPECT_NE(escher.find("wzDescription"), std::string::npos) << escher;
    EXPECT_NE(escher.find("Logo – Größe"), std::string::npos) << escher;
    EXPECT_EQ(escher.find("!"), std::string::npos) << escher;
}

TEST_F(PubPicture, SeveralPicturesPairWithTheirShapes) {
    model::Publication pub;
    pub.pages.push_back(page({}));
    std::vector<std::vector<std::uint8_t>> images;
    for (int i = 0; i < 5; ++i) {
        images.push_back(image(20 + i * 7, 30, i % 2 ? "JPEG" : "PNG", 0x102030u * (i + 1)));
        pub.pages[0].shapes.push_back(picture(i % 2 ? model::ImageFormat::Jpeg : model::ImageFormat::Png,
                                                     images.back(), {36.0 + 100 * i, 36, 90, 90}));
    }
    const auto doc = fx.roundTrip(pub);
    ASSERT_EQ(doc.pages.size(), 1u);
    ASSERT_EQ(doc.pages[0].pictures.size(), 5u);
    for (int i = 0; i < 5; ++i) {
        EXPECT_TRUE(doc.pages[0].pictures[i].carriesImage(images[i])) << i;
        EXPECT_NEAR(doc.pages[0].pictures[i].x, (36.0 + 100 * i) / 72, 1e-3) << i;
    }
}

TEST_F(PubPicture, GifBecomesPng) {
    model::Publication pub;
    pub.pages.push_back(page({}));
    pub.pages[0].shapes.push_back(picture(model::ImageFormat::Gif, tinyGif(), {72, 72, 64, 48}));
    const auto doc = fx.roundTrip(pub);
    ASSERT_EQ(doc.pages.size(), 1u);
    ASSERT_EQ(doc.pages[0].pictures.size(), 1u);
    const auto& p = doc.pages[0].pictures[0];
    EXPECT_EQ(p.mimeType, "image/png");
    QImage back;
    ASSERT_TRUE(back.loadFromData(QByteArray(reinterpret_cast<const char*>(p.data.data()), qsizetype(p.data.size())), "PNG"));
    EXPECT_EQ(back.width(), 3);
    EXPECT_EQ(back.height(), 2);
    EXPECT_EQ(back.pixel(0, 0) & 0xFFFFFF, 0xFF0000u);
}

TEST_F(PubPicture, BmpGoesInAsDib) {
    const auto bmp = image(33, 17, "BMP");
    model::Publication pub;
    pub.pages.push_back(page({}));
    pub.pages[0].shapes.push_back(picture(model::ImageFormat::Bmp, bmp, {72, 72, 99, 51}));
    const auto doc = fx.roundTrip(pub);
    ASSERT_EQ(doc.pages.size(), 1u);
    ASSERT_EQ(doc.pages[0].pictures.size(), 1u) << doc.output;
    const auto& p = doc.pages[0].pictures[0];
    EXPECT_EQ(p.mimeType, "image/bmp");
    // The reader rebuilds the file header; the pixels are those written.
    ASSERT_EQ(p.data.size(), bmp.size());
    EXPECT_TRUE(std::equal(bmp.begin() + 14, bmp.end(), p.data.begin() + 14));
}

TEST_F(PubPicture, DibWithoutFileHeaderGoesInAsIs) {
    const auto bmp = image(16, 8, "BMP");
    const std::vector<std::uint8_t> dib(bmp.begin() + 14, bmp.end());
    // An OS/2 DIB (12-byte header, 24 bits) that the reader cannot take.
    std::vector<std::uint8_t> core{12, 0, 0, 0, 2, 0, 1, 0, 1, 0, 24, 0};
    for (std::uint8_t b : {0x00, 0x00, 0xFF, 0x00, 0xFF, 0x00, 0x00, 0x00}) core.push_back(b);
    model::Publication pub;
    pub.pages.push_back(page({}));
    pub.pages[0].shapes.push_back(picture(model::ImageFormat::Dib, dib, {72, 72, 16, 8}));
    pub.pages[0].shapes.push_back(picture(model::ImageFormat::Dib, core, {72, 172, 20, 10}));
    const auto doc = fx.roundTrip(pub);
    ASSERT_EQ(doc.pages.size(), 1u);
    ASSERT_EQ(doc.pages[0].pictures.size(), 2u) << doc.output;
    EXPECT_EQ(doc.pages[0].pictures[0].mimeType, "image/bmp");
    EXPECT_TRUE(std::equal(dib.begin(), dib.end(), doc.pages[0].pictures[0].data.begin() + 14));
    // The core DIB was decoded and handed over as PNG.
    EXPECT_EQ(doc.pages[0].pictures[1].mimeType, "image/png");
    QImage back;
    ASSERT_TRUE(back.loadFromData(QByteArray(reinterpret_cast<const char*>(doc.pages[0].pictures[1].data.data()),
                                             qsizetype(doc.pages[0].pictures[1].data.size()))));
    EXPECT_EQ(back.width(), 2);
    EXPECT_EQ(back.pixel(0, 0) & 0xFFFFFF, 0xFF0000u);
}

TEST_F(PubPicture, TiffIsCarriedAsTiff) {
    const auto tiff = tinyTiff();
    model::Publication pub;
    pub.pages.push_back(page({}));
    pub.pages[0].shapes.push_back(picture(model::ImageFormat::Tiff, tiff, {72, 72, 40, 30}));
    const auto doc = fx.roundTrip(pub);
    ASSERT_EQ(doc.pages.size(), 1u);
    ASSERT_EQ(doc.pages[0].pictures.size(), 1u);
    EXPECT_EQ(doc.pages[0].pictures[0].mimeType, "image/tiff");
    EXPECT_EQ(doc.pages[0].pictures[0].data, tiff);
}

TEST_F(PubPicture, MetafilesAreInflatedBackToTheOriginal) {
    const auto emf = tinyEmf();
    const auto wmf = tinyWmf();
    model::Publication pub;
    pub.pages.push_back(page({}));
    pub.pages[0].shapes.push_back(picture(model::ImageFormat::Emf, emf, {72, 72, 100, 100}));
    pub.pages[0].shapes.push_back(picture(model::ImageFormat::Wmf, wmf, {272, 72, 100, 100}));
    const auto doc = fx.roundTrip(pub);
    ASSERT_EQ(doc.pages.size(), 1u);
    ASSERT_EQ(doc.pages[0].pictures.size(), 2u) << doc.output;
    EXPECT_EQ(doc.pages[0].pictures[0].mimeType, "image/emf");
    EXPECT_EQ(doc.pages[0].pictures[0].data, emf);   // inflated: the zlib stream ends it
    EXPECT_EQ(doc.pages[0].pictures[1].mimeType, "image/wmf");
    // The BLIP holds the metafile without its placeable header.
    EXPECT_EQ(doc.pages[0].pictures[1].data, std::vector<std::uint8_t>(wmf.begin() + 22, wmf.end()));
}

TEST_F(PubPicture, UnreadablePictureBecomesAVisiblePlaceholder) {
    model::Publication pub;
    pub.pages.push_back(page({}));
    pub.pages[0].shapes.push_back(picture(model::ImageFormat::Emf, {1, 2, 3, 4, 5, 6, 7, 8}, {72, 72, 200, 100}));
    pub.pages[0].shapes.push_back(picture(model::ImageFormat::Unknown, {0x42, 0x42, 0x42}, {72, 300, 200, 100}));
    const auto doc = fx.roundTrip(pub);
    ASSERT_EQ(doc.pages.size(), 1u);
    EXPECT_TRUE(doc.pages[0].pictures.empty());
    ASSERT_EQ(doc.pages[0].textObjects.size(), 2u);
    EXPECT_EQ(doc.pages[0].textObjects[0].text(), pub::placeholderText(model::ImageFormat::Emf));
    EXPECT_NE(doc.pages[0].textObjects[0].text().find("EMF"), std::string::npos);
    EXPECT_NEAR(doc.pages[0].textObjects[0].x, 1.0, 0.01);
    // The border's half width moves the reported box a little.
    EXPECT_NEAR(doc.pages[0].textObjects[1].y, 300 / 72.0, 0.01);
    // The placeholder has a border: its outline is drawn.
    EXPECT_NE(doc.output.find("draw:stroke: solid"), std::string::npos) << doc.output;
}

TEST(PubPictureData, FormatsAreSniffedWhenUnknown) {
    EXPECT_EQ(pub::sniffImageFormat(image(4, 4, "PNG")), model::ImageFormat::Png);
    EXPECT_EQ(pub::sniffImageFormat(image(4, 4, "JPEG")), model::ImageFormat::Jpeg);
    EXPECT_EQ(pub::sniffImageFormat(tinyGif()), model::ImageFormat::Gif);
    EXPECT_EQ(pub::sniffImageFormat(tinyTiff()), model::ImageFormat::Tiff);
    EXPECT_EQ(pub::sniffImageFormat(image(4, 4, "BMP")), model::ImageFormat::Bmp);
    EXPECT_EQ(pub::sniffImageFormat(tinyEmf()), model::ImageFormat::Emf);
    EXPECT_EQ(pub::sniffImageFormat(tinyWmf()), model::ImageFormat::Wmf);
    EXPECT_EQ(pub::sniffImageFormat({1, 2, 3}), model::ImageFormat::Unknown);
}

TEST(PubPictureData, BlipsCarryTheirCodesAndANonZeroUid) {
    const auto png = image(10, 10, "PNG");
    const auto b = pub::makeBlip(model::ImageFormat::Png, png, 10, 10);
    ASSERT_TRUE(b);
    EXPECT_EQ(b->recordType, pub::esc::BlipPng);
    EXPECT_EQ(b->instance, pub::blip::InstPng);
    EXPECT_EQ(b->bseType, pub::blip::TypePng);
    EXPECT_NE(b->uid, (std::array<std::uint8_t, 16>{}));
    ASSERT_EQ(b->body.size(), 17 + png.size());
    EXPECT_EQ(b->body[16], 0xFF);
    EXPECT_TRUE(std::equal(png.begin(), png.end(), b->body.begin() + 17));
    // A format label that does not match the bytes is corrected by decoding.
    const auto relabelled = pub::makeBlip(model::ImageFormat::Jpeg, png, 10, 10);
    ASSERT_TRUE(relabelled);
    EXPECT_EQ(relabelled->recordType, pub::esc::BlipPng);
    EXPECT_FALSE(pub::makeBlip(model::ImageFormat::Png, {}, 1, 1));
}
