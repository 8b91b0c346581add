// Drag reordering on real widget events: presses, moves and releases on the
// list's viewport, with the cursor's screen position taken from the fake
// window system.
#include "tests/support/FormFixture.h"

#include <QScrollBar>

#include <gtest/gtest.h>

using namespace fq;
using fq::test::FormFixture;

namespace {

class FileListDrag : public ::testing::Test {
protected:
    void SetUp() override
    {
        f.shipDataFile(QStringLiteral("drag.ico"));
        f.load();
        f.show();
        f.windows().cursor = QPoint(400, 330); // inside the band that never scrolls
    }
    void fill(const QStringList& texts)
    {
        for (const QString& t : texts) f.form->ListView1->Add(t);
    }
    void fillNumbered(int count)
    {
        for (int i = 1; i <= count; ++i) f.form->ListView1->Add(QStringLiteral("/docs/%1.doc").arg(i, 2, 10, QLatin1Char('0')));
    }
    // Press on one item, move over the others in turn, release on the last.
    void drag(int from, std::initializer_list<int> over)
    {
        f.press(f.itemCentre(from));
        int last = from;
        for (int i : over) {
            f.moveTo(f.itemCentre(i));
            last = i;
        }
        f.release(f.itemCentre(last));
    }
    QStringList texts() const { return f.listTexts(); }
    int firstVisibleRow() const
    {
        int row = f.form->ListView1->rowAt(0) + 1;
        if (!f.itemFullyVisible(row)) ++row;
        return row;
    }
    int lastFullyVisibleRow() const
    {
        int row = firstVisibleRow();
        while (row < f.form->ListView1->Count() && f.itemFullyVisible(row + 1)) ++row;
        return row;
    }
    FormFixture f;
};

} // namespace

TEST_F(FileListDrag, DraggingDownOneItemAtATime)
{
    fill({"A", "B", "C", "D"});
    drag(2, {3, 4});
    EXPECT_EQ(texts(), (QStringList{"A", "C", "D", "B"}));
    EXPECT_EQ(f.selectedIndex(), 4);
    EXPECT_EQ(f.form->ListView1->Text(f.selectedIndex()), QStringLiteral("B"));
}

TEST_F(FileListDrag, JumpingOverItemsSwapsDirectly)
{
    fill({"A", "B", "C", "D"});
    drag(2, {4});
    EXPECT_EQ(texts(), (QStringList{"A", "D", "C", "B"}));
    EXPECT_EQ(f.selectedIndex(), 4);
}

TEST_F(FileListDrag, DraggingUp)
{
    fill({"A", "B", "C"});
    drag(3, {2, 1});
    EXPECT_EQ(texts(), (QStringList{"C", "A", "B"}));
    EXPECT_EQ(f.selectedIndex(), 1);
}

TEST_F(FileListDrag, ItemWithTheSameTextIsPassedOver)
{
    fill({"A", "B", "B", "C"});
    f.press(f.itemCentre(2));
    f.moveTo(f.itemCentre(3));
    EXPECT_EQ(texts(), (QStringList{"A", "B", "B", "C"}));
    EXPECT_EQ(f.selectedIndex(), 2);
    f.moveTo(f.itemCentre(4));
    f.release(f.itemCentre(4));
    EXPECT_EQ(texts(), (QStringList{"A", "C", "B", "B"}));
    EXPECT_EQ(f.selectedIndex(), 4);
}

TEST_F(FileListDrag, NoSwapAfterTheRelease)
{
    fill({"A", "B", "C", "D"});
    drag(1, {2});
    EXPECT_EQ(texts(), (QStringList{"B", "A", "C", "D"}));
    EXPECT_FALSE(f.form->DragActive);
    f.moveTo(f.itemCentre(3), Qt::NoButton);
    f.moveTo(f.itemCentre(4), Qt::NoButton);
    EXPECT_EQ(texts(), (QStringList{"B", "A", "C", "D"}));
}

TEST_F(FileListDrag, PressOnEmptyAreaDragsTheLastClickedDocument)
{
    fill({"A", "B", "C"});
    drag(1, {}); // click on A: A is the dragged document from now on
    f.press(QPoint(5, f.itemCentre(3).y() + 100));
    EXPECT_TRUE(f.form->DragActive);
    f.moveTo(f.itemCentre(3));
    f.release(f.itemCentre(3));
    EXPECT_EQ(texts(), (QStringList{"C", "B", "A"}));
}

TEST_F(FileListDrag, NothingMovesBeforeTheFirstItemClick)
{
    fill({"A", "B", "C"});
    f.press(QPoint(5, f.itemCentre(3).y() + 100));
    f.moveTo(f.itemCentre(1));
    f.moveTo(f.itemCentre(3));
    EXPECT_EQ(texts(), (QStringList{"A", "B", "C"}));
}

TEST_F(FileListDrag, PointersDuringAndAfterTheDrag)
{
    fill({"A", "B"});
    f.press(f.itemCentre(1));
    EXPECT_EQ(f.form->ListView1->MousePointer(), app::pointer::custom);
    EXPECT_EQ(f.form->ListView1->viewport()->cursor().shape(), Qt::BitmapCursor);
    EXPECT_EQ(f.form->ListView1->OLEDragMode, 0);
    f.release(f.itemCentre(1));
    EXPECT_EQ(f.form->ListView1->MousePointer(), app::pointer::arrow);
    EXPECT_EQ(f.form->ListView1->viewport()->cursor().shape(), Qt::ArrowCursor);
}

