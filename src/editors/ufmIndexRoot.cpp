#include "editors/ufmIndexRoot.h"

#include "editors/FormParts.h"
#include "hexview/hexeditor.h"
#include "pages/StructurePages.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

namespace morvane::editors {

TfrmIndexRoot::TfrmIndexRoot(TAbstractEditor* editor, QWidget* parent)
    : TCommonEditorForm(editor, " Index Root Page", "Special Root Editor", "HEX Root Editor",
                        "IndexRootHexEditor", parent) {
    setObjectName("frmIndexRoot");
    QWidget* special = SpecialTab();
    lstIndex = new QListWidget(special);
    lstIndex->setObjectName("lstIndex");
    lstIndex->setMaximumWidth(170);
    auto* left = new QVBoxLayout;
    left->addWidget(new QLabel("Page number of index root", special));
    left->addWidget(lstIndex, 1);

    auto* relation = new QFormLayout;
    edtRelation = AddField(relation, "Relation ID:", "edtRelation");

    auto* flags = new QGroupBox(" Index Flags ", special);
    auto* flagLayout = new QVBoxLayout(flags);
    static const char* const kNames[] = {"boxUnique",  "boxDescending", "boxInProgress",
                                         "boxForeign", "boxPrimary",    "boxExpression"};
    for (size_t i = 0; i < FlagBoxes.size(); ++i) {
        FlagBoxes[i] = new QCheckBox(kIndexFlagCaptions[i], flags);
        FlagBoxes[i]->setObjectName(kNames[i]);
        flagLayout->addWidget(FlagBoxes[i]);
    }

    auto* key = new QGroupBox("Key Descriptor", special);
    auto* keyForm = new QFormLayout(key);
    edtField = AddField(keyForm, "Field", "edtField");
    edtType = AddField(keyForm, "Type", "edtType");

    auto* info = new QGroupBox("Index Info", special);
    auto* infoForm = new QFormLayout(info);
    edtPageNum = AddField(infoForm, "Page number of index root", "edtPageNum");
    edtSelectivity = AddField(infoForm, "Selectivity of index", "edtSelectivity");
    edtKeyOffset = AddField(infoForm, "Offset to key descriptions", "edtKeyOffset");
    edtKeys = AddField(infoForm, "Number of keys in index", "edtKeys");

    auto* right = new QVBoxLayout;
    right->addLayout(relation);
    auto* groups = new QHBoxLayout;
    groups->addWidget(flags);
    auto* stacked = new QVBoxLayout;
    stacked->addWidget(key);
    stacked->addWidget(info);
    groups->addLayout(stacked, 1);
    right->addLayout(groups);
    right->addStretch();
    auto* layout = new QHBoxLayout(special);
    layout->addLayout(left);
    layout->addLayout(right, 1);

    // This editor saves the decoded top page numbers, so the page view only shows the page.
    IndexRootHexEditor()->SetReadOnlyView(true);
    resize(800, 520);
}

} // namespace morvane::editors
