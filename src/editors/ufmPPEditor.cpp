#include "editors/ufmPPEditor.h"

#include "editors/FormParts.h"
#include "hexview/hexeditor.h"
#include "shell/Dialogs.h"

#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace morvane::editors {

TfmPointerPage::TfmPointerPage(TAbstractEditor* editor, QWidget* parent)
    : TCommonEditorForm(editor, " Pointer Page", "Special Pointer Page Editor", "HEX Pointer Page Editor",
                        "PointerHexEditor", parent) {
    setObjectName("fmPointerPage");
    QWidget* special = SpecialTab();
    auto* info = new QGroupBox("Pointer Page Info", special);
    auto* form = new QFormLayout(info);
    edtSequence = AddField(form, "# in relation", "edtSequence", false);
    edtNext = AddField(form, "Next pointer page", "edtNext", false);
    edtCount = AddField(form, "Number of slots active", "edtCount", false);
    edtRelation = AddField(form, "Relation ID", "edtRelation", false);
    edtMin_space = AddField(form, "Lowest slot with space ", "edtMin_space", false);
    edtMax_space = AddField(form, "Highest slot with space", "edtMax_space", false);

    btnBuild1 = new QPushButton("Rebuild vector", special);
    btnBuild1->setObjectName("btnBuild1");
    btnBuild1->setToolTip("List the relation's data pages by sequence, with 0 for every missing one");
    btnBuild2 = new QPushButton("Renumber pages and rebuild", special);
    btnBuild2->setObjectName("btnBuild2");
    btnBuild2->setToolTip("Renumber the relation's data pages 0, 1, 2 ... (written at once), then list them");
    connect(btnBuild1, &QPushButton::clicked, this, [this] {
        if (Editor()) Editor()->DoCommand("BUILD1");
    });
    connect(btnBuild2, &QPushButton::clicked, this, [this] {
        // Renumbering writes the data pages at once: it is confirmed first.
        if (!Editor()) return;
        const QString question = QString("Renumber the data pages of relation %1? Their sequence numbers are "
                                         "written to the file at once.")
                                     .arg(edtRelation->text());
        if (ui::Ask(this, question, ui::TButtons::YesNo) == ui::TAnswer::Yes) Editor()->DoCommand("BUILD2");
    });

    lstVector = new QListWidget(special);
    lstVector->setObjectName("lstVector");
    auto* left = new QVBoxLayout;
    left->addWidget(info);
    left->addWidget(btnBuild1);
    left->addWidget(btnBuild2);
    left->addStretch();
    auto* right = new QVBoxLayout;
    right->addWidget(new QLabel("Data page vector", special));
    right->addWidget(lstVector, 1);
    auto* layout = new QHBoxLayout(special);
    layout->addLayout(left);
    layout->addLayout(right, 1);

    // This editor saves the decoded fields, so the page view only shows the page.
    PointerHexEditor()->SetReadOnlyView(true);
    resize(760, 560);
}

} // namespace morvane::editors