TEST_F(FileListDrag, MissingDragIconKeepsTheDefaultPointerAndStillDrags)
{
    QFile::remove(f.programDir() + QStringLiteral("/drag.ico"));
    fill({"A", "B", "C"});
    f.press(f.itemCentre(1));
    EXPECT_EQ(f.form->ListView1->MousePointer(), app::pointer::custom);
    EXPECT_NE(f.form->ListView1->viewport()->cursor().shape(), Qt::BitmapCursor);
    f.moveTo(f.itemCentre(2));
    f.release(f.itemCentre(2));
    EXPECT_EQ(texts(), (QStringList{"B", "A", "C"}));
    EXPECT_TRUE(f.windows().messages.empty());
}

TEST_F(FileListDrag, MovingOverTheListResetsTheWindowPointerUnlessBusy)
{
    fill({"A"});
    f.form->SetMousePointer(app::pointer::custom);
    f.moveTo(f.itemCentre(1), Qt::NoButton);
    EXPECT_EQ(f.form->MousePointer(), app::pointer::defaultPointer);
    f.form->SetMousePointer(app::pointer::hourglass);
    f.moveTo(f.itemCentre(1), Qt::NoButton);
    EXPECT_EQ(f.form->MousePointer(), app::pointer::hourglass);
}

TEST_F(FileListDrag, ReorderingWorksWhileTheHourglassShows)
{
    fill({"A", "B"});
    f.form->SetMousePointer(app::pointer::hourglass);
    drag(1, {2});
    EXPECT_EQ(texts(), (QStringList{"B", "A"}));
    EXPECT_EQ(f.form->MousePointer(), app::pointer::hourglass);
}

TEST_F(FileListDrag, BelowTheLowerThresholdTheNextItemComesIntoView)
{
    fillNumbered(20);
    const int last = lastFullyVisibleRow();
    ASSERT_LT(last, 20);
    ASSERT_FALSE(f.itemFullyVisible(last + 1));
    f.windows().cursor = QPoint(400, 364); // on the threshold: no scrolling
    f.press(f.itemCentre(last - 1));
    f.moveTo(f.itemCentre(last));
    EXPECT_FALSE(f.itemFullyVisible(last + 1));
    f.windows().cursor = QPoint(400, 365);
    f.moveTo(f.itemCentre(last - 1));
    f.moveTo(f.itemCentre(last)); // arrives at `last` again, now below the threshold
    f.release(f.itemCentre(last));
    EXPECT_TRUE(f.itemFullyVisible(last + 1));
    EXPECT_EQ(f.form->ListView1->Text(last), QStringLiteral("/docs/%1.doc").arg(last - 1, 2, 10, QLatin1Char('0')));
}

TEST_F(FileListDrag, AboveTheUpperThresholdThePreviousItemComesIntoView)
{
    fillNumbered(20);
    f.form->ListView1->EnsureVisible(20);
    const int first = firstVisibleRow();
    ASSERT_GT(first, 1);
    ASSERT_TRUE(f.itemFullyVisible(first));
    f.windows().cursor = QPoint(400, 305); // on the threshold: no scrolling
    f.press(f.itemCentre(first + 1));
    f.moveTo(f.itemCentre(first));
    EXPECT_FALSE(f.itemFullyVisible(first - 1));
    f.windows().cursor = QPoint(400, 304);
    f.moveTo(f.itemCentre(first + 1));
    // Moving back down swaps again; the pointer is high, so the item before
    // the new position comes into view (it is visible already).
    ASSERT_TRUE(f.itemFullyVisible(first));
    f.moveTo(f.itemCentre(first));
    f.release(f.itemCentre(first));
    EXPECT_TRUE(f.itemFullyVisible(first - 1));
}

TEST_F(FileListDrag, NoScrollingPastEitherEnd)
{
    fill({"A", "B", "C"});
    const int before = f.form->ListView1->verticalScrollBar()->value();
    f.windows().cursor = QPoint(400, 300);
    drag(2, {1}); // arrives at position 1 with the pointer high
    f.windows().cursor = QPoint(400, 370);
    drag(1, {2, 3}); // arrives at the last position with the pointer low
    EXPECT_EQ(f.form->ListView1->verticalScrollBar()->value(), before);
    EXPECT_EQ(texts(), (QStringList{"A", "C", "B"}));
    EXPECT_TRUE(f.windows().messages.empty());
}

TEST_F(FileListDrag, ScrollingHappensOnlyWithASwap)
{
    fillNumbered(20);
    const int last = lastFullyVisibleRow();
    f.windows().cursor = QPoint(400, 500);
    f.press(f.itemCentre(last));
    f.moveTo(f.itemCentre(last)); // resting over the dragged item itself
    f.moveTo(f.itemCentre(last) + QPoint(3, 0));
    EXPECT_FALSE(f.itemFullyVisible(last + 1));
    f.release(f.itemCentre(last));
}
