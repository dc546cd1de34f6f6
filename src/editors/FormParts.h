#pragma once
// Small pieces the editor windows build their structured tabs from.

#include <QFormLayout>
#include <QLineEdit>

namespace morvane::editors {

// A labelled edit box added to a form layout.
inline QLineEdit* AddField(QFormLayout* form, const QString& label, const char* name, bool readOnly = true) {
    auto* box = new QLineEdit;
    box->setObjectName(name);
    box->setReadOnly(readOnly);
    box->setMaximumWidth(160);
    form->addRow(label, box);
    return box;
}

} // namespace morvane::editors
