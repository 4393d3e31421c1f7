#include "support/exec_line.h"

#include <unistd.h>

extern char** environ;

namespace lenscout::test {

namespace {

std::vector<char*> pointersTo(std::vector<std::string>& texts) {
    std::vector<char*> pointers;
    for (std::string& t : texts) pointers.push_back(t.data());
    pointers.push_back(nullptr);
    return pointers;
}

}  // namespace

ExecLine::ExecLine(const std::string& program, const std::vector<std::string>& args,
                   const std::map<std::string, std::string>& env) {
    args_.push_back(program);
    args_.insert(args_.end(), args.begin(), args.end());
    for (char** e = environ; *e; ++e) {
        const std::string entry(*e);
        if (!env.count(entry.substr(0, entry.find('=')))) env_.push_back(entry);
    }
    for (const auto& [name, value] : env) env_.push_back(name + "=" + value);
    argv_ = pointersTo(args_);
    envp_ = pointersTo(env_);
}

void ExecLine::exec() const {
    execve(args_[0].c_str(), argv_.data(), envp_.data());
    _exit(127);
}

}  // namespace lenscout::test
