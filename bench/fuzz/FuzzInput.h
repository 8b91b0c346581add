// What the fuzz targets share: the input handed to a reader as a file, and
// the "parts listing", a form of input in which a package's parts or a
// compound file's streams lie uncompressed one after the other. A mutated
// listing is assembled into a valid ZIP package or compound file before
// the reader sees it, so the mutations reach the XML and the Word binary
// structures instead of dying in a checksum or a sector chain.
//
// A listing is the text "FQPARTS\n" followed by parts, each introduced by
// a line "@@@part <name>" and running up to the next such line (the line
// break before the next "@@@part " belongs to the separator). Names of
// streams in storages are written with "/" ("ObjectPool/_1/\x03PIC").
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace fq::fuzz {

using Part = std::pair<std::string, std::string>; // name, bytes

inline constexpr std::string_view kListingHeader = "FQPARTS\n";

bool isListing(std::string_view input);
std::vector<Part> parseListing(std::string_view input);
std::string makeListing(const std::vector<Part>& parts);

// A file of this process in a memory-backed folder, named with the given
// extension ("docx"), holding the input as it is. The same path comes back
// on every call; the folder is removed when the process ends.
std::filesystem::path inputFile(std::string_view bytes, const char* extension);

// The input as a file a reader can open: a listing is assembled into a ZIP
// package (asZip) or a compound file, anything else is written as it is.
std::filesystem::path documentFile(std::string_view input, bool asZip);

// Writers of the two containers (any name the container refuses is left
// out). Throw std::runtime_error when the file cannot be written at all.
void writeZip(const std::filesystem::path& path, const std::vector<Part>& parts);
void writeCompoundFile(const std::filesystem::path& path, const std::vector<Part>& parts);

// Readers of the two containers for making seeds: every part or stream.
std::vector<Part> readZip(const std::filesystem::path& path);
std::vector<Part> readCompoundFile(const std::filesystem::path& path);

// Sets up what the layout needs (a QGuiApplication on the offscreen
// platform) once per process.
void startGui();

} // namespace fq::fuzz
