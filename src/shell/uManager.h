#pragma once
// The database manager: one open database file, its page table and generator names, and
// the page editors open on it.

#include "core/uBaseTools.h"
#include "core/uRelationID.h"
#include "pages/DataPage.h"
#include "shell/MainServices.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace morvane::editors {
class TAbstractEditor;
}

namespace morvane::ui {

// A data page of a relation by its sequence; page 0 marks a sequence with no page.
struct TDataPageRef {
    int32_t Sequence;
    int32_t Page;
    bool operator==(const TDataPageRef&) const = default;
};

class TManager {
  public:
    explicit TManager(TMainServices& main);
    ~TManager();
    TManager(const TManager&) = delete;
    TManager& operator=(const TManager&) = delete;

    void OpenDatabase(const std::string& fileName);
    void CloseDatabase();
    bool IsOpen() const { return FFile.IsOpen(); }
    void SaveAll();
    editors::TAbstractEditor* OpenPageEditor(int32_t pageNumber);

    size_t VisibleCount() const;
    std::string GetCellText(int column, size_t row) const;
    void ToggleTypeFilter(int code);
    void SetSortColumn(int column);
    TAnalyser* Analyser() const { return FFile.Analyser(); }
    TBaseFile& File() { return FFile; }
    TRelationID20* GeneratorNames() const { return FGenerators.get(); }

    void SetCurrentPage(int64_t page) { FCurrentPage = page; }
    int64_t GetCurrentPage() const { return FCurrentPage; }
    void SetModified(bool modified);
    bool Modified() const { return FModified; }
    void RefreshPageList();
    bool Collecting() const { return FCollecting; }
    void ShowProgress(int minimum, int maximum, int position);

    // The stored records of a relation's data pages, in page and slot order.
    std::vector<IBRec> CollectRecords(int32_t relation);
    // The relation's data pages by sequence. Mode 1 adds the missing sequences with page 0;
    // mode 2 renumbers the pages 0, 1, 2, ... in the order of their sequences.
    std::vector<TDataPageRef> CollectDataPages(int32_t relation, int mode);
    void SetDataPageSequence(int32_t sequence, int32_t page);

    TMainServices& Main() { return FMain; }
    const std::vector<editors::TAbstractEditor*>& Editors() const { return FEditors; }
    // Called by an editor as it is destroyed.
    void UnregisterEditor(editors::TAbstractEditor* editor);

  private:
    // Visits the relation's data pages in page order. Every page of the relation is looked at
    // and those that are not data pages are passed over: the index root page need not come
    // first, and taking the first page for it would lose a data page's records.
    void VisitDataPages(int32_t relation, const std::function<void(int32_t page, TDataPageContent&)>& visit);

    bool FCollecting = false;
    TMainServices& FMain;
    TBaseFile FFile;
    std::unique_ptr<TRelationID20> FGenerators;
    std::vector<editors::TAbstractEditor*> FEditors;
    int64_t FCurrentPage = 0;
    bool FModified = false;
};

} // namespace morvane::ui
