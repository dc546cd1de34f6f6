#include "editors/TBlobEditor.h"

#include "editors/ufmBlobEditor.h"
#include "hexview/hexeditor.h"
#include "shell/Dialogs.h"
#include "shell/uManager.h"

#include <QLineEdit>
#include <QPlainTextEdit>

namespace morvane::editors {

TBlobEdit::TBlobEdit(ui::TManager& manager, TPageFile* page) : TAbstractEditor(manager, page) {
    try {
        auto* form = new TfrmBlobEditor(this);
        AttachForm(form);
        FHeader = page->PageHeader();
        LoadBlob();
        form->FillHeaderBox(FHeader);
        form->edtLeadPage->setText(QString::number(FBlob.LeadPage));
        form->edtSequence->setText(QString::number(FBlob.Sequence));
        form->edtLength->setText(QString::number(FBlob.Length));
    } catch (const std::exception&) {
        ui::ShowMessage(manager.Main().Window(), "Error to open page!");
    }
}

TfrmBlobEditor* TBlobEdit::Window() const {
    return static_cast<TfrmBlobEditor*>(Form());
}

void TBlobEdit::LoadBlob() {
    TfrmBlobEditor* form = Window();
    TMemoryStream& data = FPage->Data();
    LoadPageView(*form->HeaderHexEditor());
    try {
        uint8_t head[28];
        data.Seek(0, TSeekOrigin::soBeginning);
        data.ReadBuffer(head, sizeof head);
        FHeader = TPageHeader::Decode(head, 16);
        FBlob = DecodeBlobHeader(head, sizeof head);
        std::vector<uint8_t> bytes(FBlob.Length);
        data.ReadBuffer(bytes.data(), FBlob.Length); // a length past the page fails here
        form->hxPacked->LoadFromBuffer(bytes.data(), FBlob.Length);
        if (FBlob.Length > 0) form->hxPacked->SetSelStart(0);
        const std::u32string text = BlobText(bytes);
        form->edtText->setPlainText(QString::fromUcs4(text.data(), static_cast<qsizetype>(text.size())));
    } catch (const std::exception&) {
        // What was set stays; the views keep their earlier content.
    }
}

void TBlobEdit::SavePage() {
    SaveThroughHexView(Window() ? Window()->HeaderHexEditor() : nullptr);
}

} // namespace morvane::editors
