#include "qt/dialog_units.h"

#include <QFontMetrics>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QWidget>

namespace lenscout {

namespace {

bool unitsOf(const QWidget* w, QRect* out) {
    const QStringList parts = w->property("dialogUnits").toString().split(QLatin1Char(','));
    if (parts.size() != 4) return false;
    int v[4];
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        v[i] = parts[i].trimmed().toInt(&ok);
        if (!ok) return false;
    }
    *out = QRect(v[0], v[1], v[2], v[3]);
    return true;
}

// The average width of the Latin letters, rounded, as dialog base units
// are measured; a CJK font's own average is that of its wide characters.
int baseUnitAcross(const QFontMetrics& metrics) {
    const QString letters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    return (metrics.horizontalAdvance(letters) / 26 + 1) / 2;
}

}  // namespace

int dialogUnitsAcross(const QWidget* dialog, const QString& text) {
    const QFontMetrics metrics(dialog->font());
    const int across = baseUnitAcross(metrics);
    return across > 0 ? (metrics.horizontalAdvance(text) * 4 + across - 1) / across : 0;
}

void applyDialogUnits(QWidget* dialog) {
    const QFontMetrics metrics(dialog->font());
    const int across = baseUnitAcross(metrics);
    const int down = metrics.height();
    auto toPixels = [&](const QRect& du) {
        return QRect(du.x() * across / 4, du.y() * down / 8, du.width() * across / 4, du.height() * down / 8);
    };
    QRect du;
    if (unitsOf(dialog, &du)) dialog->setFixedSize(toPixels(du).size());
    for (QWidget* child : dialog->findChildren<QWidget*>())
        if (unitsOf(child, &du)) child->setGeometry(toPixels(du));
}

void setDialogUnits(QWidget* widget, const DialogRect& r) {
    widget->setProperty("dialogUnits", QStringLiteral("%1,%2,%3,%4").arg(r.x).arg(r.y).arg(r.width).arg(r.height));
}

}  // namespace lenscout
