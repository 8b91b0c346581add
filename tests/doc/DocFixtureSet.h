// The converted .doc fixtures shared by the fixture-based tests, made once
// per content (LibreOffice runs once; later test processes reuse the result
// kept in a temporary folder named after a hash of the fixtures).
#pragma once

#include "publishing/model/Document.h"

#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace fq::doc::test {

struct FixtureSet {
    std::map<std::string, std::filesystem::path> docs;
    std::string log;
    std::vector<unsigned char> png, jpeg;  // the image bytes put into the pictures fixture
};

const FixtureSet& fixtures();

// Reads fixture name; fails the calling test when it is missing.
model::Document readFixture(const std::string& name);

// All paragraphs of the body in order, those of table cells too.
std::vector<const model::Paragraph*> paragraphs(const model::Document& d);
// The first body paragraph whose text contains needle, or nullptr.
const model::Paragraph* findParagraph(const model::Document& d, const std::string& needle);
// The first run whose text contains needle, or nullptr.
const model::Run* findRun(const model::Document& d, const std::string& needle);

} // namespace fq::doc::test
