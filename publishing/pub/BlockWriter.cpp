// Property-block encoding of the .pub writer.
#include "publishing/pub/BlockWriter.h"

#include <stdexcept>

namespace fq::pub {

int blockDataSize(std::uint8_t type) {
    switch (type) {
    case 0x00: case 0x02: case 0x05: case 0x08: case 0x0A: case 0x78:
        return 0;
    case 0x07: case 0x10: case 0x12: case 0x18: case 0x1A:
        return 2;
    case 0x20: case 0x22: case 0x58: case 0x68: case 0x70: case 0xB8:
        return 4;
    case 0x28: return 8;
    case 0x38: return 16;
    case 0x48: return 24;
    case 0x80: case 0x82: case 0x88: case 0x8A: case 0x90: case 0x98: case 0xA0: case 0xC0:
        return -1;
    default:
        throw std::logic_error("pub writer: unknown property block type " + std::to_string(type));
    }
}

std::size_t BlockWriter::openRecord() {
    const std::size_t mark = out_.size();
    out_.u32(0);
    return mark;
}

void BlockWriter::closeRecord(std::size_t mark) {
    out_.patchU32(mark, static_cast<std::uint32_t>(out_.size() - mark));
}

void BlockWriter::flag(std::uint8_t id, std::uint8_t type) {
    if (blockDataSize(type) != 0) throw std::logic_error("pub writer: block type carries data");
    out_.u8(id);
    out_.u8(type);
}

void BlockWriter::u16(std::uint8_t id, std::uint8_t type, std::uint16_t value) {
    if (blockDataSize(type) != 2) throw std::logic_error("pub writer: block type is not 16-bit");
    out_.u8(id);
    out_.u8(type);
    out_.u16(value);
}

void BlockWriter::u32(std::uint8_t id, std::uint8_t type, std::uint32_t value) {
    if (blockDataSize(type) != 4) throw std::logic_error("pub writer: block type is not 32-bit");
    out_.u8(id);
    out_.u8(type);
    out_.u32(value);
}

void BlockWriter::fixed(std::uint8_t id, std::uint8_t type, const void* data, std::size_t size) {
    if (blockDataSize(type) != static_cast<int>(size))
        throw std::logic_error("pub writer: fixed block of the wrong size");
    out_.u8(id);
    out_.u8(type);
    out_.append(data, size);
}

void BlockWriter::string(std::uint8_t id, const std::u16string& text) {
    out_.u8(id);
    out_.u8(0xC0);
    out_.u32(static_cast<std::uint32_t>(4 + 2 * text.size() + 2));
    out_.utf16(text);
    out_.u16(0);
}

void BlockWriter::rawContainer(std::uint8_t id, std::uint8_t type, const void* data, std::size_t size) {
    const std::size_t mark = open(id, type);
    out_.append(data, size);
    close(mark);
}

std::size_t BlockWriter::open(std::uint8_t id, std::uint8_t type) {
    if (blockDataSize(type) != -1) throw std::logic_error("pub writer: block type is not a container");
    out_.u8(id);
    out_.u8(type);
    return openRecord();
}

} // namespace fq::pub
