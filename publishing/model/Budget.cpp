// The per-thread budget of a conversion step.
#include "publishing/model/Budget.h"

#include "publishing/model/ConversionError.h"

#include <cstdio>
#include <optional>

#ifdef __linux__
#include <unistd.h>
#endif

namespace fq::model {

namespace {

using Clock = std::chrono::steady_clock;

constexpr unsigned kCallsPerClockRead = 32;
constexpr auto kMemoryInterval = std::chrono::milliseconds(20);

struct Budget {
    Limits limits;
    Clock::time_point deadline;
    std::uint64_t startResident = 0;
    Clock::time_point nextMemoryCheck;
    unsigned calls = 0;
};

thread_local std::optional<Budget> t_budget;

} // namespace

std::uint64_t residentBytes() {
#ifdef __linux__
    std::FILE* f = std::fopen("/proc/self/statm", "r");
    if (!f) return 0;
    unsigned long long size = 0, resident = 0;
    const int got = std::fscanf(f, "%llu %llu", &size, &resident);
    std::fclose(f);
    if (got != 2) return 0;
    return resident * static_cast<std::uint64_t>(::sysconf(_SC_PAGESIZE));
#else
    return 0;
#endif
}

BudgetScope::BudgetScope(Limits limits) {
    if (t_budget) return;
    const Clock::time_point now = Clock::now();
    t_budget = Budget{limits, now + limits.time, residentBytes(), now + kMemoryInterval, 0};
    installed_ = true;
}

BudgetScope::~BudgetScope() {
    if (installed_) t_budget.reset();
}

void checkBudget() {
    if (!t_budget) return;
    Budget& b = *t_budget;
    if (b.calls++ % kCallsPerClockRead != 0) return;
    const Clock::time_point now = Clock::now();
    if (now >= b.deadline) throw ConversionError(messages::tooComplex);
    if (now < b.nextMemoryCheck) return;
    b.nextMemoryCheck = now + kMemoryInterval;
    const std::uint64_t resident = residentBytes();
    if (resident > b.startResident && resident - b.startResident > b.limits.memoryBytes) {
        throw ConversionError(std::string(messages::tooLargePrefix) +
                              std::to_string(b.limits.memoryBytes / (1024 * 1024)) + " MB).");
    }
}

} // namespace fq::model
