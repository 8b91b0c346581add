// Small builders for model documents and readers of laid-out pages, shared by
// the layout tests.
#pragma once

#include "publishing/model/Publication.h"
#include "tests/support/PageView.h"

#include <string>
#include <vector>

namespace fq::layout::test {

model::Paragraph paragraph(const std::string& text, const std::string& font = "Calibri", double size = 11.0);
model::Section section(std::vector<model::Block> blocks, model::PageGeometry page = {});
model::Document document(std::vector<model::Section> sections);

// Text of a frame's paragraphs joined with "\n" after each paragraph.
std::string frameText(const model::PlacedText& frame);

// The characters of all paragraphs without any separator: a paragraph split
// across frames gives the same flow text as the paragraph itself.
std::string flowText(const model::Publication& pub);
std::string flowText(const model::Document& doc);

// Frames whose rectangle lies inside the page's text area.
std::vector<model::PlacedText> bodyFrames(const model::Page& page, const model::PageGeometry& g);

// "" when the texts are equal, else where they first differ, shortly.
std::string difference(const std::string& actual, const std::string& expected);

// Words of the form "w0001 w0002 ..." so that every word is unique.
std::string numberedWords(int count, int first = 0);

} // namespace fq::layout::test
