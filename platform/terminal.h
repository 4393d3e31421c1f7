#pragma once
// The few terminal calls of the command-line tools: whether a stream is a
// terminal, its width, and a line read without echo.
#include <string>

namespace lenscout {

enum class StdStream { In = 0, Out = 1, Err = 2 };

bool isTerminal(StdStream stream);
// Columns of the terminal on standard error; 80 when unknown.
int terminalColumns();
// Shows `prompt` on the controlling terminal and reads one line from it with
// echo off; false when there is no terminal or the read fails.
bool readHiddenLine(const char* prompt, std::string* line);
// Asks the C library to follow the user's locale, so that texts can be
// converted to and from the terminal's encoding.
void followUserLocale();
// A reader of standard output or error that has gone away fails the write
// (EPIPE) instead of ending the process.
void ignoreBrokenPipes();

}  // namespace lenscout
