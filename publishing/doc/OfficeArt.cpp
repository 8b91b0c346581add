// Parsing OfficeArt records for pictures.
#include "publishing/doc/OfficeArt.h"

#include "publishing/doc/TextEncoding.h"

#include <zlib.h>

#include <algorithm>

namespace fq::doc {

namespace {

struct RecordHeader {
    std::uint16_t ver = 0, instance = 0, type = 0;
    std::uint32_t len = 0;
};

std::optional<RecordHeader> header(const ByteReader& r, std::size_t off) {
    if (!r.has(off, 8)) return std::nullopt;
    RecordHeader h;
    const std::uint16_t vi = r.u16(off);
    h.ver = vi & 0xF;
    h.instance = vi >> 4;
    h.type = r.u16(off + 2);
    h.len = r.u32(off + 4);
    return h;
}

Bytes dibToBmp(std::span<const std::uint8_t> dib) {
    Bytes out;
    if (dib.size() < 16) return out;
    const std::uint32_t biSize = le32(dib.data());
    std::uint32_t paletteBytes = 0;
    if (biSize >= 40 && dib.size() >= 40) {
        const std::uint16_t bpp = le16(dib.data() + 14);
        const std::uint32_t compression = le32(dib.data() + 16);
        std::uint32_t used = le32(dib.data() + 32);
        if (used == 0 && bpp <= 8) used = 1u << bpp;
        paletteBytes = used * 4;
        if (biSize == 40 && (compression == 3 || compression == 6)) paletteBytes += compression == 3 ? 12 : 16;
    } else if (biSize == 12) {
        const std::uint16_t bpp = le16(dib.data() + 10);
        if (bpp <= 8) paletteBytes = (1u << bpp) * 3;
    }
    const std::uint32_t fileSize = static_cast<std::uint32_t>(14 + dib.size());
    const std::uint32_t pixels = 14 + biSize + paletteBytes;
    const std::uint8_t head[14] = {'B', 'M',
                                   std::uint8_t(fileSize), std::uint8_t(fileSize >> 8), std::uint8_t(fileSize >> 16), std::uint8_t(fileSize >> 24),
                                   0, 0, 0, 0,
                                   std::uint8_t(pixels), std::uint8_t(pixels >> 8), std::uint8_t(pixels >> 16), std::uint8_t(pixels >> 24)};
    out.assign(head, head + 14);
    out.insert(out.end(), dib.begin(), dib.end());
    return out;
}

} // namespace

std::optional<Bytes> inflateZlib(std::span<const std::uint8_t> in, std::size_t expected) {
    if (in.empty()) return std::nullopt;
    // The size the record claims is only a hint: a damaged one must not
    // reserve gigabytes up front.
    constexpr std::size_t kLimit = std::size_t(256) << 20;
    Bytes out(std::clamp<std::size_t>(expected, 1024, std::min(kLimit, in.size() * 64 + 1024)));
    z_stream zs{};
    if (inflateInit(&zs) != Z_OK) return std::nullopt;
    zs.next_in = const_cast<Bytef*>(in.data());
    zs.avail_in = static_cast<uInt>(in.size());
    int rc = Z_OK;
    while (true) {
        zs.next_out = out.data() + zs.total_out;
        zs.avail_out = static_cast<uInt>(out.size() - zs.total_out);
        rc = inflate(&zs, Z_NO_FLUSH);
        if (rc == Z_STREAM_END) break;
        if (rc != Z_OK && rc != Z_BUF_ERROR) break;
        if (zs.avail_out != 0) break;  // no progress possible: input ended
        if (out.size() >= kLimit) break;
        out.resize(std::min(kLimit, out.size() * 2));
    }
    const std::size_t produced = zs.total_out;
    inflateEnd(&zs);
    if (rc != Z_STREAM_END || produced == 0) return std::nullopt;
    out.resize(produced);
    return out;
}

std::optional<Blip> parseBlipRecord(const ByteReader& r, std::size_t off) {
    const auto h = header(r, off);
    if (!h || h->type < 0xF018 || h->type > 0xF117 || !r.has(off + 8, h->len)) return std::nullopt;
    const ByteReader body = r.sub(off + 8, h->len, "a picture");
    const std::size_t uids = 16 * (1 + (h->instance & 1));
    Blip b;
    switch (h->type) {
    case 0xF01A: case 0xF01B: case 0xF01C: {
        b.format = h->type == 0xF01A ? model::ImageFormat::Emf
                 : h->type == 0xF01B ? model::ImageFormat::Wmf : model::ImageFormat::Unknown;
        const std::size_t hdr = uids;
        if (!body.has(hdr, 34)) return std::nullopt;
        const std::uint32_t cbSize = body.u32(hdr);
        const std::uint32_t cbSave = body.u32(hdr + 28);
        const std::uint8_t compression = body.u8(hdr + 32);
        const std::size_t dataAt = hdr + 34;
        const std::size_t avail = body.size() - std::min(body.size(), dataAt);
        const auto raw = body.slice(dataAt, std::min<std::size_t>(cbSave, avail));
        if (compression == 0) {
            auto inflated = inflateZlib(raw, cbSize);
            if (!inflated) return std::nullopt;
            b.data = std::move(*inflated);
        } else {
            b.data.assign(raw.begin(), raw.end());
        }
        break;
    }
    case 0xF01D: case 0xF02A: case 0xF01E: case 0xF01F: case 0xF029: {
        const std::size_t at = uids + 1;
        if (!body.has(at, 0) || at >= body.size()) return std::nullopt;
        const auto raw = body.slice(at, body.size() - at);
        if (h->type == 0xF01F) {
            b.format = model::ImageFormat::Bmp;
            b.data = dibToBmp(raw);
            if (b.data.empty()) return std::nullopt;
        } else {
            b.format = h->type == 0xF01E   ? model::ImageFormat::Png
                     : h->type == 0xF029   ? model::ImageFormat::Tiff
                                           : model::ImageFormat::Jpeg;
            b.data.assign(raw.begin(), raw.end());
        }
        break;
    }
    default:
        return std::nullopt;
    }
    return b;
}

std::optional<Blip> findBlip(const ByteReader& r, std::size_t off, std::size_t length, int depth) {
    if (depth > 8 || !r.has(off, length)) return std::nullopt;
    const std::size_t end = off + length;
    while (off + 8 <= end) {
        const auto h = header(r, off);
        if (!h) break;
        const std::size_t bodyLen = std::min<std::size_t>(h->len, end - off - 8);
        if (h->type >= 0xF018 && h->type <= 0xF117) {
            if (auto b = parseBlipRecord(r, off)) return b;
        } else if (h->type == 0xF007) {
            if (bodyLen >= 36) {
                const std::size_t cbName = r.u8(off + 8 + 33);
                if (36 + cbName < bodyLen)
                    if (auto b = findBlip(r, off + 8 + 36 + cbName, bodyLen - 36 - cbName, depth + 1)) return b;
            }
        } else if (h->ver == 0xF) {
            if (auto b = findBlip(r, off + 8, bodyLen, depth + 1)) return b;
        }
        off += 8 + bodyLen;
    }
    return std::nullopt;
}

namespace {

void readBStore(const ByteReader& r, std::size_t off, std::size_t len, const ByteReader& wd, Drawing& d) {
    const std::size_t end = off + len;
    while (off + 8 <= end) {
        const auto h = header(r, off);
        if (!h) break;
        const std::size_t bodyLen = std::min<std::size_t>(h->len, end - off - 8);
        std::optional<Blip> blip;
        if (h->type == 0xF007 && bodyLen >= 36) {
            const std::uint32_t size = r.u32(off + 8 + 20);
            const std::uint32_t foDelay = r.u32(off + 8 + 28);
            const std::size_t cbName = r.u8(off + 8 + 33);
            if (36 + cbName + 8 <= bodyLen) {
                blip = parseBlipRecord(r, off + 8 + 36 + cbName);
            } else if (foDelay != 0xFFFFFFFFu && size > 0 && wd.has(foDelay, 8)) {
                blip = parseBlipRecord(wd, foDelay);
            }
        } else if (h->type >= 0xF018 && h->type <= 0xF117) {
            blip = parseBlipRecord(r, off);
        }
        d.blips.push_back(std::move(blip));
        off += 8 + bodyLen;
    }
}

void readOpt(const ByteReader& r, std::size_t off, std::size_t len, std::uint16_t count, ShapeInfo& s) {
    const std::size_t end = off + len;
    std::size_t complexAt = off + std::size_t(count) * 6;
    for (std::uint16_t i = 0; i < count && off + 6 <= end; ++i, off += 6) {
        const std::uint16_t id = r.u16(off);
        const std::uint32_t value = r.u32(off + 2);
        const std::uint16_t pid = id & 0x3FFF;
        const bool isComplex = id & 0x8000;
        if (pid == 0x104 && !isComplex) s.pib = value;
        if (!isComplex) {
            s.properties[pid] = value;
            continue;
        }
        if (complexAt <= end && value <= end - complexAt) {
            const auto bytes = r.slice(complexAt, value);
            s.complex[pid] = Bytes(bytes.begin(), bytes.end());
            if (pid == 0x381) {  // wzDescription
                std::u16string text;
                for (std::size_t k = 0; k + 1 < value; k += 2) {
                    const char16_t c = r.u16(complexAt + k);
                    if (!c) break;
                    text += c;
                }
                s.description = utf16ToUtf8(text);
            }
        }
        complexAt += value;
    }
}

// One SpContainer: FSP, FOPTs, the child anchor and a group's FSPGR.
std::optional<std::uint32_t> readShape(const ByteReader& r, std::size_t off, std::size_t len, Drawing& d) {
    ShapeInfo info;
    std::optional<std::uint32_t> spid;
    const std::size_t e = off + len;
    std::size_t p = off;
    while (p + 8 <= e) {
        const auto c = header(r, p);
        if (!c) break;
        const std::size_t cl = std::min<std::size_t>(c->len, e - p - 8);
        if (c->type == 0xF00A && cl >= 8) {
            spid = r.u32(p + 8);
            info.flags = r.u32(p + 12);
            info.type = c->instance;
        } else if (c->type == 0xF00B || c->type == 0xF121 || c->type == 0xF122) {
            ShapeInfo more;
            readOpt(r, p + 8, cl, c->instance, more);
            if (more.pib) info.pib = more.pib;
            if (!more.description.empty()) info.description = more.description;
            // The primary table wins over the tertiary one.
            for (auto& [k, v] : more.properties)
                if (c->type == 0xF00B || !info.properties.count(k)) info.properties[k] = v;
            for (auto& [k, v] : more.complex)
                if (c->type == 0xF00B || !info.complex.count(k)) info.complex[k] = std::move(v);
        } else if ((c->type == 0xF00F || c->type == 0xF009) && cl >= 16) {
            std::int32_t* rect = c->type == 0xF00F ? info.childRect : info.groupRect;
            for (int k = 0; k < 4; ++k) rect[k] = static_cast<std::int32_t>(r.u32(p + 8 + 4 * k));
            if (c->type == 0xF00F) info.hasChildRect = true;
        }
        p += 8 + cl;
    }
    if (spid) d.shapes[*spid] = std::move(info);
    return spid;
}

// An SpgrContainer: its first shape is the group itself, the others (and
// nested groups) its members. Returns the group's shape id.
std::optional<std::uint32_t> readGroup(const ByteReader& r, std::size_t off, std::size_t len, Drawing& d, int depth) {
    if (depth > 10) return std::nullopt;
    const std::size_t end = off + len;
    std::optional<std::uint32_t> group;
    bool first = true;
    while (off + 8 <= end) {
        const auto h = header(r, off);
        if (!h) break;
        const std::size_t bodyLen = std::min<std::size_t>(h->len, end - off - 8);
        std::optional<std::uint32_t> member;
        if (h->type == 0xF004) member = readShape(r, off + 8, bodyLen, d);
        else if (h->type == 0xF003) member = readGroup(r, off + 8, bodyLen, d, depth + 1);
        if (member) {
            if (first && h->type == 0xF004) group = member;
            else if (group) d.groupMembers[*group].push_back(*member);
            first = false;
        }
        off += 8 + bodyLen;
    }
    return group;
}

void readShapes(const ByteReader& r, std::size_t off, std::size_t len, Drawing& d, int depth) {
    if (depth > 10) return;
    const std::size_t end = off + len;
    while (off + 8 <= end) {
        const auto h = header(r, off);
        if (!h) break;
        const std::size_t bodyLen = std::min<std::size_t>(h->len, end - off - 8);
        if (h->type == 0xF003) readGroup(r, off + 8, bodyLen, d, depth + 1);
        else if (h->type == 0xF004) readShape(r, off + 8, bodyLen, d);
        else if (h->ver == 0xF) readShapes(r, off + 8, bodyLen, d, depth + 1);
        off += 8 + bodyLen;
    }
}

} // namespace

Drawing parseDrawing(const ByteReader& table, FcLcb dgg, const ByteReader& wd) {
    Drawing d;
    if (dgg.lcb < 8 || !table.has(dgg.fc, dgg.lcb)) return d;
    const ByteReader r = table.sub(dgg.fc, dgg.lcb, "the drawing");
    std::size_t off = 0;
    // The drawing group: holds the blip store.
    if (auto h = header(r, 0); h && h->type == 0xF000) {
        const std::size_t len = std::min<std::size_t>(h->len, r.size() - 8);
        std::size_t p = 8;
        while (p + 8 <= 8 + len) {
            const auto c = header(r, p);
            if (!c) break;
            const std::size_t cl = std::min<std::size_t>(c->len, 8 + len - p - 8);
            if (c->type == 0xF001) readBStore(r, p + 8, cl, wd, d);
            p += 8 + cl;
        }
        off = 8 + len;
    }
    // Then the drawings: a byte saying main document (0) or header (1), and a container.
    while (off + 9 <= r.size()) {
        const std::uint8_t which = r.u8(off);
        const auto h = header(r, off + 1);
        if (!h) break;
        const std::size_t len = std::min<std::size_t>(h->len, r.size() - off - 9);
        // Both the main document's drawing (0) and the headers' (1).
        if ((which == 0 || which == 1) && h->type == 0xF002) readShapes(r, off + 9, len, d, 0);
        off += 9 + len;
    }
    return d;
}

} // namespace fq::doc
