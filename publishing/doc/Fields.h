// Word fields in the text: 0x13 opens a field, 0x14 separates its code from
// its result, 0x15 closes it. Only results are shown; a character is
// visible when every open field around it has reached its result. Fields
// nest; a damaged file with unbalanced marks cannot grow the stack without
// bound.
#pragma once

#include <cstddef>
#include <vector>

namespace fq::doc {

class FieldStack {
public:
    // Consumes a field mark and returns true, or returns false for any other character.
    bool consume(char16_t c) {
        switch (c) {
        case 0x13:
            if (open_.size() < kMaxDepth) open_.push_back(false);
            return true;
        case 0x14:
            if (!open_.empty()) open_.back() = true;
            return true;
        case 0x15:
            if (!open_.empty()) open_.pop_back();
            return true;
        default:
            return false;
        }
    }
    // True while inside the code part of some open field.
    bool hidden() const {
        for (bool inResult : open_)
            if (!inResult) return true;
        return false;
    }
    std::size_t depth() const { return open_.size(); }
    void clear() { open_.clear(); }

private:
    static constexpr std::size_t kMaxDepth = 4096;
    std::vector<bool> open_;  // per open field: its result has begun
};

} // namespace fq::doc
