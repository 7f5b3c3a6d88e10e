// The post run over a scripted transport: order of calls, retries of
// transient failures, the first lasting failure ends the run, cancelling
// after the step under way, progress by bytes; and the publish with the
// site's memory: read first, only what differs sent, written back last.
#include <gtest/gtest.h>

#include <deque>
#include <map>
#include <set>

#include "manifest.h"
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

// Answers each call from a queue per name ("open", "mkcol x", "put x",
// "store x" for PutBytes); an empty queue means success. Records every call.
// FetchFile answers `fetched`; each text stored is kept in `stored`.
class ScriptedTransport : public Transport {
public:
    std::map<std::string, std::deque<Failure>> script;
    std::vector<std::string> calls;
    Fetched fetched;
    std::vector<std::string> stored;

    std::optional<Failure> Open() override { return Answer("open"); }
    std::optional<Failure> MakeFolder(const std::string &remote) override {
        return Answer("mkcol " + remote);
    }
    std::optional<Failure> PutFile(const std::string &, const std::string &remote,
                                   std::uint64_t size, const ByteCounter &counter) override {
        counter(size / 2);
        return Answer("put " + remote);
    }
    Fetched FetchFile(const std::string &remote, std::size_t limit) override {
        calls.push_back("fetch " + remote);
        EXPECT_EQ(limit, kManifestLimit);
        return fetched;
    }
    std::optional<Failure> PutBytes(const std::string &remote, const std::string &bytes) override {
        std::optional<Failure> failure = Answer("store " + remote);
        if (!failure)
            stored.push_back(bytes);
        return failure;
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

// Local names as the plan has them; digests from a table (none: unreadable).
class TableFacts : public LocalFacts {
public:
    std::map<std::string, std::string> digests;
    std::set<std::string> unconvertible;
    std::optional<std::string> ManifestPath(const std::string &remote) override {
        if (unconvertible.count(remote))
            return std::nullopt;
        return remote;
    }
    std::optional<std::string> Sha256Hex(const std::string &localPath) override {
        auto it = digests.find(localPath);
        if (it == digests.end())
            return std::nullopt;
        return it->second;
    }
};

const std::string kDigestA(64, 'a');
const std::string kDigestB(64, 'b');
const std::string kDigestNew(64, 'c');
const std::string kMemory =
    "webpost-manifest 1\nD d\nF 10 " + kDigestA + " a\nF 30 " + kDigestB + " d/b\nend 3\n";
const std::string kManifest = ".webpost-manifest";

Fetched Found(const std::string &text) {
    return Fetched{FetchState::Found, text};
}

struct PublishCase {
    const char *name;
    Fetched fetched;
    std::map<std::string, std::deque<Failure>> script;
    bool sendAll;
    std::string digestOfA;  // of local file L\a
    ResultCode code;
    std::vector<std::string> calls;
    std::vector<std::string> stored;  // the memories written, in order
    std::size_t posted;
};

std::vector<PublishCase> PublishCases() {
    const std::string all = kMemory;
    const std::string withoutA = "webpost-manifest 1\nD d\nF 30 " + kDigestB + " d/b\nend 2\n";
    const std::string newA =
        "webpost-manifest 1\nD d\nF 10 " + kDigestNew + " a\nF 30 " + kDigestB + " d/b\nend 3\n";
    const std::string empty = "webpost-manifest 1\nend 0\n";
    const std::string fetch = "fetch " + kManifest;
    const std::string store = "store " + kManifest;
    return {
        {"no memory: all sent, the memory written last",
         Fetched{FetchState::Missing, ""},
         {},
         false,
         kDigestA,
         result::kSuccess,
         {"open", fetch, "put a", "mkcol d", "put d/b", store},
         {all},
         2},
        {"nothing changed: nothing sent, nothing written",
         Found(kMemory),
         {},
         false,
         kDigestA,
         result::kSuccess,
         {"open", fetch},
         {},
         0},
        {"one file changed: its entry dropped first, then it alone goes",
         Found(kMemory),
         {},
         false,
         kDigestNew,
         result::kSuccess,
         {"open", fetch, store, "put a", store},
         {withoutA, newA},
         1},
        {"a garbled memory: emptied, all sent",
         Found("webpost-manifest 1\nF 10 zz a\nend 1\n"),
         {},
         false,
         kDigestA,
         result::kSuccess,
         {"open", fetch, store, "put a", "mkcol d", "put d/b", store},
         {empty, all},
         2},
        {"an unreadable memory: emptied, all sent",
         Fetched{FetchState::Unreadable, ""},
         {},
         false,
         kDigestA,
         result::kSuccess,
         {"open", fetch, store, "put a", "mkcol d", "put d/b", store},
         {empty, all},
         2},
        {"send all over a memory of everything",
         Found(kMemory),
         {},
         true,
         kDigestA,
         result::kSuccess,
         {"open", fetch, store, "put a", "mkcol d", "put d/b", store},
         {"webpost-manifest 1\nD d\nend 1\n", all},
         2},
        {"a failure half-way: what was done is remembered",
         Fetched{FetchState::Missing, ""},
         {{"put d/b", {Lasting()}}},
         false,
         kDigestA,
         result::kExtendedError,
         {"open", fetch, "put a", "mkcol d", "put d/b", store},
         {"webpost-manifest 1\nD d\nF 10 " + kDigestA + " a\nend 2\n"},
         1},
        {"a memory read but not corrected: nothing sent",
         Found(kMemory),
         {{"store " + kManifest, {Lasting()}}},
         false,
         kDigestNew,
         result::kExtendedError,
         {"open", fetch, store},
         {},
         0},
        {"a memory not read and not emptied: all sent anyway",
         Fetched{FetchState::Unreadable, ""},
         {{"store " + kManifest, {Lasting()}}},
         false,
         kDigestA,
         result::kSuccess,
         {"open", fetch, store, "put a", "mkcol d", "put d/b", store},
         {all},
         2},
        {"the last write refused: the post still succeeds",
         Fetched{FetchState::Missing, ""},
         {{"store " + kManifest, {Lasting()}}},
         false,
         kDigestA,
         result::kSuccess,
         {"open", fetch, "put a", "mkcol d", "put d/b", store},
         {},
         2},
        {"a transient failure of the memory's write is tried again",
         Fetched{FetchState::Missing, ""},
         {{"store " + kManifest, {Transient()}}},
         false,
         kDigestA,
         result::kSuccess,
         {"open", fetch, "put a", "mkcol d", "put d/b", store, store},
         {all},
         2},
        {"open fails: the memory is not read",
         Found(kMemory),
         {{"open", {Lasting()}}},
         false,
         kDigestA,
         result::kExtendedError,
         {"open"},
         {},
         0},
    };
}

TEST(PostRunTest, PublishSendsWhatDiffersFromTheSitesMemory) {
    for (const PublishCase &c : PublishCases()) {
        SCOPED_TRACE(c.name);
        ScriptedTransport transport;
        transport.script = c.script;
        transport.fetched = c.fetched;
        TableFacts facts;
        facts.digests = {{"L\\a", c.digestOfA}, {"L\\d\\b", kDigestB}};
        RecordingObserver observer;
        const PostOutcome outcome = RunPublish(ThreePlan(), transport, facts, observer, c.sendAll);
        EXPECT_EQ(outcome.code, c.code) << outcome.cause;
        EXPECT_EQ(transport.calls, c.calls);
        EXPECT_EQ(transport.stored, c.stored);
        EXPECT_EQ(outcome.filesPosted, c.posted);
    }
}

TEST(PostRunTest, PublishOfAPlanOnTheManifestsNameKeepsNoMemory) {
    UploadPlan plan = ThreePlan();
    plan.steps.push_back({false, "L\\m", ".WEBPOST-MANIFEST", 1});
    ++plan.fileCount;
    ++plan.totalBytes;
    ScriptedTransport transport;
    transport.fetched = Found(kMemory);
    TableFacts facts;
    facts.digests = {{"L\\a", kDigestA}, {"L\\d\\b", kDigestB}, {"L\\m", kDigestA}};
    RecordingObserver observer;
    ASSERT_EQ(RunPublish(plan, transport, facts, observer, false).code, result::kSuccess);
    EXPECT_EQ(transport.calls, (std::vector<std::string>{"open", "put a", "mkcol d", "put d/b",
                                                         "put .WEBPOST-MANIFEST"}));
    EXPECT_TRUE(transport.stored.empty());
}

TEST(PostRunTest, PublishSendsANameTheMemoryCannotHoldEveryTime) {
    ScriptedTransport transport;
    transport.fetched = Found(kMemory);
    TableFacts facts;
    facts.digests = {{"L\\a", kDigestA}, {"L\\d\\b", kDigestB}};
    facts.unconvertible = {"a"};
    RecordingObserver observer;
    ASSERT_EQ(RunPublish(ThreePlan(), transport, facts, observer, false).code, result::kSuccess);
    EXPECT_EQ(transport.calls, (std::vector<std::string>{"open", "fetch " + kManifest, "put a"}));
    EXPECT_TRUE(transport.stored.empty());
}

TEST(PostRunTest, PublishCountsOnlyTheFilesSent) {
    ScriptedTransport transport;
    transport.fetched = Found(kMemory);
    TableFacts facts;
    facts.digests = {{"L\\a", kDigestA}, {"L\\d\\b", kDigestNew}};
    RecordingObserver observer;
    ASSERT_EQ(RunPublish(ThreePlan(), transport, facts, observer, false).code, result::kSuccess);
    EXPECT_EQ(observer.files, (std::vector<std::string>{"d/b 0/1"}));
    // Start, half of b, all of b: the total is b's 30 bytes alone.
    EXPECT_EQ(observer.bytes, (std::vector<std::uint64_t>{0, 15, 30}));
}

}  // namespace
}  // namespace webpost_test
