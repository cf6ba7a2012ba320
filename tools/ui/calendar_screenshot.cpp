// Saves a picture of the calendar window after Calculate, for the README: June 2024 in a city of the
// shipped list, with the three day columns, the maximum altitude and the transit time. Runs on the
// offscreen platform unless told otherwise; the program works on a private copy of the data files.
//
// Usage: calendar_screenshot <program folder> <output.png> [city]   (city: Berlin when left out)
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QPushButton>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>

#include "app/program_clock.h"
#include "app/start_program.h"
#include "data/data.h"
#include "ui/dialogs/calendar_window.h"
#include "ui/main/main_window.h"

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: calendar_screenshot <program folder> <output.png> [city]\n");
        return 2;
    }
    const std::filesystem::path source = argv[1];
    QTemporaryDir work;
    const std::filesystem::path folder = work.path().toStdString();
    for (const char* name : {"refs.txt", "city_db.txt", "dst_types.txt", "dict.txt", "graf.bmp", "world.bmp"})
        if (std::filesystem::exists(source / name)) std::filesystem::copy_file(source / name, folder / name);
    heliomark::Settings settings;
    settings.DefaultCitySetting = argc > 3 ? argv[3] : "Berlin";
    heliomark::SaveSettings(folder / "settings.ini", settings);

    const double noon = heliomark::DateSerial(2024, 6, 21) + 0.5;
    auto* main = qobject_cast<heliomark::MainWindow*>(
        heliomark::StartProgram(work.path(), std::make_shared<heliomark::FakeClock>(noon)));
    {
        heliomark::CalendarWindow calendar(*main);
        calendar.setWindowModality(Qt::NonModal);
        calendar.resize(900, 560);
        calendar.show();
        for (const char* column : {"chkAlt", "chkNoon"})
            calendar.findChild<QCheckBox*>(column)->setChecked(true);
        calendar.Command1_Click();
        QApplication::processEvents();
        if (!calendar.grab().save(QString::fromLocal8Bit(argv[2]))) {
            std::fprintf(stderr, "cannot write %s\n", argv[2]);
            return 1;
        }
    }
    main->close();
    std::printf("saved %s\n", argv[2]);
    return 0;
}
