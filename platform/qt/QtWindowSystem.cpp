#include "platform/qt/QtWindowSystem.h"

#include "platform/PlatformError.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCursor>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QSpacerItem>
#include <QInputDialog>
#include <QMessageBox>

namespace fq::platform {

Answer QtWindowSystem::messageBox(QWidget* owner, const QString& text, Buttons buttons, Icon icon, const QString& title)
{
    QMessageBox box(owner);
    box.setWindowTitle(title);
    box.setText(QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n')));
    box.setIcon(icon == Icon::Exclamation ? QMessageBox::Warning : QMessageBox::NoIcon);
    if (buttons == Buttons::YesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
    } else {
        box.setStandardButtons(QMessageBox::Ok);
    }
    // A short text ("Done.") would give a box too narrow for its title.
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout())) {
        const int titleWidth = box.fontMetrics().horizontalAdvance(title) + 120;
        grid->addItem(new QSpacerItem(titleWidth, 0, QSizePolicy::Minimum, QSizePolicy::Minimum), grid->rowCount(), 0,
                      1, grid->columnCount());
    }
    const int result = box.exec();
    if (buttons == Buttons::YesNo) return result == QMessageBox::Yes ? Answer::Yes : Answer::No;
    return Answer::Ok;
}

QString QtWindowSystem::inputBox(QWidget* owner, const QString& prompt, const QString& title, const QString& defaultText)
{
    bool ok = false;
    const QString shown = QString(prompt).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    const QString answer = QInputDialog::getText(owner, title, shown, QLineEdit::Normal, defaultText, &ok);
    return ok ? answer : QString();
}

QStringList nameFiltersOf(const QString& filter)
{
    QStringList result;
    const QStringList parts = filter.split(QLatin1Char('|'));
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].isEmpty()) continue;
        QString description = parts[i];
        if (!description.contains(QLatin1Char('(')))
            description += QStringLiteral(" (") + parts[i + 1] + QLatin1Char(')');
        result << description;
    }
    return result;
}

QString joinSelection(const QStringList& paths, int bufferChars)
{
    QString joined;
    if (paths.size() == 1) {
        joined = QDir::toNativeSeparators(paths.front());
    } else if (paths.size() > 1) {
        joined = QDir::toNativeSeparators(QFileInfo(paths.front()).absolutePath());
        for (const QString& p : paths) {
            joined += QChar(0);
            joined += QFileInfo(p).fileName();
        }
    }
    if (joined.size() > bufferChars)
        throw PlatformError(errors::bufferTooSmall, "The selection is too large for the file name buffer.");
    return joined;
}

FileOpenDialog::FileOpenDialog(QWidget* owner, const FileOpenRequest& request) : QFileDialog(owner, request.title)
{
    // Qt's own dialog everywhere, so that its acceptance can be widened. The
    // "any file" mode keeps the Open button usable for a typed name that does
    // not exist; its views are then opened up for multiple selection.
    setOption(QFileDialog::DontUseNativeDialog);
    setAcceptMode(QFileDialog::AcceptOpen);
    setFileMode(QFileDialog::AnyFile);
    setNameFilters(nameFiltersOf(request.filter));
    for (QAbstractItemView* view : findChildren<QAbstractItemView*>())
        if (view->objectName() == QLatin1String("listView") || view->objectName() == QLatin1String("treeView"))
            view->setSelectionMode(QAbstractItemView::ExtendedSelection);
}

void FileOpenDialog::accept()
{
    const QStringList files = selectedFiles();
    if (files.isEmpty()) return;
    if (files.size() == 1 && QFileInfo(files.front()).isDir()) {
        QFileDialog::accept(); // a typed folder name opens that folder
        return;
    }
    chosen_ = files;
    QDialog::accept(); // every name as it stands, existing or not
}

QString QtWindowSystem::showOpen(QWidget* owner, const FileOpenRequest& request)
{
    FileOpenDialog dialog(owner, request);
    if (dialog.exec() != QDialog::Accepted) return {};
    return joinSelection(dialog.chosenFiles(), request.bufferChars);
}

void QtWindowSystem::processPendingEvents()
{
    if (ending_) throw ProgramEnding{};
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    if (ending_) throw ProgramEnding{};
}

void QtWindowSystem::endProgram()
{
    ending_ = true;
    QCoreApplication::quit();
}

QPoint QtWindowSystem::cursorScreenPosition() { return QCursor::pos(); }

} // namespace fq::platform
