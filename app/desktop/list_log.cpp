#include "app/desktop/list_log.h"

#include <chrono>
#include <cstdlib>

#include "platform/log_file.h"
#include "ui/window/gbk_text.h"
#include "ui/list_lines.h"

namespace lenscout {

std::unique_ptr<ListLog> ListLog::fromEnvironment() {
    const char* path = std::getenv("LENSCOUT_LIST_LOG");
    if (!path || !*path) return nullptr;
    FILE* file = openPrivateLog(path);
    return file ? std::unique_ptr<ListLog>(new ListLog(file)) : nullptr;
}

ListLog::~ListLog() { std::fclose(file_); }

void ListLog::write(const char* event, const ListLines& lines) {
    // The system's monotonic clock, which the simulator's logs also give.
    using namespace std::chrono;
    const long long ms = duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
    std::fprintf(file_, "%s mono_ms=%lld lines=%d\n", event, ms, lines.count());
    for (int i = 0; i < lines.count(); ++i) std::fprintf(file_, "  %s\n", fromGbk(lines.text(i)).toUtf8().constData());
    std::fflush(file_);
}

}  // namespace lenscout
