// Saves pictures of the day view, the world map, the Sun Events and the Year window for the README,
// as the program draws them (offscreen by default; under Xvfb with QT_QPA_PLATFORM=xcb and
// QT_SCALE_FACTOR=2 for a 200 % screen): Berlin on 21 June 2024 at 19:30, with the mouse resting
// near a second city on the map so that its marker, its name and the read-outs show, and on a day
// in August in the Year picture.
//
// Usage: view_screenshots [output folder [city under the mouse]]   (defaults: docs, Rome)
// Run from the repository root after building; the program folder is a temporary copy of the
// build's bin folder (shipped data and pictures), so nothing there changes.
#include <QAction>
#include <QApplication>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "app/program_clock.h"
#include "app/start_program.h"
#include "data/data.h"
#include "shading/world_map.h"
#include "ui/main/main_window.h"
#include "ui/views/year_picture.h"

namespace {

bool Save(QWidget* window, const std::filesystem::path& file) {
    const bool saved = window->grab().save(QString::fromStdString(file.string()), "PNG");
    std::printf("%s %s\n", saved ? "saved" : "could not save", file.string().c_str());
    return saved;
}

}  // namespace

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    const std::filesystem::path out = argc > 1 ? argv[1] : "docs";
    const std::string pointedCity = argc > 2 ? argv[2] : "Rome";

    QTemporaryDir temp;
    const std::filesystem::path folder = temp.path().toStdString();
    const std::filesystem::path built =
        std::filesystem::path(QApplication::applicationDirPath().toStdString()) / ".." / "bin";
    for (const auto& entry : std::filesystem::directory_iterator(built)) {
        const std::string ext = entry.path().extension().string();
        if (entry.is_regular_file() && (ext == ".txt" || ext == ".bmp"))
            std::filesystem::copy_file(entry.path(), folder / entry.path().filename());
    }
    heliomark::Settings settings;
    settings.DefaultCitySetting = "Berlin";
    settings.ShowSecondsSetting = 1;
    heliomark::SaveSettings(folder / "settings.ini", settings);

    const double when = heliomark::DateSerial(2024, 6, 21) + 19.5 / 24;
    auto clock = std::make_shared<heliomark::FakeClock>(when);
    auto* main = qobject_cast<heliomark::MainWindow*>(heliomark::StartProgram(temp.path(), clock));
    main->findChild<QAction*>("mnuGraf")->trigger();
    main->findChild<QAction*>("mnuMap")->trigger();
    main->findChild<QAction*>("mnuEvents")->trigger();
    main->findChild<QAction*>("mnuYear")->trigger();

    QWidget* dayView = main->findChild<QWidget*>("frmGraf");
    QWidget* worldMap = main->findChild<QWidget*>("frmMap");
    const heliomark::CityList& cities = main->State().Cities;
    if (const int k = heliomark::FindCity(cities, pointedCity); k != 0) {
        const heliomark::CityRecord& city = cities[static_cast<std::size_t>(k - 1)];
        const QPointF at(heliomark::LonToPixel(heliomark::DegToRad(city.Longitude)) + 1,
                         heliomark::LatToPixel(heliomark::DegToRad(city.Latitude)) + 1);
        QWidget* plot = worldMap->findChild<QWidget*>("picRes");
        QMouseEvent move(QEvent::MouseMove, at, plot->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QApplication::sendEvent(plot, &move);
    } else {
        std::printf("%s is not in city_db.txt; the map is saved without a pointed city\n",
                    pointedCity.c_str());
    }
    QWidget* yearPicture = main->findChild<QWidget*>("picYear");
    using heliomark::YearPicture;
    const int august =
        static_cast<int>(heliomark::DateSerial(2024, 8, 10) - heliomark::DateSerial(2024, 1, 1));
    const QPointF at(YearPicture::PlotLeft + YearPicture::DayWidth * august + 1, 150);
    QMouseEvent overYear(QEvent::MouseMove, at, yearPicture->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
    QApplication::sendEvent(yearPicture, &overYear);
    QApplication::processEvents();

    std::filesystem::create_directories(out);
    const bool ok = Save(dayView, out / "day_view.png") && Save(worldMap, out / "world_map.png") &&
                    Save(main->findChild<QWidget*>("frmEvents"), out / "sun_events.png") &&
                    Save(main->findChild<QWidget*>("frmYear"), out / "year.png");
    main->close();
    return ok ? 0 : 1;
}
