// Word fields in the text: 0x13 opens a field, 0x14 separates its code from
// its result, 0x15 closes it. Only results are shown; a character is
// visible when every open field around it has reached its result. Fields
// nest; a damaged file with unbalanced marks cannot grow the stack without
// bound. The code of each open field is kept (its start) so that results
// that depend on the page (PAGE, NUMPAGES, SECTIONPAGES, STYLEREF) can be
// told apart with what the layout needs of them, and results
// the reader computes itself (FILENAME) can replace the stored one, and the
// result of a HYPERLINK field links to its target.
#pragma once

#include "publishing/word/FieldCode.h"
#include "publishing/word/HyperlinkField.h"
#include "publishing/word/Utf8.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace fq::doc {

// What the layout needs of a field whose result depends on the page.
struct PageField {
    model::FieldKind kind = model::FieldKind::None;
    std::optional<word::NumberFormat> format;
    std::string argument;                  // STYLEREF: the style
};

class FieldStack {
public:
    // Consumes a field mark and returns true, or returns false for any other character.
    bool consume(char16_t c) {
        switch (c) {
        case 0x13:
            if (open_.size() < kMaxDepth) open_.push_back({false, false, PageField{}, {}, ++serial_, {}});
            return true;
        case 0x14:
            if (!open_.empty() && !open_.back().inResult) {
                open_.back().inResult = true;
                open_.back().page = pageFieldOf(innermostCode());
                open_.back().link = word::hyperlinkTarget(word::utf16ToUtf8(open_.back().code)).value_or("");
            }
            return true;
        case 0x15:
            if (!open_.empty()) {
                closed_ = open_.back();
                open_.pop_back();
            } else {
                closed_ = Open{};
            }
            return true;
        default:
            if (!open_.empty() && !open_.back().inResult && open_.back().code.size() < kCodeKept)
                open_.back().code += c;
            return false;
        }
    }
    // True while inside the code part of some open field, or inside a
    // stored result that the reader replaced.
    bool hidden() const {
        for (const auto& f : open_)
            if (!f.inResult || f.replaced) return true;
        return false;
    }
    // The code of the innermost open field (its start).
    word::FieldCode innermostCode() const {
        return open_.empty() ? word::FieldCode{} : word::parseFieldCode(word::utf16ToUtf8(open_.back().code));
    }
    // The innermost field's stored result is not shown (the reader wrote its own).
    void replaceInnermostResult() {
        if (!open_.empty()) open_.back().replaced = true;
    }
    // What the innermost field shows, when its result depends on the page.
    const PageField& pageField() const {
        static const PageField none;
        if (open_.empty() || !open_.back().inResult) return none;
        return open_.back().page;
    }
    // The target of the innermost HYPERLINK field whose result this is.
    std::string activeLink() const {
        for (auto it = open_.rbegin(); it != open_.rend(); ++it)
            if (it->inResult && !it->link.empty()) return it->link;
        return {};
    }
    // The code of the field the last 0x15 closed, when it had no result
    // part (fields such as SYMBOL that Word draws from their code).
    std::optional<word::FieldCode> closedWithoutResult() const {
        if (closed_.inResult || closed_.code.empty()) return std::nullopt;
        return word::parseFieldCode(word::utf16ToUtf8(closed_.code));
    }
    // Tells one field's result from the next: a number per field opened.
    std::size_t innermostSerial() const { return open_.empty() ? 0 : open_.back().serial; }
    std::size_t depth() const { return open_.size(); }
    void clear() { open_.clear(); }

private:
    static PageField pageFieldOf(const word::FieldCode& code) {
        PageField f;
        f.kind = word::pageFieldKind(code);
        if (f.kind == model::FieldKind::None) return f;
        f.format = word::fieldNumberFormat(code);
        if (f.kind == model::FieldKind::StyleRef) f.argument = word::styleRefStyle(code);
        return f;
    }
    struct Open {
        bool inResult = false;  // its result has begun
        bool replaced = false;  // its stored result is not shown
        PageField page;
        std::u16string code;    // the start of its code
        std::size_t serial = 0;
        std::string link;       // a HYPERLINK field's target
    };
    static constexpr std::size_t kMaxDepth = 4096;
    static constexpr std::size_t kCodeKept = 1024;   // long enough for a HYPERLINK address
    std::vector<Open> open_;
    Open closed_;
    std::size_t serial_ = 0;
};

} // namespace fq::doc
