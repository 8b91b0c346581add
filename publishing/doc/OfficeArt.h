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
};

struct Drawing {
    // Blip store entries in order; an entry may be empty.
    std::vector<std::optional<Blip>> blips;
    // Shapes of the main document's drawing by shape id.
    std::map<std::uint32_t, ShapeInfo> shapes;
};

// Parses the OfficeArtContent at DggInfo in the table stream; blips that
// the store keeps in the WordDocument stream are read from there.
Drawing parseDrawing(const ByteReader& table, FcLcb dggInfo, const ByteReader& wordDocument);

// Inflates zlib data (deflate with a zlib header); nullopt on error.
std::optional<Bytes> inflateZlib(std::span<const std::uint8_t> in, std::size_t expected);

} // namespace fq::doc
