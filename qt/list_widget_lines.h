#pragma once
// The camera list's lines in a QListWidget. Each item keeps the UTF-8 bytes it
// was given, so that reading a line back gives exactly those bytes, also
// for names that do not convert cleanly.
#include <QListWidget>

#include "ui/list_lines.h"

namespace lenscout {

class ListWidgetLines : public ListLines {
public:
    explicit ListWidgetLines(QListWidget* list) : list_(list) {}
    int count() const override { return list_->count(); }
    std::string text(int i) const override;
    void insert(int i, const std::string& line) override;
    void replace(int i, const std::string& line) override;
    void remove(int i) override;
    int selectedIndex() const override;
    void reset() override { list_->clear(); }

private:
    QListWidget* list_;
};

// A list widget that behaves as the camera list: one selection at most,
// never sorted, lines clipped rather than elided.
void configureCameraList(QListWidget* list);

}  // namespace lenscout
