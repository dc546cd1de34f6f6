#include "widgets/RecordTableModel.h"

#include "records/uStencil.h"

namespace morvane::ui {

void TRecordTableModel::SetTable(const TRecordTable* table) {
    beginResetModel();
    FTable = table;
    endResetModel();
}

int TRecordTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() || !FTable ? 0 : static_cast<int>(FTable->RowCount());
}

int TRecordTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() || !FTable ? 0 : static_cast<int>(FTable->ColumnCount());
}

QVariant TRecordTableModel::data(const QModelIndex& index, int role) const {
    if (!FTable || !index.isValid() || role != Qt::DisplayRole) return {};
    return QString::fromStdString(
        FTable->Value(static_cast<size_t>(index.row()), static_cast<size_t>(index.column())));
}

QVariant TRecordTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (!FTable || role != Qt::DisplayRole) return {};
    if (orientation == Qt::Horizontal)
        return QString::fromStdString(FTable->ColumnName(static_cast<size_t>(section)));
    return section + 1;
}

} // namespace morvane::ui
