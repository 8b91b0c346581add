// The file around the pages: document properties as pub2raw reports them,
// and the structures Publisher's own files carry (checked with pubdump
// against a real Publisher 2010 sample where it makes sense).
#include "PubTestSupport.h"

#include "publishing/pub/PubWriter.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <regex>

using namespace fq;
using namespace fq::pubtest;

namespace {

class PubDocument : public ::testing::Test {
protected:
    PubFixture fx;
};

model::Publication simple() {
    model::Publication pub;
    pub.pages.push_back(page({frame({72, 72, 468, 100}, {paragraph({run("Hello")})})}));
    return pub;
}

// The lines of a pubdump section that match the pattern.
std::vector<std::string> grep(const std::string& text, const std::string& pattern) {
    std::vector<std::string> out;
    const std::regex re(pattern);
    std::size_t start = 0;
    while (start < text.size()) {
        auto end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        const std::string line = text.substr(start, end - start);
        if (std::regex_search(line, re)) out.push_back(line);
        start = end + 1;
    }
    return out;
}

} // namespace

TEST_F(PubDocument, PropertiesArrive) {
    setenv("TZ", "UTC", 1);
    model::Publication pub = simple();
    pub.properties.title = "Quarterly Report";
    pub.properties.author = "Jörg Müller";
    pub.properties.subject = "Finance";
    pub.properties.keywords = "report, q3";
    pub.properties.created = "2024-05-01T10:00:00Z";
    pub.properties.modified = "2024-06-02T11:30:00Z";
    const auto doc = fx.roundTrip(pub);
    ASSERT_TRUE(doc.started) << doc.output;
    EXPECT_EQ(doc.metadata.at("dc:title"), "Quarterly Report");
    EXPECT_EQ(doc.metadata.at("dc:creator"), "Jörg Müller");
    EXPECT_EQ(doc.metadata.at("dc:subject"), "Finance");
    EXPECT_EQ(doc.metadata.at("meta:keyword"), "report, q3");
    // libmspub takes one date, the modification time of the root entry.
    EXPECT_EQ(doc.metadata.at("dc:date").substr(0, 10), "2024-06-02");
    const std::string ole = fx.dump(fx.path("out.pub"), "ole");
    EXPECT_NE(ole.find("summary title: Quarterly Report"), std::string::npos) << ole;
    // As in Publisher's files, the summary holds no dates.
    EXPECT_EQ(ole.find("create_time"), std::string::npos) << ole;
}

TEST_F(PubDocument, NoPropertiesIsFine) {
    const auto doc = fx.roundTrip(simple());
    ASSERT_TRUE(doc.started);
    EXPECT_EQ(doc.metadata.count("dc:title"), 0u);
    ASSERT_EQ(doc.pages.size(), 1u);
}

TEST_F(PubDocument, ContainerMatchesPublisher) {
    pub::writePub(simple(), fx.path("out.pub"));
    const std::string ours = fx.dump(fx.path("out.pub"), "ole");
    // A Publisher 2010 file whose container no other tool rewrote.
    const std::string real = fx.dump(FQ_SHARED_DIR "/reference/genuine/poi_Sample_2010.pub", "ole");
    ASSERT_FALSE(real.empty());
    EXPECT_NE(ours.find("Root Entry {00021201-0000-0000-00C0-000000000046}"), std::string::npos) << ours;
    for (const char* line : {"stream \\x01CompObj", "stream \\x03Internal", "stream Contents", "stream Envelope: empty",
                             "storage Escher", "stream EscherStm", "storage Objects", "storage Quill",
                             "storage QuillSub {08C8F6DA-969D-11D1-8E02-00C04FB6FECE}", "storage VBA",
                             "\"Microsoft Publisher 3.0\", \"MSPublisher.3\"", "\"Quill96 Story Group Class\"",
                             "\\x03Internal: 00 00 01 00 00 00 00 00 00 00 00 00"}) {
        EXPECT_NE(ours.find(line), std::string::npos) << line << "\n" << ours;
    }
    // The CompObj lines are byte for byte those of Publisher 2010.
    for (const auto& l : grep(real, "CompObj: clsid")) EXPECT_NE(ours.find(l), std::string::npos) << l;
}

TEST_F(PubDocument, ContentsCarriesPublisherStructures) {
    pub::writePub(simple(), fx.path("out.pub"));
    const std::string ours = fx.dump(fx.path("out.pub"), "contents");
    const std::string real = fx.dump(FQ_SHARED_DIR "/reference/pub-samples/v14-REG-TXT1-pub2010.pub", "contents");
    // The type/version table is the one Publisher 2010 writes.
    const auto ourTable = grep(ours, "^      \\[\\d+\\] 00/t88 object-type=");
    const auto realTable = grep(real, "^      \\[\\d+\\] 00/t88 object-type=");
    ASSERT_EQ(ourTable.size(), 143u);
    EXPECT_EQ(ourTable, realTable);
    // Header record blocks and trailer fields.
    for (const char* line : {"0D/t20 counter?", "0E/t20 counter?", "0C/t18 = 1", "03/t20 version = 65536024"})
        EXPECT_NE(ours.find(line), std::string::npos) << line;
    EXPECT_FALSE(grep(ours, "0x100 document \\(0x44\\).*08 0B=23").empty()) << ours;
    EXPECT_FALSE(grep(ours, "page \\(0x43\\).*parent -> 0x100 document.*08 0B=1").empty());
    // Master page, palette, story and frame tables are there and referenced.
    for (const char* line : {"0E/tC0 master name = \"A\"", "0F/tC0 master long name = \"Master Page A\"",
                             "0D/t68 applied master = ->", "22/t70 = -> ", "palette (0x5C)", "story-table? (0x5B)",
                             "frame-table? (0x61)", "font-list (0x6C)", "type-0x4A (0x4A)", "type-0x4B (0x4B)",
                             "type-0x4C (0x4C)", "type-0x4F (0x4F)", "06/tC0 = \"(Custom)\""})
        EXPECT_NE(ours.find(line), std::string::npos) << line << "\n" << ours;
    // Palette colours as Publisher's default scheme.
    for (const auto& l : grep(real, "colour=0x00"))
        EXPECT_NE(ours.find(l.substr(l.find("00/t88"))), std::string::npos) << l;
    EXPECT_EQ(ours.find("unreferenced"), std::string::npos) << ours;
}

