#include "editors/uPIPEditor.h"

#include "core/ByteReader.h"
#include "hexview/hexeditor.h"
#include "pages/InventoryPages.h"
#include "platform/Errors.h"
#include "shell/Dialogs.h"
#include "shell/uManager.h"
#include "widgets/GridView.h"

#include <QAction>
#include <QLineEdit>
#include <QTabWidget>

namespace morvane::editors {

TPIPEditor::TPIPEditor(ui::TManager& manager, TPageFile* page) : TAbstractEditor(manager, page) {
    try {
        auto* form = new TInventoryForm(this, " Inventory Page", "Special Inventory Page Editor",
                                        "HEX Inventory Page Editor",
                                        {{"Lowest (possible) free page:", "edtLowestFree"},
                                         {"Last allocated page:", "edtLastAllocated"}});
        form->setObjectName("fmPIPEditor");
        AttachForm(form);
        ui::TGridView* grid = form->Grid();
        grid->SetColumns({{"Page Number", 100, 0, 0, Qt::AlignCenter},
                          {"Allocated", 100, 0, 0, Qt::AlignCenter},
                          {"Page Type", 200}});
        grid->SetColumnShares({1, 1, 2});
        grid->SetCellText([this](int column, int row) { return CellText(column, row); });
        grid->SetCellStyle([this](int, int row) -> std::optional<ui::TCellStyle> {
            return ui::TCellStyle{QColor::fromRgb(AllocationColour(!PageIsFree(FBitmap, row))), Qt::black};
        });
        auto* change = new QAction("Change Allocated", grid);
        change->setObjectName("ChangeAllocated1");
        grid->addAction(change);
        grid->setContextMenuPolicy(Qt::ActionsContextMenu);
        QObject::connect(change, &QAction::triggered, grid, [this] { DoCommand("ChangeStatus"); });
        QObject::connect(grid, &ui::TGridView::RowDoubleClicked, grid,
                         [this](int) { DoCommand("ChangeStatus"); });
        QObject::connect(form->Tabs(), &QTabWidget::currentChanged, form, [this](int index) {
            if (index == 0) DoCommand("Refresh");
        });

        const int headSize = PageInventoryHeadSize(manager.Analyser()->ODSVersion());
        FHead.assign(static_cast<size_t>(headSize), 0);
        ReadInventoryPage(page->Data(), FHead, FBitmap);
        try {
            LoadView(page->Data());
        } catch (const std::exception&) {
        }
        form->FillHeaderBox(TPageHeader::Decode(FHead.data(), FHead.size()));
        form->PanelField(0)->setText(QString::number(TByteReader(FHead.data(), FHead.size()).U32(16)));
        ShowLastAllocated();
        const int32_t sequence =
            manager.Analyser()->PageTable().TypeSequence(ptPageInventory, page->PageNumber());
        FFirst = FirstPageOfInventory(sequence, page->PageSize(), headSize);
        grid->SetRowCount(static_cast<int>(PagesPerInventoryPage(page->PageSize(), headSize)));
    } catch (const std::exception&) {
        ui::ShowMessage(manager.Main().Window(), "Error to open page!");
    }
}

QString TPIPEditor::CellText(int column, int row) const {
    switch (column) {
    case 0:
        return QString::number(FFirst + row);
    case 1:
        return PageIsFree(FBitmap, row) ? "No" : "Yes";
    case 2: {
        const TMemTable& table = FManager.Analyser()->PageTable();
        const int64_t page = FFirst + row;
        if (page < static_cast<int64_t>(table.EntryCount()))
            return PageTypeName(table.EntryType(static_cast<size_t>(page)));
        return "N/A";
    }
    default:
        return {};
    }
}

// The last page this inventory page marks as allocated (the field the layout leaves empty).
void TPIPEditor::ShowLastAllocated() {
    const auto row = LastAllocatedRow(FBitmap);
    Window()->PanelField(1)->setText(row ? QString::number(FFirst + *row) : QString("-"));
}

void TPIPEditor::LoadView(TMemoryStream& image) {
    hexview::THexEditor* view = Window()->HeaderHexEditor();
    image.Seek(0, TSeekOrigin::soBeginning);
    view->LoadFromBuffer(nullptr, 0);
    view->LoadFromStream(image);
    image.Seek(0, TSeekOrigin::soBeginning);
}

void TPIPEditor::DoCommand(const std::string& command) {
    TAbstractEditor::DoCommand(command);
    if (!Window()) return;
    try {
        if (command == "ChangeStatus")
            ChangeStatus();
        else if (command == "Refresh")
            Refresh();
    } catch (const std::exception&) {
        // Neither command reports anything.
    }
}

void TPIPEditor::ChangeStatus() {
    TInventoryForm* form = Window();
    const int row = form->Grid()->FocusedRow();
    if (row < 0) return;
    TogglePageBit(FBitmap, row);
    TMemoryStream scratch;
    if (!form->HeaderHexEditor()->SaveToStream(scratch)) return;
    const auto headSize = static_cast<int64_t>(FHead.size());
    if (scratch.Size() < headSize) return;
    scratch.Seek(headSize, TSeekOrigin::soBeginning);
    scratch.Write(FBitmap.data(),
                  std::min<int64_t>(static_cast<int64_t>(FBitmap.size()), scratch.Size() - headSize));
    LoadView(scratch);
    form->HeaderHexEditor()->Model().SetModified(true);
    form->Grid()->Invalidate();
    ShowLastAllocated();
    FManager.SetModified(true);
}

void TPIPEditor::Refresh() {
    TMemoryStream scratch;
    if (!Window()->HeaderHexEditor()->SaveToStream(scratch)) return;
    scratch.Seek(0, TSeekOrigin::soBeginning);
    scratch.Read(FHead.data(), static_cast<int64_t>(FHead.size()));
    scratch.Read(FBitmap.data(), static_cast<int64_t>(FBitmap.size()));
    Window()->Grid()->Invalidate();
    ShowLastAllocated();
}

void TPIPEditor::SavePage() {
    SaveThroughHexView(Window() ? Window()->HeaderHexEditor() : nullptr);
}

} // namespace morvane::editors
