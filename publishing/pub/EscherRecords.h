// The Office Art record primitives the Escher builders share (the page
// shapes, the tables and the drawn shapes): record headers with patched
// lengths, property tables (FOPT and tertiary FOPT) whose complex values
// follow the table in the order of their ids, Publisher's client anchor
// and client records, and shape records.
#pragma once

#include "publishing/pub/ByteBuffer.h"
#include "publishing/pub/PubPlan.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace fq::pub {

// Record header: u16 version | instance << 4, u16 type, u32 body length.
class RecordWriter {
public:
    explicit RecordWriter(ByteBuffer& out) : out_(out) {}
    std::size_t open(std::uint16_t type, std::uint16_t version, std::uint16_t instance) {
        out_.u16(static_cast<std::uint16_t>(version | (instance << 4)));
        out_.u16(type);
        const std::size_t mark = out_.size();
        out_.u32(0);
        return mark;
    }
    void close(std::size_t mark) { out_.patchU32(mark, static_cast<std::uint32_t>(out_.size() - mark - 4)); }
    ByteBuffer& out() { return out_; }

private:
    ByteBuffer& out_;
};

using Properties = std::vector<std::pair<std::uint16_t, std::uint32_t>>;

// The properties of one FOPT or TertiaryFOPT record, written sorted by id;
// setting an id again replaces its value.
class PropertyTable {
public:
    void set(std::uint16_t id, std::uint32_t value);
    void set(const Properties& props) {
        for (const auto& [id, value] : props) set(id, value);
    }
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

// A property whose data follows the table (fComplex): a UTF-16 string.
struct ComplexProperty {
    std::uint16_t id;
    std::u16string text;   // written with a terminating zero
};

// A property table of plain values and strings (see PropertyTable).
void writeOpt(RecordWriter& w, std::uint16_t type, const Properties& props,
              const std::vector<ComplexProperty>& complex = {});

// The per-side border colours Publisher writes on every shape.
Properties sideBorders();

void writeAnchor(RecordWriter& w, const RectEmu& r);
void writeClient(RecordWriter& w, std::uint16_t type, std::uint16_t id, std::uint32_t value);
void writeSp(RecordWriter& w, std::uint16_t shapeType, std::uint32_t spid, std::uint32_t flags);

} // namespace fq::pub
