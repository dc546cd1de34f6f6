#pragma once
// Asked when the header page is not recognised: which page size to read the file with.

#include <QDialog>

class QComboBox;

namespace morvane::ui {

class TfrmPageSize : public QDialog {
    Q_OBJECT
  public:
    explicit TfrmPageSize(QWidget* parent = nullptr);
    int ChosenPageSize() const;
    QComboBox* PageSizes() const { return FSizes; }

  private:
    QComboBox* FSizes;
};

} // namespace morvane::ui
