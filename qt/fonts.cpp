#include "qt/fonts.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QWidget>

namespace lenscout {

namespace {
const char* const kCjkMonoFamilies[] = {"Noto Sans Mono CJK SC", "Noto Sans Mono CJK TC", "WenQuanYi Zen Hei Mono"};
}  // namespace

QFont dialogFont() {
    const QStringList installed = QFontDatabase::families();
    for (const char* family : kCjkMonoFamilies)
        if (installed.contains(QString::fromLatin1(family))) return QFont(QString::fromLatin1(family), 9);
    QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    fixed.setPointSize(9);
    return fixed;
}

void applyListFont(QWidget* list) {
    QFont font = list->font();
    font.setPixelSize(14);
    font.setWeight(QFont::Weight(600));
    list->setFont(font);
}

}  // namespace lenscout
