#include "app/start_program.h"

#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>

#include "app/program_clock.h"
#include "app/program_data.h"
#include "app/window_placement.h"
#include "ui/main/main_window.h"

namespace heliomark {

namespace {

PixelRect ScreenRect(const QScreen* screen) {
    if (!screen) return {0, 0, 1024, 768};
    const QRect r = screen->availableGeometry();
    return {r.x(), r.y(), r.width(), r.height()};
}

WindowPositions DefaultPositions(const QWidget& main) {
    return DefaultWindowPositions(ScreenRect(QGuiApplication::primaryScreen()),
                                  {main.width(), main.height()});
}

// Beside the main window where it now stands, on its screen.
ViewPositions ViewDefaults(MainWindow& main) {
    const QScreen* screen = QGuiApplication::screenAt(main.geometry().center());
    const auto size = [&main](PositionedWindows::Slot slot) {
        const QWidget* w = main.Positions().Window(slot);
        return w ? PixelSize{w->width(), w->height()} : PixelSize{};
    };
    return DefaultViewPositions(ScreenRect(screen ? screen : QGuiApplication::primaryScreen()),
                                {main.x(), main.y(), main.width(), main.height()},
                                {size(PositionedWindows::EventsSlot), size(PositionedWindows::YearSlot)});
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
    auto state = std::make_unique<SharedState>();
    state->ProgramFolder = std::filesystem::path(programFolder.toStdString());
    const std::vector<DamagedFile> damaged = LoadProgramData(*state);  // throws for refs.txt

    const std::filesystem::path folder = state->ProgramFolder;
    auto* main = new MainWindow(std::move(state), std::move(clock));
    main->Load();
    const std::optional<WindowPositions> saved = LoadSavedPositions(folder);
    main->Positions().Apply(saved ? *saved : DefaultPositions(*main));
    const std::optional<ViewPositions> savedViews = LoadSavedViewPositions(folder);
    main->Positions().ApplyViews(savedViews ? *savedViews : ViewDefaults(*main));
    main->LastX = main->Positions().Left(PositionedWindows::MainSlot);
    main->LastY = main->Positions().Top(PositionedWindows::MainSlot);
    main->show();
    if (!damaged.empty()) TellAboutDamagedFiles(main, damaged);
    return main;
}

}  // namespace heliomark
