#pragma once
// The tip of the day: six tips, the one after the tip shown last time first, and whether the
// dialog appears at start, both kept under "SOFTWARE\MorvaneTeam\Morvane\Tips".

#include <QDialog>
#include <QStringList>

class QCheckBox;
class QLabel;
class QListWidget;

namespace morvane {
class TSettingsStore;
}

namespace morvane::ui {

extern const char* const kTipsKey;
QString TipHeading(const QString& tip);

class TfrmTipOfTheDay : public QDialog {
    Q_OBJECT
  public:
    TfrmTipOfTheDay(TSettingsStore& settings, QWidget* parent = nullptr);

    void NextTip() { ShowTip(true); }
    void PrevTip() { ShowTip(false); }
    int CurrentTip() const { return FCurrent; }
    bool ShowTips() const { return FShowTips; }
    // Closing stores the show-tips choice and the tip shown.
    void done(int result) override;

    QLabel* lTitle;
    QLabel* lTip;
    QCheckBox* cbShowTips;
    QListWidget* lbTips;

  private:
    void ShowTip(bool forward);
    int TipCount() const;

    TSettingsStore& FSettings;
    int FCurrent = 0;
    bool FShowTips = false;
};

// "Show Tips" from the menu: turn the setting on, then show the dialog.
void ShowTipsFromMenu(TSettingsStore& settings, QWidget* parent);

} // namespace morvane::ui
