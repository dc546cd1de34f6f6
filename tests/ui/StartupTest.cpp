#include "platform/Settings.h"
#include "shell/FileAssociation.h"
#include "shell/TipOfTheDay.h"
#include "shell/uAbout.h"
#include "shell/uMain.h"
#include "support/DbBuilder.h"
#include "support/ScriptedDialogs.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <gtest/gtest.h>

using namespace morvane;
using namespace morvane::ui;

namespace {
int32_t Stored(TMemorySettings& s, const char* name) {
    return s.Values.at({kTipsKey, name});
}
} // namespace

TEST(TipOfTheDay, FirstStartCreatesTheSettingsAndOpensOnTheSecondTip) {
    test::TScriptedDialogs dialogs;
    TMemorySettings settings;
    TfrmTipOfTheDay tips(settings);
    EXPECT_EQ(tips.windowTitle(), "Tip of the day");
    EXPECT_EQ(tips.CurrentTip(), 1);
    EXPECT_TRUE(tips.ShowTips());
    EXPECT_EQ(tips.lTitle->text(), "Today's tip...");
    EXPECT_TRUE(tips.lTip->text().startsWith("The most often reason of corruption"));
    EXPECT_EQ(tips.lbTips->count(), 6);
    if (const char* dir = std::getenv("MORVANE_SCREENSHOT_DIR")) {
        tips.adjustSize();
        tips.grab().save(QString::fromLocal8Bit(dir) + "/tips.png");
        TfrmAbout about;
        about.adjustSize();
        about.grab().save(QString::fromLocal8Bit(dir) + "/about.png");
    }
    tips.NextTip();
    EXPECT_EQ(tips.lTitle->text(), "Did you know...");
    tips.cbShowTips->setChecked(false);
    tips.done(QDialog::Accepted);
    EXPECT_EQ(Stored(settings, "CurrentTip"), 2);
    EXPECT_EQ(Stored(settings, "ShowTips"), 0);
}

TEST(TipOfTheDay, IndexesWrapBothWays) {
    test::TScriptedDialogs dialogs;
    TMemorySettings settings;
    settings.Values[{kTipsKey, "CurrentTip"}] = 5;
    TfrmTipOfTheDay tips(settings);
    EXPECT_EQ(tips.CurrentTip(), 0);
    tips.PrevTip();
    EXPECT_EQ(tips.CurrentTip(), 5);
    tips.NextTip();
    EXPECT_EQ(tips.CurrentTip(), 0);
    EXPECT_EQ(TipHeading("!x"), "Today's joke...");
    EXPECT_EQ(TipHeading("#x"), "Today's message...");
    EXPECT_EQ(TipHeading("'x"), "Today's quote...");
    EXPECT_EQ(TipHeading("x"), "");

    TMemorySettings locked;
    locked.ReadOnly = true;
    TfrmTipOfTheDay fallback(locked);
    EXPECT_FALSE(fallback.ShowTips());
    EXPECT_EQ(fallback.CurrentTip(), 1);
    fallback.done(QDialog::Accepted);
    EXPECT_TRUE(locked.Values.empty());
}

TEST(TipOfTheDay, ShownAtStartOnlyWhenSetAndFromTheMenuAlways) {
    test::TScriptedDialogs dialogs;
    TMemorySettings settings;
    test::TTempDir dir;
    test::TDbBuilder b(1024);
    b.Page(3);
    const std::string path = b.Write(dir.File("start.fdb"));
    {
        TfrmMain window(settings, QString::fromStdString(path));
        window.RunFirstActivation();
        ASSERT_TRUE(window.GetManager() && window.GetManager()->IsOpen()); // opened before the tip
        EXPECT_EQ(dialogs.Executed, (std::vector<QString>{"frmTipOfTheDay"}));
        window.RunFirstActivation(); // only once
        EXPECT_EQ(dialogs.Executed.size(), 1u);
    }
    settings.Values[{kTipsKey, "ShowTips"}] = 0;
    dialogs.Executed.clear();
    {
        TfrmMain window(settings);
        window.RunFirstActivation();
        EXPECT_TRUE(dialogs.Executed.empty());
        dialogs.OnExec = [](QDialog& d) { static_cast<TfrmTipOfTheDay&>(d).cbShowTips->setChecked(true); };
        ShowTipsFromMenu(settings, &window);
        EXPECT_EQ(dialogs.Executed, (std::vector<QString>{"frmTipOfTheDay"}));
        EXPECT_EQ(Stored(settings, "ShowTips"), 1);
    }
}

TEST(TipOfTheDay, AFailedStartOpenIsNotRetriedAtTheNextActivation) {
    test::TScriptedDialogs dialogs;
    TMemorySettings settings;
    test::TTempDir dir;
    const std::string path = dir.File("bad.fdb");
    QFile bad(QString::fromStdString(path));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write(QByteArray(5000, 'x'));
    bad.close();
    TfrmMain window(settings, QString::fromStdString(path));
    window.RunFirstActivation();
    window.RunFirstActivation();
    EXPECT_EQ(dialogs.Shown, (std::vector<QString>{"It seems that file is not valid database!"}));
}

TEST(AboutBox, CaptionLabelsAndLinks) {
    test::TScriptedDialogs dialogs;
    TfrmAbout about;
    EXPECT_EQ(about.windowTitle(), "About Morvane Viewer");
    EXPECT_TRUE(about.findChild<QLabel*>("lblProduct")->text().contains("Morvane Viewer"));
    EXPECT_TRUE(about.findChild<QLabel*>("lblVersion")->text().contains("Version 1.0.2"));
    about.findChild<QPushButton*>("btnFix")->click();
    ASSERT_EQ(dialogs.Urls.size(), 1u);
    EXPECT_TRUE(dialogs.Urls[0].startsWith("https://"));
}

TEST(FileAssociation, EveryStartRewritesTheTypeAndTheDesktopEntry) {
    test::TTempDir dir;
    qputenv("XDG_DATA_HOME", QByteArray::fromStdString(dir.Path().string()));
    RegisterFileType("gdb", "/opt/first/morvane");
    RegisterFileType("gdb", "/opt/new place/morvane");
    auto read = [&](const std::string& rel) {
        QFile f(QString::fromStdString(dir.File(rel)));
        EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << rel;
        return QString::fromUtf8(f.readAll());
    };
    const QString mime = read("mime/packages/morvane-gdb.xml");
    EXPECT_TRUE(mime.contains("<glob pattern=\"*.gdb\"/>"));
    EXPECT_TRUE(mime.contains("application/x-gdbfile"));
    const QString desktop = read("applications/morvane-viewer.desktop");
    EXPECT_TRUE(desktop.contains("Exec=\"/opt/new place/morvane\" %f\n")) << desktop.toStdString();
    EXPECT_FALSE(desktop.contains("/opt/first"));
    EXPECT_TRUE(desktop.contains("MimeType=application/x-gdbfile;"));
    qunsetenv("XDG_DATA_HOME");
}
