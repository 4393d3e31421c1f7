#include "app/desktop/list_log.h"

#include <time.h>

#include <cstdlib>

#include "ui/window/gbk_text.h"
#include "ui/list_lines.h"

namespace lenscout {

std::unique_ptr<ListLog> ListLog::fromEnvironment() {
    const char* path = std::getenv("LENSCOUT_LIST_LOG");
    if (!path || !*path) return nullptr;
    // "e": close-on-exec, so that the browser the program starts does not
    // hold the file open.
    FILE* file = std::fopen(path, "ae");
    return file ? std::unique_ptr<ListLog>(new ListLog(file)) : nullptr;
}

ListLog::~ListLog() { std::fclose(file_); }

void ListLog::write(const char* event, const ListLines& lines) {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    const long long ms = static_cast<long long>(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
    std::fprintf(file_, "%s mono_ms=%lld lines=%d\n", event, ms, lines.count());
    for (int i = 0; i < lines.count(); ++i) std::fprintf(file_, "  %s\n", fromGbk(lines.text(i)).toUtf8().constData());
    std::fflush(file_);
}

}  // namespace lenscout
