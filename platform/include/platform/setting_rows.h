#pragma once
// A program's table of the registry values it reads: one row per value, kept
// in the order of the program's enum of values so that a row is found by its
// identifier without a search. The programs' rows differ (what a missing
// value reads as); the order rule and the lookup are the same. Portable.
#include <cstddef>

namespace platform {

// True when row i has identifier i and there is one row per identifier.
template <typename Row, std::size_t N>
constexpr bool RowsInIdOrder(const Row (&rows)[N], decltype(Row{}.id) count) {
    for (std::size_t i = 0; i < N; ++i)
        if (static_cast<std::size_t>(rows[i].id) != i)
            return false;
    return N == static_cast<std::size_t>(count);
}

template <typename Row, std::size_t N>
constexpr const Row &RowOf(const Row (&rows)[N], decltype(Row{}.id) id) {
    return rows[static_cast<std::size_t>(id)];
}

}  // namespace platform
