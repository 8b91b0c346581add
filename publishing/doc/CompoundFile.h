// The compound-file container of a .doc, opened with libgsf. Streams are
// looked up by name without regard to case (some writers spell
// "WordDocument" or "1Table" differently) and read whole into memory.
#pragma once

#include "publishing/doc/ByteReader.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace fq::doc {

class CompoundFile {
public:
    // Throws ConversionError(notAWordDocument) when the file is no compound
    // file; the caller decides what an old pre-OLE Word file is.
    explicit CompoundFile(const std::filesystem::path& path);
    ~CompoundFile();
    CompoundFile(const CompoundFile&) = delete;
    CompoundFile& operator=(const CompoundFile&) = delete;

    // A top-level stream, or nullopt when there is none of that name.
    std::optional<Bytes> stream(const std::string& name) const;
    // A stream inside a top-level storage ("ObjectPool/_123/\x03PIC").
    std::optional<Bytes> stream(const std::vector<std::string>& path) const;
    std::vector<std::string> names() const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// True when the first bytes of the file are those of a compound file.
bool looksLikeCompoundFile(const std::filesystem::path& path);

} // namespace fq::doc
