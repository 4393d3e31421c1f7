#pragma once
// Tells the main window of a right-button press in the camera list, after
// the list has had it, as WM_LIST_RCLICK.
#include <QObject>

namespace lenscout {

class ListHook : public QObject {
public:
    // Watches `list`'s viewport, where the presses land.
    ListHook(QWidget* list, QObject* mainWindow);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QObject* mainWindow_;
};

}  // namespace lenscout
