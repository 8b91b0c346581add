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

// For picking the documents out of a folder: true when the content is a
// Word document's. A ZIP package qualifies when it holds a Word main part
// (by its content types, or as word/document.xml), a compound file when it
// holds a WordDocument stream or an encrypted package, and a Word for
// Windows 1.x/2.x file by its signature. When the signature says ZIP or
// compound file but the structure cannot be read (a damaged document), the
// name decides: .doc, .docx, .docm, .dot, .dotx or .dotm. Never throws.
bool isWordDocument(const std::filesystem::path& path);

} // namespace fq::engine
