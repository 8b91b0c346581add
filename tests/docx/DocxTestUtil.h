// Accessors over a read document for the docx fixture tests.
#pragma once

#include "publishing/model/Document.h"

#include <string>
#include <vector>

namespace fq::docx::test {

// Every paragraph of every section's flow, in order.
std::vector<model::Paragraph> paragraphs(const model::Document& doc);
// Every picture of every section's flow, in order.
std::vector<model::Picture> pictures(const model::Document& doc);
// The texts of all paragraphs.
std::vector<std::string> texts(const model::Document& doc);
// The run that holds `needle`, or nullptr (table cells searched too).
const model::Run* runWith(const model::Document& doc, const std::string& needle);

// A w:p with one run of text and optional pPr / rPr content.
std::string p(const std::string& text, const std::string& pPr = "", const std::string& rPr = "");

} // namespace fq::docx::test
