#pragma once
// The index root page editor: a relation's indices with their top B-tree pages.

#include "editors/uAbstractEditor.h"
#include "pages/StructurePages.h"

namespace morvane::editors {

class TfrmIndexRoot;

class TIndexRootEditor : public TAbstractEditor {
  public:
    TIndexRootEditor(ui::TManager& manager, TPageFile* page);

    void ReleaseForm() override { CloseForm(); }
    void SavePage() override;
    void CancelChanges() override {}
    bool ShowEditor() override { return ShowForm(); }

    TfrmIndexRoot* Window() const;
    const TIndexRootPage& Decoded() const { return FDecoded; }
    void ShowEntry(int index);
    void OpenLine(int line);
    // A flag box was clicked: the boxes go back to what the page says.
    void FlagClicked();

  private:
    TIndexRootPage FDecoded;
};

} // namespace morvane::editors
