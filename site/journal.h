#pragma once
// The journal: JSON lines for every change that a command attempts, with
// the time, the run, the camera, its old and planned values and the
// outcome; never a password (docs/json.md). By default $XDG_STATE_HOME/lenscout/journal.jsonl (Windows:
// %LOCALAPPDATA%\lenscout\journal.jsonl); --journal F picks another file,
// --no-journal writes none.
#include <cstdint>
#include <ctime>
#include <functional>
#include <mutex>
#include <string>

#include "discovery/camera_info.h"
#include "platform/append_file.h"
#include "site/json_value.h"

namespace lenscout {

struct JournalOptions {
    std::string path;  // empty: the default place
    bool off = false;
};

// One change a command attempts on one camera. `old` and `planned` are
// JSON objects.
struct JournalEntry {
    std::string id;  // UTF-8
    uint32_t ip = 0;
    Json old;
    Json planned;
};
// A change of a camera's network settings: what it showed (its DHCP mode
// unknown, as a reply does not show it), and what it is to have.
JournalEntry settingsChange(const CameraInfo& current, const CameraInfo& wanted, bool dhcp);

// The journal of one run of a command: an "attempt" line goes before each
// request and an "outcome" line once it is known, both with the run's ID,
// each flushed to disk as it is written. A journal that cannot be written
// is no failure of the run: `cannotWrite` hears of it once, with the path
// ("" when there is no state folder). Uploads write from their own threads:
// one line at a time.
class Journal {
public:
    using CannotWrite = std::function<void(const std::string& path, AppendResult why)>;
    Journal(const JournalOptions& options, std::string command, CannotWrite cannotWrite = nullptr);
    const std::string& run() const { return run_; }
    void attempt(const JournalEntry& entry);
    void outcome(const JournalEntry& entry, const char* outcome);

private:
    void write(const std::string& line);

    JournalOptions options_;
    std::string command_;
    std::string run_;
    CannotWrite cannotWrite_;
    std::mutex lock_;
    bool warned_ = false;
};

// The line for an entry at `when` (UTC), ending in a line feed: `event` is
// "attempt" or "outcome", and `outcome` is given with the latter alone.
std::string journalLine(const std::string& run, const std::string& command, const char* event,
                        const JournalEntry& entry, const char* outcome, std::time_t when);
// The journal's file: --journal's, else the default place; "" when none.
std::string journalPath(const JournalOptions& options);

}  // namespace lenscout
