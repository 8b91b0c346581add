// The Office Art record primitives the Escher builders share: record
// headers with patched lengths, property tables (FOPT and tertiary FOPT),
// Publisher's client anchor and client records, and shape records.
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

// A property whose data follows the table (fComplex): a UTF-16 string.
struct ComplexProperty {
    std::uint16_t id;
    std::u16string text;   // written with a terminating zero
};

void writeOpt(RecordWriter& w, std::uint16_t type, const Properties& props,
              const std::vector<ComplexProperty>& complex = {});

// The per-side border colours Publisher writes on every shape.
Properties sideBorders();

void writeAnchor(RecordWriter& w, const RectEmu& r);
void writeClient(RecordWriter& w, std::uint16_t type, std::uint16_t id, std::uint32_t value);
void writeSp(RecordWriter& w, std::uint16_t shapeType, std::uint32_t spid, std::uint32_t flags);

} // namespace fq::pub
