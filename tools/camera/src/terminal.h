// Facts about the terminal the program talks to.
#pragma once

#include <cstdio>

namespace pdrcam {

bool isTerminal(std::FILE *stream);
// Columns of the terminal on stdout, 80 when unknown.
int terminalWidth();

}  // namespace pdrcam
