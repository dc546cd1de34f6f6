#include "shell/uCopyPage.h"

#include "shell/DialogParts.h"

#include <QFormLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QVBoxLayout>

namespace morvane::ui {

TfrmCopyPage::TfrmCopyPage(QWidget* parent) : QDialog(parent) {
    setObjectName("frmCopyPage");
    setWindowTitle("Copy page");
    edtSource = new QLineEdit("0", this);
    edtSource->setObjectName("edtSource");
    edtTarget = new QLineEdit("-", this);
    edtTarget->setObjectName("edtTarget");
    QPushButton* copy = DialogButton("Copy", "btnCopy", this);
    QPushButton* cancel = DialogButton("Cancel", "btnCancel", this);
    connect(copy, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* form = new QFormLayout;
    form->addRow(BoldLabel("Source:", this), edtSource);
    form->addRow(BoldLabel("Target", this), edtTarget);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(ButtonRow({copy, cancel}));
}

void TfrmCopyPage::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) return accept();
    if (event->key() == Qt::Key_Escape) return reject();
    QDialog::keyPressEvent(event);
}

} // namespace morvane::ui
