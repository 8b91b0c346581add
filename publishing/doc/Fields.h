// Word fields in the text: 0x13 opens a field, 0x14 separates its code from
// its result, 0x15 closes it. Only results are shown; a character is
// visible when every open field around it has reached its result. Fields
// nest; a damaged file with unbalanced marks cannot grow the stack without
// bound. The code of each open field is kept (its start) so that results
// that depend on the page (PAGE, NUMPAGES) can be told apart.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace fq::doc {

enum class PageField { None, PageNumber, PageCount };

class FieldStack {
public:
    // Consumes a field mark and returns true, or returns false for any other character.
    bool consume(char16_t c) {
        switch (c) {
        case 0x13:
            if (open_.size() < kMaxDepth) open_.push_back({false, {}, ++serial_});
            return true;
        case 0x14:
            if (!open_.empty()) open_.back().inResult = true;
            return true;
        case 0x15:
            if (!open_.empty()) open_.pop_back();
            return true;
        default:
            if (!open_.empty() && !open_.back().inResult && open_.back().code.size() < kCodeKept)
                open_.back().code += c;
            return false;
        }
    }
    // True while inside the code part of some open field.
    bool hidden() const {
        for (const auto& f : open_)
            if (!f.inResult) return true;
        return false;
    }
    // What the innermost field shows, when its result depends on the page.
    PageField pageField() const {
        if (open_.empty() || !open_.back().inResult) return PageField::None;
        const std::u16string& code = open_.back().code;
        std::size_t a = 0;
        while (a < code.size() && (code[a] == u' ' || code[a] == u'\t')) ++a;
        std::size_t b = a;
        while (b < code.size() && code[b] != u' ' && code[b] != u'\t' && code[b] != u'\\') ++b;
        std::u16string word = code.substr(a, b - a);
        for (auto& ch : word)
            if (ch >= u'a' && ch <= u'z') ch = static_cast<char16_t>(ch - u'a' + u'A');
        if (word == u"PAGE") return PageField::PageNumber;
        if (word == u"NUMPAGES") return PageField::PageCount;
        return PageField::None;
    }
    // Tells one field's result from the next: a number per field opened.
    std::size_t innermostSerial() const { return open_.empty() ? 0 : open_.back().serial; }
    std::size_t depth() const { return open_.size(); }
    void clear() { open_.clear(); }

private:
    struct Open {
        bool inResult = false;  // its result has begun
        std::u16string code;    // the start of its code
        std::size_t serial = 0;
    };
    static constexpr std::size_t kMaxDepth = 4096;
    static constexpr std::size_t kCodeKept = 32;
    std::vector<Open> open_;
    std::size_t serial_ = 0;
};

} // namespace fq::doc
