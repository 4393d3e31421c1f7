#include "support/tool_process.h"

#include "support/exec_line.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <thread>

namespace lenscout::test {

namespace {

void redirect(const std::string& path, int fd, int flags) {
    const int file = open(path.c_str(), flags, 0600);
    if (file < 0 || dup2(file, fd) < 0) _exit(126);
    close(file);
}

}  // namespace

std::string fileText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

ToolProcess::ToolProcess(const std::string& program, const std::vector<std::string>& args,
                         const std::map<std::string, std::string>& env, const std::string& input) {
    static int serial = 0;
    const char* dir = std::getenv("LENSCOUT_VLAN_DIR");
    base_ = std::string(dir ? dir : "/tmp") + "/tool-" + std::to_string(getpid()) + "-" + std::to_string(++serial);
    std::ofstream(base_ + ".in", std::ios::binary) << input;
    // Everything the child needs is made before the fork (see ExecLine).
    const std::string in = base_ + ".in", out = base_ + ".out", err = base_ + ".err";
    const ExecLine line(program, args, env);
    pid_ = fork();
    if (pid_ != 0) return;
    redirect(in, STDIN_FILENO, O_RDONLY);
    redirect(out, STDOUT_FILENO, O_WRONLY | O_CREAT | O_TRUNC);
    redirect(err, STDERR_FILENO, O_WRONLY | O_CREAT | O_TRUNC);
    line.exec();
}

ToolProcess::~ToolProcess() {
    if (pid_ > 0) finish(0);
}

ToolResult ToolProcess::finish(int timeoutMs) {
    ToolResult result;
    if (pid_ <= 0) return result;
    int status = 0;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (waitpid(pid_, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() >= deadline) {
            kill(pid_, SIGKILL);
            waitpid(pid_, &status, 0);
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    pid_ = -1;
    if (WIFEXITED(status)) result.status = WEXITSTATUS(status);
    result.out = fileText(base_ + ".out");
    result.err = fileText(base_ + ".err");
    return result;
}

ToolResult runTool(const std::string& program, const std::vector<std::string>& args,
                   const std::map<std::string, std::string>& env, const std::string& input) {
    return ToolProcess(program, args, env, input).finish();
}

}  // namespace lenscout::test
