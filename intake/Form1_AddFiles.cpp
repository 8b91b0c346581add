// "Add Word File(s)": the multi-select file-open dialog, and each picked
// file appended to the queue as one item.
#include "app/Form1.h"

#include "app/Steps.h"

namespace fq::app {

void Form1::PushButton1_Click()
{
    Steps s(Report, formLocation(QStringLiteral("PushButton1_Click")));
    s.step(104, [&] { CommonDialog1.FileName.clear(); });
    s.step(106, [&] { CommonDialog1.Flags = 2621953; });
    s.step(108, [&] { CommonDialog1.DialogTitle = QStringLiteral("Add File(s) - Hold Ctrl to select multiple files"); });
    s.step(110, [&] { CommonDialog1.Filter = QStringLiteral("Word Files (*.doc*)|*.doc*|"); });

    bool tooManyFiles = false;
    s.step(112, [&] {
        try {
            CommonDialog1.ShowOpen();
        } catch (const platform::PlatformError& e) {
            if (e.number() != platform::errors::bufferTooSmall) throw;
            tooManyFiles = true;
        }
    });
    if (tooManyFiles) {
        os.windows.messageBox(this,
                              QStringLiteral("You've selected too many files to add.\r\rPlease try adding via the "
                                             "\"Add All\" button."),
                              platform::Buttons::Ok, platform::Icon::None, ApplicationTitle);
        return;
    }

    if (s.test(114, [&] { return CommonDialog1.FileName.isEmpty(); })) return;

    QStringList parts;
    s.step(116, [&] { parts = CommonDialog1.FileName.split(QChar(0)); });
    auto part = [&](qsizetype i) {
        if (i < 0 || i >= parts.size())
            throw platform::PlatformError(9, "Subscript out of range");
        return parts[i];
    };
    const qsizetype highest = parts.size() - 1;

    if (s.test(118, [&] { return highest == 0; })) {
        QString path;
        s.step(120, [&] { path = part(0); });
        s.step(122, [&] { ListView1->Add(path); });
        return;
    }
    if (s.test(124, [&] { return highest >= 1; })) {
        qsizetype first = 0, last = -1;
        s.step(126, [&] { first = 1; });
        s.step(128, [&] { last = highest; });
        for (qsizetype i = first; i <= last; ++i) { // line 134
            QString path;
            s.step(136, [&] { path = part(0) + conversion::separatorOf(pathStyle) + part(i); });
            s.step(138, [&] { path = conversion::CollapseBackslashes(path, pathStyle); });
            s.step(140, [&] { ListView1->Add(path); });
        }
    }
    // line 142: done after the last part
}

} // namespace fq::app
