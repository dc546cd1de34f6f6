#include "editors/uPPEditor.h"

#include "editors/ufmPPEditor.h"
#include "hexview/hexeditor.h"
#include "platform/Errors.h"
#include "platform/IntConv.h"
#include "shell/Dialogs.h"
#include "shell/uManager.h"

#include <QLineEdit>
#include <QListWidget>

namespace morvane::editors {

TPPEditor::TPPEditor(ui::TManager& manager, TPageFile* page) : TAbstractEditor(manager, page) {
    try {
        auto* form = new TfmPointerPage(this);
        AttachForm(form);
        FPage0 = DecodePointerPage(page->Data());
        try {
            LoadPageView(*Window()->PointerHexEditor());
        } catch (const std::exception&) {
        }
        Fill();
        QObject::connect(form->lstVector, &QListWidget::itemDoubleClicked, form,
                         [this](QListWidgetItem* item) { OpenVectorLine(Window()->lstVector->row(item)); });
    } catch (const std::exception&) {
        ui::ShowMessage(manager.Main().Window(), "Error to open page!");
    }
}

TfmPointerPage* TPPEditor::Window() const {
    return static_cast<TfmPointerPage*>(Form());
}

void TPPEditor::Fill() {
    TfmPointerPage* f = Window();
    f->FillHeaderBox(TPageHeader::Decode(FPage0.Image.data(), 16));
    f->edtSequence->setText(QString::number(FPage0.Sequence));
    f->edtNext->setText(QString::number(FPage0.Next));
    f->edtCount->setText(QString::number(FPage0.Count));
    f->edtRelation->setText(QString::number(FPage0.Relation));
    f->edtMin_space->setText(QString::number(FPage0.MinSpace));
    f->edtMax_space->setText(QString::number(FPage0.MaxSpace));
    f->lstVector->clear();
    for (uint32_t slot : FPage0.Slots)
        f->lstVector->addItem(QString::number(slot));
}

void TPPEditor::OpenVectorLine(int line) {
    TfmPointerPage* f = Window();
    if (!f || line < 0 || line >= f->lstVector->count()) return;
    try {
        const uint32_t page = ParsePageNumber(f->lstVector->item(line)->text().toStdString());
        FManager.OpenPageEditor(static_cast<int32_t>(page));
    } catch (const std::exception& e) {
        ui::ShowMessage(f, QString::fromStdString(e.what()));
    }
}

void TPPEditor::SavePage() {
    if (TfmPointerPage* f = Window()) {
        // Every box and line is parsed before a byte of the buffer changes.
        TPointerPage p = FPage0;
        p.Sequence = StrToInt(f->edtSequence->text().toStdString());
        p.Next = StrToInt(f->edtNext->text().toStdString());
        p.Count = static_cast<uint16_t>(StrToInt(f->edtCount->text().toStdString()));
        p.Relation = static_cast<uint16_t>(StrToInt(f->edtRelation->text().toStdString()));
        p.MinSpace = static_cast<uint16_t>(StrToInt(f->edtMin_space->text().toStdString()));
        p.MaxSpace = static_cast<uint16_t>(StrToInt(f->edtMax_space->text().toStdString()));
        p.Slots.clear();
        for (int i = 0; i < f->lstVector->count(); ++i)
            p.Slots.push_back(ParsePageNumber(f->lstVector->item(i)->text().toStdString()));
        EncodePointerPage(FPage->Data(), p);
        FPage0 = p;
    }
    TAbstractEditor::SavePage();
    if (Window()) LoadPageView(*Window()->PointerHexEditor());
}

void TPPEditor::DoCommand(const std::string& command) {
    const int mode = command == "BUILD1" ? 1 : command == "BUILD2" ? 2 : 0;
    if (mode == 0 || !Window()) return;
    try {
        const auto pages = FManager.CollectDataPages(FPage0.Relation, mode);
        Window()->lstVector->clear();
        for (const ui::TDataPageRef& p : pages)
            Window()->lstVector->addItem(QString::number(p.Page));
    } catch (const std::exception& e) {
        ui::ShowMessage(Window(), QString::fromStdString(e.what()));
    }
}

} // namespace morvane::editors
