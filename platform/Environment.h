// Process environment, the random source and the clock.
#pragma once

#include <QString>

#include <optional>

namespace fq::platform {

class Environment {
public:
    virtual ~Environment() = default;

    // The value of an environment variable; no value when it is not set.
    virtual std::optional<QString> variable(const QString& name) = 0;

    // Seconds since midnight, local time.
    virtual double timer() = 0;

    // Seeds the random source.
    virtual void randomize(double seed) = 0;

    // The next random number in [0, 1).
    virtual double random() = 0;
};

} // namespace fq::platform
