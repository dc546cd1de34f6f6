#include "editors/ufmHeaderEditor.h"

#include "widgets/GridView.h"

#include <QEvent>
#include <QScrollBar>
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
    FGrid->installEventFilter(this);
    resize(760, 580);
}

void TfmHeaderEditor::SplitColumns() {
    const int width = FGrid->width() - 2 * FGrid->frameWidth() -
                      (FGrid->verticalScrollBar()->isVisible() ? FGrid->verticalScrollBar()->width() : 0);
    FGrid->setColumnWidth(0, width * 2 / 3);
    FGrid->setColumnWidth(1, width - width * 2 / 3);
}

// Every resize of the grid splits its width two thirds to the names, one third to the values.
bool TfmHeaderEditor::eventFilter(QObject* watched, QEvent* event) {
    if (watched == FGrid && (event->type() == QEvent::Resize || event->type() == QEvent::Show))
        SplitColumns();
    return TCommonEditorForm::eventFilter(watched, event);
}

} // namespace morvane::editors
