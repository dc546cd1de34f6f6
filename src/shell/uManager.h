#pragma once
// The database manager: one open database file, its page table and generator names, and
// the page editors open on it.

#include "core/uBaseTools.h"
#include "core/uRelationID.h"
#include "shell/MainServices.h"

#include <memory>
#include <string>
#include <vector>

namespace morvane::editors {
class TAbstractEditor;
}

namespace morvane::ui {

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

    TMainServices& Main() { return FMain; }
    const std::vector<editors::TAbstractEditor*>& Editors() const { return FEditors; }
    // Called by an editor as it is destroyed.
    void UnregisterEditor(editors::TAbstractEditor* editor);

protected:
    bool FCollecting = false;

private:
    TMainServices& FMain;
    TBaseFile FFile;
    std::unique_ptr<TRelationID20> FGenerators;
    std::vector<editors::TAbstractEditor*> FEditors;
    int64_t FCurrentPage = 0;
    bool FModified = false;
};

} // namespace morvane::ui
