#pragma once
// Whole lines appended to a file that several programs may write at once,
// and where such files live.
#include <string>

namespace lenscout {

enum class AppendResult {
    Written,
    CannotOpen,   // no such folder, no right to it, or a full disk
    NotOurs,      // a link (symbolic or hard), a FIFO or a device, or a file of another user
    CannotWrite,  // opened, but the line or its flush to disk failed
};

// Appends `line` in one locked write and flushes it to disk, so that two
// writers never mix their lines and a line once written survives a crash.
// A last line left without its end (a full disk, a crash mid-write) is cut
// back under the lock first. Creates the file (readable by its owner alone)
// and its folders; never follows a link at the file itself.
AppendResult appendLine(const std::string& utf8Path, const std::string& line);
// The user's folder for a program's state: $XDG_STATE_HOME, else
// ~/.local/state; on Windows %LOCALAPPDATA%. "" when none is known.
std::string userStateDirectory();

}  // namespace lenscout
