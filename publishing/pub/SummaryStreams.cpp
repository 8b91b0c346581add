// SummaryInformation and DocumentSummaryInformation property sets.
#include "publishing/pub/SummaryStreams.h"

#include "publishing/pub/ByteBuffer.h"
#include "publishing/pub/TextStories.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>

namespace fq::pub {

namespace {

constexpr std::uint8_t kSummaryFormat[16] = {0xE0, 0x85, 0x9F, 0xF2, 0xF9, 0x4F, 0x68, 0x10,
                                             0xAB, 0x91, 0x08, 0x00, 0x2B, 0x27, 0xB3, 0xD9};
constexpr std::uint8_t kDocumentSummaryFormat[16] = {0x02, 0xD5, 0xCD, 0xD5, 0x9C, 0x2E, 0x1B, 0x10,
                                                     0x93, 0x97, 0x08, 0x00, 0x2B, 0x2C, 0xF9, 0xAE};
constexpr std::uint32_t kWindowsSeven = 0x00020106;   // system identifier of Publisher 2010's files
constexpr std::uint16_t kCodePage1252 = 1252, kCodePageUtf8 = 65001;
constexpr std::uint32_t kOfficeVersion = 14u << 16;   // Office 14.0 = Publisher 2010
constexpr std::uint16_t VT_I2 = 2, VT_I4 = 3, VT_BOOL = 11, VT_LPSTR = 30, VT_CF = 71;
constexpr std::uint32_t kPidCodePage = 1, kPidTitle = 2, kPidSubject = 3, kPidAuthor = 4, kPidKeywords = 5,
                        kPidThumbnail = 17;
constexpr std::uint32_t kPidScale = 11, kPidLinksDirty = 16, kPidShared = 19, kPidHyperlinksChanged = 22,
                        kPidVersion = 23;

// Windows-1252 for the characters it has, nothing otherwise.
std::optional<std::string> toCp1252(const std::string& utf8) {
    static const char16_t high[32] = {0x20AC, 0, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                      0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0, 0x017D, 0,
                                      0, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                      0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0, 0x017E, 0x0178};
    std::string out;
    for (char16_t c : utf8ToUtf16(utf8)) {
        if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
            out.push_back(static_cast<char>(c));
            continue;
        }
        const char16_t* hit = std::find(high, high + 32, c);
        if (c == 0 || hit == high + 32) return std::nullopt;
        out.push_back(static_cast<char>(0x80 + (hit - high)));
    }
    return out;
}

// One section of a property set: values are appended in id order given.
class Section {
public:
    void i2(std::uint32_t id, std::uint16_t v) {
        ByteBuffer& b = begin(id, VT_I2);
        b.u16(v);
        b.u16(0);
    }
    void i4(std::uint32_t id, std::uint32_t v) {
        ByteBuffer& b = begin(id, VT_I4);
        b.u32(v);
    }
    void boolean(std::uint32_t id, bool v) {
        ByteBuffer& b = begin(id, VT_BOOL);
        b.u16(v ? 0xFFFF : 0);
        b.u16(0);
    }
    void string(std::uint32_t id, const std::string& bytes) {
        ByteBuffer& b = begin(id, VT_LPSTR);
        b.u32(static_cast<std::uint32_t>(bytes.size() + 1));
        b.append(bytes.data(), bytes.size());
        b.u8(0);
        b.alignTo(4);
    }
    // Clipboard data in a Windows clipboard format.
    void clipboard(std::uint32_t id, std::uint32_t format, const std::vector<std::uint8_t>& data) {
        ByteBuffer& b = begin(id, VT_CF);
        b.u32(static_cast<std::uint32_t>(8 + data.size()));
        b.u32(0xFFFFFFFF);
        b.u32(format);
        b.append(data);
        b.alignTo(4);
    }

    // The property set stream holding this one section.
    std::vector<std::uint8_t> stream(const std::uint8_t (&formatId)[16]) const {
        ByteBuffer out;
        out.u16(0xFFFE);
        out.u16(0);
        out.u32(kWindowsSeven);
        out.zeros(16);
        out.u32(1);
        out.append(formatId, 16);
        out.u32(48);
        const std::uint32_t tableSize = 8 + 8 * static_cast<std::uint32_t>(values_.size());
        std::uint32_t size = tableSize;
        for (const auto& v : values_) size += static_cast<std::uint32_t>(v.second.size());
        out.u32(size);
        out.u32(static_cast<std::uint32_t>(values_.size()));
        std::uint32_t at = tableSize;
        for (const auto& [id, value] : values_) {
            out.u32(id);
            out.u32(at);
            at += static_cast<std::uint32_t>(value.size());
        }
        for (const auto& v : values_) out.append(v.second);
        return std::move(out.bytes());
    }

private:
    ByteBuffer& begin(std::uint32_t id, std::uint16_t type) {
        values_.emplace_back(id, ByteBuffer{});
        ByteBuffer& b = values_.back().second;
        b.u16(type);
        b.u16(0);
        return b;
    }
    std::vector<std::pair<std::uint32_t, ByteBuffer>> values_;
};

// Windows metafile records: size in 16-bit words, function, parameters.
void record(ByteBuffer& b, std::uint16_t function, std::initializer_list<std::uint16_t> params) {
    b.u32(static_cast<std::uint32_t>(3 + params.size()));
    b.u16(function);
    for (std::uint16_t p : params) b.u16(p);
}

} // namespace

