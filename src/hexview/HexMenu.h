#pragma once
// The hex popup menu "popHex": bytes per column, bytes per line, offset display and
// translation of the view it was opened on; every choice is stored in that view's profile.

#include "platform/Settings.h"

#include <QMenu>

#include <functional>
#include <string>

namespace morvane::hexview {

class THexEditor;

class THexMenu : public QMenu {
    Q_OBJECT
  public:
    THexMenu(TSettingsStore& store, QWidget* parent = nullptr);

    // The view the next choice acts on (a right click on a view sets it).
    void SetTarget(THexEditor* view) { FTarget = view; }
    THexEditor* Target() const;

    // Reports a profile that could not be stored; the view keeps its new setting.
    std::function<void(const std::string&)> OnError;

    QMenu* ColumnMenu() const { return FColumns; }
    QMenu* LineMenu() const { return FLines; }
    QMenu* OffsetMenu() const { return FOffsets; }
    QMenu* TranslationMenu() const { return FTranslations; }

  private:
    QMenu* AddSubmenu(const QString& title, const QStringList& items, const std::vector<int>& values,
                      std::function<int(const THexEditor&)> current,
                      std::function<void(THexEditor&, int)> apply);
    void Store(THexEditor& view);

    TSettingsStore& FStore;
    THexEditor* FTarget = nullptr;
    QMenu* FColumns = nullptr;
    QMenu* FLines = nullptr;
    QMenu* FOffsets = nullptr;
    QMenu* FTranslations = nullptr;
};

} // namespace morvane::hexview
