// Dropping on the list with real drag-and-drop events sent to its viewport:
// refused drags, dropped files, dropped folders and mixtures.
#include "tests/intake/IntakeFixture.h"

#include "filelist/DataObject.h"

#include <QCoreApplication>
#include <QDir>
#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

namespace fq::test {
namespace {

std::unique_ptr<QMimeData> fileDrag(const QStringList& paths)
{
    auto data = std::make_unique<QMimeData>();
    QList<QUrl> urls;
    for (const QString& p : paths) urls << QUrl::fromLocalFile(p);
    data->setUrls(urls);
    return data;
}

class IntakeDrop : public FormFixture {
protected:
    void SetUp() override
    {
        FormFixture::SetUp();
        form->ListView1->resize(400, 200);
    }

    QWidget* target() const { return form->ListView1->viewport(); }

    // Enters and moves over the list; true when the list would take the drop.
    bool dragOver(const QMimeData* data)
    {
        const QPoint at(20, 20);
        QDragEnterEvent enter(at, Qt::CopyAction | Qt::MoveAction, data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(target(), &enter);
        QDragMoveEvent move(at + QPoint(5, 5), Qt::CopyAction | Qt::MoveAction, data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(target(), &move);
        return enter.isAccepted() && move.isAccepted();
    }

    void drop(const QMimeData* data)
    {
        QDropEvent event(QPointF(25, 25), Qt::CopyAction | Qt::MoveAction, data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(target(), &event);
    }

    // A full drag: over, then the drop when the list takes it.
    void dragAndDrop(const QStringList& paths)
    {
        const auto data = fileDrag(paths);
        ASSERT_TRUE(dragOver(data.get()));
        drop(data.get());
    }
};

TEST_F(IntakeDrop, TextIsRefusedAtDragOver)
{
    QMimeData text;
    text.setText(QStringLiteral("/tmp/some.doc"));
    EXPECT_FALSE(dragOver(&text));
    drop(&text);
    EXPECT_EQ(form->ListView1->Count(), 0);
}

TEST_F(IntakeDrop, WebAddressesAreRefused)
{
    QMimeData links;
    links.setUrls({QUrl(QStringLiteral("https://example.org/a.doc"))});
    EXPECT_FALSE(dragOver(&links));
    const auto mixed = fileDrag({tree.file(QStringLiteral("a.doc"))});
    mixed->setUrls(mixed->urls() << QUrl(QStringLiteral("https://example.org/b.doc")));
    EXPECT_FALSE(dragOver(mixed.get()));
}

TEST_F(IntakeDrop, FileIsQueuedAsDeliveredWhateverItsExtension)
{
    const QString txt = tree.file(QStringLiteral("Docs/a.txt"));
    const QString tilde = tree.file(QStringLiteral("Docs/~$lock.docx"));
    dragAndDrop({txt, tilde, txt});
    EXPECT_EQ(items(), (QStringList{txt, tilde, txt}));
    EXPECT_TRUE(tp.windows.messages.empty());
}

TEST_F(IntakeDrop, FolderYieldsOnlyDocumentsInWalkOrder)
{
    for (const char* f : {"Docs/Report.DOCX", "Docs/Notes.doc", "Docs/~$Report.docx", "Docs/Budget.xlsx",
                          "Docs/x.doc.bak", "Docs/my.report.docx", "Docs/a.docm", "Docs/b.dot", "Docs/c.rtf",
                          "Docs/d.txt", "Docs/doc", "Docs/sub/Old.doc", "Docs/sub/deeper/z.docx", "Docs/other/y.doc"})
        tree.file(QString::fromLatin1(f));
    tree.folder(QStringLiteral("Docs/folder.doc"));
    dragAndDrop({tree.path(QStringLiteral("Docs"))});
    EXPECT_EQ(relativeItems(items(), tree.root()),
              (QStringList{"Docs/Notes.doc", "Docs/Report.DOCX", "Docs/doc", "Docs/my.report.docx", "Docs/other/y.doc",
                           "Docs/sub/Old.doc", "Docs/sub/deeper/z.docx"}));
    EXPECT_TRUE(tp.windows.messages.empty());
    EXPECT_EQ(form->MousePointer(), app::pointer::defaultPointer);
}

TEST_F(IntakeDrop, DroppedFolderWalkLetsEventsRun)
{
    tree.file(QStringLiteral("Docs/a.doc"));
    tree.file(QStringLiteral("Docs/sub/b.doc"));
    const QString extra = tree.file(QStringLiteral("extra.doc"));
    // Another drop arriving while the folder is walked lands before the
    // folder's documents, which are appended after the walk.
    tp.windows.pendingEvents.push_back([&] { form->ListView1->Add(extra); });
    dragAndDrop({tree.path(QStringLiteral("Docs"))});
    EXPECT_EQ(relativeItems(items(), tree.root()), (QStringList{"extra.doc", "Docs/a.doc", "Docs/sub/b.doc"}));
    EXPECT_GT(tp.windows.processEventsCalls, 1);
}

TEST_F(IntakeDrop, HiddenArchiveDocumentIsPassedOver)
{
    tree.file(QStringLiteral("Docs/.plainHidden.doc"));
    tree.file(QStringLiteral("Docs/.readOnlyHidden.doc"));
    tree.setReadOnly(QStringLiteral("Docs/.readOnlyHidden.doc"));
    dragAndDrop({tree.path(QStringLiteral("Docs"))});
    EXPECT_EQ(relativeItems(items(), tree.root()), QStringList{"Docs/.readOnlyHidden.doc"});
}

TEST_F(IntakeDrop, TwoFoldersInDragOrder)
{
    tree.file(QStringLiteral("First/1.doc"));
    tree.file(QStringLiteral("First/in/2.doc"));
    tree.file(QStringLiteral("Second/3.docx"));
    dragAndDrop({tree.path(QStringLiteral("Second")), tree.path(QStringLiteral("First"))});
    EXPECT_EQ(relativeItems(items(), tree.root()), (QStringList{"Second/3.docx", "First/1.doc", "First/in/2.doc"}));
}

TEST_F(IntakeDrop, MixtureKeepsTheDragOrder)
{
    const QString single = tree.file(QStringLiteral("single.pdf"));
    tree.file(QStringLiteral("Folder/inside.doc"));
    const QString last = tree.file(QStringLiteral("last.doc"));
    dragAndDrop({last, tree.path(QStringLiteral("Folder")), single});
    EXPECT_EQ(relativeItems(items(), tree.root()), (QStringList{"last.doc", "Folder/inside.doc", "single.pdf"}));
}

TEST_F(IntakeDrop, FileInsideADroppedFolderDroppedAlsoOnItsOwnIsQueuedTwice)
{
    const QString inside = tree.file(QStringLiteral("Folder/inside.doc"));
    dragAndDrop({tree.path(QStringLiteral("Folder")), inside});
    EXPECT_EQ(items(), (QStringList{inside, inside}));
}

TEST_F(IntakeDrop, DroppedFolderLinkLoopIsWalkedOnce)
{
    tree.file(QStringLiteral("Folder/a.doc"));
    tree.file(QStringLiteral("Folder/sub/b.doc"));
    tree.link(tree.path(QStringLiteral("Folder")), QStringLiteral("Folder/sub/back"));
    // A walk that ran away would be ended as if the window had been closed.
    for (int i = 0; i < 20000; ++i) tp.windows.pendingEvents.push_back({});
    tp.windows.pendingEvents.push_back([&] { tp.windows.endProgram(); });
    dragAndDrop({tree.path(QStringLiteral("Folder"))});
    EXPECT_EQ(relativeItems(items(), tree.root()), (QStringList{"Folder/a.doc", "Folder/sub/b.doc"}));
}

TEST_F(IntakeDrop, VanishedPathIsQueuedAsDelivered)
{
    const QString gone = tree.path(QStringLiteral("gone.doc"));
    dragAndDrop({gone});
    EXPECT_EQ(items(), QStringList{gone});
}

TEST_F(IntakeDrop, DropWhileBusyIsTaken)
{
    form->SetMousePointer(app::pointer::hourglass);
    const QString f = tree.file(QStringLiteral("a.doc"));
    dragAndDrop({f});
    EXPECT_EQ(items(), QStringList{f});
}

TEST_F(IntakeDrop, FilesNamedOnTheCommandLineAreQueuedAsADrop)
{
    const QString single = tree.file(QStringLiteral("notes.txt"));
    tree.file(QStringLiteral("Folder/inside.doc"));
    tree.file(QStringLiteral("Folder/skip.txt"));
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(tree.root()));
    form->OpenFiles({QStringLiteral("Folder"), single, QStringLiteral("gone.docx")});
    QDir::setCurrent(previous);
    EXPECT_EQ(relativeItems(items(), tree.root()), (QStringList{"Folder/inside.doc", "notes.txt", "gone.docx"}));
    form->OpenFiles({});
    EXPECT_EQ(items().size(), 3);
    EXPECT_TRUE(tp.windows.messages.empty());
}

TEST(IntakeDataObject, ReadsLocalFiles)
{
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QStringLiteral("/tmp/one.doc")), QUrl::fromLocalFile(QStringLiteral("/tmp/dir/"))});
    const filelist::DataObject object(&data);
    EXPECT_TRUE(object.GetFormat(15));
    EXPECT_FALSE(object.GetFormat(1));
    ASSERT_EQ(object.FilesCount(), 2);
    EXPECT_EQ(object.Files(1), QStringLiteral("/tmp/one.doc"));
    EXPECT_EQ(object.Files(2), QStringLiteral("/tmp/dir"));
    EXPECT_THROW(object.Files(3), platform::PlatformError);
    EXPECT_THROW(object.Files(0), platform::PlatformError);

    const filelist::DataObject none(nullptr);
    EXPECT_FALSE(none.GetFormat(15));
    EXPECT_EQ(none.FilesCount(), 0);
}

} // namespace
} // namespace fq::test
