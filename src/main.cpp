// Heliomark: the Sun's position and day events for any place on Earth.
#include <QApplication>
#include <QIcon>
#include <QMessageBox>
#include <QPointer>
#include <cstdio>
#include <memory>
#include <string_view>
#include <vector>

#include "app/command_line.h"
#include "app/quit_signals.h"
#include "app/start_program.h"
#include "engine/engine.h"

namespace {

std::vector<std::string_view> Arguments(int argc, char* argv[]) {
    return std::vector<std::string_view>(argv + (argc > 0 ? 1 : 0), argv + argc);
}

// Prints the answer and returns its exit status, or -1 when the program is to run.
int Answer(const heliomark::CommandLineAnswer& answer) {
    if (answer.What == heliomark::CommandLineAnswer::Run) return -1;
    std::fputs(answer.Text.c_str(), answer.What == heliomark::CommandLineAnswer::Print ? stdout : stderr);
    return answer.ExitStatus;
}

}  // namespace

int main(int argc, char* argv[]) {
    // --help and --version answer before any window system is needed.
    const std::vector<std::string_view> raw = Arguments(argc, argv);
    if (const heliomark::CommandLineAnswer first = heliomark::ReadCommandLine(raw, HELIOMARK_VERSION);
        first.What == heliomark::CommandLineAnswer::Print)
        return Answer(first);
    // An unknown long option is refused before then too; a single-dash one may be the toolkit's own
    // (-display, -platform) and waits until the toolkit has taken those out.
    for (const std::string_view a : raw)
        if (a.rfind("--", 0) == 0) return Answer(heliomark::ReadCommandLine({a}, HELIOMARK_VERSION));

    QApplication app(argc, argv);  // takes out the toolkit's own options (-display, -platform, ...)
    if (const int status = Answer(heliomark::ReadCommandLine(Arguments(argc, argv), HELIOMARK_VERSION));
        status >= 0)
        return status;
    QApplication::setApplicationName("Heliomark");
    QApplication::setApplicationVersion(HELIOMARK_VERSION);
    // The desktop entry's name: window managers and docks match the window to its entry and icon.
    QGuiApplication::setDesktopFileName(HELIOMARK_APP_ID);
    QIcon icon;
    for (const int size : {16, 24, 32, 48, 64, 128, 256})
        icon.addFile(QString(":/icons/%1.png").arg(size), QSize(size, size));
    QApplication::setWindowIcon(icon);

    QPointer<QWidget> main;
    try {
        main = heliomark::StartProgram(QApplication::applicationDirPath());
    } catch (const heliomark::DataFileError& e) {
        QMessageBox::critical(nullptr, "Heliomark",
                              QString("Heliomark cannot start.\n\n%1").arg(QString::fromStdString(e.what())));
        return 1;
    }
    heliomark::CloseOnQuitSignals(main);
    return QApplication::exec();
}
