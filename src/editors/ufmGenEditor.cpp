#include "editors/ufmGenEditor.h"

#include "widgets/GridView.h"

#include <QEvent>
#include <QHeaderView>
#include <QTabWidget>
#include <QVBoxLayout>

namespace morvane::editors {

TfrmGenEditor::TfrmGenEditor(TAbstractEditor* editor, QWidget* parent)
    : TCommonEditorForm(editor, " Generator Page", "Special Generator Page Editor",
                        "HEX Generator Page Editor", "GenHexEditor", parent) {
    setObjectName("frmGenEditor");
    FGrid = new ui::TGridView(SpecialTab());
    FGrid->setObjectName("GridView1");
    FGrid->SetColumns({{"Gen ID", 70, 0, 0, Qt::AlignRight | Qt::AlignVCenter, true},
                       {"Name", 260},
                       {"Value", 160},
                       {"Is System", 80, 0, 0, Qt::AlignCenter, true}});
    QFont bold = FGrid->horizontalHeader()->font();
    bold.setBold(true);
    FGrid->horizontalHeader()->setFont(bold);
    FGrid->installEventFilter(this);
    auto* layout = new QVBoxLayout(SpecialTab());
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(FGrid);
    Tabs()->setCurrentIndex(1); // this window opens on its hex tab
    resize(760, 560);
}

// "Name" takes whatever width the other three columns leave.
void TfrmGenEditor::FitNameColumn() {
    const int others = FGrid->columnWidth(0) + FGrid->columnWidth(2) + FGrid->columnWidth(3);
    FGrid->setColumnWidth(1, std::max(80, FGrid->viewport()->width() - others));
}

bool TfrmGenEditor::eventFilter(QObject* watched, QEvent* event) {
    if (watched == FGrid && (event->type() == QEvent::Resize || event->type() == QEvent::Show))
        FitNameColumn();
    return TCommonEditorForm::eventFilter(watched, event);
}

} // namespace morvane::editors
