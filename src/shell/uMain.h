#pragma once
// The main window: the page list of the open database with its filters, the child windows
// of the page editors, the tool bar, menus and the status bar with its progress bar.

#include "shell/MainServices.h"
#include "shell/uManager.h"

#include <QMainWindow>

#include <array>
#include <memory>

class QComboBox;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QProgressBar;
class QSplitter;
class QToolButton;
class QAction;
class QMenu;

namespace morvane {
class TSettingsStore;
namespace hexview {
class THexMenu;
}
} // namespace morvane

namespace morvane::ui {

class TGridView;

class TfrmMain : public QMainWindow, public TMainServices {
    Q_OBJECT
  public:
    // settings: the store of hex profiles; startFile: the database named on the command line.
    TfrmMain(TSettingsStore& settings, QString startFile = {}, QWidget* parent = nullptr);
    ~TfrmMain() override;

    static QString Caption() { return QStringLiteral(" Morvane Viewer 1.0.2"); }

    TManager* GetManager() const { return FManager.get(); }
    bool Busy() const { return FBusy; }

    // The commands, as the menu, the tool bar and the keyboard run them.
    void OpenCommand();
    void OpenFlow(const QString& fileName);
    void CloseCommand();
    void ExitCommand();
    void SaveAllCommand();
    void FilterButtonClicked(int code);
    void RelationChosen(const QString& text);
    void PageListHeaderClicked(int column);
    void PageListDoubleClicked();
    void GotoCommand();
    // Opens a new record extractor window.
    QWidget* Extactor1Click();
    void CopyPageCommand();
    void TileHorizontally();
    void TileVertically();
    // The start-up steps of the window's first activation.
    void RunFirstActivation();

    TGridView* PageList() const { return FPageList; }
    QComboBox* RelationChoice() const { return FRelations; }
    QToolButton* FilterButton(int code) const { return FFilters[static_cast<size_t>(code)]; }
    QToolButton* SaveAllButton() const { return FSaveAll; }
    QToolButton* GotoButton() const { return FGoto; }
    QToolButton* CopyPageButton() const { return FFillPages; }
    QWidget* LeftPanel() const { return FPanel; }
    QMdiArea* Workspace() const { return FMdi; }
    QAction* CloseBaseAction() const { return FCloseBase; }

    // TMainServices
    void AddEditorWindow(QWidget* form) override;
    void ShowEditorWindow(QWidget* form) override;
    void CloseEditorWindows() override;
    QProgressBar* ProgressBar() override { return FProgress; }
    TProgressMemory& ProgressMemory() override { return FProgressMemory; }
    void InvalidateStatusBar() override;
    void ProcessMessages() override;
    void SetSaveAllEnabled(bool enabled) override;
    void RefreshPageList() override;
    hexview::THexMenu* HexMenu() override { return FHexMenu; }
    TSettingsStore& Settings() override { return FSettings; }
    TPageSizeQuery PageSizeQuery() override;
    QWidget* Window() override { return this; }

  protected:
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void BuildToolBar();
    void BuildMenus();
    void BuildStatusBar();
    void BuildPanel();
    void UpdateFilterButtons();
    void SetFilterButtonsToggling(bool toggling);
    void UpdateCopyPageButton();
    void FillWindowMenu();
    void Report(const std::exception& e);

    TSettingsStore& FSettings;
    QString FStartFile;
    std::unique_ptr<TManager> FManager;
    bool FClosing = false;
    bool FBusy = false;
    bool FFirstActivation = true;
    bool FShownOnce = false;
    TProgressMemory FProgressMemory;

    QMdiArea* FMdi = nullptr;
    QSplitter* FSplitter = nullptr;
    QWidget* FPanel = nullptr;
    QComboBox* FRelations = nullptr;
    TGridView* FPageList = nullptr;
    QToolButton* FSaveAll = nullptr;
    QToolButton* FGoto = nullptr;
    QToolButton* FFillPages = nullptr;
    std::array<QToolButton*, 11> FFilters{};
    QLabel* FStatusText = nullptr;
    QWidget* FProgressPanel = nullptr;
    QProgressBar* FProgress = nullptr;
    QMenu* FWindowMenu = nullptr;
    QAction* FCloseBase = nullptr;
    hexview::THexMenu* FHexMenu = nullptr;
};

} // namespace morvane::ui
