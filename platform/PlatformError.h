// The failure that platform operations raise. The number mirrors the error
// numbers of the Windows runtime where callers test for one (70 permission
// denied, 76 path not found, 20476 file-dialog buffer too small); the text
// is what the error report shows as the failure description.
#pragma once

#include <stdexcept>
#include <string>

namespace fq::platform {

namespace errors {
inline constexpr int permissionDenied = 70;
inline constexpr int pathNotFound = 76;
inline constexpr int fileNotFound = 53;
inline constexpr int invalidArgument = 5;
inline constexpr int bufferTooSmall = 20476;
} // namespace errors

class PlatformError : public std::runtime_error {
public:
    PlatformError(int number, const std::string& description)
        : std::runtime_error(description), number_(number) {}
    int number() const { return number_; }

private:
    int number_;
};

// Raised by processPendingEvents() once the program has begun to end (the
// main window was closed while a handler was letting events through). It is
// not a failure: the handler that receives it leaves at once, silently.
struct ProgramEnding {};

} // namespace fq::platform
