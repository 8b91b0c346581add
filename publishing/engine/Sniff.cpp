// Format sniffing: the ZIP and compound-file signatures, and the two
// streams an encrypted Office Open XML package is stored in.
#include "publishing/engine/Sniff.h"

#include "publishing/docx/CompoundFileProbe.h"
#include "publishing/model/ConversionError.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <fstream>

namespace fq::engine {

namespace {

constexpr std::array<unsigned char, 4> kZip{0x50, 0x4B, 0x03, 0x04};
constexpr std::array<unsigned char, 8> kCompound{0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};

[[noreturn]] void cannotRead(const std::string& reason) {
    throw model::ConversionError("The file cannot be read: " + reason);
}

} // namespace

SourceKind sniffSource(const std::filesystem::path& source) {
    std::error_code ec;
    const auto status = std::filesystem::status(source, ec);
    if (ec || !std::filesystem::exists(status)) {
        cannotRead(ec ? ec.message() : std::string("No such file or directory"));
    }
    if (std::filesystem::is_directory(status)) cannotRead("it is a folder");

    std::ifstream in(source, std::ios::binary);
    if (!in) cannotRead(std::strerror(errno));
    std::array<unsigned char, 8> head{};
    in.read(reinterpret_cast<char*>(head.data()), head.size());
    const auto got = static_cast<std::size_t>(in.gcount());
    if (in.bad()) cannotRead(std::strerror(errno));

    if (got >= kZip.size() && std::equal(kZip.begin(), kZip.end(), head.begin())) return SourceKind::Docx;
    if (got >= 2 && head[0] == 0xDB && head[1] == 0xA5) return SourceKind::OldWord;
    if (got == kCompound.size() && head == kCompound) {
        return docx::isEncryptedPackage(source) ? SourceKind::EncryptedDocx : SourceKind::Doc;
    }
    return SourceKind::NotWord;
}

} // namespace fq::engine
