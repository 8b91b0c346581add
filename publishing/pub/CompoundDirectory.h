// Rewrites the directory of a finished compound file the way Publisher's
// own files have it. libgsf writes every sibling list as a chain of black
// nodes, which breaks the red-black rules of the compound-file format
// (unequal black heights) that Microsoft's reader is strict about, and it
// gives storages no time stamps and an end-of-chain start sector. The pass
// keeps every stream's data where it is and rewrites only the directory
// sectors: the entries in the order Publisher creates them, each storage's
// children as the red-black tree that inserting them in that order gives,
// the time stamps Publisher sets (none on streams, the save time on
// storages, only the modification time on the root) and a zero start
// sector on storages.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace fq::pub {

struct DirectoryLayout {
    // Paths ("Quill/QuillSub/CONTENTS", "" for the root) in the order the
    // entries are numbered; entries not listed follow in their old order.
    std::vector<std::u16string> order;
    // FILETIME (100 ns since 1601) of the save.
    std::uint64_t saveTime = 0;
};

// Throws std::runtime_error when the file is not a compound file it can
// read or cannot be rewritten.
void rewriteDirectory(const std::filesystem::path& path, const DirectoryLayout& layout);

// Orders directory names as the compound-file format does: shorter names
// first, then code unit by code unit after upper-casing. Negative, zero or
// positive like strcmp.
int compareEntryNames(const std::u16string& a, const std::u16string& b);

} // namespace fq::pub
