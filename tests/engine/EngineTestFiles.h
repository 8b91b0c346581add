// Scratch files for the engine tests: a private temporary folder and
// helpers to write and read whole files.
#pragma once

#include <filesystem>
#include <string>

namespace fq::engine::test {

// A fresh folder under the system's temporary folder, removed again when
// the object goes.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

void writeFile(const std::filesystem::path& path, const std::string& bytes);
std::string readFile(const std::filesystem::path& path);

// Names in the folder that start with ".", as the temporary files do.
int hiddenEntries(const std::filesystem::path& folder);

// A file of the shared corpus.
std::filesystem::path corpusFile(const std::string& relative);

} // namespace fq::engine::test
