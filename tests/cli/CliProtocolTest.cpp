// The job and answer lines between the converter and its workers.
#include "cli/WorkerProtocol.h"

#include <gtest/gtest.h>

namespace fq::cli {
namespace {

TEST(CliProtocol, JobsSurviveAwkwardNames) {
    const Job job{"/tmp/a\tb\nc%d.docx", "/out/100% sure\r.pub"};
    std::string line = encodeJob(job);
    ASSERT_EQ(line.back(), '\n');
    line.pop_back();
    EXPECT_EQ(line.find('\n'), std::string::npos);
    const auto back = decodeJob(line);
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(back->source, job.source);
    EXPECT_EQ(back->target, job.target);
}

TEST(CliProtocol, AnswersRoundTrip) {
    EXPECT_EQ(encodeAnswer({true, {}}), "ok\n");
    const std::string failed = encodeAnswer({false, "The document is damaged: bad\nthings"});
    const auto back = decodeAnswer(failed.substr(0, failed.size() - 1));
    ASSERT_TRUE(back.has_value());
    EXPECT_FALSE(back->ok);
    EXPECT_EQ(back->message, "The document is damaged: bad\nthings");
    EXPECT_TRUE(decodeAnswer("ok")->ok);
}

TEST(CliProtocol, GarbageIsRejected) {
    EXPECT_FALSE(decodeJob("no tab here").has_value());
    EXPECT_FALSE(decodeJob("a\tb\tc").has_value());
    EXPECT_FALSE(decodeJob("\tb").has_value());
    EXPECT_FALSE(decodeJob("a%4\tb").has_value());
    EXPECT_FALSE(decodeJob("a%zz\tb").has_value());
    EXPECT_FALSE(decodeAnswer("maybe").has_value());
}

} // namespace
} // namespace fq::cli
