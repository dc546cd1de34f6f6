#include "hexview/hexeditor.h"
#include "hexview/HexMenu.h"
#include "hexview/HexProfile.h"
#include "platform/Errors.h"
#include "platform/QtSettingsStore.h"
#include "platform/Stream.h"
#include "support/DbBuilder.h"

#include <QImage>
#include <QTest>
#include <gtest/gtest.h>

#include <fstream>

using namespace morvane;
using namespace morvane::hexview;

namespace {

std::vector<uint8_t> PageLike(size_t n) {
    std::vector<uint8_t> v(n);
    for (size_t i = 0; i < n; ++i)
        v[i] = static_cast<uint8_t>((i * 37) ^ (i >> 3));
    const char text[] = "RDB$PAGES Morvane sample text";
    std::copy(std::begin(text), std::end(text) - 1, v.begin() + 64);
    return v;
}

void Load(THexEditor& view, const std::vector<uint8_t>& bytes) {
    TMemoryStream s(bytes);
    view.LoadFromStream(s);
}

QAction* Item(QMenu* menu, const QString& text) {
    for (QAction* a : menu->actions())
        if (a->text() == text) return a;
    return nullptr;
}

} // namespace

TEST(HexEditorWidget, OnlyKeysTheViewDoesNotConsumeReachTheOwner) {
    THexEditor view;
    Load(view, PageLike(256));
    std::vector<int> passed;
    view.OnKeyDown = [&](QKeyEvent* e) { passed.push_back(e->key()); };
    struct Case {
        Qt::Key Key;
        Qt::KeyboardModifiers Mods;
        bool Passed;
    } cases[] = {
        {Qt::Key_Right, Qt::NoModifier, false},
        {Qt::Key_Down, Qt::NoModifier, false},
        {Qt::Key_PageDown, Qt::NoModifier, false},
        {Qt::Key_Home, Qt::ControlModifier, false},
        {Qt::Key_Tab, Qt::NoModifier, false},
        {Qt::Key_Insert, Qt::NoModifier, false},
        {Qt::Key_3, Qt::ControlModifier | Qt::ShiftModifier, false},
        {Qt::Key_Delete, Qt::ControlModifier, false},
        {Qt::Key_Escape, Qt::NoModifier, true},
        {Qt::Key_F5, Qt::NoModifier, true},
        {Qt::Key_Return, Qt::NoModifier, true},
        {Qt::Key_Delete, Qt::NoModifier, true},
        {Qt::Key_Backspace, Qt::NoModifier, true},
        {Qt::Key_A, Qt::NoModifier, true},
    };
    for (const Case& c : cases) {
        passed.clear();
        QTest::keyClick(&view, c.Key, c.Mods);
        // The modifier keys themselves are keys the view does not consume either.
        EXPECT_EQ(std::count(passed.begin(), passed.end(), c.Key), c.Passed ? 1 : 0) << c.Key;
        if (c.Mods & Qt::ControlModifier)
            EXPECT_EQ(std::count(passed.begin(), passed.end(), Qt::Key_Control), 1);
        EXPECT_EQ(std::count(passed.begin(), passed.end(), Qt::Key_Shift), 0);
    }
}

TEST(HexEditorWidget, TypingChangesBytesAndMarksThem) {
    THexEditor view;
    Load(view, std::vector<uint8_t>(64, 0));
    int passed = 0;
    view.OnKeyDown = [&](QKeyEvent*) { ++passed; };
    QTest::keyClicks(&view, "4a");
    EXPECT_EQ(passed, 2);
    EXPECT_TRUE(view.Modified());
    EXPECT_EQ(view.Model().ByteAt(0), 0x4A);
    QTest::keyClick(&view, Qt::Key_Tab);
    QTest::keyClicks(&view, "Z");
    EXPECT_EQ(view.Model().ByteAt(1), 'Z');
    TMemoryStream out;
    ASSERT_TRUE(view.SaveToStream(out));
    EXPECT_EQ(out.Size(), 64);
    view.SetModified(false);
    EXPECT_EQ(view.Model().MarkCount(), 0u);
}

