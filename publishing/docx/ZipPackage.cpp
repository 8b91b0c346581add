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

// The entry names exactly as the central directory stores them. libzip
// replaces a name by the one of an Info-ZIP Unicode Path extra field; Word
// and LibreOffice use the stored name, and so does the reader for names in
// plain ASCII. Returns an empty list when the directory cannot be walked
// here (ZIP64, comments hiding the end record), and libzip's names are used.
std::vector<std::string> storedNames(const std::filesystem::path& path, std::size_t expected) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return {};
    in.seekg(0, std::ios::end);
    const std::streamoff size = in.tellg();
    const std::streamoff tailSize = std::min<std::streamoff>(size, 65535 + 22);
    std::string tail(static_cast<std::size_t>(tailSize), '\0');
    in.seekg(size - tailSize);
    in.read(tail.data(), tailSize);
    auto u16 = [](const std::string& b, std::size_t o) {
        return static_cast<unsigned>(static_cast<unsigned char>(b[o])) |
               static_cast<unsigned>(static_cast<unsigned char>(b[o + 1])) << 8;
    };
    auto u32 = [&](const std::string& b, std::size_t o) { return u16(b, o) | (u16(b, o + 2) << 16); };
    const std::size_t eocd = tail.rfind(std::string("PK\x05\x06", 4));
    if (eocd == std::string::npos || eocd + 22 > tail.size()) return {};
    const unsigned count = u16(tail, eocd + 10);
    const unsigned long cdSize = u32(tail, eocd + 12), cdOffset = u32(tail, eocd + 16);
    if (count != expected || cdOffset == 0xFFFFFFFFul || static_cast<std::streamoff>(cdOffset + cdSize) > size)
        return {};
    std::string cd(cdSize, '\0');
    in.seekg(static_cast<std::streamoff>(cdOffset));
    in.read(cd.data(), static_cast<std::streamsize>(cdSize));
    if (!in) return {};
    std::vector<std::string> names;
    std::size_t o = 0;
    for (unsigned i = 0; i < count; ++i) {
        if (o + 46 > cd.size() || cd.compare(o, 4, std::string("PK\x01\x02", 4)) != 0) return {};
        const unsigned n = u16(cd, o + 28), m = u16(cd, o + 30), k = u16(cd, o + 32);
        if (o + 46 + n > cd.size()) return {};
        names.push_back(cd.substr(o + 46, n));
        o += 46 + n + m + k;
    }
    return names;
}

bool isAscii(const std::string& s) {
    for (unsigned char c : s)
        if (c >= 0x80) return false;
    return true;
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
    const auto stored = storedNames(path, names_.size());
    if (stored.size() == names_.size())
        for (std::size_t i = 0; i < stored.size(); ++i)
            if (isAscii(stored[i]) && !stored[i].empty()) names_[i] = stored[i];
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
