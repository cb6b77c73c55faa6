#include "app/window/QueueListView.h"

#include <QFocusEvent>
#include <QItemSelectionModel>

namespace ostrelin::app {

void QueueListView::focusInEvent(QFocusEvent* event) {
    const bool hadCurrent = currentIndex().isValid();
    QTreeView::focusInEvent(event);
    if (!hadCurrent && currentIndex().isValid() && selectionModel() != nullptr) {
        selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
    }
}

}  // namespace ostrelin::app
