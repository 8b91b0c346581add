// Base names and output paths.
#include "cli/OutputNames.h"

namespace fq::cli {

namespace {

std::size_t lastSeparator(const std::string& file) {
#ifdef _WIN32
    return file.find_last_of("/\\");
#else
    return file.find_last_of('/');
#endif
}

} // namespace

std::string baseName(const std::string& file) {
    const std::size_t sep = lastSeparator(file);
    std::string name = sep == std::string::npos ? file : file.substr(sep + 1);
    const std::size_t dot = name.find_last_of('.');
    if (dot != std::string::npos && dot >= 1) name.erase(dot);
    return name;
}

std::filesystem::path outputPath(const std::string& file,
                                 const std::optional<std::filesystem::path>& outputFolder) {
    std::filesystem::path folder;
    if (outputFolder) {
        folder = *outputFolder;
    } else {
        const std::size_t sep = lastSeparator(file);
        folder = sep == std::string::npos ? std::filesystem::path(".")
                                          : std::filesystem::path(file.substr(0, sep + 1));
    }
    return folder / (baseName(file) + ".pub");
}

} // namespace fq::cli
