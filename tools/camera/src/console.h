#pragma once
// Where the commands write and how they ask: real streams in the program,
// string streams and canned answers in tests.

#include <functional>
#include <ostream>
#include <string>

namespace pdrcam {

struct Console {
    std::ostream &out;
    std::ostream &err;
    bool progressBar = false;  // draw a live bar (stdout is a terminal)
    int width = 80;
    // Shows the question on the terminal (never on `out`) and returns the
    // answer; false unless the user agrees, and false at once on an interrupt.
    std::function<bool(const std::string &question)> confirm;
    // Measures the terminal again before each redraw, so that the bar follows
    // a resize; none keeps `width`.
    std::function<int()> measureWidth;
    bool quiet = false;  // no per-file lines, no bar, no summary
};

}  // namespace pdrcam
