// Faults the simulated camera can be told to commit, each on the Nth command
// (optionally counting only commands of one code).
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "protocol.h"

namespace camsim {

enum class FaultKind {
    DropResponse,    // the command is not carried out and nothing is answered
    StallPayload,    // header and the first `stallAfter` payload bytes, then nothing
    Busy,            // status 0x80 with the normal payload, or with `busyPayload`
    Refuse,          // the command is not carried out; status `status`, no payload
    WrongCode,       // byte 0 of the answer is not the command code
    ChangePictures,  // after answering, a picture other than the one asked for
                     // disappears as if erased on the camera itself
};

struct Fault {
    FaultKind kind = FaultKind::DropResponse;
    std::optional<uint8_t> command;  // count only commands with this code
    unsigned ordinal = 1;            // first hit: the Nth counted command (1-based)
    unsigned times = 1;              // consecutive counted commands hit
    size_t stallAfter = 0;
    uint8_t status = CAM_STATUS_UNKNOWN_COMMAND;
    std::optional<std::vector<uint8_t>> busyPayload;
};

class FaultPlan {
public:
    FaultPlan() = default;
    explicit FaultPlan(std::vector<Fault> faults);

    void add(const Fault &fault);

    // Counts one received command and returns the faults that hit it.
    std::vector<Fault> faultsFor(uint8_t code);

    bool empty() const { return entries_.empty(); }

private:
    struct Entry {
        Fault fault;
        unsigned seen = 0;
    };
    std::vector<Entry> entries_;
};

}  // namespace camsim
