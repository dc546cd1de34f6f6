#pragma once
// Answers the program's dialogs from a script and keeps every text that was shown.

#include "shell/Dialogs.h"

#include <QDialog>

#include <deque>
#include <functional>
#include <optional>
#include <stdexcept>
#include <vector>

namespace morvane::test {

class TScriptedDialogs : public ui::TDialogs {
  public:
    TScriptedDialogs() { ui::SetDialogs(this); }
    ~TScriptedDialogs() override { ui::SetDialogs(nullptr); }

    ui::TAnswer Message(QWidget*, const QString& text, ui::TMessageKind, ui::TButtons buttons) override {
        Shown.push_back(text);
        if (buttons == ui::TButtons::Ok) return ui::TAnswer::Ok;
        if (Answers.empty()) throw std::logic_error("unexpected question: " + text.toStdString());
        const ui::TAnswer a = Answers.front();
        Answers.pop_front();
        return a;
    }
    std::optional<QString> OpenFileName(QWidget*, const QString& filter, const QString& ext) override {
        LastFilter = filter;
        LastExtension = ext;
        return FileToOpen;
    }
    std::optional<QString> SaveFileName(QWidget*, const QString&) override { return FileToSave; }
    std::optional<int> PageSize(QWidget*) override {
        ++PageSizeAsked;
        return PageSizeAnswer;
    }
    QString GotoPage(QWidget*, int64_t upperLimit) override {
        GotoLimit = upperLimit;
        return GotoAnswer;
    }
    std::optional<TCopyRequest> CopyPage(QWidget*, const QString& source) override {
        CopySourceShown = source;
        return CopyAnswer;
    }
    void OpenUrl(const QString& url) override { Urls.push_back(url); }
    // Records the dialog and closes it at once, as its close box would.
    int Exec(QDialog& dialog) override {
        Executed.push_back(dialog.objectName());
        if (OnExec) OnExec(dialog);
        dialog.done(QDialog::Rejected);
        return dialog.result();
    }

    std::deque<ui::TAnswer> Answers;
    std::vector<QString> Shown;
    std::optional<QString> FileToOpen;
    std::optional<QString> FileToSave;
    QString LastFilter, LastExtension;
    std::optional<int> PageSizeAnswer;
    int PageSizeAsked = 0;
    std::vector<QString> Urls;
    std::vector<QString> Executed;
    std::function<void(QDialog&)> OnExec;
    QString GotoAnswer;
    int64_t GotoLimit = -1;
    std::optional<TCopyRequest> CopyAnswer;
    QString CopySourceShown;
};

} // namespace morvane::test
