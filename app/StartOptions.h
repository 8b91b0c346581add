// The window program's command line: files and folders to queue, --help and
// --version. Qt's own options (-platform, -style, ...) are taken out by the
// application object before these are read.
#pragma once

#include <QString>
#include <QStringList>

namespace fq::app {

struct StartOptions {
    bool help = false;
    bool version = false;
    QStringList files;
    QString error;       // non-empty: a usage error
};

// arguments[0] is the program. "--" ends the options.
StartOptions parseStartOptions(const QStringList& arguments);
StartOptions parseStartOptions(int argc, char** argv);

// The --help text, naming the folder of the sample documents.
QString startHelpText(const QString& shippedFilesFolder);
QString startVersionText();

} // namespace fq::app
