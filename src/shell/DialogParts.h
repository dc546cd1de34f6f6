#pragma once
// Pieces the small modal dialogs share: a bold label and the row of buttons at the bottom.

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

#include <initializer_list>

namespace morvane::ui {

inline QLabel* BoldLabel(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    return label;
}

// A push button that Enter does not press by itself: the dialogs decide what Enter does.
inline QPushButton* DialogButton(const QString& text, const char* name, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

inline QHBoxLayout* ButtonRow(std::initializer_list<QPushButton*> buttons) {
    auto* row = new QHBoxLayout;
    row->addStretch();
    for (QPushButton* b : buttons)
        row->addWidget(b);
    return row;
}

} // namespace morvane::ui
