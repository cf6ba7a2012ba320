// Measures what one frame of the sky view costs on its Qt surface: the scene at its heaviest
// settings (grid quality 50, every parallel and meridian, the Sun's path shown) drawn into the
// picture's 305 x 209 image, the painting finished as for a repaint. Prints the median and the 99th
// percentile of N frames, inside and outside the sphere. Budget: under 2 ms per frame.
//
// With a folder argument it also saves screenshots of the sky view window, inside and outside
// (sky_inside.png, sky_outside.png), from the running program on a temporary program folder.
//
// Usage: sky_frame_cost [frames] [screenshot folder]     (default 2000 frames, no screenshots)
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QMenu>
#include <QRadioButton>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

#include "../../bench/heaviest_sky_scene.h"
#include "app/program_clock.h"
#include "app/start_program.h"
#include "data/data.h"
#include "engine/engine.h"
#include "scene3d/sky_model.h"
#include "timing.h"
#include "ui/main/main_window.h"
#include "ui/views/qt_draw_surface.h"
#include "ui/views/sky_view.h"

namespace {

using namespace heliomark;
using tools::Percentile;
using tools::ThreadCpuMs;

void Measure(Pose pose, int frames) {
    Settings settings;
    QtDrawSurface surface(305, 209);
    SkyModel model(settings, surface);
    PrepareHeaviestScene(model, settings, pose);
    std::vector<double> wall, cpu;
    using Clock = std::chrono::steady_clock;
    for (int i = 0; i < frames; ++i) {
        const double c0 = ThreadCpuMs();
        const Clock::time_point t0 = Clock::now();
        model.DrawScene();
        surface.Image();  // finishes the painting, as the repaint does
        wall.push_back(std::chrono::duration<double, std::milli>(Clock::now() - t0).count());
        cpu.push_back(ThreadCpuMs() - c0);
    }
    std::printf("  %-8s wall time median %.3f ms, 99th percentile %.3f ms; CPU time median %.3f ms\n",
                pose == Pose::Outside ? "outside" : "inside", Percentile(wall, 0.5), Percentile(wall, 0.99),
                Percentile(cpu, 0.5));
}

// The running program's sky view at Berlin, 21 June 2024, 17:00, with a 30° grid and the path.
bool SaveScreenshots(const QString& outFolder) {
    QTemporaryDir temp;
    const std::filesystem::path folder = temp.path().toStdString();
    const std::filesystem::path refs =
        std::filesystem::path(QApplication::applicationDirPath().toStdString()) / ".." / "bin" / "refs.txt";
    std::filesystem::copy_file(refs, folder / "refs.txt");
    SaveCities(folder / "city_db.txt", {{"Berlin", 52.52, 13.405, 27, "Europe"}});
    SaveDstRules(folder / "dst_types.txt", {{"Europe", {1, 5, 3}, {1, 5, 10}, {}}});
    Settings settings;
    settings.DefaultCitySetting = "Berlin";
    settings.GridQuality = 40;
    settings.ParallelsDensity = 3;
    settings.MeridiansDensity = 3;
    SaveSettings(folder / "settings.ini", settings);

    auto clock = std::make_shared<FakeClock>(DateSerial(2024, 6, 21) + 17.0 / 24);
    auto* main = qobject_cast<MainWindow*>(StartProgram(temp.path(), clock));
    main->findChild<QAction*>("mnu3D")->trigger();
    auto* sky = main->findChild<SkyView*>("frm3D");
    sky->findChild<QCheckBox*>("chkTrack")->click();
    QApplication::processEvents();
    const bool inside = sky->grab().save(QDir(outFolder).filePath("sky_inside.png"));
    sky->findChild<QRadioButton*>("optOut")->click();
    QApplication::processEvents();
    const bool outside = sky->grab().save(QDir(outFolder).filePath("sky_outside.png"));
    main->close();
    return inside && outside;
}

}  // namespace

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    const int frames = argc > 1 ? std::max(1, std::atoi(argv[1])) : 2000;

    std::printf(
        "Sky view frame on the Qt surface (305 x 209, grid quality 50, densities 4, path shown), "
        "%d frames:\n",
        frames);
    Measure(Pose::Inside, frames);
    Measure(Pose::Outside, frames);

    if (argc > 2 && !SaveScreenshots(QString::fromLocal8Bit(argv[2]))) {
        std::fprintf(stderr, "could not save the screenshots in %s\n", argv[2]);
        return 1;
    }
    return 0;
}
