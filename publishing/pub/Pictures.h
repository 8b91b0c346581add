// Prepares the model's pictures for the Escher streams: PNG, JPEG, TIFF and
// DIB go in as they are (a BMP loses its file header), EMF and WMF are
// deflated behind a metafile header, GIF and anything else QImage can
// decode becomes PNG. A picture that cannot be carried yields no BLIP; the
// writer then draws a placeholder box with a short text instead.
#pragma once

#include "publishing/model/Publication.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace fq::pub {

struct Blip {
    std::uint16_t recordType = 0;      // esc::BlipPng ...
    std::uint16_t instance = 0;        // blip::InstPng ...
    std::uint8_t bseType = 0;          // blip::TypePng ...
    std::array<std::uint8_t, 16> uid{};
    std::vector<std::uint8_t> body;    // the record body: UID, then tag or metafile header, then data
    std::uint32_t recordSize() const { return static_cast<std::uint32_t>(8 + body.size()); }
};

// Returns the BLIP for the picture, or nothing when it cannot be carried.
std::optional<Blip> makeBlip(model::ImageFormat format, const std::vector<std::uint8_t>& data,
                             double widthPt, double heightPt);

// The short text shown in place of a picture that could not be carried.
std::string placeholderText(model::ImageFormat format);

// A DIB with the BMP file header put back, so that QImage can read it.
std::vector<std::uint8_t> dibWithFileHeader(const std::vector<std::uint8_t>& dib);

// Guesses the format from the first bytes (for ImageFormat::Unknown).
model::ImageFormat sniffImageFormat(const std::vector<std::uint8_t>& data);

} // namespace fq::pub
