// Shut-down of the main window: the close request deletes two leftover
// files from the temporary folder and lets pending events run; unloading
// ends the program at once.
#include "app/Form1.h"

#include "app/FileSystemHelpers.h"
#include "app/Steps.h"
#include "conversion/PathHelpers.h"

namespace fq::app {

namespace {

// The file in the folder named by "TEMP". With "TEMP" unset or empty there
// is no such folder, and no path (the root of the drive is never touched).
std::optional<QString> inTemporaryFolder(platform::Environment& environment, const QString& name)
{
    const std::optional<QString> temp = environment.variable(QStringLiteral("TEMP"));
    if (!temp || temp->isEmpty()) return std::nullopt;
    return *temp + conversion::nativeSeparator() + name;
}

} // namespace

void Form1::Form_QueryUnload()
{
    Steps s(Report, formLocation(QStringLiteral("Form_QueryUnload")));
    s.step(100, [&] {
        if (auto path = inTemporaryFolder(os.environment, QStringLiteral("Aspose.Words.dll")))
            DeleteFileForced(os.windows, os.files, *path);
    });
    s.step(102, [&] {
        if (auto path = inTemporaryFolder(os.environment, QStringLiteral("Quirebind.exe")))
            DeleteFileForced(os.windows, os.files, *path);
    });
    s.step(104, [&] { DoEvents(); });
    s.step(106, [&] { DoEvents(); });
}

// The window has unloaded: the program ends at once. A handler that is
// letting events through when this happens leaves without going on.
void Form1::Form_Unload() { os.windows.endProgram(); }

} // namespace fq::app
