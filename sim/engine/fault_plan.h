// Faults the simulated camera can be told to commit, each on the Nth command
// (optionally counting only commands of one code).
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "command_parser.h"
#include "protocol.h"

namespace camsim {

enum class FaultKind {
    DropResponse,    // the command is not carried out and nothing is answered
    StallPayload,    // header and the first `stallAfter` payload bytes, then nothing
                     // (or the rest after a pause of `resumeAfter`)
    Busy,            // status 0x80 with the normal payload, or with `payload`
    ReplacePayload,  // carried out and answered as usual, but with `payload`
    Refuse,          // the command is not carried out; status `status`, no payload
    WrongCode,       // byte 0 of the answer is not the command code
    ChangePictures,  // after answering, a picture disappears as if erased on
                     // the camera itself (`vanishes` says which)
};

// Which picture a change takes away, in directory order, relative to the one
// the command asked for. Before and After take its neighbours; where there
// is none, nothing vanishes and the host still gets status 137.
enum class Vanishing {
    Last,     // the last picture, unless it is the one asked for (then the one before)
    Before,   // the picture listed just before the one asked for
    Current,  // the one asked for itself
    After,    // the picture listed just after it
};

struct Fault {
    FaultKind kind = FaultKind::DropResponse;
    std::optional<uint8_t> command;  // count only commands with this code
    unsigned ordinal = 1;            // first hit: the Nth counted command (1-based)
    unsigned times = 1;              // consecutive counted commands hit
    size_t stallAfter = 0;
    Micros resumeAfter = 0;  // 0: the rest of a stalled payload never comes
    uint8_t status = CAM_STATUS_UNKNOWN_COMMAND;
    std::optional<std::vector<uint8_t>> payload;
    Vanishing vanishes = Vanishing::Last;
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
