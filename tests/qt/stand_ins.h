#pragma once
// Stand-ins for what surrounds the main window: the notification area, a
// worker thread that only answers its thread messages, message boxes, and
// typing as a person types.
#include <QLineEdit>
#include <QTest>
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

// Typed into `edit` as a person types, over what it held: Delete for
// nothing, keys for ASCII, and the commit of an input method for the rest,
// which has no keys of its own.
inline void typeInto(QLineEdit* edit, const QString& text) {
    edit->selectAll();
    bool ascii = true;
    for (QChar c : text) ascii = ascii && c.unicode() < 128;
    if (text.isEmpty()) QTest::keyClick(edit, Qt::Key_Delete);
    else if (ascii)
        QTest::keyClicks(edit, text);
    else
        edit->insert(text);
}

}  // namespace lenscout::test
