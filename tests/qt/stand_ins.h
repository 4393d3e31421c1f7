#pragma once
// Stand-ins for what surrounds the main window: the notification area, a
// worker thread that only answers its thread messages, and message boxes.
#include <atomic>
#include <string>
#include <vector>

#include "discovery/message_ids.h"
#include "platform/worker_thread.h"
#include "qt/gbk_text.h"
#include "qt/notification_area.h"

namespace lenscout::test {

struct TrayRecord {
    bool available = true;  // whether the desktop has a notification area now
    int adds = 0;           // attempts to add the icon
    bool added = false;
    bool removed = false;
    QString tip;
    int modifies = 0;
    int menusRun = 0;
    std::vector<TrayMenuEntry> lastMenu;
    int nextChoice = 0;  // what the next menu returns
};

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

private:
    TrayRecord* r_;
};

// Counts the thread messages a worker would get, and ends on WM_QUIT.
struct StubWorker {
    std::atomic<int> searches{0};
    std::atomic<int> setNetworks{0};
    std::atomic<int> quits{0};
    bool start(WorkerThread& thread) {
        return thread.start([this] {
            ThreadMessage m;
            for (;;) {
                if (!waitThreadMessage(&m, 50)) continue;
                if (m.message == TM_SEARCH_NOW) ++searches;
                if (m.message == TM_SET_NETWORK) {
                    ++setNetworks;
                    takeRecord(m.wParam);
                }
                if (m.message == WM_QUIT) {
                    ++quits;
                    return 0u;
                }
            }
        });
    }
};

struct MessageBoxes {
    std::vector<std::string> shown;  // GBK texts
};

}  // namespace lenscout::test
