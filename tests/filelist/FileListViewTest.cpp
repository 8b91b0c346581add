// The list control itself: the item collection (1-based, appending,
// renumbering), item identities that survive swaps, the column, and the
// key codes it hands to the handlers.
#include "filelist/ListView.h"
#include "platform/PlatformError.h"
#include "tests/support/FormFixture.h"

#include <QHeaderView>
#include <QSignalSpy>

#include <gtest/gtest.h>

using namespace fq;
using filelist::ListView;

TEST(FileListView, ItemsAreNumberedFromOneAndRenumberedOnRemoval)
{
    ListView list;
    EXPECT_EQ(list.Add(QStringLiteral("A")), 1);
    EXPECT_EQ(list.Add(QStringLiteral("B")), 2);
    EXPECT_EQ(list.Add(QStringLiteral("C")), 3);
    const ListView::ItemId c = list.Item(3);
    list.Remove(2);
    EXPECT_EQ(list.Count(), 2);
    EXPECT_EQ(list.Text(2), QStringLiteral("C"));
    EXPECT_EQ(list.IndexOf(c), 2);
    EXPECT_THROW(list.Text(3), platform::PlatformError);
    EXPECT_THROW(list.Remove(0), platform::PlatformError);
    EXPECT_EQ(list.Item(3), ListView::noItem);
}

TEST(FileListView, IdentitiesStayWithTheirPlacesWhileTextsMove)
{
    ListView list;
    for (const char* t : {"A", "B", "C", "D", "E"}) list.Add(QString::fromLatin1(t));
    const ListView::ItemId second = list.Item(2);
    const QString moving = list.Text(2);
    list.SetText(2, list.Text(4));
    list.SetText(4, moving);
    EXPECT_EQ(list.IndexOf(second), 2);
    EXPECT_EQ(list.Text(4), QStringLiteral("B"));
    const ListView::ItemId fourth = list.Item(4);
    list.Remove(1);
    list.Remove(2);
    EXPECT_EQ(list.IndexOf(second), 1);
    EXPECT_EQ(list.IndexOf(fourth), 2);
    list.Remove(1);
    EXPECT_EQ(list.IndexOf(second), 0); // gone
    EXPECT_EQ(list.IndexOf(ListView::noItem), 0);
    list.Clear();
    EXPECT_EQ(list.IndexOf(fourth), 0);
    // Items added after a clear get fresh identities.
    list.Add(QStringLiteral("F"));
    EXPECT_NE(list.Item(1), fourth);
    EXPECT_EQ(list.IndexOf(list.Item(1)), 1);
}

TEST(FileListView, ColumnHeaderAndWidthInTwips)
{
    ListView list;
    list.AddColumn(QStringLiteral(" Word File(s)"));
    list.SetColumnWidth(1, 7000);
    EXPECT_EQ(list.ColumnHeader(), QStringLiteral(" Word File(s)"));
    EXPECT_EQ(list.ColumnWidthTwips(), 7000);
    EXPECT_EQ(list.model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral(" Word File(s)"));
    // A user's drag of the divider is the control's own business.
    list.horizontalHeader()->resizeSection(0, 900);
    EXPECT_GT(list.ColumnWidthTwips(), 7000);
}

TEST(FileListView, ColumnIsSetAgainAtEveryStart)
{
    fq::test::FormFixture first;
    first.load().ListView1->horizontalHeader()->resizeSection(0, 900);
    fq::test::FormFixture second;
    EXPECT_EQ(second.load().ListView1->ColumnWidthTwips(), 7000);
    EXPECT_EQ(second.form->ListView1->ColumnHeader(), QStringLiteral(" Word File(s)"));
}

TEST(FileListView, SingleSelectionInReportView)
{
    ListView list;
    EXPECT_EQ(list.selectionMode(), QAbstractItemView::SingleSelection);
    list.Add(QStringLiteral("A"));
    list.Add(QStringLiteral("B"));
    EXPECT_EQ(list.SelectedItem(), ListView::noItem);
    list.Select(2);
    EXPECT_EQ(list.IndexOf(list.SelectedItem()), 2);
    list.Select(1);
    EXPECT_EQ(list.IndexOf(list.SelectedItem()), 1);
    EXPECT_EQ(list.selectionModel()->selectedRows().size(), 1);
}

TEST(FileListView, KeyCodesAreVirtualKeyCodes)
{
    ListView list;
    list.show();
    QSignalSpy spy(&list, &ListView::KeyDown);
    QTest::keyClick(&list, Qt::Key_Delete, Qt::ShiftModifier | Qt::ControlModifier);
    QTest::keyClick(&list, Qt::Key_Period);
    QTest::keyClick(&list, Qt::Key_A);
    QTest::keyClick(&list, Qt::Key_Down);
    // The modifier keys arrive as key presses of their own (16 Shift, 17 Ctrl).
    QList<int> codes;
    int deleteShift = -1;
    for (const auto& call : spy) {
        const int code = call[0].toInt();
        if (code == 16 || code == 17) continue;
        if (code == 46) deleteShift = call[1].toInt();
        codes << code;
    }
    EXPECT_EQ(codes, (QList<int>{46, 190, 65, 40}));
    EXPECT_EQ(deleteShift, 3); // Shift + Ctrl
}
