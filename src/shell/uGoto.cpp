#include "shell/uGoto.h"

#include "platform/Errors.h"
#include "platform/IntConv.h"
#include "shell/Dialogs.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace morvane::ui {

TfrmGoto::TfrmGoto(int64_t upperLimit, QWidget* parent) : QDialog(parent), FUpperLimit(upperLimit) {
    setObjectName("frmGoto");
    setWindowTitle("Jump to page");
    auto* label = new QLabel("Enter page number", this);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    edtPageNum = new QLineEdit(this);
    edtPageNum->setObjectName("edtPageNum");
    auto* ok = new QPushButton("OK", this);
    ok->setObjectName("btnOK");
    ok->setAutoDefault(false);
    auto* cancel = new QPushButton("Cancel", this);
    cancel->setObjectName("btnCancel");
    cancel->setAutoDefault(false);
    connect(ok, &QPushButton::clicked, this, &TfrmGoto::Ok);
    connect(cancel, &QPushButton::clicked, this, &TfrmGoto::Cancel);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(edtPageNum);
    layout->addLayout(buttons);
}

void TfrmGoto::Ok() {
    int64_t n = -1;
    try {
        n = StrToInt64(edtPageNum->text().toStdString());
    } catch (const EConvertError&) {
    }
    if (n < 0 || n >= FUpperLimit) {
        ShowMessage(this, "Page not found!");
        return;
    }
    accept();
}

void TfrmGoto::Cancel() {
    edtPageNum->clear();
    reject();
}

void TfrmGoto::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) return Ok();
    if (event->key() == Qt::Key_Escape) return Cancel();
    QDialog::keyPressEvent(event);
}

} // namespace morvane::ui
