#pragma once

#include <QTreeView>

namespace ostrelin::app {

// The queue list. Unlike a plain item view it never makes an entry current on its own: when it
// gets the keyboard focus with no current entry, none becomes current until the user moves onto
// or clicks an entry, so no document command acts on a job nobody chose.
class QueueListView final : public QTreeView {
    Q_OBJECT

  public:
    using QTreeView::QTreeView;

  protected:
    void focusInEvent(QFocusEvent* event) override;
};

}  // namespace ostrelin::app
