// Temporary-file-and-rename saving.
#include "publishing/engine/SafeSave.h"

#include <atomic>
#include <random>
#include <stdexcept>
#include <string>

namespace fq::engine {

namespace fs = std::filesystem;

namespace {

std::atomic<const char*> g_inProgress{nullptr};

// Publishes the temporary path for temporaryBeingWritten() while it lives.
class InProgress {
public:
    explicit InProgress(const fs::path& path) : text_(path.string()) { g_inProgress.store(text_.c_str()); }
    ~InProgress() { g_inProgress.store(nullptr); }

private:
    std::string text_;
};

bool isTemporaryOf(const std::string& candidate, const std::string& prefix) {
    return candidate.size() == prefix.size() + 6 && candidate.compare(0, prefix.size(), prefix) == 0;
}

} // namespace

const char* temporaryBeingWritten() { return g_inProgress.load(); }

void removeTemporaries(const fs::path& target) {
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    const std::string prefix = "." + target.filename().string() + ".tmp-";
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        if (isTemporaryOf(it->path().filename().string(), prefix)) {
            std::error_code ignored;
            fs::remove(it->path(), ignored);
        }
    }
}

bool sameFile(const fs::path& a, const fs::path& b) {
    std::error_code ea, eb;
    if (fs::exists(a, ea) && fs::exists(b, eb)) {
        std::error_code ec;
        const bool same = fs::equivalent(a, b, ec);
        if (!ec) return same;
    }
    std::error_code ca, cb;
    const fs::path na = fs::weakly_canonical(fs::absolute(a), ca);
    const fs::path nb = fs::weakly_canonical(fs::absolute(b), cb);
    if (ca || cb) return fs::absolute(a).lexically_normal() == fs::absolute(b).lexically_normal();
    return na == nb;
}

fs::path temporarySibling(const fs::path& target) {
    static constexpr char kChars[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    static thread_local std::mt19937_64 random{std::random_device{}()};
    std::uniform_int_distribution<std::size_t> pick(0, sizeof kChars - 2);
    const fs::path folder = target.parent_path();
    const std::string name = target.filename().string();
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string suffix;
        for (int i = 0; i < 6; ++i) suffix.push_back(kChars[pick(random)]);
        fs::path candidate = folder / ("." + name + ".tmp-" + suffix);
        std::error_code ec;
        if (!fs::exists(candidate, ec) && !ec) return candidate;
    }
    throw std::runtime_error("No temporary file name is free in " + folder.string());
}

void saveThroughTemporary(const fs::path& target, const std::function<void(const fs::path&)>& write) {
    const fs::path temporary = temporarySibling(target);
    const auto discard = [&] {
        std::error_code ignored;
        fs::remove(temporary, ignored);
    };
    const InProgress published(temporary);
    try {
        write(temporary);
        std::error_code ec;
        if (!fs::is_regular_file(temporary, ec)) {
            throw std::runtime_error("The publication was not written to " + temporary.string());
        }
        fs::rename(temporary, target, ec);
        if (ec) throw std::runtime_error("The publication cannot be saved as " + target.string() + ": " + ec.message());
    } catch (...) {
        discard();
        throw;
    }
}

} // namespace fq::engine
