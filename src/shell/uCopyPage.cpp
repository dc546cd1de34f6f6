#include "shell/uCopyPage.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace morvane::ui {

TfrmCopyPage::TfrmCopyPage(QWidget* parent) : QDialog(parent) {
    setObjectName("frmCopyPage");
    setWindowTitle("Copy page");
    auto boldLabel = [this](const QString& text) {
        auto* label = new QLabel(text, this);
        QFont bold = label->font();
        bold.setBold(true);
        label->setFont(bold);
        return label;
    };
    edtSource = new QLineEdit("0", this);
    edtSource->setObjectName("edtSource");
    edtTarget = new QLineEdit("-", this);
    edtTarget->setObjectName("edtTarget");
    auto* copy = new QPushButton("Copy", this);
    copy->setObjectName("btnCopy");
    copy->setAutoDefault(false);
    auto* cancel = new QPushButton("Cancel", this);
    cancel->setObjectName("btnCancel");
    cancel->setAutoDefault(false);
    connect(copy, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* form = new QFormLayout;
    form->addRow(boldLabel("Source:"), edtSource);
    form->addRow(boldLabel("Target"), edtTarget);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(copy);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
}

void TfrmCopyPage::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) return accept();
    if (event->key() == Qt::Key_Escape) return reject();
    QDialog::keyPressEvent(event);
}

} // namespace morvane::ui
