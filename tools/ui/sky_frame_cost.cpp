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
#include <filesystem>
#include <string>
#include <vector>

#include "app/program_clock.h"
#include "app/start_program.h"
#include "data/data.h"
#include "engine/engine.h"
#include "scene3d/sky_model.h"
#include "ui/main/main_window.h"
#include "ui/views/qt_draw_surface.h"
#include "ui/views/sky_view.h"

namespace {

using namespace heliomark;

double Percentile(std::vector<double> values, double p) {
    std::sort(values.begin(), values.end());
    return values[static_cast<std::size_t>(p * static_cast<double>(values.size() - 1) + 0.5)];
}

void Measure(bool outside, int frames) {
    Settings settings;
    settings.GridQuality = 50;
    QtDrawSurface surface(305, 209);
    SkyModel model(settings, surface);
    model.BuildModel(true);
    model.SetParallelsDensity(4);
    model.SetMeridiansDensity(4);
    SolarState state;
    state.Latitude = DegToRad(48.2);
    state.Longitude = 16.37;
    state.Year = 2024;
    state.Month = 6;
    state.Day = 21;
    state.ZoneHours = 2;
    model.ComputeSunPath(state);
    model.ShowSunPath(true);
    ComputeCurrentPosition(state, 15, 30, 0);
    model.SetSunPosition(state.Azimuth, state.Altitude);
    if (outside) {
        // The whole sphere from 8 radii at zoom 2.51, as "Outside" first shows it.
        const double alt = DegToRad(30), azm = DegToRad(200), r = 8;
        model.SkyCamera.X = static_cast<float>(r * std::cos(alt) * std::cos(azm));
        model.SkyCamera.Y = static_cast<float>(-std::cos(alt) * std::sin(azm) * r);
        model.SkyCamera.Z = static_cast<float>(std::sin(alt) * r);
        model.SkyCamera.AnH = static_cast<float>(Pi - azm);
        model.SkyCamera.AnV = static_cast<float>(-alt);
        model.SetViewField(static_cast<float>(SkyViewField / 2.51));
    } else {
        model.SkyCamera.AnH = static_cast<float>(-DegToRad(135));
        model.SkyCamera.AnV = static_cast<float>(DegToRad(20));
    }
    std::vector<double> ms;
    ms.reserve(static_cast<std::size_t>(frames));
    using Clock = std::chrono::steady_clock;
    for (int i = 0; i < frames; ++i) {
        const Clock::time_point t0 = Clock::now();
        model.DrawScene();
        surface.Image();  // finishes the painting, as the repaint does
        ms.push_back(std::chrono::duration<double, std::milli>(Clock::now() - t0).count());
    }
    std::printf("  %-8s median %.3f ms, 99th percentile %.3f ms\n", outside ? "outside" : "inside",
                Percentile(ms, 0.5), Percentile(ms, 0.99));
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
    Measure(false, frames);
    Measure(true, frames);

    if (argc > 2 && !SaveScreenshots(QString::fromLocal8Bit(argv[2]))) {
        std::fprintf(stderr, "could not save the screenshots in %s\n", argv[2]);
        return 1;
    }
    return 0;
}
