#pragma once
// The data grid's view of a record table.

#include <QAbstractTableModel>

namespace morvane {
class TRecordTable;
}

namespace morvane::ui {

class TRecordTableModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    explicit TRecordTableModel(QObject* parent = nullptr) : QAbstractTableModel(parent) {}
    void SetTable(const TRecordTable* table);
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  private:
    const TRecordTable* FTable = nullptr;
};

} // namespace morvane::ui
