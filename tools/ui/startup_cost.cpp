// Measures the program's start-up to its first paint with the shipped data files, and how quickly
// the main window's Cities list opens and filters. Each run is a fresh process (the tool starts
// itself with --once) on a temporary copy of the build's program folder:
//   - start-up: from main() to the first paint of the main window (QApplication, the data files,
//     the windows, the first update);
//   - open: showPopup() on the Cities list until the open list is painted;
//   - keys: each of the keys of "san" typed into the closed list, from the key press until the list
//     of matches is painted (or, where the list opens nothing on typing, until the key is handled).
// Prints the median and the slowest of the runs (wall time, milliseconds).
//
// Usage: startup_cost [runs]   (default 15; offscreen unless QT_QPA_PLATFORM says otherwise)
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "app/start_program.h"
#include "timing.h"

namespace {

using Clock = std::chrono::steady_clock;

double MsSince(Clock::time_point t0) {
    return std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
}

// Notes the paints the measurements wait for: any widget of the main window, any popup window.
class PaintWatch : public QObject {
  public:
    QWidget* Main = nullptr;
    bool MainPainted = false;
    bool PopupPainted = false;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && watched->isWidgetType()) {
            const QWidget* window = static_cast<QWidget*>(watched)->window();
            if (window == Main) MainPainted = true;
            if (window->windowType() == Qt::Popup) PopupPainted = true;
        }
        return false;
    }
};

// Runs the event loop until `done` holds or 10 s have passed; false on the timeout.
template <typename Done>
bool WaitFor(Done done) {
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > 10000) return false;
        QApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    return true;
}

bool PopupShown() {
    return QApplication::activePopupWidget() != nullptr;
}

int MeasureOnce(int argc, char** argv, Clock::time_point start) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    PaintWatch watch;
    app.installEventFilter(&watch);

    QTemporaryDir temp;
    const std::filesystem::path built = QApplication::applicationDirPath().toStdString() + "/../bin";
    for (const char* name : {"refs.txt", "city_db.txt", "dst_types.txt", "dict.txt", "graf.bmp",
                             "graf_hours.bmp", "graf_altitudes.bmp", "world.bmp"})
        if (std::filesystem::exists(built / name))
            std::filesystem::copy_file(built / name, std::filesystem::path(temp.path().toStdString()) / name);

    QWidget* main = heliomark::StartProgram(temp.path());
    watch.Main = main;
    if (!WaitFor([&] { return watch.MainPainted; })) return 1;
    const double startup = MsSince(start);

    auto* cities = main->findChild<QComboBox*>("cmbCities");
    main->activateWindow();
    cities->setFocus();
    QApplication::processEvents();

    watch.PopupPainted = false;
    Clock::time_point t0 = Clock::now();
    cities->showPopup();
    if (!WaitFor([&] { return watch.PopupPainted; })) return 1;
    const double open = MsSince(t0);
    cities->hidePopup();
    WaitFor([] { return !PopupShown(); });

    std::printf("%.3f %.3f", startup, open);
    for (const char key : std::string("san")) {
        watch.PopupPainted = false;
        t0 = Clock::now();
        QTest::keyClick(cities, key);
        if (PopupShown()) WaitFor([&] { return watch.PopupPainted; });
        std::printf(" %.3f", MsSince(t0));
    }
    std::printf(" %d\n", PopupShown() ? 1 : 0);
    QTest::keyClick(cities, Qt::Key_Escape);
    main->close();
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const Clock::time_point start = Clock::now();
    if (argc > 1 && std::string(argv[1]) == "--once") return MeasureOnce(argc, argv, start);

    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
    const char* columns[] = {"start-up to first paint", "open the Cities list", "type 's'", "type 'a'",
                             "type 'n'"};
    constexpr int Columns = 5;
    std::vector<std::vector<double>> values(Columns);
    bool filters = false;
    for (int r = 0; r < runs; ++r) {
        QProcess run;
        run.start(QString::fromLocal8Bit(argv[0]), {"--once"});
        if (!run.waitForFinished(60000) || run.exitCode() != 0) {
            std::fprintf(stderr, "run %d failed: %s\n", r + 1, run.readAllStandardError().constData());
            return 1;
        }
        const QStringList fields = QString::fromLocal8Bit(run.readAllStandardOutput()).split(' ');
        if (fields.size() < Columns + 1) return 1;
        for (int c = 0; c < Columns; ++c)
            values[c].push_back(fields[c].toDouble());
        filters = fields[Columns].trimmed() == "1";
    }
    std::printf("Start-up and Cities list, %d runs (%s list of matches while typing)\n", runs,
                filters ? "with a" : "no");
    for (int c = 0; c < Columns; ++c)
        std::printf("  %-26s median %8.3f ms, slowest %8.3f ms\n", columns[c],
                    heliomark::tools::Percentile(values[c], 0.5),
                    heliomark::tools::Percentile(values[c], 1.0));
    return 0;
}
