// The user messages of the reader: files that are no Word document, old
// Word versions, encrypted files and damaged ones (hand-made compound files
// written with libgsf), and mutated copies of real documents that must end
// in a document or a clear error.
#include "DocTestSupport.h"
#include "publishing/doc/DocReader.h"
#include "publishing/model/ConversionError.h"

#include <gsf/gsf.h>
#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <random>

namespace fs = std::filesystem;
using namespace fq;
using Bytes = std::vector<std::uint8_t>;

namespace {

class DocErrors : public ::testing::Test {
protected:
    void SetUp() override {
        std::mt19937_64 rng(std::chrono::steady_clock::now().time_since_epoch().count());
        dir_ = fs::temp_directory_path() / ("fq-doc-errors-" + std::to_string(rng()));
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    fs::path writeRaw(const std::string& name, const Bytes& bytes) {
        const fs::path p = dir_ / name;
        std::ofstream(p, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        return p;
    }
    // A compound file holding the given streams.
    fs::path writeCompound(const std::string& name, const std::vector<std::pair<std::string, Bytes>>& streams) {
        const fs::path p = dir_ / name;
        GError* err = nullptr;
        GsfOutput* out = gsf_output_stdio_new(p.string().c_str(), &err);
        if (err) g_error_free(err);
        EXPECT_NE(out, nullptr);
        if (!out) return p;
        GsfOutfile* ole = gsf_outfile_msole_new(out);
        for (const auto& [n, b] : streams) {
            GsfOutput* s = gsf_outfile_new_child(ole, n.c_str(), FALSE);
            gsf_output_write(s, b.size(), b.data());
            gsf_output_close(s);
            g_object_unref(s);
        }
        gsf_output_close(GSF_OUTPUT(ole));
        g_object_unref(ole);
        gsf_output_close(out);
        g_object_unref(out);
        return p;
    }
    static Bytes fib(std::uint16_t ident, std::uint16_t nFib, std::uint16_t flags, std::size_t size) {
        Bytes b(size, 0);
        b[0] = ident & 0xFF; b[1] = ident >> 8;
        b[2] = nFib & 0xFF; b[3] = nFib >> 8;
        b[10] = flags & 0xFF; b[11] = flags >> 8;
        return b;
    }
    static std::string messageOf(const fs::path& p) {
        try {
            doc::readDoc(p);
        } catch (const model::ConversionError& e) {
            return e.what();
        }
        return "(read)";
    }
    fs::path dir_;
};

bool isUserMessage(const std::string& m) {
    namespace msg = model::messages;
    return m == msg::notAWordDocument || m == msg::passwordProtected || m == msg::versionNotSupported ||
           (m.rfind(msg::damagedPrefix, 0) == 0 && m.size() > std::string(msg::damagedPrefix).size());
}

TEST_F(DocErrors, NotACompoundFile) {
    EXPECT_EQ(messageOf(writeRaw("text.doc", Bytes{'h', 'e', 'l', 'l', 'o'})), model::messages::notAWordDocument);
    EXPECT_EQ(messageOf(writeRaw("empty.doc", {})), model::messages::notAWordDocument);
    EXPECT_EQ(messageOf(dir_ / "missing.doc"), model::messages::notAWordDocument);
}

TEST_F(DocErrors, OldWordVersions) {
    EXPECT_EQ(messageOf(writeRaw("word2.doc", fib(0xA5DB, 45, 0, 512))), model::messages::versionNotSupported);
    EXPECT_EQ(messageOf(writeCompound("old.doc", {{"WordDocument", fib(0xA5EC, 53, 0, 1024)}})),
              model::messages::versionNotSupported);
}

TEST_F(DocErrors, CompoundFilesThatAreNoWordDocument) {
    EXPECT_EQ(messageOf(writeCompound("xls.doc", {{"Workbook", Bytes(600, 1)}})), model::messages::notAWordDocument);
    EXPECT_EQ(messageOf(writeCompound("ident.doc", {{"WordDocument", fib(0x1234, 193, 0, 1024)}})),
              model::messages::notAWordDocument);
}

// The Far East and Macintosh editions of Word 6.0/95 signed their files
// 0xA697 and 0xA699: they are Word documents of that version.
TEST_F(DocErrors, Word6EditionSignaturesAreWordDocuments) {
    for (std::uint16_t ident : {0xA5DC, 0xA697, 0xA699}) {
        const std::string m = messageOf(writeCompound("w6.doc", {{"WordDocument", fib(ident, 104, 0, 1024)}}));
        EXPECT_NE(m, model::messages::notAWordDocument) << std::hex << ident;
        EXPECT_NE(m, model::messages::versionNotSupported) << std::hex << ident;
    }
}

TEST_F(DocErrors, EncryptedAndObfuscated) {
    EXPECT_EQ(messageOf(writeCompound("enc.doc", {{"WordDocument", fib(0xA5EC, 193, 0x0100, 1024)}})),
              model::messages::passwordProtected);
    EXPECT_EQ(messageOf(writeCompound("obf.doc", {{"WordDocument", fib(0xA5EC, 193, 0x8100, 1024)}})),
              model::messages::passwordProtected);
}

TEST_F(DocErrors, DamagedStructures) {
    // A Word 97 FIB cut off after its first part.
    const std::string cut = messageOf(writeCompound("cut.doc", {{"WordDocument", fib(0xA5EC, 193, 0, 40)}}));
    EXPECT_EQ(cut.rfind(model::messages::damagedPrefix, 0), 0u) << cut;
    // A complete-looking FIB whose table stream is missing.
    Bytes w = fib(0xA5EC, 193, 0x0200, 2048);
    w[32] = 14;                                   // csw
    w[62] = 22;                                   // cslw
    w[152] = 0x5D;                                // cbRgFcLcb 93
    const std::string noTable = messageOf(writeCompound("notable.doc", {{"WordDocument", w}}));
    EXPECT_EQ(noTable.rfind(model::messages::damagedPrefix, 0), 0u) << noTable;
    // With a table stream but no piece table.
    const std::string noClx = messageOf(writeCompound("noclx.doc", {{"WordDocument", w}, {"1Table", Bytes(512, 0)}}));
    EXPECT_EQ(noClx.rfind(model::messages::damagedPrefix, 0), 0u) << noClx;
}

// Truncations and byte changes of real documents: each read ends in a
// document or a user message, never in a crash or another exception.
TEST_F(DocErrors, MutatedCorpusDocumentsEndCleanly) {
    const fs::path corpus = fs::path(FQ_SHARED_DIR) / "corpus" / "doc";
    const std::vector<std::string> names{"poi-simple-list.doc", "poi-PngPicture.doc", "poi-Bug33519.doc",
                                         "poi-FancyFoot.doc", "poi-Word6_sections.doc"};
    std::mt19937 rng(12345);
    int variants = 0, read = 0;
    for (const auto& n : names) {
        if (!fs::exists(corpus / n)) continue;
        const std::string original = doc::test::readFile(corpus / n);
        const Bytes bytes(original.begin(), original.end());
        for (int v = 0; v < 24; ++v) {
            Bytes m = bytes;
            if (v < 6) {
                m.resize(m.size() * (v + 1) / 8);
            } else {
                const int changes = 1 + v % 8;
                for (int k = 0; k < changes; ++k) {
                    // Mostly inside the streams after the compound-file header.
                    const std::size_t at = 512 + rng() % (m.size() - 512);
                    m[at] = static_cast<std::uint8_t>(rng());
                }
            }
            const fs::path p = writeRaw("m" + std::to_string(variants++) + ".doc", m);
            try {
                const auto d = doc::readDoc(p);
                EXPECT_FALSE(d.sections.empty());
                ++read;
            } catch (const model::ConversionError& e) {
                EXPECT_TRUE(isUserMessage(e.what())) << n << " variant " << v << ": " << e.what();
            }
        }
    }
    EXPECT_GT(variants, 0);
    EXPECT_GT(read, 0);
}

} // namespace
