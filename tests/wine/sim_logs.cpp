#include "sim_logs.h"

#include <cstdlib>
#include <fstream>

namespace lenscout::test {

std::vector<std::string> simLog(int host) {
    std::vector<std::string> lines;
    const char* path = std::getenv(("LENSCOUT_CAMSIM_LOG_" + std::to_string(host)).c_str());
    if (!path) return lines;
    std::ifstream in(path);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

std::vector<std::string> simLines(int host, const std::vector<std::string>& parts) {
    std::vector<std::string> found;
    for (const std::string& line : simLog(host)) {
        bool all = true;
        for (const std::string& part : parts) all = all && line.find(part) != std::string::npos;
        if (all) found.push_back(line);
    }
    return found;
}

std::vector<std::string> simViolations(int hosts) {
    std::vector<std::string> found;
    for (int host = 1; host <= hosts; ++host)
        for (const std::string& line : simLines(host, {" violation="})) found.push_back(line);
    return found;
}

}  // namespace lenscout::test
