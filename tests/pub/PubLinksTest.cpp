// Hyperlinks: written as Publisher writes them in its files with links
// (the TOKN chunk byte for byte against Publisher's, the link text's
// properties line for line), read back by Apache POI (--links) and by
// pub2raw (the link text, underlined); links within the document and the
// kinds of address.
#include "CompoundCheck.h"
#include "PubTestSupport.h"

#include "publishing/pub/PubWriter.h"

#include <gtest/gtest.h>

#include <QProcess>

using namespace fq;
using namespace fq::pubtest;

namespace {

const std::string kGenuine = FQ_SHARED_DIR "/reference/genuine/";

// One paragraph of runs given as (text, link).
model::Publication story(const std::vector<std::pair<std::string, std::string>>& pieces) {
    model::Paragraph p;
    for (const auto& [text, link] : pieces) {
        model::Run r = run(text);
        r.link = link;
        if (!link.empty()) r.props.underline = model::Underline::Single;
        p.runs.push_back(r);
    }
    model::Publication pub;
    pub.pages.push_back(page({frame({72, 72, 400, 200}, {p})}));
    return pub;
}

// The story's TOKN chunk with the list's stamp (a number Publisher varies
// from file to file) zeroed.
std::vector<std::uint8_t> tokens(const std::filesystem::path& file, int story = 0) {
    auto chunk = quillChunk(readStream(file, "Quill/QuillSub/CONTENTS"), "TOKN", story);
    const std::uint8_t header[] = {0, 0, 0, 0, 0, 0, 0, 0};   // kind 0 and 0 after the stamp
    for (std::size_t i = 12; i + 12 <= chunk.size(); ++i)
        if (std::equal(header, header + 8, chunk.begin() + static_cast<std::ptrdiff_t>(i) + 4)) {
            std::fill_n(chunk.begin() + static_cast<std::ptrdiff_t>(i), 4, 0);
            break;
        }
    return chunk;
}

std::string poiLinks(const std::filesystem::path& file) {
    QProcess p;
    p.start(QStringLiteral(FQ_SHARED_DIR "/tools/poi/poi-text.sh"),
            {QStringLiteral("--links"), QString::fromStdString(file.string())});
    p.waitForFinished(120000);
    return p.readAllStandardOutput().toStdString() + p.readAllStandardError().toStdString();
}

// The FDPC lines of the runs whose text starts with the given words.
std::string runLine(const std::string& quill, const std::string& text) {
    const auto at = quill.find("\"" + text);
    if (at == std::string::npos) return {};
    const auto colon = quill.find(": ", at);
    return quill.substr(colon, quill.find('\n', colon) - colon);
}

} // namespace

TEST(PubLinks, OneLinkAsPublisherWritesIt) {
    PubFixture fx;
    pub::writePub(story({{"1234567890", ""}, {"LINK", "http://poi.apache.org/"}}), fx.path("one.pub"));
    const auto ours = tokens(fx.path("one.pub"));
    ASSERT_FALSE(ours.empty());
    EXPECT_EQ(ours, tokens(kGenuine + "poi_LinkAt10.pub"));
    // The link's text: Publisher's hyperlink underline and property 48.
    const std::string quill = fx.dump(fx.path("one.pub"), "quill");
    const std::string line = runLine(quill, "LINK");
    EXPECT_NE(line.find("underline=2049"), std::string::npos) << line;
    EXPECT_NE(line.find("48{00=1}"), std::string::npos) << line;
    EXPECT_EQ(runLine(quill, "1234567890").find("48{"), std::string::npos);
    EXPECT_NE(poiLinks(fx.path("one.pub")).find("1234567890LINK\n<http://poi.apache.org/>"), std::string::npos);
    const auto doc = test::runPub2Raw(fx.path("one.pub"));
    ASSERT_EQ(doc.pages.size(), 1u);
    const auto& spans = doc.pages[0].textObjects.at(0).paragraphs.at(0).spans;
    ASSERT_GE(spans.size(), 2u);
    EXPECT_EQ(spans[1].text, "LINK");
    EXPECT_EQ(spans[1].props.at("style:text-underline-type"), "single");
}

TEST(PubLinks, TwoLinksAsPublisherWritesThem) {
    PubFixture fx;
    pub::writePub(story({{"LINK", "http://poi.apache.org/"}, {"123456", ""}, {"LINK2", "http://poi.apache.org/hpbf/"}}),
                  fx.path("two.pub"));
    EXPECT_EQ(tokens(fx.path("two.pub")), tokens(kGenuine + "poi_LinkAt0And10.pub"));
    const std::string poi = poiLinks(fx.path("two.pub"));
    EXPECT_NE(poi.find("<http://poi.apache.org/>\n<http://poi.apache.org/hpbf/>"), std::string::npos) << poi;
}

TEST(PubLinks, KindsPlacesAndParagraphs) {
    // An e-mail address is a link of its own kind; a link to a bookmark of
    // the document has no page to point at and stays plain text; a link
    // ends at its paragraph's end; runs of one link make one link.
    PubFixture fx;
    model::Publication pub = story({{"write ", ""}, {"to us", "mailto:a@b.org"}, {" or see ", ""},
                                    {"the ", "#section"}, {"site", "https://b.org/"}, {" now", "https://b.org/"}});
    auto& frame = std::get<model::TextFrame>(pub.pages[0].shapes[0].content);
    frame.paragraphs.push_back(frame.paragraphs[0]);
    pub::writePub(pub, fx.path("kinds.pub"));
    const auto chunk = tokens(fx.path("kinds.pub"));
    ASSERT_GE(chunk.size(), 16u);
    EXPECT_EQ(chunk[0], 4) << "two links in each of two paragraphs";
    const std::string quill = fx.dump(fx.path("kinds.pub"), "quill");
    EXPECT_EQ(runLine(quill, "the ").find("48{"), std::string::npos);
    EXPECT_EQ(test::runPub2Raw(fx.path("kinds.pub")).allText(),
              "write to us or see the site now\nwrite to us or see the site now");
    // (POI reads these records as if each after the second were empty, as
    // in its own sample files, and misreads the addresses of such a story.)
    // The records: flags, the length and kind 4 (mail), then length 9 and
    // kind 1 (address) for " site now"... as differences from the one before.
    const std::vector<std::uint8_t> first = {0x16, 0, 0, 0, 0x00, 0x22, 0xC0, 0x08, 0, 0, 0x01, 0x22, 5, 0, 0, 0,
                                             0x02, 0x22, 4, 0, 0, 0};
    EXPECT_NE(std::search(chunk.begin(), chunk.end(), first.begin(), first.end()), chunk.end());
    const std::vector<std::uint8_t> second = {0x10, 0, 0, 0, 0x01, 0x22, 8, 0, 0, 0, 0x02, 0x22, 1, 0, 0, 0};
    EXPECT_NE(std::search(chunk.begin(), chunk.end(), second.begin(), second.end()), chunk.end());
}
