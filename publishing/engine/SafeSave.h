// Saving a file so that it is either complete or not there: the content is
// written to a temporary file in the target's folder and renamed over the
// target at the end.
#pragma once

#include <filesystem>
#include <functional>

namespace fq::engine {

// True when both paths name the same file: the same file system object when
// both exist, otherwise the same normalized absolute path.
bool sameFile(const std::filesystem::path& a, const std::filesystem::path& b);

// A path ".<name>.tmp-XXXXXX" beside target that does not exist yet.
std::filesystem::path temporarySibling(const std::filesystem::path& target);

// Removes what a save to target that was cut short (its process crashed or
// was stopped) left behind: the ".<name>.tmp-XXXXXX" files beside target.
void removeTemporaries(const std::filesystem::path& target);

// The temporary file being written in this process right now, or null: for
// a crash handler, which may only unlink it.
const char* temporaryBeingWritten();

// Calls write with a temporary path beside target and renames the result
// over target. On any failure the temporary file is removed, target is left
// as it was, and the failure is rethrown (std::runtime_error for renaming).
void saveThroughTemporary(const std::filesystem::path& target,
                          const std::function<void(const std::filesystem::path&)>& write);

} // namespace fq::engine
