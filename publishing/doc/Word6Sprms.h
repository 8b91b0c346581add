// Word 6.0/95 property modifiers: one-byte opcodes with their own operand
// sizes. They are translated into the Word 97 sprms the rest of the reader
// understands; modifiers without a Word 97 counterpart here are dropped.
#pragma once

#include "publishing/doc/ByteReader.h"

#include <span>

namespace fq::doc {

Bytes translateWord6Grpprl(std::span<const std::uint8_t> grpprl);

} // namespace fq::doc
