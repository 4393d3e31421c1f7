#pragma once
// Files of the user's own: the settings file in the user's folder for
// them, read and replaced so that nobody else can slip a file in between.
#include <cstddef>
#include <string>

namespace lenscout {

// The settings file of every Lenscout program for this user:
// $XDG_CONFIG_HOME/lenscout/lenscout.cfg (else ~/.config/...), on Windows
// %APPDATA%\Lenscout\lenscout.cfg. "" when the system names no such folder.
std::string userSettingsPath();

// Each missing folder on the way to the file `utf8Path`, for its owner alone.
void makePrivateFolders(const std::string& utf8Path);

// At most `limit` bytes of a regular file that this user owns, opened
// without following a link at it; false for a missing file, a link, a FIFO
// or a device, or another user's file.
bool readOwnFile(const std::string& utf8Path, size_t limit, std::string* text);
// Puts `text` in place of the file whole, through a temporary file beside
// it and a rename, so that a crash leaves the old file or the new one,
// never half of one. False, with nothing changed, when it cannot, or when
// the place holds a link, a FIFO or another user's file.
bool replaceOwnFile(const std::string& utf8Path, const std::string& text);

}  // namespace lenscout
