#pragma once
// The about box.

#include <QDialog>

namespace morvane::ui {

class TfrmAbout : public QDialog {
    Q_OBJECT
  public:
    explicit TfrmAbout(QWidget* parent = nullptr);
};

} // namespace morvane::ui
