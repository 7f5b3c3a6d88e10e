#include "post_run.h"

#include <algorithm>
#include <atomic>
#include <functional>
#include <thread>

#include "manifest.h"
#include "server_answer.h"

namespace webpost {

namespace {

template <typename Attempt>
std::optional<Failure> WithRetries(Attempt attempt) {
    std::optional<Failure> failure;
    for (int tries = 0; tries < kAttemptsPerStep; ++tries) {
        failure = attempt();
        if (!failure || !failure->transient)
            break;
    }
    return failure;
}

PostOutcome Failed(const Failure &failure, std::size_t posted) {
    PostOutcome outcome;
    outcome.code = failure.code;
    outcome.cause = failure.cause;
    outcome.filesPosted = posted;
    return outcome;
}

// The plan's steps over an open transport; `done` is told the index of each
// step completed.
PostOutcome RunSteps(const UploadPlan &plan, Transport &transport, PostObserver &observer,
                     const std::function<void(std::size_t)> &done) {
    std::uint64_t bytesDone = 0;
    std::size_t fileIndex = 0;
    observer.BytesDone(0, plan.totalBytes);
    for (std::size_t i = 0; i < plan.steps.size(); ++i) {
        const PlanStep &step = plan.steps[i];
        std::optional<Failure> failure;
        if (step.folder) {
            failure = WithRetries([&] { return transport.MakeFolder(step.remote); });
        } else {
            observer.FileStarting(step.remote, fileIndex, plan.fileCount);
            failure = WithRetries([&] {
                return transport.PutFile(step.localPath, step.remote, step.size,
                                         [&](std::uint64_t soFar) {
                                             observer.BytesDone(bytesDone + soFar, plan.totalBytes);
                                         });
            });
            if (!failure) {
                bytesDone += step.size;
                ++fileIndex;
                observer.BytesDone(bytesDone, plan.totalBytes);
            }
        }
        if (failure)
            return Failed(*failure, fileIndex);
        done(i);
        if (observer.CancelRequested()) {
            Failure cancelled;
            cancelled.code = result::kCancelled;
            cancelled.cause = std::to_string(fileIndex) + " of " + std::to_string(plan.fileCount) +
                              " files were posted.";
            return Failed(cancelled, fileIndex);
        }
    }
    PostOutcome outcome;
    outcome.filesPosted = fileIndex;
    return outcome;
}

// The threads hashing local files; joined before their results are read,
// and at the latest when the publish returns.
struct Hashers {
    std::vector<std::thread> threads;
    void Join() {
        for (std::thread &thread : threads) {
            if (thread.joinable())
                thread.join();
        }
    }
    ~Hashers() { Join(); }
};

}  // namespace

PostOutcome RunPost(const UploadPlan &plan, Transport &transport, PostObserver &observer) {
    if (std::optional<Failure> failure = WithRetries([&] { return transport.Open(); }))
        return Failed(*failure, 0);
    return RunSteps(plan, transport, observer, [](std::size_t) {});
}

PostOutcome RunPublish(const UploadPlan &plan, Transport &transport, LocalFacts &facts,
                       PostObserver &observer, bool sendAll) {
    if (std::optional<Failure> failure = WithRetries([&] { return transport.Open(); }))
        return Failed(*failure, 0);
    if (PlanUsesManifestName(plan))
        return RunSteps(plan, transport, observer, [](std::size_t) {});

    const Fetched fetched = transport.FetchFile(kManifestName, kManifestLimit);
    const std::optional<Manifest> old =
        fetched.state == FetchState::Found ? ParseManifest(fetched.bytes) : std::nullopt;

    std::vector<StepFacts> stepFacts(plan.steps.size());
    for (std::size_t i = 0; i < plan.steps.size(); ++i) {
        std::optional<std::string> path = facts.ManifestPath(plan.steps[i].remote);
        if (path && RepresentablePath(*path))
            stepFacts[i].path = path;
    }
    const std::vector<StepFacts> namesOnly = stepFacts;

    // Hashing the local files is most of a re-publish that sends little:
    // the files are shared among a few threads, each taking the next. The
    // digests decide what goes only when there is a memory to compare with;
    // otherwise they are for the new memory alone, and are computed while
    // the files go.
    std::atomic<std::size_t> next{0};
    const auto hashRest = [&] {
        for (std::size_t i = next++; i < plan.steps.size(); i = next++) {
            const PlanStep &step = plan.steps[i];
            if (step.folder || !stepFacts[i].path)
                continue;
            std::optional<std::string> digest = facts.Sha256Hex(step.localPath);
            if (digest && IsSha256Hex(*digest))
                stepFacts[i].sha256 = digest;
        }
    };
    Hashers hashers;
    const unsigned helpers = std::min(3u, std::max(2u, std::thread::hardware_concurrency()) - 1);
    for (unsigned t = 0; t < helpers && t < plan.fileCount; ++t)
        hashers.threads.emplace_back(hashRest);
    const bool compare = old && !sendAll;
    if (compare) {
        hashRest();
        hashers.Join();
    }
    Selection selection = SelectSteps(plan, compare ? stepFacts : namesOnly, old, sendAll);
    if (selection.plan.steps.empty())
        return PostOutcome{};

    // What the destination's memory says now, when known: nothing for a
    // missing one; for one that is there but cannot be read or understood,
    // unknown (it may hold claims a later version or a later read trusts).
    std::optional<Manifest> onServer;
    bool serverKnown = fetched.state == FetchState::Missing || old.has_value();
    if (old)
        onServer = *old;
    const bool claimsToDrop =
        fetched.state != FetchState::Missing && (!old || selection.kept != *old);
    if (claimsToDrop) {
        const std::optional<Failure> failure = WithRetries(
            [&] { return transport.PutBytes(kManifestName, FormatManifest(selection.kept)); });
        // A memory that was read but cannot be corrected must not be left
        // claiming files about to change: nothing is sent. One that could
        // not be read at all will not be trusted next time either.
        if (failure && old)
            return Failed(*failure, 0);
        if (!failure) {
            onServer = selection.kept;
            serverKnown = true;
        }
    }

    std::vector<std::size_t> done;
    PostOutcome outcome = RunSteps(selection.plan, transport, observer,
                                   [&](std::size_t index) { done.push_back(index); });
    hashers.Join();
    Manifest memory = selection.kept;
    for (std::size_t index : done) {
        const std::size_t step = selection.records[index].step;
        const StepFacts &fact = stepFacts[step];
        if (!fact.path)
            continue;
        if (plan.steps[step].folder)
            memory.folders.insert(*fact.path);
        else if (fact.sha256)
            memory.files[*fact.path] = ManifestFile{plan.steps[step].size, *fact.sha256};
    }
    // Written last, also after a failure or a cancel, so that the next post
    // skips what this one did. When this write fails the next post finds the
    // older memory, which claims nothing untrue, and sends more than needed.
    if (!serverKnown || !onServer || memory != *onServer)
        WithRetries([&] { return transport.PutBytes(kManifestName, FormatManifest(memory)); });
    return outcome;
}

}  // namespace webpost
