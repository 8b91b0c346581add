// HYPERLINK field codes to link targets.
#include "publishing/word/HyperlinkField.h"

#include <gtest/gtest.h>

using fq::word::hyperlinkTarget;

TEST(WordHyperlinkField, Targets) {
    const std::pair<const char*, const char*> cases[] = {
        {R"( HYPERLINK "https://example.com/" )", "https://example.com/"},
        {R"(HYPERLINK "https://example.com/a b" \o "a tip" \t "_blank")", "https://example.com/a b"},
        {R"( HYPERLINK \l "_Toc123" )", "#_Toc123"},
        {R"(HYPERLINK "http://x.org/page" \l "part")", "http://x.org/page#part"},
        {R"(hyperlink mailto:someone@example.com)", "mailto:someone@example.com"},
        {R"(HYPERLINK "C:\\Docs\\report.doc" \n)", "C:\\Docs\\report.doc"},
        {R"(HYPERLINK \m "http://x.org/map")", "http://x.org/map"},
    };
    for (const auto& [code, target] : cases) EXPECT_EQ(hyperlinkTarget(code).value_or("-"), target) << code;
    for (const char* code : {"PAGE", " HYPERLINK ", "REF _Ref1 \\h", ""}) EXPECT_FALSE(hyperlinkTarget(code)) << code;
}
