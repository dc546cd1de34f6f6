#include "records/TDataEditor.h"

#include "hexview/hexeditor.h"
#include "platform/Errors.h"
#include "platform/IntConv.h"
#include "records/uRLE.h"
#include "records/ufmDataEditor.h"
#include "shell/Dialogs.h"
#include "shell/uManager.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTabWidget>

namespace morvane::editors {

TDataPageEditor::TDataPageEditor(ui::TManager& manager, TPageFile* page) : TAbstractEditor(manager, page) {
    try {
        TfmDataEditor* form = nullptr;
        if (!manager.Collecting()) {
            form = new TfmDataEditor(this);
            AttachForm(form);
        }
        FContent = LoadDataPage(page->Data());
        if (form) {
            for (const TSlot& slot : FContent.Slots)
                form->lbOffsets->addItem(QString::fromStdString(slot.Item()));
            form->FillHeaderBox(FContent.Header.Common);
            form->dpg_relation->setText(QString::number(FContent.Header.dpg_relation));
            form->dpg_sequence->setText(QString::number(FContent.Header.dpg_sequence));
            form->dp_rec_count->setText(QString::number(FContent.Header.dp_rec_count));
            LoadPageView(*form->HeaderHexEditor());
            form->RecordTabs->setTabVisible(2, FContent.HeaderRead && FContent.Header.dpg_relation == 0);
        }
    } catch (const std::exception&) {
        // Creation never reports: the editor keeps whatever was loaded.
    }
}

TfmDataEditor* TDataPageEditor::Window() const {
    return static_cast<TfmDataEditor*>(Form());
}

bool TDataPageEditor::ShowEditor() {
    if (FManager.Collecting()) return true;
    return ShowForm();
}

void TDataPageEditor::DoCommand(const std::string& command) {
    ShowRecord(command);
}

void TDataPageEditor::ShowRecord(const std::string& item) {
    TfmDataEditor* form = Window();
    if (!form) return;
    try {
        const auto blank = item.find(' ');
        const int32_t offset = StrToInt(item.substr(0, blank));
        const int32_t length = StrToInt(blank == std::string::npos ? std::string() : item.substr(blank + 1));
        form->lblOffset->setText(QString("Offset=%1 Length=%2").arg(offset).arg(length));
        if (offset == 0 || length == 0) return;
        // The page as loaded or last saved, not the unsaved edits of the page view.
        const TRecordImage image = ReadRecordImage(FPage->Data(), offset, length);
        form->lblRECORD->setText(RecordKindLabel(image.Kind));
        form->ed_rhd_transaction->setText(QString::number(image.Transaction()));
        const TRecordBytes bytes = RecordBytes(image);
        form->hxPacked->LoadFromBuffer(bytes.Packed.data(), static_cast<int64_t>(bytes.Packed.size()));
        form->hxPacked->SetSelStart(0);
        form->heRecord->LoadFromBuffer(bytes.Unpacked.data(), static_cast<int64_t>(bytes.Unpacked.size()));
        form->heRecord->SetSelStart(0);
        const TFlagBits flags = DecodeFlagBits(image.Flags());
        for (size_t i = 0; i < flags.size(); ++i)
            form->FlagBoxes[i]->setChecked(flags[i]);
        if (form->PagesTabActive()) ShowPageAllocation(image.Data);
    } catch (const std::exception&) {
        ui::ShowMessage(form, "Selected record cannot be displayed");
    }
}

void TDataPageEditor::ShowPageAllocation(const std::vector<uint8_t>& data) {
    TfmDataEditor* form = Window();
    try {
        TRLERecord rle;
        rle.AllocPacked(static_cast<int32_t>(data.size()));
        std::copy(data.begin(), data.end(), rle.Packed());
        rle.Unpack();
        const int32_t page = rle.ReadInt32(4);
        const int16_t relation = rle.ReadInt16(8);
        const int32_t sequence = rle.ReadInt32(12);
        const int16_t type = rle.ReadInt16(16);
        form->edPageNum->setText(QString::number(page));
        form->edRelationID->setText(QString::number(relation));
        form->edPageSequence->setText(QString::number(sequence));
        form->edPageType->setText(QString::number(type));
    } catch (const std::exception&) {
        // The boxes keep what they showed.
    }
}

void TDataPageEditor::SavePage() {
    if (TfmDataEditor* form = Window()) return SaveThroughHexView(form->HeaderHexEditor());
    {
        // Without the header as loaded there is nothing sound to write back.
        if (!FContent.HeaderRead)
            throw EError("The data page header could not be read; nothing was written.");
        FPage->Data().Seek(0, TSeekOrigin::soBeginning);
        FPage->Data().WriteBuffer(FContent.Header.Raw.data(), 24);
        WriteDataPageSequence(FPage->Data(), FContent.Header.dpg_sequence);
    }
    TAbstractEditor::SavePage();
}

} // namespace morvane::editors
