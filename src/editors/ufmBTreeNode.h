#pragma once
// The B-tree page editor's window: the bucket's header fields, its nodes and a node's key bytes.

#include "editors/uAbstractEditor.h"

#include <array>

class QListWidget;

namespace morvane::editors {

class TfrmBTreeNode : public TCommonEditorForm {
    Q_OBJECT
  public:
    explicit TfrmBTreeNode(TAbstractEditor* editor, QWidget* parent = nullptr);
    hexview::THexEditor* BTreeNodeHexEditor() const { return PageHexView(); }
    // Boxes back to the window colour (after filling them).
    void ResetBoxColours();
    bool BoxChanged(QLineEdit* box) const;

    QListWidget* lstBTree;
    QLineEdit* edtRight;
    QLineEdit* edtLeft;
    QLineEdit* edtSum;
    QLineEdit* edtRelation;
    QLineEdit* edtLength;
    QLineEdit* edtIndexID;
    QLineEdit* edtIndexLevel;
    std::array<QLineEdit*, 7> Boxes{};
    hexview::THexEditor* hexIndexNode;
};

} // namespace morvane::editors
