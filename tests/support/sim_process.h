#pragma once
// A camera simulator running on one of the virtual LAN's camera hosts, for
// the lifetime of the object.
#include <functional>
#include <string>
#include <vector>

#include <sys/types.h>

namespace lenscout::test {

// Told, when a simulator ends, of every log line in which it found the
// program breaking the wire layout; the test programs fail the test then.
extern std::function<void(const std::string& lines)> onViolations;

class SimProcess {
public:
    // Starts lenscout-camsim with `args` on camera host `host` and waits
    // until it is ready; ok() tells whether that worked.
    SimProcess(int host, const std::vector<std::string>& args);
    // Another program of the tools, found by the environment variable that
    // names it (LENSCOUT_FLOOD, ...), started the same way but without a log.
    SimProcess(int host, const char* programVariable, const std::vector<std::string>& args);
    ~SimProcess();
    SimProcess(const SimProcess&) = delete;
    SimProcess& operator=(const SimProcess&) = delete;

    bool ok() const { return ready_; }
    std::vector<std::string> logLines() const;
    std::vector<std::string> violations() const;
    // For a simulator that hears other senders than the program (a flood).
    void allowViolations() { allowViolations_ = true; }
    // Waits up to timeoutMs for a log line that contains every one of `parts`.
    bool waitForLine(const std::vector<std::string>& parts, int timeoutMs, std::string* line = nullptr) const;

private:
    void start(int host, const std::string& program, const std::vector<std::string>& args, const std::string& log);

    pid_t pid_ = -1;
    std::string log_;
    bool ready_ = false;
    bool allowViolations_ = false;
};

}  // namespace lenscout::test
