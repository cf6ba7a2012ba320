// Heliomark: the Sun's position and day events for any place on Earth.
#include <QApplication>
#include <QDir>
#include <QMessageBox>

#include "app/start_program.h"
#include "engine/engine.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Heliomark");
    try {
        heliomark::StartProgram(QApplication::applicationDirPath());
    } catch (const heliomark::DataFileError& e) {
        QMessageBox::critical(nullptr, "Heliomark",
                              QString("Heliomark cannot start.\n\n%1").arg(QString::fromStdString(e.what())));
        return 1;
    }
    return QApplication::exec();
}
