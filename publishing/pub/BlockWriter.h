// Writes the property-block encoding that Publisher uses in the Contents
// stream and in most Quill records: each block is an id byte, a type byte
// and data whose size the type fixes. Containers and records start with a
// u32 length that counts itself; open() returns a mark that close() uses to
// patch that length.
#pragma once

#include "publishing/pub/ByteBuffer.h"

#include <cstdint>
#include <string>

namespace fq::pub {

class BlockWriter {
public:
    explicit BlockWriter(ByteBuffer& out) : out_(out) {}

    // A record: u32 length (counting itself) followed by blocks.
    std::size_t openRecord();
    void closeRecord(std::size_t mark);

    // Blocks without data (flags, placeholders).
    void flag(std::uint8_t id, std::uint8_t type);
    void u16(std::uint8_t id, std::uint8_t type, std::uint16_t value);
    void u32(std::uint8_t id, std::uint8_t type, std::uint32_t value);
    void i32(std::uint8_t id, std::uint8_t type, std::int32_t value) {
        u32(id, type, static_cast<std::uint32_t>(value));
    }
    // Fixed-size opaque data (types 0x28, 0x38, 0x48: 8, 16 or 24 bytes).
    void fixed(std::uint8_t id, std::uint8_t type, const void* data, std::size_t size);
    // A string block: u32 length (counting itself), UTF-16LE, 0x0000 terminator.
    void string(std::uint8_t id, const std::u16string& text);
    // A container block of raw bytes (length counting itself).
    void rawContainer(std::uint8_t id, std::uint8_t type, const void* data, std::size_t size);

    // A container block; children follow until close().
    std::size_t open(std::uint8_t id, std::uint8_t type);
    void close(std::size_t mark) { closeRecord(mark); }

    ByteBuffer& out() { return out_; }

private:
    ByteBuffer& out_;
};

// Size in bytes of the data of a fixed-size block type, or -1 for the
// length-prefixed types (containers and strings). Used by the tests and by
// the writer's own consistency checks.
int blockDataSize(std::uint8_t type);

} // namespace fq::pub
