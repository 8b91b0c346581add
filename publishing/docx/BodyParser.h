// Reads the block content of a story (the body, a header or footer, a note,
// a text box, a table cell) into the typed model. Relationship ids met on
// the way (pictures, hyperlinks) are resolved with the relationships of the
// part that holds the story.
#pragma once

#include "publishing/docx/DocxModel.h"
#include "publishing/docx/DrawingMl.h"

#include <pugixml.hpp>

#include <optional>
#include <vector>

namespace fq::docx {

class BodyParser {
public:
    explicit BodyParser(const Relationships& rels) : rels_(rels) {}

    // Children of `container` at block level: paragraphs, tables and the
    // containers around them (sdt, customXml, tracked insertions, markup
    // compatibility branches).
    std::vector<Block> parseBlocks(const pugi::xml_node& container);

    // The w:sectPr met directly in the container (the body's last section).
    const std::optional<SectionProps>& trailingSection() const { return trailingSection_; }

    // Image parts referenced by the story, for the loader to fetch.
    const std::vector<std::string>& imageParts() const { return imageParts_; }
    // SmartArt data parts referenced by the story.
    const std::vector<std::string>& diagramParts() const { return diagramParts_; }
    // Chart parts referenced by the story.
    const std::vector<std::string>& chartParts() const { return chartParts_; }

private:
    void blocks(const pugi::xml_node& container, std::vector<Block>& out, int depth);
    Paragraph paragraph(const pugi::xml_node& p, int depth);
    Table table(const pugi::xml_node& tbl, int depth);
    void rows(const pugi::xml_node& container, Table& t, int depth);
    void cells(const pugi::xml_node& container, TableRow& row, int depth);
    void inlines(const pugi::xml_node& container, std::vector<Run>& out, const std::string& link, int depth);
    void runItems(const pugi::xml_node& r, std::vector<RunItem>& out, int depth);
    Drawing drawing(const pugi::xml_node& d, int depth);
    void graphic(const pugi::xml_node& node, Drawing& d, int depth);
    Drawing vml(const pugi::xml_node& pict, int depth);
    void vmlShapes(const pugi::xml_node& node, Drawing& d, int depth);
    std::string imagePart(const std::string& relId);
    // Drawn shapes (BodyParserShapes.cpp): DrawingML shapes and groups,
    // VML shapes and groups, and how an anchored drawing sits in the text.
    DrawnShape wordShape(const pugi::xml_node& wsp, int depth);
    DrawnShape wordGroup(const pugi::xml_node& group, int depth);
    DrawnShape vmlShape(const pugi::xml_node& shape, int depth);
    bool isVmlShape(const pugi::xml_node& node) const;
    void vmlPlacement(const pugi::xml_node& shape, Drawing& d);
    void anchorLayout(const pugi::xml_node& anchor, Drawing& d);
    PartResolver resolver();

    const Relationships& rels_;
    std::optional<SectionProps> trailingSection_;
    std::vector<std::string> imageParts_;
    std::vector<std::string> diagramParts_;
    std::vector<std::string> chartParts_;
};

// The branch of an mc:AlternateContent element to read: the first mc:Choice
// whose requirements are understood, otherwise mc:Fallback. Never both.
pugi::xml_node selectAlternative(const pugi::xml_node& alternateContent);

// Parses a VML length ("72pt", "1in", "2.5cm", "96px") into EMU.
std::int64_t vmlLengthEmu(std::string_view value);

} // namespace fq::docx
