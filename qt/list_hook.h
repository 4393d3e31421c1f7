#pragma once
// Tells the main window of a right-button press in the camera list, or of
// the Menu key or Shift+F10 on it, as WM_LIST_RCLICK, to be handled from its queue. The list itself does not see
// right-button clicks, which in a Qt list would change the selection, nor
// middle or other buttons: only the left one selects and double-clicks.
#include <QObject>

namespace lenscout {

class ListHook : public QObject {
public:
    // Watches `list`'s viewport, where the presses land.
    ListHook(QWidget* list, QObject* mainWindow);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    static bool isMenuKey(QEvent* event);

    QObject* mainWindow_;
};

}  // namespace lenscout
