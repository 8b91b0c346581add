// Shared helpers of the .pub writer tests: model builders, a temporary
// folder per test, writing a publication and reading it back through
// pub2raw or pubdump.
#pragma once

#include "publishing/model/Publication.h"
#include "tests/support/Pub2Raw.h"

#include <QTemporaryDir>

#include <filesystem>
#include <string>
#include <vector>

namespace fq::pubtest {

model::Run run(const std::string& text, model::CharProps props = {});
model::Paragraph paragraph(std::vector<model::Run> runs, model::ParaProps props = {});
model::Shape frame(model::Rect rect, std::vector<model::Paragraph> paragraphs);
// A Letter page holding the frames.
model::Page page(std::vector<model::Shape> shapes, double widthPt = 612, double heightPt = 792);

// Encodes a w x h image of one colour (with a contrasting square) in the
// given Qt format ("PNG", "JPEG", "GIF", "BMP", "TIFF").
std::vector<std::uint8_t> image(int w, int h, const char* format, unsigned rgb = 0x3366CC);

class PubFixture {
public:
    PubFixture();
    std::filesystem::path path(const std::string& name) const;
    // Writes the publication and reads it back with pub2raw.
    test::RawDocument roundTrip(const model::Publication& pub, const std::string& name = "out.pub") const;
    // pubdump's text for the file (optionally one section).
    std::string dump(const std::filesystem::path& file, const std::string& section = {}) const;

private:
    QTemporaryDir dir_;
};

// Inches to points and back, for comparing with pub2raw.
inline double inches(double pt) { return pt / 72.0; }

} // namespace fq::pubtest
