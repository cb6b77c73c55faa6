#include "app/window/QueueListModel.h"

namespace ostrelin::app {

namespace {

QString FromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

QueueListModel::QueueListModel(SpoolQueue& queue, QObject* parent)
    : QAbstractTableModel(parent), queue_(queue) {
    queue_.SetObserver(this);
}

QueueListModel::~QueueListModel() {
    queue_.SetObserver(nullptr);
}

int QueueListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(queue_.Count());
}

int QueueListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant QueueListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || static_cast<std::size_t>(index.row()) >= queue_.Count()) {
        return {};
    }
    const QueueEntry& entry = queue_.Entries()[static_cast<std::size_t>(index.row())];
    if (role == Qt::DisplayRole) {
        switch (index.column()) {
            case ColFile:
                return FromUtf8(entry.FileName);
            case ColSize:
                return FromUtf8(entry.Size);
            case ColState:
                return FromUtf8(entry.State);
            case ColDescription:
                return FromUtf8(entry.Description);
            default:
                return {};
        }
    }
    if (role == Qt::TextAlignmentRole) {
        return headerData(index.column(), Qt::Horizontal, role);
    }
    if (role == Qt::ToolTipRole && !entry.ErrorText.empty()) {
        return FromUtf8(entry.ErrorText);
    }
    return {};
}

QVariant QueueListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal) {
        return {};
    }
    if (role == Qt::DisplayRole) {
        switch (section) {
            case ColFile:
                return QStringLiteral("Soubor");
            case ColSize:
                return QStringLiteral("Velikost");
            case ColState:
                return QStringLiteral("Stav");
            case ColDescription:
                return QStringLiteral("Popis");
            default:
                return {};
        }
    }
    if (role == Qt::TextAlignmentRole) {
        switch (section) {
            case ColSize:
                return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
            case ColState:
                return QVariant::fromValue(Qt::AlignHCenter | Qt::AlignVCenter);
            default:
                return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
        }
    }
    return {};
}

Qt::ItemFlags QueueListModel::flags(const QModelIndex& index) const {
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

void QueueListModel::BeginInsertEntry(std::size_t row) {
    beginInsertRows({}, static_cast<int>(row), static_cast<int>(row));
}

void QueueListModel::EndInsertEntry() {
    endInsertRows();
}

void QueueListModel::BeginRemoveEntry(std::size_t row) {
    beginRemoveRows({}, static_cast<int>(row), static_cast<int>(row));
}

void QueueListModel::EndRemoveEntry() {
    endRemoveRows();
}

void QueueListModel::EntryChanged(std::size_t row) {
    const int r = static_cast<int>(row);
    emit dataChanged(index(r, 0), index(r, ColumnCount - 1));
}

}  // namespace ostrelin::app
