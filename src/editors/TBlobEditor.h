#pragma once
// The blob page editor: the blob header of the page and its blob bytes.

#include "editors/uAbstractEditor.h"
#include "pages/BlobPage.h"

namespace morvane::editors {

class TfrmBlobEditor;

class TBlobEdit : public TAbstractEditor {
  public:
    TBlobEdit(ui::TManager& manager, TPageFile* page);

    void ReleaseForm() override { CloseForm(); }
    void SavePage() override;
    void CancelChanges() override {}
    bool ShowEditor() override { return ShowForm(); }

    TfrmBlobEditor* Window() const;
    const TBlobPageHeader& BlobHeader() const { return FBlob; }

  private:
    void LoadBlob();

    TPageHeader FHeader;
    TBlobPageHeader FBlob;
};

} // namespace morvane::editors
