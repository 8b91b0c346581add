// Turns the model's text frames into Quill stories.
#include "publishing/pub/TextStories.h"

#include "publishing/pub/PubConstants.h"

#include <algorithm>
#include <cmath>

namespace fq::pub {

namespace {

std::int32_t emu(double points) { return static_cast<std::int32_t>(std::lround(points * kEmuPerPoint)); }

std::uint16_t underlineCode(model::Underline u) {
    switch (u) {
    case model::Underline::None: return 0;
    case model::Underline::Single: return ul::Single;
    case model::Underline::Words: return ul::Words;
    case model::Underline::Double: return ul::Double;
    case model::Underline::Dotted: return ul::Dotted;
    case model::Underline::Thick: return ul::Thick;
    case model::Underline::Dash: return ul::Dash;
    case model::Underline::DotDash: return ul::DotDash;
    case model::Underline::DotDotDash: return ul::DotDotDash;
    case model::Underline::Wave: return ul::Wave;
    }
    return 0;
}

std::uint16_t alignmentCode(model::Alignment a) {
    switch (a) {
    case model::Alignment::Left: return pp::kLeft;
    case model::Alignment::Right: return pp::kRight;
    case model::Alignment::Center: return pp::kCenter;
    case model::Alignment::Justify: return pp::kJustify;
    }
    return pp::kLeft;
}

// Characters a story may hold: tab, line break and everything printable.
// Other control characters (and a stray paragraph mark) would split or
// corrupt the story, so they are left out.
bool keep(char32_t c) { return c == 0x09 || c == 0x0A || c >= 0x20; }

void appendUtf16(std::u16string& out, char32_t c) {
    if (c >= 0x10000) {
        c -= 0x10000;
        out.push_back(char16_t(0xD800 + (c >> 10)));
        out.push_back(char16_t(0xDC00 + (c & 0x3FF)));
    } else {
        out.push_back(char16_t(c));
    }
}

// Decodes UTF-8, calling sink(code point) for each character.
template <class Sink>
void decodeUtf8(const std::string& text, Sink&& sink) {
    const auto* p = reinterpret_cast<const unsigned char*>(text.data());
    const std::size_t n = text.size();
    std::size_t i = 0;
    while (i < n) {
        const unsigned char b = p[i];
        char32_t c = 0xFFFD;
        std::size_t len = 1;
        if (b < 0x80) {
            c = b;
        } else if ((b & 0xE0) == 0xC0) {
            len = 2;
        } else if ((b & 0xF0) == 0xE0) {
            len = 3;
        } else if ((b & 0xF8) == 0xF0) {
            len = 4;
        } else {
            sink(char32_t(0xFFFD));
            ++i;
            continue;
        }
        if (len > 1) {
            bool ok = i + len <= n;
            char32_t v = b & (0x7F >> len);
            for (std::size_t k = 1; ok && k < len; ++k) {
                if ((p[i + k] & 0xC0) != 0x80) ok = false;
                else v = (v << 6) | (p[i + k] & 0x3F);
            }
            const char32_t minimum = len == 2 ? 0x80 : len == 3 ? 0x800 : 0x10000;
            if (!ok || v < minimum || v > 0x10FFFF || (v >= 0xD800 && v <= 0xDFFF)) {
                sink(char32_t(0xFFFD));
                ++i;
                continue;
            }
            c = v;
        }
        sink(c);
        i += len;
    }
}

} // namespace

std::u16string utf8ToUtf16(const std::string& text) {
    std::u16string out;
    out.reserve(text.size());
    decodeUtf8(text, [&](char32_t c) { appendUtf16(out, c); });
    return out;
}

bool isExternalLink(const std::string& link) { return !link.empty() && link.front() != '#'; }

std::uint32_t encodeLineSpacing(const model::LineSpacing& spacing) {
    if (spacing.rule == model::LineSpacing::Rule::Multiple) {
        if (spacing.value <= 0.0 || std::fabs(spacing.value - 1.0) < 1e-6) return 0;
        // Lines are stored as EMU of a 96 pt line; bit 1 marks the kind.
        const double units = spacing.value * kEmuPerInch * 96.0 / 72.0;
        return static_cast<std::uint32_t>(std::lround(units / 4.0)) * 4u + 2u;
    }
    // Exact and at-least both become an exact height (the format has no
    // "at least"); stored as eighths of an EMU with bit 0 set.
    const double points = spacing.value > 0.0 ? spacing.value : 1.0;
    return static_cast<std::uint32_t>(std::lround(points * kEmuPerPoint)) * 8u + 1u;
}

StoryCollector::StoryCollector() { set_.colors.push_back(TextColor{}); }

std::uint16_t StoryCollector::fontIndex(const std::string& name) {
    const std::string key = name.empty() ? std::string("Calibri") : name;
    auto it = fontIndexes_.find(key);
    if (it != fontIndexes_.end()) return it->second;
    const auto index = static_cast<std::uint16_t>(set_.fonts.size());
    set_.fonts.push_back(utf8ToUtf16(key));
    fontIndexes_.emplace(key, index);
    return index;
}

std::uint16_t StoryCollector::colorIndex(const std::optional<model::Color>& color) {
    if (!color || (color->r == 0 && color->g == 0 && color->b == 0)) return 0;
    for (std::size_t i = 1; i < set_.colors.size(); ++i) {
        const auto& c = set_.colors[i];
        if (c.r == color->r && c.g == color->g && c.b == color->b) return static_cast<std::uint16_t>(i);
    }
    set_.colors.push_back(TextColor{color->r, color->g, color->b});
    return static_cast<std::uint16_t>(set_.colors.size() - 1);
}

CharFormat StoryCollector::charFormat(const model::CharProps& props) {
    CharFormat f;
    f.font = fontIndex(props.font);
    f.color = colorIndex(props.color);
    const double size = props.sizePt > 0.0 ? props.sizePt : 11.0;
    f.sizeEmu = static_cast<std::uint32_t>(std::lround(size * kEmuPerPoint));
    f.bold = props.bold;
    f.italic = props.italic;
    f.smallCaps = props.smallCaps;
    f.allCaps = props.allCaps && !props.smallCaps;
    f.underline = underlineCode(props.underline);
    f.superSub = props.vertical == model::VerticalPosition::Superscript ? cp::kSuperscript
                 : props.vertical == model::VerticalPosition::Subscript ? cp::kSubscript
                                                                          : 0;
    return f;
}

ParaFormat StoryCollector::paraFormat(const model::ParaProps& props) {
    ParaFormat f;
    f.alignment = alignmentCode(props.alignment);
    // libmspub reads the left and right indents, the spacing and the tab
    // positions unsigned (a negative value becomes about 4,700 inches) and
    // only the first-line indent signed. Text cannot reach past the frame
    // anyway, so negative values become zero and a hanging first line
    // stops at the frame's left edge; otherwise the first line keeps its
    // place when the left indent is raised to zero.
    const double left = std::max(0.0, props.leftIndentPt);
    const double firstLine = std::max(0.0, props.leftIndentPt + props.firstLineIndentPt);
    f.leftIndentEmu = emu(left);
    f.rightIndentEmu = emu(std::max(0.0, props.rightIndentPt));
    f.firstIndentEmu = emu(firstLine - left);
    f.spaceBeforeEmu = emu(std::max(0.0, props.spaceBeforePt));
    f.spaceAfterEmu = emu(std::max(0.0, props.spaceAfterPt));
    f.lineSpacing = encodeLineSpacing(props.lineSpacing);
    // The model measures tab stops from the left indent, Publisher from the
    // frame's left edge.
    for (double t : props.tabStopsPt)
        if (t >= 0.0 && props.leftIndentPt + t >= 0.0) f.tabsEmu.push_back(emu(props.leftIndentPt + t));
    return f;
}

void StoryCollector::appendRun(Story& story, std::uint32_t length, const CharFormat& format) {
    if (length == 0) return;
    if (!story.runs.empty() && story.runs.back().format == format) {
        story.runs.back().length += length;
        return;
    }
    story.runs.push_back(StoryRun{length, format});
}

std::uint32_t StoryCollector::add(const model::TextFrame& frame, const model::Rect& rect) {
    Story story;
    story.id = static_cast<std::uint32_t>(set_.stories.size() + 1);
    story.frameWidthEmu = emu(rect.widthPt);
    story.frameHeightEmu = emu(rect.heightPt);
    model::CharProps lastProps;
    for (const auto& para : frame.paragraphs) {
        const std::size_t paraStart = story.text.size();
        const model::Run* previous = nullptr;
        for (const auto& run : para.runs) {
            const std::size_t before = story.text.size();
            decodeUtf8(run.text, [&](char32_t c) {
                if (keep(c)) appendUtf16(story.text, c);
            });
            const auto length = static_cast<std::uint32_t>(story.text.size() - before);
            CharFormat format = charFormat(run.props);
            if (isExternalLink(run.link) && length > 0) {
                format.hyperlink = true;
                if (format.underline) format.underline |= ul::kHyperlink;
                if (previous && previous->link == run.link && !story.links.empty() &&
                    story.links.back().start + story.links.back().length == before)
                    story.links.back().length += length;
                else
                    story.links.push_back(StoryLink{static_cast<std::uint32_t>(before), length, utf8ToUtf16(run.link)});
            }
            appendRun(story, length, format);
            if (length > 0) previous = &run;
        }
        if (!para.runs.empty()) lastProps = para.runs.back().props;
        // The paragraph mark takes the formatting of the paragraph's last run.
        story.text.push_back(u'\r');
        appendRun(story, 1, charFormat(lastProps));
        story.paragraphs.push_back(
            StoryParagraph{static_cast<std::uint32_t>(story.text.size() - paraStart), paraFormat(para.props)});
    }
    if (story.paragraphs.empty()) {
        // An empty frame still holds one empty paragraph, as in Publisher.
        story.text.push_back(u'\r');
        story.runs.push_back(StoryRun{1, charFormat(model::CharProps{})});
        story.paragraphs.push_back(StoryParagraph{1, ParaFormat{}});
    }
    set_.stories.push_back(std::move(story));
    return set_.stories.back().id;
}

std::uint32_t StoryCollector::addPlain(const std::string& text, const model::Rect& rect) {
    model::TextFrame frame;
    model::Paragraph p;
    p.props.alignment = model::Alignment::Center;
    model::Run r;
    r.text = text;
    r.props.font = "Arial";
    r.props.sizePt = 9.0;
    p.runs.push_back(r);
    frame.paragraphs.push_back(p);
    return add(frame, rect);
}

} // namespace fq::pub
