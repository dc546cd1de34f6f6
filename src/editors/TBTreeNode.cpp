#include "editors/TBTreeNode.h"

#include "editors/ufmBTreeNode.h"
#include "hexview/hexeditor.h"
#include "platform/IntConv.h"
#include "shell/Dialogs.h"
#include "shell/uManager.h"

#include <QLineEdit>
#include <QListWidget>

namespace morvane::editors {

TBTreeNodeEditor::TBTreeNodeEditor(ui::TManager& manager, TPageFile* page) : TAbstractEditor(manager, page) {
    try {
        auto* form = new TfrmBTreeNode(this);
        AttachForm(form);
        FDecoded = DecodeBTreePage(page->Data(), HasFirebird3Layout(manager.Analyser()->ODSVersion()));
        for (const TBTreeNode& n : FDecoded.Nodes)
            form->lstBTree->addItem(QString::fromStdString(NodeLine(n)));
        try {
            LoadPageView(*form->BTreeNodeHexEditor());
        } catch (const std::exception&) {
        }
        form->FillHeaderBox(TPageHeader::Decode(FDecoded.Image.data(), 16));
        form->edtRight->setText(QString::number(FDecoded.Right));
        form->edtLeft->setText(QString::number(FDecoded.Left));
        form->edtSum->setText(QString::number(FDecoded.PrefixSum));
        form->edtRelation->setText(QString::number(FDecoded.Relation));
        form->edtLength->setText(QString::number(FDecoded.DataLength));
        form->edtIndexID->setText(QString::number(FDecoded.IndexId));
        form->edtIndexLevel->setText(QString::number(FDecoded.Level));
        form->ResetBoxColours();
        QObject::connect(form->lstBTree, &QListWidget::itemClicked, form,
                         [this](QListWidgetItem* item) { ShowNode(Window()->lstBTree->row(item)); });
    } catch (const std::exception&) {
        ui::ShowMessage(manager.Main().Window(), "Error to open page!");
    }
}

TfrmBTreeNode* TBTreeNodeEditor::Window() const {
    return static_cast<TfrmBTreeNode*>(Form());
}

void TBTreeNodeEditor::ShowNode(int line) {
    TfrmBTreeNode* f = Window();
    if (!f || line < 0 || line >= static_cast<int>(FDecoded.Nodes.size())) return;
    try {
        const std::vector<uint8_t> key =
            ReadNodeKey(FPage->Data(), FDecoded.Nodes[static_cast<size_t>(line)]);
        f->hexIndexNode->LoadFromBuffer(key.data(), static_cast<int64_t>(key.size()));
        if (!key.empty()) f->hexIndexNode->SetSelStart(0);
    } catch (const std::exception& e) {
        ui::ShowMessage(f, QString::fromStdString(e.what()));
    }
}

void TBTreeNodeEditor::SavePage() {
    if (TfrmBTreeNode* f = Window()) {
        TBTreePage p = FDecoded;
        p.Right = StrToInt(f->edtRight->text().toStdString());
        p.Left = StrToInt(f->edtLeft->text().toStdString());
        p.PrefixSum = StrToInt(f->edtSum->text().toStdString());
        p.Relation = static_cast<uint16_t>(StrToInt(f->edtRelation->text().toStdString()));
        p.DataLength = static_cast<uint16_t>(StrToInt(f->edtLength->text().toStdString()));
        p.IndexId = static_cast<uint8_t>(StrToInt(f->edtIndexID->text().toStdString()));
        p.Level = static_cast<uint8_t>(StrToInt(f->edtIndexLevel->text().toStdString()));
        EncodeBTreeHeader(FPage->Data(), p);
        FDecoded.Image = p.Image;
    }
    TAbstractEditor::SavePage();
    if (TfrmBTreeNode* f = Window()) {
        LoadPageView(*f->BTreeNodeHexEditor());
    }
}

} // namespace morvane::editors
