// Times the main window's open flow on a database file (from the command to a filled page
// list), then sorting and scrolling its page list. Prints seconds; run by bench/gui-bench.sh.
#include "platform/Settings.h"
#include "shell/TipOfTheDay.h"
#include "shell/uMain.h"
#include "widgets/GridView.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QProgressBar>
#include <QScrollBar>

#include <cstdio>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: gui_open_bench FILE\n");
        return 2;
    }
    morvane::TMemorySettings settings;
    settings.Values[{morvane::ui::kTipsKey, "ShowTips"}] = 0; // no tip of the day in front of the timing
    morvane::ui::TfrmMain window(settings);
    window.resize(1000, 700);
    window.show();
    QApplication::processEvents();
    int repaints = 0;
    QObject::connect(window.ProgressBar(), &QProgressBar::valueChanged, [&](int) { ++repaints; });

    QElapsedTimer t;
    t.start();
    window.OpenFlow(QString::fromLocal8Bit(argv[1]));
    window.PageList()->viewport()->repaint();
    const double open = t.nsecsElapsed() / 1e9;
    if (!window.GetManager() || !window.GetManager()->IsOpen()) return 1;
    const int rows = window.PageList()->RowCount();

    t.restart();
    window.PageListHeaderClicked(1);
    window.PageList()->viewport()->repaint();
    const double sort = t.nsecsElapsed() / 1e9;

    t.restart();
    QScrollBar* bar = window.PageList()->verticalScrollBar();
    for (int i = 0; i < 100; ++i) {
        bar->setValue(bar->maximum() * i / 99);
        window.PageList()->viewport()->repaint();
    }
    const double scroll = t.nsecsElapsed() / 1e9 / 100;

    std::printf("rows %d\nopen %.3f\nprogress-repaints %d\nsort-by-type %.3f\nscroll-step %.5f\n", rows, open,
                repaints, sort, scroll);
    return 0;
}
