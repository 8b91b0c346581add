// Footnotes at the foot of the page that refers to them, under a separator
// line, continued on the next page when they do not fit; numbered as their
// section says; endnotes after the text.
#include "publishing/layout/Layout.h"
#include "publishing/layout/ParagraphMeasure.h"

#include "LayoutHelpers.h"

#include <gtest/gtest.h>

namespace fq::layout {
namespace {

using namespace test;

double lineHeight() { return measureParagraph(paragraph("x"), 400.0).lines.at(0).heightPt; }

model::PageGeometry tenLines() {
    model::PageGeometry g;
    g.heightPt = 144.0 + 10.0 * lineHeight() + 0.5;
    return g;
}

model::Run reference(int note) {
    model::Run r{"?", paragraph("x").runs[0].props, model::FieldKind::NoteReference};
    r.props.vertical = model::VerticalPosition::Superscript;
    r.note = note;
    return r;
}

// Note number index of the document, starting with its own mark.
model::Note note(int index, const std::string& text, model::Note::Kind kind = model::Note::Kind::Footnote) {
    model::Note n;
    n.kind = kind;
    auto p = paragraph(text);
    p.runs.insert(p.runs.begin(), reference(index));
    n.blocks.push_back(p);
    return n;
}

// A one-line paragraph with references to the notes at its end.
model::Paragraph referring(const std::string& text, std::vector<int> notes) {
    auto p = paragraph(text);
    for (int n : notes) p.runs.push_back(reference(n));
    return p;
}

std::vector<model::PlacedText> noteFrames(const model::Page& page) {
    std::vector<model::PlacedText> out;
    for (const auto& f : textFramesOf(page))
        if (f.role == model::FrameRole::Notes) out.push_back(f);
    return out;
}

// The text of the page's notes, line breaks left out.
std::string noteText(const model::Page& page) {
    std::string s;
    for (const auto& f : noteFrames(page))
        for (char c : frameText(f))
            if (c != '\n') s += c;
    return s;
}

// The marks of the references in the body of the page.
std::string marks(const model::Page& page) {
    std::string s;
    for (const auto& f : textFramesOf(page))
        if (f.role == model::FrameRole::Body)
            for (const auto& p : f.paragraphs)
                for (const auto& r : p.runs)
                    if (r.field == model::FieldKind::NoteReference) s += r.text + " ";
    return s;
}

TEST(LayoutNotes, FootnoteStandsAtTheFootOfTheReferringPageUnderItsSeparator) {
    auto doc = document({section({paragraph("first"), referring("second", {0}), paragraph("third")})});
    doc.notes.push_back(note(0, "note text"));
    const auto pub = layOut(doc);
    ASSERT_EQ(pub.pages.size(), 1u);
    const auto notes = noteFrames(pub.pages[0]);
    ASSERT_EQ(notes.size(), 1u);
    EXPECT_EQ(noteText(pub.pages[0]), "1note text");
    EXPECT_EQ(marks(pub.pages[0]), "1 ");
    // At the foot of the text area, with the separator line above it.
    EXPECT_NEAR(notes[0].rect.yPt + notes[0].rect.heightPt, 720.0, 0.01);
    const auto lines = drawnLinesOf(pub.pages[0]);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_LT(lines[0].yPt, notes[0].rect.yPt);
    EXPECT_NEAR(lines[0].widthPt, 144.0, 0.01);
    EXPECT_EQ(lines[0].heightPt, 0.0);
}

TEST(LayoutNotes, NoteThatDoesNotFitContinuesOnTheNextPage) {
    // Seven lines, then a line whose note has five: the line, the separator
    // and the note's first line fill the page; four lines go on.
    std::vector<model::Block> blocks;
    for (int i = 0; i < 7; ++i) blocks.push_back(paragraph("text " + std::to_string(i)));
    blocks.push_back(referring("refers", {0}));
    blocks.push_back(paragraph("after"));
    auto doc = document({section(blocks, tenLines())});
    doc.notes.push_back(note(0, "n1\nn2\nn3\nn4\nn5"));
    const auto pub = layOut(doc);
    ASSERT_GE(pub.pages.size(), 2u);
    EXPECT_EQ(marks(pub.pages[0]), "1 ");
    EXPECT_EQ(noteText(pub.pages[0]), "1n1");
    EXPECT_EQ(noteText(pub.pages[1]), "n2n3n4n5");
    EXPECT_NE(flowText(pub).find("after"), std::string::npos);
}

TEST(LayoutNotes, LineMovesToTheNextPageWhenNotEvenItsNotesFirstLineFits) {
    std::vector<model::Block> blocks;
    for (int i = 0; i < 9; ++i) blocks.push_back(paragraph("text " + std::to_string(i)));
    blocks.push_back(referring("refers", {0}));
    auto doc = document({section(blocks, tenLines())});
    doc.notes.push_back(note(0, "only line"));
    const auto pub = layOut(doc);
    ASSERT_EQ(pub.pages.size(), 2u);
    EXPECT_EQ(marks(pub.pages[0]), "");
    EXPECT_EQ(marks(pub.pages[1]), "1 ");
    EXPECT_EQ(noteText(pub.pages[1]), "1only line");
}

TEST(LayoutNotes, NumberingRestartsAndFormatsAsTheSectionSays) {
    struct Case {
        model::NoteNumbering numbering;
        const char* expected;
    };
    using R = model::NoteNumbering::Restart;
    for (const Case& c : {Case{{word::NumberFormat::Decimal, 1, R::Continuous}, "1 2 | 3 "},
                          Case{{word::NumberFormat::Decimal, 1, R::EachPage}, "1 2 | 1 "},
                          Case{{word::NumberFormat::UpperLetter, 3, R::Continuous}, "C D | E "},
                          Case{{word::NumberFormat::LowerRoman, 1, R::EachPage}, "i ii | i "}}) {
        auto s = section({referring("one", {0, 1}), model::PageBreak{}, referring("two", {2})});
        s.footnoteNumbering = c.numbering;
        auto doc = document({s});
        for (int i = 0; i < 3; ++i) doc.notes.push_back(note(i, "note " + std::to_string(i)));
        const auto pub = layOut(doc);
        ASSERT_EQ(pub.pages.size(), 2u);
        EXPECT_EQ(marks(pub.pages[0]) + "| " + marks(pub.pages[1]), c.expected);
    }
}

TEST(LayoutNotes, EndnotesFollowTheTextAndNotesNobodyRefersToAreKept) {
    auto doc = document({section({referring("body", {0})})});
    doc.notes.push_back(note(0, "the endnote", model::Note::Kind::Endnote));
    doc.notes.push_back(note(1, "never referred to"));
    const auto pub = layOut(doc);
    ASSERT_EQ(pub.pages.size(), 1u);
    EXPECT_EQ(marks(pub.pages[0]).substr(0, 2), "i ");
    const std::string text = flowText(pub);
    EXPECT_LT(text.find("body"), text.find("the endnote"));
    EXPECT_NE(text.find("never referred to"), std::string::npos);
    EXPECT_TRUE(noteFrames(pub.pages[0]).empty());
}

} // namespace
} // namespace fq::layout
