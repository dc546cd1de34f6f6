#pragma once
// The pointer page editor: a relation's data page vector and the pointer page's fields.

#include "editors/uAbstractEditor.h"
#include "pages/StructurePages.h"

namespace morvane::editors {

class TfmPointerPage;

class TPPEditor : public TAbstractEditor {
  public:
    TPPEditor(ui::TManager& manager, TPageFile* page);

    void ReleaseForm() override { CloseForm(); }
    void SavePage() override;
    void CancelChanges() override {}
    void DoCommand(const std::string& command) override;
    bool ShowEditor() override { return ShowForm(); }

    TfmPointerPage* Window() const;
    const TPointerPage& Decoded() const { return FPage0; }
    void OpenVectorLine(int line);

  private:
    void Fill();

    TPointerPage FPage0; // the image as read, or as last encoded
};

} // namespace morvane::editors
