// Reads the directory of a compound file on its own (independently of the
// writer's post-pass) and checks it against the rules of the format: every
// sibling tree ordered by name (length first, then upper-cased code
// units), no red node with a red child, equal black heights on every path,
// black tree roots.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace fq::pubtest {

struct CfbEntry {
    std::u16string name;
    int type = 0;             // 1 storage, 2 stream, 5 root
    int colour = 0;           // 0 red, 1 black
    std::uint32_t left = 0xFFFFFFFF, right = 0xFFFFFFFF, child = 0xFFFFFFFF;
    std::array<std::uint8_t, 16> clsid{};
    std::uint64_t created = 0, modified = 0;
    std::uint32_t start = 0;
    std::uint64_t size = 0;
};

// The used entries, in directory order. Throws std::runtime_error when the
// file cannot be read as a compound file.
std::vector<CfbEntry> readDirectory(const std::filesystem::path& file);

// One line per broken rule; empty when the directory is a valid tree.
std::vector<std::string> treeProblems(const std::vector<CfbEntry>& entries);

// The entry's name in UTF-8, with control characters as \xNN.
std::string printable(const std::u16string& name);

// A stream of the file ("Quill/QuillSub/CONTENTS"), read with libgsf;
// empty when it is not there.
std::vector<std::uint8_t> readStream(const std::filesystem::path& file, const std::string& path);

// A chunk of a Quill stream by its table-of-contents name and index
// ("TOKN", 0); empty when there is none.
std::vector<std::uint8_t> quillChunk(const std::vector<std::uint8_t>& quill, const std::string& name, int index);

} // namespace fq::pubtest
