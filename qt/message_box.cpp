#include "qt/message_box.h"

#include <QApplication>
#include <QMessageBox>

#include "qt/utf8_text.h"
#include "qt/window_modal.h"

namespace lenscout {

void showMessageBox(QWidget* parent, const char* text) {
    QMessageBox box(QMessageBox::Warning, QApplication::applicationName(), qtText(text), QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    makeWindowModal(&box, parent);
    box.exec();
}

}  // namespace lenscout
