#pragma once
// Stand-ins for what surrounds the main window: the notification area, a
// worker thread that only answers its thread messages, and message boxes.
#include <atomic>
#include <string>
#include <vector>

#include "discovery/message_ids.h"
#include "platform/worker_thread.h"
#include "qt/notification_area.h"
#include "qt/utf8_text.h"
#include "support/stub_worker.h"
#include "support/tray_record.h"

namespace lenscout::test {

using TrayRecord = TrayRecordOf<QString>;

class FakeTray : public NotificationArea {
public:
    explicit FakeTray(TrayRecord* record) : r_(record) {}
    bool add(const QIcon&, const QString& tip) override {
        ++r_->adds;
        r_->added = r_->available;
        r_->tip = tip;
        return r_->available;
    }
    void modify(const QString& tip) override {
        ++r_->modifies;
        r_->tip = tip;
    }
    void remove() override { r_->removed = true; }
    int runMenu(const std::vector<TrayMenuEntry>& entries) override {
        ++r_->menusRun;
        r_->lastMenu = entries;
        return r_->nextChoice;
    }
    bool shown() const override { return r_->added && !r_->removed; }
    // What a panel does with the icon's own menu, and a host that comes or goes.
    std::vector<TrayMenuEntry> panelOpensMenu() { return iconMenu_.entries(); }
    void panelChooses(int command) { iconMenu_.chosen(command); }
    void hostChanges(bool available) {
        r_->available = available;
        if (!available) r_->added = false;
        hostChanged_();
    }

private:
    TrayRecord* r_;
};

struct MessageBoxes {
    std::vector<std::string> shown;  // UTF-8 texts
};

}  // namespace lenscout::test
