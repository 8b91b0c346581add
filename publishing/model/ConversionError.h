// The error every part of the engine raises for input it cannot use. The
// message is shown to the user as it stands.
#pragma once

#include <stdexcept>
#include <string>

namespace fq::model {

class ConversionError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

namespace messages {
inline constexpr const char* notAWordDocument = "The file is not a Word document.";
inline constexpr const char* passwordProtected = "The document is password-protected.";
inline constexpr const char* damagedPrefix = "The document is damaged: ";
inline constexpr const char* versionNotSupported = "This Word version is not supported.";
} // namespace messages

inline ConversionError damaged(const std::string& what) {
    return ConversionError(std::string(messages::damagedPrefix) + what);
}

} // namespace fq::model
