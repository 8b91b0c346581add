// The texts a batch run shows: the report's JSON lines and the progress line.
#include "cli/JsonReport.h"
#include "cli/ProgressLine.h"

#include <QByteArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

namespace fq::cli {
namespace {

QJsonObject parsed(const std::string& line) {
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(line), &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << line;
    return doc.object();
}

TEST(CliJsonReport, StringsAreEscapedAndInvalidBytesKeptAsSurrogates) {
    const std::pair<std::string, std::string> cases[] = {
        {"plain.docx", "\"plain.docx\""},
        {"a \"quoted\" \\ name", "\"a \\\"quoted\\\" \\\\ name\""},
        {"tab\tline\nreturn\r", "\"tab\\tline\\nreturn\\r\""},
        {std::string("nul\x01\x1f\x7f", 6), "\"nul\\u0001\\u001f\\u007f\""},
        {"Gr\xC3\xBC\xC3\x9F \xE2\x82\xAC \xF0\x9F\x93\x84", "\"Gr\xC3\xBC\xC3\x9F \xE2\x82\xAC \xF0\x9F\x93\x84\""},
        {"latin1 \xFC.doc", "\"latin1 \\udcfc.doc\""},                    // a byte that is not UTF-8
        {"cut \xE2\x82", "\"cut \\udce2\\udc82\""},                       // a sequence cut short
        {"overlong \xC0\xAF", "\"overlong \\udcc0\\udcaf\""},
        {"surrogate \xED\xA0\x80", "\"surrogate \\udced\\udca0\\udc80\""},
    };
    for (const auto& [bytes, json] : cases) EXPECT_EQ(jsonString(bytes), json) << bytes;
}

TEST(CliJsonReport, LinesAreJsonObjectsWithEveryField) {
    const std::string ok = reportLine({"in/a b.docx", std::string("out/a b.pub"), true, {}, 12, 1.25});
    ASSERT_EQ(ok.back(), '\n');
    const QJsonObject a = parsed(ok);
    EXPECT_EQ(a.value("source").toString(), QStringLiteral("in/a b.docx"));
    EXPECT_EQ(a.value("output").toString(), QStringLiteral("out/a b.pub"));
    EXPECT_EQ(a.value("status").toString(), QStringLiteral("converted"));
    EXPECT_EQ(a.value("message").toString(), QString());
    EXPECT_EQ(a.value("pages").toInt(), 12);
    EXPECT_DOUBLE_EQ(a.value("seconds").toDouble(), 1.25);

    const QJsonObject b = parsed(reportLine({"x.doc", std::nullopt, false, "The file is \"damaged\".", 0, -3}));
    EXPECT_TRUE(b.value("output").isNull());
    EXPECT_EQ(b.value("status").toString(), QStringLiteral("failed"));
    EXPECT_EQ(b.value("message").toString(), QStringLiteral("The file is \"damaged\"."));
    EXPECT_DOUBLE_EQ(b.value("seconds").toDouble(), 0.0);
    EXPECT_EQ(b.keys().size(), 6);
}

TEST(CliProgressLine, TextFitsTheTerminal) {
    EXPECT_EQ(formatDuration(0), "0:00");
    EXPECT_EQ(formatDuration(59.6), "1:00");
    EXPECT_EQ(formatDuration(725), "12:05");
    EXPECT_EQ(formatDuration(3723), "1:02:03");
    struct Case {
        std::size_t done, failed, total;
        std::optional<double> left;
        std::string current;
        int width;
        std::string expected;
    };
    const Case cases[] = {
        {0, 0, 3, std::nullopt, "a.docx", 80, "0 of 3 done: a.docx"},
        {2, 1, 340, 135.0, "sub/Report.docx", 80, "2 of 340 done (1 failed), 2:15 left: sub/Report.docx"},
        {2, 0, 9, 5.0, "a/very/long/folder/name/report.docx", 40, "2 of 9 done, 0:05 left: ...e/report.docx"},
        {2, 0, 9, 5.0, "long/name.docx", 26, "2 of 9 done, 0:05 left"},
        {2, 0, 9, 5.0, "long/name.docx", 10, "2 of 9 don"},
        {1, 0, 2, std::nullopt, "\xC3\xA4\xC3\xB6\xC3\xBC\xC3\xA4\xC3\xB6\xC3\xBC\xC3\xA4\xC3\xB6\xC3\xBC.doc", 24,
         "1 of 2 done: ...\xC3\xBC\xC3\xA4\xC3\xB6\xC3\xBC.doc"},
        {3, 0, 3, std::nullopt, "", 80, "3 of 3 done"},
    };
    for (const Case& c : cases) {
        const std::string text = progressText(c.done, c.failed, c.total, c.left, c.current, c.width);
        EXPECT_EQ(text, c.expected);
        EXPECT_LE(textColumns(text), static_cast<std::size_t>(c.width)) << text;
    }
}

} // namespace
} // namespace fq::cli
