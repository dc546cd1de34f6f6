#include "editors/ufmHeaderEditor.h"

#include "widgets/GridView.h"

#include <QVBoxLayout>

namespace morvane::editors {

TfmHeaderEditor::TfmHeaderEditor(TAbstractEditor* editor, QWidget* parent)
    : TCommonEditorForm(editor, " Header Page", "Special Header Editor", "HEX Header Editor", "HeaderHexEditor",
                        parent) {
    setObjectName("fmHeaderEditor");
    FGrid = new ui::TGridView(SpecialTab());
    FGrid->setObjectName("HeaderGrid");
    FGrid->SetColumns({{"Parameter Name", 260}, {"Value", 130, 0, 0, Qt::AlignCenter}});
    auto* layout = new QVBoxLayout(SpecialTab());
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(FGrid);
    resize(720, 560);
    SplitColumns();
}

void TfmHeaderEditor::SplitColumns() {
    const int width = FGrid->viewport()->width();
    FGrid->setColumnWidth(0, width * 2 / 3);
    FGrid->setColumnWidth(1, width - width * 2 / 3);
}

void TfmHeaderEditor::resizeEvent(QResizeEvent* event) {
    TCommonEditorForm::resizeEvent(event);
    SplitColumns();
}

} // namespace morvane::editors
