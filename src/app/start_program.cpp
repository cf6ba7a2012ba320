#include "app/start_program.h"

#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>
#include <QStandardPaths>
#include <QTimeZone>

#include "app/program_clock.h"
#include "app/program_data.h"
#include "app/window_placement.h"
#include "data/zone_places.h"
#include "ui/main/main_window.h"

namespace heliomark {

namespace {

WindowPositions DefaultPositions(PositionedWindows& windows) {
    PixelRect screen{0, 0, 1024, 768};
    if (const QScreen* primary = QGuiApplication::primaryScreen()) {
        const QRect r = primary->availableGeometry();
        screen = {r.x(), r.y(), r.width(), r.height()};
    }
    std::vector<PixelSize> sizes;
    for (int i = 0; i < 5; ++i) {
        const QWidget* w = windows.Window(static_cast<PositionedWindows::Slot>(i));
        sizes.push_back(w ? PixelSize{w->width(), w->height()} : PixelSize{});
    }
    const std::vector<PixelPoint> points = ArrangeWindows(screen, sizes);
    WindowPositions positions{};
    for (int i = 0; i < 5; ++i)
        positions[i] = {points[i].X * TwipsPerPixel, points[i].Y * TwipsPerPixel};
    return positions;
}

std::filesystem::path LocalPath(const QString& folder) {
    return std::filesystem::path(folder.toStdString());
}

void TellAboutDamagedFiles(QWidget* main, const std::vector<DamagedFile>& damaged) {
    // Told once, without stopping the program: the box does not wait for an answer.
    auto* box = new QMessageBox(QMessageBox::Warning, "Heliomark",
                                QString::fromStdString(DescribeDamagedFiles(damaged)), QMessageBox::Ok, main);
    box->setObjectName("msgDamagedFiles");
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::NonModal);
    box->show();
}

}  // namespace

QWidget* StartProgram(const QString& programFolder) {
    return StartProgram(programFolder, std::make_shared<SystemClock>());
}

QWidget* StartProgram(const QString& programFolder, std::shared_ptr<const ProgramClock> clock) {
    return StartProgram(FindProgramFolders(LocalPath(programFolder), QtUserFolders()), std::move(clock),
                        ComputerZone());
}

UserFolders QtUserFolders() {
    const auto location = [](QStandardPaths::StandardLocation type) {
        return LocalPath(QStandardPaths::writableLocation(type)) / ApplicationFolderName;
    };
    return {location(QStandardPaths::GenericConfigLocation), location(QStandardPaths::GenericDataLocation)};
}

SystemZone ComputerZone() {
    SystemZone zone;
    zone.Id = QTimeZone::systemTimeZoneId().toStdString();
    if (zone.Id.empty()) zone.Id = ZoneIdOfLocaltime();
    return zone;
}

QWidget* StartProgram(const ProgramFolders& folders, std::shared_ptr<const ProgramClock> clock,
                      const SystemZone& zone) {
    auto state = std::make_unique<SharedState>();
    state->Folders = folders;
    const std::vector<DamagedFile> damaged = LoadProgramData(*state, zone);  // throws for refs.txt

    auto* main = new MainWindow(std::move(state), std::move(clock));
    main->Load();
    const std::optional<WindowPositions> saved = LoadSavedPositions(folders.PositionsFile());
    main->Positions().Apply(saved ? *saved : DefaultPositions(main->Positions()));
    main->LastX = main->Positions().Left(PositionedWindows::MainSlot);
    main->LastY = main->Positions().Top(PositionedWindows::MainSlot);
    main->show();
    if (!damaged.empty()) TellAboutDamagedFiles(main, damaged);
    return main;
}

}  // namespace heliomark
