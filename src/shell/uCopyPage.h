#pragma once
// "Copy page": a source page and a target page or range.

#include <QDialog>

class QLineEdit;

namespace morvane::ui {

class TfrmCopyPage : public QDialog {
    Q_OBJECT
  public:
    explicit TfrmCopyPage(QWidget* parent = nullptr);
    QLineEdit* edtSource;
    QLineEdit* edtTarget;

  protected:
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace morvane::ui
