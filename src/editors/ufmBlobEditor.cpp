#include "editors/ufmBlobEditor.h"

#include "hexview/HexProfile.h"
#include "hexview/hexeditor.h"

#include <QFormLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QVBoxLayout>

namespace morvane::editors {

TfrmBlobEditor::TfrmBlobEditor(TAbstractEditor* editor, QWidget* parent)
    : TCommonEditorForm(editor, " Blob Page", "Special Blob Page Editor", "HEX Blob Page Editor",
                        "HeaderHexEditor", parent) {
    setObjectName("frmBlobEditor");
    QWidget* special = SpecialTab();
    auto box = [special](const char* name) {
        auto* e = new QLineEdit(special);
        e->setObjectName(name);
        e->setReadOnly(true);
        e->setMaximumWidth(140);
        return e;
    };
    edtLeadPage = box("edtLeadPage");
    edtSequence = box("edtSequence");
    edtLength = box("edtLength");
    auto* fields = new QFormLayout;
    fields->addRow("First page of blob", edtLeadPage);
    fields->addRow("Sequence within blob", edtSequence);
    fields->addRow("Bytes on page", edtLength);

    ViewTabs = new QTabWidget(special);
    hxPacked = new hexview::THexEditor;
    hxPacked->setObjectName("hxPacked");
    hxPacked->SetReadOnlyView(true);
    hxPacked->setToolTip("Content of the Blob");
    edtText = new QPlainTextEdit;
    edtText->setObjectName("edtText");
    edtText->setReadOnly(true);
    edtText->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    ViewTabs->addTab(hxPacked, "Binary");
    ViewTabs->addTab(edtText, "Text");

    auto* layout = new QVBoxLayout(special);
    layout->addLayout(fields);
    layout->addWidget(ViewTabs, 1);
    PrepareHexView(hxPacked, hexview::hpRecord, false);
    resize(860, 560);
}

} // namespace morvane::editors
