#pragma once
// A list of lines in memory, for tests, benchmarks and tools, that counts
// the lines it is given so that a rewrite can be seen.
#include <string>
#include <vector>

#include "ui/list_lines.h"

namespace lenscout {

class MemoryListLines : public ListLines {
public:
    int count() const override { return static_cast<int>(lines_.size()); }
    std::string text(int i) const override;
    void insert(int i, const std::string& line) override;
    void replace(int i, const std::string& line) override;
    void remove(int i) override;
    int selectedIndex() const override { return selected_; }
    void reset() override;

    // Selects line i, as a click would; -1 selects none.
    void select(int i) { selected_ = (i >= 0 && i < count()) ? i : -1; }
    const std::vector<std::string>& lines() const { return lines_; }
    // Lines appended or inserted, and lines removed, since construction.
    int written() const { return written_; }
    int removed() const { return removed_; }

private:
    std::vector<std::string> lines_;
    int selected_ = -1;
    int written_ = 0;
    int removed_ = 0;
};

}  // namespace lenscout
