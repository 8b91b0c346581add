// Little-endian byte buffer of the .pub writer.
#include "publishing/pub/ByteBuffer.h"

#include <cstring>

namespace fq::pub {

void ByteBuffer::u16(std::uint16_t v) {
    bytes_.push_back(std::uint8_t(v & 0xFF));
    bytes_.push_back(std::uint8_t(v >> 8));
}

void ByteBuffer::u32(std::uint32_t v) {
    for (int i = 0; i < 4; ++i) bytes_.push_back(std::uint8_t((v >> (8 * i)) & 0xFF));
}

void ByteBuffer::append(const void* data, std::size_t n) {
    if (n == 0) return;
    const auto* p = static_cast<const std::uint8_t*>(data);
    bytes_.insert(bytes_.end(), p, p + n);
}

void ByteBuffer::utf16(const std::u16string& text) {
    bytes_.reserve(bytes_.size() + 2 * text.size());
    for (char16_t c : text) u16(static_cast<std::uint16_t>(c));
}

void ByteBuffer::alignTo(std::size_t alignment) {
    const std::size_t rest = bytes_.size() % alignment;
    if (rest != 0) zeros(alignment - rest);
}

void ByteBuffer::patchU16(std::size_t at, std::uint16_t v) {
    bytes_.at(at + 1);
    bytes_[at] = std::uint8_t(v & 0xFF);
    bytes_[at + 1] = std::uint8_t(v >> 8);
}

void ByteBuffer::patchU32(std::size_t at, std::uint32_t v) {
    bytes_.at(at + 3);
    for (int i = 0; i < 4; ++i) bytes_[at + i] = std::uint8_t((v >> (8 * i)) & 0xFF);
}

} // namespace fq::pub
