#include "editors/TGenEditor.h"

#include "core/ByteReader.h"
#include "editors/ufmGenEditor.h"
#include "hexview/hexeditor.h"
#include "shell/Dialogs.h"
#include "shell/uManager.h"
#include "widgets/GridView.h"

namespace morvane::editors {

TGeneratorEditor::TGeneratorEditor(ui::TManager& manager, TPageFile* page) : TAbstractEditor(manager, page) {
    try {
        auto* form = new TfrmGenEditor(this);
        AttachForm(form);
        std::array<uint8_t, 20> head{};
        page->Data().Seek(0, TSeekOrigin::soBeginning);
        page->Data().Read(head.data(), static_cast<int64_t>(head.size()));
        FLayout = GeneratorLayout(manager.Analyser()->ODSVersion(), page->PageSize(),
                                  TByteReader(head.data(), head.size()).I32(16));
        form->Grid()->SetRowCount(static_cast<int>(FLayout.Slots));
        try {
            LoadPageView(*form->GenHexEditor());
        } catch (const std::exception&) {
        }
        form->Grid()->SetCellText([this](int column, int row) { return CellText(column, row); });
        form->Grid()->SetCellStyle([this](int, int row) -> std::optional<ui::TCellStyle> {
            const QString system = IsSystemText(FLayout.FirstId + row);
            const QColor back = system == "Yes"  ? QColor(0, 255, 0)
                                : system == "No" ? QColor(0, 255, 255)
                                                 : Qt::white;
            return ui::TCellStyle{back, Qt::black};
        });
        form->FillHeaderBox(TPageHeader::Decode(head.data(), head.size()));
    } catch (const std::exception&) {
        ui::ShowMessage(manager.Main().Window(), "Error to open page!");
    }
}

TfrmGenEditor* TGeneratorEditor::Window() const {
    return static_cast<TfrmGenEditor*>(Form());
}

// Entry id - 1 of the generator records is the record of generator id.
std::string TGeneratorEditor::NameOf(int64_t id) const {
    const TRelationID20* names = FManager.GeneratorNames();
    if (!names || id < 1 || id - 1 > INT32_MAX) return {};
    return names->NameAt(static_cast<int32_t>(id - 1));
}

QString TGeneratorEditor::IsSystemText(int64_t id) const {
    if (id == 0 || NameOf(id).empty()) return "N/A";
    return FManager.GeneratorNames()->SystemFlagAt(static_cast<int32_t>(id - 1)) == 1 ? "Yes" : "No";
}

QString TGeneratorEditor::CellText(int column, int row) const {
    const int64_t id = FLayout.FirstId + row;
    switch (column) {
    case 0:
        return QString::number(id);
    case 1: {
        if (id == 0) return "Generators Count";
        const std::string name = NameOf(id);
        return name.empty() ? QString("N/A")
                            : QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
    }
    case 2: {
        // Read from the page buffer on every request: saved values, not unsaved hex edits.
        const auto value = GeneratorValue(FPage->Data(), FLayout, row);
        return value ? QString::number(*value) : QString();
    }
    case 3:
        return IsSystemText(id);
    default:
        return {};
    }
}

void TGeneratorEditor::SavePage() {
    SaveThroughHexView(Window() ? Window()->GenHexEditor() : nullptr);
}

} // namespace morvane::editors
