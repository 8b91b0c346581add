// Bounds-checked little-endian access to a byte buffer. Every structure of a
// .doc file is read through this, so a wrong offset or count in a damaged file
// turns into a ConversionError instead of a read out of range.
#pragma once

#include "publishing/model/ConversionError.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace fq::doc {

using Bytes = std::vector<std::uint8_t>;

class ByteReader {
public:
    ByteReader() = default;
    ByteReader(std::span<const std::uint8_t> data, std::string what)
        : data_(data), what_(std::move(what)) {}

    std::size_t size() const { return data_.size(); }
    bool has(std::size_t offset, std::size_t count) const {
        return offset <= data_.size() && count <= data_.size() - offset;
    }
    void require(std::size_t offset, std::size_t count) const {
        if (!has(offset, count))
            throw model::damaged(what_ + " lies outside its stream");
    }
    std::uint8_t u8(std::size_t offset) const {
        require(offset, 1);
        return data_[offset];
    }
    std::uint16_t u16(std::size_t offset) const {
        require(offset, 2);
        return static_cast<std::uint16_t>(data_[offset] | (data_[offset + 1] << 8));
    }
    std::int16_t i16(std::size_t offset) const { return static_cast<std::int16_t>(u16(offset)); }
    std::uint32_t u32(std::size_t offset) const {
        require(offset, 4);
        return static_cast<std::uint32_t>(data_[offset]) | (static_cast<std::uint32_t>(data_[offset + 1]) << 8) |
               (static_cast<std::uint32_t>(data_[offset + 2]) << 16) |
               (static_cast<std::uint32_t>(data_[offset + 3]) << 24);
    }
    std::int32_t i32(std::size_t offset) const { return static_cast<std::int32_t>(u32(offset)); }
    std::span<const std::uint8_t> slice(std::size_t offset, std::size_t count) const {
        require(offset, count);
        return data_.subspan(offset, count);
    }
    Bytes copy(std::size_t offset, std::size_t count) const {
        auto s = slice(offset, count);
        return Bytes(s.begin(), s.end());
    }
    // The same bytes, reporting errors under another name.
    ByteReader sub(std::size_t offset, std::size_t count, std::string what) const {
        return ByteReader(slice(offset, count), std::move(what));
    }
    std::span<const std::uint8_t> data() const { return data_; }

private:
    std::span<const std::uint8_t> data_;
    std::string what_ = "a structure";
};

// Little-endian reads from a span that the caller already bounds-checked.
inline std::uint16_t le16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | (p[1] << 8)); }
inline std::uint32_t le32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

} // namespace fq::doc
