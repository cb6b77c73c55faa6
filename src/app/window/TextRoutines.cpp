#include "app/window/TextRoutines.h"

#include <QHeaderView>
#include <QTreeView>

namespace ostrelin::app {

QString StripAmpersands(const QString& text) {
    QString stripped = text;
    stripped.remove(QLatin1Char('&'));
    return stripped;
}

void FillColumn(QTreeView* list, int index) {
    if (list == nullptr || list->model() == nullptr || index < 0 ||
        index >= list->model()->columnCount()) {
        return;
    }
    int others = 0;
    for (int column = 0; column < list->model()->columnCount(); ++column) {
        if (column != index) {
            others += list->columnWidth(column);
        }
    }
    list->setColumnWidth(index, std::max(0, list->viewport()->width() - others));
}

}  // namespace ostrelin::app
