// Text content from .doc fixtures: Word's special characters, a field's
// result, page breaks, a table, footnotes, headers and
// footers, sections and inline pictures.
#include "DocFixtureSet.h"

#include <gtest/gtest.h>

using namespace fq;
using namespace fq::doc::test;

namespace {

class DocContent : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        props_ = new model::Document(readFixture("props"));
        notes_ = new model::Document(readFixture("notes"));
        pictures_ = new model::Document(readFixture("pictures"));
    }
    static void TearDownTestSuite() {
        delete props_;
        delete notes_;
        delete pictures_;
    }
    static std::string text(const model::Document& d, const std::string& needle) {
        const auto* p = findParagraph(d, needle);
        EXPECT_NE(p, nullptr) << needle;
        return p ? p->plainText() : std::string();
    }
    static std::vector<const model::Picture*> pictures(const model::Document& d) {
        std::vector<const model::Picture*> out;
        for (const auto& s : d.sections)
            for (const auto& b : s.blocks)
                if (const auto* p = std::get_if<model::Picture>(&b)) out.push_back(p);
        return out;
    }
    static inline model::Document* props_ = nullptr;
    static inline model::Document* notes_ = nullptr;
    static inline model::Document* pictures_ = nullptr;
};

TEST_F(DocContent, TabLineBreakAndHyphens) {
    const std::string t = text(*props_, "Before tab");
    EXPECT_NE(t.find("Before tab\tafter tab\nnext line"), std::string::npos) << t;
    EXPECT_NE(t.find("non\xC2\xA0" "breaking space"), std::string::npos) << t;   // nbsp kept
    EXPECT_NE(t.find("optional"), std::string::npos) << t;                      // optional hyphen dropped
    EXPECT_NE(t.find("non\xE2\x80\x91" "breaking"), std::string::npos) << t;     // U+2011
}

TEST_F(DocContent, FieldShowsItsResultNotItsCode) {
    const std::string t = text(*props_, "end of field line");
    EXPECT_EQ(t.find("PAGE"), std::string::npos) << t;
    EXPECT_NE(t.find("Page 1 end of field line"), std::string::npos) << t;
}

TEST_F(DocContent, PageBreakBecomesABlock) {
    // The break comes as a block, or as the next paragraph's page break
    // before (the way the fixture's writer saves it).
    ASSERT_FALSE(props_->sections.empty());
    const auto& blocks = props_->sections.front().blocks;
    int before = -1, brk = -1, after = -1;
    for (std::size_t i = 0; i < blocks.size(); ++i) {
        if (const auto* p = std::get_if<model::Paragraph>(&blocks[i])) {
            if (p->plainText().find("Before the break") != std::string::npos) before = int(i);
            if (p->plainText().find("After the break") != std::string::npos) {
                after = int(i);
                if (p->props.pageBreakBefore && brk < 0) brk = int(i);
            }
        } else if (std::holds_alternative<model::PageBreak>(blocks[i]) && before >= 0 && brk < 0) {
            brk = int(i);
        }
    }
    ASSERT_GE(before, 0);
    ASSERT_GE(after, 0);
    EXPECT_LT(before, brk);
    EXPECT_LE(brk, after);
    EXPECT_EQ(text(*props_, "Before the break"), "Before the break");
}

TEST_F(DocContent, TableIsATableBlockBeforeTheNextParagraph) {
    const auto& blocks = props_->sections.at(0).blocks;
    std::size_t at = 0;
    while (at < blocks.size() && !std::holds_alternative<model::Table>(blocks[at])) ++at;
    ASSERT_LT(at + 1, blocks.size());
    const auto& t = std::get<model::Table>(blocks[at]);
    ASSERT_EQ(t.rows.size(), 2u);
    ASSERT_EQ(t.rows[1].cells.size(), 2u);
    const auto& last = t.rows[1].cells[1].blocks;
    ASSERT_FALSE(last.empty());
    EXPECT_EQ(std::get<model::Paragraph>(last.front()).plainText(), "B2");
    EXPECT_EQ(std::get<model::Paragraph>(blocks[at + 1]).plainText(), "After the table");
}

TEST_F(DocContent, FootnoteIsANoteOfTheDocumentWithItsReference) {
    const std::string body = text(*notes_, "Body with a note");
    EXPECT_NE(body.find("Body with a note1 and more"), std::string::npos) << body;
    ASSERT_EQ(notes_->notes.size(), 1u);
    const model::Note& n = notes_->notes[0];
    EXPECT_EQ(n.kind, model::Note::Kind::Footnote);
    ASSERT_FALSE(n.blocks.empty());
    const auto* note = std::get_if<model::Paragraph>(&n.blocks.front());
    ASSERT_NE(note, nullptr);
    EXPECT_NE(note->plainText().find("The footnote text"), std::string::npos) << note->plainText();
    ASSERT_FALSE(note->runs.empty());
    EXPECT_EQ(note->runs[0].field, model::FieldKind::NoteReference);
    EXPECT_EQ(note->runs[0].note, 0);
    // The reference in the body points at the note too.
    bool referenced = false;
    for (const auto& s : notes_->sections)
        for (const auto& b : s.blocks)
            if (const auto* p = std::get_if<model::Paragraph>(&b))
                for (const auto& r : p->runs) referenced |= r.field == model::FieldKind::NoteReference && r.note == 0;
    EXPECT_TRUE(referenced);
}

