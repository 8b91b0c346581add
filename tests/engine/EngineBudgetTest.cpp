// The budget of a conversion step: every stage (each reader, the layout,
// the writer) stops with the user message once the step's time or memory
// is spent, and a stopped save leaves nothing behind.
#include "publishing/engine/Engine.h"
#include "publishing/model/Budget.h"

#include "EngineTestFiles.h"

#include <gtest/gtest.h>

namespace fq::engine {
namespace {

using namespace test;
using namespace std::chrono_literals;

template <typename F>
std::string failure(F&& step) {
    try {
        step();
    } catch (const model::ConversionError& e) {
        return e.what();
    }
    return "(no error)";
}

TEST(EngineBudget, EveryStageStopsWhenItsTimeIsSpent) {
    for (const char* name : {"docx/pandoc-lists.docx", "doc/poi-SampleDoc.doc"}) {
        const auto source = corpusFile(name);
        const model::Limits none{0ms, 1ull << 40};
        EXPECT_EQ(failure([&] {
                      const model::BudgetScope budget(none);
                      readDocument(source);
                  }),
                  model::messages::tooComplex)
            << name;

        const model::Document document = readDocument(source);
        ScratchFolder dir;
        EXPECT_EQ(failure([&] {
                      const model::BudgetScope budget(none);
                      savePublication(document, dir / "out.pub", source);
                  }),
                  model::messages::tooComplex)
            << name;
        EXPECT_FALSE(std::filesystem::exists(dir / "out.pub")) << name;
        EXPECT_EQ(hiddenEntries(dir.path()), 0) << name;
        // With the default budget the same steps succeed.
        savePublication(document, dir / "out.pub", source);
        EXPECT_TRUE(std::filesystem::exists(dir / "out.pub")) << name;
    }
}

TEST(EngineBudget, GrowingBeyondTheMemoryLimitStopsTheStep) {
    const auto source = corpusFile("doc/poi-Bug50955.doc");
    const model::Document document = readDocument(source);
    ScratchFolder dir;
    const std::string message = failure([&] {
        const model::BudgetScope budget(model::Limits{10min, 1});
        savePublication(document, dir / "out.pub", source);
    });
    EXPECT_EQ(message.rfind(model::messages::tooLargePrefix, 0), 0u) << message;
    EXPECT_FALSE(std::filesystem::exists(dir / "out.pub"));
}

} // namespace
} // namespace fq::engine
