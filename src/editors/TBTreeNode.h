#pragma once
// The B-tree page editor: a bucket of an index, its header fields and its nodes.

#include "editors/uAbstractEditor.h"
#include "pages/StructurePages.h"

namespace morvane::editors {

class TfrmBTreeNode;

class TBTreeNodeEditor : public TAbstractEditor {
  public:
    TBTreeNodeEditor(ui::TManager& manager, TPageFile* page);

    void ReleaseForm() override { CloseForm(); }
    void SavePage() override;
    void CancelChanges() override {}
    bool ShowEditor() override { return ShowForm(); }

    TfrmBTreeNode* Window() const;
    const TBTreePage& Decoded() const { return FDecoded; }
    void ShowNode(int line);

  private:
    TBTreePage FDecoded;
};

} // namespace morvane::editors
