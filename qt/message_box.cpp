#include "qt/message_box.h"

#include <QApplication>
#include <QMessageBox>

#include "qt/gbk_text.h"
#include "qt/window_modal.h"

namespace lenscout {

void showMessageBox(QWidget* parent, const char* gbkText) {
    QMessageBox box(QMessageBox::Warning, QApplication::applicationName(), fromGbk(gbkText), QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    makeWindowModal(&box, parent);
    box.exec();
}

}  // namespace lenscout
