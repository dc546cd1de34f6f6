#include "shell/Dialogs.h"

#include "shell/uCopyPage.h"
#include "shell/uGoto.h"
#include "shell/uPageSize.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QUrl>

namespace morvane::ui {

namespace {

class TQtDialogs : public TDialogs {
  public:
    TAnswer Message(QWidget* parent, const QString& text, TMessageKind kind, TButtons buttons) override {
        QMessageBox box(parent);
        box.setWindowTitle(QApplication::applicationDisplayName());
        box.setText(text);
        switch (kind) {
        case TMessageKind::Information:
            box.setIcon(QMessageBox::Information);
            break;
        case TMessageKind::Warning:
            box.setIcon(QMessageBox::Warning);
            break;
        case TMessageKind::Error:
            box.setIcon(QMessageBox::Critical);
            break;
        case TMessageKind::Confirmation:
            box.setIcon(QMessageBox::Question);
            break;
        }
        switch (buttons) {
        case TButtons::Ok:
            box.setStandardButtons(QMessageBox::Ok);
            break;
        case TButtons::YesNo:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            break;
        case TButtons::YesNoCancel:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
            break;
        }
        switch (box.exec()) {
        case QMessageBox::Yes:
            return TAnswer::Yes;
        case QMessageBox::No:
            return TAnswer::No;
        case QMessageBox::Cancel:
            return TAnswer::Cancel;
        default:
            return buttons == TButtons::Ok ? TAnswer::Ok : TAnswer::Cancel;
        }
    }

    std::optional<QString> OpenFileName(QWidget* parent, const QString& filter,
                                        const QString& defaultExt) override {
        QFileDialog dialog(parent);
        dialog.setFileMode(QFileDialog::ExistingFile);
        dialog.setNameFilter(filter);
        dialog.setDefaultSuffix(defaultExt);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
        return dialog.selectedFiles().first();
    }

    std::optional<QString> SaveFileName(QWidget* parent, const QString& filter) override {
        const QString name = QFileDialog::getSaveFileName(parent, QString(), QString(), filter);
        if (name.isEmpty()) return std::nullopt;
        return name;
    }

    std::optional<int> PageSize(QWidget* parent) override {
        TfrmPageSize dialog(parent);
        if (dialog.exec() != QDialog::Accepted) return std::nullopt;
        return dialog.ChosenPageSize();
    }

    QString GotoPage(QWidget* parent, int64_t upperLimit) override {
        TfrmGoto dialog(upperLimit, parent);
        dialog.exec();
        return dialog.edtPageNum->text();
    }

    std::optional<TCopyRequest> CopyPage(QWidget* parent, const QString& source) override {
        TfrmCopyPage dialog(parent);
        dialog.edtSource->setText(source);
        if (dialog.exec() != QDialog::Accepted) return std::nullopt;
        return TCopyRequest{dialog.edtSource->text(), dialog.edtTarget->text()};
    }

    void OpenUrl(const QString& url) override { QDesktopServices::openUrl(QUrl(url)); }

    int Exec(QDialog& dialog) override { return dialog.exec(); }
};

TQtDialogs gQtDialogs;
TDialogs* gDialogs = &gQtDialogs;

} // namespace

TDialogs& Dialogs() {
    return *gDialogs;
}
void SetDialogs(TDialogs* dialogs) {
    gDialogs = dialogs ? dialogs : &gQtDialogs;
}

void ShowMessage(QWidget* parent, const QString& text) {
    Dialogs().Message(parent, text, TMessageKind::Error, TButtons::Ok);
}

TAnswer Ask(QWidget* parent, const QString& text, TButtons buttons, TMessageKind kind) {
    return Dialogs().Message(parent, text, kind, buttons);
}

} // namespace morvane::ui
