// convertOne and the process set-up that every converting process shares.
#include "cli/ConvertOne.h"

#include "publishing/engine/Engine.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <cstdio>
#include <cstdlib>
#include <exception>

namespace fq::cli {

std::optional<std::string> convertOne(const std::filesystem::path& source, const std::filesystem::path& target) {
    try {
        const model::Document document = engine::readDocument(source);
        engine::savePublication(document, target, source);
        return std::nullopt;
    } catch (const std::bad_alloc&) {
        return std::string("There is not enough memory to convert the document.");
    } catch (const std::exception& e) {
        return std::string(e.what());
    } catch (...) {
        return std::string("The conversion failed for an unknown reason.");
    }
}

namespace {

void messageFilter(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg) {
        std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
    }
}

} // namespace

void quietQtMessages() {
    const QByteArray wanted = qgetenv("FQ_QT_MESSAGES");
    if (wanted.isEmpty() || wanted == "0") qInstallMessageHandler(messageFilter);
}

void chooseHeadlessPlatform() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
}

} // namespace fq::cli
