// Our files against a publication Publisher 2010 saved, structure by
// structure through pubdump: the numbering and kinds of the document-level
// chunks, the chunks every page owns, the page, document, printer and page
// setup properties, the header record; and pubconform's list of what every
// genuine file carries finds nothing missing.
#include "PubTestSupport.h"

#include "publishing/pub/PubWriter.h"

#include <gtest/gtest.h>

#include <QProcess>

#include <map>
#include <regex>
#include <sstream>

using namespace fq;
using namespace fq::pubtest;

namespace {

const std::string kSample2010 = FQ_SHARED_DIR "/reference/genuine/poi_Sample_2010.pub";
const std::string kLinkAt10 = FQ_SHARED_DIR "/reference/genuine/poi_LinkAt10.pub";
constexpr double kA4Width = 7560000.0 / 12700, kA4Height = 10692000.0 / 12700;

// An A4 publication like the sample's: two pages, text boxes and a picture,
// an author (which Publisher takes from its user).
model::Publication twoPages() {
    model::Publication pub;
    pub.properties.author = "A. Writer";
    model::PictureFrame pic;
    pic.format = model::ImageFormat::Png;
    pic.data = image(40, 30, "PNG");
    pub.pages.push_back(page({frame({72, 72, 400, 100}, {paragraph({run("First")})}),
                              frame({72, 200, 400, 100}, {paragraph({run("Second")})})},
                             kA4Width, kA4Height));
    pub.pages.push_back(page({frame({72, 72, 400, 100}, {paragraph({run("Third")})}),
                              model::Shape{{72, 300, 200, 150}, pic}},
                             kA4Width, kA4Height));
    return pub;
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string l; std::getline(in, l);) out.push_back(l);
    return out;
}

// Trailer lines by sequence number ("0x107" -> "page (0x43)  parent -> ...").
std::map<std::string, std::string> trailer(const std::string& dump) {
    std::map<std::string, std::string> out;
    const std::regex entry("^      (0x[0-9A-F]+) (.*)$");
    for (const auto& l : lines(dump)) {
        std::smatch m;
        if (std::regex_match(l, m, entry)) out[m[1]] = m[2];
    }
    return out;
}

// The lines of one object ("object 0x107 page"), or of a top-level block
// ("header record"); with idsOnly, just "id/type" of its direct properties.
std::vector<std::string> block(const std::string& dump, const std::string& head, bool idsOnly) {
    std::vector<std::string> out;
    bool inside = false;
    for (const auto& l : lines(dump)) {
        if (l.rfind("  ", 0) == 0 && l.rfind("   ", 0) != 0) {
            inside = l.substr(2) == head || l.substr(2).rfind(head + " ", 0) == 0;
            continue;
        }
        if (!inside || l.rfind("    ", 0) != 0) continue;
        if (!idsOnly) out.push_back(l);
        else if (l.rfind("     ", 0) != 0) out.push_back(l.substr(4, 5));
    }
    return out;
}

std::string joined(const std::vector<std::string>& v) {
    std::string s;
    for (const auto& l : v) s += l + "\n";
    return s;
}

} // namespace

TEST(PubConformance, DocumentLevelChunksAreNumberedAsPublishers) {
    PubFixture fx;
    pub::writePub(twoPages(), fx.path("out.pub"));
    const std::string ours = fx.dump(fx.path("out.pub"), "contents");
    const std::string real = fx.dump(kSample2010, "contents");
    ASSERT_FALSE(real.empty());
    const auto a = trailer(ours), b = trailer(real);
    // 0x100-0x124: the document, its settings, the master, the first page,
    // the four empty pages, each page's own chunks, story and frame tables.
    for (int seq = 0x100; seq <= 0x124; ++seq) {
        char key[8];
        std::snprintf(key, sizeof key, "0x%X", seq);
        EXPECT_EQ(a.count(key) ? a.at(key) : "-", b.count(key) ? b.at(key) : "-") << key;
    }
    // A further page owns its two chunks right after it.
    EXPECT_NE(ours.find("0x127 page (0x43)  parent -> 0x100 document  08 0B=1\n      0x128 type-0x60 (0x60)  "
                        "parent -> 0x127 page  0B=1\n      0x129 type-0x77 (0x77)  parent -> 0x127 page  0B=1"),
              std::string::npos);
    EXPECT_EQ(ours.find("unreferenced"), std::string::npos) << ours;
}

TEST(PubConformance, PageAndSettingsChunksCarryPublishersProperties) {
    PubFixture fx;
    pub::writePub(twoPages(), fx.path("out.pub"));
    const std::string ours = fx.dump(fx.path("out.pub"), "contents");
    const std::string real = fx.dump(kSample2010, "contents");
    // Whole objects that depend on nothing in the document.
    for (const char* head : {"object 0x108", "object 0x109", "object 0x10B", "object 0x10C", "object 0x111",
                             "object 0x118", "object 0x119"})
        EXPECT_EQ(joined(block(ours, head, false)), joined(block(real, head, false))) << head;
    // The properties, with values that depend on the page size or content.
    for (const char* head : {"header record", "object 0x100", "object 0x107", "object 0x10A", "object 0x10D",
                             "object 0x117", "object 0x11F", "object 0x124"}) {
        const auto mine = block(ours, head, true);
        ASSERT_FALSE(mine.empty()) << head;
        EXPECT_EQ(joined(mine), joined(block(real, head, true))) << head;
    }
    // A text box as Publisher 2007 writes it, a picture as Publisher 2010 does.
    EXPECT_EQ(joined(block(ours, "object 0x125", true)), joined(block(fx.dump(kLinkAt10, "contents"), "object 0x125", true)));
    // The picture is the last shape, right before the font list.
    const auto a = trailer(ours);
    ASSERT_GE(a.size(), 2u);
    const auto picture = std::prev(a.end(), 2);
    ASSERT_EQ(picture->second.rfind("shape (0x01)", 0), 0u) << picture->second;
    EXPECT_EQ(joined(block(ours, "object " + picture->first, true)), joined(block(real, "object 0x12E", true)));
}

TEST(PubConformance, PubconformFindsNothingMissing) {
    PubFixture fx;
    pub::writePub(twoPages(), fx.path("out.pub"));
    QProcess p;
    p.start(QStringLiteral("/usr/bin/python3"),
            {QStringLiteral(FQ_SHARED_DIR "/tools/pubconform"), QString::fromStdString(fx.path("out.pub").string())});
    ASSERT_TRUE(p.waitForFinished(300000));
    const std::string out = p.readAllStandardOutput().toStdString();
    EXPECT_EQ(p.exitCode(), 0) << out;
    EXPECT_NE(out.find(", 0 missing"), std::string::npos) << out;
}
