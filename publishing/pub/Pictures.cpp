// Picture preparation for the .pub writer.
#include "publishing/pub/Pictures.h"

#include "publishing/pub/ByteBuffer.h"
#include "publishing/pub/PubConstants.h"

#include <QBuffer>
#include <QByteArray>
#include <QCryptographicHash>
#include <QImage>

#include <cmath>
#include <cstring>

namespace fq::pub {

namespace {

bool startsWith(const std::vector<std::uint8_t>& d, std::initializer_list<std::uint8_t> prefix) {
    if (d.size() < prefix.size()) return false;
    return std::equal(prefix.begin(), prefix.end(), d.begin());
}

std::array<std::uint8_t, 16> digest(const std::vector<std::uint8_t>& data) {
    const QByteArray h = QCryptographicHash::hash(
        QByteArrayView(reinterpret_cast<const char*>(data.data()), static_cast<qsizetype>(data.size())),
        QCryptographicHash::Md4);
    std::array<std::uint8_t, 16> uid{};
    std::memcpy(uid.data(), h.constData(), 16);
    // A zero UID would make readers skip the entry.
    bool zero = true;
    for (auto b : uid) zero = zero && b == 0;
    if (zero) uid[0] = 1;
    return uid;
}

Blip bitmapBlip(std::uint16_t type, std::uint16_t instance, std::uint8_t bse,
                const std::uint8_t* data, std::size_t size) {
    Blip b;
    b.recordType = type;
    b.instance = instance;
    b.bseType = bse;
    std::vector<std::uint8_t> bytes(data, data + size);
    b.uid = digest(bytes);
    b.body.reserve(17 + size);
    b.body.insert(b.body.end(), b.uid.begin(), b.uid.end());
    b.body.push_back(0xFF);
    b.body.insert(b.body.end(), bytes.begin(), bytes.end());
    return b;
}

std::optional<Blip> viaPng(const std::vector<std::uint8_t>& data) {
    QImage image;
    if (!image.loadFromData(QByteArrayView(reinterpret_cast<const char*>(data.data()),
                                           static_cast<qsizetype>(data.size()))))
        return std::nullopt;
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG")) return std::nullopt;
    return bitmapBlip(esc::BlipPng, blip::InstPng, blip::TypePng,
                      reinterpret_cast<const std::uint8_t*>(png.constData()), static_cast<std::size_t>(png.size()));
}

std::int32_t s32(const std::uint8_t* p) { return static_cast<std::int32_t>(readU32(p)); }
std::int16_t s16(const std::uint8_t* p) { return static_cast<std::int16_t>(readU16(p)); }

// EMF and WMF: u32 uncompressed size, bounds, size in EMU, u32 compressed
// size, compression 0 (deflate), filter 0xFE, then the zlib stream.
std::optional<Blip> metafileBlip(bool emf, const std::vector<std::uint8_t>& original, double widthPt,
                                 double heightPt) {
    std::vector<std::uint8_t> data = original;
    std::int32_t bounds[4] = {0, 0, 0, 0};
    if (emf) {
        // ENHMETAHEADER: type 1, bounds at 8, signature " EMF" at 40.
        if (data.size() < 88 || readU32(data.data()) != 1 || readU32(data.data() + 40) != 0x464D4520)
            return std::nullopt;
        for (int i = 0; i < 4; ++i) bounds[i] = s32(data.data() + 8 + 4 * i);
    } else {
        // An optional placeable header (key 0x9AC6CDD7) carries the bounds;
        // the BLIP holds the metafile without it.
        if (data.size() >= 22 && readU32(data.data()) == 0x9AC6CDD7) {
            for (int i = 0; i < 4; ++i) bounds[i] = s16(data.data() + 6 + 2 * i);
            data.erase(data.begin(), data.begin() + 22);
        }
        // METAHEADER: type 1 or 2, header size 9 words.
        if (data.size() < 18 || (readU16(data.data()) != 1 && readU16(data.data()) != 2) ||
            readU16(data.data() + 2) != 9)
            return std::nullopt;
    }
    const QByteArray packed = qCompress(reinterpret_cast<const uchar*>(data.data()),
                                        static_cast<qsizetype>(data.size()), 9);
    if (packed.size() <= 4) return std::nullopt;
    // qCompress puts a 4-byte length before the zlib stream.
    const auto* z = reinterpret_cast<const std::uint8_t*>(packed.constData()) + 4;
    const std::size_t zSize = static_cast<std::size_t>(packed.size()) - 4;

    Blip b;
    b.recordType = emf ? esc::BlipEmf : esc::BlipWmf;
    b.instance = emf ? blip::InstEmf : blip::InstWmf;
    b.bseType = emf ? blip::TypeEmf : blip::TypeWmf;
    b.uid = digest(data);
    ByteBuffer body;
    body.append(b.uid.data(), b.uid.size());
    body.u32(static_cast<std::uint32_t>(data.size()));
    for (auto v : bounds) body.i32(v);
    body.i32(static_cast<std::int32_t>(std::lround(widthPt * kEmuPerPoint)));
    body.i32(static_cast<std::int32_t>(std::lround(heightPt * kEmuPerPoint)));
    body.u32(static_cast<std::uint32_t>(zSize));
    body.u8(0x00);
    body.u8(0xFE);
    body.append(z, zSize);
    b.body = std::move(body.bytes());
    return b;
}

} // namespace

// A DIB with the BMP file header put back, so that QImage can read it.
std::vector<std::uint8_t> dibWithFileHeader(const std::vector<std::uint8_t>& dib) {
    if (dib.size() < 12) return dib;
    const std::uint32_t headerSize = readU32(dib.data());
    const bool core = headerSize == 12;
    if (!core && (headerSize < 40 || dib.size() < 40)) return dib;
    const std::uint16_t bits = readU16(dib.data() + (core ? 10 : 14));
    std::uint32_t colours = core ? 0 : readU32(dib.data() + 32);
    if (colours == 0 && bits <= 8) colours = 1u << bits;
    std::uint32_t masks = 0;
    if (!core && headerSize == 40 && readU32(dib.data() + 16) == 3) masks = 12;   // BI_BITFIELDS
    const std::uint32_t offset = 14 + headerSize + masks + colours * (core ? 3 : 4);
    ByteBuffer b;
    b.u8('B');
    b.u8('M');
    b.u32(static_cast<std::uint32_t>(14 + dib.size()));
    b.u32(0);
    b.u32(offset);
    b.append(dib);
    return std::move(b.bytes());
}

model::ImageFormat sniffImageFormat(const std::vector<std::uint8_t>& d) {
    using F = model::ImageFormat;
    if (startsWith(d, {0x89, 'P', 'N', 'G'})) return F::Png;
    if (startsWith(d, {0xFF, 0xD8, 0xFF})) return F::Jpeg;
    if (startsWith(d, {'G', 'I', 'F', '8'})) return F::Gif;
    if (startsWith(d, {'B', 'M'})) return F::Bmp;
    if (startsWith(d, {'I', 'I', 42, 0}) || startsWith(d, {'M', 'M', 0, 42})) return F::Tiff;
    if (d.size() >= 44 && readU32(d.data()) == 1 && readU32(d.data() + 40) == 0x464D4520) return F::Emf;
    if (startsWith(d, {0xD7, 0xCD, 0xC6, 0x9A})) return F::Wmf;
    if (d.size() >= 4 && readU32(d.data()) == 40) return F::Dib;
    return F::Unknown;
}

std::optional<Blip> makeBlip(model::ImageFormat format, const std::vector<std::uint8_t>& data,
                             double widthPt, double heightPt) {
    using F = model::ImageFormat;
    if (data.empty()) return std::nullopt;
    const F sniffed = sniffImageFormat(data);
    if (format == F::Unknown) format = sniffed;
    switch (format) {
    case F::Png:
        if (sniffed != F::Png) return viaPng(data);
        return bitmapBlip(esc::BlipPng, blip::InstPng, blip::TypePng, data.data(), data.size());
    case F::Jpeg:
        if (sniffed != F::Jpeg) return viaPng(data);
        return bitmapBlip(esc::BlipJpeg, blip::InstJpeg, blip::TypeJpeg, data.data(), data.size());
    case F::Tiff:
        if (sniffed != F::Tiff) return viaPng(data);
        return bitmapBlip(esc::BlipTiff, blip::InstTiff, blip::TypeTiff, data.data(), data.size());
    case F::Bmp:
    case F::Dib: {
        // The BLIP holds a DIB: the BMP file header (14 bytes) goes.
        std::size_t skip = sniffed == F::Bmp ? 14 : 0;
        if (data.size() < skip + 40 || readU32(data.data() + skip) < 40)
            return viaPng(sniffed == F::Bmp ? data : dibWithFileHeader(data));
        return bitmapBlip(esc::BlipDib, blip::InstDib, blip::TypeDib, data.data() + skip, data.size() - skip);
    }
    case F::Emf:
        return metafileBlip(true, data, widthPt, heightPt);
    case F::Wmf:
        return metafileBlip(false, data, widthPt, heightPt);
    case F::Gif:
    case F::Unknown:
        return viaPng(data);
    }
    return std::nullopt;
}

std::string placeholderText(model::ImageFormat format) {
    using F = model::ImageFormat;
    const char* name = "image";
    switch (format) {
    case F::Emf: name = "EMF picture"; break;
    case F::Wmf: name = "WMF picture"; break;
    case F::Png: name = "PNG picture"; break;
    case F::Jpeg: name = "JPEG picture"; break;
    case F::Gif: name = "GIF picture"; break;
    case F::Bmp: case F::Dib: name = "bitmap picture"; break;
    case F::Tiff: name = "TIFF picture"; break;
    case F::Unknown: name = "picture"; break;
    }
    return std::string("[") + name + " could not be shown]";
}

} // namespace fq::pub
