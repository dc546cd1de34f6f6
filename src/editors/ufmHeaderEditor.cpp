#include "editors/ufmHeaderEditor.h"

#include "widgets/GridView.h"

#include <QVBoxLayout>

namespace morvane::editors {

TfmHeaderEditor::TfmHeaderEditor(TAbstractEditor* editor, QWidget* parent)
    : TCommonEditorForm(editor, " Header Page", "Special Header Editor", "HEX Header Editor",
                        "HeaderHexEditor", parent) {
    setObjectName("fmHeaderEditor");
    FGrid = new ui::TGridView(SpecialTab());
    FGrid->setObjectName("HeaderGrid");
    FGrid->SetColumns({{"Parameter Name", 260}, {"Value", 130, 0, 0, Qt::AlignCenter}});
    auto* layout = new QVBoxLayout(SpecialTab());
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(FGrid);
    FGrid->SetColumnShares({2, 1});
    resize(760, 580);
}

} // namespace morvane::editors
