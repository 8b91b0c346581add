// Office drawing records as the Escher stream holds them: a record header
// (u16 version | instance << 4, u16 type, u32 body length) whose length is
// patched when the record closes, and property tables (FOPT) whose complex
// values follow the table in the order of their ids.
#pragma once

#include "publishing/pub/ByteBuffer.h"

#include <cstdint>
#include <string>
#include <vector>

namespace fq::pub::escher {

class RecordWriter {
public:
    explicit RecordWriter(ByteBuffer& out) : out_(out) {}
    std::size_t open(std::uint16_t type, std::uint16_t version, std::uint16_t instance);
    void close(std::size_t mark);
    ByteBuffer& out() { return out_; }

private:
    ByteBuffer& out_;
};

// The properties of one FOPT or TertiaryFOPT record, written sorted by id.
class PropertyTable {
public:
    void set(std::uint16_t id, std::uint32_t value);
    // A value whose bytes follow the table (the id gets the complex bit).
    void setComplex(std::uint16_t id, std::vector<std::uint8_t> data);
    // A UTF-16 string with its terminating zero.
    void setText(std::uint16_t id, const std::u16string& text);
    bool empty() const { return entries_.empty(); }
    void write(RecordWriter& w, std::uint16_t recordType) const;

private:
    struct Entry {
        std::uint16_t id = 0;
        std::uint32_t value = 0;
        bool complex = false;
        std::vector<std::uint8_t> data;
    };
    std::vector<Entry> entries_;
};

} // namespace fq::pub::escher
