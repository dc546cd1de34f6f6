#pragma once
// The header page editor: the fixed part of the header page as 28 named parameters.

#include "editors/uAbstractEditor.h"
#include "pages/HeaderPage.h"

namespace morvane::editors {

class TfmHeaderEditor;

class THeaderEditor : public TAbstractEditor {
  public:
    THeaderEditor(ui::TManager& manager, TPageFile* page);

    void ReleaseForm() override;
    void SavePage() override;
    void CancelChanges() override {}
    bool ShowEditor() override { return ShowForm(); }

    TfmHeaderEditor* Window() const;
    const THeaderRecord& HeaderRecord() const { return FRecord; }
    QString CellText(int column, int row) const;

  private:
    THeaderRecord FRecord{};
    std::vector<THeaderRow> FRows;
};

// The creation date in the locale's short date and long time, the time left out at midnight.
QString LocaleCreationText(const TCreationMoment& m);

} // namespace morvane::editors
