#include "editors/TIndexRoot.h"

#include "editors/ufmIndexRoot.h"
#include "hexview/hexeditor.h"
#include "platform/Errors.h"
#include "shell/Dialogs.h"
#include "shell/uManager.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>

namespace morvane::editors {

namespace {
const char* const kDeleted = "Deleted";
}

TIndexRootEditor::TIndexRootEditor(ui::TManager& manager, TPageFile* page) : TAbstractEditor(manager, page) {
    try {
        auto* form = new TfrmIndexRoot(this);
        AttachForm(form);
        FDecoded = DecodeIndexRootPage(page->Data());
        for (const TIndexEntry& e : FDecoded.Entries)
            form->lstIndex->addItem(e.TopPage == 0 ? QString(kDeleted)
                                                   : QString::number(static_cast<uint32_t>(e.TopPage)));
        try {
            LoadPageView(*form->IndexRootHexEditor());
        } catch (const std::exception&) {
        }
        form->FillHeaderBox(TPageHeader::Decode(FDecoded.Image.data(), 16));
        form->edtRelation->setText(QString::number(FDecoded.Relation));
        QObject::connect(form->lstIndex, &QListWidget::itemClicked, form,
                         [this](QListWidgetItem* item) { ShowEntry(Window()->lstIndex->row(item)); });
        QObject::connect(form->lstIndex, &QListWidget::itemDoubleClicked, form,
                         [this](QListWidgetItem* item) { OpenLine(Window()->lstIndex->row(item)); });
        for (QCheckBox* box : form->FlagBoxes)
            QObject::connect(box, &QCheckBox::clicked, form, [this] { FlagClicked(); });
    } catch (const std::exception&) {
        ui::ShowMessage(manager.Main().Window(), "Error to open page!");
    }
}

TfrmIndexRoot* TIndexRootEditor::Window() const {
    return static_cast<TfrmIndexRoot*>(Form());
}

void TIndexRootEditor::ShowEntry(int index) {
    TfrmIndexRoot* f = Window();
    if (!f || index < 0) return;
    try {
        const TIndexEntry e = ReadIndexEntry(FPage->Data(), index);
        const TKeyDescriptor key = ReadKeyDescriptor(FPage->Data(), e.KeyOffset);
        f->edtPageNum->setText(QString::number(e.TopPage));
        f->edtSelectivity->setText(QString::fromStdString(SelectivityText(e.Selectivity)));
        f->edtKeyOffset->setText(QString::number(e.KeyOffset));
        f->edtKeys->setText(QString::number(e.Keys));
        f->edtField->setText(QString::number(key.Field));
        f->edtType->setText(QString::fromStdString(KeyTypeName(key.Type)));
        for (size_t i = 0; i < f->FlagBoxes.size(); ++i)
            f->FlagBoxes[i]->setChecked((e.Flags >> i) & 1);
    } catch (const std::exception& e) {
        ui::ShowMessage(f, QString::fromStdString(e.what()));
    }
}

void TIndexRootEditor::FlagClicked() {
    TfrmIndexRoot* f = Window();
    const int row = f->lstIndex->currentRow();
    if (row >= 0 && f->lstIndex->currentItem() && f->lstIndex->currentItem()->isSelected())
        ShowEntry(row);
    else
        for (QCheckBox* box : f->FlagBoxes)
            box->setChecked(false);
}

void TIndexRootEditor::OpenLine(int line) {
    TfrmIndexRoot* f = Window();
    if (!f || line < 0 || line >= f->lstIndex->count()) return;
    const QString text = f->lstIndex->item(line)->text();
    if (text == kDeleted) return;
    try {
        FManager.OpenPageEditor(static_cast<int32_t>(ParsePageNumber(text.toStdString())));
    } catch (const std::exception& e) {
        ui::ShowMessage(f, QString::fromStdString(e.what()));
    }
}

void TIndexRootEditor::SavePage() {
    if (TfrmIndexRoot* f = Window()) {
        std::vector<uint32_t> pages;
        for (int i = 0; i < f->lstIndex->count(); ++i) {
            const QString text = f->lstIndex->item(i)->text();
            pages.push_back(text == kDeleted ? 0 : ParsePageNumber(text.toStdString()));
        }
        EncodeIndexTopPages(FPage->Data(), pages);
    }
    TAbstractEditor::SavePage();
    if (TfrmIndexRoot* f = Window()) {
        LoadPageView(*f->IndexRootHexEditor());
    }
}

} // namespace morvane::editors
