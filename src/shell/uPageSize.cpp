#include "shell/uPageSize.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace morvane::ui {

TfrmPageSize::TfrmPageSize(QWidget* parent) : QDialog(parent) {
    setObjectName("frmPageSize");
    setWindowTitle("Set Page size");
    setModal(true);
    auto* label = new QLabel(
        "It seems that file is not valid database\r\nor header page is corrupted. \r\nPlease enter page size manually!",
        this);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    FSizes = new QComboBox(this);
    FSizes->setObjectName("cbPageSize");
    FSizes->setEditable(false);
    FSizes->addItems({"1024", "2048", "4096", "8192", "16384"});
    FSizes->setCurrentIndex(0);
    auto* open = new QPushButton("Open", this);
    open->setObjectName("btnOpen");
    open->setDefault(true);
    auto* cancel = new QPushButton("Cancel", this);
    cancel->setObjectName("btnCancel");
    connect(open, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(open);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(FSizes);
    layout->addLayout(buttons);
}

int TfrmPageSize::ChosenPageSize() const { return FSizes->currentText().toInt(); }

} // namespace morvane::ui
