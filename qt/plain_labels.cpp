#include "qt/plain_labels.h"

#include <QLabel>

namespace lenscout {

void keepLabelsPlain(QWidget* dialog) {
    for (QLabel* label : dialog->findChildren<QLabel*>()) label->setTextFormat(Qt::PlainText);
}

void makeSelectable(QLabel* label) {
    label->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
}

}  // namespace lenscout
