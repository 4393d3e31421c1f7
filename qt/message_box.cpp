#include "qt/message_box.h"

#include <QApplication>
#include <QMessageBox>

#include "qt/gbk_text.h"

namespace lenscout {

void showMessageBox(QWidget* parent, const char* gbkText) {
    QMessageBox box(QMessageBox::NoIcon, QApplication::applicationName(), fromGbk(gbkText), QMessageBox::Ok, parent);
    box.exec();
}

}  // namespace lenscout
