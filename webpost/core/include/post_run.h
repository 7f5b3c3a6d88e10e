#pragma once
// Carries out an upload plan over a transport: steps in order, transient
// failures tried again up to kAttemptsPerStep times, the first lasting
// failure ends the run. Progress is reported to an observer, which may ask to
// cancel; cancelling takes effect after the step under way (a file is never
// left half-sent on purpose).

#include <cstdint>
#include <string>

#include "failure.h"
#include "site_memory.h"
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

// Every step of the plan, whatever the destination holds.
PostOutcome RunPost(const UploadPlan &plan, Transport &transport, PostObserver &observer);

// What a publish needs to know of the local side beyond the plan. Sha256Hex
// is called from several threads at once.
class LocalFacts {
public:
    virtual ~LocalFacts() = default;
    // A plan step's remote name as the manifest spells it (UTF-8); nullopt
    // when it cannot be converted.
    virtual std::optional<std::string> ManifestPath(const std::string &remote) = 0;
    // The SHA-256 of a local file in lower-case hex; nullopt when it cannot
    // be read.
    virtual std::optional<std::string> Sha256Hex(const std::string &localPath) = 0;
};

// A publish with the site's memory (manifest.h): the memory read after
// Open, only the steps that differ from it carried out (all of them when
// `sendAll`), then the memory written back, last, with what was done. When
// entries of the old memory are about to become untrue (their files are
// sent again), the memory without them is written before the first step,
// so that a post cut short, even by a lost connection, never leaves the
// memory claiming a file the server may not hold. After a failure or a
// cancel the memory still records the steps done. A plan with a step on
// the manifest's own name is posted whole, without memory.
PostOutcome RunPublish(const UploadPlan &plan, Transport &transport, LocalFacts &facts,
                       PostObserver &observer, bool sendAll);

// An observer that watches nothing and never cancels.
class SilentObserver : public PostObserver {
public:
    void FileStarting(const std::string &, std::size_t, std::size_t) override {}
    void BytesDone(std::uint64_t, std::uint64_t) override {}
    bool CancelRequested() override { return false; }
};

}  // namespace webpost
