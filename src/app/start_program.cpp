#include "app/start_program.h"

#include <QMainWindow>

namespace heliomark {

QWidget* StartProgram(const QString& programFolder) {
    (void)programFolder;
    auto* window = new QMainWindow;
    window->setObjectName("frmMain");
    window->setWindowTitle("Heliomark Pro  v1.3");
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->resize(640, 480);
    window->show();
    return window;
}

}  // namespace heliomark
