#include "support/sim_process.h"

#include "support/exec_line.h"

#include <fcntl.h>
#include <sched.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <thread>

namespace lenscout::test {

std::function<void(const std::string& lines)> onViolations;

namespace {

std::string envOr(const std::string& name, const char* fallback) {
    const char* v = std::getenv(name.c_str());
    return v ? v : fallback;
}

// In the forked child: only async-signal-safe calls until the exec.
[[noreturn]] void runInHost(const std::string& netns, const ExecLine& line, int readyFd) {
    const int fd = open(netns.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0 || setns(fd, CLONE_NEWNET) != 0) _exit(126);
    dup2(readyFd, STDOUT_FILENO);
    line.exec();
}

}  // namespace

SimProcess::SimProcess(int host, const std::vector<std::string>& args) {
    static int serial = 0;
    log_ = envOr("LENSCOUT_VLAN_DIR", "/tmp") + "/sim-" + std::to_string(getpid()) + "-" + std::to_string(++serial) +
           ".log";
    start(host, envOr("LENSCOUT_CAMSIM", "lenscout-camsim"), args, log_);
}

SimProcess::SimProcess(int host, const char* programVariable, const std::vector<std::string>& args) {
    start(host, envOr(programVariable, ""), args, "");
}

void SimProcess::start(int host, const std::string& program, const std::vector<std::string>& args,
                       const std::string& log) {
    const std::string netns = envOr("LENSCOUT_NETNS_" + std::to_string(host), "");
    std::vector<std::string> all = args;
    if (!log.empty()) all.insert(all.end(), {"--log", log});
    const ExecLine line(program, all);
    int pipeFds[2];
    if (pipe2(pipeFds, O_CLOEXEC) != 0) return;
    pid_ = fork();
    if (pid_ == 0) runInHost(netns, line, pipeFds[1]);
    close(pipeFds[1]);
    // The simulator prints "ready" once its socket is bound; wait at most 5 s.
    std::string out;
    char c;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (pid_ > 0 && out.find("ready\n") == std::string::npos && std::chrono::steady_clock::now() < deadline) {
        if (read(pipeFds[0], &c, 1) != 1) break;
        out += c;
    }
    close(pipeFds[0]);
    ready_ = out.find("ready\n") != std::string::npos;
}

SimProcess::~SimProcess() {
    if (pid_ <= 0) return;
    kill(pid_, SIGTERM);
    waitpid(pid_, nullptr, 0);
    std::string found;
    for (const std::string& line : violations()) found += line + "\n";
    if (!found.empty() && !allowViolations_ && onViolations) onViolations(found);
    if (!log_.empty()) std::remove(log_.c_str());
}

std::vector<std::string> SimProcess::logLines() const {
    std::vector<std::string> lines;
    std::ifstream in(log_);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

std::vector<std::string> SimProcess::violations() const {
    std::vector<std::string> found;
    for (const std::string& line : logLines())
        if (line.find(" violation=") != std::string::npos) found.push_back(line);
    return found;
}

bool SimProcess::waitForLine(const std::vector<std::string>& parts, int timeoutMs, std::string* found) const {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    do {
        for (const std::string& line : logLines()) {
            bool all = true;
            for (const std::string& p : parts) all = all && line.find(p) != std::string::npos;
            if (!all) continue;
            if (found) *found = line;
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    } while (std::chrono::steady_clock::now() < deadline);
    return false;
}

}  // namespace lenscout::test
