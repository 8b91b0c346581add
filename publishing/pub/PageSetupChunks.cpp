// Page settings chunks of Contents, with the values of Publisher 2007/2010's
// new publications.
#include "publishing/pub/PageSetupChunks.h"

#include "publishing/pub/PubConstants.h"

#include <cstdlib>

namespace fq::pub {

namespace {

constexpr std::uint32_t kEmuPerMm = 36000;

struct Paper {
    std::uint16_t code;
    std::uint32_t width, height;   // EMU, portrait
};

const Paper kPapers[] = {
    {1, 7772400, 10058400},                          // Letter
    {3, 10058400, 15544800},                         // Tabloid
    {5, 7772400, 12801600},                          // Legal
    {7, 6629400, 9601200},                           // Executive
    {8, 297 * kEmuPerMm, 420 * kEmuPerMm},           // A3
    {9, 210 * kEmuPerMm, 297 * kEmuPerMm},           // A4
    {11, 148 * kEmuPerMm, 210 * kEmuPerMm},          // A5
    {12, 257 * kEmuPerMm, 364 * kEmuPerMm},          // B4 (JIS)
    {13, 182 * kEmuPerMm, 257 * kEmuPerMm},          // B5 (JIS)
};

bool near(std::uint32_t a, std::uint32_t b) { return std::labs(long(a) - long(b)) <= long(kEmuPerMm); }

// The strings Publisher puts into every page's 0x77 chunk.
void formString(BlockWriter& w, std::uint8_t id, const char16_t* text) { w.string(id, text); }

} // namespace

std::uint16_t paperCode(std::uint32_t widthEmu, std::uint32_t heightEmu) {
    for (const Paper& p : kPapers)
        if ((near(widthEmu, p.width) && near(heightEmu, p.height)) ||
            (near(widthEmu, p.height) && near(heightEmu, p.width)))
            return p.code;
    return 256;
}

void writePageSettings60(BlockWriter& w, bool firstPage) {
    if (!firstPage) w.u32(0x05, bt::Long, 1);
}

void writeWebForm77(BlockWriter& w) {
    w.u32(0x0C, bt::Long, 2);
    formString(w, 0x0E, u"someone@example.com");
    formString(w, 0x0F, u"Web Site Form Response");
    formString(w, 0x10, u"Your information was received");
    formString(w, 0x13, u"FORMDATA.HTM");
    w.u32(0x17, bt::Long, 1);
    formString(w, 0x18, u"http://example.com/~user/ispscript.cgi");
}

void writePrinterSettings4B(BlockWriter& w, std::uint32_t widthEmu, std::uint32_t heightEmu,
                            std::uint32_t layout4FSeq) {
    w.u32(0x01, bt::Long, 2);
    const auto a = w.open(0x02, bt::Array90);
    for (int i = 0; i < 2; ++i) {
        const auto e = w.open(0x00, bt::Container);
        w.u16(0x01, bt::Short, paperCode(widthEmu, heightEmu));
        const auto size = w.open(0x02, bt::Container98);
        w.u32(0x01, bt::Long, widthEmu);
        w.u32(0x02, bt::Long, heightEmu);
        w.close(size);
        w.flag(0x06, bt::Flag);
        const auto c = w.open(0x0E, bt::Container80);
        w.flag(0x00, bt::Empty);
        w.close(c);
        w.close(e);
    }
    w.close(a);
    w.u32(0x03, bt::ObjectRef, layout4FSeq);
    w.flag(0x0A, bt::Flag);
    w.u32(0x0B, bt::Long, 1);
    w.u32(0x0D, bt::Long, 1);
    for (std::uint8_t id : {0x17, 0x18, 0x1A, 0x1C, 0x1D}) w.flag(id, bt::Flag);
    w.u16(0x22, bt::Short, 0);
    w.u16(0x23, bt::Short, 0);
    w.u32(0x24, bt::Long, 0);
    w.u32(0x25, bt::Long, 0);
}

void writePageSetup8A(BlockWriter& w, std::uint32_t widthEmu, std::uint32_t heightEmu, std::uint32_t marginEmu) {
    const auto setup = w.open(0x04, bt::Container);
    w.u32(0x02, bt::Long, 1);          // a full page per sheet
    w.u32(0x03, bt::Long, 2);
    w.u32(0x04, bt::Long, 0x80010000);
    if (paperCode(widthEmu, heightEmu) == 9 && widthEmu < heightEmu) {
        w.string(0x06, u"A4");
        w.u32(0x07, bt::Long, 0x0102710A);
    }
    w.u32(0x08, bt::Long, 1);
    w.u32(0x0A, bt::Long, 0);
    w.u32(0x11, bt::Long, 1);
    const auto pages = w.open(0x12, bt::Array90);
    const auto page = w.open(0x00, bt::Container);
    w.u32(0x03, bt::Long, widthEmu);
    w.u32(0x04, bt::Long, heightEmu);
    for (std::uint8_t id = 0x06; id <= 0x09; ++id) w.u32(id, bt::Long, marginEmu);
    w.close(page);
    w.close(pages);
    w.close(setup);
}

} // namespace fq::pub
