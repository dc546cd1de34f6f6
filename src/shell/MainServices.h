#pragma once
// What the main window offers the database manager and the editors, so that neither
// needs to know the window class itself.

#include "core/uBaseTools.h"

class QWidget;
class QProgressBar;

namespace morvane {
class TSettingsStore;
namespace hexview {
class THexMenu;
}
} // namespace morvane

namespace morvane::ui {

// The last progress values applied, kept for the life of the program.
struct TProgressMemory {
    int Minimum = 0;
    int Maximum = 0;
    int Position = 0;
};

class TMainServices {
  public:
    virtual ~TMainServices() = default;
    // Shows an editor window as a child window of the main window (not yet visible).
    virtual void AddEditorWindow(QWidget* form) = 0;
    // Brings an editor window to the front.
    virtual void ShowEditorWindow(QWidget* form) = 0;
    // Closes every child window without the save question.
    virtual void CloseEditorWindows() = 0;
    virtual QProgressBar* ProgressBar() = 0;
    virtual TProgressMemory& ProgressMemory() = 0;
    virtual void InvalidateStatusBar() = 0;
    virtual void ProcessMessages() = 0;
    virtual void SetSaveAllEnabled(bool enabled) = 0;
    virtual void RefreshPageList() = 0;
    virtual hexview::THexMenu* HexMenu() = 0;
    virtual TSettingsStore& Settings() = 0;
    virtual TPageSizeQuery PageSizeQuery() = 0;
    virtual QWidget* Window() = 0;
};

} // namespace morvane::ui
