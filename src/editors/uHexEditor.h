#pragma once
// The raw page editor: any page as bytes, for every page type without an editor of its own.

#include "editors/uAbstractEditor.h"

namespace morvane::editors {

class TfmhexEditor;

class THexEditor : public TAbstractEditor {
  public:
    THexEditor(ui::TManager& manager, TPageFile* page);

    void ReleaseForm() override { FreeForm(); }
    void SavePage() override;
    void CancelChanges() override {}
    bool ShowEditor() override { return ShowForm(); }

    TfmhexEditor* Window() const;
};

} // namespace morvane::editors
