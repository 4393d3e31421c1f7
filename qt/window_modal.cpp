#include "qt/window_modal.h"

#include <QWidget>

namespace lenscout {

void makeWindowModal(QWidget* dialog, QWidget* owner) {
    // setParent resets the flags; the dialog keeps its own caption buttons.
    if (owner) dialog->setParent(owner, dialog->windowFlags());
    dialog->setWindowModality(owner ? Qt::WindowModal : Qt::ApplicationModal);
}

}  // namespace lenscout
