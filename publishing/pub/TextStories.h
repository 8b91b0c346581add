// The text of a publication as Quill stores it: one story per text frame,
// UTF-16 text with U+000D after every paragraph, character runs and
// paragraph runs with their formatting resolved to FONT and PL indexes.
// Built from the model's frames by StoryCollector; consumed by the Quill
// builder.
#pragma once

#include "publishing/model/Publication.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace fq::pub {

struct CharFormat {
    std::uint16_t font = 0;        // index into the FONT list
    std::uint16_t color = 0;       // index into the PL list (0 = black)
    std::uint32_t sizeEmu = 0;
    bool bold = false;
    bool italic = false;
    bool smallCaps = false;
    bool allCaps = false;
    std::uint16_t underline = 0;   // ul:: code, 0 = none (with ul::kHyperlink on links)
    std::uint16_t superSub = 0;    // cp::kSuperscript / cp::kSubscript
    bool hyperlink = false;        // the text of a hyperlink
    friend bool operator==(const CharFormat&, const CharFormat&) = default;
};

struct ParaFormat {
    std::uint16_t alignment = 0;   // pp:: code
    std::int32_t firstIndentEmu = 0;
    std::int32_t leftIndentEmu = 0;
    std::int32_t rightIndentEmu = 0;
    std::int32_t spaceBeforeEmu = 0;
    std::int32_t spaceAfterEmu = 0;
    std::uint32_t lineSpacing = 0; // encoded value of property 34, 0 = single
    std::vector<std::int32_t> tabsEmu;
    friend bool operator==(const ParaFormat&, const ParaFormat&) = default;
};

struct StoryRun {
    std::uint32_t length = 0;      // UTF-16 code units
    CharFormat format;
};

struct StoryParagraph {
    std::uint32_t length = 0;      // UTF-16 code units including the U+000D
    ParaFormat format;
};

// A cell of a table story: where its text ends (UTF-16 units from the
// story's start, its last paragraph mark included), its size and margins.
struct StoryCell {
    std::uint32_t end = 0;
    std::int32_t widthEmu = 0, heightEmu = 0;
    std::int32_t marginLeftEmu = 0, marginTopEmu = 0, marginRightEmu = 0, marginBottomEmu = 0;
};

// A hyperlink on a stretch of a story's text (never across a paragraph
// mark).
struct StoryLink {
    std::uint32_t start = 0;       // UTF-16 code units from the story's start
    std::uint32_t length = 0;
    std::u16string target;         // "https://...", "mailto:...", a file
};

struct Story {
    std::uint32_t id = 0;
    std::u16string text;
    std::vector<StoryRun> runs;
    std::vector<StoryParagraph> paragraphs;
    std::vector<StoryLink> links;
    std::int32_t frameWidthEmu = 0;
    std::int32_t frameHeightEmu = 0;
    std::vector<StoryCell> cells;          // table stories only
};

struct TextColor {
    std::uint8_t r = 0, g = 0, b = 0;
    std::uint32_t bgr() const { return std::uint32_t(r) | (std::uint32_t(g) << 8) | (std::uint32_t(b) << 16); }
};

struct StorySet {
    std::vector<Story> stories;
    std::vector<std::u16string> fonts;     // FONT list
    std::vector<TextColor> colors;         // PL list, entry 0 is black
};

// UTF-8 to UTF-16; malformed sequences become U+FFFD.
std::u16string utf8ToUtf16(const std::string& text);

// True for a link to a place outside the document ("#name" links to one of
// its bookmarks, which have no page to point at in the publication).
bool isExternalLink(const std::string& link);

// Encodes the line spacing for paragraph property 34 (0 = leave single).
std::uint32_t encodeLineSpacing(const model::LineSpacing& spacing);

// Collects the stories of all text frames, numbering them 1, 2, 3 ...
class StoryCollector {
public:
    StoryCollector();
    // Adds one story for the frame placed at rect and returns its text id.
    std::uint32_t add(const model::TextFrame& frame, const model::Rect& rect);
    // Adds a story holding one paragraph of plain text (placeholders).
    std::uint32_t addPlain(const std::string& text, const model::Rect& rect);
    // The story added last (a table's, to note its cells).
    Story& last() { return set_.stories.back(); }
    StorySet take() { return std::move(set_); }
    const StorySet& stories() const { return set_; }

private:
    std::uint16_t fontIndex(const std::string& name);
    std::uint16_t colorIndex(const std::optional<model::Color>& color);
    CharFormat charFormat(const model::CharProps& props);
    static ParaFormat paraFormat(const model::ParaProps& props);
    void appendRun(Story& story, std::uint32_t length, const CharFormat& format);

    StorySet set_;
    std::map<std::string, std::uint16_t> fontIndexes_;
};

} // namespace fq::pub
