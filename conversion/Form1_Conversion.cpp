// "Start Converting": the conversion run. For every queued document in list
// order it asks the publishing application to open it and save it as a
// ".pub" file named by the output naming rule, showing the progress in the
// bar, and ends with "Done.". Each line below is one numbered step of the
// run; a failed step is reported with its number and the run goes on.
#include "app/Form1.h"
#include "app/Steps.h"
#include "conversion/OutputNaming.h"
#include "conversion/PathHelpers.h"

#include <QLineEdit>
#include <QRadioButton>

#include <climits>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>

namespace fq::app {

namespace {

std::string utf8(const QString& text)
{
    return text.toUtf8().toStdString();
}

[[noreturn]] void fail(const QString& description)
{
    throw std::runtime_error(utf8(description));
}

} // namespace

void Form1::PushButton2_Click()
{
    using namespace fq::conversion;
    Steps s(Report, formLocation(QStringLiteral("PushButton2_Click")));

    if (s.test(100, [&] { return IsConverting; }))
        return;
    s.step(102, [&] { IsConverting = true; });

    std::unique_ptr<platform::PublishingApplication> application;
    std::unique_ptr<platform::PublishingDocument> document;
    QString sourcePath;
    std::optional<QString> outputPath;

    if (s.test(104, [&] { return !(ListView1->Count() > 0); })) {
        s.step(152, [&] { os.windows.messageBox(this, QStringLiteral("No files added."), platform::Buttons::Ok,
                                                platform::Icon::None, ApplicationTitle); });
    } else if (s.test(106, [&] {
                   const bool folderExists = IsFolder(os.files, Text1->text()) == std::optional<bool>(true);
                   const bool besideSource = Option2->isChecked();
                   return folderExists || besideSource;
               })) {
        s.step(108, [&] {
            application = os.publishing.create();
            if (!application)
                fail(QStringLiteral("The publishing application could not be started."));
        });

        int lastPosition = 0;
        int position = 1;
        s.step(110, [&] { lastPosition = ListView1->Count(); position = 1; });
        while (position <= lastPosition) {
            // A position that no longer exists is reported and skipped, so
            // the previous document is never converted twice.
            if (s.step(112, [&] { sourcePath = ListView1->Text(position); })) {
                s.step(114, [&] {
                    const int count = ListView1->Count();
                    ProgressBar1->SetValue(static_cast<double>(position) / static_cast<double>(count) * 100.0);
                });
                s.step(116, [&] { ProgressBar1->SetText(QStringLiteral("Processing: ") + GetFileNamePart(sourcePath)); });
                s.step(118, [&] { DoEvents(); });
                s.step(120, [&] { SetMousePointer(pointer::hourglass); });

                outputPath.reset();
                if (s.test(122, [&] { return Option1->isChecked(); })) {
                    s.step(124, [&] { outputPath = outputPathInFolder(Text1->text(), sourcePath); });
                } else if (s.test(126, [&] { return Option2->isChecked(); })) {
                    s.step(128, [&] { outputPath = outputPathBesideSource(sourcePath); });
                }
                s.step(130, [&] {
                    if (outputPath)
                        outputPath = CollapseBackslashes(*outputPath);
                });

                s.step(132, [&] {
                    document.reset();
                    if (!application)
                        fail(QStringLiteral("The publishing application is not available, so \"%1\" could not be opened.")
                                 .arg(sourcePath));
                    std::string path = utf8(sourcePath);
                    document = application->Open(path);
                    if (!document)
                        fail(QStringLiteral("The publishing application did not open \"%1\".").arg(sourcePath));
                });
                s.step(134, [&] {
                    if (!outputPath)
                        fail(QStringLiteral("No output folder is chosen: select \"Save results to this folder:\" or "
                                            "\"Save results in folder of original file\". \"%1\" was not saved.")
                                 .arg(sourcePath));
                    if (namesSameFile(*outputPath, sourcePath))
                        fail(QStringLiteral("The output file \"%1\" would replace the document being converted; "
                                            "it was not saved.")
                                 .arg(*outputPath));
                    if (!document)
                        fail(QStringLiteral("There is no open document to save as \"%1\".").arg(*outputPath));
                    std::string path = utf8(*outputPath);
                    document->SaveAs(path);
                });
                s.step(136, [&] {
                    if (!document)
                        fail(QStringLiteral("There is no open document to close."));
                    auto closing = std::move(document);
                    closing->Close();
                });
            }
            if (!s.step(138, [&] {
                    if (position == INT_MAX)
                        fail(QStringLiteral("Overflow: the list position cannot go beyond %1.").arg(INT_MAX));
                    ++position;
                }))
                break;
        }

        s.step(140, [&] {
            if (!application)
                fail(QStringLiteral("The publishing application is not running, so it could not be ended."));
            application->quit();
        });
        s.step(142, [&] { SetMousePointer(pointer::defaultPointer); });
        s.step(144, [&] { ProgressBar1->SetValue(0.0); });
        s.step(146, [&] { ProgressBar1->SetText(QStringLiteral("Progress Bar")); });
        s.step(148, [&] { os.windows.messageBox(this, QStringLiteral("Done."), platform::Buttons::Ok,
                                                platform::Icon::None, ApplicationTitle); });
    } else {
        s.step(150, [&] {
            os.windows.messageBox(this, QStringLiteral("Folder does not exist. Please select another folder."),
                                  platform::Buttons::Ok, platform::Icon::None, ApplicationTitle);
        });
    }

    s.step(154, [&] { IsConverting = false; });
}

} // namespace fq::app
