// Recognises an OLE compound file in place of a ZIP package. Word stores a
// password-protected .docx as such a file, with the encrypted package in the
// streams EncryptionInfo and EncryptedPackage.
#pragma once

#include <filesystem>

namespace fq::docx {

// True when the file starts with the compound file signature D0 CF 11 E0.
bool isCompoundFile(const std::filesystem::path& path);

// True when the compound file holds the streams of an encrypted package.
bool isEncryptedPackage(const std::filesystem::path& path);

} // namespace fq::docx
