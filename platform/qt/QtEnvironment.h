// Environment variables, the time of day and a seeded random source.
#pragma once

#include "platform/Environment.h"

#include <random>

namespace fq::platform {

class QtEnvironment : public Environment {
public:
    std::optional<QString> variable(const QString& name) override;
    double timer() override;
    void randomize(double seed) override;
    double random() override;

private:
    std::mt19937 engine_{std::random_device{}()};
};

} // namespace fq::platform
