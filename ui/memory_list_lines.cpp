#include "ui/memory_list_lines.h"

namespace lenscout {

std::string MemoryListLines::text(int i) const {
    if (i < 0 || i >= count()) return {};
    return lines_[i].substr(0, kLineBufferSize - 1);
}

// The selection follows its line, as in a list widget.
void MemoryListLines::insert(int i, const std::string& line) {
    if (i < 0 || i > count()) i = count();
    lines_.insert(lines_.begin() + i, line);
    if (selected_ >= i) ++selected_;
    ++written_;
}

void MemoryListLines::replace(int i, const std::string& line) {
    if (i < 0 || i >= count()) return;
    lines_[static_cast<size_t>(i)] = line;
    ++written_;
}

void MemoryListLines::remove(int i) {
    if (i < 0 || i >= count()) return;
    lines_.erase(lines_.begin() + i);
    if (selected_ == i) selected_ = -1;
    else if (selected_ > i)
        --selected_;
    ++removed_;
}

void MemoryListLines::reset() {
    lines_.clear();
    selected_ = -1;
}

}  // namespace lenscout
