// The target of a HYPERLINK field, as both readers meet it:
//   HYPERLINK "https://example.com/" \l "part" \o "tip" \t "_blank"
// gives "https://example.com/#part"; HYPERLINK \l "bookmark" gives
// "#bookmark". Word doubles the backslashes of paths inside the quotes.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace fq::word {

// nullopt when the code is no HYPERLINK field or names no target.
std::optional<std::string> hyperlinkTarget(std::string_view code);

} // namespace fq::word
