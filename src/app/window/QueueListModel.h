#pragma once

#include <QAbstractTableModel>

#include "app/queue/QueueObserver.h"
#include "app/queue/SpoolQueue.h"

namespace ostrelin::app {

// Shows the spool queue as the four columns of the queue list.
class QueueListModel final : public QAbstractTableModel, public QueueObserver {
    Q_OBJECT

  public:
    enum Column { ColFile = 0, ColSize, ColState, ColDescription, ColumnCount };

    explicit QueueListModel(SpoolQueue& queue, QObject* parent = nullptr);
    ~QueueListModel() override;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    void BeginInsertEntry(std::size_t row) override;
    void EndInsertEntry() override;
    void BeginRemoveEntry(std::size_t row) override;
    void EndRemoveEntry() override;
    void EntryChanged(std::size_t row) override;

  private:
    SpoolQueue& queue_;
};

}  // namespace ostrelin::app
