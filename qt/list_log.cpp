#include "qt/list_log.h"

#include <chrono>
#include <cstdlib>

#include "platform/log_file.h"
#include "ui/list_lines.h"

namespace lenscout {

std::unique_ptr<ListLog> ListLog::fromEnvironment() {
    const char* path = std::getenv("LENSCOUT_LIST_LOG");
    if (!path || !*path) return nullptr;
    FileHandle file = openPrivateLog(path);
    return file ? std::unique_ptr<ListLog>(new ListLog(std::move(file))) : nullptr;
}

void ListLog::write(const char* event, const ListLines& lines) {
    // The system's monotonic clock, which the simulator's logs also give.
    using namespace std::chrono;
    const long long ms = duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
    std::fprintf(file_.get(), "%s mono_ms=%lld lines=%d\n", event, ms, lines.count());
    for (int i = 0; i < lines.count(); ++i) std::fprintf(file_.get(), "  %s\n", lines.text(i).c_str());
    std::fflush(file_.get());
}

}  // namespace lenscout
