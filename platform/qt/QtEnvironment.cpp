#include "platform/qt/QtEnvironment.h"

#include <QTime>
#include <QtGlobal>

namespace fq::platform {

std::optional<QString> QtEnvironment::variable(const QString& name)
{
    const QByteArray key = name.toLocal8Bit();
    if (!qEnvironmentVariableIsSet(key.constData())) return std::nullopt;
    return qEnvironmentVariable(key.constData());
}

double QtEnvironment::timer() { return QTime::currentTime().msecsSinceStartOfDay() / 1000.0; }

void QtEnvironment::randomize(double seed) { engine_.seed(static_cast<std::uint32_t>(seed * 1000.0)); }

double QtEnvironment::random() { return std::uniform_real_distribution<double>(0.0, 1.0)(engine_); }

} // namespace fq::platform
