// The reader over the shared corpus: every .doc reads or fails with one of
// the user messages, and the text arrives (checked against LibreOffice's
// plain-text extraction). Robustness inputs of corpus/bad end cleanly.
#include "DocTestSupport.h"
#include "tests/support/ReferenceText.h"
#include "publishing/doc/DocReader.h"
#include "publishing/model/ConversionError.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>

namespace fs = std::filesystem;
using namespace fq;

namespace {

const fs::path kCorpus = fs::path(FQ_SHARED_DIR) / "corpus";

bool isUserMessage(const std::string& m) {
    namespace msg = model::messages;
    return m == msg::notAWordDocument || m == msg::passwordProtected || m == msg::versionNotSupported ||
           (m.rfind(msg::damagedPrefix, 0) == 0 && m.size() > std::string(msg::damagedPrefix).size());
}

std::vector<fs::path> docsIn(const fs::path& dir) {
    std::vector<fs::path> out;
    if (!fs::exists(dir)) return out;
    for (const auto& e : fs::directory_iterator(dir)) {
        std::string ext = e.path().extension().string();
        std::transform(ext.begin(), ext.end(), ext.begin(), ::tolower);
        if (ext == ".doc") out.push_back(e.path());
    }
    std::sort(out.begin(), out.end());
    return out;
}

// Manifest notes by file name.
std::map<std::string, std::string> manifestNotes() {
    std::map<std::string, std::string> notes;
    std::string text = doc::test::readFile(kCorpus / "MANIFEST.tsv");
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find('\n', pos);
        if (end == std::string::npos) end = text.size();
        const std::string line = text.substr(pos, end - pos);
        pos = end + 1;
        std::vector<std::string> cols;
        std::size_t a = 0;
        while (true) {
            const std::size_t t = line.find('\t', a);
            cols.push_back(line.substr(a, t == std::string::npos ? std::string::npos : t - a));
            if (t == std::string::npos) break;
            a = t + 1;
        }
        if (cols.size() >= 8) notes[cols[0]] = cols[7];
    }
    return notes;
}

} // namespace

TEST(DocCorpus, EveryFileReadsOrFailsClearlyAndTheTextArrives) {
    const auto files = docsIn(kCorpus / "doc");
    ASSERT_FALSE(files.empty()) << "no corpus at " << kCorpus;
    const auto notes = manifestNotes();
    std::size_t modern = 0, modernGood = 0, old = 0;
    std::size_t refTotal = 0, foundTotal = 0, oldRef = 0, oldFound = 0, oldGood = 0;
    std::printf("%-60s %8s %8s %7s  %s\n", "file", "ref", "found", "ratio", "result");
    for (const auto& f : files) {
        const std::string name = f.filename().string();
        const std::string note = notes.count(name) ? notes.at(name) : "";
        const bool word6 = note.find("Word 6") != std::string::npos || note.find("Word 95") != std::string::npos;
        const bool tooOld = note.find("Word 2.x") != std::string::npos;
        std::string result;
        doc::test::Fidelity fid;
        bool read = false;
        try {
            const model::Document d = doc::readDoc(f);
            read = true;
            const std::string ref =
                fq::test::withoutExportedBullets(doc::test::readFile(kCorpus / "reference-text" / (name + ".txt")));
            fid = doc::test::inOrderMatch(doc::test::toUtf32(ref), doc::test::toUtf32(doc::test::allText(d)));
            result = "read";
        } catch (const model::ConversionError& e) {
            result = e.what();
            EXPECT_TRUE(isUserMessage(e.what())) << name << ": " << e.what();
        }
        std::printf("%-60.60s %8zu %8zu %6.1f%%  %s%s\n", name.c_str(), fid.referenceChars, fid.found,
                    100.0 * fid.ratio(), word6 ? "[Word 6/95] " : "", result.c_str());
        if (tooOld) {
            EXPECT_EQ(result, model::messages::versionNotSupported) << name;
            continue;
        }
        if (word6) {
            ++old;
            oldRef += fid.referenceChars;
            oldFound += fid.found;
            if (read && fid.ratio() >= 0.99) ++oldGood;
            EXPECT_TRUE(read) << name << ": " << result;
            continue;
        }
        ++modern;
        refTotal += fid.referenceChars;
        foundTotal += fid.found;
        if (read && fid.ratio() >= 0.99) ++modernGood;
    }
    std::printf("Word 97-2003: %zu of %zu files at >= 99%% (%.1f%%), characters %zu of %zu (%.2f%%)\n", modernGood,
                modern, 100.0 * modernGood / std::max<std::size_t>(modern, 1), foundTotal, refTotal,
                100.0 * foundTotal / std::max<std::size_t>(refTotal, 1));
    std::printf("Word 6.0/95: %zu of %zu files at >= 99%%, characters %zu of %zu (%.2f%%)\n", oldGood, old, oldFound,
                oldRef, 100.0 * oldFound / std::max<std::size_t>(oldRef, 1));
    EXPECT_GE(double(modernGood), 0.95 * double(modern));
}

TEST(DocCorpus, BadFilesEndInAClearErrorOrAUsableDocument) {
    const auto files = docsIn(kCorpus / "bad");
    ASSERT_FALSE(files.empty());
    for (const auto& f : files) {
        try {
            const model::Document d = doc::readDoc(f);
            EXPECT_FALSE(d.sections.empty()) << f.filename();
        } catch (const model::ConversionError& e) {
            EXPECT_TRUE(isUserMessage(e.what())) << f.filename() << ": " << e.what();
        }
    }
}

TEST(DocCorpus, PasswordProtectedFilesSaySo) {
    for (const char* name : {"poi-PasswordProtected.doc", "poi-password_password_cryptoapi.doc"}) {
        const fs::path f = kCorpus / "bad" / name;
        if (!fs::exists(f)) continue;
        try {
            doc::readDoc(f);
            ADD_FAILURE() << name << " was read";
        } catch (const model::ConversionError& e) {
            EXPECT_STREQ(e.what(), model::messages::passwordProtected) << name;
        }
    }
}
