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
// Ctrl-C, SIGTERM and SIGHUP (on Windows Ctrl-C and Ctrl-Break) end the
// program as usual, but first give back the echo that the password prompt
// took away.
void handleInterrupts();
// From now on the first of them is only counted, so that the program can
// let what runs finish and report it; a second one ends it at once.
void countInterrupts();
int interruptsSeen();

}  // namespace lenscout