TEST_F(PubDocument, QuillAndEscherCarryPublisherStructures) {
    pub::writePub(simple(), fx.path("out.pub"));
    const std::string quill = fx.dump(fx.path("out.pub"), "quill");
    for (const char* chunk : {"TEXT[0]", "STSH[0]", "STSH[1]", "STSH[2]", "FDPP[0]", "FDPC[0]", "SYID[0]", "SGP [0]",
                              "INK [0]", "BTEP[0]", "BTEC[0]", "FONT[0]", "STRS[0]", "MCLD[0]", "PL  [0]"})
        EXPECT_NE(quill.find(std::string("    ") + chunk), std::string::npos) << chunk << "\n" << quill;
    EXPECT_NE(quill.find("| Hello¶"), std::string::npos) << quill;
    const std::string escher = fx.dump(fx.path("out.pub"), "escher");
    for (const char* line : {"SplitMenuColors", "TertiaryFOPT", "drawing 2:", "drawing 1:", "type 202 text-box",
                             "0x6801 shape seq", "0x2001 text id = 1", "0x0080 lTxid = 1",
                             "0x0181 fillColor = 0x08000007 palette[7]"})
        EXPECT_NE(escher.find(line), std::string::npos) << line << "\n" << escher;
    EXPECT_EQ(escher.find("!"), std::string::npos) << escher;
}

TEST_F(PubDocument, TabStopsAreStoredFromTheFrameEdge) {
    // pub2raw does not show tab stops; pubdump shows the stored positions.
    model::ParaProps p;
    p.leftIndentPt = 18;
    p.tabStopsPt = {36, 144.5};
    model::Publication pub;
    pub.pages.push_back(page({frame({72, 72, 468, 100}, {paragraph({run("a\tb\tc")}, p)})}));
    pub::writePub(pub, fx.path("tabs.pub"));
    const std::string quill = fx.dump(fx.path("tabs.pub"), "quill");
    EXPECT_NE(quill.find("tabs{28{00{00=685800 (0xA76E8)} 00{00=2063750 (0x1F7D86)}}}"), std::string::npos) << quill;
    EXPECT_EQ(fx.roundTrip(pub).allText(), "a\tb\tc");
}

TEST_F(PubDocument, DrawingsMatchAnEmptyPublisherFile) {
    // Publisher 2010's empty publication: the default shape properties and
    // the two drawings before the pages' drawing come out line for line.
    pub::writePub(model::Publication{}, fx.path("empty.pub"));
    const std::string ours = fx.dump(fx.path("empty.pub"), "escher");
    const std::string real = fx.dump(FQ_SHARED_DIR "/reference/pub-samples/v14-metadata.pub", "escher");
    auto between = [](const std::string& text, const std::string& from, const std::string& to) {
        const auto a = text.find(from);
        const auto b = text.find(to, a == std::string::npos ? 0 : a);
        return a == std::string::npos || b == std::string::npos ? std::string() : text.substr(a, b - a);
    };
    const std::string ourDrawings = between(ours, "u32 after record = 2", "u32 after record = 0");
    ASSERT_FALSE(ourDrawings.empty()) << ours;
    EXPECT_EQ(ourDrawings, between(real, "u32 after record = 2", "u32 after record = 0"));
    const std::string ourDefaults = between(ours, "    FOPT 0xF00B", "  u32 after record");
    ASSERT_FALSE(ourDefaults.empty());
    EXPECT_EQ(ourDefaults, between(real, "    FOPT 0xF00B", "  u32 after record"));
    EXPECT_NE(ours.find("drawing 1:"), std::string::npos);
}

TEST_F(PubDocument, QuillOfAnEmptyPublicationMatchesPublisher) {
    // Styles with the script fonts, FONT list, PL: line for line as in
    // Publisher 2010's empty publication.
    pub::writePub(model::Publication{}, fx.path("empty.pub"));
    const std::string ours = fx.dump(fx.path("empty.pub"), "quill");
    const std::string real = fx.dump(FQ_SHARED_DIR "/reference/pub-samples/v14-metadata.pub", "quill");
    ASSERT_FALSE(real.empty());
    EXPECT_EQ(ours, real);
}

TEST_F(PubDocument, UnwritablePathThrows) {
    EXPECT_THROW(pub::writePub(simple(), fx.path("missing-folder") / "out.pub"), std::runtime_error);
}

TEST_F(PubDocument, ReplacesAnExistingFile) {
    {
        std::ofstream junk(fx.path("out.pub"));
        junk << std::string(100000, 'x');
    }
    const auto doc = fx.roundTrip(simple());
    ASSERT_EQ(doc.pages.size(), 1u);
    EXPECT_EQ(doc.allText(), "Hello");
}