TEST(HexEditorWidget, AltKeypadCodesTypeThroughTheDosCodePage) {
    THexEditor view;
    Load(view, std::vector<uint8_t>(8, 0));
    QTest::keyClick(&view, Qt::Key_Tab);
    auto send = [&](QEvent::Type type, int key, Qt::KeyboardModifiers mods, const QString& text = {}) {
        QKeyEvent e(type, key, mods, text);
        QApplication::sendEvent(&view, &e);
    };
    const auto altPad = Qt::AltModifier | Qt::KeypadModifier;
    send(QEvent::KeyPress, Qt::Key_Alt, Qt::AltModifier);
    for (int key : {Qt::Key_1, Qt::Key_3, Qt::Key_4}) {
        send(QEvent::KeyPress, key, altPad, QString(QChar(key)));
        send(QEvent::KeyRelease, key, altPad, QString(QChar(key)));
    }
    EXPECT_EQ(view.Model().ByteAt(0), 0); // nothing typed while Alt is held
    send(QEvent::KeyRelease, Qt::Key_Alt, Qt::NoModifier);
    EXPECT_EQ(view.Model().ByteAt(0), 134); // DOS code 134 is stored as itself
    send(QEvent::KeyPress, Qt::Key_Alt, Qt::AltModifier);
    for (int key : {Qt::Key_0, Qt::Key_1, Qt::Key_9, Qt::Key_8})
        send(QEvent::KeyPress, key, altPad, QString(QChar(key)));
    send(QEvent::KeyRelease, Qt::Key_Alt, Qt::NoModifier);
    EXPECT_EQ(view.Model().ByteAt(1), 0x86); // display code 198 ("Ж") becomes its DOS byte
}

TEST(HexEditorWidget, MenuChangesTheViewAndStoresItsProfile) {
    TMemorySettings store;
    THexMenu menu(store);
    THexEditor pageView;
    pageView.setObjectName("PointerHexEditor");
    Load(pageView, PageLike(4096));
    pageView.SetPopupMenu(&menu);
    menu.SetTarget(&pageView);

    ASSERT_EQ(menu.actions().size(), 4);
    EXPECT_EQ(menu.actions()[0]->text(), "Bytes per column");
    EXPECT_EQ(menu.actions()[3]->text(), "Translation");
    QStringList lineItems;
    for (QAction* a : menu.LineMenu()->actions())
        lineItems << a->text();
    EXPECT_EQ(lineItems, (QStringList{"4 bytes", "8 bytes", "16 bytes"}));

    emit menu.LineMenu()->aboutToShow();
    EXPECT_TRUE(Item(menu.LineMenu(), "16 bytes")->isChecked());
    Item(menu.LineMenu(), "8 bytes")->trigger();
    EXPECT_EQ(pageView.BytesPerLine(), 8);
    EXPECT_EQ(pageView.Model().RowCount(), 512);
    const std::string main = HexProfileKey(hpMain);
    EXPECT_EQ(store.Values.at({main, "BytesPerLine"}), 8);
    EXPECT_EQ(store.Values.at({main, "BytesPerColumn"}), pageView.BytesPerColumn());
    EXPECT_EQ(store.Values.at({main, "OffsetDisplay"}), 1);
    EXPECT_EQ(store.Values.at({main, "Translation"}), 1);
    emit menu.LineMenu()->aboutToShow();
    EXPECT_TRUE(Item(menu.LineMenu(), "8 bytes")->isChecked());
    EXPECT_FALSE(Item(menu.LineMenu(), "16 bytes")->isChecked());
    pageView.SetBytesPerLine(12);
    emit menu.LineMenu()->aboutToShow();
    for (QAction* a : menu.LineMenu()->actions())
        EXPECT_FALSE(a->isChecked());

    THexEditor recordView;
    recordView.setObjectName("heRecord");
    menu.SetTarget(&recordView);
    Item(menu.TranslationMenu(), "EBCDIC")->trigger();
    EXPECT_EQ(recordView.Translation(), ttEBCDIC);
    EXPECT_EQ(store.Values.at({std::string(HexProfileKey(hpRecord)), "Translation"}), 5);
    EXPECT_EQ(store.Values.at({main, "Translation"}), 1);

    std::string error;
    menu.OnError = [&](const std::string& e) { error = e; };
    store.ReadOnly = true;
    Item(menu.OffsetMenu(), "Octal")->trigger();
    EXPECT_EQ(recordView.OffsetDisplay(), odOctal); // the view keeps its new setting
    EXPECT_EQ(error, "Failed to set data for 'BytesPerColumn'");
}

