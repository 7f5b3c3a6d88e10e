#include "post_run.h"

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

}  // namespace

PostOutcome RunPost(const UploadPlan &plan, Transport &transport, PostObserver &observer) {
    if (std::optional<Failure> failure = WithRetries([&] { return transport.Open(); }))
        return Failed(*failure, 0);

    std::uint64_t done = 0;
    std::size_t fileIndex = 0;
    observer.BytesDone(0, plan.totalBytes);
    for (const PlanStep &step : plan.steps) {
        std::optional<Failure> failure;
        if (step.folder) {
            failure = WithRetries([&] { return transport.MakeFolder(step.remote); });
        } else {
            observer.FileStarting(step.remote, fileIndex, plan.fileCount);
            failure = WithRetries([&] {
                return transport.PutFile(step.localPath, step.remote, step.size,
                                         [&](std::uint64_t soFar) {
                                             observer.BytesDone(done + soFar, plan.totalBytes);
                                         });
            });
            if (!failure) {
                done += step.size;
                ++fileIndex;
                observer.BytesDone(done, plan.totalBytes);
            }
        }
        if (failure)
            return Failed(*failure, fileIndex);
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

}  // namespace webpost
