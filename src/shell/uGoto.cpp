#include "shell/uGoto.h"

#include "platform/Errors.h"
#include "platform/IntConv.h"
#include "shell/DialogParts.h"
#include "shell/Dialogs.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QVBoxLayout>

namespace morvane::ui {

TfrmGoto::TfrmGoto(int64_t upperLimit, QWidget* parent) : QDialog(parent), FUpperLimit(upperLimit) {
    setObjectName("frmGoto");
    setWindowTitle("Jump to page");
    edtPageNum = new QLineEdit(this);
    edtPageNum->setObjectName("edtPageNum");
    QPushButton* ok = DialogButton("OK", "btnOK", this);
    QPushButton* cancel = DialogButton("Cancel", "btnCancel", this);
    connect(ok, &QPushButton::clicked, this, &TfrmGoto::Ok);
    connect(cancel, &QPushButton::clicked, this, &TfrmGoto::Cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(BoldLabel("Enter page number", this));
    layout->addWidget(edtPageNum);
    layout->addLayout(ButtonRow({ok, cancel}));
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
