#pragma once

#include <QTreeView>

namespace ostrelin::app {

// The queue list. Unlike a plain item view it never makes an entry current or selected on its
// own: when it gets the keyboard focus with no current entry, and when the current entry goes
// (deleted, printed and dropped at a rescan), none becomes current until the user moves onto or
// clicks an entry, so no document command acts on a job nobody chose. An entry the user chose
// stays current while others come and go.
class QueueListView final : public QTreeView {
    Q_OBJECT

  public:
    using QTreeView::QTreeView;

  protected:
    void focusInEvent(QFocusEvent* event) override;
    void rowsAboutToBeRemoved(const QModelIndex& parent, int start, int end) override;
};

}  // namespace ostrelin::app
