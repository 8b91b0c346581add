// Reading a PICF and the picture after it.
#include "publishing/doc/InlinePicture.h"

#include "publishing/doc/OfficeArt.h"

namespace fq::doc {

std::optional<model::Picture> readInlinePicture(const ByteReader& data, std::uint32_t fc) {
    if (!data.has(fc, 68)) return std::nullopt;
    const std::uint32_t lcb = data.u32(fc);
    const std::uint16_t cbHeader = data.u16(fc + 4);
    if (lcb < 68 || cbHeader < 68 || cbHeader > lcb) return std::nullopt;
    const std::size_t end = std::min<std::size_t>(std::size_t(fc) + lcb, data.size());
    const std::uint16_t mm = data.u16(fc + 6);
    const std::int16_t dxaGoal = data.i16(fc + 28);
    const std::int16_t dyaGoal = data.i16(fc + 30);
    std::uint16_t mx = data.u16(fc + 32);
    std::uint16_t my = data.u16(fc + 34);
    if (mx == 0) mx = 1000;
    if (my == 0) my = 1000;
    std::size_t at = std::size_t(fc) + cbHeader;
    if (mm == 0x66) {  // a linked file: its name comes first
        if (!data.has(at, 1)) return std::nullopt;
        at += 1 + data.u8(at);
    }
    if (at >= end) return std::nullopt;

    model::Picture pic;
    pic.widthPt = dxaGoal * (mx / 1000.0) / 20.0;
    pic.heightPt = dyaGoal * (my / 1000.0) / 20.0;
    if (mm == 0x64 || mm == 0x66) {
        auto blip = findBlip(data, at, end - at);
        if (!blip) return std::nullopt;
        pic.format = blip->format;
        pic.data = std::move(blip->data);
    } else if (mm >= 1 && mm <= 8) {
        pic.format = model::ImageFormat::Wmf;
        const auto s = data.slice(at, end - at);
        pic.data.assign(s.begin(), s.end());
    } else {
        return std::nullopt;
    }
    if (pic.data.empty()) return std::nullopt;
    return pic;
}

} // namespace fq::doc
