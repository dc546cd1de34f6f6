#include "widgets/GridView.h"

#include <QHeaderView>

namespace morvane::ui {

int TGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(FColumns.size());
}

QVariant TGridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= FRows) return {};
    switch (role) {
    case Qt::DisplayRole:
        return CellText ? CellText(index.column(), index.row()) : QString();
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(FColumns[static_cast<size_t>(index.column())].Alignment);
    case Qt::BackgroundRole:
    case Qt::ForegroundRole:
        if (CellStyle) {
            if (const auto style = CellStyle(index.column(), index.row()))
                return role == Qt::BackgroundRole ? style->Background : style->Text;
        }
        return {};
    default:
        return {};
    }
}

QVariant TGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= columnCount()) return {};
    if (role == Qt::DisplayRole) return FColumns[static_cast<size_t>(section)].Header;
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(FColumns[static_cast<size_t>(section)].Alignment);
    return {};
}

void TGridModel::SetColumns(std::vector<TGridColumn> columns) {
    beginResetModel();
    FColumns = std::move(columns);
    endResetModel();
}

void TGridModel::SetRowCount(int rows) {
    if (rows == FRows) return;
    beginResetModel();
    FRows = std::max(0, rows);
    endResetModel();
}

void TGridModel::Invalidate() {
    if (FRows > 0 && !FColumns.empty())
        emit dataChanged(index(0, 0), index(FRows - 1, static_cast<int>(FColumns.size()) - 1));
}

TGridView::TGridView(QWidget* parent) : QTableView(parent), FModel(new TGridModel(this)) {
    setModel(FModel);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setShowGrid(false);
    setWordWrap(false);
    setTabKeyNavigation(false);
    verticalHeader()->hide();
    // Uniform rows: the view never measures row contents, however many rows there are.
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setSectionsClickable(true);
    horizontalHeader()->setStretchLastSection(false);
    connect(horizontalHeader(), &QHeaderView::sectionClicked, this, &TGridView::HeaderClicked);
    connect(horizontalHeader(), &QHeaderView::sectionResized, this, &TGridView::ClampWidth);
    connect(this, &QTableView::doubleClicked, this,
            [this](const QModelIndex& i) { emit RowDoubleClicked(i.row()); });
}

void TGridView::SetColumns(std::vector<TGridColumn> columns) {
    FModel->SetColumns(std::move(columns));
    const auto& cols = FModel->Columns();
    for (int c = 0; c < static_cast<int>(cols.size()); ++c) {
        const TGridColumn& col = cols[static_cast<size_t>(c)];
        horizontalHeader()->setSectionResizeMode(c, col.FixedSize ? QHeaderView::Fixed
                                                                  : QHeaderView::Interactive);
        setColumnWidth(c, col.Width);
    }
}

void TGridView::ClampWidth(int column, int, int newSize) {
    const auto& cols = FModel->Columns();
    if (column < 0 || column >= static_cast<int>(cols.size())) return;
    const TGridColumn& col = cols[static_cast<size_t>(column)];
    int clamped = std::max(newSize, col.MinWidth);
    if (col.MaxWidth > 0) clamped = std::min(clamped, col.MaxWidth);
    if (clamped != newSize) setColumnWidth(column, clamped);
}

void TGridView::SetColumnShares(std::vector<int> shares) {
    FShares = std::move(shares);
    ApplyShares();
}

void TGridView::ApplyShares() {
    int total = 0;
    for (int s : FShares)
        total += s;
    if (total <= 0) return;
    const int width = viewport()->width();
    int used = 0, share = 0;
    for (int c = 0; c < static_cast<int>(FShares.size()) && c < FModel->columnCount(); ++c) {
        share += FShares[static_cast<size_t>(c)];
        const int right = width * share / total;
        setColumnWidth(c, right - used);
        used = right;
    }
}

void TGridView::resizeEvent(QResizeEvent* event) {
    QTableView::resizeEvent(event);
    ApplyShares();
}

void TGridView::showEvent(QShowEvent* event) {
    QTableView::showEvent(event);
    ApplyShares();
}

void TGridView::SetRowCount(int rows) {
    FModel->SetRowCount(rows);
}

void TGridView::Invalidate() {
    viewport()->update();
}

int TGridView::FocusedRow() const {
    return currentIndex().isValid() ? currentIndex().row() : -1;
}

void TGridView::SetFocusedRow(int row) {
    if (row < 0 || row >= RowCount()) return;
    setCurrentIndex(FModel->index(row, 0));
}

QString TGridView::CellText(int column, int row) const {
    return FModel->data(FModel->index(row, column), Qt::DisplayRole).toString();
}

} // namespace morvane::ui
