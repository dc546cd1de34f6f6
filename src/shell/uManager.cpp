#include "shell/uManager.h"

#include "editors/EditorFactory.h"
#include "editors/uAbstractEditor.h"
#include "records/TDataEditor.h"
#include "shell/Dialogs.h"

#include "platform/Errors.h"

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
    for (editors::TAbstractEditor* e : editors)
        delete e;
    FGenerators.reset();
}

void TManager::OpenDatabase(const std::string& fileName) {
    TAnalyser* analyser = FFile.Open(
        fileName, [this](int lo, int hi, int pos) { ShowProgress(lo, hi, pos); }, FMain.PageSizeQuery());
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
    for (editors::TAbstractEditor* e : editors)
        e->SavePage();
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

namespace {
// Sets a flag for the length of a scope, and clears it however the scope is left.
class TFlagGuard {
  public:
    explicit TFlagGuard(bool& flag) : FFlag(flag), FOld(flag) { FFlag = true; }
    ~TFlagGuard() { FFlag = FOld; }
    TFlagGuard(const TFlagGuard&) = delete;
    TFlagGuard& operator=(const TFlagGuard&) = delete;

  private:
    bool& FFlag;
    bool FOld;
};
} // namespace

void TManager::VisitDataPages(int32_t relation,
                              const std::function<void(int32_t page, TDataPageContent&)>& visit) {
    TAnalyser* analyser = Analyser();
    if (!analyser) return;
    const TMemTable& table = analyser->PageTable();
    const int32_t count = table.CountRelationPages(relation);
    for (int32_t i = 0; i < count; ++i) {
        const int32_t page = table.RelationPageAt(relation, i);
        // A page that is not a data page has no records and no sequence.
        if (table.EntryType(static_cast<size_t>(page)) != ptData) continue;
        if (TPageFile* open = FFile.FindBuffer(page)) {
            // The user has this page open: read its buffer, leave the editor and window alone.
            TMemoryStream copy(open->Data().Bytes());
            TDataPageContent content = LoadDataPage(copy);
            if (open->PageTypeCode() == ptData) visit(page, content);
            continue;
        }
        std::unique_ptr<editors::TAbstractEditor> editor(OpenPageEditor(page));
        auto* dataEditor = dynamic_cast<editors::TDataPageEditor*>(editor.get());
        if (!dataEditor) continue;
        visit(page, dataEditor->Content());
    }
}

std::vector<IBRec> TManager::CollectRecords(int32_t relation) {
    std::vector<IBRec> records;
    TFlagGuard collecting(FCollecting);
    VisitDataPages(relation, [&](int32_t, TDataPageContent& content) {
        for (IBRec& rec : content.Records)
            records.push_back(std::move(rec));
        content.Records.clear();
    });
    return records;
}

std::vector<TDataPageRef> TManager::CollectDataPages(int32_t relation, int mode) {
    std::vector<TDataPageRef> pages;
    TFlagGuard collecting(FCollecting);
    VisitDataPages(relation, [&](int32_t page, TDataPageContent& content) {
        pages.push_back({content.Header.dpg_sequence, page});
    });
    auto bySequence = [](const TDataPageRef& a, const TDataPageRef& b) { return a.Sequence < b.Sequence; };
    std::sort(pages.begin(), pages.end(), bySequence);
    if (mode == 1) {
        // A relation cannot have more data pages than the file has pages: a gap wider than
        // that comes from a damaged sequence number and is not filled.
        const auto limit = static_cast<int64_t>(Analyser()->PageCount());
        std::vector<TDataPageRef> filled;
        int64_t last = -1;
        for (const TDataPageRef& p : pages) {
            if (p.Sequence - last - 1 <= limit)
                for (int64_t s = last + 1; s < p.Sequence; ++s)
                    filled.push_back({static_cast<int32_t>(s), 0});
            filled.push_back(p);
            last = p.Sequence;
        }
        pages = std::move(filled);
    } else if (mode == 2) {
        TAnalyser* analyser = Analyser();
        TFlagGuard suspended(analyser->RebuildSuspended);
        for (size_t j = 0; j < pages.size(); ++j) {
            SetDataPageSequence(static_cast<int32_t>(j), pages[j].Page);
            pages[j].Sequence = static_cast<int32_t>(j);
        }
    }
    std::sort(pages.begin(), pages.end(), bySequence);
    return pages;
}

void TManager::SetDataPageSequence(int32_t sequence, int32_t page) {
    if (!IsOpen()) return;
    if (TPageFile* open = FFile.FindBuffer(page)) {
        // Open in the user's editor: write the sequence through the shared buffer, as a page
        // copy would; the window keeps showing the bytes it loaded.
        WriteDataPageSequence(open->Data(), sequence);
        open->WritePage();
        return;
    }
    TFlagGuard collecting(FCollecting);
    std::unique_ptr<editors::TAbstractEditor> editor(OpenPageEditor(page));
    auto* dataEditor = dynamic_cast<editors::TDataPageEditor*>(editor.get());
    if (!dataEditor) throw EError(Format("Page %d is not a data page; its sequence was not changed.", page));
    dataEditor->SetSequence(sequence);
    dataEditor->SavePage();
}

void TManager::UnregisterEditor(editors::TAbstractEditor* editor) {
    FEditors.erase(std::remove(FEditors.begin(), FEditors.end(), editor), FEditors.end());
}

size_t TManager::VisibleCount() const {
    return Analyser() ? Analyser()->VisibleCount() : 0;
}

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

void TManager::RefreshPageList() {
    FMain.RefreshPageList();
}

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
