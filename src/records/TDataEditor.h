#pragma once
// The data page editor: the page's slots and stored records, with or without a window.
// Without one (while the manager collects a relation's pages) it only decodes.

#include "editors/uAbstractEditor.h"
#include "pages/DataPage.h"

namespace morvane::editors {

class TfmDataEditor;

class TDataPageEditor : public TAbstractEditor {
  public:
    TDataPageEditor(ui::TManager& manager, TPageFile* page);

    void ReleaseForm() override {}
    void SavePage() override;
    void CancelChanges() override {}
    void DoCommand(const std::string& command) override;
    bool ShowEditor() override;

    TfmDataEditor* Window() const;
    const TDataPageContent& Content() const { return FContent; }
    TDataPageContent& Content() { return FContent; }
    // The record entries; CollectRecords takes them over.
    std::vector<IBRec>& Records() { return FContent.Records; }
    int32_t Sequence() const { return FContent.Header.dpg_sequence; }
    void SetSequence(int32_t sequence) { FContent.Header.dpg_sequence = sequence; }

  private:
    void ShowRecord(const std::string& item);
    void ShowPageAllocation(const std::vector<uint8_t>& data);

    TDataPageContent FContent;
};

} // namespace morvane::editors
