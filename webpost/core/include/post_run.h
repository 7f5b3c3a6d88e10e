#pragma once
// Carries out an upload plan over a transport: steps in order, transient
// failures tried again up to kAttemptsPerStep times, the first lasting
// failure ends the run. Progress is reported to an observer, which may ask to
// cancel; cancelling takes effect after the step under way (a file is never
// left half-sent on purpose).

#include <cstdint>
#include <string>

#include "failure.h"
#include "transport.h"
#include "upload_plan.h"

namespace webpost {

class PostObserver {
public:
    virtual ~PostObserver() = default;
    // Before each file: its remote name, its index (from 0) among the files.
    virtual void FileStarting(const std::string &remote, std::size_t index, std::size_t count) = 0;
    // Bytes of the whole plan done so far.
    virtual void BytesDone(std::uint64_t done, std::uint64_t total) = 0;
    // Asked after every step.
    virtual bool CancelRequested() = 0;
};

struct PostOutcome {
    ResultCode code = result::kSuccess;
    std::string cause;
    std::size_t filesPosted = 0;
};

PostOutcome RunPost(const UploadPlan &plan, Transport &transport, PostObserver &observer);

// An observer that watches nothing and never cancels.
class SilentObserver : public PostObserver {
public:
    void FileStarting(const std::string &, std::size_t, std::size_t) override {}
    void BytesDone(std::uint64_t, std::uint64_t) override {}
    bool CancelRequested() override { return false; }
};

}  // namespace webpost
