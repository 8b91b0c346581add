// Read access to the ZIP container of an Office Open XML package. Entries are
// looked up by part name (no leading slash), exactly first and then without
// regard to case. Reading is bounded: the package may not hold more than
// maxEntries entries nor expand to more than maxTotalBytes, so an archive
// bomb ends in an error instead of exhausting memory.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

struct zip;

namespace fq::docx {

class ZipPackage {
public:
    static constexpr std::uint64_t defaultMaxTotalBytes = 512ull * 1024 * 1024;
    static constexpr std::uint64_t defaultMaxEntries = 20000;

    // Throws model::ConversionError: not a Word document when the file is no
    // ZIP archive, damaged when the archive is truncated or inconsistent.
    explicit ZipPackage(const std::filesystem::path& path,
                        std::uint64_t maxTotalBytes = defaultMaxTotalBytes,
                        std::uint64_t maxEntries = defaultMaxEntries);
    ~ZipPackage();
    ZipPackage(const ZipPackage&) = delete;
    ZipPackage& operator=(const ZipPackage&) = delete;

    bool contains(const std::string& partName) const;
    // The entry's bytes, or nullopt when there is no such entry. Throws
    // damaged when the entry cannot be decompressed or the size budget is
    // exhausted.
    std::optional<std::string> read(const std::string& partName);
    const std::vector<std::string>& entryNames() const { return names_; }

private:
    std::optional<std::int64_t> find(const std::string& partName) const;

    zip* archive_ = nullptr;
    std::vector<std::string> names_;
    std::uint64_t budget_;
};

} // namespace fq::docx
