#pragma once
// The list grid of the page list and the editors' tables: its owner supplies the row count,
// cell texts and cell colours on request, so the grid never holds a copy of the rows and
// stays instant with millions of them.

#include <QAbstractTableModel>
#include <QColor>
#include <QTableView>

#include <functional>
#include <optional>
#include <vector>

namespace morvane::ui {

struct TGridColumn {
    QString Header;
    int Width = 64;
    int MinWidth = 0;
    int MaxWidth = 0; // 0: no limit
    Qt::Alignment Alignment = Qt::AlignLeft | Qt::AlignVCenter;
    bool FixedSize = false;
};

struct TCellStyle {
    QColor Background;
    QColor Text;
};

class TGridModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    explicit TGridModel(QObject* parent = nullptr) : QAbstractTableModel(parent) {}
    int rowCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : FRows; }
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    void SetColumns(std::vector<TGridColumn> columns);
    const std::vector<TGridColumn>& Columns() const { return FColumns; }
    void SetRowCount(int rows);
    void Invalidate();

    std::function<QString(int column, int row)> CellText;
    std::function<std::optional<TCellStyle>(int column, int row)> CellStyle;

  private:
    std::vector<TGridColumn> FColumns;
    int FRows = 0;
};

class TGridView : public QTableView {
    Q_OBJECT
  public:
    explicit TGridView(QWidget* parent = nullptr);

    void SetColumns(std::vector<TGridColumn> columns);
    void SetRowCount(int rows);
    int RowCount() const { return FModel->rowCount(); }
    // Repaints with texts fetched again; the row count stays.
    void Invalidate();
    int FocusedRow() const;
    void SetFocusedRow(int row);
    // The cell text of the owner, as the grid shows it.
    QString CellText(int column, int row) const;
    TGridModel* GridModel() const { return FModel; }
    // Splits the grid's width between the columns in these proportions on every show and
    // resize (for example {2, 1}: two thirds and one third).
    void SetColumnShares(std::vector<int> shares);

    void SetCellText(std::function<QString(int column, int row)> fn) { FModel->CellText = std::move(fn); }
    void SetCellStyle(std::function<std::optional<TCellStyle>(int column, int row)> fn) {
        FModel->CellStyle = std::move(fn);
    }

  signals:
    void RowDoubleClicked(int row);
    void HeaderClicked(int column);

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    void ClampWidth(int column, int oldSize, int newSize);
    void ApplyShares();
    TGridModel* FModel;
    std::vector<int> FShares;
};

} // namespace morvane::ui
