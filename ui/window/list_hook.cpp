#include "ui/window/list_hook.h"

#include <QAbstractScrollArea>
#include <QMouseEvent>

#include "ui/window/window_message.h"
#include "ui/window_messages.h"

namespace lenscout {

ListHook::ListHook(QWidget* list, QObject* mainWindow) : QObject(list), mainWindow_(mainWindow) {
    auto* area = qobject_cast<QAbstractScrollArea*>(list);
    (area ? area->viewport() : list)->installEventFilter(this);
}

// The press goes on to the list unchanged; the window's handler runs later,
// from its queue. lParam packs the position as x in the low and y in the
// high 16 bits.
bool ListHook::eventFilter(QObject*, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress) {
        const auto* press = static_cast<QMouseEvent*>(event);
        if (press->button() == Qt::RightButton) {
            const QPoint p = press->position().toPoint();
            const auto packed = static_cast<intptr_t>((p.x() & 0xffff) | ((p.y() & 0xffff) << 16));
            postWindowMessage(mainWindow_, WM_LIST_RCLICK, static_cast<uintptr_t>(press->buttons()), packed);
        }
    }
    return false;
}

}  // namespace lenscout
