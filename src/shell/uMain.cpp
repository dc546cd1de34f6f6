#include "shell/uMain.h"

#include "core/uODS.h"
#include "editors/uAbstractEditor.h"
#include "hexview/HexMenu.h"
#include "pages/PageRange.h"
#include "platform/Errors.h"
#include "platform/IntConv.h"
#include "records/uExtracter.h"
#include "shell/Dialogs.h"
#include "shell/Links.h"
#include "shell/TipOfTheDay.h"
#include "shell/uAbout.h"
#include "widgets/GridView.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QProgressBar>
#include <QScreen>
#include <QSplitter>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace morvane::ui {

using namespace links;

namespace {} // namespace

TfrmMain::TfrmMain(TSettingsStore& settings, QString startFile, QWidget* parent)
    : QMainWindow(parent), FSettings(settings), FStartFile(std::move(startFile)) {
    setObjectName("frmMain");
    setWindowTitle(Caption());
    FHexMenu = new hexview::THexMenu(FSettings, this);
    FHexMenu->OnError = [this](const std::string& text) { ShowMessage(this, QString::fromStdString(text)); };

    FMdi = new QMdiArea;
    FMdi->setObjectName("MDIClient");
    FMdi->setBackground(palette().brush(QPalette::Dark)); // the application workspace colour
    FMdi->viewport()->installEventFilter(this);
    FMdi->viewport()->setMouseTracking(true);
    connect(FMdi, &QMdiArea::subWindowActivated, this, [](QMdiSubWindow* sub) {
        if (!sub) return;
        if (auto* form = qobject_cast<editors::TEditorForm*>(sub->widget())) form->Activated();
    });

    BuildPanel();
    FSplitter = new QSplitter(Qt::Horizontal);
    FSplitter->setObjectName("Splitter1");
    FSplitter->setChildrenCollapsible(false);
    FSplitter->addWidget(FPanel);
    FSplitter->addWidget(FMdi);
    FSplitter->setStretchFactor(1, 1);
    FSplitter->setSizes({270, 730});
    setCentralWidget(FSplitter);
    FPanel->hide();

    BuildToolBar();
    BuildMenus();
    BuildStatusBar();

    resize(1000, 700);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

TfrmMain::~TfrmMain() {
    // Windows first, without questions, then the database.
    if (FManager) {
        try {
            FManager->CloseDatabase();
        } catch (...) {
        }
        FManager.reset();
    }
}

void TfrmMain::BuildPanel() {
    FPanel = new QWidget;
    FPanel->setObjectName("pnlMain");
    FPanel->setMinimumWidth(225);
    FPanel->setMaximumWidth(325);
    auto* label = new QLabel("RelationID:", FPanel);
    FRelations = new QComboBox(FPanel);
    FRelations->setObjectName("ComboBox1");
    FRelations->setEditable(false);
    FRelations->setMaxVisibleItems(20);
    FRelations->addItem("All Pages");
    connect(FRelations, &QComboBox::activated, this,
            [this](int) { RelationChosen(FRelations->currentText()); });

    FPageList = new TGridView(FPanel);
    FPageList->setObjectName("PageList");
    FPageList->setToolTip("Page - Page number,\r\nTypes - Page types,\r\nFlag - Page flags.");
    FPageList->SetColumns({
        {"Page", 55, 0, 100, Qt::AlignLeft | Qt::AlignVCenter, true},
        {"Types", 145, 0, 200, Qt::AlignLeft | Qt::AlignVCenter, false},
        {"Flag", 45, 0, 100, Qt::AlignCenter, true},
    });
    FPageList->SetCellText([this](int column, int row) {
        if (!FManager || FPanel->isHidden()) return QString();
        return QString::fromStdString(FManager->GetCellText(column, static_cast<size_t>(row)));
    });
    connect(FPageList, &TGridView::RowDoubleClicked, this, [this](int) { PageListDoubleClicked(); });
    connect(FPageList, &TGridView::HeaderClicked, this, &TfrmMain::PageListHeaderClicked);

    auto* top = new QHBoxLayout;
    top->addWidget(label);
    top->addWidget(FRelations, 1);
    auto* layout = new QVBoxLayout(FPanel);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addLayout(top);
    layout->addWidget(FPageList, 1);
}

void TfrmMain::BuildToolBar() {
    QToolBar* bar = addToolBar("ToolBar1");
    bar->setObjectName("ToolBar1");
    bar->setMovable(false);
    auto button = [&](const char* name, const QIcon& icon, const QString& text, const QString& hint) {
        auto* b = new QToolButton(bar);
        b->setObjectName(name);
        b->setAutoRaise(true);
        if (icon.isNull())
            b->setText(text);
        else
            b->setIcon(icon);
        b->setToolTip(hint);
        b->setStatusTip(hint);
        bar->addWidget(b);
        return b;
    };
    QStyle* st = style();
    QToolButton* open = button("ToolButton1", st->standardIcon(QStyle::SP_DialogOpenButton), "Open", "");
    connect(open, &QToolButton::clicked, this, &TfrmMain::OpenCommand);
    FSaveAll = button("ToolButton17", st->standardIcon(QStyle::SP_DialogSaveButton), "Save", "");
    FSaveAll->setEnabled(false);
    connect(FSaveAll, &QToolButton::clicked, this, &TfrmMain::SaveAllCommand);
    bar->addSeparator();
    FGoto = button("btnGoto", st->standardIcon(QStyle::SP_ArrowRight), "Goto", "Goto Page");
    FGoto->setEnabled(false);
    connect(FGoto, &QToolButton::clicked, this, &TfrmMain::GotoCommand);
    FFillPages =
        button("btnFillPages", st->standardIcon(QStyle::SP_FileDialogDetailedView), "Copy", "Copy page");
    FFillPages->setEnabled(false);
    connect(FFillPages, &QToolButton::clicked, this, &TfrmMain::CopyPageCommand);
    bar->addSeparator();
    QToolButton* preview =
        button("btnPrintPreview", st->standardIcon(QStyle::SP_FileDialogContentsView), "", "Print Preview");
    preview->setEnabled(false);
    QToolButton* print = button("btnPrint", st->standardIcon(QStyle::SP_DriveFDIcon), "", "Print page");
    print->setEnabled(false);
    bar->addSeparator();
    QToolButton* cascade =
        button("btnCascade", st->standardIcon(QStyle::SP_TitleBarNormalButton), "Cascade", "");
    connect(cascade, &QToolButton::clicked, FMdi, &QMdiArea::cascadeSubWindows);
    QToolButton* tileH =
        button("btnTileHorizontal", st->standardIcon(QStyle::SP_ToolBarHorizontalExtensionButton), "", "");
    connect(tileH, &QToolButton::clicked, this, &TfrmMain::TileHorizontally);
    QToolButton* tileV =
        button("btnTileVertical", st->standardIcon(QStyle::SP_ToolBarVerticalExtensionButton), "", "");
    connect(tileV, &QToolButton::clicked, this, &TfrmMain::TileVertically);
    bar->addSeparator();
    for (int code = 0; code <= 10; ++code) {
        // The hints are the type names, but for two buttons that say it their own way.
        const char* hint = code == 0 ? "Undefined Page" : code == 9 ? "Generators Page" : PageTypeName(code);
        QToolButton* b =
            button(qPrintable(QString("tlbFilter%1").arg(code)), QIcon(), QString::number(code), hint);
        b->setProperty("Tag", code);
        b->setCheckable(true);
        b->setChecked(true);
        b->setEnabled(false);
        b->setMinimumWidth(24);
        connect(b, &QToolButton::clicked, this, [this, code] { FilterButtonClicked(code); });
        FFilters[static_cast<size_t>(code)] = b;
    }
    bar->addSeparator();
    QToolButton* support = button("btnSupport", st->standardIcon(QStyle::SP_MessageBoxQuestion), "Support",
                                  "Request Morvane technical suppor");
    connect(support, &QToolButton::clicked, this, [this] {
        if (!FBusy) Dialogs().OpenUrl(kSupportMail);
    });
    QToolButton* exit =
        button("btnExit", st->standardIcon(QStyle::SP_DialogCloseButton), "Exit", "Exit application");
    connect(exit, &QToolButton::clicked, this, &TfrmMain::ExitCommand);
    QToolButton* web = button("btnCorruption", st->standardIcon(QStyle::SP_DirHomeIcon), "", "");
    connect(web, &QToolButton::clicked, this, [] { Dialogs().OpenUrl(kCorruptionPage); });
    bar->actions().last()->setVisible(false);
}

void TfrmMain::BuildMenus() {
    QMenu* file = menuBar()->addMenu("&File");
    QAction* openBase = file->addAction("&Open Base", this, &TfrmMain::OpenCommand);
    openBase->setShortcut(QKeySequence("Ctrl+O"));
    FCloseBase = file->addAction("&Close Base", this, &TfrmMain::CloseCommand);
    FCloseBase->setStatusTip("Close current file");
    connect(file, &QMenu::aboutToShow, this,
            [this] { FCloseBase->setEnabled(FManager && FManager->IsOpen()); });
    QAction* extractor = file->addAction("Extract &Records...", this, [this] { Extactor1Click(); });
    extractor->setObjectName("Extactor1");
    extractor->setStatusTip("Extract data from table");
    file->addSeparator();
    file->addAction("Print Setup")->setEnabled(false);
    file->addAction("Print Preview")->setEnabled(false);
    QAction* printIt = file->addAction("Print...");
    printIt->setShortcut(QKeySequence("Ctrl+P"));
    printIt->setEnabled(false);
    file->addSeparator();
    file->addAction("E&xit", this, &TfrmMain::ExitCommand);

    QAction* gotoItem = menuBar()->addAction("Goto", this, &TfrmMain::GotoCommand);
    gotoItem->setObjectName("mnuGoto");

    FWindowMenu = menuBar()->addMenu("&Window");
    connect(FWindowMenu, &QMenu::aboutToShow, this, &TfrmMain::FillWindowMenu);
    FillWindowMenu();

    menuBar()->addAction("&Purchase", this, [] { Dialogs().OpenUrl(kPurchasePage); });

    QMenu* help = menuBar()->addMenu("&Help");
    help->addAction("Repair Help", this, [] { Dialogs().OpenUrl(kRepairMail); });
    help->addAction("Show Tips", this, [this] { ShowTipsFromMenu(FSettings, this); });
    help->addSeparator();
    help->addAction("Product Home Page", this, [] { Dialogs().OpenUrl(kHomePage); });
    help->addAction("Technical Support", this, [this] {
        if (!FBusy) Dialogs().OpenUrl(kSupportMail);
    });
    help->addSeparator();
    help->addAction("&About...", this, [this] {
        TfrmAbout about(this);
        Dialogs().Exec(about);
    });
}

void TfrmMain::FillWindowMenu() {
    FWindowMenu->clear();
    FWindowMenu->addAction("&Cascade", FMdi, &QMdiArea::cascadeSubWindows);
    FWindowMenu->addAction("Tile &Horizontally", this, &TfrmMain::TileHorizontally);
    FWindowMenu->addAction("Tile &Vertically", this, &TfrmMain::TileVertically);
    FWindowMenu->addAction("&Minimize All", this, [this] {
        for (QMdiSubWindow* w : FMdi->subWindowList())
            w->showMinimized();
    });
    FWindowMenu->addAction("&Arrange All", FMdi, &QMdiArea::tileSubWindows);
    const auto windows = FMdi->subWindowList();
    if (!windows.isEmpty()) FWindowMenu->addSeparator();
    int n = 1;
    for (QMdiSubWindow* w : windows) {
        QAction* a = FWindowMenu->addAction(QString("&%1 %2").arg(n++).arg(w->windowTitle().trimmed()));
        a->setCheckable(true);
        a->setChecked(w == FMdi->activeSubWindow());
        connect(a, &QAction::triggered, this, [this, w] { FMdi->setActiveSubWindow(w); });
    }
}

void TfrmMain::BuildStatusBar() {
    QStatusBar* bar = statusBar();
    FStatusText = new QLabel;
    FStatusText->setFixedWidth(350);
    bar->addWidget(FStatusText);
    FProgressPanel = new QWidget;
    FProgressPanel->setObjectName("pnlProgress");
    FProgressPanel->setFixedWidth(300);
    FProgressPanel->setMinimumHeight(18);
    FProgress = new QProgressBar(FProgressPanel);
    FProgress->setObjectName("ProgressBar1");
    FProgress->setGeometry(0, 0, 350, 18);
    FProgress->setRange(0, 100);
    FProgress->setValue(0);
    FProgress->setTextVisible(false);
    bar->addWidget(FProgressPanel);
    auto* fixed = new QLabel;
    fixed->setFixedWidth(50);
    bar->addWidget(fixed);
}

// ------------------------------------------------------------------------------------ services
void TfrmMain::AddEditorWindow(QWidget* form) {
    QMdiSubWindow* sub = FMdi->addSubWindow(form);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->resize(form->size().expandedTo(QSize(560, 380)));
}

void TfrmMain::ShowEditorWindow(QWidget* form) {
    auto* sub = qobject_cast<QMdiSubWindow*>(form->parentWidget());
    if (!sub) throw EError("The editor window has no frame.");
    sub->show();
    sub->raise();
    FMdi->setActiveSubWindow(sub);
}

void TfrmMain::CloseEditorWindows() {
    for (QMdiSubWindow* sub : FMdi->subWindowList()) {
        if (auto* form = qobject_cast<editors::TEditorForm*>(sub->widget()))
            form->CloseSilently();
        else
            sub->close();
    }
}

void TfrmMain::InvalidateStatusBar() {
    FProgressPanel->update();
    FProgress->update();
}

void TfrmMain::ProcessMessages() {
    QCoreApplication::processEvents();
}

void TfrmMain::SetSaveAllEnabled(bool enabled) {
    FSaveAll->setEnabled(enabled);
}

void TfrmMain::RefreshPageList() {
    FPageList->Invalidate();
}

TPageSizeQuery TfrmMain::PageSizeQuery() {
    return [this] { return Dialogs().PageSize(this); };
}

// ------------------------------------------------------------------------------------ commands
void TfrmMain::Report(const std::exception& e) {
    ShowMessage(this, QString::fromStdString(e.what()));
}

void TfrmMain::OpenCommand() {
    if (FBusy) return;
    const auto name =
        Dialogs().OpenFileName(this, "All known databases (*.gdb *.ib *.fdb);;All files (*.*)", "gdb");
    if (name) OpenFlow(*name);
}

void TfrmMain::OpenFlow(const QString& fileName) {
    FBusy = true;
    try {
        if (FManager) CloseCommand();
        FManager = std::make_unique<TManager>(*this);
        FManager->CloseDatabase();
        ProcessMessages();
        UpdateFilterButtons();
        ProcessMessages();
        FManager->OpenDatabase(fileName.toStdString());
        ProcessMessages();
        if (FManager->IsOpen()) {
            setWindowTitle(Caption() + " - < " + fileName + " >");
            FPageList->SetRowCount(static_cast<int>(FManager->VisibleCount()));
            FPanel->show();
            FPageList->show();
            ProcessMessages();
            UpdateFilterButtons();
            ProcessMessages();
            FRelations->clear();
            FRelations->addItem("All Pages");
            const TMemTable& table = FManager->Analyser()->PageTable();
            for (size_t i = 0; i < table.RelationCount(); ++i)
                FRelations->addItem(QString::number(table.RelationAt(i)));
            FRelations->setCurrentIndex(0);
            ProcessMessages();
            FGoto->setEnabled(true);
            SetFilterButtonsToggling(true);
        }
        FBusy = false;
        ProcessMessages();
    } catch (const std::exception& e) {
        // The start-up steps are not re-armed: they would open the command-line database, and
        // show its error, again at every activation of the window.
        FBusy = false;
        ProcessMessages();
        Report(e);
    }
}

void TfrmMain::UpdateFilterButtons() {
    const bool open = FManager && FManager->IsOpen();
    for (QToolButton* b : FFilters) {
        b->setEnabled(open);
        if (open) b->setChecked(true);
    }
}

void TfrmMain::SetFilterButtonsToggling(bool toggling) {
    for (QToolButton* b : FFilters) {
        b->setCheckable(toggling);
        if (toggling) b->setChecked(true);
    }
}

void TfrmMain::CloseCommand() {
    try {
        if (FManager) {
            setWindowTitle(Caption());
            FManager->CloseDatabase();
            UpdateFilterButtons();
            FManager.reset();
            SetFilterButtonsToggling(false);
        }
    } catch (const std::exception& e) {
        FManager.reset();
        Report(e);
    }
    FPageList->SetRowCount(0);
    FPanel->hide();
    FRelations->clear();
    FGoto->setEnabled(false);
}

void TfrmMain::ExitCommand() {
    if (FBusy || FClosing) return;
    if (Ask(this, "Are you sure you wish to quit Morvane?", TButtons::YesNo) != TAnswer::Yes) return;
    FClosing = true;
    CloseCommand();
    close();
}

void TfrmMain::closeEvent(QCloseEvent* event) {
    if (!FClosing) ExitCommand();
    if (FClosing)
        event->accept();
    else
        event->ignore();
}

void TfrmMain::SaveAllCommand() {
    if (!FManager) return;
    try {
        FManager->SaveAll();
    } catch (const std::exception& e) {
        Report(e);
    }
    FSaveAll->setEnabled(FManager->Modified());
}

void TfrmMain::FilterButtonClicked(int code) {
    if (!FManager || !FManager->IsOpen() || FBusy) return;
    FPageList->SetRowCount(0);
    FManager->ToggleTypeFilter(code);
    FPageList->SetRowCount(static_cast<int>(FManager->VisibleCount()));
    FPageList->Invalidate();
}

void TfrmMain::RelationChosen(const QString& text) {
    if (!FManager || !FManager->IsOpen() || FBusy) return;
    FPageList->setEnabled(false);
    FPageList->SetRowCount(0);
    try {
        FManager->Analyser()->SetRelationFilter(text == "All Pages" ? -1 : StrToInt(text.toStdString()));
    } catch (const std::exception& e) {
        Report(e);
    }
    FPageList->SetRowCount(static_cast<int>(FManager->VisibleCount()));
    FPageList->Invalidate();
    FPageList->setEnabled(true);
}

void TfrmMain::PageListHeaderClicked(int column) {
    if (!FManager || !FManager->IsOpen() || FBusy) return;
    FPageList->SetRowCount(0);
    FManager->SetSortColumn(column);
    FPageList->SetRowCount(static_cast<int>(FManager->VisibleCount()));
    FPageList->Invalidate();
}

void TfrmMain::PageListDoubleClicked() {
    if (FBusy) return;
    const int row = FPageList->FocusedRow();
    if (row < 0 || !FManager || !FManager->IsOpen()) return;
    try {
        FManager->OpenPageEditor(StrToInt(FPageList->CellText(0, row).toStdString()));
    } catch (const std::exception& e) {
        Report(e);
    }
    UpdateCopyPageButton();
}

void TfrmMain::GotoCommand() {
    if (FBusy || !FManager || !FManager->IsOpen()) return;
    const auto limit = static_cast<int64_t>(FManager->Analyser()->PageTable().EntryCount());
    const QString text = Dialogs().GotoPage(this, limit);
    int32_t n = -1;
    try {
        n = StrToInt(text.toStdString());
    } catch (const EConvertError&) {
    }
    if (n < 0) return;
    FPageList->SetFocusedRow(n);
    FPageList->setFocus();
    FPageList->Invalidate();
    try {
        if (FManager->IsOpen()) FManager->OpenPageEditor(n);
    } catch (const std::exception& e) {
        Report(e);
    }
    UpdateCopyPageButton();
}

void TfrmMain::CopyPageCommand() {
    if (FBusy || !FManager || !FManager->IsOpen() || FMdi->subWindowList().isEmpty()) return;
    const auto request = Dialogs().CopyPage(this, QString::number(FManager->GetCurrentPage()));
    if (!request) return;
    try {
        const int64_t source = StrToInt64(request->Source.toStdString());
        const TPageRange range = ParsePageRange(request->Target.toStdString());
        if (range.Result == 1) {
            for (int64_t t = range.First; t <= range.Last; ++t)
                if (t >= 0) FManager->File().CopyPage(t, source);
        } else if (range.Result == 2 && range.First >= 0) {
            FManager->File().CopyPage(range.First, source);
        }
    } catch (const std::exception& e) {
        Report(e);
    }
    FPageList->SetRowCount(static_cast<int>(FManager->VisibleCount()));
    FPageList->Invalidate();
}

namespace {
// Lays the visible child windows out in one row (side by side) or one column (stacked).
void Tile(QMdiArea* area, bool sideBySide) {
    QList<QMdiSubWindow*> windows;
    for (QMdiSubWindow* w : area->subWindowList())
        if (w->isVisible() && !w->isMinimized()) windows << w;
    if (windows.isEmpty()) return;
    const QRect r = area->viewport()->rect();
    const int n = static_cast<int>(windows.size());
    for (int i = 0; i < n; ++i) {
        windows[i]->showNormal();
        if (sideBySide)
            windows[i]->setGeometry(r.width() * i / n, 0, r.width() * (i + 1) / n - r.width() * i / n,
                                    r.height());
        else
            windows[i]->setGeometry(0, r.height() * i / n, r.width(),
                                    r.height() * (i + 1) / n - r.height() * i / n);
    }
}
} // namespace

void TfrmMain::TileHorizontally() {
    Tile(FMdi, false);
}
void TfrmMain::TileVertically() {
    Tile(FMdi, true);
}

QWidget* TfrmMain::Extactor1Click() {
    try {
        auto* extractor = new records::TfmExtracter([this] { return FManager.get(); });
        QMdiSubWindow* sub = FMdi->addSubWindow(extractor);
        sub->setAttribute(Qt::WA_DeleteOnClose);
        sub->resize(840, 600);
        sub->show();
        UpdateCopyPageButton();
        return extractor;
    } catch (...) {
        return nullptr; // a window that cannot be shown is not reported
    }
}

void TfrmMain::UpdateCopyPageButton() {
    FFillPages->setEnabled(!FMdi->subWindowList().isEmpty());
}

void TfrmMain::RunFirstActivation() {
    if (!FFirstActivation) return;
    FFirstActivation = false;
    if (!FStartFile.isEmpty()) OpenFlow(FStartFile);
    TfrmTipOfTheDay tips(FSettings, this);
    if (tips.ShowTips()) Dialogs().Exec(tips);
}

bool TfrmMain::event(QEvent* event) {
    // Without a window manager a window may never be activated: the first show counts too.
    const bool firstShow = event->type() == QEvent::Show && !FShownOnce;
    if (firstShow) FShownOnce = true;
    if ((event->type() == QEvent::WindowActivate || firstShow) && FFirstActivation) {
        // Run after the activation itself has finished, from the event loop.
        QMetaObject::invokeMethod(this, &TfrmMain::RunFirstActivation, Qt::QueuedConnection);
    }
    return QMainWindow::event(event);
}

bool TfrmMain::eventFilter(QObject* watched, QEvent* event) {
    if (watched == FMdi->viewport()) {
        if (event->type() == QEvent::MouseButtonDblClick) {
            OpenCommand();
            return true;
        }
        if (event->type() == QEvent::MouseMove) UpdateCopyPageButton();
    }
    return QMainWindow::eventFilter(watched, event);
}

} // namespace morvane::ui
