#include "shell/uManager.h"

#include "editors/EditorFactory.h"
#include "editors/uAbstractEditor.h"
#include "shell/Dialogs.h"

#include <QProgressBar>

#include <algorithm>

namespace morvane::ui {

TManager::TManager(TMainServices& main) : FMain(main) {
    FFile.AskSaveOnDestroy = [this] {
        return Ask(FMain.Window(), QString::fromUtf8("Файл был изменен! Сохранить?"), TButtons::YesNo,
                   TMessageKind::Warning) == TAnswer::Yes;
    };
}

TManager::~TManager() {
    // Editors still registered (none after CloseDatabase) lose their manager with it.
    const auto editors = FEditors;
    for (editors::TAbstractEditor* e : editors) delete e;
    FGenerators.reset();
}

void TManager::OpenDatabase(const std::string& fileName) {
    TAnalyser* analyser =
        FFile.Open(fileName, [this](int lo, int hi, int pos) { ShowProgress(lo, hi, pos); }, FMain.PageSizeQuery());
    if (!analyser) return;
    FMain.ProgressBar()->setValue(0);
    FMain.InvalidateStatusBar();
    FMain.ProcessMessages();
    FGenerators = std::make_unique<TRelationID20>(FFile);
}

void TManager::CloseDatabase() {
    FMain.CloseEditorWindows();
    FFile.Close(true);
}

void TManager::SaveAll() {
    const auto editors = FEditors;
    for (editors::TAbstractEditor* e : editors) e->SavePage();
    FFile.WriteAll();
    FModified = false;
    RefreshPageList();
}

editors::TAbstractEditor* TManager::OpenPageEditor(int32_t pageNumber) {
    if (!IsOpen()) return nullptr;
    TPageFile* buffer = FFile.GetPageBuffer(pageNumber);
    for (editors::TAbstractEditor* e : FEditors) {
        if (e->GetPage() == buffer) {
            e->ShowEditor();
            return e;
        }
    }
    editors::TAbstractEditor* editor = editors::CreateEditor(*this, buffer);
    FEditors.push_back(editor);
    editor->ShowEditor();
    return editor;
}

void TManager::UnregisterEditor(editors::TAbstractEditor* editor) {
    FEditors.erase(std::remove(FEditors.begin(), FEditors.end(), editor), FEditors.end());
}

size_t TManager::VisibleCount() const { return Analyser() ? Analyser()->VisibleCount() : 0; }

std::string TManager::GetCellText(int column, size_t row) const {
    return Analyser() ? Analyser()->GetCellText(column, row) : std::string();
}

void TManager::ToggleTypeFilter(int code) {
    if (Analyser()) Analyser()->ToggleTypeFilter(code);
}

void TManager::SetSortColumn(int column) {
    if (Analyser()) Analyser()->SetSortColumn(static_cast<uint8_t>(column));
}

void TManager::SetModified(bool modified) {
    FModified = modified;
    FMain.SetSaveAllEnabled(modified);
}

void TManager::RefreshPageList() { FMain.RefreshPageList(); }

// At most 51 repaints a scan: only even positions that differ from the last one applied.
void TManager::ShowProgress(int minimum, int maximum, int position) {
    TProgressMemory& last = FMain.ProgressMemory();
    QProgressBar* bar = FMain.ProgressBar();
    if (minimum != last.Minimum) {
        bar->setMinimum(minimum);
        last.Minimum = minimum;
    }
    if (maximum != last.Maximum) {
        bar->setMaximum(maximum);
        last.Maximum = maximum;
    }
    if (position == last.Position || position % 2 != 0) return;
    last.Position = position;
    bar->setValue(position);
    FMain.InvalidateStatusBar();
    FMain.ProcessMessages();
}

} // namespace morvane::ui
