#include "fault_plan.h"

namespace camsim {

FaultPlan::FaultPlan(std::vector<Fault> faults) {
    for (const auto &f : faults)
        add(f);
}

void FaultPlan::add(const Fault &fault) {
    entries_.push_back(Entry{fault, 0});
}

std::vector<Fault> FaultPlan::faultsFor(uint8_t code) {
    std::vector<Fault> hits;
    for (auto &e : entries_) {
        if (e.fault.command && *e.fault.command != code)
            continue;
        const unsigned n = ++e.seen;
        if (n >= e.fault.ordinal && n - e.fault.ordinal < e.fault.times)
            hits.push_back(e.fault);
    }
    return hits;
}

}  // namespace camsim
