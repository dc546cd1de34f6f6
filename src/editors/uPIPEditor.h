#pragma once
// The page inventory page editor: the pages the page covers, allocated or free, with their
// types from the page table; allocation bits toggled from the list.

#include "editors/InventoryForm.h"

#include <array>
#include <vector>

namespace morvane::editors {

class TPIPEditor : public TAbstractEditor {
  public:
    TPIPEditor(ui::TManager& manager, TPageFile* page);

    void ReleaseForm() override { CloseForm(); }
    void SavePage() override;
    void CancelChanges() override {}
    void DoCommand(const std::string& command) override;
    bool ShowEditor() override { return ShowForm(); }

    TInventoryForm* Window() const { return static_cast<TInventoryForm*>(Form()); }
    int64_t FirstPage() const { return FFirst; }
    const std::vector<uint8_t>& Bitmap() const { return FBitmap; }

  private:
    void ChangeStatus();
    void Refresh();
    void LoadView(TMemoryStream& image);
    void ShowLastAllocated();
    QString CellText(int column, int row) const;

    std::vector<uint8_t> FHead;
    std::vector<uint8_t> FBitmap;
    int64_t FFirst = 0;
};

} // namespace morvane::editors
