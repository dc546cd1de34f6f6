#pragma once
// The generator page editor: the page's value slots with the names and system flags that the
// generator records of relation 20 give them.

#include "editors/uAbstractEditor.h"
#include "pages/GeneratorPage.h"

namespace morvane::editors {

class TfrmGenEditor;

class TGeneratorEditor : public TAbstractEditor {
  public:
    TGeneratorEditor(ui::TManager& manager, TPageFile* page);

    void ReleaseForm() override { CloseForm(); }
    void SavePage() override;
    void CancelChanges() override {}
    bool ShowEditor() override { return ShowForm(); }

    TfrmGenEditor* Window() const;
    const TGeneratorLayout& Layout() const { return FLayout; }
    QString CellText(int column, int row) const;
    QString IsSystemText(int64_t id) const;

  private:
    std::string NameOf(int64_t id) const;

    TGeneratorLayout FLayout;
};

} // namespace morvane::editors
