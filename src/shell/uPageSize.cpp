#include "shell/uPageSize.h"

#include "shell/DialogParts.h"

#include <QComboBox>
#include <QVBoxLayout>

namespace morvane::ui {

TfrmPageSize::TfrmPageSize(QWidget* parent) : QDialog(parent) {
    setObjectName("frmPageSize");
    setWindowTitle("Set Page size");
    setModal(true);
    QLabel* label = BoldLabel("It seems that file is not valid database\r\nor header page is corrupted. "
                              "\r\nPlease enter page size manually!",
                              this);
    FSizes = new QComboBox(this);
    FSizes->setObjectName("cbPageSize");
    FSizes->setEditable(false);
    FSizes->addItems({"1024", "2048", "4096", "8192", "16384"});
    FSizes->setCurrentIndex(0);
    QPushButton* open = DialogButton("Open", "btnOpen", this);
    open->setDefault(true);
    QPushButton* cancel = DialogButton("Cancel", "btnCancel", this);
    connect(open, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(FSizes);
    layout->addLayout(ButtonRow({open, cancel}));
}

int TfrmPageSize::ChosenPageSize() const {
    return FSizes->currentText().toInt();
}

} // namespace morvane::ui
