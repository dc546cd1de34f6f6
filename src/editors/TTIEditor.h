#pragma once
// The transaction inventory page editor: each transaction of the page with its state.

#include "editors/InventoryForm.h"
#include "pages/InventoryPages.h"

#include <array>
#include <vector>

namespace morvane::editors {

class TTIPEditor : public TAbstractEditor {
  public:
    TTIPEditor(ui::TManager& manager, TPageFile* page);

    void ReleaseForm() override;
    void SavePage() override;
    void CancelChanges() override {}
    bool ShowEditor() override { return ShowForm(); }

    TInventoryForm* Window() const { return static_cast<TInventoryForm*>(Form()); }
    int64_t FirstTransaction() const { return FFirst; }

  private:
    std::vector<uint8_t> FHead = std::vector<uint8_t>(kInventoryHeadSize);
    std::vector<uint8_t> FStates;
    int64_t FFirst = 0;
};

} // namespace morvane::editors
