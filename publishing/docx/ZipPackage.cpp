// ZIP access through libzip with a decompression budget.
#include "publishing/docx/ZipPackage.h"

#include "publishing/model/ConversionError.h"

#include <zip.h>

#include <algorithm>
#include <cctype>
#include <fstream>

namespace fq::docx {

namespace {

std::string lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
    return s;
}

bool startsWithZipSignature(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    char sig[2] = {0, 0};
    in.read(sig, 2);
    return in.gcount() == 2 && sig[0] == 'P' && sig[1] == 'K';
}

std::string stripSlash(const std::string& name) {
    return !name.empty() && name.front() == '/' ? name.substr(1) : name;
}

} // namespace

ZipPackage::ZipPackage(const std::filesystem::path& path, std::uint64_t maxTotalBytes,
                       std::uint64_t maxEntries)
    : budget_(maxTotalBytes) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec))
        throw model::ConversionError(model::messages::notAWordDocument);
    int error = 0;
    archive_ = zip_open(path.string().c_str(), ZIP_RDONLY, &error);
    if (!archive_) {
        // A file that does not even start like a ZIP archive is something
        // else; one that does but cannot be opened is a broken package.
        if (error == ZIP_ER_NOZIP && !startsWithZipSignature(path))
            throw model::ConversionError(model::messages::notAWordDocument);
        zip_error_t ze;
        zip_error_init_with_code(&ze, error);
        std::string what = zip_error_strerror(&ze);
        zip_error_fini(&ze);
        if (error == ZIP_ER_NOZIP)
            throw model::damaged("the archive is truncated or its directory is missing (" + what + ")");
        throw model::damaged("the archive cannot be opened (" + what + ")");
    }
    zip_int64_t count = zip_get_num_entries(archive_, 0);
    if (count < 0 || static_cast<std::uint64_t>(count) > maxEntries) {
        zip_discard(archive_);
        archive_ = nullptr;
        throw model::damaged("the archive holds too many entries");
    }
    names_.reserve(static_cast<std::size_t>(count));
    for (zip_int64_t i = 0; i < count; ++i) {
        const char* n = zip_get_name(archive_, static_cast<zip_uint64_t>(i), ZIP_FL_ENC_GUESS);
        names_.push_back(n ? n : std::string());
    }
}

ZipPackage::~ZipPackage() {
    if (archive_) zip_discard(archive_);
}

std::optional<std::int64_t> ZipPackage::find(const std::string& partName) const {
    const std::string wanted = stripSlash(partName);
    for (std::size_t i = 0; i < names_.size(); ++i)
        if (names_[i] == wanted) return static_cast<std::int64_t>(i);
    const std::string low = lower(wanted);
    for (std::size_t i = 0; i < names_.size(); ++i)
        if (lower(names_[i]) == low) return static_cast<std::int64_t>(i);
    return std::nullopt;
}

bool ZipPackage::contains(const std::string& partName) const {
    return find(partName).has_value();
}

std::optional<std::string> ZipPackage::read(const std::string& partName) {
    auto index = find(partName);
    if (!index) return std::nullopt;
    const std::string& name = names_[static_cast<std::size_t>(*index)];
    zip_file_t* file = zip_fopen_index(archive_, static_cast<zip_uint64_t>(*index), 0);
    if (!file) {
        std::string what = zip_strerror(archive_);
        throw model::damaged("the part " + name + " cannot be read (" + what + ")");
    }
    std::string data;
    zip_stat_t st;
    zip_stat_init(&st);
    if (zip_stat_index(archive_, static_cast<zip_uint64_t>(*index), 0, &st) == 0 &&
        (st.valid & ZIP_STAT_SIZE) && st.size <= budget_)
        data.reserve(static_cast<std::size_t>(st.size));
    char buffer[65536];
    for (;;) {
        zip_int64_t n = zip_fread(file, buffer, sizeof buffer);
        if (n < 0) {
            std::string what = zip_file_strerror(file);
            zip_fclose(file);
            throw model::damaged("the part " + name + " cannot be read (" + what + ")");
        }
        if (n == 0) break;
        if (static_cast<std::uint64_t>(n) > budget_) {
            zip_fclose(file);
            throw model::damaged("the archive expands to more data than a document can hold");
        }
        budget_ -= static_cast<std::uint64_t>(n);
        data.append(buffer, static_cast<std::size_t>(n));
    }
    zip_fclose(file);
    return data;
}

} // namespace fq::docx
