// What one conversion step may spend. A reading, laying-out or writing
// step runs inside a BudgetScope; its loops call checkBudget(), which
// throws ConversionError once the step has run longer than its time limit
// ("The document is too complex to convert.") or has grown the process by
// more memory than its memory limit. Without a scope checkBudget() does
// nothing. The checks are cheap: the clock is read every few dozen calls,
// the process's memory every few milliseconds.
#pragma once

#include <chrono>
#include <cstdint>
#include <string>

namespace fq::model {

struct Limits {
    std::chrono::milliseconds time{120 * 1000};
    std::uint64_t memoryBytes = 1536ull * 1024 * 1024;
};

namespace messages {
inline constexpr const char* tooComplex = "The document is too complex to convert.";
// Followed by the limit in MB and ").".
inline constexpr const char* tooLargePrefix = "The document is too large to convert (it needs more memory than ";
} // namespace messages

// Installs limits for the calling thread while it lives; inside another
// scope it changes nothing, so the outermost step's limits hold.
class BudgetScope {
public:
    explicit BudgetScope(Limits limits = Limits{});
    ~BudgetScope();
    BudgetScope(const BudgetScope&) = delete;
    BudgetScope& operator=(const BudgetScope&) = delete;

private:
    bool installed_ = false;
};

// Throws ConversionError when the current scope's time or memory is spent.
void checkBudget();

// The resident memory of this process in bytes, or 0 where it is unknown.
std::uint64_t residentBytes();

} // namespace fq::model
