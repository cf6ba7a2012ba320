// Measures what one Run Clock tick costs: 1,000 ticks of the 10 ms clock timer with every built
// view shown, on the offscreen platform, each tick followed by the repaint it causes. Prints the
// median and the 99th percentile. The clock runs at rate 60 on a fake clock advanced 10 ms per tick,
// so every tick moves the time shown.
//
// Usage: tick_cost [--only mnuA,mnuB,...] [program folder]
//   --only   shows just the views of those View menu items (say the four older views, to set the
//            tick beside the one with every view); without it every view is shown
//   folder   default: a temporary folder with the built refs.txt and the views' pictures
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QMenu>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <vector>

#include "app/program_clock.h"
#include "app/start_program.h"
#include "data/data.h"
#include "timing.h"
#include "ui/main/main_window.h"

using heliomark::tools::Percentile;
using heliomark::tools::ThreadCpuMs;

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);

    QStringList args = QApplication::arguments().mid(1);
    QStringList only;
    if (args.size() >= 2 && args[0] == "--only") {
        only = args[1].split(',');
        args = args.mid(2);
    }
    QTemporaryDir temp;
    QString folder = !args.isEmpty() ? args[0] : temp.path();
    if (args.isEmpty()) {
        const std::filesystem::path built =
            std::filesystem::path(QApplication::applicationDirPath().toStdString()) / ".." / "bin";
        const std::filesystem::path target = std::filesystem::path(folder.toStdString());
        for (const char* name : {"refs.txt", "graf.bmp", "graf_hours.bmp", "graf_altitudes.bmp", "world.bmp"})
            std::filesystem::copy_file(built / name, target / name);
        heliomark::SaveCities(target / "city_db.txt", {{"Berlin", 52.52, 13.405, 27, "Europe"}});
        heliomark::SaveDstRules(target / "dst_types.txt", {{"Europe", {1, 5, 3}, {1, 5, 10}, {}}});
        heliomark::Settings settings;
        settings.DefaultCitySetting = "Berlin";
        settings.ShowSecondsSetting = 1;
        heliomark::SaveSettings(target / "settings.ini", settings);
    }

    auto clock = std::make_shared<heliomark::FakeClock>(heliomark::DateSerial(2024, 6, 21) + 0.5);
    auto* main = qobject_cast<heliomark::MainWindow*>(heliomark::StartProgram(folder, clock));
    QStringList shown;
    if (auto* viewMenu = main->findChild<QMenu*>("mnuView"))
        for (QAction* item : viewMenu->actions())
            if (item->isCheckable() && (only.isEmpty() || only.contains(item->objectName()))) {
                item->trigger();
                shown << item->objectName();
            }
    main->findChild<QLineEdit*>("txtRate")->setText("60");
    main->cmdRun_Click();
    main->findChild<QTimer*>("Timer2")->stop();  // the ticks are driven below
    QApplication::processEvents();

    constexpr int Ticks = 1000;
    std::vector<double> handler, withPaint, cpu;
    using Clock = std::chrono::steady_clock;
    for (int i = 0; i < Ticks; ++i) {
        clock->AdvanceSeconds(0.01);
        const double c0 = ThreadCpuMs();
        const Clock::time_point t0 = Clock::now();
        main->Timer2Tick();
        const Clock::time_point t1 = Clock::now();
        QApplication::processEvents();
        const Clock::time_point t2 = Clock::now();
        cpu.push_back(ThreadCpuMs() - c0);
        handler.push_back(std::chrono::duration<double, std::milli>(t1 - t0).count());
        withPaint.push_back(std::chrono::duration<double, std::milli>(t2 - t0).count());
    }
    std::printf("Run Clock tick cost over %d ticks, %lld view(s) shown (%s), platform %s\n", Ticks,
                static_cast<long long>(shown.size()), qPrintable(shown.join(' ')),
                qPrintable(QApplication::platformName()));
    const std::pair<const char*, const std::vector<double>*> rows[] = {
        {"tick handler, wall time", &handler},
        {"handler + repaint, wall time", &withPaint},
        {"handler + repaint, CPU time", &cpu}};
    for (const auto& [what, values] : rows)
        std::printf("  %-30s median %.3f ms, 99th percentile %.3f ms\n", what, Percentile(*values, 0.5),
                    Percentile(*values, 0.99));
    main->close();
    return 0;
}
