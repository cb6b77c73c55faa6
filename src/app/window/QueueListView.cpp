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

void QueueListView::rowsAboutToBeRemoved(const QModelIndex& parent, int start, int end) {
    // The view would pass the current entry and the selection on to a neighbour; the view is
    // told before the selection is, so clearing both first leaves nothing to pass on.
    const QModelIndex current = currentIndex();
    const bool currentGoes = current.isValid() && current.parent() == parent &&
                             current.row() >= start && current.row() <= end;
    if (currentGoes && selectionModel() != nullptr) {
        selectionModel()->clear();
    }
    QTreeView::rowsAboutToBeRemoved(parent, start, end);
}

}  // namespace ostrelin::app
