// Helpers of the .pub writer tests.
#include "PubTestSupport.h"

#include "publishing/pub/PubWriter.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QProcess>

#include <stdexcept>

namespace fq::pubtest {

model::Run run(const std::string& text, model::CharProps props) {
    model::Run r;
    r.text = text;
    r.props = props;
    return r;
}

model::Paragraph paragraph(std::vector<model::Run> runs, model::ParaProps props) {
    model::Paragraph p;
    p.runs = std::move(runs);
    p.props = props;
    return p;
}

model::Shape frame(model::Rect rect, std::vector<model::Paragraph> paragraphs) {
    model::TextFrame f;
    f.paragraphs = std::move(paragraphs);
    return model::Shape{rect, std::move(f)};
}

model::Page page(std::vector<model::Shape> shapes, double widthPt, double heightPt) {
    model::Page p;
    p.widthPt = widthPt;
    p.heightPt = heightPt;
    p.shapes = std::move(shapes);
    return p;
}

std::vector<std::uint8_t> image(int w, int h, const char* format, unsigned rgb) {
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(QColor::fromRgb(rgb));
    {
        QPainter painter(&img);
        painter.fillRect(w / 4, h / 4, w / 2, h / 2, QColor::fromRgb(0xFFFFFF ^ rgb));
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!img.save(&buffer, format)) throw std::runtime_error(std::string("cannot encode ") + format);
    return std::vector<std::uint8_t>(bytes.begin(), bytes.end());
}

PubFixture::PubFixture() {
    if (!dir_.isValid()) throw std::runtime_error("no temporary folder");
}

std::filesystem::path PubFixture::path(const std::string& name) const {
    return std::filesystem::path(dir_.path().toStdString()) / name;
}

test::RawDocument PubFixture::roundTrip(const model::Publication& pub, const std::string& name) const {
    const auto file = path(name);
    pub::writePub(pub, file);
    return test::runPub2Raw(file);
}

std::string PubFixture::dump(const std::filesystem::path& file, const std::string& section) const {
    QStringList args{QStringLiteral(FQ_SHARED_DIR "/tools/pubdump"), QStringLiteral("--no-offsets")};
    if (!section.empty()) args << QStringLiteral("--section") << QString::fromStdString(section);
    args << QString::fromStdString(file.string());
    QProcess p;
    p.start(QStringLiteral("/usr/bin/python3"), args);
    if (!p.waitForStarted(10000) || !p.waitForFinished(120000)) return {};
    return p.readAllStandardOutput().toStdString();
}

} // namespace fq::pubtest
