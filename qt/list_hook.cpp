#include "qt/list_hook.h"

#include <QAbstractScrollArea>
#include <QKeyEvent>
#include <QMouseEvent>

#include "discovery/message_ids.h"
#include "qt/window_message.h"

namespace lenscout {

ListHook::ListHook(QWidget* list, QObject* mainWindow) : QObject(list), mainWindow_(mainWindow) {
    auto* area = qobject_cast<QAbstractScrollArea*>(list);
    if (area) area->viewport()->installEventFilter(this);
    list->installEventFilter(this);
}

// The Menu key and Shift+F10 open the menu as the right button does.
bool ListHook::isMenuKey(QEvent* event) {
    if (event->type() != QEvent::KeyPress) return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    return key->key() == Qt::Key_Menu || (key->key() == Qt::Key_F10 && key->modifiers() == Qt::ShiftModifier);
}

// lParam packs the position as x in the low and y in the high 16 bits.
bool ListHook::eventFilter(QObject*, QEvent* event) {
    if (isMenuKey(event)) {
        postWindowMessage(mainWindow_, WM_LIST_RCLICK, 0, 0);
        return true;
    }
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
