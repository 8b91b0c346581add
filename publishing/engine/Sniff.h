// Tells a Word document's format from its first bytes and, for compound
// files, from the streams they hold.
#pragma once

#include <filesystem>

namespace fq::engine {

enum class SourceKind {
    Docx,           // a ZIP package
    EncryptedDocx,  // a compound file holding EncryptionInfo and EncryptedPackage
    Doc,            // any other compound file
    OldWord,        // Word for Windows 1.x/2.x, before compound files
    NotWord,        // neither
};

// Throws model::ConversionError ("The file cannot be read: ...") when the
// file is missing or cannot be opened.
SourceKind sniffSource(const std::filesystem::path& source);

} // namespace fq::engine
