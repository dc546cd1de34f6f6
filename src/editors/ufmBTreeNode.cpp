#include "editors/ufmBTreeNode.h"

#include "editors/FormParts.h"
#include "hexview/HexProfile.h"
#include "hexview/hexeditor.h"

#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

namespace morvane::editors {

TfrmBTreeNode::TfrmBTreeNode(TAbstractEditor* editor, QWidget* parent)
    : TCommonEditorForm(editor, " Index (B-tree) Page", "Special Index Editor", "HEX Index Editor",
                        "BTreeNodeHexEditor", parent) {
    setObjectName("frmBTreeNode");
    QWidget* special = SpecialTab();
    lstBTree = new QListWidget(special);
    lstBTree->setObjectName("lstBTree");
    lstBTree->setMaximumWidth(140);
    auto* left = new QVBoxLayout;
    left->addWidget(new QLabel("B-tree node", special));
    left->addWidget(lstBTree, 1);

    auto* form = new QFormLayout;
    edtRight = AddField(form, "Right sibling page", "edtRight", false);
    edtLeft = AddField(form, "Left sibling page", "edtLeft", false);
    edtSum = AddField(form, "Sum of all prefixes", "edtSum", false);
    edtRelation = AddField(form, "Relation ID", "edtRelation", false);
    edtLength = AddField(form, "Length of data in bucket", "edtLength", true);
    edtIndexID = AddField(form, "Index ID for consistency", "edtIndexID", false);
    edtIndexLevel = AddField(form, "Index level (0 = leaf)", "edtIndexLevel", false);
    Boxes = {edtRight, edtLeft, edtSum, edtRelation, edtLength, edtIndexID, edtIndexLevel};
    for (QLineEdit* box : Boxes) {
        // A changed box turns red and stays so until the window closes.
        connect(box, &QLineEdit::textChanged, box, [box] {
            QPalette p = box->palette();
            p.setColor(QPalette::Base, QColor(255, 0, 0));
            box->setPalette(p);
            box->setProperty("changed", true);
        });
    }

    hexIndexNode = new hexview::THexEditor(special);
    hexIndexNode->setObjectName("hexIndexNode");
    hexIndexNode->SetReadOnlyView(true);
    auto* right = new QVBoxLayout;
    right->addLayout(form);
    right->addWidget(hexIndexNode, 1);
    auto* layout = new QHBoxLayout(special);
    layout->addLayout(left);
    layout->addLayout(right, 1);

    PrepareHexView(hexIndexNode, hexview::hpRecord, false);
    // This editor saves the decoded fields, so the page view only shows the page.
    BTreeNodeHexEditor()->SetReadOnlyView(true);
    resize(800, 560);
}

void TfrmBTreeNode::ResetBoxColours() {
    for (QLineEdit* box : Boxes) {
        box->setPalette(QPalette());
        box->setProperty("changed", false);
    }
}

bool TfrmBTreeNode::BoxChanged(QLineEdit* box) const {
    return box->property("changed").toBool();
}

} // namespace morvane::editors
