// The style sheet (STSH): every style's kind, base style and property
// modifiers (UPX), and the resolved CHP/PAP of each style after following
// the istdBase chain.
#pragma once

#include "publishing/doc/ByteReader.h"
#include "publishing/doc/Fib.h"
#include "publishing/doc/Properties.h"

#include <cstdint>
#include <string>
#include <vector>

namespace fq::doc {

struct StyleDef {
    bool present = false;
    std::uint16_t sti = 0;
    std::uint8_t kind = 0;          // 1 paragraph, 2 character, 3 table, 4 numbering
    std::uint16_t istdBase = 0x0FFF;
    std::string name;
    Bytes papx;                     // paragraph styles
    Bytes chpx;                     // paragraph and character styles
};

class StyleSheet {
public:
    std::vector<StyleDef> styles;
    std::uint16_t defaultFtc[3] = {0, 0, 0};

    // Resolves every style once; call after filling styles.
    void resolve(const ByteReader* dataStream);
    // The properties a paragraph of style istd starts with.
    const Pap& paragraphStyle(std::uint16_t istd) const;
    // The character properties a paragraph style gives its text.
    const Chp& paragraphStyleChp(std::uint16_t istd) const;
    // A character style applied on top of base (the paragraph style's CHP).
    Chp withCharacterStyle(const Chp& base, std::uint16_t istd) const;

private:
    std::vector<Pap> paps_;
    std::vector<Chp> chps_;
    Pap defaultPap_;
    Chp defaultChp_;
};

// The style sheet; an absent or unreadable one gives an empty sheet. Word
// 6.0/95 sheets have 8-bit names and their own sprms (translated).
StyleSheet parseStyleSheet(const ByteReader& table, FcLcb stshf, bool word97 = true);

} // namespace fq::doc
