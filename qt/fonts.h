#pragma once
#include <QFont>

class QWidget;

namespace lenscout {

// 9 points of a fixed-pitch font whose Chinese characters are two Latin
// letters wide, so that blank-padded columns line up; the system's fixed
// font where none is installed.
QFont dialogFont();
// The list's font: the widget's own with pixel size 14 and weight 600.
void applyListFont(QWidget* list);

}  // namespace lenscout
