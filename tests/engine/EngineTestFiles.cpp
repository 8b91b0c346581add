#include "EngineTestFiles.h"

#include <fstream>
#include <random>
#include <sstream>

namespace fq::engine::test {

namespace fs = std::filesystem;

ScratchFolder::ScratchFolder() {
    std::random_device rd;
    path_ = fs::temp_directory_path() / ("fq-engine-test-" + std::to_string(rd()) + std::to_string(rd()));
    fs::create_directories(path_);
}

ScratchFolder::~ScratchFolder() {
    std::error_code ec;
    fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(path_, ec);
}

void writeFile(const fs::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

int hiddenEntries(const fs::path& folder) {
    int n = 0;
    for (const auto& e : fs::directory_iterator(folder))
        if (e.path().filename().string().rfind('.', 0) == 0) ++n;
    return n;
}

fs::path corpusFile(const std::string& relative) {
    return fs::path(FQ_SHARED_DIR) / "corpus" / relative;
}

} // namespace fq::engine::test
