// Removing and clearing queue items: the guards (hourglass, empty list, no
// selection), the Delete key with and without modifiers, renumbering, and
// "Clear List".
#include "tests/support/FormFixture.h"

#include <QPushButton>
#include <QRadioButton>

#include <gtest/gtest.h>

using namespace fq;
using fq::test::FormFixture;

namespace {

class FileListRemoval : public ::testing::Test {
protected:
    void SetUp() override
    {
        f.load();
        f.show();
    }
    void fill(std::initializer_list<const char*> texts)
    {
        for (const char* t : texts) f.form->ListView1->Add(QString::fromLatin1(t));
    }
    void pressDelete(Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(f.form->ListView1, Qt::Key_Delete, modifiers);
    }
    QStringList texts() const { return f.listTexts(); }
    FormFixture f;
};

} // namespace

TEST_F(FileListRemoval, EmptyListIgnoresDeleteDoubleClickAndClear)
{
    pressDelete();
    f.form->ListView1_DblClick();
    f.form->ListView1_KeyDown(46, 0);
    QTest::mouseClick(f.form->PushButton5, Qt::LeftButton);
    EXPECT_EQ(f.form->ListView1->Count(), 0);
    EXPECT_TRUE(f.windows().messages.empty());
}

TEST_F(FileListRemoval, NoSelectionMeansNothingIsRemoved)
{
    fill({"A", "B", "C"});
    ASSERT_EQ(f.form->ListView1->SelectedItem(), filelist::ListView::noItem);
    pressDelete();
    f.form->ListView1_DblClick();
    EXPECT_EQ(texts(), (QStringList{"A", "B", "C"}));
}

TEST_F(FileListRemoval, DeleteRemovesTheSelectedItemAndRenumbers)
{
    fill({"A", "B", "C"});
    f.form->ListView1->Select(2);
    pressDelete();
    EXPECT_EQ(texts(), (QStringList{"A", "C"}));
    EXPECT_EQ(f.form->ListView1->Text(2), QStringLiteral("C"));
    EXPECT_EQ(f.form->ListView1->Count(), 2);
    EXPECT_TRUE(f.windows().messages.empty());
}

TEST_F(FileListRemoval, ModifiersAreNotExamined)
{
    fill({"A", "B", "C", "D"});
    f.form->ListView1->Select(1);
    pressDelete(Qt::ShiftModifier);
    EXPECT_EQ(texts(), (QStringList{"B", "C", "D"}));
    f.form->ListView1->Select(3);
    pressDelete(Qt::ControlModifier);
    EXPECT_EQ(texts(), (QStringList{"B", "C"}));
    f.form->ListView1->Select(1);
    pressDelete(Qt::AltModifier | Qt::ShiftModifier);
    EXPECT_EQ(texts(), QStringList{"C"});
}

TEST_F(FileListRemoval, OtherKeysRemoveNothing)
{
    fill({"A", "B"});
    f.form->ListView1->Select(1);
    // Qt's own code of "." is 46 as well: only the Delete key counts.
    for (Qt::Key key : {Qt::Key_Period, Qt::Key_Backspace, Qt::Key_Insert, Qt::Key_D, Qt::Key_Space})
        QTest::keyClick(f.form->ListView1, key);
    f.form->ListView1_KeyDown(8, 0);
    f.form->ListView1_KeyDown(45, 0);
    EXPECT_EQ(texts(), (QStringList{"A", "B"}));
}

TEST_F(FileListRemoval, DoubleClickOnAnItemRemovesThatItemOnly)
{
    fill({"A", "B", "C"});
    QTest::mouseDClick(f.form->ListView1->viewport(), Qt::LeftButton, {}, f.itemCentre(2));
    EXPECT_EQ(texts(), (QStringList{"A", "C"}));
}

