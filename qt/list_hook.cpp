#include "qt/list_hook.h"

#include <QAbstractScrollArea>
#include <QMouseEvent>

#include "qt/window_message.h"
#include "ui/window_messages.h"

namespace lenscout {

ListHook::ListHook(QWidget* list, QObject* mainWindow) : QObject(list), mainWindow_(mainWindow) {
    auto* area = qobject_cast<QAbstractScrollArea*>(list);
    (area ? area->viewport() : list)->installEventFilter(this);
}

// lParam packs the position as x in the low and y in the high 16 bits.
bool ListHook::eventFilter(QObject*, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonRelease && type != QEvent::MouseButtonDblClick)
        return false;
    const auto* mouse = static_cast<QMouseEvent*>(event);
    if (mouse->button() == Qt::LeftButton) return false;
    // Only the left button selects and double-clicks; the others are kept
    // from the list, and the right one opens the menu.
    if (mouse->button() == Qt::RightButton && type == QEvent::MouseButtonPress) {
        const QPoint p = mouse->position().toPoint();
        const auto packed = static_cast<intptr_t>((p.x() & 0xffff) | ((p.y() & 0xffff) << 16));
        postWindowMessage(mainWindow_, WM_LIST_RCLICK, static_cast<uintptr_t>(mouse->buttons()), packed);
    }
    // The right button leaves the selection alone: the menu acts on the
    // line selected before.
    return true;
}

}  // namespace lenscout
