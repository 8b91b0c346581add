// The compound file around the streams: its directory is the red-black
// tree Publisher writes (checked by an independent reader against the
// format's rules and entry by entry against a Publisher 2010 file), with
// Publisher's class ids and time stamps; the rules' check itself fails on
// the samples whose container another tool rewrote.
// libgsf (glib) before Qt, whose "signals" macro glib headers trip over.
#include <gsf/gsf.h>
#include <gsf/gsf-outfile-msole.h>
#include <gsf/gsf-outfile.h>
#include <gsf/gsf-output-stdio.h>

#include "CompoundCheck.h"
#include "PubTestSupport.h"

#include "publishing/pub/CompoundDirectory.h"
#include "publishing/pub/PubWriter.h"

#include <gtest/gtest.h>

using namespace fq;
using namespace fq::pubtest;

namespace {

const std::string kGenuine = FQ_SHARED_DIR "/reference/genuine/";
const std::string kSamples = FQ_SHARED_DIR "/reference/pub-samples/";

model::Publication simple() {
    model::Publication pub;
    pub.pages.push_back(page({frame({72, 72, 468, 100}, {paragraph({run("Hello")})})}));
    return pub;
}

std::string joined(const std::vector<std::string>& lines) {
    std::string s;
    for (const auto& l : lines) s += l + "\n";
    return s;
}

// Name, colour and the names the links lead to: the shape of the tree.
std::vector<std::string> shape(const std::vector<CfbEntry>& entries) {
    auto name = [&](std::uint32_t i) { return i < entries.size() ? printable(entries[i].name) : std::string("-"); };
    std::vector<std::string> out;
    for (const auto& e : entries)
        out.push_back(printable(e.name) + (e.colour ? " black" : " red") + " L=" + name(e.left) +
                      " R=" + name(e.right) + " C=" + name(e.child));
    return out;
}

} // namespace

TEST(PubContainer, PublishersDirectoriesPassTheRulesAndRewrittenOnesFail) {
    for (const char* file : {"poi_Sample_2010.pub", "poi_LinkAt10.pub", "poi_Simple.pub", "poi_60685.pub",
                             "mimetype_pub.pub", "poi_SampleNewsletter.pub"})
        EXPECT_EQ(joined(treeProblems(readDirectory(kGenuine + file))), "") << file;
    // Containers rewritten by another tool: every node red.
    for (const std::string& file : {kSamples + "v11-tables.pub", kGenuine + "libmspub-test_10.0_tables.pub"})
        EXPECT_NE(joined(treeProblems(readDirectory(file))), "") << file;
}

TEST(PubContainer, DirectoryIsPublisher2010s) {
    PubFixture fx;
    model::Publication pub = simple();
    pub.properties.modified = "2024-06-02T11:30:00Z";
    pub::writePub(pub, fx.path("out.pub"));
    const auto ours = readDirectory(fx.path("out.pub"));
    EXPECT_EQ(joined(treeProblems(ours)), "");
    // Same entries in the same order, same colours and links.
    EXPECT_EQ(shape(ours), shape(readDirectory(kGenuine + "poi_Sample_2010.pub")));

    const std::uint64_t saved = (1717327800ULL + 11644473600ULL) * 10000000ULL;
    const std::array<std::uint8_t, 16> root = {0x01, 0x12, 0x02, 0, 0, 0, 0, 0, 0, 0xC0, 0, 0, 0, 0, 0, 0x46};
    const std::array<std::uint8_t, 16> quill = {0xDA, 0xF6, 0xC8, 0x08, 0x9D, 0x96, 0xD1, 0x11,
                                                0x8E, 0x02, 0x00, 0xC0, 0x4F, 0xB6, 0xFE, 0xCE};
    for (const auto& e : ours) {
        const std::string name = printable(e.name);
        if (e.type == 5) {
            EXPECT_EQ(e.clsid, root);
            EXPECT_EQ(e.created, 0u);
            EXPECT_EQ(e.modified, saved);
        } else if (e.type == 1) {
            EXPECT_EQ(e.clsid, (name == "QuillSub" ? quill : std::array<std::uint8_t, 16>{})) << name;
            EXPECT_EQ(e.created, saved) << name;
            EXPECT_EQ(e.modified, saved) << name;
            EXPECT_EQ(e.start, 0u) << name;
        } else {
            EXPECT_EQ(e.clsid, (std::array<std::uint8_t, 16>{})) << name;
            EXPECT_EQ(e.created + e.modified, 0u) << name;
        }
    }
    // Readers still find every stream.
    const auto doc = test::runPub2Raw(fx.path("out.pub"));
    EXPECT_EQ(doc.allText(), "Hello");
}

TEST(PubContainer, ManySiblingsMakeABalancedTree) {
    // A storage with many children needs rotations; the streams keep
    // their data.
    PubFixture fx;
    const std::string file = fx.path("many.cfb").string();
    gsf_init();
    std::vector<std::string> names;
    {
        GsfOutput* sink = gsf_output_stdio_new(file.c_str(), nullptr);
        ASSERT_NE(sink, nullptr);
        GsfOutfile* root = gsf_outfile_msole_new(sink);
        GsfOutput* storage = gsf_outfile_new_child(root, "Box", TRUE);
        for (int i = 0; i < 40; ++i) {
            names.push_back((i % 3 ? "s" : "Longer") + std::to_string((i * 17) % 41));
            GsfOutput* s = gsf_outfile_new_child(GSF_OUTFILE(storage), names.back().c_str(), FALSE);
            gsf_output_write(s, names.back().size(), reinterpret_cast<const guint8*>(names.back().data()));
            gsf_output_close(s);
            g_object_unref(s);
        }
        gsf_output_close(storage);
        g_object_unref(storage);
        gsf_output_close(GSF_OUTPUT(root));
        g_object_unref(root);
        g_object_unref(sink);
    }
    EXPECT_NE(joined(treeProblems(readDirectory(file))), "");   // libgsf's own tree breaks the rules
    pub::rewriteDirectory(file, pub::DirectoryLayout{{}, 1});
    EXPECT_EQ(joined(treeProblems(readDirectory(file))), "");

    for (const auto& n : names) {
        const auto data = readStream(file, "Box/" + n);
        EXPECT_EQ(std::string(data.begin(), data.end()), n);
    }
}