TEST_F(DocContent, HeadersFootersAndSections) {
    ASSERT_EQ(notes_->sections.size(), 2u);
    for (const auto& s : notes_->sections) {
        ASSERT_FALSE(s.header.empty());
        EXPECT_EQ(std::get<model::Paragraph>(s.header.front()).plainText(), "Header words");
        ASSERT_FALSE(s.footer.empty());
        EXPECT_EQ(std::get<model::Paragraph>(s.footer.front()).plainText(), "Footer words");
    }
    const auto& first = notes_->sections[0].page;
    const auto& second = notes_->sections[1].page;
    EXPECT_DOUBLE_EQ(first.widthPt, 612.0);
    EXPECT_DOUBLE_EQ(first.heightPt, 792.0);
    EXPECT_DOUBLE_EQ(second.widthPt, 792.0);
    EXPECT_DOUBLE_EQ(second.heightPt, 612.0);
    EXPECT_DOUBLE_EQ(second.marginLeftPt, 50.0);
    EXPECT_DOUBLE_EQ(first.headerDistancePt, 36.0);
    EXPECT_DOUBLE_EQ(second.headerDistancePt, 25.0);
    EXPECT_DOUBLE_EQ(second.footerDistancePt, 25.0);
    // Header and footer text do not leak into the body.
    EXPECT_EQ(findParagraph(*notes_, "Header words"), nullptr);
    EXPECT_NE(findParagraph(*notes_, "Second section text"), nullptr);
}

TEST_F(DocContent, InlinePngAndJpegInOrder) {
    const auto pics = pictures(*pictures_);
    ASSERT_EQ(pics.size(), 4u);
    EXPECT_EQ(pics[0]->format, model::ImageFormat::Png);
    EXPECT_EQ(pics[0]->data, fixtures().png);
    EXPECT_NEAR(pics[0]->widthPt, 72.0, 0.5);
    EXPECT_NEAR(pics[0]->heightPt, 36.0, 0.5);
    EXPECT_FALSE(pics[0]->anchor.has_value());
    EXPECT_EQ(pics[1]->format, model::ImageFormat::Jpeg);
    ASSERT_GE(pics[1]->data.size(), 3u);
    EXPECT_EQ(pics[1]->data[0], 0xFF);
    EXPECT_EQ(pics[1]->data[1], 0xD8);
    EXPECT_NEAR(pics[1]->widthPt, 144.0, 0.5);
    EXPECT_NEAR(pics[1]->heightPt, 72.0, 0.5);
    // Order in the flow: text, PNG, text, JPEG, text.
    const auto& blocks = pictures_->sections.front().blocks;
    std::string order;
    for (const auto& b : blocks) {
        if (const auto* p = std::get_if<model::Paragraph>(&b)) {
            if (!p->plainText().empty()) order += "T";
        } else if (const auto* pic = std::get_if<model::Picture>(&b)) {
            order += pic->format == model::ImageFormat::Png ? "P" : "J";
        }
    }
    EXPECT_EQ(order, "TPTJTPJT");
}

TEST_F(DocContent, PicturesOfOneParagraphStandSideBySide) {
    const auto pics = pictures(*pictures_);
    ASSERT_EQ(pics.size(), 4u);
    EXPECT_FALSE(pics[0]->sameParagraphAsPrevious);
    EXPECT_FALSE(pics[1]->sameParagraphAsPrevious);
    EXPECT_EQ(pics[1]->alignment, model::Alignment::Left);
    EXPECT_FALSE(pics[2]->sameParagraphAsPrevious);
    EXPECT_EQ(pics[2]->alignment, model::Alignment::Center);
    EXPECT_TRUE(pics[3]->sameParagraphAsPrevious);
    EXPECT_EQ(pics[3]->alignment, model::Alignment::Center);
}

TEST_F(DocContent, PageFieldResultIsMarked) {
    const auto* p = findParagraph(*props_, "end of field line");
    ASSERT_NE(p, nullptr);
    const auto it = std::find_if(p->runs.begin(), p->runs.end(),
                                 [](const model::Run& r) { return r.field == model::FieldKind::PageNumber; });
    ASSERT_NE(it, p->runs.end());
    EXPECT_EQ(it->text, "1");
    for (const auto& r : p->runs)
        if (&r != &*it) EXPECT_EQ(r.field, model::FieldKind::None) << r.text;
}

} // namespace
