// The LibreOffice reference texts of the corpora, as the corpus tests
// compare them. LibreOffice's text export writes every bulleted paragraph
// as indentation, the default bullet of its level (U+2022, U+25E6, U+25AA)
// and a space, whatever bullet the list really has; those bullets say
// nothing about the document, so they are left out of the comparison.
#pragma once

#include <string>

namespace fq::test {

std::string withoutExportedBullets(const std::string& referenceUtf8);

} // namespace fq::test
