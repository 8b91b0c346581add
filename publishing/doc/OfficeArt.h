// OfficeArt records as a .doc uses them for pictures: BLIPs (PNG, JPEG, DIB,
// EMF, WMF, TIFF, PICT) embedded in FBSE entries or shape containers, the
// blip store of the drawing group, and the shapes of the main document's
// drawing with the blip each one shows.
//
// A DIB comes out as ImageFormat::Bmp: the reader adds the 14-byte
// BITMAPFILEHEADER so the bytes form a complete .bmp file. Metafiles stored
// deflate-compressed are inflated.
#pragma once

#include "publishing/doc/ByteReader.h"
#include "publishing/doc/Fib.h"
#include "publishing/model/Document.h"

#include <cstdint>
#include <map>
#include <optional>
#include <vector>

namespace fq::doc {

struct Blip {
    model::ImageFormat format = model::ImageFormat::Unknown;
    Bytes data;
};

// The BLIP record starting at offset (header included), or nullopt.
std::optional<Blip> parseBlipRecord(const ByteReader& r, std::size_t offset);
// The first BLIP found in the records of [offset, offset+length), searching
// containers and FBSE entries.
std::optional<Blip> findBlip(const ByteReader& r, std::size_t offset, std::size_t length, int depth = 0);

struct ShapeInfo {
    std::uint32_t pib = 0;        // 1-based blip store index, 0 = none
    std::string description;
    std::uint16_t type = 0;       // FSP shape type (instance)
    std::uint32_t flags = 0;      // FSP flags (group, child, flips ...)
    // Every FOPT and TertiaryFOPT property by its id (without the blip and
    // complex bits), and the data of the complex ones.
    std::map<std::uint16_t, std::uint32_t> properties;
    std::map<std::uint16_t, Bytes> complex;
    std::int32_t childRect[4] = {0, 0, 0, 0};   // ChildAnchor: place in the group's space
    std::int32_t groupRect[4] = {0, 0, 0, 0};   // FSPGR: a group's own space
    bool hasChildRect = false;

    std::optional<std::uint32_t> property(std::uint16_t id) const {
        auto it = properties.find(id);
        return it == properties.end() ? std::nullopt : std::optional<std::uint32_t>(it->second);
    }
};

struct Drawing {
    // Blip store entries in order; an entry may be empty.
    std::vector<std::optional<Blip>> blips;
    // Shapes of the main document's and the headers' drawings by shape id.
    std::map<std::uint32_t, ShapeInfo> shapes;
    // The members of each group, by the group's shape id, in drawing order.
    std::map<std::uint32_t, std::vector<std::uint32_t>> groupMembers;
};

// Parses the OfficeArtContent at DggInfo in the table stream; blips that
// the store keeps in the WordDocument stream are read from there.
Drawing parseDrawing(const ByteReader& table, FcLcb dggInfo, const ByteReader& wordDocument);

// Inflates zlib data (deflate with a zlib header); nullopt on error.
std::optional<Bytes> inflateZlib(std::span<const std::uint8_t> in, std::size_t expected);

} // namespace fq::doc
