// convertOne and the process set-up that every converting process shares.
#include "cli/ConvertOne.h"

#include "publishing/engine/Engine.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <exception>

namespace fq::cli {

std::optional<std::string> guarded(const std::function<void()>& work) {
    try {
        work();
        return std::nullopt;
    } catch (const std::bad_alloc&) {
        return std::string("There is not enough memory to convert the document.");
    } catch (const std::exception& e) {
        return std::string(e.what());
    } catch (...) {
        return std::string("The conversion failed for an unknown reason.");
    }
}

Outcome convertOne(const std::filesystem::path& source, const std::filesystem::path& target,
                   const engine::SaveOptions& options) {
    Outcome outcome;
    const auto start = std::chrono::steady_clock::now();
    outcome.failure = guarded([&] {
        model::Document document = engine::readDocument(source);
        outcome.pages = engine::savePublication(std::move(document), target, source, options);
    });
    outcome.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return outcome;
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
