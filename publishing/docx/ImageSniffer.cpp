// Signatures of PNG, JPEG, GIF, BMP, TIFF, EMF and WMF files.
#include "publishing/docx/ImageSniffer.h"

namespace fq::docx {

model::ImageFormat sniffImageFormat(const std::vector<std::uint8_t>& d) {
    using F = model::ImageFormat;
    auto at = [&](std::size_t i) -> unsigned { return i < d.size() ? d[i] : 0x100u; };
    if (at(0) == 0x89 && at(1) == 'P' && at(2) == 'N' && at(3) == 'G') return F::Png;
    if (at(0) == 0xFF && at(1) == 0xD8 && at(2) == 0xFF) return F::Jpeg;
    if (at(0) == 'G' && at(1) == 'I' && at(2) == 'F' && at(3) == '8') return F::Gif;
    if (at(0) == 'B' && at(1) == 'M' && d.size() >= 14) return F::Bmp;
    if ((at(0) == 'I' && at(1) == 'I' && at(2) == 42 && at(3) == 0) ||
        (at(0) == 'M' && at(1) == 'M' && at(2) == 0 && at(3) == 42))
        return F::Tiff;
    // EMF: EMR_HEADER record (type 1) with the " EMF" signature at offset 40.
    if (at(0) == 1 && at(1) == 0 && at(2) == 0 && at(3) == 0 && at(40) == 0x20 && at(41) == 'E' &&
        at(42) == 'M' && at(43) == 'F')
        return F::Emf;
    // WMF: placeable header, or a plain header (type 1 or 2, header size 9 words).
    if (at(0) == 0xD7 && at(1) == 0xCD && at(2) == 0xC6 && at(3) == 0x9A) return F::Wmf;
    if ((at(0) == 1 || at(0) == 2) && at(1) == 0 && at(2) == 9 && at(3) == 0) return F::Wmf;
    return F::Unknown;
}

} // namespace fq::docx
