#pragma once
// The record extractor: collects a relation's stored records, lays them out by the stored
// formats or by a field list made by hand, shows them in a table and exports it as text.

#include "core/uODS.h"
#include "records/uIBFieldDefs.h"
#include "records/uStencil.h"

#include <QWidget>

#include <functional>
#include <memory>
#include <vector>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTabWidget;
class QTableView;

namespace morvane::ui {
class TManager;
class TRecordTableModel;
} // namespace morvane::ui

namespace morvane::records {

class TfmExtracter : public QWidget {
    Q_OBJECT
  public:
    // manager: the database manager in force when an extraction runs (none while closed).
    explicit TfmExtracter(std::function<ui::TManager*()> manager, QWidget* parent = nullptr);
    ~TfmExtracter() override;

    void AddSelected();
    void RemoveSelected();
    void ClearTarget();
    void ManualExtract();
    void AutomaticExtract();
    void ExportToScript();
    const TRecordTable* Table() const;
    const std::vector<std::unique_ptr<TIBFieldDefList>>& Lists() const { return FLists; }

    QLineEdit* edRelID;
    QTabWidget* Tabs;
    QLabel* lblcntRec;
    QListWidget* lbSour;
    QLineEdit* edCharLen;
    QListWidget* lbTarg;
    QLabel* lblCNT;
    QTableView* Grid;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    ui::TManager* Manager() const;
    void Show(std::vector<std::unique_ptr<TIBFieldDefList>> lists, const std::vector<IBRec>& records);

    std::function<ui::TManager*()> FManager;
    std::vector<IBRec> FRecords;
    std::vector<std::unique_ptr<TIBFieldDefList>> FLists;
    std::unique_ptr<TStensil> FStensil;
    ui::TRecordTableModel* FModel;
};

} // namespace morvane::records