TEST_F(FileListRemoval, DoubleClickBelowTheItemsRemovesTheSelectedOne)
{
    fill({"A", "B", "C"});
    f.form->ListView1->Select(3);
    f.form->ListView1_DblClick(); // wherever it lands, the selected item goes
    EXPECT_EQ(texts(), (QStringList{"A", "B"}));
}

TEST_F(FileListRemoval, NothingChangesWhileTheHourglassShows)
{
    fill({"A", "B", "C"});
    f.form->ListView1->Select(2);
    f.form->SetMousePointer(app::pointer::hourglass);
    pressDelete();
    f.form->ListView1_DblClick();
    QTest::mouseClick(f.form->PushButton5, Qt::LeftButton);
    EXPECT_EQ(texts(), (QStringList{"A", "B", "C"}));
    f.form->SetMousePointer(app::pointer::defaultPointer);
    pressDelete();
    EXPECT_EQ(texts(), (QStringList{"A", "C"}));
}

TEST_F(FileListRemoval, ClearListEmptiesTheList)
{
    fill({"A", "B", "A"});
    f.form->ListView1->Select(1);
    QTest::mouseClick(f.form->PushButton5, Qt::LeftButton);
    EXPECT_EQ(f.form->ListView1->Count(), 0);
    EXPECT_EQ(f.form->ListView1->SelectedItem(), filelist::ListView::noItem);
    EXPECT_TRUE(f.windows().messages.empty());
}

TEST_F(FileListRemoval, DuplicatesStandTwice)
{
    fill({"/docs/a.doc", "/docs/a.doc"});
    EXPECT_EQ(texts(), (QStringList{"/docs/a.doc", "/docs/a.doc"}));
    f.form->ListView1->Select(2);
    pressDelete();
    EXPECT_EQ(texts(), QStringList{"/docs/a.doc"});
}

TEST_F(FileListRemoval, RemovalIsGuardedWhenTheDraggedItemIsGone)
{
    fill({"A", "B", "C"});
    f.press(f.itemCentre(2));
    f.release(f.itemCentre(2));
    pressDelete(); // B goes; it was the dragged item
    EXPECT_EQ(texts(), (QStringList{"A", "C"}));
    f.press(QPoint(5, f.itemCentre(2).y() + 200)); // below the items
    f.moveTo(f.itemCentre(1));
    f.moveTo(f.itemCentre(2));
    f.release(f.itemCentre(2));
    EXPECT_EQ(texts(), (QStringList{"A", "C"})); // no swap with a removed item
}

TEST_F(FileListRemoval, AfterClearListTheRunAnswersNoFilesAdded)
{
    fill({"/docs/a.doc", "/docs/b.doc"});
    QTest::mouseClick(f.form->PushButton5, Qt::LeftButton);
    f.form->PushButton2_Click();
    ASSERT_EQ(f.windows().messages.size(), 1u);
    EXPECT_EQ(f.windows().messages[0].text, QStringLiteral("No files added."));
}

TEST_F(FileListRemoval, DuringARunWithTheHourglassTheQueueKeepsItsItems)
{
    fill({"/docs/a.doc", "/docs/b.doc", "/docs/c.doc"});
    f.form->Option2->click(); // results beside the sources: no output folder needed
    int countWhileBusy = -1;
    int pointerWhileBusy = -1;
    // The run lets events through once per document; from the second
    // document on, it shows the hourglass while doing so.
    f.windows().pendingEvents = {[] {}, [&] {
        pointerWhileBusy = f.form->MousePointer();
        f.form->ListView1->Select(1);
        pressDelete();
        f.form->ListView1_DblClick();
        QTest::mouseClick(f.form->PushButton5, Qt::LeftButton);
        countWhileBusy = f.form->ListView1->Count();
    }};
    f.form->PushButton2_Click();
    EXPECT_EQ(pointerWhileBusy, app::pointer::hourglass);
    EXPECT_EQ(countWhileBusy, 3);
    EXPECT_EQ(f.form->ListView1->Count(), 3);
}