std::vector<std::uint8_t> metafilePicture(const QImage& picture) {
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB888);
    const auto w = static_cast<std::uint16_t>(rgb.width());
    const auto h = static_cast<std::uint16_t>(rgb.height());
    const std::uint32_t stride = (3u * w + 3u) & ~3u;

    // The bitmap: BITMAPINFOHEADER, 24-bit rows bottom up in BGR order.
    ByteBuffer dib;
    dib.u32(40);
    dib.u32(w);
    dib.u32(h);
    dib.u16(1);
    dib.u16(24);
    dib.u32(0);
    dib.u32(stride * h);
    dib.zeros(16);
    for (int y = h - 1; y >= 0; --y) {
        const uchar* line = rgb.constScanLine(y);
        for (int x = 0; x < w; ++x) {
            dib.u8(line[3 * x + 2]);
            dib.u8(line[3 * x + 1]);
            dib.u8(line[3 * x]);
        }
        dib.zeros(stride - 3u * w);
    }

    ByteBuffer body;
    record(body, 0x020B, {0, 0});                  // SETWINDOWORG
    record(body, 0x020C, {h, w});                  // SETWINDOWEXT
    record(body, 0x02FC, {0, 0xFFFF, 0x00FF, 0});  // CREATEBRUSHINDIRECT: solid white
    record(body, 0x012D, {0});                     // SELECTOBJECT
    record(body, 0x061D, {0x0021, 0x00F0, h, w, 0, 0});   // PATBLT with PATCOPY
    record(body, 0x012D, {0});
    const std::size_t bitblt = body.size();
    record(body, 0x0940, {0x0020, 0x00CC, 0, 0, h, w, 0, 0});   // DIBBITBLT with SRCCOPY
    body.append(dib);
    const auto bitbltWords = static_cast<std::uint32_t>((body.size() - bitblt) / 2);
    body.patchU32(bitblt, bitbltWords);
    record(body, 0x0000, {});                      // end of file

    ByteBuffer out;
    // METAFILEPICT16: anisotropic mapping, the size at 96 dpi in 0.01 mm.
    out.u16(8);
    out.u16(static_cast<std::uint16_t>(std::lround(w * 2540.0 / 96.0)));
    out.u16(static_cast<std::uint16_t>(std::lround(h * 2540.0 / 96.0)));
    out.u16(0);
    // METAHEADER: in memory, 9 words, version 3, size, one object, largest record.
    out.u16(1);
    out.u16(9);
    out.u16(0x0300);
    out.u32(static_cast<std::uint32_t>(9 + body.size() / 2));
    out.u16(1);
    out.u32(bitbltWords);
    out.u16(0);
    out.append(body);
    return std::move(out.bytes());
}

std::vector<std::uint8_t> summaryInformation(const model::DocumentProperties& p, const QImage& preview) {
    // Windows-1252 as Publisher writes it, UTF-8 when a string needs more.
    const std::string* strings[] = {&p.title, &p.subject, &p.author, &p.keywords};
    bool ansi = true;
    for (const std::string* s : strings) ansi = ansi && toCp1252(*s).has_value();
    auto encoded = [&](const std::string& s) { return ansi ? *toCp1252(s) : s; };

    Section section;
    section.i2(kPidCodePage, ansi ? kCodePage1252 : kCodePageUtf8);
    if (!p.title.empty()) section.string(kPidTitle, encoded(p.title));
    if (!p.subject.empty()) section.string(kPidSubject, encoded(p.subject));
    section.string(kPidAuthor, encoded(p.author));
    if (!p.keywords.empty()) section.string(kPidKeywords, encoded(p.keywords));
    if (!preview.isNull()) section.clipboard(kPidThumbnail, 3 /* CF_METAFILEPICT */, metafilePicture(preview));
    return section.stream(kSummaryFormat);
}

std::vector<std::uint8_t> documentSummaryInformation(const std::vector<std::uint8_t>& summary) {
    Section section;
    section.i2(kPidCodePage, kCodePage1252);
    section.i4(kPidVersion, kOfficeVersion);
    for (std::uint32_t id : {kPidScale, kPidLinksDirty, kPidShared, kPidHyperlinksChanged}) section.boolean(id, false);
    std::vector<std::uint8_t> out = section.stream(kDocumentSummaryFormat);

    // libmspub keeps the (id, offset) pairs of SummaryInformation and reads
    // this section's first values at those offsets: pad so that they fall
    // inside the stream (on zeros, which it skips, past the values).
    std::size_t needed = 0;
    if (summary.size() >= 56) {
        const std::uint32_t base = readU32(summary.data() + 44);
        if (base + 8 <= summary.size()) {
            const std::uint32_t count = readU32(summary.data() + base + 4);
            for (std::uint32_t i = 0; i < count && base + 16 + 8 * i <= summary.size(); ++i)
                needed = std::max<std::size_t>(needed, 48 + readU32(summary.data() + base + 12 + 8 * i) + 8);
        }
    }
    if (out.size() < needed) out.resize(needed, 0);
    return out;
}

} // namespace fq::pub
