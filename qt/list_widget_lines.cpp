#include "qt/list_widget_lines.h"

#include <QByteArray>
#include <QItemSelectionModel>

#include "app/text_fit.h"
#include "qt/utf8_text.h"

namespace lenscout {

namespace {

QListWidgetItem* makeItem(const std::string& line) {
    auto* item = new QListWidgetItem(qtText(line));
    item->setData(Qt::UserRole, QByteArray(line.data(), static_cast<qsizetype>(line.size())));
    return item;
}

}  // namespace

std::string ListWidgetLines::text(int i) const {
    const QListWidgetItem* item = list_->item(i);
    if (!item) return {};
    const QByteArray bytes = item->data(Qt::UserRole).toByteArray();
    const std::string_view line(bytes.constData(), static_cast<size_t>(bytes.size()));
    return std::string(line.substr(0, utf8Fit(line, kLineBufferSize - 1)));
}

void ListWidgetLines::insert(int i, const std::string& line) { list_->insertItem(i, makeItem(line)); }

void ListWidgetLines::replace(int i, const std::string& line) {
    QListWidgetItem* item = list_->item(i);
    if (!item) return;
    item->setText(qtText(line));
    item->setData(Qt::UserRole, QByteArray(line.data(), static_cast<qsizetype>(line.size())));
}

// A list box leaves nothing selected when the selected line goes. Qt's
// single selection would move on to a neighbour, a camera the user never
// chose, so the current line is let go of first.
void ListWidgetLines::remove(int i) {
    if (list_->currentRow() == i || selectedIndex() == i) list_->selectionModel()->clear();
    delete list_->takeItem(i);
}

int ListWidgetLines::selectedIndex() const {
    const QList<QListWidgetItem*> selected = list_->selectedItems();
    return selected.isEmpty() ? -1 : list_->row(selected.first());
}

void configureCameraList(QListWidget* list) {
    list->setSortingEnabled(false);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setTextElideMode(Qt::ElideNone);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    list->setUniformItemSizes(true);
}

}  // namespace lenscout
