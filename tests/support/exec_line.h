#pragma once
// A program's command line and environment, made before a fork: the child
// of a process with threads may only make async-signal-safe calls until it
// execs, and an allocation there can wait for ever on a lock that another
// thread held at the fork.
#include <map>
#include <string>
#include <vector>

namespace lenscout::test {

class ExecLine {
public:
    // `env` is added to this process's environment, replacing what it names.
    ExecLine(const std::string& program, const std::vector<std::string>& args,
             const std::map<std::string, std::string>& env = {});
    ExecLine(const ExecLine&) = delete;
    ExecLine& operator=(const ExecLine&) = delete;

    // In the child: runs the program, or ends with 127.
    [[noreturn]] void exec() const;

private:
    std::vector<std::string> args_, env_;
    std::vector<char*> argv_, envp_;
};

}  // namespace lenscout::test
