#pragma once
// "Jump to page": asks for a page number below the number of pages in the table.

#include <QDialog>

class QLineEdit;

namespace morvane::ui {

class TfrmGoto : public QDialog {
    Q_OBJECT
  public:
    TfrmGoto(int64_t upperLimit, QWidget* parent = nullptr);
    QLineEdit* edtPageNum;
    void Ok();
    void Cancel();

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    int64_t FUpperLimit;
};

} // namespace morvane::ui
