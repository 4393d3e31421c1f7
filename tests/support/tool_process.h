#pragma once
// One of the tools run as a child process on the computer's side of the
// virtual LAN, with its outputs kept for the test.
#include <map>
#include <string>
#include <vector>

#include <sys/types.h>

namespace lenscout::test {

struct ToolResult {
    int status = -1;  // the exit status, or -1 when it did not exit by itself
    std::string out;
    std::string err;
};

class ToolProcess {
public:
    // Starts `program` with `args`; `env` is added to the test's own
    // environment, and `input` is what its standard input reads.
    ToolProcess(const std::string& program, const std::vector<std::string>& args,
                const std::map<std::string, std::string>& env = {}, const std::string& input = "");
    ~ToolProcess();
    ToolProcess(const ToolProcess&) = delete;
    ToolProcess& operator=(const ToolProcess&) = delete;

    pid_t pid() const { return pid_; }
    // Waits up to timeoutMs for the end, killing the process after that.
    ToolResult finish(int timeoutMs = 60000);

private:
    pid_t pid_ = -1;
    std::string base_;
};

// Runs it to its end.
ToolResult runTool(const std::string& program, const std::vector<std::string>& args,
                   const std::map<std::string, std::string>& env = {}, const std::string& input = "");

// The contents of a file, whole; "" when it cannot be read.
std::string fileText(const std::string& path);

}  // namespace lenscout::test
