#pragma once
// Every message box, question and file dialog goes through this one seam, so that tests
// can answer them and read what was shown.

#include <QString>

#include <optional>

class QDialog;
class QWidget;

namespace morvane::ui {

enum class TButtons { Ok, YesNo, YesNoCancel };
enum class TAnswer { Ok, Yes, No, Cancel };
enum class TMessageKind { Information, Warning, Error, Confirmation };

class TDialogs {
  public:
    virtual ~TDialogs() = default;
    virtual TAnswer Message(QWidget* parent, const QString& text, TMessageKind kind, TButtons buttons) = 0;
    virtual std::optional<QString> OpenFileName(QWidget* parent, const QString& filter,
                                                const QString& defaultExt) = 0;
    // A file to write: the name chosen, or nothing when cancelled.
    virtual std::optional<QString> SaveFileName(QWidget* parent, const QString& filter) = 0;
    // The page size dialog: the size chosen, or nothing when cancelled.
    virtual std::optional<int> PageSize(QWidget* parent) = 0;
    // The goto dialog: the text of its page number field when it closed (empty after Cancel).
    virtual QString GotoPage(QWidget* parent, int64_t upperLimit) = 0;
    struct TCopyRequest {
        QString Source;
        QString Target;
    };
    // The copy dialog, opened with the source field set: its fields, or nothing after Cancel.
    virtual std::optional<TCopyRequest> CopyPage(QWidget* parent, const QString& source) = 0;
    virtual void OpenUrl(const QString& url) = 0;
    // Shows a dialog modally and returns its result.
    virtual int Exec(QDialog& dialog) = 0;
};

// The seam in force; the Qt dialogs unless a test installed its own.
TDialogs& Dialogs();
void SetDialogs(TDialogs* dialogs); // nullptr restores the Qt dialogs

void ShowMessage(QWidget* parent, const QString& text);
TAnswer Ask(QWidget* parent, const QString& text, TButtons buttons,
            TMessageKind kind = TMessageKind::Confirmation);

} // namespace morvane::ui
