#pragma once
// Facts about the terminal the program talks to.

#include <cstdio>
#include <string>

namespace pdrcam {

bool isTerminal(std::FILE *stream);
// Columns of the terminal on stdout, 80 when unknown.
int terminalWidth();
// One line of the user's answer from standard input, without its end;
// false at the end of input and as soon as an interrupt is requested
// (cancel_request.h).
bool readAnswerLine(std::string &answer);
// Standard output goes out a line at a time even into a pipe, so that a
// reader (tee, a log viewer) sees each file when it is written.
void lineBufferStandardOutput();

}  // namespace pdrcam
