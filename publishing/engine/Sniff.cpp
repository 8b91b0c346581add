// Format sniffing: the ZIP and compound-file signatures, and the two
// streams an encrypted Office Open XML package is stored in.
#include "publishing/engine/Sniff.h"

#include "publishing/model/ConversionError.h"

#include <gsf/gsf-infile-msole.h>
#include <gsf/gsf-infile.h>
#include <gsf/gsf-input-stdio.h>

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

bool holdsEncryptedPackage(const std::filesystem::path& source) {
    GError* error = nullptr;
    GsfInput* input = gsf_input_stdio_new(source.string().c_str(), &error);
    if (!input) {
        if (error) g_error_free(error);
        return false;
    }
    GsfInfile* ole = gsf_infile_msole_new(input, &error);
    g_object_unref(input);
    if (!ole) {
        if (error) g_error_free(error);
        return false;
    }
    bool found = false;
    GsfInput* info = gsf_infile_child_by_name(ole, "EncryptionInfo");
    GsfInput* package = gsf_infile_child_by_name(ole, "EncryptedPackage");
    found = info && package;
    if (info) g_object_unref(info);
    if (package) g_object_unref(package);
    g_object_unref(ole);
    return found;
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
        return holdsEncryptedPackage(source) ? SourceKind::EncryptedDocx : SourceKind::Doc;
    }
    return SourceKind::NotWord;
}

} // namespace fq::engine
