#pragma once
// The camera list's lines in list box 1004: UTF-8 lines in, UTF-16 on screen.
#include <windows.h>

#include "ui/list_lines.h"

namespace lenscout {

class ListBoxLines : public ListLines {
public:
    explicit ListBoxLines(HWND list) : list_(list) {}
    int count() const override;
    std::string text(int i) const override;
    void insert(int i, const std::string& line) override;
    void replace(int i, const std::string& line) override;
    void remove(int i) override;
    int selectedIndex() const override;
    void reset() override;
    // Drawing stops, and the top line is put back afterwards: a rewritten
    // line is put back with its selection, which would scroll it into view.
    void beginChanges() override;
    void endChanges() override;

private:
    HWND list_;
    int depth_ = 0;
    int top_ = 0;
};

}  // namespace lenscout
