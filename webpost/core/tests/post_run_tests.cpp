// The post run over a scripted transport: order of calls, retries of
// transient failures, the first lasting failure ends the run, cancelling
// after the step under way, progress by bytes.
#include <gtest/gtest.h>

#include <deque>
#include <map>

#include "post_run.h"

namespace webpost_test {
namespace {

using namespace webpost;

Failure Transient() {
    return Failure{result::kPostFiles, "dropped", true};
}
Failure Lasting() {
    return Failure{result::kExtendedError, "PUT /b: 409 Conflict", false};
}

// Answers each call from a queue per name ("open", "mkcol x", "put x");
// an empty queue means success. Records every call.
class ScriptedTransport : public Transport {
public:
    std::map<std::string, std::deque<Failure>> script;
    std::vector<std::string> calls;

    std::optional<Failure> Open() override { return Answer("open"); }
    std::optional<Failure> MakeFolder(const std::string &remote) override {
        return Answer("mkcol " + remote);
    }
    std::optional<Failure> PutFile(const std::string &, const std::string &remote,
                                   std::uint64_t size, const ByteCounter &counter) override {
        counter(size / 2);
        return Answer("put " + remote);
    }

private:
    std::optional<Failure> Answer(const std::string &call) {
        calls.push_back(call);
        std::deque<Failure> &queue = script[call];
        if (queue.empty())
            return std::nullopt;
        Failure f = queue.front();
        queue.pop_front();
        return f;
    }
};

class RecordingObserver : public PostObserver {
public:
    std::size_t cancelAfterChecks = SIZE_MAX;
    std::vector<std::string> files;
    std::vector<std::uint64_t> bytes;
    std::size_t checks = 0;

    void FileStarting(const std::string &remote, std::size_t index, std::size_t count) override {
        files.push_back(remote + " " + std::to_string(index) + "/" + std::to_string(count));
    }
    void BytesDone(std::uint64_t done, std::uint64_t total) override {
        EXPECT_LE(done, total);
        bytes.push_back(done);
    }
    bool CancelRequested() override { return ++checks > cancelAfterChecks; }
};

UploadPlan ThreePlan() {
    UploadPlan plan;
    plan.steps = {{false, "L\\a", "a", 10}, {true, "", "d", 0}, {false, "L\\d\\b", "d/b", 30}};
    plan.totalBytes = 40;
    plan.fileCount = 2;
    return plan;
}

struct RunCase {
    const char *name;
    std::map<std::string, std::deque<Failure>> script;
    std::size_t cancelAfterChecks;
    ResultCode code;
    std::vector<std::string> calls;
    std::size_t posted;
};

const RunCase kRuns[] = {
    {"all goes well", {}, SIZE_MAX, result::kSuccess, {"open", "put a", "mkcol d", "put d/b"}, 2},
    {"transient failures are tried again",
     {{"open", {Transient()}}, {"put d/b", {Transient(), Transient()}}},
     SIZE_MAX,
     result::kSuccess,
     {"open", "open", "put a", "mkcol d", "put d/b", "put d/b", "put d/b"},
     2},
    {"three transient failures in a row end the run",
     {{"put a", {Transient(), Transient(), Transient()}}},
     SIZE_MAX,
     result::kPostFiles,
     {"open", "put a", "put a", "put a"},
     0},
    {"a lasting failure is not tried again",
     {{"mkcol d", {Lasting()}}},
     SIZE_MAX,
     result::kExtendedError,
     {"open", "put a", "mkcol d"},
     1},
    {"open fails: no step is tried",
     {{"open", {Lasting()}}},
     SIZE_MAX,
     result::kExtendedError,
     {"open"},
     0},
    {"cancel after the first file", {}, 0, result::kCancelled, {"open", "put a"}, 1},
};

TEST(PostRunTest, RunsStepsInOrderWithRetriesAndCancel) {
    for (const RunCase &c : kRuns) {
        SCOPED_TRACE(c.name);
        ScriptedTransport transport;
        transport.script = c.script;
        RecordingObserver observer;
        observer.cancelAfterChecks = c.cancelAfterChecks;
        const PostOutcome outcome = RunPost(ThreePlan(), transport, observer);
        EXPECT_EQ(outcome.code, c.code);
        EXPECT_EQ(transport.calls, c.calls);
        EXPECT_EQ(outcome.filesPosted, c.posted);
        if (c.code == result::kCancelled) {
            EXPECT_EQ(outcome.cause, "1 of 2 files were posted.");
        }
    }
}

TEST(PostRunTest, ReportsEachFileAndTheBytesAsTheyGo) {
    ScriptedTransport transport;
    RecordingObserver observer;
    ASSERT_EQ(RunPost(ThreePlan(), transport, observer).code, result::kSuccess);
    EXPECT_EQ(observer.files, (std::vector<std::string>{"a 0/2", "d/b 1/2"}));
    // Start, half of a, all of a, a plus half of b, all.
    EXPECT_EQ(observer.bytes, (std::vector<std::uint64_t>{0, 5, 10, 25, 40}));
}

}  // namespace
}  // namespace webpost_test
