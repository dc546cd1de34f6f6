#include "hexview/HexMenu.h"

#include "hexview/HexProfile.h"
#include "hexview/hexeditor.h"

#include <QActionGroup>

#include <exception>

namespace morvane::hexview {

THexMenu::THexMenu(TSettingsStore& store, QWidget* parent) : QMenu(parent), FStore(store) {
    setObjectName("popHex");
    FColumns = AddSubmenu(
        "Bytes per column", {"1 bytes", "2 Bytes", "4 bytes"}, {1, 2, 4},
        [](const THexEditor& v) { return v.BytesPerColumn(); },
        [](THexEditor& v, int n) { v.SetBytesPerColumn(n); });
    FLines = AddSubmenu(
        "Bytes per line", {"4 bytes", "8 bytes", "16 bytes"}, {4, 8, 16},
        [](const THexEditor& v) { return v.BytesPerLine(); },
        [](THexEditor& v, int n) { v.SetBytesPerLine(n); });
    FOffsets = AddSubmenu(
        "Offset Display", {"Octal", "Dec", "Hex", "None"}, {odOctal, odDec, odHex, odNone},
        [](const THexEditor& v) { return static_cast<int>(v.OffsetDisplay()); },
        [](THexEditor& v, int n) { v.SetOffsetDisplay(static_cast<TOffsetDisplayStyle>(n)); });
    FTranslations = AddSubmenu(
        "Translation", {"Ansi", "ASCII", "Dos", "EBCDIC", "Mac"}, {ttAnsi, ttASCII, ttDos8, ttEBCDIC, ttMac},
        [](const THexEditor& v) { return static_cast<int>(v.Translation()); },
        [](THexEditor& v, int n) { v.SetTranslation(static_cast<TTranslationType>(n)); });
}

THexEditor* THexMenu::Target() const {
    if (FTarget) return FTarget;
    return qobject_cast<THexEditor*>(property("hexTarget").value<QObject*>());
}

QMenu* THexMenu::AddSubmenu(const QString& title, const QStringList& items, const std::vector<int>& values,
                            std::function<int(const THexEditor&)> current,
                            std::function<void(THexEditor&, int)> apply) {
    QMenu* sub = addMenu(title);
    for (int i = 0; i < items.size(); ++i) {
        QAction* a = sub->addAction(items[i]);
        a->setCheckable(true);
        const int value = values[static_cast<size_t>(i)];
        connect(a, &QAction::triggered, this, [this, value, apply] {
            THexEditor* view = Target();
            if (!view) return;
            try {
                apply(*view, value);
            } catch (const std::exception& e) {
                if (OnError) OnError(e.what());
                return;
            }
            Store(*view);
        });
    }
    // Each time it opens, only the item of the view's current value is checked.
    connect(sub, &QMenu::aboutToShow, this, [this, sub, values, current] {
        const THexEditor* view = Target();
        const QList<QAction*> actions = sub->actions();
        for (int i = 0; i < actions.size(); ++i)
            actions[i]->setChecked(view && current(*view) == values[static_cast<size_t>(i)]);
    });
    return sub;
}

void THexMenu::Store(THexEditor& view) {
    try {
        SaveHexProfile(FStore, ProfileOfView(view.objectName().toStdString()),
                       CurrentHexSettings(view.Model()));
    } catch (const std::exception& e) {
        if (OnError) OnError(e.what());
    }
}

} // namespace morvane::hexview
