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
    EXPECT_EQ(encodeAnswer({true, {}, 12, 1.5}), "ok\t12\t1.500\n");
    const std::string failed = encodeAnswer({false, "The document is damaged: bad\nthings\t", 0, 0.25});
    const auto back = decodeAnswer(failed.substr(0, failed.size() - 1));
    ASSERT_TRUE(back.has_value());
    EXPECT_FALSE(back->ok);
    EXPECT_EQ(back->message, "The document is damaged: bad\nthings\t");
    EXPECT_DOUBLE_EQ(back->seconds, 0.25);
    const auto ok = decodeAnswer("ok\t3\t0.042");
    ASSERT_TRUE(ok.has_value());
    EXPECT_TRUE(ok->ok);
    EXPECT_EQ(ok->pages, 3);
    EXPECT_DOUBLE_EQ(ok->seconds, 0.042);
    // The figures are optional.
    EXPECT_TRUE(decodeAnswer("ok")->ok);
    EXPECT_EQ(decodeAnswer("failed\tgone")->message, "gone");
}

TEST(CliProtocol, SessionRequestsRoundTripAndKeepTheirVerb) {
    const Request requests[] = {{Verb::Open, "/in/a\tb.docx", {}},
                                {Verb::Save, {}, "/out/50% off.pub"},
                                {Verb::Close, {}, {}},
                                {Verb::Convert, "open", "save"}};
    for (const Request& request : requests) {
        std::string line = encodeRequest(request);
        ASSERT_EQ(line.back(), '\n');
        line.pop_back();
        const auto back = decodeRequest(line);
        ASSERT_TRUE(back.has_value()) << line;
        EXPECT_EQ(back->verb, request.verb) << line;
        EXPECT_EQ(back->source, request.source) << line;
        EXPECT_EQ(back->target, request.target) << line;
    }
    EXPECT_FALSE(decodeJob("open\t/in/a.docx").has_value());
    for (const char* wrong : {"open", "open\ta\tb", "save", "close\tx", "convert\ta", "frobnicate\ta"})
        EXPECT_FALSE(decodeRequest(wrong).has_value()) << wrong;
}

TEST(CliProtocol, GarbageIsRejected) {
    EXPECT_FALSE(decodeJob("no tab here").has_value());
    EXPECT_FALSE(decodeJob("a\tb\tc").has_value());
    EXPECT_FALSE(decodeJob("\tb").has_value());
    EXPECT_FALSE(decodeJob("a%4\tb").has_value());
    EXPECT_FALSE(decodeJob("a%zz\tb").has_value());
    for (const char* answer : {"maybe", "ok\t3", "ok\t-1\t2.0", "ok\tthree\t1", "ok\t3\t1,5", "ok\t3\t1\tx",
                               "failed\tgone\tsoon", "failed\ta\t1\t2", "failed"})
        EXPECT_FALSE(decodeAnswer(answer).has_value()) << answer;
}

} // namespace
} // namespace fq::cli