TEST(HexEditorWidget, IniSettingsStoreRoundTripsAndReportsFailures) {
    test::TTempDir dir;
    qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(dir.Path().string()));
    TQtSettingsStore store;
    EXPECT_TRUE(store.FileName().endsWith("/MorvaneTeam/Morvane.conf"));
    EXPECT_EQ(LoadHexProfile(store, hpRecord).BytesPerLine, 16);
    SaveHexProfile(store, hpRecord, THexSettings{2, 4, 2, 3});
    const THexSettings back = LoadHexProfile(store, hpRecord);
    EXPECT_EQ(back.BytesPerColumn, 2);
    EXPECT_EQ(back.BytesPerLine, 4);
    EXPECT_EQ(back.OffsetDisplay, 2);
    EXPECT_EQ(back.Translation, 3);
    EXPECT_EQ(LoadHexProfile(store, hpMain).BytesPerLine, 16);

    test::TTempDir blocked;
    std::ofstream(blocked.File("MorvaneTeam")) << "a file where the folder should be";
    qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(blocked.Path().string()));
    TQtSettingsStore broken;
    EXPECT_EQ(LoadHexProfile(broken, hpMain).BytesPerLine, 16);
    EXPECT_THROW(SaveHexProfile(broken, hpMain, THexSettings{}), EError);
    qunsetenv("XDG_CONFIG_HOME");
}

TEST(HexEditorWidget, PaintsA64KiBBufferWithMarksSelectionAndMarker) {
    THexEditor view;
    view.Colors().ChangedBackground = 0x00FFFF; // as the page views use it
    view.resize(640, 420);
    Load(view, PageLike(65536));
    view.SetSelStart(0x40);
    QTest::keyClicks(&view, "ffee");
    view.SetSelStart(0x60);
    view.SetSelEnd(0x75);
    view.SetMarker(2, 3);
    view.show();
    view.setFocus();
    QApplication::processEvents();
    const QImage image = view.viewport()->grab().toImage();
    ASSERT_FALSE(image.isNull());
    bool aqua = false, blue = false;
    for (int y = 0; y < image.height(); y += 2)
        for (int x = 0; x < image.width(); x += 2) {
            const QRgb p = image.pixel(x, y);
            aqua |= p == qRgb(0, 255, 255);
            blue |= p == qRgb(0, 0, 255); // selected digits of odd groups
        }
    EXPECT_TRUE(aqua);
    EXPECT_TRUE(blue);
    if (const char* dir = std::getenv("MORVANE_SCREENSHOT_DIR"))
        view.grab().save(QString::fromLocal8Bit(dir) + "/hexview.png");

    // Scrolling to the end keeps reads to one window per screen.
    view.Model().WorkingCopy().ResetCounters();
    QTest::keyClick(&view, Qt::Key_End, Qt::ControlModifier);
    view.viewport()->repaint();
    EXPECT_LE(view.Model().WorkingCopy().WindowLoads(), 1);
}
