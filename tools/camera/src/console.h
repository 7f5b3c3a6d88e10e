// Where the commands write and how they ask: real streams in the program,
// string streams and canned answers in tests.
#pragma once

#include <functional>
#include <ostream>
#include <string>

namespace pdrcam {

struct Console {
    std::ostream &out;
    std::ostream &err;
    bool progressBar = false;  // draw a live bar (stdout is a terminal)
    int width = 80;
    // Shows the question and returns the answer; false unless the user agrees.
    std::function<bool(const std::string &question)> confirm;
};

}  // namespace pdrcam
