// A growable little-endian byte buffer: the common output of every stream
// builder of the .pub writer. Values can be patched in place once a length
// or an offset is known.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace fq::pub {

class ByteBuffer {
public:
    void u8(std::uint8_t v) { bytes_.push_back(v); }
    void u16(std::uint16_t v);
    void u32(std::uint32_t v);
    void i32(std::int32_t v) { u32(static_cast<std::uint32_t>(v)); }
    void append(const void* data, std::size_t n);
    void append(const std::vector<std::uint8_t>& data) { append(data.data(), data.size()); }
    void append(const ByteBuffer& other) { append(other.bytes_); }
    void zeros(std::size_t n) { bytes_.insert(bytes_.end(), n, 0); }
    // Appends UTF-16LE code units without a terminator.
    void utf16(const std::u16string& text);
    // Pads with zero bytes up to the next multiple of the alignment.
    void alignTo(std::size_t alignment);

    void patchU16(std::size_t at, std::uint16_t v);
    void patchU32(std::size_t at, std::uint32_t v);

    std::size_t size() const { return bytes_.size(); }
    const std::vector<std::uint8_t>& bytes() const { return bytes_; }
    std::vector<std::uint8_t>& bytes() { return bytes_; }
    void reserve(std::size_t n) { bytes_.reserve(n); }

private:
    std::vector<std::uint8_t> bytes_;
};

// Reads a little-endian value from raw bytes (no bounds check: callers check).
inline std::uint16_t readU16(const std::uint8_t* p) { return std::uint16_t(p[0] | (p[1] << 8)); }
inline std::uint32_t readU32(const std::uint8_t* p) {
    return std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16) |
           (std::uint32_t(p[3]) << 24);
}

} // namespace fq::pub
