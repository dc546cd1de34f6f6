#include "editors/uHeaderEditor.h"

#include "editors/ufmHeaderEditor.h"
#include "hexview/hexeditor.h"
#include "shell/Dialogs.h"
#include "shell/uManager.h"
#include "widgets/GridView.h"

#include <QDate>
#include <QLocale>
#include <QTime>

namespace morvane::editors {

QString LocaleCreationText(const TCreationMoment& m) {
    const QLocale locale;
    QString text = locale.toString(QDate(m.Year, m.Month, m.Day), QLocale::ShortFormat);
    if (m.HasTime()) {
        // The long format may name a time zone, which a stored time of day does not have.
        QString format = locale.timeFormat(QLocale::LongFormat);
        format.remove('t');
        text += ' ' + QTime(m.Hour, m.Minute, m.Second).toString(format.trimmed());
    }
    return text;
}

THeaderEditor::THeaderEditor(ui::TManager& manager, TPageFile* page) : TAbstractEditor(manager, page) {
    try {
        auto* form = new TfmHeaderEditor(this);
        AttachForm(form);
        form->Grid()->SetCellText([this](int column, int row) { return CellText(column, row); });
        try {
            FRecord = ReadHeaderRecord(page->Data());
        } catch (const std::exception&) {
        }
        try {
            LoadPageView(*form->HeaderHexEditor());
        } catch (const std::exception&) {
        }
        form->FillHeaderBox(TPageHeader::Decode(FRecord.data(), FRecord.size()));
        FRows =
            HeaderRows(FRecord, [](const TCreationMoment& m) { return LocaleCreationText(m).toStdString(); });
        form->Grid()->SetRowCount(kHeaderRowCount);
    } catch (const std::exception&) {
        ui::ShowMessage(manager.Main().Window(), "Error to open page!");
    }
}

TfmHeaderEditor* THeaderEditor::Window() const {
    return static_cast<TfmHeaderEditor*>(Form());
}

QString THeaderEditor::CellText(int column, int row) const {
    if (row < 0 || row >= static_cast<int>(FRows.size())) return {};
    const THeaderRow& r = FRows[static_cast<size_t>(row)];
    if (column == 0) return QString::fromStdString(r.Name);
    if (column == 1) return QString::fromStdString(r.Value);
    return {};
}

void THeaderEditor::ReleaseForm() {
    CloseForm();
}

void THeaderEditor::SavePage() {
    SaveThroughHexView(Window() ? Window()->HeaderHexEditor() : nullptr);
}

} // namespace morvane::editors
