#include "editors/TTIEditor.h"

#include "core/ByteReader.h"
#include "hexview/hexeditor.h"
#include "pages/InventoryPages.h"
#include "shell/Dialogs.h"
#include "shell/uManager.h"
#include "widgets/GridView.h"

#include <QLineEdit>

namespace morvane::editors {

TTIPEditor::TTIPEditor(ui::TManager& manager, TPageFile* page) : TAbstractEditor(manager, page) {
    try {
        auto* form = new TInventoryForm(
            this, " Transaction Inventory", "Special Transaction Inventory Editor",
            "HEX Transaction Inventory Editor", {{"Next transaction inventory page", "edtNextTIP"}});
        form->setObjectName("frmTIEditor");
        AttachForm(form);
        ui::TGridView* grid = form->Grid();
        grid->SetColumns(
            {{"Transaction Number", 150, 0, 0, Qt::AlignCenter}, {"Status", 150, 0, 0, Qt::AlignCenter}});
        grid->SetColumnShares({1, 1});
        grid->SetCellText([this](int column, int row) -> QString {
            if (column == 0) return QString::number(FFirst + row);
            if (column == 1) return TransactionStateText(TransactionState(FStates, row));
            return {};
        });
        grid->SetCellStyle([this](int, int row) -> std::optional<ui::TCellStyle> {
            const uint32_t rgb = TransactionStateColour(TransactionState(FStates, row));
            return ui::TCellStyle{QColor::fromRgb(rgb), Qt::black};
        });
        ReadInventoryPage(page->Data(), FHead, FStates);
        try {
            LoadPageView(*form->HeaderHexEditor());
        } catch (const std::exception&) {
        }
        form->FillHeaderBox(TPageHeader::Decode(FHead.data(), FHead.size()));
        form->PanelField(0)->setText(QString::number(TByteReader(FHead.data(), FHead.size()).I32(16)));
        const int32_t sequence =
            manager.Analyser()->PageTable().TypeSequence(ptTransactionInventory, page->PageNumber());
        FFirst = FirstTransactionOfPage(sequence, page->PageSize());
        grid->SetRowCount(static_cast<int>(TransactionsPerPage(page->PageSize())));
    } catch (const std::exception&) {
        ui::ShowMessage(manager.Main().Window(), "Error to open page!");
    }
}

void TTIPEditor::ReleaseForm() {
    CloseForm();
}

void TTIPEditor::SavePage() {
    SaveThroughHexView(Window() ? Window()->HeaderHexEditor() : nullptr);
}

} // namespace morvane::editors
