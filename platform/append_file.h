#pragma once
// Whole lines appended to a file that several programs may write at once,
// and where such files live.
#include <string>

namespace lenscout {

// Appends `line` in one locked write, so that two writers never mix their
// lines; creates the file (readable by its owner alone) and its folders.
bool appendLine(const std::string& utf8Path, const std::string& line);
// The user's folder for a program's state: $XDG_STATE_HOME, else
// ~/.local/state; on Windows %LOCALAPPDATA%. "" when none is known.
std::string userStateDirectory();

}  // namespace lenscout
