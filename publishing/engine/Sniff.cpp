// Format sniffing: the ZIP and compound-file signatures, and the two
// streams an encrypted Office Open XML package is stored in.
#include "publishing/engine/Sniff.h"

#include "publishing/docx/CompoundFileProbe.h"
#include "publishing/docx/ZipPackage.h"
#include "publishing/model/ConversionError.h"

#include <gsf/gsf.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cctype>
#include <cstring>
#include <fstream>
#include <mutex>
#include <optional>

namespace fq::engine {

namespace {

constexpr std::array<unsigned char, 4> kZip{0x50, 0x4B, 0x03, 0x04};
constexpr std::array<unsigned char, 8> kCompound{0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};

[[noreturn]] void cannotRead(const std::string& reason) {
    throw model::ConversionError("The file cannot be read: " + reason);
}

// Content types of the main part of a Word document, template or their
// macro-enabled forms.
constexpr const char* kWordMainTypes[] = {
    "application/vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml",
    "application/vnd.openxmlformats-officedocument.wordprocessingml.template.main+xml",
    "application/vnd.ms-word.document.macroEnabled.main+xml",
    "application/vnd.ms-word.template.macroEnabledTemplate.main+xml",
};

// Whether the package holds a Word main part; no value when it cannot be read.
std::optional<bool> zipHoldsWordDocument(const std::filesystem::path& path) {
    try {
        docx::ZipPackage zip(path, 16u * 1024 * 1024);
        if (zip.contains("word/document.xml")) return true;
        const std::optional<std::string> types = zip.read("[Content_Types].xml");
        if (!types) return false;
        for (const char* type : kWordMainTypes)
            if (types->find(type) != std::string::npos) return true;
        return false;
    } catch (...) {
        return std::nullopt;
    }
}

// Whether the compound file holds a Word document's main stream; no value
// when it cannot be read.
std::optional<bool> compoundHoldsWordDocument(const std::filesystem::path& path) {
    static std::once_flag once;
    std::call_once(once, [] { gsf_init(); });
    GError* error = nullptr;
    GsfInput* input = gsf_input_stdio_new(path.string().c_str(), &error);
    std::optional<bool> result;
    if (input) {
        if (GsfInfile* ole = gsf_infile_msole_new(input, &error)) {
            GsfInput* stream = gsf_infile_child_by_name(ole, "WordDocument");
            result = stream != nullptr;
            if (stream) g_object_unref(stream);
            g_object_unref(ole);
        }
        g_object_unref(input);
    }
    if (error) g_error_free(error);
    return result;
}

bool hasWordDocumentName(const std::filesystem::path& path) {
    std::string extension = path.extension().string();
    for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    for (const char* known : {".doc", ".docx", ".docm", ".dot", ".dotx", ".dotm"})
        if (extension == known) return true;
    return false;
}

} // namespace

bool isWordDocument(const std::filesystem::path& path) {
    SourceKind kind;
    try {
        kind = sniffSource(path);
    } catch (...) {
        return false;
    }
    std::optional<bool> verdict;
    switch (kind) {
    case SourceKind::Docx:
        verdict = zipHoldsWordDocument(path);
        break;
    case SourceKind::EncryptedDocx:
    case SourceKind::OldWord:
        return true;
    case SourceKind::Doc:
        verdict = compoundHoldsWordDocument(path);
        break;
    case SourceKind::NotWord:
        return false;
    }
    return verdict ? *verdict : hasWordDocumentName(path);
}

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
